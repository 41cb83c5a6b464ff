#include "graphic/ui/imprime_grafico.h"

#include "core/aplicacion.h"
#include "core/diccionario.h"
#include "graphic/editor_grafico.h"
#include "graphic/objeto.h"
#include "graphic/ui/pinta_pagina.h"
#include "store/tablas.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace tarvo {
namespace {

constexpr qreal Izquierda = 100, Derecha = 11000, XRejilla = 1850, YPie = 15500;

// The program's mark: a small display with the program's initial.
void Logotipo(LienzoImpresion &l, QPointF en) {
    const QRectF marco(en, QSizeF(780, 780));
    l.p.save();
    l.p.setPen(QPen(Qt::black, 40));
    l.p.setBrush(QColor(0xB8, 0xCF, 0x8E));
    l.p.drawRoundedRect(marco, 120, 120);
    l.PonFuente(FuenteRotulos(), 24, true);
    l.p.setPen(QColor(0x1B, 0x2A, 0x16));
    l.p.drawText(marco, Qt::AlignCenter, "T");
    l.p.restore();
}

}  // namespace

void Raya(QPainter &p, qreal x1, qreal y1, qreal x2, qreal y2) {
    p.save();
    p.setPen(QPen(Qt::black, 15));
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    p.restore();
}

// "MS Sans Serif" and "Terminal" are Windows faces Linux lacks: the system's
// general and fixed faces fill their roles and carry the relay's letters.
QFont FuenteRotulos() { return QFontDatabase::systemFont(QFontDatabase::GeneralFont); }
QFont FuenteDisplay() { return QFontDatabase::systemFont(QFontDatabase::FixedFont); }

void LienzoImpresion::PonFuente(const QFont &familia, qreal puntos, bool negrita) {
    fuente_ = familia;
    fuente_.setPixelSize(qRound(puntos * 20));
    fuente_.setBold(negrita);
    p.setFont(fuente_);
}

qreal LienzoImpresion::AltoLinea() const { return QFontMetricsF(fuente_).lineSpacing(); }

qreal LienzoImpresion::Ancho(const QString &texto) const { return QFontMetricsF(fuente_).horizontalAdvance(texto); }

void LienzoImpresion::Linea(const QString &texto, qreal x) {
    if (!texto.isEmpty()) {
        p.setFont(fuente_);
        p.drawText(QRectF(x, y, AnchoLienzo, AltoLinea()), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, texto);
    }
    y += AltoLinea();
}

void LienzoImpresion::Lineas(int n) { y += n * AltoLinea(); }

void LienzoImpresion::LineaCentrada(const QString &texto, qreal izquierda, qreal derecha) {
    Linea(texto, (izquierda + derecha - Ancho(texto)) / 2);
}

void ImprimeCabeceraPrograma(LienzoImpresion &l, const QStringList &lineas) {
    Raya(l.p, Izquierda, 1200, Derecha, 1200);
    Logotipo(l, {Izquierda, 100});
    l.y = 300;
    l.PonFuente(FuenteRotulos(), 24, true);
    l.Linea("Tarvo32", 1000);
    l.PonFuente(FuenteRotulos(), 9, false);
    for (int i = 0; i < lineas.size(); ++i) {
        l.y = 100 + 250 * i;
        l.Linea(lineas[i], 6500);
    }
    l.y = 1000;
    l.Lineas(2);
}

void ImprimeCabeceraDisplay(LienzoImpresion &l, const HojaDisplay &h, const clsDiccionario &dic) {
    ImprimeCabeceraPrograma(l, {dic.Texto(1850) + " " + h.version, dic.Texto(1851) + " " + FechaImpresa(h.fecha),
                                dic.Texto(1852) + " " + h.configuracion, dic.Texto(2156) + " " + h.numero});
}

void ImprimeTextoEncuadrado(LienzoImpresion &l, const QString &texto) {
    const qreal arriba = l.y, derecha = AnchoLienzo - 1000;
    Raya(l.p, Izquierda, arriba, derecha, arriba);
    l.PonFuente(FuenteRotulos(), 14, true);
    l.LineaCentrada(texto, Izquierda, derecha);
    Raya(l.p, Izquierda, l.y, derecha, l.y);
    Raya(l.p, Izquierda, arriba, Izquierda, l.y);
    Raya(l.p, derecha, arriba, derecha, l.y);
    l.Lineas(3);
}

std::array<QRectF, PaginasPantalla> ImprimeGrafico(LienzoImpresion &l, const PantallaCeldas &celdas, const QString &nombreFichero,
                    const clsDiccionario &dic) {
    // Paper: white cells, black ink, no grid lines; a thin frame shows the display's edge.
    const ColoresPagina papel{QColor(Qt::white), QColor(Qt::black), QColor()};
    std::array<QRectF, PaginasPantalla> areas;
    for (int pag = 0; pag < PaginasPantalla; ++pag) {
        l.PonFuente(FuenteRotulos(), 10, true);
        l.Lineas(1);
        l.LineaCentrada(dic.Texto(pag == 0 ? 2157 : 2158), 0, AnchoLienzo);
        l.Lineas(1);
        l.PonFuente(FuenteDisplay(), 9, false);
        const QRectF &area = areas[size_t(pag)] = QRectF(XRejilla, l.y, ColumnasPantalla * AnchoCeldaPapel, FilasPantalla * AltoCeldaPapel);
        PintaPagina(l.p, celdas[size_t(pag)], area, papel);
        l.p.save();
        l.p.setPen(QPen(Qt::black, 10));
        l.p.drawRect(area);
        l.p.restore();
        l.y = area.bottom();
        l.Lineas(2);
        if (pag == 0) l.Linea(QString(31, ' ') + dic.Texto(1852) + " " + nombreFichero, Izquierda);
        l.Lineas(8);
    }
    return areas;
}

