// Configurations as text: export, import, check and convert on the shipped models.
#include "texto/herramientas_texto.h"
#include "texto/texto.h"

#include "comms/codificacion/registros.h"
#include "graphic/editor_grafico.h"
#include "store/catalogo.h"
#include "store/ficheros.h"
#include "store/tablas.h"
#include "support/instalacion.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace tarvo;

namespace {

struct Texto : ::testing::Test {
    prueba::Instalacion ins;
    Texto() { ins.ui.AceptaAvisos(true); }
    QString En(const QString &nombre) const { return ins.arbol.raiz.en(nombre); }

    // A new configuration of `modelo` saved as `nombre`.
    QString Nueva(const char *modelo, const QString &nombre) {
        ins.ui.EsperaModelo(modelo);
        NuevaConfiguracion(ins.ctx, ins.v);
        const QString ruta = En(nombre);
        QFile::remove(ruta);
        EXPECT_TRUE(QFile::copy(ins.ctx.app.CopiaTrabajo, ruta));
        return ruta;
    }
    QByteArray Exporta(const QString &fichero) { return ExportaTexto(ins.ctx, fichero).value_or(QByteArray()); }

    // A commissioned bay, written through the text: in every record of every
    // table a signal masked, a name, a time, a condition bit, a switchgear in use.
    QString Rellena(const char *modelo, const QString &nombre) {
        const QString base = Nueva(modelo, nombre + ".base");
        QJsonObject ajustes{{"Mascara2", true}, {"Valor2", true}, {"Parpadeo", true}, {"Contacto", true},
                            {"AparamentaSeleccionada", true}, {"Temporizador", 150}, {"TiempoActuacion", 150},
                            {"TiempoFallo", 150}, {"TiempoSalida", 150}, {"TemporizadorEntradaControl", 150},
                            {"Tiempo", 15}, {"ValorEntrada", 1}, {"Texto", "ALARMA Ñ"},
                            {"MascaraBitMando", "00000000000000A5"}};
        QJsonArray tablas;
        const QJsonDocument doc = QJsonDocument::fromJson(Exporta(base));
        for (const QJsonValue &t : doc.object().value("tables").toArray()) {
            QJsonArray registros;
            for (const QJsonValue &r : t.toObject().value("records").toArray()) {
                QJsonObject cambios;
                const QJsonObject campos = r.toObject();
                // What the model fixes is left alone, as the editors leave it.
                const auto fijo = [&](const char *c) { return campos.value(c).toObject().value("value") == false; };
                if (fijo("Configurable") || fijo("TemporizadorAjustable")) {
                    registros.append(QJsonObject());
                    continue;
                }
                for (const QString &c : campos.keys())
                    if (ajustes.contains(c)) cambios.insert(c, ajustes.value(c));
                // A LED's masked events need one of the model's LED groups (the
                // front panel's last, 5, in every model).
                const QJsonArray grupos = campos.value("GrupoSenyal").toObject().value("allowed").toArray();
                if (!grupos.isEmpty()) cambios.insert("GrupoSenyal", grupos.last());
                if (t.toObject().value("table") == "Entradas CTRL") cambios.insert("NombreAjuste", "EC 2");
                registros.append(cambios);
            }
            tablas.append(QJsonObject{{"table", t.toObject().value("table")}, {"records", registros}});
        }
        const QJsonObject texto{{"format", 1}, {"model", doc.object().value("model")}, {"tables", tablas},
                                {"information", QJsonObject{{"Subestacion", "Peñaflor"}}}};
        const QString ruta = En(nombre);
        const QList<Problema> p = ImportaTexto(ins.ctx, QJsonDocument(texto).toJson(), ruta);
        EXPECT_TRUE(p.isEmpty()) << DescribeProblema(p.value(0)).toStdString();
        auto db = bd::BaseDatos::Abrir(ruta);
        if (ExisteTabla(*db, TablaGrafico)) {
            auto rs = db->OpenRecordset(TablaGrafico, bd::TipoRecordset::Dynaset);
            ObjetoGrafico texto;
            texto.Identificador = 1, texto.apaN2 = 21, texto.txt = "BARRA", texto.x = 2, texto.y = 12;
            GrabaObjeto(*rs, texto, true);
        }
        return ruta;
    }
    // Each table's Codificacion column, in stored order.
    static QStringList Codificaciones(const QString &fichero) {
        auto db = bd::BaseDatos::Abrir(fichero, bd::Apertura::SoloLectura);
        QStringList c;
        for (const QString &t : db->TableNames())
            if (db->TableDef(t).campos.last().nombre == "Codificacion")
                for (auto rs = db->OpenRecordset(t, bd::TipoRecordset::Snapshot); !rs->AtEOF(); rs->MoveNext())
                    c << t + ": " + rs->Value("Codificacion").toString();
        return c;
    }
    QList<Problema> Comprueba(const QString &fichero) { return CompruebaFichero(ins.ctx, fichero).value(); }
};

std::string Lineas(const QList<Problema> &p) {
    QStringList l;
    for (const Problema &x : p) l << DescribeProblema(x);
    return l.join('\n').toStdString();
}

TEST_F(Texto, EveryModelGoesThroughTheTextAndBackUnchanged) {
    for (const char *modelo : {"TRV-610 **", "TRV-420 *", "TRV-300 C*"}) {
        SCOPED_TRACE(modelo);
        EXPECT_TRUE(Comprueba(Nueva(modelo, "nueva.cnf")).isEmpty());
        const QString a = Rellena(modelo, "a.cnf"), b = En("b.cnf");
        EXPECT_TRUE(Comprueba(a).isEmpty()) << Lineas(Comprueba(a));
        const QByteArray texto = Exporta(a);
        ASSERT_TRUE(texto.contains("\"Peñaflor\"") && texto.contains("\"EC 2\""));
        QFile::remove(b);
        ASSERT_TRUE(ImportaTexto(ins.ctx, texto, b).isEmpty());
        EXPECT_EQ(Exporta(b), texto);
        EXPECT_EQ(Codificaciones(b), Codificaciones(a));
    }
}

TEST_F(Texto, OneChangedSettingIsOneChangedLine) {
    const QString a = Rellena("TRV-610 **", "a.cnf"), b = En("b.cnf");
    const QString texto = QString::fromUtf8(Exporta(a));
    QString cambiado = texto;
    const QString de = "\"TiempoFallo\": {\"value\": 150";
    cambiado.replace(cambiado.indexOf(de), de.size(), "\"TiempoFallo\": {\"value\": 2500");
    const QList<Problema> p = ImportaTexto(ins.ctx, cambiado.toUtf8(), b);
    ASSERT_TRUE(p.isEmpty()) << Lineas(p);
    const QStringList antes = texto.split('\n'), despues = QString::fromUtf8(Exporta(b)).split('\n');
    ASSERT_EQ(antes.size(), despues.size());
    QStringList distintas;
    for (qsizetype i = 0; i < antes.size(); ++i)
        if (antes[i] != despues[i]) distintas << despues[i];
    EXPECT_EQ(distintas, QStringList{"          \"TiempoFallo\": {\"value\": 2500, \"min\": 100, \"max\": 30000}"});
}

// Each refused with its reason, naming the table and setting, and nothing written.
TEST_F(Texto, RefusedValuesAreToldAndNothingIsWritten) {
    const QByteArray texto = Exporta(Nueva("TRV-610 **", "a.cnf"));
    const auto cambia = [&](const char *de, const char *a) {
        QByteArray t = texto;
        const qsizetype i = t.indexOf(de);
        return i < 0 ? QByteArray() : t.replace(i, qsizetype(strlen(de)), a);
    };
    struct Caso {
        const char *que;
        QByteArray texto;
        QString tabla, ajuste;
        int motivo;
    };
    const Caso casos[] = {
        {"malformed JSON", texto.left(300), "", "", 3250},
        {"not a configuration", "[1, 2]", "", "", 3251},
        {"wrong model", cambia("TRV-610 ??", "TRV-999 ?"), "", "model", 3270},
        {"unknown table", cambia("\"Salidas PROT\"", "\"Salidas XYZ\""), "Salidas XYZ", "", 3252},
        {"unknown setting", cambia("\"Mantenido\":", "\"Mantenida\":"), "LEDs COMU", "Mantenida", 3253},
        {"out of range", cambia("\"TiempoFallo\": {\"value\": 3000", "\"TiempoFallo\": {\"value\": 30001"),
         "TiempoFallo CTRL", "TiempoFallo", 3254},
        {"bad input name", cambia("\"value\": \"Sin asignar\"", "\"value\": \"EC 25\""), "Entradas CTRL",
         "NombreAjuste", 3255},
        {"character the relay cannot show", cambia("\"Texto\": {\"value\": null", "\"Texto\": {\"value\": \"5 €\""),
         "TextoEventos COMU", "Texto", 3261},
        {"wrong type", cambia("\"Parpadeo\": {\"value\": false", "\"Parpadeo\": {\"value\": \"no\""), "LEDs COMU",
         "Parpadeo", 3256},
        {"fixed by the model", cambia("\"TipoEntrada\": {\"value\": \"Apa\"", "\"TipoEntrada\": {\"value\": \"ED\""),
         "Entradas CTRL", "TipoEntrada", 3264},
        {"time of a fixed breaker", cambia("\"Temporizador\": {\"value\": 200}", "\"Temporizador\": {\"value\": 300}"),
         "TiempoAperturaCierre CTRL", "Temporizador", 3264},
    };
    const QString destino = En("importada.cnf");
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.que);
        ASSERT_FALSE(c.texto.isEmpty());
        const QList<Problema> p = ImportaTexto(ins.ctx, c.texto, destino);
        ASSERT_EQ(p.size(), 1) << Lineas(p);
        EXPECT_EQ(p[0].tabla, c.tabla);
        EXPECT_EQ(p[0].ajuste, c.ajuste);
        // The dictionary text with its parameters filled in.
        QString patron = QRegularExpression::escape(ins.ctx.dic.Texto(c.motivo));
        patron.replace(QRegularExpression(R"(\\?#\d)"), ".*");
        EXPECT_TRUE(QRegularExpression("^" + patron + "$").match(p[0].motivo).hasMatch()) << p[0].motivo.toStdString();
        EXPECT_FALSE(QFile::exists(destino));
    }
}

