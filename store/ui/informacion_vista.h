// The general information view: file, model and model database of the open
// configuration, and the three texts of its "Varios" record.
#pragma once

#include "core/ventana_madre.h"

#include <QWidget>

class QFrame;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tarvo {

class Informacion : public QWidget {
    Q_OBJECT
public:
    Informacion(Contexto &ctx, VentanaMadre &madre, QWidget *parent = nullptr);

    // Reads the three texts from the working copy, which nobody else may hold
    // then. False after a reported failure: the texts stay closed to edits and
    // Apply writes nothing.
    bool Carga();
    void Aplica();

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    void MarcaCambio();

    Contexto &ctx_;
    VentanaMadre &madre_;
    QFrame *frm_;
    QWidget *instalacion_;
    bool leida_ = false;
    QLineEdit *subestacion_, *linea_;
    QPlainTextEdit *comentarios_;
    QPushButton *aplicar_;
};

}  // namespace tarvo
