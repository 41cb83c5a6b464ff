#include "store/db/basedatos.h"
#include "store/db/interno.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTemporaryFile>

#include <sqlite3.h>

#include <limits>

namespace bd {

ErrorBD::ErrorBD(int n, const QString &d)
    : std::runtime_error(QStringLiteral("%1 (%2)").arg(d).arg(n).toStdString()), numero(n), descripcion(d) {}

namespace detalle {

namespace {

QString Frase(QString texto) {
    if (!texto.isEmpty()) texto[0] = texto[0].toUpper();
    if (!texto.endsWith(u'.')) texto += u'.';
    return texto;
}

}  // namespace

void LanzaErrorSqlite(sqlite3 *db, int codigo) {
    int numero = db ? sqlite3_extended_errcode(db) : codigo;
    const QString mensaje = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(codigo));
    // The engine gives a missing table or column only its catch-all number;
    // the number of its own lets the caller tell the user what is missing.
    if (numero == SQLITE_ERROR && (mensaje.startsWith(u"no such table") || mensaje.startsWith(u"no such column")))
        numero = bd::codigo::NoEncontrado;
    throw ErrorBD(numero == SQLITE_OK ? codigo : numero, Frase(mensaje));
}

sqlite3 *Abierta(const std::shared_ptr<Conexion> &con) {
    if (!con || !con->db) throw ErrorBD(codigo::Cerrado, QStringLiteral("The database is closed."));
    return con->db;
}

Sentencia::Sentencia(sqlite3 *db, const QString &sql) : db_(db) {
    const QByteArray texto = sql.toUtf8();
    const char *resto = nullptr;
    const int rc = sqlite3_prepare_v2(db, texto.constData(), int(texto.size()), &st_, &resto);
    if (rc != SQLITE_OK) LanzaErrorSqlite(db, rc);
    if (!st_) throw ErrorBD(codigo::ArgumentoNoValido, QStringLiteral("The SQL text is empty."));
    // A second statement glued on would run unseen by the caller's checks.
    for (const char *c = resto; c && *c; ++c) {
        if (*c != ';' && *c != ' ' && *c != '\t' && *c != '\r' && *c != '\n') {
            sqlite3_finalize(st_);
            st_ = nullptr;
            throw ErrorBD(codigo::ArgumentoNoValido, QStringLiteral("Only one SQL statement may be run at a time."));
        }
    }
}

Sentencia::~Sentencia() { sqlite3_finalize(st_); }

void Sentencia::Enlaza(const QVariantList &parametros) {
    const int esperados = sqlite3_bind_parameter_count(st_);
    if (esperados != parametros.size())
        throw ErrorBD(codigo::ArgumentoNoValido, QStringLiteral("The SQL text has %1 parameters but %2 values were given.")
                                                     .arg(esperados)
                                                     .arg(parametros.size()));
    for (int i = 0; i < parametros.size(); ++i) EnlazaValor(st_, i + 1, parametros[i]);
}

bool Sentencia::Paso() {
    const int rc = sqlite3_step(st_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    LanzaErrorSqlite(db_, rc);
}

namespace {

const char *const kFormatoFecha = "yyyy-MM-ddTHH:mm:ss";

void EnlazaTexto(sqlite3_stmt *st, int posicion, const QString &texto) {
    const QByteArray u = texto.toUtf8();
    // An empty QString gives a null pointer, which SQLite would take for NULL.
    sqlite3_bind_text(st, posicion, u.isEmpty() ? "" : u.constData(), int(u.size()), SQLITE_TRANSIENT);
}

}  // namespace

void EnlazaValor(sqlite3_stmt *st, int posicion, const QVariant &valor) {
    if (!valor.isValid() || valor.isNull()) {
        sqlite3_bind_null(st, posicion);
        return;
    }
    switch (valor.typeId()) {
    case QMetaType::Bool:
        sqlite3_bind_int(st, posicion, valor.toBool() ? 1 : 0);
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        sqlite3_bind_int64(st, posicion, valor.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_bind_double(st, posicion, valor.toDouble());
        break;
    case QMetaType::QDateTime: {
        const QDateTime f = valor.toDateTime();
        if (f.isValid())
            EnlazaTexto(st, posicion, f.toString(QLatin1String(kFormatoFecha)));
        else
            sqlite3_bind_null(st, posicion);
        break;
    }
    case QMetaType::QDate: {
        const QDate f = valor.toDate();
        if (f.isValid())
            EnlazaTexto(st, posicion, QDateTime(f, QTime(0, 0)).toString(QLatin1String(kFormatoFecha)));
        else
            sqlite3_bind_null(st, posicion);
        break;
    }
    case QMetaType::QByteArray: {
        const QByteArray b = valor.toByteArray();
        sqlite3_bind_blob(st, posicion, b.isEmpty() ? "" : b.constData(), int(b.size()), SQLITE_TRANSIENT);
        break;
    }
    default:
        EnlazaTexto(st, posicion, valor.toString());
        break;
    }
}

std::optional<TipoDeclarado> InterpretaTipo(const QString &declarado) {
    QString d = declarado.trimmed().toUpper();
    if (d.isEmpty()) return std::nullopt;
    TipoDeclarado t;
    static const QRegularExpression reNoVacio(QStringLiteral("\\bNONEMPTY\\b"));
    if (d.contains(reNoVacio)) {
        t.permiteLongitudCero = false;
        d.remove(reNoVacio);
    }
    static const QRegularExpression reTamano(QStringLiteral("\\(\\s*(\\d+)"));
    const auto m = reTamano.match(d);
    if (m.hasMatch()) t.tamano = m.captured(1).toInt();
    const int parentesis = d.indexOf(u'(');
    if (parentesis >= 0) d.truncate(parentesis);
    d = d.simplified();

    static const QHash<QString, TipoCampo> exactos = {
        {QStringLiteral("BOOLEAN"), TipoCampo::Booleano},   {QStringLiteral("BOOL"), TipoCampo::Booleano},
        {QStringLiteral("BIT"), TipoCampo::Booleano},       {QStringLiteral("YESNO"), TipoCampo::Booleano},
        {QStringLiteral("LOGICAL"), TipoCampo::Booleano},   {QStringLiteral("BYTE"), TipoCampo::Byte},
        {QStringLiteral("TINYINT"), TipoCampo::Byte},       {QStringLiteral("SHORT"), TipoCampo::Entero},
        {QStringLiteral("SMALLINT"), TipoCampo::Entero},    {QStringLiteral("INT2"), TipoCampo::Entero},
        {QStringLiteral("LONG"), TipoCampo::EnteroLargo},   {QStringLiteral("INTEGER"), TipoCampo::EnteroLargo},
        {QStringLiteral("INT"), TipoCampo::EnteroLargo},    {QStringLiteral("COUNTER"), TipoCampo::EnteroLargo},
        {QStringLiteral("DOUBLE"), TipoCampo::Doble},       {QStringLiteral("REAL"), TipoCampo::Doble},
        {QStringLiteral("FLOAT"), TipoCampo::Doble},        {QStringLiteral("SINGLE"), TipoCampo::Doble},
        {QStringLiteral("NUMERIC"), TipoCampo::Doble},      {QStringLiteral("DECIMAL"), TipoCampo::Doble},
        {QStringLiteral("CURRENCY"), TipoCampo::Doble},     {QStringLiteral("DATETIME"), TipoCampo::FechaHora},
        {QStringLiteral("DATE"), TipoCampo::FechaHora},     {QStringLiteral("TIMESTAMP"), TipoCampo::FechaHora},
        {QStringLiteral("LONGTEXT"), TipoCampo::Memo},      {QStringLiteral("MEMO"), TipoCampo::Memo},
        {QStringLiteral("CLOB"), TipoCampo::Memo},          {QStringLiteral("NOTE"), TipoCampo::Memo},
    };
    const auto it = exactos.constFind(d);
    if (it != exactos.constEnd()) {
        t.tipo = *it;
    } else if (d.contains(QLatin1String("INT"))) {
        t.tipo = TipoCampo::EnteroLargo;
    } else if (d.contains(QLatin1String("DOUB")) || d.contains(QLatin1String("FLOA")) || d.contains(QLatin1String("REAL"))) {
        t.tipo = TipoCampo::Doble;
    } else {
        t.tipo = TipoCampo::Texto;   // CHAR, VARCHAR, TEXT and anything unknown
    }
    if (t.tipo != TipoCampo::Texto) t.tamano = 0;
    return t;
}

QString TextoTipo(const DefCampo &c) {
    QString base;
    switch (c.tipo) {
    case TipoCampo::Booleano: return QStringLiteral("BOOLEAN");
    case TipoCampo::Byte: return QStringLiteral("BYTE");
    case TipoCampo::Entero: return QStringLiteral("SHORT");
    case TipoCampo::EnteroLargo: return QStringLiteral("LONG");
    case TipoCampo::Doble: return QStringLiteral("DOUBLE");
    case TipoCampo::FechaHora: return QStringLiteral("DATETIME");
    case TipoCampo::Texto:
        base = c.tamano > 0 ? QStringLiteral("TEXT(%1)").arg(c.tamano) : QStringLiteral("TEXT");
        break;
    case TipoCampo::Memo:
        base = QStringLiteral("LONGTEXT");   // holds "TEXT": text affinity, so "007" stays a text
        break;
    }
    return c.permiteLongitudCero ? base : QStringLiteral("NONEMPTY ") + base;
}

namespace {

QVariant Entero(sqlite3_int64 v) {
    if (v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max()) return QVariant(int(v));
    return QVariant(qlonglong(v));
}

QString TextoColumna(sqlite3_stmt *st, int i) {
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(st, i));
    return QString::fromUtf8(p, sqlite3_column_bytes(st, i));
}

QVariant SegunAlmacen(sqlite3_stmt *st, int i) {
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_INTEGER: return Entero(sqlite3_column_int64(st, i));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(st, i));
    case SQLITE_TEXT: return QVariant(TextoColumna(st, i));
    case SQLITE_BLOB: {
        const auto *p = static_cast<const char *>(sqlite3_column_blob(st, i));
        return QVariant(QByteArray(p, sqlite3_column_bytes(st, i)));
    }
    default: return QVariant();
    }
}

QVariant LeeFecha(const QString &s) {
    if (s.size() == 10) {
        const QDate d = QDate::fromString(s, Qt::ISODate);
        if (d.isValid()) return QDateTime(d, QTime(0, 0));
    }
    QString iso = s;
    if (iso.size() > 10 && iso[10] == u' ') iso[10] = u'T';
    const QDateTime f = QDateTime::fromString(iso, Qt::ISODate);
    return f.isValid() ? QVariant(f) : QVariant(s);
}

}  // namespace

