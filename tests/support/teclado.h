// Keyboard walks over a shown window.
#pragma once

#include <QStringList>
#include <QTest>
#include <QWidget>

namespace prueba {

// The controls Tab stops at, from `desde` until it comes back round (or sticks).
inline QStringList RecorridoTab(QWidget *desde) {
    QWidget *ventana = desde->window();
    desde->setFocus();
    QStringList nombres{desde->objectName()};
    for (QWidget *antes = desde; nombres.size() < 60;) {
        QTest::keyClick(antes, Qt::Key_Tab);
        QWidget *ahora = ventana->focusWidget();
        if (ahora == desde || ahora == antes) break;
        nombres << ahora->objectName();
        antes = ahora;
    }
    return nombres;
}

}  // namespace prueba
