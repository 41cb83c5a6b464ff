#include "store/catalogo.h"
#include "store/ficheros.h"
#include "store/tablas.h"
#include "support/instalacion.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace tarvo;

namespace {

// Shorter texts: registros_test and the round trips.
TEST(TextoAHex, KeepsAtMost23CharactersAndAlwaysOneZeroByte) {
    EXPECT_EQ(TextoAHex(QString(30, 'z')), QString("7A").repeated(23) + "00");
    EXPECT_EQ(TextoAHex("\t"), "9" + QString(46, '0'));   // as many digits as the code needs
}

struct TablasModelo : ::testing::Test {
    prueba::Instalacion ins;
    Aplicacion &a = ins.ctx.app;

    // A model database made for the test: one catalogue table and what the
    // derived-table steps read.
    QString Modelo(const QString &filas) {
        const QString ruta = a.DirectorioModelos + "PRUEBA.MDB";
        QFile::remove(ruta);
        auto db = bd::BaseDatos::Crear(ruta);
        QString columnas;
        for (int k = 1; k <= 75; ++k) columnas += QString(", indice%1 INTEGER DEFAULT 0").arg(k);
        db->Execute("CREATE TABLE [Tarvo Configuracion] (CPU INTEGER, GRUPO INTEGER, NombreTablaCONST TEXT, "
                    "NumeroEntidades INTEGER, NumeroEntidadesTotal INTEGER" + columnas + ")");
        if (!filas.isEmpty()) db->Execute("INSERT INTO [Tarvo Configuracion] (CPU, GRUPO, NombreTablaCONST, "
                                          "NumeroEntidades, NumeroEntidadesTotal, indice1, indice2, indice3) VALUES " +
                                          filas);
        db->Execute("CREATE TABLE [Tarvo Aparamenta Configurable CTRL] (Configurable BOOLEAN, "
                    "NombreNoConfigurable TEXT, PosicionEstado INTEGER, ByteComunicacion INTEGER)");
        db->Execute("INSERT INTO [Tarvo Aparamenta Configurable CTRL] VALUES (0, 'Interruptor', 0, 0), "
                    "(1, '', 1, 0), (1, '', 2, 0)");
        db->Execute("CREATE TABLE [Tarvo Entrada Digital Configurable CTRL] (Ajustable INTEGER, "
                    "TemporizadorAjustable BOOLEAN)");
        db->Execute("INSERT INTO [Tarvo Entrada Digital Configurable CTRL] VALUES (0, 0)");
        return ruta;
    }
};

// Looking tables and record counts up in the groups is walked by every New
// (ficheros_test: records cut to the model, tables the model lacks dropped).
TEST_F(TablasModelo, IndexListsStopAtTheirFirstZero) {
    const QString ruta = Modelo("(1, 2, '  Aparamenta CTRL ', 3, 8, 0, 5, 6), (0, 3, 'ANDs PROT', 4, 32, 7, 8, 0)");
    QList<EntradaGrupo> g;
    ASSERT_EQ(CargaGruposCONST(ins.ctx, ruta, g), 2);
    EXPECT_EQ(g[0].Tabla, "Aparamenta CTRL");
    auto primeros = [](const EntradaGrupo &e) { return QList<qint16>(e.Indices.begin(), e.Indices.begin() + 3); };
    EXPECT_EQ(primeros(g[0]), QList<qint16>({0, 0, 0}));   // not read past the 0
    EXPECT_EQ(primeros(g[1]), QList<qint16>({7, 8, 0}));

    // A missing model database is reported with text 529.
    ins.ui.Espera(ins.ctx.dic.Texto(529, 14, "").left(12));
    EXPECT_EQ(CargaGruposCONST(ins.ctx, a.DirectorioModelos + "NADA.MDB", g), 0);
    EXPECT_EQ(ins.Inesperados(), "");
}

TEST_F(TablasModelo, ThreeSwitchgearGiveSixTerminalsAndSixTimers) {
    Modelo("(1, 2, 'Aparamenta CTRL', 3, 8, 1, 0, 0), (1, 3, 'TiempoAperturaCierre CTRL', 6, 16, 2, 0, 0), "
           "(1, 7, 'TiempoEntradas CTRL', 2, 32, 1, 0, 0), (1, 12, 'Actuacion CTRL', 0, 64, 1, 0, 0)");
    a.BaseDatos = "PRUEBA.MDB";
    ASSERT_GT(CargaGruposCONST(ins.ctx, a.DirectorioModelos + a.BaseDatos, a.GruposCONST), 0);
    ASSERT_TRUE(bd::CopiaFichero(a.FicheroIdiomas, a.CopiaTrabajo));
    ASSERT_TRUE(CopiaGruposModelo(ins.ctx, a.CopiaTrabajo));
    EXPECT_EQ(ins.Inesperados(), "");

    const QString copia = a.CopiaTrabajo;
    EXPECT_EQ(prueba::Filas(copia, "SELECT TipoEntrada || NumeroOrden FROM [Entradas CTRL] ORDER BY Indice"),
              QStringList({"Apa1", "Apa4", "Apa2", "Apa5", "Apa3", "Apa6", "ED1", "ED2"}));
    EXPECT_EQ(prueba::Filas(copia, "SELECT Indice, TipoTemporizador, NumeroOrden, NombreAjuste, Configurable "
                                   "FROM [TiempoAperturaCierre CTRL] ORDER BY Indice"),
              QStringList({"1|Apertura|1|Interruptor|false", "2|Apertura|2|Aparamenta 2|true",
                           "3|Apertura|3|Aparamenta 3|true", "4|Cierre|1|Interruptor|false",
                           "5|Cierre|2|Aparamenta 2|true", "6|Cierre|3|Aparamenta 3|true"}));
    // Ajustable 0: no input timer may be set. Entities 0: no record kept.
    EXPECT_EQ(prueba::Filas(copia, "SELECT COUNT(*) FROM [TiempoEntradas CTRL] WHERE TemporizadorAjustable"),
              QStringList{"0"});
    EXPECT_EQ(prueba::Filas(copia, "SELECT COUNT(*) FROM [Actuacion CTRL]"), QStringList{"0"});
}

TEST_F(TablasModelo, AnOpenedConfigurationWithoutTheGraphicGainsTheTemplatesTable) {
    ASSERT_TRUE(bd::CopiaFichero(a.FicheroIdiomas, a.CopiaTrabajo));
    bd::BaseDatos::Abrir(a.CopiaTrabajo)->Execute("DROP TABLE [Grafico COMU]");
    ASSERT_TRUE(CompatibilizaGrafico(ins.ctx, a.CopiaTrabajo));
    auto db = bd::BaseDatos::Abrir(a.CopiaTrabajo);
    EXPECT_TRUE(ExisteTabla(*db, "Grafico COMU"));
    EXPECT_FALSE(ExisteTabla(*db, "grafico COMU"));   // names compare exactly
}

TEST_F(TablasModelo, ReceivedDataLoseThePerLanguageNameColumns) {
    ASSERT_TRUE(bd::CopiaFichero(a.FicheroIdiomas, a.CopiaRecepcion));
    auto db = bd::BaseDatos::Abrir(a.CopiaRecepcion);
    for (const QString &s : SentenciasBorraColumnasIdioma(*db, a.NombresIdiomas.size())) db->Execute(s);
    // Absent columns are skipped: a second pass has nothing left to drop.
    EXPECT_TRUE(SentenciasBorraColumnasIdioma(*db, a.NombresIdiomas.size()).isEmpty());
    for (const char *t : {"BitMando CTRL", "Eventos PROT", "TiempoPrevio CTRL"}) {
        auto rs = db->OpenRecordset(t, bd::TipoRecordset::Snapshot);
        EXPECT_TRUE(ExisteCampo(*rs, "NombreAjuste")) << t;
        EXPECT_FALSE(ExisteCampo(*rs, "NombreAjuste0")) << t;
        EXPECT_FALSE(ExisteCampo(*rs, "NombreAjuste1")) << t;
    }
    // LEDs keep theirs: they are not among the received tables that drop them.
    EXPECT_TRUE(ExisteCampo(*db->OpenRecordset("LEDs COMU", bd::TipoRecordset::Snapshot), "NombreAjuste1"));
}

}  // namespace
