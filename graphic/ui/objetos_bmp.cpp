#include "graphic/ui/objetos_bmp.h"

#include "graphic/celdas.h"

#include <QStringList>

#include <array>

namespace tarvo {

// Text of data/graficos/objetos_bmp.txt, generated at build time.
extern const char *const TextoObjetosBmp;

namespace {

struct Tira {
    QSize tamano;
    std::array<QImage, CeldasBmp> celdas;
    std::array<QPainterPath, CeldasBmp> trazos;
    QStringList errores;
};

// The map: "//" comments and blank lines aside, a line "tamano W H", then for
// each drawn cell a line "celda N name" followed by H rows of W '.' or '#'.
Tira LeeTira(const QString &texto) {
    Tira tira;
    const QStringList lineas = texto.split(u'\n');
    int celda = -1, fila = 0;
    QImage actual;
    auto cierra = [&] {
        if (celda < 0) return;
        if (fila != tira.tamano.height())
            tira.errores << QStringLiteral("celda %1: %2 filas").arg(celda).arg(fila);
        tira.celdas[celda] = actual;
        celda = -1;
    };
    for (int n = 0; n < lineas.size(); ++n) {
        const QString linea = lineas[n].trimmed();
        if (linea.isEmpty() || linea.startsWith(u"//")) continue;
        const QStringList palabras = linea.split(u' ', Qt::SkipEmptyParts);
        if (palabras[0] == u"tamano" && palabras.size() == 3) {
            tira.tamano = QSize(palabras[1].toInt(), palabras[2].toInt());
        } else if (palabras[0] == u"celda" && palabras.size() >= 2) {
            cierra();
            bool ok = false;
            celda = palabras[1].toInt(&ok);
            if (!ok || celda < 0 || celda >= CeldasBmp || tira.tamano.isEmpty()) {
                tira.errores << QStringLiteral("linea %1: celda %2 fuera de la tira").arg(n + 1).arg(palabras[1]);
                celda = -1;
                continue;
            }
            if (!tira.celdas[celda].isNull())
                tira.errores << QStringLiteral("celda %1 repetida").arg(celda);
            actual = QImage(tira.tamano, QImage::Format_ARGB32);
            actual.fill(Qt::transparent);
            fila = 0;
        } else if (celda >= 0 && fila < tira.tamano.height() && linea.size() == tira.tamano.width() &&
                   linea.count(u'.') + linea.count(u'#') == linea.size()) {
            for (int x = 0; x < linea.size(); ++x)
                if (linea[x] == u'#') actual.setPixel(x, fila, qRgba(0, 0, 0, 255));
            ++fila;
        } else {
            tira.errores << QStringLiteral("linea %1 no se entiende: %2").arg(n + 1).arg(linea);
        }
    }
    cierra();
    if (tira.tamano.isEmpty()) tira.errores << QStringLiteral("falta la linea tamano");
    for (int i = 0; i < CeldasBmp; ++i) {
        QImage &imagen = tira.celdas[i];
        if (imagen.isNull()) {
            imagen = QImage(tira.tamano.isEmpty() ? QSize(1, 1) : tira.tamano, QImage::Format_ARGB32);
            imagen.fill(Qt::transparent);
        }
        // One rectangle per run of ink, united so a scaled fill shows no seams.
        QPainterPath trazo;
        for (int y = 0; y < imagen.height(); ++y)
            for (int x = 0; x < imagen.width();) {
                if (qAlpha(imagen.pixel(x, y)) == 0) { ++x; continue; }
                int fin = x;
                while (fin < imagen.width() && qAlpha(imagen.pixel(fin, y)) != 0) ++fin;
                trazo.addRect(x, y, fin - x, 1);
                x = fin;
            }
        tira.trazos[i] = trazo.simplified();
    }
    return tira;
}

const Tira &LaTira() {
    static const Tira tira = LeeTira(QString::fromUtf8(TextoObjetosBmp));
    return tira;
}

}  // namespace

QSize TamanoCeldaBmp() { return LaTira().tamano; }

QImage CeldaBmp(int i) {
    if (i >= 0 && i < CeldasBmp) return LaTira().celdas[i];
    QImage vacia(LaTira().celdas[0].size(), QImage::Format_ARGB32);
    vacia.fill(Qt::transparent);
    return vacia;
}

const QPainterPath &TrazoCeldaBmp(int i) {
    static const QPainterPath vacio;
    return i >= 0 && i < CeldasBmp ? LaTira().trazos[i] : vacio;
}

QString ErroresObjetosBmp() { return LaTira().errores.join(u'\n'); }

}  // namespace tarvo
