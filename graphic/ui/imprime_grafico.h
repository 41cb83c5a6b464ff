// The display's printed sheet: a header, a framed title, both display pages
// drawn cell by cell and a footer, laid out in twips on a fixed page canvas
// and mapped onto whatever page the printer or PDF offers. The editor, the
// command-line companion and the configuration report draw it from the cells
// and texts alone, without any window.
#pragma once

#include "graphic/celdas.h"

#include <QDate>
#include <QFont>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;
class QPdfWriter;
namespace bd {
class BaseDatos;
}

namespace tarvo {

class clsDiccionario;
struct Contexto;

// The canvas: an A4 page in twips (1440 to the inch).
inline constexpr qreal AnchoLienzo = 11906, AltoLienzo = 16838;
// One display cell on paper.
inline constexpr qreal AnchoCeldaPapel = 180, AltoCeldaPapel = 240;

// A painter whose units are twips, with the current vertical position and
// font as the layout advances line by line.
class LienzoImpresion {
public:
    explicit LienzoImpresion(QPainter &pintor) : p(pintor) {}
    QPainter &p;
    qreal y = 0;

    // Point sizes become twips (20 to the point): the painter's transform
    // then sizes the letters alike on every device.
    void PonFuente(const QFont &familia, qreal puntos, bool negrita);
    const QFont &Fuente() const { return fuente_; }
    qreal AltoLinea() const;
    qreal Ancho(const QString &texto) const;
    // Writes a line with its top at the current position and moves below it.
    void Linea(const QString &texto = {}, qreal x = 100);
    void Lineas(int n);
    void LineaCentrada(const QString &texto, qreal izquierda, qreal derecha);

private:
    QFont fuente_;
};

// What the sheet tells besides the cells.
struct HojaDisplay {
    PantallaCeldas celdas{};
    QString nombreFichero;   // the name of the file-name object (none: the label alone)
    QString configuracion;   // path of the configuration file
    QString version;         // Major.Minor.Revision
    QString numero;          // the graphic number the user gave
    QDate fecha = QDate::currentDate();
};

// The faces standing for the sheet's "MS Sans Serif" and "Terminal".
QFont FuenteRotulos();
QFont FuenteDisplay();

// A black rule, in twips.
void Raya(QPainter &p, qreal x1, qreal y1, qreal x2, qreal y2);
// Dates as the printed pages show them.
QString FechaImpresa(const QDate &fecha);
// The heading every printed page of the program shares: a rule, the logo, the
// program's name and up to four lines of text at the right.
void ImprimeCabeceraPrograma(LienzoImpresion &l, const QStringList &lineas);
void ImprimeCabeceraDisplay(LienzoImpresion &l, const HojaDisplay &h, const clsDiccionario &dic);
void ImprimeTextoEncuadrado(LienzoImpresion &l, const QString &texto);
// Both pages with their titles from the current position down; the report
// calls it too. Gives where each page's cells were drawn.
std::array<QRectF, PaginasPantalla> ImprimeGrafico(LienzoImpresion &l, const PantallaCeldas &celdas, const QString &nombreFichero,
                    const clsDiccionario &dic);
void ImprimePieDisplay(LienzoImpresion &l, int pagina);

// The whole sheet on a painter already in twips.
void DibujaHojaDisplay(QPainter &pintor, const HojaDisplay &h, const clsDiccionario &dic);
// Maps the twips canvas onto the device's page, scaled down whole when the
// page is smaller.
void PonEscalaLienzo(QPainter &pintor, const QPaintDevice &dispositivo);
// An A4 PDF without margins, so that the canvas fills its pages.
void PreparaPdf(QPdfWriter &pdf, const QString &titulo);
// The whole sheet on the device's current page, the canvas scaled down when
// the page is smaller; false when the device cannot be painted on.
bool ImprimeHojaDisplay(QPagedPaintDevice &dispositivo, const HojaDisplay &h, const clsDiccionario &dic);
// The sheet as a one-page A4 PDF file; false when the file cannot be written.
bool EscribePdfDisplay(const QString &fichero, const HojaDisplay &h, const clsDiccionario &dic);

// The cells and the file-name object's name of the display stored in `db` (a
// configuration without the graphic table: an empty display). Throws on a
// database error.
void CargaHojaDisplay(bd::BaseDatos &db, int idiomaRele, HojaDisplay &h);

// The PDF file to write, proposed beside the configuration; nullopt when the
// user cancels.
std::optional<QString> EligeFicheroPdf(Contexto &ctx);
// Runs a print or PDF job under the busy pointer with status text
// `textoEstado`, then "ready"; a failed job is reported naming `destino`.
bool SacaImpresion(Contexto &ctx, int textoEstado, const std::function<bool()> &imprime, const QString &destino);

}  // namespace tarvo
