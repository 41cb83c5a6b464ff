// The callers' SQL rewritten for the engine. The rewritten queries run in the
// editor tests (the LED editor's union of events) and in the join tests.
#include "store/db/basedatos.h"

#include <gtest/gtest.h>

using namespace bd;

namespace {

// What changes and what must not, where a string comparison is the point.
TEST(TraduceSql, RewritesOnlyOutsideNamesAndLiterals) {
    const struct {
        const char *jet;
        const char *sqlite;
    } casos[] = {
        {"SELECT DISTINCTROW [A].* FROM [A]", "SELECT [A].* FROM [A]"},
        {"DELETE * FROM [Salidas CTRL] WHERE Indice > 3", "DELETE FROM [Salidas CTRL] WHERE Indice > 3"},
        {"DELETE [T].* FROM [T]", "DELETE FROM [T]"},
        {"DELETE*FROM [T]", "DELETE FROM [T]"},
        {"WHERE x=\"Apa\"", "WHERE x='Apa'"},
        {"WHERE x=\"O'Brien \"\"y\"\"\"", "WHERE x='O''Brien \"y\"'"},
        {"WHERE x=\"[no es nombre]\" AND [a \"b\"]=1", "WHERE x='[no es nombre]' AND [a \"b\"]=1"},
        {"WHERE x='It''s \"DISTINCTROW\" True'", "WHERE x='It''s \"DISTINCTROW\" True'"},
        {"WHERE Alarma = True OR Mantenido=false", "WHERE Alarma = 1 OR Mantenido=0"},
        {"WHERE [True] = 1 AND t.True = 2", "WHERE [True] = 1 AND t.True = 2"},
        {"WHERE Nombre = ? AND Indice = ?", "WHERE Nombre = ? AND Indice = ?"},
    };
    for (const auto &c : casos) EXPECT_EQ(TraduceSql(QString::fromUtf8(c.jet)), QString::fromUtf8(c.sqlite)) << c.jet;
}

}  // namespace
