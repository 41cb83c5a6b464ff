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

    void Aplica();

protected:
    bool eventFilter(QObject *o, QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    Contexto &ctx_;
    VentanaMadre &madre_;
    QFrame *frm_;
    QLineEdit *subestacion_, *linea_;
    QPlainTextEdit *comentarios_;
    QPushButton *aplicar_;
};

}  // namespace tarvo
