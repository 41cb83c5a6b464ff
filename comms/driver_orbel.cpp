#include "comms/driver_orbel.h"

#include "comms/canal_serie.h"
#include "core/ajustes.h"
#include "core/puertos.h"

#include <algorithm>
#include <chrono>

namespace tarvo {

namespace cod = orbel::codigo;

clsDriverOrbel::clsDriverOrbel(const Aplicacion &app, std::unique_ptr<Canal> canal, Reloj *reloj)
    : app_(app), canal_(canal ? std::move(canal) : std::make_unique<CanalSerie>()),
      reloj_(reloj ? reloj : &relojPropio_) {}

clsDriverOrbel::~clsDriverOrbel() { PuertoAbierto(false); }

void clsDriverOrbel::PuertoAbierto(bool abrir) {
    if (abrir == puertoAbierto_) return;
    if (!abrir) {
        CerrarPuerto();
        return;
    }
    ParametrosPuerto p;
    LeeParametrosPuerto(app_, p);
    bool abierto = false;
    AbrirPuerto(p, abierto);
    puertoAbierto_ = abierto;
}

void clsDriverOrbel::AbrirPuerto(const ParametrosPuerto &p, bool &abierto) {
    abierto = false;
    if (!canal_->Abre(RutaPuerto(app_.DirectorioPrograma, p.Puerto))) return;
    const bool preparado = canal_->FijaColas(1024, 1024) && LimpiarPuerto() != 0 && canal_->FijaEstado(p) &&
                           canal_->FijaTiempos(TiemposPara(p.Velocidad));
    if (!preparado) {
        canal_->Cierra();
        return;
    }
    reloj_->Dormir(EsperaApertura);
    velocidad_ = p.Velocidad;
    abierto = true;
}

void clsDriverOrbel::CerrarPuerto() {
    LimpiarPuerto();
    puertoAbierto_ = false;
    canal_->Cierra();
}

int clsDriverOrbel::LimpiarPuerto() { return canal_->Purga() ? 1 : 0; }

quint8 clsDriverOrbel::CalculaChecksum(const quint8 *trama, int primero, int cuenta) {
    return orbel::Xor(trama, primero, cuenta);
}

qint16 clsDriverOrbel::Intercambio(QByteArray &respuesta, const orbel::Peticion &p, int pausa, qint32 tiempoEspera) {
    respuesta.clear();
    LimpiarPuerto();
    const int total = orbel::ConstruyePeticion(trama_, p);
    if (total < 0) return qint16(total);
    pausa_ = pausa;
    // A write that fails shows up as a reply that never comes.
    canal_->Escribe(trama_.data(), total);
    return RecibirRespuesta(respuesta, tiempoEspera);
}

qint16 clsDriverOrbel::LeerDatosRele(QByteArray &respuesta, quint8 cpu, quint8 area, quint8 subgrupo, quint8 grupo,
                                     quint16 bloque, qint32 tiempoEspera) {
    return Intercambio(respuesta, {numeroRele_, cpu, orbel::Leer, area, subgrupo, grupo, bloque, {}}, PausaLectura,
                       tiempoEspera);
}

qint16 clsDriverOrbel::EscribirDatosRele(QByteArray &respuesta, quint8 cpu, quint8 area, quint8 subgrupo,
                                         quint8 grupo, quint16 bloque, const QByteArray &datos, quint8 n) {
    QByteArray enviar = datos.left(n);
    enviar.append(QByteArray(n - enviar.size(), '\0'));
    return Intercambio(respuesta, {numeroRele_, cpu, orbel::Escribir, area, subgrupo, grupo, bloque, enviar},
                       PausaEscritura, TiempoEsperaFijo);
}

qint16 clsDriverOrbel::ConfirmarEscrituraDatos(QByteArray &respuesta, quint8 cpu, quint8 area, quint8 subgrupo,
                                               quint8 grupo, quint16) {
    return Intercambio(respuesta,
                       {numeroRele_, cpu, orbel::Confirmar, area, subgrupo, grupo, 0, orbel::BytesClave(claveRele_)},
                       PausaConfirmacion, TiempoEsperaFijo);
}

qint16 clsDriverOrbel::CancelarEscrituraDatos(QByteArray &respuesta, quint8 cpu, quint8 area, quint8 subgrupo,
                                              quint8 grupo, quint16) {
    return Intercambio(respuesta, {numeroRele_, cpu, orbel::Cancelar, area, subgrupo, grupo, 0, {}},
                       PausaCancelacion, TiempoEsperaFijo);
}

qint16 clsDriverOrbel::LeerMatricula(QString &matricula) {
    matricula.clear();
    QByteArray carga;
    const qint16 r =
        LeerDatosRele(carga, orbel::CPUMatricula, orbel::AreaMatricula, 0, 0, 0, TiempoEsperaMatricula);
    if (r <= 0) return r;
    // Characters 21 to 28 name the model database; all zero means the relay
    // has no identity to give. A payload shorter than that has none either.
    const QByteArray raiz = carga.mid(20, 8);
    if (raiz.size() < 8 || raiz.count('\0') == raiz.size()) return r;
    matricula = QString::fromLatin1(carga);
    return r;
}

qint16 clsDriverOrbel::RecibirRespuesta(QByteArray &respuesta, qint32 tiempoEspera) {
    const qint16 r = LeeTrama(respuesta, tiempoEspera);
    if (r < 0) {
        respuesta.clear();
        LimpiarPuerto();
    }
    reloj_->Dormir(pausa_);
    return r;
}

qint16 clsDriverOrbel::LeeTrama(QByteArray &respuesta, qint32 tiempoEspera) {
    const qint64 limite = reloj_->Ahora() + tiempoEspera;
    int recibidos = 0;
    // The header may come in pieces; no read waits past the deadline.
    for (qint64 resto = limite - reloj_->Ahora(); resto > 0; resto = limite - reloj_->Ahora()) {
        const int n = canal_->Lee(cabecera_.data() + recibidos, orbel::TamCabecera - recibidos, resto);
        if (n < 0) break;   // the device failed: nothing more can arrive
        recibidos += n;
        if (recibidos == orbel::TamCabecera) break;
    }
    if (recibidos < orbel::TamCabecera) return cod::SinCabecera;
    if (cabecera_[3] != 0x03) return cod::ByteTresErroneo;
    if (cabecera_[8] != CalculaChecksum(cabecera_.data(), 0, 8)) return cod::ChecksumCabecera;
    const int L = cabecera_[7];
    if (L < orbel::TamPrefijoCuerpo) return cod::LongitudCorta;
    TrabajaMientrasLlega(L + 1);

    // A header in just before the deadline still gets its body's time on the line and a gap's slack.
    const qint64 enLinea =
        (DuracionEnLinea(L + 1, velocidad_) + 999) / 1000 + TiemposPara(velocidad_).intervaloLectura;
    const int n = canal_->Lee(cuerpo_.data(), L + 1, std::max(limite - reloj_->Ahora(), enLinea));
    if (n < L + 1) return cod::CuerpoIncompleto;
    if (cuerpo_[L] != CalculaChecksum(cuerpo_.data(), 0, L)) return cod::ChecksumCuerpo;
    const int carga = L - orbel::TamPrefijoCuerpo;
    respuesta = QByteArray(reinterpret_cast<const char *>(cuerpo_.data()) + orbel::TamPrefijoCuerpo, carga);
    return qint16(carga);
}

void clsDriverOrbel::TrabajaMientrasLlega(int bytes) {
    if (!trabajo_ || velocidad_ <= 0) return;
    // In real time whatever clock the driver waits by: the bytes come in real time.
    using namespace std::chrono;
    const auto fin = steady_clock::now() + microseconds(DuracionEnLinea(bytes, velocidad_));
    for (;;) {
        const qint64 resto = duration_cast<microseconds>(fin - steady_clock::now()).count();
        if (resto <= 0 || !trabajo_(resto)) return;
    }
}

clsDriverOrbel &DriverOrbel(const Aplicacion &app) {
    static clsDriverOrbel driver(app);
    return driver;
}

}  // namespace tarvo
