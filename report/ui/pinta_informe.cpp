#include "report/ui/pinta_informe.h"

#include "core/diccionario.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace tarvo {
namespace {

// The page in twips: a frame round the whole page, the heading above 1200,
// then the lines from 1400 down, as many as the writer's page model lets in
// (13201 and the tallest line still end above the frame's foot).
constexpr qreal MarcoIzquierda = 50, MarcoArriba = 50, MarcoDerecha = 11050, MarcoAbajo = 15550;
constexpr qreal XLineas = 200, FinLineas = 10900, YLineas = 1400, MargenCelda = 40;

void Marco(QPainter &p) {
    p.save();
    p.setPen(QPen(Qt::black, 20));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(QPointF(MarcoIzquierda, MarcoArriba), QPointF(MarcoDerecha, MarcoAbajo)));
    p.restore();
}

// A heading or a table title: larger letters underlined by a rule as wide as
// the text.
void Rotulo(LienzoImpresion &l, const QString &texto, qreal alto, qreal puntos) {
    const qreal y = l.y;
    l.PonFuente(FuenteRotulos(), puntos, true);
    l.y = y + alto - 110 - l.AltoLinea();
    l.Linea(texto, XLineas);
    Raya(l.p, XLineas, l.y + 20, XLineas + l.Ancho(texto), l.y + 20);
    l.y = y + alto;
}

// A table line: each cell as wide as its class, all narrowed alike when the
// table is wider than the page; the text clipped to its cell.
void Celdas(LienzoImpresion &l, const QList<CeldaCabecera> &celdas, bool cabecera) {
    const qreal alto = AltoLinea(CodigoLinea::Fila);
    qreal total = 0;
    for (const CeldaCabecera &c : celdas) total += AnchoTwips(c.ancho);
    const qreal ajuste = total > 0 ? std::min(1.0, (FinLineas - XLineas) / total) : 1.0;
    l.PonFuente(FuenteRotulos(), 8, cabecera);
    QPainter &p = l.p;
    p.save();
    p.setPen(QPen(Qt::black, 8));
    p.setBrush(cabecera ? QBrush(QColor(0xE4, 0xE4, 0xE4)) : QBrush(Qt::NoBrush));
    qreal x = XLineas;
    for (const CeldaCabecera &c : celdas) {
        const QRectF celda(x, l.y, AnchoTwips(c.ancho) * ajuste, alto);
        p.drawRect(celda);
        p.save();
        p.setClipRect(celda.adjusted(MargenCelda / 2, 0, -MargenCelda / 2, 0));
        p.drawText(celda.adjusted(MargenCelda, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, c.texto);
        p.restore();
        x = celda.right();
    }
    p.restore();
    l.y += alto;
}

void Linea(LienzoImpresion &l, const LineaInforme &li) {
    switch (li.codigo) {
    case CodigoLinea::Titulo: Rotulo(l, li.texto, AltoLinea(li.codigo), 14); break;
    case CodigoLinea::TituloTabla: Rotulo(l, li.texto, AltoLinea(li.codigo), 11); break;
    case CodigoLinea::Cabecera:
    case CodigoLinea::Fila: Celdas(l, li.celdas, li.codigo == CodigoLinea::Cabecera); break;
    case CodigoLinea::Texto:
    case CodigoLinea::Pagina: {
        const qreal y = l.y;
        l.PonFuente(FuenteRotulos(), 8, false);
        l.Linea(li.texto, XLineas);
        l.y = y + AltoLinea(CodigoLinea::Texto);
    } break;
    }
}

void Pie(LienzoImpresion &l, int numero) {
    l.PonFuente(FuenteRotulos(), 9, true);
    const QString texto = "Pag. " + QString::number(numero);
    l.y = MarcoAbajo + 60;
    l.Linea(texto, MarcoDerecha - l.Ancho(texto));
}

}  // namespace

bool EsPaginaGrafico(const PaginaInforme &pagina, const clsDiccionario &dic) {
    return !pagina.lineas.isEmpty() && pagina.lineas[0].codigo == CodigoLinea::TituloTabla &&
           pagina.lineas[0].texto == dic.Texto(1912);
}

void PintaPaginaInforme(QPainter &pintor, const PaginaInforme &pagina, const CabeceraInforme &cabecera,
                        const HojaDisplay *display, const clsDiccionario &dic) {
    pintor.fillRect(QRectF(0, 0, AnchoLienzo, AltoLienzo), Qt::white);
    pintor.setPen(Qt::black);
    LienzoImpresion l(pintor);
    Marco(pintor);
    ImprimeCabeceraPrograma(
        l, {dic.Texto(1850) + " " + cabecera.version, dic.Texto(1851) + " " + FechaImpresa(cabecera.fecha), dic.Texto(1853)});
    l.y = YLineas;
    const bool grafico = display && EsPaginaGrafico(pagina, dic);
    for (int i = 0; i < pagina.lineas.size(); ++i) {
        Linea(l, pagina.lineas[i]);
        if (i == 0 && grafico) ImprimeGrafico(l, display->celdas, display->nombreFichero, dic);
    }
    Pie(l, pagina.numero);
}

bool ImprimeInforme(QPagedPaintDevice &dispositivo, const QList<PaginaInforme> &paginas,
                    const CabeceraInforme &cabecera, const HojaDisplay *display, const clsDiccionario &dic,
                    const std::function<void(int, int)> &avance) {
    QPainter pintor;
    if (!pintor.begin(&dispositivo)) return false;
    for (int i = 0; i < paginas.size(); ++i) {
        if (i > 0 && !dispositivo.newPage()) return false;
        PonEscalaLienzo(pintor, dispositivo);
        PintaPaginaInforme(pintor, paginas[i], cabecera, display, dic);
        if (avance) avance(i + 1, int(paginas.size()));
    }
    return pintor.end();
}

bool EscribePdfInforme(const QString &fichero, const QList<PaginaInforme> &paginas, const CabeceraInforme &cabecera,
                       const HojaDisplay *display, const clsDiccionario &dic) {
    QPdfWriter pdf(fichero);
    PreparaPdf(pdf, dic.Texto(1853));
    return ImprimeInforme(pdf, paginas, cabecera, display, dic);
}

}  // namespace tarvo
