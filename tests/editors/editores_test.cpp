// The editor framework and the switchgear editor on real working copies.
#include "editors/editor_tabla.h"
#include "editors/fabrica.h"
#include "editors/teclas.h"
#include "store/catalogo.h"
#include "banco.h"
#include "support/teclado.h"

#include <QApplication>

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

using namespace tarvo;
using namespace prueba;

class PruebaEditores : public QObject {
    Q_OBJECT
private slots:
    // The switchgear editor walks the framework: arrows, undo, a name at its
    // limit, both records saved, the key filters, Tab order and time ranges.
    void laAparamentaNavegaDeshaceGuardaYFiltraLasTeclas() {
        Banco b;
        auto e = b.Abre("mnuAjusteControl", 0);
        QVERIFY(e);
        for (int i = 0; i < 5; ++i) e->AjusteSiguiente();
        QCOMPARE(Hijo<QLabel>(e.get(), "lbl_DisplayNumeroAjustes")->text(), QString("6/6"));
        QVERIFY(!Visible(e.get(), "btn_Next"));
        e->AjusteSiguiente();   // at the last record it only hides the arrow
        auto *nombre = Hijo<QLineEdit>(e.get(), "txt_NombreAjustes");
        const QString original = nombre->text();
        QTest::keyClicks(nombre, "X");
        QVERIFY(Visible(e.get(), "btn_SaveChanges") && Visible(e.get(), "btn_UndoChanges"));
        e->DeshaceCambios();
        QCOMPARE(nombre->text(), original);
        QVERIFY(!Visible(e.get(), "btn_SaveChanges"));
        QTest::keyClicks(nombre, "Y");   // moving away from an edit drops it without a question
        e->AjusteAnterior();
        e->AjusteSiguiente();
        QCOMPARE(nombre->text(), original);

        b.ins.ctx.app.ConfiguracionGuardada = true;
        Hijo<QLineEdit>(e.get(), "txt_TemporizadorCierre")->setText("350");
        Hijo<QCheckBox>(e.get(), "chk_AparamentaSeleccionada")->click();
        Hijo<QPushButton>(e.get(), "btn_contacto")->click();
        QCOMPARE(Hijo<QPushButton>(e.get(), "btn_contacto")->text(), QString("11"));
        nombre->selectAll();
        QTest::keyClicks(nombre, "Seccionador 89");
        QCOMPARE(Hijo<QCheckBox>(e.get(), "chk_AparamentaSeleccionada")->text(), QString("Seccionador 89"));
        e->GuardaCambios();
        QVERIFY(!b.ins.ctx.app.ConfiguracionGuardada);
        QVERIFY(Visible(e.get(), "pnl_Aviso") && !Visible(e.get(), "btn_SaveChanges"));
        e->Suspende();   // the working copy can be read from outside now
        QCOMPARE(b.Filas("SELECT Indice, NombreAjuste, Temporizador, AparamentaSeleccionada, EstadoTransicion, "
                         "Codificacion FROM [TiempoAperturaCierre CTRL] WHERE Indice IN (6, 12) ORDER BY Indice"),
                 QStringList({"6|Seccionador 89|200|true|1|C800", "12|Seccionador 89|350|true|1|5E01"}));
        // Switchgear 6: bit 5 of the in-use byte and of the transition byte.
        QCOMPARE(b.Filas("SELECT Codificacion FROM [Aparamenta CTRL]"), QStringList({"20002000"}));
        e->Reanuda();
        QCOMPARE(e->RegistroActual(), 6);
        QTest::keyClicks(nombre, "!");
        QVERIFY(!Visible(e.get(), "pnl_Aviso"));

        // A name stops at 23 characters.
        nombre->setText(QString(23, 'a'));
        nombre->setCursorPosition(23);
        QTest::keyClick(nombre, Qt::Key_Backspace);   // backspace at the limit says nothing
        QTest::keyClicks(nombre, "b");
        b.ins.ui.Espera(b.ins.ctx.dic.Texto(523));
        QTest::keyClicks(nombre, "c");
        QCOMPARE(nombre->text(), QString(22, 'a') + "b");
        nombre->setSelection(0, 1);   // a selection makes room, and the limit is still told
        b.ins.ui.Espera(b.ins.ctx.dic.Texto(523));
        QTest::keyClicks(nombre, "z");
        QCOMPARE(nombre->text(), "z" + QString(21, 'a') + "b");

        e->SaltaARegistro(0);
        QVERIFY(!Visible(e.get(), "btn_Previous") && Visible(e.get(), "btn_Next"));
        b.ins.ui.Espera(b.ins.ctx.dic.Texto(586));   // sending with no relay only tells
        Hijo<QPushButton>(e.get(), "SSCommand1")->click();
        QCOMPARE(b.ins.ui.Mostrados().last().icono, Icono::Critico);

        // Each filter where it refuses characters: a time, and names at their limit.
        QWidget ventana;
        auto *tiempo = new QLineEdit(&ventana);
        ValidaTeclaNumero(b.ins.ctx, tiempo);
        auto *ajuste = new QLineEdit(&ventana);
        ValidaTeclaNombre(b.ins.ctx, ajuste, false);
        auto *display = new QLineEdit(&ventana);
        ValidaTeclaNombre(b.ins.ctx, display, true);
        // The texts the desktop gives these keys.
        const struct {
            Qt::Key tecla;
            Qt::KeyboardModifiers modificadores;
            const char *texto;
        } teclas[] = {{Qt::Key_Tab, Qt::NoModifier, "\t"},       {Qt::Key_Backtab, Qt::ShiftModifier, "\t"},
                      {Qt::Key_Delete, Qt::NoModifier, "\x7f"},   {Qt::Key_Backspace, Qt::NoModifier, "\b"},
                      {Qt::Key_Return, Qt::NoModifier, "\r"},     {Qt::Key_Enter, Qt::KeypadModifier, "\r"},
                      {Qt::Key_Escape, Qt::NoModifier, "\x1b"},   {Qt::Key_Left, Qt::NoModifier, ""},
                      {Qt::Key_Right, Qt::ShiftModifier, ""},      {Qt::Key_Home, Qt::NoModifier, ""},
                      {Qt::Key_End, Qt::NoModifier, ""},           {Qt::Key_Shift, Qt::ShiftModifier, ""}};
        for (QLineEdit *caja : {tiempo, ajuste, display})
            for (const auto &t : teclas) {
                caja->setText(caja == tiempo ? QString("200") : QString(23, 'a'));
                QKeyEvent tecla(QEvent::KeyPress, t.tecla, t.modificadores, t.texto);
                QApplication::sendEvent(caja, &tecla);
            }

        e->AjusteSiguiente();   // record 1 is not configurable
        QCOMPARE(prueba::RecorridoTab(Hijo<QWidget>(e.get(), "cmb_ListaNombreAjustes")),
                 QStringList({"cmb_ListaNombreAjustes", "btn_Previous", "btn_Next", "txt_NombreAjustes",
                              "chk_AparamentaSeleccionada", "txt_TemporizadorApertura", "txt_TemporizadorCierre",
                              "chk_ContactoEntradas", "btn_contacto", "SSCommand1", "btn_Exit"}));

        // Times take digits only, and only within their range.
        auto *cierre = Hijo<QLineEdit>(e.get(), "txt_TemporizadorCierre");
        b.ins.ui.Espera(b.ins.ctx.dic.Texto(521));
        QTest::keyClicks(cierre, "1a");
        QCOMPARE(cierre->text().right(1), QString("1"));
        e->DeshaceCambios();

        // Out of range, nothing is written.
        auto *apertura = Hijo<QLineEdit>(e.get(), "txt_TemporizadorApertura");
        apertura->setText("5");
        e->MarcaCambios();
        b.ins.ui.Espera("Temporizador Apertura");
        e->GuardaCambios();
        QCOMPARE(b.ins.Inesperados(), QString());
        const QString mensaje = b.ins.ui.Mostrados().last().texto;
        QVERIFY(mensaje.contains("\r\r" + b.ins.ctx.dic.Texto(526) + "\r" + b.ins.ctx.dic.Texto(527) + " 30000\r" +
                                 b.ins.ctx.dic.Texto(528) + " 10"));
        QCOMPARE(apertura->text(), QString("200"));   // reloaded
        QVERIFY(!Visible(e.get(), "btn_SaveChanges"));

        cierre->clear();   // empty is refused too
        b.ins.ui.Espera("Temporizador Cierre");
        e->GuardaCambios();
        e->Suspende();
        QCOMPARE(b.Filas("SELECT Temporizador FROM [TiempoAperturaCierre CTRL] WHERE Indice IN (2, 8)"),
                 QStringList({"200", "200"}));

        // A table of one record has no arrows at all.
        b.Ejecuta("DELETE FROM [BitMando CTRL] WHERE Indice > 1");
        auto uno = b.Abre("mnuAjusteControl", 11);
        QVERIFY(!Visible(uno.get(), "btn_Previous") && !Visible(uno.get(), "btn_Next"));
    }

