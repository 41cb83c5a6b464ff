#pragma once

#include "core/diccionario.h"

class QWidget;

namespace tarvo {

// Sets the captions and tooltips of a window's controls from the dictionary
// (the window's form key selects the list).
void PonTextosIdioma(QWidget *ventana, const QString &clave, const clsDiccionario &dic);

}  // namespace tarvo
