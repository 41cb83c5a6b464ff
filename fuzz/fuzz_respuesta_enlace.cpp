// Arbitrary bytes as the relay's side of the line: the link driver must turn
// any of them into a payload or a link code, never read or write out of
// bounds, and start every exchange clean.
//
// Input: a sequence of chunks, each a control byte and up to 63 bytes. The
// control byte's low six bits give the chunk's length, its top two bits how
// many port time-outs pass before it arrives, so headers come in pieces, late,
// or after a purge.
#include "tests/comms/canal_virtual.h"

#include <cstdint>
#include <cstdlib>

namespace {

using namespace tarvo;

void Comprueba(qint16 r, const QByteArray &carga) {
    if (r < orbel::codigo::LongitudCorta || r > orbel::MaxCargaRespuesta) std::abort();
    if (r >= 0 ? carga.size() != r : !carga.isEmpty()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *datos, size_t tamano) {
    // Delays of 0, 9, 18 or 27 s around the exchanges' deadlines of 2 to 10 s
    // and the 17.4 s of the port's read bound at the default 9600 baud.
    const qint64 bloqueo = 9000;
    std::deque<prueba::CanalVirtual::Trozo> trozos;
    qint64 t = 0;
    for (size_t i = 0; i < tamano;) {
        const uint8_t control = datos[i++];
        t += (control >> 6) * bloqueo;
        const size_t n = std::min<size_t>(control & 0x3F, tamano - i);
        trozos.push_back({t, QByteArray(reinterpret_cast<const char *>(datos + i), qsizetype(n))});
        i += n;
    }

    Aplicacion app;   // no settings file: the defaults, which open the memory channel all the same
    prueba::RelojVirtual reloj;
    auto canal = std::make_unique<prueba::CanalVirtual>(reloj, std::move(trozos));
    const prueba::CanalVirtual &linea = *canal;
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
    // Every read is bounded by the exchange's deadline, and every frame fits the buffer.
    for (const auto &l : linea.lecturas)
        if (l.cuantos <= 0 || l.cuantos > 256 || l.maximo < 0) std::abort();
    for (int n : linea.escritos)
        if (n < 16 || n > 256) std::abort();
    return 0;
}
