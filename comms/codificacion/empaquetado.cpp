#include "comms/codificacion/empaquetado.h"

#include "graphic/objeto.h"
#include "store/catalogo.h"
#include "store/tablas.h"

namespace tarvo {
namespace {

namespace cc = codigo_codificacion;

// Input types of "Entradas CTRL" in transfer order, with the table that
// gives their number of records (switchgear: an opening and a closing input each).
struct Companero {
    const char *tipo;
    const char *tabla;
    int porEntidad;
};
constexpr Companero TiposEntrada[] = {{"ED", "TiempoEntradas CTRL", 1},
                                      {"Orden", "TiempoPrevio CTRL", 1},
                                      {"Apa", "Aparamenta CTRL", 2},
                                      {"Pulsos", "EntradasPulsos CTRL", 1}};

// A record's Codificacion as it may go out: text, hexadecimal, exactly as
// long as its layout.
QString CodificacionEnviable(const QVariant &v, int bytes, const QString &tabla, int registro) {
    namespace m = motivo_envio;
    if (v.isNull()) throw TablaNoEnviable(tabla, registro, m::Vacia);
    if (v.typeId() != QMetaType::QString) throw TablaNoEnviable(tabla, registro, m::NoEsTexto);
    const QString s = v.toString();
    if (s.isEmpty()) throw TablaNoEnviable(tabla, registro, m::Vacia);
    if (!EsHexadecimal(s)) throw TablaNoEnviable(tabla, registro, m::NoHexadecimal);
    if (s.size() != 2 * bytes) throw TablaNoEnviable(tabla, registro, m::Longitud, {s.size(), 2 * bytes});
    return s;
}

// Appends the Codificacion of every record of a recordset; `n` counts the
// records met so far, to name the one that cannot be sent.
void AgregaRegistros(AcumuladorBytes &a, bd::Recordset &rs, const TablaCodificada &t, int &n) {
    for (rs.MoveFirst(); !rs.AtEOF(); rs.MoveNext()) a.Agrega(CodificacionEnviable(rs.Value("Codificacion"), t.bytes, t.tabla, ++n));
}

const TablaCodificada &Tabla(const QString &nombre) {
    const TablaCodificada *t = BuscaTablaCodificada(nombre);
    if (!t) throw bd::ErrorBD(bd::codigo::NoEncontrado, QString("[%1] is not a configuration table.").arg(nombre));
    return *t;
}

int CuentaRegistros(bd::BaseDatos &db, const QString &sql) {
    auto rs = db.OpenRecordset(sql, bd::TipoRecordset::Snapshot);
    return rs->RecordCount();
}

// Records the catalogue gives a table; -1 where it does not fix them (the
// event texts have their slots, the display any number of objects).
int RegistrosDelModelo(const EntradaGrupo &e, const TablaCodificada &t) {
    switch (t.disposicion) {
    case Disposicion::Aparamenta: return 1;   // one record holds every device's flags
    case Disposicion::TextoEvento:
    case Disposicion::Grafico:
    case Disposicion::EntradaCTRL:
    case Disposicion::NoEnviada: return -1;
    default: return e.Entidades;
    }
}

void CompruebaRegistros(bd::BaseDatos &db, const Aplicacion &app, const EntradaGrupo &e, const TablaCodificada &t) {
    if (t.disposicion == Disposicion::EntradaCTRL) {
        for (const Companero &c : TiposEntrada) {
            if (!TablaEnModelo(app, c.tabla)) continue;
            const int hay = CuentaRegistros(db, ConsultaEntradasCTRL(c.tipo));
            const int espera = c.porEntidad * EntidadesDeTabla(app, c.tabla);
            if (hay != espera) throw TablaNoEnviable(t.tabla, 0, motivo_envio::Registros, {hay, espera});
        }
        return;
    }
    const int espera = RegistrosDelModelo(e, t);
    if (espera < 0) return;
    const int hay = CuentaRegistros(db, "SELECT Codificacion FROM [" + t.tabla + "]");
    if (hay != espera) throw TablaNoEnviable(t.tabla, 0, motivo_envio::Registros, {hay, espera});
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
    const TablaCodificada &t = Tabla(tabla);
    AcumuladorBytes a;
    auto rs = db.OpenRecordset(t.tabla, bd::TipoRecordset::Snapshot);
    int n = 0;
    AgregaRegistros(a, *rs, t, n);
    return a.Valores();
}

QList<qint32> EmpaquetaEntradasCTRL(bd::BaseDatos &db, const Aplicacion &app) {
    const TablaCodificada &t = Tabla("Entradas CTRL");
    AcumuladorBytes a;
    int n = 0;
    for (const QString &tipo : TiposEntradaCTRL(app)) {
        auto rs = db.OpenRecordset(ConsultaEntradasCTRL(tipo), bd::TipoRecordset::Snapshot);
        AgregaRegistros(a, *rs, t, n);
    }
    return a.Valores();
}

QList<qint32> EmpaquetaTextoEventos(bd::BaseDatos &db, const Aplicacion &app) {
    const QMap<QString, int> ranuras = RanurasTextoEventos(app);
    const TablaCodificada &t = Tabla("TextoEventos COMU");
    AcumuladorBytes a;
    a.Completa(RanurasTexto * BytesRanura);
    // Each type's texts run on from its own first slot, however the records
    // of the types are mixed: the receiver cuts them back the same way.
    QMap<QString, qsizetype> posicion;
    auto rs = db.OpenRecordset(t.tabla, bd::TipoRecordset::Snapshot);
    int n = 0;
    for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext()) {
        ++n;
        const QString tipo = rs->Value("TipoTexto").toString().trimmed();
        const auto ranura = ranuras.constFind(tipo);
        if (ranura == ranuras.constEnd()) continue;   // texts of events the model does not have
        if (*ranura < 0)
            throw ErrorCodificacion(cc::Desbordamiento, QString("More event texts than the relay's %1 slots.").arg(RanurasTexto));
        const QString texto = CodificacionEnviable(rs->Value("Codificacion"), t.bytes, t.tabla, n);
        auto p = posicion.find(tipo);
        if (p == posicion.end()) p = posicion.insert(tipo, qsizetype(*ranura) * BytesRanura);
        // A type may not run into the slots of the type above it.
        int fin = RanurasTexto;
        for (int otra : ranuras)
            if (otra > *ranura) fin = std::min(fin, otra);
        if (*p + t.bytes > qsizetype(fin) * BytesRanura)
            throw TablaNoEnviable(t.tabla, n, motivo_envio::Ranuras, {tipo, fin - *ranura});
        a.Posiciona(*p);
        a.Agrega(texto);
        *p += t.bytes;
    }
    return a.Valores();
}

QList<qint32> EmpaquetaGrafico(bd::BaseDatos &db) {
    const TablaCodificada &t = Tabla("Grafico COMU");
    AcumuladorBytes a;
    auto rs = db.OpenRecordset(t.tabla, bd::TipoRecordset::Snapshot);
    int n = 0;
    AgregaRegistros(a, *rs, t, n);
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

TablaNoEnviable::TablaNoEnviable(QString tabla_, int registro_, int motivo_, QVariantList datos_)
    : ErrorCodificacion(motivo_, QString("[%1], record %2 cannot be sent (%3).").arg(tabla_).arg(registro_).arg(motivo_)),
      tabla(std::move(tabla_)), registro(registro_), motivo(motivo_), datos(std::move(datos_)) {}

QString DescribeTablaNoEnviable(const clsDiccionario &dic, const TablaNoEnviable &e) {
    const QString donde = e.registro > 0 ? dic.Texto(3001, e.tabla, e.registro) : "[" + e.tabla + "]";
    return donde + ": " + dic.Texto(e.motivo, e.datos);
}

QList<TablaEmpaquetada> EmpaquetaEnvio(bd::BaseDatos &db, const Aplicacion &app, const QStringList *solo) {
    QList<TablaEmpaquetada> tablas;
    for (const EntradaGrupo &e : app.GruposCONST) {
        const QString nombre = e.Tabla.trimmed();
        if (solo && !solo->contains(nombre)) continue;
        const TablaCodificada *t = BuscaTablaCodificada(nombre);
        if (!t || t->empaquetador == Empaquetador::Ninguno) continue;
        if (!ExisteTabla(db, t->tabla)) throw TablaNoEnviable(t->tabla, 0, motivo_envio::NoEsTabla);
        CompruebaRegistros(db, app, e, *t);
        TablaEmpaquetada p{e, Empaqueta(db, app, t->tabla)};
        if (t->empaquetador == Empaquetador::Grafico) {
            p.entrada.Indices = PlanBloquesGrafico(int(p.valores.size()));
        } else {
            // Values past the blocks would be dropped, and missing ones sent as zeros.
            int capacidad = 0;
            for (int i = 0; i < 75 && e.Indices[size_t(i)] != 0; ++i) capacidad += e.Indices[size_t(i)];
            if (p.valores.size() != capacidad)
                throw TablaNoEnviable(t->tabla, 0, motivo_envio::Valores, {p.valores.size(), capacidad});
        }
        tablas.append(std::move(p));
    }
    return tablas;
}

}  // namespace tarvo
