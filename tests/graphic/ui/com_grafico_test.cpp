// The display graphic editor's window, offscreen, opened from its menu entry
// on a new configuration of the full model, with scripted dialogs.
#include "editors/fabrica.h"
#include "graphic/ui/com_grafico.h"
#include "graphic/ui/pinta_pagina.h"
#include "store/ficheros.h"
#include "support/instalacion.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace tarvo;

class ComGraficoTest : public QObject {
    Q_OBJECT

    QPoint Punto(com_Grafico &g, int fila, int col) {
        return RectanguloCelda(g.Rejilla()->Area(), fila, col).center().toPoint();
    }

private slots:
    void PlaceEditDeleteAndSwitchPage() {
        prueba::Instalacion ins;
        ins.ui.EsperaModelo("TRV-610 **");
        NuevaConfiguracion(ins.ctx, ins.v);
        std::unique_ptr<VistaEditor> vista(CreaVistaEditor(ins.ctx, ins.v, "mnuAjusteComunicacion", 2));
        auto *g = dynamic_cast<com_Grafico *>(vista.get());
        QVERIFY(g);
        DialogosGuionizados dlg;
        g->Logica().PonDialogos(dlg);
        g->resize(1100, 700);
        g->show();
        QVERIFY(QTest::qWaitForWindowExposed(g));
        QVERIFY(g->Carga());
        QVERIFY(ins.ui.Estados().join("|").contains(ins.ctx.dic.Texto(106)));
        QCOMPARE(ins.ui.Estado(), ins.ctx.dic.Texto(70));
        QCOMPARE(g->windowTitle(), ins.ctx.dic.Texto(2160));
        for (int t = 0; t < TiposGraficos; ++t) QVERIFY(g->BotonObjeto(t)->isEnabled());   // the full model
        QCOMPARE(g->BotonPulsado(), -1);

        // A breaker, from the model's fixed breaker: only the permission is asked.
        QTest::mouseClick(g->BotonObjeto(0), Qt::LeftButton);
        QCOMPARE(g->BotonPulsado(), 0);
        dlg.Responde("IntroducePermiso", {});
        auto *rejilla = g->Rejilla();
        QTest::mouseClick(rejilla, Qt::LeftButton, {}, Punto(*g, 5, 15));
        QCOMPARE(g->Logica().Objetos().size(), 1);
        QCOMPARE(g->Logica().Modelo().En(0, 5, 14).objeto, qint16(1));
        QCOMPARE(g->Logica().Objetos()[0].cpu & CpuOperable, CpuOperable);

        // Double click: the dialog shows the stored permission; operation forbidden.
        dlg.Responde("IntroducePermiso", [](ParametrosDialogo &p) { p.permiso = 0; });
        QTest::mouseDClick(rejilla, Qt::LeftButton, {}, Punto(*g, 6, 16));
        QCOMPARE(dlg.Preguntas().last().entrada.permiso, qint16(CpuOperable));
        QCOMPARE(g->Logica().Objetos()[0].cpu & CpuOperable, 0);

        // Delete at the cursor.
        rejilla->setFocus();
        QTest::keyClick(rejilla, Qt::Key_Delete);
        QVERIFY(g->Logica().Objetos().isEmpty());
        QCOMPARE(g->Logica().Modelo().En(0, 5, 14).objeto, qint16(0));
        QCOMPARE(rejilla->Cursor(), Celda({0, 6, 16}));

        // File commands: the working copy is let go and taken back; the next
        // placement below writes through the reopened table.
        vista->Suspende();
        QVERIFY(!ins.ctx.app.BaseTrabajoAbierta);
        vista->Reanuda();
        QVERIFY(ins.ctx.app.BaseTrabajoAbierta);

        // Pages.
        auto *siguiente = g->findChild<QPushButton *>("btn_Next");
        auto *anterior = g->findChild<QPushButton *>("btn_Previous");
        QVERIFY(!anterior->isEnabled());
        QTest::mouseClick(siguiente, Qt::LeftButton);
        QCOMPARE(g->PaginaActual(), 1);
        QVERIFY(!siguiente->isEnabled() && anterior->isEnabled());
        QCOMPARE(g->findChild<QLabel *>("lbl_DisplayNumeroAjustes")->text(), QString("2/2"));
        QCOMPARE(g->findChild<QLabel *>("Label1")->text(), ins.ctx.dic.Texto(2153));
        dlg.Responde("IntroducePermiso", {});
        QTest::mouseClick(rejilla, Qt::LeftButton, {}, Punto(*g, 0, 1));   // page 1 has no left margin
        QCOMPARE(g->Logica().Objetos().value(0).pag, qint16(1));
        emit g->findChild<QComboBox *>("cmb_ListaNombreAjustes")->activated(0);
        QCOMPARE(g->PaginaActual(), 0);
        QCOMPARE(g->findChild<QLabel *>("lbl_DisplayNumeroAjustes")->text(), QString("1/2"));

        // Export to PDF: the graphic number first (cancelling ends it), then the
        // file; the number given is proposed the next time.
        auto *pdf = g->findChild<QPushButton *>("btn_Pdf");
        QCOMPARE(pdf->text(), ins.ctx.dic.Texto(2191));
        dlg.Cancela("NumeroDeGrafico");
        QTest::mouseClick(pdf, Qt::LeftButton);
        dlg.Responde("NumeroDeGrafico", [](ParametrosDialogo &p) { p.txt = "5"; });
        const QString hoja = ins.arbol.raiz.en("grafico.pdf");
        ins.ui.EsperaFichero(hoja);
        QTest::mouseClick(pdf, Qt::LeftButton);
        QFile f(hoja);
        QVERIFY(f.open(QIODevice::ReadOnly) && f.read(4) == "%PDF");
        QCOMPARE(ins.ui.Estado(), ins.ctx.dic.Texto(70));
        dlg.Cancela("NumeroDeGrafico");
        g->ExportaPdf();
        QCOMPARE(dlg.Preguntas().last().entrada.txt, QString("5"));

        // Sending with no relay connected is refused.
        ins.ui.Espera(ins.ctx.dic.Texto(586));
        QTest::mouseClick(g->findChild<QPushButton *>("C1"), Qt::LeftButton);
        QVERIFY(ins.ui.Pendientes().isEmpty());
        QVERIFY(dlg.Pendientes().isEmpty());
        QVERIFY(dlg.Inesperados().isEmpty());
        QCOMPARE(ins.Inesperados(), QString());
    }
};

QTEST_MAIN(ComGraficoTest)
#include "com_grafico_test.moc"
