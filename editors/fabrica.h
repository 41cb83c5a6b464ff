// Which editor each settings menu entry opens.
#pragma once

#include "core/ventana_madre.h"

class QWidget;

namespace tarvo {

// The editor of entry `indice` of the menu array `menu`, not loaded yet (the
// one shown before must let go of the working copy first); nullptr for
// entries without an editor.
class EditorTabla;
EditorTabla *CreaEditor(Contexto &ctx, VentanaMadre &madre, const QString &menu, int indice);
// Any view a settings menu entry opens: a table editor or the display graphic editor.
class VistaEditor;
VistaEditor *CreaVistaEditor(Contexto &ctx, VentanaMadre &madre, const QString &menu, int indice);

}  // namespace tarvo
