#include "comms/codificacion/empaquetado.h"

#include "graphic/objeto.h"
#include "store/catalogo.h"
#include "store/tablas.h"

namespace tarvo {
namespace {

namespace cc = codigo_codificacion;

struct Companero {
    const char *tipo;
    const char *tabla;
};
constexpr Companero TiposEntrada[] = {
    {"ED", "TiempoEntradas CTRL"}, {"Orden", "TiempoPrevio CTRL"}, {"Apa", "Aparamenta CTRL"}, {"Pulsos", "EntradasPulsos CTRL"}};

// Appends the Codificacion of every record of a recordset, naming the record
// of a text that cannot be sent.
void AgregaRegistros(AcumuladorBytes &a, bd::Recordset &rs, const QString &tabla) {
    int n = 0;
    for (rs.MoveFirst(); !rs.AtEOF(); rs.MoveNext()) {
        ++n;
        try {
            a.Agrega(rs.Value("Codificacion").toString());
        } catch (const ErrorCodificacion &e) {
            throw ErrorCodificacion(e.numero, QString("[%1], record %2: %3").arg(tabla).arg(n).arg(e.descripcion));
        }
    }
}

// Opens the configuration, packs, closes; a failure is reported and gives false.
template <typename F>
bool Carga(Contexto &ctx, const QString &ruta, const char *procedimiento, QList<qint32> &valores, F &&empaqueta) {
    const auto db = AbreBaseDatosNombrada(ctx, ruta, bd::Apertura::SoloLectura);
    if (!db) return false;
    try {
        valores = empaqueta(*db);
        return true;
    } catch (const std::exception &e) {
        InformaError(ctx, procedimiento, e);
        return false;
    }
}

}  // namespace

void AcumuladorBytes::Agrega(QStringView codificacion) {
    const auto b = BytesDeHex(codificacion);
    if (!b) {
        if (codificacion.size() % 2)
            throw ErrorCodificacion(cc::LongitudImpar,
                                    QString("Codificacion '%1' has an odd number of digits.").arg(codificacion.left(48)));
        throw ErrorCodificacion(cc::NoHexadecimal,
                                QString("Codificacion '%1' is not hexadecimal.").arg(codificacion.left(48)));
    }
    if (posicion_ + b->size() > qsizetype(MaximoValores) * 4)
        throw ErrorCodificacion(cc::Desbordamiento, QString("More than %1 values.").arg(MaximoValores));
    if (bytes_.size() < posicion_ + b->size()) bytes_.resize(posicion_ + b->size(), '\0');
    bytes_.replace(posicion_, b->size(), *b);
    posicion_ += b->size();
}

void AcumuladorBytes::Completa(qsizetype bytes) {
    if (bytes_.size() < bytes) bytes_.resize(bytes, '\0');
}

QList<qint32> AcumuladorBytes::Valores() const {
    const qsizetype n = (bytes_.size() + 3) / 4;
    if (n > MaximoValores) throw ErrorCodificacion(cc::Desbordamiento, QString("More than %1 values.").arg(MaximoValores));
    QList<qint32> valores;
    valores.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        std::array<quint8, 4> b{};
        for (qsizetype k = 0; k < 4 && 4 * i + k < bytes_.size(); ++k) b[size_t(k)] = quint8(bytes_[4 * i + k]);
        valores.append(BytesAValor(b));
    }
    return valores;
}

QMap<QString, int> RanurasTextoEventos(const Aplicacion &app) {
    QMap<QString, int> ranuras;
    const int comu = EntidadesDeTabla(app, "Eventos COMU");
    ranuras.insert("comu", RanurasTexto - comu);
    if (TablaEnModelo(app, "Eventos CTRL")) ranuras.insert("cont", RanurasTexto - comu - EntidadesDeTabla(app, "Eventos CTRL"));
    if (TablaEnModelo(app, "Eventos PROT")) ranuras.insert("prot", 0);
    return ranuras;
}

QStringList TiposEntradaCTRL(const Aplicacion &app) {
    QStringList tipos;
    for (const Companero &c : TiposEntrada)
        if (TablaEnModelo(app, c.tabla)) tipos << c.tipo;
    return tipos;
}

QString ConsultaEntradasCTRL(const QString &tipo) {
    return "SELECT DISTINCTROW [Entradas CTRL].NombreAjuste, [Entradas CTRL].TipoEntrada , [Entradas CTRL].Codificacion "
           "From [Entradas CTRL] WHERE (([Entradas CTRL].TipoEntrada=\"" +
           tipo + "\"));";
}

std::array<qint16, 76> PlanBloquesGrafico(int valores) {
    const int bloques = (valores + ValoresBloqueGrafico - 1) / ValoresBloqueGrafico;
    if (bloques > 75) throw ErrorCodificacion(cc::Desbordamiento, QString("The display needs %1 blocks.").arg(bloques));
    std::array<qint16, 76> plan{};
    for (int i = 0; i < bloques; ++i) plan[size_t(i)] = ValoresBloqueGrafico;
    return plan;
}

QList<qint32> EmpaquetaTabla(bd::BaseDatos &db, const QString &tabla) {
    AcumuladorBytes a;
    auto rs = db.OpenRecordset(tabla.trimmed(), bd::TipoRecordset::Snapshot);
    AgregaRegistros(a, *rs, tabla.trimmed());
    return a.Valores();
}

