// The control input editors on the shipped models: the physical input list by
// mouse and by keyboard, what each editor saves, the digital filter time.
#include "editors/entradas.h"
#include "banco.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

using namespace tarvo;
using namespace prueba;

namespace {

void Elige(QListWidget *l, int fila) {
    l->scrollToItem(l->item(fila));
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(fila)).center());
}

// A digital input's name, time and code, then its input record's label and code.
const char *Digital = "SELECT t.NombreAjuste, TemporizadorEntradaControl, t.Codificacion, e.NombreAjuste, "
                      "e.Codificacion FROM [TiempoEntradas CTRL] t JOIN [Entradas CTRL] e ON t.Indice = NumeroOrden "
                      "WHERE TipoEntrada = 'ED' AND t.Indice = %1";

}  // namespace

class PruebaEntradas : public QObject {
    Q_OBJECT
private slots:
    // A click, and every key that moves the list's row: the label shown is what is saved.
    void lasEntradasDeAparamentaSeAsignanPorLaLista() {
        Banco b;
        auto e = b.Abre<cnt_EntradasAparamenta>();
        QVERIFY(e);
        QVERIFY(Hijo<QComboBox>(e.get(), "cmb_ListaNombreAjustes")->itemText(1).endsWith("- B"));
        auto *entradas = Hijo<QListWidget>(e.get(), "lst_EntradasControl");
        QCOMPARE(entradas->count(), 1 + 24);
        const QString nada = b.ins.ctx.dic.Texto(530);
        const struct {
            Qt::Key tecla;
            QString borna, codigo;
        } casos[] = {{Qt::Key_unknown, "EC 3", "03"}, {Qt::Key_Down, "EC 4", "04"}, {Qt::Key_Up, "EC 2", "02"},
                     {Qt::Key_End, "EC 24", "18"},    {Qt::Key_Home, nada, "00"},   {Qt::Key_S, nada, "00"}};
        for (const auto &c : casos) {
            Elige(entradas, 3);
            if (c.tecla != Qt::Key_unknown) QTest::keyClick(entradas, c.tecla);
            QCOMPARE(Hijo<QLabel>(e.get(), "txt_Borna")->text(), c.borna);
            e->GuardaCambios();
            e->Suspende();
            QCOMPARE(b.Filas("SELECT NombreAjuste, Codificacion FROM [Entradas CTRL] WHERE Indice = 1"),
                     QStringList{c.borna + "|" + c.codigo});
            e->Reanuda();
        }
    }

    // A name, a filter time where the box is shown, an input; what the tables hold after the save.
    void cadaEditorGuardaSuRegistro() {
        const struct {
            const char *modelo;
            int indice, registro;
            const char *nombre, *tiempo;
            int fila;
            const char *consulta, *guardado, *antes = nullptr, *aviso = nullptr;
        } casos[] = {
            {"TRV-610 **", 3, 2, "Disparo externo", "150", 12, Digital, "Disparo externo|150|9600|EC 12|0C"},
            {"TRV-610 **", 3, 17, "Presostato", nullptr, 24, Digital, "Presostato|20|1400|EC 24|18"},   // fixed
            // A fixed filter's hidden box holds its stored 20, and is still checked against its range.
            {"TRV-610 **", 3, 17, nullptr, nullptr, 7, Digital, "Entrada digital 17|20|1400|Sin asignar|00",
             "UPDATE [TiempoEntradas CTRL] SET Minimo = 50 WHERE Indice = 17", "Temporizador Entrada Digital"},
            {"TRV-610 **", 4, 3, "Contador energía", nullptr, 5,
             "SELECT p.NombreAjuste, e.NombreAjuste, e.Codificacion FROM [EntradasPulsos CTRL] p JOIN [Entradas CTRL] "
             "e ON p.Indice = NumeroOrden WHERE TipoEntrada = 'Pulsos' AND p.Indice = %1",
             "Contador energía|EC 5|05"},
            {"TRV-610 **", 5, 10, nullptr, nullptr, 1,
             "SELECT NombreAjuste, Codificacion FROM [Entradas CTRL] WHERE TipoEntrada = 'Orden' AND NumeroOrden = %1",
             "EC 1|01"},
            // 8 digital inputs, 4 of them settable, over 12 physical inputs.
            {"TRV-300 C*", 3, 5, "Muelle tensado", nullptr, 12, Digital, "Muelle tensado|20|1400|EC 12|0C"},
        };
        for (const auto &c : casos) {
            Banco b(c.modelo);
            if (c.antes) b.Ejecuta(c.antes);
            auto e = b.Abre("mnuAjusteControl", c.indice);
            QVERIFY2(e, c.modelo);
            e->SaltaARegistro(c.registro - 1);
            if (c.nombre) {
                Hijo<QLineEdit>(e.get(), "txt_NombreAjuste")->selectAll();
                Teclea(Hijo<QLineEdit>(e.get(), "txt_NombreAjuste"), c.nombre);
            }
            auto *tiempo = Hijo<QLineEdit>(e.get(), "txt_Temporizador");
            QCOMPARE(tiempo && !tiempo->isHidden(), c.tiempo != nullptr);
            if (c.tiempo) tiempo->setText(c.tiempo);
            Elige(Hijo<QListWidget>(e.get(), "lst_EntradasControl"), c.fila);
            if (c.aviso) b.ins.ui.Espera(c.aviso);
            e->GuardaCambios();
            QCOMPARE(b.ins.Inesperados(), QString());
            auto *lista = Hijo<QComboBox>(e.get(), "cmb_ListaNombreAjustes");
            if (c.nombre) QCOMPARE(lista->currentText(), QString(c.nombre));   // listed under its new name
            e->Suspende();
            QCOMPARE(b.Filas(QString(c.consulta).arg(c.registro)), QStringList{c.guardado});
        }
    }

    // TRV-300 allows no remote-terminal inputs and has no pulse inputs; TRV-420 has no control processor.
    void losMenusDeEntradasSiguenAlModelo() {
        const std::pair<const char *, const char *> casos[] = {
            {"TRV-610 **", "111"}, {"TRV-300 C*", "100"}, {"TRV-420 *", "000"}};
        for (const auto &[modelo, activas] : casos) {
            Banco b(modelo);
            QString hay;
            for (int i = 3; i <= 5; ++i)
                hay += b.ins.v.entradas.value(QString("mnuAjusteControl_%1").arg(i)) ? '1' : '0';
            QCOMPARE(hay, QString(activas));
        }
    }
};

QTEST_MAIN(PruebaEntradas)
#include "entradas_test.moc"
