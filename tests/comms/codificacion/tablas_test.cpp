// Whole tables of real configurations: every table of every shipped model
// packs to its value stream and decodes back into identical records, and the
// packers' and decoders' special cases and failures.
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
    QString Copia(const QString &nombre) {
        const QString ruta = ins.arbol.raiz.en(nombre);
        QFile::remove(ruta);
        EXPECT_TRUE(QFile::copy(a.CopiaTrabajo, ruta));
        return ruta;
    }
    void Ejecuta(const QString &ruta, const QString &sql) { bd::BaseDatos::Abrir(ruta)->Execute(sql); }
    QList<qint32> Empaquetado(const QString &tabla, const QString &ruta = {}) {
        auto db = bd::BaseDatos::Abrir(ruta.isEmpty() ? a.CopiaTrabajo : ruta, bd::Apertura::SoloLectura);
        return Empaqueta(*db, a, tabla);
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
    const EntradaGrupo &Entrada(const QString &tabla) {
        for (const EntradaGrupo &e : a.GruposCONST)
            if (e.Tabla == tabla) return e;
        throw std::runtime_error("not in the catalogue");
    }
};

struct PorModelo : Configuracion, ::testing::WithParamInterface<const char *> {};

}  // namespace

// The backbone: random settings written by the layout rules, packed table by
// table, received into a pristine copy of the same model, compared record by record.
TEST_P(PorModelo, EveryTablePacksAndDecodesBackToIdenticalRecords) {
    Nueva(GetParam());
    // The event texts' types interleaved, as edits may leave them: each
    // type's texts must still land in its own slots.
    if (TablaEnModelo(a, "TextoEventos COMU")) {
        for (const char *sql : {"CREATE TABLE textos AS SELECT * FROM [TextoEventos COMU]", "DELETE FROM [TextoEventos COMU]",
                                "INSERT INTO [TextoEventos COMU] SELECT * FROM textos ORDER BY "
                                "ROW_NUMBER() OVER (PARTITION BY TipoTexto ORDER BY rowid), TipoTexto",
                                "DROP TABLE textos"})
            Ejecuta(a.CopiaTrabajo, sql);
    }
    const QString recepcion = Copia("recepcion.cnf");
    prueba::LlenaConfiguracion(a, datos, a.CopiaTrabajo, 77);

    QStringList comparadas;
    for (const EntradaGrupo &e : a.GruposCONST) {
        SCOPED_TRACE(e.Tabla.toStdString());
        QList<qint32> valores;
        ASSERT_TRUE(CargaAjustes(ins.ctx, a.CopiaTrabajo, e.Tabla, valores));
        if (BuscaTablaCodificada(e.Tabla)->empaquetador == Empaquetador::Ninguno) {
            EXPECT_TRUE(valores.isEmpty());
            continue;
        }
        int plan = 0;
        for (const qint16 n : e.Indices) plan += n;
        EXPECT_LE(valores.size(), plan) << "the catalogue's blocks do not carry the whole table";
        ASSERT_EQ(Decodifica(recepcion, e.Tabla, prueba::FlujoRecibido(valores, e)), "");
        comparadas << e.Tabla;
        if (e.Tabla == "Aparamenta CTRL") comparadas << "TiempoAperturaCierre CTRL";
    }
    EXPECT_EQ(ins.Inesperados(), "");
    for (const QString &t : comparadas) EXPECT_EQ(prueba::Volcado(recepcion, t), prueba::Volcado(a.CopiaTrabajo, t)) << t.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Modelos, PorModelo, ::testing::Values("TRV-610 **", "TRV-420 *", "TRV-300 C*"));

