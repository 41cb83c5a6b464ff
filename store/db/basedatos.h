// DAO-style access to the program's database files (SQLite underneath).
//
// Every file the program reads or writes as a database goes through here: the
// language data, the model catalogue, the model databases and the configuration
// files. The callers write SQL in the Jet dialect they were designed around
// (bracketed names with blanks, DISTINCTROW, double-quoted literals,
// "DELETE * FROM"); TraduceSql turns it into SQLite's.
//
// Failures are thrown as ErrorBD; each calling procedure traps them and reports
// them in its own words, the way every procedure of the program does.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QList>

#include <memory>
#include <stdexcept>

struct sqlite3;

namespace bd {

// Error numbers follow the engine's (SQLite extended result codes, e.g. 5
// "locked", 11 "malformed", 14 "cannot open", 26 "not a database", 275 a CHECK
// failed); they are shown to the user between brackets after the description.
// Mistakes in the use of this layer get numbers of their own, above any the
// engine gives.
struct ErrorBD : std::runtime_error {
    ErrorBD(int numero, const QString &descripcion);
    int numero;
    QString descripcion;
};

namespace codigo {
constexpr int SinRegistroActual = 20001;    // no current row (BOF/EOF, deleted row)
constexpr int NoEncontrado = 20002;         // no such field or table
constexpr int SinEdicion = 20003;           // SetValue/Update without Edit or AddNew
constexpr int SoloLectura = 20004;          // snapshot, read-only file or read-only query
constexpr int CampoNoActualizable = 20005;  // a computed column, or one of an ambiguous join
constexpr int Cerrado = 20006;              // the recordset or its database is closed
constexpr int SinTransaccion = 20007;       // CommitTrans/Rollback without BeginTrans
constexpr int ArgumentoNoValido = 20008;    // e.g. SQL with the wrong count of parameters
}  // namespace codigo

// Column types are kept as the declared type of the SQLite column, so they
// survive a reopen: BOOLEAN, BYTE, SHORT, LONG, DOUBLE, TEXT(size), LONGTEXT,
// DATETIME; a text column that refuses "" is declared "NONEMPTY TEXT(size)" (or
// "NONEMPTY LONGTEXT") and carries a CHECK that enforces it. Files made by other
// tools are read too: INTEGER/INT read as EnteroLargo, REAL/FLOAT as Doble,
// VARCHAR/CHAR as Texto, and so on.
// Values read back as: Booleano -> bool; Byte, Entero, EnteroLargo -> int;
// Doble -> double; Texto, Memo -> QString; FechaHora -> QDateTime (stored as
// ISO text "yyyy-MM-ddTHH:mm:ss"); SQL NULL -> an invalid QVariant.
enum class TipoCampo { Booleano, Byte, Entero, EnteroLargo, Doble, Texto, Memo, FechaHora };

struct DefCampo {
    QString nombre;
    TipoCampo tipo = TipoCampo::Texto;
    int tamano = 0;                    // characters, for Texto; 0 = engine default
    bool permiteLongitudCero = true;   // "" accepted in a Texto/Memo column
    bool requerido = false;
};

// Index names are per table (as the callers think of them); the SQLite index
// is named "<table>.<name>". The primary index becomes the table's PRIMARY KEY.
struct DefIndice {
    QString nombre;
    QStringList campos;
    bool primario = false;
    bool unico = false;
};

struct DefTabla {
    QString nombre;
    QList<DefCampo> campos;
    QList<DefIndice> indices;
};

enum class TipoRecordset { Tabla, Dynaset, Snapshot };

enum class Apertura {
    Compartida,   // other connections may read and write
    Exclusiva,    // nobody else may open the file while we hold it
    SoloLectura,  // shared, and writes are refused
    // The program's own temporary copies (working, receive, compaction):
    // exclusive, and written without waiting for the disk and without the
    // integrity check on open. They are made from checked files, and a crash
    // loses nothing that was saved.
    Temporal,
};

class Recordset;
namespace detalle { struct Conexion; }

class BaseDatos {
public:
    // Opens an existing file. A missing file, or one that is not a database,
    // throws. Opening never runs anything the file carries (defensive mode,
    // untrusted schema, no extensions, the file's triggers never fire).
    static std::unique_ptr<BaseDatos> Abrir(const QString &ruta, Apertura modo = Apertura::Compartida);
    // Creates a new, empty database; an existing file throws.
    static std::unique_ptr<BaseDatos> Crear(const QString &ruta);

