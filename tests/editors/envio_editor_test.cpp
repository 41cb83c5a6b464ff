// A record saved in its editor and sent from it reaches the relay: one editor
// of each family, against the relay simulator.
#include "comms/envio.h"
#include "comms/transferencias.h"
#include "editors/editor_tabla.h"
#include "editors/fabrica.h"
#include "banco.h"
#include "rele_prueba.h"
#include "store/catalogo.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

#include <gtest/gtest.h>

#include <functional>

using namespace tarvo;
using prueba::Hijo;

TEST(EnvioDesdeEditor, ASavedRecordOfEachFamilyReachesTheRelay) {
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
    const struct {
        const char *menu;
        int indice;
        std::function<void(EditorTabla &)> edita;
        const char *tabla;
        int desde;   // hexadecimal digits before the bytes that tell
        QString bytes;
    } casos[] = {
        // Switchgear 2 of 6: its closing time is record 8; 350 goes low byte first.
        {"mnuAjusteControl", 0, [](EditorTabla &e) {
             e.AjusteSiguiente();
             Hijo<QLineEdit>(&e, "txt_TemporizadorCierre")->setText("350");
         }, "TiempoAperturaCierre CTRL", 7 * 4, "5E01"},
        {"mnuAjusteControl", 8, [](EditorTabla &e) {
             e.findChild<QTabBar *>()->setCurrentIndex(1);
             Hijo<QCheckBox>(&e, "chk_mascara_15")->click();
             Hijo(&e, "btn_valor_15")->click();
         }, "Salidas CTRL", 0, "008001000080"},
        {"mnuAjusteProteccion", 3, [](EditorTabla &e) {
             Hijo<QLineEdit>(&e, "txt_NombreAjustes")->setText("Añá");
             Hijo<QRadioButton>(&e, "Opt_Alarma")->click();
             Hijo<QCheckBox>(&e, "chk_mascara_15")->click();
         }, "Eventos PROT", 0, "00800000"},
        {"mnuAjusteProteccion", 0, [](EditorTabla &e) {
             Hijo<QComboBox>(&e, "cmb_ListaValoresAsociados")->setCurrentIndex(2);
             emit Hijo<QComboBox>(&e, "cmb_ListaValoresAsociados")->activated(2);
         }, "Entradas PROT", 0, "02"},
        {"mnuAjusteControl", 10, [](EditorTabla &e) { Hijo<QLineEdit>(&e, "txt_Timeout")->setText("60"); },
         "EsperaConfirmacion CTRL", 0, "3C00"},
        {"mnuAjusteComunicacion", 1, [](EditorTabla &e) {
             e.findChild<QTabBar *>()->setCurrentIndex(1);
             Hijo<QCheckBox>(&e, "chk_mascara_1")->click();
             Hijo(&e, "btn_valor_1")->click();
             Hijo<QRadioButton>(&e, "Opt_ManOn")->click();
         }, "LEDs COMU", 0, "020001800200"},
        // Failure condition 1: command bit 5 at 1, masks before values.
        {"mnuAjusteControl", 14, [](EditorTabla &e) {
             Hijo<QListWidget>(&e, "lst_lista1")->item(5)->setSelected(true);
             Hijo<QListWidget>(&e, "lst_lista3")->item(0)->setSelected(true);
         }, "Fallo CTRL", 0, "2000000000000000" "0000" "2000000000000000" "0000"},
        // Digital input 2 on EC 12: the digital inputs lead the control inputs.
        {"mnuAjusteControl", 3, [](EditorTabla &e) {
             e.AjusteSiguiente();
             Hijo<QListWidget>(&e, "lst_EntradasControl")->setCurrentRow(12);
         }, "Entradas CTRL", 0, "000C"},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.tabla);
        std::unique_ptr<EditorTabla> editor(CreaEditor(r.ins.ctx, r.ins.v, c.menu, c.indice));
        editor->show();
        ASSERT_TRUE(editor->Carga());
        c.edita(*editor);
        editor->GuardaCambios();
        r.ins.ui.Espera(r.Texto(583));
        editor->findChild<QPushButton *>("SSCommand1")->click();
        EXPECT_EQ(r.ins.Inesperados(), "");
        EXPECT_TRUE(r.monitor.errores.isEmpty());
        editor.reset();

        QString hex;
        ASSERT_TRUE(RecibeTabla(*r.c, c.tabla, hex));
        EXPECT_EQ(hex.mid(c.desde, c.bytes.size()), c.bytes);
    }
    // The alarm text went with its event, as the display's bytes.
    QString textos;
    ASSERT_TRUE(RecibeTabla(*r.c, "TextoEventos COMU", textos));
    EXPECT_TRUE(textos.contains(TextoAHex("Añá"))) << textos.toStdString();
    EditorTabla::FijaEnvio({});
}
