#include "store/nombres_estados.h"

namespace tarvo {

QString NombresEstados::Etiqueta(int senyal) const {
    if (senyal < 1 || senyal > senyales.size()) return {};
    const int ligado = ligados.value(senyal - 1);
    QString vinculado;
    if (ligado >= 1 && ligado <= 99) vinculado = aparamenta.value(ligado - 1);
    else if (ligado >= 100 && ligado <= 999) vinculado = maniobras.value(ligado - 100 - 1);
    else if (ligado >= 1000 && ligado <= 9999) vinculado = entradas.value(ligado - 1000 - 1);
    return senyales[senyal - 1] + vinculado;
}

NombresEstados CargaNombresEstados(Contexto &ctx, bd::BaseDatos &trabajo, const QString &tablaEstados) {
    NombresEstados n;
    auto modelo = bd::BaseDatos::Abrir(ctx.app.DirectorioModelos + ctx.app.BaseDatos, bd::Apertura::SoloLectura);
    auto rs = modelo->OpenRecordset(tablaEstados, bd::TipoRecordset::Snapshot);
    for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext()) {
        n.senyales << rs->Value("Entrada").toString();
        n.ligados << rs->Value("Ligado").toInt();   // null reads as 0
    }
    auto nombres = [&](const char *tabla) {
        QStringList l;
        if (!trabajo.TableNames().contains(tabla)) return l;
        auto r = trabajo.OpenRecordset(tabla, bd::TipoRecordset::Snapshot);
        for (r->MoveFirst(); !r->AtEOF(); r->MoveNext()) l << r->Value("NombreAjuste").toString();
        return l;
    };
    n.aparamenta = nombres("TiempoAperturaCierre CTRL");
    n.maniobras = nombres("TiempoPrevio CTRL");
    n.entradas = nombres("TiempoEntradas CTRL");
    return n;
}

int CuentaGruposSenyales(int registros) { return (registros + 1) / 16; }

}  // namespace tarvo
