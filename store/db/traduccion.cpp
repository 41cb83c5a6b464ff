// The callers' SQL dialect, and the small amount of SQL reading the layer
// needs to write back through a query.
#include "store/db/interno.h"

#include <QSet>

namespace bd {
namespace detalle {

bool Pieza::Es(const char *palabra) const {
    return clase == Palabra && texto.compare(QLatin1String(palabra), Qt::CaseInsensitive) == 0;
}

namespace {

bool EmpiezaPalabra(QChar c) { return c.isLetter() || c == u'_'; }
bool SiguePalabra(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'$'; }

// End of a quoted run starting at i (the opening quote); a doubled closing
// quote stands for itself. An unterminated run ends with the text.
int FinEntrecomillado(const QString &s, int i, QChar cierre, bool dobleEscapa) {
    int j = i + 1;
    while (j < s.size()) {
        if (s[j] == cierre) {
            if (dobleEscapa && j + 1 < s.size() && s[j + 1] == cierre) {
                j += 2;
                continue;
            }
            return j + 1;
        }
        ++j;
    }
    return s.size();
}

}  // namespace

QVector<Pieza> Trocea(const QString &s, bool comillasSonTexto) {
    QVector<Pieza> piezas;
    int nivel = 0;
    int i = 0;
    const int n = s.size();
    auto agrega = [&](Pieza::Clase clase, int inicio, int fin, int nivelPieza) {
        piezas.push_back(Pieza{clase, inicio, fin, s.mid(inicio, fin - inicio), nivelPieza});
    };
    while (i < n) {
        const QChar c = s[i];
        if (c.isSpace()) {
            ++i;
        } else if (!comillasSonTexto && c == u'-' && i + 1 < n && s[i + 1] == u'-') {
            while (i < n && s[i] != u'\n') ++i;
        } else if (!comillasSonTexto && c == u'/' && i + 1 < n && s[i + 1] == u'*') {
            const int fin = s.indexOf(QLatin1String("*/"), i + 2);
            i = fin < 0 ? n : fin + 2;
        } else if (c == u'[') {
            const int fin = s.indexOf(u']', i + 1);
            const int j = fin < 0 ? n : fin + 1;
            agrega(Pieza::Nombre, i, j, nivel);
            i = j;
        } else if (c == u'`') {
            const int j = FinEntrecomillado(s, i, u'`', true);
            agrega(Pieza::Nombre, i, j, nivel);
            i = j;
        } else if (c == u'"') {
            const int j = FinEntrecomillado(s, i, u'"', true);
            agrega(comillasSonTexto ? Pieza::Texto : Pieza::Nombre, i, j, nivel);
            i = j;
        } else if (c == u'\'') {
            const int j = FinEntrecomillado(s, i, u'\'', true);
            agrega(Pieza::Texto, i, j, nivel);
            i = j;
        } else if (c.isDigit() || (c == u'.' && i + 1 < n && s[i + 1].isDigit())) {
            int j = i + 1;
            while (j < n) {
                if (s[j].isLetterOrNumber() || s[j] == u'.' || s[j] == u'_') {
                    ++j;
                } else if ((s[j] == u'+' || s[j] == u'-') && (s[j - 1] == u'e' || s[j - 1] == u'E')) {
                    ++j;
                } else {
                    break;
                }
            }
            agrega(Pieza::Numero, i, j, nivel);
            i = j;
        } else if (EmpiezaPalabra(c)) {
            int j = i + 1;
            while (j < n && SiguePalabra(s[j])) ++j;
            agrega(Pieza::Palabra, i, j, nivel);
            i = j;
        } else {
            if (c == u'(') {
                agrega(Pieza::Simbolo, i, i + 1, nivel);
                ++nivel;
            } else if (c == u')') {
                if (nivel > 0) --nivel;
                agrega(Pieza::Simbolo, i, i + 1, nivel);
            } else {
                agrega(Pieza::Simbolo, i, i + 1, nivel);
            }
            ++i;
        }
    }
    return piezas;
}

QString SinComillas(const QString &nombre) {
    if (nombre.size() >= 2) {
        const QChar a = nombre.front();
        const QChar z = nombre.back();
        if (a == u'[' && z == u']') return nombre.mid(1, nombre.size() - 2);
        if ((a == u'"' && z == u'"') || (a == u'`' && z == u'`')) {
            QString dentro = nombre.mid(1, nombre.size() - 2);
            return dentro.replace(QString(2, a), QString(a));
        }
    }
    return nombre;
}

QString NombreSql(const QString &nombre) {
    QString dentro = nombre;
    return u'"' + dentro.replace(u'"', QLatin1String("\"\"")) + u'"';
}

namespace {

bool EsSimbolo(const Pieza &p, char c) { return p.clase == Pieza::Simbolo && p.texto == QLatin1Char(c); }

bool EsReservadaDeFrom(const Pieza &p) {
    static const char *const reservadas[] = {"ON",     "USING", "INNER",  "LEFT",      "RIGHT",  "FULL",
                                             "OUTER",  "CROSS", "NATURAL", "JOIN",     "WHERE",  "GROUP",
                                             "ORDER",  "HAVING", "LIMIT", "WINDOW",    "UNION",  "INTERSECT",
                                             "EXCEPT", "INDEXED", "NOT"};
    for (const char *r : reservadas)
        if (p.Es(r)) return true;
    return false;
}

bool TerminaFrom(const Pieza &p) {
    if (p.nivel != 0) return false;
    return p.Es("WHERE") || p.Es("GROUP") || p.Es("HAVING") || p.Es("ORDER") || p.Es("LIMIT") ||
           p.Es("WINDOW") || p.Es("UNION") || p.Es("INTERSECT") || p.Es("EXCEPT") || EsSimbolo(p, ';');
}

bool EsNombreDeTabla(const Pieza &p) {
    return p.clase == Pieza::Nombre || (p.clase == Pieza::Palabra && !EsReservadaDeFrom(p) && !p.Es("SELECT"));
}

}  // namespace

AnalisisConsulta AnalizaConsulta(const QString &sql) {
    AnalisisConsulta a;
    const QVector<Pieza> p = Trocea(sql, false);
    if (p.isEmpty() || !p[0].Es("SELECT")) return a;
    a.esSelect = true;

    // Rows that do not stand for one row of each table cannot be written back.
    int desde = -1;
    for (int k = 1; k < p.size(); ++k) {
        if (p[k].nivel != 0) continue;
        if (k == 1 && p[k].Es("DISTINCT")) return a;
        if (p[k].Es("GROUP") || p[k].Es("HAVING") || p[k].Es("UNION") || p[k].Es("INTERSECT") ||
            p[k].Es("EXCEPT") || p[k].Es("WINDOW") || p[k].Es("VALUES"))
            return a;
        if (desde < 0 && p[k].Es("FROM")) desde = k;
    }
    if (desde < 0) return a;

    bool esperaTabla = true;
    bool enCondicion = false;   // inside ON/USING, where commas belong to the expression
    int nivelCondicion = 0;
    int k = desde + 1;
    for (; k < p.size() && !TerminaFrom(p[k]); ++k) {
        const Pieza &x = p[k];
        if (esperaTabla) {
            if (EsSimbolo(x, '(')) continue;
            if (!EsNombreDeTabla(x)) return a;   // a subquery or something not understood
            int ultima = k;
            if (k + 2 < p.size() && EsSimbolo(p[k + 1], '.') && EsNombreDeTabla(p[k + 2])) ultima = k + 2;
            if (ultima + 1 < p.size() && EsSimbolo(p[ultima + 1], '(')) return a;   // table function
            ReferenciaTabla ref;
            ref.tabla = SinComillas(p[ultima].texto);
            ref.calificador = sql.mid(x.inicio, p[ultima].fin - x.inicio);
            k = ultima;
            if (k + 2 < p.size() && p[k + 1].Es("AS")) {
                ref.calificador = p[k + 2].texto;
                k += 2;
            } else if (k + 1 < p.size() && EsNombreDeTabla(p[k + 1]) && !TerminaFrom(p[k + 1])) {
                ref.calificador = p[k + 1].texto;
                k += 1;
            }
            a.tablas.push_back(ref);
            esperaTabla = false;
            continue;
        }
        if (x.Es("JOIN")) {
            esperaTabla = true;
            enCondicion = false;
        } else if (x.Es("ON") || x.Es("USING")) {
            enCondicion = true;
            nivelCondicion = x.nivel;
        } else if (EsSimbolo(x, ',')) {
            if (!enCondicion || x.nivel <= nivelCondicion) {
                esperaTabla = true;
                enCondicion = false;
            }
        } else if (EsSimbolo(x, ')') && enCondicion && x.nivel < nivelCondicion) {
            enCondicion = false;
        }
    }
    if (esperaTabla || a.tablas.isEmpty()) {
        a.tablas.clear();
        return a;
    }
    a.posicionFrom = p[desde].inicio;
    a.actualizable = true;
    return a;
}

}  // namespace detalle

QString TraduceSql(const QString &jet) {
    using detalle::Pieza;
    const QVector<Pieza> p = detalle::Trocea(jet, true);

    QVector<bool> omitida(p.size(), false);
    for (int k = 0; k < p.size(); ++k) {
        if (p[k].Es("DISTINCTROW")) {
            omitida[k] = true;
        } else if (p[k].Es("DELETE")) {
            // "DELETE * FROM t" and "DELETE [t].* FROM t": what stands between
            // DELETE and FROM names nothing SQLite wants.
            int j = k + 1;
            while (j < p.size() && !(p[j].Es("FROM") && p[j].nivel == p[k].nivel)) ++j;
            if (j < p.size())
                for (int m = k + 1; m < j; ++m) omitida[m] = true;
        }
    }

    QString out;
    out.reserve(jet.size() + 16);
    int fin = 0;
    bool huboOmision = false;
    for (int k = 0; k < p.size(); ++k) {
        const Pieza &x = p[k];
        if (omitida[k]) {
            fin = x.fin;
            huboOmision = true;
            continue;
        }
        const QString hueco = jet.mid(fin, x.inicio - fin);
        out += (hueco.isEmpty() && huboOmision) ? QStringLiteral(" ") : hueco;
        huboOmision = false;
        fin = x.fin;

        if (x.clase == Pieza::Texto && x.texto.startsWith(u'"')) {
            // A Jet string in double quotes becomes an SQLite string literal.
            QString dentro = x.texto.mid(1, x.texto.size() - (x.texto.size() >= 2 && x.texto.endsWith(u'"') ? 2 : 1));
            dentro.replace(QLatin1String("\"\""), QLatin1String("\""));
            dentro.replace(u'\'', QLatin1String("''"));
            out += u'\'' + dentro + u'\'';
        } else if ((x.Es("TRUE") || x.Es("FALSE")) && !(k > 0 && p[k - 1].clase == Pieza::Simbolo && p[k - 1].texto == u'.') &&
                   !(k + 1 < p.size() && p[k + 1].clase == Pieza::Simbolo &&
                     (p[k + 1].texto == u'.' || p[k + 1].texto == u'('))) {
            out += x.Es("TRUE") ? QStringLiteral("1") : QStringLiteral("0");
        } else {
            out += x.texto;
        }
    }
    out += jet.mid(fin);
    return out;
}

}  // namespace bd
