#include "editors/aparamenta.h"

#include "comms/codificacion/registros.h"
#include "editors/teclas.h"
#include "core/ui/controles.h"
#include "store/tablas.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarvo {

cnt_Aparamenta::cnt_Aparamenta(Contexto &ctx, VentanaMadre &madre, QWidget *parent)
    : EditorTabla(ctx, madre,
                  {.nombre = "cnt_Aparamenta",
                   .textoEstado = 85,
                   .origen = "TiempoAperturaCierre CTRL",
                   .tablasEnviadas = {"Aparamenta CTRL", "TiempoAperturaCierre CTRL"},
                   .rellenaAlGuardar = true},
                  parent) {
    QWidget *padre = Nombre()->parentWidget();
    seleccionada_ = new QCheckBox(padre);
    seleccionada_->setObjectName("chk_AparamentaSeleccionada");
    apertura_ = new QLineEdit(padre);
    apertura_->setObjectName("txt_TemporizadorApertura");
    cierre_ = new QLineEdit(padre);
    cierre_->setObjectName("txt_TemporizadorCierre");
    contacto_ = new QCheckBox(padre);
    contacto_->setObjectName("chk_ContactoEntradas");
    transicion_ = new QPushButton("00", padre);
    transicion_->setObjectName("btn_contacto");
    transicion_->setAutoDefault(false);
    transicion_->setFixedWidth(48);
    etiquetaTransicion_ = CreaEtiqueta("etiq_contacto", padre);

    QGridLayout *c = Campos();
    c->addWidget(seleccionada_, 1, 0, 1, 4);
    c->addWidget(CreaEtiqueta("lbl_TemporizadorApertura", padre), 2, 0);
    c->addWidget(apertura_, 2, 1);
    c->addWidget(CreaEtiqueta("lbl_TemporizadorCierre", padre), 3, 0);
    c->addWidget(cierre_, 3, 1);
    c->addWidget(contacto_, 4, 0, 1, 2);
    c->addWidget(etiquetaTransicion_, 5, 0);
    c->addWidget(transicion_, 5, 1, Qt::AlignLeft);

    for (QLineEdit *t : {apertura_, cierre_}) {
        ValidaTeclaNumero(ctx, t);
        Vigila(t);
    }
    Vigila(seleccionada_);
    connect(Nombre(), &QLineEdit::textEdited, seleccionada_, &QCheckBox::setText);
    connect(contacto_, &QCheckBox::clicked, this, [this] {
        if (!EventosActivos()) return;
        if (contacto_->isChecked()) transicion_->setText("00");
        ActivaTransicion();
        MarcaCambios();
    });
    connect(transicion_, &QPushButton::clicked, this, [this] {
        if (!EventosActivos()) return;
        transicion_->setText(transicion_->text() == "00" ? "11" : "00");
        MarcaCambios();
    });
}

int cnt_Aparamenta::CargarComboBoxAparamenta(const QString &columna) {
    n_ = Registros()->RecordCount() / 2;
    conTransicion_ = ExisteCampo(*Registros(), "EstadoTransicion");
    Lista()->clear();
    Registros()->MoveFirst();
    for (int i = 0; i < n_; ++i, Registros()->MoveNext())
        Lista()->addItem(Registros()->Value(columna).toString().trimmed());
    if (n_ > 0) IrARegistro(qBound(1, RegistroActual(), n_));
    Lista()->setCurrentIndex(RegistroActual() - 1);
    return n_;
}

void cnt_Aparamenta::ActivaTransicion() {
    const bool activa = seleccionada_->isEnabled() && conTransicion_ && !contacto_->isChecked();
    transicion_->setEnabled(activa);
    etiquetaTransicion_->setEnabled(activa);
}

void cnt_Aparamenta::MuestraRegistro() {
    bd::Recordset &rs = *Registros();
    const QString nombre = rs.Value("NombreAjuste").toString().trimmed();
    seleccionada_->setChecked(rs.Value("AparamentaSeleccionada").toBool());
    seleccionada_->setText(nombre);
    contacto_->setChecked(rs.Value("Contacto").toBool());
    transicion_->setText(conTransicion_ && rs.Value("EstadoTransicion").toInt() != 0 ? "11" : "00");
    const bool configurable = rs.Value("Configurable").toBool();
    apertura_->setText(rs.Value("Temporizador").toString());
    IrARegistro(RegistroActual() + n_);
    cierre_->setText(rs.Value("Temporizador").toString());
    IrARegistro(RegistroActual());
    for (QWidget *w : {static_cast<QWidget *>(seleccionada_), static_cast<QWidget *>(apertura_),
                       static_cast<QWidget *>(cierre_), static_cast<QWidget *>(Nombre()),
                       static_cast<QWidget *>(contacto_)})
        w->setEnabled(configurable);
    ActivaTransicion();
}

bool cnt_Aparamenta::Guarda() {
    bd::Recordset &rs = *Registros();
    const int i = RegistroActual();
    const auto tApertura = LeeEnRango(apertura_->text(), "Temporizador Apertura", rs.Value("Minimo").toLongLong(),
                                      rs.Value("Maximo").toLongLong());
    if (!tApertura) return false;
    IrARegistro(i + n_);
    const qint64 minCierre = rs.Value("Minimo").toLongLong(), maxCierre = rs.Value("Maximo").toLongLong();
    IrARegistro(i);
    const auto tCierre = LeeEnRango(cierre_->text(), "Temporizador Cierre", minCierre, maxCierre);
    if (!tCierre) return false;
    const bool enUso = seleccionada_->isChecked(), porEntradas = contacto_->isChecked();
    const bool transicion = transicion_->text() == "11";
    auto escribe = [&](qint64 tiempo) {
        rs.Edit();
        rs.SetValue("AparamentaSeleccionada", enUso);
        rs.SetValue("Temporizador", tiempo);
        rs.SetValue("Contacto", porEntradas);
        if (conTransicion_) rs.SetValue("EstadoTransicion", transicion ? 1 : 0);
        rs.SetValue("NombreAjuste", Nombre()->text());
        rs.SetValue("Codificacion", CodificacionTiempo(int(tiempo)));
        rs.Update();
    };
    Base()->BeginTrans();
    try {
        escribe(*tApertura);
        IrARegistro(i + n_);
        escribe(*tCierre);
        IrARegistro(i);
        auto flags = Base()->OpenRecordset("Aparamenta CTRL", bd::TipoRecordset::Dynaset);
        flags->MoveFirst();
        flags->Edit();
        flags->SetValue("Codificacion", CodificacionAparamenta(flags->Value("Codificacion").toString(), i, enUso,
                                                               porEntradas, transicion));
        flags->Update();
        Base()->CommitTrans();
    } catch (...) {
        Base()->Rollback();
        throw;
    }
    return true;
}

}  // namespace tarvo
