// The graphic object record: its 24 digits per family, the record writers,
// the file-name packing and the decoders of a received object list.
#include "graphic/objeto.h"
#include "store/db/basedatos.h"
#include "support/carpeta_temporal.h"

#include <QFile>
#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace tarvo;

namespace {

ObjetoGrafico Objeto(int tipo, int apa, int x, int y, int pag = 0) {
    ObjetoGrafico o;
    o.apaN2 = qint16(tipo);
    o.apa = qint16(apa);
    o.x = qint16(x);
    o.y = qint16(y);
    o.pag = qint16(pag);
    return o;
}

QByteArray Bytes(const QString &hex) { return *BytesDeHex(hex); }

}  // namespace

TEST(CodificacionObjeto, TextFamily) {
    ObjetoGrafico o = Objeto(21, 11, 3, 12);
    o.txt = "AB";
    PreparaObjeto(o);
    EXPECT_EQ(o.cpu, 4);
    EXPECT_EQ(o.Codificacion, "0B04" "41420000000000" "030C00");
    // Only the first 7 characters of a longer text are sent; the column keeps it whole.
    o.txt = "ABCDEFGHIJ";
    PreparaObjeto(o);
    EXPECT_EQ(o.Codificacion.mid(4, 14), "41424344454647");
    EXPECT_EQ(o.txt, "ABCDEFGHIJ");
    // A special character is one byte of the display font.
    ObjetoGrafico cruz = Objeto(35, 11, 0, 8);
    cruz.txt = QString(QChar(197));
    PreparaObjeto(cruz);
    EXPECT_EQ(cruz.Codificacion, "0B04C500000000000000" "0800");
}

TEST(CodificacionObjeto, StateSwitchgearMeasureAndSimpleFamilies) {
    ObjetoGrafico e = Objeto(23, 13 + 2, 5, 20);
    e.cpu = 1;
    e.txtb0 = "ON";
    e.txtb1 = "";
    e.donde = 0x21;
    PreparaObjeto(e);
    EXPECT_EQ(e.Codificacion, "0F05" "4F4E00" "000000" "21" "051400");   // an empty inactive text is six zeros

    ObjetoGrafico s = Objeto(2, 6, 0, 7);
    s.cpu = 1 | CpuOperable;
    s.oper_b = 5;
    s.oper_c = 0x0102;
    s.oper_d = -1;
    s.donde = 20;
    PreparaObjeto(s);
    EXPECT_EQ(s.Codificacion, "060D" "0500" "0201" "FFFF" "14" "000700");

    ObjetoGrafico m = Objeto(22, 12, 6, 10);
    m.cpu = 2;
    m.txt_m = "Vab12345";   // 5 characters reach the relay
    m.txt_u = "kV";          // stored, not sent
    m.unidad_m = 3;
    m.donde = 40;
    PreparaObjeto(m);
    EXPECT_EQ(m.Codificacion, "0C06" "5661623132" "03" "28" "060A00");

    ObjetoGrafico t = Objeto(11, 4, 0, 14);
    PreparaObjeto(t);
    EXPECT_EQ(t.Codificacion, "0404" "000000000000" "00" "000E00");
}

TEST(CodificacionObjeto, KindsWithRecordsOfTheirOwn) {
    ObjetoGrafico marcador = Objeto(20, 36, 4, 12);
    marcador.cpu = 2;   // always stored as 4
    marcador.txtb0 = "5";
    marcador.txtb1 = "IMAX";
    PreparaObjeto(marcador);
    EXPECT_EQ(marcador.cpu, 4);
    EXPECT_EQ(marcador.Codificacion, "2404" "3500" "494D415800" "040C00");

    ObjetoGrafico alarma = Objeto(44, 46, 1, 12);
    PreparaObjeto(alarma);
    EXPECT_EQ(alarma.txt, QString(" ") + QChar(220));
    EXPECT_EQ(alarma.Codificacion, "2E04" "20DC0020DB0018" "010C00");

    ObjetoGrafico analogico = Objeto(43, 45, 2, 12);
    analogico.cpu = 2;
    analogico.txt_m = "E803F0FF42";
    analogico.unidad_m = 9;   // not sent: byte 7 is 0
    analogico.donde = 30;
    PreparaObjeto(analogico);
    EXPECT_EQ(analogico.Codificacion, "2D06" "E803F0FF42" "00" "1E" "020C00");
}

