// The main window, its dialogs and its exit paths, driven offscreen with a
// scripted interaction.
#include "comms/comparacion.h"
#include "comms/ui/diferencias.h"
#include "editors/editor_tabla.h"
#include "shell/acerca_de.h"
#include "shell/ayuda.h"
#include "shell/interaccion_qt.h"
#include "shell/madre.h"
#include "shell/opciones.h"
#include "store/informacion.h"
#include "core/interaccion_guionizada.h"
#include "core/puertos.h"
#include "support/carpeta_temporal.h"
#include "support/pty.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>


#include <functional>
#include <memory>

using namespace tarvo;

namespace {

// Hands every modal window to `paso` once, as it appears (the options dialog
// of the first run, a box its chooser opens ...), for as long as it lives.
// A step must not wait for a window of its own.
class Vigia {
public:
    explicit Vigia(std::function<void(QWidget *)> paso) {
        QObject::connect(&reloj_, &QTimer::timeout, [this, paso] {
            QWidget *w = QApplication::activeModalWidget();
            if (!w || vistos_.contains(w)) return;
            vistos_.append(w);
            paso(w);
        });
        reloj_.start(10);
    }

private:
    QTimer reloj_;
    QList<QPointer<QWidget>> vistos_;
};

void Pulsa(QWidget *ventana, const char *boton) {
    auto *b = ventana->findChild<QAbstractButton *>(boton);
    QVERIFY(b);
    b->click();
}

// One started program: tree, interaction, context and main window.
struct Programa {
    prueba::ArbolPrograma arbol;
    InteraccionGuionizada ui;
    Contexto ctx{ui};
    std::unique_ptr<InstanciaUnica> instancia;
    std::unique_ptr<Madre> madre;
    prueba::Pty pty;

    explicit Programa(bool conPuerto = true, bool primeraVez = false) {
        FijaPrefijoDispositivos(arbol.raiz.en("sin-dispositivos/ttyS"));
        QDir().mkpath(arbol.programa + "/ports");
        QDir().mkpath(arbol.programa + "/work");
        if (conPuerto) QFile::link(pty.ruta, arbol.programa + "/ports/COM2");
        if (!primeraVez)
            arbol.raiz.escribe(
                "tarvo32/tarvo32.ini",
                "[COMMS]\r\nPuerto=2\r\nVelocidad=9600\r\nParidad=0\r\nLongitudPalabra=8\r\nBitsStop=0\r\n\r\n"
                "[DIRS]\r\nTrabajo=" +
                    arbol.programa.toUtf8() + "/work/\r\nModelos=" + arbol.modelos.toUtf8() + "\r\n\r\n");
        ui.AceptaAvisos(!conPuerto);   // message 600
        instancia = std::make_unique<InstanciaUnica>(arbol.programa);
        madre = std::make_unique<Madre>(ctx);
    }
    bool Arranca() { return madre->Carga(*instancia, arbol.programa, arbol.temporal); }
    template <typename T = QAction>
    T *Busca(const char *nombre) const {
        return madre->findChild<T *>(nombre);
    }
    QByteArray Ini() const { return arbol.raiz.lee("tarvo32/tarvo32.ini"); }
};

}  // namespace

