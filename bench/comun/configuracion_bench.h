// A configuration filled in as a commissioned bay would be, for the
// benchmarks that read or print a whole configuration: masked signals in
// every group table, assigned protection inputs, conditions, and a display
// graphic at its object limit.
#pragma once

#include "comms/codificacion/registros.h"
#include "core/pagina437.h"
#include "graphic/editor_grafico.h"
#include "store/db/basedatos.h"

namespace bench {

// 64 line characters on free cells of both pages.
inline void LlenaGrafico(bd::BaseDatos &db) {
    using namespace tarvo;
    auto rs = db.OpenRecordset(TablaGrafico, bd::TipoRecordset::Dynaset);
    for (qint16 i = 1; i <= MaximoObjetos; ++i) {
        const int pag = i <= 32 ? 0 : 1, n = (i - 1) % 32;
        ObjetoGrafico o{.Identificador = i, .apaN2 = 34, .apa = ApaTexto, .txt = QString(LetraRele(196)),
                        .x = qint16(12 + n / 16), .y = qint16(12 + n % 16), .pag = qint16(pag)};
        GrabaObjeto(*rs, o, true);
    }
}

// Every record of the group tables masks three signals; every condition
// needs two command bits and an external state.
inline void LlenaAjustes(bd::BaseDatos &db) {
    using namespace tarvo;
    const QString grupo = CodificacionGrupo(0x0007, 0, 0x0005);
    for (const char *t : {"Salidas CTRL", "ANDs PROT", "Salidas PROT"})
        db.Execute(QString("UPDATE [%1] SET Codificacion = ?").arg(t), {grupo});
    for (const char *t : {"Eventos CTRL", "Eventos PROT", "Eventos COMU", "BitMando CTRL"})
        db.Execute(QString("UPDATE [%1] SET Codificacion = ?").arg(t), {CodificacionEvento(0x0003, 0)});
    db.Execute("UPDATE [LEDs COMU] SET Codificacion = ?", {CodificacionLed(0x0007, 0, 0x0007, true, false)});
    db.Execute("UPDATE [Entradas PROT] SET ValorEntrada = 1, Codificacion = ?", {CodificacionIndice(1)});
    const QString bits = "0000000000000011", estado = "0001";
    for (const char *t : {"Actuacion CTRL", "Fallo CTRL", "Exito CTRL"})
        db.Execute(QString("UPDATE [%1] SET MascaraBitMando = ?, MascaraEstado = ?, ValorBitMando = ?, "
                           "ValorEstado = ?, Codificacion = ?")
                       .arg(t),
                   {bits, estado, bits, estado, CodificacionCondicion(bits, estado, bits, estado)});
}

}  // namespace bench
