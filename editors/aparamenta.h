// The switchgear editor: names, times and flags of each switchgear (the
// inputs that give its position are in editors/entradas.h).
#pragma once

#include "editors/editor_tabla.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace tarvo {

// Two records per switchgear: opening times first, closing times N further on.
class cnt_Aparamenta : public EditorTabla {
    Q_OBJECT
public:
    cnt_Aparamenta(Contexto &ctx, VentanaMadre &madre, QWidget *parent = nullptr);
    // Fills the record list with `columna` of records 1 to N; returns N.
    int CargarComboBoxAparamenta(const QString &columna);

protected:
    void MuestraRegistro() override;
    bool Guarda() override;
    int LlenaLista() override { return CargarComboBoxAparamenta("NombreAjuste"); }

private:
    void ActivaTransicion();
    int n_ = 0;
    bool conTransicion_ = false;
    QCheckBox *seleccionada_, *contacto_;
    QLineEdit *apertura_, *cierre_;
    QPushButton *transicion_;
    QLabel *etiquetaTransicion_;
};

}  // namespace tarvo
