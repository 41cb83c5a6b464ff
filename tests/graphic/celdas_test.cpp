// The display's cells: how each kind is drawn and where a new object fits;
// the pages' reserved cells and the rules of a stored diagram.
#include "core/pagina437.h"
#include "graphic/celdas.h"
#include "graphic/pantalla.h"
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

ObjetoGrafico Colocado(int id, int tipo, int apa, int x, int y, int pag = 0) {
    return Preparado({.Identificador = qint16(id), .apaN2 = qint16(tipo), .apa = qint16(apa), .x = qint16(x),
                      .y = qint16(y), .pag = qint16(pag)});
}

}  // namespace

TEST(Celdas, EveryKindFillsItsCellsWithStripCellsOfTheSymbols) {
    for (int tipo = 0; tipo < TiposGraficos; ++tipo) {
        const QList<CeldaDibujo> dibujo = DibujoObjeto({.Identificador = 7, .apaN2 = qint16(tipo)}, 1);
        EXPECT_TRUE(Tipo(tipo).ancho == 0 || dibujo.size() == Tipo(tipo).alto * Tipo(tipo).ancho) << tipo;
        for (const CeldaDibujo &c : dibujo)
            EXPECT_TRUE(c.contenido.objeto == 7 && c.contenido.bitmap < CeldaBmpReservada) << tipo;
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
TEST(Celdas, NewObjectsNeedFreeCellsAndDeletingFreesThem) {
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
        EXPECT_EQ(m.HayEspacio(c.pag, c.fila, c.col, c.o), c.origen)
            << c.pag << "," << c.fila << "," << c.col << " kind " << c.o.apaN2;

    // Deleting frees the cells; a row lying on the relay's cells leaves them reserved.
    m.Dibuja(Preparado({.Identificador = 9, .apaN2 = 21, .apa = 11, .txt = "ABC", .x = 0, .y = 5}), 0);
    m.Borra(9);
    m.Borra(1);
    EXPECT_TRUE(m.Celdas() == ModeloPantalla().Celdas());
}

TEST(Pantalla, ReservedAreasOfBothPages) {
    int libres[2] = {};
    for (int pag : {0, 1})
        for (int f = 0; f < FilasPantalla; ++f)
            for (int c = 0; c < ColumnasPantalla; ++c) libres[pag] += !EsCeldaReservada(pag, f, c);
    EXPECT_EQ(libres[0], 16 * 24 - 8 * 3);   // columns 7..30 less the notch
    EXPECT_EQ(libres[1], 16 * 40 - 4 * 9);   // all but the top-right corner
    // The edges of each area: {page, row, column, reserved}.
    const int bordes[][4] = {{0, 0, 6, 1},  {0, 0, 7, 0},   {0, 4, 9, 1},  {0, 12, 9, 0},
                             {0, 15, 31, 1}, {1, 3, 31, 1}, {1, 4, 31, 0}, {1, 0, 30, 0}};
    for (const auto &b : bordes)
        EXPECT_EQ(EsCeldaReservada(b[0], b[1], b[2]), bool(b[3])) << b[0] << "," << b[1] << "," << b[2];
}

TEST(Pantalla, DiagramRules) {
    QList<ObjetoGrafico> bien = {Colocado(1, 0, 2, 0, 10), Colocado(2, 11, 4, 0, 14), ObjetoFichero("X.CNF")};
    ObjetoGrafico op = Colocado(3, 47, 56, 11, 0, 1);
    bien << op << EtiquetaManiobra(op, "ABRIR");
    EXPECT_EQ(CompruebaGrafico(bien), QStringList());

    ObjetoGrafico cambiado = bien[0];
    cambiado.donde = 5;   // a column changed without rebuilding Codificacion
    QList<ObjetoGrafico> muchos;
    for (int i = 0; i < 65; ++i) muchos << Colocado(i + 1, 18, 42, i / 30, i % 30, 1);
    const struct { QList<ObjetoGrafico> objetos; const char *fallo; } casos[] = {
        {bien + QList<ObjetoGrafico>{Colocado(4, 12, 7, 1, 11)}, "shares cell"},
        {{Colocado(1, 12, 7, 5, 8)}, "reserved"},
        {{Colocado(1, 14, 38, 14, 20, 1)}, "off the page"},
        {{op}, "without its label"},
        {{ObjetoFichero("A.B"), ObjetoFichero("C.D")}, "2 file-name objects"},
        {{cambiado}, "does not match"},
        {muchos, "65 rows"},
    };
    for (const auto &c : casos) EXPECT_TRUE(CompruebaGrafico(c.objetos).join("\n").contains(c.fallo)) << c.fallo;
    muchos.removeLast();
    EXPECT_EQ(CompruebaGrafico(muchos), QStringList());
}
