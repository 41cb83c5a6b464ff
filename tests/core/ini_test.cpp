#include "core/ini.h"
#include "support/carpeta_temporal.h"

#include <gtest/gtest.h>

using namespace tarvo;

namespace {

struct Ini : ::testing::Test {
    prueba::CarpetaTemporal dir;
    QString fichero = dir.en("t.ini");
};

TEST_F(Ini, ReadsLikeTheProfileFunctions) {
    dir.escribe("t.ini", "[A]\r\nn=42\r\nletras=abc\r\nmixto= 12abc\r\nnegativo=-3\r\nvacio=\r\n"
                         "[Dirs]\r\n  Trabajo =  /w/x/  \r\ncomillas=\"/con espacios/\"\r\nlargo=" +
                             QByteArray(400, 'x') + "\r\n");
    const std::pair<const char *, int> enteros[] = {{"n", 42},      {"letras", 0}, {"mixto", 12},
                                                    {"negativo", -3}, {"vacio", 0}, {"falta", 7}};
    for (const auto &[clave, valor] : enteros) EXPECT_EQ(ini::LeeEntero("A", clave, 7, fichero), valor) << clave;
    EXPECT_EQ(ini::LeeEntero("B", "n", 7, fichero), 7);
    EXPECT_EQ(ini::LeeEntero("A", "n", 7, dir.en("no-existe.ini")), 7);
    // Names compare without case; values are trimmed and cut like a fixed buffer.
    EXPECT_EQ(ini::LeeCadena("DIRS", "trabajo", "def", fichero), "/w/x/");
    EXPECT_EQ(ini::LeeCadena("dirs", "COMILLAS", "def", fichero), "/con espacios/");
    EXPECT_EQ(ini::LeeCadena("DIRS", "Modelos", "def", fichero), "def");
    EXPECT_EQ(ini::LeeCadena("Dirs", "largo", "", fichero).size(), 259);
}

// A key is replaced in its line, a new key goes at the end of its section and
// a new section at the end; an empty line a value ends in is kept.
TEST_F(Ini, WritingChangesOnlyWhatItMust) {
    const struct {
        QByteArray antes;
        QList<QStringList> escrituras;   // section, key, value
        QByteArray despues;
    } casos[] = {
        {"; comment\r\n[A]\r\nuno=1\r\ndos=2\r\n\r\n[B]\r\ntres=3\r\n", {{"a", "DOS", "22"}},
         "; comment\r\n[A]\r\nuno=1\r\nDOS=22\r\n\r\n[B]\r\ntres=3\r\n"},
        {"[A]\r\nuno=1\r\n\r\n[B]\r\ntres=3\r\n", {{"A", "nueva", "x"}, {"C", "otra", "y"}},
         "[A]\r\nuno=1\r\nnueva=x\r\n\r\n[B]\r\ntres=3\r\n[C]\r\notra=y\r\n"},
        {"", {{"V", "Version", "1.0.0\r\n"}, {"W", "k", "v"}}, "[V]\r\nVersion=1.0.0\r\n\r\n[W]\r\nk=v\r\n"},
        {"[V]\r\nVersion=1.0.0\r\n\r\n[W]\r\nk=v\r\n", {{"V", "Version", "2.0.0"}},
         "[V]\r\nVersion=2.0.0\r\n\r\n[W]\r\nk=v\r\n"},
    };
    for (const auto &c : casos) {
        dir.escribe("t.ini", c.antes);
        for (const QStringList &e : c.escrituras) ASSERT_TRUE(ini::EscribeCadena(e[0], e[1], e[2], fichero));
        EXPECT_EQ(dir.lee("t.ini"), c.despues) << c.antes.toStdString();
    }
    EXPECT_EQ(ini::LeeCadena("V", "Version", "", fichero), "2.0.0");
}

TEST_F(Ini, NonAsciiValuesSurviveAndAFailedWriteLeavesNothingBehind) {
    ASSERT_TRUE(ini::EscribeCadena("DIRS", "Trabajo", "/home/josé/configuración/", fichero));
    EXPECT_EQ(ini::LeeCadena("DIRS", "Trabajo", "", fichero), "/home/josé/configuración/");
    EXPECT_FALSE(ini::EscribeCadena("A", "k", "v", dir.en("no/existe/t.ini")));
    EXPECT_FALSE(dir.existe("no"));
}

}  // namespace
