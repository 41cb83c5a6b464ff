// The command-line companion, run as the user runs it: a subprocess.
#include "graphic/editor_grafico.h"
#include "graphic/objeto.h"
#include "report/fichero_informe.h"
#include "store/db/basedatos.h"
#include "support/carpeta_temporal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <sys/file.h>

#include <optional>

namespace {

struct Salida {
    int codigo = -1;
    QString out, err;
};

struct Cli : ::testing::Test {
    prueba::ArbolPrograma arbol;
    // The system's temporary folder of the companion, inside the test's.
    QString Temporal() const { return arbol.raiz.en("sistema"); }
    void Prepara(QProcess &p, const QStringList &args) const {
        QDir().mkpath(Temporal());
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert("TMPDIR", Temporal());
        p.setProcessEnvironment(entorno);
        p.setProgram(prueba::FicheroPrograma("tarvo32-cli"));
        p.setArguments(QStringList{"--program", arbol.programa} + args);
    }
    Salida Ejecuta(QStringList args) {
        QProcess p;
        Prepara(p, args);
        p.start();
        p.waitForFinished(60000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }
};

// The display sheet of a configuration with a drawn object and a file name,
// as a one-page PDF, and its report; a missing configuration is told by name
// and writes nothing.
TEST_F(Cli, DisplayAndReportWriteTheirPdfs) {
    const QString fichero = arbol.raiz.en("dibujo.cnf"), pdf = arbol.raiz.en("dibujo.pdf");
    ASSERT_EQ(Ejecuta({"new", "TRV-610 ??", fichero}).codigo, 0);
    {
        auto db = bd::BaseDatos::Abrir(fichero);
        auto rs = db->OpenRecordset(tarvo::TablaGrafico, bd::TipoRecordset::Dynaset);
        tarvo::ObjetoGrafico texto;
        texto.Identificador = 1, texto.apaN2 = 21, texto.txt = "BARRA", texto.x = 2, texto.y = 12;
        tarvo::ObjetoGrafico nombre = tarvo::ObjetoFichero("DIBUJO.CNF");
        nombre.Identificador = 2;
        tarvo::GrabaObjeto(*rs, texto, true);
        tarvo::GrabaObjeto(*rs, nombre, true);
    }
    auto paginasPdf = [&] {
        const QByteArray contenido = arbol.raiz.lee("dibujo.pdf");
        EXPECT_TRUE(contenido.startsWith("%PDF"));
        return QString::fromLatin1(contenido).count(QRegularExpression("/Type\\s*/Page(?!s)"));
    };
    Salida s = Ejecuta({"display", fichero, "--pdf", pdf, "--number", "4"});
    ASSERT_EQ(s.codigo, 0) << s.err.toStdString();
    EXPECT_EQ(paginasPdf(), 1);

    // The report of the same file: one PDF page per page the tagged text starts.
    const QString texto = arbol.raiz.en("dibujo.txt");
    s = Ejecuta({"report", fichero, "--pdf", pdf, "--tagged", texto});
    ASSERT_EQ(s.codigo, 0) << s.err.toStdString();
    const qsizetype paginas = tarvo::LeeInforme(QString::fromUtf8(arbol.raiz.lee("dibujo.txt"))).size();
    EXPECT_GT(paginas, 2);
    EXPECT_EQ(paginasPdf(), paginas);

    s = Ejecuta({"display", arbol.raiz.en("falta.cnf"), "--pdf", arbol.raiz.en("falta.pdf")});
    EXPECT_EQ(s.codigo, 1);
    EXPECT_TRUE(s.err.contains("falta.cnf")) << s.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(arbol.raiz.en("falta.pdf")));
    EXPECT_FALSE(QFileInfo::exists(arbol.raiz.en("falta.cnf")));
}

// info describes what new made. diff: equal, then one setting apart; a file
// that cannot be read and files of different models are trouble. new takes the
// display form of the model too; an existing file needs --force, and is refused
// in one line rather than with the program's question.
TEST_F(Cli, NewInfoAndDiffDescribeAndCompareConfigurations) {
    const QString a = arbol.raiz.en("a.cnf"), b = arbol.raiz.en("b.cnf");
    ASSERT_EQ(Ejecuta({"new", "TRV-420 ?", a}).codigo, 0);
    Salida s = Ejecuta({"info", a});
    ASSERT_EQ(s.codigo, 0) << s.err.toStdString();
    EXPECT_TRUE(s.out.contains("Model: TRV-420 ?"));
    EXPECT_TRUE(s.out.contains("Model database: TRV420.MDB"));
    EXPECT_TRUE(s.out.contains(QRegularExpression("Eventos PROT +32")));
    EXPECT_FALSE(s.out.contains("Entradas CTRL"));   // the model has no control CPU
    const QString huella = s.out.section("Fingerprint: ", 1).left(65);
    ASSERT_TRUE(QFile::copy(a, b));
    s = Ejecuta({"diff", a, b});
    EXPECT_TRUE(s.codigo == 0 && s.out.count(huella) == 2 && huella.endsWith('\n')) << s.out.toStdString();
    bd::BaseDatos::Abrir(b)->Execute("UPDATE [Eventos PROT] SET Codificacion = '00000300' WHERE rowid = 1");
    s = Ejecuta({"diff", a, b});
    EXPECT_TRUE(s.codigo == 1 && s.out.contains(" GrupoSenyal: 0 -> 3\n") && s.out.count(huella) == 1) << s.out.toStdString();
    EXPECT_EQ(Ejecuta({"diff", a, arbol.raiz.en("falta.cnf")}).codigo, 2);

    s = Ejecuta({"new", "TRV-610 **", b});
    EXPECT_EQ(s.codigo, 1);
    EXPECT_EQ(s.err.count('\n'), 1) << s.err.toStdString();
    EXPECT_EQ(Ejecuta({"diff", a, b}).codigo, 1);   // b as it was
    ASSERT_EQ(Ejecuta({"new", "TRV-610 **", b, "--force"}).codigo, 0);
    EXPECT_TRUE(Ejecuta({"info", b}).out.contains("Model: TRV-610 ??"));
    s = Ejecuta({"diff", a, b});   // different models
    EXPECT_TRUE(s.codigo == 2 && s.err.contains("TRV-420 *") && s.err.contains("TRV-610 **")) << s.err.toStdString();
}

// The text commands as a script runs them. A configuration with problems is
// sent only with --force: without it the port is never opened.
TEST_F(Cli, TextCommandsExportImportCheckAndConvert) {
    const QString a = arbol.raiz.en("a.cnf"), texto = arbol.raiz.en("a.json"), b = arbol.raiz.en("b.cnf");
    ASSERT_EQ(Ejecuta({"new", "TRV-610 ??", a}).codigo, 0);
    Salida s = Ejecuta({"export", a});
    ASSERT_EQ(Ejecuta({"export", a, texto}).codigo, 0);
    QFile f(texto);
    ASSERT_TRUE(s.codigo == 0 && f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), s.out.toUtf8());
    EXPECT_EQ(Ejecuta({"import", texto, b}).codigo, 0);
    EXPECT_EQ(Ejecuta({"import", texto, b}).codigo, 1);   // exists
    EXPECT_EQ(Ejecuta({"import", texto, b, "--force"}).codigo, 0);
    EXPECT_EQ(Ejecuta({"check", b}).codigo, 0);
    bd::BaseDatos::Abrir(b)->Execute("UPDATE [EsperaConfirmacion CTRL] SET Tiempo = 61 WHERE Indice = 3");
    s = Ejecuta({"check", b});
    EXPECT_TRUE(s.codigo == 1 && s.out.count("[EsperaConfirmacion CTRL] 3 ") == 2) << s.out.toStdString();
    s = Ejecuta({"send", b, "--port", "5", "--password", "1234"});
    EXPECT_TRUE(s.codigo == 1 && s.err.contains("[EsperaConfirmacion CTRL] 3 ") && !s.err.contains("COM5"))
        << s.err.toStdString();
    s = Ejecuta({"send", b, "--port", "5", "--password", "1234", "--force"});
    EXPECT_TRUE(s.codigo == 1 && s.err.contains("COM5")) << s.err.toStdString();
    s = Ejecuta({"convert", a, "TRV-420 *", arbol.raiz.en("c.cnf")});
    EXPECT_TRUE(s.codigo == 0 && s.out.contains("[Entradas CTRL]: ")) << s.err.toStdString();
    EXPECT_EQ(Ejecuta({"check", arbol.raiz.en("c.cnf")}).codigo, 0);
    EXPECT_EQ(Ejecuta({"check", arbol.raiz.en("falta.cnf")}).codigo, 2);
}

