// Whole send and whole receive of the full model to the relay simulator with
// wire-speed emulation, at 19200 and 115200 baud, each beside its floor: the
// time every byte written and read takes on the wire (10 bits a character),
// plus the driver's post-reply pauses and the one-second settling of the
// open, all of which are slept for real here. Target: within 3 % of the floor.
// A send takes many seconds and is run once; the receive, the median of five.
#include "comms/canal_serie.h"
#include "comms/envio.h"
#include "comms/recepcion_ajustes.h"
#include "instalacion_bench.h"
#include "rele_bench.h"
#include "core/ajustes.h"
#include "core/puertos.h"
#include "store/db/basedatos.h"
#include "store/ficheros.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tarvo;

namespace {

// The machine's terminal interface, counting the bytes that cross it.
class CanalContado : public Canal {
public:
    qint64 escritos = 0, leidos = 0;
    bool Abre(const QString &r) override { return real_.Abre(r); }
    bool FijaColas(int e, int s) override { return real_.FijaColas(e, s); }
    bool Purga() override { return real_.Purga(); }
    bool FijaEstado(const ParametrosPuerto &p) override { return real_.FijaEstado(p); }
    bool FijaTiempos(const TiemposPuerto &t) override { return real_.FijaTiempos(t); }
    int Lee(quint8 *d, int n, qint64 maximo) override {
        const int r = real_.Lee(d, n, maximo);
        if (r > 0) leidos += r;
        return r;
    }
    int Escribe(const quint8 *o, int n) override {
        const int r = real_.Escribe(o, n);
        if (r > 0) escritos += r;
        return r;
    }
    void Cierra() override { real_.Cierra(); }

private:
    CanalSerie real_;
};

struct RelojContado : Reloj {
    qint64 dormido = 0;
    void Dormir(int ms) override {
        dormido += ms;
        Reloj::Dormir(ms);
    }
};

struct Medida {
    double ms = 0, suelo = 0;
    bool bien = false;
};

void Informa(const char *que, qint32 baudios, const Medida &m) {
    std::printf("%-8s %6d baud  %10.1f ms   floor %10.1f ms   over floor %+6.2f %%  %s\n", que, baudios, m.ms, m.suelo,
                (m.ms / m.suelo - 1) * 100, m.bien ? "" : "FAILED");
}

}  // namespace

int main(int argc, char **argv) {
    QCoreApplication qapp(argc, argv);
    bench::Instalacion ins;
    if (!ins.Prepara()) return 1;
    Contexto &ctx = ins.ctx;
    Aplicacion &a = ctx.app;
    FijaPrefijoDispositivos(ins.raiz.filePath("sin-dispositivos/ttyS"));
    ins.ui.EsperaModelo("TRV-610 **");
    NuevaConfiguracion(ctx, ins.v);
    if (!a.HayFicheroActual()) return 1;
    a.NumeroRele = 1;
    a.PasswordRele = 1234;

    for (const qint32 baudios : {19200, 115200}) {
        ParametrosPuerto p;
        p.Puerto = 1;
        p.Velocidad = baudios;
        GuardaParametrosPuerto(a, p);
        relaysim::Opciones o;
        o.programa = a.DirectorioPrograma;
        o.modelo = a.DirectorioModelos + "TRV610.MDB";
        o.velocidadReal = true;
        relaysim::ServidorPty rele(o);
        if (!bench::ArrancaRele(rele)) return 1;
        auto canal = std::make_unique<CanalContado>();
        CanalContado &contado = *canal;
        RelojContado reloj;
        clsDriverOrbel driver(a, std::move(canal), &reloj);
        driver.NumeroRele(1);
        driver.ClaveRele(1234);
        MonitorGuionizado monitor;
        Comunicaciones c{ctx, ins.v, monitor, driver};

        auto suelo = [&] {
            return double(DuracionEnLinea(int(contado.escritos + contado.leidos), baudios)) / 1000.0 +
                   double(reloj.dormido);
        };
        Medida envio;
        QElapsedTimer t;
        t.start();
        driver.PuertoAbierto(true);
        envio.bien = driver.PuertoAbierto() && EnviaTodosGrupos(c, a.CopiaTrabajo);
        envio.ms = t.nsecsElapsed() / 1e6;
        envio.suelo = suelo();
        Informa("send", baudios, envio);

        // Each receive reopens the port, so that its floor has the open too.
        const QString destino = a.DirectorioTrabajo + QString("recibido%1.cnf").arg(baudios);
        // The new target is prepared as the receive copy.
        if (!CargaFicheroRecepcion(c, destino)) return 1;
        // A receive leaves the target without its per-language name columns:
        // every run starts again from the target as it was made.
        const QString nuevo = destino + ".nuevo";
        if (!bd::CopiaFichero(a.CopiaRecepcion, nuevo)) return 1;
        std::vector<Medida> recepciones;
        for (int i = 0; i < 5; ++i) {
            if (!bd::CopiaFichero(nuevo, destino)) return 1;
            driver.PuertoAbierto(false);
            contado.escritos = contado.leidos = 0;
            reloj.dormido = 0;
            Medida m;
            t.restart();
            driver.PuertoAbierto(true);
            m.bien = driver.PuertoAbierto() && LeeTodosGrupos(c, destino);
            m.ms = t.nsecsElapsed() / 1e6;
            m.suelo = suelo();
            recepciones.push_back(m);
        }
        std::sort(recepciones.begin(), recepciones.end(),
                  [](const Medida &x, const Medida &y) { return x.ms / x.suelo < y.ms / y.suelo; });
        Medida recepcion = recepciones[recepciones.size() / 2];
        recepcion.bien = std::all_of(recepciones.begin(), recepciones.end(), [](const Medida &m) { return m.bien; });
        Informa("receive", baudios, recepcion);
        driver.PuertoAbierto(false);
    }
    return 0;
}
