// Whole sends and receives against the relay simulator over a pty: every
// shipped model round trip, the state marks around a send, and what the user
// sees when the line or the relay fails.
#include "comms/codificacion/recepcion.h"
#include "comms/conexion.h"
#include "comms/envio.h"
#include "comms/recepcion_ajustes.h"
#include "codificacion/configuracion_aleatoria.h"
#include "rele_prueba.h"
#include "store/tablas.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

using namespace tarvo;

namespace {

// Rows of a table in stored order, only the columns in `columnas`.
QStringList Filas(const QString &fichero, const QString &tabla, const QStringList &columnas) {
    return prueba::Filas(fichero, "SELECT [" + columnas.join("], [") + "] FROM [" + tabla + "] ORDER BY rowid");
}

QStringList Columnas(const QString &fichero, const QString &tabla) {
    auto db = bd::BaseDatos::Abrir(fichero, bd::Apertura::SoloLectura);
    auto rs = db->OpenRecordset(tabla, bd::TipoRecordset::Snapshot);
    QStringList c;
    for (int i = 0; i < rs->FieldCount(); ++i) c << rs->FieldName(i);
    return c;
}

// The state marks the relay saw: "cpu:value" in request order.
QStringList Marcas(const QStringList &registro) {
    static const QRegularExpression re("cpu=(\\d) orden=escribir area=4 subgrupo=0 grupo=1 bloque=1 L=10 datos=(\\w\\w)");
    QStringList m;
    for (const QString &l : registro)
        if (const auto r = re.match(l); r.hasMatch()) m << r.captured(1) + ":" + QString::number(r.captured(2).toInt());
    return m;
}

struct Transferencias : ::testing::Test, prueba::ReleEnLinea {
    // Every setting gets a value of its own, so that what comes back cannot be
    // the template's defaults by chance.
    void Revuelve() {
        DatosCodificacion datos;
        ASSERT_TRUE(PreparaDatosRecepcion(ins.ctx, datos));
        prueba::LlenaConfiguracion(a, datos, a.CopiaTrabajo, 7);
    }
    void EsperaFinal() {
        EXPECT_TRUE(ins.v.habilitada);
        EXPECT_FALSE(monitor.progresoAbierto);
    }
};

class IdaYVuelta : public Transferencias, public ::testing::WithParamInterface<std::pair<const char *, const char *>> {};

TEST_P(IdaYVuelta, WhatIsSentComesBackIntoANewFileTableByTable) {
    Arranca({}, GetParam().second);
    Nuevo(GetParam().first);
    Abre();
    Revuelve();

    ins.ui.Espera(Texto(583));
    ASSERT_TRUE(EnviaTodosGrupos(*c, a.CopiaTrabajo));
    EXPECT_EQ(ins.Inesperados(), "");
    EXPECT_TRUE(monitor.errores.isEmpty());
    EXPECT_EQ(monitor.titulos.value(0), ins.ctx.dic.Texto(589, 1));
    EXPECT_EQ(monitor.total.value(0), 0);
    EXPECT_EQ(monitor.total.last(), 100);
    EsperaFinal();

    // Cleared from the front panel inwards before, set outwards after.
    QStringList antes, despues;
    for (int cpu : {2, 1, 0})
        if (cpu == 2 ||
            std::any_of(a.GruposCONST.cbegin(), a.GruposCONST.cend(), [&](const EntradaGrupo &e) { return e.CPU == cpu; })) {
            antes << QString("%1:0").arg(cpu);
            despues.prepend(QString("%1:1").arg(cpu));
        }
    EXPECT_EQ(Marcas(rele->Registro()), antes + despues);

    const QString destino = a.DirectorioTrabajo + "recibido.cnf";
    ASSERT_TRUE(CargaFicheroRecepcion(*c, destino));
    ins.ui.Espera(Texto(587));
    ASSERT_TRUE(LeeTodosGrupos(*c, destino));
    EXPECT_EQ(ins.Inesperados(), "");
    EXPECT_EQ(monitor.titulos.value(1), ins.ctx.dic.Texto(590, 1));
    EXPECT_FALSE(QFileInfo::exists(a.CopiaRecepcion));
    EsperaFinal();

    for (const EntradaGrupo &e : a.GruposCONST) {
        QStringList comunes;
        const QStringList recibidas = Columnas(destino, e.Tabla);
        for (const QString &col : Columnas(a.CopiaTrabajo, e.Tabla))
            if (recibidas.contains(col)) comunes << col;
        EXPECT_EQ(Filas(destino, e.Tabla, comunes), Filas(a.CopiaTrabajo, e.Tabla, comunes)) << e.Tabla.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(ModelosEnviados, IdaYVuelta,
                         ::testing::Values(std::pair{"TRV-610 **", "TRV610.MDB"}, std::pair{"TRV-420 *", "TRV420.MDB"},
                                           std::pair{"TRV-300 C*", "TRV300.MDB"}));

// The requests before the first table's first block: the state reads of CPUs
// 0 and 1 that the model has, and a write and a confirmation per marked CPU.
int PrimeraEscrituraDeTabla(const Aplicacion &a) {
    int cpus01 = 0;
    for (int cpu : {0, 1})
        if (std::any_of(a.GruposCONST.cbegin(), a.GruposCONST.cend(), [&](const EntradaGrupo &e) { return e.CPU == cpu; }))
            ++cpus01;
    return cpus01 + 2 * (cpus01 + 1) + 1;
}

struct FallosEnvio : Transferencias {
    void Prepara(const std::function<void(relaysim::Fallos &, int primera)> &fallos) {
        // The catalogue decides the request numbers; learn it before the relay starts.
        ins.ui.EsperaModelo("TRV-420 *");
        NuevaConfiguracion(ins.ctx, ins.v);
        relaysim::Opciones o;
        fallos(o.fallos, PrimeraEscrituraDeTabla(a));
        Arranca(o, "TRV420.MDB");
        Abre();
    }
};

TEST_F(FallosEnvio, ALostReplyIsRetriedWithoutAWord) {
    Prepara([](relaysim::Fallos &f, int primera) { f.sinRespuesta = {primera, primera + 3}; });
    ins.ui.Espera(Texto(583));
    EXPECT_TRUE(EnviaTodosGrupos(*c, a.CopiaTrabajo));
    EXPECT_EQ(ins.Inesperados(), "");
    EXPECT_TRUE(monitor.errores.isEmpty());
    EsperaFinal();
}

TEST_F(FallosEnvio, FourFailuresAskAndRetryGoesOn) {
    Prepara([](relaysim::Fallos &f, int p) { f.sinRespuesta = {p, p + 1, p + 2, p + 3, p + 4}; });
    // The fifth failure asks again: every failure after the silent ones does.
    ins.ui.Espera(Texto(594), Boton::Reintentar);
    ins.ui.Espera(Texto(594), Boton::Reintentar);
    ins.ui.Espera(Texto(583));
    EXPECT_TRUE(EnviaTodosGrupos(*c, a.CopiaTrabajo));
    EXPECT_EQ(ins.Inesperados(), "");
    EXPECT_TRUE(ins.ui.Pendientes().isEmpty());
    EsperaFinal();
}

TEST_F(FallosEnvio, CancelAtThePromptStopsTheSendAndCancelsTheTable) {
    Prepara([](relaysim::Fallos &f, int p) { f.sinRespuesta = {p, p + 1, p + 2, p + 3}; });
    ins.ui.Espera(Texto(594), Boton::Cancelar);
    ins.ui.Espera(Texto(585));
    EXPECT_FALSE(EnviaTodosGrupos(*c, a.CopiaTrabajo));
    EXPECT_EQ(ins.Inesperados(), "");
    EXPECT_EQ(monitor.errores, QStringList({("\r\n" + Texto(800)).toUpper()}));
    const QStringList registro = rele->Registro();
    EXPECT_TRUE(registro.last().contains("orden=cancelar")) << registro.last().toStdString();
    // The relay stays marked as being written.
    EXPECT_FALSE(Marcas(registro).contains("2:1"));
    EsperaFinal();
}

TEST_F(FallosEnvio, TheRelaysRefusalShowsItsCodeAndCancelsWithoutRetrying) {
    Prepara([&](relaysim::Fallos &f, int) {
        const EntradaGrupo &e = a.GruposCONST.first();
        f.fallos = {{quint8(e.CPU), quint8(e.Grupo), 1, 7}};
    });
    ins.ui.Espera(Texto(585));
    EXPECT_FALSE(EnviaTodosGrupos(*c, a.CopiaTrabajo));
    EXPECT_EQ(ins.Inesperados(), "");
    EXPECT_EQ(monitor.errores, QStringList({("\r\n" + Texto(807)).toUpper()}));
    const QStringList registro = rele->Registro();
    const int escrituras = int(registro.filter(QRegularExpression("orden=escribir .*bloque=1 .*-> FALLO")).size());
    EXPECT_EQ(escrituras, 1);
    EXPECT_TRUE(registro.last().contains("orden=cancelar"));
    EsperaFinal();
}

TEST_F(FallosEnvio, AStateMarkThatGoesUnansweredSendsNothing) {
    Prepara([](relaysim::Fallos &f, int) { f.sinRespuesta = {1}; });
    ins.ui.Espera(Texto(581));
    EXPECT_FALSE(EnviaTodosGrupos(*c, a.CopiaTrabajo));
    EXPECT_EQ(ins.Inesperados(), "");
    EXPECT_TRUE(monitor.titulos.isEmpty());
    EXPECT_TRUE(rele->Registro().filter("orden=escribir").isEmpty());
}

class RecepcionCortada : public Transferencias, public ::testing::WithParamInterface<bool> {};

// A target that existed is left as it was; a new one is not made at all, nor
// anything beside it: a default configuration under the name would pass for
// the relay's.
TEST_P(RecepcionCortada, ARelayThatFallsSilentMidReceiveLeavesTheTargetAsItWas) {
    const bool existia = GetParam();
    relaysim::Opciones o;
    o.fallos.silencioTras = 12;
    Arranca(o);
    Nuevo("TRV-610 **");
    Abre();
    const QString destino = a.DirectorioTrabajo + "objetivo.cnf";
    if (existia) {
        ASSERT_TRUE(bd::CopiaFichero(a.CopiaTrabajo, destino));
    }
    const QByteArray antes = Bytes(destino);
    ASSERT_TRUE(CargaFicheroRecepcion(*c, destino));
    ins.ui.Espera(Texto(593), Boton::Cancelar);
    ins.ui.Espera(Texto(576));
    EXPECT_FALSE(LeeTodosGrupos(*c, destino));
    EXPECT_EQ(ins.Inesperados(), "");
    EXPECT_TRUE(monitor.errores.isEmpty());
    EXPECT_EQ(Bytes(destino), antes);
    EXPECT_EQ(QDir(a.DirectorioTrabajo).entryList({"objetivo*"}, QDir::AllEntries | QDir::Hidden),
              existia ? QStringList{"objetivo.cnf"} : QStringList{});
    EXPECT_TRUE(QDir(a.DirectorioTemporal).entryList({"cnf00001*"}, QDir::Files | QDir::Hidden).isEmpty());
    EsperaFinal();
}

INSTANTIATE_TEST_SUITE_P(Destinos, RecepcionCortada, ::testing::Bool());

// Tables are decoded while the next ones are still on the line: a failure
// there is reported under its reader and ends the reception a table later.
TEST_F(Transferencias, ATableThatCannotBeDecodedStopsTheReceiveAndLeavesTheTargetAsItWas) {
    Arranca();
    Nuevo("TRV-610 **");
    Abre();
    a.ModoDepuracion = true;
    const QString destino = a.DirectorioTrabajo + "objetivo.cnf";
    ASSERT_TRUE(bd::CopiaFichero(a.CopiaTrabajo, destino));
    bd::BaseDatos::Abrir(destino)->Execute(
        "UPDATE [Salidas CTRL] SET Codificacion = '' WHERE rowid = (SELECT MIN(rowid) FROM [Salidas CTRL])");
    const QByteArray antes = Bytes(destino);
    ins.ui.Espera("MODULO LeeSalidasCTRL()");
    ins.ui.Espera(Texto(576));
    EXPECT_FALSE(LeeTodosGrupos(*c, destino));
    EXPECT_EQ(ins.Inesperados(), "");
    EXPECT_EQ(Bytes(destino), antes);
    EXPECT_FALSE(QFileInfo::exists(a.CopiaRecepcion));
    const EntradaGrupo &ultima = a.GruposCONST.last();
    const QRegularExpression lecturaUltima(QString("cpu=%1 orden=leer .* grupo=%2 ").arg(ultima.CPU).arg(ultima.Grupo));
    EXPECT_FALSE(rele->Registro().filter(QRegularExpression("orden=leer")).isEmpty());
    EXPECT_TRUE(rele->Registro().filter(lecturaUltima).isEmpty());
    EsperaFinal();
}

TEST_F(Transferencias, ATargetOfAnotherModelIsRefusedBeforeAnyExchange) {
    Arranca();
    Nuevo("TRV-420 *");
    const QString otro = a.DirectorioTrabajo + "otro.cnf";
    ASSERT_TRUE(bd::CopiaFichero(a.CopiaTrabajo, otro));
    a.ConfiguracionGuardada = true;
    Nuevo("TRV-610 **");
    ins.ui.Espera(Texto(573));
    EXPECT_FALSE(CargaFicheroRecepcion(*c, otro));
    EXPECT_EQ(ins.Inesperados(), "");
    EXPECT_TRUE(rele->Registro().isEmpty());
}

TEST_F(Transferencias, DebugModeTracesEveryValueSentAndReceived) {
    Arranca({}, "TRV420.MDB");
    Nuevo("TRV-420 *");
    Abre();
    a.ModoDepuracion = true;
    ins.ui.Espera(Texto(583));
    ASSERT_TRUE(EnviaTodosGrupos(*c, a.CopiaTrabajo));
    ins.ui.Espera(Texto(587));
    ASSERT_TRUE(LeeTodosGrupos(*c, a.CopiaTrabajo));
    EXPECT_EQ(ins.Inesperados(), "");
    EXPECT_TRUE(monitor.trazaVisible);
    const EntradaGrupo &e = a.GruposCONST.first();
    const QString cabecera = QString("%1 ,  CPU=%2 , GRUPO=%3 ,  : \r\n").arg(e.Tabla).arg(e.CPU).arg(e.Grupo);
    EXPECT_TRUE(monitor.envio.startsWith("Enviar (byte a byte):\r\n" + cabecera)) << monitor.envio.left(200).toStdString();
    EXPECT_TRUE(monitor.recepcion.startsWith("Recibir (byte a byte):\r\n" + cabecera));
    // Same values both ways, eight digits and a blank each.
    EXPECT_EQ(monitor.envio.mid(monitor.envio.indexOf("\r\n") + 2), monitor.recepcion.mid(monitor.recepcion.indexOf("\r\n") + 2));
    EXPECT_TRUE(QRegularExpression("^([0-9A-F]{8} )+\r\n").match(monitor.envio.section("\r\n", 2, 2) + "\r\n").hasMatch());
}

TEST(ProgresoTotal, TheLastTableIsAtTheEndAndASingleOneToo) {
    EXPECT_EQ(ProgresoTotal(0, 5), 0);
    EXPECT_EQ(ProgresoTotal(2, 5), 50);
    EXPECT_EQ(ProgresoTotal(4, 5), 100);
    EXPECT_EQ(ProgresoTotal(0, 1), 100);
}

}  // namespace

namespace {

// The two menu commands as a user runs them: connect, send the open
// configuration, then receive into a new file with nothing open, which opens it.
TEST_F(Transferencias, TheMenuCommandsSendTheOpenConfigurationAndOpenWhatTheyReceive) {
    Arranca({}, "TRV420.MDB");
    monitor.identificaciones.push_back({"1", "1234"});
    ConexionRele(*c);
    ASSERT_EQ(a.EstadoConexion, 0);
    ASSERT_TRUE(a.HayFicheroActual());   // a new untitled configuration of the relay's model
    EXPECT_TRUE(ins.v.conectado);

    ins.ui.Espera(Texto(502), Boton::Si);
    ins.ui.Espera(Texto(583));
    EnviarAjustes(*c);
    EXPECT_EQ(ins.Inesperados(), "");
    EsperaFinal();

    LimpiaConfiguracion(ins.ctx, ins.v);
    const QString nuevo = a.DirectorioTrabajo + "del rele.cnf";
    ins.ui.EsperaFichero(nuevo);
    ins.ui.Espera(Texto(587));
    RecibirAjustes(*c);
    EXPECT_EQ(ins.Inesperados(), "");
    EXPECT_EQ(a.FicheroActual, nuevo);
    EXPECT_TRUE(a.ConfiguracionGuardada);
    EXPECT_TRUE(ins.v.comandosFichero);
    EXPECT_EQ(prueba::Filas(nuevo, "SELECT Modelo FROM Modelo"), QStringList({"TRV-420 ?"}));
    EsperaFinal();

    // Emulation closes the port and leaves the configuration open.
    ins.ui.Espera(Texto(588), Boton::Si);
    EmulacionRele(*c);
    EXPECT_EQ(a.EstadoConexion, 255);
    EXPECT_FALSE(ins.v.conectado);
    EXPECT_EQ(a.FicheroActual, nuevo);
}

}  // namespace
