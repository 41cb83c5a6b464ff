#include "report/ui/informe_ventana.h"

#include "core/ui/controles.h"
#include "core/ui/textos_qt.h"
#include "graphic/editor_grafico.h"
#include "report/informe.h"
#include "store/tablas.h"

#include <QCloseEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QImage>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <stdexcept>

namespace tarvo {
namespace {

// The preview shows the page at 15 twips to the pixel: an A4 page at 96 dpi.
constexpr qreal TwipsPorPixel = 15;

}  // namespace

Informe::Informe(Contexto &ctx, VentanaMadre &madre, QWidget *padre)
    : VistaEditor(padre), ctx_(ctx), madre_(madre) {
    setObjectName("Informe");
    cabecera_.version = ctx.app.VersionPrograma;
    CreaControles();
    PonTextos();
}

Informe::~Informe() { BorraFichero(); }

void Informe::CreaControles() {
    area_ = new QScrollArea(this);
    area_->setObjectName("frm");
    area_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    area_->setBackgroundRole(QPalette::Dark);
    area_->horizontalScrollBar()->setObjectName("hscroll");
    area_->verticalScrollBar()->setObjectName("vscroll");
    pag_ = CreaEtiqueta("pag", area_);
    area_->setWidget(pag_);

    anterior_ = CreaBoton("btn_Previous", this, "<");
    siguiente_ = CreaBoton("btn_Next", this, ">");
    paginador_ = CreaEtiqueta("paginator", this);
    paginador_->setMinimumWidth(100);
    paginador_->setAlignment(Qt::AlignCenter);
    imprimir_ = CreaBoton("imprimir", this);
    pdf_ = CreaBoton("btn_ExportarPdf", this);
    salir_ = CreaBoton("btn_Exit", this);

    auto *botones = new QHBoxLayout;
    botones->addWidget(anterior_);
    botones->addWidget(paginador_);
    botones->addWidget(siguiente_);
    botones->addStretch();
    botones->addWidget(imprimir_);
    botones->addWidget(pdf_);
    botones->addWidget(salir_);
    auto *capa = new QVBoxLayout(this);
    capa->addLayout(botones);
    capa->addWidget(area_, 1);

    connect(anterior_, &QPushButton::clicked, this, &Informe::PaginaAnterior);
    connect(siguiente_, &QPushButton::clicked, this, &Informe::PaginaSiguiente);
    connect(imprimir_, &QPushButton::clicked, this, &Informe::Imprime);
    connect(pdf_, &QPushButton::clicked, this, &Informe::ExportaPdf);
    connect(salir_, &QPushButton::clicked, this, [this] { madre_.MuestraPortada(); });
}

bool Informe::Carga() {
    ctx_.ui->CursorOcupado(true);
    bool escrito = false;
    {
        // The working copy is held, read-only, only while the report is
        // written and the display read.
        auto trabajo = AbreBaseDatos(ctx_, ctx_.app.CopiaTrabajo, bd::Apertura::SoloLectura);
        if (trabajo) {
            escrito = CargaReport(ctx_, *trabajo, ctx_.app.FicheroInforme, [this](int hechas, int total) {
                MuestraProgreso(ctx_, total > 0 ? 100 * hechas / total : 100);
            });
            const auto &grupos = ctx_.app.GruposCONST;
            if (escrito && std::any_of(grupos.begin(), grupos.end(), [](const EntradaGrupo &g) { return g.Tabla == TablaGrafico; })) {
                try {
                    HojaDisplay h;
                    CargaHojaDisplay(*trabajo, ctx_.app.IdiomaRele, h);
                    h.configuracion = ctx_.app.FicheroActual;
                    h.version = ctx_.app.VersionPrograma;
                    display_ = h;
                } catch (const std::exception &e) {
                    InformaError(ctx_, "Informe", e);
                    escrito = false;
                }
            }
        }
    }
    ctx_.ui->CursorOcupado(false);
    return escrito && LeeFichero();
}

bool Informe::LeeFichero() {
    try {
        QFile f(ctx_.app.FicheroInforme);
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) throw std::runtime_error(f.errorString().toStdString());
        paginas_ = LeeInforme(QString::fromUtf8(f.readAll()));
    } catch (const std::exception &e) {
        paginas_.clear();
        MuestraPagina(0);
        ctx_.ui->Muestra({ctx_.dic.Texto(529, 0, QString::fromStdString(e.what())), ctx_.T148(), Icono::Critico,
                          Botones::Aceptar});
        return false;
    }
    MuestraPagina(0);
    return true;
}

