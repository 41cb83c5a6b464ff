// Interaccion for the real program: Qt message boxes and choosers, status
// panel 1 of the main window, the busy pointer.
#pragma once

#include "shell/core/interaccion.h"

#include <QPointer>

#include <QLabel>

namespace tarvo {

class InteraccionQt : public Interaccion {
public:
    void setPanelEstado(QLabel *panel) { panel_ = panel; }

    Boton Muestra(const Mensaje &m) override;
    std::optional<QString> EligeFichero(const ConsultaFichero &c) override;
    std::optional<QString> EligeCarpeta(const QString &titulo, const QString &inicial) override;
    void PonEstado(const QString &texto) override;
    QString Estado() const override;
    void CursorOcupado(bool ocupado) override;
    void ProcesaEventos() override;

private:
    QPointer<QLabel> panel_;
    int ocupado_ = 0;
};

}  // namespace tarvo
