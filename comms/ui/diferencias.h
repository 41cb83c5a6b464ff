// The differences between two configurations, one row per setting, sortable
// by any column, with both fingerprints under the table.
#pragma once

#include "comms/comparacion.h"

#include <QDialog>

class QLabel;
class QTableWidget;

namespace tarvo {

class VentanaDiferencias : public QDialog {
    Q_OBJECT
public:
    // `ladoA` and `ladoB` name the two sides in the column headers.
    VentanaDiferencias(const clsDiccionario &dic, const Comparacion &c, const QString &ladoA, const QString &ladoB,
                       QWidget *parent = nullptr);
    QTableWidget *Tabla() const { return tabla_; }
    QString Resumen() const;

private:
    QTableWidget *tabla_;
    QLabel *resumen_;
};

}  // namespace tarvo
