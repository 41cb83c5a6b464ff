// Transfers of the full model to the relay simulator with wire-speed
// emulation, at 19200 and 115200 baud, printed side by side: the whole send,
// the whole receive, the send of changes after one timer is edited, and the
// verify after a send. Each is set beside its floor: the time every byte
// written and read takes on the wire (10 bits a character), plus the
// driver's post-reply pauses and the one-second settling of the open, all of
// which are slept for real here. Targets: the whole send, the receive and
// the verify within 3 % of their floor; the send of changes at most 30 % of
// the whole send.
// The whole send takes many seconds and is run once; the receive is the
// median of five, the send of changes and the verify the median of three.
#include "comms/canal_serie.h"
#include "comms/codificacion/registros.h"
#include "comms/envio.h"
#include "comms/recepcion_ajustes.h"
#include "instalacion_bench.h"
#include "rele_bench.h"
#include "core/ajustes.h"
#include "core/puertos.h"
#include "store/db/basedatos.h"
#include "store/ficheros.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <vector>

using namespace tarvo;

namespace {

constexpr qint32 Velocidades[] = {19200, 115200};
constexpr double MaximoSobreSuelo = 3, MaximoCambios = 30;   // per cent

// The machine's terminal interface, counting the bytes that cross it.
class CanalContado : public Canal {
public:
    qint64 escritos = 0, leidos = 0;
    bool Abre(const QString &r) override { return real_.Abre(r); }
    bool FijaColas(int e, int s) override { return real_.FijaColas(e, s); }
    bool Purga() override { return real_.Purga(); }
    bool FijaEstado(const ParametrosPuerto &p) override { return real_.FijaEstado(p); }
    bool FijaTiempos(const TiemposPuerto &t) override { return real_.FijaTiempos(t); }
    int Lee(quint8 *d, int n, qint64 maximo) override {
        const int r = real_.Lee(d, n, maximo);
        if (r > 0) leidos += r;
        return r;
    }
    int Escribe(const quint8 *o, int n) override {
        const int r = real_.Escribe(o, n);
        if (r > 0) escritos += r;
        return r;
    }
    void Cierra() override { real_.Cierra(); }

private:
    CanalSerie real_;
};

struct RelojContado : Reloj {
    qint64 dormido = 0;
    void Dormir(int ms) override {
        dormido += ms;
        Reloj::Dormir(ms);
    }
};

struct Medida {
    double ms = 0, suelo = 0;
    bool bien = false;
    double SobreSuelo() const { return (ms / suelo - 1) * 100; }
};

// One moment of a run: the time, and what had crossed the line and been slept by then.
struct Marca {
    qint64 ns = 0, bytes = 0, dormido = 0;
    QString progreso;   // the title of the progress window opened there, if any
};

// The line of one speed: from any two of its moments, a measure and its floor.
struct Linea {
    qint32 baudios;
    const CanalContado &canal;
    const RelojContado &reloj;
    QElapsedTimer cronometro;

    Marca Ahora(const QString &progreso = {}) const {
        return {cronometro.nsecsElapsed(), canal.escritos + canal.leidos, reloj.dormido, progreso};
    }
    Medida Entre(const Marca &a, const Marca &b, bool bien) const {
        return {(b.ns - a.ns) / 1e6,
                double(DuracionEnLinea(int(b.bytes - a.bytes), baudios)) / 1000.0 + double(b.dormido - a.dormido),
                bien};
    }
};

// A monitor that marks the moment each progress window opens, which is where
// a send's read-back begins.
class MonitorMarcado : public MonitorGuionizado {
public:
    std::function<Marca(const QString &)> marca;
    std::vector<Marca> marcas;
    void AbreProgreso(const QString &titulo) override {
        MonitorGuionizado::AbreProgreso(titulo);
        marcas.push_back(marca(titulo));
    }
};

// The middle one by its time over the floor; good only when all were.
Medida Mediana(std::vector<Medida> v) {
    std::sort(v.begin(), v.end(), [](const Medida &x, const Medida &y) { return x.ms / x.suelo < y.ms / y.suelo; });
    Medida m = v[v.size() / 2];
    m.bien = std::all_of(v.begin(), v.end(), [](const Medida &x) { return x.bien; });
    return m;
}

// One timer of the working copy set to `valor`, as its editor writes it.
bool EditaTemporizador(const QString &copia, int valor) {
    return bd::BaseDatos::Abrir(copia)->Execute(
               "UPDATE [TiempoEntradas CTRL] SET TemporizadorEntradaControl = ?, Codificacion = ? "
               "WHERE rowid = (SELECT MIN(rowid) FROM [TiempoEntradas CTRL])",
               {valor, CodificacionTiempo(valor)}) == 1;
}

enum Operacion { Envio, Recepcion, Cambios, Verificacion };
constexpr const char *Nombres[] = {"send", "receive", "send changes", "verify"};

void Progreso(Operacion o, qint32 baudios, const Medida &m) {
    std::fprintf(stderr, "%-12s %6d baud %10.1f ms  floor %10.1f ms%s\n", Nombres[o], baudios, m.ms, m.suelo,
                 m.bien ? "" : "  FAILED");
}

// Every operation beside its target, one column group per speed.
void Tabla(const std::map<qint32, std::map<Operacion, Medida>> &medidas) {
    std::printf("%-12s", "");
    for (qint32 b : Velocidades) std::printf(" | %-40s", qPrintable(QString("%1 baud").arg(b)));
    std::printf(" | target\n%-12s", "operation");
    for (size_t i = 0; i < std::size(Velocidades); ++i)
        std::printf(" | %10s %10s %9s %-8s", "time ms", "floor ms", "measure", "");
    std::printf(" |\n");
    for (Operacion o : {Envio, Recepcion, Cambios, Verificacion}) {
        std::printf("%-12s", Nombres[o]);
        for (qint32 b : Velocidades) {
            const Medida &m = medidas.at(b).at(o);
            const double medida = o == Cambios ? m.ms / medidas.at(b).at(Envio).ms * 100 : m.SobreSuelo();
            const bool cumple = medida <= (o == Cambios ? MaximoCambios : MaximoSobreSuelo);
            std::printf(" | %10.1f %10.1f %8.2f%% %-8s", m.ms, m.suelo, medida,
                        !m.bien ? "FAILED" : cumple ? "met" : "MISSED");
        }
        std::printf(" | %s\n", o == Cambios ? "share of the send, at most 30 %" : "over the floor, at most 3 %");
    }
}

}  // namespace

