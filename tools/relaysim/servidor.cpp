#include "servidor.h"

#include "comms/canal_serie.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace relaysim {

using namespace tarvo;

namespace {

// A frame begun but not finished after this long of silence is abandoned.
constexpr int EsperaTramaMs = 1000;

qint64 Us() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

ServidorPty::ServidorPty(Opciones o) : o_(std::move(o)) {}

ServidorPty::~ServidorPty() {
    Detiene();
    if (hilo_.joinable()) hilo_.join();
    // The link goes with the relay, unless someone has put another in its place.
    if (!enlace_.isEmpty() && QFileInfo(enlace_).symLinkTarget() == rutaEsclavo_) QFile::remove(enlace_);
    for (int fd : {maestro_, esclavo_, parada_[0], parada_[1]})
        if (fd >= 0) ::close(fd);
}

bool ServidorPty::Prepara(QString &error) {
    Identidad id;
    MemoriaRele memoria;
    if (!PreparaRele(o_, id, memoria, error)) return false;
    motor_ = std::make_unique<MotorRele>(o_, id, std::move(memoria));

    if (::pipe2(parada_, O_CLOEXEC | O_NONBLOCK) != 0) {
        error = "pipe: " + QString::fromLocal8Bit(strerror(errno));
        return false;
    }
    char nombre[256] = {};
    if (::openpty(&maestro_, &esclavo_, nombre, nullptr, nullptr) != 0) {
        error = "openpty: " + QString::fromLocal8Bit(strerror(errno));
        return false;
    }
    ::fcntl(maestro_, F_SETFD, FD_CLOEXEC);
    ::fcntl(esclavo_, F_SETFD, FD_CLOEXEC);
    // The relay keeps its own hold on the device, so that the program closing
    // and reopening the port never leaves the terminal hung up; and it is a
    // binary line from the start.
    PonModoBinario(esclavo_);
    rutaEsclavo_ = QString::fromLocal8Bit(nombre);

    if (!o_.programa.isEmpty()) {
        const QString puertos = QDir(o_.programa).absoluteFilePath("ports");
        QDir().mkpath(puertos);
        enlace_ = puertos + QString("/COM%1").arg(o_.puerto);
        if (QFileInfo(enlace_).isSymLink() || QFileInfo::exists(enlace_)) QFile::remove(enlace_);
        if (!QFile::link(rutaEsclavo_, enlace_)) {
            error = "cannot link " + enlace_;
            enlace_.clear();
            return false;
        }
    }
    if (o_.registro == "-") {
        fichero_.open(stderr, QIODevice::WriteOnly | QIODevice::Text);
    } else if (!o_.registro.isEmpty()) {
        fichero_.setFileName(o_.registro);
        if (!fichero_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
            error = o_.registro + ": " + fichero_.errorString();
            return false;
        }
    }
    if (!o_.estado.isEmpty()) motor_->Memoria().Guarda(o_.estado);
    return true;
}

void ServidorPty::Arranca() {
    hilo_ = std::thread([this] { Sirve(); });
}

void ServidorPty::Detiene() {
    if (parada_[1] >= 0) {
        const char c = 'x';
        [[maybe_unused]] const ssize_t r = ::write(parada_[1], &c, 1);
    }
}

void ServidorPty::Sirve() {
    // The default 50 us of timer slack on every pause would add up over a frame.
    ::prctl(PR_SET_TIMERSLACK, 1UL);
    char buffer[4096];
    for (;;) {
        pollfd p[2] = {{parada_[0], POLLIN, 0}, {maestro_, POLLIN, 0}};
        const int r = ::poll(p, 2, entrada_.isEmpty() ? -1 : EsperaTramaMs);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0 || (p[0].revents & POLLIN)) break;
        if (r == 0) {
            // A frame cut short: give up its first byte and look again.
            descartados_.append(entrada_.left(1));
            entrada_.remove(0, 1);
            Procesa();
            AnotaDescartados();
            continue;
        }
        if (p[1].revents & POLLIN) {
            const ssize_t n = ::read(maestro_, buffer, sizeof buffer);
            if (n > 0) entrada_.append(buffer, n);
            Procesa();
        }
    }
    AnotaDescartados();
}

void ServidorPty::Procesa() {
    for (;;) {
        orbel::PeticionLeida leida;
        int consumidos = 0;
        const orbel::Extraccion e = orbel::ExtraePeticion(entrada_, leida, consumidos);
        if (e == orbel::Extraccion::Falta) return;
        if (e == orbel::Extraccion::Descarta) {
            descartados_.append(entrada_.left(consumidos));
            entrada_.remove(0, consumidos);
            continue;
        }
        entrada_.remove(0, consumidos);
        AnotaDescartados();
        Atiende(leida);
    }
}

