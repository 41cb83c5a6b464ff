// The communications' windows, offscreen.
#include "comms/ui/monitor_qt.h"
#include "support/instalacion.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace tarvo;

class PruebaVentanasComunicaciones : public QObject {
    Q_OBJECT
private slots:
    void elProgresoIgnoraValoresFueraDeRangoYLaTrazaSeBorraPorCaja() {
        prueba::Instalacion ins;
        QWidget principal;
        principal.show();
        MonitorQt m(ins.ctx.dic, &principal);
        m.AbreProgreso("Enviando");
        principal.setEnabled(false);   // as the main window is while a transfer runs
        QVERIFY(m.Progreso()->isVisible());
        QVERIFY(m.Progreso()->isEnabled());
        QCOMPARE(m.Progreso()->windowTitle(), QString("Enviando"));
        m.PonTabla("Eventos PROT");
        QCOMPARE(m.Progreso()->findChild<QLabel *>("lblTabla")->text(), ins.ctx.dic.Texto(3160, "Eventos PROT"));
        m.PerCntTot(40);
        m.PerCntCur(101);
        m.PerCntCur(-1);
        QCOMPARE(m.Progreso()->Total()->Valor(), 40);
        QCOMPARE(m.Progreso()->Actual()->Valor(), 0);
        m.PerCntCur(100);
        QCOMPARE(m.Progreso()->Actual()->Valor(), 100);
        m.CierraProgreso();
        QVERIFY(!m.Progreso()->isVisible());
        m.AbreProgreso("Recibiendo");   // a new transfer starts from zero
        QCOMPARE(m.Progreso()->Total()->Valor(), 0);
        QVERIFY(m.Progreso()->findChild<QLabel *>("lblTabla")->text().isEmpty());

        // An error met on the way can be answered; the line's CR LF shows as one break.
        bool habilitado = false;
        QString texto;
        QTimer::singleShot(0, [&] {
            auto *w = QApplication::activeModalWidget();
            habilitado = w->isEnabled();
            texto = w->findChild<QLabel *>("lblMensaje")->text();
            w->findChild<QPushButton *>("cmdOK")->click();
        });
        m.ErrorComunicacion("\r\nERROR 7");
        QVERIFY(habilitado);
        QCOMPARE(texto, QString("\nERROR 7"));

        // The trace adds to each box and each box is cleared on its own.
        principal.setEnabled(true);   // as after the transfer
        m.PonTraza(MonitorComunicaciones::Traza::Envio, "Enviar (byte a byte):\r\n");
        m.AnadeTraza(MonitorComunicaciones::Traza::Envio, "0000000A ");
        m.PonTraza(MonitorComunicaciones::Traza::Recepcion, "Recibir (byte a byte):\r\n");
        DebugCom *t = m.VentanaTraza();
        QVERIFY(t->isVisible());
        QVERIFY(t->findChild<QPlainTextEdit *>("txtEnviar")->toPlainText().endsWith("0000000A "));
        t->findChild<QPushButton *>("cmdBorrarEnviar")->click();
        QVERIFY(t->findChild<QPlainTextEdit *>("txtEnviar")->toPlainText().isEmpty());
        QVERIFY(!t->findChild<QPlainTextEdit *>("txtRecibir")->toPlainText().isEmpty());
    }

    void laIdentificacionMuestraLoDadoYSigueAbiertaSiSeRechaza() {
        prueba::Instalacion ins;
        IdentRele nuevo(-1, -1, ins.ctx.dic);
        QVERIFY(nuevo.findChild<QLineEdit *>("numrele")->text().isEmpty());
        QVERIFY(nuevo.findChild<QLineEdit *>("passrele")->text().isEmpty());

        // What is typed into an entered box replaces what it showed, whether
        // the box was entered as the dialog opened or by a click.
        IdentRele dado(1, 1234, ins.ctx.dic);
        dado.show();
        QApplication::setActiveWindow(&dado);
        QCoreApplication::processEvents();
        QTest::keyClicks(dado.findChild<QLineEdit *>("numrele"), "7");
        QTest::mouseClick(dado.findChild<QLineEdit *>("passrele"), Qt::LeftButton);
        QCoreApplication::processEvents();
        QTest::keyClicks(dado.findChild<QLineEdit *>("passrele"), "99");
        QCOMPARE(dado.Textos().numero, QString("7"));
        QCOMPARE(dado.Textos().clave, QString("99"));
        dado.close();

        // OK with texts the caller refuses keeps the dialog open with them.
        MonitorQt m(ins.ctx.dic, nullptr);
        QStringList vistos;
        const auto acepta = [&](const MonitorComunicaciones::Identificacion &t) {
            vistos << t.numero + "/" + t.clave;
            return t.numero != "300";
        };
        bool abierta = false;
        QTimer::singleShot(0, [&] {
            auto *w = QApplication::activeModalWidget();
            auto *numero = w->findChild<QLineEdit *>("numrele");
            QTest::keyClicks(numero, "300");
            QTest::keyClicks(w->findChild<QLineEdit *>("passrele"), "99");
            QTest::keyClick(numero, Qt::Key_Return);   // Enter is OK
            abierta = w->isVisible();
            numero->clear();
            QTest::keyClicks(numero, "12");
            QTest::keyClick(numero, Qt::Key_Return);
        });
        const auto r = m.PideIdentificacion(-1, -1, acepta);
        QVERIFY(abierta);
        QVERIFY(r);
        QCOMPARE(r->numero + "/" + r->clave, QString("12/99"));
        QCOMPARE(vistos, QStringList({"300/99", "12/99"}));
    }
};

QTEST_MAIN(PruebaVentanasComunicaciones)
#include "ventanas_test.moc"
