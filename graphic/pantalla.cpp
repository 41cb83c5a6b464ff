#include "graphic/pantalla.h"

#include "graphic/celdas.h"

#include <QHash>

namespace tarvo {

bool EsCeldaReservada(int pag, int fila, int col) {
    if (pag == 0) return col <= 6 || col >= 31 || (fila >= 4 && fila <= 11 && col >= 7 && col <= 9);
    if (pag == 1) return fila <= 3 && col >= 31;
    return false;
}

QList<Celda> CeldasObjeto(const ObjetoGrafico &o) {
    // What an object covers is what it draws; the relay language changes no width.
    QList<Celda> celdas;
    for (const CeldaDibujo &c : DibujoObjeto(o, 0)) celdas.append(c.celda);
    return celdas;
}

void MapaPantalla::MarcaReservadas() {
    for (int p = 0; p < PaginasPantalla; ++p)
        for (int f = 0; f < FilasPantalla; ++f)
            for (int c = 0; c < ColumnasPantalla; ++c)
                if (EsCeldaReservada(p, f, c)) PonValor(p, f, c, Reservada);
}

qint16 MapaPantalla::Valor(int pag, int fila, int col) const {
    return Dentro(pag, fila, col) ? celdas_[size_t(Posicion(pag, fila, col))] : Reservada;
}

void MapaPantalla::PonValor(int pag, int fila, int col, qint16 valor) {
    if (Dentro(pag, fila, col)) celdas_[size_t(Posicion(pag, fila, col))] = valor;
}

void MapaPantalla::Marca(int pag, int fila, int col, int alto, int ancho, qint16 valor) {
    for (int f = fila; f < fila + alto; ++f)
        for (int c = col; c < col + ancho; ++c) PonValor(pag, f, c, valor);
}

bool MapaPantalla::Libre(int pag, int fila, int col, int alto, int ancho) const {
    if (pag < 0 || pag >= PaginasPantalla || fila < 0 || col < 0 || fila + alto > FilasPantalla ||
        col + ancho > ColumnasPantalla)
        return false;
    for (int f = fila; f < fila + alto; ++f)
        for (int c = col; c < col + ancho; ++c)
            if (Valor(pag, f, c) != 0) return false;
    return true;
}

qint16 MapaPantalla::IdentificadorLibre() const {
    std::array<bool, IdentificadorMaximo + 1> usado{};
    for (int p = 0; p < PaginasPantalla; ++p)
        for (int f = 0; f < FilasPantalla; ++f)
            for (int c = 0; c < ColumnasPantalla; ++c) {
                const qint16 v = Valor(p, f, c);
                if (v > 0 && v <= IdentificadorMaximo) usado[size_t(v)] = true;
            }
    for (int i = 1; i <= IdentificadorMaximo; ++i)
        if (!usado[size_t(i)]) return qint16(i);
    return 0;
}

QStringList CompruebaGrafico(const QList<ObjetoGrafico> &objetos) {
    QStringList fallos;
    if (objetos.size() > MaximoObjetos) fallos << QString("%1 rows, more than %2").arg(objetos.size()).arg(MaximoObjetos);
    QHash<int, qint16> ocupadas;
    int ficheros = 0;
    for (qsizetype i = 0; i < objetos.size(); ++i) {
        const ObjetoGrafico &o = objetos[i];
        const QString quien = QString("row %1 (object %2, kind %3)").arg(i + 1).arg(o.Identificador).arg(o.apaN2);
        if (o.Codificacion != CodificaObjeto(o)) fallos << quien + ": Codificacion does not match the columns";
        if (o.apa == ApaFichero) {
            ++ficheros;
            if (o.Identificador != IdentificadorFichero) fallos << quien + ": file-name object not numbered 2000";
        }
        if (o.apaN2 == 47 && (i + 1 >= objetos.size() || objetos[i + 1].Identificador != o.Identificador ||
                              objetos[i + 1].apa != ApaTexto))
            fallos << quien + ": operation without its label row";
        for (const Celda &c : CeldasObjeto(o)) {
            if (c.pag < 0 || c.pag >= PaginasPantalla || c.fila < 0 || c.fila >= FilasPantalla || c.col < 0 ||
                c.col >= ColumnasPantalla) {
                fallos << quien + QString(": off the page at %1,%2").arg(c.fila).arg(c.col);
                break;
            }
            if (EsCeldaReservada(c.pag, c.fila, c.col))
                fallos << quien + QString(": covers reserved cell %1,%2").arg(c.fila).arg(c.col);
            const int clave = (c.pag * FilasPantalla + c.fila) * ColumnasPantalla + c.col;
            const auto otro = ocupadas.constFind(clave);
            if (otro != ocupadas.constEnd() && *otro != o.Identificador)
                fallos << quien + QString(": shares cell %1,%2 with object %3").arg(c.fila).arg(c.col).arg(*otro);
            ocupadas.insert(clave, o.Identificador);
        }
    }
    if (ficheros > 1) fallos << QString("%1 file-name objects").arg(ficheros);
    return fallos;
}

}  // namespace tarvo
