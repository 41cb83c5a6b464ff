#include "comms/comparacion_rele.h"

#include "comms/codificacion/recepcion.h"
#include "comms/diario.h"
#include "comms/envio.h"
#include "comms/recepcion_ajustes.h"
#include "core/temporales.h"
#include "store/ficheros.h"
#include "store/modelos.h"
#include "store/tablas.h"

namespace tarvo {

std::optional<Comparacion> ComparaConRele(Comunicaciones &c, const QString &fichero) {
    Contexto &ctx = c.ctx;
    const Aplicacion &a = ctx.app;
    Apunte apunte{"compare", fichero, {}, {}};
    const auto falla = [&](const QString &texto, bool dicho) -> std::optional<Comparacion> {
        if (!dicho) ctx.ui->Muestra({texto, ctx.T148(), Icono::Critico, Botones::Aceptar});
        AnotaTransferencia(c, apunte, "failed", texto);
        return std::nullopt;
    };
    QString modelo, base;
    if (!LeeModeloFichero(ctx, fichero, modelo)) return falla(ctx.dic.Texto(3229), true);
    const QString entrada = BuscaModelo(ctx, modelo, base);
    if (entrada.isEmpty()) return falla(ctx.dic.Texto(3229), true);
    if (entrada.trimmed().toUpper() != a.ModeloActual.trimmed().toUpper()) return falla(ctx.dic.Texto(573), false);
    const auto empaquetadas = EmpaquetaFichero(ctx, fichero);
    if (!empaquetadas) return falla(ctx.dic.Texto(3229), true);
    // The file's copy takes the relay's values: the records keep their
    // names, and the catalogue its tables.
    BorraFamilia(a.CopiaRecepcion);
    if (!bd::CopiaFichero(fichero, a.CopiaRecepcion)) return falla(ctx.dic.Texto(3134), false);
    QList<TablaEmpaquetada> leidas;
    std::optional<Comparacion> r;
    if (LeeRele(c, a.CopiaRecepcion, leidas)) {
        try {
            DatosCodificacion datos;
            const auto dbA = AbreBaseDatosNombrada(ctx, fichero, bd::Apertura::SoloLectura);
            const auto dbB = AbreBaseDatosNombrada(ctx, a.CopiaRecepcion, bd::Apertura::SoloLectura);
            if (dbA && dbB && PreparaDatosRecepcion(ctx, datos))
                r = ComparaEmpaquetados(*dbA, *empaquetadas, *dbB, leidas, a, datos, ctx.dic);
        } catch (const std::exception &e) {
            InformaError(ctx, "ComparaConRele", e);
        }
    }
    BorraFamilia(a.CopiaRecepcion);
    if (!r) return falla(ctx.dic.Texto(3229), false);
    apunte.huella = r->huellaB;
    AnotaTransferencia(c, apunte, r->Iguales() ? "equal" : "different",
                       ctx.dic.Texto(3230, QString::number(r->diferencias.size())));
    return r;
}

}  // namespace tarvo