QVariant LeeValor(sqlite3_stmt *st, int i, const std::optional<TipoDeclarado> &tipo) {
    const int almacen = sqlite3_column_type(st, i);
    if (almacen == SQLITE_NULL) return QVariant();
    if (!tipo) return SegunAlmacen(st, i);
    switch (tipo->tipo) {
    case TipoCampo::Booleano:
        if (almacen == SQLITE_INTEGER) return QVariant(sqlite3_column_int64(st, i) != 0);
        if (almacen == SQLITE_FLOAT) return QVariant(sqlite3_column_double(st, i) != 0.0);
        if (almacen == SQLITE_TEXT) {
            const QString s = TextoColumna(st, i).trimmed();
            return QVariant(s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || s.toLongLong() != 0);
        }
        break;
    case TipoCampo::Byte:
    case TipoCampo::Entero:
    case TipoCampo::EnteroLargo:
        if (almacen == SQLITE_INTEGER) return Entero(sqlite3_column_int64(st, i));
        break;
    case TipoCampo::Doble:
        if (almacen == SQLITE_INTEGER || almacen == SQLITE_FLOAT) return QVariant(sqlite3_column_double(st, i));
        break;
    case TipoCampo::Texto:
    case TipoCampo::Memo:
        if (almacen != SQLITE_BLOB) return QVariant(TextoColumna(st, i));
        break;
    case TipoCampo::FechaHora:
        if (almacen == SQLITE_TEXT) return LeeFecha(TextoColumna(st, i));
        break;
    }
    return SegunAlmacen(st, i);
}

}  // namespace detalle

