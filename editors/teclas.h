// Key filters of the editors' text boxes.
#pragma once

#include "core/aplicacion.h"

class QLineEdit;

namespace tarvo {

// Times: digits only; any other character beeps and shows 521. Keys that type
// no character (moving, deleting, Tab, Enter) pass every filter.
void ValidaTeclaNumero(Contexto &ctx, QLineEdit *caja);
// Names: a key at the 23-character limit shows 523. `restringido` (the event
// editors, whose names go to the relay's display) also refuses characters the
// display cannot show, with 522.
void ValidaTeclaNombre(Contexto &ctx, QLineEdit *caja, bool restringido);

}  // namespace tarvo
