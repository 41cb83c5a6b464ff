// tarvo32-cli: the command-line companion of Tarvo32 (see the README).
#include "tools/cli/cli.h"

#include <QCoreApplication>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QStringList argumentos = app.arguments();
    argumentos.removeFirst();
    return tarvo::EjecutaCli(argumentos, QCoreApplication::applicationDirPath(), stdout, stderr);
}
