// The display's cells: how each kind is drawn, where a new object fits, and
// the model built from a stored diagram.
#include "core/pagina437.h"
#include "graphic/celdas.h"
#include "objeto_prueba.h"
#include "support/imprime_qt.h"

#include <gtest/gtest.h>

using namespace tarvo;

namespace {

// The object's rows as text: a strip cell as [n], a relay byte above 127 as <n>.
QStringList Vista(const ModeloPantalla &m, qint16 id, int pag, int fila, int col) {
    QStringList filas;
    for (int f = fila; m.En(pag, f, col).objeto == id; ++f) {
        QString s;
        for (int c = col; m.En(pag, f, c).objeto == id; ++c) {
            const CeldaPantalla &e = m.En(pag, f, c);
            s += e.bitmap >= 0 ? QString("[%1]").arg(e.bitmap)
                 : e.caracter < 128 ? QString(QChar(e.caracter)) : QString("<%1>").arg(e.caracter);
        }
        filas << s;
    }
    return filas;
}

}  // namespace

TEST(Celdas, EveryKindFillsItsCellsWithStripCellsOfTheSymbols) {
    for (int tipo = 0; tipo < TiposGraficos; ++tipo) {
        const QList<CeldaDibujo> dibujo = DibujoObjeto({.Identificador = 7, .apaN2 = qint16(tipo)}, 1);
        EXPECT_TRUE(Tipo(tipo).ancho == 0 || dibujo.size() == Tipo(tipo).alto * Tipo(tipo).ancho) << tipo;
        for (const CeldaDibujo &c : dibujo) EXPECT_TRUE(c.contenido.objeto == 7 && c.contenido.bitmap < CeldaBmpReservada) << tipo;
    }
    EXPECT_TRUE(DibujoObjeto({.apaN2 = 25}, 0).isEmpty());
}

TEST(Celdas, KindsDrawCellForCell) {
    const auto maniobra = Preparado({.Identificador = 4, .apaN2 = 47, .x = 5, .y = 2, .pag = 1});
    const struct { int idioma; QList<ObjetoGrafico> filas; QStringList vista; } casos[] = {
        {0, {{.apaN2 = 0}}, {"[20][21][22]", "[30][31][32]"}},
        {0, {{.apaN2 = 1}}, {"[20][21][22] [20][21][22] [20][21][22]", "[30][31][32] [30][31][32] [30][31][32]"}},
        {0, {{.apaN2 = 3}}, {"[18] REARME"}},
        {1, {{.apaN2 = 3}}, {"[18] RESET "}},
        {0, {{.apaN2 = 20, .txtb0 = "5", .txtb1 = "IMAX"}}, {"[45][46][47][48]", "[55]5 [58]IMAX", "[65][66][67][68]"}},
        {0, {{.apaN2 = 21, .txt = "AÑO¿"}}, {"A<165>O<168>"}},
        {0, {{.apaN2 = 22, .txt_m = "V", .txt_u = "kV"}}, {"V    9999999kV"}},
        {0, {{.apaN2 = 23, .txtb0 = "ON", .txtb1 = "OFF"}}, {"ON "}},
        {0, {{.apaN2 = 35, .txt = QString(LetraRele(197))}}, {"[10]"}},
        {0, {{.apaN2 = 42, .unidad_m = 0}}, {"999999 MWh"}},
        {0, {{.apaN2 = 42, .unidad_m = 3}}, {"999999999 Kvarh"}},
        {0, {{.apaN2 = 44}}, {" <220> "}},
        {0, {maniobra, EtiquetaManiobra(maniobra, "ABRIR")}, {"ABRIR "}},
    };
    for (const auto &c : casos) {
        ModeloPantalla m;
        for (ObjetoGrafico o : c.filas) {
            o.Identificador = 4, o.pag = 1, o.x = 5, o.y = 2;
            m.Dibuja(o, c.idioma);
        }
        EXPECT_EQ(Vista(m, 4, 1, 5, 2), c.vista) << c.filas[0].apaN2;
    }
}

