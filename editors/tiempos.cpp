#include "editors/tiempos.h"

#include "comms/codificacion/registros.h"
#include "core/ui/controles.h"
#include "editors/teclas.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace tarvo {
namespace {

QLineEdit *CajaTiempo(Contexto &ctx, const char *nombre, QWidget *padre) {
    auto *caja = new QLineEdit(padre);
    caja->setObjectName(nombre);
    ValidaTeclaNumero(ctx, caja);
    return caja;
}

}  // namespace

const char *cnt_Temporizadores::Consulta =
    "SELECT DISTINCTROW [TiempoPrevio CTRL].NombreAjuste, [TiempoPrevio CTRL].Configurable, [TiempoPrevio "
    "CTRL].TiempoActuacion, [TiempoPrevio CTRL].Minimo AS MinimoActuacion, [TiempoPrevio CTRL].Maximo AS "
    "MaximoActuacion, [TiempoFallo CTRL].Minimo AS MinimoFallo, [TiempoFallo CTRL].Maximo AS MaximoFallo, "
    "[TiempoSalida CTRL].Minimo AS MinimoSalida, [TiempoSalida CTRL].Maximo AS MaximoSalida, [TiempoPrevio "
    "CTRL].Codificacion AS ActCodific, [TiempoFallo CTRL].TiempoFallo, [TiempoFallo CTRL].Codificacion AS "
    "FalCodific, [TiempoSalida CTRL].TiempoSalida, [TiempoSalida CTRL].Codificacion As SalCodific FROM "
    "([TiempoPrevio CTRL] INNER JOIN [TiempoFallo CTRL] ON [TiempoPrevio CTRL].Indice = [TiempoFallo "
    "CTRL].Indice) INNER JOIN [TiempoSalida CTRL] ON [TiempoFallo CTRL].Indice = [TiempoSalida CTRL].Indice;";

cnt_Temporizadores::cnt_Temporizadores(Contexto &ctx, VentanaMadre &madre, QWidget *parent)
    : EditorTabla(ctx, madre,
                  {.nombre = "cnt_Temporizadores",
                   .textoEstado = 86,
                   .origen = Consulta,
                   .tablasEnviadas = {"TiempoPrevio CTRL", "TiempoFallo CTRL", "TiempoSalida CTRL"},
                   .rellenaAlGuardar = true},
                  parent) {
    QWidget *padre = Nombre()->parentWidget();
    actuacion_ = CajaTiempo(ctx, "txt_TemporizadorActuacion", padre);
    fallo_ = CajaTiempo(ctx, "txt_TemporizadorFallo", padre);
    salida_ = CajaTiempo(ctx, "txt_TemporizadorSalida", padre);
    QGridLayout *c = Campos();
    int fila = 1;
    for (auto [etiqueta, caja] : {std::pair{"lbl_TemporizadorActuacion", actuacion_},
                                  {"lbl_TemporizadorFallo", fallo_}, {"lbl_TemporizadorSalida", salida_}}) {
        c->addWidget(CreaEtiqueta(etiqueta, padre), fila, 0);
        c->addWidget(caja, fila++, 1);
        Vigila(caja);
    }
}

void cnt_Temporizadores::MuestraRegistro() {
    const bd::Recordset &rs = *Registros();
    actuacion_->setText(rs.Value("TiempoActuacion").toString());
    fallo_->setText(rs.Value("TiempoFallo").toString());
    salida_->setText(rs.Value("TiempoSalida").toString());
    const bool configurable = rs.Value("Configurable").toBool();
    for (QWidget *w : {static_cast<QWidget *>(Nombre()), static_cast<QWidget *>(actuacion_),
                       static_cast<QWidget *>(fallo_), static_cast<QWidget *>(salida_)})
        w->setEnabled(configurable);
}

bool cnt_Temporizadores::Guarda() {
    bd::Recordset &rs = *Registros();
    auto lee = [&](QLineEdit *caja, const char *etiqueta, const char *sufijo) {
        return LeeEnRango(caja->text(), etiqueta, rs.Value(QString("Minimo") + sufijo).toLongLong(),
                          rs.Value(QString("Maximo") + sufijo).toLongLong());
    };
    // In order, and the first refusal ends the save: nothing of the record is written.
    const auto actuacion = lee(actuacion_, "Temporizador de Actuación", "Actuacion");
    if (!actuacion) return false;
    const auto fallo = lee(fallo_, "Temporizador de Fallo", "Fallo");
    if (!fallo) return false;
    const auto salida = lee(salida_, "Temporizador de Salida", "Salida");
    if (!salida) return false;
    rs.Edit();
    rs.SetValue("NombreAjuste", Nombre()->text());
    rs.SetValue("TiempoActuacion", *actuacion);
    rs.SetValue("TiempoFallo", *fallo);
    rs.SetValue("TiempoSalida", *salida);
    rs.SetValue("ActCodific", CodificacionTiempo(int(*actuacion)));
    rs.SetValue("FalCodific", CodificacionTiempo(int(*fallo)));
    rs.SetValue("SalCodific", CodificacionTiempo(int(*salida)));
    rs.Update();
    return true;
}

cnt_TimeOut::cnt_TimeOut(Contexto &ctx, VentanaMadre &madre, QWidget *parent)
    : EditorTabla(ctx, madre,
                  {.nombre = "cnt_TimeOut",
                   .textoEstado = 92,
                   .origen = "EsperaConfirmacion CTRL",
                   .tablasEnviadas = {"EsperaConfirmacion CTRL"},
                   .cajaNombre = {}},
                  parent) {
    QWidget *padre = Lista()->parentWidget();
    nombre_ = new QLabel(padre);
    nombre_->setObjectName("lbl_Timeout");
    tiempo_ = CajaTiempo(ctx, "txt_Timeout", padre);
    Campos()->addWidget(nombre_, 0, 0);
    Campos()->addWidget(tiempo_, 0, 1);
    Vigila(tiempo_);
}

void cnt_TimeOut::MuestraRegistro() {
    Lista()->setCurrentIndex(RegistroActual() - 1);
    nombre_->setText(Registros()->Value("NombreAjuste").toString().trimmed());
    tiempo_->setText(Registros()->Value("Tiempo").toString());
}

bool cnt_TimeOut::Guarda() {
    const auto tiempo = LeeEnRango(tiempo_->text(), "Time Out", 1, 60);
    if (!tiempo) return false;
    bd::Recordset &rs = *Registros();
    rs.Edit();
    rs.SetValue("Tiempo", *tiempo);
    rs.SetValue("Codificacion", CodificacionTiempo(int(*tiempo)));
    rs.Update();
    return true;
}

}  // namespace tarvo
