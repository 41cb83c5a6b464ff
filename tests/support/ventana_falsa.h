// A main window that records what the logic asked of it.
#pragma once

#include "shell/arranque.h"

#include <QHash>
#include <QString>

#include <functional>

namespace prueba {

struct VentanaFalsa : tarvo::VentanaPrincipal {
    bool releOculto = false, ayuda = false, centrada = false, habilitada = true;
    bool comandosFichero = false, menusAjustes = false;
    int opcionesPrimeraVez = 0, textos = 0, traducciones = 0, cierres = 0, guardados = 0, portadas = 0;
    QString titulo, paneles[6];
    QHash<QString, bool> entradas;   // "mnuAjusteControl_5" -> enabled
    std::function<void()> alGuardar;

    void OcultaFuncionesRele() override { releOculto = true; }
    void MuestraOpcionesPrimeraVez() override { ++opcionesPrimeraVez; }
    void ActivaAyuda(bool activa) override { ayuda = activa; }
    void PonPanel(int panel, const QString &texto) override { paneles[panel] = texto; }
    void MuestraPortada() override { ++portadas; }
    void Centra() override { centrada = true; }
    void PonTitulo(const QString &t) override { titulo = t; }
    void PonTextosIdioma() override { ++textos; }
    void TraduceConfiguracion() override { ++traducciones; }
    void CierraTodo() override { ++cierres; }
    void Guardar() override {
        ++guardados;
        if (alGuardar) alGuardar();
    }
    void ActivaComandosFichero(bool activos) override { comandosFichero = activos; }
    void ActivaMenusAjustes(bool activos) override { menusAjustes = activos; }
    void ActivaEntradaAjuste(const QString &menu, int indice, bool activa) override {
        entradas[QString("%1_%2").arg(menu).arg(indice)] = activa;
    }
    bool EntradaAjusteActiva(const QString &menu, int indice) const override {
        return entradas.value(QString("%1_%2").arg(menu).arg(indice));
    }
    void Habilita(bool h) override { habilitada = h; }
    void SuspendeEditor(bool) override {}
    void PonModoConexion(bool c) override { conectado = c; }
    bool conectado = false;
};

}  // namespace prueba