void ServidorPty::Atiende(const orbel::PeticionLeida &leida) {
    QString linea;
    bool cambio = false;
    std::optional<Envio> envio;
    {
        std::lock_guard<std::mutex> l(m_);
        recibidas_.append(leida.cruda);
        envio = motor_->Atiende(leida, linea, cambio);
        if (cambio && !o_.estado.isEmpty()) motor_->Memoria().Guarda(o_.estado);
    }
    Anota(linea);
    if (!envio) return;
    Envia(*envio, int(leida.cruda.size()));
    {
        std::lock_guard<std::mutex> l(m_);
        ++enviadas_;
    }
    cambio_.notify_all();
}

void ServidorPty::Envia(const Envio &e, int bytesPeticion) {
    qint32 baudios = 0;
    if (o_.velocidadReal) {
        baudios = EstadoLinea().Velocidad;
        // The request itself took this long to arrive whole.
        if (!Pausa(DuracionEnLinea(bytesPeticion, baudios))) return;
    }
    if (!Pausa(qint64(e.retardoMs) * 1000)) return;
    if (!Escribe(e.previo, baudios)) return;
    if (e.partirEn > 0) {
        if (!Escribe(e.trama.left(e.partirEn), baudios) || !Pausa(qint64(e.pausaPartidaMs) * 1000)) return;
        Escribe(e.trama.mid(e.partirEn), baudios);
    } else {
        Escribe(e.trama, baudios);
    }
}

bool ServidorPty::Escribe(const QByteArray &bytes, qint32 baudios) {
    // Without a speed the bytes go at once; with one, no byte leaves before
    // the line would have carried it. They go a millisecond's worth at a time
    // (at least one): a wake-up per byte would load the machine more than the
    // line it imitates.
    const qint64 inicio = Us();
    const int porMs = std::max(1, int(baudios / 10 / 1000));
    for (int i = 0; i < bytes.size();) {
        int cuantos = int(bytes.size()) - i;
        if (baudios > 0) {
            cuantos = std::min(cuantos, porMs);
            if (!Pausa(inicio + DuracionEnLinea(i + cuantos, baudios) - Us())) return false;
        }
        const ssize_t n = ::write(maestro_, bytes.constData() + i, size_t(cuantos));
        if (n > 0) i += int(n);
        else if (errno != EINTR && errno != EAGAIN) return false;
    }
    return true;
}

bool ServidorPty::Pausa(qint64 microsegundos) {
    if (microsegundos <= 0) return true;
    const qint64 fin = Us() + microsegundos;
    for (;;) {
        const qint64 resto = fin - Us();
        if (resto <= 0) return true;
        // To the microsecond: whole milliseconds would make every emulated
        // frame late by up to one.
        pollfd p{parada_[0], POLLIN, 0};
        const timespec t{time_t(resto / 1000000), long(resto % 1000000) * 1000};
        const int r = ::ppoll(&p, 1, &t, nullptr);
        if (r > 0) return false;
    }
}

void ServidorPty::Anota(const QString &linea) {
    {
        std::lock_guard<std::mutex> l(m_);
        registro_.append(linea);
    }
    if (fichero_.isOpen()) {
        fichero_.write(linea.toUtf8() + '\n');
        fichero_.flush();
    }
}

void ServidorPty::AnotaDescartados() {
    if (descartados_.isEmpty()) return;
    Anota(QString("descartados %1 bytes: %2").arg(descartados_.size()).arg(QString::fromLatin1(descartados_.toHex().toUpper())));
    descartados_.clear();
}

QStringList ServidorPty::Registro() const {
    std::lock_guard<std::mutex> l(m_);
    return registro_;
}

QList<QByteArray> ServidorPty::TramasRecibidas() const {
    std::lock_guard<std::mutex> l(m_);
    return recibidas_;
}

int ServidorPty::RespuestasEnviadas() const {
    std::lock_guard<std::mutex> l(m_);
    return enviadas_;
}

MemoriaRele ServidorPty::Memoria() const {
    std::lock_guard<std::mutex> l(m_);
    return motor_->Memoria();
}

ParametrosPuerto ServidorPty::EstadoLinea() const {
    ParametrosPuerto p;
    LeeEstadoTerminal(esclavo_, p);
    return p;
}

bool ServidorPty::EsperaRespuestas(int cuantas, int limiteMs) const {
    std::unique_lock<std::mutex> l(m_);
    return cambio_.wait_for(l, std::chrono::milliseconds(limiteMs), [&] { return enviadas_ >= cuantas; });
}

}  // namespace relaysim
