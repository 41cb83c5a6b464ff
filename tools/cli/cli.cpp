#include "tools/cli/cli.h"

#include "comms/comparacion.h"
#include "comms/conexion.h"
#include "comms/envio.h"
#include "comms/recepcion_ajustes.h"
#include "core/ajustes.h"
#include "core/temporales.h"
#include "core/ventana_madre.h"
#include "core/rutas.h"
#include "core/ventana_nula.h"
#include "graphic/editor_grafico.h"
#include "graphic/ui/imprime_grafico.h"
#include "report/informe.h"
#include "report/ui/pinta_informe.h"
#include "store/idioma_fichero.h"
#include "store/catalogo.h"
#include "store/ficheros.h"
#include "store/modelos.h"
#include "store/tablas.h"
#include "tools/cli/interaccion_cli.h"
#include "tools/cli/monitor_cli.h"
#include "tools/cli/rele_cli.h"
#include "tools/cli/texto_cli.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QTemporaryDir>

#include <optional>

namespace tarvo {
namespace {

const char *Uso =
    "usage: tarvo32-cli [--program DIR] COMMAND ...\n"
    "  new MODEL FILE [--force]   create a configuration for MODEL (a catalogue pattern,\n"
    "                             e.g. \"TRV-610 ??\" or \"TRV-610 **\") and save it as FILE;\n"
    "                             an existing FILE is replaced only with --force\n"
    "  info FILE                  model, general information, fingerprint and tables of FILE\n"
    "  diff A B                   compare configurations A and B of one model: one line per\n"
    "                             differing setting, then both fingerprints; exit 0 equal,\n"
    "                             1 different, 2 trouble\n"
    "  diff FILE --port N [--relay R] --password P [--retries K]\n"
    "                             compare FILE with the relay on serial port N, as diff A B\n"
    "  export FILE [OUT]          FILE as JSON text into OUT (standard output without it)\n"
    "  import IN FILE [--force]   a new configuration FILE from the JSON text IN; nothing\n"
    "                             is written when a value is refused\n"
    "  check FILE                 every setting of FILE against its limits, allowed values,\n"
    "                             coding and the display's rules; exit 0 clean, 1 problems\n"
    "  convert FILE MODEL OUT [--force]\n"
    "                             FILE carried to MODEL as OUT; tells what was dropped or\n"
    "                             left as New makes it\n"
    "  send FILE --port N [--relay R] --password P [--retries K] [--changed] [--verify]\n"
    "       [--force]             send FILE to the relay on serial port N; a FILE with\n"
    "                             check problems is sent only with --force\n"
    "  receive FILE --port N [--relay R] --password P [--retries K]\n"
    "                             receive the relay's configuration into FILE (created\n"
    "                             for the relay's model when it does not exist)\n"
    "  display FILE --pdf OUT [--number N]\n"
    "                             write the display graphic of FILE, as printed, into the\n"
    "                             PDF file OUT (one page) with graphic number N\n"
    "  report FILE [--pdf OUT] [--tagged TXT]\n"
    "                             write the configuration report of FILE, as printed, into\n"
    "                             the PDF file OUT and/or its tagged text into TXT\n"
    "  --program DIR  program folder whose settings and folders are used (default: this one's)\n"
    "  --port N       serial port COMN, 1-16\n"
    "  --relay R      relay number, 0-255 (default 1)\n"
    "  --password P   relay password, 0-99999\n"
    "  --retries K    Retry/Cancel prompts are answered Retry K times (default 0), then Cancel\n"
    "  --changed      read the relay first and send only the tables it holds otherwise\n"
    "  --verify       read every table back after the send; any difference fails it\n"
    "  --pdf OUT      the PDF file display or report writes (replaced if it exists)\n"
    "  --tagged TXT   the report's tagged text, as the report view reads it (replaced)\n"
    "  --number N     the graphic number on the sheet, a number (default none)\n"
    "  --help         this text\n";

// The command line taken apart: the command and its files, and the options.
struct Linea {
    QStringList posicionales;
    QHash<QString, QString> valores;   // "--port" -> "3"
    bool forzar = false, ayuda = false;
    QStringList marcas;                // --changed, --verify
};

// The options that take a value.
const QStringList ConValor = {"--program", "--port", "--relay", "--password", "--retries", "--pdf", "--number", "--tagged"};

// The options each command takes besides --program.
const QHash<QString, QStringList> OpcionesOrden = {
    {"new", {}},
    {"info", {}},
    {"diff", {"--port", "--relay", "--password", "--retries"}},
    {"send", {"--port", "--relay", "--password", "--retries"}},
    {"receive", {"--port", "--relay", "--password", "--retries"}},
    {"display", {"--pdf", "--number"}},
    {"report", {"--pdf", "--tagged"}},
    {"export", {}},
    {"import", {}},
    {"check", {}},
    {"convert", {}},
};

// The commands that may replace a file or override the check.
const QStringList ConForzar = {"new", "import", "convert", "send"};

// nullopt, with the reason in `error`, when an option is unknown or lacks its value.
std::optional<Linea> LeeLinea(const QStringList &args, QString &error) {
    Linea l;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == "--help" || a == "-h") l.ayuda = true;
        else if (a == "--force") l.forzar = true;
        else if (a == "--changed" || a == "--verify") l.marcas << a;
        else if (ConValor.contains(a)) {
            if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return std::nullopt;
            }
            l.valores[a] = args[++i];
        } else if (a.startsWith('-') && a.size() > 1) {
            error = "unknown option " + a;
            return std::nullopt;
        } else
            l.posicionales << a;
    }
    return l;
}

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

