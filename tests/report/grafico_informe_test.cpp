// The display graphic's tables in the report, from objects stored by the
// graphic model's own writers in a new configuration of the full model.
#include "report/informe.h"

#include "graphic/dialogos_grafico.h"
#include "graphic/editor_grafico.h"
#include "store/ficheros.h"
#include "support/instalacion.h"

#include <gtest/gtest.h>

#include <QTextStream>

#include <algorithm>

#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace tarvo;

namespace {

struct GraficoInforme : ::testing::Test {
    prueba::Instalacion ins;
    CatalogosDialogos cat;
    std::unique_ptr<bd::BaseDatos> db;

    void SetUp() override {
        ins.ui.EsperaModelo("TRV-610 **");
        NuevaConfiguracion(ins.ctx, ins.v);
        cat = CargaCatalogosDialogos(ins.ctx);
        // Held open the way the report holds it: nobody else may open it meanwhile.
        db = bd::BaseDatos::Abrir(ins.ctx.app.CopiaTrabajo, bd::Apertura::Temporal);
    }
    void Graba(int tipo, int pag, int x, int y, ObjetoGrafico o = {}) {
        o.apaN2 = qint16(tipo);
        if (Tipo(tipo).apa >= 0) o.apa = qint16(Tipo(tipo).apa);
        o.pag = qint16(pag), o.x = qint16(x), o.y = qint16(y);
        auto rs = db->OpenRecordset(TablaGrafico, bd::TipoRecordset::Dynaset);
        GrabaObjeto(*rs, o, true);
    }
    // The report after a line of an earlier table: "--" for a page start,
    // "T" and a title, "H" and a header's cells, a row's cells, a text line.
    QStringList Lineas() {
        QString texto;
        QTextStream s(&texto);
        EscritorInforme e(s);
        InformeEnCurso r{ins.ctx, *db, e};
        e.Texto("LEDs");
        ReportGraficoCOMU(r);
        s.flush();
        QStringList l;
        for (const PaginaInforme &p : LeeInforme(texto)) {
            l << "--";
            for (const LineaInforme &li : p.lineas) {
                QStringList celdas;
                for (const CeldaCabecera &c : li.celdas) celdas << c.texto;
                if (li.codigo == CodigoLinea::TituloTabla) l << "T " + li.texto;
                if (li.codigo == CodigoLinea::Cabecera) l << "H " + celdas.join('|');
                if (li.codigo == CodigoLinea::Fila) l << celdas.join('|');
                if (li.codigo == CodigoLinea::Texto) l << li.texto;
            }
        }
        return l;
    }
    QString T(int n) { return ins.ctx.dic.Texto(n); }
};

TEST_F(GraficoInforme, EachKindInItsTableInCellOrder) {
    ASSERT_GE(cat.aparamenta.size(), 2);
    ASSERT_GE(cat.maniobras.size(), 3);
    ASSERT_FALSE(cat.medidas.isEmpty());
    ASSERT_FALSE(cat.contadores.isEmpty());
    ASSERT_FALSE(cat.analogicos.isEmpty());
    ASSERT_GE(cat.eventos[1].size(), 4);
    const auto &ap = cat.aparamenta;
    const auto &man = cat.maniobras;
    // A state past bit 0, so its code's bit counts.
    const auto estado = std::find_if(cat.estados[1].begin(), cat.estados[1].end(), [](auto &d) { return d.bit > 0; });
    ASSERT_NE(estado, cat.estados[1].end());
    const DatoGrafico &evento = cat.eventos[1][3], &medida = cat.medidas[0];

    // Written out of display order: the tables sort by page, row, column.
    Graba(0, 1, 2, 5, {.apa = 1, .cpu = CpuOperable | 1, .oper_b = qint16(ap[0].bit), .oper_c = qint16(man[0].indice),
                       .oper_d = qint16(man[1].indice), .donde = qint16(ap[0].donde)});
    Graba(2, 0, 8, 12, {.apa = 5, .cpu = 1, .oper_b = qint16(ap[1].bit), .donde = qint16(ap[1].donde)});
    Graba(8, 0, 1, 20, {.cpu = CpuOperable});
    Graba(21, 0, 0, 10, {.txt = "HOLA"});
    ObjetoGrafico maniobra{.Identificador = 7, .oper_b = qint16(man[2].indice), .x = 3, .y = 10};
    ObjetoGrafico etiqueta{.txt = "ABRIR"};
    GrabaObjetoManiobra(*db->OpenRecordset(TablaGrafico, bd::TipoRecordset::Dynaset), maniobra, etiqueta, true);
    Graba(23, 0, 5, 12, {.apa = qint16(13 + estado->bit), .cpu = 1, .txtb0 = "ON", .txtb1 = "OFF",
                         .donde = qint16(estado->donde)});
    Graba(24, 0, 5, 11, {.apa = qint16(26 + evento.bit), .cpu = 1, .txtb0 = "SI", .txtb1 = "NO",
                         .donde = qint16(evento.donde)});
    Graba(22, 1, 9, 0, {.cpu = qint16(medida.cpu), .txt_m = "IA", .txt_u = medida.unidad,
                        .donde = qint16(medida.donde)});
    Graba(43, 1, 10, 0, {.cpu = qint16(cat.analogicos[0].cpu), .txt_m = ParametroEscala(100, -50, 2),
                         .donde = qint16(cat.analogicos[0].donde)});
    Graba(42, 1, 11, 0, {.cpu = qint16(cat.contadores[0].cpu), .unidad_m = 2, .donde = qint16(cat.contadores[0].donde)});
    Graba(20, 0, 12, 20, {.txtb0 = "87", .txtb1 = "DIF"});
    Graba(13, 0, 12, 15);
    auto fichero = ObjetoFichero("FEEDER1.CNF");
    GrabaObjeto(*db->OpenRecordset(TablaGrafico, bd::TipoRecordset::Dynaset), fichero, true);

    const QString nombre = T(1870);
    const QStringList esperadas = {
        "--", "LEDs", "--", "T " + T(1912), "--",
        "H Objeto|Aparamenta|Orden de apertura|Orden de cierre|Columna|Fila|Página:",
        "Reenganchador|  |Permitida|Permitida|20|1|1",
        "Seccionador|" + ap[1].nombre + "|No permitida|No permitida|12|8|1",
        "Interruptor|" + ap[0].nombre + "|" + man[0].nombre + "|" + man[1].nombre + "|5|2|2",
        "H Objeto|Texto|Maniobra asignada|Columna|Fila|Página:",
        "Maniobra|ABRIR|" + man[2].nombre + "|10|3|1",
        "H Objeto|" + nombre + "|Texto activo|Texto inactivo|Origen|Columna|Fila|Página:",
        "Evento|" + evento.nombre + "|SI|NO|Control|11|5|1",
        "Estado|" + estado->nombre + "|ON|OFF|Control|12|5|1",
        "H Objeto|Medida|Cabecera|Unidad|Columna|Fila|Página:",
        "Medida|" + medida.nombre + "|IA|" + medida.unidad + "|0|9|2",
        "H Objeto|" + nombre + "|Valor máximo|Valor mínimo|Decimales|Columna|Fila|Página:",
        "Valor analógico|" + cat.analogicos[0].nombre + "|100|-50|2|0|10|2",
        "H Objeto|" + nombre + "|Unidad|Columna|Fila|Página:",
        "Contador|" + cat.contadores[0].nombre + "|KWh, 9 dígitos|0|11|2",
        "H Objeto|Columna|Fila|Página:",
        "Tierra|15|12|1",
        "Marcador de función DIF (interior 87)|20|12|1",
        "H Objeto|Texto|Columna|Fila|Página:",
        "Texto|HOLA|10|0|1",
        "H Objeto|" + nombre + "|Columna|Fila|Página:",
        "Nombre de fichero|FEEDER1.CNF|  |  |  ",
    };
    EXPECT_EQ(Lineas().join('\n').toStdString(), esperadas.join('\n').toStdString());
}

// Tables without an object to list are left out; an operation's label is not
// a text of its own, and an empty graphic ends at its title.
TEST_F(GraficoInforme, TablesWithoutObjectsAreSkipped) {
    EXPECT_EQ(Lineas(), QStringList({"--", "LEDs", "--", "T " + T(1912)}));

    ObjetoGrafico maniobra{.Identificador = 1, .oper_b = 999, .x = 3, .y = 10};
    ObjetoGrafico etiqueta{.txt = "CERR"};
    GrabaObjetoManiobra(*db->OpenRecordset(TablaGrafico, bd::TipoRecordset::Dynaset), maniobra, etiqueta, true);
    EXPECT_EQ(Lineas().mid(4), QStringList({"--", "H Objeto|Texto|Maniobra asignada|Columna|Fila|Página:",
                                            "Maniobra|CERR|Maniobra 999|10|3|1"}));
}

}  // namespace
