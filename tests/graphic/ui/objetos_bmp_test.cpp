// The display's drawing: the strip of symbol cells, a page painted from
// them, and the printed sheet.
#include "graphic/ui/imprime_grafico.h"
#include "graphic/ui/objetos_bmp.h"
#include "graphic/ui/pinta_pagina.h"
#include "support/instalacion.h"

#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace tarvo;

namespace {

// Inked positions along one edge of a cell: 'A' top, 'B' bottom, 'I' left, 'D' right.
QVector<int> Borde(const QImage &c, char borde) {
    const int ultima = borde == 'B' ? c.height() - 1 : borde == 'D' ? c.width() - 1 : 0;
    const bool fila = borde == 'A' || borde == 'B';
    QVector<int> tinta;
    for (int i = 0; i < (fila ? c.width() : c.height()); ++i)
        if (qAlpha(fila ? c.pixel(i, ultima) : c.pixel(ultima, i)) != 0) tinta << i;
    return tinta;
}

}  // namespace

class PruebaObjetosBmp : public QObject {
    Q_OBJECT
private slots:
    // The map reads cleanly, at the size it declares, and every cell the
    // catalogue draws with has ink. Without ink: 16 (character 255 is blank),
    // 35 (the open blade leans away from it), 56 and 57 (the marker's text),
    // and the unused 54 and 75 to 78.
    void tiraCompleta() {
        QVERIFY2(ErroresObjetosBmp().isEmpty(), qPrintable(ErroresObjetosBmp()));
        QFile mapa(TARVO_SOURCE_DIR "/data/graficos/objetos_bmp.txt");
        QVERIFY(mapa.open(QIODevice::ReadOnly));
        const auto tamano = QRegularExpression("^tamano (\\d+) (\\d+)$", QRegularExpression::MultilineOption)
                                .match(QString::fromUtf8(mapa.readAll()));
        QVERIFY(tamano.hasMatch());
        QCOMPARE(TamanoCeldaBmp(), QSize(tamano.captured(1).toInt(), tamano.captured(2).toInt()));
        for (int i = 0; i < CeldasBmp; ++i) QCOMPARE(CeldaBmp(i).size(), TamanoCeldaBmp());

        const QSet<int> sinTinta = {16, 35, 54, 56, 57, 75, 76, 77, 78};
        for (int i = 0; i < CeldasBmp; ++i)
            QVERIFY2(TrazoCeldaBmp(i).isEmpty() == sinTinta.contains(i), qPrintable(QString::number(i)));
        QVERIFY(TrazoCeldaBmp(CeldasBmp).isEmpty());
    }

    // Lines meet: every edge a line leaves by carries exactly the line of
    // "│" (top, bottom) or "─" (left, right), so symbols join the bay's
    // line-drawing characters; line characters leave by no other edge.
    void lineasEmpalman() {
        const QVector<int> vertical = Borde(CeldaBmp(0), 'A'), horizontal = Borde(CeldaBmp(7), 'I');
        QVERIFY(!vertical.isEmpty() && !horizontal.isEmpty());
        const QList<QPair<int, QByteArray>> casos = {
            {0, "AB"},  {1, "ABI"}, {2, "BI"},  {3, "AD"},  {4, "AID"}, {5, "BID"}, {6, "ABD"}, {7, "ID"},
            {10, "ABID"}, {11, "AI"}, {12, "BD"},
            {21, "A"},  {31, "B"},  {24, "A"},  {34, "B"},  {27, "A"},  {37, "B"},  {40, "A"},  {50, "B"},
            {42, "A"},  {29, "A"},  {49, "B"},  {9, "A"},   {19, "B"},  {44, "AB"}, {60, "I"},  {64, "D"},
            {70, "I"},  {74, "D"}};
        for (const auto &[celda, bordes] : casos)
            for (char borde : QByteArray("ABID")) {
                const bool caracter = celda <= 7 || (celda >= 10 && celda <= 12);
                if (!bordes.contains(borde) && !caracter) continue;
                const QVector<int> esperado = !bordes.contains(borde) ? QVector<int>{}
                                              : borde == 'A' || borde == 'B' ? vertical : horizontal;
                QVERIFY2(Borde(CeldaBmp(celda), borde) == esperado,
                         qPrintable(QStringLiteral("celda %1 borde %2").arg(celda).arg(borde)));
            }
    }

    // At twice the natural size a strip cell lands pixel for pixel on its
    // cell; characters are drawn, blanks and the blank strip cell are not,
    // and a strip cell hides the character beneath it.
    void pintaPagina() {
        PaginaCeldas pagina{};
        pagina[3][5].bitmap = 21;
        pagina[0][0].caracter = 'A';
        pagina[0][1].bitmap = 16;
        pagina[0][1].caracter = 'X';
        pagina[15][39].caracter = 0xA4;   // ñ
        const ColoresPagina colores{Qt::white, Qt::black, QColor()};
        QImage imagen(TamanoNaturalPagina() * 2, QImage::Format_RGB32);
        QPainter pintor(&imagen);
        PintaPagina(pintor, pagina, imagen.rect(), colores);
        pintor.end();

        const QImage celda = CeldaBmp(21);
        const QRect rect = RectanguloCelda(imagen.rect(), 3, 5).toRect();
        QCOMPARE(rect.size(), celda.size() * 2);
        for (int y = 0; y < rect.height(); ++y)
            for (int x = 0; x < rect.width(); ++x)
                QCOMPARE(imagen.pixel(rect.topLeft() + QPoint(x, y)) == qRgb(0, 0, 0),
                         qAlpha(celda.pixel(x / 2, y / 2)) != 0);
        QImage blanca(rect.size(), imagen.format());
        blanca.fill(Qt::white);
        for (auto [f, c, tinta] : {std::tuple(0, 0, true), {15, 39, true}, {0, 1, false}, {8, 20, false}})
            QCOMPARE(imagen.copy(RectanguloCelda(imagen.rect(), f, c).toRect()) != blanca, tinta);
    }

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

QTEST_MAIN(PruebaObjetosBmp)
#include "objetos_bmp_test.moc"
