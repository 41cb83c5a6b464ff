// New, Open, Save and Save As through the working copy, for every shipped model.
#include "store/catalogo.h"
#include "store/ficheros.h"
#include "store/idioma_fichero.h"
#include "store/modelos.h"
#include "store/objetos_display.h"
#include "store/tablas.h"
#include "support/instalacion.h"

#include <QDate>
#include <QFile>

#include <gtest/gtest.h>

using namespace tarvo;
using prueba::Filas;

namespace {

QStringList Tablas(const QString &fichero) { return bd::BaseDatos::Abrir(fichero, bd::Apertura::SoloLectura)->TableNames(); }

// The file holds every table of `estan` and none of `faltan`.
void EsperaTablas(const QString &fichero, const QStringList &estan, const QStringList &faltan) {
    const QStringList tablas = Tablas(fichero);
    for (const QString &t : estan) EXPECT_TRUE(tablas.contains(t)) << t.toStdString();
    for (const QString &t : faltan) EXPECT_FALSE(tablas.contains(t)) << t.toStdString();
}

int Cuenta(const QString &fichero, const QString &tabla) {
    return Filas(fichero, "SELECT COUNT(*) FROM [" + tabla + "]").value(0).toInt();
}

struct Ficheros : ::testing::Test {
    prueba::Instalacion ins;
    Aplicacion &a = ins.ctx.app;

    // Every message a test expects, and no other.
    void TearDown() override { EXPECT_EQ(ins.Inesperados(), ""); }

