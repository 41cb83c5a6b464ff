// Pages, reserved cells, the occupancy map and the rules of a stored diagram.
#include "graphic/pantalla.h"
#include "support/imprime_qt.h"

#include <gtest/gtest.h>

using namespace tarvo;

namespace {

ObjetoGrafico Colocado(int id, int tipo, int apa, int x, int y, int pag = 0) {
    ObjetoGrafico o;
    o.Identificador = qint16(id);
    o.apaN2 = qint16(tipo);
    o.apa = qint16(apa);
    o.x = qint16(x);
    o.y = qint16(y);
    o.pag = qint16(pag);
    PreparaObjeto(o);
    return o;
}

int CeldasLibres(int pag) {
    int n = 0;
    for (int f = 0; f < FilasPantalla; ++f)
        for (int c = 0; c < ColumnasPantalla; ++c) n += !EsCeldaReservada(pag, f, c);
    return n;
}

}  // namespace

TEST(Pantalla, ReservedAreasOfBothPages) {
    EXPECT_EQ(CeldasLibres(0), 16 * 24 - 8 * 3);   // columns 7..30 less the notch
    EXPECT_EQ(CeldasLibres(1), 16 * 40 - 4 * 9);    // all but the top-right corner
    EXPECT_TRUE(EsCeldaReservada(0, 0, 6));
    EXPECT_FALSE(EsCeldaReservada(0, 0, 7));
    EXPECT_TRUE(EsCeldaReservada(0, 4, 9));
    EXPECT_FALSE(EsCeldaReservada(0, 12, 9));
    EXPECT_TRUE(EsCeldaReservada(0, 15, 31));
    EXPECT_TRUE(EsCeldaReservada(1, 3, 31));
    EXPECT_FALSE(EsCeldaReservada(1, 4, 31));
    EXPECT_FALSE(EsCeldaReservada(1, 0, 30));
}

TEST(Pantalla, CellsOfAnObjectFollowItsKindAndTexts) {
    ObjetoGrafico tripolar = Colocado(1, 1, 47, 0, 10);
    EXPECT_EQ(CeldasObjeto(tripolar).size(), 22);   // 2 x 11
    ObjetoGrafico medida = Colocado(2, 22, 12, 3, 10);
    medida.txt_u = "kV";
    EXPECT_EQ(CeldasObjeto(medida).size(), 14);
    ObjetoGrafico contador = Colocado(3, 42, 43, 4, 10);
    contador.unidad_m = 3;
    EXPECT_EQ(CeldasObjeto(contador).size(), 15);
    ObjetoGrafico estado = Colocado(4, 23, 13, 5, 10);
    estado.txtb0 = "A";
    estado.txtb1 = "OFF";
    EXPECT_EQ(CeldasObjeto(estado).size(), 3);
    ObjetoGrafico marcador = Colocado(5, 20, 36, 0, 12);
    marcador.txtb1 = "IMAX";
    const QList<Celda> m = CeldasObjeto(marcador);
    EXPECT_EQ(m.size(), 12 + 4);
    EXPECT_TRUE(m.contains(Celda{0, 1, 19}));   // the label's last cell, on the frame's middle row
    EXPECT_TRUE(CeldasObjeto(ObjetoFichero("A.CNF")).isEmpty());
}

TEST(Pantalla, MapMarksReservedCellsObjectsAndFindsTheLowestFreeNumber) {
    MapaPantalla mapa;
    mapa.MarcaReservadas();
    EXPECT_EQ(mapa.Valor(0, 0, 0), MapaPantalla::Reservada);
    EXPECT_EQ(mapa.Valor(0, 0, 7), 0);
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

    auto fallos = [&](QList<ObjetoGrafico> l) { return CompruebaGrafico(l).join("\n"); };
    EXPECT_NE(fallos(bien + QList<ObjetoGrafico>{Colocado(4, 12, 7, 1, 11)}).indexOf("shares cell"), -1);
    EXPECT_NE(fallos({Colocado(1, 12, 7, 5, 8)}).indexOf("reserved"), -1);
    EXPECT_NE(fallos({Colocado(1, 14, 38, 14, 20, 1)}).indexOf("off the page"), -1);
    EXPECT_NE(fallos({op}).indexOf("without its label"), -1);
    EXPECT_NE(fallos({ObjetoFichero("A.B"), ObjetoFichero("C.D")}).indexOf("2 file-name objects"), -1);
    ObjetoGrafico cambiado = bien[0];
    cambiado.donde = 5;   // a column changed without rebuilding Codificacion
    EXPECT_NE(fallos({cambiado}).indexOf("does not match"), -1);
    QList<ObjetoGrafico> muchos;
    for (int i = 0; i < 65; ++i) muchos << Colocado(i + 1, 18, 42, i / 30, i % 30, 1);
    EXPECT_NE(fallos(muchos).indexOf("65 rows"), -1);
    muchos.removeLast();
    EXPECT_EQ(fallos(muchos), "");
}
