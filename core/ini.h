// Private-profile (INI) files: the settings file is read and written key by
// key, and a write touches only its own line, so the rest of the file (blank
// lines, other sections, unknown keys) stays byte for byte as it was.
#pragma once

#include <QString>

namespace tarvo::ini {

// The integer found at the start of the value (after blanks, with an optional
// sign); 0 when the value does not begin with digits; porDefecto when the
// section or key is absent. Names compare without regard to case.
int LeeEntero(const QString &seccion, const QString &clave, int porDefecto, const QString &fichero);

// The value with surrounding blanks (and one pair of enclosing quotes) removed,
// cut to maxCaracteres - 1 characters like a fixed buffer; porDefecto when the
// section or key is absent.
QString LeeCadena(const QString &seccion, const QString &clave, const QString &porDefecto,
                  const QString &fichero, int maxCaracteres = 260);

// Replaces the key's value, adds the key at the end of its section, or adds the
// section at the end of the file. Lines end in CR LF. The value is written as
// given, so a value ending in CR LF leaves an empty line after it. False (and
// the file untouched) when it cannot be written.
bool EscribeCadena(const QString &seccion, const QString &clave, const QString &valor, const QString &fichero);

}  // namespace tarvo::ini
