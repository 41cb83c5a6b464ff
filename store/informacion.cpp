#include "store/informacion.h"

#include "store/tablas.h"

namespace tarvo {

std::optional<TextosVarios> CargaTablaVarios(Contexto &ctx) {
    auto db = AbreBaseDatos(ctx, ctx.app.CopiaTrabajo, bd::Apertura::Temporal);
    if (!db) return std::nullopt;
    try {
        TextosVarios t;
        if (ExisteTabla(*db, "Varios")) {
            auto rs = db->OpenRecordset("Varios", bd::TipoRecordset::Snapshot);
            rs->MoveFirst();
            if (!rs->AtEOF()) {
                t.Subestacion = rs->Value("Subestacion").toString();
                t.Linea = rs->Value("Linea").toString();
                t.Comentarios = rs->Value("Comentarios").toString();
            }
        }
        return t;
    } catch (const std::exception &e) {
        InformaError(ctx, "CargaTablaVarios", e);
        return std::nullopt;
    }
}

std::unique_ptr<bd::Recordset> EditaVarios(Contexto &ctx, bd::BaseDatos &db) {
    if (!ExisteTabla(db, "Varios")) {
        auto plantilla = bd::BaseDatos::Abrir(ctx.app.FicheroIdiomas, bd::Apertura::SoloLectura);
        CopiaTabla(*plantilla, db, "Varios", "Varios");
    }
    auto rs = db.OpenRecordset("Varios", bd::TipoRecordset::Tabla);
    if (rs->RecordCount() == 0) {
        rs->AddNew();
    } else {
        rs->MoveFirst();
        rs->Edit();
    }
    return rs;
}

bool ActualizaTablaVarios(Contexto &ctx, const TextosVarios &textos) {
    auto db = AbreBaseDatos(ctx, ctx.app.CopiaTrabajo, bd::Apertura::Temporal);
    if (!db) return false;
    try {
        // The template's text columns accept "", so an emptied box is stored as such.
        auto rs = EditaVarios(ctx, *db);
        rs->SetValue("Subestacion", textos.Subestacion);
        rs->SetValue("Linea", textos.Linea);
        rs->SetValue("Comentarios", textos.Comentarios);
        rs->Update();
        return true;
    } catch (const std::exception &e) {
        InformaError(ctx, "ActualizaTablaVarios", e);
        return false;
    }
}

}  // namespace tarvo
