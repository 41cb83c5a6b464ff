// A small configuration database for the layer's tests: the tables the
// callers' joins read, with a few known rows.
#pragma once

#include "store/db/basedatos.h"
#include "support/carpeta_temporal.h"
#include "support/imprime_qt.h"

#include <QString>

namespace prueba {

// Creates the file and fills it; returns it open (shared).
std::unique_ptr<bd::BaseDatos> CreaConfiguracion(const QString &ruta);

}  // namespace prueba


