// Recordsets: every row is read when the recordset opens (the tables hold a
// few thousand rows at most), and writes go straight to the tables behind it.
//
// To write through a query, each table of its FROM clause lends its rowid to
// the query under a hidden name; SQLite tells which table and column every
// result column comes from, so a field read under an alias writes the column
// it stands for, in the row of its own table.
#include "store/db/basedatos.h"
#include "store/db/interno.h"

#include <sqlite3.h>

#include <algorithm>

namespace bd::detalle {

namespace {

QString NoHayRegistro() { return QStringLiteral("No current record."); }

class RecordsetSqlite final : public Recordset {
public:
    RecordsetSqlite(std::shared_ptr<Conexion> con, TipoRecordset tipo) : con_(std::move(con)), tipo_(tipo) {}

    void Carga(const QString &origen, const QVariantList &parametros);

    bool AtEOF() const override {
        Vivo();
        return filas_.isEmpty() || pos_ >= filas_.size();
    }
    bool AtBOF() const override {
        Vivo();
        return filas_.isEmpty() || pos_ < 0;
    }
    void MoveFirst() override {
        Vivo();
        Suelta();
        pos_ = 0;   // with no rows this is already EOF (and BOF)
    }
    void MoveLast() override {
        Vivo();
        Suelta();
        pos_ = filas_.size() - 1;
    }
    void MoveNext() override {
        Vivo();
        if (borrado_) {   // the row after the deleted one already sits at pos_
            Suelta();
            return;
        }
        if (AtEOF()) throw ErrorBD(codigo::SinRegistroActual, NoHayRegistro());
        Suelta();
        ++pos_;
    }
    void MovePrevious() override {
        Vivo();
        if (!borrado_ && AtBOF()) throw ErrorBD(codigo::SinRegistroActual, NoHayRegistro());
        Suelta();
        pos_ = std::min<int>(pos_, filas_.size()) - 1;
    }
    void Move(int filas) override {
        Vivo();
        int destino;
        if (borrado_) {
            if (filas == 0) throw ErrorBD(codigo::SinRegistroActual, NoHayRegistro());
            destino = filas > 0 ? pos_ + filas - 1 : pos_ + filas;
        } else {
            if (!HayActual()) throw ErrorBD(codigo::SinRegistroActual, NoHayRegistro());
            destino = pos_ + filas;
        }
        Suelta();
        pos_ = std::clamp<int>(destino, -1, filas_.size());
    }
    int RecordCount() const override {
        Vivo();
        return filas_.size();
    }
    int AbsolutePosition() const override {
        Vivo();
        return HayActual() ? pos_ : -1;
    }

    int FieldCount() const override {
        Vivo();
        return columnas_.size();
    }
    QString FieldName(int i) const override {
        Vivo();
        CompruebaIndice(i);
        return columnas_[i].nombre;
    }
    int FieldIndex(const QString &nombre) const override {
        Vivo();
        for (int i = 0; i < columnas_.size(); ++i)
            if (columnas_[i].nombre == nombre) return i;
        return -1;
    }
    QVariant Value(int i) const override {
        Vivo();
        CompruebaIndice(i);
        if (modo_ != Modo::Ninguno) return buffer_[i];
        if (!HayActual()) throw ErrorBD(codigo::SinRegistroActual, NoHayRegistro());
        return filas_[pos_].valores[i];
    }
    QVariant Value(const QString &nombre) const override { return Value(Busca(nombre)); }

    bool Updatable() const override {
        Vivo();
        return tipo_ != TipoRecordset::Snapshot && escribible_ && !con_->soloLectura;
    }
    void Edit() override {
        PuedeEscribir();
        if (!HayActual()) throw ErrorBD(codigo::SinRegistroActual, NoHayRegistro());
        buffer_ = filas_[pos_].valores;
        cambiado_ = QVector<bool>(columnas_.size(), false);
        modo_ = Modo::Editando;
    }
    void AddNew() override {
        PuedeEscribir();
        if (tablas_.size() != 1)
            throw ErrorBD(codigo::SoloLectura, QStringLiteral("Records can only be added through a single-table recordset."));
        buffer_ = QVector<QVariant>(columnas_.size());
        cambiado_ = QVector<bool>(columnas_.size(), false);
        modo_ = Modo::Agregando;
    }
    void SetValue(int i, const QVariant &valor) override {
        Vivo();
        CompruebaIndice(i);
        if (modo_ == Modo::Ninguno)
            throw ErrorBD(codigo::SinEdicion, QStringLiteral("Field '%1' cannot be set without Edit or AddNew.").arg(columnas_[i].nombre));
        if (columnas_[i].tabla < 0)
            throw ErrorBD(codigo::CampoNoActualizable, QStringLiteral("Field '%1' cannot be updated.").arg(columnas_[i].nombre));
        buffer_[i] = valor;
        cambiado_[i] = true;
    }
    void SetValue(const QString &nombre, const QVariant &valor) override { SetValue(Busca(nombre), valor); }
    void Update() override;
    void Delete() override;

