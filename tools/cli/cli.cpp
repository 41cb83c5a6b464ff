#include "tools/cli/cli.h"

#include "comms/conexion.h"
#include "comms/envio.h"
#include "comms/recepcion_ajustes.h"
#include "core/ajustes.h"
#include "core/temporales.h"
#include "core/ventana_madre.h"
#include "core/rutas.h"
#include "core/ventana_nula.h"
#include "store/catalogo.h"
#include "store/ficheros.h"
#include "store/modelos.h"
#include "store/tablas.h"
#include "tools/cli/interaccion_cli.h"
#include "tools/cli/monitor_cli.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <optional>

namespace tarvo {
namespace {

const char *Uso =
    "usage: tarvo32-cli [--programa DIR] COMMAND ...\n"
    "  new MODEL FILE [--force]   create a configuration for MODEL (a catalogue pattern,\n"
    "                             e.g. \"TRV-610 ??\" or \"TRV-610 **\") and save it as FILE\n"
    "  info FILE                  model, general information and tables of FILE\n"
    "  send FILE --port N [--relay R] --password P [--retries K]\n"
    "                             send FILE to the relay on serial port N\n"
    "  receive FILE --port N [--relay R] [--password P] [--retries K]\n"
    "                             receive the relay's configuration into FILE (created\n"
    "                             for the relay's model when it does not exist)\n"
    "  Relay number R defaults to 1. Retry/Cancel prompts are answered Retry K times\n"
    "  (default 0), then Cancel.\n";

struct Sesion {
    InteraccionCli ui;
    Contexto ctx{ui};
    VentanaNula v;
    // Our own working copies, in a folder of this run inside the installation's
    // temporary folder: a running program keeps its own, and the next start
    // removes this one should the run be killed.
    std::optional<QTemporaryDir> temporal;
};

// The program's start-up without a window: dictionary, paths, settings.
bool Prepara(Sesion &s, const QString &programa) {
    Aplicacion &a = s.ctx.app;
    a.FicheroIdiomas = programa + Separador + "tarvo32.dat";
    if (!CargaDiccionario(s.ctx)) return false;
    const QString instalacion = DirectorioTemporalPropio(programa);
    BorraCarpetasHuerfanas(instalacion);
    s.temporal.emplace(PlantillaCarpetaEjecucion(instalacion));
    if (!s.temporal->isValid()) {
        std::fprintf(stderr, "tarvo32-cli: no temporary folder in %s\n", qPrintable(instalacion));
        return false;
    }
    InicializaRutas(a, programa, s.temporal->path());
    if (QFileInfo::exists(a.FicheroIni)) {
        LeeParametrosPuerto(a, a.Comunicaciones);
        LeeIdioma(a, a.Idioma);
        LeeDirectorios(a, a.DirectorioModelos, a.DirectorioTrabajo);
    }
    CorrigeAjustes(s.ctx);
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

// Options given as "--name value"; taken out of the list.
QString Opcion(QStringList &args, const QString &nombre, const QString &porDefecto = {}) {
    const int i = args.indexOf(nombre);
    if (i < 0 || i + 1 >= args.size()) return porDefecto;
    const QString valor = args[i + 1];
    args.remove(i, 2);
    return valor;
}

// Connects to the relay on port `puerto` as the relay menu does, without
// touching the user's settings file: the port goes into a private copy.
bool Conecta(Sesion &s, Comunicaciones &c, int puerto) {
    Aplicacion &a = s.ctx.app;
    const QString ini = s.temporal->filePath("tarvo32.ini");
    if (QFileInfo::exists(a.FicheroIni)) QFile::copy(a.FicheroIni, ini);
    a.FicheroIni = ini;
    a.Comunicaciones.Puerto = quint8(puerto);
    GuardaParametrosPuerto(a, a.Comunicaciones);
    // The program's "the relay does not answer" covers both of the failures told below.
    s.ui.callados = {s.ctx.dic.Texto(591)};
    const std::optional<qint16> r = ConexionReleResultado(c);
    s.ui.callados.clear();
    if (a.EstadoConexion == 0) return true;
    if (r == 0)
        std::fprintf(stderr, "tarvo32-cli: port COM%d cannot be opened\n", puerto);
    else if (r < 0)
        std::fprintf(stderr, "tarvo32-cli: the relay on COM%d gave no identification\n", puerto);
    else
        std::fprintf(stderr, "tarvo32-cli: no connection to the relay on COM%d\n", puerto);
    return false;
}

int Envia(Sesion &s, Comunicaciones &c, const QString &fichero) {
    QString modelo, base;
    if (!LeeModeloFichero(s.ctx, fichero, modelo)) return 1;
    const QString entrada = BuscaModelo(s.ctx, modelo, base);
    if (entrada.isEmpty() || entrada.trimmed().toUpper() != s.ctx.app.ModeloActual.trimmed().toUpper()) {
        std::fprintf(stderr, "tarvo32-cli: %s is for model %s; the relay is a %s\n", qPrintable(fichero),
                     qPrintable(modelo), qPrintable(s.ctx.app.NombreModelo));
        return 1;
    }
    return EnviaTodosGrupos(c, fichero) ? 0 : 1;
}

// Packed and checked by its own model's catalogue before the port is opened:
// a configuration that cannot be sent never reaches the line.
bool Enviable(Sesion &s, const QString &fichero) {
    Aplicacion &a = s.ctx.app;
    QString modelo, base;
    if (!LeeModeloFichero(s.ctx, fichero, modelo) || BuscaModelo(s.ctx, modelo, base).isEmpty()) return false;
    if (CargaGruposCONST(s.ctx, a.DirectorioModelos + base.trimmed(), a.GruposCONST) == 0) return false;
    const bool bien = EmpaquetaFichero(s.ctx, fichero).has_value();
    a.GruposCONST.clear();   // the relay's own catalogue comes with the connection
    return bien;
}

int Recibe(Comunicaciones &c, const QString &fichero) {
    return CargaFicheroRecepcion(c, fichero) && LeeTodosGrupos(c, fichero) ? 0 : 1;
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
    if ((orden == "send" || orden == "receive")) {
        bool ok = false;
        const int puerto = Opcion(args, "--port").toInt(&ok);
        const QString rele = Opcion(args, "--relay", "1");
        const QString clave = Opcion(args, "--password", "0");
        s.ui.reintentos = Opcion(args, "--retries", "0").toInt();
        if (!ok || puerto < 1 || puerto > 16 || args.size() != 1) {
            std::fputs(Uso, err);
            return 2;
        }
        if (!Prepara(s, programa)) return 1;
        MonitorCli monitor(err, rele, clave);
        Comunicaciones c{s.ctx, s.v, monitor, DriverOrbel(s.ctx.app)};
        const QString fichero = QFileInfo(args[0]).absoluteFilePath();
        int codigo = 1;
        if ((orden != "send" || Enviable(s, fichero)) && Conecta(s, c, puerto))
            codigo = orden == "send" ? Envia(s, c, fichero) : Recibe(c, fichero);
        CierraPuerto(c);
        if (codigo == 0) std::fprintf(out, "%s: %s\n", qPrintable(fichero), orden == "send" ? "sent" : "received");
        return codigo;
    }
    std::fputs(Uso, err);
    return 2;
}

}  // namespace tarvo
