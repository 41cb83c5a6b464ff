// Cursors, field access and writing back, including through joined queries.
#include "esquema_prueba.h"
#include "store/db/basedatos.h"

#include <gtest/gtest.h>

using namespace bd;

namespace {

int Codigo(const std::function<void()> &f) { return prueba::ErrorDe(f).numero; }

// The layer's test configuration, open as `db`.
class RecordsetPrueba : public ::testing::Test {
protected:
    void SetUp() override { db = prueba::CreaConfiguracion(ruta); }

    // Value of one column in the row whose Indice is given, read after closing
    // the test's own connection so that only what reached the file counts.
    QVariant EnFichero(const QString &tabla, const QString &columna, int indice) {
        if (db->IsOpen()) db->Close();
        auto leida = BaseDatos::Abrir(ruta, Apertura::SoloLectura);
        auto rs = leida->OpenRecordset(QStringLiteral("SELECT [%1] FROM [%2] WHERE Indice = ?").arg(columna, tabla),
                                       TipoRecordset::Snapshot, {indice});
        return rs->AtEOF() ? QVariant(QStringLiteral("<no row>")) : rs->Value(0);
    }

    prueba::CarpetaTemporal carpeta;
    QString ruta = carpeta.en("cnf00000.tmp");
    std::unique_ptr<BaseDatos> db;
};

// Plain moves are walked by every editor; past either end and after a delete
// there is no current record. Appending and typed values are walked by every
// New and Save (ficheros_test: dates, codes) and by the editors' tests.
TEST_F(RecordsetPrueba, NoCurrentRecordPastEitherEndOrAfterADelete) {
    auto rs = db->OpenRecordset("Eventos PROT");
    rs->MoveLast();
    rs->MoveNext();
    EXPECT_TRUE(rs->AtEOF());
    EXPECT_EQ(Codigo([&] { rs->MoveNext(); }), codigo::SinRegistroActual);
    EXPECT_EQ(Codigo([&] { rs->Value(0); }), codigo::SinRegistroActual);
    rs->MovePrevious();
    EXPECT_EQ(rs->Value("NombreAjuste").toString(), "EvP2");
    rs->Move(-1);
    rs->MovePrevious();
    EXPECT_TRUE(rs->AtBOF());
    EXPECT_EQ(Codigo([&] { rs->MovePrevious(); }), codigo::SinRegistroActual);

    auto vacio = db->OpenRecordset("SELECT * FROM [Entradas CTRL] WHERE Indice > 100");
    vacio->MoveFirst();
    vacio->MoveLast();
    EXPECT_TRUE(vacio->AtBOF() && vacio->AtEOF());
    EXPECT_EQ(vacio->RecordCount(), 0);

    // Delete leaves no current record; the next move lands on the following row.
    auto apa = db->OpenRecordset("SELECT * FROM [Entradas CTRL] WHERE TipoEntrada = \"Apa\"");
    apa->MoveNext();
    apa->Delete();
    EXPECT_EQ(Codigo([&] { apa->Value(0); }), codigo::SinRegistroActual);
    apa->MoveNext();
    EXPECT_EQ(apa->Value("Indice"), QVariant(3));
    EXPECT_EQ(apa->RecordCount(), 3);
    apa->MoveLast();
    apa->Delete();
    EXPECT_TRUE(apa->AtEOF());
    EXPECT_EQ(EnFichero("Entradas CTRL", "NombreAjuste", 2).toString(), "<no row>");
    EXPECT_EQ(EnFichero("Entradas CTRL", "NombreAjuste", 4).toString(), "<no row>");
    EXPECT_EQ(EnFichero("Entradas CTRL", "NombreAjuste", 3).toString(), "Borna A2");
}

// Field names are exact for an index, free of case for values. Plain edits are
// walked by every editor test; an edit left by moving away is dropped.
TEST_F(RecordsetPrueba, FieldNamesEditRefusalsAndAMoveDroppingTheEdit) {
    auto rs = db->OpenRecordset("Entradas CTRL", TipoRecordset::Tabla);
    EXPECT_EQ(rs->FieldIndex("NombreAjuste"), 1);
    EXPECT_EQ(rs->FieldIndex("nombreajuste"), -1);
    EXPECT_EQ(rs->Value("nombreAJUSTE").toString(), "Borna A1");
    EXPECT_EQ(Codigo([&] { rs->Value("NoExiste"); }), codigo::NoEncontrado);
    EXPECT_EQ(Codigo([&] { rs->Value(99); }), codigo::NoEncontrado);
    EXPECT_EQ(Codigo([&] { rs->SetValue("NombreAjuste", "x"); }), codigo::SinEdicion);
    EXPECT_EQ(Codigo([&] { rs->Update(); }), codigo::SinEdicion);
    rs->MoveNext();
    rs->Edit();
    rs->SetValue("NombreAjuste", "descartado al moverse");
    rs->MoveNext();
    rs->MovePrevious();
    EXPECT_EQ(rs->Value("NombreAjuste").toString(), "Borna A3");
}


TEST_F(RecordsetPrueba, ReadOnlyKindsRefuseWrites) {
    auto snap = db->OpenRecordset("Entradas CTRL", TipoRecordset::Snapshot);
    EXPECT_EQ(Codigo([&] { snap->Edit(); }), codigo::SoloLectura);
    EXPECT_EQ(Codigo([&] { snap->AddNew(); }), codigo::SoloLectura);
    EXPECT_EQ(Codigo([&] { snap->Delete(); }), codigo::SoloLectura);

    auto calculada = db->OpenRecordset("SELECT Indice + 1000 AS Numero, NombreAjuste FROM [Eventos CTRL]");
    calculada->Edit();
    EXPECT_EQ(Codigo([&] { calculada->SetValue("Numero", 5); }), codigo::CampoNoActualizable);

    db->Close();
    db = BaseDatos::Abrir(ruta, Apertura::SoloLectura);
    auto rs = db->OpenRecordset("Eventos CTRL");
    EXPECT_EQ(Codigo([&] { rs->Edit(); }), codigo::SoloLectura);
    EXPECT_NE(Codigo([&] { db->Execute("DELETE * FROM [Eventos CTRL]"); }), 0);
}

// The editors write settings through their joined queries, under aliases:
// each value must land in its own table's row and nowhere else. The timers'
// join of three tables in parentheses is walked by editores_test
// (temporizadoresYTimeOutsSeCompruebanAntesDeEscribirNada).
TEST_F(RecordsetPrueba, JoinsWriteEachColumnIntoTheRightRowOfTheRightTable) {
    struct EnTabla {
        QString tabla, columna;
        int indice;
        QVariant valor;
    };
    const struct {
        const char *caso;
        QString sql;
        int campos;
        QList<QPair<QString, QVariant>> escribe;   // into the second row
        QList<EnTabla> fichero;
    } casos[] = {
        {"aliases of two tables",
         "SELECT DISTINCTROW [TiempoAperturaCierre CTRL].NombreAjuste, [Entradas CTRL].NombreAjuste AS Borna, [Entradas "
         "CTRL].Codificacion AS CodifiBorna, [Entradas CTRL].TipoEntrada  FROM [TiempoAperturaCierre CTRL] INNER JOIN "
         "[Entradas CTRL] ON [TiempoAperturaCierre CTRL].Indice = [Entradas CTRL].NumeroOrden WHERE (([Entradas "
         "CTRL].TipoEntrada = \"Apa\")) ORDER BY [Entradas CTRL].Indice;",
         4,   // the borrowed rowids stay hidden
         // Entradas CTRL row 2: NumeroOrden 3, "Int1 ci".
         {{"Borna", "Cierre interruptor 1"}, {"CodifiBorna", "AB"}, {"NombreAjuste", "Interruptor 1 cierre"}},
         // Then neighbours that share names or numbers, untouched.
         {{"Entradas CTRL", "NombreAjuste", 2, "Cierre interruptor 1"}, {"Entradas CTRL", "Codificacion", 2, "AB"},
          {"TiempoAperturaCierre CTRL", "NombreAjuste", 3, "Interruptor 1 cierre"},
          {"Entradas CTRL", "NombreAjuste", 1, "Borna A1"}, {"Entradas CTRL", "NombreAjuste", 5, "Entrada 1"},
          {"TiempoAperturaCierre CTRL", "NombreAjuste", 2, "Int2 ap"},
          {"TiempoAperturaCierre CTRL", "Codificacion", 3, "C1"}}},
        {"the same column name in two tables",
         "SELECT DISTINCTROW [Eventos PROT].*, [TextoEventos COMU].Texto ,[TextoEventos COMU].Codificacion AS CodifiTexto "
         "FROM [Eventos PROT] INNER JOIN [TextoEventos COMU] ON [Eventos PROT].Indice = [TextoEventos COMU].NumeroOrden "
         "WHERE (([TextoEventos COMU].TipoTexto=\"prot\"));",
         7,   // the star gives the five of its own table
         {{"Codificacion", "E2NEW"}, {"CodifiTexto", "T2NEW"}, {"Alarma", false}},
         {{"Eventos PROT", "Codificacion", 2, "E2NEW"}, {"Eventos PROT", "Alarma", 2, false},
          {"TextoEventos COMU", "Codificacion", 2, "T2NEW"}, {"TextoEventos COMU", "Codificacion", 4, "XC2"},
          {"Eventos CTRL", "Codificacion", 2, "EC2"}}},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.caso);
        if (!db->IsOpen()) db = BaseDatos::Abrir(ruta);
        auto rs = db->OpenRecordset(c.sql);
        EXPECT_EQ(rs->FieldCount(), c.campos);
        rs->MoveNext();
        rs->Edit();
        for (const auto &[columna, valor] : c.escribe) rs->SetValue(columna, valor);
        rs->Update();
        EXPECT_EQ(rs->Value(c.escribe[0].first), c.escribe[0].second);
        for (const EnTabla &e : c.fichero)
            EXPECT_EQ(EnFichero(e.tabla, e.columna, e.indice), e.valor)
                << e.tabla.toStdString() << "." << e.columna.toStdString();
    }
    // A join only edits.
    db = BaseDatos::Abrir(ruta);
    auto rs = db->OpenRecordset(casos[0].sql);
    EXPECT_EQ(Codigo([&] { rs->AddNew(); }), codigo::SoloLectura);
    EXPECT_EQ(Codigo([&] { rs->Delete(); }), codigo::SoloLectura);
}

