#include "shell/ayuda.h"

#include "core/ui/textos_qt.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace tarvo {

Ayuda::Ayuda(const clsDiccionario &dic, QWidget *parent) : QDialog(parent) {
    setObjectName("Ayuda");
    navegador_ = new QTextBrowser(this);
    navegador_->setObjectName("txtAyuda");
    navegador_->setOpenExternalLinks(false);
    auto *cerrar = new QPushButton(this);
    cerrar->setObjectName("cmdClose");
    auto *capa = new QVBoxLayout(this);
    capa->addWidget(navegador_);
    capa->addWidget(cerrar, 0, Qt::AlignRight);
    connect(cerrar, &QPushButton::clicked, this, &QDialog::close);
    PonTextosIdioma(this, "AYUDA", dic);
    resize(760, 560);
}

void Ayuda::Abre(const QString &fichero) {
    navegador_->setSource(QUrl::fromLocalFile(fichero));
    show();
    raise();
    activateWindow();
}

}  // namespace tarvo
