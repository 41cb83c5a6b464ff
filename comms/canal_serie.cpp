#include "comms/canal_serie.h"

#include <QFile>

// termios2 gives any line speed (BOTHER); glibc's termios.h would clash with it.
#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <chrono>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <unistd.h>

namespace tarvo {

namespace {

qint64 Ms() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Milliseconds left of a bound that started at `inicio`, at least 0.
int Resto(qint64 inicio, qint64 limite) { return int(std::max<qint64>(0, inicio + limite - Ms())); }

// Waits for the descriptor to be ready; false on time-out or failure.
// espera < 0 waits for ever.
bool Espera(int fd, short eventos, int espera, bool &fallo) {
    pollfd p{fd, eventos, 0};
    for (;;) {
        const int r = ::poll(&p, 1, espera);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0 || (p.revents & (POLLERR | POLLNVAL))) {
            fallo = true;
            return false;
        }
        // A hang-up with nothing left to read: the other end is gone.
        if ((p.revents & POLLHUP) && !(p.revents & eventos)) {
            fallo = true;
            return false;
        }
        return r > 0;
    }
}

// Speed codes of the kernel for the standard rates, for terminals that were
// set with one of them rather than with BOTHER.
int VelocidadDeCodigo(unsigned codigo) {
    struct Par { unsigned codigo; int baudios; };
    static constexpr Par tabla[] = {
        {B50, 50},         {B75, 75},         {B110, 110},       {B134, 134},       {B150, 150},
        {B200, 200},       {B300, 300},       {B600, 600},       {B1200, 1200},     {B1800, 1800},
        {B2400, 2400},     {B4800, 4800},     {B9600, 9600},     {B19200, 19200},   {B38400, 38400},
        {B57600, 57600},   {B115200, 115200}, {B230400, 230400}, {B460800, 460800}, {B500000, 500000},
        {B576000, 576000}, {B921600, 921600}, {B1000000, 1000000}};
    for (const Par &p : tabla)
        if (p.codigo == codigo) return p.baudios;
    return 0;
}

}  // namespace

CanalSerie::~CanalSerie() { Cierra(); }

