#include "shell/portada.h"

#include "core/ui/textos_qt.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace tarvo {

Portada::Portada(const clsDiccionario &dic, QWidget *parent) : QWidget(parent), dic_(dic) {
    setObjectName("portada");
    setAutoFillBackground(true);
    QPalette fondo = palette();
    fondo.setColor(QPalette::Window, QColor(0x1f, 0x3a, 0x5f));
    setPalette(fondo);

    frm_ = new QFrame(this);
    frm_->setObjectName("frm");
    frm_->setFixedSize(420, 220);
    frm_->setFrameStyle(QFrame::Box | QFrame::Raised);
    frm_->setLineWidth(2);
    frm_->setStyleSheet("QFrame#frm { background: #f4f1e8; border: 2px solid #c9b87a; }");
    auto *capa = new QVBoxLayout(frm_);
    auto *nombre = new QLabel("TARVO32", frm_);
    nombre->setObjectName("lblNombre");
    nombre->setAlignment(Qt::AlignCenter);
    nombre->setStyleSheet("font-size: 34pt; font-weight: bold; color: #1f3a5f;");
    auto *titulo = new QLabel(frm_);
    titulo->setObjectName("lblTitulo");
    titulo->setAlignment(Qt::AlignCenter);
    titulo->setStyleSheet("font-size: 14pt; color: #1f3a5f;");
    auto *subtitulo = new QLabel(frm_);
    subtitulo->setObjectName("lblSubtitulo");
    subtitulo->setAlignment(Qt::AlignCenter);
    subtitulo->setWordWrap(true);
    subtitulo->setStyleSheet("color: #444;");
    capa->addStretch();
    capa->addWidget(nombre);
    capa->addWidget(titulo);
    capa->addWidget(subtitulo);
    capa->addStretch();
    PonTextos();
}

void Portada::PonTextos() { PonTextosIdioma(this, "portada", dic_); }

void Portada::resizeEvent(QResizeEvent *e) {
    QWidget::resizeEvent(e);
    frm_->move((width() - frm_->width()) / 2, (height() - frm_->height()) / 2);
}

}  // namespace tarvo
