// The record layout of every table: the worked examples, each layout's
// decoder as the exact inverse of its writer, and malformed records.
#include "comms/codificacion/registros.h"
#include "configuracion_aleatoria.h"
#include "store/catalogo.h"
#include "support/imprime_qt.h"

#include <gtest/gtest.h>

using namespace tarvo;

namespace {

const TablaCodificada &T(const char *tabla) { return *BuscaTablaCodificada(tabla); }

DatosCodificacion Datos() {
    DatosCodificacion d;
    d.funcionesEntradas = {"Sin funcion", "Bloqueo 50", "Disparo externo"};
    d.sinAsignar = "Sin asignar";
    return d;
}

Fila Decodifica(const char *tabla, const QString &texto) { return DecodificaRegistro(T(tabla), texto, Datos()); }

}  // namespace

// The writers pin the bytes; the round trip of whole random configurations in
// transferencias_test makes every decoder their inverse, so only what it
// cannot reach is decoded here. The bytes of a control output, an event with
// signal 16, a latched LED, a time and a one-bit condition as their editors
// save them reach the relay in EnvioDesdeEditor (tests/editors).
TEST(Disposiciones, EachWriterPutsItsFieldsWhereTheRelayReadsThem) {
    const QString vacia = CodificacionCondicion("0000000000000000", "0000", "0000000000000000", "1111");
    const struct {
        QString escrito, esperado;
    } casos[] = {
        // Gate in group 2, signals 1 and 3 masked, signal 3 required at 1.
        {CodificacionGrupo(0x0005, 2, 0x0004), "050002000400"},
        {CodificacionEvento(0x0003, 3), "03000300"},   // a command bit in group 3, signals 1 and 2
        // LEDs' mode bits: blinking and latched, blinking alone.
        {CodificacionLed(0, 0, 0, true, true), "000000C00000"},
        {CodificacionLed(0, 5, 0, true, false), "000005400000"},
        {CodificacionIndice(12), "0C"},
        {CodificaRegistro(T("Entradas CTRL"), {{"NombreAjuste", "EC 12"}}, Datos()), "0C"},
        {CodificaRegistro(T("Entradas CTRL"), {{"NombreAjuste", "Sin asignar"}}, Datos()), "00"},
        // Conditions: the empty one is 36 zeros then 1111.
        {vacia, QString(36, '0') + "1111"},
        // Switchgear 6 in use: bit 5 of byte 0. The fourth byte is written as 0
        // whatever it held; clearing one device keeps the others; devices
        // beyond 8 do not fit the record.
        {CodificacionAparamenta("00000000", 6, true, false, false), "20000000"},
        {CodificacionAparamenta("000000FF", 1, true, true, true), "01010100"},
        {CodificacionAparamenta("03030300", 1, false, true, false), "02030200"},
        {CodificacionAparamenta("01000000", 9, true, true, true), "01000000"},
        {CodificaRegistro(T("TextoEventos COMU"), {{"Texto", "ABC"}}, Datos()), "414243" + QString(42, '0')},
    };
    for (const auto &c : casos) EXPECT_EQ(c.escrito, c.esperado);
}

TEST(Disposiciones, SignsTypesAndTextsTheRoundTripCannotReach) {
    const struct {
        const char *tabla;
        QString texto;
        const char *columna;
        QVariant valor;
    } casos[] = {
        // Both bytes 0xFF: -1 in a number column.
        {"Salidas PROT", "FFFFFFFFFFFF", "GrupoSenyal", -1},
        {"TiempoAperturaCierre CTRL", "FFFF", "Temporizador", -1},
        // Some time columns take floating-point numbers, the others integers.
        {"EsperaConfirmacion CTRL", "3C00", "Tiempo", 60.0},
        {"TiempoPrevio CTRL", "6400", "TiempoActuacion", 100.0},
        {"TiempoSalida CTRL", "F401", "TiempoSalida", 500.0},
        {"TiempoFallo CTRL", "B80B", "TiempoFallo", 3000},
        {"TiempoEntradas CTRL", "1400", "TemporizadorEntradaControl", 20},
        // A protection function beyond the model's list names nothing.
        {"Entradas PROT", "7F", "ValorTextoEntrada", ""},
        // Texts end at the first zero byte; a full slot without one gives 24 characters.
        {"TextoEventos COMU", "41004200", "Texto", "A"},
        {"TextoEventos COMU", QString(48, '0'), "Texto", ""},
        {"TextoEventos COMU", QString(48, '5'), "Texto", QString(24, QChar(0x55))},
    };
    for (const auto &c : casos) {
        const QVariant v = Decodifica(c.tabla, c.texto).value(c.columna);
        EXPECT_EQ(v, c.valor) << c.tabla;
        EXPECT_EQ(v.typeId(), c.valor.typeId()) << c.tabla;
    }
    EXPECT_FALSE(Decodifica("BitMando CTRL", "03000300").contains("Valor1"));   // events have no values
    // The fourth byte of the switchgear record is not read.
    EXPECT_EQ(LeeFlagsAparamenta(u"2001800F"), (FlagsAparamenta{0x20, 0x01, 0x80}));
}

TEST(Disposiciones, MalformedRecordsAreErrorsNotCrashesAndUnknownTablesHaveNoLayout) {
    for (const TablaCodificada &t : TablasCodificadas()) {
        if (t.disposicion == Disposicion::NoEnviada) continue;
        SCOPED_TRACE(t.tabla.toStdString());
        EXPECT_THROW(DecodificaRegistro(t, u"0G", Datos()), ErrorCodificacion);
        EXPECT_THROW(DecodificaRegistro(t, u"000", Datos()), ErrorCodificacion);
        // Layouts of fields need all their bytes; whole-record numbers and texts take what there is.
        const bool campos = t.disposicion != Disposicion::Tiempo && t.disposicion != Disposicion::TextoEvento &&
                            t.bytes > 1;
        if (campos) {
            EXPECT_THROW(DecodificaRegistro(t, QString(2 * t.bytes - 2, '0'), Datos()), ErrorCodificacion);
        }
    }
    // A whole-record number of more than 8 digits does not fit.
    EXPECT_THROW(Decodifica("TiempoFallo CTRL", "0000000000"), ErrorCodificacion);
    // Tables are found by trimmed name; a table that is not sent has no layout. Every table a
    // model sends having its entry: the round trip in transferencias_test.
    EXPECT_EQ(BuscaTablaCodificada(" LEDs COMU ")->disposicion, Disposicion::Led);
    EXPECT_EQ(BuscaTablaCodificada("Modelo"), nullptr);
}
