// The callers' SQL, run as they write it against real tables.
#include "esquema_prueba.h"
#include "store/db/basedatos.h"

#include <gtest/gtest.h>

using namespace bd;

namespace {

class SqlJet : public prueba::ConConfiguracion {
protected:
    QStringList Columna(const QString &sql, int columna = 0) {
        QStringList valores;
        auto rs = db->OpenRecordset(sql, TipoRecordset::Snapshot);
        for (; !rs->AtEOF(); rs->MoveNext()) valores << rs->Value(columna).toString();
        return valores;
    }
};

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

// The callers' queries as they write them find the rows they mean.
TEST_F(SqlJet, CallersQueriesFindTheirRows) {
    db->Execute("UPDATE [Entradas CTRL] SET NombreAjuste = ? WHERE Indice = 8", {QString("O'Brien [x] \"y\"")});
    const QString eventos = "SELECT Indice + 1000 , NombreAjuste FROM [Eventos CTRL] UNION SELECT Indice , NombreAjuste "
                            "FROM [Eventos PROT] UNION SELECT Indice + 2000 , NombreAjuste FROM [Eventos COMU]";
    const struct {
        QString sql;
        int columna;
        QStringList filas;
    } casos[] = {
        {"SELECT Indice FROM [Entradas CTRL] WHERE NombreAjuste = \"O'Brien [x] \"\"y\"\"\"", 0, {"8"}},
        {"SELECT NombreAjuste FROM [Eventos PROT] WHERE Alarma = True", 0, {"EvP2"}},
        {eventos, 1, {"EvP1", "EvP2", "EvC1", "EvC2", "EvM1"}},   // in renumbered order
    };
    for (const auto &c : casos) EXPECT_EQ(Columna(c.sql, c.columna), c.filas) << c.sql.toStdString();
    EXPECT_FALSE(db->OpenRecordset(eventos, TipoRecordset::Dynaset)->Updatable());
    EXPECT_EQ(db->Execute("DELETE * FROM [Entradas CTRL] WHERE Indice > 5"), 3);
}

TEST_F(SqlJet, AlterTableDropColumnKeepsTheRest) {
    db->Execute("ALTER TABLE [Eventos CTRL] ADD COLUMN [NombreAjuste1] TEXT(50)");
    db->Execute("UPDATE [Eventos CTRL] SET [NombreAjuste1] = \"otro\"");
    EXPECT_EQ(db->Execute("ALTER TABLE [Eventos CTRL] DROP COLUMN [NombreAjuste1]"), 0);
    auto rs = db->OpenRecordset("Eventos CTRL");
    EXPECT_EQ(rs->FieldCount(), 5);
    EXPECT_EQ(rs->Value("NombreAjuste").toString(), "EvC1");
    EXPECT_THROW(db->Execute("ALTER TABLE [Eventos CTRL] DROP COLUMN [NombreAjuste1]"), ErrorBD);
}

}  // namespace
