// The display graphic in the report: its objects listed in ten tables by
// kind, each object named the way the property dialogs offered it to the
// engineer (switchgear, orders, states, measures ...), with its cell.
#include "report/informe.h"

#include "graphic/dialogos_grafico.h"
#include "graphic/editor_grafico.h"

#include <optional>
#include <vector>

namespace tarvo {
namespace {

using A = AnchoCelda;

// Names of the data the objects point at, with a plain fallback for data the
// model's catalogues no longer list.
class NombresGrafico {
public:
    explicit NombresGrafico(InformeEnCurso &r) : dic_(r.ctx.dic), cat_(CargaCatalogosDialogos(r.ctx, &r.trabajo)) {}

    // cpu < 0: any source.
    QString Dato(const QList<DatoGrafico> &lista, int cpu, int donde, int bit = 0) const {
        for (const DatoGrafico &d : lista)
            if ((cpu < 0 || d.cpu == cpu) && d.donde == donde && d.bit == bit) return d.nombre;
        return dic_.Texto(1933, donde, bit);
    }
    QString Maniobra(int indice) const {
        for (const DatoGrafico &d : cat_.maniobras)
            if (d.indice == indice) return d.nombre;
        return dic_.Texto(1934, indice);
    }
    const CatalogosDialogos &Catalogos() const { return cat_; }
    const clsDiccionario &dic() const { return dic_; }

private:
    const clsDiccionario &dic_;
    CatalogosDialogos cat_;
};

int Fuente(const ObjetoGrafico &o) { return o.cpu & 3; }

// A code this program does not know (a file written elsewhere) shows as its number.
QString NombreCodigo(const NombresGrafico &n, const ObjetoGrafico &o) {
    const int texto = TextoDeCodigo(o.apa);
    return texto ? n.dic().Texto(texto) : QString::number(o.apa);
}

// An order cell of a switchgear object: refused operation, the order, or
// operation allowed without an order of its own (kinds fixed by the model).
QString OrdenAparamenta(const NombresGrafico &n, const ObjetoGrafico &o, int orden) {
    if (!(o.cpu & CpuOperable)) return n.dic().Texto(1932);
    return orden ? n.Maniobra(orden) : n.dic().Texto(1931);
}

// Each row builder gives the cells before the position ones, or nothing for
// an object the table leaves to another one. `i` indexes `l`, in query order.
using Celdas = std::optional<QStringList>;
using Constructor = Celdas (*)(const NombresGrafico &, const QList<ObjetoGrafico> &l, qsizetype i);

Celdas Aparamenta(const NombresGrafico &n, const QList<ObjetoGrafico> &l, qsizetype i) {
    const ObjetoGrafico &o = l[i];
    // Breakers and disconnectors show a switchgear's position; the others only switch.
    const QString asociada = o.apaN2 <= 2 ? n.Dato(n.Catalogos().aparamenta, -1, o.donde, o.oper_b) : "  ";
    return QStringList{n.dic().Texto(1920 + o.apaN2), asociada, OrdenAparamenta(n, o, o.oper_c),
                       OrdenAparamenta(n, o, o.oper_d)};
}

// An operation's label is the text row right after it (same number and cell).
bool EsEtiqueta(const QList<ObjetoGrafico> &l, qsizetype i) {
    return l[i].apaN2 == 21 && i > 0 && l[i - 1].apaN2 == 47 && l[i - 1].Identificador == l[i].Identificador;
}

Celdas Maniobras(const NombresGrafico &n, const QList<ObjetoGrafico> &l, qsizetype i) {
    const ObjetoGrafico &o = l[i];
    if (o.apaN2 != 47) return std::nullopt;
    const QString etiqueta = i + 1 < l.size() && EsEtiqueta(l, i + 1) ? l[i + 1].txt : QString();
    return QStringList{NombreCodigo(n, o), etiqueta, n.Maniobra(o.oper_b)};
}

Celdas Textos(const NombresGrafico &n, const QList<ObjetoGrafico> &l, qsizetype i) {
    const ObjetoGrafico &o = l[i];
    if (o.apaN2 != 21 || EsEtiqueta(l, i)) return std::nullopt;
    return QStringList{NombreCodigo(n, o), o.txt};
}

Celdas EstadosEventos(const NombresGrafico &n, const QList<ObjetoGrafico> &l, qsizetype i) {
    const ObjetoGrafico &o = l[i];
    const auto &listas = o.apaN2 == 23 ? n.Catalogos().estados : n.Catalogos().eventos;
    const int bit = o.apa - (o.apaN2 == 23 ? 13 : 26);
    return QStringList{NombreCodigo(n, o), n.Dato(listas[size_t(Fuente(o))], Fuente(o), o.donde, bit), o.txtb0,
                       o.txtb1, n.dic().Texto(1966 + Fuente(o))};
}

Celdas Medidas(const NombresGrafico &n, const QList<ObjetoGrafico> &l, qsizetype i) {
    const ObjetoGrafico &o = l[i];
    return QStringList{NombreCodigo(n, o), n.Dato(n.Catalogos().medidas, Fuente(o), o.donde), o.txt_m, o.txt_u};
}

Celdas Analogicos(const NombresGrafico &n, const QList<ObjetoGrafico> &l, qsizetype i) {
    const ObjetoGrafico &o = l[i];
    QStringList c{NombreCodigo(n, o), n.Dato(n.Catalogos().analogicos, Fuente(o), o.donde)};
    if (const auto e = LeeParametroEscala(o.txt_m))
        c << QString::number(e->maximo) << QString::number(e->minimo) << QString::number(e->decimales);
    else
        c << "  " << "  " << "  ";
    return c;
}

Celdas Contadores(const NombresGrafico &n, const QList<ObjetoGrafico> &l, qsizetype i) {
    const ObjetoGrafico &o = l[i];
    const QString unidad = UnidadContador(o.unidad_m);
    return QStringList{NombreCodigo(n, o), n.Dato(n.Catalogos().contadores, Fuente(o), o.donde),
                       unidad.isEmpty() ? "  " : n.dic().Texto(1972, unidad, o.unidad_m < 2 ? 6 : 9)};
}

Celdas FormatosAnalogicos(const NombresGrafico &n, const QList<ObjetoGrafico> &l, qsizetype i) {
    const ObjetoGrafico &o = l[i];
    const int formato = LeeParametroFormato(o.txt_m);
    return QStringList{NombreCodigo(n, o), n.Dato(n.Catalogos().analogicos, Fuente(o), o.donde),
                       formato ? n.dic().Texto(1975 + formato - 1) : "  "};   // BCD, Gray, binary
}

Celdas Simbolos(const NombresGrafico &n, const QList<ObjetoGrafico> &l, qsizetype i) {
    const ObjetoGrafico &o = l[i];
    // The function marker shows its outer label and its inner text.
    if (o.apaN2 == 20) return QStringList{n.dic().Texto(1957, n.dic().Texto(1402), o.txtb1, o.txtb0)};
    return QStringList{n.dic().Texto(1940 + o.apaN2 - 11)};
}

Celdas Fichero(const NombresGrafico &n, const QList<ObjetoGrafico> &l, qsizetype i) {
    return QStringList{NombreCodigo(n, l[i]), NombreDeObjetoFichero(l[i])};
}

struct Columna {
    int texto;
    A ancho;
};

struct SubTabla {
    std::vector<int> tipos;
    A objeto;                        // width of the first column
    std::vector<Columna> columnas;   // between the first column and the position
    A posicion;                      // width of column, row and page
    const char *orden;
    Constructor fila;
};

const std::vector<SubTabla> &SubTablas() {
    static const char *const porCelda = " ORDER BY pag, x, y";
    static const char *const porCeldaYTipo = " ORDER BY pag, x, y, apaN2 DESC";
    static const std::vector<SubTabla> tablas = {
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, A::Medio, {{1914, A::Medio}, {1915, A::Medio}, {1916, A::Medio}},
         A::Muycorto, porCelda, Aparamenta},
        {{47, 21}, A::Corto, {{1400, A::Corto}, {1550, A::Largo}}, A::Corto, porCeldaYTipo, Maniobras},
        {{23, 24}, A::Corto, {{1870, A::Largo}, {1963, A::Corto}, {1965, A::Corto}, {1964, A::Corto}}, A::Corto,
         porCelda, EstadosEventos},
        {{22}, A::Corto, {{1503, A::Largo}, {1502, A::Corto}, {1504, A::Corto}}, A::Corto, porCelda, Medidas},
        {{43}, A::Corto, {{1870, A::Largo}, {1970, A::Corto}, {1969, A::Corto}, {1971, A::Corto}}, A::Corto, porCelda,
         Analogicos},
        {{42}, A::Corto, {{1870, A::Largo}, {1504, A::Corto}}, A::Corto, porCelda, Contadores},
        {{46}, A::Medio, {{1870, A::Largo}, {1978, A::Corto}}, A::Corto, porCelda, FormatosAnalogicos},
        {{11, 12, 13, 14, 15, 16, 17, 18, 19, 20}, A::Largo, {}, A::Corto, porCelda, Simbolos},
        {{21, 47}, A::Corto, {{1400, A::Largo}}, A::Corto, porCeldaYTipo, Textos},
        {{25}, A::Corto, {{1870, A::Corto}}, A::Corto, "", Fichero},
    };
    return tablas;
}

QList<ObjetoGrafico> LeeObjetos(bd::BaseDatos &trabajo, const SubTabla &t) {
    QStringList terminos;
    for (int tipo : t.tipos) terminos << QString("apaN2 = %1").arg(tipo);
    const QString sql =
        QString("SELECT * FROM [%1] WHERE %2%3").arg(TablaGrafico, terminos.join(" Or "), QString(t.orden));
    QList<ObjetoGrafico> l;
    auto rs = trabajo.OpenRecordset(sql, bd::TipoRecordset::Snapshot);
    for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext()) l.append(LeeObjeto(*rs));
    return l;
}

}  // namespace

