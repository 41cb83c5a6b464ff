// Opening files (good, bad, locked, hostile), table definitions, whole-file
// copy and compaction.
#include "esquema_prueba.h"
#include "store/db/basedatos.h"
#include "support/carpeta_temporal.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <functional>

using namespace bd;

namespace {

using prueba::ErrorDe;

// A file written by another tool, straight through SQLite.
void EscribeConSqlite(const QString &ruta, const char *sql) {
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(ruta).constData(), &db), SQLITE_OK);
    char *error = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
    EXPECT_EQ(rc, SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
}

class Ficheros : public ::testing::Test {
protected:
    prueba::CarpetaTemporal carpeta;
    QString ruta = carpeta.en("cnf00000.tmp");
};

TEST_F(Ficheros, WhatIsNotADatabaseIsRefusedWithAReason) {
    prueba::CreaConfiguracion(carpeta.en("buena.cnf"));
    const QByteArray buena = carpeta.lee("buena.cnf");
    ASSERT_GT(buena.size(), 8192);
    // A file damaged after a sound open is checked again.
    BaseDatos::Abrir(carpeta.en("buena.cnf"), Apertura::SoloLectura);
    carpeta.escribe("buena.cnf", buena.left(buena.size() / 2));
    carpeta.escribe("vacio.cnf", QByteArray());
    carpeta.escribe("texto.cnf", "[VERSION]\nVersion=1\n");
    carpeta.escribe("cabecera.cnf", buena.left(100));
    QDir().mkpath(carpeta.en("carpeta.cnf"));

    const struct {
        const char *fichero;
        int primario;
    } casos[] = {{"falta.cnf", SQLITE_CANTOPEN}, {"carpeta.cnf", SQLITE_CANTOPEN}, {"vacio.cnf", SQLITE_NOTADB},
                 {"texto.cnf", SQLITE_NOTADB}, {"buena.cnf", SQLITE_CORRUPT}, {"cabecera.cnf", SQLITE_CORRUPT}};
    for (const auto &c : casos) {
        for (Apertura modo : {Apertura::Compartida, Apertura::Exclusiva, Apertura::SoloLectura}) {
            const ErrorBD e = ErrorDe([&] { BaseDatos::Abrir(carpeta.en(c.fichero), modo); });
            EXPECT_EQ(e.numero & 0xff, c.primario) << c.fichero << " " << e.what();
            EXPECT_TRUE(e.descripcion.contains(c.fichero)) << e.what();
        }
    }
    // None of these attempts may have turned a file into something else.
    EXPECT_TRUE(carpeta.lee("vacio.cnf").isEmpty());
    EXPECT_FALSE(carpeta.existe("falta.cnf"));
}

TEST_F(Ficheros, ReadingKeepsTheFileAndExclusiveOpenShutsOutEveryoneUntilClosed) {
    prueba::CreaConfiguracion(ruta);
    const QByteArray antes = carpeta.lee("cnf00000.tmp");
    for (Apertura modo : {Apertura::Compartida, Apertura::Exclusiva, Apertura::SoloLectura}) {
        auto db = BaseDatos::Abrir(ruta, modo);
        db->OpenRecordset("Entradas CTRL")->MoveLast();
        db->TableDef("Entradas CTRL");
    }
    EXPECT_EQ(ErrorDe([&] { BaseDatos::Crear(ruta); }).numero & 0xff, SQLITE_CANTOPEN);   // never overwrites
    EXPECT_EQ(carpeta.lee("cnf00000.tmp"), antes);

    auto compartida = BaseDatos::Abrir(ruta);
    BaseDatos::Abrir(ruta);   // shared openers coexist
    compartida->Close();

    auto exclusiva = BaseDatos::Abrir(ruta, Apertura::Exclusiva);
    for (Apertura modo : {Apertura::Compartida, Apertura::Exclusiva, Apertura::SoloLectura}) {
        const ErrorBD e = ErrorDe([&] { BaseDatos::Abrir(ruta, modo); });
        EXPECT_EQ(e.numero & 0xff, SQLITE_BUSY) << e.what();
        EXPECT_TRUE(e.descripcion.contains("in use")) << e.what();
    }
    // Plain SQLite from elsewhere is kept out as well.
    sqlite3 *ajena = nullptr;
    ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(ruta).constData(), &ajena, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(ajena, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr), SQLITE_BUSY);
    sqlite3_close(ajena);
}