int main(int argc, char **argv) {
    QCoreApplication qapp(argc, argv);
    bench::Instalacion ins;
    if (!ins.Prepara()) return 1;
    Contexto &ctx = ins.ctx;
    Aplicacion &a = ctx.app;
    FijaPrefijoDispositivos(ins.raiz.filePath("sin-dispositivos/ttyS"));
    ins.ui.EsperaModelo("TRV-610 **");
    NuevaConfiguracion(ctx, ins.v);
    if (!a.HayFicheroActual()) return 1;
    a.NumeroRele = 1;
    a.PasswordRele = 1234;

    std::map<qint32, std::map<Operacion, Medida>> medidas;
    int temporizador = 100;
    for (const qint32 baudios : Velocidades) {
        ParametrosPuerto p;
        p.Puerto = 1;
        p.Velocidad = baudios;
        GuardaParametrosPuerto(a, p);
        relaysim::Opciones o;
        o.programa = a.DirectorioPrograma;
        o.modelo = a.DirectorioModelos + "TRV610.MDB";
        o.velocidadReal = true;
        relaysim::ServidorPty rele(o);
        if (!bench::ArrancaRele(rele)) return 1;
        auto canal = std::make_unique<CanalContado>();
        CanalContado &contado = *canal;
        RelojContado reloj;
        clsDriverOrbel driver(a, std::move(canal), &reloj);
        driver.NumeroRele(1);
        driver.ClaveRele(1234);
        MonitorMarcado monitor;
        Comunicaciones c{ctx, ins.v, monitor, driver};
        Linea linea{baudios, contado, reloj, {}};
        linea.cronometro.start();
        monitor.marca = [&](const QString &titulo) { return linea.Ahora(titulo); };
        auto &aqui = medidas[baudios];

        // Every send, as every receive, reopens the port, so that its floor has the open too.
        auto abre = [&] {
            driver.PuertoAbierto(false);
            monitor.marcas.clear();
            const Marca inicio = linea.Ahora();
            driver.PuertoAbierto(true);
            return inicio;
        };
        Marca inicio = abre();
        const bool enviado = driver.PuertoAbierto() && EnviaTodosGrupos(c, a.CopiaTrabajo);
        aqui[Envio] = linea.Entre(inicio, linea.Ahora(), enviado);
        Progreso(Envio, baudios, aqui[Envio]);

        const QString destino = a.DirectorioTrabajo + QString("recibido%1.cnf").arg(baudios);
        // The new target is prepared as the receive copy.
        if (!CargaFicheroRecepcion(c, destino)) return 1;
        // A receive leaves the target without its per-language name columns:
        // every run starts again from the target as it was made.
        const QString nuevo = destino + ".nuevo";
        if (!bd::CopiaFichero(a.CopiaRecepcion, nuevo)) return 1;
        std::vector<Medida> recepciones, cambios, verificaciones;
        for (int i = 0; i < 5; ++i) {
            if (!bd::CopiaFichero(nuevo, destino)) return 1;
            inicio = abre();
            const bool bien = driver.PuertoAbierto() && LeeTodosGrupos(c, destino);
            recepciones.push_back(linea.Entre(inicio, linea.Ahora(), bien));
        }
        aqui[Recepcion] = Mediana(recepciones);
        Progreso(Recepcion, baudios, aqui[Recepcion]);

        // The relay holds the working copy; each round makes one timer differ
        // and sends it verified, so that one send gives both measures.
        const QString lectura = ctx.dic.Texto(590, a.NumeroRele);
        for (int i = 0; i < 3; ++i) {
            if (!EditaTemporizador(a.CopiaTrabajo, ++temporizador)) return 1;
            inicio = abre();
            const bool bien =
                driver.PuertoAbierto() && EnviaTodosGrupos(c, a.CopiaTrabajo, {.cambios = true, .verifica = true});
            const Marca fin = linea.Ahora();
            // Verify: the read-back part of a real send, not a stand-in read; its floor is a receive's without the open.
            const auto leida = std::find_if(monitor.marcas.rbegin(), monitor.marcas.rend(),
                                            [&](const Marca &m) { return m.progreso == lectura; });
            if (leida == monitor.marcas.rend()) return 1;
            cambios.push_back(linea.Entre(inicio, *leida, bien));
            verificaciones.push_back(linea.Entre(*leida, fin, bien));
        }
        aqui[Cambios] = Mediana(cambios);
        Progreso(Cambios, baudios, aqui[Cambios]);
        aqui[Verificacion] = Mediana(verificaciones);
        Progreso(Verificacion, baudios, aqui[Verificacion]);
        driver.PuertoAbierto(false);
    }
    Tabla(medidas);
    return 0;
}
