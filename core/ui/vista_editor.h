// What the main window asks of the editor it shows, whichever kind it is (a
// table editor or the display graphic editor): load, let go of the working
// copy around file commands and sends, new captions after a language change.
// The send buttons of every editor go through one hook the main window sets.
#pragma once

#include "core/aplicacion.h"

#include <QStringList>
#include <QWidget>

#include <functional>

namespace tarvo {

// Sends these tables of the catalogue with the progress window captioned
// `titulo`. Returns when done; the messages along the way are the sender's.
using EnvioDeEditor = std::function<void(Contexto &, const QStringList &tablas, const QString &titulo)>;

class VistaEditor : public QWidget {
public:
    using QWidget::QWidget;
    // Reads the working copy; false (the failure reported) when it could not.
    virtual bool Carga() = 0;
    virtual void Suspende() = 0;
    virtual void Reanuda() = 0;
    virtual void PonTextos() = 0;

    static void FijaEnvio(EnvioDeEditor envio) { Envio() = std::move(envio); }

protected:
    static EnvioDeEditor &Envio() {
        static EnvioDeEditor envio;
        return envio;
    }
};

}  // namespace tarvo
