#include "texto/reglas.h"

#include "comms/codificacion/recepcion.h"
#include "core/pagina437.h"
#include "store/catalogo.h"
#include "store/nombres_estados.h"
#include "store/tablas.h"

#include <QDateTime>

#include <cmath>

namespace tarvo {
namespace {

// Names the editors give a record: one line, as long as the name box takes.
constexpr int LimiteNombre = 23;
// An alarm text is one line of the display.
constexpr int LimiteTextoEvento = 23;
constexpr int LimiteTextoGrafico = 40;

// The signal-state table whose signals a group or event table picks.
const QMap<QString, QString> &TablasEstados() {
    static const QMap<QString, QString> tablas = {
        {"Salidas CTRL", "Tarvo Estados Control"},          {"BitMando CTRL", "Tarvo Estados Control"},
        {"Eventos CTRL", "Tarvo Estados Control"},          {"ANDs PROT", "Tarvo Estados Proteccion"},
        {"Salidas PROT", "Tarvo Estados Proteccion"},       {"Eventos PROT", "Tarvo Estados Proteccion"},
        {"Eventos COMU", "Tarvo Estados Comunicaciones"}};
    return tablas;
}

// Columns New fills from the model and no editor changes.
bool EsFija(const QString &columna) {
    static const QStringList fijas = {"Indice",       "NumeroOrden",   "TipoEntrada",         "TipoTexto",
                                      "TipoTemporizador", "Configurable", "TemporizadorAjustable", "Minimo",
                                      "Maximo"};
    return fijas.contains(columna);
}

// The LED tabs' event groups: protection groups upward from 0, front-panel
// groups ending at 5, control groups just below those.
QVariantList GruposLeds(const Aplicacion &app) {
    const auto grupos = [&](const char *tabla, bool siempre) {
        return siempre || TablaEnModelo(app, tabla) ? EntidadesDeTabla(app, tabla) / 16 : 0;
    };
    const int proteccion = grupos("Eventos PROT", false);
    const int total = proteccion + grupos("Eventos CTRL", false) + grupos("Eventos COMU", true);
    QVariantList mapa;
    for (int t = 0; t < total; ++t) mapa << (t < proteccion ? t : t + 6 - total);
    return mapa;
}

bool EsTexto(const bd::DefCampo &c) { return c.tipo == bd::TipoCampo::Texto || c.tipo == bd::TipoCampo::Memo; }

QString Lista(const QVariantList &valores) {
    QStringList l;
    for (const QVariant &v : valores) l << Json(v);
    return l.join(", ");
}

}  // namespace

QString DescribeProblema(const Problema &p) {
    QStringList partes;
    if (!p.tabla.isEmpty()) partes << "[" + p.tabla + "]";
    if (p.registro) partes << QString::number(p.registro);
    if (!p.nombre.isEmpty()) partes << "\"" + p.nombre + "\"";
    if (!p.ajuste.isEmpty()) partes << p.ajuste;
    const QString quien = partes.join(' ');
    return quien.isEmpty() ? p.motivo : quien + ": " + p.motivo;
}

bool CargaDatosModelo(Contexto &ctx, DatosModelo &m) {
    const Aplicacion &a = ctx.app;
    if (TablaEnModelo(a, "Entradas PROT") && !CargaStringEntradas(ctx, m.codificacion.funcionesEntradas)) return false;
    m.codificacion.columnaValor = a.ColumnaValor.isEmpty() ? QString("GrupoSenyal") : a.ColumnaValor;
    m.codificacion.sinAsignar = ctx.dic.Texto(530);
    clsDiccionario dic = ctx.dic;
    for (int i = 0; i < qMax(1, dic.NumeroIdiomas()); ++i) {
        dic.setIdioma(quint8(i));
        m.sinAsignar << dic.Texto(530);
    }
    m.sinAsignar.removeDuplicates();
    m.entradasFisicas = EntidadesDeTabla(a, "Entradas CTRL");
    m.gruposLeds = GruposLeds(a);
    try {
        auto modelo = bd::BaseDatos::Abrir(a.DirectorioModelos + a.BaseDatos, bd::Apertura::SoloLectura);
        for (auto i = TablasEstados().cbegin(); i != TablasEstados().cend(); ++i)
            if (TablaEnModelo(a, i.key()) && ExisteTabla(*modelo, i.value()))
                m.grupos[i.key()] = CuentaGruposSenyales(
                    modelo->OpenRecordset(i.value(), bd::TipoRecordset::Snapshot)->RecordCount());
        return true;
    } catch (const std::exception &e) {
        InformaError(ctx, "CargaDatosModelo", e);
        return false;
    }
}

Regla ReglaDe(const QString &tabla, const bd::DefCampo &campo, const Fila &registro, const DatosModelo &m) {
    Regla r;
    const QString &c = campo.nombre;
    const TablaCodificada *t = BuscaTablaCodificada(tabla);
    const Disposicion d = t ? t->disposicion : Disposicion::NoEnviada;
    // The editors disable the name and time of what the model fixes, and
    // never write a digital input's filter the model does not let be set.
    const bool cerrado = (registro.contains("Configurable") && !registro.value("Configurable").toBool()) ||
                         (registro.contains("TemporizadorAjustable") && !registro.value("TemporizadorAjustable").toBool());
    static const QStringList deAparamenta = {"NombreAjuste", "AparamentaSeleccionada", "Contacto", "EstadoTransicion"};
    const bool bloqueada = (d == Disposicion::Tiempo && c == t->columna) ||
                           (!registro.contains("TemporizadorAjustable") && deAparamenta.contains(c));
    r.fija = EsFija(c) || (cerrado && bloqueada);
    if (EsTexto(campo)) r.longitud = campo.tamano;
    if (r.fija) return r;
    if (c == "NombreAjuste") {
        if (d == Disposicion::EntradaCTRL) {
            for (const QString &s : m.sinAsignar) r.permitidos << s;
            for (int n = 1; n <= m.entradasFisicas; ++n) r.permitidos << "EC " + QString::number(n);
            return r;
        }
        r.longitud = LimiteNombre;
        if (d == Disposicion::Evento && tabla.startsWith("Eventos")) r.caracteres = Caracteres::Display;
    } else if (d == Disposicion::Tiempo && c == t->columna) {
        // The confirmation time-outs keep no limits of their own; the editor knows them.
        const bool propios = registro.contains("Minimo") && registro.contains("Maximo");
        r.minimo = propios ? registro.value("Minimo").toLongLong() : 1;
        r.maximo = propios ? registro.value("Maximo").toLongLong() : 60;
    } else if (c == m.codificacion.columnaValor && d == Disposicion::Led) {
        r.permitidos = m.gruposLeds;
        // New leaves every LED on group 0, whatever the model's groups: with
        // no event picked it watches nothing.
        if (PalabraDeColumnas(registro, "Mascara") == 0 && !r.permitidos.contains(0)) r.permitidos.prepend(0);
    } else if (c == m.codificacion.columnaValor && m.grupos.contains(tabla)) {
        r.minimo = 0;
        r.maximo = m.grupos.value(tabla) - 1;
    } else if (d == Disposicion::EntradaPROT && c == "ValorEntrada") {
        r.minimo = 0;
        r.maximo = m.codificacion.funcionesEntradas.size() - 1;
    } else if (d == Disposicion::EntradaPROT && c == "ValorTextoEntrada") {
        // New leaves the name empty until the editor first saves the input.
        const qsizetype funcion = registro.value("ValorEntrada").toInt();
        r.permitidos << QString("") << m.codificacion.funcionesEntradas.value(funcion);
    } else if (d == Disposicion::Condicion) {
        r.hexadecimal = c.endsWith("BitMando") ? 16 : 4;
    } else if (c == "EstadoTransicion") {
        r.minimo = 0;
        r.maximo = 1;
    } else if (d == Disposicion::TextoEvento && c == "Texto") {
        r.longitud = LimiteTextoEvento;
        r.caracteres = Caracteres::Display;
    } else if (d == Disposicion::Grafico && c.startsWith("txt")) {
        r.longitud = LimiteTextoGrafico;
        r.caracteres = Caracteres::Rele;
    }
    return r;
}

std::optional<QVariant> ValorDeColumna(const bd::DefCampo &campo, const QVariant &valor, QString &motivo,
                                       const clsDiccionario &dic) {
    const int tipo = valor.typeId();
    const bool numero = tipo == QMetaType::Double || tipo == QMetaType::Int || tipo == QMetaType::LongLong;
    switch (campo.tipo) {
    case bd::TipoCampo::Booleano:
        if (tipo == QMetaType::Bool) return valor.toBool();
        motivo = dic.Texto(3256);
        return std::nullopt;
    case bd::TipoCampo::Byte:
    case bd::TipoCampo::Entero:
    case bd::TipoCampo::EnteroLargo: {
        const double d = valor.toDouble();
        if (numero && std::floor(d) == d && std::fabs(d) < 9e15) return QVariant(qint64(d));
        motivo = dic.Texto(3257);
        return std::nullopt;
    }
    case bd::TipoCampo::Doble:
        if (numero) return valor.toDouble();
        motivo = dic.Texto(3258);
        return std::nullopt;
    case bd::TipoCampo::FechaHora: {
        const QDateTime f = QDateTime::fromString(valor.toString(), "yyyy-MM-ddTHH:mm:ss");
        if (tipo == QMetaType::QString && f.isValid()) return f;
        motivo = dic.Texto(3260);
        return std::nullopt;
    }
    case bd::TipoCampo::Texto:
    case bd::TipoCampo::Memo:
        if (tipo == QMetaType::QString) return valor.toString();
        motivo = dic.Texto(3259);
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<QString> Incumple(const Regla &r, const QVariant &valor, const clsDiccionario &dic) {
    if (!valor.isValid() || valor.isNull()) return std::nullopt;
    if (!r.permitidos.isEmpty()) {
        const QString v = Json(valor);
        for (const QVariant &p : r.permitidos)
            if (Json(p) == v) return std::nullopt;
        return dic.Texto(3255, v, Lista(r.permitidos));
    }
    if (r.minimo || r.maximo) {
        const double v = valor.toDouble();
        if ((r.minimo && v < double(*r.minimo)) || (r.maximo && v > double(*r.maximo)))
            return dic.Texto(3254, Json(valor), r.minimo.value_or(0), r.maximo.value_or(0));
    }
    if (valor.typeId() != QMetaType::QString) return std::nullopt;
    const QString texto = valor.toString();
    if (r.longitud > 0 && texto.size() > r.longitud) return dic.Texto(3262, texto.size(), r.longitud);
    for (const QChar letra : texto) {
        const bool vale = r.caracteres == Caracteres::Cualquiera ||
                          (r.caracteres == Caracteres::Rele ? CodigoRele(letra).has_value()
                                                           : TextoDeDisplay(QString(letra)));
        if (!vale) return dic.Texto(3261, QString(letra));
    }
    if (r.hexadecimal > 0 && (texto.size() != r.hexadecimal || !EsHexadecimal(texto)))
        return dic.Texto(3263, r.hexadecimal);
    return std::nullopt;
}

QString CadenaJson(const QString &texto) {
    QString s;
    s.reserve(texto.size() + 2);
    s += '"';
    for (const QChar c : texto) {
        switch (c.unicode()) {
        case '"': s += "\\\""; break;
        case '\\': s += "\\\\"; break;
        case '\n': s += "\\n"; break;
        case '\r': s += "\\r"; break;
        case '\t': s += "\\t"; break;
        default:
            if (c.unicode() < 0x20)
                s += QString("\\u%1").arg(c.unicode(), 4, 16, QChar('0'));
            else
                s += c;
        }
    }
    return s + '"';
}

QString Json(const QVariant &valor) {
    if (!valor.isValid() || valor.isNull()) return "null";
    switch (valor.typeId()) {
    case QMetaType::Bool: return valor.toBool() ? "true" : "false";
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::Char: return QString::number(valor.toLongLong());
    case QMetaType::Double: {
        const double d = valor.toDouble();
        if (std::floor(d) == d && std::fabs(d) < 9e15) return QString::number(qint64(d));
        return QString::number(d, 'g', 17);
    }
    case QMetaType::QDateTime: return CadenaJson(valor.toDateTime().toString("yyyy-MM-ddTHH:mm:ss"));
    default: return CadenaJson(valor.toString());
    }
}

}  // namespace tarvo
