// The names of a model's signals, as the group editors label their masks and
// the report prints them: each signal's own name and the name of the setting
// it is linked to in the configuration.
#pragma once

#include "core/aplicacion.h"
#include "store/db/basedatos.h"

#include <QStringList>

namespace tarvo {

// The signal names of a model's signal-state table, with the names of the
// settings they are linked to.
struct NombresEstados {
    QStringList senyales;        // position i holds signal i+1
    QList<int> ligados;
    QStringList aparamenta, maniobras, entradas;   // linked-setting names, from 1
    QString Etiqueta(int senyal) const;            // 1-based; "" when absent
};
NombresEstados CargaNombresEstados(Contexto &ctx, bd::BaseDatos &trabajo, const QString &tablaEstados);

// Tabs of 16 signals a signal-state table of `registros` records is cut into.
int CuentaGruposSenyales(int registros);

}  // namespace tarvo
