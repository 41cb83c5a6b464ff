// The relay's answers: one decoded request in, the reply to send (or none)
// out, with the configured faults applied. No I/O here.
#pragma once

#include "comms/trama.h"
#include "memoria.h"
#include "modelo.h"
#include "opciones.h"

#include <QString>

#include <optional>

namespace relaysim {

// A reply as it goes on the line.
struct Envio {
    QByteArray previo;      // stray bytes sent first
    QByteArray trama;
    int partirEn = 0;       // > 0: the first bytes of trama, a pause, then the rest
    int pausaPartidaMs = 0;
    int retardoMs = 0;      // before anything is sent
};

class MotorRele {
public:
    MotorRele(const Opciones &o, const Identidad &id, MemoriaRele memoria);

    // The reply, or nullopt when the relay stays silent; `linea` gets the
    // request log line, `cambio` tells whether the memory changed.
    std::optional<Envio> Atiende(const tarvo::orbel::PeticionLeida &leida, QString &linea, bool &cambio);

    const MemoriaRele &Memoria() const { return memoria_; }
    int Peticiones() const { return peticiones_; }

private:
    QByteArray Carga(const tarvo::orbel::Peticion &p, bool &cambio, QString &nota);
    const FalloBloque *FalloPara(const tarvo::orbel::Peticion &p) const;
    // Commits the group's pending blocks, storing the corrupt ones wrongly.
    void Confirma(const ClaveBloque &grupo, QString &nota);

    Opciones o_;
    Identidad id_;
    MemoriaRele memoria_;
    int peticiones_ = 0;
};

}  // namespace relaysim
