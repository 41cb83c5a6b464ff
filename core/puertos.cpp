#include "core/puertos.h"

#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

namespace tarvo {

namespace {
QString prefijoDispositivos = "/dev/ttyS";
}

void FijaPrefijoDispositivos(const QString &prefijo) { prefijoDispositivos = prefijo; }

QString RutaPuerto(const QString &directorioPrograma, int numero) {
    const QString enlace = directorioPrograma + "/ports/COM" + QString::number(numero);
    // A link whose device has gone still names the port: it fails to open
    // rather than falling back to another device.
    if (QFileInfo(enlace).isSymLink() || QFileInfo::exists(enlace)) return enlace;
    return prefijoDispositivos + QString::number(numero - 1);
}

namespace {

// Open, check it is a terminal nobody else holds, close.
bool PuertoLibre(const QString &ruta) {
    const int fd = ::open(QFile::encodeName(ruta).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    termios t{};
    const bool libre = ::tcgetattr(fd, &t) == 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return libre;
}

}  // namespace

QList<quint8> BuscaPuertos(const QString &directorioPrograma) {
    QList<quint8> lista;
    for (int n = 1; n <= 16; ++n)
        if (PuertoLibre(RutaPuerto(directorioPrograma, n))) lista.append(quint8(n));
    return lista;
}

}  // namespace tarvo
