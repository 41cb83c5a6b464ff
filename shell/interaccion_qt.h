// Interaccion for the real program: Qt message boxes and choosers, status
// panel 1 of the main window, the busy pointer.
#pragma once

#include "core/diccionario.h"
#include "core/interaccion.h"

#include <QPointer>

#include <QLabel>

namespace tarvo {

class InteraccionQt : public Interaccion {
public:
    void setPanelEstado(QLabel *panel) { panel_ = panel; }
    void setDiccionario(const clsDiccionario *dic) { dic_ = dic; }

    Boton Muestra(const Mensaje &m) override;
    std::optional<QString> EligeFichero(const ConsultaFichero &c) override;
    std::optional<QString> EligeCarpeta(const QString &titulo, const QString &inicial) override;
    std::optional<QString> EligeModelo(const QStringList &lineas, bool aceptar) override;
    void PonEstado(const QString &texto) override;
    QString Estado() const override;
    void CursorOcupado(bool ocupado) override;
    void ProcesaEventos() override;
    void Pita() override;

private:
    QPointer<QLabel> panel_;
    const clsDiccionario *dic_ = nullptr;
    int ocupado_ = 0;
};

// The toolkit's own dialogs (file chooser, folder browser, their buttons) in
// the program's language: the toolkit's Spanish translation for language 0,
// its own English otherwise.
void TraduceDialogosToolkit(quint8 idioma);

}  // namespace tarvo