class PruebaMadre : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { FijaPrefijoDispositivos("/dev/ttyS"); }

    // The first run shows the options; without ports the relay's functions are hidden.
    void laPrimeraVezSinPuertosSeMuestranLasOpcionesYSeOcultaElRele() {
        Programa p(false, true);
        QString titulo;
        Vigia vigia([&](QWidget *w) {
            titulo = w->windowTitle();
            Pulsa(w, "cmdOK");
        });
        QVERIFY(p.Arranca());
        QCOMPARE(titulo, QString("Tarvo32 Configuration Setup"));
        p.madre->show();
        QVERIFY(!p.Busca<QMenu>("mnuModoTrabajo")->menuAction()->isVisible());
        QVERIFY(!p.madre->Panel(5)->isVisible());
        for (const char *n : {"btnReleOnOff", "btnEnviarAjustes", "btnRecibirAjustes"}) QVERIFY2(!p.Busca(n)->isVisible(), n);
        QVERIFY(p.Busca("btnNuevo")->isVisible());
    }

    // Started in Spanish: menus, bar, panels, About and the help. The options
    // then change the language and browse for a folder, and keep what was not
    // touched: values the lists do not offer, a port not detected now.
    void arrancaEnEspanolYLasOpcionesCambianElIdiomaSinTocarLoDemas() {
        Programa p;
        const QByteArray ini = p.Ini()
                                   .replace("Puerto=2", "Puerto=9")
                                   .replace("Velocidad=9600", "Velocidad=1000")
                                   .replace("LongitudPalabra=8", "LongitudPalabra=5");
        p.arbol.raiz.escribe("tarvo32/tarvo32.ini", ini);
        QVERIFY(p.Arranca());
        QCOMPARE(p.madre->windowTitle(), QString("Tarvo32 v1.0.0"));
        QCOMPARE(p.Busca("btnNuevo")->toolTip(), p.ctx.dic.Texto(50));
        for (const char *n : {"mnuGuardar", "mnuGuardarComo", "mnuInformacion", "mnuCrearInforme", "btnGuardar"})
            QVERIFY2(!p.Busca(n)->isEnabled(), n);
        for (const char *n : {"mnuAjustesControl", "mnuAjustesProteccion", "mnuAjustesComunicacion"})
            QVERIFY2(!p.Busca<QMenu>(n)->isEnabled(), n);
        QCOMPARE(p.madre->Panel(4)->text(), QString("Sin fichero"));
        QCOMPARE(p.ui.Estado(), QString("Preparado"));

        Acerca_De dlg(p.ctx);
        QCOMPARE(dlg.findChild<QLabel *>("lblVersion")->text(), QString("v1.0.0"));
        QCOMPARE(dlg.findChild<QPlainTextEdit *>("txtDescription")->toPlainText(), p.ctx.dic.Texto(1002));
        p.ui.Espera("La información del sistema no está disponible en este momento");
        Pulsa(&dlg, "cmdSysInfo");

        p.Busca("mnuContenido")->trigger();
        auto *ayuda = p.madre->findChild<Ayuda *>();
        QVERIFY(ayuda && ayuda->isVisible());
        QVERIFY(ayuda->Navegador()->documentTitle().contains("Ayuda"));
        QFile::remove(p.arbol.programa + "/tarvo32.html");
        ayuda->close();
        p.ui.Espera("tarvo32.html");
        p.Busca("btnAyuda")->trigger();

        p.ui.EsperaCarpeta(std::nullopt);
        p.ui.EsperaCarpeta(p.arbol.raiz.en("nuevo"));
        {
            Vigia vigia([&](QWidget *w) {
                auto *caja = w->findChild<QLineEdit *>("txtWorkPath");
                auto *aplicar = w->findChild<QPushButton *>("cmdApply");
                const QString antes = caja->text();
                Pulsa(w, "cmdWorkPath");   // cancelled
                QCOMPARE(caja->text(), antes);
                QVERIFY(!aplicar->isEnabled());
                w->findChild<QRadioButton *>("Idiomas_1")->click();
                QVERIFY(aplicar->isEnabled());
                Pulsa(w, "cmdApply");
                QCOMPARE(w->findChild<QComboBox *>("cmbParidad")->itemText(1), QString("Odd"));
                QVERIFY(!aplicar->isEnabled());
                Pulsa(w, "cmdWorkPath");
                QCOMPARE(caja->text(), p.arbol.raiz.en("nuevo/"));
                QVERIFY(aplicar->isEnabled());
                Pulsa(w, "cmdCancel");
            });
            p.madre->MuestraOpciones();
        }
        QCOMPARE(p.Ini(), ini + "[IDIOMA]\r\nIdioma=1\r\n");
        QCOMPARE(p.ctx.app.DirectorioTrabajo, p.arbol.programa + "/work/");
        QCOMPARE(p.madre->Panel(5)->text(), QString("COM9;1000;5;N;1 "));
        QCOMPARE(p.Busca<QMenu>("mnuArchivo")->title(), QString("&File"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Cancel"));
        QCOMPARE(p.madre->Panel(4)->text(), QString("No file"));
        QCOMPARE(p.ui.Estado(), QString("Ready"));
        QVERIFY(!p.Busca("mnuContenido")->isEnabled());

        // The fifth panel opens the communications page alone.
        p.madre->show();
        QList<bool> activas;
        Vigia vigia([&](QWidget *w) {
            auto *tab = w->findChild<QTabWidget *>("TabOpciones");
            for (int i = 0; i < 3; ++i) activas << tab->isTabEnabled(i);
            auto *velocidad = w->findChild<QComboBox *>("cmbVelocidad");
            velocidad->setCurrentText("19200");
            emit velocidad->activated(velocidad->currentIndex());
            Pulsa(w, "cmdOK");
        });
        QTest::mouseDClick(p.madre->Panel(5), Qt::LeftButton);
        QCOMPARE(activas, QList<bool>({false, true, false}));
        QCOMPARE(p.madre->Panel(5)->text(), QString("COM9;19200;5;N;1 "));
        QVERIFY(p.Ini().contains("Velocidad=19200\r\n"));
        QVERIFY(p.ui.Inesperados().isEmpty());
    }

    void nuevoGuardarGuardarComoYAbrirDesdeLosMenus() {
        Programa p;
        QVERIFY(p.Arranca());
        p.ui.EsperaModelo("TRV-300 C*");
        p.Busca("btnNuevo")->trigger();
        QCOMPARE(p.madre->Panel(2)->text(), QString("TRV-300 C*"));
        for (const char *n : {"mnuGuardar", "btnGuardar", "mnuGuardarComo", "mnuInformacion", "mnuCrearInforme"})
            QVERIFY2(p.Busca(n)->isEnabled(), n);
        QVERIFY(!p.Busca("mnuAjusteControl_5")->isEnabled());   // this model has no remote-terminal inputs

        // Exit, Yes, and the file chooser cancelled: nothing ends, nothing is lost.
        p.madre->show();
        p.ui.Espera(p.ctx.dic.Texto(512).section("#1", 0, 0), Boton::Si);
        p.ui.EsperaFichero(std::nullopt);
        p.Busca("mnuSalir")->trigger();
        QVERIFY(p.madre->isVisible());
        QVERIFY(!p.ctx.app.ConfiguracionGuardada);
        QCOMPARE(p.madre->Panel(4)->text(), QString("default.cnf"));

        const QString ruta = p.ctx.app.DirectorioTrabajo + "campo.cnf";
        p.ui.EsperaFichero(ruta);
        p.Busca("mnuGuardar")->trigger();
        QCOMPARE(p.madre->Panel(4)->text(), QString("campo.cnf"));

        // Saving as over a file asks once, in the program's words (text 500, the path
        // as it is); the chooser offers "*.cnf" and speaks the program's language.
        const QString otro = p.ctx.app.DirectorioTrabajo + "Campo.cnf";
        p.arbol.raiz.escribe("tarvo32/work/Campo.cnf", "otro");
        InteraccionQt qt;
        qt.setDiccionario(&p.ctx.dic);
        p.ctx.ui = &qt;
        QString filtro, cancelar;
        QStringList preguntas;
        Vigia vigia([&](QWidget *w) {
            if (auto *dlg = qobject_cast<QFileDialog *>(w)) {
                filtro = dlg->selectedNameFilter();
                cancelar = dlg->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->text();
                // Typed, not selectFile(): that leaves the name alone once the box has focus.
                dlg->findChild<QLineEdit *>("fileNameEdit")->setText(otro);
                QMetaObject::invokeMethod(dlg, &QDialog::accept, Qt::QueuedConnection);
            } else if (auto *caja = qobject_cast<QMessageBox *>(w)) {
                preguntas << caja->text();
                caja->button(QMessageBox::Yes)->click();
            }
        });
        p.Busca("mnuGuardarComo")->trigger();
        p.ctx.ui = &p.ui;
        QVERIFY2(filtro.endsWith("(*.cnf)"), qPrintable(filtro));
        QCOMPARE(cancelar, QString("Cancelar"));
        QCOMPARE(preguntas, QStringList{p.ctx.dic.Texto(500, otro).replace("\r\n", "\n")});
        QCOMPARE(prueba::Filas(otro, "SELECT Modelo FROM Modelo"), QStringList{"TRV-300 C?"});

        p.ui.EsperaFichero(ruta);
        p.Busca("btnAbrir")->trigger();
        QCOMPARE(p.madre->VistaActual()->objectName(), QString("portada"));
        QVERIFY(p.ctx.app.ConfiguracionGuardada);
        QCOMPARE(p.ctx.app.FicheroActual, ruta);

        // Unsaved, the bar's Exit asks Yes/No/Cancel and Cancel stays; closing
        // asks only Yes/No; saved, the bar's Exit closes without a word.
        p.ctx.app.ConfiguracionGuardada = false;
        p.ui.Espera(ruta, Boton::Cancelar);
        p.Busca("btnSalir")->trigger();
        QVERIFY(p.madre->isVisible());
        QCOMPARE(p.ui.Mostrados().last().botones, Botones::SiNoCancelar);
        p.ui.Espera(ruta, Boton::No);
        p.madre->close();
        QVERIFY(!p.madre->isVisible());
        QCOMPARE(p.ui.Mostrados().last().botones, Botones::SiNo);
        p.madre->show();
        p.ctx.app.ConfiguracionGuardada = true;
        p.Busca("btnSalir")->trigger();
        QVERIFY(!p.madre->isVisible());
        QVERIFY(p.ui.Inesperados().isEmpty());
    }

    // Before the dictionary is loaded a box has no texts to ask for: asking
    // would report the miss through another box, and so on until the stack ends.
    void unAvisoSinDiccionarioNoSeLlamaASiMismo() {
        InteraccionQt qt;
        clsDiccionario vacio(&qt);
        qt.setDiccionario(&vacio);
        QStringList cajas;
        Vigia vigia([&](QWidget *w) {
            auto *caja = qobject_cast<QMessageBox *>(w);
            cajas << caja->text();
            caja->button(QMessageBox::Ok)->click();
        });
        QVERIFY(qt.Muestra({"Previous instance is already running", TituloFijo, Icono::Informacion, Botones::Aceptar}) ==
                Boton::Aceptar);
        vacio.Texto(140);   // a missing text is reported once
        QCOMPARE(cajas, QStringList({"Previous instance is already running", "ERROR: The string number 140 doesn't exist."}));
    }

    // With an editor open, Save, Tools' comparison, the general information
    // (with its fingerprint) and a new language use the working copy.
    void conElEditorAbiertoGuardarIdiomaEInformacionUsanLaCopiaDeTrabajo() {
        Programa p;
        QVERIFY(p.Arranca());
        QVERIFY(!p.Busca("mnuCompararFichero")->isEnabled());
        p.ui.EsperaModelo("TRV-610 **");
        p.Busca("mnuNuevo")->trigger();
        QVERIFY(ActualizaTablaVarios(p.ctx, {"Norte", "L1", QString()}));
        p.Busca("mnuAjusteControl_0")->trigger();
        auto *editor = qobject_cast<EditorTabla *>(p.madre->VistaActual());
        QVERIFY(editor);
        QCOMPARE(editor->objectName(), QString("cnt_Aparamenta"));
        editor->AjusteSiguiente();
        editor->findChild<QLineEdit *>("txt_TemporizadorCierre")->setText("350");
        editor->GuardaCambios();

        const QString ruta = p.ctx.app.DirectorioTrabajo + "cambio.cnf";
        p.ui.EsperaFichero(ruta);
        p.Busca("mnuGuardar")->trigger();   // the editor lets go of the copy around the file copy
        QVERIFY(p.ctx.app.ConfiguracionGuardada);
        QCOMPARE(prueba::Filas(ruta, "SELECT Temporizador FROM [TiempoAperturaCierre CTRL] WHERE Indice = 8"),
                 QStringList{"350"});
        editor->AjusteSiguiente();   // and works on afterwards
        QCOMPARE(editor->RegistroActual(), 3);

        // The comparison includes an edit not saved to the file yet.
        editor->findChild<QLineEdit *>("txt_TemporizadorCierre")->setText("400");
        editor->GuardaCambios();
        QString resumen;
        int filas = -1;
        Vigia diferencias([&](QWidget *w) {
            if (auto *d = qobject_cast<VentanaDiferencias *>(w)) {
                resumen = d->Resumen();
                filas = d->Tabla()->rowCount();
                d->reject();
            }
        });
        p.ui.EsperaFichero(ruta);
        p.Busca("mnuCompararFichero")->trigger();
        QCOMPARE(filas, 1);
        QCOMPARE(resumen, p.ctx.dic.Texto(3316, 1));

        // The general information is read once the editor has let go.
        p.Busca("mnuInformacion")->trigger();
        auto *informacion = p.madre->VistaActual();
        QCOMPARE(informacion->objectName(), QString("Informacion"));
        QCOMPARE(informacion->findChild<QLineEdit *>("Text1")->text(), QString("Norte"));
        QCOMPARE(informacion->findChild<QLineEdit *>("Text2")->text(), QString("L1"));
        const QString huella = informacion->findChild<QLineEdit *>("txtHuella")->text();
        QCOMPARE(huella, Huella(p.ctx, p.ctx.app.CopiaTrabajo));
        QVERIFY(huella.size() == 64 && huella != Huella(p.ctx, ruta));

        p.Busca("mnuAjusteControl_6")->trigger();
        QCoreApplication::processEvents();
        editor = qobject_cast<EditorTabla *>(p.madre->VistaActual());
        QCOMPARE(editor->objectName(), QString("cnt_EntradasAparamenta"));

        // A new language translates the copy's default names under the editor,
        // which then shows them, and its captions, in that language.
        auto *borna = editor->findChild<QLabel *>("txt_Borna");
        QCOMPARE(borna->text(), QString("Sin asignar"));
        {
            Vigia vigia([&](QWidget *w) {
                w->findChild<QRadioButton *>("Idiomas_1")->click();
                Pulsa(w, "cmdApply");
                Pulsa(w, "cmdCancel");
            });
            p.madre->MuestraOpciones();
        }
        QCOMPARE(borna->text(), QString("Not assigned"));
        QCOMPARE(editor->findChild<QListWidget *>("lst_EntradasControl")->item(0)->text(), QString("Not assigned"));
        QCOMPARE(editor->findChild<QLabel *>("lbl_Borna")->text(), QString("Assigned input"));
        QVERIFY(p.ui.Inesperados().isEmpty());
    }

};

QTEST_MAIN(PruebaMadre)
#include "madre_test.moc"
