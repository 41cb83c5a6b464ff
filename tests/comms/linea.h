// A relay simulator on a pty of its own, linked as COM1 of a scratch program
// folder, and a link driver opened on it. The driver's pauses are recorded
// instead of slept, so exchanges run at the speed of the line.
#pragma once

#include "comms/driver_orbel.h"
#include "servidor.h"
#include "core/ajustes.h"
#include "core/puertos.h"
#include "support/carpeta_temporal.h"

#include <gtest/gtest.h>

#include <memory>

namespace prueba {

struct RelojRegistrado : tarvo::Reloj {
    QList<int> pausas;
    void Dormir(int ms) override { pausas.append(ms); }
};

// 115200 baud: k = 1, so the port bounds a read call on a silent line to 1.45 s.
inline tarvo::ParametrosPuerto Ajustes(qint32 velocidad = 115200, quint8 palabra = 8, quint8 paridad = 0,
                                       quint8 stop = 0, quint8 puerto = 1) {
    return {.Puerto = puerto, .Velocidad = velocidad, .Paridad = paridad, .LongitudPalabra = palabra, .BitsStop = stop};
}

// The simulator with `o`, linked as COM1 of the program folder and answering.
inline std::unique_ptr<relaysim::ServidorPty> ArrancaRele(relaysim::Opciones o, const QString &programa) {
    o.programa = programa;
    o.puerto = 1;
    auto rele = std::make_unique<relaysim::ServidorPty>(o);
    QString error;
    EXPECT_TRUE(rele->Prepara(error)) << error.toStdString();
    rele->Arranca();
    return rele;
}

struct Linea {
    CarpetaTemporal dir;
    tarvo::Aplicacion app;
    RelojRegistrado reloj;
    std::unique_ptr<relaysim::ServidorPty> rele;
    std::unique_ptr<tarvo::clsDriverOrbel> driver;

    // `estado`: a state file the relay starts from. Without `simulador`, the
    // driver alone, for a relay another process attaches to the folder.
    explicit Linea(relaysim::Opciones o = {}, const tarvo::ParametrosPuerto &p = Ajustes(),
                   const QByteArray &estado = {}, bool simulador = true) {
        // Nothing may fall back on the machine's own serial devices.
        tarvo::FijaPrefijoDispositivos(dir.en("sin-dispositivos/ttyS"));
        app.DirectorioPrograma = dir.ruta();
        app.FicheroIni = dir.en("tarvo32.ini");
        tarvo::GuardaParametrosPuerto(app, p);
        if (!estado.isEmpty()) {
            dir.escribe("estado.txt", estado);
            o.estado = dir.en("estado.txt");
        }
        if (simulador) rele = ArrancaRele(o, dir.ruta());
        driver = std::make_unique<tarvo::clsDriverOrbel>(app, nullptr, &reloj);
        driver->NumeroRele(o.rele);
        driver->ClaveRele(o.clave);
    }
    // The members then go in reverse order: the driver, then the relay.
    ~Linea() { tarvo::FijaPrefijoDispositivos("/dev/ttyS"); }
    bool Abre() {
        driver->PuertoAbierto(true);
        return driver->PuertoAbierto();
    }
    void Ajusta(const tarvo::ParametrosPuerto &p) { tarvo::GuardaParametrosPuerto(app, p); }

    // A read of CPU 1, group 5, block 1. The deadline ends the wait, so it
    // leaves room for a simulator slowed by a busy machine.
    qint16 Lee(QByteArray &datos, qint32 tiempo = 2000) {
        return driver->LeerDatosRele(datos, 1, tarvo::orbel::AreaGrupos, 0, 5, 1, tiempo);
    }
};

inline QByteArray Bytes(std::initializer_list<int> b) {
    QByteArray r;
    for (int v : b) r.append(char(v));
    return r;
}

}  // namespace prueba
