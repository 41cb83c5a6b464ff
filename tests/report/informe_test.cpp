// The report: its tagged pages written and read back, a shipped model's new
// configuration read back from its file, and the display graphic's tables.
#include "report/informe.h"

#include "graphic/dialogos_grafico.h"
#include "graphic/editor_grafico.h"
#include "store/ficheros.h"
#include "store/nombres_estados.h"
#include "support/instalacion.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTextStream>

#include <algorithm>

#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace tarvo;

namespace {

// A report written in memory.
struct Escrito {
    QString texto;
    QTextStream s{&texto};
    EscritorInforme e{s};
    QList<PaginaInforme> Paginas() {
        s.flush();
        return LeeInforme(texto);
    }
};

struct Informe {
    prueba::Instalacion ins;
    explicit Informe(const char *modelo) {
        ins.ui.EsperaModelo(modelo);
        NuevaConfiguracion(ins.ctx, ins.v);
    }
    QString T(int n) const { return ins.ctx.dic.Texto(n); }
    void Ejecuta(const QString &sql) {
        bd::BaseDatos::Abrir(ins.ctx.app.CopiaTrabajo, bd::Apertura::Temporal)->Execute(sql);
    }
    QStringList Filas(const QString &sql) { return prueba::Filas(ins.ctx.app.CopiaTrabajo, sql, bd::Apertura::Temporal); }
    QList<PaginaInforme> Escribe() {
        auto db = bd::BaseDatos::Abrir(ins.ctx.app.CopiaTrabajo, bd::Apertura::Temporal);
        EXPECT_TRUE(CargaReport(ins.ctx, *db, ins.ctx.app.FicheroInforme));
        EXPECT_EQ(ins.Inesperados(), "");
        QFile f(ins.ctx.app.FicheroInforme);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text));
        return LeeInforme(QString::fromUtf8(f.readAll()));
    }
};

QString Une(const LineaInforme &l) {
    QStringList t;
    for (const CeldaCabecera &c : l.celdas) t << c.texto;
    return t.join('|');
}

// A table's rows wherever they fall.
QStringList Lee(const QList<PaginaInforme> &paginas, const QString &titulo) {
    QStringList filas;
    bool dentro = false;
    for (const PaginaInforme &p : paginas)
        for (const LineaInforme &l : p.lineas) {
            if (l.codigo == CodigoLinea::TituloTabla || l.codigo == CodigoLinea::Titulo) {
                if (dentro) return filas;
                dentro = l.texto == titulo;
            } else if (dentro && l.codigo == CodigoLinea::Fila) {
                filas << Une(l);
            }
        }
    return filas;
}

// The display graphic's part after an earlier table's text line, row cells split by "|".
QStringList Lineas(Contexto &ctx, bd::BaseDatos &db) {
    QString texto;
    QTextStream s(&texto);
    EscritorInforme e(s);
    InformeEnCurso r{ctx, db, e};
    e.Texto("LEDs");
    ReportGraficoCOMU(r);
    s.flush();
    return texto.replace("#40 ", "|").split('\n', Qt::SkipEmptyParts);
}

}  // namespace

// Sections follow the model's CPUs: the first right under the header on page
// 1, each later one at the top of a page of its own.
TEST(InformeConfiguracion, CadaModeloTieneSusSeccionesYCadaUnaEmpiezaDondeDebe) {
    const struct { const char *modelo; QList<int> secciones; } casos[] = {
        {"TRV-610 **", {1982, 1983, 1984}}, {"TRV-420 *", {1982, 1984}}, {"TRV-300 C*", {1983, 1984}}};
    for (const auto &c : casos) {
        Informe i(c.modelo);
        const QList<PaginaInforme> paginas = i.Escribe();
        QStringList esperados = {i.T(1854) + " 0/0"};
        for (int s = 0; s < c.secciones.size(); ++s) esperados << i.T(c.secciones[s]) + (s == 0 ? " 0/8" : " arriba");
        QStringList vistos;
        int anterior = -1;
        for (int p = 0; p < paginas.size(); ++p)
            for (int n = 0; n < paginas[p].lineas.size(); ++n) {
                if (paginas[p].lineas[n].codigo != CodigoLinea::Titulo) continue;
                const bool arriba = p > 0 && n == 0 && p > anterior;
                vistos << paginas[p].lineas[n].texto + (arriba ? QString(" arriba") : QString(" %1/%2").arg(p).arg(n));
                anterior = p;
            }
        EXPECT_EQ(vistos, esperados) << c.modelo;
        EXPECT_EQ(paginas[0].lineas[1].texto, i.T(1855) + " " + c.modelo) << c.modelo;
    }
}

