// What the display graphic editor may place: measurements, states, events,
// inputs and outputs, counters and manoeuvres of the model. Each list comes
// from the model database (and, for events, the working copy); an optional
// table the model lacks gives an empty list.
#pragma once

#include "core/aplicacion.h"

#include <QMap>

#include <memory>

namespace bd { class BaseDatos; }

namespace tarvo {

struct MedidaDisplay {
    int Tipo = 0;
    QString Nombre;
    int CPU = 0;
    QString Unidad;
    int Unidades = 0;
    int Donde = 0;
};

struct EstadoDisplay {
    int CPU = 0;
    QString Descripcion;
    int Bit = 0;
    int ByteComunicaciones = 0;
};

struct EntradaSalidaDisplay {
    int CPU = 0;
    int Tipo = 0;
    QString Entrada;
    QString Nombre;
    int Donde = 0;
    int Bit = 0;
};

struct ContadorDisplay {
    int Tipo = 0;
    QString Nombre;
    int CPU = 0;
    int Donde = 0;
};

struct EstadosYEventos {
    QList<EstadoDisplay> estados;
    QStringList eventosPROT, eventosCOMU;
};

struct AparamentaDisplay {
    bool Configurable = true;
    int PosicionEstado = 0;
    int ByteComunicacion = 0;
    QString Nombre;   // the switchgear's name in the working copy
};

struct ManiobraDisplay {
    int CPU = 0;
    int Indice = 0;
    QString Nombre;
};

struct AparamentaYManiobras {
    QList<AparamentaDisplay> aparamenta;
    QStringList ordenes;               // names of the working copy's remote orders
    QList<ManiobraDisplay> maniobras;
};

// The model's code: its database file name without the extension.
QString CodigoModelo(const Aplicacion &app);

// The working copy is opened exclusively, so a caller that holds it open
// passes it in `trabajo`; otherwise it is opened here into `propia`.
bd::BaseDatos &CopiaTrabajoAbierta(Contexto &ctx, bd::BaseDatos *trabajo, std::unique_ptr<bd::BaseDatos> &propia);

// All of these report a failure (error report naming themselves) and give an
// empty result. `trabajo`: the working copy when the caller holds it open.
QList<MedidaDisplay> CargaMedidas(Contexto &ctx);
EstadosYEventos CargaEstadoEventos(Contexto &ctx, bd::BaseDatos *trabajo = nullptr);
QMap<int, QList<EntradaSalidaDisplay>> CargaEntradasSalidas(Contexto &ctx);
QMap<int, QList<ContadorDisplay>> CargaContadoresAnalogicas(Contexto &ctx);
AparamentaYManiobras CargaEstadoEventosAparamenta(Contexto &ctx, bd::BaseDatos *trabajo = nullptr);

}  // namespace tarvo