QList<qint32> EmpaquetaEntradasCTRL(bd::BaseDatos &db, const Aplicacion &app) {
    AcumuladorBytes a;
    for (const QString &tipo : TiposEntradaCTRL(app)) {
        auto rs = db.OpenRecordset(ConsultaEntradasCTRL(tipo), bd::TipoRecordset::Snapshot);
        AgregaRegistros(a, *rs, "Entradas CTRL");
    }
    return a.Valores();
}

QList<qint32> EmpaquetaTextoEventos(bd::BaseDatos &db, const Aplicacion &app) {
    const QMap<QString, int> ranuras = RanurasTextoEventos(app);
    AcumuladorBytes a;
    a.Completa(RanurasTexto * BytesRanura);
    QSet<QString> vistos;
    auto rs = db.OpenRecordset("TextoEventos COMU", bd::TipoRecordset::Snapshot);
    int n = 0;
    for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext()) {
        ++n;
        const QString tipo = rs->Value("TipoTexto").toString().trimmed();
        const auto ranura = ranuras.constFind(tipo);
        if (ranura == ranuras.constEnd()) continue;   // texts of events the model does not have
        if (!vistos.contains(tipo)) {
            vistos.insert(tipo);
            if (*ranura < 0)
                throw ErrorCodificacion(cc::Desbordamiento, QString("More event texts than the relay's %1 slots.").arg(RanurasTexto));
            a.Posiciona(qsizetype(*ranura) * BytesRanura);
        }
        try {
            a.Agrega(rs->Value("Codificacion").toString());
        } catch (const ErrorCodificacion &e) {
            throw ErrorCodificacion(e.numero, QString("[TextoEventos COMU], record %1: %2").arg(n).arg(e.descripcion));
        }
    }
    return a.Valores();
}

QList<qint32> EmpaquetaGrafico(bd::BaseDatos &db) {
    AcumuladorBytes a;
    auto rs = db.OpenRecordset("Grafico COMU", bd::TipoRecordset::Snapshot);
    AgregaRegistros(a, *rs, "Grafico COMU");
    a.Agrega(QString(ValoresObjeto * 8, '0'));
    return a.Valores();
}

QList<qint32> Empaqueta(bd::BaseDatos &db, const Aplicacion &app, const QString &tabla) {
    const TablaCodificada *t = BuscaTablaCodificada(tabla);
    switch (t ? t->empaquetador : Empaquetador::Tabla) {
    case Empaquetador::Tabla: return EmpaquetaTabla(db, tabla);
    case Empaquetador::EntradasCTRL: return EmpaquetaEntradasCTRL(db, app);
    case Empaquetador::TextoEventos: return EmpaquetaTextoEventos(db, app);
    case Empaquetador::Grafico: return EmpaquetaGrafico(db);
    case Empaquetador::Ninguno: break;
    }
    return {};
}

bool CargaAjustesDeTabla(Contexto &ctx, const QString &ruta, const QString &tabla, QList<qint32> &valores) {
    return Carga(ctx, ruta, "CargaAjustesDeTabla", valores, [&](bd::BaseDatos &db) { return EmpaquetaTabla(db, tabla); });
}

bool CargaAjustesEntradasCTRL(Contexto &ctx, const QString &ruta, QList<qint32> &valores) {
    return Carga(ctx, ruta, "CargaAjustesEntradasCTRL", valores,
                 [&](bd::BaseDatos &db) { return EmpaquetaEntradasCTRL(db, ctx.app); });
}

bool CargaAjustesDeTablaTextoEventos(Contexto &ctx, const QString &ruta, QList<qint32> &valores) {
    return Carga(ctx, ruta, "CargaAjustesDeTablaTextoEventos", valores,
                 [&](bd::BaseDatos &db) { return EmpaquetaTextoEventos(db, ctx.app); });
}

bool CargaAjustesDeTablaGrafico(Contexto &ctx, const QString &ruta, QList<qint32> &valores) {
    return Carga(ctx, ruta, "CargaAjustesDeTablaGrafico", valores, [&](bd::BaseDatos &db) {
        QList<qint32> v = EmpaquetaGrafico(db);
        const auto plan = PlanBloquesGrafico(int(v.size()));
        for (EntradaGrupo &e : ctx.app.GruposCONST)
            if (e.Tabla.trimmed() == "Grafico COMU") {
                e.Indices = plan;
                break;
            }
        return v;
    });
}

bool CargaAjustes(Contexto &ctx, const QString &ruta, const QString &tabla, QList<qint32> &valores) {
    const TablaCodificada *t = BuscaTablaCodificada(tabla);
    switch (t ? t->empaquetador : Empaquetador::Tabla) {
    case Empaquetador::EntradasCTRL: return CargaAjustesEntradasCTRL(ctx, ruta, valores);
    case Empaquetador::TextoEventos: return CargaAjustesDeTablaTextoEventos(ctx, ruta, valores);
    case Empaquetador::Grafico: return CargaAjustesDeTablaGrafico(ctx, ruta, valores);
    case Empaquetador::Ninguno: valores.clear(); return true;
    case Empaquetador::Tabla: break;
    }
    return CargaAjustesDeTabla(ctx, ruta, tabla, valores);
}

}  // namespace tarvo
