// Every question, message and chooser that the program's logic needs goes
// through Interaccion. The main window implements it with Qt dialogs; tests and
// the command-line companion answer from a script. Logic never opens a widget.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tarvo {

enum class Boton { Aceptar, Cancelar, Reintentar, Si, No, Abortar, Ignorar };
enum class Botones { Aceptar, AceptarCancelar, ReintentarCancelar, SiNo, SiNoCancelar, AbortarReintentarIgnorar };
enum class Icono { Ninguno, Informacion, Exclamacion, Critico, Pregunta };

struct Mensaje {
    QString texto;
    QString titulo;
    Icono icono = Icono::Informacion;
    Botones botones = Botones::Aceptar;
    std::optional<Boton> predeterminado{};   // the button Enter presses; none: the first
};

struct ConsultaFichero {
    enum class Modo { Abrir, Guardar };
    Modo modo = Modo::Abrir;
    QString titulo;
    QString carpeta;            // folder shown first
    QString nombre;             // file name proposed
    QStringList filtros;        // e.g. "Configuration (*.cnf)"
    QString extension;          // appended when the user types none, without the dot
};

class Interaccion {
public:
    virtual ~Interaccion() = default;

    virtual Boton Muestra(const Mensaje &m) = 0;
    // nullopt: the user cancelled.
    virtual std::optional<QString> EligeFichero(const ConsultaFichero &c) = 0;
    virtual std::optional<QString> EligeCarpeta(const QString &titulo, const QString &inicial) = 0;
    // The relay model list: one line per model. With `aceptar` false the list
    // only explains why nothing can be chosen. nullopt: cancelled.
    virtual std::optional<QString> EligeModelo(const QStringList &lineas, bool aceptar) = 0;

    // Status panel 1 of the main window. PonEstado paints at once (it lets
    // pending window events run), because long operations block the UI thread.
    virtual void PonEstado(const QString &texto) = 0;
    virtual QString Estado() const = 0;

    virtual void CursorOcupado(bool ocupado) = 0;
    // Lets pending window events run between the steps of a long operation.
    virtual void ProcesaEventos() = 0;
    // The short warning sound of a refused key or click.
    virtual void Pita() {}
};

// Shorthand for the common case of a box with a single button.
inline Boton Avisa(Interaccion &ui, const QString &texto, const QString &titulo, Icono icono) {
    return ui.Muestra({texto, titulo, icono, Botones::Aceptar});
}

}  // namespace tarvo
