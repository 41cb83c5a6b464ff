#include "graphic/catalogos.h"

#include "store/tablas.h"

#include <set>

namespace tarvo {
namespace {

// Opens the model's database read-only and runs `lee` on `tabla` when it exists.
template <typename F>
bool LeeTablaModelo(Contexto &ctx, const char *procedimiento, const QString &tabla, F &&lee) {
    auto db = AbreBaseDatos(ctx, ctx.app.DirectorioModelos + ctx.app.BaseDatos, bd::Apertura::SoloLectura);
    if (!db) return false;
    try {
        if (ExisteTabla(*db, tabla)) {
            auto rs = db->OpenRecordset(tabla, bd::TipoRecordset::Snapshot);
            for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext()) lee(*rs);
        }
        return true;
    } catch (const std::exception &e) {
        InformaError(ctx, procedimiento, e);
        return false;
    }
}

QString TextoSiNoNulo(const QVariant &v) { return v.isNull() ? QString() : v.toString(); }

}  // namespace

bool CargaTodosObjetos(Contexto &ctx, QList<EntradaCatalogoObjeto> &catalogo) {
    QList<EntradaCatalogoObjeto> leidos;
    const bool ok = LeeTablaModelo(ctx, "CargaTodosObjetos", "Tarvo Objetos Graficos COMU", [&](bd::Recordset &rs) {
        const int codigo = rs.Value("ObjetoGrafico").toInt();
        const int texto = TextoDeCodigo(codigo);
        if (texto == 0) return;   // a code this program does not know
        const int version = rs.Value("Version").toInt();
        leidos.append({ctx.dic.Texto(texto), codigo, TipoDeCodigo(codigo), version});
        if (codigo == 43) leidos.append({ctx.dic.Texto(560), codigo, 46, version});
    });
    if (ok) catalogo = leidos;
    return ok;
}

bool CargaObjetosTexto(Contexto &ctx, QList<EntradaCatalogoTexto> &catalogo) {
    QList<EntradaCatalogoTexto> leidos;
    const bool ok = LeeTablaModelo(ctx, "CargaObjetosTexto", "Tarvo ObjetosTexto COMU", [&](bd::Recordset &rs) {
        const int codigo = rs.Value("Codigo").toInt();
        leidos.append({codigo, TipoCaracter(codigo)});
    });
    if (ok) catalogo = leidos;
    return ok;
}

bool CargaObjetosFijos(Contexto &ctx, QList<ObjetoFijo> &fijos) {
    QList<ObjetoFijo> leidos;
    const bool ok = LeeTablaModelo(ctx, "CargaObjetosFijos", "Tarvo ObjetosFijos COMU", [&](bd::Recordset &rs) {
        auto n = [&](const char *c) { return qint16(rs.Value(c).toInt()); };
        ObjetoFijo f;
        f.secuencia = int(leidos.size());
        f.apa = n("apa");
        f.cpu = n("cpu");
        f.oper_b = n("oper_b");
        f.oper_c = n("oper_c");
        f.oper_d = n("oper_d");
        f.donde = n("donde");
        f.txt = TextoSiNoNulo(rs.Value("txt"));
        f.txt_m = TextoSiNoNulo(rs.Value("txt_m"));
        f.txtb0 = TextoSiNoNulo(rs.Value("txtb0"));
        f.txtb1 = TextoSiNoNulo(rs.Value("txtb1"));
        f.unidad_m = n("unidad_m");
        f.x = n("x");
        f.y = n("y");
        f.pag = n("pag");
        leidos.append(f);
    });
    if (!ok) return false;
    leidos.append(ObjetoFijo{});   // secuencia -1 ends the list
    fijos = leidos;
    return true;
}

int EsObjetoFijo(const QList<ObjetoFijo> &fijos, int apa) {
    for (qsizetype i = 0; i < fijos.size() && fijos[i].secuencia >= 0; ++i)
        if (fijos[i].apa == apa) return int(i);
    return -1;
}

QList<int> BotonesDisponibles(const QList<EntradaCatalogoObjeto> &objetos, const QList<EntradaCatalogoTexto> &textos) {
    std::set<int> botones;
    for (const auto &o : objetos)
        if (o.boton >= 0) botones.insert(o.boton);
    for (const auto &t : textos)
        if (t.boton >= 0) botones.insert(t.boton);
    return QList<int>(botones.begin(), botones.end());
}

}  // namespace tarvo
