// The configuration report: CargaReport writes the whole report of the
// configuration being edited as a tagged file, section by section and table
// by table; the viewer, the printer and the PDF draw it from that file.
#pragma once

#include "core/aplicacion.h"
#include "report/fichero_informe.h"
#include "store/db/basedatos.h"

#include <functional>

namespace tarvo {

// What every table writer works on: the state, the working copy and the file.
struct InformeEnCurso {
    Contexto &ctx;
    bd::BaseDatos &trabajo;
    EscritorInforme &e;
};

// Writes the report of `trabajo` (the open model's working copy) into
// `fichero`. False after telling the user (text 529) what went wrong; the
// file is then incomplete and the caller discards it. `avance` is told after
// each table, with the tables written and the tables to write.
bool CargaReport(Contexto &ctx, bd::BaseDatos &trabajo, const QString &fichero,
                 const std::function<void(int hechas, int total)> &avance = {});

// Table writers, named after their tables. They throw on a database error;
// CargaReport reports it.
void ReportCabecera(InformeEnCurso &r);
void ReportEntradasPROT(InformeEnCurso &r);
void ReportANDsPROT(InformeEnCurso &r);
void ReportSalidasPROT(InformeEnCurso &r);
void ReportEventosPROT(InformeEnCurso &r);
void ReportAparamentaCTRL(InformeEnCurso &r);
void ReportTemporizadoresManiobrasCTRL(InformeEnCurso &r);
void ReportEntradasDigitalesCTRL(InformeEnCurso &r);
void ReportEntradasPulsosCTRL(InformeEnCurso &r);
void ReportSalidasCTRL(InformeEnCurso &r);
void ReportEventosCTRL(InformeEnCurso &r);
void ReportEsperaConfirmacionCTRL(InformeEnCurso &r);
void ReportBitMandoCTRL(InformeEnCurso &r);
void ReportActuacionCTRL(InformeEnCurso &r);
void ReportFalloCTRL(InformeEnCurso &r);
void ReportExitoCTRL(InformeEnCurso &r);
void ReportEventosCOMU(InformeEnCurso &r);
void ReportLEDsCOMU(InformeEnCurso &r);
void ReportGraficoCOMU(InformeEnCurso &r);

// Shared writers.
// A table of records with masks, values and modes; tells the user and writes
// nothing when the labels cannot be loaded.
void CargaTablaMVD(InformeEnCurso &r, const QString &tabla, int titulo);
// A condition table ("Actuacion CTRL", "Fallo CTRL", "Exito CTRL").
void CargaInterbloqueo(InformeEnCurso &r, const QString &tabla, int titulo);
// Labels of a signal-state table's signals (position i is signal i+1).
QStringList CargaStringEstados(InformeEnCurso &r, const QString &tablaEstados);
// The 96 event names of the LED event space.
QStringList CargaStringEventos(InformeEnCurso &r);

}  // namespace tarvo
