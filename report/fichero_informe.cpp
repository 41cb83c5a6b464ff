#include "report/fichero_informe.h"

#include <QRegularExpression>
#include <QTextStream>

#include <stdexcept>

namespace tarvo {

int AnchoTwips(AnchoCelda a) {
    switch (a) {
    case AnchoCelda::Muycorto: return 500;
    case AnchoCelda::Corto: return 1000;
    case AnchoCelda::Medio: return 2000;
    case AnchoCelda::Largo: return 3000;
    case AnchoCelda::Extralargo: return 4500;
    }
    return 1000;
}

int AltoLinea(CodigoLinea c) {
    switch (c) {
    case CodigoLinea::Pagina: return 0;
    case CodigoLinea::Titulo:
    case CodigoLinea::TituloTabla: return 585;
    case CodigoLinea::Texto:
    case CodigoLinea::Fila:
    case CodigoLinea::Cabecera: return 195;
    }
    return 195;
}

EscritorInforme::EscritorInforme(QTextStream &salida) : salida_(salida) {}

void EscritorInforme::Escribe(CodigoLinea c, const QString &texto) {
    salida_ << '#' << int(c) << ' ' << texto << '\n';
}

void EscritorInforme::NuevaPagina() {
    ++pagina_;
    posicion_ = 0;
    Escribe(CodigoLinea::Pagina, QString::number(pagina_));
}

// The page is broken when the next line comes rather than after the line that
// filled it, so a table that ends exactly at the bottom leaves no lone header
// on the next page.
void EscritorInforme::Avanza(CodigoLinea c) {
    if (pagina_ == 0 || posicion_ >= FinPagina) {
        NuevaPagina();
        if (c == CodigoLinea::Fila && !cabecera_.isEmpty()) {
            Escribe(CodigoLinea::Cabecera, cabecera_);
            posicion_ += AltoLinea(CodigoLinea::Cabecera);
        }
    }
    posicion_ += AltoLinea(c);
}

void EscritorInforme::Titulo(const QString &texto) {
    cabecera_.clear();
    Avanza(CodigoLinea::Titulo);
    Escribe(CodigoLinea::Titulo, texto);
}

void EscritorInforme::Texto(const QString &texto) {
    Avanza(CodigoLinea::Texto);
    Escribe(CodigoLinea::Texto, texto);
}

void EscritorInforme::TituloTabla(const QString &texto) {
    cabecera_.clear();
    if (pagina_ > 0 && posicion_ + ReservaTitulo >= FinPagina) posicion_ = FinPagina;
    Avanza(CodigoLinea::TituloTabla);
    Escribe(CodigoLinea::TituloTabla, texto);
}

// "#" separates the cells, so a text that holds one would cut its cell in two.
static QString Celda(int codigo, QString texto) {
    return QString("#%1 %2").arg(codigo).arg(texto.replace('#', ' '));
}

void EscritorInforme::Cabecera(const QList<CeldaCabecera> &celdas) {
    QString linea;
    for (const CeldaCabecera &c : celdas) linea += Celda(int(c.ancho), c.texto);
    Avanza(CodigoLinea::Cabecera);
    Escribe(CodigoLinea::Cabecera, linea);
    cabecera_ = linea;
}

void EscritorInforme::Fila(const QStringList &celdas) {
    QString linea;
    for (const QString &c : celdas) linea += Celda(CodigoCeldaFila, c);
    Avanza(CodigoLinea::Fila);
    Escribe(CodigoLinea::Fila, linea);
}

QList<PaginaInforme> LeeInforme(const QString &texto) {
    static const QRegularExpression etiqueta("^#(\\d+) ");
    static const QRegularExpression celda("#(\\d+) ");
    QList<PaginaInforme> paginas;
    QList<CeldaCabecera> cabecera;
    const QStringList lineas = texto.split('\n');
    for (int n = 0; n < lineas.size(); ++n) {
        const QString &l = lineas[n];
        if (l.isEmpty()) continue;
        const auto mal = [n](const char *por) {
            return std::runtime_error(QString("line %1: %2").arg(n + 1).arg(por).toStdString());
        };
        const auto m = etiqueta.match(l);
        const int codigo = m.hasMatch() ? m.captured(1).toInt() : -1;
        if (codigo < 0 || codigo > int(CodigoLinea::Cabecera)) throw mal("no line tag");
        LineaInforme li;
        li.codigo = CodigoLinea(codigo);
        li.texto = l.mid(m.capturedLength());
        if (li.codigo == CodigoLinea::Pagina) {
            paginas.append(PaginaInforme{li.texto.toInt(), {}});
            continue;
        }
        if (paginas.isEmpty()) throw mal("a line before the first page start");
        if (li.codigo == CodigoLinea::Cabecera || li.codigo == CodigoLinea::Fila) {
            auto it = celda.globalMatch(li.texto);
            QList<QRegularExpressionMatch> marcas;
            while (it.hasNext()) marcas << it.next();
            if (marcas.isEmpty() || marcas[0].capturedStart() != 0) throw mal("a table line without cells");
            for (int i = 0; i < marcas.size(); ++i) {
                const int fin = i + 1 < marcas.size() ? marcas[i + 1].capturedStart() : li.texto.size();
                const int ancho = marcas[i].captured(1).toInt();
                CeldaCabecera c{AnchoCelda::Corto, li.texto.mid(marcas[i].capturedEnd(), fin - marcas[i].capturedEnd())};
                if (li.codigo == CodigoLinea::Cabecera) {
                    if (ancho < int(AnchoCelda::Corto) || ancho > int(AnchoCelda::Muycorto)) throw mal("unknown width");
                    c.ancho = AnchoCelda(ancho);
                } else {
                    if (ancho != CodigoCeldaFila) throw mal("a row cell without its tag");
                    c.ancho = i < cabecera.size() ? cabecera[i].ancho : AnchoCelda::Corto;
                }
                li.celdas << c;
            }
            if (li.codigo == CodigoLinea::Cabecera) cabecera = li.celdas;
        } else if (li.codigo == CodigoLinea::Titulo || li.codigo == CodigoLinea::TituloTabla) {
            cabecera.clear();
        }
        paginas.last().lineas << li;
    }
    return paginas;
}

}  // namespace tarvo
