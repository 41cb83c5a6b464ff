// The report's pages on paper, on screen and in a PDF: each page drawn from
// the lines read back from the report file, on the same A4 canvas in twips as
// the display sheet, with the program's heading on top and the page number at
// the bottom.
#pragma once

#include "graphic/ui/imprime_grafico.h"
#include "report/fichero_informe.h"

#include <QDate>
#include <QList>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPainter;

namespace tarvo {

class clsDiccionario;

// What the page heading tells besides the dictionary's words.
struct CabeceraInforme {
    QString version;   // Major.Minor.Revision
    QDate fecha = QDate::currentDate();
};

// Whether this is the page of the display graphic section: its first line is
// the section's table title (text 1912).
bool EsPaginaGrafico(const PaginaInforme &pagina, const clsDiccionario &dic);

// One page on a painter already in twips. On the display graphic's page both
// display pages are drawn under its title from `display` (null: none).
void PintaPaginaInforme(QPainter &pintor, const PaginaInforme &pagina, const CabeceraInforme &cabecera,
                        const HojaDisplay *display, const clsDiccionario &dic);

// Every page, one device page each, the canvas mapped onto the device's page.
// `avance` is told after each page. False when the device cannot be painted on.
bool ImprimeInforme(QPagedPaintDevice &dispositivo, const QList<PaginaInforme> &paginas,
                    const CabeceraInforme &cabecera, const HojaDisplay *display, const clsDiccionario &dic,
                    const std::function<void(int hechas, int total)> &avance = {});

// The report as an A4 PDF of vector, searchable text, one page per report
// page; false when the file cannot be written.
bool EscribePdfInforme(const QString &fichero, const QList<PaginaInforme> &paginas, const CabeceraInforme &cabecera,
                       const HojaDisplay *display, const clsDiccionario &dic);

}  // namespace tarvo
