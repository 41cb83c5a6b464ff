// tarvo32-relaysim: a relay on a pseudo-terminal, for trying the program and
// its transfers without hardware. See the README's "Relay simulator".
#include "opciones.h"
#include "servidor.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>

namespace {

relaysim::ServidorPty *activo = nullptr;

void Para(int) {
    if (activo) activo->Detiene();
}

}  // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    relaysim::Opciones o;
    QString error;
    if (!relaysim::LeeOpciones(app.arguments(), o, error)) {
        std::fprintf(stderr, "tarvo32-relaysim: %s\n", qPrintable(error));
        return 2;
    }
    if (!o.ayuda.isEmpty()) {
        std::fputs(qPrintable(o.ayuda), stdout);
        return 0;
    }
    relaysim::ServidorPty servidor(o);
    if (!servidor.Prepara(error)) {
        std::fprintf(stderr, "tarvo32-relaysim: %s\n", qPrintable(error));
        return 1;
    }
    activo = &servidor;
    struct sigaction sa {};
    sa.sa_handler = Para;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);

    // One line for whoever started us: the device, and the link when there is one.
    std::printf("relay %d ready on %s%s%s\n", o.rele, qPrintable(servidor.RutaEsclavo()),
                servidor.Enlace().isEmpty() ? "" : " as ", qPrintable(servidor.Enlace()));
    std::fflush(stdout);
    servidor.Sirve();
    activo = nullptr;
    return 0;
}
