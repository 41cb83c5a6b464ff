// Small constructors for named controls: windows look their controls up by
// object name (captions, tests), so every control gets one.
#pragma once

#include <QLabel>
#include <QPushButton>

namespace tarvo {

inline QLabel *CreaEtiqueta(const char *nombre, QWidget *padre) {
    auto *l = new QLabel(padre);
    l->setObjectName(nombre);
    return l;
}

// autoDefault is off: Enter in a form must not press whichever button had focus last.
inline QPushButton *CreaBoton(const char *nombre, QWidget *padre, const QString &texto = {}) {
    auto *b = new QPushButton(texto, padre);
    b->setObjectName(nombre);
    b->setAutoDefault(false);
    return b;
}

}  // namespace tarvo
