// The configuration report of a filled-in TRV-610 and its display sheet:
// the tagged report file, the whole report as a PDF, one preview page drawn
// in the report view (every page, the display's included), and the display
// sheet as a PDF; medians of repeated runs. Runs offscreen unless
// QT_QPA_PLATFORM says otherwise.
#include "configuracion_bench.h"
#include "core/ventana_nula.h"
#include "graphic/ui/imprime_grafico.h"
#include "ventanas_bench.h"
#include "report/informe.h"
#include "report/ui/informe_ventana.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <tuple>
#include <vector>

using namespace tarvo;

namespace {

template <typename F>
double Mide(F &&f) {
    QElapsedTimer t;
    t.start();
    if (!f()) std::exit(1);
    return t.nsecsElapsed() / 1e6;
}

}  // namespace

int main(int argc, char **argv) {
    bench::Ventanas b(argc, argv);
    if (!b.lista) return 1;
    auto [app, veces, ins] = std::tie(b.app, b.veces, b.ins);
    Contexto &ctx = ins.ctx;
    {
        auto trabajo = bd::BaseDatos::Abrir(ctx.app.CopiaTrabajo, bd::Apertura::Temporal);
        bench::LlenaAjustes(*trabajo);
        bench::LlenaGrafico(*trabajo);
    }
    auto trabajo = bd::BaseDatos::Abrir(ctx.app.CopiaTrabajo, bd::Apertura::SoloLectura);
    QFile f(ctx.app.FicheroInforme);
    if (!CargaReport(ctx, *trabajo, f.fileName()) || !f.open(QIODevice::ReadOnly)) return 1;
    const QList<PaginaInforme> paginas = LeeInforme(QString::fromUtf8(f.readAll()));
    f.close();
    HojaDisplay hoja;
    CargaHojaDisplay(*trabajo, ctx.app.IdiomaRele, hoja);
    QTemporaryDir salida;
    const QString pdf = salida.filePath("informe.pdf");

    std::vector<double> etiquetado, informePdf, hojaPdf;
    for (int i = 0; i < veces; ++i) {
        etiquetado.push_back(Mide([&] { return CargaReport(ctx, *trabajo, ctx.app.FicheroInforme); }));
        informePdf.push_back(Mide([&] { return EscribePdfInforme(pdf, paginas, {"1.0.0"}, &hoja, ctx.dic); }));
        hojaPdf.push_back(Mide([&] { return EscribePdfDisplay(pdf, hoja, ctx.dic); }));
    }
    trabajo.reset();

    // The view as the menu opens it; each page drawn as the arrows show it.
    Informe vista(ctx, ins.v);
    vista.resize(1000, 760);
    vista.show();
    if (!vista.Carga()) return 1;
    std::vector<double> pagina;
    double peor = 0;
    for (int i = 0; i < veces; ++i)
        for (int p = 0; p < vista.Paginas(); ++p) {
            pagina.push_back(Mide([&] { return vista.MuestraPagina(p), true; }));
            peor = std::max(peor, pagina.back());
        }

    std::printf("targets: tagged report 100 ms, report PDF 1000 ms, preview page 50 ms, display sheet PDF 300 ms\n");
    std::printf("tagged report %.2f ms, report PDF %.1f ms (%lld pages), preview page %.2f ms (worst %.2f), "
                "display sheet PDF %.1f ms (median of %d)\n",
                bench::Mediana(etiquetado), bench::Mediana(informePdf), qlonglong(paginas.size()),
                bench::Mediana(pagina), peor, bench::Mediana(hojaPdf), veces);
    return 0;
}
