#include "editors/aparamenta.h"

#include "comms/codificacion/registros.h"
#include "editors/teclas.h"
#include "core/ui/controles.h"
#include "store/catalogo.h"
#include "store/tablas.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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

const char *cnt_EntradasAparamenta::Consulta =
    "SELECT DISTINCTROW [TiempoAperturaCierre CTRL].NombreAjuste, [Entradas CTRL].NombreAjuste AS Borna, "
    "[Entradas CTRL].Codificacion AS CodifiBorna, [Entradas CTRL].TipoEntrada  FROM [TiempoAperturaCierre CTRL] "
    "INNER JOIN [Entradas CTRL] ON [TiempoAperturaCierre CTRL].Indice = [Entradas CTRL].NumeroOrden WHERE "
    "(([Entradas CTRL].TipoEntrada = \"Apa\")) ORDER BY [Entradas CTRL].Indice;";

cnt_EntradasAparamenta::cnt_EntradasAparamenta(Contexto &ctx, VentanaMadre &madre, QWidget *parent)
    : EditorTabla(ctx, madre,
                  {.nombre = "cnt_EntradasAparamenta",
                   .textoEstado = 89,
                   .origen = Consulta,
                   .tablasEnviadas = {"Entradas CTRL"},
                   .cajaNombre = {}},
                  parent) {
    QWidget *padre = Lista()->parentWidget();
    borna_ = new QLabel(padre);
    borna_->setObjectName("txt_Borna");
    borna_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    borna_->setMinimumWidth(160);
    entradas_ = new QListWidget(padre);
    entradas_->setObjectName("lst_EntradasControl");
    entradas_->addItem(ctx.dic.Texto(530));
    for (int n = 1; n <= EntidadesDeTabla(ctx.app, "Entradas CTRL"); ++n) entradas_->addItem("EC " + QString::number(n));
    QGridLayout *c = Campos();
    c->addWidget(CreaEtiqueta("lbl_Borna", padre), 1, 0);
    c->addWidget(borna_, 1, 1);
    c->addWidget(CreaEtiqueta("lbl_EntradasControl", padre), 2, 0, Qt::AlignTop);
    c->addWidget(entradas_, 2, 1);
    connect(entradas_, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        if (!EventosActivos()) return;
        borna_->setText(item->text());
        MarcaCambios();
    });
}

int cnt_EntradasAparamenta::LlenaLista() {
    Lista()->clear();
    int fila = 0;
    for (Registros()->MoveFirst(); !Registros()->AtEOF(); Registros()->MoveNext(), ++fila)
        Lista()->addItem(Registros()->Value("NombreAjuste").toString().trimmed() + (fila % 2 == 0 ? "- A" : "- B"));
    if (fila > 0) IrARegistro(qBound(1, RegistroActual(), fila));
    Lista()->setCurrentIndex(RegistroActual() - 1);
    return fila;
}

void cnt_EntradasAparamenta::DespuesDePonerTextos() { entradas_->item(0)->setText(ctx().dic.Texto(530)); }

void cnt_EntradasAparamenta::MuestraRegistro() {
    bd::Recordset &rs = *Registros();
    Lista()->setCurrentIndex(RegistroActual() - 1);
    borna_->setText(rs.Value("Borna").toString());
    entradas_->clearSelection();
    const int indice = LeeCampo(rs.Value("CodifiBorna").toString()).value_or(0);
    if (indice >= 0 && indice < entradas_->count()) entradas_->setCurrentRow(indice);
}

bool cnt_EntradasAparamenta::Guarda() {
    bd::Recordset &rs = *Registros();
    rs.Edit();
    rs.SetValue("Borna", borna_->text());
    rs.SetValue("CodifiBorna", CodificacionIndice(qMax(0, entradas_->currentRow())));
    rs.Update();
    return true;
}

}  // namespace tarvo
