// The text form of a record's bytes (Codificacion): upper-case hexadecimal
// pairs in wire order, numbers of two or more bytes low byte first; and the
// 32-bit values the blocks carry, four bytes each, first byte lowest.
#pragma once

#include "store/db/basedatos.h"

#include <QString>

#include <array>
#include <optional>

namespace tarvo {

// Faults of a Codificacion or of a received stream, reported like database
// errors (a number and a description) by the procedure that meets them.
struct ErrorCodificacion : bd::ErrorBD {
    using bd::ErrorBD::ErrorBD;
};

namespace codigo_codificacion {
constexpr int NoHexadecimal = 30001;   // a character that is not a hexadecimal digit
constexpr int LongitudImpar = 30002;   // an odd number of digits
constexpr int FlujoCorto = 30003;      // the stream ends before the records do
constexpr int RegistroVacio = 30004;   // record length 0: nothing to cut the stream by
constexpr int Desbordamiento = 30005;  // more values than a table may carry, or a number over 8 digits
constexpr int RegistroCorto = 30006;   // a record shorter than its layout
}  // namespace codigo_codificacion

// Pads on the left with "0" up to `ancho` characters (longer texts stay whole).
QString RellenaCeros(const QString &texto, int ancho);
// Reverses the order of the digit pairs ("A1B2C3" -> "C3B2A1"); 0 or 2
// characters come back unchanged.
QString InvierteBytes(const QString &texto);
// A number as a field of `digitos` digits in wire order: upper-case
// hexadecimal of its low 4*digitos bits, zero-padded, then pair-reversed.
QString NumeroACodificacion(qint64 valor, int digitos);
// A 16-bit word as exactly four digits, most significant first.
QString PalabraAHex(quint16 palabra);

bool EsHexadecimal(QStringView texto);
// Reads digits (most significant first) with the "&H" rules: up to 4 digits a
// signed 16-bit value, 5 to 8 digits a signed 32-bit one; "" reads as 0.
// nullopt for a non-hexadecimal text or more than 8 digits.
std::optional<qint32> LeeHex(QStringView digitos);
// A field in wire order read back as a number: pairs reversed, then LeeHex.
std::optional<qint32> LeeCampo(QStringView codificacion);
// As LeeCampo, throwing ErrorCodificacion instead of giving nullopt.
qint32 LeeCampoONada(QStringView codificacion);

std::array<quint8, 4> ValorABytes(qint32 valor);
qint32 BytesAValor(const std::array<quint8, 4> &bytes);
// 8 digits: the value's four bytes low byte first, as a received block gives them.
QString ValorAHex(qint32 valor);

}  // namespace tarvo