using namespace detalle;

namespace {

// Identifies files this program made; files made by other tools lack it and
// are read all the same.
constexpr int kIdAplicacion = 0x54763332;

void Ejecuta(sqlite3 *db, const char *sql) {
    char *error = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
    sqlite3_free(error);
    if (rc != SQLITE_OK) LanzaErrorSqlite(db, rc);
}

// Nothing a file carries may run in our process: no extensions, no unsafe
// functions in its views, no triggers, no writes to its schema table.
void Endurece(sqlite3 *db) {
    sqlite3_extended_result_codes(db, 1);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_WRITABLE_SCHEMA, 0, nullptr);
    // A "name" that does not exist must fail rather than turn into a string
    // (an index on "Missing" would otherwise index a constant). Schemas already
    // in a file are still read the old way.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    sqlite3_busy_timeout(db, 500);
    Ejecuta(db, "PRAGMA trusted_schema=OFF");
    Ejecuta(db, "PRAGMA cell_size_check=ON");
}

[[noreturn]] void LanzaErrorApertura(sqlite3 *db, int rc, const QString &ruta) {
    const int numero = db ? sqlite3_extended_errcode(db) : rc;
    const QString detalle = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    QString texto;
    switch (numero & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        texto = QStringLiteral("The file '%1' is in use by another user or process.");
        break;
    case SQLITE_NOTADB:
        texto = QStringLiteral("The file '%1' is not a database.");
        break;
    case SQLITE_CORRUPT:
        texto = QStringLiteral("The database '%1' is damaged (truncated or malformed).");
        break;
    case SQLITE_CANTOPEN:
        texto = QStringLiteral("The file '%1' cannot be opened.");
        break;
    default:
        texto = QStringLiteral("The database '%1' cannot be opened: %2.").arg(QStringLiteral("%1"), detalle);
        break;
    }
    if (db) sqlite3_close_v2(db);
    throw ErrorBD(numero, texto.arg(QDir::toNativeSeparators(ruta)));
}

