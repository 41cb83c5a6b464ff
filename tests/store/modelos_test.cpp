#include "store/modelos.h"
#include "support/instalacion.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace tarvo;

namespace {

TEST(ComparaModelo, QuestionMarksStandForAnyOrAMissingTrailingCharacter) {
    EXPECT_FALSE(ComparaModelo("AB", "A"));      // longer than the pattern
    EXPECT_TRUE(ComparaModelo("AB", "A?"));
    EXPECT_FALSE(ComparaModelo("XB", "A?"));
    EXPECT_TRUE(ComparaModelo("AB", "AB??"));
    EXPECT_TRUE(ComparaModelo("ABC", "AB??"));
    EXPECT_TRUE(ComparaModelo("ABCD", "AB??"));
    EXPECT_FALSE(ComparaModelo("ABCDE", "AB??"));
    EXPECT_FALSE(ComparaModelo("ab", "AB"));     // case matters
    EXPECT_TRUE(ComparaModelo("  TRV-610 A1 ", "TRV-610 ??"));
    EXPECT_FALSE(ComparaModelo("TRV", "TRV-610 ??"));   // a missing letter the pattern needs
}

TEST(ComparaModelo, DisplayFormTurnsQuestionMarksIntoStarsAndBack) {
    EXPECT_EQ(ModeloAPantalla(" trv-610 ?? "), "TRV-610 **");
    EXPECT_EQ(ModeloDePantalla("trv-610 ** "), "TRV-610 ??");
}

struct Catalogo : ::testing::Test {
    prueba::Instalacion ins;
};

TEST_F(Catalogo, OffersOnlyModelsWhoseDatabaseIsPresentAndReturnsThePattern) {
    ins.ui.EsperaModelo("TRV-610 **");
    QString patron;
    ASSERT_TRUE(PideModelo(ins.ctx, patron));
    EXPECT_EQ(patron, "TRV-610 ??");
    EXPECT_EQ(ins.ui.ModelosOfrecidos(), QStringList({"TRV-610 **", "TRV-420 *", "TRV-300 C*"}));
    EXPECT_EQ(ins.Inesperados(), "");

    ins.ui.EsperaModelo(std::nullopt);
    EXPECT_FALSE(PideModelo(ins.ctx, patron));
    EXPECT_EQ(patron, "");
}

TEST_F(Catalogo, WithNoUsableModelTheListOnlyExplainsWhy) {
    for (const char *m : {"TRV610.MDB", "TRV420.MDB", "TRV300.MDB"}) QFile::remove(ins.arbol.modelos + m);
    ins.ui.Espera(ins.ctx.dic.Texto(578));
    ins.ui.EsperaModelo("TRV-610 **");
    QString patron;
    EXPECT_FALSE(PideModelo(ins.ctx, patron));
    EXPECT_EQ(ins.ui.ModelosOfrecidos(), QStringList({ins.ctx.dic.Texto(578)}));
    EXPECT_EQ(ins.Inesperados(), "");
}

TEST_F(Catalogo, AnUnreadableCatalogueIsReportedWithItsError) {
    QFile f(ins.ctx.app.FicheroModelos);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("not a catalogue at all, just text that fills the header page....................................");
    f.close();
    ins.ui.Espera(ins.ctx.dic.Texto(578) + "\r");
    QString patron;
    EXPECT_FALSE(PideModelo(ins.ctx, patron));
    EXPECT_EQ(ins.Inesperados(), "");
}

TEST_F(Catalogo, LookupTakesTheFirstMatchInTableOrder) {
    QString base;
    EXPECT_EQ(BuscaModelo(ins.ctx, "TRV-300 C7", base), "TRV-300 C?");
    EXPECT_EQ(base, "TRV300.MDB");
    EXPECT_EQ(BuscaModelo(ins.ctx, "TRV-610 A", base), "TRV-610 ??");

    ins.ui.Espera(ins.ctx.dic.Texto(570, "XYZ-1"));
    EXPECT_EQ(BuscaModelo(ins.ctx, "xyz-1", base), "");
    EXPECT_EQ(base, "");
    EXPECT_EQ(ins.Inesperados(), "");
}

}  // namespace
