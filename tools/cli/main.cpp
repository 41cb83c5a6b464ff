// tarvo32-cli: the command-line companion of Tarvo32 (see the README).
#include "tools/cli/cli.h"

#include <QGuiApplication>

#include <memory>

int main(int argc, char **argv) {
    // The companion tells its errors in its own words, one line each; Qt's own
    // remarks (a missing runtime folder, a painter that could not start) would
    // only add lines after them.
    qInstallMessageHandler([](QtMsgType tipo, const QMessageLogContext &, const QString &texto) {
        if (tipo == QtCriticalMsg || tipo == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(texto));
    });
    // Only the printed sheets need fonts, hence a GUI application; never a
    // screen: the companion runs where there is none.
    std::unique_ptr<QCoreApplication> app;
    const QStringList linea(argv, argv + argc);
    if (linea.contains("display") || linea.contains("report")) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QStringList argumentos = QCoreApplication::arguments();
    argumentos.removeFirst();
    return tarvo::EjecutaCli(argumentos, QCoreApplication::applicationDirPath(), stdout, stderr);
}
