// The graphic object record of "Grafico COMU": its columns, the relay's
// object type codes and the editor's kinds, and the 12 bytes each object is
// sent as. Pure logic: the graphic editor, the sender, the receiver and the
// report all build on it.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace bd { class Recordset; }

namespace tarvo {

// One row of "Grafico COMU". A null text is a Null column.
struct ObjetoGrafico {
    qint16 Identificador = 0;
    qint16 apaN2 = 0;        // the editor's kind, 0..49; never encoded
    qint16 apa = 0;          // the relay's object type code
    qint16 cpu = 0;          // datum source in the low bits; 4 = written; 8 = may be operated
    QString txt, txt_m, txt_u;
    qint16 unidad_m = 0;
    QString txtb0, txtb1;
    qint16 oper_b = 0, oper_c = 0, oper_d = 0;
    qint16 donde = 0;
    qint16 x = 0, y = 0, pag = 0;   // x is the ROW, y the COLUMN
    QString Codificacion;

    bool operator==(const ObjetoGrafico &) const = default;
};

// How a kind's record is written. The last three are kinds with records of
// their own (20; 43 and 46; 44).
enum class Familia { Texto, Simple, Medida, Estados, Aparamenta, Marcador, Analogico, Alarmas, Ninguna };

inline constexpr int TiposGraficos = 50;
inline constexpr int ApaFichero = 128;
inline constexpr int IdentificadorFichero = 2000;
inline constexpr int ApaTexto = 11;
inline constexpr int ApaManiobra = 56;
inline constexpr int CpuGrabado = 4;      // set by every writer but the file-name one
inline constexpr int CpuOperable = 8;

struct TipoGrafico {
    int tipo = -1;
    const char *rutina = "";
    Familia familia = Familia::Ninguna;
    int alto = 0, ancho = 0;   // cells; 0 wide: the width follows the texts
    int apa = -1;              // the code the kind always writes, -1 when chosen
};

// Kinds 0..49; kinds without a routine (none today) give familia Ninguna.
const TipoGrafico &Tipo(int tipo);
// The kind a relay code belongs to (-1 for an unknown code). Code 11 gives
// the text kind 21 and code 45 the analogue kind 43: the special characters
// and the second analogue form are told apart by the object's bytes.
int TipoDeCodigo(int apa);
Familia FamiliaDeCodigo(int apa);
// Dictionary text of a code's name in the model's object catalogue, 0 when unknown.
int TextoDeCodigo(int apa);

// The eighteen special display characters: kind -> code, and back (-1).
int CodigoCaracter(int tipo);
int TipoCaracter(int codigo);

// The unit a counter of format unidad_m 0..3 shows ("MWh", "Mvarh", "KWh",
// "Kvarh"); an empty text for any other format.
QString UnidadContador(int unidad_m);

// Codificacion pieces: two upper-case digits per byte.
QString HexByte(int valor);
// A text field of `bytes` bytes: 8-bit codes, zero-padded, cut to width.
QString CampoTexto(const QString &texto, int bytes);
// A 16-bit operand, low byte first.
QString CampoOperando(int valor);
// The 8-bit code of a display character (characters beyond 255 become "?").
int CodigoDe(QChar c);

// The 24 digits of an object, by the family of its kind (apaN2).
QString CodificaObjeto(const ObjetoGrafico &o);

// The record writers: set the written flag in cpu (the file-name object keeps
// its cpu), rebuild Codificacion and store the row: appended when `nuevo`,
// otherwise the current row of `rs` is rewritten.
void GrabaObjetoTexto(bd::Recordset &rs, ObjetoGrafico &o, bool nuevo);
void GrabaObjetoSimple(bd::Recordset &rs, ObjetoGrafico &o, bool nuevo);
void GrabaObjetoMedida(bd::Recordset &rs, ObjetoGrafico &o, bool nuevo);
void GrabaObjetoEstados(bd::Recordset &rs, ObjetoGrafico &o, bool nuevo);
void GrabaObjetoAparamenta(bd::Recordset &rs, ObjetoGrafico &o, bool nuevo);
void GrabaObjetoMarcador(bd::Recordset &rs, ObjetoGrafico &o, bool nuevo);     // kind 20
void GrabaObjetoAnalogico(bd::Recordset &rs, ObjetoGrafico &o, bool nuevo);    // kinds 43, 46
void GrabaObjetoHayAlarmas(bd::Recordset &rs, ObjetoGrafico &o, bool nuevo);   // kind 44
// Kind 47: the operation row and, right after it, its label row. Editing
// rewrites the current row and the one that follows, and leaves the cursor
// on the operation row.
void GrabaObjetoManiobra(bd::Recordset &rs, ObjetoGrafico &operacion, ObjetoGrafico &etiqueta, bool nuevo);
// The writer of the object's kind (kind 47 rows are written one by one here).
void GrabaObjeto(bd::Recordset &rs, ObjetoGrafico &o, bool nuevo);

// Sets the written flag the way the writers do and rebuilds Codificacion.
void PreparaObjeto(ObjetoGrafico &o);

// Row <-> record.
ObjetoGrafico LeeObjeto(const bd::Recordset &rs);
void EscribeObjeto(bd::Recordset &rs, const ObjetoGrafico &o);

// The file-name object for a name such as "FEEDER1.CNF" (8.3, blanks removed).
ObjetoGrafico ObjetoFichero(const QString &nombre);
// The name an object of kind 25 carries.
QString NombreDeObjetoFichero(const ObjetoGrafico &o);

// Kind 47's label row for an operation row.
ObjetoGrafico EtiquetaManiobra(const ObjetoGrafico &operacion, const QString &texto);

// The alarm indicator's shown text and its fixed encoded field.
QString TextoHayAlarmas();
inline constexpr const char *CampoHayAlarmas = "20DC0020DB0018";

// Receive side. The bytes of an even-length hexadecimal text; nullopt for
// anything else.
std::optional<QByteArray> BytesDeHex(QStringView hex);
// One object of 12 bytes: nullopt when byte 1 lacks the written flag or the
// code has no family. Identificador is left 0; apaN2 is worked out from the
// code and the bytes.
std::optional<ObjetoGrafico> DecodificaObjeto(const QByteArray &bytes);
// The received object list: objects in order up to the first whose byte 0 is
// zero (or the end of the text). Numbers the objects from 1 in order; the
// file-name object gets 2000 and an operation's label row the operation's
// number. False (and nothing) for a malformed text: not hexadecimal, odd
// length, or an object cut short.
bool DecodificaObjetos(QStringView hex, QList<ObjetoGrafico> &objetos);

}  // namespace tarvo
