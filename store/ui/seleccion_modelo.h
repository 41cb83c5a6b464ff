// The relay model list of New.
#pragma once

#include "core/diccionario.h"

#include <QDialog>

class QListWidget;
class QPushButton;

namespace tarvo {

class SeleccionModelo : public QDialog {
    Q_OBJECT
public:
    SeleccionModelo(const QStringList &lineas, bool aceptar, const clsDiccionario *dic, QWidget *parent = nullptr);
    QString Elegido() const { return elegido_; }

private:
    void Acepta();
    QListWidget *lista_;
    QPushButton *aceptar_;
    QString elegido_;
};

}  // namespace tarvo
