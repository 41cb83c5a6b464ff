#include "comms/conexion.h"

#include "store/catalogo.h"
#include "store/db/basedatos.h"
#include "store/ficheros.h"
#include "store/modelos.h"

#include <QDir>
#include <QFileInfo>

namespace tarvo {
namespace {

void Critico(Contexto &ctx, const QString &texto, const QString &titulo) {
    ctx.ui->Muestra({texto, titulo, Icono::Critico, Botones::Aceptar});
}

// The model database's file name as it is on disk: the relay spells it in
// upper case, the folder may not.
QString BuscaFicheroModelo(const QString &directorio, const QString &nombre) {
    if (QFileInfo::exists(directorio + nombre)) return nombre;
    for (const QString &n : QDir(directorio).entryList(QDir::Files))
        if (n.toUpper() == nombre.toUpper()) return n;
    return {};
}

QString Campo(const QString &texto, int desde, int largo) { return texto.mid(desde, largo).leftJustified(largo, ' '); }

}  // namespace

QString Identificacion::NombreModelo() const {
    const qsizetype estrella = modelo.indexOf('*');
    return (estrella >= 0 ? modelo.left(estrella) : modelo).trimmed().toUpper();
}

QString Identificacion::FicheroBaseDatos() const { return baseDatos.trimmed().toUpper() + ".MDB"; }

Identificacion LeeIdentificacion(const QString &matricula) {
    return {Campo(matricula, 0, 20), Campo(matricula, 20, 8), Campo(matricula, 28, 4), Campo(matricula, 32, 8)};
}

std::optional<DatosIdentificacion> ValidaIdentificacion(const QString &numero, const QString &clave) {
    bool bienNumero = false, bienClave = false;
    const qlonglong n = numero.trimmed().toLongLong(&bienNumero);
    const qlonglong k = clave.trimmed().toLongLong(&bienClave);
    if (!bienNumero || !bienClave || n < 0 || n > 255 || k < 0 || k > 99999) return std::nullopt;
    return DatosIdentificacion{qint16(n), qint32(k)};
}

bool IdentRele(Comunicaciones &c) {
    Contexto &ctx = c.ctx;
    Aplicacion &a = ctx.app;
    const auto acepta = [&ctx](const MonitorComunicaciones::Identificacion &t) {
        if (ValidaIdentificacion(t.numero, t.clave)) return true;
        Critico(ctx, ctx.dic.Texto(765), ctx.T148());
        return false;
    };
    const auto tecleado = c.monitor.PideIdentificacion(a.NumeroRele, a.PasswordRele, acepta);
    const auto datos = tecleado ? ValidaIdentificacion(tecleado->numero, tecleado->clave) : std::nullopt;
    if (!datos) {
        a.PasswordRele = -1;   // the number stays: only the password is asked again
        return false;
    }
    a.NumeroRele = datos->numero;
    a.PasswordRele = datos->clave;
    return true;
}

qint16 ConectaRele(Comunicaciones &c, Identificacion &id) {
    Contexto &ctx = c.ctx;
    c.monitor.MuestraConexion(true);
    ctx.ui->ProcesaEventos();
    c.driver.NumeroRele(quint8(std::max<qint16>(0, ctx.app.NumeroRele)));
    c.driver.ClaveRele(ctx.app.PasswordRele);
    c.driver.PuertoAbierto(true);
    qint16 r = 0;
    if (c.driver.PuertoAbierto()) {
        QString matricula;
        r = c.driver.LeerMatricula(matricula);
        if (!matricula.isEmpty()) {
            id = LeeIdentificacion(matricula);
            c.monitor.MuestraConexion(false);
            ctx.ui->ProcesaEventos();
            return qint16(matricula.size());
        }
        r = -1;
    }
    c.monitor.MuestraConexion(false);
    CierraPuerto(c);
    ctx.ui->Muestra({ctx.dic.Texto(591), TituloFijo, Icono::Critico, Botones::Aceptar});
    return r;
}

void CierraPuerto(Comunicaciones &c) { c.driver.PuertoAbierto(false); }

void ConexionRele(Comunicaciones &c) { ConexionReleResultado(c); }

std::optional<qint16> ConexionReleResultado(Comunicaciones &c) {
    Contexto &ctx = c.ctx;
    Aplicacion &a = ctx.app;
    if (a.EstadoConexion == 0) return std::nullopt;
    if (!IdentRele(c) || a.NumeroRele < 0 || a.PasswordRele < 0) {
        c.v.PonModoConexion(false);
        return std::nullopt;
    }
    ctx.ui->CursorOcupado(true);
    MuestraEstado(ctx, ctx.dic.Texto(80), true);

    Identificacion id;
    const qint16 r = ConectaRele(c, id);
    if (r < 1) {
        c.v.PonModoConexion(false);
        ctx.ui->CursorOcupado(false);
        MuestraErrorComunicacion(c, r);
        MuestraEstado(ctx, ctx.dic.Texto(81));
        return r;
    }
    auto abandona = [&](const QString &texto) {
        ctx.ui->CursorOcupado(false);
        MuestraEstado(ctx, ctx.dic.Texto(70));
        Critico(ctx, texto, ctx.T148());
        c.v.PonModoConexion(false);
        CierraPuerto(c);
    };
    const QString nombre = id.NombreModelo();
    const QString baseDatos = BuscaFicheroModelo(a.DirectorioModelos, id.FicheroBaseDatos());
    if (baseDatos.isEmpty()) {
        abandona(ctx.dic.Texto(513, id.FicheroBaseDatos(), nombre));
        return r;
    }
    QString baseCatalogo;
    const QString entrada = BuscaEnCatalogo(ctx, nombre, baseCatalogo).value_or(QString());
    if (entrada.isEmpty()) {
        abandona(ctx.dic.Texto(515));
        return r;
    }

    if (a.HayFicheroActual() && !(a.ModeloActual.trimmed().toUpper() == entrada.trimmed().toUpper())) {
        const QString pregunta = ctx.dic.Texto(517) + "\r\n" + ctx.dic.Texto(519);
        if (ctx.ui->Muestra({pregunta, ctx.T148(), Icono::Critico, Botones::SiNo}) == Boton::Si) {
            c.v.MuestraPortada();
            a.FicheroActual.clear();
            c.v.ActivaComandosFichero(false);
            c.v.ActivaMenusAjustes(false);
        }
    }

    QList<EntradaGrupo> grupos;
    if (CargaGruposCONST(ctx, a.DirectorioModelos + baseDatos, grupos) == 0) {
        ctx.ui->CursorOcupado(false);
        Critico(ctx, ctx.dic.Texto(520), ctx.T148());
        c.v.PonModoConexion(false);
        CierraPuerto(c);
        return r;
    }
    a.GruposCONST = grupos;
    a.ModeloActual = entrada;
    a.NombreModelo = entrada;
    a.BaseDatos = baseDatos;
    a.EstadoConexion = 0;
    // Connected, New takes the relay's model without asking for one.
    if (!a.HayFicheroActual()) NuevaConfiguracion(ctx, c.v);
    c.v.PonModoConexion(true);
    c.v.PonPanel(2, ModeloAPantalla(a.NombreModelo));
    c.v.PonPanel(3, a.BaseDatos);
    ctx.ui->CursorOcupado(false);
    MuestraEstado(ctx, ctx.dic.Texto(70));
    return r;
}

void EmulacionRele(Comunicaciones &c) {
    Contexto &ctx = c.ctx;
    Aplicacion &a = ctx.app;
    if (ctx.ui->Muestra({ctx.dic.Texto(588), TituloAplicacion, Icono::Pregunta, Botones::SiNo}) != Boton::Si) return;
    if (!a.HayFicheroActual()) {
        a.ModeloActual.clear();
        a.NombreModelo.clear();
        a.BaseDatos.clear();
        a.VersionModelo.clear();
    }
    CierraPuerto(c);
    c.v.PonModoConexion(false);
    a.EstadoConexion = 255;
    c.v.PonPanel(2, QString());
    c.v.PonPanel(3, QString());
}

}  // namespace tarvo