void ImprimePieDisplay(LienzoImpresion &l, int pagina) {
    l.PonFuente(FuenteRotulos(), 9, true);
    const QString texto = "Pag. " + QString::number(pagina);
    l.y = AltoLienzo - l.AltoLinea() - 100;
    l.Linea(texto, AnchoLienzo - l.Ancho(texto));
    Raya(l.p, Izquierda, YPie, Derecha, YPie);
}

void DibujaHojaDisplay(QPainter &pintor, const HojaDisplay &h, const clsDiccionario &dic) {
    pintor.fillRect(QRectF(0, 0, AnchoLienzo, AltoLienzo), Qt::white);
    pintor.setPen(Qt::black);
    LienzoImpresion l(pintor);
    ImprimeCabeceraDisplay(l, h, dic);
    ImprimeTextoEncuadrado(l, dic.Texto(2150));
    ImprimeGrafico(l, h.celdas, h.nombreFichero, dic);
    ImprimePieDisplay(l, 1);
}

QString FechaImpresa(const QDate &fecha) { return fecha.toString("dd/MM/yyyy"); }

void PonEscalaLienzo(QPainter &pintor, const QPaintDevice &dispositivo) {
    // 1440 twips to the inch; a page smaller than the canvas takes it scaled
    // down whole, centred across.
    const qreal sx = dispositivo.logicalDpiX() / 1440.0, sy = dispositivo.logicalDpiY() / 1440.0;
    const qreal ajuste =
        std::min({1.0, dispositivo.width() / (AnchoLienzo * sx), dispositivo.height() / (AltoLienzo * sy)});
    pintor.resetTransform();
    pintor.translate((dispositivo.width() - AnchoLienzo * sx * ajuste) / 2, 0);
    pintor.scale(sx * ajuste, sy * ajuste);
}

bool ImprimeHojaDisplay(QPagedPaintDevice &dispositivo, const HojaDisplay &h, const clsDiccionario &dic) {
    QPainter pintor;
    if (!pintor.begin(&dispositivo)) return false;
    PonEscalaLienzo(pintor, dispositivo);
    DibujaHojaDisplay(pintor, h, dic);
    return pintor.end();
}

void PreparaPdf(QPdfWriter &pdf, const QString &titulo) {
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setCreator("Tarvo32");
    pdf.setTitle(titulo);
}

bool EscribePdfDisplay(const QString &fichero, const HojaDisplay &h, const clsDiccionario &dic) {
    QPdfWriter pdf(fichero);
    PreparaPdf(pdf, dic.Texto(2150));
    return ImprimeHojaDisplay(pdf, h, dic);
}

void CargaHojaDisplay(bd::BaseDatos &db, int idiomaRele, HojaDisplay &h) {
    QList<ObjetoGrafico> objetos;
    if (ExisteTabla(db, TablaGrafico)) {
        auto rs = db.OpenRecordset(TablaGrafico, bd::TipoRecordset::Snapshot);
        for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext()) objetos << LeeObjeto(*rs);
    }
    ModeloPantalla pantalla;
    pantalla.Carga(objetos, idiomaRele);
    h.celdas = pantalla.Celdas();
    for (const ObjetoGrafico &o : objetos)
        if (o.apa == ApaFichero) h.nombreFichero = NombreDeObjetoFichero(o);
}

std::optional<QString> EligeFicheroPdf(Contexto &ctx) {
    const QFileInfo configuracion(ctx.app.FicheroActual);
    ConsultaFichero c;
    c.modo = ConsultaFichero::Modo::Guardar;
    c.titulo = ctx.dic.Texto(2191);
    c.carpeta = ctx.app.HayFicheroActual() ? configuracion.absolutePath() : ctx.app.DirectorioTrabajo;
    c.nombre = configuracion.completeBaseName() + ".pdf";
    c.filtros = {ctx.dic.Texto(2192)};
    c.extension = "pdf";
    return ctx.ui->EligeFichero(c);
}

bool SacaImpresion(Contexto &ctx, int textoEstado, const std::function<bool()> &imprime, const QString &destino) {
    ctx.ui->CursorOcupado(true);
    MuestraEstado(ctx, ctx.dic.Texto(textoEstado), true);
    const bool bien = imprime();
    MuestraEstado(ctx, ctx.dic.Texto(70));
    ctx.ui->CursorOcupado(false);
    if (!bien) InformaError(ctx, "imprimir", 0, ctx.dic.Texto(2193, destino));
    return bien;
}

}  // namespace tarvo
