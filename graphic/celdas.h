// The display as cells: what each of the 16 x 40 cells of a page shows (a
// character of the relay's set or a cell of the symbol strip) and which object
// owns it. The editor's screen, the printed sheet and the report all draw
// from this one model.
#pragma once

#include "graphic/pantalla.h"

#include <array>
#include <optional>

namespace tarvo {

// Cells of the symbol strip ObjetosBmp (80 of them, ten per strip row).
inline constexpr int CeldasBmp = 80;
inline constexpr int CeldaBmpReservada = 79;

struct CeldaPantalla {
    quint8 caracter = ' ';   // a relay byte (code page 437), shown when bitmap < 0
    qint8 bitmap = -1;       // a cell of ObjetosBmp, or -1
    qint16 objeto = 0;       // 0 free, -1 reserved, otherwise the owner's Identificador
    bool operator==(const CeldaPantalla &) const = default;
};

using PaginaCeldas = std::array<std::array<CeldaPantalla, ColumnasPantalla>, FilasPantalla>;
using PantallaCeldas = std::array<PaginaCeldas, PaginasPantalla>;

// How each kind is drawn. The top-left cell lies filaDesde rows and
// columnaDesde columns from the clicked cell (symbols are centred on the
// click); `bitmaps` are the symbol's strip cells row by row (-1 a blank
// cell), and the built-in text (language 0, other languages) follows the
// symbol on its first row. Kinds whose cells follow their texts draw those
// texts instead (DibujoObjeto).
struct DibujoTipo {
    int filaDesde = 0, columnaDesde = 0;
    QList<QList<int>> bitmaps;
    const char *texto[2] = {nullptr, nullptr};
};
const DibujoTipo &DibujoDeTipo(int tipo);

// The strip cell of one of the eighteen special characters (-1 for any other code).
int BitmapCaracter(int codigo);

// One cell of an object's drawing: where it lies and what it shows, owned by
// the object's Identificador.
struct CeldaDibujo {
    Celda celda;
    CeldaPantalla contenido;
};
// The cells of a stored row, row by row, left to right. The relay language
// (0 or other) picks the built-in texts of kinds 3, 6 and 7; it changes no
// width. An operation row (kind 47) draws six blank cells: its label row
// writes the label over them. The file-name object draws nothing.
QList<CeldaDibujo> DibujoObjeto(const ObjetoGrafico &o, int idiomaRele);

// The display as the editor keeps it: both pages' cells, their owners, and
// the reserved cells (owner -1, strip cell 79). Occupancy is the cells' owner,
// so the picture and the map cannot disagree.
class ModeloPantalla {
public:
    ModeloPantalla() { Limpia(); }
    // Every cell free but the reserved ones.
    void Limpia();
    const PantallaCeldas &Celdas() const { return celdas_; }
    // A cell; outside the pages, a reserved cell.
    const CeldaPantalla &En(int pag, int fila, int col) const;
    MapaPantalla Mapa() const;

    // Where an object of this kind (with these texts) clicked at the given
    // cell would have its top-left cell, when every cell it needs lies on the
    // page and is free; nothing otherwise (the file-name object has no place).
    std::optional<Celda> HayEspacio(int pag, int fila, int col, const ObjetoGrafico &o) const;
    std::optional<Celda> HayEspacio(int pag, int fila, int col, int tipo) const;

    // Draws a stored row at its place (as the editor does on opening: no
    // checks), owned by its Identificador.
    void Dibuja(const ObjetoGrafico &o, int idiomaRele);
    // Frees the cells of an object; cells the relay keeps stay reserved.
    void Borra(qint16 identificador);
    // Both pages from the rows of "Grafico COMU", in order. A text row right
    // after an operation row is its label and belongs to the operation.
    void Carga(const QList<ObjetoGrafico> &objetos, int idiomaRele);

    // The lowest number 1..2000 no cell of either page carries; 0 when none is left.
    qint16 IdentificadorLibre() const { return Mapa().IdentificadorLibre(); }

private:
    void Pinta(const ObjetoGrafico &o, int idiomaRele, qint16 propietario);
    PantallaCeldas celdas_{};
};

// Whether a table of `filas` rows takes one more object of this kind (an
// operation adds two rows) without passing 64 rows.
bool PermitidoObjetoNuevo(qsizetype filas, int tipo);

}  // namespace tarvo
