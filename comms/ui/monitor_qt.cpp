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
#include <QVBoxLayout>

namespace tarvo {
namespace {

void Centra(QWidget *w) {
    w->adjustSize();
    if (QScreen *s = w->screen()) w->move(PosicionVentana(s->availableGeometry(), w->frameGeometry(), CentroEscritorio));
}

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

BarraProgreso::BarraProgreso(const clsDiccionario &dic, QWidget *parent) : QDialog(parent) {
    setObjectName("BarraProgreso");
    total_ = new BarraPorcentaje(this);
    total_->setObjectName("picBarTot");
    actual_ = new BarraPorcentaje(this);
    actual_->setObjectName("picBarCur");
    auto *capa = new QGridLayout(this);
    capa->addWidget(CreaEtiqueta("lblTotal", this), 0, 0);
    capa->addWidget(total_, 0, 1);
    capa->addWidget(CreaEtiqueta("lblActual", this), 1, 0);
    capa->addWidget(actual_, 1, 1);
    PonTextosIdioma(this, "PROGRESO", dic);
    setMinimumWidth(420);
}

void BarraProgreso::PerCntTot(int p) { total_->Pon(p); }
void BarraProgreso::PerCntCur(int p) { actual_->Pon(p); }

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

IdentRele::IdentRele(qint16 numero, qint32 clave, const clsDiccionario &dic, QWidget *parent) : QDialog(parent) {
    setObjectName("IdentRele");
    numero_ = new QLineEdit(numero > 0 ? QString::number(numero) : QString(), this);
    numero_->setObjectName("numrele");
    clave_ = new QLineEdit(clave > 0 ? QString::number(clave) : QString(), this);
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
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    PonTextosIdioma(this, "IDRELE", dic);
    Centra(this);
}

MonitorComunicaciones::Identificacion IdentRele::Textos() const { return {numero_->text(), clave_->text()}; }

MonitorQt::~MonitorQt() {
    delete progreso_;
    delete traza_;
    delete conexion_;
}

void MonitorQt::AbreProgreso(const QString &titulo) {
    if (!progreso_) progreso_ = new BarraProgreso(dic_, principal_);
    progreso_->setWindowTitle(titulo);
    progreso_->PerCntTot(0);
    progreso_->PerCntCur(0);
    progreso_->show();
    Centra(progreso_);
    QCoreApplication::processEvents();
}

void MonitorQt::PerCntTot(int p) {
    if (progreso_) progreso_->PerCntTot(p);
}

void MonitorQt::PerCntCur(int p) {
    if (progreso_) progreso_->PerCntCur(p);
}

void MonitorQt::CierraProgreso() {
    if (progreso_) progreso_->hide();
}

void MonitorQt::MuestraTraza() {
    if (!traza_) traza_ = new DebugCom(dic_, principal_);
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
    CommError dlg(mensaje, dic_, QApplication::activeWindow() ? QApplication::activeWindow() : principal_.data());
    dlg.exec();
}

void MonitorQt::MuestraConexion(bool visible) {
    if (!visible) {
        if (conexion_) conexion_->hide();
        return;
    }
    if (!conexion_) {
        conexion_ = new QDialog(principal_);
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
                                                                                   qint32 claveActual) {
    IdentRele dlg(numeroActual, claveActual, dic_, principal_);
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    return dlg.Textos();
}

}  // namespace tarvo
