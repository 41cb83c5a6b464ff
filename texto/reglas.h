// The rules every setting of a configuration keeps, as the editors apply
// them: ranges, allowed values, the relay's characters and the lengths of
// texts, the columns New fixes from the model. The text form shows them,
// import refuses what breaks them, check lists it and convert falls back on
// the default. One place, so the four never disagree.
#pragma once

#include "comms/codificacion/registros.h"
#include "core/aplicacion.h"
#include "store/db/basedatos.h"

#include <optional>

namespace tarvo {

// One thing wrong with a configuration or a text, told as the user finds it.
struct Problema {
    QString tabla;      // empty: the document or the file as a whole
    int registro = 0;   // Indice; display objects: row from 1; 0: the table
    QString nombre;     // the record's NombreAjuste, when it has one
    QString ajuste;     // the column
    QString motivo;
};
// "[table] record "name" setting: reason", leaving out what is empty.
QString DescribeProblema(const Problema &p);

// What the rules need from the configuration's model, read once.
struct DatosModelo {
    DatosCodificacion codificacion;
    QStringList sinAsignar;           // text 530 in every language: a control input without terminal
    int entradasFisicas = 0;          // EC 1 .. EC n
    QMap<QString, int> grupos;        // group and event tables: number of signal groups
    QVariantList gruposLeds;          // the event groups a LED may take
};
// From the model whose catalogue is in ctx.app; false after a reported failure.
bool CargaDatosModelo(Contexto &ctx, DatosModelo &m);

enum class Caracteres { Cualquiera, Rele, Display };

struct Regla {
    std::optional<qint64> minimo, maximo;
    QVariantList permitidos;   // empty: any
    int longitud = 0;          // most characters of a text; 0: no limit
    Caracteres caracteres = Caracteres::Cualquiera;
    int hexadecimal = 0;       // exact number of hexadecimal digits; 0: not such a text
    bool fija = false;         // New sets it from the model; the user never changes it
};

// The rule of column `campo` of a record of `tabla` (its other columns in `registro`).
Regla ReglaDe(const QString &tabla, const bd::DefCampo &campo, const Fila &registro, const DatosModelo &m);

// A value as its column keeps it: the type the column reads back as, or null.
// nullopt, with the reason, when the text form's value cannot be one.
std::optional<QVariant> ValorDeColumna(const bd::DefCampo &campo, const QVariant &valor, QString &motivo,
                                       const clsDiccionario &dic);
// Why `valor` breaks `regla`; nullopt when it keeps it.
std::optional<QString> Incumple(const Regla &regla, const QVariant &valor, const clsDiccionario &dic);

// A value in its JSON form, by the type it holds (null for an invalid one).
QString Json(const QVariant &valor);
QString CadenaJson(const QString &texto);

}  // namespace tarvo
