// The control input and condition editors on the shipped models: the physical
// input list by mouse and by keyboard, what each editor saves, the digital
// filter time, the conditions' lists; the menus each model enables.
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

void Alterna(QListWidget *l, int fila) { l->item(fila)->setSelected(!l->item(fila)->isSelected()); }

// Condition 1 requires command bit 5 to be 1.
const char *Bit5 = "UPDATE [Actuacion CTRL] SET MascaraBitMando = '0000000000000020', "
                   "ValorBitMando = '0000000000000020', ValorEstado = '0000' WHERE Indice = 1";
const char *Vacia = "0000000000000000|0000|0000000000000000|1111|000000000000000000000000000000000000" "1111";
const char *SoloBit5 = "0000000000000020|0000|0000000000000020|0000|2000000000000000" "0000" "2000000000000000" "0000";

}  // namespace

class PruebaEntradas : public QObject {
    Q_OBJECT
private slots:
    // A click, and every key that moves the list's row: the label shown is what is saved.
    void lasEntradasDeAparamentaSeAsignanPorLaLista() {
        Banco b;
        auto e = b.Abre("mnuAjusteControl", 6);
        QVERIFY(e);
        QVERIFY(Hijo<QComboBox>(e.get(), "cmb_ListaNombreAjustes")->itemText(1).endsWith("- B"));
        auto *entradas = Hijo<QListWidget>(e.get(), "lst_EntradasControl");
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
            if (c.nombre)   // listed under its new name
                QCOMPARE(Hijo<QComboBox>(e.get(), "cmb_ListaNombreAjustes")->currentText(), QString(c.nombre));
            e->Suspende();
            QCOMPARE(b.Filas(QString(c.consulta).arg(c.registro)), QStringList{c.guardado});
        }
    }

    // The settings menus follow the model: TRV-300 allows no remote-terminal inputs
    // and has no pulse inputs nor protection; TRV-420 has no control processor.
    void losMenusSiguenAlModelo() {
        const std::pair<const char *, const char *> casos[] = {
            {"TRV-610 **", "1111111 1"}, {"TRV-300 C*", "1100111 0"}, {"TRV-420 *", "0000000 1"}};
        for (const auto &[modelo, activas] : casos) {
            Banco b(modelo);
            auto estado = [&](const QString &entrada) {
                return !b.ins.v.entradas.contains(entrada) ? '?' : b.ins.v.entradas[entrada] ? '1' : '0';
            };
            QString hay;
            for (int i : {0, 3, 4, 5, 13, 14, 15}) hay += estado(QString("mnuAjusteControl_%1").arg(i));
            hay += QString(" ") + estado("mnuAjusteProteccion_0");
            QCOMPARE(hay, QString(activas));
        }
    }

    // Condition 1 of the actuation editor saved after clicks in the three lists
    // (entries of lst_lista1, lst_lista2, then lst_lista3). A signal taken out
    // of the condition and put back keeps its value.
    void guardarEscribeMascarasValoresYCodificacion() {
        const struct { bool conBit5; QList<int> bits, estados, condicion; const char *fila; } casos[] = {
            {true, {5}, {}, {}, Vacia},
            {false, {5}, {}, {0}, SoloBit5},
            {true, {5, 5}, {}, {}, SoloBit5},
            {false, {5}, {1}, {1},   // bit 5 listed in the condition, unselected there
             "0000000000000020|0002|0000000000000000|0002|2000000000000000" "0200" "0000000000000000" "0200"},
            {false, {}, {4}, {}, Vacia},   // state 5 is renamed to blanks below: refused
        };
        for (const auto &c : casos) {
            Banco b;
            bd::BaseDatos::Abrir(b.ins.ctx.app.DirectorioModelos + b.ins.ctx.app.BaseDatos)
                ->Execute("UPDATE [Tarvo Estados Externos CTRL] SET Entrada = '  ' WHERE Indice = 5");
            if (c.conBit5) b.Ejecuta(Bit5);
            auto e = b.Abre("mnuAjusteControl", 13);
            for (int i : c.bits) Alterna(Hijo<QListWidget>(e.get(), "lst_lista1"), i);
            for (int i : c.estados) Alterna(Hijo<QListWidget>(e.get(), "lst_lista2"), i);
            for (int i : c.condicion) Alterna(Hijo<QListWidget>(e.get(), "lst_lista3"), i);
            QVERIFY(Visible(e.get(), "btn_SaveChanges"));
            e->GuardaCambios();
            e->Suspende();
            QCOMPARE(b.Filas("SELECT MascaraBitMando, MascaraEstado, ValorBitMando, ValorEstado, Codificacion "
                             "FROM [Actuacion CTRL] WHERE Indice = 1"),
                     QStringList{c.fila});
        }
    }

    // The record list per model: k numbered conditions per manoeuvre, the
    // breaker's two manoeuvres by their suffixes, until the records or the
    // manoeuvres run out.
    void laListaSigueALasManiobrasDeCadaModelo() {
        // Model, menu entry, preparation, total, bits, states, (position, label).
        const struct { const char *modelo; int indice; const char *prepara; int total, bits, estados;
                       QList<QPair<int, QString>> etiquetas; } casos[] = {
            {"TRV-610 **", 13, "", 40, 32, 15,
             {{0, "1 - Condición: Interruptor-1"}, {4, "1 - Condición: Interruptor-3"}, {9, "2 - Actuación: A89"}}},
            {"TRV-300 C*", 14, "DELETE FROM [TiempoPrevio CTRL] WHERE Indice = 4", 9, 16, 8,
             {{0, "1 - Condición: Interruptor-2"}, {5, "3 - Condición: Interruptor-4"}, {8, "3 - Condición: A89"}}},
            {"TRV-300 C*", 15, "DELETE FROM [Exito CTRL] WHERE Indice > 3", 3, 16, 8,
             {{0, "Éxito: Interruptor-5"}, {1, "Éxito: Interruptor-6"}, {2, "Éxito: A89"}}},
        };
        for (const auto &c : casos) {
            Banco b(c.modelo);
            b.Ejecuta("UPDATE [TiempoPrevio CTRL] SET NombreAjuste = 'A89' WHERE Indice = 3");
            if (*c.prepara) b.Ejecuta(c.prepara);
            auto e = b.Abre("mnuAjusteControl", c.indice);
            QCOMPARE(e->Total(), c.total);
            for (const auto &[posicion, etiqueta] : c.etiquetas)
                QCOMPARE(Hijo<QComboBox>(e.get(), "cmb_ListaNombreAjustes")->itemText(posicion), etiqueta);
            QCOMPARE(Hijo<QListWidget>(e.get(), "lst_lista1")->count(), c.bits);
            QCOMPARE(Hijo<QListWidget>(e.get(), "lst_lista2")->count(), c.estados);
            QCOMPARE(b.ins.Inesperados(), QString());
        }
    }
};

QTEST_MAIN(PruebaEntradas)
#include "entradas_test.moc"
