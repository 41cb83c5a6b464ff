// Frames as pure bytes, and the time-outs a line speed gives.
#include "comms/canal.h"
#include "comms/trama.h"
#include "linea.h"

#include <gtest/gtest.h>

using namespace tarvo;
using namespace tarvo::orbel;
using prueba::Bytes;

namespace {

TEST(Tiempos, KIs115200DividedByTheSpeedAndAReadLastsTheLesserOfTwoBounds) {
    EXPECT_EQ(TiemposPara(9600), (TiemposPuerto{600, 600, 12000, 600, 60000}));
    EXPECT_EQ(TiemposPara(115200), (TiemposPuerto{50, 50, 1000, 50, 5000}));
    EXPECT_EQ(TiemposPara(56000), (TiemposPuerto{100, 100, 2000, 100, 10000}));   // k = 2, remainder dropped
    EXPECT_EQ(TiemposPara(110), (TiemposPuerto{52350, 52350, 1047000, 52350, 5235000}));
    // Above 115200 every bound is 0: a read waits for its bytes.
    EXPECT_EQ(TiemposPara(128000), TiemposPuerto{});
    // A read lasts the lesser of the port's bound and its own.
    struct Caso { qint32 velocidad; qint64 maximo, cota; };
    const Caso casos[] = {{9600, Canal::SoloPuerto, 17400}, {9600, 5000, 5000}, {115200, 5000, 1450},
                          {256000, Canal::SoloPuerto, -1}, {256000, 0, 0}, {256000, 30, 30}};
    for (const Caso &c : casos)
        EXPECT_EQ(CotaLectura(TiemposPara(c.velocidad), 9, c.maximo), c.cota) << c.velocidad << " " << c.maximo;
    // What the bytes themselves take on the line, 10 bits a character, in microseconds.
    EXPECT_EQ(DuracionEnLinea(96, 9600), 100000);
    EXPECT_EQ(DuracionEnLinea(16, 115200), 1388);
}

TEST(Respuesta, EchoesTheAddressingAndCutsThePayloadToWhatLCanSay) {
    Peticion p{3, 2, Leer, AreaGrupos, 0, 8, 0x0201, {}};
    const QByteArray t = ConstruyeRespuesta(p, "PUEDO.");
    EXPECT_EQ(t, Bytes({0x01, 0x0D, 0x03, 0x03, 0x01, 0x4F, 0x02, 0x0C, 0x4C,
                        0x04, 0x04, 0x00, 0x08, 0x01, 0x02, 'P', 'U', 'E', 'D', 'O', '.', 0x6E}));
    const QByteArray larga = ConstruyeRespuesta(p, QByteArray(300, '\1'));
    EXPECT_EQ(larga.size(), 9 + 255 + 1);
    EXPECT_EQ(quint8(larga[7]), 255);
}

QByteArray Trama(const Peticion &p) {
    BufferTrama b{};
    const int n = ConstruyePeticion(b, p);
    return QByteArray(reinterpret_cast<const char *>(b.data()), n);
}

TEST(Extraccion, FramesAreFoundAmongNoiseAndBrokenCandidatesAndWaitWhenCutShort) {
    const Peticion a{1, 0, Escribir, AreaGrupos, 0, 5, 300, Bytes({0x01, 0x0D, 0x03})};
    const Peticion b{1, 2, Confirmar, AreaGrupos, 0, 9, 0, BytesClave(1234)};
    // Noise that even holds a 0x01, a header whose checksum is wrong, a body
    // whose checksum is wrong, an L too short for a body, then two frames.
    QByteArray malo = Trama(a);
    malo[8] = char(malo[8] ^ 1);
    QByteArray cuerpoMalo = Trama({1, 0, Leer, AreaGrupos, 0, 5, 1, {}});
    cuerpoMalo[15] = char(cuerpoMalo[15] ^ 0x40);
    QByteArray corta = Trama({1, 0, Leer, AreaGrupos, 0, 5, 1, {}});
    corta[7] = 5;
    corta[8] = char(Xor(reinterpret_cast<const quint8 *>(corta.constData()), 0, 8));
    const QByteArray todo = Bytes({0x55, 0x01, 0x02, 0xFF}) + malo.left(9) + cuerpoMalo + corta + Trama(a) + Trama(b);
    // Byte by byte, as the relay's side reads them: a frame cut short is
    // waited for, never half taken.
    QByteArray entrada;
    QList<Peticion> tramas;
    int descartados = 0;
    for (char c : todo) {
        entrada.append(c);
        PeticionLeida l;
        int n = 0;
        for (Extraccion e; (e = ExtraePeticion(entrada, l, n)) != Extraccion::Falta; entrada.remove(0, n)) {
            if (e == Extraccion::Descarta) descartados += n;
            else tramas.append(l.peticion);
        }
    }
    ASSERT_EQ(tramas.size(), 2);
    EXPECT_EQ(descartados, 4 + 9 + 16 + 16);
    EXPECT_EQ(tramas[0].bloque, 300);
    EXPECT_EQ(tramas[0].datos, a.datos);
    EXPECT_EQ(tramas[1].comando, Confirmar);
    EXPECT_EQ(tramas[1].datos, BytesClave(1234));
    EXPECT_TRUE(entrada.isEmpty());
}

}  // namespace