void Informe::PonTextos() {
    PonTextosIdioma(this, "Informe", ctx_.dic);
    PonPaginador();
}

void Informe::PonPaginador() {
    paginador_->setText(paginas_.isEmpty() ? QString()
                                           : ctx_.dic.Texto(1919) + " " + QString::number(actual_ + 1) + "/" +
                                                 QString::number(Paginas()));
}

void Informe::MuestraPagina(int indice) {
    const bool varias = Paginas() > 1;
    anterior_->setVisible(varias);
    siguiente_->setVisible(varias);
    imprimir_->setEnabled(!paginas_.isEmpty());
    pdf_->setEnabled(!paginas_.isEmpty());
    actual_ = qBound(0, indice, std::max(0, Paginas() - 1));
    anterior_->setEnabled(actual_ > 0);
    siguiente_->setEnabled(actual_ < Paginas() - 1);
    PonPaginador();
    if (paginas_.isEmpty()) {
        pag_->clear();
        return;
    }
    const qreal ppp = devicePixelRatioF();
    QImage imagen(QSizeF(AnchoLienzo * ppp / TwipsPorPixel, AltoLienzo * ppp / TwipsPorPixel).toSize(), QImage::Format_RGB32);
    imagen.setDevicePixelRatio(ppp);
    QPainter pintor(&imagen);
    pintor.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    pintor.scale(1 / TwipsPorPixel, 1 / TwipsPorPixel);
    PintaPaginaInforme(pintor, paginas_[actual_], cabecera_, Display(), ctx_.dic);
    pintor.end();
    pag_->setPixmap(QPixmap::fromImage(imagen));
    pag_->adjustSize();
    area_->horizontalScrollBar()->setValue(0);
    area_->verticalScrollBar()->setValue(0);
}

void Informe::PaginaSiguiente() { MuestraPagina(actual_ + 1); }

void Informe::PaginaAnterior() { MuestraPagina(actual_ - 1); }

void Informe::Imprime() {
    // The pages are laid out on the whole paper; they set their own margins.
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setFullPage(true);
    QPrintDialog dialogo(&impresora, this);
    dialogo.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    if (dialogo.exec() != QDialog::Accepted) return;
    SacaImpresion(ctx_, 103, [&] {
        return ImprimeInforme(impresora, paginas_, cabecera_, Display(), ctx_.dic, [this](int hechas, int total) {
            MuestraProgreso(ctx_, 100 * hechas / total);
        });
    }, impresora.printerName());
    MuestraPagina(actual_);
}

void Informe::ExportaPdf() {
    const std::optional<QString> fichero = EligeFicheroPdf(ctx_);
    if (!fichero) return;
    SacaImpresion(ctx_, 103, [&] { return EscribePdfInforme(*fichero, paginas_, cabecera_, Display(), ctx_.dic); },
                  *fichero);
}

void Informe::closeEvent(QCloseEvent *e) {
    BorraFichero();
    VistaEditor::closeEvent(e);
}

// Once: the main window closes the view and deletes it later, when the next
// report may already have written the file again.
void Informe::BorraFichero() {
    if (borrado_) return;
    borrado_ = true;
    QFile::remove(ctx_.app.FicheroInforme);
}

}  // namespace tarvo
