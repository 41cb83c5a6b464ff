// New, Open and Save of the full model, each beside the plain file operations
// it is built from, measured in the same run:
//   Save  against a plain copy of the working copy;
//   New   against a copy of "tarvo32.dat" plus one compaction by the sqlite3
//         command-line tool;
//   Open  against a plain copy of the configuration file.
#include "instalacion_bench.h"
#include "core/ventana_madre.h"
#include "core/ventana_nula.h"
#include "core/interaccion_guionizada.h"
#include "core/rutas.h"
#include "store/ficheros.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace tarvo;

namespace {

double MedianaMs(int veces, const std::function<void()> &preparacion, const std::function<void()> &medido) {
    std::vector<double> t;
    for (int i = 0; i < veces; ++i) {
        preparacion();
        QElapsedTimer r;
        r.start();
        medido();
        t.push_back(r.nsecsElapsed() / 1e6);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

void Informa(const char *que, double ms, const char *base, double msBase) {
    std::printf("%-6s %8.2f ms   %-40s %8.2f ms   ratio %.2f\n", que, ms, base, msBase, ms / msBase);
}

}  // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const int veces = argc > 1 ? std::max(3, atoi(argv[1])) : 15;
    bench::Instalacion ins;
    if (!ins.Prepara()) return 1;
    InteraccionGuionizada &ui = ins.ui;
    Contexto &ctx = ins.ctx;
    VentanaNula &v = ins.v;

    const QString fichero = ctx.app.DirectorioTrabajo + "bench.cnf";
    auto nuevo = [&] {
        ctx.app.ConfiguracionGuardada = true;
        ui.EsperaModelo("TRV-610 **");
        NuevaConfiguracion(ctx, v);
    };
    const double msNuevo = MedianaMs(veces, [] {}, nuevo);
    ui.EsperaFichero(fichero);
    GuardaConfiguracion(ctx, v);
    const double msGuardar = MedianaMs(veces, [] {}, [&] { GuardaConfiguracion(ctx, v); });
    const double msAbrir = MedianaMs(veces, [&] { ctx.app.ConfiguracionGuardada = true; ui.EsperaFichero(fichero); },
                                     [&] { AbreConfiguracion(ctx, v); });
    if (!ui.Inesperados().isEmpty()) {
        std::fprintf(stderr, "unexpected: %s\n", qPrintable(ui.Inesperados().join(" | ")));
        return 1;
    }

    const QString copia = ins.raiz.filePath("copia.tmp"), compacta = ins.raiz.filePath("compacta.tmp");
    auto borra = [&] {
        QFile::remove(copia);
        QFile::remove(compacta);
    };
    const double msCopiaTrabajo = MedianaMs(veces, borra, [&] { QFile::copy(ctx.app.CopiaTrabajo, copia); });
    const double msCopiaFichero = MedianaMs(veces, borra, [&] { QFile::copy(fichero, copia); });
    const double msPlantilla = MedianaMs(veces, borra, [&] {
        QFile::copy(ctx.app.FicheroIdiomas, copia);
        QProcess::execute("sqlite3", {copia, "VACUUM INTO '" + compacta + "'"});
    });

    std::printf("Full model TRV610, median of %d runs\n", veces);
    Informa("New", msNuevo, "copy of tarvo32.dat + sqlite3 compaction", msPlantilla);
    Informa("Save", msGuardar, "plain copy of the working copy", msCopiaTrabajo);
    Informa("Open", msAbrir, "plain copy of the configuration file", msCopiaFichero);
    return 0;
}
