// A line on a virtual clock that moves only when a read has to wait: the
// relay's bytes come in pieces at given moments, and a read short of its bytes
// lasts its whole bound (the port's or the caller's, the lesser), the longest
// a serial read can take. Header only: a fuzz target uses it too.
#pragma once

#include "tests/support/canal_sin_dispositivo.h"

#include "comms/driver_orbel.h"

#include <algorithm>
#include <deque>

namespace prueba {

// Pauses are recorded apart; they do not move the clock.
struct RelojVirtual : tarvo::Reloj {
    qint64 ahora = 0;
    QList<int> pausas;
    qint64 Ahora() override { return ahora; }
    void Dormir(int ms) override { pausas.append(ms); }
};

class CanalVirtual : public CanalSinDispositivo {
public:
    struct Trozo { qint64 llegada; QByteArray bytes; };
    struct Lectura { int cuantos; qint64 maximo, momento; };
    QList<Lectura> lecturas;
    QList<int> escritos;

    // `respuesta`, when given, arrives whole at the moment of every write.
    CanalVirtual(RelojVirtual &reloj, std::deque<Trozo> trozos, QByteArray respuesta = {})
        : reloj_(reloj), trozos_(std::move(trozos)), respuesta_(std::move(respuesta)) {}
    bool Purga() override {
        Llegan();
        cola_.clear();
        return true;
    }
    int Lee(quint8 *destino, int cuantos, qint64 maximoMs) override {
        lecturas.append({cuantos, maximoMs, reloj_.ahora});
        // A read nothing bounds would hang for good: here it lasts ages.
        const qint64 cota = CotaLectura(tiempos_, cuantos, maximoMs);
        const qint64 limite = reloj_.ahora + (cota < 0 ? 1000000000 : cota);
        Llegan();
        while (cola_.size() < cuantos && !trozos_.empty() && trozos_.front().llegada <= limite) {
            reloj_.ahora = std::max(reloj_.ahora, trozos_.front().llegada);
            Llegan();
        }
        if (cola_.size() < cuantos) reloj_.ahora = std::max(reloj_.ahora, limite);
        const int n = std::min<int>(cuantos, int(cola_.size()));
        std::copy_n(cola_.constData(), n, destino);
        cola_.remove(0, n);
        return n;
    }
    int Escribe(const quint8 *, int cuantos) override {
        escritos.append(cuantos);
        if (!respuesta_.isEmpty()) cola_.append(respuesta_);
        return cuantos;
    }
    bool Agotado() const { return trozos_.empty() && cola_.isEmpty(); }

private:
    void Llegan() {
        while (!trozos_.empty() && trozos_.front().llegada <= reloj_.ahora) {
            cola_.append(trozos_.front().bytes);
            trozos_.pop_front();
        }
    }
    RelojVirtual &reloj_;
    std::deque<Trozo> trozos_;
    QByteArray respuesta_;
    QByteArray cola_;
};

}  // namespace prueba
