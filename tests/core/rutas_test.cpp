#include "core/aplicacion.h"
#include "core/interaccion_guionizada.h"
#include "core/rutas.h"
#include "store/db/basedatos.h"
#include "support/carpeta_temporal.h"

#include <QFile>

#include <functional>

#include <gtest/gtest.h>

using namespace tarvo;

namespace {

TEST(Rutas, WorkGoesInsideTheProgramFolderAndModelsBesideIt) {
    Aplicacion a;
    a.FicheroActual = "/x/y.cnf";
    InicializaRutas(a, "/A/B", "/tmp");
    EXPECT_EQ(a.DirectorioTrabajo, "/A/B/work/");
    EXPECT_EQ(a.DirectorioModelos, "/A/models/");
    EXPECT_EQ(a.CopiaTrabajo, "/tmp/cnf00000.tmp");
    EXPECT_EQ(a.FicheroIni, "/A/B/tarvo32.ini");
    EXPECT_TRUE(a.FicheroActual.isEmpty());

    InicializaRutas(a, "prog", "/tmp/");
    EXPECT_EQ(a.DirectorioModelos, "models/");   // no separator: nothing to cut
    EXPECT_EQ(a.CopiaTrabajo, "/tmp/cnf00000.tmp");
}

// The shipped texts loaded.
struct ConTextos : ::testing::Test {
    InteraccionGuionizada ui;
    Contexto ctx{ui};
    clsDiccionario &dic = ctx.dic;
    void SetUp() override {
        QStringList n, e;
        ASSERT_TRUE(dic.CargarTextosIdiomas(prueba::FicheroPrograma("tarvo32.dat"), n, e));
    }
};

// One and one and a half stop bits, and the parity initials, are seen at start-up
// and after the options in arranque_test.
TEST_F(ConTextos, Panel5ShowsTwoStopBitsAndNothingForAnUnknownValue) {
    ParametrosPuerto p{3, 19200, 0, 8, 2};
    EXPECT_EQ(TextoPanelPuertos(p, dic), "COM3;19200;8;" + dic.Texto(116).left(1) + ";2 ");
    p.BitsStop = 7;   // no stop-bits text for a value it does not know
    EXPECT_EQ(TextoPanelPuertos(p, dic), "COM3;19200;8;" + dic.Texto(116).left(1) + " ");
    EXPECT_TRUE(ui.Mostrados().isEmpty());
}

TEST(PlaceForm, PutsWindowsOnEdgesAndCentresRoundingHalvesToEven) {
    const QRect escritorio(0, 0, 1001, 801);
    const QRect ventana(5, 5, 100, 100);
    EXPECT_EQ(PosicionVentana(escritorio, ventana, ArribaIzquierda), QPoint(0, 0));
    EXPECT_EQ(PosicionVentana(escritorio, ventana, AbajoDerecha), QPoint(901, 701));
    // 500.5 - 50 = 450.5 -> 450; 400.5 - 50 = 350.5 -> 350
    EXPECT_EQ(PosicionVentana(escritorio, ventana, CentroEscritorio), QPoint(450, 350));
    EXPECT_EQ(PosicionVentana(QRect(1, 0, 1001, 803), ventana, ArribaCentro), QPoint(452, 0));
    EXPECT_EQ(PosicionVentana(escritorio, ventana, CentroDerecha), QPoint(901, 350));
    EXPECT_EQ(PosicionVentana(escritorio, ventana, 1005), QPoint(5, 5));
}

// Progress replaces an earlier percentage; in debug mode, progress after the ready text warns.
TEST_F(ConTextos, ProgressReplacesItsPercentageAndInDebugModeAfterTheReadyTextWarns) {
    EXPECT_EQ(TextoConProgreso("Enviando...", 40), "Enviando... (40%)");
    EXPECT_EQ(TextoConProgreso("Enviando... (40%)", 60), "Enviando... (60%)");
    EXPECT_EQ(TextoConProgreso("Grupo (3) (40%)", 5), "Grupo (5%)");
    MuestraEstado(ctx, ctx.dic.Texto(70));
    MuestraProgreso(ctx, 10);
    EXPECT_TRUE(ui.Mostrados().isEmpty());
    ctx.app.ModoDepuracion = true;
    MuestraEstado(ctx, ctx.dic.Texto(70));
    ui.Espera("Abnormal program behaviour\r\nRestart it please");
    MuestraProgreso(ctx, 20);
    EXPECT_TRUE(ui.Inesperados().isEmpty());
    EXPECT_EQ(ui.Estado(), ctx.dic.Texto(70) + " (20%)");
    MuestraEstado(ctx, "Leyendo", true);
    EXPECT_EQ(ui.Estado(), "Leyendo...");
}

// Database and file failures reach the user in the chosen language; the
// engine's English and the procedure's name only in debug mode.
TEST_F(ConTextos, ErrorReportsSpeakTheChosenLanguage) {
    prueba::CarpetaTemporal dir;
    const QString ruta = dir.en("idioma.dat");
    ASSERT_TRUE(QFile::copy(prueba::FicheroPrograma("tarvo32.dat"), ruta));
    dir.escribe("texto.dat", "[VERSION]\r\n");
    const QByteArray bytes = dir.lee("idioma.dat");
    dir.escribe("roto.dat", bytes.left(bytes.size() / 2));
    const auto retenida = bd::BaseDatos::Abrir(ruta, bd::Apertura::Exclusiva);
    const struct {
        std::function<void()> falla;
        int texto;
    } casos[] = {
        {[&] { bd::BaseDatos::Abrir(dir.en("falta.dat")); }, 3123},
        {[&] { bd::BaseDatos::Abrir(dir.en("texto.dat")); }, 3121},
        {[&] { bd::BaseDatos::Abrir(dir.en("roto.dat")); }, 3122},
        {[&] { bd::BaseDatos::Abrir(ruta); }, 3120},
        {[&] { retenida->OpenRecordset("SELECT * FROM [No existe]"); }, 3128},
    };
    ui.AceptaAvisos(true);
    for (quint8 idioma : {0, 1}) {
        dic.setIdioma(idioma);
        for (const auto &c : casos) {
            const bd::ErrorBD e = prueba::ErrorDe(c.falla);
            ASSERT_NE(e.numero, 0) << c.texto;
            ctx.app.ModoDepuracion = false;
            InformaError(ctx, "Prueba", e);
            EXPECT_EQ(ui.Mostrados().last().texto, QString("%1 (%2)").arg(dic.Texto(c.texto)).arg(e.numero)) << e.what();
            ctx.app.ModoDepuracion = true;
            InformaError(ctx, "Prueba", e);
            EXPECT_EQ(ui.Mostrados().last().texto,
                      "MODULO Prueba()\r\n" + dic.Texto(c.texto) + "\r\n" + e.descripcion + QString(" (%1)").arg(e.numero));
        }
    }
    // Errors of other layers keep their own words.
    ctx.app.ModoDepuracion = false;
    InformaError(ctx, "Prueba", 30001, "Not hexadecimal");
    EXPECT_EQ(ui.Mostrados().last().texto, "Not hexadecimal (30001)");
    EXPECT_EQ(ui.Mostrados().last().titulo, dic.Texto(148));
    EXPECT_EQ(ui.Mostrados().last().icono, Icono::Critico);
}

}  // namespace
