// Serial ports. Port n ("COM" + n) is the link "ports/COMn" in the program
// folder when there is one (a simulator or a USB adapter is attached that
// way), otherwise the system's n-th serial device.
#pragma once

#include <QList>
#include <QString>

namespace tarvo {

QString RutaPuerto(const QString &directorioPrograma, int numero);

// Tests point the system's devices elsewhere, so that a machine's own serial
// ports do not leak into them ("/dev/ttyS" normally).
void FijaPrefijoDispositivos(const QString &prefijo);

// Ports 1 to 16 that open for reading and writing, exclusively; each is
// closed again at once.
QList<quint8> BuscaPuertos(const QString &directorioPrograma);

}  // namespace tarvo
