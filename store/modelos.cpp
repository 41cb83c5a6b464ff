#include "store/modelos.h"

#include "store/db/basedatos.h"

#include <QFileInfo>

namespace tarvo {

bool ComparaModelo(const QString &nombre, const QString &patron) {
    const QString n = nombre.trimmed();
    const QString p = patron.trimmed();
    if (n.size() > p.size()) return false;
    for (int i = 0; i < p.size(); ++i) {
        if (p[i] == '?') continue;
        if (i >= n.size() || p[i] != n[i]) return false;
    }
    return true;
}

QString ModeloAPantalla(const QString &patron) { return patron.toUpper().trimmed().replace('?', '*'); }

QString ModeloDePantalla(const QString &texto) { return texto.toUpper().trimmed().replace('*', '?'); }

std::optional<QString> BuscaEnCatalogo(Contexto &ctx, const QString &nombre, QString &baseDatos) {
    baseDatos.clear();
    try {
        auto db = bd::BaseDatos::Abrir(ctx.app.FicheroModelos, bd::Apertura::SoloLectura);
        auto rs = db->OpenRecordset("Modelos", bd::TipoRecordset::Snapshot);
        for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext()) {
            const QString patron = rs->Value("Modelo").toString().trimmed();
            if (ComparaModelo(nombre.trimmed(), patron)) {
                baseDatos = rs->Value("BaseDatos").toString().trimmed();
                return patron;
            }
        }
    } catch (const std::exception &e) {
        InformaError(ctx, "BuscaModelo", e);
        return std::nullopt;
    }
    return QString();
}

QString BuscaModelo(Contexto &ctx, const QString &nombre, QString &baseDatos) {
    const auto patron = BuscaEnCatalogo(ctx, nombre, baseDatos);
    if (patron && patron->isEmpty()) {
        ctx.ui->CursorOcupado(false);
        ctx.ui->Muestra({ctx.dic.Texto(570, nombre.toUpper()), ctx.T148(), Icono::Critico, Botones::Aceptar});
    }
    return patron.value_or(QString());
}

bool PideModelo(Contexto &ctx, QString &patron) {
    patron.clear();
    QStringList lineas;
    try {
        auto db = bd::BaseDatos::Abrir(ctx.app.FicheroModelos, bd::Apertura::SoloLectura);
        try {
            auto rs = db->OpenRecordset("SELECT DISTINCTROW [Modelos].Indice, [Modelos].Modelo, [Modelos].BaseDatos "
                                        "From [Modelos] ORDER BY [Modelos].Indice;",
                                        bd::TipoRecordset::Snapshot);
            for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext())
                if (QFileInfo::exists(ctx.app.DirectorioModelos + rs->Value("BaseDatos").toString().trimmed()))
                    lineas << ModeloAPantalla(rs->Value("Modelo").toString());
        } catch (const bd::ErrorBD &e) {
            ctx.ui->Muestra({ctx.dic.Texto(577, e.numero) + "\r" + TextoError(ctx, e), ctx.T148(), Icono::Critico,
                             Botones::Aceptar});
            return false;
        }
    } catch (const bd::ErrorBD &e) {
        ctx.ui->CursorOcupado(false);
        ctx.ui->Muestra({ctx.dic.Texto(578) + "\r" + ctx.dic.Texto(577, QString::number(e.numero).trimmed()) + "\r" +
                             TextoError(ctx, e),
                         ctx.T148(), Icono::Critico, Botones::Aceptar});
        return false;
    }
    ctx.ui->CursorOcupado(false);
    const bool hayModelos = !lineas.isEmpty();
    if (!hayModelos) {
        ctx.ui->Muestra({ctx.dic.Texto(578), ctx.T148(), Icono::Critico, Botones::Aceptar});
        lineas << ctx.dic.Texto(578);
    }
    const auto elegido = ctx.ui->EligeModelo(lineas, hayModelos);
    if (!hayModelos || !elegido || elegido->isEmpty()) return false;
    patron = ModeloDePantalla(*elegido);
    return true;
}

}  // namespace tarvo
