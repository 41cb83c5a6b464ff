// The relay simulator started for a benchmark.
#pragma once

#include "servidor.h"

#include <cstdio>

namespace bench {

// False, with the reason on standard error, when the relay could not be prepared.
inline bool ArrancaRele(relaysim::ServidorPty &rele) {
    QString error;
    if (!rele.Prepara(error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return false;
    }
    rele.Arranca();
    return true;
}

}  // namespace bench
