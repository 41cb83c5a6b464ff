// Feeds arbitrary received streams to every decoder: each must refuse what it
// cannot read (ErrorCodificacion or a false result) and never read past the
// text it was given.
#include "comms/codificacion/recepcion.h"
#include "comms/codificacion/empaquetado.h"
#include "graphic/objeto.h"

#include <cstddef>
#include <cstdint>

using namespace tarvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *datos, size_t tamano) {
    if (tamano < 2) return 0;
    // The first byte picks the record length; the rest is the stream, mostly
    // hexadecimal digits so that the decoders get past the first check.
    static const char digitos[] = "0123456789ABCDEFabcdef";
    const int longitud = datos[0] % 64;
    QString hex;
    for (size_t i = 1; i < tamano; ++i)
        hex += datos[i] < 0xF0 ? QChar(digitos[datos[i] % 22]) : QChar(char16_t(datos[i]));

    // What a decoder may do with what it cannot read: refuse it.
    const auto refusa = [](const auto &decodifica) {
        try {
            decodifica();
        } catch (const ErrorCodificacion &) {
        }
    };
    DatosCodificacion d;
    d.funcionesEntradas = {"Sin funcion", "Bloqueo"};
    d.sinAsignar = "Sin asignar";
    for (const TablaCodificada &t : TablasCodificadas()) {
        refusa([&] {
            for (const QString &r : CortaRegistros(hex, longitud, 1 + datos[1] % 8)) DecodificaRegistro(t, r, d);
        });
        refusa([&] { DecodificaRegistro(t, hex, d); });
    }
    refusa([&] {
        CortaTextosEventos(hex, {{"prot", longitud}, {"cont", 48}, {"comu", 48}, {"otro", 2}},
                           {{"prot", 0}, {"cont", datos[0] % 100 - 4}, {"comu", 95}});
    });
    refusa([&] { LeeFlagsAparamenta(hex); });
    QList<ObjetoGrafico> objetos;
    if (DecodificaObjetos(hex, objetos))
        for (const ObjetoGrafico &o : objetos)
            if (o.Codificacion.size() != 24) __builtin_trap();
    LeeHex(hex);
    LeeCampo(hex);
    refusa([&] {
        AcumuladorBytes a;
        a.Agrega(hex);
        a.Valores();
    });
    return 0;
}
