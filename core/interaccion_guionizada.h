// An Interaccion that answers from a script: tests and the command-line
// companion use it. A message nobody planned for is recorded as unexpected
// and answered with the box's cancelling button.
#pragma once

#include "core/interaccion.h"

#include <QList>
#include <deque>

namespace tarvo {

class InteraccionGuionizada : public Interaccion {
public:
    // The next message must contain `fragmento`; it is answered with `respuesta`.
    void Espera(const QString &fragmento, Boton respuesta = Boton::Aceptar);
    // Answers for the choosers, in order; nullopt is a cancel.
    void EsperaFichero(std::optional<QString> ruta);
    void EsperaCarpeta(std::optional<QString> ruta);
    // The model to pick from the list (a line of it), or nullopt to cancel.
    void EsperaModelo(std::optional<QString> linea);
    // Messages that need no answer other than OK may be let through.
    void AceptaAvisos(bool aceptar) { aceptaAvisos_ = aceptar; }

    Boton Muestra(const Mensaje &m) override;
    std::optional<QString> EligeFichero(const ConsultaFichero &c) override;
    std::optional<QString> EligeCarpeta(const QString &titulo, const QString &inicial) override;
    std::optional<QString> EligeModelo(const QStringList &lineas, bool aceptar) override;
    const QStringList &ModelosOfrecidos() const { return modelosOfrecidos_; }
    void PonEstado(const QString &texto) override;
    QString Estado() const override { return estado_; }
    void CursorOcupado(bool ocupado) override { ocupado_ = ocupado; }
    void ProcesaEventos() override {}
    void Pita() override { ++pitidos_; }
    int Pitidos() const { return pitidos_; }

    const QList<Mensaje> &Mostrados() const { return mostrados_; }
    const QStringList &Inesperados() const { return inesperados_; }
    const QStringList &Estados() const { return estados_; }
    bool Ocupado() const { return ocupado_; }
    // What the script still expected and never saw.
    QStringList Pendientes() const;

private:
    struct Paso {
        QString fragmento;
        Boton respuesta;
    };
    std::deque<Paso> guion_;
    std::deque<QString> ficheros_, carpetas_, modelos_;   // a null string is a cancel
    QStringList modelosOfrecidos_;
    QList<Mensaje> mostrados_;
    QStringList inesperados_, estados_;
    QString estado_;
    bool ocupado_ = false;
    int pitidos_ = 0;
    bool aceptaAvisos_ = false;
};

}  // namespace tarvo
