#include "editors/fabrica.h"

#include "editors/aparamenta.h"
#include "editors/condiciones.h"
#include "editors/entradas.h"
#include "editors/familias.h"
#include "editors/leds.h"
#include "editors/tiempos.h"
#include "graphic/ui/com_grafico.h"

namespace tarvo {

EditorTabla *CreaEditor(Contexto &ctx, VentanaMadre &madre, const QString &menu, int indice) {
    EditorTabla *editor = nullptr;
    if (menu == "mnuAjusteControl") {
        switch (indice) {
        case 0: editor = new cnt_Aparamenta(ctx, madre); break;
        case 1: editor = new cnt_Temporizadores(ctx, madre); break;
        case 3: editor = new cnt_EntradasDigitales(ctx, madre); break;
        case 4: editor = new cnt_EntradasPulsos(ctx, madre); break;
        case 5: editor = new cnt_EntradasRTU(ctx, madre); break;
        case 6: editor = new cnt_EntradasAparamenta(ctx, madre); break;
        case 10: editor = new cnt_TimeOut(ctx, madre); break;
        default: break;
        }
    }
    if (menu == "mnuAjusteComunicacion" && indice == 1) editor = new com_Leds(ctx, madre);
    if (!editor) editor = CreaEditorCondiciones(ctx, madre, menu, indice);
    return editor ? editor : CreaEditorDeFamilia(ctx, madre, menu, indice);
}

VistaEditor *CreaVistaEditor(Contexto &ctx, VentanaMadre &madre, const QString &menu, int indice) {
    if (menu == "mnuAjusteComunicacion" && indice == 2) return new com_Grafico(ctx, madre);
    return CreaEditor(ctx, madre, menu, indice);
}

}  // namespace tarvo
