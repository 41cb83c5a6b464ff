// Two configurations compared setting by setting, with the packed bytes as
// the final word, and the fingerprint of what a file packs to.
#include "comms/comparacion.h"
#include "graphic/editor_grafico.h"
#include "graphic/objeto.h"
#include "store/ficheros.h"
#include "support/instalacion.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace tarvo;

namespace {

// One change of b in each table family (the switchgear's one record, the
// second record of the others) is the only difference; display objects pair
// up by their Identificador.
TEST(Comparaciones, OneChangedSettingOfEachFamilyIsTheOnlyDifference) {
    struct Caso {
        const char *tabla, *cambio;
        int registro;   // 0: the table, as a block; -1: equal
        const char *nombre, *ajuste, *valorA, *valorB;
    };
    const Caso casos[] = {
        {"ANDs PROT", "SET Codificacion='040000000000' WHERE rowid=2", 2, "Puerta AND 2", "Mascara3", "0", "1"},
        {"Eventos PROT", "SET Codificacion='00000300' WHERE rowid=2", 2, "Evento proteccion 2", "GrupoSenyal", "0", "3"},
        {"LEDs COMU", "SET Codificacion='000000400000' WHERE rowid=2", 2, "Piloto 2", "Parpadeo", "0", "1"},
        {"Entradas PROT", "SET Codificacion='02' WHERE rowid=2", 2, "Entrada proteccion 2", "ValorEntrada", "0 (", "2 ("},
        {"Entradas CTRL", "SET Codificacion='05' WHERE rowid=2", 2, "Apa 7", "NombreAjuste", "Sin asignar", "EC 5"},
        {"Aparamenta CTRL", "SET Codificacion='01000000'", 1, "", "Seleccion", "0", "1"},
        {"Actuacion CTRL", "SET Codificacion='0100000000000000000000000000000000001111' WHERE rowid=2", 2,
         "Actuacion 2", "MascaraBitMando", "0000000000000000", "0000000000000001"},
        {"TiempoPrevio CTRL", "SET Codificacion='C800' WHERE rowid=2", 2, "Cerrar interruptor", "TiempoActuacion", "100",
         "200"},
        {"TextoEventos COMU", "SET Codificacion='41'||substr(Codificacion,3) WHERE rowid=2", 2, "prot 2", "Texto", "", "A"},
        {"Grafico COMU", "SET Codificacion=substr(Codificacion,1,18)||'05'||substr(Codificacion,21) WHERE rowid=2", 2,
         "Texto", "x", "4", "5"},
        {"Grafico COMU", "WHERE rowid=2", 2, "Texto", "", "apa=11, cpu=4", ""},   // b has one object less
        // Objects pair by Identificador: the one that follows a removed one is no difference.
        {"Grafico COMU", "WHERE rowid=1", 1, "Texto", "", "apa=11, cpu=4", ""},
        // A byte no column decodes from still differs, told by its block.
        {"Aparamenta CTRL", "SET Codificacion='000000FF'", 0, "", "", "", ""},
        {"TiempoPrevio CTRL", "SET Minimo=20", -1, "", "", "", ""},   // a column the relay never sees
    };
    prueba::Instalacion ins;
    const QString a = ins.arbol.raiz.en("a.cnf"), b = ins.arbol.raiz.en("b.cnf");
    ins.ui.EsperaModelo("TRV-610 **");
    NuevaConfiguracion(ins.ctx, ins.v);
    ASSERT_TRUE(QFile::copy(ins.ctx.app.CopiaTrabajo, a));
    {
        auto db = bd::BaseDatos::Abrir(a);
        auto rs = db->OpenRecordset(TablaGrafico, bd::TipoRecordset::Dynaset);
        for (int x : {2, 4}) {
            ObjetoGrafico o;
            o.Identificador = qint16(x / 2), o.apaN2 = 21, o.apa = ApaTexto, o.txt = "BARRA", o.x = qint16(x), o.y = 12;
            GrabaObjeto(*rs, o, true);
        }
    }
    for (const Caso &c : casos) {
        SCOPED_TRACE(std::string(c.tabla) + " " + c.cambio);
        QFile::remove(b);
        ASSERT_TRUE(QFile::copy(a, b));
        const char *orden = QByteArray(c.cambio).startsWith("SET") ? "UPDATE" : "DELETE FROM";
        bd::BaseDatos::Abrir(b)->Execute(QString("%1 [%2] %3").arg(orden, c.tabla, c.cambio));
        const auto r = ComparaConfiguraciones(ins.ctx, a, b);
        ASSERT_TRUE(r) << ins.Inesperados().toStdString();
        EXPECT_EQ(r->huellaA == r->huellaB, r->Iguales());
        EXPECT_EQ(Huella(ins.ctx, b), r->huellaB);
        ASSERT_EQ(r->diferencias.size(), c.registro < 0 ? 0 : 1);
        if (c.registro < 0) continue;
        const Diferencia &d = r->diferencias[0];
        EXPECT_EQ(std::tuple(d.tabla, d.registro, d.bloque, d.nombre, d.ajuste, d.valorB.isEmpty()),
                  std::tuple(QString(c.tabla), c.registro, c.registro ? 0 : 1, QString(c.nombre), QString(c.ajuste),
                             QString(c.valorB).isEmpty()));
        EXPECT_TRUE(d.valorA.left(qstrlen(c.valorA)) == c.valorA && d.valorB.left(qstrlen(c.valorB)) == c.valorB)
            << d.valorA.toStdString() << " -> " << d.valorB.toStdString();
    }
    EXPECT_EQ(ins.Inesperados(), "");
}

}  // namespace