TEST(CodificacionObjeto, FileNameObjectPacksAnEightDotThreeName) {
    ObjetoGrafico f = ObjetoFichero("FEEDER 1.CNF");
    PreparaObjeto(f);
    EXPECT_EQ(f.Identificador, 2000);
    // Kind 128; the first character without the written flag; the next six; the extension.
    EXPECT_EQ(f.Codificacion, "8046" "454544455231" "00" "434E46");
    EXPECT_EQ(NombreDeObjetoFichero(f), "FEEDER1.CNF");

    const ObjetoGrafico largo = ObjetoFichero("ABCDEFGHIJ.TEXT");
    EXPECT_EQ(NombreDeObjetoFichero(largo), "ABCDEFGH.TEX");
    EXPECT_EQ(largo.donde, 'H');
    const ObjetoGrafico sinPunto = ObjetoFichero("ABC");
    EXPECT_EQ(sinPunto.x + sinPunto.y + sinPunto.pag, 0);
    EXPECT_EQ(ObjetoFichero(".CNF").Codificacion, "8000" + QString(14, '0') + "000000");
}

TEST(CodificacionObjeto, OperationIsTwoRowsSharingTheNumber) {
    prueba::CarpetaTemporal dir;
    const QString ruta = dir.en("g.cnf");
    ASSERT_TRUE(QFile::copy(prueba::FicheroPrograma("tarvo32.dat"), ruta));
    auto db = bd::BaseDatos::Abrir(ruta);
    auto rs = db->OpenRecordset("Grafico COMU", bd::TipoRecordset::Tabla);

    ObjetoGrafico op = Objeto(0, 0, 11, 0, 1);
    op.Identificador = 7;
    op.cpu = 1 | CpuOperable;
    op.oper_b = 3;
    ObjetoGrafico etiqueta;
    etiqueta.txt = "ABRIR";
    GrabaObjetoManiobra(*rs, op, etiqueta, true);
    ASSERT_EQ(rs->RecordCount(), 2);
    rs->MoveFirst();
    EXPECT_EQ(LeeObjeto(*rs), op);
    EXPECT_EQ(op.apaN2, 47);
    EXPECT_EQ(op.Codificacion, "380D" "0300" "0000" "0000" "00" "0B0001");
    rs->MoveNext();
    const ObjetoGrafico leida = LeeObjeto(*rs);
    EXPECT_EQ(leida, etiqueta);
    EXPECT_EQ(leida.Identificador, 7);
    EXPECT_EQ(leida.Codificacion, "0B04" "41425249520000" "0B0001");

    // Editing rewrites both rows in place.
    rs->MoveFirst();
    op.oper_b = 4;
    etiqueta.txt = "CERRA";
    GrabaObjetoManiobra(*rs, op, etiqueta, false);
    EXPECT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(LeeObjeto(*rs).oper_b, 4);
    rs->MoveNext();
    EXPECT_EQ(LeeObjeto(*rs).txt, "CERRA");
}

TEST(DecodificacionObjetos, NumbersObjectsAndSkipsUnwrittenOnes) {
    ObjetoGrafico op = Objeto(47, 56, 11, 0, 1);
    op.cpu = 1;
    PreparaObjeto(op);
    const ObjetoGrafico etiqueta = EtiquetaManiobra(op, "ABRIR");
    ObjetoGrafico texto = Objeto(21, 11, 3, 12);
    texto.txt = "AB";
    PreparaObjeto(texto);
    const QString sinFlag = "0B00" "41420000000000" "040C00";
    const ObjetoGrafico fichero = ObjetoFichero("DEMO.CNF");

    QList<ObjetoGrafico> l;
    ASSERT_TRUE(DecodificaObjetos(texto.Codificacion + sinFlag + op.Codificacion + etiqueta.Codificacion +
                                      fichero.Codificacion + texto.Codificacion + "00000000" + texto.Codificacion,
                                  l));
    ASSERT_EQ(l.size(), 5);   // up to the end object
    EXPECT_EQ(l[0].Identificador, 1);
    EXPECT_EQ(l[1].Identificador, 2);
    EXPECT_EQ(l[1].apaN2, 47);
    EXPECT_EQ(l[2].Identificador, 2);   // the label shares its operation's number
    EXPECT_EQ(l[2].apaN2, 21);
    EXPECT_EQ(l[3].Identificador, 2000);
    EXPECT_EQ(l[3].apaN2, 25);
    EXPECT_EQ(l[4].Identificador, 3);

    // A file name keeps its first character whatever its bits.
    ASSERT_TRUE(DecodificaObjetos(ObjetoFichero("A.CNF").Codificacion, l));
    ASSERT_EQ(l.size(), 1);
    EXPECT_EQ(NombreDeObjetoFichero(l[0]), "A.CNF");
    // Malformed streams are refused, not read past their end.
    EXPECT_FALSE(DecodificaObjetos(texto.Codificacion.left(20), l));
    EXPECT_FALSE(DecodificaObjetos(texto.Codificacion.left(23), l));
    EXPECT_FALSE(DecodificaObjetos(QString(texto.Codificacion).replace(3, 1, 'x'), l));
    EXPECT_TRUE(DecodificaObjetos(u"", l));
    EXPECT_TRUE(DecodificaObjetos(u"00", l));
}

