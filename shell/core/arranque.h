// Start-up, the options' apply step and the way out: the logic of the main
// window, kept apart from its widgets so that it runs under a scripted
// interaction in tests.
#pragma once

#include "shell/core/aplicacion.h"

#include <QLockFile>

#include <memory>
#include <optional>

namespace tarvo {

// What the logic asks of the main window.
class VentanaMadre {
public:
    virtual ~VentanaMadre() = default;
    // Hides the relay menu, status panel 5 and toolbar buttons 6 to 8.
    virtual void OcultaFuncionesRele() = 0;
    // The options dialog of the first run, shown modally.
    virtual void MuestraOpcionesPrimeraVez() = 0;
    // mnuContenido and toolbar button 10.
    virtual void ActivaAyuda(bool activa) = 0;
    // Status panels 2 to 5 (panel 1 belongs to Interaccion::PonEstado).
    virtual void PonPanel(int panel, const QString &texto) = 0;
    virtual void MuestraPortada() = 0;
    virtual void Centra() = 0;
    virtual void PonTitulo(const QString &titulo) = 0;
    virtual void PonTextosIdioma() = 0;
    // Re-translates the default names of the open configuration.
    virtual void TraduceConfiguracion() = 0;
    // Closes the open files and the serial port before the program ends.
    virtual void CierraTodo() = 0;
    // The Save command.
    virtual void Guardar() = 0;

    // Save, Save As, general information and report: available while a
    // configuration is open.
    virtual void ActivaComandosFichero(bool activos) = 0;
    // The settings menu and its three submenus.
    virtual void ActivaMenusAjustes(bool activos) = 0;
    // One entry of a settings menu array ("mnuAjusteControl", ...).
    virtual void ActivaEntradaAjuste(const QString &menu, int indice, bool activa) = 0;
    // The whole window, disabled while a long operation runs.
    virtual void Habilita(bool habilitada) = 0;
    // An editor holding the working copy open lets go of it around a file copy
    // (false) and takes it again afterwards (true).
    virtual void SuspendeEditor(bool reanudar) = 0;
    // Connected or emulation mode: the two mode menus checked, the send and
    // receive commands and toolbar buttons 6 to 8, button 6 pressed or released.
    virtual void PonModoConexion(bool conectado) = 0;
};

// One running program per installation.
class InstanciaUnica {
public:
    explicit InstanciaUnica(const QString &directorioPrograma);
    bool HayPrevia();   // true when another instance holds the installation

private:
    std::unique_ptr<QLockFile> cerrojo_;
};

// The installation's own folder inside the system's temporary folder: its
// working copies cannot collide with another installation's.
QString DirectorioTemporalPropio(const QString &directorioPrograma);

struct VersionCompilada {
    int mayor = 0, menor = 0, revision = 0;
};

// The twelve start-up steps. False: the program must end.
bool Arranque(Contexto &ctx, VentanaMadre &v, InstanciaUnica &instancia, const QString &directorioPrograma,
              const QString &directorioTemporal, VersionCompilada version);

bool CompruebaDepuracion(const QString &directorioPrograma);
bool CargaDiccionario(Contexto &ctx);
void CompruebaFicheroIni(Contexto &ctx, VentanaMadre &v);
// Settings read from the file that the program cannot use are replaced by
// their defaults, and the user is told which (text 1350).
void CorrigeAjustes(Contexto &ctx);
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
// Removes a file and every file that shares its name with another extension
// (its journal, lock, or a copy cut short beside it).
void BorraFamilia(const QString &fichero);
// Removes the three temporary copies and every file that shares their names.
void BorraTemporales(const Aplicacion &app);

// The pattern (for QTemporaryDir) of the companion's per-run folder inside the
// installation's temporary folder: it carries the process number, so that a
// later start can tell one left behind by a killed run.
QString PlantillaCarpetaEjecucion(const QString &directorioTemporal);
// Removes the per-run folders in `directorioTemporal` whose process has ended;
// nothing else, and never the folder of a running process.
void BorraCarpetasHuerfanas(const QString &directorioTemporal);

}  // namespace tarvo
