#include "tools/cli/interaccion_cli.h"

namespace tarvo {

Boton InteraccionCli::Muestra(const Mensaje &m) {
    QString texto = m.texto;
    texto.replace("\r\n", "\n").replace('\r', '\n');
    if (!callados.contains(m.texto))
        std::fprintf(salida_, "%s: %s\n", qPrintable(m.titulo), qPrintable(texto.trimmed()));
    if (m.icono == Icono::Critico || m.icono == Icono::Exclamacion) ++errores_;
    switch (m.botones) {
    case Botones::ReintentarCancelar:
        if (reintentos > 0) {
            --reintentos;
            std::fprintf(salida_, "  -> retry\n");
            return Boton::Reintentar;
        }
        std::fprintf(salida_, "  -> cancel\n");
        return Boton::Cancelar;
    case Botones::SiNo:
    case Botones::SiNoCancelar:
        // The only yes/no question the companion meets unasked is whether to
        // replace a file; everything else it refuses.
        return sobrescribir ? Boton::Si : Boton::No;
    case Botones::AceptarCancelar: return Boton::Aceptar;
    case Botones::AbortarReintentarIgnorar: return Boton::Abortar;
    case Botones::Aceptar: break;
    }
    return Boton::Aceptar;
}

std::optional<QString> InteraccionCli::EligeFichero(const ConsultaFichero &) {
    if (ficheros.isEmpty()) return std::nullopt;
    return ficheros.takeFirst();
}

std::optional<QString> InteraccionCli::EligeModelo(const QStringList &lineas, bool aceptar) {
    if (!aceptar || !lineas.contains(modelo)) {
        std::fprintf(salida_, "tarvo32-cli: model %s is not available; available: %s\n", qPrintable(modelo),
                     qPrintable(aceptar ? lineas.join(", ") : QString("none")));
        ++errores_;
        return std::nullopt;
    }
    return modelo;
}

}  // namespace tarvo