// A relay simulator attached as COM3 of the tree, for as long as the test runs.
struct Rele {
    QProcess p;
    explicit Rele(const prueba::ArbolPrograma &arbol, const QStringList &opciones = {}) {
        p.setProgram(prueba::FicheroPrograma("tarvo32-relaysim"));
        p.setArguments(QStringList{"--program", arbol.programa, "--port", "3", "--model",
                                   arbol.modelos + "TRV420.MDB"} +
                       opciones);
        p.start();
        p.waitForReadyRead(10000);   // it says when it is attached
    }
    ~Rele() {
        p.terminate();
        p.waitForFinished(5000);
    }
};

// diff with the relay and checked sends on a relay that keeps a LED block wrongly;
// a missing journal is told and the run goes on, then every run leaves a JSON line.
// Then plain sends, refused or not, and a receive into a new file.
TEST_F(Cli, SendReceiveAndDiffGoThroughTheRelay) {
    const QString fichero = arbol.raiz.en("campo.cnf");
    ASSERT_EQ(Ejecuta({"new", "TRV-420 ?", fichero}).codigo, 0);
    bd::BaseDatos::Abrir(fichero)->Execute(
        "UPDATE [Eventos PROT] SET GrupoSenyal = 1, Codificacion = '00000100' WHERE rowid = 1");
    const QStringList rele = {"--port", "3", "--password", "1234"};
    const std::tuple<QStringList, int, const char *> pasos[] = {
        {QStringList{"diff", fichero} + rele, 1, "transfers.log"},   // the relay holds zeros
        {QStringList{"send", fichero, "--changed", "--verify"} + rele, 0, "sent"},   // the LEDs are not written
        {QStringList{"diff", fichero} + rele, 0, "0 difference(s)"},
        {QStringList{"send", fichero, "--verify"} + rele, 1, "LEDs COMU"},
        {QStringList{"diff", fichero} + rele, 1, "[LEDs COMU] 1 "},
        {QStringList{"diff", fichero, "--port", "3"}, 2, "--password"},
    };
    Rele r(arbol, {"--corrupt", "2:3:1"});
    for (const auto &[args, codigo, dicho] : pasos) {
        const Salida s = Ejecuta(args);
        EXPECT_TRUE(s.codigo == codigo && (s.out + s.err).contains(dicho)) << s.out.toStdString() << s.err.toStdString();
        QDir().mkpath(arbol.programa + "/work");
    }
    const QList<QByteArray> lineas = arbol.raiz.lee("tarvo32/work/transfers.log").trimmed().split('\n');
    EXPECT_EQ(lineas.size(), 6);   // a verified send writes two
    for (const QByteArray &l : lineas) EXPECT_TRUE(QJsonDocument::fromJson(l).isObject()) << l.toStdString();

    // Without the right password the relay refuses to commit.
    EXPECT_EQ(Ejecuta({"send", fichero, "--port", "3", "--password", "1"}).codigo, 1);
    Salida s = Ejecuta(QStringList{"send", fichero} + rele);
    ASSERT_EQ(s.codigo, 0) << s.err.toStdString();
    const QString recibido = arbol.raiz.en("recibido.cnf");
    s = Ejecuta({"receive", recibido, "--port", "3", "--password", "0"});
    ASSERT_EQ(s.codigo, 0) << s.err.toStdString();
    EXPECT_TRUE(Ejecuta({"info", recibido}).out.contains("Model: TRV-420 ?"));
    // A configuration that cannot be sent is refused before any port is opened.
    const QString roto = arbol.raiz.en("roto.cnf");
    ASSERT_TRUE(QFile::copy(fichero, roto));
    bd::BaseDatos::Abrir(roto)->Execute("UPDATE [LEDs COMU] SET Codificacion = '00' WHERE rowid = 1");
    s = Ejecuta({"send", roto, "--port", "5", "--password", "1234"});
    EXPECT_EQ(s.codigo, 1);
    EXPECT_TRUE(s.err.contains("[LEDs COMU]") && !s.err.contains("COM5")) << s.err.toStdString();
    // A file of another model is not sent.
    ASSERT_EQ(Ejecuta({"new", "TRV-300 C?", arbol.raiz.en("otro.cnf")}).codigo, 0);
    EXPECT_EQ(Ejecuta(QStringList{"send", arbol.raiz.en("otro.cnf")} + rele).codigo, 1);
}

