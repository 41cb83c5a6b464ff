#include "store/ficheros.h"

#include "core/temporales.h"
#include "store/catalogo.h"
#include "store/idioma_fichero.h"
#include "store/informacion.h"
#include "store/modelos.h"
#include "store/tablas.h"

#include <QCryptographicHash>
#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace tarvo {
namespace {

void Critico(Contexto &ctx, const QString &texto) {
    ctx.ui->CursorOcupado(false);
    ctx.ui->Muestra({texto, ctx.T148(), Icono::Critico, Botones::Aceptar});
}

QDateTime Hoy() { return QDateTime(QDate::currentDate(), QTime(0, 0)); }

bool EsSinTitulo(const Aplicacion &a, const QString &fichero) {
    return fichero.trimmed() == a.FicheroSinTitulo.trimmed();
}

QByteArray Huella(const QString &ruta) {
    QFile f(ruta);
    QCryptographicHash h(QCryptographicHash::Sha1);
    if (!f.open(QIODevice::ReadOnly) || !h.addData(&f)) return {};
    return h.result();
}

bool MismoFichero(const QString &a, const QString &b) {
    return !a.isEmpty() && !b.isEmpty() && QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

// `fichero` as this program now knows it: the bytes of `contenido`, the file
// itself or the copy just taken of it.
void Recuerda(Aplicacion &a, const QString &fichero, const QString &contenido) {
    a.FicheroVisto = fichero;
    a.HuellaFicheroVisto = Huella(contenido);
}

void Olvida(Aplicacion &a) {
    a.FicheroVisto.clear();
    a.HuellaFicheroVisto.clear();
}

// Saving over the current file after another program wrote it since this one
// last read or wrote it: the user decides whether that write is replaced. A
// file gone meanwhile has nothing left to lose.
bool ReemplazaCambiosAjenos(Contexto &ctx, const QString &destino) {
    const Aplicacion &a = ctx.app;
    if (!MismoFichero(a.FicheroVisto, destino) || !QFileInfo::exists(destino) ||
        Huella(destino) == a.HuellaFicheroVisto)
        return true;
    return ctx.ui->Muestra({ctx.dic.Texto(3030, destino), ctx.T148(), Icono::Pregunta, Botones::SiNo}) ==
           Boton::Si;
}

// Save and Save As: the target file, asking before overwriting. Empty when
// the user gave up.
QString EligeDestino(Contexto &ctx, int titulo) {
    QString destino;
    if (!DialogoFichero(ctx, titulo, ConsultaFichero::Modo::Guardar, destino)) return {};
    destino = destino.trimmed();
    if (QFileInfo::exists(destino) &&
        ctx.ui->Muestra({ctx.dic.Texto(500, destino), ctx.T148(), Icono::Pregunta, Botones::SiNo}) !=
            Boton::Si)
        return {};
    return destino;
}

// The copy of the working copy onto `destino`; the error text when it failed.
std::optional<QString> CopiaAlDestino(Contexto &ctx, VentanaMadre &v, const QString &destino, bool comoCopia) {
    MuestraEstado(ctx, ctx.dic.Texto(83), true);
    MuestraProgreso(ctx, 10);
    ctx.ui->CursorOcupado(true);
    v.SuspendeEditor(false);
    MuestraProgreso(ctx, 30);
    ActualizaUltimaModificacion(ctx, ctx.app.CopiaTrabajo);
    MuestraProgreso(ctx, 50);
    if (comoCopia) MuestraEstado(ctx, ctx.dic.Texto(84), true);
    std::optional<QString> error;
    // The copy is written beside the target and renamed into place, so a
    // failure leaves the earlier file as it was.
    if (!bd::CopiaFichero(ctx.app.CopiaTrabajo, destino)) {
        const bool culpaCarpeta =
            !QFileInfo(QFileInfo(destino).absolutePath()).isWritable() && QFileInfo::exists(ctx.app.CopiaTrabajo);
        error = ctx.dic.Texto(culpaCarpeta ? 3133 : 3132);
    }
    MuestraProgreso(ctx, 100);
    v.SuspendeEditor(true);
    ctx.ui->CursorOcupado(false);
    MuestraEstado(ctx, ctx.dic.Texto(70));
    if (error)
        Critico(ctx, ctx.dic.Texto(501) + " " + NombreFichero(destino) + "\r" + *error);
    return error;
}

// Save: an untitled configuration asks for its file (a chooser titled with
// text `titulo`), the current file is written over unless another program's
// changes are kept. False when the configuration stays unsaved.
bool Guarda(Contexto &ctx, VentanaMadre &v, int titulo) {
    Aplicacion &a = ctx.app;
    QString destino = a.FicheroActual;
    if (EsSinTitulo(a, destino)) {
        destino = EligeDestino(ctx, titulo);
        if (destino.isEmpty()) return false;
    } else if (!ReemplazaCambiosAjenos(ctx, destino)) {
        return false;
    }
    const bool guardado = !CopiaAlDestino(ctx, v, destino, false);
    if (guardado) {
        a.FicheroActual = destino;
        a.ConfiguracionGuardada = true;
        Recuerda(a, destino, destino);
    }
    v.PonPanel(4, NombreFichero(a.FicheroActual));
    return guardado;
}

// New and Open share their frame: status texts, pointer, disabled window.
void Comando(Contexto &ctx, VentanaMadre &v, Modo modo, int textoInicio, int textoTrabajo) {
    MuestraEstado(ctx, ctx.dic.Texto(textoInicio), true);
    if (PreparaFichero(ctx, v, modo)) {
        ctx.ui->CursorOcupado(true);
        MuestraEstado(ctx, ctx.dic.Texto(textoTrabajo), true);
        v.Habilita(false);
        if (Inicializacion(ctx, v, modo))
            ctx.app.ConfiguracionGuardada = modo == Modo::Abrir;
        else
            LimpiaConfiguracion(ctx, v);
    }
    MuestraEstado(ctx, ctx.dic.Texto(70));
    ctx.ui->CursorOcupado(false);
    ctx.ui->ProcesaEventos();
    v.Habilita(true);
}

}  // namespace

bool DialogoFichero(Contexto &ctx, int titulo, ConsultaFichero::Modo modo, QString &fichero) {
    ConsultaFichero c;
    c.modo = modo;
    // Titles reuse menu texts; their access-key marks do not belong in a caption.
    c.titulo = ctx.dic.Texto(titulo).remove('&');
    c.carpeta = ctx.app.DirectorioTrabajo;
    c.filtros = {"Ficheros   (*.cnf)"};
    c.extension = "cnf";
    const auto elegido = ctx.ui->EligeFichero(c);
    if (!elegido || elegido->trimmed().isEmpty()) return false;
    fichero = *elegido;
    return true;
}

void NuevaConfiguracion(Contexto &ctx, VentanaMadre &v) { Comando(ctx, v, Modo::Nuevo, 71, 72); }

void AbreConfiguracion(Contexto &ctx, VentanaMadre &v) { Comando(ctx, v, Modo::Abrir, 77, 77); }

bool PreparaFichero(Contexto &ctx, VentanaMadre &v, Modo modo) {
    Aplicacion &a = ctx.app;
    if (a.HayFicheroActual() && !a.ConfiguracionGuardada) {
        const Boton r = ctx.ui->Muestra(
            {ctx.dic.Texto(512, a.FicheroActual), ctx.T148(), Icono::Pregunta, Botones::SiNoCancelar});
        if (r == Boton::Cancelar) return false;
        // Changes that could not be saved are not thrown away.
        if (r == Boton::Si && !Guarda(ctx, v, 566)) return false;
    }

    const bool conectado = a.EstadoConexion == 0;
    QString fichero, entrada, nombre, baseDatos = a.BaseDatos;
    if (modo == Modo::Nuevo) {
        if (conectado) {
            entrada = a.ModeloActual;
            nombre = a.NombreModelo;
        } else {
            QString patron;
            if (!PideModelo(ctx, patron)) return false;
            ctx.ui->CursorOcupado(true);
            entrada = BuscaModelo(ctx, patron, baseDatos);
            if (entrada.isEmpty()) {
                ctx.ui->CursorOcupado(false);
                return false;
            }
            if (!QFileInfo::exists(a.DirectorioModelos + baseDatos)) {
                Critico(ctx, ctx.dic.Texto(513, baseDatos.toUpper(), patron.toUpper()));
                return false;
            }
            entrada = nombre = patron;
        }
        fichero = a.FicheroSinTitulo;
    } else {
        if (!DialogoFichero(ctx, 567, ConsultaFichero::Modo::Abrir, fichero)) return false;
        ctx.ui->CursorOcupado(true);
        QString modeloFichero;
        if (!LeeModeloFichero(ctx, fichero, modeloFichero)) return false;
        entrada = BuscaModelo(ctx, modeloFichero, baseDatos);
        if (entrada.isEmpty()) {
            ctx.ui->CursorOcupado(false);
            return false;
        }
        if (baseDatos.isEmpty()) {
            Critico(ctx, ctx.dic.Texto(568, entrada.toUpper()));
            return false;
        }
        if (conectado) {
            if (baseDatos.trimmed().toUpper() != a.BaseDatos.trimmed().toUpper()) {
                Critico(ctx, ctx.dic.Texto(569, baseDatos.trimmed().toUpper(), a.BaseDatos.trimmed().toUpper()));
                return false;
            }
            nombre = a.NombreModelo;
        } else {
            if (!QFileInfo::exists(a.DirectorioModelos + baseDatos)) {
                Critico(ctx, ctx.dic.Texto(513, baseDatos.toUpper(), entrada.toUpper()));
                return false;
            }
            nombre = entrada;
        }
    }

    v.MuestraPortada();
    a.FicheroActual = fichero.trimmed();
    a.ModeloActual = entrada;
    a.NombreModelo = nombre;
    a.BaseDatos = baseDatos.trimmed();
    v.ActivaComandosFichero(true);
    v.PonPanel(2, ModeloAPantalla(a.NombreModelo));
    v.PonPanel(3, a.BaseDatos);
    ctx.ui->CursorOcupado(false);
    return true;
}

bool Inicializacion(Contexto &ctx, VentanaMadre &v, Modo modo) {
    Aplicacion &a = ctx.app;
    a.FechaSelladaTrabajo = QDate();
    Olvida(a);
    auto falla = [&] {
        Critico(ctx, ctx.dic.Texto(531));
        return false;
    };
    if (!DesactivaTodosAjustes(ctx, v)) return falla();
    MuestraProgreso(ctx, 10);
    if (!ActivaAlgunosAjustes(ctx, v)) return falla();
    MuestraProgreso(ctx, 20);
    const QString modelo = a.DirectorioModelos + a.BaseDatos;
    if (modo == Modo::Abrir) {
        MuestraProgreso(ctx, 40);
        BorraFamilia(a.CopiaTrabajo);
        if (!bd::CopiaFichero(a.FicheroActual, a.CopiaTrabajo)) return falla();
        Recuerda(a, a.FicheroActual, a.CopiaTrabajo);
        MuestraProgreso(ctx, 80);
        if (CargaGruposCONST(ctx, modelo, a.GruposCONST) == 0) return falla();
        if (TablaEnModelo(a, "Grafico COMU") && !CompatibilizaGrafico(ctx, a.CopiaTrabajo)) return falla();
    } else {
        BorraFamilia(a.CopiaTrabajo);
        if (!bd::CopiaFichero(a.FicheroIdiomas, a.CopiaTrabajo)) return falla();
        try {
            auto db = bd::BaseDatos::Abrir(modelo, bd::Apertura::SoloLectura);
            auto rs = db->OpenRecordset("Versiones", bd::TipoRecordset::Snapshot);
            rs->MoveFirst();
            a.VersionModelo = rs->AtEOF() ? QString() : rs->Value("ver").toString().trimmed();
        } catch (const std::exception &e) {
            InformaError(ctx, "Inicializacion", e);
            return falla();
        }
        if (CargaGruposCONST(ctx, modelo, a.GruposCONST) == 0) return falla();
        MuestraProgreso(ctx, 30);
        if (CargaModeloTemporal(ctx, a.ModeloActual, a.CopiaTrabajo, a.VersionModelo) == 0) return falla();
        MuestraProgreso(ctx, 40);
        if (!CopiaGruposModelo(ctx, a.CopiaTrabajo)) return falla();
        MuestraProgreso(ctx, 60);
        if (!BorraGruposTemporal(ctx, a.CopiaTrabajo)) return falla();
        MuestraProgreso(ctx, 75);
    }
    if (TablaEnModelo(a, "TiempoPrevio CTRL")) CompruebaEntradasRTU(ctx, v);
    MuestraProgreso(ctx, 90);
    BuscaIdiomaRele(ctx);
    if (!PonIdiomaFichero(ctx, a.CopiaTrabajo)) return falla();
    MuestraProgreso(ctx, 100);
    v.PonPanel(4, NombreFichero(a.FicheroActual));
    return true;
}

void LimpiaConfiguracion(Contexto &ctx, VentanaMadre &v) {
    Aplicacion &a = ctx.app;
    a.FicheroActual.clear();
    Olvida(a);
    // While connected the model, and its catalogue, are the relay's.
    if (a.EstadoConexion == 255) {
        a.ModeloActual.clear();
        a.NombreModelo.clear();
        a.BaseDatos.clear();
        a.VersionModelo.clear();
        a.GruposCONST.clear();
    }
    v.SuspendeEditor(false);
    a.ConfiguracionGuardada = true;
    v.ActivaComandosFichero(false);
    v.ActivaMenusAjustes(false);
    v.PonPanel(2, ModeloAPantalla(a.NombreModelo));
    v.PonPanel(3, a.BaseDatos);
    v.PonPanel(4, ctx.dic.Texto(65));
}

void GuardaConfiguracion(Contexto &ctx, VentanaMadre &v) { Guarda(ctx, v, 3); }

void GuardaConfiguracionComo(Contexto &ctx, VentanaMadre &v) {
    Aplicacion &a = ctx.app;
    const QString destino = EligeDestino(ctx, 4);
    if (destino.isEmpty()) return;
    // Written over the current file, it is this program's write, not another's.
    if (!CopiaAlDestino(ctx, v, destino, true) && MismoFichero(destino, a.FicheroVisto)) Recuerda(a, destino, destino);
    v.PonPanel(4, NombreFichero(a.FicheroActual));
}

bool LeeModeloFichero(Contexto &ctx, const QString &fichero, QString &modelo) {
    modelo.clear();
    try {
        auto db = bd::BaseDatos::Abrir(fichero, bd::Apertura::SoloLectura);
        auto rs = db->OpenRecordset("Modelo", bd::TipoRecordset::Snapshot);
        rs->MoveFirst();
        if (rs->AtEOF()) throw bd::ErrorBD(bd::codigo::SinRegistroActual, "The file names no relay model.");
        modelo = rs->Value("Modelo").toString().trimmed();
        return true;
    } catch (const bd::ErrorBD &e) {
        Critico(ctx, ctx.dic.Texto(572, QString::number(e.numero).trimmed(), NombreFichero(fichero)) + "\r" +
                         TextoError(ctx, e));
        return false;
    }
}

int CargaModeloTemporal(Contexto &ctx, const QString &entrada, const QString &copia, const QString &) {
    auto db = AbreBaseDatos(ctx, copia, bd::Apertura::Temporal);
    if (!db) return 0;
    try {
        auto rs = db->OpenRecordset("Modelo", bd::TipoRecordset::Tabla);
        rs->AddNew();
        rs->SetValue("Modelo", entrada);
        rs->Update();
        return 1;
    } catch (const std::exception &e) {
        InformaError(ctx, "CargaModeloTemporal", e);
        return 0;
    }
}

bool InicializaVarios(Contexto &ctx, const QString &copia) {
    auto db = AbreBaseDatos(ctx, copia, bd::Apertura::Temporal);
    if (!db) return false;
    try {
        auto rs = EditaVarios(ctx, *db);
        rs->SetValue("FechaCreacion", Hoy());
        rs->SetValue("UltimaModificacion", Hoy());
        rs->Update();
        return true;
    } catch (const std::exception &e) {
        InformaError(ctx, "InicializaVarios", e);
        return false;
    }
}

bool ActualizaUltimaModificacion(Contexto &ctx, const QString &copia) {
    // Saving again on the same day writes the same date: the copy is left alone.
    if (copia == ctx.app.CopiaTrabajo && ctx.app.FechaSelladaTrabajo == QDate::currentDate()) return true;
    auto db = AbreBaseDatos(ctx, copia, bd::Apertura::Temporal);
    if (!db) return false;
    try {
        auto rs = EditaVarios(ctx, *db);
        rs->SetValue("UltimaModificacion", Hoy());
        rs->Update();
        if (copia == ctx.app.CopiaTrabajo) ctx.app.FechaSelladaTrabajo = QDate::currentDate();
        return true;
    } catch (const std::exception &e) {
        InformaError(ctx, "ActualizaUltimaModificacion", e);
        return false;
    }
}

bool BorraGruposTemporal(Contexto &ctx, const QString &copia) {
    Aplicacion &a = ctx.app;
    {
        auto db = AbreBaseDatos(ctx, copia, bd::Apertura::Temporal);
        if (!db) return false;
        try {
            static const QStringList siempre = {"Comunicaciones", "Modelo", "Varios", "Version"};
            QStringList sobran;
            for (const QString &t : db->TableNames())
                if (!TablaEnModelo(a, t) && !siempre.contains(t)) sobran << t;
            db->BeginTrans();
            for (const QString &t : sobran) db->Execute("DROP TABLE [" + t + "]");
            db->CommitTrans();
        } catch (const std::exception &e) {
            InformaError(ctx, "BorraGruposTemporal", e);
            return false;
        }
    }
    try {
        BorraFamilia(a.CopiaCompactacion);
        bd::CompactaBaseDatos(copia, a.CopiaCompactacion);
        const bool copiado = bd::CopiaFichero(a.CopiaCompactacion, copia);
        BorraFamilia(a.CopiaCompactacion);
        if (!copiado) throw bd::ErrorBD(14, "The compacted copy could not replace the working copy.");
        return true;
    } catch (const std::exception &e) {
        InformaError(ctx, "BorraGruposTemporal", e);
        return false;
    }
}

}  // namespace tarvo
