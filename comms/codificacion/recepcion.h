// Decoding a received table: the stream is cut into records by the length of
// the first stored Codificacion, and each record's columns are rebuilt from
// its bytes. The stream never gets read past its end: a short, odd-length or
// non-hexadecimal stream is refused before anything is written.
#pragma once

#include "comms/codificacion/registros.h"
#include "graphic/objeto.h"
#include "core/aplicacion.h"

namespace tarvo {

// `cuantos` records of `longitud` digits from the start of the stream (what
// follows them is the last block's filling and is ignored). Throws
// ErrorCodificacion for a length 0 or odd, a stream that is not hexadecimal
// where the records lie, or one too short for them.
QStringList CortaRegistros(QStringView hex, int longitud, int cuantos);

// The event texts: each record (type, stored length in digits) is taken from
// its type's start slot onwards; records of a type without a slot give a null
// string. Throws like CortaRegistros.
QStringList CortaTextosEventos(QStringView hex, const QList<std::pair<QString, int>> &registros,
                               const QMap<QString, int> &ranuras);

// Into an open database (throws; the caller reports).
void DecodificaTabla(bd::BaseDatos &db, const Aplicacion &app, const DatosCodificacion &datos, const QString &tabla,
                     QStringView hex);

// The model's protection input functions ("Tarvo Funciones Entradas PROT",
// column Funcion, stored order).
bool CargaStringEntradas(Contexto &ctx, QStringList &funciones);
// Everything the decoders need from the model and the dictionary.
bool PreparaDatosRecepcion(Contexto &ctx, DatosCodificacion &datos);

// One table's decoding as one transaction: nothing of it stays written when
// it throws.
void DecodificaEnTransaccion(bd::BaseDatos &db, const Aplicacion &app, const DatosCodificacion &datos,
                             const QString &tabla, QStringView hex);
// The name a table's decoding failures are reported under (its reader).
QString LectorDeTabla(const QString &tabla);

}  // namespace tarvo
