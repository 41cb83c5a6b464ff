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
    void lasBarrasIgnoranValoresFueraDeRango() {
        prueba::Instalacion ins;
        MonitorQt m(ins.ctx.dic, nullptr);
        m.AbreProgreso("Enviando");
        QVERIFY(m.Progreso()->isVisible());
        QCOMPARE(m.Progreso()->windowTitle(), QString("Enviando"));
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
    }

    void laTrazaAcumulaYSeBorraPorCaja() {
        prueba::Instalacion ins;
        MonitorQt m(ins.ctx.dic, nullptr);
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

    void elDialogoDeErrorMuestraElMensaje() {
        prueba::Instalacion ins;
        CommError dlg("\r\nERROR 7", ins.ctx.dic);
        QCOMPARE(dlg.findChild<QLabel *>("lblMensaje")->text(), QString("\nERROR 7"));
        dlg.findChild<QPushButton *>("cmdOK")->click();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
    }

    void laIdentificacionSoloMuestraValoresYaDados() {
        prueba::Instalacion ins;
        IdentRele nuevo(-1, -1, ins.ctx.dic);
        QVERIFY(nuevo.findChild<QLineEdit *>("numrele")->text().isEmpty());
        QVERIFY(nuevo.findChild<QLineEdit *>("passrele")->text().isEmpty());
        IdentRele dado(7, 1234, ins.ctx.dic);
        QCOMPARE(dado.Textos().numero, QString("7"));
        QCOMPARE(dado.Textos().clave, QString("1234"));

        MonitorQt m(ins.ctx.dic, nullptr);
        QTimer::singleShot(0, [] {
            auto *w = QApplication::activeModalWidget();
            QTest::keyClicks(w->findChild<QLineEdit *>("numrele"), "12");
            QTest::keyClicks(w->findChild<QLineEdit *>("passrele"), "99");
            QTest::keyClick(w->findChild<QLineEdit *>("passrele"), Qt::Key_Return);   // Enter is OK
        });
        const auto r = m.PideIdentificacion(-1, -1);
        QVERIFY(r);
        QCOMPARE(r->numero, QString("12"));
        QCOMPARE(r->clave, QString("99"));
    }
};

QTEST_MAIN(PruebaVentanasComunicaciones)
#include "ventanas_test.moc"
