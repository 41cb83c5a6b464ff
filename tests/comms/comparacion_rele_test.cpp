// A file against the relay, a send checked by reading it back and a send of
// only what changed, against the relay simulator, and the journal they leave.
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

// The working copy edited one setting of the LEDs, and of an AND gate too.
const char *EdicionLED = "UPDATE [LEDs COMU] SET Codificacion='000000400000' WHERE rowid=2";
const char *EdicionAND = "UPDATE [ANDs PROT] SET Codificacion='040000000000' WHERE rowid=2";

// The table groups ("cpu:group") the relay saw written, state marks aside.
QStringList GruposEscritos(const QStringList &registro) {
    static const QRegularExpression re("cpu=(\\d) orden=escribir area=4 subgrupo=0 grupo=(\\d+) ");
    QStringList g;
    for (const QString &l : registro)
        if (const auto m = re.match(l); m.hasMatch() && m.captured(2) != "1") g << m.captured(1) + ":" + m.captured(2);
    return g;
}

using Fallo = std::function<void(relaysim::Fallos &, const EntradaGrupo &leds)>;

// A TRV-610 relay holding the template configuration, sent whole by a first
// relay whose memory its state file keeps, with the faults `fallo` gives it;
// `ediciones` then go into the working copy.
struct ReleConfigurado : prueba::ReleEnLinea {
    ReleConfigurado(const QString &estado, const Fallo &fallo, const QStringList &ediciones) {
        Nuevo("TRV-610 **");
        relaysim::Opciones o;
        o.estado = ins.arbol.raiz.en("estado.txt");   // the relay rewrites its own
        if (fallo) fallo(o.fallos, Entrada("LEDs COMU"));
        if (!QFileInfo::exists(estado)) {
            Arranca();
            Abre();
            ins.ui.Espera(Texto(583));
            EXPECT_TRUE(EnviaTodosGrupos(*c, a.CopiaTrabajo));
            rele->Memoria().Guarda(estado);
            c.reset(), driver.reset(), rele.reset();
        }
        EXPECT_TRUE(QFile::copy(estado, o.estado));
        Arranca(o);
        Abre();
        for (const QString &e : ediciones) bd::BaseDatos::Abrir(a.CopiaTrabajo)->Execute(e);
    }
    const EntradaGrupo &Entrada(const char *tabla) const { return *EntradaDeTabla(a, tabla); }
    QString Grupo(const char *tabla) const { return QString("%1:%2").arg(Entrada(tabla).CPU).arg(Entrada(tabla).Grupo); }
    // The committed blocks of the table groups, state marks aside.
    Memoria Tablas() const {
        Memoria m = rele->Memoria().Confirmados();
        std::erase_if(m, [](const auto &b) { return b.first.grupo == 1; });
        return m;
    }
};

struct ComparacionRele : ::testing::Test {
    prueba::CarpetaTemporal dir;
    QString Estado() const { return dir.en("estado.txt"); }
};

// Compare and verify tell a good relay from one that keeps a byte wrongly;
// a local edit is the one difference; the journal has a line for each.
TEST_F(ComparacionRele, CompareAndVerifyCatchWhatTheRelayDoesNotHold) {
    const struct {
        const char *caso;
        bool corrupto, editado;
        int diferencias;   // -1: some, all of the LEDs
    } casos[] = {{"good relay", false, false, 0}, {"local edit", false, true, 1}, {"corrupt relay", true, false, -1}};
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.caso);
        // Only this relay stores the LEDs' first block wrongly.
        const Fallo corrupto = [](auto &f, const auto &e) { f.corruptos = {{quint8(e.CPU), quint8(e.Grupo), 1}}; };
        ReleConfigurado r(Estado(), caso.corrupto ? corrupto : Fallo(), {});
        r.ins.ui.Espera(caso.corrupto ? r.ins.ctx.dic.Texto(3225, "LEDs COMU", 1) : r.Texto(3227));
        EXPECT_EQ(EnviaTodosGrupos(*r.c, r.a.CopiaTrabajo, {.verifica = true}), !caso.corrupto);
        if (caso.editado) bd::BaseDatos::Abrir(r.a.CopiaTrabajo)->Execute(EdicionLED);
        const auto c = ComparaConRele(*r.c, r.a.CopiaTrabajo);
        ASSERT_TRUE(c) << r.ins.Inesperados().toStdString();
        EXPECT_EQ(r.ins.Inesperados(), "");
        EXPECT_TRUE(caso.diferencias < 0 ? !c->Iguales() : c->diferencias.size() == caso.diferencias);
        EXPECT_EQ(c->huellaA == c->huellaB, caso.diferencias == 0);
        for (const Diferencia &d : c->diferencias) EXPECT_EQ(d.tabla, "LEDs COMU");

        QStringList operaciones;
        for (const QByteArray &l : r.Bytes(r.a.DirectorioTrabajo + FicheroDiario).split('\n')) {
            if (l.isEmpty()) continue;
            const QJsonObject j = QJsonDocument::fromJson(l).object();
            EXPECT_TRUE(QDateTime::fromString(j["time"].toString(), Qt::ISODateWithMs).isValid()) << l.toStdString();
            operaciones << j["operation"].toString() + ":" + j["result"].toString();
        }
        // The verify ends the send it belongs to.
        EXPECT_EQ(operaciones.mid(operaciones.size() - 3),
                  QStringList({QString("verify:") + (caso.corrupto ? "failed" : "ok"),
                                            QString("send:") + (caso.corrupto ? "failed" : "ok"),
                                            QString("compare:") + (caso.diferencias ? "different" : "equal")}));
    }
}

