// Packing a table of a configuration into the 32-bit values its blocks carry.
// The packers work on an open database and throw; EmpaquetaEnvio packs and
// checks a whole send, and the sender reports in its own words.
#pragma once

#include "comms/codificacion/registros.h"
#include "core/aplicacion.h"

#include <QList>

#include <array>

namespace tarvo {

// A table's stream holds at most this many values (indices 0 to 900).
inline constexpr int MaximoValores = 901;
inline constexpr int RanurasTexto = 96;      // event text slots of the relay
inline constexpr int BytesRanura = 24;
inline constexpr int ValoresObjeto = 3;      // 12 bytes per display object
inline constexpr int ValoresBloqueGrafico = 12;

// Bytes appended in order (or from a chosen byte) and read back as values,
// four bytes each, the first byte lowest, the last value zero-completed.
class AcumuladorBytes {
public:
    // Appends the pairs of a Codificacion; throws ErrorCodificacion for a text
    // that is not hexadecimal or has an odd length.
    void Agrega(QStringView codificacion);
    void Posiciona(qsizetype byte) { posicion_ = byte; }
    void Completa(qsizetype bytes);   // zero bytes up to this size
    qsizetype Bytes() const { return bytes_.size(); }
    // Throws when the stream would need more than MaximoValores values.
    QList<qint32> Valores() const;

private:
    QByteArray bytes_;
    qsizetype posicion_ = 0;
};

// Where the texts of each TipoTexto ("prot", "cont", "comu") start: the
// front-panel texts fill the last slots, the control ones lie just below
// them and the protection ones start at slot 0. A type whose event table is
// not in the catalogue has no slot.
QMap<QString, int> RanurasTextoEventos(const Aplicacion &app);
// Input types of "Entradas CTRL" in transfer order, each only when the
// catalogue lists its companion table.
QStringList TiposEntradaCTRL(const Aplicacion &app);
QString ConsultaEntradasCTRL(const QString &tipo);
// The graphic's block plan for a stream of `valores` values: 12 per block,
// then the 0 that ends the list. Throws when more than 75 blocks are needed.
std::array<qint16, 76> PlanBloquesGrafico(int valores);

QList<qint32> EmpaquetaTabla(bd::BaseDatos &db, const QString &tabla);
QList<qint32> EmpaquetaEntradasCTRL(bd::BaseDatos &db, const Aplicacion &app);
QList<qint32> EmpaquetaTextoEventos(bd::BaseDatos &db, const Aplicacion &app);
// The objects, then an all-zero end object.
QList<qint32> EmpaquetaGrafico(bd::BaseDatos &db);
// The packer the catalogue entry's table calls for (an empty stream for a
// table that is never sent).
QList<qint32> Empaqueta(bd::BaseDatos &db, const Aplicacion &app, const QString &tabla);

// A table that cannot go to the relay as the file holds it: which table,
// which record (from 1; 0 for the table as a whole) and why, as a dictionary
// text number with its parameters after the table and the record.
struct TablaNoEnviable : ErrorCodificacion {
    TablaNoEnviable(QString tabla_, int registro_, int motivo_, QVariantList datos_ = {});
    QString tabla;
    int registro;
    int motivo;
    QVariantList datos;
};

// What the user reads about it: the table and record, then why.
QString DescribeTablaNoEnviable(const clsDiccionario &dic, const TablaNoEnviable &e);

namespace motivo_envio {
constexpr int NoEsTabla = 3002;        // missing, or a view in its place
constexpr int Vacia = 3003;            // NULL or empty Codificacion
constexpr int NoEsTexto = 3004;        // a number where the text belongs
constexpr int NoHexadecimal = 3005;
constexpr int Longitud = 3006;         // digits, then the digits of its layout
constexpr int Registros = 3007;        // records, then the records the model has
constexpr int Valores = 3008;          // values, then the values of the model's blocks
constexpr int Ranuras = 3009;          // a text type runs into the next type's slots
}  // namespace motivo_envio

// One table packed for a send, with the block plan it goes out by.
struct TablaEmpaquetada {
    EntradaGrupo entrada;
    QList<qint32> valores;
};

// Every table of the catalogue that travels (only those named in `solo`,
// when given), in catalogue order, packed and checked against its record
// layout and the catalogue before any of them is sent: a record of the wrong
// length, an empty or non-text Codificacion, missing or extra records would
// otherwise shift or zero-fill what the relay gets. Throws TablaNoEnviable.
// The graphic's entry gets the block plan of its objects.
QList<TablaEmpaquetada> EmpaquetaEnvio(bd::BaseDatos &db, const Aplicacion &app, const QStringList *solo = nullptr);

}  // namespace tarvo
