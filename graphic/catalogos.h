// What a relay model offers the graphic editor, read from its database: the
// object types, the extended display characters and the fixed objects.
#pragma once

#include "graphic/objeto.h"
#include "core/aplicacion.h"

namespace tarvo {

// CatalogoObjetos: one entry per known object type code of the model (code 43
// gives two, for the counter and the second analogue form).
struct EntradaCatalogoObjeto {
    QString nombre;      // the kind's dictionary text
    int codigo = 0;
    int boton = -1;      // palette button (the kind), -1 when none
    int version = 0;
};

// CatalogoTextos: the extended characters; those of the special-character
// kinds get their kind's button, the rest -1 (only typed inside texts).
struct EntradaCatalogoTexto {
    int codigo = 0;
    int boton = -1;
};

// ObjetosFijos: the model's predefined objects; the list ends with an entry
// whose secuencia is -1.
struct ObjetoFijo {
    int secuencia = -1;
    qint16 apa = 0, cpu = 0, oper_b = 0, oper_c = 0, oper_d = 0, donde = 0;
    QString txt, txt_m, txtb0, txtb1;
    qint16 unidad_m = 0, x = 0, y = 0, pag = 0;
};

// Each reads the current model's database (models folder + BaseDatos); a
// model without the table gives an empty list. False after a reported failure.
bool CargaTodosObjetos(Contexto &ctx, QList<EntradaCatalogoObjeto> &catalogo);
bool CargaObjetosTexto(Contexto &ctx, QList<EntradaCatalogoTexto> &catalogo);
bool CargaObjetosFijos(Contexto &ctx, QList<ObjetoFijo> &fijos);

// Index of the first fixed object with that code, or -1.
int EsObjetoFijo(const QList<ObjetoFijo> &fijos, int apa);
// The palette buttons the catalogues enable, in ascending order.
QList<int> BotonesDisponibles(const QList<EntradaCatalogoObjeto> &objetos, const QList<EntradaCatalogoTexto> &textos);

}  // namespace tarvo
