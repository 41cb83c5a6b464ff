// Whole-table helpers shared by the configuration store and the editors.
#pragma once

#include "core/aplicacion.h"
#include "store/db/basedatos.h"

#include <memory>

namespace tarvo {

// Exact (case-sensitive) table name; errors give false.
bool ExisteTabla(bd::BaseDatos &db, const QString &tabla);
// Exact column name of an open recordset.
bool ExisteCampo(const bd::Recordset &rs, const QString &campo);

// Opens a database for one operation; on failure the user is shown text 529
// with the error and nullptr is returned.
std::unique_ptr<bd::BaseDatos> AbreBaseDatos(Contexto &ctx, const QString &ruta,
                                             bd::Apertura modo = bd::Apertura::Compartida);
// The same, the message followed by a space, the path and ".": the transfers
// name the file they could not open.
std::unique_ptr<bd::BaseDatos> AbreBaseDatosNombrada(Contexto &ctx, const QString &ruta, bd::Apertura modo);

// Creates `destino` in `dbDestino` with the columns and indexes of `origen`.
void CopiaEstructuraTabla(bd::BaseDatos &dbOrigen, bd::BaseDatos &dbDestino, const QString &origen,
                          const QString &destino);
// The structure, then the records in source order (only the first `cuantos`
// when given), each column from the source column of the same name.
void CopiaTabla(bd::BaseDatos &dbOrigen, bd::BaseDatos &dbDestino, const QString &origen, const QString &destino,
                int cuantos = -1);

// Name columns the language data adds to these tables, one per language.
const QStringList &TablasConNombresIdioma();

// The settings menu array that holds the editors of a CPU.
QString MenuDeCPU(int cpu);

// The file name part of a path.
QString NombreFichero(const QString &ruta);

}  // namespace tarvo
