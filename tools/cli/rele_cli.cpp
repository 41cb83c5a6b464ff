#include "tools/cli/rele_cli.h"

#include "comms/comparacion_rele.h"

namespace tarvo {

int ImprimeComparacion(const Comparacion &c, const QString &a, const QString &b, std::FILE *out) {
    const auto valor = [](const QString &v) { return v.isEmpty() ? QString("(none)") : v; };
    for (const Diferencia &d : c.diferencias) {
        if (d.bloque > 0)
            std::fprintf(out, "[%s] block %d: packed values differ\n", qPrintable(d.tabla), d.bloque);
        else
            std::fprintf(out, "[%s] %d \"%s\" %s: %s -> %s\n", qPrintable(d.tabla), d.registro, qPrintable(d.nombre),
                         qPrintable(d.ajuste.isEmpty() ? QString("(record)") : d.ajuste), qPrintable(valor(d.valorA)),
                         qPrintable(valor(d.valorB)));
    }
    std::fprintf(out, "%d difference(s)\nFingerprint %s: %s\nFingerprint %s: %s\n", int(c.diferencias.size()),
                 qPrintable(a), qPrintable(c.huellaA), qPrintable(b), qPrintable(c.huellaB));
    return c.Iguales() ? 0 : 1;
}

int DiferenciasRele(Comunicaciones &c, const QString &fichero, int puerto, std::FILE *out) {
    const std::optional<Comparacion> r = ComparaConRele(c, fichero);
    if (!r) return 2;
    return ImprimeComparacion(*r, fichero, QString("relay %1 on COM%2").arg(c.ctx.app.NumeroRele).arg(puerto), out);
}

}  // namespace tarvo
