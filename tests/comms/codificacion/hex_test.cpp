// The text rules of Codificacion and the value conversions of the blocks.
#include "comms/codificacion/hex.h"
#include "support/imprime_qt.h"

#include <gtest/gtest.h>

using namespace tarvo;

TEST(TextoHex, PairReversalAndPadding) {
    EXPECT_EQ(InvierteBytes("A1B2C3"), "C3B2A1");
    EXPECT_EQ(InvierteBytes("0102"), "0201");
    EXPECT_EQ(InvierteBytes("AB"), "AB");   // 0 or 2 characters: unchanged
    EXPECT_EQ(InvierteBytes(""), "");
    EXPECT_EQ(RellenaCeros("3C", 4), "003C");
    EXPECT_EQ(RellenaCeros("12345", 4), "12345");   // never cut
    EXPECT_EQ(PalabraAHex(0x8001), "8001");
    // Numbers go into their field low byte first, in upper case.
    EXPECT_EQ(NumeroACodificacion(60, 4), "3C00");
    EXPECT_EQ(NumeroACodificacion(0xABC, 4), "BC0A");
    EXPECT_EQ(NumeroACodificacion(12, 2), "0C");
    EXPECT_EQ(NumeroACodificacion(-1, 4), "FFFF");
}

TEST(TextoHex, AmpersandHReadingRules) {
    // Up to 4 digits: signed 16-bit.
    EXPECT_EQ(LeeHex(u"7FFF"), 32767);
    EXPECT_EQ(LeeHex(u"8000"), -32768);
    EXPECT_EQ(LeeHex(u"FFFF"), -1);
    EXPECT_EQ(LeeHex(u"FF"), 255);
    EXPECT_EQ(LeeHex(u""), 0);
    // 5 to 8 digits: signed 32-bit.
    EXPECT_EQ(LeeHex(u"0FFFF"), 65535);
    EXPECT_EQ(LeeHex(u"FFFFFFFF"), -1);
    EXPECT_EQ(LeeHex(u"80000000"), std::numeric_limits<qint32>::min());
    EXPECT_EQ(LeeHex(u"abcd"), LeeHex(u"ABCD"));
    EXPECT_FALSE(LeeHex(u"123456789"));
    EXPECT_FALSE(LeeHex(u"12G4"));
    // Fields are read after the pairs are reversed.
    EXPECT_EQ(LeeCampo(u"3C00"), 60);
    EXPECT_EQ(LeeCampo(u"FFFF"), -1);
    EXPECT_EQ(LeeCampo(u"0C"), 12);
    EXPECT_THROW(LeeCampoONada(u"ZZ"), ErrorCodificacion);
}

TEST(TextoHex, ValuesAreFourBytesFirstByteLowest) {
    const std::array<quint8, 4> b = {0x01, 0x02, 0x03, 0x84};
    EXPECT_EQ(BytesAValor(b), qint32(0x84030201));
    EXPECT_EQ(ValorABytes(qint32(0x84030201)), b);
    EXPECT_EQ(ValorAHex(qint32(0x84030201)), "01020384");
    EXPECT_EQ(ValorAHex(-1), "FFFFFFFF");
    EXPECT_EQ(ValorAHex(10), "0A000000");
    for (const qint32 v : {0, 1, -1, 255, 65536, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()})
        EXPECT_EQ(BytesAValor(ValorABytes(v)), v);
}
