// The companion's answers to the questions the logic asks: decided up front
// by its options, told on standard error.
#pragma once

#include "core/interaccion.h"

#include <QStringList>

#include <cstdio>

namespace tarvo {

class InteraccionCli : public Interaccion {
public:
    explicit InteraccionCli(std::FILE *salida = stderr) : salida_(salida) {}

    int reintentos = 0;          // Retry answers before the first Cancel
    bool sobrescribir = false;   // Yes to "replace the existing file?"
    QStringList ficheros;        // answers of the file chooser, in order
    QString modelo;              // display form of the model to choose
    QStringList callados;        // texts not printed: the companion says it better itself

    Boton Muestra(const Mensaje &m) override;
    std::optional<QString> EligeFichero(const ConsultaFichero &c) override;
    std::optional<QString> EligeCarpeta(const QString &, const QString &) override { return std::nullopt; }
    std::optional<QString> EligeModelo(const QStringList &lineas, bool aceptar) override;
    void PonEstado(const QString &texto) override { estado_ = texto; }
    QString Estado() const override { return estado_; }
    void CursorOcupado(bool) override {}
    void ProcesaEventos() override {}

    // What was said as an error or a warning (for the exit code).
    int Errores() const { return errores_; }

private:
    std::FILE *salida_;
    QString estado_;
    int errores_ = 0;
};

}  // namespace tarvo
