// The command-line companion's commands, callable in-process by tests.
#pragma once

#include <QStringList>

#include <cstdio>

namespace tarvo {

// Runs one command line (without the program name). Exit codes: 0 done,
// 1 the command failed (told on `err`), 2 the command line was wrong.
int EjecutaCli(const QStringList &argumentos, const QString &directorioPrograma, std::FILE *out, std::FILE *err);

}  // namespace tarvo
