#include "core/rutas.h"

#include <cmath>

namespace tarvo {

void InicializaRutas(Aplicacion &app, const QString &directorioPrograma, const QString &directorioTemporal) {
    app.DirectorioPrograma = directorioPrograma;
    app.DirectorioTrabajo = directorioPrograma + Separador + "work" + Separador;
    const int corte = directorioPrograma.lastIndexOf(Separador);
    app.DirectorioModelos = directorioPrograma.left(corte + 1) + "models" + Separador;

    QString temporal = directorioTemporal;
    if (!temporal.isEmpty() && !temporal.endsWith(Separador)) temporal += Separador;
    app.DirectorioTemporal = temporal;
    app.FicheroSinTitulo = temporal + "default.cnf";
    app.CopiaTrabajo = temporal + "cnf00000.tmp";
    app.CopiaRecepcion = temporal + "cnf00001.tmp";
    app.CopiaCompactacion = temporal + "cnf00002.tmp";
    app.FicheroInforme = temporal + "cnf00003.tmp";

    app.FicheroIni = directorioPrograma + Separador + "tarvo32.ini";
    app.FicheroIdiomas = directorioPrograma + Separador + "tarvo32.dat";
    app.FicheroActual.clear();
}

QString TextoPanelPuertos(const ParametrosPuerto &p, const clsDiccionario &dic) {
    QString texto = QString("COM%1;%2;%3;").arg(p.Puerto).arg(p.Velocidad).arg(p.LongitudPalabra);
    texto += dic.Texto(116 + p.Paridad).left(1);
    static const char *const bitsStop[] = {"1", "1,5", "2"};
    if (p.BitsStop <= 2) texto += QString(";") + bitsStop[p.BitsStop];
    return texto + " ";
}

QPoint PosicionVentana(const QRect &escritorio, const QRect &ventana, int codigo) {
    auto centrado = [](int inicio, int extension, int propia) {
        return int(std::lrint(inicio + extension / 2.0 - propia / 2.0));
    };
    const int izquierda = escritorio.left();
    const int derecha = escritorio.left() + escritorio.width() - ventana.width();
    const int centroX = centrado(escritorio.left(), escritorio.width(), ventana.width());
    const int arriba = escritorio.top();
    const int abajo = escritorio.top() + escritorio.height() - ventana.height();
    const int centroY = centrado(escritorio.top(), escritorio.height(), ventana.height());
    switch (codigo) {
    case ArribaIzquierda: return {izquierda, arriba};
    case ArribaCentro: return {centroX, arriba};
    case ArribaDerecha: return {derecha, arriba};
    case CentroIzquierda: return {izquierda, centroY};
    case CentroDerecha: return {derecha, centroY};
    case AbajoIzquierda: return {izquierda, abajo};
    case AbajoCentro: return {centroX, abajo};
    case AbajoDerecha: return {derecha, abajo};
    case CentroEscritorio: return {centroX, centroY};
    default: return ventana.topLeft();
    }
}

QString ConstruyeVersion(int mayor, int menor, int revision) {
    return QString("%1.%2.%3").arg(mayor).arg(menor).arg(revision);
}

}  // namespace tarvo