    // Gates, outputs and command bits as their menus open them: the terminal
    // label, a name at its 23-character limit, and the bytes of a group. The
    // tab of another group shows it cleared; its own tab restores it.
    void losEditoresDeGruposGuardanNombreGrupoYCodificacion() {
        const struct {
            const char *menu;
            int indice;
            const char *tabla;
            int registro;
            const char *bornas;
            int pestana;
            QList<int> mascaras, valores;
            const char *codificacion;
        } casos[] = {
            {"mnuAjusteProteccion", 1, "ANDs PROT", 1, "", 2, {0, 2}, {2}, "050002000400"},
            {"mnuAjusteProteccion", 2, "Salidas PROT", 2, "SP 2", 0, {3}, {}, "080000000000"},
            {"mnuAjusteControl", 8, "Salidas CTRL", 3, "SC 3", 1, {15}, {15}, "008001000080"},
            {"mnuAjusteControl", 11, "BitMando CTRL", 2, "", 3, {0, 1}, {}, "03000300"},
        };
        const QString nombre = "Puerta de nombre largo.";
        for (const auto &c : casos) {
            Banco b;
            auto e = b.Abre(c.menu, c.indice);
            QVERIFY2(e, c.tabla);
            for (int i = 1; i < c.registro; ++i) e->AjusteSiguiente();
            auto *bornas = e->findChild<QLabel *>("lbl_Bornas");
            QCOMPARE(bornas ? bornas->text() : QString(""), QString(c.bornas));
            auto *tabs = e->findChild<QTabBar *>();
            QCOMPARE(tabs->tabText(1), b.ins.ctx.dic.Texto(524, 2));
            tabs->setCurrentIndex(c.pestana);
            for (int m : c.mascaras) e->findChild<QCheckBox *>(QString("chk_mascara_%1").arg(m))->click();
            for (int v : c.valores) e->findChild<QPushButton *>(QString("btn_valor_%1").arg(v))->click();
            auto *caja = Hijo<QLineEdit>(e.get(), "txt_NombreAjustes");
            caja->selectAll();
            QTest::keyClicks(caja, nombre);
            e->GuardaCambios();
            QCOMPARE(Hijo<QComboBox>(e.get(), "cmb_ListaNombreAjustes")->itemText(c.registro - 1), nombre);
            auto *mascara = e->findChild<QCheckBox *>(QString("chk_mascara_%1").arg(c.mascaras.last()));
            auto valor = [&](int v) { return e->findChild<QPushButton *>(QString("btn_valor_%1").arg(v))->text(); };
            tabs->setCurrentIndex((c.pestana + 1) % tabs->count());   // not a change either
            QVERIFY(!mascara->isChecked() && !Visible(e.get(), "btn_SaveChanges"));
            for (int v : c.valores) QCOMPARE(valor(v), QString("0"));
            tabs->setCurrentIndex(c.pestana);
            QVERIFY(mascara->isChecked());
            for (int v : c.valores) QCOMPARE(valor(v), QString("1"));
            e->Suspende();
            QCOMPARE(b.Filas(QString("SELECT NombreAjuste, GrupoSenyal, Codificacion FROM [%1] WHERE Indice = %2")
                                 .arg(c.tabla)
                                 .arg(c.registro)),
                     QStringList{QString("%1|%2|%3").arg(nombre).arg(c.pestana).arg(c.codificacion)});
            QCOMPARE(b.ins.Inesperados(), QString());
        }
    }

