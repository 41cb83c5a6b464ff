// The communications' windows, shown through MonitorComunicaciones.
#pragma once

#include "comms/monitor.h"
#include "core/diccionario.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace tarvo {

// A bar drawn as the relay program always drew it: the percentage in the
// middle and that share of the width filled.
class BarraPorcentaje : public QWidget {
    Q_OBJECT
public:
    explicit BarraPorcentaje(QWidget *parent = nullptr);
    void Pon(int porcentaje);   // 0..100; other values are ignored
    int Valor() const { return valor_; }
    QSize sizeHint() const override { return {320, 24}; }

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    int valor_ = 0;
};

class BarraProgreso : public QDialog {
    Q_OBJECT
public:
    BarraProgreso(const clsDiccionario &dic, QWidget *parent = nullptr);
    void PerCntTot(int p);
    void PerCntCur(int p);
    void PonTabla(const QString &tabla);   // empty: none yet
    BarraPorcentaje *Total() const { return total_; }
    BarraPorcentaje *Actual() const { return actual_; }

private:
    const clsDiccionario &dic_;
    BarraPorcentaje *total_, *actual_;
    QLabel *tabla_;
};

class DebugCom : public QDialog {
    Q_OBJECT
public:
    DebugCom(const clsDiccionario &dic, QWidget *parent = nullptr);
    QPlainTextEdit *Caja(MonitorComunicaciones::Traza c) const { return c == MonitorComunicaciones::Traza::Envio ? envio_ : recepcion_; }

private:
    QPlainTextEdit *envio_, *recepcion_;
};

class CommError : public QDialog {
    Q_OBJECT
public:
    CommError(const QString &mensaje, const clsDiccionario &dic, QWidget *parent = nullptr);
};

// OK closes it only when `acepta` takes the texts; otherwise it stays open
// with them, the number's selected for typing over.
class IdentRele : public QDialog {
    Q_OBJECT
public:
    IdentRele(qint16 numero, qint32 clave, const clsDiccionario &dic,
              MonitorComunicaciones::Aceptacion acepta = {}, QWidget *parent = nullptr);
    MonitorComunicaciones::Identificacion Textos() const;

private:
    void Acepta();
    MonitorComunicaciones::Aceptacion acepta_;
    QLineEdit *numero_, *clave_;
};

class MonitorQt : public MonitorComunicaciones {
public:
    MonitorQt(const clsDiccionario &dic, QWidget *principal) : dic_(dic), principal_(principal) {}
    ~MonitorQt() override;

    void AbreProgreso(const QString &titulo) override;
    void PerCntTot(int porcentaje) override;
    void PerCntCur(int porcentaje) override;
    void PonTabla(const QString &tabla) override;
    void CierraProgreso() override;
    void MuestraTraza() override;
    void PonTraza(Traza caja, const QString &texto) override;
    void AnadeTraza(Traza caja, const QString &texto) override;
    void ErrorComunicacion(const QString &mensaje) override;
    void MuestraConexion(bool visible) override;
    std::optional<Identificacion> PideIdentificacion(qint16 numeroActual, qint32 claveActual,
                                                     const Aceptacion &acepta) override;

    BarraProgreso *Progreso() const { return progreso_; }
    DebugCom *VentanaTraza() const { return traza_; }

private:
    void SobrePrincipal(QWidget *ventana) const;
    const clsDiccionario &dic_;
    QPointer<QWidget> principal_;
    QPointer<BarraProgreso> progreso_;
    QPointer<DebugCom> traza_;
    QPointer<QDialog> conexion_;
};

}  // namespace tarvo