// Files found sound, by path, with the size and time they had then. The
// template and the model databases are opened many times in one command;
// reading them whole each time would cost more than the command itself.
struct Sano {
    qint64 tamano;
    QDateTime modificado;
};
QHash<QString, Sano> &FicherosSanos() {
    static QHash<QString, Sano> sanos;
    return sanos;
}

// Reads enough of the file to make sure it is sound; a damaged or foreign file
// fails here rather than in the middle of some later operation.
void Comprueba(sqlite3 *db, const QString &ruta) {
    const QFileInfo info(ruta);
    const QString clave = info.absoluteFilePath();
    const auto visto = FicherosSanos().constFind(clave);
    // A file seen sound is only read enough to take its lock, so that one held
    // exclusively elsewhere is still refused here.
    const bool yaVisto = visto != FicherosSanos().constEnd() && visto->tamano == info.size() &&
                         visto->modificado == info.lastModified();
    const char *consulta = yaVisto ? "SELECT count(*) FROM sqlite_schema" : "PRAGMA quick_check(1)";
    sqlite3_stmt *st = nullptr;
    int rc = sqlite3_prepare_v2(db, consulta, -1, &st, nullptr);
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(st);
        if (rc == SQLITE_ROW) {
            const auto *r = reinterpret_cast<const char *>(sqlite3_column_text(st, 0));
            const bool bien = yaVisto || (r && qstrcmp(r, "ok") == 0);
            sqlite3_finalize(st);
            if (!bien) LanzaErrorApertura(nullptr, SQLITE_CORRUPT, ruta);
            // Only files nobody writes meanwhile may skip the next check: one
            // opened for writing changes its time when it is written anyway.
            FicherosSanos().insert(clave, {info.size(), info.lastModified()});
            return;
        }
    }
    sqlite3_finalize(st);
    LanzaErrorApertura(db, rc, ruta);
}

}  // namespace

