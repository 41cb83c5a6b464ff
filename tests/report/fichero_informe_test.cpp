#include "report/fichero_informe.h"

#include <gtest/gtest.h>

#include <QTextStream>

using namespace tarvo;

namespace {

struct Informe {
    QString texto;
    QTextStream s{&texto};
    EscritorInforme e{s};
    QList<PaginaInforme> Paginas() {
        s.flush();
        return LeeInforme(texto);
    }
};

QStringList Textos(const LineaInforme &l) {
    QStringList t;
    for (const CeldaCabecera &c : l.celdas) t << c.texto;
    return t;
}

}  // namespace

TEST(PaginasInforme, UnaTablaLargaRepiteSuCabeceraEnCadaPagina) {
    Informe i;
    i.e.NuevaPagina();
    i.e.Titulo("Control");
    i.e.TituloTabla("Salidas");
    i.e.Cabecera({{AnchoCelda::Corto, "N"}, {AnchoCelda::Extralargo, "Nombre"}});
    for (int n = 0; n < 150; ++n) i.e.Fila({QString::number(n), "  "});
    const auto paginas = i.Paginas();
    ASSERT_EQ(paginas.size(), 3);
    int filas = 0;
    for (int p = 0; p < paginas.size(); ++p) {
        EXPECT_EQ(paginas[p].numero, p + 1);
        int alto = 0;
        for (const LineaInforme &l : paginas[p].lineas) alto += AltoLinea(l.codigo);
        EXPECT_LT(alto - AltoLinea(paginas[p].lineas.last().codigo), FinPagina) << "page " << p + 1;
        if (p > 0) {
            ASSERT_EQ(paginas[p].lineas[0].codigo, CodigoLinea::Cabecera);
            EXPECT_EQ(Textos(paginas[p].lineas[0]), QStringList({"N", "Nombre"}));
        }
        for (const LineaInforme &l : paginas[p].lineas) {
            if (l.codigo != CodigoLinea::Fila) continue;
            // Row cells take their header's widths, two blanks kept as written.
            ASSERT_EQ(l.celdas.size(), 2);
            EXPECT_EQ(l.celdas[0].texto, QString::number(filas));
            EXPECT_EQ(l.celdas[1].ancho, AnchoCelda::Extralargo);
            EXPECT_EQ(l.celdas[1].texto, "  ");
            ++filas;
        }
    }
    EXPECT_EQ(filas, 150);
}

TEST(PaginasInforme, UnTituloNuncaCierraUnaPagina) {
    // Fill the page to every position a title could meet near its bottom.
    for (int lineas = 55; lineas < 67; ++lineas) {
        Informe i;
        i.e.NuevaPagina();
        for (int n = 0; n < lineas; ++n) i.e.Texto("x");
        i.e.TituloTabla("Eventos");
        i.e.Cabecera({{AnchoCelda::Corto, "N"}});
        i.e.Fila({"1"});
        for (const PaginaInforme &p : i.Paginas()) {
            EXPECT_NE(p.lineas.last().codigo, CodigoLinea::TituloTabla) << lineas << " lines";
        }
        const int alto = lineas * AltoLinea(CodigoLinea::Texto);
        EXPECT_EQ(i.e.Pagina(), alto + ReservaTitulo >= FinPagina ? 2 : 1) << lineas << " lines";
    }
}

TEST(PaginasInforme, UnTextoQueNoEsUnInformeSeRechazaNombrandoSuLinea) {
    for (const char *mal : {"sin etiqueta\n", "#2 antes de la primera pagina\n", "#0 1\n#4 1#40 2\n",
                            "#0 1\n#5 #77 ancho\n", "#0 1\n#4 #50 celda sin etiqueta de fila\n", "#0 1\n#9 x\n"}) {
        EXPECT_THROW(LeeInforme(mal), std::runtime_error) << mal;
    }
    // A "#" inside a cell's text would split it: it is written as a blank.
    Informe i;
    i.e.NuevaPagina();
    i.e.Cabecera({{AnchoCelda::Medio, "N#1"}});
    EXPECT_EQ(Textos(i.Paginas()[0].lineas[0]), QStringList({"N 1"}));
}
