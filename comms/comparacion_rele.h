// A configuration file against the relay it is meant for.
#pragma once

#include "comms/comparacion.h"
#include "comms/comunicaciones.h"

namespace tarvo {

// The connected relay read into the receive copy as a receive reads it (the
// open configuration and the file untouched) and compared with `fichero`, of
// the relay's model: side A is the file, side B the relay, whose values are
// taken as read. Journaled; failures are reported and give nullopt.
std::optional<Comparacion> ComparaConRele(Comunicaciones &c, const QString &fichero);

}  // namespace tarvo
