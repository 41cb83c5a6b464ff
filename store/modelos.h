// The model catalogue "modelos.mdb": which relay models this installation
// knows and where each model's database is.
#pragma once

#include "core/aplicacion.h"

#include <optional>

namespace tarvo {

// "?" in a pattern stands for any one character, including a missing
// trailing one.
bool ComparaModelo(const QString &nombre, const QString &patron);
// The pattern as shown ("?" as "*"), and back.
QString ModeloAPantalla(const QString &patron);
QString ModeloDePantalla(const QString &texto);

// The catalogue's Modelo matching `nombre` (first in table order) and its
// BaseDatos; "" for both, after telling the user, when none matches.
QString BuscaModelo(Contexto &ctx, const QString &nombre, QString &baseDatos);
// The same lookup for callers that word a missing model themselves: "" when
// none matches, nullopt when the catalogue could not be read (reported).
std::optional<QString> BuscaEnCatalogo(Contexto &ctx, const QString &nombre, QString &baseDatos);

// The model choice: the catalogue's models whose database is present.
// True and the chosen pattern when the user picked one.
bool PideModelo(Contexto &ctx, QString &patron);

}  // namespace tarvo
