// The display as cells: what each of the 16 x 40 cells of a page shows (a
// character of the relay's set or a cell of the symbol strip) and which object
// owns it. The editor's screen, the printed sheet and the report all draw
// from this one model.
#pragma once

#include "graphic/pantalla.h"

#include <array>

namespace tarvo {

// Cells of the symbol strip ObjetosBmp (80 of them, ten per strip row).
inline constexpr int CeldasBmp = 80;
inline constexpr int CeldaBmpReservada = 79;

struct CeldaPantalla {
    quint8 caracter = ' ';   // a relay byte (code page 437), shown when bitmap < 0
    qint8 bitmap = -1;       // a cell of ObjetosBmp, or -1
    qint16 objeto = 0;       // 0 free, -1 reserved, otherwise the owner's Identificador
    bool operator==(const CeldaPantalla &) const = default;
};

using PaginaCeldas = std::array<std::array<CeldaPantalla, ColumnasPantalla>, FilasPantalla>;
using PantallaCeldas = std::array<PaginaCeldas, PaginasPantalla>;

}  // namespace tarvo