// `destino` is an absolute path.
int Nuevo(Sesion &s, const QString &modelo, const QString &destino, bool forzar, std::FILE *out) {
    s.ui.modelo = ModeloAPantalla(modelo.contains('*') ? ModeloDePantalla(modelo) : modelo);
    NuevaConfiguracion(s.ctx, s.v);
    if (!s.ctx.app.HayFicheroActual()) return 1;
    s.ui.ficheros = {destino};
    s.ui.sobrescribir = forzar;
    GuardaConfiguracion(s.ctx, s.v);
    if (s.ctx.app.FicheroActual != destino || !s.ctx.app.ConfiguracionGuardada) return 1;
    std::fprintf(out, "%s: %s (%s)\n", qPrintable(destino), qPrintable(s.ctx.app.ModeloActual),
                 qPrintable(s.ctx.app.BaseDatos));
    return 0;
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
        std::fprintf(stderr, "tarvo32-cli: port COM%d %s\n", puerto,
                     c.driver.PuertoOcupado() ? "is busy: another program holds it" : "cannot be opened");
    else if (r < 0)
        std::fprintf(stderr, "tarvo32-cli: the relay on COM%d gave no identification\n", puerto);
    else
        std::fprintf(stderr, "tarvo32-cli: no connection to the relay on COM%d\n", puerto);
    return false;
}

int Envia(Sesion &s, Comunicaciones &c, const QString &fichero, FormaEnvio forma) {
    QString modelo, base;
    if (!LeeModeloFichero(s.ctx, fichero, modelo)) return 1;
    const QString entrada = BuscaModelo(s.ctx, modelo, base);
    if (entrada.isEmpty() || entrada.trimmed().toUpper() != s.ctx.app.ModeloActual.trimmed().toUpper()) {
        std::fprintf(stderr, "tarvo32-cli: %s is for model %s; the relay is a %s\n", qPrintable(fichero),
                     qPrintable(modelo), qPrintable(s.ctx.app.NombreModelo));
        return 1;
    }
    return EnviaTodosGrupos(c, fichero, forma) ? 0 : 1;
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
        // The reason a file has none is told on standard error.
        const QString huella = entrada.isEmpty() ? QString() : Huella(s.ctx, fichero);
        std::fprintf(out, "Fingerprint: %s\n", qPrintable(huella.isEmpty() ? QString("(none)") : huella));
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

// One line per difference, then both fingerprints: 0 equal, 1 different, 2
// when the files could not be compared (told on standard error).
int Diferencias(Sesion &s, const QString &a, const QString &b, std::FILE *out) {
    const std::optional<Comparacion> c = ComparaConfiguraciones(s.ctx, a, b);
    return c ? ImprimeComparacion(*c, a, b, out) : 2;
}

// The display sheet of a configuration, read from the file itself, into a PDF.
int Display(Sesion &s, const QString &fichero, const QString &pdf, const QString &numero, std::FILE *out) {
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        std::fprintf(stderr, "tarvo32-cli: display needs a GUI application for its fonts\n");
        return 1;
    }
    Aplicacion &a = s.ctx.app;
    QString modelo, base;
    if (!LeeModeloFichero(s.ctx, fichero, modelo) || BuscaModelo(s.ctx, modelo, base).isEmpty()) return 1;
    a.BaseDatos = base.trimmed();
    BuscaIdiomaRele(s.ctx);   // kinds with built-in texts draw them in the relay's language
    HojaDisplay h;
    try {
        auto db = bd::BaseDatos::Abrir(fichero, bd::Apertura::SoloLectura);
        CargaHojaDisplay(*db, a.IdiomaRele, h);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "tarvo32-cli: %s\n", e.what());
        return 1;
    }
    h.configuracion = fichero;
    h.version = ConstruyeVersion(TARVO_VERSION_MAJOR, TARVO_VERSION_MINOR, TARVO_VERSION_PATCH);
    h.numero = numero;
    if (!EscribePdfDisplay(pdf, h, s.ctx.dic)) {
        std::fprintf(stderr, "tarvo32-cli: %s\n", qPrintable(s.ctx.dic.Texto(2193, pdf)));
        return 1;
    }
    std::fprintf(out, "%s: display written to %s\n", qPrintable(fichero), qPrintable(pdf));
    return 0;
}

