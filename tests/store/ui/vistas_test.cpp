// The model list and the general information view, offscreen.
#include "store/ficheros.h"
#include "store/informacion.h"
#include "store/ui/informacion_vista.h"
#include "store/ui/seleccion_modelo.h"
#include "support/instalacion.h"
#include "support/teclado.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace tarvo;

class PruebaVistas : public QObject {
    Q_OBJECT
private slots:
    void laListaDeModelosDevuelveLaLineaElegida() {
        prueba::Instalacion ins;
        SeleccionModelo dlg({"TRV-610 **", "TRV-420 *"}, true, &ins.ctx.dic);
        QCOMPARE(dlg.findChild<QLabel *>("lbl_Etiqueta")->text(), ins.ctx.dic.Texto(1051));
        auto *lista = dlg.findChild<QListWidget *>("lst_Modelos");
        QCOMPARE(lista->currentRow(), 0);
        lista->setCurrentRow(1);
        dlg.findChild<QPushButton *>("btn_Aceptar")->click();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.Elegido(), QString("TRV-420 *"));

        // A list that only explains cannot be accepted, not even by a double-click.
        SeleccionModelo explica({ins.ctx.dic.Texto(578)}, false, &ins.ctx.dic);
        QVERIFY(!explica.findChild<QPushButton *>("btn_Aceptar")->isEnabled());
        lista = explica.findChild<QListWidget *>("lst_Modelos");
        emit lista->itemDoubleClicked(lista->item(0));
        QVERIFY(explica.Elegido().isEmpty());
        explica.findChild<QPushButton *>("btn_Cancelar")->click();
        QCOMPARE(explica.result(), int(QDialog::Rejected));
    }

    void laInformacionGeneralSoloMarcaLosCambiosDeTexto() {
        prueba::Instalacion ins;
        ins.ui.EsperaModelo("TRV-610 **");
        NuevaConfiguracion(ins.ctx, ins.v);
        QVERIFY(ActualizaTablaVarios(ins.ctx, {"Norte", "L1", QString()}));
        ins.ctx.app.ConfiguracionGuardada = true;

        Informacion vista(ins.ctx, ins.v);
        vista.show();
        QVERIFY(vista.Carga());
        auto *aplicar = vista.findChild<QPushButton *>("cmdApply");
        auto *linea = vista.findChild<QLineEdit *>("Text2");
        auto *comentarios = vista.findChild<QPlainTextEdit *>("Text3");
        QCOMPARE(vista.findChild<QLineEdit *>("Text1")->text(), QString("Norte"));
        QCOMPARE(vista.findChild<QLineEdit *>("txtModeloRele")->text(), QString("TRV-610 **"));
        QCOMPARE(vista.findChild<QLineEdit *>("txtBaseDatos")->text(), QString("TRV610.MDB"));
        QVERIFY(!aplicar->isEnabled());

        QCOMPARE(prueba::RecorridoTab(vista.findChild<QLineEdit *>("txtFichero")),
                 QStringList({"txtFichero", "txtModeloRele", "txtBaseDatos", "Text1", "Text2", "Text3", "cmdClose"}));
        // Keys that move, select or change nothing.
        for (QWidget *caja : {static_cast<QWidget *>(linea), static_cast<QWidget *>(comentarios)})
            for (Qt::Key tecla : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End,
                                  Qt::Key_Shift, Qt::Key_Control, Qt::Key_Delete, Qt::Key_Tab})
                QTest::keyClick(caja, tecla);
        QVERIFY(!aplicar->isEnabled());
        QVERIFY(ins.ctx.app.ConfiguracionGuardada);

        linea->setFocus();
        linea->selectAll();
        QTest::keyClick(linea, Qt::Key_Delete);   // an emptied line is stored as ""
        QVERIFY(aplicar->isEnabled());
        QVERIFY(!ins.ctx.app.ConfiguracionGuardada);
        QTest::keyClicks(comentarios, "Revisado");
        aplicar->click();
        QVERIFY(!aplicar->isEnabled());
        const auto leido = CargaTablaVarios(ins.ctx);
        QVERIFY(leido);
        QCOMPARE(leido->Linea, QString(""));
        QCOMPARE(leido->Comentarios, QString("Revisado"));

        const int portadas = ins.v.portadas;
        vista.findChild<QPushButton *>("cmdClose")->click();
        QCOMPARE(ins.v.portadas, portadas + 1);
        QCOMPARE(ins.Inesperados(), QString());
    }

    void loQueNoSePudoLeerNoSeEscribe() {
        prueba::Instalacion ins;
        ins.ui.EsperaModelo("TRV-610 **");
        NuevaConfiguracion(ins.ctx, ins.v);
        QVERIFY(ActualizaTablaVarios(ins.ctx, {"Norte", "L1", "Revisado"}));
        Informacion vista(ins.ctx, ins.v);
        {
            // Another holder of the working copy (an editor) makes the read fail.
            auto ocupada = bd::BaseDatos::Abrir(ins.ctx.app.CopiaTrabajo, bd::Apertura::Temporal);
            ins.ui.AceptaAvisos(true);
            QVERIFY(!vista.Carga());
        }
        QVERIFY(!vista.findChild<QLineEdit *>("Text1")->isEnabled());
        vista.Aplica();
        QCOMPARE(CargaTablaVarios(ins.ctx)->Subestacion, QString("Norte"));
        QCOMPARE(CargaTablaVarios(ins.ctx)->Comentarios, QString("Revisado"));
    }
};

QTEST_MAIN(PruebaVistas)
#include "vistas_test.moc"
