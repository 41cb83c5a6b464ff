// The relay's display as the program models it: two pages of 16 rows by 40
// columns, the cells the relay keeps for itself, the occupancy map the
// editor rebuilds on opening, and the rules every stored diagram keeps.
#pragma once

#include "graphic/objeto.h"

#include <QStringList>

#include <array>

namespace tarvo {

inline constexpr int PaginasPantalla = 2;
inline constexpr int FilasPantalla = 16;
inline constexpr int ColumnasPantalla = 40;
inline constexpr int MaximoObjetos = 64;
inline constexpr int IdentificadorMaximo = 2000;

struct Celda {
    int pag = 0, fila = 0, col = 0;
    bool operator==(const Celda &) const = default;
};

// The cells the relay draws itself: page 0 columns 0-6 and 31-39 and the notch
// rows 4-11 columns 7-9; page 1 rows 0-3 columns 31-39.
bool EsCeldaReservada(int pag, int fila, int col);

// The cells an object covers (its top-left cell is row x, column y of page
// pag). The file-name object covers none; a function marker's label runs to
// the right of its frame's middle row.
QList<Celda> CeldasObjeto(const ObjetoGrafico &o);

// MapaPantalla: 0 free, -1 reserved, otherwise the Identificador covering the
// cell. The bounds are one larger than used, as the editor indexes them.
class MapaPantalla {
public:
    static constexpr int Paginas = 3, Filas = 17, Columnas = 41;
    static constexpr qint16 Reservada = -1;

    MapaPantalla() { Limpia(); }
    void Limpia() { celdas_.fill(0); }
    void MarcaReservadas();
    qint16 Valor(int pag, int fila, int col) const;
    void PonValor(int pag, int fila, int col, qint16 valor);
    // Writes `valor` over the rectangle whose top-left cell is given.
    void Marca(int pag, int fila, int col, int alto, int ancho, qint16 valor);
    // True when the rectangle lies inside the page and all its cells are free.
    bool Libre(int pag, int fila, int col, int alto, int ancho) const;
    // The lowest number 1..2000 no cell of either page carries; 0 when none is left.
    qint16 IdentificadorLibre() const;

private:
    static int Posicion(int pag, int fila, int col) { return (pag * Filas + fila) * Columnas + col; }
    static bool Dentro(int pag, int fila, int col) {
        return pag >= 0 && pag < Paginas && fila >= 0 && fila < Filas && col >= 0 && col < Columnas;
    }
    std::array<qint16, Paginas * Filas * Columnas> celdas_{};
};

// The faults of a stored diagram, one line each; empty when it keeps every
// rule: at most 64 rows, objects inside one page and off the reserved cells,
// no two objects in one cell, one file-name object at most (number 2000),
// each operation row followed by its label, Codificacion agreeing with the
// columns.
QStringList CompruebaGrafico(const QList<ObjetoGrafico> &objetos);

}  // namespace tarvo
