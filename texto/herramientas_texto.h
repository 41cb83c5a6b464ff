// The Tools menu's text commands on the open configuration (the working copy,
// unsaved edits included), and the check a send from the menu runs first.
// Each lets the editor go while it reads the copy.
#pragma once

#include "core/ventana_madre.h"

namespace tarvo {

void ExportaComoTexto(Contexto &ctx, VentanaMadre &v);
// Writes a new configuration file from a text; the open one is untouched.
void ImportaDesdeTexto(Contexto &ctx, VentanaMadre &v);
void CompruebaConfiguracionAbierta(Contexto &ctx, VentanaMadre &v);
// Writes the open configuration carried to a model the user picks into a new file.
void ConvierteAModelo(Contexto &ctx, VentanaMadre &v);

// The check of `fichero` before it is sent: clean, or problems the user
// chose to send anyway (No is the default answer). False: do not send.
bool ConfirmaComprobacion(Contexto &ctx, const QString &fichero);

}  // namespace tarvo
