// The display catalogues of the shipped models, and the graphic editor's
// logic on a working copy of the full model: placing, editing and deleting
// through "Grafico COMU" with scripted dialogs.
#include "graphic/catalogos.h"
#include "graphic/editor_grafico.h"
#include "core/pagina437.h"
#include "objeto_prueba.h"
#include "store/db/basedatos.h"
#include "store/ficheros.h"
#include "support/instalacion.h"

#include <gtest/gtest.h>

using namespace tarvo;

namespace {

using Cambio = DialogosGuionizados::Cambio;

struct Catalogos : ::testing::Test {
    prueba::Instalacion ins;
    QList<EntradaCatalogoObjeto> objetos = {{}};
    QList<EntradaCatalogoTexto> textos = {{}};
    QList<ObjetoFijo> fijos;
    // Loads all three lists of the model; false when any failed.
    bool Carga(const char *base) {
        ins.ctx.app.BaseDatos = base;
        return CargaTodosObjetos(ins.ctx, objetos) && CargaObjetosTexto(ins.ctx, textos) &&
               CargaObjetosFijos(ins.ctx, fijos);
    }
};

struct Editor : ::testing::Test {
    prueba::Instalacion ins;
    DialogosGuionizados dlg;
    std::unique_ptr<EditorGrafico> ed;

    void SetUp() override {
        ins.ui.EsperaModelo("TRV-610 **");
        NuevaConfiguracion(ins.ctx, ins.v);
        Abre();
    }
    // Every message and dialog a test scripts is asked for, and no other.
    void TearDown() override {
        EXPECT_EQ(ins.Inesperados(), "");
        EXPECT_EQ(ins.ui.Pendientes(), QStringList());
        EXPECT_EQ(dlg.Inesperados(), QStringList());
        EXPECT_EQ(dlg.Pendientes(), QStringList());
    }
    void Abre() {
        ed = std::make_unique<EditorGrafico>(ins.ctx, dlg);
        ASSERT_TRUE(ed->CargaDatosObjeto());
        ASSERT_TRUE(ed->Abre());
    }
    qint16 Dueno(int pag, int fila, int col) const { return ed->Modelo().En(pag, fila, col).objeto; }
    int Celdas(qint16 id) const {
        int n = 0;
        for (const PaginaCeldas &p : ed->Modelo().Celdas())
            for (const auto &fila : p)
                for (const CeldaPantalla &c : fila) n += c.objeto == id;
        return n;
    }
};

// The columns a test compares, in one line.
QString Resumen(const ObjetoGrafico &o) {
    return QString("%1/%2/%3 %4|%5|%6|%7|%8 %9,%10,%11 d%12 @%13,%14,%15")
        .arg(o.apaN2).arg(o.apa).arg(o.cpu).arg(o.txt, o.txtb0, o.txtb1, o.txt_m, o.txt_u)
        .arg(o.oper_b).arg(o.oper_c).arg(o.oper_d).arg(o.donde).arg(o.pag).arg(o.x).arg(o.y);
}

}  // namespace

TEST_F(Catalogos, EachModelOffersItsObjectTypesCharactersAndFixedObjects) {
    ASSERT_TRUE(Carga("TRV610.MDB"));
    EXPECT_EQ(objetos.size(), 56 + 1);   // every code, and a second entry for code 43
    QStringList codigo43;
    for (const auto &o : objetos)
        if (o.codigo == 43) codigo43 << QString("%1 %2").arg(o.boton).arg(o.nombre);
    EXPECT_EQ(codigo43.value(0), "42 " + ins.ctx.dic.Texto(560));
    EXPECT_TRUE(codigo43.value(1).startsWith("46 "));
    EXPECT_EQ(objetos.first().nombre, ins.ctx.dic.Texto(534));

    EXPECT_EQ(textos.size(), 36);
    int conBoton = 0;
    for (const auto &t : textos) conBoton += t.boton >= 0;
    EXPECT_EQ(conBoton, 18);   // the special-character kinds; the rest are typed in texts
    EXPECT_EQ(textos[1].codigo, 179);

    ASSERT_EQ(fijos.size(), 3);
    EXPECT_EQ(fijos.last().secuencia, -1);
    EXPECT_EQ(EsObjetoFijo(fijos, 3), 1);
    EXPECT_EQ(EsObjetoFijo(fijos, 1), -1);

    // A model without display gives empty lists; a missing database is reported.
    EXPECT_TRUE(Carga("TRV420.MDB"));
    EXPECT_TRUE(objetos.isEmpty());
    EXPECT_TRUE(textos.isEmpty());
    ASSERT_EQ(fijos.size(), 1);
    EXPECT_EQ(fijos[0].secuencia, -1);
    ins.ui.Espera("");
    EXPECT_FALSE(Carga("TRV999.MDB"));
    EXPECT_EQ(ins.Inesperados(), "");
}

