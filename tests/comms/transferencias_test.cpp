// Connecting to the relay simulator over a pty and whole sends and receives
// against it: every shipped model round trip, the state marks around a send,
// what the user sees when the line or the relay fails, and the menu commands.
#include "comms/codificacion/recepcion.h"
#include "comms/conexion.h"
#include "comms/envio.h"
#include "comms/recepcion_ajustes.h"
#include "codificacion/configuracion_aleatoria.h"
#include "rele_prueba.h"
#include "store/tablas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <sqlite3.h>

using namespace tarvo;

namespace {

// The state marks the relay saw, "cpu:value" by request number.
QMap<int, QString> Marcas(const QStringList &registro) {
    static const QRegularExpression re(
        "^#(\\d+) .*cpu=(\\d) orden=escribir area=4 subgrupo=0 grupo=1 bloque=1 L=10 datos=(\\w\\w)");
    QMap<int, QString> m;
    for (const QString &l : registro)
        if (const auto r = re.match(l); r.hasMatch())
            m.insert(r.captured(1).toInt(), r.captured(2) + ":" + QString::number(r.captured(3).toInt()));
    return m;
}

// The state marks of a clean send of a new configuration of `modelo`: the
// fault options of the cases after it count requests from them.
QMap<int, QString> MarcasDeEnvio(const char *modelo) {
    prueba::ReleEnLinea r;
    r.Listo(modelo);
    r.ins.ui.Espera(r.Texto(583));
    EXPECT_TRUE(EnviaTodosGrupos(*r.c, r.a.CopiaTrabajo));
    return Marcas(r.rele->Registro());
}

// After every transfer, however it ended: the window enabled, the progress gone.
void EsperaFinal(const prueba::ReleEnLinea &r) {
    EXPECT_TRUE(r.ins.v.habilitada);
    EXPECT_FALSE(r.monitor.progresoAbierto);
}

struct Transferencias : ::testing::Test, prueba::ReleEnLinea {
    void Teclea(const QString &numero, const QString &clave) {
        monitor.identificaciones.push_back(MonitorComunicaciones::Identificacion{numero, clave});
    }
    void EsperaDesconectado() {
        EXPECT_EQ(a.EstadoConexion, 255);
        EXPECT_FALSE(ins.v.conectado);
        EXPECT_FALSE(driver->PuertoAbierto());
        EXPECT_FALSE(monitor.conexionVisible);
    }
};

// A model and the state marks its send leaves: cleared from the front panel
// inwards before the tables, set outwards after them.
using Modelo = std::pair<std::string, std::string>;
class IdaYVuelta : public Transferencias, public ::testing::WithParamInterface<Modelo> {};

TEST_P(IdaYVuelta, WhatIsSentComesBackIntoANewFileTableByTable) {
    Listo(GetParam().first.c_str());
    // Every setting gets a value of its own, so that what comes back cannot be
    // the template's defaults by chance.
    DatosCodificacion datos;
    ASSERT_TRUE(PreparaDatosRecepcion(ins.ctx, datos));
    prueba::LlenaConfiguracion(a, datos, a.CopiaTrabajo, 7);
    // The trace only watches; it is checked on the model that has no display, whose
    // blocks do not read the same in the two traces.
    a.ModoDepuracion = GetParam().first == "TRV-420 *";

    ins.ui.Espera(Texto(583));
    ASSERT_TRUE(EnviaTodosGrupos(*c, a.CopiaTrabajo));
    EXPECT_EQ(ins.Inesperados(), "");
    EXPECT_TRUE(monitor.errores.isEmpty());
    EXPECT_EQ(monitor.titulos.value(0), ins.ctx.dic.Texto(589, 1));
    EXPECT_EQ(monitor.total.value(0), 0);
    EXPECT_EQ(monitor.total.last(), 100);
    const QStringList enviadas = monitor.tablas;
    EsperaFinal(*this);

    EXPECT_EQ(Marcas(rele->Registro()).values().join(' ').toStdString(), GetParam().second);

    const QString destino = a.DirectorioTrabajo + "recibido.cnf";
    ASSERT_TRUE(CargaFicheroRecepcion(*c, destino));
    ins.ui.Espera(Texto(587));
    ASSERT_TRUE(LeeTodosGrupos(*c, destino));
    EXPECT_EQ(ins.Inesperados(), "");
    EXPECT_EQ(monitor.titulos.value(1), ins.ctx.dic.Texto(590, 1));
    // Each table is named as it goes on the line, both ways.
    EXPECT_FALSE(enviadas.isEmpty());
    EXPECT_EQ(monitor.tablas.mid(enviadas.size()), enviadas);
    EXPECT_FALSE(QFileInfo::exists(a.CopiaRecepcion));
    EsperaFinal(*this);

    // Row by row in stored order, in the columns both files have: the working
    // copy also keeps the texts in each language.
    for (const EntradaGrupo &e : a.GruposCONST) {
        const QString info = "SELECT name FROM pragma_table_info('" + e.Tabla + "')";
        const QStringList propias = prueba::Filas(a.CopiaTrabajo, info);
        QStringList comunes = prueba::Filas(destino, info);
        comunes.removeIf([&](const QString &c) { return !propias.contains(c); });
        const QString sql = "SELECT [" + comunes.join("], [") + "] FROM [" + e.Tabla + "] ORDER BY rowid";
        EXPECT_EQ(prueba::Filas(destino, sql), prueba::Filas(a.CopiaTrabajo, sql)) << e.Tabla.toStdString();
    }

    // Every value in the trace both ways, eight digits and a blank each.
    EXPECT_EQ(monitor.trazaVisible, a.ModoDepuracion);
    if (!a.ModoDepuracion) return;
    const EntradaGrupo &e = a.GruposCONST.first();
    const QString cabecera = QString("%1 ,  CPU=%2 , GRUPO=%3 ,  : \r\n").arg(e.Tabla).arg(e.CPU).arg(e.Grupo);
    EXPECT_TRUE(monitor.envio.startsWith("Enviar (byte a byte):\r\n" + cabecera)) << monitor.envio.left(200).toStdString();
    EXPECT_TRUE(monitor.recepcion.startsWith("Recibir (byte a byte):\r\n" + cabecera));
    EXPECT_EQ(monitor.envio.mid(monitor.envio.indexOf("\r\n") + 2), monitor.recepcion.mid(monitor.recepcion.indexOf("\r\n") + 2));
    EXPECT_TRUE(QRegularExpression("^([0-9A-F]{8} )+\r\n").match(monitor.envio.section("\r\n", 2, 2) + "\r\n").hasMatch());
}

INSTANTIATE_TEST_SUITE_P(ModelosEnviados, IdaYVuelta,
                         ::testing::Values(Modelo{"TRV-610 **", "2:0 1:0 0:0 0:1 1:1 2:1"},
                                           Modelo{"TRV-420 *", "2:0 0:0 0:1 2:1"},
                                           Modelo{"TRV-300 C*", "2:0 1:0 1:1 2:1"}));

// Faults of the file, the line and the relay during a send of a TRV-610: what
// the user is asked and told, and what the relay is left with. Only the processors'
// state blocks, read back after the marks, say whether the relay took the
// configuration: lost or refused marks, and damaged answers to them, on each
// side of the tables. Table writes are retried, then asked about; a refusal
// cancels the table.
TEST(FallosEnvio, MarksSayWhetherTheRelayTookItLostRepliesAreRetriedThenAskedRefusalsCancel) {
    const QMap<int, QString> m = MarcasDeEnvio("TRV-610 **");
    // CPU 0's start mark and its confirmation come last before the first table write.
    const int primera = m.key("0:0") + 2;
    using Fallo = std::function<void(relaysim::Opciones &, const prueba::ReleEnLinea &)>;
    auto perdidas = [](const QSet<int> &numeros) -> Fallo {
        return [numeros](relaysim::Opciones &o, auto &) { o.fallos.sinRespuesta = numeros; };
    };
    struct Caso {
        QString caso;
        Fallo fallo;
        QList<std::pair<int, Boton>> preguntas;   // the prompts before the closing message
        int final;
        int sinConfigurar;   // the processor the closing message names, 3010; -1: none
        int error;           // the text the progress window shows, 0: none, -1: not checked
        std::function<void(prueba::ReleEnLinea &)> ademas = {};
    };
    // A configuration whose bytes would not be what the file means is refused,
    // naming table and record, before anything goes on the line.
    auto malformada = [](const char *sql, const QString &tabla, int motivo) -> Caso {
        const auto edita = [sql](auto &, const prueba::ReleEnLinea &r) {
            ASSERT_EQ(sqlite3_exec(bd::BaseDatos::Abrir(r.a.CopiaTrabajo)->handle(), sql, nullptr, nullptr, nullptr),
                      SQLITE_OK);
        };
        return {sql, edita, {}, 3000, -1, 0, [tabla, motivo](prueba::ReleEnLinea &r) {
                    const QString mensaje = r.ins.ui.Mostrados().last().texto;
                    EXPECT_TRUE(mensaje.contains("[" + tabla + "]")) << mensaje.toStdString();
                    EXPECT_TRUE(mensaje.contains(r.Texto(motivo).section('#', 0, 0))) << mensaje.toStdString();
                    EXPECT_EQ(r.rele->Registro(), QStringList());
                }};
    };
    QList<Caso> casos = {
        malformada("UPDATE [TextoEventos COMU] SET Codificacion = substr(Codificacion, 3) "
                   "WHERE rowid = (SELECT MAX(rowid) FROM [TextoEventos COMU])", "TextoEventos COMU", motivo_envio::Longitud),
        malformada("UPDATE [LEDs COMU] SET Codificacion = NULL WHERE rowid = 2", "LEDs COMU", motivo_envio::Vacia),
        malformada("UPDATE [LEDs COMU] SET Codificacion = '' WHERE rowid = 2", "LEDs COMU", motivo_envio::Vacia),
        malformada("UPDATE [LEDs COMU] SET Codificacion = x'303030303030303030303030' WHERE rowid = 2", "LEDs COMU",
                   motivo_envio::NoEsTexto),
        malformada("UPDATE [LEDs COMU] SET Codificacion = 'ZZ0000000000' WHERE rowid = 2", "LEDs COMU",
                   motivo_envio::NoHexadecimal),
        malformada("DELETE FROM [LEDs COMU] WHERE rowid = (SELECT MAX(rowid) FROM [LEDs COMU])", "LEDs COMU",
                   motivo_envio::Registros),
        malformada("INSERT INTO [LEDs COMU] SELECT * FROM [LEDs COMU] LIMIT 1", "LEDs COMU", motivo_envio::Registros),
        malformada("ALTER TABLE [LEDs COMU] RENAME TO leds; CREATE VIEW [LEDs COMU] AS SELECT * FROM leds", "LEDs COMU",
                   motivo_envio::NoEsTabla),
        {"last confirmation damaged", [&](auto &o, auto &) { o.fallos.checksumCuerpo = {m.key("2:1") + 1}; }, {}, 583,
         -1, -1},
        // The front panel took its start mark, the answer to CPU 1's was lost.
        {"start confirmation damaged", [&](auto &o, auto &) { o.fallos.checksumCuerpo = {m.key("1:0") + 1}; }, {}, 3018,
         -1, -1},
        {"two lost replies go without a word", perdidas({primera, primera + 3}), {}, 583, -1, 0},
        // The fifth failure asks again: every failure after the silent ones does.
        {"five lost replies, Retry twice", perdidas({primera, primera + 1, primera + 2, primera + 3, primera + 4}),
         {{594, Boton::Reintentar}, {594, Boton::Reintentar}}, 583, -1, 0},
        {"four lost replies, Cancel", perdidas({primera, primera + 1, primera + 2, primera + 3}),
         {{594, Boton::Cancelar}}, 585, -1, 800,
         [](prueba::ReleEnLinea &r) {
             // The first table failed: nothing was committed and the user is told so.
             QStringList tablas;
             for (const EntradaGrupo &e : r.a.GruposCONST)
                 if (BuscaTablaCodificada(e.Tabla)->empaquetador != Empaquetador::Ninguno) tablas << e.Tabla;
             const QString mensaje = r.ins.ui.Mostrados().last().texto;
             EXPECT_TRUE(mensaje.contains(r.ins.ctx.dic.Texto(3016, tablas.join(", ")))) << mensaje.toStdString();
             EXPECT_FALSE(mensaje.contains(r.Texto(3014).section('#', 0, 0)));
             EXPECT_TRUE(r.rele->Registro().last().contains("orden=cancelar"));
             // The relay stays marked as being written.
             EXPECT_FALSE(Marcas(r.rele->Registro()).values().contains("2:1"));
         }},
        // The relay's refusal shows its code and cancels without retrying.
        {"the relay refuses a block",
         [](relaysim::Opciones &o, const prueba::ReleEnLinea &r) {
             const EntradaGrupo &e = r.a.GruposCONST.first();
             o.fallos.fallos = {{quint8(e.CPU), quint8(e.Grupo), 1, 7}};
         },
         {}, 585, -1, 807,
         [](prueba::ReleEnLinea &r) {
             const QStringList registro = r.rele->Registro();
             EXPECT_EQ(registro.filter(QRegularExpression("orden=escribir .*bloque=1 .*-> FALLO")).size(), 1);
             EXPECT_TRUE(registro.last().contains("orden=cancelar"));
         }},
        {"the first state mark goes unanswered", perdidas({1}), {}, 581, -1, 0,
         [](prueba::ReleEnLinea &r) {
             EXPECT_TRUE(r.monitor.titulos.isEmpty());
             EXPECT_TRUE(r.rele->Registro().filter("orden=escribir").isEmpty());
         }},
    };
    for (int cpu : {0, 1, 2}) {
        // A lost start mark leaves the processor as it was, configured.
        casos.append({QString("start mark of CPU %1 lost").arg(cpu), perdidas({m.key(QString("%1:0").arg(cpu))}), {},
                      583, -1, -1});
        casos.append({QString("end mark of CPU %1 lost").arg(cpu), perdidas({m.key(QString("%1:1").arg(cpu))}), {},
                      3010, cpu, -1});
        // The relay refuses both marks of the CPU, which starts unconfigured.
        casos.append({QString("marks of CPU %1 refused").arg(cpu),
                      [cpu](relaysim::Opciones &o, const prueba::ReleEnLinea &r) {
                          r.ins.arbol.raiz.escribe("estado.txt", QString("C %1 4 0 1 1 00000000\n").arg(cpu).toLatin1());
                          o.estado = r.ins.arbol.raiz.en("estado.txt");
                          o.fallos.fallos = {{quint8(cpu), 1, 1, 9}};
                      },
                      {}, 3010, cpu, -1});
    }
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.caso.toStdString());
        prueba::ReleEnLinea r;
        r.Listo("TRV-610 **", [&](auto &o) { c.fallo(o, r); });
        for (const auto &[texto, boton] : c.preguntas) r.ins.ui.Espera(r.Texto(texto), boton);
        r.ins.ui.Espera(c.sinConfigurar < 0 ? r.Texto(c.final) : r.ins.ctx.dic.Texto(c.final, c.sinConfigurar));
        EXPECT_EQ(EnviaTodosGrupos(*r.c, r.a.CopiaTrabajo), c.final == 583);
        EXPECT_EQ(r.ins.Inesperados(), "");
        EXPECT_TRUE(r.ins.ui.Pendientes().isEmpty());
        if (c.error >= 0) {
            EXPECT_EQ(r.monitor.errores, c.error ? QStringList({("\r\n" + r.Texto(c.error)).toUpper()}) : QStringList());
        }
        if (c.sinConfigurar >= 0) {
            const QString mensaje = r.ins.ui.Mostrados().last().texto;
            EXPECT_TRUE(mensaje.contains(r.Texto(3012)) && mensaje.contains(r.Texto(3013))) << mensaje.toStdString();
        }
        EsperaFinal(r);
        if (c.ademas) c.ademas(r);
    }
}