std::unique_ptr<BaseDatos> BaseDatos::Abrir(const QString &ruta, Apertura modo) {
    const QFileInfo info(ruta);
    const QString nativa = QDir::toNativeSeparators(ruta);
    if (!info.exists()) throw ErrorBD(SQLITE_CANTOPEN, QStringLiteral("Could not find file '%1'.").arg(nativa));
    if (!info.isFile()) throw ErrorBD(SQLITE_CANTOPEN, QStringLiteral("'%1' is not a file.").arg(nativa));
    // SQLite takes an empty file for an empty database; here one is expected.
    if (info.size() == 0) throw ErrorBD(SQLITE_NOTADB, QStringLiteral("The file '%1' is empty; it is not a database.").arg(nativa));
    {
        QFile f(ruta);
        if (!f.open(QIODevice::ReadOnly))
            throw ErrorBD(SQLITE_CANTOPEN, QStringLiteral("The file '%1' cannot be read.").arg(nativa));
        if (f.read(16) != QByteArray("SQLite format 3", 16))
            throw ErrorBD(SQLITE_NOTADB, QStringLiteral("The file '%1' is not a database.").arg(nativa));
    }

    const int flags = (modo == Apertura::SoloLectura ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) |
                      SQLITE_OPEN_EXRESCODE;
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(ruta).constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) LanzaErrorApertura(db, rc, ruta);
    try {
        Endurece(db);
        if (modo == Apertura::Temporal) Ejecuta(db, "PRAGMA synchronous=OFF");
        if (modo == Apertura::Exclusiva || modo == Apertura::Temporal) {
            // The lock is taken now and kept until the file is closed, so a
            // second opener is refused at once rather than at its first write.
            Ejecuta(db, "PRAGMA locking_mode=EXCLUSIVE");
            Ejecuta(db, "BEGIN EXCLUSIVE");
            Ejecuta(db, "COMMIT");
        }
    } catch (const ErrorBD &) {
        LanzaErrorApertura(db, SQLITE_ERROR, ruta);
    }
    if (modo != Apertura::Temporal) Comprueba(db, ruta);

    auto con = std::make_shared<Conexion>();
    con->db = db;
    con->soloLectura = modo == Apertura::SoloLectura || sqlite3_db_readonly(db, "main") == 1;
    return std::unique_ptr<BaseDatos>(new BaseDatos(std::move(con), ruta));
}

std::unique_ptr<BaseDatos> BaseDatos::Crear(const QString &ruta) {
    if (QFileInfo::exists(ruta))
        throw ErrorBD(SQLITE_CANTOPEN, QStringLiteral("The file '%1' already exists.").arg(QDir::toNativeSeparators(ruta)));
    sqlite3 *db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_EXRESCODE;
    const int rc = sqlite3_open_v2(QFile::encodeName(ruta).constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) LanzaErrorApertura(db, rc, ruta);
    try {
        Endurece(db);
        // Writing the header now means the file is a database from the start
        // (SQLite leaves it empty until the first write).
        Ejecuta(db, QStringLiteral("PRAGMA application_id=%1").arg(kIdAplicacion).toUtf8().constData());
    } catch (const ErrorBD &) {
        LanzaErrorApertura(db, SQLITE_ERROR, ruta);
    }
    auto con = std::make_shared<Conexion>();
    con->db = db;
    return std::unique_ptr<BaseDatos>(new BaseDatos(std::move(con), ruta));
}

