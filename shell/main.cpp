#include "shell/interaccion_qt.h"
#include "shell/madre.h"

#include <QApplication>
#include <QDir>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tarvo32");
    tarvo::InteraccionQt ui;
    tarvo::Contexto ctx(ui);
    tarvo::InstanciaUnica instancia(QCoreApplication::applicationDirPath());
    tarvo::Madre madre(ctx);
    ui.setPanelEstado(madre.Panel(1));
    ui.setDiccionario(&ctx.dic);
    if (!madre.Carga(instancia, QCoreApplication::applicationDirPath(), QDir::tempPath())) return 0;
    madre.show();
    return app.exec();
}
