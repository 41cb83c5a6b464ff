#include "graphic/ui/com_grafico.h"

#include "core/ui/controles.h"
#include "core/ui/textos_qt.h"
#include "graphic/ui/objetos_bmp.h"
#include "graphic/ui/pinta_pagina.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QToolButton>
#include <QVBoxLayout>

namespace tarvo {
namespace {

constexpr int EscalaRejilla = 2;

// A palette button's picture: the kind drawn as on the display, its first
// rows and columns. Kinds drawn from their texts show a sample text.
QPixmap IconoTipo(int tipo) {
    ObjetoGrafico o;
    o.apaN2 = qint16(tipo);
    static const QHash<int, const char *> muestras = {
        {21, "Abc"}, {22, "V 99"}, {23, "ON"}, {24, "EV"}, {25, "F.CN"}, {42, "kWh"},
        {43, "999"}, {45, "I/O"}, {46, "BCD"}, {47, "MAN"},
    };
    if (muestras.contains(tipo)) {
        o.apaN2 = 21;
        o.txt = muestras.value(tipo);
    }
    PaginaCeldas pagina{};
    int filas = 1, columnas = 1;
    for (const CeldaDibujo &c : DibujoObjeto(o, 0))
        if (c.celda.fila < 3 && c.celda.col < 4) {
            pagina[size_t(c.celda.fila)][size_t(c.celda.col)] = c.contenido;
            filas = qMax(filas, c.celda.fila + 1);
            columnas = qMax(columnas, c.celda.col + 1);
        }
    const QSize celda = TamanoCeldaBmp();
    QPixmap icono(celda.width() * columnas, celda.height() * filas);
    QPainter pintor(&icono);
    const ColoresPagina colores{QColor(Qt::white), QColor(Qt::black), QColor()};
    PintaPagina(pintor, pagina, QRectF(QPointF(0, 0), QSizeF(TamanoNaturalPagina())), colores);
    return icono;
}

}  // namespace

// ------------------------------------------------------------- RejillaPantalla

RejillaPantalla::RejillaPantalla(const ModeloPantalla &modelo, QWidget *padre) : QWidget(padre), modelo_(modelo) {
    setObjectName("Pantalla");
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumSize(TamanoNaturalPagina());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize RejillaPantalla::sizeHint() const { return TamanoNaturalPagina() * EscalaRejilla; }

void RejillaPantalla::PonPagina(int pag) {
    pag_ = pag;
    update();
}

void RejillaPantalla::PonCursor(const Celda &c) {
    pag_ = c.pag;
    fila_ = qBound(0, c.fila, FilasPantalla - 1);
    col_ = qBound(0, c.col, ColumnasPantalla - 1);
    update();
}

QRectF RejillaPantalla::Area() const {
    // The page keeps the display's proportions, centred in the widget.
    const QSizeF natural = TamanoNaturalPagina();
    const qreal escala = qMin(width() / natural.width(), height() / natural.height());
    const QSizeF tamano = natural * escala;
    return {QPointF((width() - tamano.width()) / 2, (height() - tamano.height()) / 2), tamano};
}

std::optional<Celda> RejillaPantalla::CeldaEn(const QPoint &punto) const {
    const QRectF area = Area();
    if (!area.contains(punto)) return std::nullopt;
    const int col = int((punto.x() - area.left()) * ColumnasPantalla / area.width());
    const int fila = int((punto.y() - area.top()) * FilasPantalla / area.height());
    return Celda{pag_, qBound(0, fila, FilasPantalla - 1), qBound(0, col, ColumnasPantalla - 1)};
}

void RejillaPantalla::paintEvent(QPaintEvent *) {
    QPainter pintor(this);
    const QRectF area = Area();
    PintaPagina(pintor, modelo_.Celdas()[size_t(pag_)], area);
    pintor.setPen(QPen(hasFocus() ? QColor(Qt::red) : QColor(Qt::darkRed), 2));
    pintor.drawRect(RectanguloCelda(area, fila_, col_).adjusted(1, 1, -1, -1));
}

void RejillaPantalla::mousePressEvent(QMouseEvent *e) {
    if (e->button() != Qt::LeftButton) return;
    if (const auto c = CeldaEn(e->position().toPoint())) {
        PonCursor(*c);
        emit Pulsada(*c);
    }
}

void RejillaPantalla::mouseDoubleClickEvent(QMouseEvent *e) {
    if (e->button() != Qt::LeftButton) return;
    if (const auto c = CeldaEn(e->position().toPoint())) {
        PonCursor(*c);
        emit DobleClic(*c);
    }
}

void RejillaPantalla::mouseMoveEvent(QMouseEvent *e) {
    emit Movimiento();
    QWidget::mouseMoveEvent(e);
}

void RejillaPantalla::keyPressEvent(QKeyEvent *e) {
    switch (e->key()) {
    case Qt::Key_Left: PonCursor({pag_, fila_, col_ - 1}); break;
    case Qt::Key_Right: PonCursor({pag_, fila_, col_ + 1}); break;
    case Qt::Key_Up: PonCursor({pag_, fila_ - 1, col_}); break;
    case Qt::Key_Down: PonCursor({pag_, fila_ + 1, col_}); break;
    case Qt::Key_Delete: emit Suprimir(Cursor()); break;
    case Qt::Key_Return: case Qt::Key_Enter: case Qt::Key_Space: emit Pulsada(Cursor()); break;
    default: QWidget::keyPressEvent(e);
    }
}

// ----------------------------------------------------------------- com_Grafico

// The dialogs read the catalogues the load step fills.
com_Grafico::com_Grafico(Contexto &ctx, VentanaMadre &madre, QWidget *padre)
    : VistaEditor(padre), ctx_(ctx), madre_(madre), dialogos_(ctx, cat_, this),
      logica_(std::make_unique<EditorGrafico>(ctx, dialogos_)) {
    setObjectName("com_Grafico");
    setWindowTitle("Configuración Gráfica");
    CreaControles();
    reposo_.setSingleShot(true);
    reposo_.setInterval(800);
    connect(&reposo_, &QTimer::timeout, this, &com_Grafico::MuestraConsejo);
    setMouseTracking(true);
}

com_Grafico::~com_Grafico() { logica_->Cierra(); }

void com_Grafico::CreaControles() {
    auto *frm = new QWidget(this);
    frm->setObjectName("frm");
    auto *capa = new QVBoxLayout(frm);

    auto *cabecera = new QHBoxLayout;
    titulo_ = CreaEtiqueta("Label1", frm);
    titulo_->setStyleSheet("font-size: 13pt; font-weight: bold;");
    lista_ = new QComboBox(frm);
    lista_->setObjectName("cmb_ListaNombreAjustes");
    lista_->addItems({QString(), QString()});
    lista_->setMinimumWidth(200);
    anterior_ = CreaBoton("btn_Previous", frm, "<");
    siguiente_ = CreaBoton("btn_Next", frm, ">");
    numero_ = CreaEtiqueta("lbl_DisplayNumeroAjustes", frm);
    numero_->setAlignment(Qt::AlignCenter);
    numero_->setMinimumWidth(40);
    cabecera->addWidget(titulo_, 1);
    cabecera->addWidget(lista_);
    cabecera->addWidget(anterior_);
    cabecera->addWidget(numero_);
    cabecera->addWidget(siguiente_);
    capa->addLayout(cabecera);

    rejilla_ = new RejillaPantalla(logica_->Modelo(), frm);
    capa->addWidget(rejilla_, 1);

    auto *botones = new QGridLayout;
    botones->setSpacing(2);
    paleta_ = new QButtonGroup(this);
    paleta_->setExclusive(true);
    for (int tipo = 0; tipo < TiposGraficos; ++tipo) {
        auto *b = new QToolButton(frm);
        b->setObjectName(QString("ss_objeto_%1").arg(tipo));
        b->setCheckable(true);
        const QPixmap icono = IconoTipo(tipo);
        b->setIcon(icono);
        b->setIconSize(icono.size().scaled(40, 22, Qt::KeepAspectRatio));
        b->setFixedSize(48, 30);
        b->installEventFilter(this);
        paleta_->addButton(b, tipo);
        botones->addWidget(b, tipo / 25, tipo % 25);
    }
    capa->addLayout(botones);

    auto *pie = new QHBoxLayout;
    pie->addWidget(CreaEtiqueta("lbl_Fichero", frm));
    fichero_ = new QLineEdit(frm);
    fichero_->setObjectName("Text1");
    fichero_->setReadOnly(true);
    fichero_->setMaximumWidth(140);
    pie->addWidget(fichero_);
    pie->addStretch();
    imprimir_ = CreaBoton("imprimir", frm);
    pdf_ = CreaBoton("btn_Pdf", frm);
    pie->addWidget(imprimir_);
    pie->addWidget(pdf_);
    enviar_ = CreaBoton("C1", frm, "ENVIAR");
    salir_ = CreaBoton("btn_Exit", frm, "Salir");
    pie->addWidget(enviar_);
    pie->addWidget(salir_);
    capa->addLayout(pie);

    auto *fuera = new QVBoxLayout(this);
    fuera->addWidget(frm);

    consejo_ = CreaEtiqueta("label_objeto", this);
    consejo_->setFrameStyle(QFrame::Box);
    consejo_->setStyleSheet("background: #FFFFE1; padding: 2px;");
    consejo_->hide();

    connect(anterior_, &QPushButton::clicked, this, &com_Grafico::PaginaAnterior);
    connect(siguiente_, &QPushButton::clicked, this, &com_Grafico::PaginaSiguiente);
    connect(lista_, &QComboBox::activated, this, &com_Grafico::MuestraPagina);
    connect(enviar_, &QPushButton::clicked, this, &com_Grafico::EnviaGrafico);
    connect(imprimir_, &QPushButton::clicked, this, &com_Grafico::Imprime);
    connect(pdf_, &QPushButton::clicked, this, &com_Grafico::ExportaPdf);
    connect(salir_, &QPushButton::clicked, this, [this] { madre_.MuestraPortada(); });
    connect(rejilla_, &RejillaPantalla::Movimiento, this, &com_Grafico::OcultaConsejo);
    connect(rejilla_, &RejillaPantalla::Pulsada, this, [this](Celda c) {
        logica_->Pulsa(c, BotonPulsado());
        Refresca();
    });
    connect(rejilla_, &RejillaPantalla::DobleClic, this, [this](Celda c) {
        logica_->Edita(c);
        Refresca();
    });
    connect(rejilla_, &RejillaPantalla::Suprimir, this, [this](Celda c) {
        logica_->Borra(c);
        logica_->PonCursor(c);   // the cursor stays where it was
        Refresca();
    });
}

bool com_Grafico::Carga() {
    ctx_.ui->CursorOcupado(true);
    MuestraEstado(ctx_, ctx_.dic.Texto(106), true);
    MuestraProgreso(ctx_, 5);
    MuestraPagina(0);
    MuestraProgreso(ctx_, 10);
    const bool datos = logica_->CargaDatosObjeto();
    MuestraProgreso(ctx_, 50);
    cat_ = CargaCatalogosDialogos(ctx_);
    MuestraProgreso(ctx_, 70);
    if (!datos || !logica_->Abre()) {
        MuestraEstado(ctx_, ctx_.dic.Texto(70));
        ctx_.ui->CursorOcupado(false);
        return false;
    }
    MuestraProgreso(ctx_, 80);
    CargaBotones();
    MuestraProgreso(ctx_, 90);
    MuestraPagina(0);
    Refresca();
    MuestraProgreso(ctx_, 95);
    PonTextos();
    MuestraProgreso(ctx_, 100);
    MuestraEstado(ctx_, ctx_.dic.Texto(70));
    ctx_.ui->CursorOcupado(false);
    return true;
}

void com_Grafico::CargaBotones() {
    for (QAbstractButton *b : paleta_->buttons()) b->setEnabled(false);
    for (int tipo : logica_->Botones())
        if (QAbstractButton *b = paleta_->button(tipo)) b->setEnabled(true);
}

void com_Grafico::PonTextos() {
    PonTextosIdioma(this, "com_Grafico", ctx_.dic);
    lista_->setItemText(0, ctx_.dic.Texto(1961));
    lista_->setItemText(1, ctx_.dic.Texto(2153));
    titulo_->setText(lista_->itemText(PaginaActual()));
    imprimir_->setText(ctx_.dic.Texto(2190));
    pdf_->setText(ctx_.dic.Texto(2191));
}

void com_Grafico::MuestraPagina(int pag) {
    pag = qBound(0, pag, PaginasPantalla - 1);
    const Celda cursor = logica_->Cursor();
    rejilla_->PonCursor(cursor.pag == pag ? cursor : Celda{pag, 0, 0});
    anterior_->setEnabled(pag == 1);
    siguiente_->setEnabled(pag == 0);
    lista_->setCurrentIndex(pag);
    titulo_->setText(ctx_.dic.Texto(pag == 0 ? 1961 : 2153));
    numero_->setText(QString("%1/2").arg(pag + 1));
}

void com_Grafico::PaginaSiguiente() { MuestraPagina(1); }
void com_Grafico::PaginaAnterior() { MuestraPagina(0); }

int com_Grafico::BotonPulsado() const { return paleta_->checkedId(); }

QAbstractButton *com_Grafico::BotonObjeto(int tipo) const { return paleta_->button(tipo); }

void com_Grafico::Refresca() {
    const Celda c = logica_->Cursor();
    if (c.pag == rejilla_->Pagina()) rejilla_->PonCursor(c);
    rejilla_->update();
    fichero_->setText(logica_->NombreFichero());
}

void com_Grafico::EnviaGrafico() {
    if (ctx_.app.EstadoConexion == 255) {
        ctx_.ui->Muestra({ctx_.dic.Texto(586), ctx_.T148(), Icono::Critico, Botones::Aceptar});
        return;
    }
    // The sender packs the stored rows from the working copy, which the editor
    // holds: it lets go for the send and takes it back.
    Suspende();
    if (Envio()) Envio()(ctx_, {TablaGrafico}, windowTitle());
    Reanuda();
    show();
}

std::optional<HojaDisplay> com_Grafico::PreparaHoja() {
    ParametrosDialogo p;
    p.txt = numeroGrafico_;
    if (!logica_->Dialogos().NumeroDeGrafico(p)) return std::nullopt;
    numeroGrafico_ = p.txt.trimmed();
    Refresca();
    HojaDisplay h;
    h.celdas = logica_->Modelo().Celdas();
    h.nombreFichero = logica_->NombreFichero();
    h.configuracion = ctx_.app.FicheroActual;
    h.version = ctx_.app.VersionPrograma;
    h.numero = numeroGrafico_;
    return h;
}

void com_Grafico::Imprime() {
    const std::optional<HojaDisplay> h = PreparaHoja();
    if (!h) return;
    // The sheet is laid out on the whole paper; it sets its own page.
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setFullPage(true);
    QPrintDialog dialogo(&impresora, this);
    dialogo.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    if (dialogo.exec() != QDialog::Accepted) return;
    SacaImpresion(ctx_, 107, [&] { return ImprimeHojaDisplay(impresora, *h, ctx_.dic); }, impresora.printerName());
}

void com_Grafico::ExportaPdf() {
    const std::optional<HojaDisplay> h = PreparaHoja();
    if (!h) return;
    const std::optional<QString> fichero = EligeFicheroPdf(ctx_);
    if (!fichero) return;
    SacaImpresion(ctx_, 107, [&] { return EscribePdfDisplay(*fichero, *h, ctx_.dic); }, *fichero);
}

void com_Grafico::Suspende() { logica_->Suspende(); }

void com_Grafico::Reanuda() { logica_->Reanuda(); }

void com_Grafico::MuestraConsejo() {
    QAbstractButton *b = paleta_->button(bajoPuntero_);
    if (!b) return;
    consejo_->setText(logica_->NombreTipo(bajoPuntero_));
    consejo_->adjustSize();
    QPoint donde = b->mapTo(this, QPoint(b->width() + 2, -consejo_->height()));
    donde.setX(qMin(donde.x(), width() - consejo_->width()));
    donde.setY(qMax(donde.y(), 0));
    consejo_->move(donde);
    consejo_->raise();
    consejo_->show();
}

void com_Grafico::OcultaConsejo() {
    reposo_.stop();
    consejo_->hide();
}

bool com_Grafico::eventFilter(QObject *o, QEvent *e) {
    if (auto *b = qobject_cast<QAbstractButton *>(o); b && paleta_->id(b) >= 0) {
        if (e->type() == QEvent::Enter) {
            consejo_->hide();
            bajoPuntero_ = paleta_->id(b);
            reposo_.start();
        } else if (e->type() == QEvent::Leave) {
            OcultaConsejo();
        }
    }
    return VistaEditor::eventFilter(o, e);
}

void com_Grafico::mouseMoveEvent(QMouseEvent *e) {
    OcultaConsejo();
    VistaEditor::mouseMoveEvent(e);
}

void com_Grafico::closeEvent(QCloseEvent *e) {
    logica_->Cierra();
    VistaEditor::closeEvent(e);
}

}  // namespace tarvo