TEST_F(Cli, SettingsAndConnectionTroublesAreToldForWhatTheyAre) {
    struct Caso {
        const char *que;
        QByteArray ini;                    // the settings file, none when empty
        std::optional<QStringList> rele;   // simulator options; none: COM3 names a device that is gone
        bool retenido;                     // another program holds the port
        int codigo;
        QStringList dichos;
    };
    const Caso casos[] = {
        // Left as read, a speed of 0 would keep the port from opening.
        {"unusable settings", "[COMMS]\r\nVelocidad=rapida\r\nLongitudPalabra=9\r\n", QStringList{}, false, 0,
         {"Velocidad=0", "LongitudPalabra=9"}},
        {"no port", "", std::nullopt, false, 1, {"port COM3 cannot be opened"}},
        {"busy port", "", QStringList{}, true, 1, {"port COM3 is busy"}},
        {"unidentified relay", "", QStringList{"--empty-identification"}, false, 1,
         {"relay on COM3 gave no identification"}},
    };
    const QString ini = arbol.programa + "/tarvo32.ini", puerto = arbol.programa + "/ports/COM3";
    QDir().mkpath(arbol.programa + "/ports");
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.que);
        QFile::remove(ini);
        if (!c.ini.isEmpty()) arbol.raiz.escribe("tarvo32/tarvo32.ini", c.ini);
        QFile::remove(puerto);
        std::optional<Rele> rele;
        if (c.rele)
            rele.emplace(arbol, *c.rele);
        else
            QFile::link(arbol.raiz.en("desenchufado"), puerto);
        // Held as the program holds an open port: an exclusive advisory lock.
        QFile otro(puerto);
        if (c.retenido) {
            ASSERT_TRUE(otro.open(QIODevice::ReadWrite | QIODevice::Unbuffered));
            ASSERT_EQ(::flock(otro.handle(), LOCK_EX | LOCK_NB), 0);
        }
        const Salida s = Ejecuta({"receive", arbol.raiz.en("r.cnf"), "--port", "3", "--password", "0"});
        EXPECT_EQ(s.codigo, c.codigo) << s.err.toStdString();
        for (const QString &d : c.dichos) EXPECT_TRUE(s.err.contains(d)) << s.err.toStdString();
        EXPECT_FALSE(s.err.contains("no responde")) << s.err.toStdString();   // the program's generic words
    }
}

