#include "texto/herramientas_texto.h"

#include "store/ficheros.h"
#include "store/modelos.h"
#include "texto/texto.h"

#include <QFileInfo>
#include <QSaveFile>

#include <functional>

namespace tarvo {
namespace {

// A box shows this many problems; the rest are counted.
constexpr int ProblemasEnCaja = 25;

QString ListaProblemas(const clsDiccionario &dic, const QList<Problema> &problemas) {
    QStringList l;
    for (int i = 0; i < problemas.size() && i < ProblemasEnCaja; ++i) l << DescribeProblema(problemas[i]);
    if (problemas.size() > ProblemasEnCaja) l << dic.Texto(3323, problemas.size() - ProblemasEnCaja);
    return l.join("\r\n");
}

void Muestra(Contexto &ctx, const QString &texto, Icono icono) {
    ctx.ui->Muestra({texto, ctx.T148(), icono, Botones::Aceptar});
}

// Runs `lee` on the working copy with the editor let go and the busy pointer.
template <typename F>
auto ConCopiaLibre(Contexto &ctx, VentanaMadre &v, F &&lee) {
    ctx.ui->CursorOcupado(true);
    v.SuspendeEditor(false);
    auto r = lee(ctx.app.CopiaTrabajo);
    v.SuspendeEditor(true);
    ctx.ui->CursorOcupado(false);
    return r;
}

std::optional<QString> EligeTexto(Contexto &ctx, int titulo, ConsultaFichero::Modo modo) {
    ConsultaFichero c;
    c.modo = modo;
    c.titulo = ctx.dic.Texto(titulo).remove('&');
    c.carpeta = ctx.app.DirectorioTrabajo;
    c.filtros = {ctx.dic.Texto(3282)};
    c.extension = "json";
    if (modo == ConsultaFichero::Modo::Guardar)
        c.nombre = QFileInfo(ctx.app.FicheroActual).completeBaseName() + ".json";
    return ctx.ui->EligeFichero(c);
}

// A new file's path; an existing one only after the program's own question.
std::optional<QString> EligeDestino(Contexto &ctx, int titulo) {
    QString destino;
    if (!DialogoFichero(ctx, titulo, ConsultaFichero::Modo::Guardar, destino)) return std::nullopt;
    destino = destino.trimmed();
    // The open file stays as it is: its working copy would no longer match it.
    if (ctx.app.HayFicheroActual() &&
        QFileInfo(destino).absoluteFilePath() == QFileInfo(ctx.app.FicheroActual).absoluteFilePath()) {
        Muestra(ctx, ctx.dic.Texto(3277), Icono::Exclamacion);
        return std::nullopt;
    }
    if (QFileInfo::exists(destino) &&
        ctx.ui->Muestra({ctx.dic.Texto(500, destino), ctx.T148(), Icono::Pregunta, Botones::SiNo}) != Boton::Si)
        return std::nullopt;
    return destino;
}

}  // namespace

void ExportaComoTexto(Contexto &ctx, VentanaMadre &v) {
    const std::optional<QString> salida = EligeTexto(ctx, 3278, ConsultaFichero::Modo::Guardar);
    if (!salida) return;
    const std::optional<QByteArray> texto =
        ConCopiaLibre(ctx, v, [&](const QString &copia) { return ExportaTexto(ctx, copia); });
    if (!texto) return;
    // Written whole or not at all: a half text would import as another configuration.
    QSaveFile f(*salida);
    if (!f.open(QIODevice::WriteOnly) || f.write(*texto) != texto->size() || !f.commit())
        return Muestra(ctx, ctx.dic.Texto(2193, *salida), Icono::Critico);
    MuestraEstado(ctx, ctx.dic.Texto(3325, *salida));
}

void ImportaDesdeTexto(Contexto &ctx, VentanaMadre &) {
    const std::optional<QString> entrada = EligeTexto(ctx, 3279, ConsultaFichero::Modo::Abrir);
    if (!entrada) return;
    QFile f(*entrada);
    if (!f.open(QIODevice::ReadOnly)) return Muestra(ctx, ctx.dic.Texto(3276), Icono::Critico);
    const QByteArray texto = f.readAll();
    const std::optional<QString> destino = EligeDestino(ctx, 3279);
    if (!destino) return;
    ctx.ui->CursorOcupado(true);
    const QList<Problema> problemas = ImportaTexto(ctx, texto, *destino);
    ctx.ui->CursorOcupado(false);
    if (!problemas.isEmpty())
        return Muestra(ctx, ListaProblemas(ctx.dic, problemas) + "\r\n\r\n" + ctx.dic.Texto(3277), Icono::Critico);
    Muestra(ctx, ctx.dic.Texto(3322, *destino), Icono::Informacion);
}

void CompruebaConfiguracionAbierta(Contexto &ctx, VentanaMadre &v) {
    const auto problemas = ConCopiaLibre(ctx, v, [&](const QString &copia) { return CompruebaFichero(ctx, copia); });
    if (!problemas) return;
    if (problemas->isEmpty()) return Muestra(ctx, ctx.dic.Texto(3283), Icono::Informacion);
    Muestra(ctx, ctx.dic.Texto(3274, problemas->size()) + "\r\n" + ListaProblemas(ctx.dic, *problemas),
            Icono::Exclamacion);
}

void ConvierteAModelo(Contexto &ctx, VentanaMadre &v) {
    QString modelo;
    if (!PideModelo(ctx, modelo)) return;
    const std::optional<QString> destino = EligeDestino(ctx, 3281);
    if (!destino) return;
    const auto notas = ConCopiaLibre(
        ctx, v, [&](const QString &copia) { return ConvierteConfiguracion(ctx, copia, modelo, *destino); });
    if (!notas) return;
    QString texto = ctx.dic.Texto(3324, ModeloAPantalla(modelo), *destino);
    if (!notas->isEmpty()) texto += "\r\n\r\n" + ListaProblemas(ctx.dic, *notas);
    Muestra(ctx, texto, Icono::Informacion);
}

bool ConfirmaComprobacion(Contexto &ctx, const QString &fichero) {
    const std::optional<QList<Problema>> problemas = CompruebaFichero(ctx, fichero);
    if (!problemas) return false;
    if (problemas->isEmpty()) return true;
    const QString pregunta = ctx.dic.Texto(3274, problemas->size()) + "\r\n" + ListaProblemas(ctx.dic, *problemas) +
                             "\r\n\r\n" + ctx.dic.Texto(3275);
    return ctx.ui->Muestra({pregunta, ctx.T148(), Icono::Exclamacion, Botones::SiNo, Boton::No}) == Boton::Si;
}

}  // namespace tarvo