// Each press on a fresh object: a legal spot stores one row at the kind's
// top-left cell; an edge, another object or a reserved cell beeps and stores nothing.
TEST_F(Editor, PlacementChecksBeepAndStoreNothing) {
    dlg.Responde("IntroducePermiso", {});
    ASSERT_TRUE(ed->Pulsa({1, 10, 20}, 0));   // a breaker at columns 19-21 to run into
    const struct { int tipo; Celda clic; std::optional<Celda> sitio; } casos[] = {
        {11, {1, 5, 0}, std::nullopt},      // its left column would be -1
        {11, {1, 5, 1}, Celda{1, 5, 0}},
        {11, {1, 15, 10}, std::nullopt},    // its second row would be 16
        {0, {1, 8, 39}, std::nullopt},      // past the right edge
        {11, {1, 10, 22}, std::nullopt},    // over the breaker's column 21
        {11, {1, 10, 21}, std::nullopt},    // on the breaker itself
        {18, {0, 0, 30}, Celda{0, 0, 30}},
        {18, {0, 0, 31}, std::nullopt},     // a reserved cell
        {18, {0, 5, 8}, std::nullopt},      // the notch
        {11, {0, 3, 10}, std::nullopt},     // its second row reaches the notch
        {0, {1, 8, 1}, Celda{1, 8, 0}},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(QString("kind %1 at %2,%3,%4").arg(c.tipo).arg(c.clic.pag).arg(c.clic.fila).arg(c.clic.col).toStdString());
        if (c.sitio && c.tipo == 0) dlg.Responde("IntroducePermiso", {});
        const int filas = ed->Filas(), pitidos = ins.ui.Pitidos();
        const qint16 id = ed->Modelo().IdentificadorLibre();
        EXPECT_EQ(ed->Pulsa(c.clic, c.tipo), bool(c.sitio));
        EXPECT_EQ(ed->Filas(), filas + (c.sitio ? 1 : 0));
        EXPECT_EQ(ins.ui.Pitidos(), pitidos + (c.sitio ? 0 : 1));
        if (!c.sitio) continue;
        const ObjetoGrafico o = ed->Objetos().last();
        EXPECT_EQ(Celda({o.pag, o.x, o.y}), *c.sitio);
        EXPECT_EQ(Dueno(c.sitio->pag, c.sitio->fila, c.sitio->col), id);
    }
    // A breaker built from the model's fixed breaker takes its codes and operands.
    EXPECT_EQ(Resumen(ed->Objetos().first()), "0/2/13 |||| 0,1,2 d20 @1,10,19");
    EXPECT_TRUE(CompruebaGrafico(ed->Objetos()).isEmpty());
}