// The configuration report of a file, read from the file itself, into a PDF
// and/or the tagged text the report view pages through.
int Report(Sesion &s, const QString &fichero, const QString &pdf, const QString &etiquetado, std::FILE *out) {
    if (!pdf.isEmpty() && !qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        std::fprintf(stderr, "tarvo32-cli: report --pdf needs a GUI application for its fonts\n");
        return 1;
    }
    Aplicacion &a = s.ctx.app;
    QString modelo, base;
    if (!LeeModeloFichero(s.ctx, fichero, modelo)) return 1;
    const QString entrada = BuscaModelo(s.ctx, modelo, base);
    if (entrada.isEmpty()) return 1;
    a.ModeloActual = a.NombreModelo = entrada;
    a.BaseDatos = base.trimmed();
    a.FicheroActual = fichero;
    a.VersionPrograma = ConstruyeVersion(TARVO_VERSION_MAJOR, TARVO_VERSION_MINOR, TARVO_VERSION_PATCH);
    if (CargaGruposCONST(s.ctx, a.DirectorioModelos + a.BaseDatos, a.GruposCONST) == 0) return 1;
    BuscaIdiomaRele(s.ctx);
    const QString texto = etiquetado.isEmpty() ? a.FicheroInforme : etiquetado;
    std::optional<HojaDisplay> hoja;
    try {
        auto db = bd::BaseDatos::Abrir(fichero, bd::Apertura::SoloLectura);
        if (!CargaReport(s.ctx, *db, texto)) return 1;
        if (TablaEnModelo(a, TablaGrafico)) {
            hoja.emplace();
            CargaHojaDisplay(*db, a.IdiomaRele, *hoja);
            hoja->configuracion = fichero;
            hoja->version = a.VersionPrograma;
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "tarvo32-cli: %s\n", e.what());
        return 1;
    }
    if (!etiquetado.isEmpty()) std::fprintf(out, "%s: report text written to %s\n", qPrintable(fichero), qPrintable(texto));
    if (pdf.isEmpty()) return 0;
    QList<PaginaInforme> paginas;
    try {
        QFile f(texto);
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) throw std::runtime_error(f.errorString().toStdString());
        paginas = LeeInforme(QString::fromUtf8(f.readAll()));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "tarvo32-cli: %s: %s\n", qPrintable(texto), e.what());
        return 1;
    }
    if (!EscribePdfInforme(pdf, paginas, {a.VersionPrograma}, hoja ? &*hoja : nullptr, s.ctx.dic)) {
        std::fprintf(stderr, "tarvo32-cli: %s\n", qPrintable(s.ctx.dic.Texto(2193, pdf)));
        return 1;
    }
    std::fprintf(out, "%s: report written to %s (%lld pages)\n", qPrintable(fichero), qPrintable(pdf),
                 qlonglong(paginas.size()));
    return 0;
}

}  // namespace

