// A started installation with the relay simulator on a pty linked as its
// COM1, a link driver on it and the Comunicaciones the transfers need. The
// driver's pauses are recorded instead of slept, and a silent line is over in
// a fraction of a second: the port's read bounds are cut short and every look
// at the clock moves it a second on, so the reply deadlines pass after a few
// reads instead of seconds.
#pragma once

#include "comms/canal_serie.h"
#include "comms/comunicaciones.h"
#include "linea.h"
#include "store/ficheros.h"
#include "support/instalacion.h"

#include <QFile>

namespace prueba {

struct RelojVeloz : RelojRegistrado {
    qint64 adelanto = 0;
    qint64 Ahora() override {
        adelanto += 1000;
        return tarvo::Reloj::Ahora() + adelanto;
    }
};

// The machine's terminal interface with short read bounds.
class CanalBreve : public tarvo::CanalSerie {
public:
    bool FijaTiempos(const tarvo::TiemposPuerto &) override { return CanalSerie::FijaTiempos({20, 2, 60, 50, 5000}); }
};

struct ReleEnLinea {
    Instalacion ins;
    tarvo::Aplicacion &a = ins.ctx.app;
    tarvo::MonitorGuionizado monitor;
    RelojVeloz reloj;
    std::unique_ptr<relaysim::ServidorPty> rele;
    std::unique_ptr<tarvo::clsDriverOrbel> driver;
    std::unique_ptr<tarvo::Comunicaciones> c;

    ReleEnLinea() { tarvo::FijaPrefijoDispositivos(ins.arbol.raiz.en("sin-dispositivos/ttyS")); }
    // The members then go in reverse order: the transfers, the driver, the relay.
    ~ReleEnLinea() { tarvo::FijaPrefijoDispositivos("/dev/ttyS"); }

    // The relay of `baseDatos` (e.g. "TRV610.MDB") on COM1 at 115200 baud.
    void Arranca(relaysim::Opciones o = {}, const QString &baseDatos = "TRV610.MDB") {
        tarvo::GuardaParametrosPuerto(a, {.Puerto = 1, .Velocidad = 115200});
        if (o.modelo.isEmpty()) o.modelo = a.DirectorioModelos + baseDatos;
        rele = ArrancaRele(o, a.DirectorioPrograma);
        driver = std::make_unique<tarvo::clsDriverOrbel>(a, std::make_unique<CanalBreve>(), &reloj);
        c = std::make_unique<tarvo::Comunicaciones>(tarvo::Comunicaciones{ins.ctx, ins.v, monitor, *driver});
    }

    // Identified and with the port open, as after a connection.
    void Abre() {
        a.NumeroRele = 1;
        a.PasswordRele = 1234;
        driver->NumeroRele(1);
        driver->ClaveRele(1234);
        driver->PuertoAbierto(true);
        ASSERT_TRUE(driver->PuertoAbierto());
    }

    // A new configuration of a model chosen from the list ("TRV-610 **").
    void Nuevo(const QString &linea) {
        ins.ui.EsperaModelo(linea);
        tarvo::NuevaConfiguracion(ins.ctx, ins.v);
        ASSERT_EQ(ins.Inesperados(), "");
        ASSERT_TRUE(a.HayFicheroActual());
    }

    // A new configuration of a model from the list ("TRV-610 **"), the relay of
    // its database on the line with the options `pon` gives (the configuration's
    // catalogue decides the request numbers), identified and with the port open.
    void Listo(const QString &linea, const std::function<void(relaysim::Opciones &)> &pon = {}) {
        Nuevo(linea);
        relaysim::Opciones o;
        if (pon) pon(o);
        Arranca(o, a.BaseDatos);
        Abre();
    }

    QString Texto(int n) const { return ins.ctx.dic.Texto(n); }

    static QByteArray Bytes(const QString &ruta) {
        QFile f(ruta);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

}  // namespace prueba
