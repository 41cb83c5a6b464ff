// The companion's compare commands: printing a comparison, and a file
// against the connected relay.
#pragma once

#include "comms/comparacion.h"
#include "comms/comunicaciones.h"

#include <cstdio>

namespace tarvo {

// One line per difference, their number, then both fingerprints, each side
// named by `a` and `b`: 0 when equal, 1 when different.
int ImprimeComparacion(const Comparacion &c, const QString &a, const QString &b, std::FILE *out);

// `diff FILE --port N`: the file against the relay on port `puerto`, as
// ImprimeComparacion prints it; 2 when they could not be compared.
int DiferenciasRele(Comunicaciones &c, const QString &fichero, int puerto, std::FILE *out);

}  // namespace tarvo
