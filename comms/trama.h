// Frames of the relay link, request and reply: building, checking and
// decoding them. Pure functions over bytes, shared by the link driver and the
// relay simulator; no I/O here.
//
// Every frame is a 9-byte header (its byte 7 is L, byte 8 the XOR of bytes 0
// to 7) followed by L body bytes and the XOR of those body bytes.
#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <array>

namespace tarvo::orbel {

inline constexpr int TamCabecera = 9;
inline constexpr int TamBufferTrama = 256;
// Data bytes a write may carry: the body checksum must still fit the buffer.
inline constexpr int MaxDatosEscritura = 240;
// The six body bytes before the payload (command, area, sub-group, group, block).
inline constexpr int TamPrefijoCuerpo = 6;
// L is one byte, so a reply carries at most this much payload.
inline constexpr int MaxCargaRespuesta = 255 - TamPrefijoCuerpo;

using BufferTrama = std::array<quint8, TamBufferTrama>;

enum Comando : quint8 { Escribir = 1, Confirmar = 2, Cancelar = 3, Leer = 4 };

inline constexpr quint8 AreaGrupos = 4;
inline constexpr quint8 AreaMatricula = 9;
inline constexpr quint8 CPUMatricula = 2;

// Link result codes: an exchange returns the payload length (0 or more) or one
// of these.
namespace codigo {
inline constexpr qint16 ChecksumCuerpo = -1;
inline constexpr qint16 CuerpoIncompleto = -2;
inline constexpr qint16 ChecksumCabecera = -3;
inline constexpr qint16 ByteTresErroneo = -4;
inline constexpr qint16 SinCabecera = -5;
// A reply whose L cannot hold the six leading body bytes.
inline constexpr qint16 LongitudCorta = -6;
// A write of more than MaxDatosEscritura bytes: refused, nothing is sent.
inline constexpr qint16 DatosExcesivos = -7;
}  // namespace codigo

// The relay's text answers to writes, confirmations and cancellations.
inline constexpr char Puedo[] = "PUEDO.";
inline constexpr char Hecho[] = "HECHO.";
inline constexpr char Fallo[] = "FALLO.";

quint8 Xor(const quint8 *bytes, int primero, int cuenta);

struct Peticion {
    quint8 rele = 0;
    quint8 cpu = 0;
    quint8 comando = Leer;
    quint8 area = AreaGrupos;
    quint8 subgrupo = 0;
    quint8 grupo = 0;
    quint16 bloque = 0;
    QByteArray datos;     // write: the data; confirm: the password, 4 bytes LE; else empty
};

// Lays the request into the frame buffer; returns the number of bytes to write
// (16 + data), or codigo::DatosExcesivos when the data cannot fit.
int ConstruyePeticion(BufferTrama &buffer, const Peticion &p);

// The four password bytes of a confirmation, low byte first.
QByteArray BytesClave(qint32 clave);

// A whole reply frame as the relay sends it: the request's addressing echoed
// in the header and the first six body bytes, then the payload (cut to
// MaxCargaRespuesta).
QByteArray ConstruyeRespuesta(const Peticion &a, const QByteArray &carga);

// Requests as the relay reads them from a byte stream that may hold noise and
// frames cut short.
struct PeticionLeida {
    Peticion peticion;
    int L = 0;
    QByteArray cruda;   // the frame's bytes as they arrived
};
enum class Extraccion {
    Falta,      // the start of a frame is there; wait for more bytes
    Trama,      // a whole, valid request: consume `consumidos` bytes
    Descarta,   // `consumidos` leading bytes cannot start a request
};
Extraccion ExtraePeticion(const QByteArray &entrada, PeticionLeida &leida, int &consumidos);

}  // namespace tarvo::orbel