// Names typed by the user travel as bound values, never as SQL text.
TEST_F(RecordsetPrueba, UserTextTravelsBoundAndIsStoredVerbatim) {
    // The parameter count must match, and one statement runs at a time.
    EXPECT_EQ(Codigo([&] { db->Execute("DELETE FROM [Entradas CTRL] WHERE Indice = ?"); }), codigo::ArgumentoNoValido);
    EXPECT_EQ(Codigo([&] { db->OpenRecordset("SELECT * FROM [Entradas CTRL]", TipoRecordset::Dynaset, {1}); }),
              codigo::ArgumentoNoValido);
    EXPECT_EQ(Codigo([&] { db->Execute("DELETE FROM [Entradas CTRL]; DELETE FROM [Eventos CTRL]"); }), codigo::ArgumentoNoValido);
    EXPECT_EQ(db->OpenRecordset("Entradas CTRL")->RecordCount(), 8);

    const QStringList nombres = {"O'Brien", "Seccionador \"línea\" Nº2", "Año; DROP TABLE [Entradas CTRL] --",
                                 "[corchete]", QString(), "Ünïcödé ñ €"};
    int indice = 100;
    for (const QString &n : nombres)
        db->Execute("INSERT INTO [Entradas CTRL] (Indice, NombreAjuste) VALUES (?, ?)", {indice++, n});
    auto rs = db->OpenRecordset("SELECT NombreAjuste FROM [Entradas CTRL] WHERE Indice >= ? ORDER BY Indice",
                                TipoRecordset::Snapshot, {100});
    QStringList leidos;
    for (; !rs->AtEOF(); rs->MoveNext()) leidos << rs->Value(0).toString();
    EXPECT_EQ(leidos, nombres);

    auto ed = db->OpenRecordset("Entradas CTRL");
    ed->Edit();
    ed->SetValue("NombreAjuste", nombres[2]);
    ed->Update();
    EXPECT_EQ(EnFichero("Entradas CTRL", "NombreAjuste", 1).toString(), nombres[2]);
    EXPECT_EQ(EnFichero("Entradas CTRL", "NombreAjuste", 8).toString(), "Pulso 1");
}

