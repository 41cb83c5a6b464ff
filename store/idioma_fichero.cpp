#include "store/idioma_fichero.h"

#include "store/catalogo.h"
#include "store/tablas.h"

namespace tarvo {

bool PonIdiomaFichero(Contexto &ctx, const QString &copia) {
    const Aplicacion &a = ctx.app;
    const int actual = ctx.dic.Idioma();
    const QStringList &etiquetas = a.EtiquetasIdiomas;
    try {
        auto referencia = bd::BaseDatos::Abrir(a.FicheroIdiomas, bd::Apertura::SoloLectura);
        auto db = bd::BaseDatos::Abrir(copia, bd::Apertura::Temporal);
        db->BeginTrans();
        for (const QString &tabla : TablasConNombresIdioma()) {
            if (!TablaEnModelo(a, tabla)) continue;
            auto rs = db->OpenRecordset(tabla, bd::TipoRecordset::Tabla);
            auto ref = referencia->OpenRecordset(tabla, bd::TipoRecordset::Snapshot);
            rs->MoveFirst();
            ref->MoveFirst();
            for (; !rs->AtEOF() && !ref->AtEOF(); rs->MoveNext(), ref->MoveNext()) {
                const QString nombre = rs->Value("NombreAjuste").toString().trimmed();
                for (int k = 0; k < etiquetas.size(); ++k) {
                    if (k == actual) continue;
                    if (nombre != ref->Value("NombreAjuste" + etiquetas[k]).toString().trimmed()) continue;
                    rs->Edit();
                    rs->SetValue("NombreAjuste", ref->Value("NombreAjuste" + etiquetas[actual]));
                    rs->Update();
                    break;
                }
            }
        }
        if (TablaEnModelo(a, "Entradas CTRL")) {
            db->Execute("UPDATE [Entradas CTRL] SET NombreAjuste = ? WHERE Codificacion = \"00\"",
                        {ctx.dic.Texto(530)});
        }
        if (TablaEnModelo(a, "TiempoAperturaCierre CTRL")) {
            auto ref = referencia->OpenRecordset("TiempoAperturaCierre CTRL", bd::TipoRecordset::Snapshot);
            ref->MoveFirst();
            QStringList bases;
            for (const QString &etiqueta : etiquetas)
                bases << (ref->AtEOF() ? QString() : ref->Value("NombreAjuste" + etiqueta).toString());
            auto rs = db->OpenRecordset("TiempoAperturaCierre CTRL", bd::TipoRecordset::Tabla);
            int cuenta = 0;
            for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext()) {
                ++cuenta;
                const QString nombre = rs->Value("NombreAjuste").toString();
                for (int k = 0; k < bases.size(); ++k) {
                    if (k == actual || bases[k].isEmpty() || nombre != bases[k] + QString::number(cuenta)) continue;
                    rs->Edit();
                    rs->SetValue("NombreAjuste", bases[actual] + QString::number(cuenta));
                    rs->Update();
                    break;
                }
            }
        }
        db->CommitTrans();
        return true;
    } catch (const std::exception &e) {
        InformaError(ctx, "PonIdiomaFichero", e);
        return false;
    }
}

void BuscaIdiomaRele(Contexto &ctx) {
    Aplicacion &a = ctx.app;
    a.IdiomaRele = 0;
    try {
        auto db = bd::BaseDatos::Abrir(a.DirectorioModelos + a.BaseDatos, bd::Apertura::SoloLectura);
        if (!ExisteTabla(*db, "Tarvo IdiomaRele")) return;
        auto rs = db->OpenRecordset("Tarvo IdiomaRele", bd::TipoRecordset::Snapshot);
        rs->MoveFirst();
        if (rs->AtEOF()) return;
        const QString clave = rs->Value("Idioma").toString().left(4).toLower();
        for (int i = 0; i < a.NombresIdiomas.size(); ++i)
            if (a.NombresIdiomas[i].toLower().contains(clave)) {
                a.IdiomaRele = quint8(i + 1);
                return;
            }
    } catch (const std::exception &e) {
        InformaError(ctx, "BuscaIdiomaRele", e);
    }
}

}  // namespace tarvo
