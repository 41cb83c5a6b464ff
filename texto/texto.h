// A configuration as text: a stable JSON document that can be reviewed,
// diffed and generated, read back through the same rules as the editors;
// the full check a send runs first; and the conversion to another model.
// Every function works apart from the open configuration: the model and
// catalogue of the file it is given are loaded into a context of its own.
#pragma once

#include "texto/reglas.h"

#include <QByteArray>

namespace tarvo {

inline constexpr int FormatoTexto = 1;

// The settings of a configuration: the catalogue's tables in catalogue order,
// records in stored order, columns in schema order (Codificacion kept in the
// records of the tables that have it, never among `campos`).
struct TablaTexto {
    QString tabla;
    QList<bd::DefCampo> campos;
    bool conCodificacion = false;
    QList<Fila> registros;
};
struct ConfiguracionTexto {
    QString modelo;
    QList<bd::DefCampo> camposInformacion;   // "Varios"
    Fila informacion;
    QList<TablaTexto> tablas;
};

// Throws the database's errors.
ConfiguracionTexto LeeConfiguracion(bd::BaseDatos &db, const Aplicacion &app);
// Two spaces of indent, one setting a line, each with its limits and allowed
// values; the same settings always give the same bytes.
QByteArray EscribeTexto(const ConfiguracionTexto &c, const DatosModelo &m);
// The Codificacion the record's other columns give (the switchgear record's
// from the switchgear timers' flags).
QString CodificacionDerivada(const TablaTexto &t, const Fila &registro, const ConfiguracionTexto &c,
                             const DatosModelo &m);
// Every value against its rule, the display graphic against its invariants
// and, with `codificaciones`, each stored Codificacion against its columns.
QList<Problema> CompruebaValores(const ConfiguracionTexto &c, const DatosModelo &m, const clsDiccionario &dic,
                                 bool codificaciones);

// The check every send runs first, on a configuration of the model whose
// catalogue is in ctx.app. Empty when clean.
QList<Problema> CompruebaConfiguracion(Contexto &ctx, bd::BaseDatos &db);

// The same for a file, by its own model. nullopt after a reported failure.
std::optional<QList<Problema>> CompruebaFichero(Contexto &ctx, const QString &fichero);
// The text of a file. nullopt after a reported failure.
std::optional<QByteArray> ExportaTexto(Contexto &ctx, const QString &fichero);
// A new configuration for the text's model with every value of the text,
// written to `destino` only when no value is refused. The refusals, or the
// reason nothing was written; empty when done.
QList<Problema> ImportaTexto(Contexto &ctx, const QByteArray &texto, const QString &destino);
// A new configuration of `modelo` carrying every table, record (by number)
// and setting of `origen` the model has, written to `destino`. What was
// dropped or left at its default; nullopt when nothing was written (reported).
std::optional<QList<Problema>> ConvierteConfiguracion(Contexto &ctx, const QString &origen, const QString &modelo,
                                                      const QString &destino);

}  // namespace tarvo