    void Nuevo(const QString &linea) {
        ins.ui.EsperaModelo(linea);
        NuevaConfiguracion(ins.ctx, ins.v);
        ASSERT_EQ(ins.Inesperados(), "");
        ASSERT_TRUE(a.HayFicheroActual());
    }
    QString Guarda(const QString &nombre) {
        const QString ruta = a.DirectorioTrabajo + nombre;
        ins.ui.EsperaFichero(ruta);
        GuardaConfiguracion(ins.ctx, ins.v);
        return ruta;
    }
    void Abre(const QString &ruta) {
        ins.ui.EsperaFichero(ruta);
        AbreConfiguracion(ins.ctx, ins.v);
    }
    // A file of the work folder.
    QString Escribe(const QString &nombre, const QByteArray &bytes) {
        ins.arbol.raiz.escribe("tarvo32/work/" + nombre, bytes);
        return a.DirectorioTrabajo + nombre;
    }
    static QByteArray Lee(const QString &ruta) {
        QFile f(ruta);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(Ficheros, NewForTheFullModelBuildsTerminalsTimersAndEventTexts) {
    Nuevo("TRV-610 **");
    const QString copia = a.CopiaTrabajo;
    EXPECT_FALSE(a.ConfiguracionGuardada);   // a new configuration counts as unsaved
    EXPECT_EQ(a.BaseDatos, "TRV610.MDB");
    EXPECT_TRUE(ins.v.comandosFichero && ins.v.menusAjustes && ins.v.habilitada);
    EXPECT_EQ(ins.v.paneles[4], "default.cnf");

    // Template-only tables are gone; the four kept ones stay.
    EsperaTablas(copia, {"Modelo", "Varios", "Comunicaciones", "Version", "Grafico COMU", "TextoEventos COMU"},
                 {"Idioma", "CONST-Menu"});

    EXPECT_EQ(Cuenta(copia, "Entradas CTRL"), 12 + 10 + 24 + 4);
    // Terminals and timers as the model's derived-table steps lay them out.
    EXPECT_EQ(Filas(copia, "SELECT DISTINCT NombreAjuste, Codificacion FROM [Entradas CTRL]"),
              QStringList({"Sin asignar|00"}));

    // Records cut to the model; event texts one per remaining event.
    EXPECT_EQ(Cuenta(copia, "BitMando CTRL"), 32);
    EXPECT_EQ(Filas(copia, "SELECT TipoTexto, COUNT(*), MIN(NumeroOrden), MAX(NumeroOrden) FROM [TextoEventos COMU] "
                           "GROUP BY 1 ORDER BY 1"),
              QStringList({"comu|32|1|32", "cont|32|1|32", "prot|32|1|32"}));
    EXPECT_EQ(Filas(copia, "SELECT DISTINCT Codificacion FROM [TextoEventos COMU]"), QStringList({QString(48, '0')}));
    EXPECT_EQ(Filas(copia, "SELECT FechaCreacion = UltimaModificacion FROM Varios"), QStringList({"1"}));
}

// New over an unsaved configuration asks: Cancel keeps it, Yes saves it first.
TEST_F(Ficheros, NewForTheOtherModelsKeepsOnlyTheirCpus) {
    Nuevo("TRV-420 *");
    EsperaTablas(a.CopiaTrabajo, {"Eventos PROT"}, {"Entradas CTRL", "Grafico COMU"});
    EXPECT_EQ(Cuenta(a.CopiaTrabajo, "TextoEventos COMU"), 32 + 16);
    // A model without the optional tables gives empty lists and no message.
    EXPECT_TRUE(CargaMedidas(ins.ctx).isEmpty());
    EXPECT_TRUE(CargaEntradasSalidas(ins.ctx).isEmpty());
    EXPECT_TRUE(CargaEstadoEventosAparamenta(ins.ctx).maniobras.isEmpty());

    const QByteArray antes = Lee(a.CopiaTrabajo);
    ins.ui.Espera("default.cnf", Boton::Cancelar);
    NuevaConfiguracion(ins.ctx, ins.v);
    EXPECT_EQ(ins.ui.Mostrados().last().botones, Botones::SiNoCancelar);
    EXPECT_EQ(a.BaseDatos, "TRV420.MDB");
    EXPECT_EQ(Lee(a.CopiaTrabajo), antes);

    ins.ui.Espera("default.cnf", Boton::Si);
    ins.ui.EsperaFichero(a.DirectorioTrabajo + "primera.cnf");
    Nuevo("TRV-300 C*");
    EXPECT_EQ(Filas(a.DirectorioTrabajo + "primera.cnf", "SELECT Modelo FROM Modelo"), QStringList({"TRV-420 ?"}));
    EsperaTablas(a.CopiaTrabajo, {"Grafico COMU"}, {"Eventos PROT", "TextoEventos COMU"});
    EXPECT_EQ(Cuenta(a.CopiaTrabajo, "Entradas CTRL"), 4 + 4 + 8);
}

// A file without general information gains it on the save that works.
TEST_F(Ficheros, AFailedSaveKeepsTheConfigurationUnsavedAndSaveAsAsksBeforeReplacing) {
    Nuevo("TRV-420 *");
    bd::BaseDatos::Abrir(a.CopiaTrabajo)->Execute("DROP TABLE Varios");
    ins.ui.EsperaFichero(a.DirectorioTrabajo + "no/existe/x.cnf");
    ins.ui.Espera(ins.ctx.dic.Texto(501) + " x.cnf\r" + ins.ctx.dic.Texto(3133));
    GuardaConfiguracion(ins.ctx, ins.v);
    EXPECT_FALSE(a.ConfiguracionGuardada);
    EXPECT_EQ(a.FicheroActual, a.FicheroSinTitulo);
    const QString primero = Guarda("a.cnf");   // and it can be saved again
    EXPECT_EQ(primero, a.FicheroActual);
    const QStringList fecha = Filas(primero, "SELECT UltimaModificacion FROM Varios");
    ASSERT_EQ(fecha.size(), 1);
    EXPECT_TRUE(fecha[0].startsWith(QDate::currentDate().toString(Qt::ISODate)));

    // Save As asks before replacing and leaves the current file alone.
    const QString otro = Escribe("b.cnf", "anterior");
    ins.ui.EsperaFichero(otro);
    ins.ui.Espera("b.cnf", Boton::No);
    GuardaConfiguracionComo(ins.ctx, ins.v);
    EXPECT_EQ(Lee(otro), "anterior");

    ins.ui.EsperaFichero(otro);
    ins.ui.Espera("b.cnf", Boton::Si);
    GuardaConfiguracionComo(ins.ctx, ins.v);
    EXPECT_EQ(Tablas(otro), Tablas(primero));
    EXPECT_EQ(a.FicheroActual, primero);
    EXPECT_EQ(ins.v.paneles[4], "a.cnf");
}

TEST_F(Ficheros, SavingOverAnotherProgramsWriteAsksAndNoKeepsBoth) {
    Nuevo("TRV-420 *");
    const QString ruta = Guarda("compartido.cnf");
    LimpiaConfiguracion(ins.ctx, ins.v);
    Abre(ruta);
    const QString pregunta = ins.ctx.dic.Texto(3030, ruta);

    // Nobody else wrote it: saved without a word.
    a.ConfiguracionGuardada = false;
    GuardaConfiguracion(ins.ctx, ins.v);
    EXPECT_TRUE(a.ConfiguracionGuardada);

    // Another instance saves it. No, from Save and from the save New asks
    // for, leaves its write on disk and this configuration open and unsaved.
    bd::BaseDatos::Abrir(ruta)->Execute("UPDATE Varios SET Comentarios = 'del otro'");
    const QByteArray ajeno = Lee(ruta);
    a.ConfiguracionGuardada = false;
    ins.ui.Espera(pregunta, Boton::No);
    GuardaConfiguracion(ins.ctx, ins.v);
    ins.ui.Espera("compartido.cnf", Boton::Si);
    ins.ui.Espera(pregunta, Boton::No);
    NuevaConfiguracion(ins.ctx, ins.v);
    EXPECT_EQ(ins.Inesperados(), "");
    const Mensaje &m = ins.ui.Mostrados().last();
    EXPECT_EQ(m.icono, Icono::Pregunta);
    EXPECT_EQ(m.botones, Botones::SiNo);
    EXPECT_EQ(m.titulo, ins.ctx.T148());
    EXPECT_EQ(Lee(ruta), ajeno);
    EXPECT_FALSE(a.ConfiguracionGuardada);
    EXPECT_EQ(a.FicheroActual, ruta);

    // Yes replaces it; from then on the file is this program's own write.
    ins.ui.Espera(pregunta, Boton::Si);
    GuardaConfiguracion(ins.ctx, ins.v);
    EXPECT_EQ(Filas(ruta, "SELECT Comentarios FROM Varios"), QStringList({""}));
    EXPECT_TRUE(a.ConfiguracionGuardada);
    GuardaConfiguracion(ins.ctx, ins.v);
}

// An empty file, a database of another kind (no "Modelo") and a configuration
// whose model database is missing.
TEST_F(Ficheros, FilesThatCannotBeOpenedAsConfigurationsAreRefused) {
    auto AbreMalo = [&](const QString &ruta, const QString &fragmento) {
        ins.ui.Espera(fragmento);
        Abre(ruta);
        EXPECT_FALSE(a.HayFicheroActual()) << ruta.toStdString();
        EXPECT_FALSE(ins.v.comandosFichero);
    };
    const QString error = ins.ctx.dic.Texto(572, "", "").left(10);
    AbreMalo(Escribe("vacio.cnf", ""), error);
    bd::BaseDatos::Crear(a.DirectorioTrabajo + "otro.cnf")->Execute("CREATE TABLE Clientes (Nombre TEXT)");
    AbreMalo(a.DirectorioTrabajo + "otro.cnf", error);

    Nuevo("TRV-300 C*");
    const QString ruta = Guarda("sin modelo.cnf");
    LimpiaConfiguracion(ins.ctx, ins.v);
    QFile::remove(a.DirectorioModelos + "TRV300.MDB");
    AbreMalo(ruta, ins.ctx.dic.Texto(513, "TRV300.MDB", "TRV-300 C?"));
}

TEST_F(Ficheros, DefaultNamesFollowTheLanguageButUserNamesStay) {
    Nuevo("TRV-610 **");
    const QString copia = a.CopiaTrabajo;
    const QString espanol = Filas(copia, "SELECT NombreAjuste FROM [Salidas CTRL] WHERE Indice = 1")[0];
    bd::BaseDatos::Abrir(copia)->Execute("UPDATE [Salidas CTRL] SET NombreAjuste = ? WHERE Indice = 2", {"Disparo propio"});
    ins.ctx.dic.setIdioma(1);
    ASSERT_TRUE(PonIdiomaFichero(ins.ctx, copia));
    const QStringList ingles = Filas(copia, "SELECT NombreAjuste FROM [Salidas CTRL] WHERE Indice <= 2 ORDER BY Indice");
    EXPECT_NE(ingles[0], espanol);
    EXPECT_EQ(ingles[0], Filas(copia, "SELECT NombreAjuste1 FROM [Salidas CTRL] WHERE Indice = 1")[0]);
    EXPECT_EQ(ingles[1], "Disparo propio");
    EXPECT_EQ(Filas(copia, "SELECT DISTINCT NombreAjuste FROM [Entradas CTRL]"), QStringList({"Not assigned"}));
    EXPECT_EQ(Filas(copia, "SELECT NombreAjuste FROM [TiempoAperturaCierre CTRL] WHERE Indice = 2"),
              QStringList({"Switchgear 2"}));
}

// Every table of a configuration file, row by row.
QMap<QString, QStringList> Contenido(const QString &fichero) {
    QMap<QString, QStringList> m;
    for (const QString &t : Tablas(fichero)) m[t] = Filas(fichero, "SELECT * FROM [" + t + "] ORDER BY rowid");
    return m;
}

class IdaYVuelta : public Ficheros, public ::testing::WithParamInterface<const char *> {};

TEST_P(IdaYVuelta, NewSaveAndOpenKeepEveryRecordOfTheModel) {
    Nuevo(GetParam());
    const auto nuevo = Contenido(a.CopiaTrabajo);
    const auto grupos = a.GruposCONST;
    const QString ruta = Guarda("ida y vuelta.cnf");   // asks for the name once
    EXPECT_EQ(Contenido(ruta), nuevo);
    GuardaConfiguracion(ins.ctx, ins.v);   // a saved file is written again without asking

    LimpiaConfiguracion(ins.ctx, ins.v);
    Abre(ruta);
    EXPECT_EQ(a.FicheroActual, ruta);
    EXPECT_TRUE(a.ConfiguracionGuardada);
    EXPECT_EQ(a.NombreModelo, ModeloDePantalla(GetParam()));
    EXPECT_EQ(a.GruposCONST.size(), grupos.size());
    EXPECT_EQ(Contenido(a.CopiaTrabajo), nuevo);
}

INSTANTIATE_TEST_SUITE_P(ModelosEnviados, IdaYVuelta, ::testing::Values("TRV-610 **", "TRV-420 *", "TRV-300 C*"));

}  // namespace
