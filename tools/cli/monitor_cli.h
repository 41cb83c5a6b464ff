// The communication windows as a terminal shows them: a progress line on
// standard error and the error dialog as a line of text. The relay number
// and password come from the command line.
#pragma once

#include "comms/monitor.h"

#include <cstdio>

namespace tarvo {

class MonitorCli : public MonitorComunicaciones {
public:
    MonitorCli(std::FILE *salida, QString numero, QString clave);

    void AbreProgreso(const QString &titulo) override;
    void PerCntTot(int p) override;
    void PerCntCur(int p) override;
    void PonTabla(const QString &tabla) override;
    void CierraProgreso() override;
    void MuestraTraza() override {}
    void PonTraza(Traza, const QString &) override {}
    void AnadeTraza(Traza, const QString &) override {}
    void ErrorComunicacion(const QString &mensaje) override;
    void MuestraConexion(bool) override {}
    std::optional<Identificacion> PideIdentificacion(qint16, qint32, const Aceptacion &acepta) override;

private:
    void Dibuja();
    std::FILE *salida_;
    bool terminal_;
    QString numero_, clave_, tabla_;
    int total_ = 0, actual_ = 0;
};

}  // namespace tarvo
