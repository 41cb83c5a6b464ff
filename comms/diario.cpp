#include "comms/diario.h"

#include "store/modelos.h"

#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace tarvo {

void AnotaTransferencia(Comunicaciones &c, const Apunte &a, const QString &resultado, const QString &mensaje) {
    const Aplicacion &app = c.ctx.app;
    const QDateTime ahora = QDateTime::currentDateTime();
    const QJsonObject linea{
        // With its offset spelled out, whatever the machine's zone.
        {"time", ahora.toOffsetFromUtc(ahora.offsetFromUtc()).toString(Qt::ISODateWithMs)},
        {"operation", a.operacion},
        {"port", int(app.Comunicaciones.Puerto)},
        {"relay", int(app.NumeroRele)},
        {"identification", ModeloAPantalla(app.NombreModelo).trimmed() + " (" + app.BaseDatos + ")"},
        {"file", a.fichero == app.CopiaTrabajo && app.HayFicheroActual() ? app.FicheroActual : a.fichero},
        {"fingerprint", a.huella},
        {"tables", QJsonArray::fromStringList(a.tablas)},
        {"result", resultado},
        {"message", mensaje},
    };
    const QString ruta = app.DirectorioTrabajo + FicheroDiario;
    QFile f(ruta);
    const QByteArray bytes = QJsonDocument(linea).toJson(QJsonDocument::Compact) + '\n';
    if (f.open(QIODevice::WriteOnly | QIODevice::Append) && f.write(bytes) == bytes.size() && f.flush()) return;
    static QSet<QString> avisados;
    if (avisados.contains(ruta)) return;
    avisados.insert(ruta);
    c.ctx.ui->Muestra({c.ctx.dic.Texto(3220, ruta), c.ctx.T148(), Icono::Exclamacion, Botones::Aceptar});
}

}  // namespace tarvo
