// The condition editors on working copies of the shipped models.
#include "banco.h"

#include <QComboBox>
#include <QListWidget>
#include <QTest>

using namespace prueba;

namespace {

QListWidget *Lista(QWidget *e, const char *nombre) { return Hijo<QListWidget>(e, nombre); }
void Alterna(QListWidget *l, int fila) { l->item(fila)->setSelected(!l->item(fila)->isSelected()); }

// Condition 1 requires command bit 5 to be 1.
const char *Bit5 = "UPDATE [Actuacion CTRL] SET MascaraBitMando = '0000000000000020', "
                   "ValorBitMando = '0000000000000020', ValorEstado = '0000' WHERE Indice = 1";
const char *Vacia = "0000000000000000|0000|0000000000000000|1111|000000000000000000000000000000000000" "1111";

}  // namespace

class PruebaCondiciones : public QObject {
    Q_OBJECT
private slots:
    // Condition 1 of the actuation editor saved after clicks in the three lists
    // (entries of lst_lista1, lst_lista2, then lst_lista3).
    void guardarEscribeMascarasValoresYCodificacion() {
        const struct { bool conBit5; QList<int> bits, estados, condicion; const char *fila; } casos[] = {
            {true, {5}, {}, {}, Vacia},
            {false, {5}, {}, {0},
             "0000000000000020|0000|0000000000000020|0000|2000000000000000" "0000" "2000000000000000" "0000"},
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
            for (int i : c.bits) Alterna(Lista(e.get(), "lst_lista1"), i);
            for (int i : c.estados) Alterna(Lista(e.get(), "lst_lista2"), i);
            for (int i : c.condicion) Alterna(Lista(e.get(), "lst_lista3"), i);
            QVERIFY(Visible(e.get(), "btn_SaveChanges"));
            e->GuardaCambios();
            e->Suspende();
            QCOMPARE(b.Filas("SELECT MascaraBitMando, MascaraEstado, ValorBitMando, ValorEstado, Codificacion "
                             "FROM [Actuacion CTRL] WHERE Indice = 1"),
                     QStringList{c.fila});
        }
    }

    // A signal taken out of the condition and put back keeps its value.
    void unaSenyalRetiradaRecuperaSuValor() {
        Banco b;
        b.Ejecuta(Bit5);
        auto e = b.Abre("mnuAjusteControl", 13);
        QListWidget *bits = Lista(e.get(), "lst_lista1"), *condicion = Lista(e.get(), "lst_lista3");
        QVERIFY(condicion->item(0)->isSelected());
        Alterna(bits, 5);
        QCOMPARE(condicion->count(), 0);
        Alterna(bits, 5);
        QCOMPARE(condicion->item(0)->text(), bits->item(5)->text());
        QVERIFY(condicion->item(0)->isSelected());
    }

    // The record list per model: k numbered conditions per manoeuvre, the
    // breaker's two manoeuvres by their suffixes, until the records or the
    // manoeuvres run out. TRV-420 has no control.
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
            QCOMPARE(Lista(e.get(), "lst_lista1")->count(), c.bits);
            QCOMPARE(Lista(e.get(), "lst_lista2")->count(), c.estados);
            QCOMPARE(b.ins.Inesperados(), QString());
        }
        Banco sinControl("TRV-420 *");
        for (const char *entrada : {"mnuAjusteControl_13", "mnuAjusteControl_14", "mnuAjusteControl_15"})
            QCOMPARE(sinControl.ins.v.entradas.value(entrada, true), false);
    }
};

QTEST_MAIN(PruebaCondiciones)
#include "condiciones_test.moc"
