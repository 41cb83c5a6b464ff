// What every relay operation needs beyond the link: the program's state and
// texts, the main window, the communication windows and the one driver. The
// procedures of transferencias.h, envio.h, recepcion_ajustes.h and conexion.h
// take it by reference; the processor table of the last check lives here.
#pragma once

#include "comms/driver_orbel.h"
#include "comms/monitor.h"
#include "core/aplicacion.h"
#include "core/ventana_madre.h"

#include <array>

namespace tarvo {

// One processor of the relay as the last CompruebaCPUs found it.
struct EntradaCPU {
    bool presente = false;
    quint8 CPU = 0;
    quint8 estado = 0;   // first byte of the processor's group 1, block 1
};

struct Comunicaciones {
    Contexto &ctx;
    VentanaMadre &v;
    MonitorComunicaciones &monitor;
    clsDriverOrbel &driver;
    std::array<EntradaCPU, 3> TablaCPUs{};
};

}  // namespace tarvo
