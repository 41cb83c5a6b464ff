// The display graphic editor on a full diagram (64 objects): opening it, one
// placement and one deletion, and one repaint of a page; medians of repeated
// runs. Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include "core/pagina437.h"
#include "editors/fabrica.h"
#include "graphic/editor_grafico.h"
#include "graphic/ui/com_grafico.h"
#include "configuracion_bench.h"
#include "ventanas_bench.h"
#include "store/db/basedatos.h"
#include "store/ficheros.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>

#include <algorithm>
#include <cstdio>
#include <tuple>
#include <vector>

using namespace tarvo;

int main(int argc, char **argv) {
    bench::Ventanas b(argc, argv);
    if (!b.lista) return 1;
    auto [app, veces, ins] = std::tie(b.app, b.veces, b.ins);
    bench::LlenaGrafico(*bd::BaseDatos::Abrir(ins.ctx.app.CopiaTrabajo, bd::Apertura::Temporal));

    std::vector<double> aperturas, colocar, borrar, repintar;
    for (int i = 0; i < veces; ++i) {
        QElapsedTimer t;
        t.start();
        std::unique_ptr<VistaEditor> vista(CreaVistaEditor(ins.ctx, ins.v, "mnuAjusteComunicacion", 2));
        auto *g = dynamic_cast<com_Grafico *>(vista.get());
        g->resize(1200, 760);
        g->show();
        if (!g->Carga()) return 1;
        app.processEvents();
        aperturas.push_back(t.nsecsElapsed() / 1e6);
        if (g->Logica().Objetos().size() != MaximoObjetos) return 1;

        // At the limit: delete one object, then place one of the same kind.
        const Celda celda{0, 12, 12};
        t.restart();
        g->Logica().Borra(celda);
        borrar.push_back(t.nsecsElapsed() / 1e6);
        t.restart();
        g->Logica().Pulsa(celda, 34);
        colocar.push_back(t.nsecsElapsed() / 1e6);
        if (g->Logica().Objetos().size() != MaximoObjetos) return 1;

        QImage lienzo(g->Rejilla()->size(), QImage::Format_ARGB32_Premultiplied);
        t.restart();
        g->Rejilla()->render(&lienzo);
        repintar.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("targets: open 100 ms, place or delete 10 ms, repaint one page 16 ms\n");
    std::printf("open %.2f ms, place %.3f ms, delete %.3f ms, repaint %.2f ms (%d objects, median of %d)\n",
                bench::Mediana(aperturas), bench::Mediana(colocar), bench::Mediana(borrar), bench::Mediana(repintar), MaximoObjetos, veces);
    return 0;
}