    // The protection editors: an event's alarm text, an input's function.
    void unEventoDeAlarmaGuardaSuTextoYUnaEntradaSuFuncion() {
        Banco b;
        b.Ejecuta("UPDATE [Eventos PROT] SET Alarma = True WHERE Indice = 2");
        b.Ejecuta("UPDATE [TextoEventos COMU] SET Texto = 'Disparo' WHERE TipoTexto = 'prot' AND NumeroOrden = 2");
        auto e = b.Abre("mnuAjusteProteccion", 3);
        QVERIFY(e);
        auto *lista = Hijo<QComboBox>(e.get(), "cmb_ListaNombreAjustes");
        QCOMPARE(lista->itemText(1), QString("Disparo"));   // an alarm is listed by its text
        QVERIFY(Visible(e.get(), "frm_alarma"));
        QVERIFY(Hijo<QRadioButton>(e.get(), "Opt_Senyalizacion")->isChecked());

        auto *caja = Hijo<QLineEdit>(e.get(), "txt_NombreAjustes");
        caja->selectAll();
        Teclea(caja, "Añá¿");
        b.ins.ui.Espera(b.ins.ctx.dic.Texto(522));
        Teclea(caja, "é€");   // é is a display letter, € is not
        QCOMPARE(caja->text(), QString("Añá¿é"));
        QCOMPARE(b.ins.ui.Mostrados().last().icono, Icono::Critico);
        Hijo<QRadioButton>(e.get(), "Opt_Alarma")->click();
        e->findChild<QCheckBox *>("chk_mascara_15")->click();
        e->GuardaCambios();
        e->Suspende();
        // After a save every record is listed by its name.
        QCOMPARE(lista->itemText(1), b.Filas("SELECT NombreAjuste FROM [Eventos PROT] WHERE Indice = 2").value(0));
        QCOMPARE(b.Filas("SELECT NombreAjuste, Alarma, Codificacion FROM [Eventos PROT] WHERE Indice = 1"),
                 QStringList({"Añá¿é|true|00800000"}));
        QCOMPARE(b.Filas("SELECT TipoTexto, Texto, Codificacion FROM [TextoEventos COMU] WHERE NumeroOrden = 1 "
                         "ORDER BY TipoTexto"),
                 QStringList({"comu||" + QString(48, '0'), "cont||" + QString(48, '0'),
                              "prot|Añá¿é|41A4A0A882" + QString(38, '0')}));

        e->Reanuda();   // back to a plain signal: the text is emptied
        Hijo<QRadioButton>(e.get(), "Opt_Senyalizacion")->click();
        e->GuardaCambios();
        e->Suspende();
        QCOMPARE(b.Filas("SELECT Alarma, Texto, [TextoEventos COMU].Codificacion FROM [Eventos PROT] INNER JOIN "
                         "[TextoEventos COMU] ON [Eventos PROT].Indice = NumeroOrden "
                         "WHERE [Eventos PROT].Indice = 1 AND TipoTexto = 'prot'"),
                 QStringList({"false||" + QString(48, '0')}));

        e = b.Abre("mnuAjusteProteccion", 0);
        QVERIFY(e);
        e->AjusteSiguiente();
        QCOMPARE(Hijo<QLabel>(e.get(), "lbl_NombreEntrada")->text(),
                 Hijo<QComboBox>(e.get(), "cmb_ListaNombreAjustes")->itemText(1));
        auto *funciones = Hijo<QComboBox>(e.get(), "cmb_ListaValoresAsociados");
        funciones->setFocus();
        QTest::keyClick(funciones, Qt::Key_End);
        const int elegida = funciones->count() - 1;
        QVERIFY(Visible(e.get(), "btn_SaveChanges"));
        e->GuardaCambios();
        e->Suspende();
        const QString codigo = QString("%1").arg(elegida, 2, 16, QChar('0')).toUpper();
        QCOMPARE(b.Filas("SELECT ValorEntrada, ValorTextoEntrada, Codificacion FROM [Entradas PROT] WHERE Indice = 2"),
                 QStringList{QString("%1|%2|%3").arg(elegida).arg(funciones->itemText(elegida), codigo)});
        QCOMPARE(b.ins.Inesperados(), QString());
    }

