#include "support/instalacion.h"

#include "core/ventana_madre.h"
#include "core/rutas.h"

#include <QDir>

namespace prueba {

Instalacion::Instalacion(int idioma) {
    tarvo::InicializaRutas(ctx.app, arbol.programa, arbol.temporal);
    tarvo::CargaDiccionario(ctx);
    ctx.app.DirectorioModelos = arbol.modelos;
    ctx.app.FicheroModelos = arbol.modelos + "modelos.mdb";
    QDir().mkpath(ctx.app.DirectorioTrabajo);
    ctx.app.Idioma = quint8(idioma);
    ctx.dic.setIdioma(quint8(idioma));
}

}  // namespace prueba
