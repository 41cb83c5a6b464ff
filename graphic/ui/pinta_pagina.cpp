#include "graphic/ui/pinta_pagina.h"

#include "core/pagina437.h"
#include "graphic/ui/objetos_bmp.h"

#include <QFontDatabase>
#include <QPainter>

namespace tarvo {

QSize TamanoNaturalPagina() {
    const QSize celda = TamanoCeldaBmp();
    return {celda.width() * ColumnasPantalla, celda.height() * FilasPantalla};
}

QRectF RectanguloCelda(const QRectF &area, int fila, int columna) {
    const qreal ancho = area.width() / ColumnasPantalla, alto = area.height() / FilasPantalla;
    return {area.left() + columna * ancho, area.top() + fila * alto, ancho, alto};
}

void PintaPagina(QPainter &pintor, const PaginaCeldas &pagina, const QRectF &area, const ColoresPagina &colores) {
    pintor.save();
    pintor.fillRect(area, colores.fondo);
    const QRectF primera = RectanguloCelda(area, 0, 0);
    const QSizeF pixel(primera.width() / TamanoCeldaBmp().width(), primera.height() / TamanoCeldaBmp().height());

    // The system's fixed font: whatever monospace face the machine has (DejaVu
    // Sans Mono on Debian), with the box-drawing and accented letters of the set.
    QFont letra = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    letra.setPixelSize(qMax(1, qRound(primera.height() * 0.8)));
    letra.setBold(true);   // strokes as heavy as the strip's two-pixel lines
    letra.setStyleStrategy(QFont::PreferAntialias);
    pintor.setFont(letra);
    pintor.setPen(colores.tinta);

    for (int f = 0; f < FilasPantalla; ++f)
        for (int c = 0; c < ColumnasPantalla; ++c) {
            const CeldaPantalla &celda = pagina[f][c];
            const QRectF rect = RectanguloCelda(area, f, c);
            if (celda.bitmap >= 0) {
                // Strip pixels are shapes: crisp edges at whole zooms, vector on paper.
                pintor.save();
                pintor.setRenderHint(QPainter::Antialiasing, false);
                pintor.translate(rect.topLeft());
                pintor.scale(pixel.width(), pixel.height());
                pintor.fillPath(TrazoCeldaBmp(celda.bitmap), colores.tinta);
                pintor.restore();
            } else if (celda.caracter != ' ' && celda.caracter != 0) {
                pintor.drawText(rect, Qt::AlignCenter, QString(LetraRele(celda.caracter)));
            }
        }

    if (colores.rejilla.isValid()) {
        pintor.setPen(QPen(colores.rejilla, 0));
        for (int c = 1; c < ColumnasPantalla; ++c) {
            const qreal x = RectanguloCelda(area, 0, c).left();
            pintor.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        }
        for (int f = 1; f < FilasPantalla; ++f) {
            const qreal y = RectanguloCelda(area, f, 0).top();
            pintor.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        }
    }
    pintor.restore();
}

}  // namespace tarvo
