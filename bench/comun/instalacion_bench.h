// A program tree in a temporary folder with the built data, and a context
// started on it, for the benchmarks.
#pragma once

#include "core/ventana_madre.h"
#include "core/interaccion_guionizada.h"
#include "core/rutas.h"
#include "store/ficheros.h"
#include "core/ventana_nula.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace bench {

// Window benchmarks run offscreen unless QT_QPA_PLATFORM says otherwise.
inline void SinPantalla() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The repetitions the command line asks for (at least 3), 10 by default.
inline int Veces(int argc, char **argv) { return argc > 1 ? std::max(3, atoi(argv[1])) : 10; }

inline double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

struct Instalacion {
    QTemporaryDir raiz;
    tarvo::InteraccionGuionizada ui;
    tarvo::Contexto ctx{ui};
    tarvo::VentanaNula v;

    bool Prepara() {
        const QString programa = raiz.filePath("tarvo32"), modelos = raiz.filePath("models/");
        QDir().mkpath(programa + "/work");
        QDir().mkpath(modelos);
        QFile::copy(QString(TARVO_PROGRAM_DIR) + "/tarvo32.dat", programa + "/tarvo32.dat");
        for (const QString &f : QDir(TARVO_MODELS_DIR).entryList(QDir::Files))
            QFile::copy(QString(TARVO_MODELS_DIR) + "/" + f, modelos + f);
        ui.AceptaAvisos(true);
        tarvo::InicializaRutas(ctx.app, programa, raiz.filePath(""));
        if (!tarvo::CargaDiccionario(ctx)) return false;
        ctx.app.DirectorioModelos = modelos;
        ctx.app.FicheroModelos = modelos + "modelos.mdb";
        return true;
    }
    // Prepared, with a new configuration of `modelo` as the working copy.
    bool Nueva(const char *modelo) {
        if (!Prepara()) return false;
        ui.EsperaModelo(modelo);
        tarvo::NuevaConfiguracion(ctx, v);
        return QFile::exists(ctx.app.CopiaTrabajo);
    }
};

}  // namespace bench