// A receive that fails leaves a target that existed as it was; a new one is
// not made at all, nor anything beside it: a default configuration under the
// name would pass for the relay's.
TEST(RecepcionFallida, TheTargetIsLeftAsItWas) {
    const struct {
        const char *caso;
        bool existia;
        int silencioTras;
        QByteArray estado;   // blocks the relay starts with
        QString dano;        // what the target's file holds that cannot be decoded
        QString primera;     // the first message; Cancel when it asks
        int lecturas;        // reads the relay sees; -1: not counted
    } casos[] = {
        {"the relay falls silent, new target", false, 12, {}, {}, "593", -1},
        {"the relay falls silent, existing target", true, 12, {}, {}, "593", -1},
        // "Entradas PROT" takes 12 bytes: a shorter block is no block of zeros.
        {"a short block", true, 0, "C 0 4 0 2 1 0102030405060708\n", {}, "593", 4},
        // Tables are decoded while the next ones are still on the line: a
        // failure there is reported under its reader. How soon it ends the
        // reception depends on how long the decode takes against the line, so
        // that is not checked here.
        {"a table that cannot be decoded", true, 0, {},
         "UPDATE [Salidas CTRL] SET Codificacion = '' WHERE rowid = (SELECT MIN(rowid) FROM [Salidas CTRL])",
         "MODULO LeeSalidasCTRL()", -1},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.caso);
        prueba::ReleEnLinea r;
        r.Listo("TRV-610 **", [&](auto &o) {
            o.fallos.silencioTras = c.silencioTras;
            if (!c.estado.isEmpty()) {
                r.ins.arbol.raiz.escribe("estado.txt", c.estado);
                o.estado = r.ins.arbol.raiz.en("estado.txt");
            }
        });
        r.a.ModoDepuracion = !c.dano.isEmpty();
        const QString destino = r.a.DirectorioTrabajo + "objetivo.cnf";
        if (c.existia) {
            ASSERT_TRUE(bd::CopiaFichero(r.a.CopiaTrabajo, destino));
        }
        if (!c.dano.isEmpty()) bd::BaseDatos::Abrir(destino)->Execute(c.dano);
        const QByteArray antes = r.Bytes(destino);
        ASSERT_TRUE(CargaFicheroRecepcion(*r.c, destino));
        if (c.primera == "593") r.ins.ui.Espera(r.Texto(593), Boton::Cancelar);
        else r.ins.ui.Espera(c.primera);
        r.ins.ui.Espera(r.Texto(576));
        EXPECT_FALSE(LeeTodosGrupos(*r.c, destino));
        EXPECT_EQ(r.ins.Inesperados(), "");
        EXPECT_TRUE(r.monitor.errores.isEmpty());
        EXPECT_EQ(r.Bytes(destino), antes);
        EXPECT_EQ(QDir(r.a.DirectorioTrabajo).entryList({"objetivo*"}, QDir::AllEntries | QDir::Hidden),
                  c.existia ? QStringList{"objetivo.cnf"} : QStringList{});
        EXPECT_TRUE(QDir(r.a.DirectorioTemporal).entryList({"cnf00001*"}, QDir::Files | QDir::Hidden).isEmpty());
        EXPECT_FALSE(QFileInfo::exists(r.a.CopiaRecepcion));
        if (c.lecturas >= 0) {
            EXPECT_EQ(r.rele->Registro().filter("orden=leer").size(), c.lecturas);
        }
        EsperaFinal(r);
    }
}

