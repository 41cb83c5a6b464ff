// The manoeuvre timers and the confirmation time-outs.
#pragma once

#include "editors/editor_tabla.h"

class QLabel;

namespace tarvo {

// Per manoeuvre its name and three times, kept in three tables of one record
// per manoeuvre each.
class cnt_Temporizadores : public EditorTabla {
    Q_OBJECT
public:
    cnt_Temporizadores(Contexto &ctx, VentanaMadre &madre, QWidget *parent = nullptr);
    static const char *Consulta;

protected:
    void MuestraRegistro() override;
    bool Guarda() override;

private:
    QLineEdit *actuacion_, *fallo_, *salida_;
};

// How long an order waits for its confirmation, 1 to 60.
class cnt_TimeOut : public EditorTabla {
    Q_OBJECT
public:
    cnt_TimeOut(Contexto &ctx, VentanaMadre &madre, QWidget *parent = nullptr);

protected:
    void MuestraRegistro() override;
    bool Guarda() override;

private:
    QLabel *nombre_;
    QLineEdit *tiempo_;
};

}  // namespace tarvo