// Only masked signals make rows: a record whose mask is 0 and a condition that
// tests nothing are left out, whatever else their bytes hold.
TEST(InformeConfiguracion, SoloLasSenyalesEnmascaradasDanFilas) {
    Informe i("TRV-610 **");
    i.Ejecuta("UPDATE [Salidas CTRL] SET Codificacion = '000001000400' WHERE Indice = 1");
    i.Ejecuta("UPDATE [Salidas CTRL] SET Codificacion = '040001000400', GrupoSenyal = 1 WHERE Indice = 3");
    i.Ejecuta("UPDATE [LEDs COMU] SET Codificacion = '000005C0FFFF' WHERE Indice = 1");
    i.Ejecuta("UPDATE [LEDs COMU] SET Codificacion = '0B0005C00A00', GrupoSenyal = 5, Parpadeo = True, "
              "Mantenido = True WHERE Indice = 2");
    i.Ejecuta("UPDATE [Actuacion CTRL] SET MascaraBitMando = '0000000000000021', MascaraEstado = '0001', "
              "ValorBitMando = '0000000000000001', ValorEstado = '0000' WHERE Indice = 3");
    i.Ejecuta("UPDATE [Fallo CTRL] SET ValorBitMando = 'FFFFFFFFFFFFFFFF', ValorEstado = 'FFFF'");
    const QList<PaginaInforme> paginas = i.Escribe();

    const QStringList nombres = i.Filas("SELECT NombreAjuste FROM [Salidas CTRL] WHERE Indice = 3 UNION ALL "
                                        "SELECT NombreAjuste FROM [LEDs COMU] WHERE Indice = 2");
    const QString control = CargaNombresEstados(i.ins.ctx, *bd::BaseDatos::Abrir(i.ins.ctx.app.CopiaTrabajo),
                                                "Tarvo Estados Control").Etiqueta(16 + 2 + 1);
    // Group 5 of the six event groups holds front-panel events 17 to 32.
    const QStringList ev = i.Filas("SELECT NombreAjuste FROM [Eventos COMU] WHERE Indice IN (17, 18, 20) ORDER BY Indice");
    const QStringList bits = i.Filas("SELECT NombreAjuste FROM [BitMando CTRL] WHERE Indice IN (1, 6) ORDER BY Indice");
    const QStringList estado = prueba::Filas(i.ins.ctx.app.DirectorioModelos + i.ins.ctx.app.BaseDatos,
                                             "SELECT Entrada FROM [Tarvo Estados Externos CTRL] WHERE Entrada <> '' "
                                             "ORDER BY Indice LIMIT 1");
    const QString b = "  ";
    const struct { int titulo; QStringList filas; } casos[] = {
        {1893, {QStringList{"3", nombres.value(0), "2", "1", control}.join('|')}},
        {1888,
         {QStringList{"2", nombres.value(1), "6", "0", ev.value(0), i.T(1884), i.T(1759)}.join('|'),
          QStringList{b, b, b, "1", ev.value(1), b, b}.join('|'), QStringList{b, b, b, "1", ev.value(2), b, b}.join('|')}},
        {1862,
         {QStringList{"3", "3" + i.T(1873) + " " + i.T(1868) + "-1", "1", bits.value(0)}.join('|'),
          QStringList{b, b, "0", bits.value(1)}.join('|'), QStringList{b, b, "0", estado.value(0)}.join('|')}},
        {1863, {}},
    };
    for (const auto &c : casos) EXPECT_EQ(Lee(paginas, i.T(c.titulo)), c.filas) << c.titulo;
}

TEST(PaginasInforme, UnaTablaLargaRepiteSuCabeceraEnCadaPagina) {
    Escrito i;
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
            EXPECT_EQ(Une(paginas[p].lineas[0]), "N|Nombre");
        }
        for (const LineaInforme &l : paginas[p].lineas) {
            if (l.codigo != CodigoLinea::Fila) continue;
            // Row cells take their header's widths, two blanks kept as written.
            EXPECT_EQ(Une(l), QString("%1|  ").arg(filas));
            EXPECT_EQ(l.celdas.value(1).ancho, AnchoCelda::Extralargo);
            ++filas;
        }
    }
    EXPECT_EQ(filas, 150);
}