    // TRV-300 has no event texts and 47 control signals.
    void sinTextosLosEventosNoTienenAlarmaYElUltimoGrupoEstaIncompleto() {
        Banco b("TRV-300 C*");
        b.Ejecuta("UPDATE [Eventos CTRL] SET Alarma = True WHERE Indice = 1");
        auto e = b.Abre("mnuAjusteControl", 9);
        QVERIFY(e);
        QVERIFY(!Visible(e.get(), "frm_alarma"));
        auto *tabs = e->findChild<QTabBar *>("tb_GrupoSenyales");
        QCOMPARE(tabs->count(), 3);
        tabs->setCurrentIndex(2);
        QVERIFY(!e->findChild<QCheckBox *>("chk_mascara_14")->text().isEmpty());
        QCOMPARE(e->findChild<QCheckBox *>("chk_mascara_15")->text(), QString());
        e->findChild<QCheckBox *>("chk_mascara_0")->click();
        e->GuardaCambios();
        e->Suspende();
        // The alarm flag is not this model's to write.
        QCOMPARE(b.Filas("SELECT Alarma, Codificacion FROM [Eventos CTRL] WHERE Indice = 1"),
                 QStringList({"true|01000200"}));
        QCOMPARE(b.ins.Inesperados(), QString());
    }

