// The display objects' property dialogs, offscreen: what each gives back,
// opened new and for an edit; the text limits and character filter; the
// choices they insist on. Then the display's drawing: the strip of symbol
// cells, a page painted from them, and the printed sheet. Last the dialogs'
// catalogues and the graphic editor's window, opened from its menu entry with
// scripted dialogs.
#include "editors/fabrica.h"
#include "graphic/ui/com_grafico.h"
#include "graphic/ui/dialogos.h"
#include "graphic/ui/imprime_grafico.h"
#include "graphic/ui/objetos_bmp.h"
#include "graphic/ui/pinta_pagina.h"
#include "store/ficheros.h"
#include "support/instalacion.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// Objects are written with designated initializers; the other columns keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace tarvo;

namespace {

CatalogosDialogos Catalogos() {
    CatalogosDialogos c;
    c.aparamenta = {{"Interruptor 52", 1, 20, 0}, {"Seccionador", 1, 20, 2}};
    c.maniobras = {{"Abrir", 1, 0, 0, 1}, {"Cerrar", 1, 0, 0, 2}, {"Bloquear", 1, 0, 0, 9}};
    c.medidas = {{"Ia", 0, 30, 0, 0, "A", 1}, {"Temperatura", 1, 41, 0, 0, "ºC", 7}};
    c.contadores = {{"Energia", 0, 1}, {"Pulsos 1", 1, 5}};
    c.analogicos = {{"Ia", 0, 10}, {"P", 0, 14}};
    c.estados = {QList<DatoGrafico>{{"Disparo", 0, 60, 0}}, {{"Local", 1, 70, 0}, {"Remoto", 1, 70, 1}},
                 {{"Puerto", 2, 80, 5}}};
    c.eventos = {QList<DatoGrafico>{{"Ev1", 0, 0, 0}}, {{"Ev1", 1, 0, 0}}, {{"Ev1", 2, 0, 0}, {"Ev9", 2, 1, 0}}};
    c.bornas = {QList<DatoGrafico>{{"EP1", 0, 40, 0}}, {{"SP4", 0, 41, 3}}, {{"EC9", 1, 51, 0}}, {{"SC2", 1, 53, 1}}};
    c.textos = {{164, -1}, {196, 34}};   // ñ only inside texts; the horizontal line is a kind of its own
    return c;
}

ParametrosDialogo Nuevo(int tipo) { return {.tipo = qint16(tipo)}; }

ParametrosDialogo Edicion(int tipo, const std::function<void(ParametrosDialogo &)> &valores) {
    ParametrosDialogo p = Nuevo(tipo);
    p.modo = 2;
    valores(p);
    return p;
}

ParametrosDialogo Texto(int codigo, bool edita = false, QString txt = {}, QString txtb0 = {}) {
    ParametrosDialogo p = Nuevo(codigo == 36 ? 20 : codigo == ApaFichero ? 25 : 21);
    PreparaTexto(p, codigo);
    p.modo = edita ? 2 : 0;
    p.txt = txt;
    p.txtb0 = txtb0;
    return p;
}

// Each dialog kind, opened and shown.
using Fabrica = std::unique_ptr<DialogoGrafico> (*)(Contexto &, const CatalogosDialogos &, const ParametrosDialogo &);
template <typename D>
std::unique_ptr<DialogoGrafico> Abre(Contexto &ctx, const CatalogosDialogos &c, const ParametrosDialogo &p) {
    auto r = std::make_unique<D>(ctx, c, p);
    r->show();
    return r;
}

template <typename W>
W *Control(QWidget &d, const char *nombre) {
    W *w = d.findChild<W *>(nombre);
    if (!w) qFatal("no control %s", nombre);
    return w;
}
void Elige(QWidget &d, const char *lista, int fila) {
    auto *l = Control<QListWidget>(d, lista);
    emit l->itemDoubleClicked(l->item(fila));
}
void Teclea(QWidget &d, const char *caja, const QString &texto) {
    auto *c = Control<QLineEdit>(d, caja);
    c->setFocus();
    c->clear();
    // One key per letter carrying the letter itself, so that letters outside
    // Latin-1 reach the box too.
    for (const QChar l : texto)
        QTest::sendKeyEvent(QTest::Click, c, l.unicode() < 128 ? Qt::Key(l.toUpper().unicode()) : Qt::Key_unknown,
                            QString(l), Qt::NoModifier);
}
void Pulsa(QWidget &d, const char *boton) { Control<QAbstractButton>(d, boton)->click(); }
QString Caja(QWidget &d, const char *caja) { return Control<QLineEdit>(d, caja)->text(); }
bool Marcada(QWidget &d, const char *opcion) { return Control<QRadioButton>(d, opcion)->isChecked(); }

// Inked positions along one edge of a cell: 'A' top, 'B' bottom, 'I' left, 'D' right.
QVector<int> Borde(const QImage &c, char borde) {
    const int ultima = borde == 'B' ? c.height() - 1 : borde == 'D' ? c.width() - 1 : 0;
    const bool fila = borde == 'A' || borde == 'B';
    QVector<int> tinta;
    for (int i = 0; i < (fila ? c.width() : c.height()); ++i)
        if (qAlpha(fila ? c.pixel(i, ultima) : c.pixel(ultima, i)) != 0) tinta << i;
    return tinta;
}

using P = ParametrosDialogo;
using Accion = std::function<void(QWidget &)>;
using Cambio = std::function<void(ParametrosDialogo &)>;

}  // namespace

