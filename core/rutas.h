// Folders and file names the program works with, and the small formats the
// main window shows.
#pragma once

#include "core/aplicacion.h"

#include <QPoint>
#include <QRect>
#include <QSize>

namespace tarvo {

// Work folder inside the program folder, models folder beside it, temporary
// copies in tempDir. Clears FicheroActual.
void InicializaRutas(Aplicacion &app, const QString &directorioPrograma, const QString &directorioTemporal);

// "COM2;9600;8;N;1 ": the settings of status panel 5.
QString TextoPanelPuertos(const ParametrosPuerto &p, const clsDiccionario &dic);

// Position codes of PlaceForm.
enum CodigoPosicion {
    ArribaIzquierda = 1001, ArribaCentro = 1002, ArribaDerecha = 1003,
    CentroIzquierda = 1004, CentroDerecha = 1006,
    AbajoIzquierda = 1007, AbajoCentro = 1008, AbajoDerecha = 1009,
    CentroEscritorio = 1055,
};
// Where a window of the given size goes on the desktop; centred coordinates
// round halves to even. An unknown code leaves the window where it is.
QPoint PosicionVentana(const QRect &escritorio, const QRect &ventana, int codigo);

// "1.0.0" from the build's version numbers.
QString ConstruyeVersion(int mayor, int menor, int revision);

}  // namespace tarvo
