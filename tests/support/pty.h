// A pseudo-terminal whose slave end stands in for a serial device.
#pragma once

#include <QString>

#include <pty.h>
#include <unistd.h>

namespace prueba {

struct Pty {
    int maestro = -1, esclavo = -1;
    QString ruta;
    Pty() {
        char nombre[256] = {};
        if (::openpty(&maestro, &esclavo, nombre, nullptr, nullptr) == 0) ruta = nombre;
    }
    ~Pty() {
        if (esclavo >= 0) ::close(esclavo);
        if (maestro >= 0) ::close(maestro);
    }
    Pty(const Pty &) = delete;
    Pty &operator=(const Pty &) = delete;
};

}  // namespace prueba
