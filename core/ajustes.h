// The settings file "tarvo32.ini": language, serial port and the two folders.
#pragma once

#include "core/aplicacion.h"

namespace tarvo {

// Writes the whole file on first run. The last key of each section carries a
// CR LF of its own, which leaves an empty line after every section.
bool CreaFicheroIni(const Aplicacion &app, const ParametrosPuerto &p, quint8 idioma, const QString &directorioModelos,
                    const QString &directorioTrabajo);

bool LeeIdioma(const Aplicacion &app, quint8 &idioma);
bool GuardaIdioma(const Aplicacion &app, quint8 idioma);
void LeeDirectorios(const Aplicacion &app, QString &directorioModelos, QString &directorioTrabajo);
bool GuardaDirectorios(const Aplicacion &app, const QString &directorioModelos, const QString &directorioTrabajo);
bool LeeParametrosPuerto(const Aplicacion &app, ParametrosPuerto &p);
// With `anterior`, only the keys whose value differs from it are written, so
// the lines of what did not change stay byte for byte.
bool GuardaParametrosPuerto(const Aplicacion &app, const ParametrosPuerto &p,
                            const ParametrosPuerto *anterior = nullptr);

// A text key, or porDefecto when it is missing or empty.
QString LeeCadenaIni(const QString &seccion, const QString &clave, const QString &porDefecto, const QString &fichero);

// Settings read from the file that the program cannot use are replaced by
// their defaults, and the user is told which (text 1350).
void CorrigeAjustes(Contexto &ctx);

}  // namespace tarvo
