// The options dialog: language, serial port and folders.
#pragma once

#include "shell/arranque.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace tarvo {

class Opciones : public QDialog {
    Q_OBJECT
public:
    Opciones(Contexto &ctx, VentanaPrincipal &madre, QWidget *parent = nullptr);
    // Opened from the status bar: only the communication page can be used.
    void SoloComunicaciones();

    void Aplica();
    void Acepta();

private:
    void LlenaParidad();
    void EligeCarpeta(QLineEdit *caja, int texto);
    void Cambia();

    Contexto &ctx_;
    VentanaPrincipal &madre_;
    QTabWidget *tab_;
    QList<QRadioButton *> idiomas_;
    QComboBox *puertos_, *velocidad_, *longitud_, *paridad_, *bitsStop_;
    QLineEdit *trabajo_, *modelos_;
    QPushButton *aplicar_;
};

}  // namespace tarvo
