// The relay on a pseudo-terminal: it makes the terminal, links its device as
// ports/COMn of a program folder and answers the frames that arrive until it
// is stopped. It runs in the foreground (the tarvo32-relaysim program) or on a
// thread of its own (tests, benchmarks).
#pragma once

#include "motor.h"
#include "core/aplicacion.h"

#include <QFile>
#include <QList>
#include <QStringList>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace relaysim {

class ServidorPty {
public:
    explicit ServidorPty(Opciones o);
    ~ServidorPty();
    ServidorPty(const ServidorPty &) = delete;
    ServidorPty &operator=(const ServidorPty &) = delete;

    // Loads identity and memory, makes the terminal and the link.
    bool Prepara(QString &error);
    // Answers until Detiene.
    void Sirve();
    // Safe from any thread and from a signal handler.
    void Detiene();
    // Sirve on a thread of its own; the destructor stops and joins it.
    void Arranca();

    QString RutaEsclavo() const { return rutaEsclavo_; }
    QString Enlace() const { return enlace_; }

    // Snapshots, safe while the relay serves.
    QStringList Registro() const;
    QList<QByteArray> TramasRecibidas() const;   // every well-formed request, any relay number
    int RespuestasEnviadas() const;
    MemoriaRele Memoria() const;
    // The line settings the other end gave the terminal.
    tarvo::ParametrosPuerto EstadoLinea() const;
    // Waits (at most `limiteMs`) until this many replies have gone out whole.
    bool EsperaRespuestas(int cuantas, int limiteMs) const;

private:
    void Procesa();
    void Atiende(const tarvo::orbel::PeticionLeida &leida);
    void Envia(const Envio &e, int bytesPeticion);
    bool Escribe(const QByteArray &bytes, qint32 baudios);
    bool Pausa(qint64 microsegundos);
    void Anota(const QString &linea);
    void AnotaDescartados();

    Opciones o_;
    std::unique_ptr<MotorRele> motor_;
    int maestro_ = -1, esclavo_ = -1;
    int parada_[2] = {-1, -1};
    QString rutaEsclavo_, enlace_;
    QByteArray entrada_, descartados_;
    QFile fichero_;
    std::thread hilo_;

    mutable std::mutex m_;
    mutable std::condition_variable cambio_;
    QStringList registro_;
    QList<QByteArray> recibidas_;
    int enviadas_ = 0;
};

}  // namespace relaysim
