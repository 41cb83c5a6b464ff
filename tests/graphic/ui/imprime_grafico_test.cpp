// The display's printed sheet: where the cells land on the canvas, and a PDF
// that cannot be written.
#include "graphic/ui/imprime_grafico.h"
#include "support/instalacion.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

using namespace tarvo;

class PruebaImprimeGrafico : public QObject {
    Q_OBJECT
private slots:
    // Pages at the fixed pitch, one below the other, both above the footer's
    // rule; reserved and drawn cells inked where the cell model puts them,
    // free cells blank.
    void celdasEnSuSitio() {
        prueba::Instalacion ins;
        ModeloPantalla pantalla;
        ObjetoGrafico texto;
        texto.Identificador = 1, texto.apaN2 = 21, texto.txt = "ABC", texto.x = 2, texto.y = 12;
        pantalla.Dibuja(texto, 0);

        constexpr qreal escala = 0.1;   // 144 dpi: a cell is 18 x 24 pixels
        QImage hoja(QSizeF(AnchoLienzo * escala, AltoLienzo * escala).toSize(), QImage::Format_RGB32);
        hoja.fill(Qt::white);
        QPainter pintor(&hoja);
        pintor.scale(escala, escala);
        LienzoImpresion l(pintor);
        l.y = 3000;
        const auto areas = ImprimeGrafico(l, pantalla.Celdas(), "F.CNF", ins.ctx.dic);
        pintor.end();

        for (const QRectF &a : areas) QCOMPARE(a.size(), QSizeF(40 * 180, 16 * 240));
        QCOMPARE(areas[0].left(), 1850.0);
        QVERIFY(areas[0].top() > 3000 && areas[1].top() > areas[0].bottom() && areas[1].bottom() < 15500);

        const struct {
            int pag, fila, col;
            bool tinta;
        } casos[] = {{0, 0, 0, true},  {0, 15, 39, true}, {0, 2, 12, true}, {0, 2, 14, true}, {0, 2, 15, false},
                     {0, 3, 12, false}, {1, 0, 35, true}, {1, 8, 20, false}, {1, 0, 30, false}};
        for (const auto &c : casos) {
            const QRectF area = areas[size_t(c.pag)];
            const QRect celda = QRectF((area.left() + c.col * 180) * escala, (area.top() + c.fila * 240) * escala,
                                       180 * escala, 240 * escala)
                                    .toRect()
                                    .adjusted(2, 2, -2, -2);
            int oscuros = 0;
            for (int y = celda.top(); y <= celda.bottom(); ++y)
                for (int x = celda.left(); x <= celda.right(); ++x) oscuros += qGray(hoja.pixel(x, y)) < 128;
            QVERIFY2((oscuros > 0) == c.tinta, qPrintable(QString("%1 %2 %3: %4").arg(c.pag).arg(c.fila).arg(c.col).arg(oscuros)));
        }
    }

    // A file that cannot be created is refused (the one page it makes is seen through the command line).
    void pdfQueNoSePuedeCrear() {
        prueba::Instalacion ins;
        QTemporaryDir dir;
        QVERIFY(!EscribePdfDisplay(dir.filePath("no/existe/hoja.pdf"), HojaDisplay{}, ins.ctx.dic));
    }
};

QTEST_MAIN(PruebaImprimeGrafico)
#include "imprime_grafico_test.moc"
