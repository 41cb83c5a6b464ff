#include "core/ini.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <optional>

namespace tarvo::ini {
namespace {

// A file as its raw lines, terminators dropped; a final terminator leaves no
// empty last element.
QStringList LeeLineas(const QString &fichero, bool *existe = nullptr) {
    QFile f(fichero);
    if (existe) *existe = f.exists();
    if (!f.open(QIODevice::ReadOnly)) return {};
    QString texto = QString::fromUtf8(f.readAll());
    texto.replace("\r\n", "\n");
    texto.replace('\r', '\n');
    QStringList lineas = texto.split('\n');
    if (!lineas.isEmpty() && lineas.last().isEmpty()) lineas.removeLast();
    return lineas;
}

QString NombreSeccion(const QString &linea) {
    const QString t = linea.trimmed();
    if (!t.startsWith('[')) return {};
    const int fin = t.indexOf(']');
    return fin > 0 ? t.mid(1, fin - 1).trimmed() : QString();
}

bool EsSeccion(const QString &linea) { return linea.trimmed().startsWith('['); }

// Key of a "key=value" line, or a null string for anything else.
QString ClaveDe(const QString &linea) {
    const int igual = linea.indexOf('=');
    if (igual < 0 || linea.trimmed().startsWith(';')) return {};
    return linea.left(igual).trimmed();
}

struct Posicion {
    int seccion = -1;      // line of the "[section]" header
    int clave = -1;        // line of the key
    int ultimaClave = -1;  // last non-blank line of the section
};

Posicion Busca(const QStringList &lineas, const QString &seccion, const QString &clave) {
    Posicion p;
    for (int i = 0; i < lineas.size(); ++i) {
        if (EsSeccion(lineas[i])) {
            if (p.seccion >= 0) break;
            if (NombreSeccion(lineas[i]).compare(seccion, Qt::CaseInsensitive) == 0) p.seccion = p.ultimaClave = i;
            continue;
        }
        if (p.seccion < 0) continue;
        if (!lineas[i].trimmed().isEmpty()) p.ultimaClave = i;
        if (p.clave < 0 && ClaveDe(lineas[i]).compare(clave, Qt::CaseInsensitive) == 0 && !ClaveDe(lineas[i]).isNull())
            p.clave = i;
    }
    return p;
}

std::optional<QString> Valor(const QString &seccion, const QString &clave, const QString &fichero) {
    const QStringList lineas = LeeLineas(fichero);
    const Posicion p = Busca(lineas, seccion, clave);
    if (p.clave < 0) return std::nullopt;
    const QString &linea = lineas[p.clave];
    return linea.mid(linea.indexOf('=') + 1).trimmed();
}

}  // namespace

int LeeEntero(const QString &seccion, const QString &clave, int porDefecto, const QString &fichero) {
    const auto valor = Valor(seccion, clave, fichero);
    if (!valor) return porDefecto;
    int i = 0;
    bool negativo = false;
    if (i < valor->size() && ((*valor)[i] == '-' || (*valor)[i] == '+')) negativo = (*valor)[i++] == '-';
    qint64 n = 0;
    for (; i < valor->size() && (*valor)[i].isDigit() && (*valor)[i].unicode() < 128; ++i) {
        n = n * 10 + ((*valor)[i].unicode() - '0');
        if (n > 0xFFFFFFFFLL) n &= 0xFFFFFFFFLL;  // wraps like a 32-bit register
    }
    return int(quint32(negativo ? -n : n));
}

QString LeeCadena(const QString &seccion, const QString &clave, const QString &porDefecto, const QString &fichero,
                  int maxCaracteres) {
    auto valor = Valor(seccion, clave, fichero);
    if (!valor) return porDefecto;
    if (valor->size() >= 2 && ((valor->startsWith('"') && valor->endsWith('"')) ||
                               (valor->startsWith('\'') && valor->endsWith('\''))))
        *valor = valor->mid(1, valor->size() - 2);
    return valor->left(maxCaracteres - 1);
}

bool EscribeCadena(const QString &seccion, const QString &clave, const QString &valor, const QString &fichero) {
    bool existe = false;
    QStringList lineas = LeeLineas(fichero, &existe);
    const Posicion p = Busca(lineas, seccion, clave);
    const QString nueva = clave + "=" + valor;
    if (p.clave >= 0) {
        lineas[p.clave] = nueva;
    } else if (p.seccion >= 0) {
        lineas.insert(p.ultimaClave + 1, nueva);
    } else {
        lineas << "[" + seccion + "]" << nueva;
    }
    QSaveFile f(fichero);
    if (!f.open(QIODevice::WriteOnly)) return false;
    QByteArray bytes;
    for (const QString &l : lineas) bytes += l.toUtf8() + "\r\n";
    f.write(bytes);
    return f.commit();
}

}  // namespace tarvo::ini
