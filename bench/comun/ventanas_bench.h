// The start every window benchmark shares: offscreen unless QT_QPA_PLATFORM
// says otherwise, the application, the repetitions asked for, and a new
// configuration of the full model as the working copy.
#pragma once

#include "instalacion_bench.h"

#include <QApplication>

namespace bench {

struct Ventanas {
    Ventanas(int &argc, char **argv) : app((SinPantalla(), argc), argv), veces(Veces(argc, argv)) {
        lista = ins.Nueva("TRV-610 **");
    }
    QApplication app;
    int veces;
    Instalacion ins;
    bool lista = false;   // false: the configuration could not be made
};

}  // namespace bench
