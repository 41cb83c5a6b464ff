// The display catalogues of the shipped models.
#include "graphic/catalogos.h"
#include "store/ficheros.h"
#include "support/instalacion.h"

#include <gtest/gtest.h>

using namespace tarvo;

namespace {

struct Catalogos : ::testing::Test {
    prueba::Instalacion ins;
    QList<EntradaCatalogoObjeto> objetos = {{}};
    QList<EntradaCatalogoTexto> textos = {{}};
    QList<ObjetoFijo> fijos;
    // Loads all three lists of the model; false when any failed.
    bool Carga(const char *base) {
        ins.ctx.app.BaseDatos = base;
        return CargaTodosObjetos(ins.ctx, objetos) && CargaObjetosTexto(ins.ctx, textos) &&
               CargaObjetosFijos(ins.ctx, fijos);
    }
};

}  // namespace

TEST_F(Catalogos, FullModelOffersEveryObjectTypeCharacterAndFixedObject) {
    ASSERT_TRUE(Carga("TRV610.MDB"));
    EXPECT_EQ(objetos.size(), 56 + 1);   // every code, and a second entry for code 43
    QStringList codigo43;
    for (const auto &o : objetos)
        if (o.codigo == 43) codigo43 << QString("%1 %2").arg(o.boton).arg(o.nombre);
    EXPECT_EQ(codigo43.value(0), "42 " + ins.ctx.dic.Texto(560));
    EXPECT_TRUE(codigo43.value(1).startsWith("46 "));
    EXPECT_EQ(objetos.first().nombre, ins.ctx.dic.Texto(534));

    EXPECT_EQ(textos.size(), 36);
    int conBoton = 0;
    for (const auto &t : textos) conBoton += t.boton >= 0;
    EXPECT_EQ(conBoton, 18);   // the special-character kinds; the rest are typed in texts
    EXPECT_EQ(textos[1].codigo, 179);

    ASSERT_EQ(fijos.size(), 3);
    EXPECT_EQ(fijos.last().secuencia, -1);
    EXPECT_EQ(EsObjetoFijo(fijos, 3), 1);
    EXPECT_EQ(EsObjetoFijo(fijos, 1), -1);
    EXPECT_EQ(ins.Inesperados(), "");
}

// A model without display gives empty lists; a missing database is reported.
TEST_F(Catalogos, ModelWithoutDisplayGivesEmptyLists) {
    EXPECT_TRUE(Carga("TRV420.MDB"));
    EXPECT_TRUE(objetos.isEmpty());
    EXPECT_TRUE(textos.isEmpty());
    ASSERT_EQ(fijos.size(), 1);
    EXPECT_EQ(fijos[0].secuencia, -1);
    ins.ui.Espera("");
    EXPECT_FALSE(Carga("TRV999.MDB"));
    EXPECT_EQ(ins.Inesperados(), "");
}