// Only the edited table goes out, and the relay ends as a whole send leaves
// it; with nothing changed, nothing is written. A refused or unanswered
// write or confirmation of the second edited table leaves each table old or new.
TEST_F(ComparacionRele, SendingChangesWritesOnlyThemAndLeavesEachTableOldOrNew) {
    Memoria viejo, nuevo;
    QStringList limpio;   // the request log of a send of changes with no fault
    {
        ReleConfigurado r(Estado(), {}, {EdicionLED, EdicionAND});
        viejo = r.Tablas();
        r.ins.ui.Espera(r.Texto(583));
        ASSERT_TRUE(EnviaTodosGrupos(*r.c, r.a.CopiaTrabajo));
        nuevo = r.Tablas();
    }
    {
        ReleConfigurado r(Estado(), {}, {EdicionLED, EdicionAND});
        const Memoria antes = r.rele->Memoria().Confirmados();
        r.ins.ui.Espera(r.Texto(583));
        ASSERT_TRUE(EnviaTodosGrupos(*r.c, r.a.CopiaTrabajo, {.cambios = true}));
        limpio = r.rele->Registro();
        QStringList grupos = GruposEscritos(limpio);
        grupos.removeDuplicates();
        EXPECT_EQ(grupos, QStringList({r.Grupo("ANDs PROT"), r.Grupo("LEDs COMU")}));
        EXPECT_EQ(GruposEscritos(limpio).size(), BloquesDeEntrada(r.Entrada("ANDs PROT")) + BloquesDeEntrada(r.Entrada("LEDs COMU")));
        EXPECT_EQ(r.Tablas(), nuevo);
        r.ins.ui.Espera(r.Texto(3221));
        const int peticiones = int(r.rele->Registro().size());
        ASSERT_TRUE(EnviaTodosGrupos(*r.c, r.a.CopiaTrabajo, {.cambios = true}));
        EXPECT_TRUE(r.rele->Registro().mid(peticiones).filter("orden=escribir").isEmpty());
        EXPECT_EQ(r.ins.Inesperados(), "");
    }
    // The request numbers of the LEDs' first write and its confirmation.
    const int escritura = int(limpio.indexOf(QRegularExpression(".*cpu=2 orden=escribir area=4 subgrupo=0 grupo=(?!1 ).*"))) + 1;
    const int confirmacion = int(limpio.indexOf(QRegularExpression(".*cpu=2 orden=confirmar area=4 subgrupo=0 grupo=(?!1 ).*"))) + 1;
    ASSERT_GT(escritura, 0);
    const struct {
        const char *caso;
        Fallo fallo;
    } casos[] = {
        {"write refused", [](auto &f, const auto &e) { f.fallos = {{quint8(e.CPU), quint8(e.Grupo), 1, 7}}; }},
        {"confirmation refused", [](auto &f, const auto &e) { f.fallos = {{quint8(e.CPU), quint8(e.Grupo), 0, 7}}; }},
        {"write unanswered", [&](auto &f, const auto &) { f.sinRespuesta = {escritura, escritura + 1, escritura + 2, escritura + 3}; }},
        {"confirmation unanswered", [&](auto &f, const auto &) { f.silencioTras = confirmacion - 1; }},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.caso);
        // Every Retry/Cancel prompt is answered Cancel.
        ReleConfigurado r(Estado(), caso.fallo, {EdicionLED, EdicionAND});
        EXPECT_FALSE(EnviaTodosGrupos(*r.c, r.a.CopiaTrabajo, {.cambios = true}));
        const Memoria queda = r.Tablas();
        std::set<std::pair<int, int>> grupos;
        for (const auto &[clave, datos] : viejo) grupos.insert({clave.cpu, clave.grupo});
        for (const auto &[cpu, grupo] : grupos) {
            const auto suyo = [&, cpu = cpu, grupo = grupo](const Memoria &m) {
                Memoria g = m;
                std::erase_if(g, [&](const auto &b) { return b.first.cpu != cpu || b.first.grupo != grupo; });
                return g;
            };
            EXPECT_TRUE(suyo(queda) == suyo(viejo) || suyo(queda) == suyo(nuevo)) << cpu << ":" << grupo;
        }
        EXPECT_NE(queda, nuevo);
    }
}

}  // namespace
