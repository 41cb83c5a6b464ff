// What the link driver needs of the serial device and of the clock, as
// interfaces: the driver runs on a real port in the program, and on a memory
// channel with a virtual clock where bytes are fed to it directly.
#pragma once

#include "core/aplicacion.h"

#include <QString>
#include <QtGlobal>

namespace tarvo {

// Bounds of one read or write call, in milliseconds. A read returns when the
// requested bytes are there, when the total time (per byte × requested +
// constant) has passed, or when the gap after a byte exceeds the interval.
// All-zero read bounds: the read waits until the requested bytes arrive.
struct TiemposPuerto {
    quint32 intervaloLectura = 0;
    quint32 lecturaPorByte = 0;
    quint32 lecturaConstante = 0;
    quint32 escrituraPorByte = 0;
    quint32 escrituraConstante = 0;
    bool operator==(const TiemposPuerto &) const = default;
};

// The time-outs for a line speed: k = 115200 / speed in whole numbers, so the
// bounds grow with the time a character takes; above 115200 baud k is 0.
TiemposPuerto TiemposPara(qint32 velocidad);

// How long a read of `cuantos` bytes may last at most under port bounds `t`
// and the call's own maximoMs (Canal::SoloPuerto: none), in milliseconds;
// -1 when nothing bounds it.
qint64 CotaLectura(const TiemposPuerto &t, int cuantos, qint64 maximoMs);

// How long `bytes` characters take on the line at `velocidad`, 10 bits a
// character, in microseconds (0 without a speed).
qint64 DuracionEnLinea(int bytes, qint32 velocidad);

class Canal {
public:
    virtual ~Canal() = default;
    // The existing device for reading and writing, held by nobody else.
    virtual bool Abre(const QString &ruta) = 0;
    // After an Abre that failed: the device is there but another program holds it.
    virtual bool Ocupado() const { return false; }
    virtual bool FijaColas(int entrada, int salida) = 0;
    // Discards both queues and whatever input or output is under way.
    virtual bool Purga() = 0;
    // Speed, data bits, parity and stop bits; the rest of the state stays.
    virtual bool FijaEstado(const ParametrosPuerto &p) = 0;
    virtual bool FijaTiempos(const TiemposPuerto &t) = 0;
    // Bytes read into destino (0 when none came within the bounds), or -1 when
    // the device failed or is closed. The call lasts no longer than the port's
    // bounds nor than maximoMs; SoloPuerto leaves it to the port's bounds.
    static constexpr qint64 SoloPuerto = -1;
    virtual int Lee(quint8 *destino, int cuantos, qint64 maximoMs) = 0;
    virtual int Escribe(const quint8 *origen, int cuantos) = 0;
    virtual void Cierra() = 0;
};

// A millisecond tick count and a sleep.
class Reloj {
public:
    virtual ~Reloj() = default;
    virtual qint64 Ahora();
    virtual void Dormir(int ms);
};

}  // namespace tarvo
