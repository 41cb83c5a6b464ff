#include "shell/opciones.h"

#include "core/ui/controles.h"
#include "core/ui/textos_qt.h"
#include "core/rutas.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace tarvo {
namespace {

QComboBox *Lista(const char *nombre, QWidget *padre) {
    auto *c = new QComboBox(padre);
    c->setObjectName(nombre);
    return c;
}

// Shows `valor` as the current entry, adding it when the list lacks it: a
// setting the list does not offer (or an undetected port) is kept as it is.
void Selecciona(QComboBox *c, const QString &valor) {
    if (c->findText(valor) < 0) c->addItem(valor);
    c->setCurrentIndex(c->findText(valor));
}

}  // namespace

Opciones::Opciones(Contexto &ctx, VentanaPrincipal &madre, QWidget *parent)
    : QDialog(parent), ctx_(ctx), madre_(madre) {
    setObjectName("Opciones");
    const Aplicacion &a = ctx.app;
    tab_ = new QTabWidget(this);
    tab_->setObjectName("TabOpciones");

    // Page 0: one option per language of the language data.
    auto *pIdioma = new QWidget;
    auto *capaIdioma = new QVBoxLayout(pIdioma);
    for (int i = 0; i < a.NombresIdiomas.size(); ++i) {
        auto *r = new QRadioButton(a.NombresIdiomas[i], pIdioma);
        r->setObjectName(QString("Idiomas_%1").arg(i));
        r->setChecked(i == a.Idioma);
        capaIdioma->addWidget(r);
        idiomas_.append(r);
        connect(r, &QRadioButton::clicked, this, &Opciones::Cambia);
    }
    capaIdioma->addStretch();

    // Page 1: the serial port.
    auto *pComms = new QWidget;
    auto *capaComms = new QFormLayout(pComms);
    puertos_ = Lista("cmbPuertos", pComms);
    velocidad_ = Lista("cmbVelocidad", pComms);
    longitud_ = Lista("cmbLongPalabra", pComms);
    paridad_ = Lista("cmbParidad", pComms);
    bitsStop_ = Lista("cmbBitsStop", pComms);
    capaComms->addRow(CreaEtiqueta("lblPuerto", pComms), puertos_);
    capaComms->addRow(CreaEtiqueta("lblVelocidad", pComms), velocidad_);
    capaComms->addRow(CreaEtiqueta("lblLongPalabra", pComms), longitud_);
    capaComms->addRow(CreaEtiqueta("lblParidad", pComms), paridad_);
    capaComms->addRow(CreaEtiqueta("lblBitsStop", pComms), bitsStop_);
    const ParametrosPuerto &p = a.Comunicaciones;
    for (quint8 n : a.ListaPuertos) puertos_->addItem("COM" + QString::number(n));
    Selecciona(puertos_, "COM" + QString::number(p.Puerto));
    velocidad_->addItems({"110", "300", "600", "1200", "2400", "4800", "9600", "14400", "19200", "38400", "56000",
                          "57600", "115200", "128000", "256000"});
    Selecciona(velocidad_, QString::number(p.Velocidad));
    longitud_->addItems({"6", "7", "8"});
    Selecciona(longitud_, QString::number(p.LongitudPalabra));
    LlenaParidad();
    bitsStop_->addItems({"1", "1,5", "2"});
    bitsStop_->setCurrentIndex(p.BitsStop <= 2 ? p.BitsStop : 0);
    pComms->setEnabled(!a.ListaPuertos.isEmpty());

    // Page 2: the folders.
    auto *pDirs = new QWidget;
    auto *capaDirs = new QGridLayout(pDirs);
    trabajo_ = new QLineEdit(a.DirectorioTrabajo, pDirs);
    trabajo_->setObjectName("txtWorkPath");
    modelos_ = new QLineEdit(a.DirectorioModelos, pDirs);
    modelos_->setObjectName("txtBDPath");
    auto *bTrabajo = new QToolButton(pDirs);
    bTrabajo->setObjectName("cmdWorkPath");
    bTrabajo->setText("...");
    auto *bModelos = new QToolButton(pDirs);
    bModelos->setObjectName("cmdBDPath");
    bModelos->setText("...");
    capaDirs->addWidget(CreaEtiqueta("lblWorkPath", pDirs), 0, 0, 1, 2);
    capaDirs->addWidget(trabajo_, 1, 0);
    capaDirs->addWidget(bTrabajo, 1, 1);
    capaDirs->addWidget(CreaEtiqueta("lblBDPath", pDirs), 2, 0, 1, 2);
    capaDirs->addWidget(modelos_, 3, 0);
    capaDirs->addWidget(bModelos, 3, 1);
    capaDirs->setRowStretch(4, 1);
    connect(bTrabajo, &QToolButton::clicked, this, [this] { EligeCarpeta(trabajo_, 1304); });
    connect(bModelos, &QToolButton::clicked, this, [this] { EligeCarpeta(modelos_, 1305); });

    tab_->addTab(pIdioma, "Idioma");
    tab_->addTab(pComms, "Comunicaciones");
    tab_->addTab(pDirs, "Directorios");

    auto *ok = new QPushButton(this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    auto *cancelar = new QPushButton(this);
    cancelar->setObjectName("cmdCancel");
    aplicar_ = new QPushButton(this);
    aplicar_->setObjectName("cmdApply");
    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(ok);
    botones->addWidget(cancelar);
    botones->addWidget(aplicar_);
    auto *capa = new QVBoxLayout(this);
    capa->addWidget(tab_);
    capa->addLayout(botones);
    connect(ok, &QPushButton::clicked, this, &Opciones::Acepta);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(aplicar_, &QPushButton::clicked, this, &Opciones::Aplica);

    for (QComboBox *c : {puertos_, velocidad_, longitud_, paridad_, bitsStop_})
        connect(c, &QComboBox::activated, this, &Opciones::Cambia);
    connect(trabajo_, &QLineEdit::textEdited, this, &Opciones::Cambia);
    connect(modelos_, &QLineEdit::textEdited, this, &Opciones::Cambia);

    PonTextosIdioma(this, "OPCIONE", ctx.dic);
    aplicar_->setEnabled(false);
    resize(460, 300);
    if (screen()) move(PosicionVentana(screen()->availableGeometry(), frameGeometry(), CentroEscritorio));
}

void Opciones::SoloComunicaciones() {
    tab_->setTabEnabled(0, false);
    tab_->setTabEnabled(2, false);
    tab_->setCurrentIndex(1);
}

void Opciones::LlenaParidad() {
    paridad_->clear();
    for (int i = 0; i < 5; ++i) paridad_->addItem(ctx_.dic.Texto(116 + i));
    paridad_->setCurrentIndex(ctx_.app.Comunicaciones.Paridad <= 4 ? ctx_.app.Comunicaciones.Paridad : 0);
}

void Opciones::Cambia() { aplicar_->setEnabled(true); }

void Opciones::EligeCarpeta(QLineEdit *caja, int texto) {
    const auto elegida = ctx_.ui->EligeCarpeta(ctx_.dic.Texto(texto) + ":\r\n" + caja->text(), caja->text());
    QString ruta = elegida.value_or(QString());
    if (ruta.isEmpty()) return;
    if (!ruta.endsWith(Separador)) ruta += Separador;
    if (ruta == caja->text()) return;
    caja->setText(ruta);
    aplicar_->setEnabled(true);
}

void Opciones::Aplica() {
    OpcionesElegidas e;
    if (!ctx_.app.ListaPuertos.isEmpty()) {
        ParametrosPuerto p;
        p.Puerto = quint8(puertos_->currentText().mid(3).toInt());
        p.Velocidad = velocidad_->currentText().toInt();
        p.LongitudPalabra = quint8(longitud_->currentText().toInt());
        p.Paridad = quint8(qMax(0, paridad_->currentIndex()));
        p.BitsStop = quint8(qMax(0, bitsStop_->currentIndex()));
        e.comunicaciones = p;
    }
    e.directorioTrabajo = trabajo_->text();
    e.directorioModelos = modelos_->text();
    e.idioma = ctx_.app.Idioma;
    for (int i = 0; i < idiomas_.size(); ++i)
        if (idiomas_[i]->isChecked()) e.idioma = quint8(i);
    if (AplicaOpciones(ctx_, madre_, e)) {
        PonTextosIdioma(this, "OPCIONE", ctx_.dic);
        LlenaParidad();
    }
    trabajo_->setText(ctx_.app.DirectorioTrabajo);
    modelos_->setText(ctx_.app.DirectorioModelos);
    aplicar_->setEnabled(false);
}

void Opciones::Acepta() {
    if (aplicar_->isEnabled()) Aplica();
    accept();
}

}  // namespace tarvo
