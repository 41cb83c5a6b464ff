// The Tools menu: what the program offers beyond the relay menus, after them
// so that those keep their entries and places.
#include "comms/comparacion.h"
#include "comms/comparacion_rele.h"
#include "comms/envio.h"
#include "comms/ui/diferencias.h"
#include "shell/madre.h"
#include "store/ficheros.h"
#include "texto/herramientas_texto.h"

#include <QFileInfo>
#include <QMenuBar>

namespace tarvo {

void Madre::CreaMenuHerramientas() {
    auto *herramientas = menuBar()->addMenu("&Herramientas");
    herramientas->setObjectName("mnuHerramientas");
    const auto entrada = [&](const char *nombre, auto &&orden) {
        connect(Accion(nombre, "", herramientas), &QAction::triggered, this, orden);
    };
    entrada("mnuCompararFichero", [this] { ComparaConFichero(); });
    entrada("mnuCompararRele", [this] { ConRele([](Comunicaciones &c) { MuestraComparacionRele(c); }); });
    entrada("mnuEnviarVerificar", [this] { ConRele([](Comunicaciones &c) { EnviarAjustes(c, {.verifica = true}); }); });
    entrada("mnuEnviarCambios", [this] { ConRele([](Comunicaciones &c) { EnviarAjustes(c, {.cambios = true}); }); });
    herramientas->addSeparator();
    entrada("mnuExportarTexto", [this] { ExportaComoTexto(ctx_, *this); });
    entrada("mnuImportarTexto", [this] { ImportaDesdeTexto(ctx_, *this); });
    entrada("mnuComprobar", [this] { CompruebaConfiguracionAbierta(ctx_, *this); });
    entrada("mnuConvertir", [this] { ConvierteAModelo(ctx_, *this); });
}

void Madre::MuestraDiferencias(const Comparacion &c, const QString &otro) {
    VentanaDiferencias ventana(ctx_.dic, c, ctx_.dic.Texto(3318), otro, this);
    ventana.exec();
}

// The open configuration, unsaved edits included, against a file the user picks.
void Madre::ComparaConFichero() {
    QString otro;
    if (!DialogoFichero(ctx_, 3301, ConsultaFichero::Modo::Abrir, otro)) return;
    ctx_.ui->CursorOcupado(true);
    SuspendeEditor(false);   // the editor holds the working copy
    const std::optional<Comparacion> c = ComparaConfiguraciones(ctx_, ctx_.app.CopiaTrabajo, otro);
    SuspendeEditor(true);
    ctx_.ui->CursorOcupado(false);
    if (c) MuestraDiferencias(*c, QFileInfo(otro).fileName());
}

// The open configuration against what the connected relay holds.
void Madre::MuestraComparacionRele(Comunicaciones &c) {
    auto &madre = static_cast<Madre &>(c.v);
    c.v.SuspendeEditor(false);
    const std::optional<Comparacion> r = ComparaConRele(c, c.ctx.app.CopiaTrabajo);
    c.v.SuspendeEditor(true);
    if (r) madre.MuestraDiferencias(*r, c.ctx.dic.Texto(3319));
}

}  // namespace tarvo