void ReportGraficoCOMU(InformeEnCurso &r) {
    if (r.e.Posicion() > 0) r.e.NuevaPagina();
    r.e.TituloTabla(r.ctx.dic.Texto(1912));
    bool primera = true;
    std::optional<NombresGrafico> nombres;   // the catalogues are read once there is an object to name
    for (const SubTabla &t : SubTablas()) {
        const QList<ObjetoGrafico> objetos = LeeObjetos(r.trabajo, t);
        if (!objetos.isEmpty() && !nombres) nombres.emplace(r);
        QList<QStringList> filas;
        for (qsizetype i = 0; i < objetos.size(); ++i) {
            Celdas c = t.fila(*nombres, objetos, i);
            if (!c) continue;
            const ObjetoGrafico &o = objetos[i];
            // The file-name object has no cell: its position columns carry the name's extension.
            if (o.apaN2 == 25)
                *c << "  " << "  " << "  ";
            else
                *c << QString::number(o.y) << QString::number(o.x) << QString::number(o.pag + 1);
            filas << *c;
        }
        // A header over no rows would only tell the reader the model offers that kind.
        if (filas.isEmpty()) continue;
        // The viewer draws both display pages under the title, so the title keeps its page to itself.
        if (primera) r.e.NuevaPagina();
        primera = false;
        QList<CeldaCabecera> cabecera{{t.objeto, r.ctx.dic.Texto(1913)}};
        for (const Columna &c : t.columnas) cabecera.append({c.ancho, r.ctx.dic.Texto(c.texto)});
        for (int texto : {1917, 1918, 1919}) cabecera.append({t.posicion, r.ctx.dic.Texto(texto)});
        r.e.Cabecera(cabecera);
        for (const QStringList &f : filas) r.e.Fila(f);
    }
}

}  // namespace tarvo