int EjecutaCli(const QStringList &argumentos, const QString &directorioPrograma, std::FILE *out, std::FILE *err) {
    // A wrong command line is told in one line, before anything is opened.
    const auto mal = [err](const QString &por) {
        std::fprintf(err, "tarvo32-cli: %s (--help shows the usage)\n", qPrintable(por));
        return 2;
    };
    QString error;
    const std::optional<Linea> l = LeeLinea(argumentos, error);
    if (!l) return mal(error);
    if (l->ayuda) {
        std::fputs(Uso, out);
        return 0;
    }
    if (l->posicionales.isEmpty()) return mal("no command");
    QStringList args = l->posicionales;
    const QString orden = args.takeFirst();
    const auto valor = [&](const char *opcion, const QString &porDefecto = {}) {
        return l->valores.value(opcion, porDefecto);
    };
    const QString programa = l->valores.contains("--program") ? QDir(valor("--program")).absolutePath()
                                                               : directorioPrograma;
    if (!OpcionesOrden.contains(orden)) return mal("unknown command " + orden);
    const auto [minimo, maximo] = FicherosOrdenTexto(orden);
    if (maximo > 0 && (args.size() < minimo || args.size() > maximo))
        return mal(QString("%1 takes %2").arg(orden, orden == "export"   ? "FILE [OUT]"
                                                     : orden == "import" ? "IN FILE"
                                                     : orden == "check"  ? "FILE"
                                                                         : "FILE MODEL OUT"));
    // diff compares two files, or one with the relay on --port.
    const bool conRele = orden == "diff" && l->valores.contains("--port");
    const int esperados = orden == "new" || (orden == "diff" && !conRele) ? 2 : 1;
    if (maximo == 0 && args.size() != esperados)
        return mal(QString("%1 takes %2").arg(orden, orden == "new"    ? "MODEL FILE"
                                                     : orden == "diff" ? "A B, or FILE --port N"
                                                                       : "FILE"));
    if (orden == "diff" && !conRele && l->valores.size() > l->valores.contains("--program"))
        return mal("diff A B takes no relay options");
    if (orden != "send" && !l->marcas.isEmpty()) return mal(orden + " takes no " + l->marcas.first());
    for (const QString &o : l->valores.keys())
        if (o != "--program" && !OpcionesOrden[orden].contains(o)) return mal(QString("%1 takes no %2").arg(orden, o));
    if (l->forzar && !ConForzar.contains(orden)) return mal(orden + " takes no --force");

    Sesion s;
    if (maximo > 0) {
        if (!Prepara(s, programa)) return orden == "check" ? 2 : 1;
        return EjecutaOrdenTexto(s.ctx, orden, args, l->forzar, out, err);
    }
    if (orden == "new") {
        const QString destino = QFileInfo(args[1]).absoluteFilePath();
        if (QFileInfo::exists(destino) && !l->forzar) {
            std::fprintf(err, "tarvo32-cli: %s exists; --force replaces it\n", qPrintable(destino));
            return 1;
        }
        if (!Prepara(s, programa)) return 1;
        return Nuevo(s, args[0], destino, l->forzar, out);
    }
    if (orden == "info") {
        if (!Prepara(s, programa)) return 1;
        return Informacion(s, args[0], out);
    }
    if (orden == "diff" && !conRele) {
        if (!Prepara(s, programa)) return 2;
        return Diferencias(s, QFileInfo(args[0]).absoluteFilePath(), QFileInfo(args[1]).absoluteFilePath(), out);
    }
    bool ok = false;
    if (orden == "display") {
        const QString numero = valor("--number").trimmed();
        if (valor("--pdf").isEmpty()) return mal("display needs --pdf OUT");
        if (!numero.isEmpty() && (numero.toDouble(&ok), !ok)) return mal("--number N is a number");
        if (!Prepara(s, programa)) return 1;
        return Display(s, QFileInfo(args[0]).absoluteFilePath(), QFileInfo(valor("--pdf")).absoluteFilePath(), numero,
                       out);
    }
    if (orden == "report") {
        if (valor("--pdf").isEmpty() && valor("--tagged").isEmpty()) return mal("report needs --pdf OUT or --tagged TXT");
        const auto absoluta = [&](const char *o) { return valor(o).isEmpty() ? QString() : QFileInfo(valor(o)).absoluteFilePath(); };
        if (!Prepara(s, programa)) return 1;
        return Report(s, QFileInfo(args[0]).absoluteFilePath(), absoluta("--pdf"), absoluta("--tagged"), out);
    }
    const int puerto = valor("--port").toInt(&ok);
    if (!ok || puerto < 1 || puerto > 16) return mal("--port N names serial port COMN, N from 1 to 16");
    const QString rele = valor("--relay", "1"), clave = valor("--password");
    if (!ValidaIdentificacion(rele, "0")) return mal("--relay R is a relay number from 0 to 255");
    if (!ValidaIdentificacion("0", clave)) return mal("--password P is needed, a number from 0 to 99999");
    s.ui.reintentos = valor("--retries", "0").toInt(&ok);
    if (!ok || s.ui.reintentos < 0) return mal("--retries K is a count, 0 or more");

    if (!Prepara(s, programa)) return conRele ? 2 : 1;
    MonitorCli monitor(err, rele, clave);
    Comunicaciones c{s.ctx, s.v, monitor, DriverOrbel(s.ctx.app)};
    const QString fichero = QFileInfo(args[0]).absoluteFilePath();
    const FormaEnvio forma{.cambios = l->marcas.contains("--changed"), .verifica = l->marcas.contains("--verify")};
    int codigo = conRele ? 2 : 1;
    const bool enviable =
        orden != "send" || (Enviable(s, fichero) && CompruebaAntesDeEnviar(s.ctx, fichero, l->forzar, err));
    if (enviable && Conecta(s, c, puerto))
        codigo = conRele ? DiferenciasRele(c, fichero, puerto, out)
                 : orden == "send" ? Envia(s, c, fichero, forma) : Recibe(c, fichero);
    CierraPuerto(c);
    if (codigo == 0 && !conRele)
        std::fprintf(out, "%s: %s\n", qPrintable(fichero), orden == "send" ? "sent" : "received");
    return codigo;
}

}  // namespace tarvo
