// The main window: menus, toolbar, status bar and the one child view it holds.
#pragma once

#include "shell/arranque.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QToolBar;
class QVBoxLayout;

namespace tarvo {

class MonitorQt;
struct Comparacion;
struct Comunicaciones;

class Madre : public QMainWindow, public VentanaPrincipal {
    Q_OBJECT
public:
    explicit Madre(Contexto &ctx, QWidget *parent = nullptr);
    ~Madre() override;

    // The load step: start-up checks, settings, directories. False when the
    // program must end.
    bool Carga(InstanciaUnica &instancia, const QString &directorioPrograma, const QString &directorioTemporal);

    // Shows one child view, unloading the one shown before. `carga` reads the
    // working copy once the view before has let go of it; false (the failure
    // reported) brings back the front page.
    void MuestraEditor(QWidget *vista, const std::function<bool()> &carga = {});
    QWidget *VistaActual() const { return vista_; }

    // VentanaPrincipal
    void OcultaFuncionesRele() override;
    void MuestraOpcionesPrimeraVez() override;
    void ActivaAyuda(bool activa) override;
    void PonPanel(int panel, const QString &texto) override;
    void MuestraPortada() override;
    void Centra() override;
    void PonTitulo(const QString &titulo) override;
    void PonTextosIdioma() override;
    void TraduceConfiguracion() override;
    void CierraTodo() override;
    void Guardar() override;
    void ActivaComandosFichero(bool activos) override;
    void ActivaMenusAjustes(bool activos) override;
    void ActivaEntradaAjuste(const QString &menu, int indice, bool activa) override;
    bool EntradaAjusteActiva(const QString &menu, int indice) const override;
    void Habilita(bool habilitada) override;
    void SuspendeEditor(bool reanudar) override;
    void PonModoConexion(bool conectado) override;

    QLabel *Panel(int n) const { return paneles_[n - 1]; }
    Contexto &contexto() { return ctx_; }

public slots:
    void Salir();
    void MuestraOpciones(bool soloComunicaciones = false);
    void MuestraAyuda();
    void MuestraAcercaDe();
    void AbreEditorAjustes();

protected:
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    QAction *Accion(const QString &nombre, const QString &texto, QMenu *menu);
    void CreaMenus();
    // The Tools menu, after the others: features beyond the relay menus (herramientas.cpp).
    void CreaMenuHerramientas();
    void ComparaConFichero();
    static void MuestraComparacionRele(Comunicaciones &c);
    void MuestraDiferencias(const Comparacion &c, const QString &otro);
    void CreaBarra();
    void CreaEstado();
    void PulsaBoton(const QString &clave);
    // Runs a relay command with the program's driver and windows.
    void ConRele(void (*orden)(Comunicaciones &));

    Contexto &ctx_;
    QToolBar *barra_ = nullptr;
    QLabel *paneles_[5] = {};
    QVBoxLayout *marco_ = nullptr;
    QPointer<QWidget> vista_;
    std::unique_ptr<MonitorQt> monitor_;
    bool descargada_ = false;
};

}  // namespace tarvo
