// The text rules of Codificacion and the value conversions of the blocks.
#include "comms/codificacion/hex.h"
#include "support/imprime_qt.h"

#include <gtest/gtest.h>

using namespace tarvo;

TEST(TextoHex, PairReversalPaddingAndNumbersLowByteFirst) {
    const struct {
        QString escrito, esperado;
    } casos[] = {
        {InvierteBytes("A1B2C3"), "C3B2A1"}, {InvierteBytes("AB"), "AB"},   // 0 or 2 characters: unchanged
        {InvierteBytes(""), ""},             {RellenaCeros("3C", 4), "003C"},
        {RellenaCeros("12345", 4), "12345"},   // never cut
        {PalabraAHex(0x8001), "8001"},
        // Numbers go into their field low byte first, in upper case.
        {NumeroACodificacion(0xABC, 4), "BC0A"}, {NumeroACodificacion(-1, 4), "FFFF"},
        {ValorAHex(qint32(0x84030201)), "01020384"}, {ValorAHex(10), "0A000000"},
    };
    for (const auto &c : casos) EXPECT_EQ(c.escrito, c.esperado);
}

TEST(TextoHex, AmpersandHReadingRules) {
    const struct {
        const char16_t *digitos;
        std::optional<qint32> valor;
    } casos[] = {
        // Up to 4 digits: signed 16-bit; 5 to 8: signed 32-bit.
        {u"7FFF", 32767}, {u"8000", -32768}, {u"FFFF", -1}, {u"FF", 255}, {u"", 0}, {u"abcd", qint16(0xABCD)},
        {u"0FFFF", 65535}, {u"FFFFFFFF", -1}, {u"80000000", std::numeric_limits<qint32>::min()},
        {u"123456789", std::nullopt}, {u"12G4", std::nullopt},
    };
    for (const auto &c : casos) EXPECT_EQ(LeeHex(c.digitos), c.valor) << QString::fromUtf16(c.digitos).toStdString();
    // Fields are read after the pairs are reversed.
    EXPECT_EQ(LeeCampo(u"3C00"), 60);
    EXPECT_EQ(LeeCampo(u"0C"), 12);
    EXPECT_THROW(LeeCampoONada(u"ZZ"), ErrorCodificacion);
}

TEST(TextoHex, ValuesAreFourBytesFirstByteLowest) {
    const std::array<quint8, 4> b = {0x01, 0x02, 0x03, 0x84};
    EXPECT_EQ(BytesAValor(b), qint32(0x84030201));
    for (const qint32 v : {0, 1, -1, 255, 65536, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()})
        EXPECT_EQ(BytesAValor(ValorABytes(v)), v);
}