// Killed while the relay holds back a reply halfway through the tables: no
// file under the new name or beside it, and the next run's start removes the
// killed run's temporary folder.
TEST_F(Cli, AReceiveKilledMidwayLeavesNoFileAndTheNextStartNoFolder) {
    const QString registro = arbol.raiz.en("registro.txt");
    Rele rele(arbol, {"--log", registro, "--delay", "10:600000"});
    QProcess recibe;
    Prepara(recibe, {"receive", arbol.raiz.en("nuevo.cnf"), "--port", "3", "--password", "0"});
    recibe.start();
    auto peticiones = [&] {
        QFile f(registro);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    while (!peticiones().contains("\n#10 "))
        ASSERT_FALSE(recibe.waitForFinished(20)) << recibe.readAllStandardError().toStdString();
    recibe.kill();
    recibe.waitForFinished();
    EXPECT_TRUE(QDir(arbol.raiz.ruta()).entryList({"nuevo*"}, QDir::AllEntries | QDir::Hidden).isEmpty());

    const QString instalacion =
        Temporal() + "/" + QDir(Temporal()).entryList({"tarvo32-*"}, QDir::Dirs).value(0, "(ninguna)");
    auto restos = [&] { return QDir(instalacion).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); };
    ASSERT_EQ(restos().size(), 1);   // the killed run's folder
    EXPECT_EQ(Ejecuta({"info", arbol.raiz.en("nuevo.cnf")}).codigo, 1);
    EXPECT_EQ(restos(), QStringList());
}

