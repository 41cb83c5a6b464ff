#include "comms/ui/monitor_qt.h"

#include "core/rutas.h"
#include "core/ui/controles.h"
#include "core/ui/textos_qt.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace tarvo {
namespace {

void Centra(QWidget *w) {
    w->adjustSize();
    if (QScreen *s = w->screen()) w->move(PosicionVentana(s->availableGeometry(), w->frameGeometry(), CentroEscritorio));
}

// A box whose content is selected whenever it is entered, so that what is
// typed replaces the value shown. Deferred: the click that brings the focus
// places the cursor after the focus event.
class CampoSeleccionado : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent *e) override {
        QLineEdit::focusInEvent(e);
        QTimer::singleShot(0, this, &QLineEdit::selectAll);
    }
};

}  // namespace

BarraPorcentaje::BarraPorcentaje(QWidget *parent) : QWidget(parent) { setMinimumHeight(22); }

void BarraPorcentaje::Pon(int porcentaje) {
    if (porcentaje < 0 || porcentaje > 100) return;
    valor_ = porcentaje;
    repaint();   // the transfer blocks the event loop between blocks
}

void BarraPorcentaje::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    p.fillRect(r, palette().base());
    const int lleno = r.width() * valor_ / 100;
    p.fillRect(QRect(r.left(), r.top(), lleno, r.height()), palette().highlight());
    p.setPen(palette().windowText().color());
    p.drawRect(r);
    p.drawText(r, Qt::AlignCenter, QString::number(valor_) + "%");
}

BarraProgreso::BarraProgreso(const clsDiccionario &dic, QWidget *parent) : QDialog(parent), dic_(dic) {
    setObjectName("BarraProgreso");
    tabla_ = CreaEtiqueta("lblTabla", this);
    total_ = new BarraPorcentaje(this);
    total_->setObjectName("picBarTot");
    actual_ = new BarraPorcentaje(this);
    actual_->setObjectName("picBarCur");
    auto *capa = new QGridLayout(this);
    capa->addWidget(CreaEtiqueta("lblTotal", this), 0, 0);
    capa->addWidget(total_, 0, 1);
    capa->addWidget(tabla_, 1, 1);
    capa->addWidget(CreaEtiqueta("lblActual", this), 2, 0);
    capa->addWidget(actual_, 2, 1);
    PonTextosIdioma(this, "PROGRESO", dic);
    setMinimumWidth(420);
}

void BarraProgreso::PerCntTot(int p) { total_->Pon(p); }
void BarraProgreso::PerCntCur(int p) { actual_->Pon(p); }

void BarraProgreso::PonTabla(const QString &tabla) {
    tabla_->setText(tabla.isEmpty() ? QString() : dic_.Texto(3160, tabla.trimmed()));
    tabla_->repaint();   // the transfer blocks the event loop between blocks
}

DebugCom::DebugCom(const clsDiccionario &dic, QWidget *parent) : QDialog(parent) {
    setObjectName("DebugCom");
    envio_ = new QPlainTextEdit(this);
    envio_->setObjectName("txtEnviar");
    recepcion_ = new QPlainTextEdit(this);
    recepcion_->setObjectName("txtRecibir");
    for (QPlainTextEdit *t : {envio_, recepcion_}) {
        t->setReadOnly(true);
        t->setFont(QFont("Monospace"));
    }
    auto *borraEnvio = CreaBoton("cmdBorrarEnviar", this);
    auto *borraRecepcion = CreaBoton("cmdBorrarRecibir", this);
    auto *capa = new QGridLayout(this);
    capa->addWidget(envio_, 0, 0);
    capa->addWidget(recepcion_, 0, 1);
    capa->addWidget(borraEnvio, 1, 0);
    capa->addWidget(borraRecepcion, 1, 1);
    connect(borraEnvio, &QPushButton::clicked, envio_, &QPlainTextEdit::clear);
    connect(borraRecepcion, &QPushButton::clicked, recepcion_, &QPlainTextEdit::clear);
    PonTextosIdioma(this, "DEPURA", dic);
    resize(760, 420);
}

CommError::CommError(const QString &mensaje, const clsDiccionario &dic, QWidget *parent) : QDialog(parent) {
    setObjectName("CommError");
    auto *texto = CreaEtiqueta("lblMensaje", this);
    texto->setAlignment(Qt::AlignCenter);
    texto->setWordWrap(true);
    auto *ok = CreaBoton("cmdOK", this);
    ok->setDefault(true);
    auto *capa = new QVBoxLayout(this);
    capa->addWidget(CreaEtiqueta("lblTitulo", this));
    capa->addWidget(texto);
    capa->addWidget(ok, 0, Qt::AlignCenter);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    PonTextosIdioma(this, "ERRCOM", dic);
    texto->setText(QString(mensaje).replace("\r\n", "\n"));
    setMinimumWidth(360);
    Centra(this);
}

