// Pages, reserved cells and the rules of a stored diagram.
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
