#include "editors/leds.h"

#include "store/catalogo.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>

namespace tarvo {
namespace {

// Two exclusive options in a frame of their own.
std::pair<QRadioButton *, QRadioButton *> Opciones(QWidget *padre, const char *marco, const char *si, const char *no) {
    auto *caja = new QGroupBox(padre);
    caja->setObjectName(marco);
    auto *capa = new QHBoxLayout(caja);
    auto *a = new QRadioButton(caja), *b = new QRadioButton(caja);
    a->setObjectName(si);
    b->setObjectName(no);
    capa->addWidget(a);
    capa->addWidget(b);
    return {a, b};
}

// Groups of 16 events a table gives the LEDs; none when the model lacks it.
int GruposDe(const Aplicacion &app, const QString &tabla, bool siempre = false) {
    return siempre || TablaEnModelo(app, tabla) ? EntidadesDeTabla(app, tabla) / 16 : 0;
}

}  // namespace

com_Leds::com_Leds(Contexto &ctx, VentanaMadre &madre, QWidget *parent)
    : EditorTabla(ctx, madre,
                  {.nombre = "com_Leds",
                   .textoEstado = 102,
                   .origen = "LEDs COMU",
                   .tablasEnviadas = {"LEDs COMU"},
                   .rellenaAlGuardar = true,
                   .conValores = true,
                   .gruposPropios = true},
                  parent) {
    QWidget *padre = Nombre()->parentWidget();
    std::tie(parOn_, parOff_) = Opciones(padre, "frm_Parpadeo", "Opt_ParOn", "Opt_ParOff");
    std::tie(manOn_, manOff_) = Opciones(padre, "frm_Mantenido", "Opt_ManOn", "opt_ManOff");
    Campos()->addWidget(parOn_->parentWidget(), 1, 1);
    Campos()->addWidget(manOn_->parentWidget(), 1, 2, 1, 2);
    for (QRadioButton *o : {parOn_, parOff_, manOn_, manOff_}) Vigila(o);
}

QString com_Leds::ConsultaEventos(bool control, bool proteccion) {
    QString sql;
    if (control) sql += QString("SELECT Indice + 1000 , NombreAjuste FROM [") + "Eventos CTRL" + "] UNION ";
    if (proteccion) sql += QString("SELECT Indice , NombreAjuste FROM [") + "Eventos PROT" + "] UNION ";
    return sql + "SELECT Indice + 2000 , NombreAjuste FROM [" + "Eventos COMU" + "]";
}

QList<std::pair<int, QString>> com_Leds::EventosOfrecidos(bd::BaseDatos &db, bool control, bool proteccion) {
    auto eventos = db.OpenRecordset(ConsultaEventos(control, proteccion), bd::TipoRecordset::Snapshot);
    QList<std::pair<int, QString>> filas;
    for (eventos->MoveFirst(); !eventos->AtEOF(); eventos->MoveNext())
        filas.append({eventos->Value(0).toInt(), eventos->Value(1).toString()});
    // The tabs follow the renumbered index, whatever order the union comes in.
    std::stable_sort(filas.begin(), filas.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    return filas;
}

QList<int> com_Leds::MapaGrupos(int proteccion, int control, int comunicaciones) {
    const int total = proteccion + control + comunicaciones;
    QList<int> mapa;
    for (int t = 0; t < total; ++t) mapa << (t < proteccion ? t : t + 6 - total);
    return mapa;
}

void com_Leds::CargaGrupos() {
    const Aplicacion &app = ctx().app;
    mapa_ = MapaGrupos(GruposDe(app, "Eventos PROT"), GruposDe(app, "Eventos CTRL"),
                       GruposDe(app, "Eventos COMU", true));
    const bool control = VentanaPadre().EntradaAjusteActiva("mnuAjusteControl", 9);
    const bool proteccion = VentanaPadre().EntradaAjusteActiva("mnuAjusteProteccion", 3);
    etiquetas_.clear();
    for (const auto &f : EventosOfrecidos(*Base(), control, proteccion)) etiquetas_ << f.second;
}

int com_Leds::PestanaDeGrupo(int grupo) const {
    // The tab that stores the group shows it. Where the tab numbers and the
    // groups differ (fewer than six tabs), showing the record on the tab whose
    // number equals its group would put its masks under another group's events
    // and a save there would move the LED to that group.
    const int pestana = int(mapa_.indexOf(grupo));
    if (pestana >= 0) return pestana;
    return grupo < mapa_.size() ? grupo : 0;
}

void com_Leds::MuestraRegistro() {
    const bd::Recordset &rs = *Registros();
    (rs.Value("Parpadeo").toBool() ? parOn_ : parOff_)->setChecked(true);
    (rs.Value("Mantenido").toBool() ? manOn_ : manOff_)->setChecked(true);
}

bool com_Leds::Guarda() {
    Registros()->Edit();
    EscribeGrupo({{"NombreAjuste", Nombre()->text()},
                  {"Parpadeo", parOn_->isChecked()},
                  {"Mantenido", manOn_->isChecked()}});
    Registros()->Update();
    return true;
}

}  // namespace tarvo