TEST_F(Texto, ConvertingToTheSmallerModelAndBackKeepsWhatBothHave) {
    const QString a = Rellena("TRV-610 **", "a.cnf"), medio = En("420.cnf"), b = En("b.cnf");
    const std::optional<QList<Problema>> ida = ConvierteConfiguracion(ins.ctx, a, "TRV-420 *", medio);
    ASSERT_TRUE(ida.has_value());
    EXPECT_TRUE(Lineas(*ida).find("[Entradas CTRL]: ") != std::string::npos);   // the control CPU is dropped
    ASSERT_TRUE(ConvierteConfiguracion(ins.ctx, medio, "TRV-610 **", b).has_value());
    EXPECT_TRUE(Comprueba(medio).isEmpty() && Comprueba(b).isEmpty());

    // Every record the smaller model has comes back as it was.
    const auto lee = [&](const QString &fichero, const char *modelo) {
        Aplicacion app = ins.ctx.app;
        CargaGruposCONST(ins.ctx, app.DirectorioModelos + modelo, app.GruposCONST);
        return LeeConfiguracion(*bd::BaseDatos::Abrir(fichero, bd::Apertura::SoloLectura), app);
    };
    const ConfiguracionTexto antes = lee(a, "TRV610.MDB"), comun = lee(medio, "TRV420.MDB"),
                             despues = lee(b, "TRV610.MDB");
    EXPECT_EQ(antes.informacion, despues.informacion);
    int registros = 0;
    for (const TablaTexto &t : comun.tablas) {
        const auto de = [&](const ConfiguracionTexto &c) {
            return std::find_if(c.tablas.cbegin(), c.tablas.cend(), [&](const TablaTexto &x) { return x.tabla == t.tabla; });
        };
        for (qsizetype i = 0; i < t.registros.size(); ++i, ++registros) {
            const Fila &f = t.registros[i];
            // Event texts are numbered across kinds, differently in each model.
            const auto clave = [](const Fila &g) {
                return g.contains("TipoTexto") ? g.value("TipoTexto").toString() + g.value("NumeroOrden").toString()
                                               : g.value("Indice").toString();
            };
            const auto mismo = [&](const Fila &g) { return clave(g) == clave(f); };
            const auto ra = std::find_if(de(antes)->registros.cbegin(), de(antes)->registros.cend(), mismo);
            const auto rb = std::find_if(de(despues)->registros.cbegin(), de(despues)->registros.cend(), mismo);
            ASSERT_TRUE(ra != de(antes)->registros.cend() && rb != de(despues)->registros.cend());
            EXPECT_EQ(*ra, *rb) << t.tabla.toStdString() << " " << i;
        }
    }
    EXPECT_GT(registros, 100);
}

}  // namespace

