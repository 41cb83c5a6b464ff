#include "comms/ui/diferencias.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tarvo {
namespace {

// Numbers sort as numbers, not as text ("10" after "9").
QTableWidgetItem *Celda(const QVariant &valor) {
    auto *c = new QTableWidgetItem;
    c->setData(Qt::DisplayRole, valor);
    c->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return c;
}

}  // namespace

VentanaDiferencias::VentanaDiferencias(const clsDiccionario &dic, const Comparacion &c, const QString &ladoA,
                                       const QString &ladoB, QWidget *parent)
    : QDialog(parent) {
    setObjectName("Diferencias");
    setWindowTitle(dic.Texto(3320));
    tabla_ = new QTableWidget(int(c.diferencias.size()), 6, this);
    tabla_->setObjectName("tabla");
    tabla_->setHorizontalHeaderLabels({dic.Texto(3310), dic.Texto(3311), dic.Texto(3312), dic.Texto(3313), ladoA, ladoB});
    tabla_->verticalHeader()->hide();
    for (int f = 0; f < c.diferencias.size(); ++f) {
        const Diferencia &d = c.diferencias[f];
        // A difference no setting shows is told by the block of the table it is in.
        const QString ajuste = d.ajuste.isEmpty() && d.bloque > 0 ? dic.Texto(3314, d.bloque) : d.ajuste;
        const QVariant registro = d.registro > 0 ? QVariant(d.registro) : QVariant(QString());
        const QVariant fila[] = {d.tabla, registro, d.nombre, ajuste, d.valorA, d.valorB};
        for (int k = 0; k < 6; ++k) tabla_->setItem(f, k, Celda(fila[k]));
    }
    tabla_->setSortingEnabled(true);
    tabla_->sortByColumn(-1, Qt::AscendingOrder);   // as found, until a header is clicked
    tabla_->resizeColumnsToContents();
    tabla_->horizontalHeader()->setStretchLastSection(true);

    resumen_ = new QLabel(c.Iguales() ? dic.Texto(3315) : dic.Texto(3316, c.diferencias.size()), this);
    resumen_->setObjectName("lblResumen");
    auto *huellas = new QLabel(QString("%1 %2\n%3 %4").arg(ladoA, c.huellaA, ladoB, c.huellaB), this);
    huellas->setObjectName("lblHuellas");
    huellas->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    huellas->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *botones = new QDialogButtonBox(QDialogButtonBox::Close, this);
    botones->button(QDialogButtonBox::Close)->setText(dic.Texto(2004));
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *capa = new QVBoxLayout(this);
    capa->addWidget(resumen_);
    capa->addWidget(tabla_, 1);
    capa->addWidget(new QLabel(dic.Texto(3317), this));
    capa->addWidget(huellas);
    capa->addWidget(botones);
    resize(900, 520);
}

QString VentanaDiferencias::Resumen() const { return resumen_->text(); }

}  // namespace tarvo