// One kind of each family: created, edited and deleted, every step at once
// in the table and on the cells.
TEST_F(Editor, CreateEditDeleteRoundTripPerFamily) {
    ed->Fijos().clear();   // switchgear then asks for everything
    struct Caso {
        int tipo;
        const char *rutina;
        Cambio crea, edita;
        QStringList creado, editado;
        int celdasEditado;
    };
    const Caso casos[] = {
        {21, "IntroduceTexto", [](auto &p) { p.txt = "ABC"; }, [](auto &p) { p.txt = "ABCDEFG"; },
         {"21/11/4 ABC|||| 0,0,0 d0 @1,2,3"}, {"21/11/4 ABCDEFG|||| 0,0,0 d0 @1,2,3"}, 7},
        {22, "IntroduceMedidas",
         [](auto &p) { p.cpu = 1; p.txt_m = "V"; p.txt_u = "kV"; p.unidad_m = 3; p.donde = 7; },
         [](auto &p) { p.txt_u = "V"; },
         {"22/12/5 |||V|kV 0,0,0 d7 @1,2,3"}, {"22/12/5 |||V|V 0,0,0 d7 @1,2,3"}, 13},
        {23, "IntroduceEstadosEventos",
         [](auto &p) { p.apa = 15; p.cpu = 0; p.donde = 4; p.txtb0 = "ON"; p.txtb1 = "OFF"; },
         [](auto &p) { p.apa = 13; p.txtb0 = "SI"; p.txtb1 = "NO"; },
         {"23/15/4 |ON|OFF|| 0,0,0 d4 @1,2,3"}, {"23/13/4 |SI|NO|| 0,0,0 d4 @1,2,3"}, 2},
        {0, "IntroduceApa",
         [](auto &p) { p.apa = 1; p.cpu = 1; p.oper_b = 2; p.oper_c = 5; p.oper_d = 6; p.donde = 30; },
         [](auto &p) { p.permiso = 0; p.oper_c = 0; p.oper_d = 0; },
         {"0/1/13 |||| 2,5,6 d30 @1,2,2"}, {"0/1/5 |||| 2,0,0 d30 @1,2,2"}, 6},
        {47, "IntroduceManiobra", [](auto &p) { p.txt = "MAN"; p.oper_b = 3; p.cpu = 1; },
         [](auto &p) { p.txt = "ABRIR"; },
         {"47/56/13 |||| 3,0,0 d0 @1,2,3", "21/11/4 MAN|||| 0,0,0 d0 @1,2,3"},
         {"47/56/13 |||| 3,0,0 d0 @1,2,3", "21/11/4 ABRIR|||| 0,0,0 d0 @1,2,3"}, 6},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.tipo);
        auto filas = [&] {
            QStringList l;
            for (const ObjetoGrafico &o : ed->Objetos()) l << Resumen(o);
            return l;
        };
        dlg.Responde(c.rutina, c.crea);
        ins.ctx.app.ConfiguracionGuardada = true;
        ASSERT_TRUE(ed->Pulsa({1, 2, 3}, c.tipo));
        EXPECT_EQ(filas(), c.creado);
        EXPECT_FALSE(ins.ctx.app.ConfiguracionGuardada);
        const qint16 id = ed->Objetos().first().Identificador;

        dlg.Responde(c.rutina, c.edita);
        ins.ctx.app.ConfiguracionGuardada = true;
        ASSERT_TRUE(ed->Edita({1, 2, 3}));
        EXPECT_EQ(filas(), c.editado);
        EXPECT_EQ(Celdas(id), c.celdasEditado);
        EXPECT_FALSE(ins.ctx.app.ConfiguracionGuardada);
        EXPECT_TRUE(dlg.Preguntas().last().entrada.Edita());
        EXPECT_TRUE(CompruebaGrafico(ed->Objetos()).isEmpty());

        // Cancelled: nothing changes.
        dlg.Cancela(c.rutina);
        EXPECT_FALSE(ed->Edita({1, 2, 3}));
        EXPECT_EQ(filas(), c.editado);

        ASSERT_TRUE(ed->Borra({1, 2, 4}));
        EXPECT_TRUE(ed->Objetos().isEmpty());
        EXPECT_EQ(Celdas(id), 0);
    }
    // A fixed shape has nothing to edit: the user is told so.
    ASSERT_TRUE(ed->Pulsa({1, 2, 3}, 11));
    ins.ui.Espera(ins.ctx.dic.Texto(2155));
    EXPECT_FALSE(ed->Edita({1, 3, 3}));
    EXPECT_EQ(ins.ui.Mostrados().last().texto.left(12), ins.ctx.dic.Texto(536).toUpper().left(12));
}