TEST_F(Configuracion, StreamsAreCodificacionBytesFourToAValueZeroCompleted) {
    Nueva("TRV-420 *");   // 10 one-byte protection inputs: the last value is padded
    Ejecuta(a.CopiaTrabajo, "UPDATE [Entradas PROT] SET Codificacion = printf('%02X', Indice)");
    const QList<qint32> v = Empaquetado("Entradas PROT");
    ASSERT_EQ(v.size(), 3);
    EXPECT_EQ(ValorAHex(v[0]), "01020304");
    EXPECT_EQ(ValorAHex(v[2]), "090A0000");
}

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
    EXPECT_EQ(ValorAHex(sinPulsos.last()), "03030000");

    // Received without pulse inputs, the pulse terminals keep their names.
    const QString recepcion = Copia("recepcion.cnf");
    QString hex;
    for (int i = 0; i < 46; ++i) hex += "05";
    ASSERT_EQ(Decodifica(recepcion, "Entradas CTRL", hex + "0000"), "");
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
    db->Execute("UPDATE [TextoEventos COMU] SET Codificacion = '" + TextoAHex("PROT") + "' WHERE TipoTexto = 'prot'");
    db->Execute("UPDATE [TextoEventos COMU] SET Codificacion = '" + TextoAHex("CONT") + "' WHERE TipoTexto = 'cont'");
    db->Execute("UPDATE [TextoEventos COMU] SET Codificacion = '" + TextoAHex("COMU") + "' WHERE TipoTexto = 'comu'");
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

TEST_F(Configuracion, TheGraphicEndsWithAnEmptyObjectAndRewritesItsBlocks) {
    Nueva("TRV-610 **");
    {
        auto db = bd::BaseDatos::Abrir(a.CopiaTrabajo);
        auto rs = db->OpenRecordset("Grafico COMU", bd::TipoRecordset::Tabla);
        const QList<ObjetoGrafico> muestra = prueba::ObjetosDeMuestra(datos);
        for (int i = 0; i < 7; ++i) {
            ObjetoGrafico o = muestra[i];
            GrabaObjeto(*rs, o, true);
        }
    }
    QList<qint32> v;
    ASSERT_TRUE(CargaAjustesDeTablaGrafico(ins.ctx, a.CopiaTrabajo, v));
    EXPECT_EQ(v.size(), 24);
    EXPECT_EQ(v.mid(21), QList<qint32>({0, 0, 0}));
    EXPECT_EQ(Entrada("Grafico COMU").Indices[0], 12);
    EXPECT_EQ(Entrada("Grafico COMU").Indices[1], 12);
    EXPECT_EQ(Entrada("Grafico COMU").Indices[2], 0);
    EXPECT_EQ(PlanBloquesGrafico(3)[0], 12);
    EXPECT_EQ(PlanBloquesGrafico(3)[1], 0);
    EXPECT_THROW(PlanBloquesGrafico(12 * 76), ErrorCodificacion);
}

TEST_F(Configuracion, ACodificacionThatIsNotHexadecimalStopsTheTable) {
    Nueva("TRV-610 **");
    Ejecuta(a.CopiaTrabajo, "UPDATE [Salidas CTRL] SET Codificacion = '0000XX000000' WHERE Indice = 3");
    Ejecuta(a.CopiaTrabajo, "UPDATE [LEDs COMU] SET Codificacion = '00000' WHERE Indice = 2");
    QList<qint32> v = {42};
    const clsDiccionario &dic = ins.ctx.dic;
    ins.ui.Espera(dic.Texto(3001, "Salidas CTRL", 3) + ": " + dic.Texto(3005));
    EXPECT_FALSE(CargaAjustesDeTabla(ins.ctx, a.CopiaTrabajo, "Salidas CTRL", v));
    ins.ui.Espera(dic.Texto(3001, "LEDs COMU", 2) + ": " + dic.Texto(3006, 5, 12));
    EXPECT_FALSE(CargaAjustes(ins.ctx, a.CopiaTrabajo, "LEDs COMU", v));
    EXPECT_EQ(v, QList<qint32>{42});
    EXPECT_EQ(ins.Inesperados(), "");
    ASSERT_EQ(ins.ui.Mostrados().size(), 2);
    EXPECT_EQ(ins.ui.Mostrados()[0].icono, Icono::Critico);
    EXPECT_EQ(ins.ui.Mostrados()[0].titulo, ins.ctx.dic.Texto(148));
}

