// A started installation for logic tests: program tree, dictionary, paths,
// a scripted user and a recording main window.
#pragma once

#include "core/interaccion_guionizada.h"
#include "support/carpeta_temporal.h"
#include "support/ventana_falsa.h"

namespace prueba {

struct Instalacion {
    ArbolPrograma arbol;
    tarvo::InteraccionGuionizada ui;
    tarvo::Contexto ctx{ui};
    VentanaFalsa v;

    explicit Instalacion(int idioma = 0);
    // Fails the test on any message the script did not expect.
    QString Inesperados() const { return ui.Inesperados().join(" | "); }
};

}  // namespace prueba
