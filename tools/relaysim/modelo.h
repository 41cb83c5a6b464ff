// What the relay is: its identification record and the groups it holds, taken
// from a model database and the model catalogue beside it, or from the
// command line.
#pragma once

#include "memoria.h"
#include "opciones.h"

#include <QByteArray>
#include <QString>

namespace relaysim {

struct Identidad {
    QString nombre = "SIMULADO";    // characters 1 to 20
    QString raiz = "SIMULADO";      // 21 to 28: the model database stem
    QString version = "1.00";       // 29 to 32
    QString serie = "RELAYSIM";     // 33 to 40
};

// The 40-byte record, fields blank-padded; with `raizVacia` the stem is all
// zero bytes, as a relay without an identity sends it.
QByteArray RegistroMatricula(const Identidad &id, bool raizVacia);

// Reads the model database: its stem, version and table catalogue; the model
// name is the catalogue pattern whose database it is ("?" as "0"). Every block
// of the catalogue is preloaded as zeros of its size.
bool CargaModelo(const QString &rutaModelo, Identidad &id, MemoriaRele &memoria, QString &error);

// Everything Opciones says about the relay's identity and memory, in order:
// the configuration state block of each CPU, the model, the state file, the
// command-line names.
bool PreparaRele(const Opciones &o, Identidad &id, MemoriaRele &memoria, QString &error);

}  // namespace relaysim
