// The link driver: the one way to the relay. It opens the serial port with
// the settings file's "COMMS" values, sends one request frame and reads one
// reply frame per exchange. It knows nothing of tables or retries; callers
// turn its result codes into decisions and messages.
#pragma once

#include "comms/canal.h"
#include "comms/trama.h"
#include "core/aplicacion.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

namespace tarvo {

class clsDriverOrbel {
public:
    // `canal` and `reloj` default to the machine's serial port and clock. The
    // driver reads the settings file and the program folder from `app`.
    explicit clsDriverOrbel(const Aplicacion &app, std::unique_ptr<Canal> canal = nullptr, Reloj *reloj = nullptr);
    ~clsDriverOrbel();
    clsDriverOrbel(const clsDriverOrbel &) = delete;
    clsDriverOrbel &operator=(const clsDriverOrbel &) = delete;

    // Read by every frame as it is built, so a change applies to the next one.
    quint8 NumeroRele() const { return numeroRele_; }
    void NumeroRele(quint8 numero) { numeroRele_ = numero; }
    qint32 ClaveRele() const { return claveRele_; }
    void ClaveRele(qint32 clave) { claveRele_ = clave; }

    bool PuertoAbierto() const { return puertoAbierto_; }
    // true opens with the settings read afresh, false closes; writing the value
    // the port already has does nothing.
    void PuertoAbierto(bool abrir);
    // After an open that failed: the port is there but another program holds it.
    bool PuertoOcupado() const { return canal_->Ocupado(); }

    // Purges the driver's own port; non-zero on success.
    int LimpiarPuerto();

    // Each exchange returns the reply's payload length (0 or more) or a
    // negative link code (orbel::codigo); `respuesta` gets the payload.
    qint16 LeerDatosRele(QByteArray &respuesta, quint8 cpu, quint8 area, quint8 subgrupo, quint8 grupo,
                         quint16 bloque, qint32 tiempoEspera);
    // The first n bytes of `datos` (zeros where it is shorter); n above 240 is
    // refused with orbel::codigo::DatosExcesivos and nothing is sent.
    qint16 EscribirDatosRele(QByteArray &respuesta, quint8 cpu, quint8 area, quint8 subgrupo, quint8 grupo,
                             quint16 bloque, const QByteArray &datos, quint8 n);
    // The block is not part of these two frames: it is sent as 0.
    qint16 ConfirmarEscrituraDatos(QByteArray &respuesta, quint8 cpu, quint8 area, quint8 subgrupo, quint8 grupo,
                                   quint16 bloque = 0);
    qint16 CancelarEscrituraDatos(QByteArray &respuesta, quint8 cpu, quint8 area, quint8 subgrupo, quint8 grupo,
                                  quint16 bloque = 0);
    // The identification record, one character per byte; empty when the relay
    // gave none or gave an all-zero model database stem.
    qint16 LeerMatricula(QString &matricula);

    // Work of the caller's that may use the time a reply spends on the wire:
    // once a reply's header is in, the work is offered the microseconds its
    // body still takes to arrive, and does one piece that fits (true) or
    // nothing (false). The kernel keeps the bytes that come meanwhile.
    using TrabajoEnEspera = std::function<bool(qint64 microsegundos)>;
    void FijaTrabajoEnEspera(TrabajoEnEspera trabajo) { trabajo_ = std::move(trabajo); }

    // Post-reply pauses of each request, in milliseconds.
    static constexpr int PausaLectura = 0, PausaEscritura = 200, PausaConfirmacion = 300, PausaCancelacion = 200;
    static constexpr int TiempoEsperaFijo = 5000;     // writes, confirmations and cancellations
    static constexpr int TiempoEsperaMatricula = 10000;
    static constexpr int EsperaApertura = 1000;       // the line settles after the open

private:
    void AbrirPuerto(const ParametrosPuerto &p, bool &abierto);
    void CerrarPuerto();
    qint16 Intercambio(QByteArray &respuesta, const orbel::Peticion &p, int pausa, qint32 tiempoEspera);
    qint16 RecibirRespuesta(QByteArray &respuesta, qint32 tiempoEspera);
    qint16 LeeTrama(QByteArray &respuesta, qint32 tiempoEspera);
    void TrabajaMientrasLlega(int bytes);
    static quint8 CalculaChecksum(const quint8 *trama, int primero, int cuenta);

    const Aplicacion &app_;
    std::unique_ptr<Canal> canal_;
    Reloj relojPropio_;
    Reloj *reloj_;
    bool puertoAbierto_ = false;
    quint8 numeroRele_ = 0;
    qint32 claveRele_ = -1;
    int pausa_ = 0;
    TrabajoEnEspera trabajo_;
    qint32 velocidad_ = 0;
    orbel::BufferTrama trama_{};
    std::array<quint8, orbel::TamCabecera> cabecera_{};
    orbel::BufferTrama cuerpo_{};   // L + 1 <= 256
};

// The program's driver, made on first use; it lives until the program ends.
clsDriverOrbel &DriverOrbel(const Aplicacion &app);

}  // namespace tarvo
