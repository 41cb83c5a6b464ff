// The about box.
#pragma once

#include "core/aplicacion.h"

#include <QDialog>

namespace tarvo {

class Acerca_De : public QDialog {
    Q_OBJECT
public:
    Acerca_De(Contexto &ctx, QWidget *parent = nullptr);

private:
    void InformacionSistema();
    Contexto &ctx_;
};

}  // namespace tarvo
