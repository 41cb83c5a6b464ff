#include "core/diccionario.h"
#include "core/interaccion_guionizada.h"
#include "core/textos_ventanas.h"
#include "store/db/basedatos.h"
#include "support/carpeta_temporal.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

using namespace tarvo;

namespace {

// A language file with the given rows: (number, Spanish, English).
QString HazIdiomas(const prueba::CarpetaTemporal &dir, const QList<std::tuple<int, QVariant, QVariant>> &filas) {
    const QString ruta = dir.en("idiomas.dat");
    auto db = bd::BaseDatos::Crear(ruta);
    db->Execute("CREATE TABLE [Idioma] ([Indice] INTEGER, [Español] TEXT, [English] TEXT)");
    for (const auto &[n, es, en] : filas) db->Execute("INSERT INTO [Idioma] VALUES (?, ?, ?)", {n, es, en});
    return ruta;
}

struct Diccionario : ::testing::Test {
    prueba::CarpetaTemporal dir;
    InteraccionGuionizada ui;
    clsDiccionario dic{&ui};
    QStringList nombres, etiquetas;

    void Carga(const QList<std::tuple<int, QVariant, QVariant>> &filas) {
        ASSERT_TRUE(dic.CargarTextosIdiomas(HazIdiomas(dir, filas), nombres, etiquetas));
    }
};

TEST_F(Diccionario, LoadsTheTableReplacesEveryPlaceholderAndReportsUnreadableDataInFixedEnglish) {
    Carga({{1, "Uno", "One"}, {3, "Tres", QVariant()}, {7, "#1 y #2, otra vez #1", "x"}, {9999, "Esp", "Eng"}});
    EXPECT_EQ(nombres, QStringList({"Español", "English"}));
    EXPECT_EQ(etiquetas, QStringList({"Esp", "Eng"}));
    EXPECT_EQ(dic.Texto(7, "A", 5), "A y 5, otra vez A");
    EXPECT_EQ(dic.Texto(7), "#1 y #2, otra vez #1");
    // Text a parameter inserted is not scanned again.
    EXPECT_EQ(SustituyeParametros("<#1|#2>", {"#2", "b"}), "<#2|b>");
    EXPECT_EQ(SustituyeParametros("#1#1", {"#1"}), "#1#1");
    dic.setIdioma(1);
    EXPECT_EQ(dic.Texto(1), "One");
    EXPECT_EQ(dic.Texto(9999), "Eng");   // an ordinary number for lookup too
    EXPECT_EQ(dic.Texto(3), "");         // empty in one language, still found
    EXPECT_TRUE(ui.Mostrados().isEmpty());
    // A missing number is reported and yields the placeholder.
    ui.Espera("ERROR: The string number 5 doesn't exist.");
    EXPECT_EQ(dic.Texto(5), "You Should NEVER see this!");
    ASSERT_EQ(ui.Mostrados().size(), 1);
    EXPECT_EQ(ui.Mostrados()[0].titulo, "TARVO32");
    EXPECT_EQ(ui.Mostrados()[0].icono, Icono::Exclamacion);

    // Unreadable language data is reported in fixed English.
    dir.escribe("basura.dat", QByteArray(3000, '\x5a'));
    for (const QString &ruta : {dir.en("basura.dat"), dir.en("no-existe.dat")}) {
        ui.Espera("There was an error loading language texts.\r\n\r\nPlease do reinstall the software.");
        EXPECT_FALSE(dic.CargarTextosIdiomas(ruta, nombres, etiquetas));
    }
    EXPECT_TRUE(ui.Inesperados().isEmpty());
    EXPECT_EQ(ui.Mostrados().last().titulo, "TARVO32");
    EXPECT_EQ(ui.Mostrados().last().icono, Icono::Critico);
}

// Every text number the program uses, found in its sources and in the window
// caption lists, must exist in every language of the shipped data.
TEST(DiccionarioEnviado, EveryNumberTheProgramUsesExistsInEveryLanguage) {
    InteraccionGuionizada ui;
    clsDiccionario dic(&ui);
    QStringList nombres, etiquetas;
    ASSERT_TRUE(dic.CargarTextosIdiomas(prueba::FicheroPrograma("tarvo32.dat"), nombres, etiquetas));
    ASSERT_GE(dic.NumeroIdiomas(), 2);

    QSet<int> usados = {148, 70, 65, 9999};
    for (int p = 116; p <= 120; ++p) usados.insert(p);   // parity names, looked up by offset
    static const QRegularExpression llamada(R"(Texto\(\s*(\d+))");
    int ficheros = 0;
    for (const char *carpeta : {"core", "shell", "store", "comms", "texto", "editors", "graphic", "report", "tools"}) {
        QDirIterator it(QString(TARVO_SOURCE_DIR) + "/" + carpeta, {"*.cpp", "*.h"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            ++ficheros;
            auto m = llamada.globalMatch(QString::fromUtf8(f.readAll()));
            while (m.hasNext()) usados.insert(m.next().captured(1).toInt());
        }
    }
    ASSERT_GT(ficheros, 10);
    for (const QString &clave : ClavesConTextos())
        for (const AsignacionTexto &a : TextosVentana(clave)) usados.insert(a.texto);

    for (int idioma = 0; idioma < dic.NumeroIdiomas(); ++idioma)
        for (int n : usados)
            EXPECT_TRUE(dic.Existe(n, idioma)) << "text " << n << " missing in " << nombres[idioma].toStdString();
}

}  // namespace
