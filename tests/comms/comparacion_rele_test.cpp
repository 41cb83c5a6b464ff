// A file against the relay, sends checked by reading back or cut to what
// changed, against the relay simulator, and the journal they leave.
#include "comms/comparacion_rele.h"
#include "comms/diario.h"
#include "comms/envio.h"
#include "rele_prueba.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

using namespace tarvo;

namespace {

using Memoria = relaysim::MemoriaRele::Bloques;
using Fallo = std::function<void(relaysim::Fallos &, const EntradaGrupo &leds)>;
const QStringList Ediciones = {"UPDATE [ANDs PROT] SET Codificacion='040000000000' WHERE rowid=2",
                               "UPDATE [LEDs COMU] SET Codificacion='000000400000' WHERE rowid=2"};

Memoria Grupo(Memoria m, int cpu, int grupo) {
    std::erase_if(m, [&](const auto &b) { return b.first.cpu != cpu || b.first.grupo != grupo; });
    return m;
}

// A TRV-610 relay that took the template configuration whole, restarted from
// its memory with the faults `fallo` gives it; the working copy gets `ediciones`.
struct ReleConfigurado : prueba::ReleEnLinea {
    explicit ReleConfigurado(const Fallo &fallo = {}, const QStringList &ediciones = {}) {
        Listo("TRV-610 **");
        ins.ui.Espera(Texto(583));
        EXPECT_TRUE(EnviaTodosGrupos(*c, a.CopiaTrabajo));
        relaysim::Opciones o;
        o.estado = ins.arbol.raiz.en("estado.txt");
        rele->Memoria().Guarda(o.estado);
        if (fallo) fallo(o.fallos, *EntradaDeTabla(a, "LEDs COMU"));
        c.reset(), driver.reset(), rele.reset();
        Arranca(o);
        Abre();
        for (const QString &e : ediciones) bd::BaseDatos::Abrir(a.CopiaTrabajo)->Execute(e);
    }
};

// Verify and compare find a good relay as the file, then a local edit is the
// one difference, and the journal has a line for each. A relay that keeps a
// block wrongly fails both, naming the table: SendReceiveAndDiffGoThroughTheRelay
// (tests/tools/cli_test).
TEST(ComparacionRele, CompareAndVerifyCatchWhatTheRelayDoesNotHold) {
    ReleConfigurado r;
    r.ins.ui.Espera(r.Texto(3227));
    EXPECT_TRUE(EnviaTodosGrupos(*r.c, r.a.CopiaTrabajo, {.verifica = true}));
    for (const bool editado : {false, true}) {
        if (editado) bd::BaseDatos::Abrir(r.a.CopiaTrabajo)->Execute(Ediciones[1]);
        const auto c = ComparaConRele(*r.c, r.a.CopiaTrabajo);
        ASSERT_TRUE(c);
        EXPECT_EQ(c->diferencias.size(), editado ? 1 : 0);
        EXPECT_EQ(c->huellaA == c->huellaB, !editado);
        for (const Diferencia &d : c->diferencias) EXPECT_EQ(d.tabla, "LEDs COMU");
    }
    EXPECT_EQ(r.ins.Inesperados(), "");
    QStringList operaciones;
    for (const QByteArray &l : r.Bytes(r.a.DirectorioTrabajo + FicheroDiario).trimmed().split('\n')) {
        const QJsonObject j = QJsonDocument::fromJson(l).object();
        EXPECT_TRUE(QDateTime::fromString(j["time"].toString(), Qt::ISODateWithMs).isValid()) << l.toStdString();
        operaciones << j["operation"].toString() + ":" + j["result"].toString();
    }
    EXPECT_EQ(operaciones, QStringList({"send:ok", "verify:ok", "send:ok", "compare:equal", "compare:different"}));
}

// Only the edited tables go out, the relay ends as a whole send leaves it,
// and then nothing is left to write. A refused or unanswered write or
// confirmation of the second edited table leaves each table old or new.
TEST(EnvioCambios, OnlyTheEditedTablesGoOutAndEachTableEndsOldOrNew) {
    ReleConfigurado r({}, Ediciones);
    const Memoria viejo = r.rele->Memoria().Confirmados();
    r.ins.ui.Espera(r.Texto(583));
    r.ins.ui.Espera(r.Texto(3221));
    ASSERT_TRUE(EnviaTodosGrupos(*r.c, r.a.CopiaTrabajo, {.cambios = true}));
    const QStringList limpio = r.rele->Registro();
    ASSERT_TRUE(EnviaTodosGrupos(*r.c, r.a.CopiaTrabajo, {.cambios = true}));
    EXPECT_EQ(r.rele->Registro().mid(limpio.size()).filter("orden=escribir"), QStringList());
    const Memoria cambiado = r.rele->Memoria().Confirmados();
    r.ins.ui.Espera(r.Texto(583));   // a whole send leaves the same
    ASSERT_TRUE(EnviaTodosGrupos(*r.c, r.a.CopiaTrabajo));
    EXPECT_EQ(r.ins.Inesperados(), "");
    const Memoria nuevo = r.rele->Memoria().Confirmados();
    EXPECT_EQ(cambiado, nuevo);
    QStringList escritos;   // "cpu:group" of each table block written
    for (const QString &l : limpio.filter(QRegularExpression("orden=escribir .* grupo=(?!1 )")))
        escritos << l.section("cpu=", 1).left(1) + ":" + l.section(" grupo=", 1).section(' ', 0, 0);
    QStringList esperados;
    for (const EntradaGrupo *e : {EntradaDeTabla(r.a, "ANDs PROT"), EntradaDeTabla(r.a, "LEDs COMU")})
        for (int b = 0; b < BloquesDeEntrada(*e); ++b) esperados << QString("%1:%2").arg(e->CPU).arg(e->Grupo);
    EXPECT_EQ(escritos, esperados);
    // The state marks go to the edited processors only, cleared then set.
    QStringList marcas;
    for (const QString &l : limpio.filter(QRegularExpression("orden=escribir .* grupo=1 ")))
        marcas << l.section("cpu=", 1).left(1);
    EXPECT_EQ(marcas, QStringList({"2", "0", "0", "2"}));
    const int escritura = int(limpio.indexOf(QRegularExpression(".*cpu=2 orden=escribir .* grupo=(?!1 ).*"))) + 1;
    const int confirmacion = int(limpio.indexOf(QRegularExpression(".*cpu=2 orden=confirmar .* grupo=(?!1 ).*"))) + 1;
    const std::pair<const char *, Fallo> casos[] = {   // on the LEDs' first write or confirmation
        {"write refused", [](auto &f, const auto &e) { f.fallos = {{quint8(e.CPU), quint8(e.Grupo), 1, 7}}; }},
        {"write unanswered", [&](auto &f, const auto &) { f.sinRespuesta = {escritura, escritura + 1, escritura + 2,
                                                                              escritura + 3}; }},
        {"confirmation unanswered", [&](auto &f, const auto &) { f.silencioTras = confirmacion - 1; }},
    };
    for (const auto &[caso, fallo] : casos) {
        SCOPED_TRACE(caso);
        ReleConfigurado r(fallo, Ediciones);   // every Retry/Cancel prompt is answered Cancel
        EXPECT_FALSE(EnviaTodosGrupos(*r.c, r.a.CopiaTrabajo, {.cambios = true}));
        for (const auto &[b, datos] : viejo) {   // the state marks aside
            const Memoria g = Grupo(r.rele->Memoria().Confirmados(), b.cpu, b.grupo);
            EXPECT_TRUE(b.grupo == 1 || g == Grupo(viejo, b.cpu, b.grupo) || g == Grupo(nuevo, b.cpu, b.grupo));
        }
    }
}

}  // namespace
