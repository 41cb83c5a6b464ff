#include "tools/cli/texto_cli.h"

#include "store/modelos.h"
#include "texto/texto.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tarvo {
namespace {

void Lista(const QList<Problema> &problemas, std::FILE *f) {
    for (const Problema &p : problemas) std::fprintf(f, "%s\n", qPrintable(DescribeProblema(p)));
}

int Exporta(Contexto &ctx, const QString &fichero, const QString &salida, std::FILE *out, std::FILE *err) {
    const std::optional<QByteArray> texto = ExportaTexto(ctx, fichero);
    if (!texto) return 1;
    if (salida.isEmpty()) {
        std::fwrite(texto->constData(), 1, size_t(texto->size()), out);
        return 0;
    }
    QSaveFile f(salida);
    if (!f.open(QIODevice::WriteOnly) || f.write(*texto) != texto->size() || !f.commit()) {
        std::fprintf(err, "tarvo32-cli: %s cannot be written\n", qPrintable(salida));
        return 1;
    }
    std::fprintf(out, "%s: exported to %s\n", qPrintable(fichero), qPrintable(salida));
    return 0;
}

// An existing target is replaced only when asked to.
bool PuedeEscribir(const QString &destino, bool forzar, std::FILE *err) {
    if (!QFileInfo::exists(destino) || forzar) return true;
    std::fprintf(err, "tarvo32-cli: %s exists; --force replaces it\n", qPrintable(destino));
    return false;
}

int Importa(Contexto &ctx, const QString &entrada, const QString &destino, bool forzar, std::FILE *out,
            std::FILE *err) {
    if (!PuedeEscribir(destino, forzar, err)) return 1;
    QFile f(entrada);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(err, "tarvo32-cli: %s cannot be read\n", qPrintable(entrada));
        return 1;
    }
    const QList<Problema> problemas = ImportaTexto(ctx, f.readAll(), destino);
    if (!problemas.isEmpty()) {
        Lista(problemas, err);
        std::fprintf(err, "%s\n", qPrintable(ctx.dic.Texto(3277)));
        return 1;
    }
    std::fprintf(out, "%s: imported from %s\n", qPrintable(destino), qPrintable(entrada));
    return 0;
}

int Comprueba(Contexto &ctx, const QString &fichero, std::FILE *out) {
    const std::optional<QList<Problema>> problemas = CompruebaFichero(ctx, fichero);
    if (!problemas) return 2;
    Lista(*problemas, out);
    std::fprintf(out, "%s\n", qPrintable(problemas->isEmpty() ? ctx.dic.Texto(3283)
                                                             : ctx.dic.Texto(3274, problemas->size())));
    return problemas->isEmpty() ? 0 : 1;
}

int Convierte(Contexto &ctx, const QString &fichero, const QString &modelo, const QString &destino, bool forzar,
              std::FILE *out, std::FILE *err) {
    if (!PuedeEscribir(destino, forzar, err)) return 1;
    // The catalogue's pattern or its display form, as `new` takes it.
    const QString patron = ModeloAPantalla(modelo.contains('*') ? ModeloDePantalla(modelo) : modelo);
    const std::optional<QList<Problema>> notas = ConvierteConfiguracion(ctx, fichero, patron, destino);
    if (!notas) return 1;
    Lista(*notas, out);
    std::fprintf(out, "%s: converted to %s\n", qPrintable(destino), qPrintable(patron));
    return 0;
}

}  // namespace

std::pair<int, int> FicherosOrdenTexto(const QString &orden) {
    if (orden == "export") return {1, 2};
    if (orden == "import") return {2, 2};
    if (orden == "check") return {1, 1};
    if (orden == "convert") return {3, 3};
    return {0, 0};
}

int EjecutaOrdenTexto(Contexto &ctx, const QString &orden, const QStringList &ficheros, bool forzar,
                      std::FILE *out, std::FILE *err) {
    const auto ruta = [&](int i) { return i < ficheros.size() ? QFileInfo(ficheros[i]).absoluteFilePath() : QString(); };
    if (orden == "export") return Exporta(ctx, ruta(0), ruta(1), out, err);
    if (orden == "import") return Importa(ctx, ruta(0), ruta(1), forzar, out, err);
    if (orden == "check") return Comprueba(ctx, ruta(0), out);
    return Convierte(ctx, ruta(0), ficheros.value(1), ruta(2), forzar, out, err);
}

bool CompruebaAntesDeEnviar(Contexto &ctx, const QString &fichero, bool forzar, std::FILE *err) {
    const std::optional<QList<Problema>> problemas = CompruebaFichero(ctx, fichero);
    if (!problemas) return false;
    if (problemas->isEmpty()) return true;
    std::fprintf(err, "%s\n", qPrintable(ctx.dic.Texto(3274, problemas->size())));
    Lista(*problemas, err);
    if (forzar) return true;
    std::fprintf(err, "tarvo32-cli: not sent; --force sends it anyway\n");
    return false;
}

}  // namespace tarvo