BaseDatos::BaseDatos(std::shared_ptr<Conexion> con, QString ruta) : con_(std::move(con)), ruta_(std::move(ruta)) {}

BaseDatos::~BaseDatos() { Close(); }

void BaseDatos::Close() {
    if (con_ && con_->db) {
        sqlite3_close_v2(con_->db);   // rolls back an unfinished transaction
        con_->db = nullptr;
    }
    transacciones_ = 0;
}

bool BaseDatos::IsOpen() const { return con_ && con_->db; }

QString BaseDatos::Name() const { return ruta_; }

sqlite3 *BaseDatos::handle() const { return con_ ? con_->db : nullptr; }

std::unique_ptr<Recordset> BaseDatos::OpenRecordset(const QString &origen, TipoRecordset tipo,
                                                    const QVariantList &parametros) {
    return AbreRecordset(con_, origen, tipo, parametros);
}

int BaseDatos::Execute(const QString &sql, const QVariantList &parametros) {
    sqlite3 *db = Abierta(con_);
    const QString traducida = TraduceSql(sql);
    Sentencia s(db, traducida);
    s.Enlaza(parametros);
    // Only row statements report a count; after DDL sqlite3_changes() still
    // holds the previous statement's.
    const QVector<Pieza> p = Trocea(traducida, false);
    const bool deFilas = !sqlite3_stmt_readonly(s.st()) && !p.isEmpty() &&
                         (p[0].Es("INSERT") || p[0].Es("UPDATE") || p[0].Es("DELETE") || p[0].Es("REPLACE") || p[0].Es("WITH"));
    while (s.Paso()) {
    }
    return deFilas ? sqlite3_changes(db) : 0;
}

QStringList BaseDatos::TableNames() const {
    Sentencia s(Abierta(con_),
                QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table' "
                               "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid"));
    QStringList nombres;
    while (s.Paso()) nombres << LeeValor(s.st(), 0, std::nullopt).toString();
    return nombres;
}

