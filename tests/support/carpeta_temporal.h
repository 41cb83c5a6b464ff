// A scratch folder per test, removed afterwards, with helpers to lay out a
// program tree (program folder + "models" beside it) the way the build does.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <functional>

#include "store/db/basedatos.h"
#include "support/imprime_qt.h"

namespace prueba {

class CarpetaTemporal {
public:
    CarpetaTemporal();
    QString ruta() const { return dir_.path(); }
    QString en(const QString &relativa) const { return dir_.path() + "/" + relativa; }
    void escribe(const QString &relativa, const QByteArray &contenido) const;
    QByteArray lee(const QString &relativa) const;
    bool existe(const QString &relativa) const;

private:
    QTemporaryDir dir_;
};

// Path of a file the build shipped in the program tree (e.g. "tarvo32.dat").
QString FicheroPrograma(const QString &nombre);

// The rows `sql` selects from the database at `ruta`, each row's columns joined by "|".
QStringList Filas(const QString &ruta, const QString &sql, bd::Apertura modo = bd::Apertura::SoloLectura);

// The error `f` throws; number 0 when it throws none.
inline bd::ErrorBD ErrorDe(const std::function<void()> &f) {
    try {
        f();
    } catch (const bd::ErrorBD &e) {
        return e;
    }
    return bd::ErrorBD(0, QString());
}


// A program tree in a scratch folder: "<raíz>/tarvo32" with the shipped data
// files, and (unless told otherwise) "<raíz>/models" with the catalogue and
// the model databases.
struct ArbolPrograma {
    explicit ArbolPrograma(bool conModelos = true);
    CarpetaTemporal raiz;
    QString programa;   // no trailing separator
    QString modelos;    // with a trailing separator
    QString temporal;   // a temporary folder of its own
};

}  // namespace prueba
