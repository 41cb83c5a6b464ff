// Which dictionary text each control of each window shows. Windows look their
// controls up by object name, so adding a window means adding its list here.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tarvo {

struct AsignacionTexto {
    enum Propiedad { Titulo, Ayuda };   // caption/text, or tooltip
    QString control;                    // object name; "Ventana" is the window itself
    int texto;
    Propiedad propiedad = Titulo;
};

// Empty for a key no window has registered yet.
const QList<AsignacionTexto> &TextosVentana(const QString &clave);
// Every key with a list, sorted.
QStringList ClavesConTextos();

}  // namespace tarvo
