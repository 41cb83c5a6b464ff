// Start-up, the options' apply step and the way out: the logic of the main
// window, kept apart from its widgets so that it runs under a scripted
// interaction in tests.
#pragma once

#include "core/aplicacion.h"
#include "core/ventana_madre.h"

#include <QLockFile>

#include <memory>
#include <optional>

namespace tarvo {

// One running program per installation.
class InstanciaUnica {
public:
    explicit InstanciaUnica(const QString &directorioPrograma);
    bool HayPrevia();   // true when another instance holds the installation

private:
    std::unique_ptr<QLockFile> cerrojo_;
};

struct VersionCompilada {
    int mayor = 0, menor = 0, revision = 0;
};

// The twelve start-up steps. False: the program must end.
bool Arranque(Contexto &ctx, VentanaMadre &v, InstanciaUnica &instancia, const QString &directorioPrograma,
              const QString &directorioTemporal, VersionCompilada version);

bool CompruebaDepuracion(const QString &directorioPrograma);
void CompruebaFicheroIni(Contexto &ctx, VentanaMadre &v);
void CompruebaDirectorios(Contexto &ctx);
void AplicaReglaAyuda(Contexto &ctx, VentanaMadre &v);

// What the options dialog hands over when Apply runs.
struct OpcionesElegidas {
    std::optional<ParametrosPuerto> comunicaciones;   // only when ports exist
    QString directorioTrabajo;
    QString directorioModelos;
    quint8 idioma = 0;
};
// True when the language changed (the dialog then re-translates itself).
bool AplicaOpciones(Contexto &ctx, VentanaMadre &v, OpcionesElegidas elegidas);

// mnuSalir: false when the user cancelled.
bool Salir(Contexto &ctx, VentanaMadre &v);
// Closing the main window, which cannot be cancelled.
void DescargaMadre(Contexto &ctx, VentanaMadre &v);
}  // namespace tarvo
