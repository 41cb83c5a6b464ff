// Sending settings: the send command, the whole-configuration send and the
// editors' send of their own tables.
#pragma once

#include "comms/transferencias.h"

#include <QStringList>

#include <optional>

namespace tarvo {

// What a send does beyond writing the tables.
struct FormaEnvio {
    // Reads the relay first and writes only the tables whose values it holds
    // otherwise (nothing at all, marks included, when none): the relay is
    // left as a whole send would leave it.
    bool cambios = false;
    // Reads every table back after the commit; any block the relay holds
    // otherwise fails the send, named by table and block.
    bool verifica = false;
};
// mnuEnviarAjustes, and the Tools menu's "Send and verify" and "Send changes".
// The configuration is checked first: with problems it goes out only if the
// user says so.
void EnviarAjustes(Comunicaciones &c, FormaEnvio forma = {});
// Every table of the catalogue from a configuration database, framed by the
// state marks; true only when the relay reads back as configured. Every table
// is packed and checked before the first byte goes out. Reports its own
// failures, naming what the relay was left holding, and journals the send.
bool EnviaTodosGrupos(Comunicaciones &c, const QString &fichero, FormaEnvio forma = {});
// The tables of the current catalogue (only those in `solo`, when given) of a
// configuration database, packed and checked; a configuration that cannot be
// sent is reported naming table and record, and gives nullopt.
std::optional<QList<TablaEmpaquetada>> EmpaquetaFichero(Contexto &ctx, const QString &fichero,
                                                        const QStringList *solo = nullptr);
// An editor's send button, once a relay is known to be connected: its tables
// of the working copy, in catalogue order, framed by the state marks.
void EnviaTablasEditor(Comunicaciones &c, const QStringList &tablas, const QString &tituloEditor);

}  // namespace tarvo