    ~BaseDatos();
    BaseDatos(const BaseDatos &) = delete;
    BaseDatos &operator=(const BaseDatos &) = delete;

    void Close();
    bool IsOpen() const;
    QString Name() const;   // the file path

    // origen: a table name (no brackets) or an SQL text (it starts with SELECT).
    // All rows are read at once. Table and dynaset kinds are updatable when the
    // file is writable and the query is a plain SELECT (no UNION, DISTINCT or
    // GROUP BY); adding and deleting need a single-table source. A snapshot is
    // always read-only. Closing the database closes its recordsets.
    std::unique_ptr<Recordset> OpenRecordset(const QString &origen,
                                             TipoRecordset tipo = TipoRecordset::Dynaset,
                                             const QVariantList &parametros = {});
    // Runs one statement (Jet dialect); "?" parameters are bound in order and
    // their count must match. Returns the number of rows changed (0 for DDL).
    int Execute(const QString &sql, const QVariantList &parametros = {});

    // Table definitions of the user tables, in creation order.
    // TableNames() gives the names as created (callers compare them exactly).
    QStringList TableNames() const;
    DefTabla TableDef(const QString &nombre) const;   // throws when absent
    void CreateTableDef(const DefTabla &def);

    // May nest; each level is a savepoint.
    void BeginTrans();
    void CommitTrans();
    void Rollback();

    sqlite3 *handle() const;   // nullptr once closed

private:
    BaseDatos(std::shared_ptr<detalle::Conexion> con, QString ruta);
    std::shared_ptr<detalle::Conexion> con_;   // shared with the recordsets
    QString ruta_;
    int transacciones_ = 0;
};

// A cursor over the rows of a table or a query. Table and dynaset recordsets
// write through to the underlying table(s): a field of a joined query writes the
// column it comes from, in the row of its own table, even under an alias.
//
// Cursor rules: MoveFirst/MoveLast on an empty recordset leave it at BOF and
// EOF; MoveNext at EOF, MovePrevious at BOF, and reading a value with no
// current row throw SinRegistroActual. Moving drops a pending Edit/AddNew.
// SetValue needs Edit or AddNew first; Update writes and keeps the current row
// (after AddNew the new row is appended at the end of the recordset). After
// Delete there is no current row until the next move; MoveNext goes to the row
// that followed the deleted one.
class Recordset {
public:
    virtual ~Recordset() = default;

    virtual bool AtEOF() const = 0;
    virtual bool AtBOF() const = 0;
    virtual void MoveFirst() = 0;
    virtual void MoveLast() = 0;
    virtual void MoveNext() = 0;
    virtual void MovePrevious() = 0;
    virtual void Move(int filas) = 0;                 // relative to the current row
    virtual int RecordCount() const = 0;
    virtual int AbsolutePosition() const = 0;         // 0-based, -1 at BOF/EOF

    virtual int FieldCount() const = 0;
    virtual QString FieldName(int indice) const = 0;
    virtual int FieldIndex(const QString &nombre) const = 0;   // exact match, -1 if absent
    virtual QVariant Value(int indice) const = 0;
    virtual QVariant Value(const QString &nombre) const = 0;   // case-insensitive name, throws if absent

    virtual bool Updatable() const = 0;
    virtual void Edit() = 0;
    virtual void AddNew() = 0;
    virtual void SetValue(int indice, const QVariant &valor) = 0;
    virtual void SetValue(const QString &nombre, const QVariant &valor) = 0;
    virtual void Update() = 0;
    virtual void Delete() = 0;

    virtual void Close() = 0;
};

// Turns the Jet dialect the callers write into SQLite's: drops DISTINCTROW and
// what stands between DELETE and FROM, turns "text" into 'text' and True/False
// into 1/0; bracketed names, '...' literals and "?" pass unchanged.
QString TraduceSql(const QString &sqlJet);

// Whole-file copy; false when the source is missing or the target cannot be written.
bool CopiaFichero(const QString &origen, const QString &destino);
// Compacts a database into a new file (destino must not exist).
void CompactaBaseDatos(const QString &origen, const QString &destino);

}  // namespace bd
