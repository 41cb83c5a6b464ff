// The installation's temporary folder and what lives in it: the working
// copies of the program and the per-run folders of the command-line
// companion, and their clean-up after a run that was killed.
#pragma once

#include "core/aplicacion.h"

#include <QString>

namespace tarvo {

// A name per installation, so that two installations never share a lock or
// a working copy.
QString ClaveInstalacion(const QString &directorioPrograma);
// The installation's own folder inside the system's temporary folder: its
// working copies cannot collide with another installation's.
QString DirectorioTemporalPropio(const QString &directorioPrograma);

// Removes a file and every file that shares its name with another extension
// (its journal, lock, or a copy cut short beside it).
void BorraFamilia(const QString &fichero);
// Removes the three temporary copies and every file that shares their names.
void BorraTemporales(const Aplicacion &app);

// The pattern (for QTemporaryDir) of the companion's per-run folder inside the
// installation's temporary folder: it carries the process number, so that a
// later start can tell one left behind by a killed run.
QString PlantillaCarpetaEjecucion(const QString &directorioTemporal);
// Removes the per-run folders in `directorioTemporal` whose process has ended;
// nothing else, and never the folder of a running process.
void BorraCarpetasHuerfanas(const QString &directorioTemporal);

}  // namespace tarvo
