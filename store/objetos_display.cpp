#include "store/objetos_display.h"

#include "store/tablas.h"

#include <QFileInfo>

namespace tarvo {
namespace {

// Runs `lee` over every record of `tabla` in `db`, when the table exists.
template <typename F>
void Recorre(bd::BaseDatos &db, const QString &tabla, F &&lee) {
    if (!ExisteTabla(db, tabla)) return;
    auto rs = db.OpenRecordset(tabla, bd::TipoRecordset::Snapshot);
    for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext()) lee(*rs);
}

// Opens the model database read-only and runs `f` with it, reporting failures
// under `procedimiento`.
template <typename F>
void ConModelo(Contexto &ctx, const char *procedimiento, F &&f) {
    try {
        auto db = bd::BaseDatos::Abrir(ctx.app.DirectorioModelos + ctx.app.BaseDatos, bd::Apertura::SoloLectura);
        f(*db);
    } catch (const std::exception &e) {
        InformaError(ctx, procedimiento, e);
    }
}

QStringList Nombres(bd::BaseDatos &db, const QString &tabla) {
    QStringList l;
    Recorre(db, tabla, [&](bd::Recordset &rs) { l << rs.Value("NombreAjuste").toString().trimmed(); });
    return l;
}

}  // namespace

bd::BaseDatos &CopiaTrabajoAbierta(Contexto &ctx, bd::BaseDatos *trabajo, std::unique_ptr<bd::BaseDatos> &propia) {
    if (trabajo) return *trabajo;
    propia = bd::BaseDatos::Abrir(ctx.app.CopiaTrabajo, bd::Apertura::Temporal);
    return *propia;
}

QString CodigoModelo(const Aplicacion &app) { return QFileInfo(app.BaseDatos).completeBaseName(); }

QList<MedidaDisplay> CargaMedidas(Contexto &ctx) {
    QList<MedidaDisplay> l;
    ConModelo(ctx, "CargaMedidas", [&](bd::BaseDatos &db) {
        Recorre(db, "PMed " + CodigoModelo(ctx.app), [&](bd::Recordset &rs) {
            l.append({rs.Value("Tipo").toInt(), rs.Value("Nombre").toString().trimmed(), rs.Value("CPU").toInt(),
                      rs.Value("Unidad").toString().trimmed(), rs.Value("Unidades").toInt(), rs.Value("Donde").toInt()});
        });
    });
    return l;
}

EstadosYEventos CargaEstadoEventos(Contexto &ctx, bd::BaseDatos *abierta) {
    EstadosYEventos r;
    ConModelo(ctx, "CargaEstadoEventos", [&](bd::BaseDatos &db) {
        Recorre(db, "PEst " + CodigoModelo(ctx.app), [&](bd::Recordset &rs) {
            r.estados.append({rs.Value("CPU").toInt(), rs.Value("Descripcion").toString().trimmed(),
                              rs.Value("Bit").toInt(), rs.Value("ByteComunicaciones").toInt()});
        });
        std::unique_ptr<bd::BaseDatos> propia;
        bd::BaseDatos &trabajo = CopiaTrabajoAbierta(ctx, abierta, propia);
        r.eventosPROT = Nombres(trabajo, "Eventos PROT");
        r.eventosCOMU = Nombres(trabajo, "Eventos COMU");
    });
    return r;
}

QMap<int, QList<EntradaSalidaDisplay>> CargaEntradasSalidas(Contexto &ctx) {
    QMap<int, QList<EntradaSalidaDisplay>> m;
    ConModelo(ctx, "CargaEntradasSalidas", [&](bd::BaseDatos &db) {
        Recorre(db, "Tarvo IO", [&](bd::Recordset &rs) {
            const int tipo = rs.Value("Tipo").toInt();
            m[tipo].append({rs.Value("CPU").toInt(), tipo, rs.Value("Entrada").toString().trimmed(),
                            rs.Value("nombre").toString().trimmed(), rs.Value("donde").toInt(), rs.Value("Bit").toInt()});
        });
    });
    return m;
}

QMap<int, QList<ContadorDisplay>> CargaContadoresAnalogicas(Contexto &ctx) {
    QMap<int, QList<ContadorDisplay>> m;
    ConModelo(ctx, "CargaContadoresAnalogicas", [&](bd::BaseDatos &db) {
        Recorre(db, "Tarvo MedidasContadoresAnalogicas", [&](bd::Recordset &rs) {
            const int tipo = rs.Value("Tipo").toInt();
            m[tipo].append({tipo, rs.Value("Nombre").toString().trimmed(), rs.Value("CPU").toInt(),
                            rs.Value("Donde").toInt()});
        });
    });
    return m;
}

AparamentaYManiobras CargaEstadoEventosAparamenta(Contexto &ctx, bd::BaseDatos *abierta) {
    AparamentaYManiobras r;
    ConModelo(ctx, "CargaEstadoEventos", [&](bd::BaseDatos &db) {
        std::unique_ptr<bd::BaseDatos> propia;
        bd::BaseDatos &trabajo = CopiaTrabajoAbierta(ctx, abierta, propia);
        const QStringList nombres = Nombres(trabajo, "TiempoAperturaCierre CTRL");
        int d = 0;
        Recorre(db, "Tarvo Aparamenta Configurable CTRL", [&](bd::Recordset &rs) {
            r.aparamenta.append({rs.Value("Configurable").toBool(), rs.Value("PosicionEstado").toInt(),
                                 rs.Value("ByteComunicacion").toInt(), nombres.value(d++)});
        });
        r.ordenes = Nombres(trabajo, "TiempoPrevio CTRL");
        Recorre(db, "PMan " + CodigoModelo(ctx.app), [&](bd::Recordset &rs) {
            r.maniobras.append({rs.Value("CPU").toInt(), rs.Value("Indice").toInt(), rs.Value("Nombre").toString().trimmed()});
        });
    });
    return r;
}

}  // namespace tarvo