// The first table at 0 and the last at 100: IdaYVuelta.
TEST(ProgresoTotal, TablesGoEvenlyAndASingleOneIsAtTheEnd) {
    EXPECT_EQ(ProgresoTotal(2, 5), 50);
    EXPECT_EQ(ProgresoTotal(0, 1), 100);
}

// The menu commands as a user runs them: connect after a refused relay number
// with a configuration of another model open, which may be closed for a new
// one of the relay's model, send that, then receive into a new file with
// nothing open, which opens it; a target of another model is refused before
// any exchange. Then leave; cancelling the next connection forgets the password.
TEST_F(Transferencias, TheMenuCommandsConnectSendTheOpenConfigurationOpenWhatTheyReceiveAndLeave) {
    Arranca();
    Nuevo("TRV-420 *");
    const QString otro = a.DirectorioTrabajo + "otro.cnf";
    ASSERT_TRUE(bd::CopiaFichero(a.CopiaTrabajo, otro));
    Teclea("300", "1234");   // which numbers are refused: Identificacion below
    Teclea("1", "1234");
    ins.ui.Espera(Texto(765));
    ins.ui.Espera(Texto(517), Boton::Si);
    ConexionRele(*c);
    EXPECT_EQ(ins.Inesperados(), "");
    ASSERT_EQ(a.EstadoConexion, 0);
    EXPECT_TRUE(ins.v.conectado);
    EXPECT_TRUE(driver->PuertoAbierto());
    EXPECT_FALSE(monitor.conexionVisible);
    EXPECT_EQ(a.ModeloActual, "TRV-610 ??");
    EXPECT_EQ(a.BaseDatos, "TRV610.MDB");
    EXPECT_EQ(ins.v.paneles[2], "TRV-610 **");
    EXPECT_EQ(ins.v.paneles[3], "TRV610.MDB");
    ASSERT_EQ(a.FicheroActual, a.FicheroSinTitulo);   // the new file itself: ficheros_test
    EXPECT_EQ(ins.ui.Estado(), Texto(70));
    EXPECT_EQ(a.NumeroRele, 1);
    EXPECT_EQ(a.PasswordRele, 1234);

    ins.ui.Espera(Texto(502), Boton::Si);
    ins.ui.Espera(Texto(583));
    EnviarAjustes(*c);
    EXPECT_EQ(ins.Inesperados(), "");
    EsperaFinal(*this);

    // A configuration with problems goes out only when the user says so.
    bd::BaseDatos::Abrir(a.CopiaTrabajo, bd::Apertura::Temporal)
        ->Execute("UPDATE [Eventos PROT] SET Codificacion = '00000100' WHERE rowid = 1");
    for (const Boton b : {Boton::No, Boton::Si}) {
        ins.ui.Espera(Texto(502), Boton::Si);
        ins.ui.Espera(Texto(3275), b);
        if (b == Boton::Si) ins.ui.Espera(Texto(583));
        EnviarAjustes(*c, {.cambios = true});
        EXPECT_EQ(ins.Inesperados(), "");
    }
    EsperaFinal(*this);

    LimpiaConfiguracion(ins.ctx, ins.v);
    const QString nuevo = a.DirectorioTrabajo + "del rele.cnf";
    ins.ui.EsperaFichero(nuevo);
    ins.ui.Espera(Texto(587));
    RecibirAjustes(*c);
    EXPECT_EQ(ins.Inesperados(), "");
    EXPECT_EQ(a.FicheroActual, nuevo);
    EXPECT_TRUE(a.ConfiguracionGuardada);
    EXPECT_TRUE(ins.v.comandosFichero);
    EXPECT_EQ(prueba::Filas(nuevo, "SELECT Modelo FROM Modelo"), QStringList({"TRV-610 ??"}));
    EsperaFinal(*this);

    const qsizetype peticiones = rele->TramasRecibidas().size();
    ins.ui.Espera(Texto(573));
    EXPECT_FALSE(CargaFicheroRecepcion(*c, otro));
    EXPECT_EQ(ins.Inesperados(), "");
    EXPECT_EQ(rele->TramasRecibidas().size(), peticiones);

    // Leaving: No keeps the connection, Yes closes the port.
    ins.ui.Espera(Texto(588), Boton::No);
    EmulacionRele(*c);
    EXPECT_EQ(a.EstadoConexion, 0);
    EXPECT_TRUE(driver->PuertoAbierto());
    ins.ui.Espera(Texto(588), Boton::Si);
    EmulacionRele(*c);
    EXPECT_EQ(ins.Inesperados(), "");
    EsperaDesconectado();
    // The open configuration keeps its model.
    EXPECT_EQ(a.ModeloActual, "TRV-610 ??");
    EXPECT_TRUE(ins.v.paneles[2].isEmpty());

    ConexionRele(*c);   // the dialog is cancelled
    EXPECT_EQ(a.NumeroRele, 1);
    EXPECT_EQ(a.PasswordRele, -1);
    EsperaDesconectado();
}