    void Close() override {
        abierto_ = false;
        filas_.clear();
        columnas_.clear();
        Suelta();
    }

private:
    enum class Modo { Ninguno, Editando, Agregando };
    struct Columna {
        QString nombre;
        std::optional<TipoDeclarado> tipo;
        int tabla = -1;   // index into tablas_, -1 when the column cannot be written
        QString origen;   // the table's own column name
    };
    struct Tabla {
        QString nombre;   // as the schema spells it
    };
    struct Fila {
        QVector<QVariant> valores;
        QVector<std::optional<qint64>> rowids;   // per entry of tablas_; none under an outer join
    };

    void Vivo() const {
        if (!abierto_) throw ErrorBD(codigo::Cerrado, QStringLiteral("The recordset is closed."));
        Abierta(con_);
    }
    bool HayActual() const { return !borrado_ && pos_ >= 0 && pos_ < filas_.size(); }
    void Suelta() {
        modo_ = Modo::Ninguno;
        borrado_ = false;
        buffer_.clear();
        cambiado_.clear();
    }
    void CompruebaIndice(int i) const {
        if (i < 0 || i >= columnas_.size())
            throw ErrorBD(codigo::NoEncontrado, QStringLiteral("There is no field number %1.").arg(i));
    }
    int Busca(const QString &nombre) const {
        Vivo();
        for (int i = 0; i < columnas_.size(); ++i)
            if (columnas_[i].nombre.compare(nombre, Qt::CaseInsensitive) == 0) return i;
        throw ErrorBD(codigo::NoEncontrado, QStringLiteral("There is no field '%1'.").arg(nombre));
    }
    void PuedeEscribir() const {
        Vivo();
        if (!Updatable()) throw ErrorBD(codigo::SoloLectura, QStringLiteral("The recordset is read-only."));
    }
    void Relee(Fila &fila, int tabla);
    void Propaga(const Fila &fuente, int tabla);

