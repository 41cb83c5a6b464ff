// The terminal flags the port settings become. Kept apart: the kernel's
// termios2 constants cannot share a file with the C library's termios.
#include "comms/canal_serie.h"

#include <asm/termbits.h>

#include <gtest/gtest.h>

using namespace tarvo;

namespace {

ParametrosPuerto P(quint8 palabra, quint8 paridad, quint8 stop, qint32 velocidad = 9600) {
    return {.Velocidad = velocidad, .Paridad = paridad, .LongitudPalabra = palabra, .BitsStop = stop};
}

TEST(BanderasLinea, WordLengthParityAndStopBitsReplaceOnlyTheirOwnFlags) {
    // Hardware flow control and a stale speed code as the device had them.
    const unsigned antes = CRTSCTS | HUPCL | B9600 | CS7 | PARENB | CSTOPB;
    struct Caso { ParametrosPuerto p; unsigned esperadas; };
    const Caso casos[] = {
        {P(8, 0, 0), CS8},
        {P(7, 1, 0), CS7 | PARENB | PARODD},
        {P(6, 2, 2), CS6 | PARENB | CSTOPB},
        {P(5, 3, 0), CS5 | PARENB | PARODD | CMSPAR},   // mark
        {P(8, 4, 1), CS8 | PARENB | CMSPAR | CSTOPB},   // space; 1.5 stop bits as two
    };
    for (const Caso &c : casos) {
        unsigned f = antes;
        ASSERT_TRUE(BanderasLinea(c.p, f));
        EXPECT_EQ(f, CRTSCTS | HUPCL | CREAD | CLOCAL | BOTHER | (BOTHER << IBSHIFT) | c.esperadas)
            << int(c.p.LongitudPalabra) << int(c.p.Paridad) << int(c.p.BitsStop);
    }
    for (const ParametrosPuerto &malo : {P(4, 0, 0), P(9, 0, 0), P(8, 5, 0), P(8, 0, 3), P(8, 0, 0, 0)}) {
        unsigned f = antes;
        EXPECT_FALSE(BanderasLinea(malo, f));
    }
}

}  // namespace
