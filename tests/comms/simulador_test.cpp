// The relay simulator: its command line, its memory and state file, its
// model, and the program itself as a user starts it.
#include "linea.h"
#include "modelo.h"
#include "opciones.h"

#include <QFileInfo>
#include <QProcess>

using namespace relaysim;
using namespace tarvo;
using prueba::Bytes;

namespace {

QStringList Args(const QStringList &resto) { return QStringList{"tarvo32-relaysim"} + resto; }

TEST(OpcionesSimulador, EveryOptionIsReadAndBadValuesAreRefused) {
    Opciones o;
    QString error;
    ASSERT_TRUE(LeeOpciones(Args({"--program", "/p", "--port", "3", "--relay", "200", "--password", "99999",
                                  "--model", "m.MDB", "--name", "TRV X", "--database", "TRVX", "--state", "e",
                                  "--log", "-", "--real-speed", "--no-reply", "1,4",
                                  "--no-reply", "9", "--header-checksum", "2", "--body-checksum", "3",
                                  "--byte3", "5", "--short-body", "6", "--short-length", "7", "--noise", "8",
                                  "--split-header", "10:250", "--delay", "11:40,12:0", "--fail",
                                  "1:5:2:7", "--fail", "0:3:0:9", "--silent-after", "20", "--empty-identification"}),
                            o, error))
        << error.toStdString();
    // The port, relay, password, state and log options are seen at work in ProgramaSimulador;
    // --model and --empty-identification in tests/tools/cli_test, which runs the simulator.
    EXPECT_EQ(o.clave, 99999);
    EXPECT_EQ(o.nombreModelo, "TRV X");
    EXPECT_EQ(o.baseDatos, "TRVX");
    EXPECT_TRUE(o.velocidadReal);
    const Fallos &f = o.fallos;
    EXPECT_EQ(f.sinRespuesta, QSet<int>({1, 4, 9}));
    const std::pair<QSet<int>, int> unicos[] = {{f.checksumCabecera, 2}, {f.checksumCuerpo, 3}, {f.byteTres, 5},
                                                {f.cuerpoCorto, 6},      {f.longitudCorta, 7},  {f.ruido, 8}};
    for (const auto &[leido, peticion] : unicos) EXPECT_EQ(leido, QSet<int>({peticion})) << peticion;
    EXPECT_EQ(f.cabeceraPartida, (QMap<int, int>{{10, 250}}));
    EXPECT_EQ(f.retardo, (QMap<int, int>{{11, 40}, {12, 0}}));
    ASSERT_EQ(f.fallos.size(), 2);
    EXPECT_EQ(QString("%1:%2:%3:%4").arg(f.fallos[0].cpu).arg(f.fallos[0].grupo).arg(f.fallos[0].bloque).arg(f.fallos[0].codigo),
              "1:5:2:7");
    EXPECT_EQ(f.silencioTras, 20);

    for (const QStringList &malos : {QStringList{"--relay", "256"}, {"--password", "100000"}, {"--port", "0"},
                                     {"--no-reply", "0"}, {"--byte3", "x"}, {"--delay", "3"},
                                     {"--fail", "1:2:3"}, {"--fail", "1:2:3:256"}, {"--unknown"},
                                     {"suelto"}}) {
        Opciones otra;
        EXPECT_FALSE(LeeOpciones(Args(malos), otra, error)) << malos.join(' ').toStdString();
    }
}

// How the relay answers writes, confirmations, cancellations and reads: the
// exchanges in driver_test. What a model database gives (the identification,
// configured processors): transferencias_test. A good state file read and
// written: ProgramaSimulador.
TEST(MemoriaSimulador, AStateFileWithABadLineIsRefusedByLineAndChangesNothing) {
    prueba::CarpetaTemporal dir;
    MemoriaRele m;
    m.Pon({0, 4, 0, 2, 1}, Bytes({0, 1, 0xFE}));
    const auto antes = m.Confirmados();
    QString error;
    for (const char *mala : {"X 0 4 0 2 1 00\n", "C 0 4 0 2 1 0G\n", "C 256 4 0 2 1 00\n", "C 0 4 0 2 00\n",
                             "C 0 4 0 2 1 ABC\n"}) {
        dir.escribe("malo.txt", QByteArray("# fine\n\n") + mala);
        EXPECT_FALSE(m.Carga(dir.en("malo.txt"), error)) << mala;
        EXPECT_TRUE(error.contains("malo.txt:3")) << error.toStdString();
    }
    EXPECT_EQ(m.Confirmados(), antes);
}

// ------------------------------------------------------ the program itself

TEST(ProgramaSimulador, RunsAttachedToAPortKeepsItsStateLogsEveryFrameAndStopsOnABadStart) {
    Opciones o;
    o.rele = 3;
    o.clave = 777;
    prueba::Linea l(o, prueba::Ajustes(115200, 8, 0, 0, 2), {}, false);
    const prueba::CarpetaTemporal &dir = l.dir;
    // Committed blocks, an empty one and a pending write.
    const char *estado[] = {"C 0 4 0 3 2 11223344\n", "C 2 4 0 9 300 -\n", "P 1 4 3 5 65535 7A\n"};
    dir.escribe("estado.txt", QByteArray(estado[0]) + estado[1] + estado[2]);
    QProcess p;
    p.start(TARVO_RELAYSIM, {"--program", dir.ruta(), "--port", "2", "--relay", "3", "--password", "777", "--state",
                             dir.en("estado.txt"), "--log", dir.en("registro.txt")});
    ASSERT_TRUE(p.waitForReadyRead(10000)) << p.readAllStandardError().toStdString();
    EXPECT_TRUE(p.readLine().startsWith("relay 3 ready on /dev/pts/"));
    ASSERT_TRUE(QFileInfo(dir.en("ports/COM2")).isSymLink());
    ASSERT_TRUE(l.Abre());
    QByteArray r;
    EXPECT_EQ(l.driver->LeerDatosRele(r, 0, 4, 0, 3, 2, 1000), 4);
    EXPECT_EQ(r, Bytes({0x11, 0x22, 0x33, 0x44}));
    EXPECT_EQ(l.driver->EscribirDatosRele(r, 0, 4, 0, 3, 3, "\x05\x06", 2), 6);
    EXPECT_EQ(l.driver->ConfirmarEscrituraDatos(r, 0, 4, 0, 3), 6);
    EXPECT_EQ(r, "HECHO.");
    l.driver->PuertoAbierto(false);
    p.terminate();
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_FALSE(QFileInfo(dir.en("ports/COM2")).isSymLink());
    // Written back as they were read, with the block the confirmation committed.
    for (const char *linea : {estado[0], estado[1], estado[2], "C 0 4 0 3 3 0506\n"})
        EXPECT_TRUE(dir.lee("estado.txt").contains(linea)) << linea;
    const QList<QByteArray> lineas = dir.lee("registro.txt").trimmed().split('\n');
    ASSERT_EQ(lineas.size(), 3);
    EXPECT_TRUE(lineas[0].startsWith("#1 rele=3 cpu=0 orden=leer area=4 subgrupo=0 grupo=3 bloque=2 L=6 -> 11223344"));
    EXPECT_TRUE(lineas[2].endsWith(
        "orden=confirmar area=4 subgrupo=0 grupo=3 bloque=0 L=10 datos=09030000 -> HECHO. [1 bloques]"));

    // A bad command line or model stops it with a message.
    p.start(TARVO_RELAYSIM, {"--relay", "300"});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_TRUE(p.readAllStandardError().contains("--relay"));
    p.start(TARVO_RELAYSIM, {"--program", dir.ruta(), "--model", dir.en("NADA.MDB")});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_FALSE(QFileInfo(dir.en("ports/COM1")).isSymLink());
}

}  // namespace