// A model the program cannot use is told once; a silent relay or one without
// identity is told twice, in a message and in the line's error window.
TEST_F(Transferencias, AnUnusableModelOrASilentRelayIsReportedAndClosesThePort) {
    const struct {
        const char *caso;
        std::function<void(relaysim::Opciones &)> pon;
        QString texto;
    } casos[] = {
        {"no database", [](auto &o) { o.baseDatos = "NOESTA"; }, Texto(513).left(10)},
        {"unknown to the catalogue", [](auto &o) { o.nombreModelo = "XYZ-999 *AB"; }, Texto(515)},
        {"silent", [](auto &o) { o.fallos.sinRespuesta = {1}; }, Texto(591)},
        {"no identity", [](auto &o) { o.fallos.matriculaVacia = true; }, Texto(591)},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.caso);
        relaysim::Opciones o;
        caso.pon(o);
        Arranca(o);
        monitor.errores.clear();
        Teclea("1", "1234");
        ins.ui.Espera(caso.texto);
        ConexionRele(*c);
        EXPECT_EQ(ins.Inesperados(), "");
        EsperaDesconectado();
        EXPECT_FALSE(a.HayFicheroActual());
        if (caso.texto == Texto(591)) {
            EXPECT_EQ(ins.ui.Mostrados().last().titulo, TituloFijo);
            EXPECT_EQ(monitor.errores, QStringList({("\r\n" + Texto(800)).toUpper()}));
            EXPECT_EQ(ins.ui.Estado(), Texto(81));
        } else if (o.baseDatos == "NOESTA") {
            EXPECT_EQ(ins.ui.Mostrados().last().texto.count("NOESTA.MDB"), 1);
        }
    }
}

TEST(Identificacion, FieldsAreCutFromThePayloadAndTypedNumbersCheckedForRange) {
    const Identificacion id = LeeIdentificacion("trv-610 ab*x        trv610  2.03RELAYSIM");
    EXPECT_EQ(id.modelo.size(), 20);
    EXPECT_EQ(id.NombreModelo(), "TRV-610 AB");
    EXPECT_EQ(id.FicheroBaseDatos(), "TRV610.MDB");
    EXPECT_EQ(LeeIdentificacion(" trv-300 c   ").NombreModelo(), "TRV-300 C");
    // The typed numbers: outside their ranges or not numbers, refused.
    EXPECT_TRUE(ValidaIdentificacion("0", "0"));
    EXPECT_TRUE(ValidaIdentificacion("255", "99999"));
    const std::pair<const char *, const char *> malos[] = {{"256", "1"}, {"-1", "1"}, {"uno", "1"},
                                                           {"", "1"},    {"1", "100000"}, {"1", "12a"}};
    for (const auto &[numero, clave] : malos)
        EXPECT_FALSE(ValidaIdentificacion(numero, clave)) << numero << " " << clave;
}

}  // namespace
