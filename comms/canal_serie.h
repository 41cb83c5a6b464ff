// The serial device of the machine (or a pseudo-terminal standing in for
// one), driven through the kernel's terminal interface directly: the read
// bounds, the purge and the exclusive open must behave exactly as the driver
// expects, and any line speed, mark and space parity must be settable.
#pragma once

#include "comms/canal.h"

namespace tarvo {

class CanalSerie : public Canal {
public:
    ~CanalSerie() override;
    bool Abre(const QString &ruta) override;
    bool Ocupado() const override { return ocupado_; }
    bool FijaColas(int entrada, int salida) override;
    bool Purga() override;
    bool FijaEstado(const ParametrosPuerto &p) override;
    bool FijaTiempos(const TiemposPuerto &t) override;
    int Lee(quint8 *destino, int cuantos, qint64 maximoMs) override;
    int Escribe(const quint8 *origen, int cuantos) override;
    void Cierra() override;

private:
    int fd_ = -1;
    bool ocupado_ = false;
    TiemposPuerto tiempos_;
};

// A terminal as a binary line: no echo, no line editing, no character
// translation, no software flow control (frames carry any byte value).
// Hardware flow control and the line settings are left as they are.
bool PonModoBinario(int fd);

// The terminal control flags `cflag` rewritten for p's speed, word length,
// parity and stop bits; false when p asks for what no line can do.
bool BanderasLinea(const ParametrosPuerto &p, unsigned &cflag);

// The line settings of an open terminal as a ParametrosPuerto (Puerto is left
// alone). One and a half stop bits cannot be told from two here.
bool LeeEstadoTerminal(int fd, ParametrosPuerto &p);

}  // namespace tarvo
