// A channel with no device behind it, for the driver on a virtual line: it
// opens, takes any line settings and keeps the port's bounds for the reads of
// whoever derives from it. Header only: the fuzz targets use it too.
#pragma once

#include "comms/canal.h"

namespace prueba {

class CanalSinDispositivo : public tarvo::Canal {
public:
    bool Abre(const QString &) override { return true; }
    bool FijaColas(int, int) override { return true; }
    bool FijaEstado(const tarvo::ParametrosPuerto &) override { return true; }
    bool FijaTiempos(const tarvo::TiemposPuerto &t) override {
        tiempos_ = t;
        return true;
    }
    void Cierra() override {}

protected:
    tarvo::TiemposPuerto tiempos_;
};

}  // namespace prueba
