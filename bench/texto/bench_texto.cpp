// Export, import and check of the full model as text, filled as a
// commissioned bay with the display at its object limit. Targets: export
// 50 ms, import 300 ms (New included), check 50 ms.
#include "configuracion_bench.h"
#include "instalacion_bench.h"
#include "texto/texto.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>
#include <functional>

using namespace tarvo;

namespace {

double MedianaMs(int veces, const std::function<bool()> &medido) {
    std::vector<double> t;
    for (int i = 0; i < veces; ++i) {
        QElapsedTimer r;
        r.start();
        if (!medido()) return -1;
        t.push_back(double(r.nsecsElapsed()) / 1e6);
    }
    return bench::Mediana(t);
}

}  // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    bench::Instalacion ins;
    if (!ins.Nueva("TRV-610 **")) return 1;
    const QString fichero = ins.raiz.filePath("bahia.cnf"), importada = ins.raiz.filePath("importada.cnf");
    QFile::copy(ins.ctx.app.CopiaTrabajo, fichero);
    {
        auto db = bd::BaseDatos::Abrir(fichero);
        bench::LlenaGrafico(*db);
    }
    QByteArray texto;
    const double exporta = MedianaMs(20, [&] {
        texto = ExportaTexto(ins.ctx, fichero).value_or(QByteArray());
        return !texto.isEmpty();
    });
    const double importa = MedianaMs(10, [&] {
        QFile::remove(importada);
        return ImportaTexto(ins.ctx, texto, importada).isEmpty();
    });
    const double comprueba = MedianaMs(20, [&] { return CompruebaFichero(ins.ctx, fichero).has_value(); });
    std::printf("text of the full model: %lld bytes, %lld lines\n", qint64(texto.size()), qint64(texto.count('\n')));
    std::printf("%-8s %8.2f ms   target %4d ms\n", "export", exporta, 50);
    std::printf("%-8s %8.2f ms   target %4d ms\n", "import", importa, 300);
    std::printf("%-8s %8.2f ms   target %4d ms\n", "check", comprueba, 50);
    return exporta < 0 || importa < 0 || comprueba < 0 ? 1 : 0;
}
