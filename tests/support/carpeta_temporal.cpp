#include "support/carpeta_temporal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace prueba {

CarpetaTemporal::CarpetaTemporal() { dir_.setAutoRemove(true); }

void CarpetaTemporal::escribe(const QString &relativa, const QByteArray &contenido) const {
    const QString ruta = en(relativa);
    QDir().mkpath(QFileInfo(ruta).absolutePath());
    QFile f(ruta);
    if (f.open(QIODevice::WriteOnly)) f.write(contenido);
}

QByteArray CarpetaTemporal::lee(const QString &relativa) const {
    QFile f(en(relativa));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool CarpetaTemporal::existe(const QString &relativa) const { return QFileInfo::exists(en(relativa)); }

QString FicheroPrograma(const QString &nombre) { return QStringLiteral(TARVO_PROGRAM_DIR) + "/" + nombre; }

QStringList Filas(const QString &ruta, const QString &sql, bd::Apertura modo) {
    auto db = bd::BaseDatos::Abrir(ruta, modo);
    auto rs = db->OpenRecordset(sql, bd::TipoRecordset::Snapshot);
    QStringList filas;
    for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext()) {
        QStringList campos;
        for (int i = 0; i < rs->FieldCount(); ++i) campos << rs->Value(i).toString();
        filas << campos.join("|");
    }
    return filas;
}


ArbolPrograma::ArbolPrograma(bool conModelos) {
    programa = raiz.en("tarvo32");
    modelos = raiz.en("models/");
    temporal = raiz.en("tmp");
    QDir().mkpath(programa);
    QDir().mkpath(temporal);
    for (const char *f : {"tarvo32.dat", "modelos.mdb", "tarvo32.html"})
        QFile::copy(FicheroPrograma(f), programa + "/" + f);
    if (conModelos) {
        QDir().mkpath(modelos);
        const QDir construidos(TARVO_MODELS_DIR);
        for (const QString &f : construidos.entryList({"*.mdb", "*.MDB"}, QDir::Files))
            QFile::copy(construidos.filePath(f), modelos + f);
    }
}

}  // namespace prueba