// 64 rows at most (an operation takes two); deleting one frees its number.
TEST_F(Editor, SixtyFourObjectsAtMost) {
    for (int i = 0; i < 63; ++i) ASSERT_TRUE(ed->Pulsa({1, 4 + i / 40, i % 40}, 18));
    ins.ui.Espera(ins.ctx.dic.Texto(780));
    EXPECT_FALSE(ed->Pulsa({1, 10, 0}, 47));
    EXPECT_TRUE(ed->Pulsa({1, 10, 0}, 18));
    ins.ui.Espera(ins.ctx.dic.Texto(780));
    EXPECT_FALSE(ed->Pulsa({1, 10, 1}, 18));
    ASSERT_TRUE(ed->Borra({1, 4, 0}));   // object number 1
    EXPECT_TRUE(ed->Pulsa({1, 10, 1}, 18));
    EXPECT_EQ(ed->Objetos().last().Identificador, 1);
}

// A graphic received as bytes, stored and opened, shows every cell as the
// objects it came from drawn one by one.
TEST_F(Editor, DecodedGraphicRedrawsCellForCell) {
    const QList<ObjetoGrafico> origen = {
        Preparado({.Identificador = 1, .apaN2 = 0, .apa = 2, .cpu = 9, .oper_c = 1, .oper_d = 2, .donde = 20,
                   .x = 5, .y = 12}),
        Preparado({.Identificador = 2, .apaN2 = 21, .apa = 11, .txt = "BARRA", .x = 0, .y = 8}),
        Preparado({.Identificador = 3, .apaN2 = 27, .apa = 11, .txt = QString(LetraRele(179)), .x = 2, .y = 13}),
        Preparado({.Identificador = 4, .apaN2 = 23, .apa = 14, .txtb0 = "CER", .txtb1 = "AB", .donde = 3, .x = 9,
                   .y = 20, .pag = 1}),
        Preparado({.Identificador = 5, .apaN2 = 47, .apa = 56, .cpu = 9, .oper_b = 4, .x = 12, .y = 2, .pag = 1}),
        Preparado(EtiquetaManiobra({.Identificador = 5, .x = 12, .y = 2, .pag = 1}, "CIERR")),
        Preparado({.Identificador = 6, .apaN2 = 42, .apa = 43, .cpu = 1, .unidad_m = 3, .donde = 8, .x = 14, .y = 10}),
        ObjetoFichero("LINEA.CNF"),
    };
    QString hex;
    for (const ObjetoGrafico &o : origen) hex += o.Codificacion;
    QList<ObjetoGrafico> recibidos;
    ASSERT_TRUE(DecodificaObjetos(hex, recibidos));
    ed->Suspende();
    {
        auto db = bd::BaseDatos::Abrir(ins.ctx.app.CopiaTrabajo, bd::Apertura::Temporal);
        auto rs = db->OpenRecordset(TablaGrafico);
        for (ObjetoGrafico &o : recibidos) GrabaObjeto(*rs, o, true);
    }
    Abre();
    ModeloPantalla esperado;
    for (const ObjetoGrafico &o : origen) esperado.Dibuja(o, ins.ctx.app.IdiomaRele);
    EXPECT_TRUE(ed->Modelo().Celdas() == esperado.Celdas());
    EXPECT_EQ(ed->NombreFichero(), "LINEA.CNF");   // its first character whatever its bits
}

// The file name has no cells; a new name replaces the old row, an empty one
// removes it.
TEST_F(Editor, FileNameObjectReplacesAndRemoves) {
    const struct { const char *escrito, *nombre; } casos[] = {
        {"MI FICH.CNF", "MIFICH.CNF"}, {"OTRO.CN", "OTRO.CN"}, {" ", ""}};
    for (const auto &c : casos) {
        SCOPED_TRACE(c.escrito);
        dlg.Responde("IntroduceTexto", [&](ParametrosDialogo &p) { p.txt = c.escrito; });
        ASSERT_TRUE(ed->Pulsa({0, 0, 12}, 25));
        EXPECT_EQ(dlg.Preguntas().last().entrada.maximo1, 12);
        EXPECT_EQ(ed->NombreFichero(), c.nombre);
        const QList<ObjetoGrafico> filas = ed->Objetos();
        ASSERT_EQ(filas.size(), QString(c.nombre).isEmpty() ? 0 : 1);
        if (filas.isEmpty()) continue;
        EXPECT_EQ(NombreDeObjetoFichero(filas[0]), c.nombre);
        EXPECT_EQ(Dueno(0, 0, 12), 0);
    }
}
