// A main window that is not there: the command-line companion and the
// benchmarks run the same logic without a screen.
#pragma once

#include "core/ventana_madre.h"

namespace tarvo {

class VentanaNula : public VentanaMadre {
public:
    void PonPanel(int, const QString &) override {}
    void MuestraPortada() override {}
    void ActivaComandosFichero(bool) override {}
    void ActivaMenusAjustes(bool) override {}
    void ActivaEntradaAjuste(const QString &, int, bool) override {}
    void Habilita(bool) override {}
    void SuspendeEditor(bool) override {}
    void PonModoConexion(bool) override {}
};

}  // namespace tarvo
