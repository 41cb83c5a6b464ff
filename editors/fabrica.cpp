#include "editors/fabrica.h"

#include "editors/aparamenta.h"
#include "editors/entradas.h"
#include "editors/familias.h"

namespace tarvo {

EditorTabla *CreaEditor(Contexto &ctx, VentanaMadre &madre, const QString &menu, int indice) {
    EditorTabla *editor = nullptr;
    if (menu == "mnuAjusteControl") {
        switch (indice) {
        case 0: editor = new cnt_Aparamenta(ctx, madre); break;
        case 3: editor = new cnt_EntradasDigitales(ctx, madre); break;
        case 4: editor = new cnt_EntradasPulsos(ctx, madre); break;
        case 5: editor = new cnt_EntradasRTU(ctx, madre); break;
        case 6: editor = new cnt_EntradasAparamenta(ctx, madre); break;
        default: break;
        }
    }
    return editor ? editor : CreaEditorDeFamilia(ctx, madre, menu, indice);
}

}  // namespace tarvo