    void temporizadoresYTimeOutsSeCompruebanAntesDeEscribirNada() {
        Banco b;
        b.Ejecuta("UPDATE [TiempoPrevio CTRL] SET Configurable = False WHERE Indice = 2");
        auto e = b.Abre("mnuAjusteControl", 1);
        QVERIFY(e);
        auto *actuacion = Hijo<QLineEdit>(e.get(), "txt_TemporizadorActuacion");
        auto *fallo = Hijo<QLineEdit>(e.get(), "txt_TemporizadorFallo");
        auto *salida = Hijo<QLineEdit>(e.get(), "txt_TemporizadorSalida");
        auto rellena = [&](const char *a, const char *f, const char *s) {
            actuacion->setText(a);
            fallo->setText(f);
            salida->setText(s);
            e->MarcaCambios();
        };
        rellena("250", "4000", "5");   // the output time fails after two good ones
        b.ins.ui.Espera("Temporizador de Salida");
        e->GuardaCambios();
        QCOMPARE(actuacion->text(), QString("100"));
        rellena("250", "4000", "600");
        Hijo<QLineEdit>(e.get(), "txt_NombreAjustes")->setText("Apertura 52");
        e->GuardaCambios();
        e->AjusteSiguiente();   // shown but not editable
        QCOMPARE(actuacion->text(), QString("100"));
        QVERIFY(!actuacion->isEnabled() && !salida->isEnabled() && !Hijo<QLineEdit>(e.get(), "txt_NombreAjustes")->isEnabled());
        e.reset();
        QCOMPARE(b.Filas("SELECT p.NombreAjuste, TiempoActuacion, p.Codificacion, TiempoFallo, f.Codificacion, "
                         "TiempoSalida, s.Codificacion FROM [TiempoPrevio CTRL] p JOIN [TiempoFallo CTRL] f ON "
                         "f.Indice = p.Indice JOIN [TiempoSalida CTRL] s ON s.Indice = p.Indice WHERE p.Indice = 1"),
                 QStringList({"Apertura 52|250|FA00|4000|A00F|600|5802"}));

        e = b.Abre("mnuAjusteControl", 10);
        QCOMPARE(Hijo<QLabel>(e.get(), "lbl_Timeout")->text(), QString("Confirmacion 1"));
        auto *tiempo = Hijo<QLineEdit>(e.get(), "txt_Timeout");
        for (const char *fuera : {"61", "0", ""}) {
            tiempo->setText(fuera);
            b.ins.ui.Espera("Time Out");
            e->GuardaCambios();
        }
        QCOMPARE(b.ins.Inesperados(), QString());
    }

