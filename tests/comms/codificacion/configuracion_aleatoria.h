// Random but well-formed settings, written the way the editors write them:
// the round-trip tests and the benchmark fill a whole configuration with them.
#pragma once

#include "comms/codificacion/registros.h"
#include "graphic/objeto.h"
#include "core/aplicacion.h"

#include <QRandomGenerator>

namespace prueba {

// One object of every record family and of every kind with a record of its
// own (the operation with its label, the file-name object last), numbered as
// the receiver numbers them and placed apart on the pages.
QList<tarvo::ObjetoGrafico> ObjetosDeMuestra(const tarvo::DatosCodificacion &datos);

// Rewrites every record of every table of the catalogue in the configuration
// at `ruta`: random columns and the Codificacion built from them; the display
// gets ObjetosDeMuestra.
void LlenaConfiguracion(const tarvo::Aplicacion &app, const tarvo::DatosCodificacion &datos, const QString &ruta,
                        quint32 semilla);

// What the relay returns for a packed table: 8 digits per value, then zero
// values up to the end of the catalogue's last block.
QString FlujoRecibido(const QList<qint32> &valores, const tarvo::EntradaGrupo &entrada);

// Every row of a table, each column as text (<null> for Null), rows joined.
QStringList Volcado(const QString &ruta, const QString &tabla);

}  // namespace prueba
