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

TEST(DisposicionGrupo, GatesAndOutputsAreMaskGroupValues) {
    // Gate in group 2, signals 1 and 3 masked, signal 3 required at 1.
    EXPECT_EQ(CodificacionGrupo(0x0005, 2, 0x0004), "050002000400");
    // Control output in group 1, signal 16 masked and required at 1.
    EXPECT_EQ(CodificacionGrupo(0x8000, 1, 0x8000), "008001000080");

    const Fila f = Decodifica("ANDs PROT", "050002000400");
    EXPECT_TRUE(f["Mascara1"].toBool());
    EXPECT_FALSE(f["Mascara2"].toBool());
    EXPECT_TRUE(f["Mascara3"].toBool());
    EXPECT_EQ(f["GrupoSenyal"].toInt(), 2);
    EXPECT_TRUE(f["Valor3"].toBool());
    EXPECT_FALSE(f["Valor1"].toBool());

    // Both bytes 0xFF: -1 in a number column, every flag of a bit field set.
    const Fila g = Decodifica("Salidas PROT", "FFFFFFFFFFFF");
    EXPECT_EQ(g["GrupoSenyal"].toInt(), -1);
    for (int n = 1; n <= 16; ++n) EXPECT_TRUE(g[QString("Mascara%1").arg(n)].toBool()) << n;
    EXPECT_EQ(PalabraDeColumnas(g, "Valor"), 0xFFFF);
}

TEST(DisposicionEvento, EventsAndCommandBitsAreMaskThenGroup) {
    EXPECT_EQ(CodificacionEvento(0x8000, 0), "00800000");   // an event with signal 16
    EXPECT_EQ(CodificacionEvento(0x0003, 3), "03000300");   // a command bit in group 3, signals 1 and 2
    const Fila f = Decodifica("BitMando CTRL", "03000300");
    EXPECT_EQ(PalabraDeColumnas(f, "Mascara"), 0x0003);
    EXPECT_EQ(f["GrupoSenyal"].toInt(), 3);
    EXPECT_FALSE(f.contains("Valor1"));   // events have no values
}

TEST(DisposicionLed, GroupByteModeByteAndValues) {
    // Latched, not blinking, event group 1, event 2 masked at value 1.
    EXPECT_EQ(CodificacionLed(0x0002, 1, 0x0002, false, true), "020001800200");
    EXPECT_EQ(CodificacionLed(0, 0, 0, true, true), "000000C00000");
    EXPECT_EQ(CodificacionLed(0, 5, 0, true, false), "000005400000");

    const Fila f = Decodifica("LEDs COMU", "0000" "05C0" "0000");   // value field 0xC005
    EXPECT_EQ(f["GrupoSenyal"].toInt(), 5);
    EXPECT_TRUE(f["Parpadeo"].toBool());
    EXPECT_TRUE(f["Mantenido"].toBool());
    const Fila g = Decodifica("LEDs COMU", "020001800200");
    EXPECT_EQ(g["GrupoSenyal"].toInt(), 1);
    EXPECT_FALSE(g["Parpadeo"].toBool());
    EXPECT_TRUE(g["Mantenido"].toBool());
    EXPECT_EQ(PalabraDeColumnas(g, "Valor"), 0x0002);
}

TEST(DisposicionTiempo, OneLittleEndianNumberInItsColumn) {
    EXPECT_EQ(CodificacionTiempo(60), "3C00");   // the longest time-out
    EXPECT_EQ(Decodifica("EsperaConfirmacion CTRL", "3C00")["Tiempo"], QVariant(60.0));
    EXPECT_EQ(Decodifica("TiempoPrevio CTRL", "6400")["TiempoActuacion"].typeId(), QMetaType::Double);
    EXPECT_EQ(Decodifica("TiempoSalida CTRL", "F401")["TiempoSalida"].toDouble(), 500.0);
    EXPECT_EQ(Decodifica("TiempoFallo CTRL", "B80B")["TiempoFallo"], QVariant(3000));
    EXPECT_EQ(Decodifica("TiempoEntradas CTRL", "1400")["TemporizadorEntradaControl"], QVariant(20));
    EXPECT_EQ(Decodifica("TiempoAperturaCierre CTRL", "FFFF")["Temporizador"], QVariant(-1));
}

TEST(DisposicionEntradas, ProtectionFunctionAndControlTerminal) {
    EXPECT_EQ(CodificacionIndice(12), "0C");   // EC 12
    EXPECT_EQ(CodificacionIndice(0), "00");
    const Fila p = Decodifica("Entradas PROT", "02");
    EXPECT_EQ(p["ValorEntrada"].toInt(), 2);
    EXPECT_EQ(p["ValorTextoEntrada"].toString(), "Disparo externo");
    // A function beyond the model's list names nothing.
    EXPECT_EQ(Decodifica("Entradas PROT", "7F")["ValorTextoEntrada"].toString(), "");

    EXPECT_EQ(Decodifica("Entradas CTRL", "0C")["NombreAjuste"].toString(), "EC 12");
    EXPECT_EQ(Decodifica("Entradas CTRL", "00")["NombreAjuste"].toString(), "Sin asignar");
    EXPECT_EQ(CodificaRegistro(T("Entradas CTRL"), {{"NombreAjuste", "EC 12"}}, Datos()), "0C");
    EXPECT_EQ(CodificaRegistro(T("Entradas CTRL"), {{"NombreAjuste", "Sin asignar"}}, Datos()), "00");
}

