// The splash page shown while no configuration is open.
#pragma once

#include "core/diccionario.h"

#include <QWidget>

class QFrame;
class QLabel;

namespace tarvo {

class Portada : public QWidget {
    Q_OBJECT
public:
    explicit Portada(const clsDiccionario &dic, QWidget *parent = nullptr);
    void PonTextos();
    QFrame *Cuadro() const { return frm_; }

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    const clsDiccionario &dic_;
    QFrame *frm_;
};

}  // namespace tarvo
