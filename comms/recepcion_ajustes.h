// Receiving settings: the receive command, the preparation of the target file
// and the reception of every table into it through the receive copy.
#pragma once

#include "comms/transferencias.h"

namespace tarvo {

// mnuRecibirAjustes.
void RecibirAjustes(Comunicaciones &c);
// A target that exists must be of the current model; for one that does not,
// a configuration of that model is prepared as the receive copy (the target
// itself is only made by LeeTodosGrupos). False after a reported failure.
bool CargaFicheroRecepcion(Comunicaciones &c, const QString &destino);
// Every table of the catalogue from the relay, as a receive reads it: each
// table's values as the relay holds them into `leidas`, in catalogue order
// (the graphic's up to its end object, with the plan that takes), and, when
// `copia` names a configuration database of the relay's model, decoded into
// it. Reports the failures of the link and of the decoding; the caller tells
// the outcome and does what it needs with the copy.
bool LeeRele(Comunicaciones &c, const QString &copia, QList<TablaEmpaquetada> &leidas);
// Every table of the catalogue from the relay into `destino`; the target is
// only replaced, or made, when all arrived. Reports its own failures.
bool LeeTodosGrupos(Comunicaciones &c, const QString &destino);

}  // namespace tarvo
