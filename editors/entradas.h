// The control input editors: each logical input (a digital input, a remote
// order, a pulse counter, a switchgear position) is given one of the relay's
// physical control inputs, "EC 1" to "EC n", or none.
#pragma once

#include "editors/editor_tabla.h"

class QLabel;
class QListWidget;

namespace tarvo {

// What the four editors share: the assigned input's label (`Borna`) and the
// physical input list, whose index is the input record's code.
class EditorEntradas : public EditorTabla {
    Q_OBJECT
public:
    // `columnaCodigo`: the record source's column of the input record's Codificacion.
    EditorEntradas(Contexto &ctx, VentanaMadre &madre, DefinicionEditor def, QString columnaCodigo,
                   QWidget *parent = nullptr);

protected:
    void MuestraRegistro() override;
    bool Guarda() override;
    void DespuesDePonerTextos() override;
    // The editor's own columns, written with the assignment; nothing when the
    // save is refused (the message has been shown).
    virtual std::optional<Fila> CamposPropios() { return Fila{}; }
    // The row of Campos() between the assigned input and the list, for an
    // editor's own fields.
    static constexpr int FilaPropia = 2;

private:
    QString columnaCodigo_;
    QLabel *borna_;
    QListWidget *entradas_;
};

// The two position inputs (A, B) of every switchgear.
class cnt_EntradasAparamenta : public EditorEntradas {
    Q_OBJECT
public:
    cnt_EntradasAparamenta(Contexto &ctx, VentanaMadre &madre, QWidget *parent = nullptr);
    static const char *Consulta;

protected:
    int LlenaLista() override;
};

// Digital inputs: a name, and a filter time where the model lets it be set.
class cnt_EntradasDigitales : public EditorEntradas {
    Q_OBJECT
public:
    cnt_EntradasDigitales(Contexto &ctx, VentanaMadre &madre, QWidget *parent = nullptr);
    static const char *Consulta;

protected:
    void MuestraRegistro() override;
    std::optional<Fila> CamposPropios() override;

private:
    QLabel *etiquetaTiempo_;
    QLineEdit *tiempo_;
};

// Remote orders: listed by their manoeuvre, which is named elsewhere.
class cnt_EntradasRTU : public EditorEntradas {
    Q_OBJECT
public:
    cnt_EntradasRTU(Contexto &ctx, VentanaMadre &madre, QWidget *parent = nullptr);
    static const char *Consulta;
};

// Pulse counters: a name each.
class cnt_EntradasPulsos : public EditorEntradas {
    Q_OBJECT
public:
    cnt_EntradasPulsos(Contexto &ctx, VentanaMadre &madre, QWidget *parent = nullptr);
    static const char *Consulta;
};

}  // namespace tarvo