    std::shared_ptr<Conexion> con_;
    TipoRecordset tipo_;
    bool abierto_ = true;
    bool escribible_ = false;
    QVector<Columna> columnas_;
    QVector<Tabla> tablas_;
    QVector<Fila> filas_;
    int pos_ = 0;
    bool borrado_ = false;
    Modo modo_ = Modo::Ninguno;
    QVector<QVariant> buffer_;
    QVector<bool> cambiado_;
};

bool EsConsulta(const QString &origen) {
    const QVector<Pieza> p = Trocea(origen, true);
    return !p.isEmpty() && (p[0].Es("SELECT") || p[0].Es("WITH") || p[0].Es("VALUES"));
}

void RecordsetSqlite::Carga(const QString &origen, const QVariantList &parametros) {
    sqlite3 *db = Abierta(con_);
    QString sql;
    QString orden;
    if (EsConsulta(origen)) {
        sql = TraduceSql(origen);
    } else {
        sql = QStringLiteral("SELECT * FROM ") + NombreSql(SinComillas(origen.trimmed()));
        orden = QStringLiteral(" ORDER BY rowid");   // insertion order even when an index covers the columns
    }

    const AnalisisConsulta analisis = AnalizaConsulta(sql);
    std::unique_ptr<Sentencia> s;
    int ocultas = 0;
    if (tipo_ != TipoRecordset::Snapshot && !con_->soloLectura && analisis.actualizable) {
        QString extra;
        for (int k = 0; k < analisis.tablas.size(); ++k)
            extra += QStringLiteral(", %1.rowid AS %2 ").arg(analisis.tablas[k].calificador, NombreSql(kPrefijoOculto + QString::number(k)));
        try {
            s = std::make_unique<Sentencia>(db, sql.left(analisis.posicionFrom) + extra + sql.mid(analisis.posicionFrom) + orden);
            ocultas = analisis.tablas.size();
        } catch (const ErrorBD &) {
            // A view, a table without rowid...: the rows are still readable.
            s.reset();
        }
    }
    if (!s && !orden.isEmpty()) {
        try {
            s = std::make_unique<Sentencia>(db, sql + orden);
        } catch (const ErrorBD &) {
            s.reset();   // no rowid to order by (a view): the table's own order
        }
    }
    if (!s) s = std::make_unique<Sentencia>(db, sql);
    s->Enlaza(parametros);

    sqlite3_stmt *st = s->st();
    const int visibles = sqlite3_column_count(st) - ocultas;
    for (int k = 0; k < ocultas; ++k) tablas_.push_back(Tabla{analisis.tablas[k].tabla});

    QHash<QString, int> repeticiones;
    for (int i = 0; i < visibles; ++i) {
        Columna c;
        c.nombre = QString::fromUtf8(sqlite3_column_name(st, i));
        c.tipo = InterpretaTipo(QString::fromUtf8(sqlite3_column_decltype(st, i)));
        const char *tabla = sqlite3_column_table_name(st, i);
        const char *columna = sqlite3_column_origin_name(st, i);
        const char *base = sqlite3_column_database_name(st, i);
        if (tabla && columna && base && qstrcmp(base, "main") == 0) {
            const QString nombreTabla = QString::fromUtf8(tabla);
            int encontrada = -1;
            int veces = 0;
            for (int k = 0; k < tablas_.size(); ++k) {
                if (analisis.tablas[k].tabla.compare(nombreTabla, Qt::CaseInsensitive) == 0) {
                    encontrada = k;
                    ++veces;
                }
            }
            // A table joined to itself: which copy a column comes from is unknown.
            if (veces == 1) {
                c.tabla = encontrada;
                c.origen = QString::fromUtf8(columna);
                tablas_[encontrada].nombre = nombreTabla;
            }
        }
        ++repeticiones[c.nombre.toLower()];
        columnas_.push_back(c);
    }
    // Two columns of the same name (t1.*, t2.*) are told apart by their table.
    for (int i = 0; i < visibles; ++i) {
        Columna &c = columnas_[i];
        const char *tabla = sqlite3_column_table_name(st, i);
        if (repeticiones.value(c.nombre.toLower()) > 1 && tabla) c.nombre = QString::fromUtf8(tabla) + u'.' + c.nombre;
    }
    for (const Columna &c : columnas_) escribible_ = escribible_ || c.tabla >= 0;

    while (s->Paso()) {
        Fila f;
        f.valores.reserve(visibles);
        for (int i = 0; i < visibles; ++i) f.valores.push_back(LeeValor(st, i, columnas_[i].tipo));
        for (int k = 0; k < ocultas; ++k) {
            const int i = visibles + k;
            f.rowids.push_back(sqlite3_column_type(st, i) == SQLITE_NULL ? std::nullopt
                                                                          : std::optional<qint64>(sqlite3_column_int64(st, i)));
        }
        filas_.push_back(std::move(f));
    }
    pos_ = 0;
}

// Reads back the columns of one table in one row, so the recordset shows what
// the file now holds (types, defaults, values SQLite converted).
void RecordsetSqlite::Relee(Fila &fila, int tabla) {
    if (!fila.rowids[tabla]) return;
    QStringList lista;
    QVector<int> indices;
    for (int i = 0; i < columnas_.size(); ++i) {
        if (columnas_[i].tabla != tabla) continue;
        lista << NombreSql(columnas_[i].origen);
        indices << i;
    }
    if (lista.isEmpty()) return;
    Sentencia s(Abierta(con_), QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                                   .arg(lista.join(QLatin1String(", ")), NombreSql(tablas_[tabla].nombre)));
    s.Enlaza({*fila.rowids[tabla]});
    if (!s.Paso()) return;
    for (int j = 0; j < indices.size(); ++j) fila.valores[indices[j]] = LeeValor(s.st(), j, columnas_[indices[j]].tipo);
}

// Other rows of a join can show the same table row; they change with it.
void RecordsetSqlite::Propaga(const Fila &fuente, int tabla) {
    for (Fila &f : filas_) {
        if (&f == &fuente || f.rowids[tabla] != fuente.rowids[tabla]) continue;
        for (int i = 0; i < columnas_.size(); ++i)
            if (columnas_[i].tabla == tabla) f.valores[i] = fuente.valores[i];
    }
}

void RecordsetSqlite::Update() {
    Vivo();
    if (modo_ == Modo::Ninguno) throw ErrorBD(codigo::SinEdicion, QStringLiteral("Update without Edit or AddNew."));
    if (!Updatable()) throw ErrorBD(codigo::SoloLectura, QStringLiteral("The recordset is read-only."));
    sqlite3 *db = Abierta(con_);

    // Several tables may be written for one record: all of them or none.
    Sentencia(db, QStringLiteral("SAVEPOINT tv_actualiza")).Paso();
    bool pendiente = true;
    auto confirma = [&] {
        Sentencia(db, QStringLiteral("RELEASE tv_actualiza")).Paso();
        pendiente = false;
    };
    try {
        if (modo_ == Modo::Editando) {
            Fila &fila = filas_[pos_];
            for (int t = 0; t < tablas_.size(); ++t) {
                QStringList asignaciones;
                QVariantList valores;
                QStringList vistas;   // one assignment per column even if two fields show it
                for (int i = 0; i < columnas_.size(); ++i) {
                    if (!cambiado_[i] || columnas_[i].tabla != t) continue;
                    const int previa = vistas.indexOf(columnas_[i].origen);
                    if (previa >= 0) {
                        valores[previa] = buffer_[i];
                        continue;
                    }
                    vistas << columnas_[i].origen;
                    asignaciones << NombreSql(columnas_[i].origen) + QStringLiteral(" = ?");
                    valores << buffer_[i];
                }
                if (asignaciones.isEmpty()) continue;
                if (!fila.rowids[t])
                    throw ErrorBD(codigo::CampoNoActualizable,
                                  QStringLiteral("This record has no row of table '%1' to write.").arg(tablas_[t].nombre));
                valores << *fila.rowids[t];
                Sentencia s(db, QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                                    .arg(NombreSql(tablas_[t].nombre), asignaciones.join(QLatin1String(", "))));
                s.Enlaza(valores);
                s.Paso();
                if (sqlite3_changes(db) != 1)
                    throw ErrorBD(codigo::SinRegistroActual, QStringLiteral("The record has been deleted."));
            }
            confirma();
            for (int t = 0; t < tablas_.size(); ++t) {
                Relee(fila, t);
                Propaga(fila, t);
            }
        } else {
            QStringList nombres;
            QStringList marcas;
            QVariantList valores;
            for (int i = 0; i < columnas_.size(); ++i) {
                if (!cambiado_[i]) continue;
                const int previa = nombres.indexOf(NombreSql(columnas_[i].origen));
                if (previa >= 0) {
                    valores[previa] = buffer_[i];
                    continue;
                }
                nombres << NombreSql(columnas_[i].origen);
                marcas << QStringLiteral("?");
                valores << buffer_[i];
            }
            const QString tabla = NombreSql(tablas_[0].nombre);
            const QString sql = nombres.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(tabla)
                                                  : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                                        .arg(tabla, nombres.join(QLatin1String(", ")), marcas.join(QLatin1String(", ")));
            Sentencia s(db, sql);
            s.Enlaza(valores);
            s.Paso();
            Fila nueva;
            nueva.valores = QVector<QVariant>(columnas_.size());
            nueva.rowids = {sqlite3_last_insert_rowid(db)};
            confirma();
            Relee(nueva, 0);
            const bool enEOF = pos_ >= filas_.size();
            filas_.push_back(std::move(nueva));
            if (enEOF) pos_ = filas_.size();
        }
    } catch (...) {
        if (pendiente) sqlite3_exec(db, "ROLLBACK TO tv_actualiza; RELEASE tv_actualiza", nullptr, nullptr, nullptr);
        throw;   // the edit stays pending so the caller may correct it and retry
    }
    Suelta();
}

void RecordsetSqlite::Delete() {
    PuedeEscribir();
    if (tablas_.size() != 1)
        throw ErrorBD(codigo::SoloLectura, QStringLiteral("Records can only be deleted through a single-table recordset."));
    if (!HayActual()) throw ErrorBD(codigo::SinRegistroActual, NoHayRegistro());
    Suelta();
    const Fila &fila = filas_[pos_];
    if (fila.rowids[0]) {
        Sentencia s(Abierta(con_), QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(NombreSql(tablas_[0].nombre)));
        s.Enlaza({*fila.rowids[0]});
        s.Paso();
    }
    filas_.remove(pos_);
    borrado_ = true;
}

}  // namespace

std::unique_ptr<Recordset> AbreRecordset(const std::shared_ptr<Conexion> &con, const QString &origen, TipoRecordset tipo,
                                         const QVariantList &parametros) {
    Abierta(con);
    auto rs = std::make_unique<RecordsetSqlite>(con, tipo);
    rs->Carga(origen, parametros);
    return rs;
}

}  // namespace bd::detalle
