// The configuration report of a filled-in TRV-610: writing the tagged report
// file; medians of repeated runs.
#include "configuracion_bench.h"
#include "instalacion_bench.h"
#include "report/informe.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <vector>

using namespace tarvo;

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int veces = argc > 1 ? std::max(3, atoi(argv[1])) : 10;
    bench::Instalacion ins;
    if (!ins.Nueva("TRV-610 **")) return 1;
    auto trabajo = bd::BaseDatos::Abrir(ins.ctx.app.CopiaTrabajo, bd::Apertura::Temporal);
    bench::LlenaAjustes(*trabajo);
    bench::LlenaGrafico(*trabajo);

    std::vector<double> etiquetado;
    for (int i = 0; i < veces; ++i) {
        QElapsedTimer t;
        t.start();
        if (!CargaReport(ins.ctx, *trabajo, ins.ctx.app.FicheroInforme)) return 1;
        etiquetado.push_back(t.nsecsElapsed() / 1e6);
    }
    QFile f(ins.ctx.app.FicheroInforme);
    f.open(QIODevice::ReadOnly);
    const auto paginas = LeeInforme(QString::fromUtf8(f.readAll()));
    std::printf("targets: tagged report 100 ms\n");
    std::printf("tagged report %.2f ms (%lld pages, median of %d)\n", bench::Mediana(etiquetado),
                qlonglong(paginas.size()), veces);
    return 0;
}
