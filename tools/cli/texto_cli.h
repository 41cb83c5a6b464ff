// The companion's commands on configurations as text: export, import, check
// and convert, and the check a send runs first.
#pragma once

#include "core/aplicacion.h"

#include <QStringList>

#include <cstdio>

namespace tarvo {

// The command's files (FILE [OUT], IN FILE, FILE, FILE MODEL OUT), as given.
// Exit codes: 0 done (check: clean), 1 refused or failed (check: problems),
// 2 check could not read the file.
int EjecutaOrdenTexto(Contexto &ctx, const QString &orden, const QStringList &ficheros, bool forzar,
                      std::FILE *out, std::FILE *err);
// How many files each text command takes, lowest and highest; {0, 0} for
// any other command.
std::pair<int, int> FicherosOrdenTexto(const QString &orden);

// Before a send: the check's problems on `err`; false when the file is not
// to be sent (problems without `forzar`, or a file that cannot be checked).
bool CompruebaAntesDeEnviar(Contexto &ctx, const QString &fichero, bool forzar, std::FILE *err);

}  // namespace tarvo
