// The byte layout of one record of every configuration table: what the
// editors write into Codificacion and what the receiver reads back out of it.
// All per-table knowledge lives in TablasCodificadas(); the packers, the
// decoders and the editors look a table up there.
#pragma once

#include "comms/codificacion/hex.h"

#include <QStringList>
#include <QVariantMap>

namespace tarvo {

enum class Disposicion {
    Grupo,        // mask, group, values (6 bytes)
    Evento,       // mask, group (4 bytes): events and command bits
    Led,          // mask, group byte, mode byte, values (6 bytes)
    EntradaPROT,  // the assigned function's index (1 byte)
    EntradaCTRL,  // the physical control input, 0 = none (1 byte)
    Aparamenta,   // in-use, contact and transition bits of all switchgear (4 bytes)
    Condicion,    // command-bit and external-state masks and values (20 bytes)
    Tiempo,       // one little-endian number (2 bytes)
    TextoEvento,  // an alarm text (24 bytes)
    Grafico,      // a display object (12 bytes, graphic/objeto.h)
    NoEnviada,    // kept in the configuration only
};

enum class Empaquetador { Tabla, EntradasCTRL, TextoEventos, Grafico, Ninguno };

struct TablaCodificada {
    QString tabla;
    Disposicion disposicion;
    Empaquetador empaquetador;
    int bytes;           // bytes of one record as the editors write it
    QString columna;     // time tables: the column of the number
    bool comoDoble;      // time tables: the column takes a floating-point number
    QString lector;      // the receiving procedure, named in error reports
};

// Every table that has a place in a model's catalogue, in template order.
const QList<TablaCodificada> &TablasCodificadas();
// nullptr for a name that is not a configuration table (compared trimmed).
const TablaCodificada *BuscaTablaCodificada(const QString &tabla);

// What some layouts need beyond the record itself.
struct DatosCodificacion {
    QString columnaValor = "GrupoSenyal";   // the signal-group column (Aplicacion::ColumnaValor)
    QStringList funcionesEntradas;          // the model's protection input functions, from index 0
    QString sinAsignar;                     // dictionary text 530: a control input without a terminal
    QMap<int, QString> unidadesMedida;      // unit code -> unit text of the model's measures
};

// A record's columns by name. The switchgear record is described by three
// bytes of flags: "Seleccion", "Contacto" and "Transicion" (bit k: device k+1).
using Fila = QVariantMap;

// Columns -> Codificacion, by the table's layout (not for Grafico: see
// CodificaObjeto).
QString CodificaRegistro(const TablaCodificada &t, const Fila &fila, const DatosCodificacion &datos);
// Codificacion -> the columns it decodes into. Throws ErrorCodificacion for a
// text that is not hexadecimal or shorter than the layout's fields.
Fila DecodificaRegistro(const TablaCodificada &t, QStringView texto, const DatosCodificacion &datos);

// The per-record writers the editors call.
// Gates and outputs: 12 digits (mask, group, values in wire order).
QString CodificacionGrupo(quint16 mascara, int grupo, quint16 valores);
// Events and command bits: 8 digits (mask, group).
QString CodificacionEvento(quint16 mascara, int grupo);
// LEDs: mask, event group byte, mode byte (0x40 blinking, 0x80 latched), values.
QString CodificacionLed(quint16 mascara, int grupo, quint16 valores, bool parpadeo, bool mantenido);
// Times: four digits, low byte first.
QString CodificacionTiempo(int valor);
// A list index (control or protection input): two digits.
QString CodificacionIndice(int indice);
// Conditions: the four hexadecimal columns (most significant first) in wire order.
QString CodificacionCondicion(const QString &mascaraBitMando, const QString &mascaraEstado,
                              const QString &valorBitMando, const QString &valorEstado);

// The switchgear flags record.
struct FlagsAparamenta {
    quint8 seleccion = 0, contacto = 0, transicion = 0;
    void Pon(int dispositivo, bool seleccionada, bool contactoEntradas, bool estadoTransicion);   // 1..8
    bool operator==(const FlagsAparamenta &) const = default;
};
FlagsAparamenta LeeFlagsAparamenta(QStringView codificacion);   // throws on a malformed text
QString CodificacionAparamenta(const FlagsAparamenta &f);          // 8 digits, fourth byte 0
// The switchgear editor's save: the stored record with one device's bits set
// or cleared (devices beyond 8 leave it unchanged).
QString CodificacionAparamenta(const QString &actual, int dispositivo, bool seleccionada, bool contacto,
                               bool transicion);

// Bit-flag columns: prefix ("Mascara" or "Valor") + 1..16; bit n-1 is column n.
quint16 PalabraDeColumnas(const Fila &fila, const QString &prefijo);
void PonColumnasDePalabra(Fila &fila, const QString &prefijo, quint16 palabra);

// A text rebuilt from its bytes up to the first zero byte.
QString TextoDeBytes(QStringView hex, int maximo);

}  // namespace tarvo
