// A small configuration database for the layer's tests: the tables the
// callers' joins and unions read, with a few known rows.
#pragma once

#include "store/db/basedatos.h"
#include "support/carpeta_temporal.h"
#include "support/imprime_qt.h"

#include <QString>
#include <QVariant>

#include <gtest/gtest.h>

#include <ostream>

namespace prueba {

// Creates the file and fills it; returns it open (shared).
std::unique_ptr<bd::BaseDatos> CreaConfiguracion(const QString &ruta);

// Value of one column in the row of a table whose Indice is given, read with a
// fresh connection so that only what reached the file counts.
QVariant LeeDeFichero(const QString &ruta, const QString &tabla, const QString &columna, int indice);

// A test on that configuration, open as `db`.
class ConConfiguracion : public ::testing::Test {
protected:
    void SetUp() override { db = CreaConfiguracion(ruta); }

    CarpetaTemporal carpeta;
    QString ruta = carpeta.en("cnf00000.tmp");
    std::unique_ptr<bd::BaseDatos> db;
};

}  // namespace prueba


