// Sending settings: the send command, the whole-configuration send and the
// editors' send of their own tables.
#pragma once

#include "comms/transferencias.h"

#include <QStringList>

namespace tarvo {

// mnuEnviarAjustes.
void EnviarAjustes(Comunicaciones &c);
// Every table of the catalogue from a configuration database, framed by the
// state marks; true on success. Reports its own failures.
bool EnviaTodosGrupos(Comunicaciones &c, const QString &fichero);
// The sender of one catalogue table: its packer and EnviaTabla. Tables that
// never travel, and names that are no configuration table, succeed at once.
bool EnviaAjustesTabla(Comunicaciones &c, const QString &fichero, const QString &tabla);
// An editor's send button, once a relay is known to be connected: its tables
// of the working copy, in catalogue order, framed by the state marks.
void EnviaTablasEditor(Comunicaciones &c, const QStringList &tablas, const QString &tituloEditor);

}  // namespace tarvo