class PruebaGraficoUi : public QObject {
    Q_OBJECT
    prueba::Instalacion ins;
    const CatalogosDialogos cat = Catalogos();

    QPoint Punto(com_Grafico &g, int fila, int col) {
        return RectanguloCelda(g.Rejilla()->Area(), fila, col).center().toPoint();
    }

private slots:
    // Every message a test scripts is asked for, and no other.
    void cleanup() { QCOMPARE(ins.ui.Inesperados(), QStringList()); }

    // Each dialog, opened new and for an edit: an edit shows the stored values
    // ("box=text", or a radio button checked), and "Aceptar" gives back exactly
    // the values the kind stores.
    void cadaDialogoDevuelveLoQueGuardaSuTipo() {
        struct Caso {
            const char *nombre;
            Fabrica dialogo;
            ParametrosDialogo entrada;
            QStringList muestra;
            Accion accion;
            Cambio esperado;
        };
        const Caso casos[] = {
            {"breaker new", Abre<MeteApa>, Nuevo(0), {},
             [](QWidget &d) {
                 Elige(d, "List1_0", 1), Elige(d, "List1_1", 0), Elige(d, "List1_2", 1);
                 QCOMPARE(Caja(d, "txt_Eleccion_0"), QString("Seccionador"));
             },
             [](P &p) { p.apa = 1, p.donde = 20, p.oper_b = 2, p.oper_c = 1, p.oper_d = 2, p.cpu = 1; }},
            {"disconnector edit, operation withdrawn", Abre<MeteApa>,
             Edicion(2, [](P &p) { p.apa = 6, p.donde = 20, p.oper_b = 2, p.oper_c = 1, p.oper_d = 2; }),
             {"txt_Eleccion_0=Seccionador", "txt_Eleccion_2=Cerrar"},
             [](QWidget &d) {
                 Pulsa(d, "Option1_1");
                 QVERIFY(!Control<QListWidget>(d, "List1_1")->isEnabled());
             },
             [](P &p) { p.permiso = 0, p.oper_c = 0, p.oper_d = 0, p.cpu = 1; }},
            {"regulator stop new: two orders only", Abre<MeteApa>, Nuevo(5), {},
             [](QWidget &d) {
                 QVERIFY(Control<QListWidget>(d, "List1_0")->isHidden());
                 Elige(d, "List1_1", 2), Elige(d, "List1_2", 0);
             },
             [](P &p) { p.apa = 8, p.oper_c = 9, p.oper_d = 1, p.cpu = 1; }},
            {"permission new", Abre<MetePermiso>, Nuevo(8), {}, [](QWidget &d) { Pulsa(d, "Option1_1"); },
             [](P &p) { p.permiso = 0; }},
            {"permission edit", Abre<MetePermiso>, Edicion(9, [](P &p) { p.permiso = 0; }), {"Option1_1"}, {},
             [](P &) {}},
            {"operation new", Abre<MeteManiobra>, Nuevo(47), {},
             [](QWidget &d) { Elige(d, "List1_0", 2), Teclea(d, "Text2", "BLQ"); },
             [](P &p) { p.txt = "BLQ", p.oper_b = 9, p.cpu = 1; }},
            {"operation edit", Abre<MeteManiobra>, Edicion(47, [](P &p) { p.oper_b = 2, p.txt = "CER"; }),
             {"txt_Eleccion_0=Cerrar", "Text2=CER"}, {}, [](P &p) { p.cpu = 1; }},
            {"state new", Abre<MeteEstadosEventos>, Nuevo(23), {},
             [](QWidget &d) { Elige(d, "List1_1", 1), Teclea(d, "Text2", "ON"), Teclea(d, "Text3", "OFF"); },
             [](P &p) { p.cpu = 1, p.donde = 70, p.apa = 14, p.txtb0 = "ON", p.txtb1 = "OFF"; }},
            {"event edit", Abre<MeteEstadosEventos>,
             Edicion(24, [](P &p) { p.cpu = 6, p.donde = 1, p.apa = 26, p.txtb0 = "SI", p.txtb1 = "NO"; }),
             {"Text1=Ev9", "Text3=NO"}, {}, [](P &p) { p.cpu = 2; }},
            {"terminal new", Abre<MeteIO>, Nuevo(45), {},
             [](QWidget &d) { Elige(d, "List1_3", 0), Teclea(d, "Text2", "1"), Teclea(d, "Text3", "0"); },
             [](P &p) { p.cpu = 1, p.donde = 53, p.apa = 49, p.txtb0 = "1", p.txtb1 = "0"; }},
            {"terminal edit", Abre<MeteIO>,
             Edicion(45, [](P &p) { p.cpu = 4, p.donde = 41, p.apa = 51, p.txtb0 = "A", p.txtb1 = "B"; }),
             {"Text1=SP4"}, {}, [](P &p) { p.cpu = 0; }},
            {"measure new", Abre<MeteMedidas>, Nuevo(22), {},
             [](QWidget &d) {
                 Elige(d, "List1_0", 1), Teclea(d, "Text1", "T");
                 QCOMPARE(Caja(d, "Text3"), QString("ºC"));
             },
             [](P &p) { p.cpu = 1, p.donde = 41, p.unidad_m = 7, p.txt_m = "T", p.txt_u = "ºC"; }},
            {"measure edit", Abre<MeteMedidas>,
             Edicion(22, [](P &p) { p.cpu = 4, p.donde = 30, p.unidad_m = 1, p.txt_m = "Ia", p.txt_u = "A"; }),
             {"Text1=Ia"}, {}, [](P &p) { p.cpu = 0; }},
            {"counter new", Abre<MeteContador>, Nuevo(42), {"Option1_0"},
             [](QWidget &d) { Elige(d, "List1_0", 1), Pulsa(d, "Option1_2"); },
             [](P &p) { p.cpu = 1, p.donde = 5, p.unidad_m = 2; }},
            {"counter edit", Abre<MeteContador>, Edicion(42, [](P &p) { p.donde = 1, p.unidad_m = 3; }),
             {"Option1_3"}, {}, [](P &) {}},
            {"analogue scale new", Abre<MeteAnalogico>, Nuevo(43), {},
             [](QWidget &d) {
                 Elige(d, "List1_0", 1), Teclea(d, "Text1_0", "1000"), Teclea(d, "Text1_1", "-5");
                 Teclea(d, "Text1_2", "2");
             },
             [](P &p) { p.donde = 14, p.txt_m = "E803FBFF42"; }},
            {"analogue scale edit", Abre<MeteAnalogico>,
             Edicion(43, [](P &p) { p.donde = 10, p.txt_m = "E803FBFF42"; }), {"Text1_1=-5"},
             [](QWidget &d) { Teclea(d, "Text1_0", "-32768"); }, [](P &p) { p.txt_m = "0080FBFF42"; }},
            {"analogue format edit", Abre<MeteAnalogico>,
             Edicion(46, [](P &p) { p.donde = 10, p.txt_m = "0000000020"; }), {"Option1_1"},
             [](QWidget &d) { Pulsa(d, "Option1_2"); }, [](P &p) { p.txt_m = "0000000030"; }},
            {"text new", Abre<MeteTexto>, Texto(11), {}, [](QWidget &d) { Teclea(d, "Text1", "Año"); },
             [](P &p) { p.txt = "Año"; }},
            {"marker edit", Abre<MeteTexto>, Texto(36, true, "L1", "AB"), {"Text2=AB"},
             [](QWidget &d) { Teclea(d, "Text1", "L2"); }, [](P &p) { p.txt = "L2"; }},
            {"graphic number", Abre<NumeroDeGrafico>, Nuevo(0), {}, [](QWidget &d) { Teclea(d, "Text1", "123"); },
             [](P &p) { p.txt = "123"; }},
        };
        for (const Caso &c : casos) {
            auto d = c.dialogo(ins.ctx, cat, c.entrada);
            for (const QString &m : c.muestra) {
                const QStringList caja = m.split('=');
                const bool bien =
                    caja.size() == 1 ? Marcada(*d, qPrintable(m)) : Caja(*d, qPrintable(caja[0])) == caja[1];
                QVERIFY2(bien, qPrintable(QString("%1: %2").arg(c.nombre, m)));
            }
            if (c.accion) c.accion(*d);
            Pulsa(*d, "C1_0");
            ParametrosDialogo esperado = c.entrada;
            c.esperado(esperado);
            esperado.aceptado = true;
            QVERIFY2(d->result() == QDialog::Accepted && d->Parametros() == esperado, c.nombre);
        }
    }