TEST(PaginasInforme, UnTituloNuncaCierraUnaPagina) {
    // Fill the page to every position a title could meet near its bottom.
    for (int lineas = 55; lineas < 67; ++lineas) {
        Escrito i;
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
    Escrito i;
    i.e.NuevaPagina();
    i.e.Cabecera({{AnchoCelda::Medio, "N#1"}});
    EXPECT_EQ(Une(i.Paginas()[0].lineas[0]), "N 1");
}

TEST(GraficoInforme, KindsInTheirTablesInCellOrderAndEmptyTablesLeftOut) {
    Informe i("TRV-610 **");
    prueba::Instalacion &ins = i.ins;
    const CatalogosDialogos cat = CargaCatalogosDialogos(ins.ctx);
    // Held open as the report holds it: nobody else may open it meanwhile.
    auto db = bd::BaseDatos::Abrir(ins.ctx.app.CopiaTrabajo, bd::Apertura::Temporal);
    const QString titulo = "#3 " + ins.ctx.dic.Texto(1912), nombre = ins.ctx.dic.Texto(1870);
    EXPECT_EQ(Lineas(ins.ctx, *db), QStringList({"#0 1", "#2 LEDs", "#0 2", titulo}));

    ASSERT_TRUE(cat.aparamenta.size() >= 2 && cat.maniobras.size() >= 3 && !cat.analogicos.isEmpty());
    const auto &ap = cat.aparamenta, &man = cat.maniobras;
    const auto estado = std::find_if(cat.estados[1].begin(), cat.estados[1].end(), [](auto &d) { return d.bit > 0; });
    ASSERT_NE(estado, cat.estados[1].end());
    // Written out of display order: the tables sort by page, row and column.
    ObjetoGrafico objetos[] = {
        {.apaN2 = 0, .apa = 1, .cpu = CpuOperable | 1, .oper_b = qint16(ap[0].bit), .oper_c = qint16(man[0].indice),
         .oper_d = qint16(man[1].indice), .donde = qint16(ap[0].donde), .x = 2, .y = 5, .pag = 1},
        {.apaN2 = 2, .apa = 5, .cpu = 1, .oper_b = qint16(ap[1].bit), .donde = qint16(ap[1].donde), .x = 8, .y = 12},
        {.apaN2 = 8, .apa = 9, .cpu = CpuOperable, .x = 1, .y = 20},
        {.apaN2 = 21, .apa = ApaTexto, .txt = "HOLA", .y = 10},
        {.apaN2 = 23, .apa = qint16(13 + estado->bit), .cpu = 1, .txtb0 = "ON", .txtb1 = "OFF",
         .donde = qint16(estado->donde), .x = 5, .y = 12},
        {.apaN2 = 43, .apa = 45, .cpu = qint16(cat.analogicos[0].cpu), .txt_m = ParametroEscala(100, -50, 2),
         .donde = qint16(cat.analogicos[0].donde), .x = 10, .pag = 1},
        {.apaN2 = 13, .apa = 21, .x = 12, .y = 15},
        ObjetoFichero("FEEDER1.CNF"),
    };
    for (ObjetoGrafico &o : objetos) GrabaObjeto(*db->OpenRecordset(TablaGrafico, bd::TipoRecordset::Dynaset), o, true);
    ObjetoGrafico maniobra{.Identificador = 7, .oper_b = qint16(man[2].indice), .x = 3, .y = 10};
    ObjetoGrafico etiqueta{.txt = "ABRIR"};
    GrabaObjetoManiobra(*db->OpenRecordset(TablaGrafico, bd::TipoRecordset::Dynaset), maniobra, etiqueta, true);

    const QStringList esperadas = {
        "#0 1", "#2 LEDs", "#0 2", titulo, "#0 3",
        "#5 #53 Objeto#53 Aparamenta#53 Orden de apertura#53 Orden de cierre#54 Columna#54 Fila#54 Página:",
        "#4 |Reenganchador|  |Permitida|Permitida|20|1|1",
        "#4 |Seccionador|" + ap[1].nombre + "|No permitida|No permitida|12|8|1",
        "#4 |Interruptor|" + ap[0].nombre + "|" + man[0].nombre + "|" + man[1].nombre + "|5|2|2",
        "#5 #50 Objeto#50 Texto#51 Maniobra asignada#50 Columna#50 Fila#50 Página:",
        "#4 |Maniobra|ABRIR|" + man[2].nombre + "|10|3|1",
        "#5 #50 Objeto#51 " + nombre + "#50 Texto activo#50 Texto inactivo#50 Origen#50 Columna#50 Fila#50 Página:",
        "#4 |Estado|" + estado->nombre + "|ON|OFF|Control|12|5|1",
        "#5 #50 Objeto#51 " + nombre + "#50 Valor máximo#50 Valor mínimo#50 Decimales#50 Columna#50 Fila#50 Página:",
        "#4 |Valor analógico|" + cat.analogicos[0].nombre + "|100|-50|2|0|10|2",
        "#5 #51 Objeto#50 Columna#50 Fila#50 Página:",
        "#4 |Tierra|15|12|1",
        "#5 #50 Objeto#51 Texto#50 Columna#50 Fila#50 Página:",   // an operation's label is not a text of its own
        "#4 |Texto|HOLA|10|0|1",
        "#5 #50 Objeto#50 " + nombre + "#50 Columna#50 Fila#50 Página:",
        "#4 |Nombre de fichero|FEEDER1.CNF|  |  |  ",
    };
    EXPECT_EQ(Lineas(ins.ctx, *db).join('\n').toStdString(), esperadas.join('\n').toStdString());
}
