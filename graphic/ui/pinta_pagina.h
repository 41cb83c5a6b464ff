// Draws one display page of cells (16 x 40) into a rectangle of any paint
// device: the editor's grid on screen and the printed sheet use the same
// drawing, each with its own colours.
#pragma once

#include "graphic/celdas.h"

#include <QColor>
#include <QRectF>
#include <QSize>

class QPainter;

namespace tarvo {

struct ColoresPagina {
    QColor fondo{0xB8, 0xCF, 0x8E};   // the relay's green LCD
    QColor tinta{0x1B, 0x2A, 0x16};   // its dark dots
    QColor rejilla{0, 0, 0, 24};      // cell borders; an invalid colour draws none
};

// The page at one device pixel per strip pixel (40 x 16 cells of TamanoCeldaBmp()).
QSize TamanoNaturalPagina();
// The rectangle of a cell when the page fills `area`.
QRectF RectanguloCelda(const QRectF &area, int fila, int columna);
// Fills `area` with the background and draws every cell: its strip cell scaled
// to the cell when it has one, otherwise its character.
void PintaPagina(QPainter &pintor, const PaginaCeldas &pagina, const QRectF &area,
                 const ColoresPagina &colores = {});

}  // namespace tarvo