    void lasCajasLimitanLongitudYCaracteres() {
        const struct { Fabrica dialogo; ParametrosDialogo p; const char *caja; QString tecleado, queda; } casos[] = {
            {Abre<MeteTexto>, Texto(11), "Text1", "ABCDEFGH", "ABCDEFG"},
            {Abre<MeteManiobra>, Nuevo(47), "Text2", "ABCDEF", "ABCDE"},
            {Abre<MeteMedidas>, Nuevo(22), "Text1", "ABCDE", "ABCD"},
            {Abre<MeteEstadosEventos>, Nuevo(23), "Text2", "ABCD", "ABC"},
            {Abre<MeteIO>, Nuevo(45), "Text3", "ABCD", "ABC"},
            {Abre<MeteTexto>, Texto(36), "Text2", "ABC", "AB"},
            {Abre<MeteTexto>, Texto(ApaFichero), "Text1", "FEEDER01.CNF0", "FEEDER01.CNF"},
            // ñ is listed for texts; € is no display character; ─ has its own kind.
            {Abre<MeteTexto>, Texto(11), "Text1", "añ€─b", "añb"},
            {Abre<MeteTexto>, Texto(ApaFichero), "Text1", "añb", "ab"},
            {Abre<MeteAnalogico>, Nuevo(43), "Text1_0", "1-2", "12"},
            {Abre<MeteAnalogico>, Nuevo(43), "Text1_1", "-12345678", "-123456"},
            {Abre<MeteAnalogico>, Nuevo(43), "Text1_2", "12", "1"},
            {Abre<MeteAnalogico>, Nuevo(43), "Text1_2", "5", ""},
        };
        for (const auto &c : casos) {
            auto d = c.dialogo(ins.ctx, cat, c.p);
            Teclea(*d, c.caja, c.tecleado);
            QCOMPARE(Caja(*d, c.caja), c.queda);
        }
    }