// The Tools menu's commands on the open configuration, through the choosers
// and boxes the user sees; a send asks about problems with No as the default.
// The check finds a coding changed behind the program's back.
TEST_F(Texto, ToolsMenuCommandsWorkOnTheOpenConfiguration) {
    Nueva("TRV-610 **", "a.cnf");
    const QString &copia = ins.ctx.app.CopiaTrabajo;
    bd::BaseDatos::Abrir(copia, bd::Apertura::Temporal)
        ->Execute("UPDATE [TiempoFallo CTRL] SET Codificacion = '0000' WHERE Indice = 2");
    const auto ultimo = [&] { return ins.ui.Mostrados().last().texto; };
    CompruebaConfiguracionAbierta(ins.ctx, ins.v);
    EXPECT_EQ(ultimo(), ins.ctx.dic.Texto(3274, 1) + "\r\n[TiempoFallo CTRL] 2 Codificacion: " +
                            ins.ctx.dic.Texto(3266, "0000", "B80B"));
    for (const Boton b : {Boton::No, Boton::Si}) {
        ins.ui.Espera(ins.ctx.dic.Texto(3275), b);
        EXPECT_EQ(ConfirmaComprobacion(ins.ctx, copia), b == Boton::Si);
        EXPECT_EQ(ins.ui.Mostrados().last().predeterminado, Boton::No);
    }

    ins.ui.EsperaFichero(En("a.json"));
    ExportaComoTexto(ins.ctx, ins.v);
    QFile json(En("a.json"));
    ASSERT_TRUE(json.open(QIODevice::ReadOnly));
    EXPECT_EQ(json.readAll(), Exporta(copia));
    // Never over the open file, whose working copy would no longer match it.
    ins.ui.EsperaFichero(En("a.json"));
    ins.ui.EsperaFichero(ins.ctx.app.FicheroActual);
    ImportaDesdeTexto(ins.ctx, ins.v);
    EXPECT_EQ(ultimo(), ins.ctx.dic.Texto(3277));
    // Import rebuilds each Codificacion from its settings: the planted one is gone.
    ins.ui.EsperaFichero(En("a.json"));
    ins.ui.EsperaFichero(En("b.cnf"));
    ImportaDesdeTexto(ins.ctx, ins.v);
    EXPECT_EQ(ultimo(), ins.ctx.dic.Texto(3322, En("b.cnf")));
    EXPECT_TRUE(Comprueba(En("b.cnf")).isEmpty());

    ins.ui.EsperaModelo("TRV-420 *");
    ins.ui.EsperaFichero(En("c.cnf"));
    ConvierteAModelo(ins.ctx, ins.v);
    EXPECT_TRUE(ultimo().startsWith(ins.ctx.dic.Texto(3324, "TRV-420 *", En("c.cnf")))) << ultimo().toStdString();
    EXPECT_TRUE(Comprueba(En("c.cnf")).isEmpty());
    EXPECT_TRUE(ins.ui.Inesperados().isEmpty()) << ins.Inesperados().toStdString();
}
