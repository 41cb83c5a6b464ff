#include "core/ui/textos_qt.h"

#include "core/textos_ventanas.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QWidget>

namespace tarvo {
namespace {

void Pon(QObject *o, const QString &texto, AsignacionTexto::Propiedad propiedad) {
    if (propiedad == AsignacionTexto::Ayuda) {
        if (auto *a = qobject_cast<QAction *>(o)) a->setToolTip(texto);
        if (auto *w = qobject_cast<QWidget *>(o)) w->setToolTip(texto);
        return;
    }
    if (auto *m = qobject_cast<QMenu *>(o)) m->setTitle(texto);
    else if (auto *a = qobject_cast<QAction *>(o)) a->setText(texto);
    else if (auto *b = qobject_cast<QAbstractButton *>(o)) b->setText(texto);
    else if (auto *l = qobject_cast<QLabel *>(o)) l->setText(texto);
    else if (auto *g = qobject_cast<QGroupBox *>(o)) g->setTitle(texto);
    else if (auto *t = qobject_cast<QPlainTextEdit *>(o)) t->setPlainText(texto);
}

}  // namespace

void PonTextosIdioma(QWidget *ventana, const QString &clave, const clsDiccionario &dic) {
    static const QRegularExpression pestana("^(.+)_(\\d+)$");
    for (const AsignacionTexto &a : TextosVentana(clave)) {
        const QString texto = dic.Texto(a.texto);
        if (a.control == "Ventana") {
            ventana->setWindowTitle(texto);
            continue;
        }
        if (QObject *o = ventana->findChild<QObject *>(a.control)) {
            Pon(o, texto, a.propiedad);
            continue;
        }
        // Tab captions are named after their tab control and page index.
        const auto m = pestana.match(a.control);
        if (m.hasMatch())
            if (auto *tab = ventana->findChild<QTabWidget *>(m.captured(1)))
                tab->setTabText(m.captured(2).toInt(), texto);
    }
}

}  // namespace tarvo
