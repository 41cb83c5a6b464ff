// The windows the communications show while they work: the progress window,
// the byte trace of debug mode, the communication error dialog, the waiting
// window of a connection and the relay identification dialog. The logic
// reports through this interface and never opens a window itself; comms/ui
// implements it with widgets, tests and the command-line companion with
// MonitorGuionizado.
#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>

namespace tarvo {

class MonitorComunicaciones {
public:
    virtual ~MonitorComunicaciones() = default;

    // Progress window: overall bar (by table) and current bar (by block).
    virtual void AbreProgreso(const QString &titulo) = 0;
    virtual void PerCntTot(int porcentaje) = 0;   // values outside 0..100 are ignored
    virtual void PerCntCur(int porcentaje) = 0;
    // The table now on the line, named in the progress window.
    virtual void PonTabla(const QString &tabla) = 0;
    virtual void CierraProgreso() = 0;

    // Debug trace: two text boxes, one for what is sent and one for what is received.
    enum class Traza { Envio, Recepcion };
    virtual void MuestraTraza() = 0;
    virtual void PonTraza(Traza caja, const QString &texto) = 0;
    virtual void AnadeTraza(Traza caja, const QString &texto) = 0;

    // The communication error dialog, modal; `mensaje` is already upper case.
    virtual void ErrorComunicacion(const QString &mensaje) = 0;

    // The waiting window shown while the port opens and the relay identifies itself.
    virtual void MuestraConexion(bool visible) = 0;

    // The relay identification dialog: the texts the user typed. It stays open,
    // with what was typed, until `acepta` takes them (when it does not, it has
    // told the user why) or the user cancels: nullopt.
    struct Identificacion {
        QString numero, clave;
    };
    using Aceptacion = std::function<bool(const Identificacion &)>;
    virtual std::optional<Identificacion> PideIdentificacion(qint16 numeroActual, qint32 claveActual,
                                                             const Aceptacion &acepta) = 0;
};

// A monitor that records everything and answers the identification dialog
// from a script.
class MonitorGuionizado : public MonitorComunicaciones {
public:
    void AbreProgreso(const QString &titulo) override {
        progresoAbierto = true;
        titulos << titulo;
    }
    void PerCntTot(int p) override {
        if (p >= 0 && p <= 100) total << p;
    }
    void PerCntCur(int p) override {
        if (p >= 0 && p <= 100) actual << p;
    }
    void PonTabla(const QString &t) override { tablas << t; }
    void CierraProgreso() override { progresoAbierto = false; }
    void MuestraTraza() override { trazaVisible = true; }
    void PonTraza(Traza c, const QString &t) override { (c == Traza::Envio ? envio : recepcion) = t; }
    void AnadeTraza(Traza c, const QString &t) override { (c == Traza::Envio ? envio : recepcion) += t; }
    void ErrorComunicacion(const QString &m) override { errores << m; }
    void MuestraConexion(bool v) override { conexionVisible = v; }
    // Typed one after another until one is taken; an empty queue answers as a cancel.
    std::optional<Identificacion> PideIdentificacion(qint16, qint32, const Aceptacion &acepta) override {
        while (!identificaciones.empty()) {
            const Identificacion r = identificaciones.front();
            identificaciones.pop_front();
            if (acepta(r)) return r;
        }
        return std::nullopt;
    }

    bool progresoAbierto = false, trazaVisible = false, conexionVisible = false;
    QStringList titulos, tablas, errores;
    QList<int> total, actual;
    QString envio, recepcion;
    std::deque<Identificacion> identificaciones;
};

}  // namespace tarvo