// A file could carry SQL of its own in views and triggers; none of it runs.
TEST_F(Ficheros, HostileFileRunsNothingItCarries) {
    EscribeConSqlite(ruta,
                     "CREATE TABLE [Entradas CTRL] (Indice INTEGER, NombreAjuste TEXT);"
                     "CREATE TABLE Registro (Que TEXT);"
                     "INSERT INTO [Entradas CTRL] VALUES (1, 'a');"
                     "CREATE VIEW Carga AS SELECT load_extension('/tmp/no_existe.so') AS x;"
                     "CREATE VIEW Tokenizador AS SELECT fts3_tokenizer('simple') AS x;"
                     "CREATE VIEW Rutas AS SELECT file FROM pragma_database_list;"
                     "CREATE TRIGGER Espia AFTER INSERT ON [Entradas CTRL] BEGIN INSERT INTO Registro VALUES ('insert'); END;"
                     "CREATE TRIGGER Borrador AFTER UPDATE ON [Entradas CTRL] BEGIN DELETE FROM [Entradas CTRL]; END;");
    auto db = BaseDatos::Abrir(ruta);
    EXPECT_EQ(db->TableNames(), (QStringList{"Entradas CTRL", "Registro"}));
    // Rutas would tell where files lie.
    for (const char *sql : {"SELECT * FROM Carga", "SELECT * FROM Tokenizador", "SELECT * FROM Rutas",
                            "SELECT load_extension('/tmp/no_existe.so')"})
        EXPECT_THROW(db->OpenRecordset(sql), ErrorBD) << sql;
    db->Execute("INSERT INTO [Entradas CTRL] VALUES (2, ?)", {QString("b")});
    auto rs = db->OpenRecordset("Entradas CTRL");
    rs->Edit();
    rs->SetValue("NombreAjuste", "c");
    rs->Update();
    EXPECT_EQ(db->OpenRecordset("Registro")->RecordCount(), 0);
    EXPECT_EQ(db->OpenRecordset("Entradas CTRL")->RecordCount(), 2);
    // The schema table cannot be written to smuggle SQL in.
    EXPECT_THROW(db->Execute("UPDATE sqlite_schema SET sql = 'x'"), ErrorBD);
}

DefTabla Ejemplo() {
    DefTabla t;
    t.nombre = "Salidas CTRL";
    // Every type, a sized text, a zero-length rule and a required field.
    t.campos = {{"Indice", TipoCampo::Entero, 0, true, true}, {"NombreAjuste", TipoCampo::Texto, 50, false, false},
                {"Comentario", TipoCampo::Memo, 0, true, false}, {"Valor", TipoCampo::Byte, 0, true, false},
                {"Total", TipoCampo::EnteroLargo, 0, true, false}, {"Factor", TipoCampo::Doble, 0, true, false},
                {"Activa", TipoCampo::Booleano, 0, true, false}, {"Fecha", TipoCampo::FechaHora, 0, true, false},
                {"Clave", TipoCampo::Texto, 0, true, false}};
    t.indices = {{"PrimaryKey", {"Indice"}, true, true}, {"PorNombre", {"NombreAjuste", "Valor"}, false, false},
                 {"ClaveUnica", {"Clave"}, false, true}};
    return t;
}

// A definition as text, one line per field and index, to compare whole.
QStringList Describe(const DefTabla &t) {
    QStringList l{t.nombre};
    for (const DefCampo &c : t.campos)
        l << QString("%1 %2 %3 %4 %5").arg(c.nombre).arg(int(c.tipo)).arg(c.tamano).arg(c.permiteLongitudCero).arg(c.requerido);
    for (const DefIndice &i : t.indices)
        l << QString("%1 (%2) %3 %4").arg(i.nombre, i.campos.join(',')).arg(i.primario).arg(i.unico);
    return l;
}

