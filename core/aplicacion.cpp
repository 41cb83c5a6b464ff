#include "core/aplicacion.h"

#include "store/db/basedatos.h"

#include <QFileInfo>

namespace tarvo {

void InformaError(Contexto &ctx, const QString &procedimiento, int numero, const QString &descripcion) {
    ctx.ui->CursorOcupado(false);
    QString texto = QString("%1 (%2)").arg(descripcion).arg(numero);
    if (ctx.app.ModoDepuracion) texto = "MODULO " + procedimiento + "()\r\n" + texto;
    ctx.ui->Muestra({texto, ctx.dic.Texto(148), Icono::Critico, Botones::Aceptar});
}

void InformaError(Contexto &ctx, const QString &procedimiento, const std::exception &error) {
    if (const auto *e = dynamic_cast<const bd::ErrorBD *>(&error))
        InformaError(ctx, procedimiento, e->numero, e->descripcion);
    else
        InformaError(ctx, procedimiento, 0, QString::fromLocal8Bit(error.what()));
}

void MuestraEstado(Contexto &ctx, const QString &mensaje, bool puntos) {
    ctx.ui->PonEstado(puntos ? mensaje + "..." : mensaje);
    ctx.ui->ProcesaEventos();
}

QString TextoConProgreso(const QString &panel, int porcentaje) {
    QString texto = panel;
    const int parentesis = texto.indexOf('(');
    if (parentesis >= 0) {
        const int blanco = texto.lastIndexOf(' ', parentesis);
        texto.truncate(blanco >= 0 ? blanco : parentesis);
    }
    return texto + " (" + QString::number(porcentaje) + "%)";
}

void MuestraProgreso(Contexto &ctx, int porcentaje) {
    const QString panel = ctx.ui->Estado();
    if (ctx.app.ModoDepuracion && panel == ctx.dic.Texto(70))
        ctx.ui->Muestra({"Abnormal program behaviour\r\nRestart it please", TituloFijo, Icono::Exclamacion,
                         Botones::Aceptar});
    ctx.ui->PonEstado(TextoConProgreso(panel, porcentaje));
    ctx.ui->ProcesaEventos();
}

namespace {

// Before the dictionary is loaded there are no texts to take: fixed words.
void Fijo(Contexto &ctx, const QString &texto) { ctx.ui->Muestra({texto, TituloFijo, Icono::Critico, Botones::Aceptar}); }

}  // namespace

bool CargaDiccionario(Contexto &ctx) {
    const QString ruta = ctx.app.FicheroIdiomas;
    if (!QFileInfo::exists(ruta)) {
        Fijo(ctx, "The required file " + ruta + " doesn't exist.\r\n\r\nPlease do reinstall the software.");
        return false;
    }
    try {
        auto db = bd::BaseDatos::Abrir(ruta, bd::Apertura::SoloLectura);
        auto rs = db->OpenRecordset("BitMando CTRL", bd::TipoRecordset::Snapshot);
        ctx.app.ColumnaValor = rs->FieldName(1);
    } catch (const std::exception &) {
        // The same advice as for unreadable texts: the data file is damaged.
        Fijo(ctx, "There was an error loading language texts.\r\n\r\nPlease do reinstall the software.");
        return false;
    }
    ctx.dic.setIdioma(0);
    return ctx.dic.CargarTextosIdiomas(ruta, ctx.app.NombresIdiomas, ctx.app.EtiquetasIdiomas);
}

}  // namespace tarvo
