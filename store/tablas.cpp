#include "store/tablas.h"

#include <QFileInfo>

namespace tarvo {

bool ExisteTabla(bd::BaseDatos &db, const QString &tabla) {
    try {
        return db.TableNames().contains(tabla, Qt::CaseSensitive);
    } catch (const std::exception &) {
        return false;
    }
}

bool ExisteCampo(const bd::Recordset &rs, const QString &campo) { return rs.FieldIndex(campo) >= 0; }

namespace {

std::unique_ptr<bd::BaseDatos> Abre(Contexto &ctx, const QString &ruta, bd::Apertura modo, const QString &cola) {
    try {
        return bd::BaseDatos::Abrir(ruta, modo);
    } catch (const bd::ErrorBD &e) {
        ctx.ui->CursorOcupado(false);
        ctx.ui->Muestra(
            {ctx.dic.Texto(529, e.numero, TextoError(ctx, e)) + cola, ctx.T148(), Icono::Critico, Botones::Aceptar});
        return nullptr;
    }
}

}  // namespace

std::unique_ptr<bd::BaseDatos> AbreBaseDatos(Contexto &ctx, const QString &ruta, bd::Apertura modo) {
    return Abre(ctx, ruta, modo, QString());
}

std::unique_ptr<bd::BaseDatos> AbreBaseDatosNombrada(Contexto &ctx, const QString &ruta, bd::Apertura modo) {
    return Abre(ctx, ruta, modo, " " + ruta + ".");
}

void CopiaEstructuraTabla(bd::BaseDatos &dbOrigen, bd::BaseDatos &dbDestino, const QString &origen,
                          const QString &destino) {
    bd::DefTabla def = dbOrigen.TableDef(origen);
    def.nombre = destino;
    dbDestino.CreateTableDef(def);
}

void CopiaTabla(bd::BaseDatos &dbOrigen, bd::BaseDatos &dbDestino, const QString &origen, const QString &destino,
                int cuantos) {
    CopiaEstructuraTabla(dbOrigen, dbDestino, origen, destino);
    auto de = dbOrigen.OpenRecordset(origen, bd::TipoRecordset::Snapshot);
    auto a = dbDestino.OpenRecordset(destino, bd::TipoRecordset::Tabla);
    dbDestino.BeginTrans();
    try {
        int copiados = 0;
        for (de->MoveFirst(); !de->AtEOF() && (cuantos < 0 || copiados < cuantos); de->MoveNext(), ++copiados) {
            a->AddNew();
            for (int i = 0; i < de->FieldCount(); ++i) a->SetValue(de->FieldName(i), de->Value(i));
            a->Update();
        }
        dbDestino.CommitTrans();
    } catch (...) {
        dbDestino.Rollback();
        throw;
    }
}

const QStringList &TablasConNombresIdioma() {
    static const QStringList tablas = {
        "Entradas PROT", "Eventos PROT",        "Salidas PROT",           "Eventos COMU",
        "BitMando CTRL", "EsperaConfirmacion CTRL", "Eventos CTRL",       "Salidas CTRL",
        "TiempoEntradas CTRL", "TiempoPrevio CTRL", "EntradasPulsos CTRL", "ANDs PROT",
        "LEDs COMU"};
    return tablas;
}

QString MenuDeCPU(int cpu) {
    switch (cpu) {
    case 0: return "mnuAjusteProteccion";
    case 1: return "mnuAjusteControl";
    case 2: return "mnuAjusteComunicacion";
    default: return {};
    }
}

QString NombreFichero(const QString &ruta) { return QFileInfo(ruta).fileName(); }

}  // namespace tarvo
