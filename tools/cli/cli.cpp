#include "tools/cli/cli.h"

#include "shell/core/ajustes.h"
#include "shell/core/arranque.h"
#include "shell/core/rutas.h"
#include "shell/core/ventana_nula.h"
#include "store/ficheros.h"
#include "store/modelos.h"
#include "store/tablas.h"
#include "tools/cli/interaccion_cli.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace tarvo {
namespace {

const char *Uso =
    "usage: tarvo32-cli [--programa DIR] COMMAND ...\n"
    "  new MODEL FILE [--force]   create a configuration for MODEL (a catalogue pattern,\n"
    "                             e.g. \"TRV-610 ??\" or \"TRV-610 **\") and save it as FILE\n"
    "  info FILE                  model, general information and tables of FILE\n";

struct Sesion {
    InteraccionCli ui;
    Contexto ctx{ui};
    VentanaNula v;
    QTemporaryDir temporal;   // our own working copies: a running program keeps its own
};

// The program's start-up without a window: dictionary, paths, settings.
bool Prepara(Sesion &s, const QString &programa) {
    Aplicacion &a = s.ctx.app;
    a.FicheroIdiomas = programa + Separador + "tarvo32.dat";
    if (!CargaDiccionario(s.ctx)) return false;
    InicializaRutas(a, programa, s.temporal.path());
    if (QFileInfo::exists(a.FicheroIni)) {
        LeeParametrosPuerto(a, a.Comunicaciones);
        LeeIdioma(a, a.Idioma);
        LeeDirectorios(a, a.DirectorioModelos, a.DirectorioTrabajo);
    }
    if (a.Idioma >= a.NombresIdiomas.size()) a.Idioma = 0;
    s.ctx.dic.setIdioma(a.Idioma);
    a.FicheroModelos = a.DirectorioModelos + "modelos.mdb";
    return true;
}

int Nuevo(Sesion &s, const QString &modelo, const QString &fichero, bool forzar, std::FILE *out) {
    s.ui.modelo = ModeloAPantalla(modelo.contains('*') ? ModeloDePantalla(modelo) : modelo);
    NuevaConfiguracion(s.ctx, s.v);
    if (!s.ctx.app.HayFicheroActual()) return 1;
    const QString destino = QFileInfo(fichero).absoluteFilePath();
    s.ui.ficheros = {destino};
    s.ui.sobrescribir = forzar;
    GuardaConfiguracion(s.ctx, s.v);
    if (s.ctx.app.FicheroActual != destino || !s.ctx.app.ConfiguracionGuardada) {
        if (QFileInfo::exists(destino) && !forzar)
            std::fprintf(stderr, "tarvo32-cli: %s exists; --force replaces it\n", qPrintable(destino));
        return 1;
    }
    std::fprintf(out, "%s: %s (%s)\n", qPrintable(destino), qPrintable(s.ctx.app.ModeloActual),
                 qPrintable(s.ctx.app.BaseDatos));
    return 0;
}

int Informacion(Sesion &s, const QString &fichero, std::FILE *out) {
    QString modelo;
    if (!LeeModeloFichero(s.ctx, fichero, modelo)) return 1;
    try {
        auto db = bd::BaseDatos::Abrir(fichero, bd::Apertura::SoloLectura);
        QString base;
        const QString entrada = BuscaModelo(s.ctx, modelo, base);
        std::fprintf(out, "Model: %s\nModel database: %s\n", qPrintable(modelo),
                     qPrintable(entrada.isEmpty() ? QString("(not in the catalogue)") : base));
        if (ExisteTabla(*db, "Varios")) {
            auto rs = db->OpenRecordset("Varios", bd::TipoRecordset::Snapshot);
            rs->MoveFirst();
            if (!rs->AtEOF()) {
                auto fecha = [&](const char *c) { return rs->Value(c).toDateTime().date().toString(Qt::ISODate); };
                std::fprintf(out, "Substation: %s\nLine: %s\nComments: %s\nCreated: %s\nLast modified: %s\n",
                             qPrintable(rs->Value("Subestacion").toString()), qPrintable(rs->Value("Linea").toString()),
                             qPrintable(rs->Value("Comentarios").toString()), qPrintable(fecha("FechaCreacion")),
                             qPrintable(fecha("UltimaModificacion")));
            }
        }
        std::fprintf(out, "Tables:\n");
        for (const QString &t : db->TableNames())
            std::fprintf(out, "  %-28s %5d\n", qPrintable(t),
                         db->OpenRecordset(t, bd::TipoRecordset::Snapshot)->RecordCount());
        return 0;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "tarvo32-cli: %s\n", e.what());
        return 1;
    }
}

}  // namespace

int EjecutaCli(const QStringList &argumentos, const QString &directorioPrograma, std::FILE *out, std::FILE *err) {
    QStringList args = argumentos;
    QString programa = directorioPrograma;
    const int p = args.indexOf("--programa");
    if (p >= 0 && p + 1 < args.size()) {
        programa = QDir(args[p + 1]).absolutePath();
        args.remove(p, 2);
    }
    const bool forzar = args.removeAll("--force") > 0;
    if (args.isEmpty()) {
        std::fputs(Uso, err);
        return 2;
    }
    const QString orden = args.takeFirst();
    Sesion s;
    if (orden == "new" && args.size() == 2) {
        if (!Prepara(s, programa)) return 1;
        return Nuevo(s, args[0], args[1], forzar, out);
    }
    if (orden == "info" && args.size() == 1) {
        if (!Prepara(s, programa)) return 1;
        return Informacion(s, args[0], out);
    }
    std::fputs(Uso, err);
    return 2;
}

}  // namespace tarvo
