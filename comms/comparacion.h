// Comparing two configurations of one model, table by table and record by
// record, in the columns the relay's bytes decode into; the packed values
// decide whether two tables are equal at all. It works on two open
// databases, so that a relay read into a temporary copy compares the same
// way as a file.
#pragma once

#include "comms/codificacion/empaquetado.h"

#include <optional>

namespace tarvo {

// One setting that differs. Bytes that no decoded column shows (a table's
// filling, a record's unused byte) are told as the table's first block whose
// values differ, with no record and no setting.
struct Diferencia {
    QString tabla;
    int registro = 0;       // Indice; display objects: Identificador; 0: the table
    QString nombre;         // NombreAjuste; display objects: the kind's name
    QString ajuste;         // the decoded column; empty for a whole record or block
    QString valorA, valorB; // a record missing on one side is empty there
    int bloque = 0;         // from 1, only when no record is named
};

struct Comparacion {
    QList<Diferencia> diferencias;
    QString huellaA, huellaB;
    bool Iguales() const { return diferencias.isEmpty(); }
};

// SHA-256 over the packed values in catalogue order, each as its four bytes
// in wire order; lower-case hexadecimal.
QString HuellaEmpaquetado(const QList<TablaEmpaquetada> &tablas);

// Two databases of the model whose catalogue is in `app`. Throws
// TablaNoEnviable for a configuration that cannot be packed, and the
// database's errors.
Comparacion ComparaBasesDatos(bd::BaseDatos &a, bd::BaseDatos &b, const Aplicacion &app,
                              const DatosCodificacion &datos, const clsDiccionario &dic);

// The same over values already packed for each side (or, for a relay, as
// read back): the values decide which tables differ, the databases' records
// tell how.
Comparacion ComparaEmpaquetados(bd::BaseDatos &a, const QList<TablaEmpaquetada> &pa, bd::BaseDatos &b,
                                const QList<TablaEmpaquetada> &pb, const Aplicacion &app,
                                const DatosCodificacion &datos, const clsDiccionario &dic);

// The blocks (from 1) of one table whose values differ, by the longer side's plan.
QList<int> BloquesDistintos(const TablaEmpaquetada &a, const TablaEmpaquetada &b);

// Two files, packed and decoded by their model's catalogue; the open
// configuration and its catalogue are left as they are. Files of different
// models are refused. Failures are reported and give nullopt.
std::optional<Comparacion> ComparaConfiguraciones(Contexto &ctx, const QString &ficheroA, const QString &ficheroB);

// The fingerprint of a file by its model's catalogue; empty after a reported failure.
QString Huella(Contexto &ctx, const QString &fichero);

}  // namespace tarvo
