#include "store/modelos.h"
#include "support/instalacion.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace tarvo;

namespace {

TEST(ComparaModelo, QuestionMarksStandForAnyOrAMissingTrailingCharacter) {
    const struct {
        const char *modelo, *patron;
        bool casa;
    } casos[] = {
        {"AB", "A", false},   // longer than the pattern
        {"AB", "A?", true},     {"XB", "A?", false},     {"AB", "AB??", true},
        {"ABC", "AB??", true},  {"ABCD", "AB??", true},  {"ABCDE", "AB??", false},
        {"ab", "AB", false},   // case matters
        {"  TRV-610 A1 ", "TRV-610 ??", true},
        {"TRV", "TRV-610 ??", false},   // a missing letter the pattern needs
    };
    for (const auto &c : casos) EXPECT_EQ(ComparaModelo(c.modelo, c.patron), c.casa) << c.modelo << " ~ " << c.patron;
    EXPECT_EQ(ModeloAPantalla(" trv-610 ?? "), "TRV-610 **");
    EXPECT_EQ(ModeloDePantalla("trv-610 ** "), "TRV-610 ??");
}

struct Catalogo : ::testing::Test {
    prueba::Instalacion ins;
};

TEST_F(Catalogo, OffersOnlyModelsWhoseDatabaseIsPresentAndLooksUpTheFirstMatchInTableOrder) {
    ins.ui.EsperaModelo("TRV-610 **");
    QString patron;
    ASSERT_TRUE(PideModelo(ins.ctx, patron));
    EXPECT_EQ(patron, "TRV-610 ??");
    EXPECT_EQ(ins.ui.ModelosOfrecidos(), QStringList({"TRV-610 **", "TRV-420 *", "TRV-300 C*"}));
    ins.ui.EsperaModelo(std::nullopt);
    EXPECT_FALSE(PideModelo(ins.ctx, patron));
    EXPECT_EQ(patron, "");

    QString base;
    EXPECT_EQ(BuscaModelo(ins.ctx, "TRV-300 C7", base), "TRV-300 C?");
    EXPECT_EQ(base, "TRV300.MDB");
    EXPECT_EQ(BuscaModelo(ins.ctx, "TRV-610 A", base), "TRV-610 ??");
    ins.ui.Espera(ins.ctx.dic.Texto(570, "XYZ-1"));
    EXPECT_EQ(BuscaModelo(ins.ctx, "xyz-1", base), "");
    EXPECT_EQ(base, "");
    EXPECT_EQ(ins.Inesperados(), "");
}

// No model database present, or a catalogue that is no database: the list only explains why.
TEST_F(Catalogo, WithNoUsableModelTheListOnlyExplainsWhy) {
    for (const char *m : {"TRV610.MDB", "TRV420.MDB", "TRV300.MDB"}) QFile::remove(ins.arbol.modelos + m);
    ins.ui.Espera(ins.ctx.dic.Texto(578));
    ins.ui.EsperaModelo("TRV-610 **");
    QString patron;
    EXPECT_FALSE(PideModelo(ins.ctx, patron));
    EXPECT_EQ(ins.ui.ModelosOfrecidos(), QStringList({ins.ctx.dic.Texto(578)}));

    ins.arbol.raiz.escribe("models/modelos.mdb", QByteArray(100, 'x'));
    ins.ui.Espera(ins.ctx.dic.Texto(578) + "\r");
    EXPECT_FALSE(PideModelo(ins.ctx, patron));
    EXPECT_EQ(ins.Inesperados(), "");
}

}  // namespace