TEST_F(RecordsetPrueba, TransactionsCommitRollBackAndNestAndCloseEndsAll) {
    db->BeginTrans();
    db->Execute("DELETE * FROM [Entradas CTRL] WHERE Indice = 1");
    db->BeginTrans();
    db->Execute("DELETE * FROM [Entradas CTRL] WHERE Indice = 2");
    db->Rollback();
    db->CommitTrans();
    EXPECT_EQ(db->OpenRecordset("Entradas CTRL")->Value("Indice"), QVariant(2));
    db->BeginTrans();
    db->Execute("DELETE * FROM [Entradas CTRL]");
    db->Rollback();
    EXPECT_EQ(db->OpenRecordset("Entradas CTRL")->RecordCount(), 7);
    EXPECT_EQ(Codigo([&] { db->CommitTrans(); }), codigo::SinTransaccion);

    // Closing the database closes its recordsets.
    auto rs = db->OpenRecordset("Entradas CTRL");
    db->Close();
    EXPECT_FALSE(db->IsOpen());
    EXPECT_EQ(Codigo([&] { rs->Value(0); }), codigo::Cerrado);
    EXPECT_EQ(Codigo([&] { rs->MoveNext(); }), codigo::Cerrado);
    EXPECT_EQ(Codigo([&] { db->OpenRecordset("Entradas CTRL"); }), codigo::Cerrado);
    EXPECT_EQ(Codigo([&] { db->Execute("DELETE FROM [Entradas CTRL]"); }), codigo::Cerrado);
}

}  // namespace
