// Language-dependent parts of a configuration: the default names stored in
// the working copy, and which of the user languages the relay itself shows.
#pragma once

#include "core/aplicacion.h"

namespace tarvo {

// Default setting names of the working copy in the current language; names
// the user changed are left alone.
bool PonIdiomaFichero(Contexto &ctx, const QString &copia);

// Sets ctx.app.IdiomaRele from the model's "Tarvo IdiomaRele" (0 when unknown).
void BuscaIdiomaRele(Contexto &ctx);

}  // namespace tarvo
