// Connecting to the simulated relay: identification, the relay's model and
// catalogue, the failures on the way and the return to emulation.
#include "comms/conexion.h"
#include "rele_prueba.h"

using namespace tarvo;

namespace {

struct Conexion : ::testing::Test, prueba::ReleEnLinea {
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

// A bad number is refused and asked again; connected, the relay's model gets a
// new configuration. Cancelling the next connection forgets the password.
TEST_F(Conexion, ARelayThatIdentifiesItselfConnectsAndGetsANewConfiguration) {
    Arranca();
    Teclea("300", "1234");   // which numbers are refused: Identificacion below
    Teclea("1", "1234");
    ins.ui.Espera(Texto(765));
    ConexionRele(*c);
    EXPECT_EQ(ins.Inesperados(), "");
    EXPECT_TRUE(monitor.identificaciones.empty());
    EXPECT_EQ(a.EstadoConexion, 0);
    EXPECT_TRUE(ins.v.conectado);
    EXPECT_TRUE(driver->PuertoAbierto());
    EXPECT_FALSE(monitor.conexionVisible);
    EXPECT_EQ(a.ModeloActual, "TRV-610 ??");
    EXPECT_EQ(a.BaseDatos, "TRV610.MDB");
    EXPECT_EQ(ins.v.paneles[2], "TRV-610 **");
    EXPECT_EQ(ins.v.paneles[3], "TRV610.MDB");
    EXPECT_EQ(a.FicheroActual, a.FicheroSinTitulo);   // the new file itself: ficheros_test
    EXPECT_EQ(ins.ui.Estado(), Texto(70));
    EXPECT_EQ(a.NumeroRele, 1);
    EXPECT_EQ(a.PasswordRele, 1234);

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
TEST_F(Conexion, AnUnusableModelOrASilentRelayIsReportedAndClosesThePort) {
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