DefTabla BaseDatos::TableDef(const QString &nombre) const {
    sqlite3 *db = Abierta(con_);
    if (!TableNames().contains(nombre))
        throw ErrorBD(codigo::NoEncontrado, QStringLiteral("There is no table '%1'.").arg(nombre));
    DefTabla def;
    def.nombre = nombre;

    QStringList primarias;   // columns of the PRIMARY KEY, in key order
    {
        Sentencia s(db, QStringLiteral("SELECT name, type, \"notnull\", pk FROM pragma_table_info(?) ORDER BY cid"));
        s.Enlaza({nombre});
        QList<QPair<int, QString>> pk;
        while (s.Paso()) {
            DefCampo c;
            c.nombre = LeeValor(s.st(), 0, std::nullopt).toString();
            const auto t = InterpretaTipo(LeeValor(s.st(), 1, std::nullopt).toString());
            if (t) {
                c.tipo = t->tipo;
                c.tamano = t->tamano;
                c.permiteLongitudCero = t->permiteLongitudCero;
            }
            c.requerido = sqlite3_column_int(s.st(), 2) != 0;
            if (sqlite3_column_int(s.st(), 3) > 0) pk.append({sqlite3_column_int(s.st(), 3), c.nombre});
            def.campos.append(c);
        }
        std::sort(pk.begin(), pk.end());
        for (const auto &p : pk) primarias << p.second;
    }

    // The primary index keeps the name it was created under in its constraint.
    QString nombrePrimaria = QStringLiteral("PrimaryKey");
    {
        Sentencia s(db, QStringLiteral("SELECT sql FROM sqlite_schema WHERE type = 'table' AND name = ?"));
        s.Enlaza({nombre});
        if (s.Paso()) {
            const QString sql = LeeValor(s.st(), 0, std::nullopt).toString();
            static const QRegularExpression re(QStringLiteral("CONSTRAINT\\s+\"((?:[^\"]|\"\")*)\"\\s+PRIMARY\\s+KEY"),
                                               QRegularExpression::CaseInsensitiveOption);
            const auto m = re.match(sql);
            if (m.hasMatch()) nombrePrimaria = m.captured(1).replace(QLatin1String("\"\""), QLatin1String("\""));
        }
    }

    struct Lista {
        bool unico;
        QString origen;
    };
    QHash<QString, Lista> lista;
    {
        Sentencia s(db, QStringLiteral("SELECT name, \"unique\", origin FROM pragma_index_list(?)"));
        s.Enlaza({nombre});
        while (s.Paso())
            lista.insert(LeeValor(s.st(), 0, std::nullopt).toString(),
                         {sqlite3_column_int(s.st(), 1) != 0, LeeValor(s.st(), 2, std::nullopt).toString()});
    }
    bool hayPrimaria = false;
    Sentencia s(db, QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'index' AND tbl_name = ? ORDER BY rowid"));
    s.Enlaza({nombre});
    const QString prefijo = nombre + u'.';
    while (s.Paso()) {
        const QString sqlNombre = LeeValor(s.st(), 0, std::nullopt).toString();
        if (!lista.contains(sqlNombre)) continue;
        const Lista &l = lista[sqlNombre];
        DefIndice ix;
        ix.unico = l.unico;
        ix.primario = l.origen == QLatin1String("pk");
        hayPrimaria = hayPrimaria || ix.primario;
        ix.nombre = ix.primario ? nombrePrimaria
                    : sqlNombre.startsWith(prefijo) ? sqlNombre.mid(prefijo.size())
                                                    : sqlNombre;
        Sentencia c(db, QStringLiteral("SELECT name FROM pragma_index_info(?) ORDER BY seqno"));
        c.Enlaza({sqlNombre});
        while (c.Paso())
            if (sqlite3_column_type(c.st(), 0) != SQLITE_NULL) ix.campos << LeeValor(c.st(), 0, std::nullopt).toString();
        def.indices.append(ix);
    }
    // An INTEGER PRIMARY KEY is the rowid itself and has no index of its own.
    if (!hayPrimaria && !primarias.isEmpty()) def.indices.prepend(DefIndice{nombrePrimaria, primarias, true, true});
    return def;
}

void BaseDatos::CreateTableDef(const DefTabla &def) {
    sqlite3 *db = Abierta(con_);
    if (def.nombre.isEmpty() || def.campos.isEmpty())
        throw ErrorBD(codigo::ArgumentoNoValido, QStringLiteral("A table needs a name and at least one field."));
    QStringList partes;
    for (const DefCampo &c : def.campos) {
        QString p = NombreSql(c.nombre) + u' ' + TextoTipo(c);
        if (c.requerido) p += QLatin1String(" NOT NULL");
        if (!c.permiteLongitudCero && (c.tipo == TipoCampo::Texto || c.tipo == TipoCampo::Memo))
            p += QStringLiteral(" CHECK (%1 <> '')").arg(NombreSql(c.nombre));
        partes << p;
    }
    auto listaCampos = [](const QStringList &campos) {
        QStringList q;
        for (const QString &c : campos) q << NombreSql(c);
        return q.join(QLatin1String(", "));
    };
    QStringList indices;
    bool primaria = false;
    for (const DefIndice &ix : def.indices) {
        if (ix.campos.isEmpty())
            throw ErrorBD(codigo::ArgumentoNoValido, QStringLiteral("The index '%1' has no fields.").arg(ix.nombre));
        if (ix.primario) {
            if (primaria)
                throw ErrorBD(codigo::ArgumentoNoValido, QStringLiteral("The table '%1' has two primary indexes.").arg(def.nombre));
            primaria = true;
            partes << QStringLiteral("CONSTRAINT %1 PRIMARY KEY (%2)").arg(NombreSql(ix.nombre), listaCampos(ix.campos));
        } else {
            indices << QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                           .arg(ix.unico ? QStringLiteral("UNIQUE ") : QString(), NombreSql(def.nombre + u'.' + ix.nombre),
                                NombreSql(def.nombre), listaCampos(ix.campos));
        }
    }
    // All or nothing: a table without its indexes would be a worse copy.
    Ejecuta(db, "SAVEPOINT tv_crea_tabla");
    try {
        Sentencia(db, QStringLiteral("CREATE TABLE %1 (%2)").arg(NombreSql(def.nombre), partes.join(QLatin1String(", ")))).Paso();
        for (const QString &sql : indices) Sentencia(db, sql).Paso();
        Ejecuta(db, "RELEASE tv_crea_tabla");
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK TO tv_crea_tabla; RELEASE tv_crea_tabla", nullptr, nullptr, nullptr);
        throw;
    }
}

void BaseDatos::BeginTrans() {
    sqlite3 *db = Abierta(con_);
    Ejecuta(db, QStringLiteral("SAVEPOINT tv_trans_%1").arg(transacciones_ + 1).toUtf8().constData());
    ++transacciones_;
}

void BaseDatos::CommitTrans() {
    sqlite3 *db = Abierta(con_);
    if (transacciones_ == 0)
        throw ErrorBD(codigo::SinTransaccion, QStringLiteral("There is no transaction to commit."));
    Ejecuta(db, QStringLiteral("RELEASE tv_trans_%1").arg(transacciones_).toUtf8().constData());
    --transacciones_;
}

void BaseDatos::Rollback() {
    sqlite3 *db = Abierta(con_);
    if (transacciones_ == 0)
        throw ErrorBD(codigo::SinTransaccion, QStringLiteral("There is no transaction to roll back."));
    Ejecuta(db, QStringLiteral("ROLLBACK TO tv_trans_%1; RELEASE tv_trans_%1").arg(transacciones_).toUtf8().constData());
    --transacciones_;
}

bool CopiaFichero(const QString &origen, const QString &destino) {
    QFile entrada(origen);
    if (!entrada.open(QIODevice::ReadOnly)) return false;
    // QSaveFile writes beside the target and renames over it only when all
    // went well: an interrupted copy never leaves a half-written file.
    QSaveFile salida(destino);
    if (!salida.open(QIODevice::WriteOnly)) return false;
    while (!entrada.atEnd()) {
        const QByteArray trozo = entrada.read(1 << 16);
        if (trozo.isEmpty() && entrada.error() != QFileDevice::NoError) {
            salida.cancelWriting();
            break;
        }
        if (salida.write(trozo) != trozo.size()) {
            salida.cancelWriting();
            break;
        }
    }
    return salida.commit();
}

void CompactaBaseDatos(const QString &origen, const QString &destino) {
    if (QFileInfo::exists(destino))
        throw ErrorBD(SQLITE_CANTOPEN, QStringLiteral("The file '%1' already exists.").arg(QDir::toNativeSeparators(destino)));
    auto bd = BaseDatos::Abrir(origen, Apertura::SoloLectura);
    // VACUUM INTO wants a new or empty file; it is made under a temporary name
    // so a failure leaves nothing under the target's name.
    QTemporaryFile temporal(destino + QStringLiteral(".XXXXXX"));
    if (!temporal.open())
        throw ErrorBD(SQLITE_CANTOPEN, QStringLiteral("Cannot write beside '%1'.").arg(QDir::toNativeSeparators(destino)));
    temporal.close();
    Sentencia s(bd->handle(), QStringLiteral("VACUUM INTO ?"));
    s.Enlaza({temporal.fileName()});
    s.Paso();
    bd->Close();
    if (!temporal.rename(destino))
        throw ErrorBD(SQLITE_CANTOPEN, QStringLiteral("Cannot write '%1'.").arg(QDir::toNativeSeparators(destino)));
    temporal.setAutoRemove(false);
}

}  // namespace bd
