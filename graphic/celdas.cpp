#include "graphic/celdas.h"

namespace tarvo {
namespace {

// The breaker's symbol, drawn once by kind 0 and three times by kind 1.
const QList<int> InterruptorArriba = {20, 21, 22}, InterruptorAbajo = {30, 31, 32};

QList<int> Tres(const QList<int> &simbolo) { return simbolo + QList<int>{-1} + simbolo + QList<int>{-1} + simbolo; }

const std::array<DibujoTipo, TiposGraficos> &Dibujos() {
    static const std::array<DibujoTipo, TiposGraficos> dibujos = [] {
        std::array<DibujoTipo, TiposGraficos> d{};
        d[0] = {0, -1, {InterruptorArriba, InterruptorAbajo}};
        d[1] = {0, -5, {Tres(InterruptorArriba), Tres(InterruptorAbajo)}};
        d[2] = {0, -1, {{23, 24, 25}, {33, 34, 35}}};
        d[3] = {0, 0, {{18}}, {" REARME", " RESET "}};
        d[4] = {0, 0, {{18}}, {" 79Ext", " 79Ext"}};
        d[5] = {0, 0, {{18}}, {" 84", " 84"}};
        d[6] = {0, 0, {{18}}, {" RemInt", " IntRem"}};
        d[7] = {0, 0, {{18}}, {" SINCRO", " SYNCH."}};
        d[8] = {0, 0, {{18}}, {" 79", " 79"}};
        d[9] = {0, 0, {{18}}, {" CR", " CR"}};
        d[10] = {0, 0, {{18}}, {" CR", " CR"}};
        d[11] = {0, -1, {{26, 27, 28}, {36, 37, 38}}};
        d[12] = {0, 0, {{40}, {50}}};
        d[13] = {0, -1, {{41, 42, 43}, {51, 52, 53}}};
        d[14] = {0, 0, {{29}, {39}, {49}}};
        d[15] = {0, -2, {{60, 61, 62, 63, 64}}};
        d[16] = {0, -2, {{70, 71, 72, 73, 74}}};
        d[17] = {0, 0, {{9}, {19}}};
        d[18] = {0, 0, {{44}}};
        d[19] = {0, 0, {{8}}};
        // The inner text goes into the middle row's two blank cells.
        d[20] = {0, 0, {{45, 46, 47, 48}, {55, -1, -1, 58}, {65, 66, 67, 68}}};
        for (int t = 26; t < TiposGraficos; ++t)
            if (CodigoCaracter(t) >= 0) d[size_t(t)].bitmaps = {{BitmapCaracter(CodigoCaracter(t))}};
        return d;
    }();
    return dibujos;
}

using FilaCeldas = QList<CeldaPantalla>;

FilaCeldas Letras(const QString &texto) {
    FilaCeldas fila;
    for (QChar c : texto) fila.append(CeldaPantalla{quint8(CodigoDe(c)), -1, 0});
    return fila;
}

FilaCeldas Bytes(std::initializer_list<quint8> codigos) {
    FilaCeldas fila;
    for (quint8 c : codigos) fila.append(CeldaPantalla{c, -1, 0});
    return fila;
}

// A text at least `ancho` cells wide.
FilaCeldas Relleno(const QString &texto, int ancho = 1) { return Letras(texto.leftJustified(ancho)); }

// What the object shows, row by row from its top-left cell.
QList<FilaCeldas> Contenido(const ObjetoGrafico &o, int idiomaRele) {
    const int tipo = o.apaN2;
    const DibujoTipo &d = DibujoDeTipo(tipo);
    QList<FilaCeldas> filas;
    for (const QList<int> &fila : d.bitmaps) {
        filas.append(FilaCeldas());
        for (int b : fila) filas.last().append(CeldaPantalla{' ', qint8(b), 0});
    }
    if (d.texto[0]) filas[0] += Letras(d.texto[idiomaRele == 0 ? 0 : 1]);
    if (const int codigo = CodigoCaracter(tipo); codigo >= 0) filas[0][0].caracter = quint8(codigo);

    switch (tipo) {
    case 20: {
        const FilaCeldas interior = Relleno(o.txtb0.left(2), 2);
        filas[1][1] = interior[0];
        filas[1][2] = interior[1];
        filas[1] += Letras(o.txtb1);
        break;
    }
    case 21:
        filas = {Relleno(o.txt)};   // an empty text still owns a cell, so it can be found and deleted
        break;
    case 22:
        filas = {Letras(o.txt_m.left(4).leftJustified(4) + " 9999999" + o.txt_u)};
        break;
    case 23: case 24: case 45:
        filas = {Relleno(o.txtb0, int(qMax(o.txtb1.size(), qsizetype(1))))};
        break;
    case 42: {
        const bool nueveDigitos = o.unidad_m == 2 || o.unidad_m == 3;
        const QString unidad = UnidadContador(o.unidad_m);
        filas = {Letras((nueveDigitos ? "999999999 " : "999999 ") + (unidad.isEmpty() ? UnidadContador(0) : unidad))};
        break;
    }
    case 43: case 46:
        filas = {Letras("999999999")};
        break;
    case 44:
        filas = {Bytes({' ', 220})};
        break;
    }
    // Fixed-size kinds own their whole rectangle, blank where nothing is drawn.
    const TipoGrafico &t = Tipo(tipo);
    while (filas.size() < t.alto) filas.append(FilaCeldas());
    for (FilaCeldas &fila : filas)
        while (fila.size() < t.ancho) fila.append(CeldaPantalla());
    return filas;
}

CeldaPantalla Reservada() { return {' ', qint8(CeldaBmpReservada), MapaPantalla::Reservada}; }

bool EnPagina(const Celda &c) {
    return c.pag >= 0 && c.pag < PaginasPantalla && c.fila >= 0 && c.fila < FilasPantalla && c.col >= 0 &&
           c.col < ColumnasPantalla;
}

}  // namespace

const DibujoTipo &DibujoDeTipo(int tipo) {
    static const DibujoTipo ninguno;
    return tipo >= 0 && tipo < TiposGraficos ? Dibujos()[size_t(tipo)] : ninguno;
}

int BitmapCaracter(int codigo) {
    static const std::pair<int, int> bitmaps[] = {
        {179, 0},  {180, 1},  {191, 2},  {192, 3},  {193, 4},  {194, 5},  {195, 6},  {196, 7},  {197, 10},
        {217, 11}, {218, 12}, {128, 13}, {252, 14}, {254, 15}, {255, 16}, {244, 17}, {178, 59}, {221, 69},
    };
    for (const auto &[c, b] : bitmaps)
        if (c == codigo) return b;
    return -1;
}

QList<CeldaDibujo> DibujoObjeto(const ObjetoGrafico &o, int idiomaRele) {
    QList<CeldaDibujo> dibujo;
    if (o.apaN2 == 25) return dibujo;
    const QList<FilaCeldas> filas = Contenido(o, idiomaRele);
    for (int f = 0; f < filas.size(); ++f)
        for (int c = 0; c < filas[f].size(); ++c) {
            CeldaPantalla celda = filas[f][c];
            celda.objeto = o.Identificador;
            dibujo.append({{o.pag, o.x + f, o.y + c}, celda});
        }
    return dibujo;
}

void ModeloPantalla::Limpia() {
    for (int p = 0; p < PaginasPantalla; ++p)
        for (int f = 0; f < FilasPantalla; ++f)
            for (int c = 0; c < ColumnasPantalla; ++c)
                celdas_[size_t(p)][size_t(f)][size_t(c)] = EsCeldaReservada(p, f, c) ? Reservada() : CeldaPantalla{};
}

const CeldaPantalla &ModeloPantalla::En(int pag, int fila, int col) const {
    static const CeldaPantalla fuera = Reservada();
    return EnPagina({pag, fila, col}) ? celdas_[size_t(pag)][size_t(fila)][size_t(col)] : fuera;
}

MapaPantalla ModeloPantalla::Mapa() const {
    MapaPantalla m;
    for (int p = 0; p < PaginasPantalla; ++p)
        for (int f = 0; f < FilasPantalla; ++f)
            for (int c = 0; c < ColumnasPantalla; ++c) m.PonValor(p, f, c, En(p, f, c).objeto);
    return m;
}

std::optional<Celda> ModeloPantalla::HayEspacio(int pag, int fila, int col, const ObjetoGrafico &o) const {
    const DibujoTipo &d = DibujoDeTipo(o.apaN2);
    const Celda origen{pag, fila + d.filaDesde, col + d.columnaDesde};
    if (!EnPagina(origen)) return std::nullopt;
    ObjetoGrafico colocado = o;
    colocado.pag = qint16(origen.pag);
    colocado.x = qint16(origen.fila);
    colocado.y = qint16(origen.col);
    const QList<CeldaDibujo> dibujo = DibujoObjeto(colocado, 0);
    if (dibujo.isEmpty()) return std::nullopt;
    for (const CeldaDibujo &c : dibujo)
        if (!EnPagina(c.celda) || En(c.celda.pag, c.celda.fila, c.celda.col).objeto != 0) return std::nullopt;
    return origen;
}

std::optional<Celda> ModeloPantalla::HayEspacio(int pag, int fila, int col, int tipo) const {
    ObjetoGrafico o;
    o.apaN2 = qint16(tipo);
    return HayEspacio(pag, fila, col, o);
}

void ModeloPantalla::Pinta(const ObjetoGrafico &o, int idiomaRele, qint16 propietario) {
    for (CeldaDibujo c : DibujoObjeto(o, idiomaRele)) {
        if (!EnPagina(c.celda)) continue;
        c.contenido.objeto = propietario;
        celdas_[size_t(c.celda.pag)][size_t(c.celda.fila)][size_t(c.celda.col)] = c.contenido;
    }
}

void ModeloPantalla::Dibuja(const ObjetoGrafico &o, int idiomaRele) { Pinta(o, idiomaRele, o.Identificador); }

void ModeloPantalla::Borra(qint16 identificador) {
    if (identificador <= 0) return;
    for (int p = 0; p < PaginasPantalla; ++p)
        for (int f = 0; f < FilasPantalla; ++f)
            for (int c = 0; c < ColumnasPantalla; ++c) {
                CeldaPantalla &celda = celdas_[size_t(p)][size_t(f)][size_t(c)];
                if (celda.objeto == identificador) celda = EsCeldaReservada(p, f, c) ? Reservada() : CeldaPantalla{};
            }
}

void ModeloPantalla::Carga(const QList<ObjetoGrafico> &objetos, int idiomaRele) {
    Limpia();
    for (qsizetype i = 0; i < objetos.size(); ++i) {
        const ObjetoGrafico &o = objetos[i];
        const bool etiqueta = i > 0 && objetos[i - 1].apaN2 == 47 && o.apa == ApaTexto;
        Pinta(o, idiomaRele, etiqueta ? objetos[i - 1].Identificador : o.Identificador);
    }
}

bool PermitidoObjetoNuevo(qsizetype filas, int tipo) { return filas + (tipo == 47 ? 2 : 1) <= MaximoObjetos; }

}  // namespace tarvo
