// One exchange with the relay simulator over a pty, without wire-speed
// emulation: the time an exchange takes beyond its post-reply pause (the
// pause is recorded, not slept). Median and 95th percentile over many.
// Target: median under 2 ms.
#include "comms/driver_orbel.h"
#include "rele_bench.h"
#include "core/ajustes.h"
#include "core/puertos.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace tarvo;

namespace {

struct SinPausas : Reloj {
    void Dormir(int) override {}
};

void Mide(const char *nombre, int veces, const std::function<qint16()> &intercambio) {
    std::vector<double> us;
    us.reserve(size_t(veces));
    int fallos = 0;
    for (int i = 0; i < veces; ++i) {
        QElapsedTimer t;
        t.start();
        if (intercambio() < 0) ++fallos;
        us.push_back(double(t.nsecsElapsed()) / 1000.0);
    }
    std::sort(us.begin(), us.end());
    std::printf("%-34s n=%-5d median %8.1f us   p95 %8.1f us   failures %d\n", nombre, veces, us[us.size() / 2],
                us[us.size() * 95 / 100], fallos);
}

}  // namespace

int main() {
    QTemporaryDir dir;
    FijaPrefijoDispositivos(dir.path() + "/sin-dispositivos/ttyS");
    relaysim::Opciones o;
    o.programa = dir.path();
    relaysim::ServidorPty rele(o);
    if (!bench::ArrancaRele(rele)) return 1;

    Aplicacion app;
    app.DirectorioPrograma = dir.path();
    app.FicheroIni = dir.path() + "/tarvo32.ini";
    ParametrosPuerto p;
    p.Puerto = 1;
    p.Velocidad = 115200;
    GuardaParametrosPuerto(app, p);
    SinPausas reloj;
    clsDriverOrbel driver(app, nullptr, &reloj);
    driver.NumeroRele(o.rele);
    driver.ClaveRele(o.clave);
    driver.PuertoAbierto(true);
    if (!driver.PuertoAbierto()) {
        std::fprintf(stderr, "the port did not open\n");
        return 1;
    }
    const QByteArray bloque(240, '\x5A');
    QByteArray r;
    driver.EscribirDatosRele(r, 1, 4, 0, 5, 1, bloque, 240);
    driver.ConfirmarEscrituraDatos(r, 1, 4, 0, 5);

    Mide("read 240-byte block (pause 0)", 2000, [&] { return driver.LeerDatosRele(r, 1, 4, 0, 5, 1, 5000); });
    Mide("write 240-byte block (pause 200)", 1000,
         [&] { return driver.EscribirDatosRele(r, 1, 4, 0, 5, 2, bloque, 240); });
    Mide("confirm (pause 300)", 1000, [&] { return driver.ConfirmarEscrituraDatos(r, 1, 4, 0, 5); });
    Mide("identification (pause 0)", 1000, [&] {
        QString m;
        return driver.LeerMatricula(m);
    });
    driver.PuertoAbierto(false);
    return 0;
}