// The page edges, page 0's reserved cells and the notch are met through the editor's clicks.
TEST(Celdas, NewObjectsNeedFreeCells) {
    ModeloPantalla m;
    m.Dibuja(Preparado({.Identificador = 1, .apaN2 = 0, .apa = 1, .x = 6, .y = 11, .pag = 1}), 0);   // columns 11-13
    const struct { int pag, fila, col; ObjetoGrafico o; std::optional<Celda> origen; } casos[] = {
        {1, 6, 9, {.apaN2 = 0}, Celda{1, 6, 8}},  // side by side with the breaker
        {1, 6, 10, {.apaN2 = 0}, std::nullopt},
        {1, 6, 5, {.apaN2 = 1}, Celda{1, 6, 0}},  // a tripolar takes eleven columns
        {1, 6, 6, {.apaN2 = 1}, std::nullopt},
        {1, 3, 31, {.apaN2 = 18}, std::nullopt},  // the page's reserved corner
        {0, 0, 23, {.apaN2 = 20, .txtb1 = "IMAX"}, Celda{0, 0, 23}},
        {0, 0, 24, {.apaN2 = 20, .txtb1 = "IMAX"}, std::nullopt},   // the label would reach column 31
        {0, 2, 16, {.apaN2 = 15}, Celda{0, 2, 14}},
        {0, 2, 16, {.apaN2 = 25}, std::nullopt},   // the file name has no place on the grid
    };
    for (const auto &c : casos)
        EXPECT_EQ(m.HayEspacio(c.pag, c.fila, c.col, c.o), c.origen) << c.pag << "," << c.fila << "," << c.col << " kind " << c.o.apaN2;
}

TEST(Celdas, LoadingADecodedDiagramDrawsEachRowAndDeletingFreesItsCells) {
    const auto maniobra = Preparado({.Identificador = 3, .apaN2 = 47, .apa = ApaManiobra, .x = 8, .y = 20, .pag = 1});
    const QList<ObjetoGrafico> escritos = {
        Preparado({.Identificador = 1, .apaN2 = 0, .apa = 1, .x = 0, .y = 10}),
        Preparado({.Identificador = 2, .apaN2 = 21, .apa = 11, .txt = "AÑO", .x = 3, .y = 12}),
        maniobra,
        EtiquetaManiobra(maniobra, "CERR"),
        Preparado({.Identificador = 4, .apaN2 = 42, .apa = 43, .unidad_m = 3, .x = 12, .y = 12}),
        ObjetoFichero("LINEA.CNF"),
    };
    QString hex;
    ModeloPantalla cargado, dibujado;
    for (const ObjetoGrafico &o : escritos) {
        hex += o.Codificacion;
        dibujado.Dibuja(o, 1);
    }
    QList<ObjetoGrafico> leidos;
    ASSERT_TRUE(DecodificaObjetos(hex, leidos));
    cargado.Carga(leidos, 1);
    EXPECT_TRUE(cargado.Celdas() == dibujado.Celdas());
    EXPECT_EQ(Vista(cargado, 3, 1, 8, 20), QStringList{"CERR  "});
    EXPECT_EQ(cargado.IdentificadorLibre(), 5);

    cargado.Borra(1);
    EXPECT_EQ(cargado.IdentificadorLibre(), 1);
    cargado.Borra(3);   // the operation and its label
    EXPECT_EQ(cargado.En(1, 8, 20), CeldaPantalla{});

    // A row lying on the relay's cells leaves them reserved when deleted.
    ModeloPantalla m;
    m.Dibuja(Preparado({.Identificador = 9, .apaN2 = 21, .apa = 11, .txt = "ABC", .x = 0, .y = 5}), 0);
    m.Borra(9);
    EXPECT_EQ(m.En(0, 0, 5), (CeldaPantalla{' ', CeldaBmpReservada, -1}));
    EXPECT_TRUE(m.Celdas() == ModeloPantalla().Celdas());
}
