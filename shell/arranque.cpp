#include "shell/arranque.h"

#include "core/ajustes.h"
#include "core/puertos.h"
#include "core/rutas.h"
#include "core/temporales.h"
#include "store/db/basedatos.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>

namespace tarvo {
namespace {

const QString CRLF = "\r\n";

void Informa(Contexto &ctx, const QString &texto, Icono icono = Icono::Informacion) {
    ctx.ui->Muestra({texto, TituloFijo, icono, Botones::Aceptar});
}

QString ConSeparador(QString ruta) {
    if (!ruta.isEmpty() && !ruta.endsWith(Separador)) ruta += Separador;
    return ruta;
}

}  // namespace

namespace {

void AvisaIniNoEscrito(Contexto &ctx) {
    ctx.ui->Muestra({ctx.dic.Texto(1351, ctx.app.FicheroIni), ctx.T148(), Icono::Exclamacion, Botones::Aceptar});
}

void CreaSiFalta(Contexto &ctx, const QString &directorio) {
    if (QFileInfo(directorio).isDir()) return;
    Informa(ctx, ctx.dic.Texto(604, directorio) + CRLF + CRLF + ctx.dic.Texto(603));
    QDir().mkpath(directorio);   // a failure shows later, when the folder is used
}

}  // namespace

InstanciaUnica::InstanciaUnica(const QString &directorioPrograma) {
    cerrojo_ = std::make_unique<QLockFile>(QDir::tempPath() + "/" + ClaveInstalacion(directorioPrograma) + ".lock");
    cerrojo_->setStaleLockTime(0);
}

bool InstanciaUnica::HayPrevia() {
    if (cerrojo_->isLocked() || cerrojo_->tryLock(0)) return false;
    // Only a lock held by a live process means another instance; a temporary
    // folder we cannot write must not keep the program from starting.
    return cerrojo_->error() == QLockFile::LockFailedError;
}

bool CompruebaDepuracion(const QString &directorioPrograma) {
    return QFileInfo::exists(directorioPrograma + Separador + "DEBUG.ZKP");
}

void AplicaReglaAyuda(Contexto &ctx, VentanaPrincipal &v) {
    const bool hayAyuda = ctx.app.Idioma == 0;
    ctx.app.FicheroAyuda = hayAyuda ? ctx.app.DirectorioPrograma + Separador + "tarvo32.html" : QString();
    v.ActivaAyuda(hayAyuda);
}

void CompruebaFicheroIni(Contexto &ctx, VentanaPrincipal &v) {
    Aplicacion &a = ctx.app;
    if (!QFileInfo::exists(a.FicheroIni)) {
        ParametrosPuerto p;
        p.Puerto = a.ListaPuertos.isEmpty() ? 1 : a.ListaPuertos.first();
        p.Velocidad = 19200;
        if (!CreaFicheroIni(a, p, 0, a.DirectorioModelos, a.DirectorioTrabajo)) AvisaIniNoEscrito(ctx);
        LeeParametrosPuerto(a, a.Comunicaciones);
        LeeIdioma(a, a.Idioma);
        // Without a file (an unwritable folder) the dialog still offers the
        // first-run choices; they hold for this session.
        if (!QFileInfo::exists(a.FicheroIni)) a.Comunicaciones = p;
        v.MuestraOpcionesPrimeraVez();
    }
    if (QFileInfo::exists(a.FicheroIni)) {
        LeeParametrosPuerto(a, a.Comunicaciones);
        LeeIdioma(a, a.Idioma);
        LeeDirectorios(a, a.DirectorioModelos, a.DirectorioTrabajo);
    }
    CorrigeAjustes(ctx);
    AplicaReglaAyuda(ctx, v);
    ctx.dic.setIdioma(a.Idioma);
}

void CompruebaDirectorios(Contexto &ctx) {
    Aplicacion &a = ctx.app;
    CreaSiFalta(ctx, a.DirectorioTrabajo);
    CreaSiFalta(ctx, a.DirectorioModelos);
    a.FicheroModelos = a.DirectorioModelos + "modelos.mdb";
    if (!QFileInfo::exists(a.FicheroModelos)) {
        Informa(ctx, ctx.dic.Texto(601, a.FicheroModelos) + CRLF + CRLF + ctx.dic.Texto(606));
        bd::CopiaFichero(a.DirectorioPrograma + Separador + "modelos.mdb", a.FicheroModelos);
    }
}

bool Arranque(Contexto &ctx, VentanaPrincipal &v, InstanciaUnica &instancia, const QString &directorioPrograma,
              const QString &directorioTemporal, VersionCompilada version) {
    Aplicacion &a = ctx.app;
    if (instancia.HayPrevia()) {
        Informa(ctx, "Previous instance is already running");
        return false;
    }
    a.ModoDepuracion = CompruebaDepuracion(directorioPrograma);
    a.FicheroIdiomas = directorioPrograma + Separador + "tarvo32.dat";
    if (!CargaDiccionario(ctx)) return false;

    a.ListaPuertos = BuscaPuertos(directorioPrograma);
    if (a.ListaPuertos.isEmpty()) {
        Informa(ctx, ctx.dic.Texto(600, CRLF + CRLF), Icono::Critico);
        v.OcultaFuncionesRele();
    }
    InicializaRutas(a, directorioPrograma, directorioTemporal);
    // What a killed run left behind: this instance holds the installation, so
    // no other program uses these copies, and running companions keep theirs.
    if (!a.DirectorioTemporal.isEmpty()) {
        BorraTemporales(a);
        BorraCarpetasHuerfanas(a.DirectorioTemporal);
    }
    a.VersionPrograma = ConstruyeVersion(version.mayor, version.menor, version.revision);
    CompruebaFicheroIni(ctx, v);
    CompruebaDirectorios(ctx);

    v.PonPanel(5, TextoPanelPuertos(a.Comunicaciones, ctx.dic));
    v.PonPanel(4, ctx.dic.Texto(65));

    a.ModeloActual.clear();
    a.NombreModelo.clear();
    a.BaseDatos.clear();
    a.VersionModelo.clear();
    a.EstadoConexion = 255;
    a.ConfiguracionGuardada = true;
    a.BaseTrabajoAbierta = false;
    a.NumeroRele = -1;
    a.PasswordRele = -1;

    v.MuestraPortada();
    v.Centra();
    v.PonTitulo(QString(TituloAplicacion) + " v" + a.VersionPrograma + (a.ModoDepuracion ? " {DEBUG}" : ""));
    v.PonTextosIdioma();
    MuestraEstado(ctx, ctx.dic.Texto(70));
    return true;
}

bool AplicaOpciones(Contexto &ctx, VentanaPrincipal &v, OpcionesElegidas elegidas) {
    Aplicacion &a = ctx.app;
    bool escrito = true;
    if (elegidas.comunicaciones && !a.ListaPuertos.isEmpty()) {
        const ParametrosPuerto antes = a.Comunicaciones;
        a.Comunicaciones = *elegidas.comunicaciones;
        escrito = GuardaParametrosPuerto(a, a.Comunicaciones, &antes) && escrito;
    }

    const QString modelos = ConSeparador(elegidas.directorioModelos.trimmed());
    const QString trabajo = ConSeparador(elegidas.directorioTrabajo.trimmed());
    QString modeloQueCopiar;
    bool cambiaDirectorio = false;
    if (!modelos.isEmpty() && modelos != a.DirectorioModelos) {
        if (a.HayFicheroActual() && !QFileInfo::exists(modelos + a.BaseDatos))
            modeloQueCopiar = a.DirectorioModelos + a.BaseDatos;
        a.DirectorioModelos = modelos;
        cambiaDirectorio = true;
    }
    if (!trabajo.isEmpty() && trabajo != a.DirectorioTrabajo) {
        a.DirectorioTrabajo = trabajo;
        cambiaDirectorio = true;
    }
    if (cambiaDirectorio) {
        CompruebaDirectorios(ctx);
        if (!modeloQueCopiar.isEmpty()) {
            Informa(ctx, ctx.dic.Texto(601, a.DirectorioModelos + a.BaseDatos) + CRLF + CRLF + ctx.dic.Texto(606));
            bd::CopiaFichero(modeloQueCopiar, a.DirectorioModelos + a.BaseDatos);
        }
        escrito = GuardaDirectorios(a, a.DirectorioModelos, a.DirectorioTrabajo) && escrito;
    }

    const bool cambiaIdioma = elegidas.idioma != a.Idioma && elegidas.idioma < a.NombresIdiomas.size();
    if (cambiaIdioma) {
        a.Idioma = elegidas.idioma;
        escrito = GuardaIdioma(a, a.Idioma) && escrito;
        ctx.dic.setIdioma(a.Idioma);
        if (!a.HayFicheroActual()) {
            v.PonPanel(4, ctx.dic.Texto(65));
        } else {
            // An open editor holds the working copy: it lets go for the
            // translation, as around the file commands.
            v.SuspendeEditor(false);
            v.TraduceConfiguracion();
            v.SuspendeEditor(true);
        }
        // After the translation, so that an open editor shows the new names.
        v.PonTextosIdioma();
        MuestraEstado(ctx, ctx.dic.Texto(70));
        AplicaReglaAyuda(ctx, v);
    }
    if (!a.ListaPuertos.isEmpty()) v.PonPanel(5, TextoPanelPuertos(a.Comunicaciones, ctx.dic));
    if (!escrito) AvisaIniNoEscrito(ctx);
    return cambiaIdioma;
}

bool Salir(Contexto &ctx, VentanaPrincipal &v) {
    Aplicacion &a = ctx.app;
    if (a.HayFicheroActual() && !a.ConfiguracionGuardada) {
        const Boton r = ctx.ui->Muestra(
            {ctx.dic.Texto(512, a.FicheroActual), ctx.T148(), Icono::Pregunta, Botones::SiNoCancelar});
        if (r == Boton::Cancelar) {
            ctx.ui->CursorOcupado(false);
            return false;
        }
        if (r == Boton::Si) {
            v.Guardar();
            // A save refused or failed keeps the program, and the changes, open.
            if (!a.ConfiguracionGuardada) {
                ctx.ui->CursorOcupado(false);
                return false;
            }
        } else {
            a.ConfiguracionGuardada = true;
        }
    }
    v.CierraTodo();
    BorraTemporales(a);
    return true;
}

void DescargaMadre(Contexto &ctx, VentanaPrincipal &v) {
    Aplicacion &a = ctx.app;
    if (a.HayFicheroActual() && !a.ConfiguracionGuardada) {
        const Boton r = ctx.ui->Muestra(
            {ctx.dic.Texto(512, a.FicheroActual), ctx.T148(), Icono::Pregunta, Botones::SiNo});
        if (r == Boton::Si) v.Guardar();
    }
    BorraTemporales(a);
    ctx.ui->CursorOcupado(false);
}

}  // namespace tarvo