// Random objects of every kind: decoded, they give back the written columns
// and the same 24 digits.
TEST(DecodificacionObjetos, EveryKindDecodesWhatItsWriterWrote) {
    QRandomGenerator azar(5150);
    auto texto = [&](int maximo) {
        QString t("");
        for (int i = 0, n = azar.bounded(maximo + 1); i < n; ++i) t += QChar(char16_t(azar.bounded(1, 256)));
        return t;
    };
    const char *const contadores[] = {"MWh", "Mvarh", "KWh", "Kvarh"};
    for (int tipo = 0; tipo < TiposGraficos; ++tipo) {
        if (tipo == 25) continue;   // the file name: above
        SCOPED_TRACE(tipo);
        for (int i = 0; i < 200; ++i) {
            ObjetoGrafico o = Objeto(tipo, Tipo(tipo).apa, azar.bounded(16), azar.bounded(40), azar.bounded(2));
            if (o.apa < 0) {
                static const QMap<int, QList<int>> codigos = {
                    {0, {1, 2}}, {1, {25, 47}}, {2, {5, 6}}, {3, {23, 24}}, {23, {13}}, {24, {26}}, {45, {48}}};
                const QList<int> c = codigos[tipo];
                o.apa = qint16(c[azar.bounded(int(c.size()))] + (tipo >= 23 ? azar.bounded(8) : 0));
            }
            o.cpu = qint16(azar.bounded(4) | (azar.bounded(2) ? CpuOperable : 0));
            switch (Tipo(tipo).familia) {
            case Familia::Texto:
                o.txt = CodigoCaracter(tipo) >= 0 ? QString(QChar(CodigoCaracter(tipo))) : texto(7);
                if (tipo == 21 && o.txt.size() < 2) o.txt = "AB";
                break;
            case Familia::Simple: o.txt = texto(6); o.donde = qint16(azar.bounded(256)); break;
            case Familia::Medida:
                o.txt_m = texto(5);
                o.unidad_m = qint16(tipo == 42 ? azar.bounded(4) : azar.bounded(256));
                if (tipo == 42) o.txt_u = contadores[o.unidad_m];
                o.donde = qint16(azar.bounded(256));
                break;
            case Familia::Estados: o.txtb0 = texto(3); o.txtb1 = texto(3); o.donde = qint16(azar.bounded(256)); break;
            case Familia::Aparamenta:
                o.oper_b = qint16(azar.bounded(-32768, 32768));
                o.oper_c = qint16(azar.bounded(-32768, 32768));
                o.oper_d = qint16(azar.bounded(-32768, 32768));
                o.donde = qint16(azar.bounded(256));
                break;
            case Familia::Marcador: o.txtb0 = texto(2); o.txtb1 = texto(5); break;
            case Familia::Analogico:
                o.txt_m = tipo == 43 ? QString("%1%2%3").arg(azar.bounded(1 << 16), 4, 16, QChar('0')).arg(azar.bounded(1 << 16), 4, 16, QChar('0')).arg(40 + azar.bounded(4)).toUpper()
                                     : "00000000" + QString::number(1 + azar.bounded(3)) + "0";
                o.donde = qint16(azar.bounded(256));
                break;
            case Familia::Alarmas:
            case Familia::Ninguna: break;
            }
            PreparaObjeto(o);
            const auto d = DecodificaObjeto(Bytes(o.Codificacion));
            ASSERT_TRUE(d) << o.Codificacion.toStdString();
            ASSERT_EQ(CodificaObjeto(*d), o.Codificacion);
            ASSERT_EQ(*d, o) << o.Codificacion.toStdString();
        }
    }
}
