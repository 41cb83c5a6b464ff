// Opening each editor on the full model and moving through all its records:
// the time of one open and of one move, median over repeated runs.
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include "editors/fabrica.h"
#include "editors/editor_tabla.h"
#include "ventanas_bench.h"
#include "core/ventana_madre.h"
#include "core/ventana_nula.h"
#include "core/interaccion_guionizada.h"
#include "core/rutas.h"
#include "store/ficheros.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <tuple>
#include <vector>

using namespace tarvo;

int main(int argc, char **argv) {
    bench::Ventanas b(argc, argv);
    if (!b.lista) return 1;
    auto [app, veces, ins] = std::tie(b.app, b.veces, b.ins);
    Contexto &ctx = ins.ctx;
    VentanaNula &v = ins.v;

    std::printf("targets: open under 50 ms, move under 5 ms\n");
    std::printf("%-28s %10s %10s %8s\n", "editor", "open ms", "move ms", "records");
    for (const char *menu : {"mnuAjusteControl", "mnuAjusteProteccion", "mnuAjusteComunicacion"}) {
        for (int indice = 0; indice < 16; ++indice) {
            std::vector<double> aperturas, movimientos;
            QString nombre;
            int registros = 0;
            for (int i = 0; i < veces; ++i) {
                QElapsedTimer t;
                t.start();
                std::unique_ptr<EditorTabla> e(CreaEditor(ctx, v, menu, indice));
                if (!e) break;
                e->resize(1024, 700);
                e->show();
                if (!e->Carga()) return 1;
                app.processEvents();
                aperturas.push_back(t.nsecsElapsed() / 1e6);
                nombre = e->objectName();
                registros = e->Total();
                for (int r = 1; r < e->Total(); ++r) {
                    t.restart();
                    e->AjusteSiguiente();
                    movimientos.push_back(t.nsecsElapsed() / 1e6);
                }
            }
            if (!aperturas.empty())
                std::printf("%-28s %10.2f %10.3f %8d\n", qPrintable(nombre), bench::Mediana(aperturas), bench::Mediana(movimientos),
                            registros);
        }
    }
    return 0;
}
