#include "store/ui/informacion_vista.h"

#include "core/ui/controles.h"
#include "core/ui/textos_qt.h"
#include "store/informacion.h"
#include "store/modelos.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvo {
namespace {

QLineEdit *Caja(const char *nombre, QWidget *padre, bool soloLectura) {
    auto *c = new QLineEdit(padre);
    c->setObjectName(nombre);
    c->setReadOnly(soloLectura);
    return c;
}

}  // namespace

Informacion::Informacion(Contexto &ctx, VentanaMadre &madre, std::function<QString()> huella, QWidget *parent)
    : QWidget(parent), ctx_(ctx), madre_(madre), huella_(std::move(huella)) {
    setObjectName("Informacion");
    frm_ = new QFrame(this);
    frm_->setObjectName("frm");
    frm_->setFixedSize(520, 410);

    auto *fichero = new QGroupBox(frm_);
    fichero->setObjectName("Frame1");
    auto *capa1 = new QFormLayout(fichero);
    auto *txtFichero = Caja("txtFichero", fichero, true);
    auto *txtModelo = Caja("txtModeloRele", fichero, true);
    auto *txtBase = Caja("txtBaseDatos", fichero, true);
    capa1->addRow(CreaEtiqueta("lblFichero", fichero), txtFichero);
    capa1->addRow(CreaEtiqueta("lblModeloRele", fichero), txtModelo);
    capa1->addRow(CreaEtiqueta("lblBaseDatos", fichero), txtBase);
    txtHuella_ = Caja("txtHuella", fichero, true);
    if (huella_) capa1->addRow(CreaEtiqueta("lblHuella", fichero), txtHuella_);
    else txtHuella_->hide();

    instalacion_ = new QGroupBox(frm_);
    instalacion_->setObjectName("Frame2");
    auto *capa2 = new QFormLayout(instalacion_);
    subestacion_ = Caja("Text1", instalacion_, false);
    linea_ = Caja("Text2", instalacion_, false);
    comentarios_ = new QPlainTextEdit(instalacion_);
    comentarios_->setObjectName("Text3");
    comentarios_->setTabChangesFocus(true);
    capa2->addRow(CreaEtiqueta("lblSubestacion", instalacion_), subestacion_);
    capa2->addRow(CreaEtiqueta("lblLinea", instalacion_), linea_);
    capa2->addRow(CreaEtiqueta("lblComentarios", instalacion_), comentarios_);

    aplicar_ = new QPushButton(frm_);
    aplicar_->setObjectName("cmdApply");
    auto *cerrar = new QPushButton(frm_);
    cerrar->setObjectName("cmdClose");
    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(aplicar_);
    botones->addWidget(cerrar);
    auto *capa = new QVBoxLayout(frm_);
    capa->addWidget(fichero);
    capa->addWidget(instalacion_);
    capa->addLayout(botones);

    // The lengths the template's columns hold.
    subestacion_->setMaxLength(50);
    linea_->setMaxLength(50);

    txtModelo->setText(ModeloAPantalla(ctx.app.NombreModelo));
    txtBase->setText(ctx.app.BaseDatos);
    txtFichero->setText(ctx.app.FicheroActual);
    aplicar_->setEnabled(false);
    instalacion_->setEnabled(false);   // until its texts have been read
    PonTextosIdioma(this, "Informacion", ctx.dic);

    // Only a change of the text is an edit; keys that move or select are not.
    connect(subestacion_, &QLineEdit::textEdited, this, &Informacion::MarcaCambio);
    connect(linea_, &QLineEdit::textEdited, this, &Informacion::MarcaCambio);
    connect(comentarios_, &QPlainTextEdit::textChanged, this, &Informacion::MarcaCambio);
    connect(aplicar_, &QPushButton::clicked, this, &Informacion::Aplica);
    connect(cerrar, &QPushButton::clicked, this, [this] { madre_.MuestraPortada(); });
}

bool Informacion::Carga() {
    if (huella_) {
        txtHuella_->setText(huella_());
        txtHuella_->setCursorPosition(0);
    }
    const auto textos = CargaTablaVarios(ctx_);
    if (!textos) return false;
    const QSignalBlocker bloqueo(comentarios_);
    subestacion_->setText(textos->Subestacion);
    linea_->setText(textos->Linea);
    comentarios_->setPlainText(textos->Comentarios);
    leida_ = true;
    instalacion_->setEnabled(true);
    return true;
}

void Informacion::MarcaCambio() {
    ctx_.app.ConfiguracionGuardada = false;
    aplicar_->setEnabled(true);
}

void Informacion::Aplica() {
    // Texts that could not be read are never written back over the real ones.
    if (leida_ && ctx_.app.HayFicheroActual())
        ActualizaTablaVarios(ctx_, {subestacion_->text(), linea_->text(), comentarios_->toPlainText().left(255)});
    aplicar_->setEnabled(false);
}

void Informacion::resizeEvent(QResizeEvent *e) {
    QWidget::resizeEvent(e);
    frm_->move(qMax(0, (width() - frm_->width()) / 2), qMax(0, (height() - frm_->height()) / 2));
}

}  // namespace tarvo
