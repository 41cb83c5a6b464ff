#include "store/ui/seleccion_modelo.h"

#include "core/ui/textos_qt.h"
#include "core/rutas.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace tarvo {

SeleccionModelo::SeleccionModelo(const QStringList &lineas, bool aceptar, const clsDiccionario *dic, QWidget *parent)
    : QDialog(parent) {
    setObjectName("SeleccionModelo");
    setWindowTitle(TituloAplicacion);
    auto *etiqueta = new QLabel(this);
    etiqueta->setObjectName("lbl_Etiqueta");
    lista_ = new QListWidget(this);
    lista_->setObjectName("lst_Modelos");
    lista_->addItems(lineas);
    if (lista_->count() > 0) lista_->setCurrentRow(0);
    aceptar_ = new QPushButton("Aceptar", this);
    aceptar_->setObjectName("btn_Aceptar");
    aceptar_->setDefault(true);
    aceptar_->setEnabled(aceptar);
    auto *cancelar = new QPushButton("Cancelar", this);
    cancelar->setObjectName("btn_Cancelar");
    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(aceptar_);
    botones->addWidget(cancelar);
    auto *capa = new QVBoxLayout(this);
    capa->addWidget(etiqueta);
    capa->addWidget(lista_);
    capa->addLayout(botones);
    connect(aceptar_, &QPushButton::clicked, this, &SeleccionModelo::Acepta);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(lista_, &QListWidget::itemDoubleClicked, this, [this] {
        if (aceptar_->isEnabled()) Acepta();
    });
    if (dic) PonTextosIdioma(this, "SELECCIO", *dic);
    resize(360, 300);
    if (screen()) move(PosicionVentana(screen()->availableGeometry(), frameGeometry(), CentroEscritorio));
}

void SeleccionModelo::Acepta() {
    if (lista_->currentItem()) elegido_ = lista_->currentItem()->text();
    accept();
}

}  // namespace tarvo
