// The symbol strip ObjetosBmp: the 80 small pictures the display's symbols
// and special characters are drawn with. Its pixels come from the readable map
// data/graficos/objetos_bmp.txt, compiled into the program; it is read once.
#pragma once

#include <QImage>
#include <QPainterPath>
#include <QSize>
#include <QString>

namespace tarvo {

// Size of every cell in pixels, as the map declares it.
QSize TamanoCeldaBmp();
// Cell i (0..CeldasBmp-1): ink opaque black, background transparent. A cell
// out of range or not drawn in the map is wholly transparent.
QImage CeldaBmp(int i);
// The same cell's ink as one path in pixel units (0,0)-TamanoCeldaBmp(), so it
// scales crisply to any device (a printer page as well as the screen).
const QPainterPath &TrazoCeldaBmp(int i);
// Faults found reading the map (empty when it is sound).
QString ErroresObjetosBmp();

}  // namespace tarvo
