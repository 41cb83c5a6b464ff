// The general information view: file, model, model database and fingerprint
// of the open configuration, and the three texts of its "Varios" record.
#pragma once

#include "core/ventana_madre.h"

#include <QWidget>

#include <functional>

class QFrame;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tarvo {

class Informacion : public QWidget {
    Q_OBJECT
public:
    // `huella` gives the fingerprint of the working copy (the packing that
    // computes it lives above this layer); none: the row is not shown.
    Informacion(Contexto &ctx, VentanaMadre &madre, std::function<QString()> huella = {}, QWidget *parent = nullptr);

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
    std::function<QString()> huella_;
    QLineEdit *subestacion_, *linea_, *txtHuella_;
    QPlainTextEdit *comentarios_;
    QPushButton *aplicar_;
};

}  // namespace tarvo
