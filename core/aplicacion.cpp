#include "core/aplicacion.h"

#include "store/db/basedatos.h"

#include <QFileInfo>

namespace tarvo {

namespace {

// The dictionary text for an error number; 0 when the number is not the
// engine's nor the database layer's.
int TextoDeError(int numero) {
    switch (numero) {
    case 0: return 3131;   // an exception that carries no number
    case bd::codigo::SinRegistroActual: return 3130;
    case bd::codigo::NoEncontrado: return 3128;
    case bd::codigo::SoloLectura: return 3124;
    case bd::codigo::SinEdicion:
    case bd::codigo::CampoNoActualizable:
    case bd::codigo::Cerrado:
    case bd::codigo::SinTransaccion:
    case bd::codigo::ArgumentoNoValido: return 3131;
    }
    // The engine's extended codes carry the primary one in their low byte.
    if (numero < 0 || numero >= bd::codigo::SinRegistroActual || (numero & 0xff) > 28) return 0;
    switch (numero & 0xff) {
    case 3: case 23: return 3125;     // PERM, AUTH
    case 5: case 6: return 3120;      // BUSY, LOCKED
    case 8: return 3124;              // READONLY
    case 10: return 3126;             // IOERR
    case 11: return 3122;             // CORRUPT
    case 13: return 3127;             // FULL
    case 14: return 3123;             // CANTOPEN
    case 19: return 3129;             // CONSTRAINT
    case 26: return 3121;             // NOTADB
    default: return 3131;
    }
}

}  // namespace

QString TextoError(const Contexto &ctx, int numero, const QString &descripcion) {
    const int texto = TextoDeError(numero);
    if (texto == 0) return descripcion;
    return ctx.app.ModoDepuracion ? ctx.dic.Texto(texto) + "\r\n" + descripcion : ctx.dic.Texto(texto);
}

QString TextoError(const Contexto &ctx, const std::exception &error) {
    if (const auto *e = dynamic_cast<const bd::ErrorBD *>(&error)) return TextoError(ctx, e->numero, e->descripcion);
    return TextoError(ctx, 0, QString::fromLocal8Bit(error.what()));
}

void InformaError(Contexto &ctx, const QString &procedimiento, int numero, const QString &descripcion) {
    ctx.ui->CursorOcupado(false);
    QString texto = QString("%1 (%2)").arg(TextoError(ctx, numero, descripcion)).arg(numero);
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
