// Objects for the display tests, written with designated initializers (the
// other columns keep their defaults) and prepared as a writer leaves them.
#pragma once

#include "graphic/objeto.h"

#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace tarvo {

inline ObjetoGrafico Preparado(ObjetoGrafico o) {
    PreparaObjeto(o);
    return o;
}

}  // namespace tarvo