bool CanalSerie::Abre(const QString &ruta) {
    Cierra();
    // Non-blocking, so that a line without carrier does not hold the open;
    // reads and writes wait in poll() under the port's own bounds instead.
    const int fd = ::open(QFile::encodeName(ruta).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    // EBUSY: another program opened the terminal for itself alone (TIOCEXCL).
    ocupado_ = fd < 0 && errno == EBUSY;
    if (fd < 0) return false;
    termios2 t{};
    // Not shared: the same advisory lock the port probe at start-up looks for.
    const bool terminal = ::ioctl(fd, TCGETS2, &t) == 0;
    if (!terminal || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ocupado_ = terminal && errno == EWOULDBLOCK;
        ::close(fd);
        return false;
    }
    fd_ = fd;
    tiempos_ = {};
    return true;
}

bool CanalSerie::FijaColas(int entrada, int salida) {
    // The kernel sizes a terminal's queues itself; there is nothing to set.
    return fd_ >= 0 && entrada > 0 && salida > 0;
}

bool CanalSerie::Purga() { return fd_ >= 0 && ::ioctl(fd_, TCFLSH, TCIOFLUSH) == 0; }

bool CanalSerie::FijaEstado(const ParametrosPuerto &p) {
    if (fd_ < 0 || !PonModoBinario(fd_)) return false;
    termios2 t{};
    if (::ioctl(fd_, TCGETS2, &t) != 0) return false;
    unsigned cflag = t.c_cflag;
    if (!BanderasLinea(p, cflag)) return false;
    t.c_cflag = cflag;
    t.c_ispeed = t.c_ospeed = speed_t(p.Velocidad);
    return ::ioctl(fd_, TCSETS2, &t) == 0;
}

bool CanalSerie::FijaTiempos(const TiemposPuerto &t) {
    if (fd_ < 0) return false;
    tiempos_ = t;
    return true;
}

int CanalSerie::Lee(quint8 *destino, int cuantos, qint64 maximoMs) {
    if (fd_ < 0) return -1;
    if (cuantos <= 0) return 0;
    const qint64 total = CotaLectura(tiempos_, cuantos, maximoMs);
    const qint64 intervalo = tiempos_.intervaloLectura;
    const qint64 inicio = Ms();
    qint64 ultimo = 0;
    int leidos = 0;
    while (leidos < cuantos) {
        int espera = -1;
        if (total >= 0) espera = Resto(inicio, total);
        if (intervalo > 0 && leidos > 0) {
            const int hueco = Resto(ultimo, intervalo);
            espera = espera < 0 ? hueco : std::min(espera, hueco);
        }
        bool fallo = false;
        if (espera == 0 || !Espera(fd_, POLLIN, espera, fallo)) {
            if (fallo && leidos == 0) return -1;
            break;
        }
        const ssize_t r = ::read(fd_, destino + leidos, size_t(cuantos - leidos));
        if (r > 0) {
            leidos += int(r);
            ultimo = Ms();
        } else if (r == 0 || (errno != EAGAIN && errno != EINTR)) {
            if (leidos == 0) return -1;
            break;
        }
    }
    return leidos;
}

int CanalSerie::Escribe(const quint8 *origen, int cuantos) {
    if (fd_ < 0) return -1;
    const qint64 total = qint64(tiempos_.escrituraPorByte) * cuantos + tiempos_.escrituraConstante;
    const qint64 inicio = Ms();
    int escritos = 0;
    while (escritos < cuantos) {
        const ssize_t r = ::write(fd_, origen + escritos, size_t(cuantos - escritos));
        if (r > 0) {
            escritos += int(r);
            continue;
        }
        if (r < 0 && errno != EAGAIN && errno != EINTR) break;
        bool fallo = false;
        const int espera = total > 0 ? Resto(inicio, total) : -1;
        if (espera == 0 || !Espera(fd_, POLLOUT, espera, fallo)) break;
    }
    return escritos;
}

void CanalSerie::Cierra() {
    if (fd_ < 0) return;
    ::close(fd_);   // also releases the lock
    fd_ = -1;
}

bool BanderasLinea(const ParametrosPuerto &p, unsigned &cflag) {
    if (p.Velocidad <= 0 || p.LongitudPalabra < 5 || p.LongitudPalabra > 8 || p.Paridad > 4 || p.BitsStop > 2)
        return false;
    cflag &= ~(CBAUD | (CBAUD << IBSHIFT) | CSIZE | PARENB | PARODD | CMSPAR | CSTOPB);
    // The speed itself goes in c_ispeed and c_ospeed.
    cflag |= BOTHER | (BOTHER << IBSHIFT) | CREAD | CLOCAL;
    static constexpr unsigned tamanos[] = {CS5, CS6, CS7, CS8};
    cflag |= tamanos[p.LongitudPalabra - 5];
    switch (p.Paridad) {
        case 1: cflag |= PARENB | PARODD; break;
        case 2: cflag |= PARENB; break;
        case 3: cflag |= PARENB | PARODD | CMSPAR; break;   // mark
        case 4: cflag |= PARENB | CMSPAR; break;            // space
        default: break;
    }
    // One and a half stop bits do not exist here; two is the nearest that a
    // receiver expecting one and a half still reads.
    if (p.BitsStop != 0) cflag |= CSTOPB;
    return true;
}

bool PonModoBinario(int fd) {
    termios2 t{};
    if (::ioctl(fd, TCGETS2, &t) != 0) return false;
    t.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY | IUCLC);
    t.c_oflag &= ~OPOST;
    t.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    return ::ioctl(fd, TCSETS2, &t) == 0;
}

bool LeeEstadoTerminal(int fd, ParametrosPuerto &p) {
    termios2 t{};
    if (::ioctl(fd, TCGETS2, &t) != 0) return false;
    const unsigned codigo = t.c_cflag & CBAUD;
    p.Velocidad = codigo == BOTHER ? qint32(t.c_ospeed) : VelocidadDeCodigo(codigo);
    switch (t.c_cflag & CSIZE) {
        case CS5: p.LongitudPalabra = 5; break;
        case CS6: p.LongitudPalabra = 6; break;
        case CS7: p.LongitudPalabra = 7; break;
        default: p.LongitudPalabra = 8; break;
    }
    if (!(t.c_cflag & PARENB)) p.Paridad = 0;
    else if (t.c_cflag & CMSPAR) p.Paridad = (t.c_cflag & PARODD) ? 3 : 4;
    else p.Paridad = (t.c_cflag & PARODD) ? 1 : 2;
    p.BitsStop = (t.c_cflag & CSTOPB) ? 2 : 0;
    return true;
}

}  // namespace tarvo
