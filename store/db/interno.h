// Pieces shared by the three units of the database layer; not for callers.
#pragma once

#include "store/db/basedatos.h"

#include <QVector>

#include <optional>

struct sqlite3_stmt;

namespace bd::detalle {

// The open connection, shared by a database and its recordsets so that a
// recordset left open after its database is closed fails cleanly instead of
// using a dangling handle.
struct Conexion {
    sqlite3 *db = nullptr;
    bool soloLectura = false;
};

// Throws the connection's last error (extended code and message).
[[noreturn]] void LanzaErrorSqlite(sqlite3 *db, int codigo);
sqlite3 *Abierta(const std::shared_ptr<Conexion> &con);   // throws Cerrado when closed

// A prepared statement that finalizes itself.
class Sentencia {
public:
    Sentencia(sqlite3 *db, const QString &sql);   // throws on a syntax error
    ~Sentencia();
    Sentencia(const Sentencia &) = delete;
    Sentencia &operator=(const Sentencia &) = delete;
    sqlite3_stmt *st() const { return st_; }
    void Enlaza(const QVariantList &parametros);
    bool Paso();   // true while there is a row; throws on error

private:
    sqlite3 *db_;
    sqlite3_stmt *st_ = nullptr;
};

void EnlazaValor(sqlite3_stmt *st, int posicion, const QVariant &valor);

// Declared type <-> field definition.
struct TipoDeclarado {
    TipoCampo tipo = TipoCampo::Texto;
    int tamano = 0;
    bool permiteLongitudCero = true;
};
std::optional<TipoDeclarado> InterpretaTipo(const QString &declarado);   // empty type: nullopt
QString TextoTipo(const DefCampo &campo);

// A column value as the callers see it, given the column's declared type.
QVariant LeeValor(sqlite3_stmt *st, int columna, const std::optional<TipoDeclarado> &tipo);

QString NombreSql(const QString &nombre);   // "name" with embedded quotes doubled

// Lexical view of an SQL text, enough to rewrite the Jet dialect and to find
// the tables of a query's FROM clause.
struct Pieza {
    enum Clase { Palabra, Nombre, Texto, Numero, Simbolo };
    Clase clase;
    int inicio;   // offsets into the text
    int fin;
    QString texto;
    bool Es(const char *palabra) const;   // case-insensitive keyword test
    int nivel = 0;                        // parenthesis depth at this piece
};
// comillasSonTexto: "..." is a string literal (Jet) rather than a name (SQLite).
QVector<Pieza> Trocea(const QString &sql, bool comillasSonTexto);

// A name as written in SQL ([x], "x", `x` or bare) without its quoting.
QString SinComillas(const QString &nombre);

// What a SELECT reads from, for writing back through it.
struct ReferenciaTabla {
    QString tabla;        // as written, unquoted
    QString calificador;  // the alias or the name, as written (quoted), for "q.rowid"
};
struct AnalisisConsulta {
    bool esSelect = false;
    bool actualizable = false;   // plain SELECT whose FROM clause was understood
    QVector<ReferenciaTabla> tablas;
    int posicionFrom = -1;       // where the hidden rowid columns go
};
AnalisisConsulta AnalizaConsulta(const QString &sqlSqlite);

std::unique_ptr<Recordset> AbreRecordset(const std::shared_ptr<Conexion> &con, const QString &origen,
                                         TipoRecordset tipo, const QVariantList &parametros);

// Name prefix of the hidden rowid columns a dynaset adds to its query.
inline constexpr const char *kPrefijoOculto = "__tv_rowid_";

}  // namespace bd::detalle