TEST_F(Cli, CommandLineMistakesAreToldInOneLineBeforeAnythingIsOpened) {
    const QStringList conexion = {"receive", "x.cnf", "--port", "3"};
    const QStringList malas[] = {
        {},
        {"new", "TRV-610 ??"},
        {"frobnicate"},
        {"send", "x.cnf", "--password", "1"},   // no port
        {"send", "x.cnf", "--port", "17", "--password", "1"},
        {"send", "x.cnf", "--port", "3"},       // no password
        conexion + QStringList{"--password", "100000"},
        conexion + QStringList{"--password", "-1"},
        conexion + QStringList{"--password", "1", "--relay", "256"},
        conexion + QStringList{"--password", "1", "--relay", "uno"},
        conexion + QStringList{"--password"},
        conexion + QStringList{"--password", "1", "--retries", "x"},
        conexion + QStringList{"--password", "1", "--porte", "3"},
        {"info", "x.cnf", "--port", "3"},
        {"diff", "x.cnf"},
        {"receive", "x.cnf", "--port", "3", "--password", "1", "--verify"},
        {"display", "x.cnf"},   // no PDF named
        {"report", "x.cnf"},
        {"display", "x.cnf", "--pdf", "x.pdf", "--number", "siete"},
        {"display", "x.cnf", "--pdf", "x.pdf", "--port", "3"},
        {"export"},
        {"import", "x.json"},
        {"convert", "x.cnf", "TRV-420 *"},
        {"check", "x.cnf", "--force"},
    };
    for (const QStringList &args : malas) {
        const Salida s = Ejecuta(args);
        EXPECT_EQ(s.codigo, 2) << args.join(' ').toStdString();
        EXPECT_EQ(s.err.count('\n'), 1) << s.err.toStdString();
    }
    const Salida modelo = Ejecuta({"new", "XYZ-1", arbol.raiz.en("x.cnf")});
    EXPECT_EQ(modelo.codigo, 1);
    EXPECT_TRUE(modelo.err.contains("XYZ-1"));
    EXPECT_FALSE(QFileInfo::exists(arbol.raiz.en("x.cnf")));
    arbol.raiz.escribe("basura.cnf", "not a configuration");
    EXPECT_EQ(Ejecuta({"info", arbol.raiz.en("basura.cnf")}).codigo, 1);
}

// Both programs call the same things by the same option and answer --help on
// standard output.
TEST(LineaDeOrdenes, HelpGoesToStandardOutputAndNamesTheSharedOptions) {
    for (const char *programa : {"tarvo32-cli", "tarvo32-relaysim"}) {
        SCOPED_TRACE(programa);
        QProcess p;
        p.start(prueba::FicheroPrograma(programa), {"--help"});
        ASSERT_TRUE(p.waitForFinished(20000));
        EXPECT_EQ(p.exitCode(), 0);
        const QString ayuda = QString::fromUtf8(p.readAllStandardOutput());
        for (const char *opcion : {"--program", "--port", "--relay", "--password"})
            EXPECT_TRUE(ayuda.contains(opcion)) << opcion;
        EXPECT_TRUE(ayuda.contains(QString(programa) == "tarvo32-cli" ? "--changed" : "--corrupt"));
        EXPECT_TRUE(p.readAllStandardError().isEmpty());
    }
}

}  // namespace
