// The journal of transfers: one JSON line per send, receive, compare with the
// relay and verify, appended to transfers.log in the work folder, so that
// what a relay was given, and when, can be told afterwards.
#pragma once

#include "comms/comunicaciones.h"

#include <QStringList>

namespace tarvo {

inline constexpr const char *FicheroDiario = "transfers.log";

// One finished operation.
struct Apunte {
    QString operacion;    // "send", "send-changes", "receive", "compare", "verify"
    QString fichero;      // the working copy stands for the open file
    QString huella;       // the fingerprint sent or read; empty when none
    QStringList tablas;   // the tables written
};

// Appends the line: time (ISO 8601 with the zone), operation, port, relay
// number and identification from the connection, file, fingerprint, tables,
// `resultado` and `mensaje`. A journal that cannot be written never fails the
// transfer: it is told once per journal file and run (text 3220).
void AnotaTransferencia(Comunicaciones &c, const Apunte &a, const QString &resultado, const QString &mensaje);

}  // namespace tarvo
