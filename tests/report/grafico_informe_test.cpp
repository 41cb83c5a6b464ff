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

// The report's lines after an earlier table's text line, row cells split by "|".
static QStringList Lineas(Contexto &ctx, bd::BaseDatos &db) {
    QString texto;
    QTextStream s(&texto);
    EscritorInforme e(s);
    InformeEnCurso r{ctx, db, e};
    e.Texto("LEDs");
    ReportGraficoCOMU(r);
    s.flush();
    return texto.replace("#40 ", "|").split('\n', Qt::SkipEmptyParts);
}

TEST(GraficoInforme, KindsInTheirTablesInCellOrderAndEmptyTablesLeftOut) {
    prueba::Instalacion ins;
    ins.ui.EsperaModelo("TRV-610 **");
    NuevaConfiguracion(ins.ctx, ins.v);
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
    ObjetoGrafico maniobra{.Identificador = 7, .oper_b = qint16(man[2].indice), .x = 3, .y = 10}, etiqueta{.txt = "ABRIR"};
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
