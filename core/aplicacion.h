// The program's global state: the one record every subsystem reads, with the
// dictionary and the interaction it reports through. It is passed by
// reference rather than kept in globals so that tests can build their own.
#pragma once

#include "core/diccionario.h"
#include "core/interaccion.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace tarvo {

// Directories end with this separator, so a file name can be appended directly.
inline constexpr QChar Separador = '/';

struct ParametrosPuerto {
    quint8 Puerto = 2;
    qint32 Velocidad = 9600;
    quint8 Paridad = 0;          // 0 none, 1 odd, 2 even, 3 mark, 4 space
    quint8 LongitudPalabra = 8;
    quint8 BitsStop = 0;         // 0 one, 1 one and a half, 2 two
};

// One configuration table of the open model's catalogue, in transfer order.
struct EntradaGrupo {
    qint16 CPU = 0;                  // 0 protection, 1 control, 2 front panel
    qint16 Grupo = 0;
    QString Tabla;                   // trimmed
    qint16 Entidades = 0;
    qint16 EntidadesTotal = 0;
    std::array<qint16, 76> Indices{};   // read up to and including the first 0
};

struct Aplicacion {
    QString DirectorioPrograma;     // without a trailing separator
    QString FicheroActual;          // blank while no configuration is open
    bool ConfiguracionGuardada = true;
    quint8 EstadoConexion = 255;    // 0 connected, 255 not connected
    bool ModoDepuracion = false;
    QString VersionPrograma;
    QList<quint8> ListaPuertos;

    QString DirectorioTrabajo;
    QString DirectorioModelos;
    QString DirectorioTemporal;
    QString FicheroSinTitulo;
    QString CopiaTrabajo;
    QString CopiaRecepcion;
    QString CopiaCompactacion;
    QString FicheroInforme;
    QString FicheroIni;
    QString FicheroIdiomas;
    QString FicheroModelos;
    QString FicheroAyuda;           // blank when help is not offered in the language

    QString ModeloActual;
    QString NombreModelo;
    QString BaseDatos;
    QString VersionModelo;
    QString ColumnaValor;
    QList<EntradaGrupo> GruposCONST;
    // The date last written into the working copy's UltimaModificacion; null
    // whenever the working copy is replaced, so that the next Save stamps it.
    QDate FechaSelladaTrabajo;
    // The current file as this program last read or wrote it (open, save,
    // receive), so that Save notices another program's write in between. A
    // hash of its bytes rather than its time and size: a configuration is
    // about a hundred kilobytes, hashed in well under a millisecond, while file
    // times tick too coarsely to tell apart two quick writes of the same length.
    QString FicheroVisto;           // the file the hash is of; blank: none
    QByteArray HuellaFicheroVisto;  // blank when it could not be read

    quint8 Idioma = 0;
    QStringList NombresIdiomas;     // one per language, in column order
    QStringList EtiquetasIdiomas;
    quint8 IdiomaRele = 0;
    ParametrosPuerto Comunicaciones;

    qint16 NumeroRele = -1;
    qint32 PasswordRele = -1;
    bool BaseTrabajoAbierta = false;

    bool HayFicheroActual() const { return !FicheroActual.trimmed().isEmpty(); }
};

// What every procedure needs: the state, the texts and the way to the user.
struct Contexto {
    Aplicacion app;
    clsDiccionario dic;
    Interaccion *ui = nullptr;

    explicit Contexto(Interaccion &interaccion) : dic(&interaccion), ui(&interaccion) {}
    QString T148() const { return dic.Texto(148); }   // title of error and question boxes
};

inline constexpr const char *TituloFijo = "TARVO32";
inline constexpr const char *TituloAplicacion = "Tarvo32";

// The user's words for a failed file or database operation: the dictionary
// text the error's number stands for (in use, not a database, damaged, no
// such table ...), the engine's own English only in debug mode. Numbers of
// neither the engine nor the database layer keep their own description.
QString TextoError(const Contexto &ctx, int numero, const QString &descripcion);
QString TextoError(const Contexto &ctx, const std::exception &error);

// The error report every procedure falls back on: critical box titled with
// text 148, "TextoError (number)", naming the procedure in debug mode.
void InformaError(Contexto &ctx, const QString &procedimiento, int numero, const QString &descripcion);
void InformaError(Contexto &ctx, const QString &procedimiento, const std::exception &error);

// Status panel 1 and its progress suffix.
void MuestraEstado(Contexto &ctx, const QString &mensaje, bool puntos = false);
void MuestraProgreso(Contexto &ctx, int porcentaje);
QString TextoConProgreso(const QString &panel, int porcentaje);

// Loads the dictionary and the value column from the language file; false,
// after telling the user in fixed words, when the file is missing or damaged.
bool CargaDiccionario(Contexto &ctx);

}  // namespace tarvo