    void loQueFaltaSeAvisaYElDialogoSigueAbierto() {
        auto limites = [](const char *maximo, const char *minimo, const char *decimales) {
            return [=](QWidget &d) {
                Elige(d, "List1_0", 0), Teclea(d, "Text1_0", maximo), Teclea(d, "Text1_1", minimo);
                Teclea(d, "Text1_2", decimales);
            };
        };
        // The message each refusal shows; 0: refused without a message.
        const struct { Fabrica dialogo; ParametrosDialogo p; Accion accion; int mensaje; } casos[] = {
            {Abre<MeteApa>, Nuevo(0), [](QWidget &d) { Elige(d, "List1_0", 0), Elige(d, "List1_1", 0); }, 755},
            {Abre<MeteApa>, Nuevo(0), [](QWidget &d) { Pulsa(d, "Option1_1"); }, 755},
            {Abre<MeteManiobra>, Nuevo(47), [](QWidget &d) { Teclea(d, "Text2", "A"); }, 755},
            {Abre<MeteManiobra>, Nuevo(47), [](QWidget &d) { Elige(d, "List1_0", 0); }, 755},
            {Abre<MeteEstadosEventos>, Nuevo(23),
             [](QWidget &d) { Elige(d, "List1_0", 0), Teclea(d, "Text2", "A"); }, 755},
            {Abre<MeteIO>, Nuevo(45), [](QWidget &d) { Teclea(d, "Text2", "A"), Teclea(d, "Text3", "B"); }, 755},
            {Abre<MeteMedidas>, Nuevo(22), [](QWidget &) {}, 755},
            {Abre<MeteContador>, Nuevo(42), [](QWidget &) {}, 755},
            {Abre<MeteAnalogico>, Nuevo(46), [](QWidget &) {}, 755},
            {Abre<MeteAnalogico>, Nuevo(43), limites("-", "0", "0"), 760},
            {Abre<MeteAnalogico>, Nuevo(43), limites("1", "", "0"), 761},
            {Abre<MeteAnalogico>, Nuevo(43), limites("32768", "0", "0"), 762},
            {Abre<MeteAnalogico>, Nuevo(43), limites("1", "-32769", "0"), 763},
            {Abre<MeteAnalogico>, Nuevo(43), limites("1", "0", ""), 755},
            {Abre<NumeroDeGrafico>, Nuevo(0), [](QWidget &d) { Teclea(d, "Text1", "12a"); }, 0},
        };
        for (const auto &c : casos) {
            auto d = c.dialogo(ins.ctx, cat, c.p);
            c.accion(*d);
            if (c.mensaje) ins.ui.Espera(ins.ctx.dic.Texto(c.mensaje));
            Pulsa(*d, "C1_0");
            QVERIFY2(d->isVisible() && !d->Parametros().aceptado, d->metaObject()->className());
            QCOMPARE(ins.ui.Pendientes(), QStringList());
            if (!c.mensaje) QCOMPARE(Control<QLineEdit>(*d, "Text1")->selectedText(), QString("12a"));
            Pulsa(*d, "C1_1");
            QVERIFY(!d->isVisible() && !d->Parametros().aceptado);
        }
    }

