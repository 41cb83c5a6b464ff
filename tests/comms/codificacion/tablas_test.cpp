// Whole tables of real configurations: the packers' and decoders' special
// cases and failures. That every table of every shipped model packs and
// decodes back into identical records: the round trip in transferencias_test.
#include "comms/codificacion/empaquetado.h"
#include "comms/codificacion/recepcion.h"
#include "configuracion_aleatoria.h"
#include "store/catalogo.h"
#include "store/ficheros.h"
#include "support/instalacion.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace tarvo;

namespace {

struct Configuracion : ::testing::Test {
    prueba::Instalacion ins;
    Aplicacion &a = ins.ctx.app;
    DatosCodificacion datos;

    void Nueva(const QString &modelo) {
        ins.ui.EsperaModelo(modelo);
        NuevaConfiguracion(ins.ctx, ins.v);
        ASSERT_EQ(ins.Inesperados(), "");
        ASSERT_TRUE(PreparaDatosRecepcion(ins.ctx, datos));
    }
    void Ejecuta(const QString &ruta, const QString &sql) { bd::BaseDatos::Abrir(ruta)->Execute(sql); }
    QList<qint32> Empaquetado(const QString &tabla) {
        return Empaqueta(*bd::BaseDatos::Abrir(a.CopiaTrabajo, bd::Apertura::SoloLectura), a, tabla);
    }
    // Decodes into the file as a reception does: "" or what went wrong.
    QString Decodifica(const QString &ruta, const QString &tabla, const QString &hex) {
        auto db = bd::BaseDatos::Abrir(ruta, bd::Apertura::Temporal);
        try {
            DecodificaEnTransaccion(*db, a, datos, tabla, hex);
            return {};
        } catch (const std::exception &e) {
            return QString::fromLocal8Bit(e.what());
        }
    }
};

}  // namespace

TEST_F(Configuracion, ControlInputsGoByTypeAndOnlyWhenTheCompanionTableIsInTheModel) {
    Nueva("TRV-610 **");
    // Each terminal tells its type by its code: ED 1, Orden 2, Apa 3, Pulsos 4.
    Ejecuta(a.CopiaTrabajo, "UPDATE [Entradas CTRL] SET Codificacion = CASE TipoEntrada WHEN 'ED' THEN '01' "
                            "WHEN 'Orden' THEN '02' WHEN 'Apa' THEN '03' ELSE '04' END");
    QByteArray bytes;
    for (const qint32 v : Empaquetado("Entradas CTRL")) bytes += QByteArray::fromHex(ValorAHex(v).toLatin1());
    EXPECT_EQ(bytes.left(24 + 10 + 12 + 4), QByteArray(24, 1) + QByteArray(10, 2) + QByteArray(12, 3) + QByteArray(4, 4));

    a.GruposCONST.removeIf([](const EntradaGrupo &e) { return e.Tabla == "EntradasPulsos CTRL"; });
    const QList<qint32> sinPulsos = Empaquetado("Entradas CTRL");
    EXPECT_EQ(sinPulsos.size(), 12);   // 46 bytes
    EXPECT_EQ(ValorAHex(sinPulsos.last()), "03030000");   // the last value zero-completed

    // Received without pulse inputs, the pulse terminals keep their names.
    const QString recepcion = ins.arbol.raiz.en("recepcion.cnf");
    ASSERT_TRUE(QFile::copy(a.CopiaTrabajo, recepcion));
    ASSERT_EQ(Decodifica(recepcion, "Entradas CTRL", QString("05").repeated(46) + "0000"), "");
    const QStringList filas = prueba::Volcado(recepcion, "Entradas CTRL");
    EXPECT_EQ(filas.filter("TipoEntrada=Pulsos").filter("NombreAjuste=" + ins.ctx.dic.Texto(530)).size(), 4);
    EXPECT_EQ(filas.filter("NombreAjuste=EC 5").size(), 46);
}