IdentRele::IdentRele(qint16 numero, qint32 clave, const clsDiccionario &dic, MonitorComunicaciones::Aceptacion acepta,
                     QWidget *parent)
    : QDialog(parent), acepta_(std::move(acepta)) {
    setObjectName("IdentRele");
    numero_ = new CampoSeleccionado(numero > 0 ? QString::number(numero) : QString(), this);
    numero_->setObjectName("numrele");
    clave_ = new CampoSeleccionado(clave > 0 ? QString::number(clave) : QString(), this);
    clave_->setObjectName("passrele");
    clave_->setEchoMode(QLineEdit::Password);
    auto *ok = CreaBoton("cmdOK", this);
    ok->setDefault(true);   // Enter in either box acts as OK
    auto *cancelar = CreaBoton("cmdCancel", this);
    auto *capa = new QGridLayout(this);
    capa->addWidget(CreaEtiqueta("lblNumero", this), 0, 0);
    capa->addWidget(numero_, 0, 1);
    capa->addWidget(CreaEtiqueta("lblClave", this), 1, 0);
    capa->addWidget(clave_, 1, 1);
    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(ok);
    botones->addWidget(cancelar);
    capa->addLayout(botones, 2, 0, 1, 2);
    connect(ok, &QPushButton::clicked, this, &IdentRele::Acepta);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    PonTextosIdioma(this, "IDRELE", dic);
    Centra(this);
}

MonitorComunicaciones::Identificacion IdentRele::Textos() const { return {numero_->text(), clave_->text()}; }

void IdentRele::Acepta() {
    if (!acepta_ || acepta_(Textos())) {
        accept();
        return;
    }
    numero_->setFocus(Qt::OtherFocusReason);
}

MonitorQt::~MonitorQt() {
    delete progreso_;
    delete traza_;
    delete conexion_;
}

// Above the main window but not its child: the main window is disabled while
// a transfer runs, and a disabled window disables every window it parents.
void MonitorQt::SobrePrincipal(QWidget *ventana) const {
    if (!principal_ || !principal_->windowHandle()) return;
    ventana->winId();
    ventana->windowHandle()->setTransientParent(principal_->windowHandle());
}

void MonitorQt::AbreProgreso(const QString &titulo) {
    if (!progreso_) {
        progreso_ = new BarraProgreso(dic_);
        SobrePrincipal(progreso_);
    }
    progreso_->setWindowTitle(titulo);
    progreso_->PerCntTot(0);
    progreso_->PerCntCur(0);
    progreso_->PonTabla({});
    progreso_->show();
    progreso_->raise();
    Centra(progreso_);
    QCoreApplication::processEvents();
}

void MonitorQt::PerCntTot(int p) {
    if (progreso_) progreso_->PerCntTot(p);
}

void MonitorQt::PerCntCur(int p) {
    if (progreso_) progreso_->PerCntCur(p);
}

void MonitorQt::PonTabla(const QString &tabla) {
    if (progreso_) progreso_->PonTabla(tabla);
}

void MonitorQt::CierraProgreso() {
    if (progreso_) progreso_->hide();
}

void MonitorQt::MuestraTraza() {
    if (!traza_) {
        traza_ = new DebugCom(dic_);
        SobrePrincipal(traza_);
    }
    traza_->show();
    traza_->raise();
}

void MonitorQt::PonTraza(Traza caja, const QString &texto) {
    MuestraTraza();
    traza_->Caja(caja)->setPlainText(texto);
}

void MonitorQt::AnadeTraza(Traza caja, const QString &texto) {
    MuestraTraza();
    QPlainTextEdit *t = traza_->Caja(caja);
    t->moveCursor(QTextCursor::End);
    t->insertPlainText(texto);
    t->verticalScrollBar()->setValue(t->verticalScrollBar()->maximum());
    t->repaint();
}

void MonitorQt::ErrorComunicacion(const QString &mensaje) {
    CommError dlg(mensaje, dic_);
    SobrePrincipal(&dlg);
    dlg.exec();
}

void MonitorQt::MuestraConexion(bool visible) {
    if (!visible) {
        if (conexion_) conexion_->hide();
        return;
    }
    if (!conexion_) {
        conexion_ = new QDialog;
        SobrePrincipal(conexion_);
        conexion_->setObjectName("Conexion");
        auto *capa = new QVBoxLayout(conexion_);
        auto *texto = CreaEtiqueta("lblEspera", conexion_);
        texto->setAlignment(Qt::AlignCenter);
        capa->addWidget(texto);
        PonTextosIdioma(conexion_, "CONEXION", dic_);
        conexion_->setMinimumWidth(320);
    }
    conexion_->show();
    Centra(conexion_);
    QCoreApplication::processEvents();
}

std::optional<MonitorComunicaciones::Identificacion> MonitorQt::PideIdentificacion(qint16 numeroActual,
                                                                                   qint32 claveActual,
                                                                                   const Aceptacion &acepta) {
    IdentRele dlg(numeroActual, claveActual, dic_, acepta);
    SobrePrincipal(&dlg);
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    return dlg.Textos();
}

}  // namespace tarvo
