// The report as a file of tagged lines: the writer lays it out in pages as it
// goes, the reader cuts it back into those pages for the viewer, the printer
// and the PDF. A line is "#", its code, a space and its text; a table line's
// cells are each introduced by a "#" tag of their own.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QTextStream;

namespace tarvo {

enum class CodigoLinea { Pagina = 0, Titulo = 1, Texto = 2, TituloTabla = 3, Fila = 4, Cabecera = 5 };

// Width classes of a column-header cell, in twips.
enum class AnchoCelda { Corto = 50, Largo = 51, Extralargo = 52, Medio = 53, Muycorto = 54 };
int AnchoTwips(AnchoCelda a);
// The tag of a row cell: it takes the width of its column in the header.
inline constexpr int CodigoCeldaFila = 40;

// The page model, in twips of height.
inline constexpr int FinPagina = 13201;
inline constexpr int ReservaTitulo = 975;   // a title needs room for itself and some lines under it
int AltoLinea(CodigoLinea c);

struct CeldaCabecera {
    AnchoCelda ancho = AnchoCelda::Corto;
    QString texto;
};

class EscritorInforme {
public:
    explicit EscritorInforme(QTextStream &salida);

    // Starts a new page now (a section that begins on a fresh page).
    void NuevaPagina();
    void Titulo(const QString &texto);
    void Texto(const QString &texto);
    // Breaks the page first when the title would be left without room under it.
    void TituloTabla(const QString &texto);
    // Also becomes the header repeated at the top of a page the table runs onto.
    void Cabecera(const QList<CeldaCabecera> &celdas);
    void Fila(const QStringList &celdas);

    int Pagina() const { return pagina_; }
    int Posicion() const { return posicion_; }

private:
    void Escribe(CodigoLinea c, const QString &texto);
    void Avanza(CodigoLinea c);
    QTextStream &salida_;
    int pagina_ = 0;
    int posicion_ = 0;
    QString cabecera_;   // the current table's header line, as written
};

// A line read back: its code, and for table lines the cells with their widths
// (a row's cells take the widths of the header above them).
struct LineaInforme {
    CodigoLinea codigo = CodigoLinea::Texto;
    QString texto;                 // whole text of a non-table line
    QList<CeldaCabecera> celdas;   // table lines
};

struct PaginaInforme {
    int numero = 0;
    QList<LineaInforme> lineas;    // without the page start
};

// The pages of a report file's text; throws std::runtime_error naming the
// line when the text is not a report.
QList<PaginaInforme> LeeInforme(const QString &texto);

}  // namespace tarvo
