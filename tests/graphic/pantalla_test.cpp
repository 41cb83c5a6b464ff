// Pages, reserved cells, the occupancy map and the rules of a stored diagram.
#include "graphic/pantalla.h"
#include "support/imprime_qt.h"

#include <gtest/gtest.h>

// Objects are written with designated initializers; the other columns keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace tarvo;

namespace {

ObjetoGrafico Colocado(int id, int tipo, int apa, int x, int y, int pag = 0) {
    ObjetoGrafico o{.Identificador = qint16(id), .apaN2 = qint16(tipo), .apa = qint16(apa), .x = qint16(x),
                    .y = qint16(y), .pag = qint16(pag)};
    PreparaObjeto(o);
    return o;
}

}  // namespace

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
    for (const auto &b : bordes) EXPECT_EQ(EsCeldaReservada(b[0], b[1], b[2]), bool(b[3])) << b[0] << "," << b[1] << "," << b[2];
}

TEST(Pantalla, CellsOfAnObjectFollowItsKindAndTexts) {
    const struct {
        ObjetoGrafico o;
        int celdas;
    } casos[] = {
        {Colocado(1, 1, 47, 0, 10), 22},   // 2 x 11
        {{.apaN2 = 22, .apa = 12, .txt_u = "kV", .x = 3, .y = 10}, 14},
        {{.apaN2 = 42, .apa = 43, .unidad_m = 3, .x = 4, .y = 10}, 15},
        {{.apaN2 = 23, .apa = 13, .txtb0 = "A", .txtb1 = "OFF", .x = 5, .y = 10}, 3},
        {{.apaN2 = 20, .apa = 36, .txtb1 = "IMAX", .y = 12}, 12 + 4},
        {ObjetoFichero("A.CNF"), 0},
    };
    for (const auto &c : casos) EXPECT_EQ(CeldasObjeto(c.o).size(), c.celdas) << c.o.apaN2;
    // The marker's label ends on the frame's middle row.
    EXPECT_TRUE(CeldasObjeto(casos[4].o).contains(Celda{0, 1, 19}));
}

TEST(Pantalla, MapMarksReservedCellsObjectsAndFindsTheLowestFreeNumber) {
    MapaPantalla mapa;
    mapa.MarcaReservadas();
    EXPECT_EQ(mapa.Valor(0, 0, 0), MapaPantalla::Reservada);
    EXPECT_TRUE(mapa.Libre(0, 0, 7, 2, 3));
    EXPECT_FALSE(mapa.Libre(0, 3, 7, 2, 3));     // runs into the notch
    EXPECT_FALSE(mapa.Libre(1, 15, 0, 2, 1));    // off the bottom
    EXPECT_FALSE(mapa.Libre(1, 0, 38, 1, 3));    // off the right edge
    mapa.Marca(0, 0, 7, 2, 3, 1);
    mapa.Marca(1, 5, 0, 1, 1, 3);
    EXPECT_FALSE(mapa.Libre(0, 1, 9, 1, 1));
    EXPECT_EQ(mapa.IdentificadorLibre(), 2);
    mapa.Marca(0, 0, 7, 2, 3, 0);
    EXPECT_EQ(mapa.IdentificadorLibre(), 1);

    const MapaPantalla construido = ConstruyeMapa({Colocado(4, 0, 2, 0, 10), Colocado(9, 18, 42, 2, 0, 1)});
    EXPECT_EQ(construido.Valor(0, 1, 12), 4);
    EXPECT_EQ(construido.Valor(1, 2, 0), 9);
    EXPECT_EQ(construido.Valor(1, 0, 39), MapaPantalla::Reservada);
    EXPECT_EQ(construido.IdentificadorLibre(), 1);
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
    const struct {
        QList<ObjetoGrafico> objetos;
        const char *fallo;
    } casos[] = {
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