TEST_F(Configuracion, EventTextsStartAtTheirTypesSlots) {
    Nueva("TRV-610 **");
    for (EntradaGrupo &e : a.GruposCONST) {
        if (e.Tabla == "Eventos COMU") e.Entidades = 3;
        if (e.Tabla == "Eventos CTRL") e.Entidades = 5;
    }
    const QMap<QString, int> ranuras = RanurasTextoEventos(a);
    EXPECT_EQ(ranuras["comu"], 93);
    EXPECT_EQ(ranuras["cont"], 88);
    EXPECT_EQ(ranuras["prot"], 0);

    auto db = bd::BaseDatos::Abrir(a.CopiaTrabajo);
    // The types interleaved, as edits may leave them: each type's texts must
    // still land in its own slots.
    for (const char *sql : {"CREATE TABLE textos AS SELECT * FROM [TextoEventos COMU]", "DELETE FROM [TextoEventos COMU]",
                            "INSERT INTO [TextoEventos COMU] SELECT * FROM textos ORDER BY "
                            "ROW_NUMBER() OVER (PARTITION BY TipoTexto ORDER BY rowid), TipoTexto",
                            "DROP TABLE textos"})
        db->Execute(sql);
    // As many texts as the cut-down catalogue has events, and one control
    // text more kept aside.
    auto deja = [&](const char *tipo, int n) {
        db->Execute(QString("DELETE FROM [TextoEventos COMU] WHERE TipoTexto = '%1' AND rowid NOT IN (SELECT rowid FROM "
                            "[TextoEventos COMU] WHERE TipoTexto = '%1' ORDER BY rowid LIMIT %2)").arg(tipo).arg(n));
    };
    deja("cont", 6);
    db->Execute("CREATE TABLE aparte AS SELECT * FROM [TextoEventos COMU] WHERE rowid = "
                "(SELECT MAX(rowid) FROM [TextoEventos COMU] WHERE TipoTexto = 'cont')");
    deja("cont", 5);
    deja("comu", 3);
    for (const QString tipo : {"prot", "cont", "comu"})
        db->Execute("UPDATE [TextoEventos COMU] SET Codificacion = ? WHERE TipoTexto = ?", {TextoAHex(tipo.toUpper()), tipo});
    const QList<qint32> v = EmpaquetaTextoEventos(*db, a);
    EXPECT_EQ(ValorAHex(v[0]), "50524F54");     // "PROT"
    EXPECT_EQ(ValorAHex(v[528]), "434F4E54");   // "CONT" at slot 88
    EXPECT_EQ(ValorAHex(v[558]), "434F4D55");   // "COMU" at slot 93
    // A sixth control text would overwrite the first front-panel one.
    db->Execute("INSERT INTO [TextoEventos COMU] SELECT * FROM aparte");
    EXPECT_THROW(EmpaquetaTextoEventos(*db, a), TablaNoEnviable);

    // With the shipped catalogue the 96 slots are exactly full.
    for (EntradaGrupo &e : a.GruposCONST)
        if (e.Tabla == "Eventos COMU" || e.Tabla == "Eventos CTRL") e.Entidades = 32;
    EXPECT_EQ(EmpaquetaTextoEventos(*db, a).size(), 576);
}

// The display ends with an empty object and goes in blocks of its own; a short
// or broken stream writes nothing, a good display replaces the table.
TEST_F(Configuracion, TheDisplayGoesInBlocksOfItsOwnAndABrokenStreamWritesNothing) {
    Nueva("TRV-610 **");
    {
        auto db = bd::BaseDatos::Abrir(a.CopiaTrabajo);
        auto rs = db->OpenRecordset("Grafico COMU", bd::TipoRecordset::Tabla);
        for (ObjetoGrafico o : prueba::ObjetosDeMuestra(datos).mid(0, 7)) GrabaObjeto(*rs, o, true);
    }
    // Seven objects and the empty one, three values each: two blocks of 12.
    const QStringList solo{"Grafico COMU"};
    const QList<TablaEmpaquetada> p = EmpaquetaEnvio(*bd::BaseDatos::Abrir(a.CopiaTrabajo, bd::Apertura::SoloLectura), a, &solo);
    ASSERT_EQ(p.size(), 1);
    EXPECT_EQ(p[0].valores.size(), 24);
    EXPECT_EQ(p[0].valores.mid(21), QList<qint32>({0, 0, 0}));
    auto primeros = [](const std::array<qint16, 76> &plan, int n) { return QList<qint16>(plan.begin(), plan.begin() + n); };
    EXPECT_EQ(primeros(p[0].entrada.Indices, 3), QList<qint16>({12, 12, 0}));
    EXPECT_EQ(primeros(PlanBloquesGrafico(3), 2), QList<qint16>({12, 0}));   // a block is whole however few values
    EXPECT_THROW(PlanBloquesGrafico(12 * 76), ErrorCodificacion);

    const QStringList antes = prueba::Volcado(a.CopiaTrabajo, "Salidas CTRL");
    const QString completo = QString(16 * 12, 'F');
    for (const QString &malo : {completo.left(16 * 12 - 2), completo.left(101), QString(completo).replace(50, 1, 'Q')})
        EXPECT_NE(Decodifica(a.CopiaTrabajo, "Salidas CTRL", malo), "");
    EXPECT_EQ(prueba::Volcado(a.CopiaTrabajo, "Salidas CTRL"), antes);
    // An empty first Codificacion leaves no record length to cut by.
    Ejecuta(a.CopiaTrabajo, "UPDATE [ANDs PROT] SET Codificacion = '' WHERE Indice = 1");
    EXPECT_TRUE(Decodifica(a.CopiaTrabajo, "ANDs PROT", completo).contains("empty Codificacion"));

    // The received display replaces the table, and a cut object leaves it alone. Which objects
    // are kept and how they are numbered: objeto_test and the round trip in transferencias_test.
    Ejecuta(a.CopiaTrabajo, "INSERT INTO [Grafico COMU] (Identificador, apa, Codificacion) VALUES (9, 11, '0B04')");
    const QStringList grafico = prueba::Volcado(a.CopiaTrabajo, "Grafico COMU");
    const QString texto = "0B04" "41420000000000" "030C00";
    EXPECT_NE(Decodifica(a.CopiaTrabajo, "Grafico COMU", texto.left(20)), "");
    EXPECT_EQ(prueba::Volcado(a.CopiaTrabajo, "Grafico COMU"), grafico);
    ASSERT_EQ(Decodifica(a.CopiaTrabajo, "Grafico COMU", texto + "00000000"), "");
    const QStringList filas = prueba::Volcado(a.CopiaTrabajo, "Grafico COMU");
    ASSERT_EQ(filas.size(), 1);
    EXPECT_TRUE(filas[0].startsWith("Identificador=1|apaN2=21|apa=11|cpu=4|txt=AB|"));
}
