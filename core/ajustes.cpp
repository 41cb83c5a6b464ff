#include "core/ajustes.h"

#include "core/ini.h"

namespace tarvo {
namespace {

const QString CRLF = "\r\n";

bool Escribe(const Aplicacion &app, const char *seccion, const char *clave, const QString &valor) {
    return ini::EscribeCadena(seccion, clave, valor, app.FicheroIni);
}

quint8 LeeByte(const Aplicacion &app, const char *seccion, const char *clave, int porDefecto) {
    return quint8(ini::LeeEntero(seccion, clave, porDefecto, app.FicheroIni));
}

}  // namespace

bool CreaFicheroIni(const Aplicacion &app, const ParametrosPuerto &p, quint8 idioma, const QString &directorioModelos,
                    const QString &directorioTrabajo) {
    bool ok = Escribe(app, "VERSION", "Version", app.VersionPrograma + CRLF);
    ok = Escribe(app, "IDIOMA", "Idioma", QString::number(idioma) + CRLF) && ok;
    ok = Escribe(app, "COMMS", "Puerto", QString::number(p.Puerto)) && ok;
    ok = Escribe(app, "COMMS", "Velocidad", QString::number(p.Velocidad)) && ok;
    ok = Escribe(app, "COMMS", "Paridad", QString::number(p.Paridad)) && ok;
    ok = Escribe(app, "COMMS", "LongitudPalabra", QString::number(p.LongitudPalabra)) && ok;
    ok = Escribe(app, "COMMS", "BitsStop", QString::number(p.BitsStop) + CRLF) && ok;
    ok = Escribe(app, "DIRS", "Trabajo", directorioTrabajo) && ok;
    ok = Escribe(app, "DIRS", "Modelos", directorioModelos + CRLF) && ok;
    return ok;
}

bool LeeIdioma(const Aplicacion &app, quint8 &idioma) {
    idioma = LeeByte(app, "IDIOMA", "Idioma", 0);
    return true;
}

bool GuardaIdioma(const Aplicacion &app, quint8 idioma) {
    return Escribe(app, "IDIOMA", "Idioma", QString::number(idioma));
}

QString LeeCadenaIni(const QString &seccion, const QString &clave, const QString &porDefecto, const QString &fichero) {
    const QString valor = ini::LeeCadena(seccion, clave, QString(), fichero);
    return valor.isEmpty() ? porDefecto : valor;
}

void LeeDirectorios(const Aplicacion &app, QString &directorioModelos, QString &directorioTrabajo) {
    directorioTrabajo = LeeCadenaIni("DIRS", "Trabajo", directorioTrabajo, app.FicheroIni);
    directorioModelos = LeeCadenaIni("DIRS", "Modelos", directorioModelos, app.FicheroIni);
}

bool GuardaDirectorios(const Aplicacion &app, const QString &directorioModelos, const QString &directorioTrabajo) {
    const bool ok = Escribe(app, "DIRS", "Trabajo", directorioTrabajo);
    return Escribe(app, "DIRS", "Modelos", directorioModelos) && ok;
}

bool LeeParametrosPuerto(const Aplicacion &app, ParametrosPuerto &p) {
    p.Puerto = LeeByte(app, "COMMS", "Puerto", 2);
    p.Velocidad = ini::LeeEntero("COMMS", "Velocidad", 9600, app.FicheroIni);
    p.Paridad = LeeByte(app, "COMMS", "Paridad", 0);
    p.LongitudPalabra = LeeByte(app, "COMMS", "LongitudPalabra", 8);
    p.BitsStop = LeeByte(app, "COMMS", "BitsStop", 0);
    return true;
}

bool GuardaParametrosPuerto(const Aplicacion &app, const ParametrosPuerto &p, const ParametrosPuerto *anterior) {
    bool ok = true;
    auto guarda = [&](const char *clave, qint32 valor, qint32 antes) {
        if (!anterior || valor != antes) ok = Escribe(app, "COMMS", clave, QString::number(valor)) && ok;
    };
    const ParametrosPuerto a = anterior ? *anterior : p;
    guarda("Puerto", p.Puerto, a.Puerto);
    guarda("Velocidad", p.Velocidad, a.Velocidad);
    guarda("Paridad", p.Paridad, a.Paridad);
    guarda("LongitudPalabra", p.LongitudPalabra, a.LongitudPalabra);
    guarda("BitsStop", p.BitsStop, a.BitsStop);
    return ok;
}

void CorrigeAjustes(Contexto &ctx) {
    Aplicacion &a = ctx.app;
    ParametrosPuerto &p = a.Comunicaciones;
    const ParametrosPuerto defecto;
    QStringList malos;
    auto corrige = [&](bool valido, const char *clave, auto &valor, auto porDefecto) {
        if (valido) return;
        malos << QString("%1=%2").arg(clave).arg(+valor);
        valor = porDefecto;
    };
    corrige(a.Idioma < a.NombresIdiomas.size(), "Idioma", a.Idioma, quint8(0));
    corrige(p.Puerto >= 1 && p.Puerto <= 16, "Puerto", p.Puerto, defecto.Puerto);
    corrige(p.Velocidad > 0, "Velocidad", p.Velocidad, defecto.Velocidad);
    corrige(p.Paridad <= 4, "Paridad", p.Paridad, defecto.Paridad);
    corrige(p.LongitudPalabra >= 5 && p.LongitudPalabra <= 8, "LongitudPalabra", p.LongitudPalabra,
            defecto.LongitudPalabra);
    corrige(p.BitsStop <= 2, "BitsStop", p.BitsStop, defecto.BitsStop);
    if (!malos.isEmpty())
        ctx.ui->Muestra({ctx.dic.Texto(1350, a.FicheroIni, malos.join(", ")), ctx.T148(), Icono::Exclamacion,
                         Botones::Aceptar});
}

}  // namespace tarvo
