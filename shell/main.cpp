#include "core/temporales.h"
#include "shell/interaccion_qt.h"
#include "shell/madre.h"

#include <QApplication>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tarvo32");
    const QString programa = QCoreApplication::applicationDirPath();
    tarvo::InteraccionQt ui;
    tarvo::Contexto ctx(ui);
    tarvo::InstanciaUnica instancia(programa);
    tarvo::Madre madre(ctx);
    ui.setPanelEstado(madre.Panel(1));
    ui.setDiccionario(&ctx.dic);
    if (!madre.Carga(instancia, programa, tarvo::DirectorioTemporalPropio(programa))) return 0;
    madre.show();
    return app.exec();
}
