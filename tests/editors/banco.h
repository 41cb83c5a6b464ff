// A working copy of a shipped model to open editors on, and the small moves
// the editor tests make on their windows.
#pragma once

#include "editors/editor_tabla.h"
#include "editors/fabrica.h"
#include "store/ficheros.h"
#include "support/instalacion.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

#include <memory>

namespace prueba {

// One working copy of a shipped model, with an editor on it.
struct Banco {
    prueba::Instalacion ins;
    explicit Banco(const char *modelo = "TRV-610 **") {
        ins.ui.EsperaModelo(modelo);
        tarvo::NuevaConfiguracion(ins.ctx, ins.v);
    }
    // The editor of a settings menu entry, as the menu opens it.
    std::unique_ptr<tarvo::EditorTabla> Abre(const char *menu, int indice) {
        std::unique_ptr<tarvo::EditorTabla> e(tarvo::CreaEditor(ins.ctx, ins.v, menu, indice));
        e->resize(900, 700);
        e->show();
        if (!e->Carga()) return nullptr;
        return e;
    }
    void Ejecuta(const QString &sql) {
        bd::BaseDatos::Abrir(ins.ctx.app.CopiaTrabajo, bd::Apertura::Temporal)->Execute(sql);
    }
    QStringList Filas(const QString &sql) { return prueba::Filas(ins.ctx.app.CopiaTrabajo, sql, bd::Apertura::Temporal); }
};

template <typename T = QPushButton>
inline T *Hijo(QWidget *w, const char *nombre) {
    return w->findChild<T *>(nombre);
}

inline bool Visible(QWidget *w, const char *nombre) { return !Hijo<QWidget>(w, nombre)->isHidden(); }

// Letters the test keyboard has no key for (ñ, á): each typed as a key carrying its text.
inline void Teclea(QWidget *w, const QString &texto) {
    for (const QChar c : texto) {
        QKeyEvent tecla(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &tecla);
    }
}

}  // namespace prueba