TEST(DisposicionCondicion, MasksAndValuesMostSignificantDigitFirst) {
    // The empty condition: 36 zeros then 1111.
    const QString vacia = CodificacionCondicion("0000000000000000", "0000", "0000000000000000", "1111");
    EXPECT_EQ(vacia, QString(36, '0') + "1111");
    // Command bit 5 only, required at 1.
    const QString bit5 = CodificacionCondicion("0000000000000020", "0000", "0000000000000020", "0000");
    EXPECT_EQ(bit5, "2000000000000000" "0000" "2000000000000000" "0000");

    const Fila f = Decodifica("Fallo CTRL", bit5);
    EXPECT_EQ(f["MascaraBitMando"].toString(), "0000000000000020");
    EXPECT_EQ(f["MascaraEstado"].toString(), "0000");
    EXPECT_EQ(f["ValorBitMando"].toString(), "0000000000000020");
    EXPECT_EQ(f["ValorEstado"].toString(), "0000");
    EXPECT_EQ(Decodifica("Exito CTRL", vacia)["ValorEstado"].toString(), "1111");
}

TEST(DisposicionAparamenta, OneBitPerDeviceInEachFlagByte) {
    // Switchgear 6 in use: bit 5 of byte 0.
    EXPECT_EQ(CodificacionAparamenta("00000000", 6, true, false, false), "20000000");
    // The fourth byte is written as 0 whatever it held.
    EXPECT_EQ(CodificacionAparamenta("000000FF", 1, true, true, true), "01010100");
    // Clearing one device keeps the others.
    EXPECT_EQ(CodificacionAparamenta("03030300", 1, false, true, false), "02030200");
    // Devices beyond 8 do not fit the record.
    EXPECT_EQ(CodificacionAparamenta("01000000", 9, true, true, true), "01000000");

    const FlagsAparamenta f = LeeFlagsAparamenta(u"2001800F");
    EXPECT_EQ(f.seleccion, 0x20);
    EXPECT_EQ(f.contacto, 0x01);
    EXPECT_EQ(f.transicion, 0x80);
}

TEST(DisposicionTextoEvento, TextsEndAtTheFirstZeroByte) {
    const QString abc = CodificaRegistro(T("TextoEventos COMU"), {{"Texto", "ABC"}}, Datos());
    EXPECT_EQ(abc, "414243" + QString(42, '0'));
    EXPECT_EQ(Decodifica("TextoEventos COMU", abc)["Texto"].toString(), "ABC");
    EXPECT_EQ(Decodifica("TextoEventos COMU", "41004200")["Texto"].toString(), "A");
    EXPECT_EQ(Decodifica("TextoEventos COMU", QString(48, '0'))["Texto"].toString(), "");
    // A full slot without a zero byte gives 24 characters.
    EXPECT_EQ(Decodifica("TextoEventos COMU", QString(48, '5'))["Texto"].toString(), QString(24, QChar(0x55)));
}

TEST(Disposiciones, MalformedRecordsAreErrorsNotCrashes) {
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
}

// Random records of every layout: written, decoded, compared column by column.
TEST(Disposiciones, EveryLayoutDecodesWhatItsWriterWrote) {
    QRandomGenerator azar(20240611);
    const DatosCodificacion datos = Datos();
    for (const TablaCodificada &t : TablasCodificadas()) {
        if (t.disposicion == Disposicion::NoEnviada || t.disposicion == Disposicion::Grafico) continue;
        SCOPED_TRACE(t.tabla.toStdString());
        for (int i = 0; i < 300; ++i) {
            const Fila f = prueba::FilaAleatoria(t, datos, azar);
            const QString texto = CodificaRegistro(t, f, datos);
            ASSERT_EQ(texto.size(), 2 * t.bytes) << texto.toStdString();
            ASSERT_EQ(texto, texto.toUpper());
            const Fila d = DecodificaRegistro(t, texto, datos);
            for (auto c = f.cbegin(); c != f.cend(); ++c)
                ASSERT_EQ(d.value(c.key()).toString(), c.value().toString()) << c.key().toStdString() << " of " << texto.toStdString();
            ASSERT_EQ(CodificaRegistro(t, d, datos), texto);
        }
    }
}

TEST(Disposiciones, EveryCatalogueTableHasOneEntry) {
    QSet<QString> nombres;
    for (const TablaCodificada &t : TablasCodificadas()) nombres.insert(t.tabla);
    EXPECT_EQ(nombres.size(), 23);
    EXPECT_EQ(BuscaTablaCodificada(" LEDs COMU ")->disposicion, Disposicion::Led);
    EXPECT_EQ(BuscaTablaCodificada("Modelo"), nullptr);
}
