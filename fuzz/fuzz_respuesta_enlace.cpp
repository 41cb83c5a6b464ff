// Arbitrary bytes as the relay's side of the line: the link driver must turn
// any of them into a payload or a link code, never read or write out of
// bounds, and start every exchange clean.
//
// Input: a sequence of chunks, each a control byte and up to 63 bytes. The
// control byte's low six bits give the chunk's length, its top two bits how
// many port time-outs pass before it arrives, so headers come in pieces, late,
// or after a purge.
#include "comms/driver_orbel.h"
#include "tests/support/canal_sin_dispositivo.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <deque>

namespace {

using namespace tarvo;

// A clock that moves only when the line makes it wait.
struct RelojVirtual : Reloj {
    qint64 ahora = 0;
    qint64 Ahora() override { return ahora; }
    void Dormir(int ms) override { ahora += ms; }
};

struct Trozo {
    qint64 llegada;
    QByteArray bytes;
};

// A serial device fed from the fuzz input, on the virtual clock.
class CanalMemoria : public prueba::CanalSinDispositivo {
public:
    CanalMemoria(RelojVirtual &reloj, std::deque<Trozo> trozos) : reloj_(reloj), trozos_(std::move(trozos)) {}
    bool Purga() override {
        Llegan();
        cola_.clear();
        return true;
    }
    int Lee(quint8 *destino, int cuantos, qint64 maximoMs) override {
        // Every read of the driver's ends by the exchange's deadline.
        if (cuantos <= 0 || cuantos > 256 || maximoMs < 0) std::abort();
        const qint64 limite = reloj_.ahora + CotaLectura(tiempos_, cuantos, maximoMs);
        Llegan();
        // Nothing there: wait for the next chunk or the read's bound, whichever first.
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
        if (cuantos < 16 || cuantos > 256) std::abort();
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
    QByteArray cola_;
};

void Comprueba(qint16 r, const QByteArray &carga) {
    if (r < orbel::codigo::LongitudCorta || r > orbel::MaxCargaRespuesta) std::abort();
    if (r >= 0 ? carga.size() != r : !carga.isEmpty()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *datos, size_t tamano) {
    // Delays of 0, 9, 18 or 27 s around the exchanges' deadlines of 2 to 10 s
    // and the 17.4 s of the port's read bound at the default 9600 baud.
    const qint64 bloqueo = 9000;
    std::deque<Trozo> trozos;
    qint64 t = 0;
    for (size_t i = 0; i < tamano;) {
        const uint8_t control = datos[i++];
        t += (control >> 6) * bloqueo;
        const size_t n = std::min<size_t>(control & 0x3F, tamano - i);
        trozos.push_back({t, QByteArray(reinterpret_cast<const char *>(datos + i), qsizetype(n))});
        i += n;
    }

    Aplicacion app;   // no settings file: the defaults, which open the memory channel all the same
    RelojVirtual reloj;
    auto canal = std::make_unique<CanalMemoria>(reloj, std::move(trozos));
    CanalMemoria &linea = *canal;
    clsDriverOrbel driver(app, std::move(canal), &reloj);
    driver.NumeroRele(1);
    driver.ClaveRele(1234);
    driver.PuertoAbierto(true);
    if (!driver.PuertoAbierto()) std::abort();

    for (int i = 0; i < 12 && !linea.Agotado(); ++i) {
        QByteArray carga;
        QString texto;
        switch (i % 5) {
            case 0: Comprueba(driver.LeerDatosRele(carga, 1, 4, 0, 5, 1, 2000), carga); break;
            case 1: Comprueba(driver.EscribirDatosRele(carga, 1, 4, 0, 5, 1, QByteArray(240, '\1'), 240), carga); break;
            case 2: Comprueba(driver.ConfirmarEscrituraDatos(carga, 1, 4, 0, 5), carga); break;
            case 3: Comprueba(driver.CancelarEscrituraDatos(carga, 1, 4, 0, 5), carga); break;
            default: {
                const qint16 r = driver.LeerMatricula(texto);
                if (r <= 0 && !texto.isEmpty()) std::abort();
                break;
            }
        }
    }
    return 0;
}