// The definition, the rules it sets and the list of tables, on one file. Copying
// the template's tables into a configuration is walked by ficheros_test (a
// save restoring "Varios") and catalogo_test (the graphic's templates table).
TEST_F(Ficheros, DefinitionSurvivesAReopenAndIsEnforced) {
    auto db = BaseDatos::Crear(ruta);
    EXPECT_TRUE(db->TableNames().isEmpty());
    db->CreateTableDef(Ejemplo());
    db->Close();
    db = BaseDatos::Abrir(ruta);
    EXPECT_EQ(Describe(db->TableDef("Salidas CTRL")), Describe(Ejemplo()));

    db->Execute("INSERT INTO [Salidas CTRL] (Indice, NombreAjuste, Clave) VALUES (1, 'a', 'k')");
    // A zero-length name, a missing required field, a second unique key, a second primary key.
    const std::pair<const char *, int> malas[] = {
        {"INSERT INTO [Salidas CTRL] (Indice, NombreAjuste) VALUES (2, '')", SQLITE_CONSTRAINT_CHECK},
        {"INSERT INTO [Salidas CTRL] (NombreAjuste) VALUES ('b')", SQLITE_CONSTRAINT_NOTNULL},
        {"INSERT INTO [Salidas CTRL] (Indice, Clave) VALUES (3, 'k')", SQLITE_CONSTRAINT_UNIQUE},
        {"INSERT INTO [Salidas CTRL] (Indice) VALUES (1)", SQLITE_CONSTRAINT_PRIMARYKEY},
    };
    for (const auto &[sql, codigo] : malas) EXPECT_EQ(ErrorDe([&] { db->Execute(sql); }).numero, codigo) << sql;
    // The zero-length rule does not stop the column from being dropped; a column that is gone cannot be.
    db->Execute("ALTER TABLE [Salidas CTRL] DROP COLUMN [Comentario]");
    EXPECT_EQ(db->TableDef("Salidas CTRL").campos.size(), 8);
    EXPECT_THROW(db->Execute("ALTER TABLE [Salidas CTRL] DROP COLUMN [Comentario]"), ErrorBD);
    // A failed definition leaves nothing behind.
    DefTabla mala = Ejemplo();
    mala.nombre = "Mala";
    mala.indices.append({"Otra", {"NoExiste"}, false, false});
    EXPECT_THROW(db->CreateTableDef(mala), ErrorBD);
    EXPECT_EQ(db->TableNames(), QStringList{"Salidas CTRL"});
    EXPECT_EQ(ErrorDe([&] { db->CreateTableDef(Ejemplo()); }).numero & 0xff, SQLITE_ERROR);

    // Names come in creation order, without the engine's own tables.
    for (const char *t : {"Modelo", "Varios", "Aparamenta CTRL", "ANDs PROT"})
        db->Execute(QStringLiteral("CREATE TABLE [%1] (Indice SHORT)").arg(t));
    db->Execute("CREATE TABLE [Contador] (Id INTEGER PRIMARY KEY AUTOINCREMENT, Texto TEXT)");
    db->Execute("INSERT INTO [Contador] (Texto) VALUES ('x')");
    db->Execute("DROP TABLE [Varios]");
    db->Execute("CREATE TABLE [Varios] (Indice SHORT)");
    EXPECT_EQ(db->TableNames(),
              (QStringList{"Salidas CTRL", "Modelo", "Aparamenta CTRL", "ANDs PROT", "Contador", "Varios"}));
    EXPECT_EQ(ErrorDe([&] { db->TableDef("modelo"); }).numero, codigo::NoEncontrado);
    // The engine's own "no such table" carries the same number.
    EXPECT_EQ(ErrorDe([&] { db->Execute("DELETE FROM [No existe]"); }).numero, codigo::NoEncontrado);
    // A rowid key has no index of its own but is still the primary one.
    const DefTabla contador = db->TableDef("Contador");
    ASSERT_EQ(contador.indices.size(), 1);
    EXPECT_TRUE(contador.indices[0].primario);
    EXPECT_EQ(contador.indices[0].campos, QStringList{"Id"});
}

TEST_F(Ficheros, CopyIsByteForByteAndFailsWithoutLeavingHalves) {
    prueba::CreaConfiguracion(ruta);
    carpeta.escribe("default.cnf", "contenido anterior");
    EXPECT_FALSE(CopiaFichero(carpeta.en("no_existe.cnf"), carpeta.en("default.cnf")));
    EXPECT_EQ(carpeta.lee("default.cnf"), QByteArray("contenido anterior"));
    EXPECT_FALSE(CopiaFichero(ruta, carpeta.en("no/hay/carpeta.cnf")));
    QDir().mkpath(carpeta.en("es_carpeta.cnf"));
    EXPECT_FALSE(CopiaFichero(ruta, carpeta.en("es_carpeta.cnf")));
    EXPECT_EQ(QDir(carpeta.ruta()).entryList(QDir::Files | QDir::NoDotAndDotDot),
              (QStringList{"cnf00000.tmp", "default.cnf"}));
    // Replacing a file is what every Save does (ficheros_test); a name outside ASCII is not.
    EXPECT_TRUE(CopiaFichero(ruta, carpeta.en("Configuración ñ.cnf")));
    EXPECT_EQ(carpeta.lee("Configuración ñ.cnf"), carpeta.lee("cnf00000.tmp"));
}

TEST_F(Ficheros, CompactionKeepsDataAndDefinitionsInASmallerFile) {
    {
        auto db = prueba::CreaConfiguracion(ruta);
        db->CreateTableDef(Ejemplo());
        db->Execute("CREATE TABLE [Relleno] (Texto LONGTEXT)");
        db->Execute("INSERT INTO [Relleno] VALUES (?)", {QString(100000, QChar(u'x'))});
        db->Execute("DROP TABLE [Relleno]");
    }
    const QString destino = carpeta.en("cnf00002.tmp");
    CompactaBaseDatos(ruta, destino);
    EXPECT_LT(QFile(destino).size(), QFile(ruta).size());
    auto original = BaseDatos::Abrir(ruta);
    auto compacta = BaseDatos::Abrir(destino);
    EXPECT_EQ(compacta->TableNames(), original->TableNames());
    EXPECT_EQ(Describe(compacta->TableDef("Salidas CTRL")), Describe(Ejemplo()));
    EXPECT_EQ(compacta->OpenRecordset("Entradas CTRL")->RecordCount(), 8);
    compacta->Close();

    // The target must be new, and the source must be a database.
    const QByteArray antes = carpeta.lee("cnf00002.tmp");
    EXPECT_THROW(CompactaBaseDatos(ruta, destino), ErrorBD);
    EXPECT_EQ(carpeta.lee("cnf00002.tmp"), antes);
    carpeta.escribe("roto.cnf", "no es una base de datos");
    EXPECT_THROW(CompactaBaseDatos(carpeta.en("roto.cnf"), carpeta.en("salida.cnf")), ErrorBD);
    EXPECT_FALSE(carpeta.existe("salida.cnf"));
}

}  // namespace
