#include "graphic/objeto.h"

#include "core/pagina437.h"
#include "store/db/basedatos.h"

#include <array>

namespace tarvo {
namespace {

using F = Familia;

// Kinds 0..49: routine, family, cells (rows x columns; 0 columns = as wide as
// the texts) and the code the kind always writes.
const std::array<TipoGrafico, TiposGraficos> &Tipos() {
    static const std::array<TipoGrafico, TiposGraficos> tipos = {{
        {0, "ObjetoInterruptor", F::Aparamenta, 2, 3, -1},
        {1, "ObjetoTripolar", F::Aparamenta, 2, 11, -1},
        {2, "ObjetoSeccionador", F::Aparamenta, 2, 3, -1},
        {3, "ObjetoBasculante", F::Aparamenta, 1, 8, -1},
        {4, "ObjetoReenganchadorExterno", F::Aparamenta, 1, 7, 3},
        {5, "ObjetoParoRegulador", F::Aparamenta, 1, 4, 8},
        {6, "ObjetoRemoto", F::Aparamenta, 1, 8, 34},
        {7, "ObjetoSincronizador", F::Aparamenta, 1, 8, 35},
        {8, "ObjetoReenganchador", F::Aparamenta, 1, 4, 9},
        {9, "ObjetoControl", F::Aparamenta, 1, 4, 10},
        {10, "ObjetoControl2", F::Aparamenta, 1, 4, 22},
        {11, "ObjetoTrafo", F::Simple, 2, 3, 4},
        {12, "ObjetoFusible", F::Simple, 2, 1, 7},
        {13, "ObjetoTierra", F::Simple, 2, 3, 21},
        {14, "ObjetoInduccion", F::Simple, 3, 1, 38},
        {15, "ObjetoTrafoAlta", F::Simple, 1, 5, 39},
        {16, "ObjetoTrafoBaja", F::Simple, 1, 5, 40},
        {17, "ObjetoTrafoIntensidad", F::Simple, 2, 1, 41},
        {18, "ObjetoCondensador", F::Simple, 1, 1, 42},
        {19, "ObjetoHayInterruptor", F::Simple, 1, 1, 37},
        {20, "ObjetoMarcadorFuncion", F::Marcador, 3, 4, 36},
        {21, "ObjetoTexto", F::Texto, 1, 0, 11},
        {22, "ObjetoMedidas", F::Medida, 1, 0, 12},
        {23, "ObjetoEstados", F::Estados, 1, 0, -1},
        {24, "ObjetoEventos", F::Estados, 1, 0, -1},
        {25, "ObjetoFichero", F::Simple, 0, 0, ApaFichero},
        {26, "ObjetoCaracter128", F::Texto, 1, 1, 11},
        {27, "ObjetoCaracter179", F::Texto, 1, 1, 11},
        {28, "ObjetoCaracter180", F::Texto, 1, 1, 11},
        {29, "ObjetoCaracter191", F::Texto, 1, 1, 11},
        {30, "ObjetoCaracter192", F::Texto, 1, 1, 11},
        {31, "ObjetoCaracter193", F::Texto, 1, 1, 11},
        {32, "ObjetoCaracter194", F::Texto, 1, 1, 11},
        {33, "ObjetoCaracter195", F::Texto, 1, 1, 11},
        {34, "ObjetoCaracter196", F::Texto, 1, 1, 11},
        {35, "ObjetoCaracter197", F::Texto, 1, 1, 11},
        {36, "ObjetoCaracter217", F::Texto, 1, 1, 11},
        {37, "ObjetoCaracter218", F::Texto, 1, 1, 11},
        {38, "ObjetoCaracter244", F::Texto, 1, 1, 11},
        {39, "ObjetoCaracter252", F::Texto, 1, 1, 11},
        {40, "ObjetoCaracter254", F::Texto, 1, 1, 11},
        {41, "ObjetoCaracter255", F::Texto, 1, 1, 11},
        {42, "ObjetoContador", F::Medida, 1, 0, 43},
        {43, "ObjetoAnalogico", F::Analogico, 1, 9, 45},
        {44, "ObjetoHayAlarmas", F::Alarmas, 1, 3, 46},
        {45, "ObjetoEntradasSalidas", F::Estados, 1, 0, -1},
        {46, "ObjetoAnalogico", F::Analogico, 1, 9, 45},
        {47, "ObjetoManiobra", F::Aparamenta, 1, 6, ApaManiobra},
        {48, "ObjetoCaracter178", F::Texto, 1, 1, 11},
        {49, "ObjetoCaracter221", F::Texto, 1, 1, 11},
    }};
    return tipos;
}

struct Codigo {
    int desde, hasta, tipo, texto;
};

// Relay codes: kind and the dictionary text of their catalogue name.
const std::array<Codigo, 32> &Codigos() {
    static const std::array<Codigo, 32> codigos = {{
        {1, 2, 0, 534},    {3, 3, 4, 535},    {4, 4, 11, 536},   {5, 6, 2, 537},    {7, 7, 12, 538},
        {8, 8, 5, 539},    {9, 9, 8, 540},    {10, 10, 9, 541},  {11, 11, 21, 542}, {12, 12, 22, 543},
        {13, 20, 23, 544}, {21, 21, 13, 545}, {22, 22, 10, 546}, {23, 24, 3, 547},  {25, 25, 1, 548},
        {47, 47, 1, 548},  {26, 33, 24, 549}, {34, 34, 6, 550},  {35, 35, 7, 551},  {36, 36, 20, 552},
        {37, 37, 19, 553}, {38, 38, 14, 554}, {39, 39, 15, 555}, {40, 40, 16, 556}, {41, 41, 17, 557},
        {42, 42, 18, 558}, {128, 128, 25, 559}, {43, 43, 42, 560}, {45, 45, 43, 561}, {46, 46, 44, 562},
        {48, 55, 45, 563}, {56, 56, 47, 564},
    }};
    return codigos;
}

constexpr std::array<std::pair<int, int>, 18> Caracteres = {{
    {26, 128}, {27, 179}, {28, 180}, {29, 191}, {30, 192}, {31, 193}, {32, 194}, {33, 195}, {34, 196},
    {35, 197}, {36, 217}, {37, 218}, {38, 244}, {39, 252}, {40, 254}, {41, 255}, {48, 178}, {49, 221},
}};

QString Codifica(const ObjetoGrafico &o, Familia f) {
    QString s = HexByte(o.apa) + HexByte(o.cpu);
    switch (f) {
    case F::Texto:
        s += CampoTexto(o.txt, 7);
        break;
    case F::Simple:
        s += CampoTexto(o.txt, 6) + HexByte(o.donde);
        break;
    case F::Medida:
        s += CampoTexto(o.txt_m, 5) + HexByte(o.unidad_m) + HexByte(o.donde);
        break;
    case F::Estados:
        s += CampoTexto(o.txtb0, 3) + CampoTexto(o.txtb1, 3) + HexByte(o.donde);
        break;
    case F::Aparamenta:
        s += CampoOperando(o.oper_b) + CampoOperando(o.oper_c) + CampoOperando(o.oper_d) + HexByte(o.donde);
        break;
    case F::Marcador:
        s += CampoTexto(o.txtb0, 2) + CampoTexto(o.txtb1, 5);
        break;
    case F::Analogico:
        // The dialog's parameter string goes out as it is: five bytes, then 0.
        s += o.txt_m.left(10).leftJustified(10, '0') + "00" + HexByte(o.donde);
        break;
    case F::Alarmas:
        s += CampoHayAlarmas;
        break;
    case F::Ninguna:
        s += QString(14, '0');
        break;
    }
    return s + HexByte(o.x) + HexByte(o.y) + HexByte(o.pag);
}

void Prepara(ObjetoGrafico &o, Familia f) {
    if (o.apa != ApaFichero) o.cpu = qint16(o.cpu | CpuGrabado);
    if (f == F::Marcador || f == F::Alarmas) o.cpu = CpuGrabado;
    if (f == F::Alarmas) o.txt = TextoHayAlarmas();
    if (f == F::Simple && o.txt.isNull()) o.txt = "";   // fixed-shape symbols store an empty text
    o.Codificacion = Codifica(o, f);
}

void Graba(bd::Recordset &rs, ObjetoGrafico &o, Familia f, bool nuevo) {
    Prepara(o, f);
    if (nuevo)
        rs.AddNew();
    else
        rs.Edit();
    EscribeObjeto(rs, o);
    rs.Update();
}

// Characters up to the first zero byte.
QString TextoDe(const QByteArray &b, int desde, int cuantos) {
    QString t("");   // an empty text of a used field is "", not Null
    for (int i = desde; i < desde + cuantos; ++i) {
        const auto c = quint8(b[i]);
        if (c == 0) break;
        t += LetraRele(c);
    }
    return t;
}

QVariant Texto(const QString &t) { return t.isNull() ? QVariant() : QVariant(t); }

}  // namespace

const TipoGrafico &Tipo(int tipo) {
    static const TipoGrafico ninguno;
    return tipo >= 0 && tipo < TiposGraficos ? Tipos()[size_t(tipo)] : ninguno;
}

int TipoDeCodigo(int apa) {
    for (const Codigo &c : Codigos())
        if (apa >= c.desde && apa <= c.hasta) return c.tipo;
    return -1;
}

Familia FamiliaDeCodigo(int apa) { return Tipo(TipoDeCodigo(apa)).familia; }

int TextoDeCodigo(int apa) {
    for (const Codigo &c : Codigos())
        if (apa >= c.desde && apa <= c.hasta) return c.texto;
    return 0;
}

int CodigoCaracter(int tipo) {
    for (const auto &[t, c] : Caracteres)
        if (t == tipo) return c;
    return -1;
}

int TipoCaracter(int codigo) {
    for (const auto &[t, c] : Caracteres)
        if (c == codigo) return t;
    return -1;
}

QString UnidadContador(int unidad_m) {
    static const char *const unidades[] = {"MWh", "Mvarh", "KWh", "Kvarh"};
    return unidad_m >= 0 && unidad_m < 4 ? QString(unidades[unidad_m]) : QString();
}

QString HexByte(int valor) { return QString("%1").arg(valor & 0xFF, 2, 16, QChar('0')).toUpper(); }

int CodigoDe(QChar c) { return CodigoRele(c).value_or('?'); }

QString CampoTexto(const QString &texto, int bytes) {
    QString s;
    for (int i = 0; i < bytes; ++i) s += HexByte(i < texto.size() ? CodigoDe(texto[i]) : 0);
    return s;
}

QString CampoOperando(int valor) { return HexByte(valor) + HexByte(valor >> 8); }

QString CodificaObjeto(const ObjetoGrafico &o) { return Codifica(o, Tipo(o.apaN2).familia); }

void PreparaObjeto(ObjetoGrafico &o) { Prepara(o, Tipo(o.apaN2).familia); }

void GrabaObjetoTexto(bd::Recordset &rs, ObjetoGrafico &o, bool nuevo) { Graba(rs, o, F::Texto, nuevo); }
void GrabaObjetoSimple(bd::Recordset &rs, ObjetoGrafico &o, bool nuevo) { Graba(rs, o, F::Simple, nuevo); }
void GrabaObjetoMedida(bd::Recordset &rs, ObjetoGrafico &o, bool nuevo) { Graba(rs, o, F::Medida, nuevo); }
void GrabaObjetoEstados(bd::Recordset &rs, ObjetoGrafico &o, bool nuevo) { Graba(rs, o, F::Estados, nuevo); }
void GrabaObjetoAparamenta(bd::Recordset &rs, ObjetoGrafico &o, bool nuevo) { Graba(rs, o, F::Aparamenta, nuevo); }
void GrabaObjetoMarcador(bd::Recordset &rs, ObjetoGrafico &o, bool nuevo) { Graba(rs, o, F::Marcador, nuevo); }
void GrabaObjetoAnalogico(bd::Recordset &rs, ObjetoGrafico &o, bool nuevo) { Graba(rs, o, F::Analogico, nuevo); }
void GrabaObjetoHayAlarmas(bd::Recordset &rs, ObjetoGrafico &o, bool nuevo) { Graba(rs, o, F::Alarmas, nuevo); }

void GrabaObjetoManiobra(bd::Recordset &rs, ObjetoGrafico &operacion, ObjetoGrafico &etiqueta, bool nuevo) {
    operacion.apaN2 = 47;
    operacion.apa = ApaManiobra;
    etiqueta = EtiquetaManiobra(operacion, etiqueta.txt);
    Graba(rs, operacion, F::Aparamenta, nuevo);
    if (nuevo) {
        Graba(rs, etiqueta, F::Texto, true);
        return;
    }
    rs.MoveNext();
    Graba(rs, etiqueta, F::Texto, false);
    rs.MovePrevious();
}

void GrabaObjeto(bd::Recordset &rs, ObjetoGrafico &o, bool nuevo) { Graba(rs, o, Tipo(o.apaN2).familia, nuevo); }

ObjetoGrafico LeeObjeto(const bd::Recordset &rs) {
    auto n = [&](const char *c) { return qint16(rs.Value(c).toInt()); };
    auto t = [&](const char *c) {
        const QVariant v = rs.Value(c);
        return v.isNull() ? QString() : v.toString();
    };
    ObjetoGrafico o;
    o.Identificador = n("Identificador");
    o.apaN2 = n("apaN2");
    o.apa = n("apa");
    o.cpu = n("cpu");
    o.txt = t("txt");
    o.txt_m = t("txt_m");
    o.txt_u = t("txt_u");
    o.unidad_m = n("unidad_m");
    o.txtb0 = t("txtb0");
    o.txtb1 = t("txtb1");
    o.oper_b = n("oper_b");
    o.oper_c = n("oper_c");
    o.oper_d = n("oper_d");
    o.donde = n("donde");
    o.x = n("x");
    o.y = n("y");
    o.pag = n("pag");
    o.Codificacion = t("Codificacion");
    return o;
}

void EscribeObjeto(bd::Recordset &rs, const ObjetoGrafico &o) {
    rs.SetValue("Identificador", o.Identificador);
    rs.SetValue("apaN2", o.apaN2);
    rs.SetValue("apa", o.apa);
    rs.SetValue("cpu", o.cpu);
    rs.SetValue("txt", Texto(o.txt));
    rs.SetValue("txt_m", Texto(o.txt_m));
    rs.SetValue("txt_u", Texto(o.txt_u));
    rs.SetValue("unidad_m", o.unidad_m);
    rs.SetValue("txtb0", Texto(o.txtb0));
    rs.SetValue("txtb1", Texto(o.txtb1));
    rs.SetValue("oper_b", o.oper_b);
    rs.SetValue("oper_c", o.oper_c);
    rs.SetValue("oper_d", o.oper_d);
    rs.SetValue("donde", o.donde);
    rs.SetValue("x", o.x);
    rs.SetValue("y", o.y);
    rs.SetValue("pag", o.pag);
    rs.SetValue("Codificacion", Texto(o.Codificacion));
}

ObjetoGrafico ObjetoFichero(const QString &nombre) {
    QString limpio = nombre;
    limpio.remove(' ');
    if (limpio.startsWith('.')) limpio.clear();
    const qsizetype punto = limpio.indexOf('.');
    const QString base = (punto < 0 ? limpio : limpio.left(punto)).left(8);
    const QString ext = punto < 0 ? QString() : limpio.mid(punto + 1).left(3);
    auto codigo = [](const QString &s, int i) { return qint16(i < s.size() ? CodigoDe(s[i]) : 0); };

    ObjetoGrafico o;
    o.Identificador = IdentificadorFichero;
    o.apaN2 = 25;
    o.apa = ApaFichero;
    o.cpu = codigo(base, 0);
    o.txt = base.mid(1, 6);
    o.donde = codigo(base, 7);
    o.x = codigo(ext, 0);
    o.y = codigo(ext, 1);
    o.pag = codigo(ext, 2);
    o.Codificacion = Codifica(o, F::Simple);
    return o;
}

QString NombreDeObjetoFichero(const ObjetoGrafico &o) {
    auto caracter = [](int c) { return c & 0xFF ? QString(LetraRele(quint8(c))) : QString(); };
    const QString base = caracter(o.cpu) + o.txt + caracter(o.donde);
    const QString ext = caracter(o.x) + caracter(o.y) + caracter(o.pag);
    return ext.isEmpty() ? base : base + "." + ext;
}

ObjetoGrafico EtiquetaManiobra(const ObjetoGrafico &operacion, const QString &texto) {
    ObjetoGrafico e;
    e.Identificador = operacion.Identificador;
    e.apaN2 = 21;
    e.apa = ApaTexto;
    e.cpu = CpuGrabado;
    e.txt = texto.isNull() ? QString("") : texto;
    e.x = operacion.x;
    e.y = operacion.y;
    e.pag = operacion.pag;
    e.Codificacion = Codifica(e, F::Texto);
    return e;
}

QString TextoHayAlarmas() { return QString(" ") + LetraRele(220); }

std::optional<QByteArray> BytesDeHex(QStringView hex) {
    if (hex.size() % 2) return std::nullopt;
    QByteArray b(hex.size() / 2, Qt::Uninitialized);
    auto digito = [](QChar c) -> int {
        const char16_t u = c.unicode();
        if (u >= '0' && u <= '9') return u - '0';
        if (u >= 'A' && u <= 'F') return u - 'A' + 10;
        if (u >= 'a' && u <= 'f') return u - 'a' + 10;
        return -1;
    };
    for (qsizetype i = 0; i < b.size(); ++i) {
        const int alto = digito(hex[2 * i]), bajo = digito(hex[2 * i + 1]);
        if (alto < 0 || bajo < 0) return std::nullopt;
        b[i] = char(alto * 16 + bajo);
    }
    return b;
}

std::optional<ObjetoGrafico> DecodificaObjeto(const QByteArray &b) {
    if (b.size() != 12) return std::nullopt;
    auto u = [&](int i) { return qint16(quint8(b[i])); };
    ObjetoGrafico o;
    o.apa = u(0);
    o.cpu = u(1);
    // The file-name object keeps its name's first character where the others
    // keep the written flag: whatever that character, it is the user's name.
    if (o.apa != ApaFichero && !(o.cpu & CpuGrabado)) return std::nullopt;
    o.apaN2 = qint16(TipoDeCodigo(o.apa));
    switch (FamiliaDeCodigo(o.apa)) {
    case F::Texto:
    case F::Alarmas:
        o.txt = TextoDe(b, 2, 7);
        if (o.apa == ApaTexto && o.txt.size() == 1 && TipoCaracter(CodigoDe(o.txt[0])) >= 0)
            o.apaN2 = qint16(TipoCaracter(CodigoDe(o.txt[0])));
        break;
    case F::Simple:
        o.txt = TextoDe(b, 2, 6);
        o.donde = u(8);
        break;
    case F::Medida:
        o.txt_m = TextoDe(b, 2, 5);
        o.unidad_m = u(7);
        o.donde = u(8);
        if (o.apaN2 == 42 && !UnidadContador(o.unidad_m).isEmpty()) o.txt_u = UnidadContador(o.unidad_m);
        break;
    case F::Analogico:
        o.txt_m = QString::fromLatin1(b.mid(2, 5).toHex().toUpper());
        o.donde = u(8);
        // Scale-and-precision strings carry the digit 4 where the output-format form has 1 to 3.
        o.apaN2 = (u(6) >> 4) == 4 ? 43 : 46;
        break;
    case F::Estados:
        o.txtb0 = TextoDe(b, 2, 3);
        o.txtb1 = TextoDe(b, 5, 3);
        o.donde = u(8);
        break;
    case F::Aparamenta:
        o.oper_b = qint16(u(2) | u(3) << 8);
        o.oper_c = qint16(u(4) | u(5) << 8);
        o.oper_d = qint16(u(6) | u(7) << 8);
        o.donde = u(8);
        break;
    case F::Marcador:
        o.txtb0 = TextoDe(b, 2, 2);
        o.txtb1 = TextoDe(b, 4, 5);
        break;
    case F::Ninguna:
        return std::nullopt;
    }
    o.x = u(9);
    o.y = u(10);
    o.pag = u(11);
    o.Codificacion = QString::fromLatin1(b.toHex().toUpper());
    return o;
}

bool DecodificaObjetos(QStringView hex, QList<ObjetoGrafico> &objetos) {
    const auto bytes = BytesDeHex(hex);
    if (!bytes) return false;
    QList<ObjetoGrafico> leidos;
    qint16 siguiente = 1;
    bool etiquetaPendiente = false;
    for (qsizetype i = 0; i < bytes->size() && (*bytes)[i] != 0; i += 12) {
        if (bytes->size() - i < 12) return false;
        auto o = DecodificaObjeto(bytes->mid(i, 12));
        if (!o) {
            etiquetaPendiente = false;
            continue;
        }
        if (o->apa == ApaFichero) {
            o->Identificador = IdentificadorFichero;
        } else if (etiquetaPendiente && o->apa == ApaTexto && o->x == leidos.last().x && o->y == leidos.last().y &&
                   o->pag == leidos.last().pag) {
            o->Identificador = leidos.last().Identificador;
            o->apaN2 = 21;   // a label is a text row, whatever its character
        } else {
            if (siguiente == IdentificadorFichero) ++siguiente;
            o->Identificador = siguiente++;
        }
        etiquetaPendiente = o->apa == ApaManiobra;
        leidos.append(*o);
    }
    objetos = leidos;
    return true;
}

}  // namespace tarvo
