#include "core/ajustes.h"
#include "shell/arranque.h"
#include "core/interaccion_guionizada.h"
#include "core/puertos.h"
#include "core/rutas.h"
#include "support/carpeta_temporal.h"
#include "support/pty.h"
#include "support/ventana_falsa.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>
using namespace tarvo;

namespace {

using prueba::VentanaFalsa;

struct Arranque_ : ::testing::Test {
    prueba::ArbolPrograma arbol;
    InteraccionGuionizada ui;
    Contexto ctx{ui};
    VentanaFalsa v;
    prueba::Pty pty;

    void SetUp() override {
        FijaPrefijoDispositivos(arbol.raiz.en("sin-dispositivos/ttyS"));
        QDir().mkpath(arbol.programa + "/ports");
    }
    void TearDown() override {
        FijaPrefijoDispositivos("/dev/ttyS");
        EXPECT_TRUE(ui.Pendientes().isEmpty()) << ui.Pendientes().join("|").toStdString();
        EXPECT_TRUE(ui.Inesperados().isEmpty()) << ui.Inesperados().join("|").toStdString();
    }
    void EnlazaPuerto(int n) { QFile::link(pty.ruta, arbol.programa + QString("/ports/COM%1").arg(n)); }
    // A file of the program folder.
    void Escribe(const QString &nombre, const QByteArray &b) const { arbol.raiz.escribe("tarvo32/" + nombre, b); }
    QByteArray LeeIni() const { return arbol.raiz.lee("tarvo32/tarvo32.ini"); }
    // One port, the program folder as work folder, and `antes` ahead of that in the settings.
    void Prepara(const QByteArray &antes = {}) {
        EnlazaPuerto(1);
        Escribe("tarvo32.ini", antes + "[DIRS]\r\nTrabajo=" + arbol.programa.toUtf8() + "/\r\n");
    }
    bool Arranca() {
        InstanciaUnica instancia(arbol.programa);
        return Arranque(ctx, v, instancia, arbol.programa, arbol.temporal, {1, 0, 0});
    }
};

// The first start writes the settings and shows the options; the next ones
// clean the temporary folder and follow the settings.
TEST_F(Arranque_, FirstRunWritesTheSettingsFileByteForByteAndShowsTheOptionsOnce) {
    EnlazaPuerto(3);
    ui.Espera("/work/");   // the work folder is created, with a message
    ASSERT_TRUE(Arranca());
    const QByteArray esperado = "[VERSION]\r\nVersion=1.0.0\r\n\r\n"
                                "[IDIOMA]\r\nIdioma=0\r\n\r\n"
                                "[COMMS]\r\nPuerto=3\r\nVelocidad=19200\r\nParidad=0\r\nLongitudPalabra=8\r\nBitsStop=0\r\n\r\n"
                                "[DIRS]\r\nTrabajo=" + (arbol.programa + "/work/").toUtf8() + "\r\nModelos=" +
                                arbol.modelos.toUtf8() + "\r\n\r\n";
    EXPECT_EQ(LeeIni(), esperado);
    EXPECT_EQ(v.paneles[5], "COM3;19200;8;" + ctx.dic.Texto(116).left(1) + ";1 ");
    EXPECT_TRUE(v.portadas && v.centrada && v.ayuda);
    EXPECT_FALSE(v.releOculto);

    // The second start finds the file and does not ask again. It removes what
    // a killed run left in the temporary folder; a companion that is still
    // running keeps its folder, and what is not ours stays.
    const QString propio = QString::number(QCoreApplication::applicationPid());
    const struct {
        QString fichero;
        bool queda;
    } casos[] = {
        {"cnf00000.tmp", false},         {"cnf00001.tmp", false},
        {"cnf00001.tmp-journal", false}, {"cnf00002.tmp.Xy12Ab", false},
        {"cli-4194305-AbCdEf/cnf00001.tmp", false},          // above any pid_max: its process is gone
        {"cli-" + propio + "-AbCdEf/cnf00001.tmp", false},   // an earlier process under our number
        {"cli-1-AbCdEf/cnf00001.tmp", true},                 // process 1 is always running
        {"ajeno.txt", true},
    };
    for (const auto &c : casos) arbol.raiz.escribe("tmp/" + c.fichero, "x");
    ASSERT_TRUE(Arranca());
    EXPECT_EQ(v.opcionesPrimeraVez, 1);
    EXPECT_EQ(LeeIni(), esperado);
    for (const auto &c : casos) {
        const QString carpeta = c.fichero.section('/', 0, 0);
        EXPECT_EQ(QFileInfo::exists(arbol.temporal + "/" + carpeta), c.queda) << c.fichero.toStdString();
    }

    // English turns the help off; a debug file marks the caption.
    Escribe("tarvo32.ini", QByteArray(esperado).replace("Idioma=0", "Idioma=1"));
    Escribe("DEBUG.ZKP", "");
    ASSERT_TRUE(Arranca());
    EXPECT_EQ(v.titulo, "Tarvo32 v1.0.0 {DEBUG}");
    EXPECT_FALSE(v.ayuda);
    EXPECT_EQ(ui.Estado(), "Ready");
}

// A file of folders only gives the read defaults; garbage is replaced by
// them, with one message.
TEST_F(Arranque_, MissingOrGarbageSettingsGiveTheDefaults) {
    EnlazaPuerto(1);
    Escribe("tarvo32.ini", "[DIRS]\r\nTrabajo=\r\nModelos=" + arbol.modelos.toUtf8() + "\r\n");
    ui.Espera("/work/");   // an empty Trabajo keeps the default, which does not exist yet
    ASSERT_TRUE(Arranca());
    EXPECT_EQ(ctx.app.Comunicaciones.Puerto, 2);
    EXPECT_EQ(ctx.app.Comunicaciones.Velocidad, 9600);
    EXPECT_EQ(ctx.app.Comunicaciones.BitsStop, 0);
    EXPECT_EQ(ctx.app.DirectorioTrabajo, arbol.programa + "/work/");

    Prepara("[IDIOMA]\r\nIdioma=7\r\n[COMMS]\r\nPuerto=x\r\nParidad=9\r\nBitsStop=1\r\nLongitudPalabra=99\r\n");
    ui.Espera("Idioma=7, Puerto=0, Paridad=9, LongitudPalabra=99");
    ASSERT_TRUE(Arranca());
    EXPECT_EQ(ctx.app.Idioma, 0);
    EXPECT_EQ(ctx.app.Comunicaciones.Puerto, 2);
    EXPECT_EQ(ctx.app.Comunicaciones.Paridad, 0);
    EXPECT_EQ(ctx.app.Comunicaciones.BitsStop, 1);
    EXPECT_EQ(ctx.app.Comunicaciones.LongitudPalabra, 8);
}

// Without ports the relay's functions are hidden and port 1 is written;
// missing folders are created and the catalogue copied.
TEST_F(Arranque_, WithoutPortsOrFoldersTheRelayIsHiddenAndTheFoldersMade) {
    prueba::ArbolPrograma sinModelos(false);
    InstanciaUnica instancia(sinModelos.programa);
    FijaPrefijoDispositivos(sinModelos.raiz.en("nada/ttyS"));
    ui.Espera("\r\n\r\n");   // text 600 with CR LF CR LF as its parameter
    ui.Espera("/work/");
    ui.Espera("/models/");
    ui.Espera("/models/modelos.mdb");
    ASSERT_TRUE(Arranque(ctx, v, instancia, sinModelos.programa, sinModelos.temporal, {1, 0, 0}));
    EXPECT_EQ(ui.Mostrados()[0].texto, ctx.dic.Texto(600, "\r\n\r\n"));
    EXPECT_EQ(ui.Mostrados()[0].titulo, "TARVO32");
    EXPECT_EQ(ui.Mostrados()[0].icono, Icono::Critico);
    EXPECT_TRUE(sinModelos.raiz.lee("tarvo32/tarvo32.ini").contains("\r\nPuerto=1\r\n"));
    EXPECT_TRUE(ui.Mostrados()[2].texto.endsWith(ctx.dic.Texto(603)));
    EXPECT_TRUE(ui.Mostrados()[3].texto.endsWith(ctx.dic.Texto(606)));
    EXPECT_TRUE(QFileInfo::exists(sinModelos.modelos + "modelos.mdb"));
}

// Before the dictionary is loaded the messages are fixed texts.
TEST_F(Arranque_, ASecondInstanceOrAMissingOrDamagedLanguageFileEndsTheProgramWithAFixedMessage) {
    {
        InstanciaUnica primera(arbol.programa);
        ASSERT_FALSE(primera.HayPrevia());
        ui.Espera("Previous instance is already running");
        EXPECT_FALSE(Arranca());
    }
    QFile::remove(arbol.programa + "/tarvo32.dat");
    ui.Espera("The required file " + arbol.programa + "/tarvo32.dat doesn't exist.\r\n\r\nPlease do reinstall the software.");
    EXPECT_FALSE(Arranca());
    Escribe("tarvo32.dat", QByteArray(5000, '\x01'));
    ui.Espera("There was an error loading language texts.");
    EXPECT_FALSE(Arranca());
    for (const Mensaje &m : ui.Mostrados()) EXPECT_EQ(m.titulo, "TARVO32");
    EXPECT_FALSE(QFileInfo::exists(arbol.programa + "/tarvo32.ini"));
}

TEST_F(Arranque_, AnUnwritableSettingsFileIsReportedAndTheDefaultsHold) {
    InicializaRutas(ctx.app, arbol.programa, arbol.temporal);
    ASSERT_TRUE(ctx.dic.CargarTextosIdiomas(ctx.app.FicheroIdiomas, ctx.app.NombresIdiomas, ctx.app.EtiquetasIdiomas));
    ctx.app.FicheroIni = arbol.raiz.en("no-existe/tarvo32.ini");
    ctx.app.ListaPuertos = {4};
    ui.Espera("no-existe/tarvo32.ini");
    CompruebaFicheroIni(ctx, v);
    EXPECT_EQ(v.opcionesPrimeraVez, 1);
    EXPECT_EQ(ctx.app.Comunicaciones.Puerto, 4);
}

struct Salida : Arranque_ {
    void SetUp() override {
        Arranque_::SetUp();
        Prepara();
        ASSERT_TRUE(Arranca());
        for (const char *f : {"cnf00000.tmp", "cnf00000.tmp-journal", "cnf00001.tmp", "cnf00002.tmp", "otro.tmp"})
            arbol.raiz.escribe(QString("tmp/") + f, "");
        ctx.app.FicheroActual = "/w/subestacion.cnf";
        ctx.app.ConfiguracionGuardada = false;
    }
    QStringList Temporales() const { return QDir(arbol.temporal).entryList(QDir::Files); }
};

// The buttons each question offers, and a Yes whose save did not happen, are
// seen through the real window (madre_test: nuevoGuardarGuardarComoYAbrirDesdeLosMenus).
TEST_F(Salida, CancelKeepsEverythingClosingGoesAndAYesThatSavedEnds) {
    ui.Espera("/w/subestacion.cnf", Boton::Cancelar);
    EXPECT_FALSE(tarvo::Salir(ctx, v));
    EXPECT_EQ(ui.Mostrados().last().titulo, ctx.dic.Texto(148));
    EXPECT_EQ(Temporales().size(), 5);
    EXPECT_EQ(v.cierres, 0);
    // Closing the window goes whatever the save did.
    ui.Espera("/w/subestacion.cnf", Boton::Si);
    DescargaMadre(ctx, v);
    EXPECT_EQ(v.guardados, 1);
    EXPECT_EQ(Temporales(), QStringList({"otro.tmp"}));
    v.alGuardar = [&] { ctx.app.ConfiguracionGuardada = true; };
    ui.Espera("/w/subestacion.cnf", Boton::Si);
    EXPECT_TRUE(tarvo::Salir(ctx, v));
    EXPECT_EQ(v.guardados, 2);
}

TEST_F(Salida, NoDropsTheChangesAndRemovesTheTemporaryFamilies) {
    ui.Espera("/w/subestacion.cnf", Boton::No);
    EXPECT_TRUE(tarvo::Salir(ctx, v));
    EXPECT_TRUE(ctx.app.ConfiguracionGuardada);
    EXPECT_EQ(v.guardados, 0);
    EXPECT_EQ(v.cierres, 1);
    EXPECT_EQ(Temporales(), QStringList({"otro.tmp"}));
    DescargaMadre(ctx, v);   // the unload that follows asks nothing more (TearDown)
}

TEST_F(Salida, ANewModelsFolderGetsTheOpenConfigurationsModelDatabase) {
    ctx.app.BaseDatos = "MODELO1.MDB";
    arbol.raiz.escribe("models/MODELO1.MDB", "modelo");
    const QString nueva = arbol.raiz.en("otros");   // no trailing separator typed
    ui.Espera("/otros/");                          // folder created
    ui.Espera("/otros/modelos.mdb");               // catalogue copied
    ui.Espera("/otros/MODELO1.MDB");               // model database copied
    OpcionesElegidas e{ParametrosPuerto{1, 4800, 2, 7, 1}, ctx.app.DirectorioTrabajo, nueva, 0};
    EXPECT_FALSE(AplicaOpciones(ctx, v, e));
    EXPECT_EQ(ctx.app.DirectorioModelos, nueva + "/");
    EXPECT_EQ(arbol.raiz.lee("otros/MODELO1.MDB"), "modelo");
    EXPECT_TRUE(LeeIni().contains("Modelos=" + nueva.toUtf8() + "/\r\n"));
    EXPECT_EQ(v.paneles[5], "COM1;4800;7;" + ctx.dic.Texto(118).left(1) + ";1,5 ");
}

}  // namespace
