// What the logic of every floor asks of the main window; the main window
// implements it, tests and the command-line companion stand in for it.
#pragma once

#include "core/aplicacion.h"

namespace tarvo {

// What the logic asks of the main window.
class VentanaMadre {
public:
    virtual ~VentanaMadre() = default;
    // Status panels 2 to 5 (panel 1 belongs to Interaccion::PonEstado).
    virtual void PonPanel(int panel, const QString &texto) = 0;
    virtual void MuestraPortada() = 0;

    // Save, Save As, general information and report: available while a
    // configuration is open.
    virtual void ActivaComandosFichero(bool activos) = 0;
    // The settings menu and its three submenus.
    virtual void ActivaMenusAjustes(bool activos) = 0;
    // One entry of a settings menu array ("mnuAjusteControl", ...).
    virtual void ActivaEntradaAjuste(const QString &menu, int indice, bool activa) = 0;
    virtual bool EntradaAjusteActiva(const QString &menu, int indice) const = 0;
    // The whole window, disabled while a long operation runs.
    virtual void Habilita(bool habilitada) = 0;
    // An editor holding the working copy open lets go of it around a file copy
    // (false) and takes it again afterwards (true).
    virtual void SuspendeEditor(bool reanudar) = 0;
    // Connected or emulation mode: the two mode menus checked, the send and
    // receive commands and toolbar buttons 6 to 8, button 6 pressed or released.
    virtual void PonModoConexion(bool conectado) = 0;
};

}  // namespace tarvo
