// The graphic object record: its 24 digits per family, the file-name packing
// and the decoders of a received object list.
#include "core/pagina437.h"
#include "graphic/objeto.h"
#include "objeto_prueba.h"

#include <QMap>
#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace tarvo;

// Code, byte 1 (the datum source, written and operable flags), the family's
// fields, then row, column and page.
TEST(CodificacionObjeto, EachFamilyWritesItsFieldsThenThePlace) {
    const struct { ObjetoGrafico o; QString digitos; } casos[] = {
        {{.apaN2 = 21, .apa = 11, .txt = "AB", .x = 3, .y = 12}, "0B04" "41420000000000" "030C00"},
        // Only the first 7 characters of a longer text are sent.
        {{.apaN2 = 21, .apa = 11, .txt = "ABCDEFGHIJ", .x = 3, .y = 12}, "0B04" "41424344454647" "030C00"},
        // A special character is one byte of the display font.
        {{.apaN2 = 35, .apa = 11, .txt = QString(LetraRele(197)), .y = 8}, "0B04C500000000000000" "0800"},
        // An empty inactive text is six zeros.
        {{.apaN2 = 23, .apa = 15, .cpu = 1, .txtb0 = "ON", .txtb1 = "", .donde = 0x21, .x = 5, .y = 20},
         "0F05" "4F4E00" "000000" "21" "051400"},
        {{.apaN2 = 2, .apa = 6, .cpu = 1 | CpuOperable, .oper_b = 5, .oper_c = 0x0102, .oper_d = -1, .donde = 20, .y = 7},
         "060D" "0500" "0201" "FFFF" "14" "000700"},
        // 5 characters of the measure reach the relay; its unit text is stored, not sent.
        {{.apaN2 = 22, .apa = 12, .cpu = 2, .txt_m = "Vab12345", .txt_u = "kV", .unidad_m = 3, .donde = 40, .x = 6, .y = 10},
         "0C06" "5661623132" "03" "28" "060A00"},
        {{.apaN2 = 11, .apa = 4, .y = 14}, "0404" "000000000000" "00" "000E00"},
        // The marker is always stored with source 4.
        {{.apaN2 = 20, .apa = 36, .cpu = 2, .txtb0 = "5", .txtb1 = "IMAX", .x = 4, .y = 12}, "2404" "3500" "494D415800" "040C00"},
        {{.apaN2 = 44, .apa = 46, .x = 1, .y = 12}, "2E04" "20DC0020DB0018" "010C00"},
        // The analogue's unit is not sent: byte 7 is 0.
        {{.apaN2 = 43, .apa = 45, .cpu = 2, .txt_m = "E803F0FF42", .unidad_m = 9, .donde = 30, .x = 2, .y = 12},
         "2D06" "E803F0FF42" "00" "1E" "020C00"},
    };
    for (const auto &c : casos) EXPECT_EQ(Preparado(c.o).Codificacion, c.digitos);
    // The text column keeps what the relay does not get; the alarm indicator shows its fixed text.
    EXPECT_EQ(Preparado(casos[1].o).txt, "ABCDEFGHIJ");
    EXPECT_EQ(Preparado(casos[7].o).cpu, 4);
    EXPECT_EQ(Preparado(casos[8].o).txt, QString(" ") + LetraRele(220));
}

TEST(CodificacionObjeto, FileNameObjectPacksAnEightDotThreeName) {
    ObjetoGrafico f = Preparado(ObjetoFichero("FEEDER 1.CNF"));
    EXPECT_EQ(f.Identificador, 2000);
    // Kind 128; the first character without the written flag; the next six; the extension.
    EXPECT_EQ(f.Codificacion, "8046" "454544455231" "00" "434E46");
    EXPECT_EQ(NombreDeObjetoFichero(f), "FEEDER1.CNF");
    EXPECT_EQ(NombreDeObjetoFichero(ObjetoFichero("ABCDEFGHIJ.TEXT")), "ABCDEFGH.TEX");
    EXPECT_EQ(NombreDeObjetoFichero(ObjetoFichero("ABC")), "ABC");
    EXPECT_EQ(ObjetoFichero(".CNF").Codificacion, "8000" + QString(14, '0') + "000000");
}

