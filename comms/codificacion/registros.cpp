#include "comms/codificacion/registros.h"

#include "core/pagina437.h"
#include "graphic/objeto.h"
#include "store/catalogo.h"

namespace tarvo {
namespace {

using D = Disposicion;
using E = Empaquetador;
namespace cc = codigo_codificacion;

// Checks a record text before any field is read from it.
void CompruebaTexto(QStringView texto, int bytesMinimos) {
    if (!EsHexadecimal(texto))
        throw ErrorCodificacion(cc::NoHexadecimal, QString("'%1' is not hexadecimal.").arg(texto.left(48)));
    if (texto.size() % 2)
        throw ErrorCodificacion(cc::LongitudImpar, QString("'%1' has an odd number of digits.").arg(texto.left(48)));
    if (texto.size() < 2 * bytesMinimos)
        throw ErrorCodificacion(cc::RegistroCorto, QString("'%1' is shorter than %2 bytes.").arg(texto).arg(bytesMinimos));
}

quint16 Palabra(QStringView texto, int byte) { return quint16(LeeCampoONada(texto.mid(2 * byte, 4))); }

QString Byte2(int valor) { return RellenaCeros(QString::number(valor & 0xFF, 16).toUpper(), 2); }

// The hexadecimal columns of a condition, most significant digit first.
QString Derecho(QStringView texto, int byte, int bytes) {
    return InvierteBytes(texto.mid(2 * byte, 2 * bytes).toString()).toUpper();
}

Fila FilaDeObjeto(const ObjetoGrafico &o) {
    auto t = [](const QString &s) { return s.isNull() ? QVariant() : QVariant(s); };
    return {{"Identificador", o.Identificador}, {"apaN2", o.apaN2},   {"apa", o.apa},       {"cpu", o.cpu},
            {"txt", t(o.txt)},                 {"txt_m", t(o.txt_m)}, {"txt_u", t(o.txt_u)}, {"unidad_m", o.unidad_m},
            {"txtb0", t(o.txtb0)},             {"txtb1", t(o.txtb1)}, {"oper_b", o.oper_b},  {"oper_c", o.oper_c},
            {"oper_d", o.oper_d},              {"donde", o.donde},   {"x", o.x},           {"y", o.y},
            {"pag", o.pag}};
}

}  // namespace

const QList<TablaCodificada> &TablasCodificadas() {
    static const QList<TablaCodificada> tablas = {
        {"Entradas PROT", D::EntradaPROT, E::Tabla, 1, {}, false, "LeeEntradasPROT"},
        {"ANDs PROT", D::Grupo, E::Tabla, 6, {}, false, "LeeANDsPROT"},
        {"Salidas PROT", D::Grupo, E::Tabla, 6, {}, false, "LeeSalidasPROT"},
        {"Eventos PROT", D::Evento, E::Tabla, 4, {}, false, "LeeEventosPROT"},
        {"Aparamenta CTRL", D::Aparamenta, E::Tabla, 4, {}, false, "LeeAparamentaCTRL"},
        {"TiempoAperturaCierre CTRL", D::Tiempo, E::Tabla, 2, "Temporizador", false, "LeeTiempoAperturaCierreCTRL"},
        {"TiempoPrevio CTRL", D::Tiempo, E::Tabla, 2, "TiempoActuacion", true, "LeeTiempoPrevioCTRL"},
        {"TiempoFallo CTRL", D::Tiempo, E::Tabla, 2, "TiempoFallo", false, "LeeTiempoFalloCTRL"},
        {"TiempoSalida CTRL", D::Tiempo, E::Tabla, 2, "TiempoSalida", true, "LeeTiempoSalidaCTRL"},
        {"TiempoEntradas CTRL", D::Tiempo, E::Tabla, 2, "TemporizadorEntradaControl", false, "LeeTiempoEntradasCTRL"},
        {"EntradasPulsos CTRL", D::NoEnviada, E::Ninguno, 0, {}, false, {}},
        {"Entradas CTRL", D::EntradaCTRL, E::EntradasCTRL, 1, {}, false, "LeeEntradasCTRL"},
        {"EsperaConfirmacion CTRL", D::Tiempo, E::Tabla, 2, "Tiempo", true, "LeeEsperaConfirmacionCTRL"},
        {"BitMando CTRL", D::Evento, E::Tabla, 4, {}, false, "LeeBitMandoCTRL"},
        {"Actuacion CTRL", D::Condicion, E::Tabla, 20, {}, false, "LeeActuacionCTRL"},
        {"Fallo CTRL", D::Condicion, E::Tabla, 20, {}, false, "LeeFalloCTRL"},
        {"Exito CTRL", D::Condicion, E::Tabla, 20, {}, false, "LeeExitoCTRL"},
        {"Salidas CTRL", D::Grupo, E::Tabla, 6, {}, false, "LeeSalidasCTRL"},
        {"Eventos CTRL", D::Evento, E::Tabla, 4, {}, false, "LeeEventosCTRL"},
        {"Eventos COMU", D::Evento, E::Tabla, 4, {}, false, "LeeEventosCOMU"},
        {"LEDs COMU", D::Led, E::Tabla, 6, {}, false, "LeeLEDsCOMU"},
        {"TextoEventos COMU", D::TextoEvento, E::TextoEventos, 24, {}, false, "LeeTextoEventosCOMU"},
        {"Grafico COMU", D::Grafico, E::Grafico, 12, {}, false, "LeeGraficoCOMU"},
    };
    return tablas;
}

const TablaCodificada *BuscaTablaCodificada(const QString &tabla) {
    const QString nombre = tabla.trimmed();
    for (const TablaCodificada &t : TablasCodificadas())
        if (t.tabla == nombre) return &t;
    return nullptr;
}

quint16 PalabraDeColumnas(const Fila &fila, const QString &prefijo) {
    quint16 p = 0;
    for (int n = 1; n <= 16; ++n)
        if (fila.value(prefijo + QString::number(n)).toBool()) p |= quint16(1u << (n - 1));
    return p;
}

void PonColumnasDePalabra(Fila &fila, const QString &prefijo, quint16 palabra) {
    for (int n = 1; n <= 16; ++n) fila.insert(prefijo + QString::number(n), bool(palabra & (1u << (n - 1))));
}

QString TextoDeBytes(QStringView hex, int maximo) {
    QString t;
    for (qsizetype i = 0; i + 1 < hex.size() && t.size() < maximo; i += 2) {
        const auto c = LeeHex(hex.mid(i, 2));
        if (!c || *c == 0) break;
        t += LetraRele(quint8(*c));
    }
    return t;
}

QString CodificacionGrupo(quint16 mascara, int grupo, quint16 valores) {
    return InvierteBytes(PalabraAHex(valores) + PalabraAHex(quint16(grupo)) + PalabraAHex(mascara));
}

QString CodificacionEvento(quint16 mascara, int grupo) {
    return InvierteBytes(PalabraAHex(quint16(grupo)) + PalabraAHex(mascara));
}

QString CodificacionLed(quint16 mascara, int grupo, quint16 valores, bool parpadeo, bool mantenido) {
    const int modo = (parpadeo ? 4 : 0) + (mantenido ? 8 : 0);
    return InvierteBytes(PalabraAHex(valores) + QString::number(modo, 16).toUpper() + "0" + Byte2(grupo) +
                         PalabraAHex(mascara));
}

QString CodificacionTiempo(int valor) { return NumeroACodificacion(valor, 4); }

QString CodificacionIndice(int indice) { return NumeroACodificacion(indice, 2); }

QString CodificacionCondicion(const QString &mascaraBitMando, const QString &mascaraEstado,
                              const QString &valorBitMando, const QString &valorEstado) {
    return InvierteBytes(valorEstado + valorBitMando + mascaraEstado + mascaraBitMando);
}

void FlagsAparamenta::Pon(int dispositivo, bool seleccionada, bool contactoEntradas, bool estadoTransicion) {
    if (dispositivo < 1 || dispositivo > 8) return;
    const quint8 bit = quint8(1u << (dispositivo - 1));
    auto pon = [&](quint8 &b, bool v) { b = v ? quint8(b | bit) : quint8(b & ~bit); };
    pon(seleccion, seleccionada);
    pon(contacto, contactoEntradas);
    pon(transicion, estadoTransicion);
}

FlagsAparamenta LeeFlagsAparamenta(QStringView codificacion) {
    CompruebaTexto(codificacion, 4);
    return {quint8(LeeCampoONada(codificacion.mid(0, 2))), quint8(LeeCampoONada(codificacion.mid(2, 2))),
            quint8(LeeCampoONada(codificacion.mid(4, 2)))};
}

QString CodificacionAparamenta(const FlagsAparamenta &f) {
    return InvierteBytes("00" + Byte2(f.transicion) + Byte2(f.contacto) + Byte2(f.seleccion));
}

QString CodificacionAparamenta(const QString &actual, int dispositivo, bool seleccionada, bool contacto,
                               bool transicion) {
    FlagsAparamenta f;
    try {
        f = LeeFlagsAparamenta(actual);
    } catch (const ErrorCodificacion &) {
        // A damaged record starts again from no device in use.
    }
    f.Pon(dispositivo, seleccionada, contacto, transicion);
    return CodificacionAparamenta(f);
}

QString CodificaRegistro(const TablaCodificada &t, const Fila &f, const DatosCodificacion &datos) {
    switch (t.disposicion) {
    case D::Grupo:
        return CodificacionGrupo(PalabraDeColumnas(f, "Mascara"), f.value(datos.columnaValor).toInt(),
                                 PalabraDeColumnas(f, "Valor"));
    case D::Evento:
        return CodificacionEvento(PalabraDeColumnas(f, "Mascara"), f.value(datos.columnaValor).toInt());
    case D::Led:
        return CodificacionLed(PalabraDeColumnas(f, "Mascara"), f.value(datos.columnaValor).toInt(),
                               PalabraDeColumnas(f, "Valor"), f.value("Parpadeo").toBool(),
                               f.value("Mantenido").toBool());
    case D::EntradaPROT:
        return CodificacionIndice(f.value("ValorEntrada").toInt());
    case D::EntradaCTRL: {
        const QString nombre = f.value("NombreAjuste").toString().trimmed();
        return CodificacionIndice(nombre.startsWith("EC ") ? nombre.mid(3).toInt() : 0);
    }
    case D::Aparamenta:
        return CodificacionAparamenta(FlagsAparamenta{quint8(f.value("Seleccion").toUInt()),
                                                      quint8(f.value("Contacto").toUInt()),
                                                      quint8(f.value("Transicion").toUInt())});
    case D::Condicion:
        return CodificacionCondicion(f.value("MascaraBitMando").toString(), f.value("MascaraEstado").toString(),
                                     f.value("ValorBitMando").toString(), f.value("ValorEstado").toString());
    case D::Tiempo:
        return CodificacionTiempo(qRound(f.value(t.columna).toDouble()));
    case D::TextoEvento:
        return TextoAHex(f.value("Texto").toString());
    case D::Grafico:
    case D::NoEnviada:
        break;
    }
    return f.value("Codificacion").toString();
}

Fila DecodificaRegistro(const TablaCodificada &t, QStringView texto, const DatosCodificacion &datos) {
    Fila f;
    switch (t.disposicion) {
    case D::Grupo:
        CompruebaTexto(texto, 6);
        PonColumnasDePalabra(f, "Mascara", Palabra(texto, 0));
        f.insert(datos.columnaValor, LeeCampoONada(texto.mid(4, 4)));
        PonColumnasDePalabra(f, "Valor", Palabra(texto, 4));
        break;
    case D::Evento:
        CompruebaTexto(texto, 4);
        PonColumnasDePalabra(f, "Mascara", Palabra(texto, 0));
        f.insert(datos.columnaValor, LeeCampoONada(texto.mid(4, 4)));
        break;
    case D::Led: {
        CompruebaTexto(texto, 6);
        PonColumnasDePalabra(f, "Mascara", Palabra(texto, 0));
        const quint16 grupo = Palabra(texto, 2);
        f.insert(datos.columnaValor, int(grupo & 0x3FFF));
        f.insert("Parpadeo", bool(grupo & 0x4000));
        f.insert("Mantenido", bool(grupo & 0x8000));
        PonColumnasDePalabra(f, "Valor", Palabra(texto, 4));
        break;
    }
    case D::EntradaPROT: {
        CompruebaTexto(texto, 1);
        const qint32 n = LeeCampoONada(texto);
        f.insert("ValorEntrada", n);
        f.insert("ValorTextoEntrada", n >= 0 && n < datos.funcionesEntradas.size() ? datos.funcionesEntradas[n] : QString(""));
        break;
    }
    case D::EntradaCTRL: {
        CompruebaTexto(texto, 1);
        const qint32 n = LeeCampoONada(texto);
        f.insert("NombreAjuste", n == 0 ? datos.sinAsignar : "EC " + QString::number(n));
        break;
    }
    case D::Aparamenta: {
        const FlagsAparamenta a = LeeFlagsAparamenta(texto);
        f.insert("Seleccion", a.seleccion);
        f.insert("Contacto", a.contacto);
        f.insert("Transicion", a.transicion);
        break;
    }
    case D::Condicion:
        CompruebaTexto(texto, 20);
        f.insert("MascaraBitMando", Derecho(texto, 0, 8));
        f.insert("MascaraEstado", Derecho(texto, 8, 2));
        f.insert("ValorBitMando", Derecho(texto, 10, 8));
        f.insert("ValorEstado", Derecho(texto, 18, 2));
        break;
    case D::Tiempo: {
        CompruebaTexto(texto, 1);
        const qint32 n = LeeCampoONada(texto);
        f.insert(t.columna, t.comoDoble ? QVariant(double(n)) : QVariant(n));
        break;
    }
    case D::TextoEvento:
        CompruebaTexto(texto, 0);
        f.insert("Texto", TextoDeBytes(texto, 24));
        break;
    case D::Grafico: {
        CompruebaTexto(texto, 12);
        const auto bytes = BytesDeHex(texto.left(24));
        if (const auto o = DecodificaObjeto(*bytes)) f = FilaDeObjeto(*o);
        break;
    }
    case D::NoEnviada:
        break;
    }
    return f;
}

}  // namespace tarvo
