// The display catalogues of the shipped models.
#include "graphic/catalogos.h"
#include "store/ficheros.h"
#include "support/instalacion.h"

#include <gtest/gtest.h>

using namespace tarvo;

namespace {

struct Catalogos : ::testing::Test {
    prueba::Instalacion ins;
    void Modelo(const char *base) { ins.ctx.app.BaseDatos = base; }
};

}  // namespace

TEST_F(Catalogos, FullModelOffersEveryObjectTypeCharacterAndFixedObject) {
    Modelo("TRV610.MDB");
    QList<EntradaCatalogoObjeto> objetos;
    ASSERT_TRUE(CargaTodosObjetos(ins.ctx, objetos));
    EXPECT_EQ(objetos.size(), 56 + 1);   // every code, and a second entry for code 43
    QList<EntradaCatalogoObjeto> contador;
    for (const auto &o : objetos)
        if (o.codigo == 43) contador << o;
    ASSERT_EQ(contador.size(), 2);
    EXPECT_EQ(contador[0].boton, 42);
    EXPECT_EQ(contador[1].boton, 46);
    EXPECT_EQ(contador[0].nombre, ins.ctx.dic.Texto(560));
    EXPECT_EQ(objetos.first().nombre, ins.ctx.dic.Texto(534));
    EXPECT_EQ(objetos.first().version, 1);

    QList<EntradaCatalogoTexto> textos;
    ASSERT_TRUE(CargaObjetosTexto(ins.ctx, textos));
    EXPECT_EQ(textos.size(), 36);
    int conBoton = 0;
    for (const auto &t : textos) conBoton += t.boton >= 0;
    EXPECT_EQ(conBoton, 18);   // the special-character kinds; the rest are typed in texts
    EXPECT_EQ(textos[1].codigo, 179);
    EXPECT_EQ(textos[1].boton, 27);

    const QList<int> botones = BotonesDisponibles(objetos, textos);
    EXPECT_EQ(botones.size(), 50);   // the full model enables every kind

    QList<ObjetoFijo> fijos;
    ASSERT_TRUE(CargaObjetosFijos(ins.ctx, fijos));
    ASSERT_EQ(fijos.size(), 3);
    EXPECT_EQ(fijos.last().secuencia, -1);
    EXPECT_EQ(EsObjetoFijo(fijos, 2), 0);
    EXPECT_EQ(EsObjetoFijo(fijos, 3), 1);
    EXPECT_EQ(EsObjetoFijo(fijos, 1), -1);
    EXPECT_EQ(fijos[0].oper_c, 1);
    EXPECT_EQ(fijos[0].oper_d, 2);
    EXPECT_EQ(fijos[0].donde, 20);
    EXPECT_TRUE(fijos[0].txt.isEmpty());
    EXPECT_EQ(ins.Inesperados(), "");
}

TEST_F(Catalogos, ModelWithoutDisplayGivesEmptyLists) {
    Modelo("TRV420.MDB");
    QList<EntradaCatalogoObjeto> objetos = {{}};
    QList<EntradaCatalogoTexto> textos = {{}};
    QList<ObjetoFijo> fijos;
    EXPECT_TRUE(CargaTodosObjetos(ins.ctx, objetos));
    EXPECT_TRUE(CargaObjetosTexto(ins.ctx, textos));
    EXPECT_TRUE(CargaObjetosFijos(ins.ctx, fijos));
    EXPECT_TRUE(objetos.isEmpty());
    EXPECT_TRUE(textos.isEmpty());
    ASSERT_EQ(fijos.size(), 1);
    EXPECT_EQ(fijos[0].secuencia, -1);
}

TEST_F(Catalogos, AMissingModelDatabaseIsReported) {
    Modelo("TRV999.MDB");
    QList<EntradaCatalogoObjeto> objetos;
    ins.ui.Espera("");
    EXPECT_FALSE(CargaTodosObjetos(ins.ctx, objetos));
    EXPECT_EQ(ins.Inesperados(), "");
}
