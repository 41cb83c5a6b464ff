// The Tools menu: what the program offers beyond the relay menus, after them
// so that those keep their entries and places.
#include "comms/comparacion.h"
#include "comms/ui/diferencias.h"
#include "shell/madre.h"
#include "store/ficheros.h"

#include <QFileInfo>
#include <QMenuBar>

namespace tarvo {

void Madre::CreaMenuHerramientas() {
    auto *herramientas = menuBar()->addMenu("&Herramientas");
    herramientas->setObjectName("mnuHerramientas");
    connect(Accion("mnuCompararFichero", "Comparar con fichero...", herramientas), &QAction::triggered, this,
            &Madre::ComparaConFichero);
}

// The open configuration, unsaved edits included, against a file the user picks.
void Madre::ComparaConFichero() {
    QString otro;
    if (!DialogoFichero(ctx_, 3301, ConsultaFichero::Modo::Abrir, otro)) return;
    ctx_.ui->CursorOcupado(true);
    SuspendeEditor(false);   // the editor holds the working copy
    const std::optional<Comparacion> c = ComparaConfiguraciones(ctx_, ctx_.app.CopiaTrabajo, otro);
    SuspendeEditor(true);
    ctx_.ui->CursorOcupado(false);
    if (!c) return;
    VentanaDiferencias ventana(ctx_.dic, *c, ctx_.dic.Texto(3318), QFileInfo(otro).fileName(), this);
    ventana.exec();
}

}  // namespace tarvo
