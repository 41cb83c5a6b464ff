// Sending settings: the send command, the whole-configuration send and the
// editors' send of their own tables.
#pragma once

#include "comms/transferencias.h"

#include <QStringList>

#include <optional>

namespace tarvo {

// mnuEnviarAjustes.
void EnviarAjustes(Comunicaciones &c);
// Every table of the catalogue from a configuration database, framed by the
// state marks; true only when the relay reads back as configured. Every table
// is packed and checked before the first byte goes out. Reports its own
// failures, naming what the relay was left holding.
bool EnviaTodosGrupos(Comunicaciones &c, const QString &fichero);
// The tables of the current catalogue (only those in `solo`, when given) of a
// configuration database, packed and checked; a configuration that cannot be
// sent is reported naming table and record, and gives nullopt.
std::optional<QList<TablaEmpaquetada>> EmpaquetaFichero(Contexto &ctx, const QString &fichero,
                                                        const QStringList *solo = nullptr);
// An editor's send button, once a relay is known to be connected: its tables
// of the working copy, in catalogue order, framed by the state marks.
void EnviaTablasEditor(Comunicaciones &c, const QStringList &tablas, const QString &tituloEditor);

}  // namespace tarvo
