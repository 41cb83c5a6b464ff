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

// What the start-up sequence, the options' apply step and the way out ask of
// the main window beyond what every floor asks of it.
class VentanaPrincipal : public VentanaMadre {
public:
    // Hides the relay menu, status panel 5 and toolbar buttons 6 to 8.
    virtual void OcultaFuncionesRele() = 0;
    // The options dialog of the first run, shown modally.
    virtual void MuestraOpcionesPrimeraVez() = 0;
    // mnuContenido and toolbar button 10.
    virtual void ActivaAyuda(bool activa) = 0;
    virtual void Centra() = 0;
    virtual void PonTitulo(const QString &titulo) = 0;
    virtual void PonTextosIdioma() = 0;
    // Re-translates the default names of the open configuration.
    virtual void TraduceConfiguracion() = 0;
    // Closes the open files and the serial port before the program ends.
    virtual void CierraTodo() = 0;
    // The Save command.
    virtual void Guardar() = 0;
};

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
bool Arranque(Contexto &ctx, VentanaPrincipal &v, InstanciaUnica &instancia, const QString &directorioPrograma,
              const QString &directorioTemporal, VersionCompilada version);

bool CompruebaDepuracion(const QString &directorioPrograma);
void CompruebaFicheroIni(Contexto &ctx, VentanaPrincipal &v);
void CompruebaDirectorios(Contexto &ctx);
void AplicaReglaAyuda(Contexto &ctx, VentanaPrincipal &v);

// What the options dialog hands over when Apply runs.
struct OpcionesElegidas {
    std::optional<ParametrosPuerto> comunicaciones;   // only when ports exist
    QString directorioTrabajo;
    QString directorioModelos;
    quint8 idioma = 0;
};
// True when the language changed (the dialog then re-translates itself).
bool AplicaOpciones(Contexto &ctx, VentanaPrincipal &v, OpcionesElegidas elegidas);

// mnuSalir: false when the user cancelled.
bool Salir(Contexto &ctx, VentanaPrincipal &v);
// Closing the main window, which cannot be cancelled.
void DescargaMadre(Contexto &ctx, VentanaPrincipal &v);
}  // namespace tarvo
