// Connecting to a relay and leaving it: identification, port, the relay's
// model and catalogue, and the main window's mode.
#pragma once

#include "comms/transferencias.h"

#include <optional>

namespace tarvo {

// The relay's identification record, four fixed-length fields padded with blanks.
struct Identificacion {
    QString modelo;      // 20 characters
    QString baseDatos;   // 8: the stem of the model database file
    QString tercero;     // 4, not used
    QString cuarto;      // 8, not used
    // The model name: the text before the first "*", trimmed, upper case.
    QString NombreModelo() const;
    // The model database file: the stem trimmed, upper case, with ".MDB".
    QString FicheroBaseDatos() const;
};
// The four fields from the identification payload.
Identificacion LeeIdentificacion(const QString &matricula);

// The identification dialog's OK: nullopt when a text is not a number or out
// of range (relay 0 to 255, password 0 to 99999).
struct DatosIdentificacion {
    qint16 numero = -1;
    qint32 clave = -1;
};
std::optional<DatosIdentificacion> ValidaIdentificacion(const QString &numero, const QString &clave);
// Asks until the texts are valid (text 765 on each bad try, the dialog kept
// open) or the user cancels, which marks the password -1. True when valid
// values were stored.
bool IdentRele(Comunicaciones &c);

void ConexionRele(Comunicaciones &c);    // mnuConexionRele
// The same, telling what ConectaRele returned: nullopt when the relay was not
// called (already connected, identification cancelled).
std::optional<qint16> ConexionReleResultado(Comunicaciones &c);
void EmulacionRele(Comunicaciones &c);   // mnuEmulacionRele
// Opens the port and reads the identification: its length on success, 0 when
// the port did not open, -1 (or the link code) when the relay gave none.
qint16 ConectaRele(Comunicaciones &c, Identificacion &id);
void CierraPuerto(Comunicaciones &c);

}  // namespace tarvo
