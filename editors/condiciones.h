// The conditions of the manoeuvres: actuation, failure and success. Each
// condition picks command bits and external states (mask) and the value each
// must have; one editor class serves the three tables, told apart by a
// declaration.
#pragma once

#include "editors/editor_tabla.h"

#include <QSet>

class QListWidget;

namespace tarvo {

struct DeclaracionCondiciones {
    int indice;               // entry of mnuAjusteControl
    const char *nombre;       // window and form name
    int textoEstado;
    const char *tabla;
    int porManiobra;          // conditions of each manoeuvre
    int palabra;              // label word of an ordinary manoeuvre
    int palabraEspecial;      // label word of the breaker's two manoeuvres
    const char *sufijos[2];   // after the breaker's name, manoeuvre Indice 1 and 2
};

// The three condition tables, in menu order.
const QList<DeclaracionCondiciones> &Condiciones();

// The label of every condition record of `d`'s table, in record order: the
// manoeuvres of "TiempoPrevio CTRL" give porManiobra labels each (numbered
// when more than one), until the table's records or the manoeuvres run out.
QStringList EtiquetasCondiciones(const Contexto &ctx, bd::BaseDatos &trabajo, const DeclaracionCondiciones &d);

// A mask or value column: 4-digit words, most significant first, the
// rightmost holding bits 0 to 15. A word that is not hexadecimal reads as 0.
quint64 LeeBits(const QString &texto);
// The signals a condition picks from: command bit i is the i-th name of
// "BitMando CTRL", external state j the j-th named state of the model.
QStringList CargaBitsMando(bd::BaseDatos &trabajo);
struct EstadoExterno {
    QString entrada, indice;
};
QList<EstadoExterno> CargaEstadosExternos(const Contexto &ctx);

class EditorCondiciones : public EditorTabla {
    Q_OBJECT
public:
    EditorCondiciones(Contexto &ctx, VentanaMadre &madre, const DeclaracionCondiciones &d, QWidget *parent = nullptr);
    // A signal of the condition: command bit i is i, external state j is
    // MaxBits + j.
    static constexpr int MaxBits = 64, MaxEstados = 16;

protected:
    int LlenaLista() override;
    void MuestraRegistro() override;
    bool Guarda() override;

private:
    void CargaSenyales();
    // lst_lista3 from the selections of lst_lista1 and lst_lista2, its values
    // from the remembered ones.
    void RehaceCondicion();
    QSet<int> Recordados() const;
    void Recuerda(const QSet<int> &senyales);
    QString TextoSenyal(int senyal) const;

    DeclaracionCondiciones d_;
    QListWidget *bits_, *estados_, *indicesEstados_, *condicion_, *recordados_;
};

// The condition editor of a control menu entry; nullptr for another entry.
EditorTabla *CreaEditorCondiciones(Contexto &ctx, VentanaMadre &madre, const QString &menu, int indice);

}  // namespace tarvo