    // The modal routines copy the values back only when accepted.
    void losDialogosModalesDevuelvenSoloLoAceptado() {
        DialogosQt dialogos(ins.ctx, cat);
        for (const char *boton : {"C1_1", "C1_0"}) {
            ParametrosDialogo p = Edicion(42, [](P &p) { p.cpu = 4, p.donde = 5, p.unidad_m = 1; });
            QTimer::singleShot(0, [boton] {
                QWidget *d = QApplication::activeModalWidget();
                Elige(*d, "List1_0", 0);
                Pulsa(*d, boton);
            });
            const bool aceptado = dialogos.IntroduceContador(p);
            QCOMPARE(aceptado, QString(boton) == "C1_0");
            QCOMPARE(p.donde, qint16(aceptado ? 1 : 5));
        }
    }


    // The map reads cleanly (a wrong size would misread its rows), and every cell the
    // catalogue draws with has ink. Without ink: 16 (character 255 is blank),
    // 35 (the open blade leans away from it), 56 and 57 (the marker's text),
    // and the unused 54 and 75 to 78.
    void tiraCompleta() {
        QVERIFY2(ErroresObjetosBmp().isEmpty(), qPrintable(ErroresObjetosBmp()));
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
        ModeloPantalla pantalla;
        pantalla.Dibuja({.Identificador = 1, .apaN2 = 21, .txt = "ABC", .x = 2, .y = 12}, 0);

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

        const struct { int pag, fila, col; bool tinta; } casos[] = {
            {0, 0, 0, true},   {0, 15, 39, true}, {0, 2, 12, true},  {0, 2, 14, true},  {0, 2, 15, false},
            {0, 3, 12, false}, {1, 0, 35, true},  {1, 8, 20, false}, {1, 0, 30, false}};
        for (const auto &c : casos) {
            const QRectF area = areas[size_t(c.pag)];
            const QRect celda = QRectF((area.left() + c.col * 180) * escala, (area.top() + c.fila * 240) * escala,
                                       180 * escala, 240 * escala)
                                    .toRect()
                                    .adjusted(2, 2, -2, -2);
            int oscuros = 0;
            for (int y = celda.top(); y <= celda.bottom(); ++y)
                for (int x = celda.left(); x <= celda.right(); ++x) oscuros += qGray(hoja.pixel(x, y)) < 128;
            const QString donde = QString("%1 %2 %3: %4").arg(c.pag).arg(c.fila).arg(c.col).arg(oscuros);
            QVERIFY2((oscuros > 0) == c.tinta, qPrintable(donde));
        }

        // A PDF that cannot be created is refused (the one page it makes is seen through the command line).
        QTemporaryDir dir;
        QVERIFY(!EscribePdfDisplay(dir.filePath("no/existe/hoja.pdf"), HojaDisplay{}, ins.ctx.dic));
    }

