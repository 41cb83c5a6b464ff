// A main window that is not there: the command-line companion and the
// benchmarks run the same logic without a screen.
#pragma once

#include "core/ventana_madre.h"

#include <QSet>

namespace tarvo {

class VentanaNula : public VentanaMadre {
public:
    void PonPanel(int, const QString &) override {}
    void MuestraPortada() override {}
    void ActivaComandosFichero(bool) override {}
    void ActivaMenusAjustes(bool) override {}
    // Entries are remembered: what the logic enables it asks about later.
    void ActivaEntradaAjuste(const QString &menu, int indice, bool activa) override {
        if (activa)
            activas_.insert(Clave(menu, indice));
        else
            activas_.remove(Clave(menu, indice));
    }
    bool EntradaAjusteActiva(const QString &menu, int indice) const override {
        return activas_.contains(Clave(menu, indice));
    }
    void Habilita(bool) override {}
    void SuspendeEditor(bool) override {}
    void PonModoConexion(bool) override {}

private:
    static QString Clave(const QString &menu, int indice) { return menu + "_" + QString::number(indice); }
    QSet<QString> activas_;
};

}  // namespace tarvo
