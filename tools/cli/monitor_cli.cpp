#include "tools/cli/monitor_cli.h"

#include <unistd.h>

namespace tarvo {

MonitorCli::MonitorCli(std::FILE *salida, QString numero, QString clave)
    : salida_(salida), terminal_(isatty(fileno(salida))), numero_(std::move(numero)), clave_(std::move(clave)) {}

void MonitorCli::AbreProgreso(const QString &titulo) {
    total_ = actual_ = 0;
    std::fprintf(salida_, "%s\n", qPrintable(titulo));
}

void MonitorCli::PerCntTot(int p) {
    if (p < 0 || p > 100) return;
    total_ = p;
    Dibuja();
}

void MonitorCli::PonTabla(const QString &tabla) {
    tabla_ = tabla;
    Dibuja();
}

void MonitorCli::PerCntCur(int p) {
    if (p < 0 || p > 100) return;
    actual_ = p;
    Dibuja();
}

// Only a terminal gets the redrawn bar; a log gets the start and the end.
void MonitorCli::Dibuja() {
    if (!terminal_) return;
    const int lleno = total_ * 30 / 100;
    std::fprintf(salida_, "\r[%s%s] %3d%%  %-24s %3d%%", QByteArray(lleno, '#').constData(),
                 QByteArray(30 - lleno, ' ').constData(), total_, qPrintable(tabla_.left(24)), actual_);
    std::fflush(salida_);
}

void MonitorCli::CierraProgreso() {
    if (terminal_) std::fprintf(salida_, "\n");
}

void MonitorCli::ErrorComunicacion(const QString &mensaje) {
    std::fprintf(salida_, "%s%s\n", terminal_ ? "\n" : "", qPrintable(mensaje.trimmed()));
}

std::optional<MonitorComunicaciones::Identificacion> MonitorCli::PideIdentificacion(qint16, qint32,
                                                                                    const Aceptacion &acepta) {
    // The command line's values, or nothing: there is nobody to ask again.
    const Identificacion dada{numero_, clave_};
    if (!acepta(dada)) return std::nullopt;
    return dada;
}

}  // namespace tarvo
