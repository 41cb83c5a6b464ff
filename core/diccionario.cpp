#include "core/diccionario.h"

#include "store/db/basedatos.h"

#include <QFileInfo>
#include <QScopedValueRollback>

namespace tarvo {

QString SustituyeParametros(const QString &plantilla, const QVariantList &parametros) {
    QString texto = plantilla;
    QList<bool> original(texto.size(), true);  // false where a parameter inserted text
    for (int k = 1; k <= parametros.size(); ++k) {
        const QString marca = "#" + QString::number(k);
        const QString valor = parametros[k - 1].toString();
        int desde = 0;
        while ((desde = texto.indexOf(marca, desde)) >= 0) {
            bool libre = true;
            for (int i = desde; i < desde + marca.size(); ++i) libre = libre && original[i];
            if (!libre) {
                ++desde;
                continue;
            }
            texto.replace(desde, marca.size(), valor);
            original.remove(desde, marca.size());
            original.insert(desde, valor.size(), false);
            desde += valor.size();
        }
    }
    return texto;
}

bool clsDiccionario::CargarTextosIdiomas(const QString &ficheroIdiomas, QStringList &nombres, QStringList &etiquetas) {
    try {
        // Opening a missing path would be an error anyway; say so before the
        // engine makes something of it.
        if (!QFileInfo::exists(ficheroIdiomas)) throw bd::ErrorBD(2, "file not found");
        auto db = bd::BaseDatos::Abrir(ficheroIdiomas, bd::Apertura::SoloLectura);
        auto rs = db->OpenRecordset("Idioma", bd::TipoRecordset::Snapshot);
        const int idiomas = rs->FieldCount() - 1;
        if (idiomas < 1) throw bd::ErrorBD(3, "no language columns");
        QStringList leidosNombres, leidasEtiquetas;
        for (int c = 1; c <= idiomas; ++c) leidosNombres << rs->FieldName(c);
        for (int c = 1; c <= idiomas; ++c) leidasEtiquetas << QString();
        QList<QList<Entrada>> textos(idiomas);
        for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext()) {
            const int numero = rs->Value(0).toInt();
            for (int c = 1; c <= idiomas; ++c) {
                const QString texto = rs->Value(c).toString();
                textos[c - 1].append({numero, texto});
                if (numero == 9999) leidasEtiquetas[c - 1] = texto;
            }
        }
        textos_ = textos;
        primeraPosicion_.clear();
        for (const auto &columna : textos_) {
            QHash<int, int> indice;
            for (int r = 0; r < columna.size(); ++r)
                if (!indice.contains(columna[r].numero)) indice.insert(columna[r].numero, r);
            primeraPosicion_.append(indice);
        }
        nombres = leidosNombres;
        etiquetas = leidasEtiquetas;
        return true;
    } catch (const std::exception &) {
        if (ui_)
            ui_->Muestra({"There was an error loading language texts.\r\n\r\nPlease do reinstall the software.",
                          "TARVO32", Icono::Critico, Botones::Aceptar});
        return false;
    }
}

bool clsDiccionario::Existe(int numero, int idioma) const {
    return idioma >= 0 && idioma < primeraPosicion_.size() && primeraPosicion_[idioma].contains(numero);
}

QString clsDiccionario::Texto(int numero, const QVariantList &parametros) const {
    if (!Existe(numero, idioma_)) {
        // The box that reports the miss may itself want texts; a miss met
        // while reporting one is not reported again.
        if (ui_ && !informando_) {
            const QScopedValueRollback<bool> enCurso(informando_, true);
            ui_->Muestra({QString("ERROR: The string number %1 doesn't exist.").arg(numero), "TARVO32",
                          Icono::Exclamacion, Botones::Aceptar});
        }
        return "You Should NEVER see this!";
    }
    const QString &plantilla = textos_[idioma_][primeraPosicion_[idioma_].value(numero)].texto;
    return SustituyeParametros(plantilla, parametros);
}

}  // namespace tarvo
