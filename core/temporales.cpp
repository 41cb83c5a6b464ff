#include "core/temporales.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <csignal>

namespace tarvo {

QString ClaveInstalacion(const QString &directorioPrograma) {
    return "tarvo32-" + QCryptographicHash::hash(QFileInfo(directorioPrograma).absoluteFilePath().toUtf8(),
                                                 QCryptographicHash::Sha1)
                            .toHex()
                            .left(16);
}


QString DirectorioTemporalPropio(const QString &directorioPrograma) {
    const QString ruta = QDir::tempPath() + "/" + ClaveInstalacion(directorioPrograma);
    QDir().mkpath(ruta);
    return ruta;
}

void BorraFamilia(const QString &fichero) {
    const QFileInfo info(fichero);
    QDir dir = info.absoluteDir();
    for (const QString &nombre : dir.entryList({info.completeBaseName() + ".*"}, QDir::Files | QDir::Hidden))
        dir.remove(nombre);   // a file that is locked or gone is skipped
}

void BorraTemporales(const Aplicacion &app) {
    for (const QString &copia : {app.CopiaTrabajo, app.CopiaRecepcion, app.CopiaCompactacion})
        if (!copia.isEmpty()) BorraFamilia(copia);
}

namespace {

const QString PrefijoEjecucion = "cli-";

// Our own number counts as ended: a folder that carries it was left by an
// earlier process, since ours is made after the clean-up.
bool ProcesoVivo(qint64 pid) {
    if (pid == QCoreApplication::applicationPid()) return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

}  // namespace

QString PlantillaCarpetaEjecucion(const QString &directorioTemporal) {
    return QDir(directorioTemporal).filePath(PrefijoEjecucion + QString::number(QCoreApplication::applicationPid()) +
                                             "-XXXXXX");
}

void BorraCarpetasHuerfanas(const QString &directorioTemporal) {
    if (directorioTemporal.isEmpty()) return;
    QDir dir(directorioTemporal);
    for (const QString &nombre : dir.entryList({PrefijoEjecucion + "*"}, QDir::Dirs | QDir::NoSymLinks | QDir::Hidden)) {
        bool numero = false;
        const qint64 pid = nombre.section('-', 1, 1).toLongLong(&numero);
        if (numero && pid > 0 && !ProcesoVivo(pid)) QDir(dir.filePath(nombre)).removeRecursively();
    }
}

}  // namespace tarvo