    // Each shipped model has its own event groups: six on TRV-610, two
    // protection and one front-panel group on TRV-420, one control and one
    // front-panel group on TRV-300 (no protection events to offer).
    void losLedsGuardanElGrupoDeSuPestanaEnCadaModelo() {
        const struct {
            const char *modelo;
            QList<int> grupos;
            int pestana;
            const char *primerEvento, *codificacion;   // the first event the tab offers; the LED's bytes
        } casos[] = {
            {"TRV-610 **", {0, 1, 2, 3, 4, 5}, 1, "SELECT NombreAjuste FROM [Eventos PROT] WHERE Indice = 17",
             "020001800200"},
            {"TRV-420 *", {0, 1, 5}, 2, "SELECT NombreAjuste FROM [Eventos COMU] WHERE Indice = 1", "020005800200"},
            {"TRV-300 C*", {4, 5}, 0, "SELECT NombreAjuste FROM [Eventos CTRL] WHERE Indice = 1", "020004800200"},
        };
        for (const auto &c : casos) {
            Banco b(c.modelo);
            const QString primero = b.Filas(c.primerEvento).value(0);
            auto e = b.Abre("mnuAjusteComunicacion", 1);
            QVERIFY2(e, c.modelo);
            auto *tabs = e->findChild<QTabBar *>("tb_GrupoSeñales");
            QCOMPARE(tabs->count(), c.grupos.size());
            tabs->setCurrentIndex(c.pestana);
            QCOMPARE(e->findChild<QCheckBox *>("chk_mascara_0")->text(), primero);
            e->findChild<QCheckBox *>("chk_mascara_1")->click();
            e->findChild<QPushButton *>("btn_valor_1")->click();
            Hijo<QRadioButton>(e.get(), "Opt_ManOn")->click();
            e->GuardaCambios();
            e.reset();
            QCOMPARE(b.Filas("SELECT GrupoSenyal, Mantenido, Parpadeo, Codificacion FROM [LEDs COMU] WHERE Indice = 1"),
                     QStringList{QString("%1|true|false|%2").arg(c.grupos[c.pestana]).arg(c.codificacion)});
            // Opened again, the LED is on the tab that stored it, masks and all.
            e = b.Abre("mnuAjusteComunicacion", 1);
            QCOMPARE(e->findChild<QTabBar *>()->currentIndex(), c.pestana);
            QVERIFY(e->findChild<QCheckBox *>("chk_mascara_1")->isChecked());
            QVERIFY(Hijo<QRadioButton>(e.get(), "Opt_ManOn")->isChecked());
            QCOMPARE(b.ins.Inesperados(), QString());
        }
    }
};

QTEST_MAIN(PruebaEditores)
#include "editores_test.moc"