TEST_F(Configuracion, AFileThatCannotBeOpenedIsReportedWithItsPath) {
    Nueva("TRV-610 **");
    const QString falta = ins.arbol.raiz.en("no-existe.cnf");
    QList<qint32> v;
    ins.ui.Espera(falta + ".");
    EXPECT_FALSE(CargaAjustesDeTabla(ins.ctx, falta, "LEDs COMU", v));
    EXPECT_EQ(ins.Inesperados(), "");
}

TEST_F(Configuracion, AShortOrBrokenStreamWritesNothing) {
    Nueva("TRV-610 **");
    const QStringList antes = prueba::Volcado(a.CopiaTrabajo, "Salidas CTRL");
    const QString completo = QString(16 * 12, 'F');
    for (const QString &malo : {completo.left(16 * 12 - 2), completo.left(101), QString(completo).replace(50, 1, 'Q')})
        EXPECT_NE(Decodifica(a.CopiaTrabajo, "Salidas CTRL", malo), "");
    EXPECT_EQ(prueba::Volcado(a.CopiaTrabajo, "Salidas CTRL"), antes);
    // Failures are reported under the reader's name.
    EXPECT_EQ(LectorDeTabla("Salidas CTRL"), "LeeSalidasCTRL");
    // An empty first Codificacion leaves no record length to cut by.
    Ejecuta(a.CopiaTrabajo, "UPDATE [ANDs PROT] SET Codificacion = '' WHERE Indice = 1");
    EXPECT_TRUE(Decodifica(a.CopiaTrabajo, "ANDs PROT", completo).contains("empty Codificacion"));
}

TEST_F(Configuracion, SwitchgearFlagsGoBackIntoBothTimersOfEachDevice) {
    Nueva("TRV-610 **");
    // Device 6 in use, device 1 from contacts, device 2 in transition "11".
    ASSERT_EQ(Decodifica(a.CopiaTrabajo, "Aparamenta CTRL", "20010200"), "");
    const QStringList filas = prueba::Volcado(a.CopiaTrabajo, "TiempoAperturaCierre CTRL");
    ASSERT_EQ(filas.size(), 12);
    for (int i : {5, 11}) EXPECT_TRUE(filas[i].contains("AparamentaSeleccionada=true")) << i;
    for (int i : {0, 6}) EXPECT_TRUE(filas[i].contains("Contacto=true")) << i;
    for (int i : {1, 7}) EXPECT_TRUE(filas[i].contains("EstadoTransicion=1")) << i;
    EXPECT_EQ(filas.filter("AparamentaSeleccionada=true").size(), 2);
    EXPECT_EQ(filas.filter("EstadoTransicion=1").size(), 2);
    EXPECT_EQ(prueba::Volcado(a.CopiaTrabajo, "Aparamenta CTRL").value(0), "Indice=1|Codificacion=20010200");
}

TEST_F(Configuracion, TheReceivedDisplayReplacesTheTableUpToTheEndObject) {
    Nueva("TRV-610 **");
    Ejecuta(a.CopiaTrabajo, "INSERT INTO [Grafico COMU] (Identificador, apa, Codificacion) VALUES (9, 11, '0B04')");
    const QString texto = "0B04" "41420000000000" "030C00";
    const QString sinFlag = "0B00" "41420000000000" "040C00";      // byte 1 without bit 2
    const QString desconocido = "FA04" "00000000000000" "050C00";  // no such code
    ASSERT_EQ(Decodifica(a.CopiaTrabajo, "Grafico COMU", texto + sinFlag + desconocido + texto + "00000000"), "");
    const QStringList filas = prueba::Volcado(a.CopiaTrabajo, "Grafico COMU");
    ASSERT_EQ(filas.size(), 2);
    EXPECT_TRUE(filas[0].startsWith("Identificador=1|apaN2=21|apa=11|cpu=4|txt=AB|"));
    EXPECT_TRUE(filas[1].startsWith("Identificador=2|"));
    // An object cut short is refused and the table stays.
    EXPECT_NE(Decodifica(a.CopiaTrabajo, "Grafico COMU", texto.left(20)), "");
    EXPECT_EQ(prueba::Volcado(a.CopiaTrabajo, "Grafico COMU"), filas);
    EXPECT_EQ(LectorDeTabla("Grafico COMU"), "LeeGraficoCOMU");
}
