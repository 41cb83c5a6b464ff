// Time to pack and to decode each table of the full model with random
// settings: the whole configuration should take a few milliseconds, far
// below the seconds the serial transfer of it takes.
#include "comms/codificacion/empaquetado.h"
#include "comms/codificacion/recepcion.h"
#include "configuracion_aleatoria.h"
#include "store/ficheros.h"
#include "support/instalacion.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>

using namespace tarvo;

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    prueba::Instalacion ins;
    ins.ui.EsperaModelo("TRV-610 **");
    NuevaConfiguracion(ins.ctx, ins.v);
    DatosCodificacion datos;
    if (!PreparaDatosRecepcion(ins.ctx, datos)) return 1;
    const Aplicacion &a = ins.ctx.app;
    const QString recepcion = ins.arbol.raiz.en("recepcion.cnf");
    QFile::copy(a.CopiaTrabajo, recepcion);
    prueba::LlenaConfiguracion(a, datos, a.CopiaTrabajo, 1);

    constexpr int vueltas = 50;
    auto trabajo = bd::BaseDatos::Abrir(a.CopiaTrabajo, bd::Apertura::SoloLectura);
    auto destino = bd::BaseDatos::Abrir(recepcion);
    double totalEmpaquetar = 0, totalDecodificar = 0, totalBytes = 0;
    std::printf("%-28s %8s %10s %12s %14s\n", "table", "values", "pack (us)", "bytes->columns", "+ db write (us)");
    for (const EntradaGrupo &e : a.GruposCONST) {
        QList<qint32> valores;
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < vueltas; ++i) valores = Empaqueta(*trabajo, a, e.Tabla);
        const double empaquetar = double(t.nsecsElapsed()) / vueltas / 1000.0;
        const QString hex = prueba::FlujoRecibido(valores, e);
        // The decoding alone: the stream cut into records and each record into its columns.
        const TablaCodificada *tc = BuscaTablaCodificada(e.Tabla);
        t.restart();
        for (int i = 0; tc && i < vueltas; ++i) {
            if (tc->disposicion == Disposicion::Grafico) {
                QList<ObjetoGrafico> objetos;
                DecodificaObjetos(hex, objetos);
            } else if (tc->disposicion != Disposicion::NoEnviada) {
                const int registros = int(hex.size()) / (2 * tc->bytes);
                for (const QString &r : CortaRegistros(hex, 2 * tc->bytes, registros)) DecodificaRegistro(*tc, r, datos);
            }
        }
        const double bytes = double(t.nsecsElapsed()) / vueltas / 1000.0;
        t.restart();
        for (int i = 0; i < vueltas; ++i) {
            destino->BeginTrans();
            DecodificaTabla(*destino, a, datos, e.Tabla, hex);
            destino->CommitTrans();
        }
        const double decodificar = double(t.nsecsElapsed()) / vueltas / 1000.0;
        totalEmpaquetar += empaquetar;
        totalDecodificar += decodificar;
        totalBytes += bytes;
        std::printf("%-28s %8lld %10.1f %12.1f %14.1f\n", qPrintable(e.Tabla), static_cast<long long>(valores.size()),
                    empaquetar, bytes, decodificar);
    }
    std::printf("%-28s %8s %10.1f %12.1f %14.1f\n", "whole configuration", "", totalEmpaquetar, totalBytes,
                totalDecodificar);
    std::printf("pack + decode (codec): %.2f ms; with the receive copy's writes: %.2f ms (target: under 5 ms)\n",
                (totalEmpaquetar + totalBytes) / 1000.0, (totalEmpaquetar + totalDecodificar) / 1000.0);
    return 0;
}
