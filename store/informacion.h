// The general information record ("Varios") of the open configuration.
#pragma once

#include "core/aplicacion.h"
#include "store/db/basedatos.h"

#include <memory>

#include <optional>

namespace tarvo {

struct TextosVarios {
    QString Subestacion, Linea, Comentarios;
};

// The three texts of the working copy ("" for a null); nullopt after a
// reported failure. A copy without "Varios" gives three empty texts.
std::optional<TextosVarios> CargaTablaVarios(Contexto &ctx);
// The "Varios" record of `db` ready for SetValue: the template's table is
// copied into a configuration that lacks it, and an empty table gets its record.
std::unique_ptr<bd::Recordset> EditaVarios(Contexto &ctx, bd::BaseDatos &db);

// Writes them into the working copy, adding the template's "Varios" to a copy
// that lacks it.
bool ActualizaTablaVarios(Contexto &ctx, const TextosVarios &textos);

}  // namespace tarvo