    // Last, on a new configuration of the full model: the dialogs' catalogues
    // come from the model and the working copy; then the graphic editor's
    // window places, edits and deletes objects and turns its pages.
    void conUnaConfiguracionDelModeloCompleto() {
        ins.ui.EsperaModelo("TRV-610 **");
        NuevaConfiguracion(ins.ctx, ins.v);
        const CatalogosDialogos c = CargaCatalogosDialogos(ins.ctx);
        QCOMPARE(c.aparamenta.size(), 6);
        QCOMPARE(c.aparamenta[1].bit, 2);
        QCOMPARE(c.aparamenta[1].nombre, QString("Aparamenta 2"));   // named as in the working copy
        QCOMPARE(c.maniobras.size(), 10);
        QCOMPARE(c.medidas.last().unidad, QString("ºC"));
        QCOMPARE(c.contadores.size(), 8);
        QCOMPARE(c.analogicos.size(), 7);
        QCOMPARE(c.estados[2].size(), 6);
        QCOMPARE(c.bornas[3].first().donde, 53);
        QCOMPARE(c.eventos[1].value(8).donde, 1);
        QVERIFY(!c.textos.isEmpty());

        QString unidades = "ø°C²";
        PasaStringATerminal(unidades);
        QCOMPARE(unidades, QString("φ°C²"));

        std::unique_ptr<VistaEditor> vista(CreaVistaEditor(ins.ctx, ins.v, "mnuAjusteComunicacion", 2));
        auto *g = dynamic_cast<com_Grafico *>(vista.get());
        QVERIFY(g);
        DialogosGuionizados dlg;
        g->Logica().PonDialogos(dlg);
        g->resize(1100, 700);
        g->show();
        QVERIFY(QTest::qWaitForWindowExposed(g));
        QVERIFY(g->Carga());
        QVERIFY(ins.ui.Estados().join("|").contains(ins.ctx.dic.Texto(106)));
        QCOMPARE(ins.ui.Estado(), ins.ctx.dic.Texto(70));
        QCOMPARE(g->windowTitle(), ins.ctx.dic.Texto(2160));
        for (int t = 0; t < TiposGraficos; ++t) QVERIFY(g->BotonObjeto(t)->isEnabled());   // the full model

        // A breaker, from the model's fixed breaker: only the permission is asked.
        QTest::mouseClick(g->BotonObjeto(0), Qt::LeftButton);
        QCOMPARE(g->BotonPulsado(), 0);
        dlg.Responde("IntroducePermiso", {});
        auto *rejilla = g->Rejilla();
        QTest::mouseClick(rejilla, Qt::LeftButton, {}, Punto(*g, 5, 15));
        QCOMPARE(g->Logica().Modelo().En(0, 5, 14).objeto, qint16(1));
        QCOMPARE(g->Logica().Objetos()[0].cpu & CpuOperable, CpuOperable);

        // Double click: the dialog shows the stored permission; operation forbidden.
        dlg.Responde("IntroducePermiso", [](ParametrosDialogo &p) { p.permiso = 0; });
        QTest::mouseDClick(rejilla, Qt::LeftButton, {}, Punto(*g, 6, 16));
        QCOMPARE(dlg.Preguntas().last().entrada.permiso, qint16(CpuOperable));
        QCOMPARE(g->Logica().Objetos()[0].cpu & CpuOperable, 0);

        // Delete at the cursor.
        rejilla->setFocus();
        QTest::keyClick(rejilla, Qt::Key_Delete);
        QVERIFY(g->Logica().Objetos().isEmpty());
        QCOMPARE(rejilla->Cursor(), Celda({0, 6, 16}));

        // File commands: the working copy is let go and taken back; the next
        // placement below writes through the reopened table.
        vista->Suspende();
        QVERIFY(!ins.ctx.app.BaseTrabajoAbierta);
        vista->Reanuda();
        QVERIFY(ins.ctx.app.BaseTrabajoAbierta);

        // Pages.
        auto *siguiente = g->findChild<QPushButton *>("btn_Next");
        auto *anterior = g->findChild<QPushButton *>("btn_Previous");
        QTest::mouseClick(siguiente, Qt::LeftButton);
        QCOMPARE(g->PaginaActual(), 1);
        QVERIFY(!siguiente->isEnabled() && anterior->isEnabled());
        QCOMPARE(g->findChild<QLabel *>("lbl_DisplayNumeroAjustes")->text(), QString("2/2"));
        QCOMPARE(g->findChild<QLabel *>("Label1")->text(), ins.ctx.dic.Texto(2153));
        dlg.Responde("IntroducePermiso", {});
        QTest::mouseClick(rejilla, Qt::LeftButton, {}, Punto(*g, 0, 1));   // page 1 has no left margin
        QCOMPARE(g->Logica().Objetos().value(0).pag, qint16(1));
        emit g->findChild<QComboBox *>("cmb_ListaNombreAjustes")->activated(0);
        QCOMPARE(g->PaginaActual(), 0);

        // Export to PDF: the graphic number first (cancelling ends it), then the
        // file; the number given is proposed the next time.
        auto *pdf = g->findChild<QPushButton *>("btn_Pdf");
        QCOMPARE(pdf->text(), ins.ctx.dic.Texto(2191));
        dlg.Cancela("NumeroDeGrafico");
        QTest::mouseClick(pdf, Qt::LeftButton);
        dlg.Responde("NumeroDeGrafico", [](ParametrosDialogo &p) { p.txt = "5"; });
        const QString hoja = ins.arbol.raiz.en("grafico.pdf");
        ins.ui.EsperaFichero(hoja);
        QTest::mouseClick(pdf, Qt::LeftButton);
        QFile f(hoja);
        QVERIFY(f.open(QIODevice::ReadOnly) && f.read(4) == "%PDF");
        dlg.Cancela("NumeroDeGrafico");
        g->ExportaPdf();
        QCOMPARE(dlg.Preguntas().last().entrada.txt, QString("5"));

        // Sending with no relay connected is refused.
        ins.ui.Espera(ins.ctx.dic.Texto(586));
        QTest::mouseClick(g->findChild<QPushButton *>("C1"), Qt::LeftButton);
        QVERIFY(ins.ui.Pendientes().isEmpty());
        QVERIFY(dlg.Pendientes().isEmpty());
        QVERIFY(dlg.Inesperados().isEmpty());
    }
};

QTEST_MAIN(PruebaGraficoUi)
#include "grafico_ui_test.moc"
