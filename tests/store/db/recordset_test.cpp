// Cursors, field access and writing back, including through joined queries.
#include "esquema_prueba.h"
#include "store/db/basedatos.h"

#include <QDateTime>

#include <gtest/gtest.h>

using namespace bd;

namespace {

int Codigo(const std::function<void()> &f) { return prueba::ErrorDe(f).numero; }

class RecordsetPrueba : public prueba::ConConfiguracion {
protected:
    // What reached the file, read after closing the test's own connection.
    QVariant EnFichero(const QString &tabla, const QString &columna, int indice) {
        if (db->IsOpen()) db->Close();
        return prueba::LeeDeFichero(ruta, tabla, columna, indice);
    }
};

TEST_F(RecordsetPrueba, MovesAcrossRowsAndEnds) {
    auto rs = db->OpenRecordset("Eventos PROT");
    EXPECT_EQ(rs->AbsolutePosition(), 0);
    EXPECT_EQ(rs->RecordCount(), 2);
    rs->MoveNext();
    EXPECT_EQ(rs->Value("NombreAjuste").toString(), "EvP2");
    rs->MoveNext();
    EXPECT_TRUE(rs->AtEOF());
    EXPECT_EQ(rs->AbsolutePosition(), -1);
    EXPECT_EQ(Codigo([&] { rs->MoveNext(); }), codigo::SinRegistroActual);
    EXPECT_EQ(Codigo([&] { rs->Value(0); }), codigo::SinRegistroActual);
    rs->MovePrevious();
    EXPECT_EQ(rs->AbsolutePosition(), 1);
    rs->MoveFirst();
    rs->MovePrevious();
    EXPECT_TRUE(rs->AtBOF());
    EXPECT_EQ(Codigo([&] { rs->MovePrevious(); }), codigo::SinRegistroActual);
    rs->MoveLast();
    rs->Move(-1);
    EXPECT_EQ(rs->AbsolutePosition(), 0);

    auto vacio = db->OpenRecordset("SELECT * FROM [Entradas CTRL] WHERE Indice > 100");
    EXPECT_TRUE(vacio->AtBOF() && vacio->AtEOF());
    vacio->MoveFirst();
    vacio->MoveLast();
    EXPECT_TRUE(vacio->AtEOF());
    EXPECT_EQ(vacio->RecordCount(), 0);
}

TEST_F(RecordsetPrueba, ValuesComeBackWithTheirTypes) {
    db->Execute("CREATE TABLE [Varios] (Subestacion TEXT(50), FechaCreacion DATETIME, Factor DOUBLE, Activa BOOLEAN, Vacio LONG)");
    const QDateTime fecha(QDate(2024, 2, 29), QTime(13, 45, 10));
    auto rs = db->OpenRecordset("Varios");
    rs->AddNew();
    rs->SetValue("Subestacion", QString("0123"));
    rs->SetValue("FechaCreacion", fecha);
    rs->SetValue("Factor", 2.5);
    rs->SetValue("Activa", true);
    rs->Update();
    db->Close();
    db = BaseDatos::Abrir(ruta);
    rs = db->OpenRecordset("Varios");
    EXPECT_EQ(rs->Value("Subestacion"), QVariant(QString("0123")));
    EXPECT_EQ(rs->Value("FechaCreacion"), QVariant(fecha));
    EXPECT_EQ(rs->Value("Factor"), QVariant(2.5));
    EXPECT_EQ(rs->Value("Activa"), QVariant(true));
    EXPECT_FALSE(rs->Value("Vacio").isValid());
    rs->Edit();
    rs->SetValue("FechaCreacion", QDate(2025, 1, 2));
    rs->Update();
    EXPECT_EQ(rs->Value("FechaCreacion"), QVariant(QDateTime(QDate(2025, 1, 2), QTime(0, 0))));
}

// Field names are exact for an index, free of case for values.
TEST_F(RecordsetPrueba, EditUpdateAndCancelOnATable) {
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
    rs->Edit();
    rs->SetValue("nombreajuste", "guardado");
    rs->Update();
    EXPECT_EQ(rs->AbsolutePosition(), 1);
    EXPECT_EQ(EnFichero("Entradas CTRL", "NombreAjuste", 2).toString(), "guardado");
    EXPECT_EQ(EnFichero("Entradas CTRL", "NombreAjuste", 1).toString(), "Borna A1");
}

TEST_F(RecordsetPrueba, AddNewAppendsAndDeleteMovesOnToTheFollowingRow) {
    auto rs = db->OpenRecordset("Eventos COMU");
    rs->AddNew();
    rs->SetValue("Indice", 2);
    rs->SetValue("NombreAjuste", "EvM2");
    rs->Update();
    EXPECT_EQ(rs->AbsolutePosition(), 0);
    EXPECT_EQ(rs->RecordCount(), 2);
    rs->MoveLast();
    EXPECT_EQ(rs->Value("NombreAjuste").toString(), "EvM2");
    EXPECT_FALSE(rs->Value("Alarma").isValid());   // unset columns read back as NULL

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
    EXPECT_EQ(EnFichero("Eventos COMU", "NombreAjuste", 2).toString(), "EvM2");
    EXPECT_EQ(EnFichero("Entradas CTRL", "NombreAjuste", 2).toString(), "<no row>");
    EXPECT_EQ(EnFichero("Entradas CTRL", "NombreAjuste", 4).toString(), "<no row>");
    EXPECT_EQ(EnFichero("Entradas CTRL", "NombreAjuste", 3).toString(), "Borna A2");
}

TEST_F(RecordsetPrueba, ReadOnlyKindsRefuseWrites) {
    auto snap = db->OpenRecordset("Entradas CTRL", TipoRecordset::Snapshot);
    EXPECT_EQ(Codigo([&] { snap->Edit(); }), codigo::SoloLectura);
    EXPECT_EQ(Codigo([&] { snap->AddNew(); }), codigo::SoloLectura);
    EXPECT_EQ(Codigo([&] { snap->Delete(); }), codigo::SoloLectura);

    auto calculada = db->OpenRecordset("SELECT Indice + 1000 AS Numero, NombreAjuste FROM [Eventos CTRL]");
    calculada->Edit();
    EXPECT_EQ(Codigo([&] { calculada->SetValue("Numero", 5); }), codigo::CampoNoActualizable);
    calculada->SetValue("NombreAjuste", "EvC1 bis");
    calculada->Update();

    db->Close();
    db = BaseDatos::Abrir(ruta, Apertura::SoloLectura);
    auto rs = db->OpenRecordset("Eventos CTRL");
    EXPECT_EQ(rs->Value("NombreAjuste").toString(), "EvC1 bis");
    EXPECT_EQ(Codigo([&] { rs->Edit(); }), codigo::SoloLectura);
    EXPECT_NE(Codigo([&] { db->Execute("DELETE * FROM [Eventos CTRL]"); }), 0);
}

// The editors write settings through their joined queries, under aliases:
// each value must land in its own table's row and nowhere else.
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
        {"three tables in parentheses",
         "SELECT DISTINCTROW [TiempoPrevio CTRL].NombreAjuste, [TiempoPrevio CTRL].Configurable, [TiempoPrevio "
         "CTRL].TiempoActuacion, [TiempoPrevio CTRL].Minimo AS MinimoActuacion, [TiempoPrevio CTRL].Maximo AS MaximoActuacion, "
         "[TiempoFallo CTRL].Minimo AS MinimoFallo, [TiempoFallo CTRL].Maximo AS MaximoFallo, [TiempoSalida CTRL].Minimo AS "
         "MinimoSalida, [TiempoSalida CTRL].Maximo AS MaximoSalida, [TiempoPrevio CTRL].Codificacion AS ActCodific, [TiempoFallo "
         "CTRL].TiempoFallo, [TiempoFallo CTRL].Codificacion AS FalCodific, [TiempoSalida CTRL].TiempoSalida, [TiempoSalida "
         "CTRL].Codificacion As SalCodific FROM ([TiempoPrevio CTRL] INNER JOIN [TiempoFallo CTRL] ON [TiempoPrevio CTRL].Indice "
         "= [TiempoFallo CTRL].Indice) INNER JOIN [TiempoSalida CTRL] ON [TiempoFallo CTRL].Indice = [TiempoSalida CTRL].Indice;",
         14,
         {{"ActCodific", "P2X"}, {"FalCodific", "F2X"}, {"SalCodific", "S2X"}, {"TiempoFallo", 2500}},
         {{"TiempoPrevio CTRL", "Codificacion", 2, "P2X"}, {"TiempoFallo CTRL", "Codificacion", 2, "F2X"},
          {"TiempoFallo CTRL", "TiempoFallo", 2, 2500}, {"TiempoSalida CTRL", "Codificacion", 2, "S2X"},
          {"TiempoSalida CTRL", "Codificacion", 1, "S1"}}},
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
            EXPECT_EQ(EnFichero(e.tabla, e.columna, e.indice), e.valor) << e.tabla.toStdString() << "." << e.columna.toStdString();
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
    auto rs = db->OpenRecordset("SELECT NombreAjuste FROM [Entradas CTRL] WHERE Indice >= ? ORDER BY Indice", TipoRecordset::Snapshot,
                                {100});
    QStringList leidos;
    for (; !rs->AtEOF(); rs->MoveNext()) leidos << rs->Value(0).toString();
    EXPECT_EQ(leidos, nombres);
    auto buscado = db->OpenRecordset("SELECT Indice FROM [Entradas CTRL] WHERE NombreAjuste = ?", TipoRecordset::Snapshot,
                                     {nombres[1]});
    EXPECT_EQ(buscado->Value(0), QVariant(101));

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