TEST(DecodificacionObjetos, NumbersObjectsAndSkipsUnwrittenOnes) {
    const ObjetoGrafico op = Preparado({.apaN2 = 47, .apa = 56, .cpu = 1, .x = 11, .pag = 1});
    const QString texto = Preparado({.apaN2 = 21, .apa = 11, .txt = "AB", .x = 3, .y = 12}).Codificacion;
    const QString sinFlag = "0B00" "41420000000000" "040C00";       // byte 1 without the written flag
    const QString desconocido = "FA04" "00000000000000" "050C00";   // no such code
    QList<ObjetoGrafico> l;
    ASSERT_TRUE(DecodificaObjetos(texto + sinFlag + desconocido + op.Codificacion + EtiquetaManiobra(op, "ABRIR").Codificacion +
                                      ObjetoFichero("DEMO.CNF").Codificacion + texto + "00000000" + texto,
                                  l));
    // Up to the end object; the label shares its operation's number.
    QStringList vistos;
    for (const ObjetoGrafico &o : l) vistos << QString("%1:%2").arg(o.Identificador).arg(o.apaN2);
    EXPECT_EQ(vistos, QStringList({"1:21", "2:47", "2:21", "2000:25", "3:21"}));

    // Malformed streams are refused, not read past their end.
    for (const QString &malo : {texto.left(20), texto.left(23), QString(texto).replace(3, 1, 'x')})
        EXPECT_FALSE(DecodificaObjetos(malo, l)) << malo.toStdString();
    EXPECT_TRUE(DecodificaObjetos(u"", l));
    EXPECT_TRUE(DecodificaObjetos(u"00", l));
}

// Random objects of every kind: decoded, they give back the written columns
// and the same 24 digits.
TEST(DecodificacionObjetos, EveryKindDecodesWhatItsWriterWrote) {
    QRandomGenerator azar(5150);
    auto texto = [&](int maximo) {
        QString t("");
        for (int i = 0, n = azar.bounded(maximo + 1); i < n; ++i) t += LetraRele(quint8(azar.bounded(1, 256)));
        return t;
    };
    auto n = [&](int desde, int hasta) { return qint16(azar.bounded(desde, hasta)); };
    const char *const contadores[] = {"MWh", "Mvarh", "KWh", "Kvarh"};
    static const QMap<int, QList<int>> codigos = {{0, {1, 2}},   {1, {25, 47}}, {2, {5, 6}},  {3, {23, 24}},
                                                  {23, {13}},    {24, {26}},    {45, {48}}};
    for (int tipo = 0; tipo < TiposGraficos; ++tipo) {
        if (tipo == 25) continue;   // the file name: above
        SCOPED_TRACE(tipo);
        for (int i = 0; i < 200; ++i) {
            ObjetoGrafico o{.apaN2 = qint16(tipo), .apa = qint16(Tipo(tipo).apa)};
            if (o.apa < 0) {
                const QList<int> c = codigos[tipo];
                o.apa = qint16(c[azar.bounded(int(c.size()))] + (tipo >= 23 ? azar.bounded(8) : 0));
            }
            o.cpu = qint16(azar.bounded(4) | (azar.bounded(2) ? CpuOperable : 0));
            o.x = n(0, 16);
            o.y = n(0, 40);
            o.pag = n(0, 2);
            const Familia familia = Tipo(tipo).familia;
            if (familia != Familia::Texto && familia != Familia::Marcador && familia != Familia::Alarmas) o.donde = n(0, 256);
            switch (familia) {
            case Familia::Texto:
                o.txt = CodigoCaracter(tipo) >= 0 ? QString(LetraRele(quint8(CodigoCaracter(tipo)))) : texto(7);
                if (tipo == 21 && o.txt.size() < 2) o.txt = "AB";
                break;
            case Familia::Simple: o.txt = texto(6); break;
            case Familia::Medida:
                o.txt_m = texto(5);
                o.unidad_m = tipo == 42 ? n(0, 4) : n(0, 256);
                if (tipo == 42) o.txt_u = contadores[o.unidad_m];
                break;
            case Familia::Estados: o.txtb0 = texto(3); o.txtb1 = texto(3); break;
            case Familia::Aparamenta:
                o.oper_b = n(-32768, 32768);
                o.oper_c = n(-32768, 32768);
                o.oper_d = n(-32768, 32768);
                break;
            case Familia::Marcador: o.txtb0 = texto(2); o.txtb1 = texto(5); break;
            case Familia::Analogico:
                o.txt_m = tipo == 43 ? QString("%1%2%3")
                                           .arg(azar.bounded(1 << 16), 4, 16, QChar('0'))
                                           .arg(azar.bounded(1 << 16), 4, 16, QChar('0'))
                                           .arg(40 + azar.bounded(4))
                                           .toUpper()
                                     : "00000000" + QString::number(1 + azar.bounded(3)) + "0";
                break;
            default: break;
            }
            PreparaObjeto(o);
            const auto d = DecodificaObjeto(*BytesDeHex(o.Codificacion));
            ASSERT_TRUE(d) << o.Codificacion.toStdString();
            ASSERT_EQ(CodificaObjeto(*d), o.Codificacion);
            ASSERT_EQ(*d, o) << o.Codificacion.toStdString();
        }
    }
}
