// The editors of signal groups, built from declarations: gates, outputs and
// command bits (a name and the masks, and maybe values, of one group of
// signals), events (masks, and an alarm text where the model has texts), and
// the protection inputs' functions.
#pragma once

#include "editors/editor_tabla.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace tarvo {

// Gates, outputs and command bits. `bornas` is the prefix of the output's
// terminal label ("SP ", "SC "); none when empty.
class EditorGrupos : public EditorTabla {
    Q_OBJECT
public:
    EditorGrupos(Contexto &ctx, VentanaMadre &madre, DefinicionEditor def, QString bornas, QWidget *parent = nullptr);

protected:
    void MuestraRegistro() override;
    bool Guarda() override;

private:
    QString bornas_;
    QLabel *etiquetaBornas_ = nullptr;
};

// Events of one event table. With the model's texts ("TextoEventos COMU") the
// record source is Consulta(), and an alarm event's name is the text the
// relay's display shows.
class EditorEventos : public EditorTabla {
    Q_OBJECT
public:
    EditorEventos(Contexto &ctx, VentanaMadre &madre, DefinicionEditor def, QWidget *parent = nullptr);
    // The events joined with their texts of type `tipoTexto`.
    static QString Consulta(const QString &tablaEventos, const QString &tipoTexto);

protected:
    int LlenaLista() override;
    void MuestraRegistro() override;
    bool Guarda() override;

private:
    bool conTextos_;
    bool guardado_ = false;   // until the first save the list names alarms by their text
    QGroupBox *alarma_;
    QRadioButton *optAlarma_, *optSenyalizacion_;
};

// The protection function assigned to each protection input.
class prt_Entradas : public EditorTabla {
    Q_OBJECT
public:
    prt_Entradas(Contexto &ctx, VentanaMadre &madre, QWidget *parent = nullptr);

protected:
    void MuestraRegistro() override;
    bool Guarda() override;

private:
    QComboBox *funciones_;
    QLabel *entrada_;
};

// The model's signal-state table whose signals the masks of a group or event
// table pick; empty for any other table.
QString TablaEstadosDe(const QString &tabla);

// The group and event editor a settings menu entry opens; nullptr when the
// entry is not one of theirs.
EditorTabla *CreaEditorDeFamilia(Contexto &ctx, VentanaMadre &madre, const QString &menu, int indice);

}  // namespace tarvo
