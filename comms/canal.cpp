#include "comms/canal.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace tarvo {

TiemposPuerto TiemposPara(qint32 velocidad) {
    if (velocidad <= 0) return {};
    const quint32 k = quint32(115200 / velocidad);
    return {k * 50, k * 50, k * 1000, k * 50, k * 5000};
}

qint64 CotaLectura(const TiemposPuerto &t, int cuantos, qint64 maximoMs) {
    const qint64 puerto = qint64(t.lecturaPorByte) * cuantos + t.lecturaConstante;
    if (puerto == 0) return maximoMs < 0 ? -1 : maximoMs;
    return maximoMs < 0 ? puerto : std::min(puerto, maximoMs);
}

qint64 DuracionEnLinea(int bytes, qint32 velocidad) {
    if (velocidad <= 0) return 0;
    return qint64(bytes) * 10 * 1000000 / velocidad;
}

qint64 Reloj::Ahora() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void Reloj::Dormir(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace tarvo
