// A setting saved in its editor and sent from it reaches the relay.
#include "comms/envio.h"
#include "comms/transferencias.h"
#include "editors/aparamenta.h"
#include "rele_prueba.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace tarvo;

TEST(EnvioDesdeEditor, ASavedClosingTimeReachesTheRelay) {
    int argc = 1;
    char nombre[] = "editors_envio_tests";
    char *argv[] = {nombre};
    QApplication app(argc, argv);

    prueba::ReleEnLinea r;
    r.Arranca();
    r.Nuevo("TRV-610 **");
    r.Abre();
    r.a.EstadoConexion = 0;
    EditorTabla::FijaEnvio([&](Contexto &, const QStringList &tablas, const QString &titulo) {
        EnviaTablasEditor(*r.c, tablas, titulo);
    });

    cnt_Aparamenta editor(r.ins.ctx, r.ins.v);
    editor.show();
    ASSERT_TRUE(editor.Carga());
    editor.AjusteSiguiente();   // switchgear 2 of 6: its closing time is record 8
    editor.findChild<QLineEdit *>("txt_TemporizadorCierre")->setText("350");
    editor.GuardaCambios();

    r.ins.ui.Espera(r.Texto(583));
    editor.findChild<QPushButton *>("SSCommand1")->click();
    EXPECT_EQ(r.ins.Inesperados(), "");
    EXPECT_TRUE(r.monitor.errores.isEmpty());
    EXPECT_FALSE(r.monitor.progresoAbierto);
    EXPECT_TRUE(r.ins.v.habilitada);

    QString hex;
    ASSERT_TRUE(RecibeTabla(*r.c, "TiempoAperturaCierre CTRL", hex));
    EXPECT_EQ(hex.mid(7 * 4, 4), "5E01");   // 350, low byte first
    EXPECT_EQ(hex.mid(1 * 4, 4), "C800");   // its opening time kept 200
    EditorTabla::FijaEnvio({});
}
