#include "report/informe.h"

#include "store/catalogo.h"
#include "store/modelos.h"
#include "store/tablas.h"

#include <QDateTime>
#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <stdexcept>

namespace tarvo {
namespace {

struct TablaInforme {
    const char *tabla;
    void (*escritor)(InformeEnCurso &);
    const char *nombre;   // the writer, named in a debug-mode error
};

struct Seccion {
    qint16 cpu;
    int titulo;
    QList<TablaInforme> tablas;
};

// The sections by CPU and their tables, in the order they are printed.
const QList<Seccion> &Secciones() {
    static const QList<Seccion> secciones = {
        {0, 1982,
         {{"Entradas PROT", ReportEntradasPROT, "ReportEntradasPROT"},
          {"ANDs PROT", ReportANDsPROT, "ReportANDsPROT"},
          {"Salidas PROT", ReportSalidasPROT, "ReportSalidasPROT"},
          {"Eventos PROT", ReportEventosPROT, "ReportEventosPROT"}}},
        {1, 1983,
         {{"Aparamenta CTRL", ReportAparamentaCTRL, "ReportAparamentaCTRL"},
          {"TiempoPrevio CTRL", ReportTemporizadoresManiobrasCTRL, "ReportTemporizadoresManiobrasCTRL"},
          {"TiempoEntradas CTRL", ReportEntradasDigitalesCTRL, "ReportEntradasDigitalesCTRL"},
          {"EntradasPulsos CTRL", ReportEntradasPulsosCTRL, "ReportEntradasPulsosCTRL"},
          {"Salidas CTRL", ReportSalidasCTRL, "ReportSalidasCTRL"},
          {"Eventos CTRL", ReportEventosCTRL, "ReportEventosCTRL"},
          {"EsperaConfirmacion CTRL", ReportEsperaConfirmacionCTRL, "ReportEsperaConfirmacionCTRL"},
          {"BitMando CTRL", ReportBitMandoCTRL, "ReportBitMandoCTRL"},
          {"Actuacion CTRL", ReportActuacionCTRL, "ReportActuacionCTRL"},
          {"Fallo CTRL", ReportFalloCTRL, "ReportFalloCTRL"},
          {"Exito CTRL", ReportExitoCTRL, "ReportExitoCTRL"}}},
        {2, 1984,
         {{"Eventos COMU", ReportEventosCOMU, "ReportEventosCOMU"},
          {"LEDs COMU", ReportLEDsCOMU, "ReportLEDsCOMU"},
          {"Grafico COMU", ReportGraficoCOMU, "ReportGraficoCOMU"}}},
    };
    return secciones;
}

bool HayCPU(const Aplicacion &app, qint16 cpu) {
    return std::any_of(app.GruposCONST.cbegin(), app.GruposCONST.cend(),
                       [cpu](const EntradaGrupo &e) { return e.CPU == cpu; });
}

// A date as the record keeps it: the day, and the time only when it has one.
QString TextoFecha(const QVariant &valor) {
    const QDateTime fecha = valor.toDateTime();
    if (!fecha.isValid()) return valor.toString();
    return fecha.toString(fecha.time() == QTime(0, 0) ? "dd/MM/yyyy" : "dd/MM/yyyy HH:mm:ss");
}

}  // namespace

void ReportCabecera(InformeEnCurso &r) {
    const Contexto &ctx = r.ctx;
    r.e.Titulo(ctx.dic.Texto(1854));
    const char *campos[] = {"Subestacion", "Linea", "Comentarios", "FechaCreacion", "UltimaModificacion"};
    QVariantList varios(std::size(campos));
    if (ExisteTabla(r.trabajo, "Varios")) {
        auto rs = r.trabajo.OpenRecordset("Varios", bd::TipoRecordset::Snapshot);
        rs->MoveFirst();
        for (int i = 0; !rs->AtEOF() && i < varios.size(); ++i) varios[i] = rs->Value(campos[i]);
    }
    // The file's own name, whatever separator its folder was written with.
    const QString &ruta = ctx.app.FicheroActual;
    const qsizetype corte = std::max({ruta.lastIndexOf('\\'), ruta.lastIndexOf(':'), ruta.lastIndexOf('/')});
    const std::pair<int, QString> lineas[] = {
        {1855, ModeloAPantalla(ctx.app.NombreModelo)},
        {1856, varios[0].toString()},
        {1857, varios[1].toString()},
        {1858, varios[2].toString()},
        {1859, ruta.mid(corte + 1).trimmed()},
        {1860, TextoFecha(varios[3])},
        {1861, TextoFecha(varios[4])},
    };
    for (const auto &[texto, valor] : lineas) r.e.Texto(ctx.dic.Texto(texto) + " " + valor);
}

bool CargaReport(Contexto &ctx, bd::BaseDatos &trabajo, const QString &fichero,
                 const std::function<void(int, int)> &avance) {
    QString escritor = "CargaReport";
    ctx.ui->CursorOcupado(true);
    try {
        QFile f(fichero);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
            throw std::runtime_error(f.errorString().toStdString());
        QTextStream s(&f);
        EscritorInforme e(s);
        InformeEnCurso r{ctx, trabajo, e};
        e.NuevaPagina();
        escritor = "ReportCabecera";
        ReportCabecera(r);
        MuestraEstado(ctx, ctx.dic.Texto(104), true);

        int total = 0, hechas = 0;
        for (const Seccion &seccion : Secciones())
            for (const TablaInforme &t : seccion.tablas) total += TablaEnModelo(ctx.app, t.tabla);
        bool anterior = false;
        for (const Seccion &seccion : Secciones()) {
            if (!HayCPU(ctx.app, seccion.cpu)) continue;
            if (anterior) e.NuevaPagina();
            anterior = true;
            e.Titulo(ctx.dic.Texto(seccion.titulo));
            for (const TablaInforme &t : seccion.tablas) {
                if (!TablaEnModelo(ctx.app, t.tabla)) continue;
                escritor = t.nombre;
                t.escritor(r);
                ++hechas;
                if (avance) avance(hechas, total);
                MuestraProgreso(ctx, 100 * hechas / total);
            }
        }
        s.flush();
        if (s.status() != QTextStream::Ok || f.error() != QFileDevice::NoError)
            throw std::runtime_error(f.errorString().toStdString());
    } catch (const std::exception &error) {
        ctx.ui->CursorOcupado(false);
        const auto *errorBD = dynamic_cast<const bd::ErrorBD *>(&error);
        QString texto = ctx.dic.Texto(529, errorBD ? errorBD->numero : 0, TextoError(ctx, error)) + ".";
        if (ctx.app.ModoDepuracion) texto += "\r\n" + escritor + "()";
        ctx.ui->Muestra({texto, ctx.T148(), Icono::Critico, Botones::Aceptar});
        MuestraEstado(ctx, ctx.dic.Texto(70));
        return false;
    }
    ctx.ui->CursorOcupado(false);
    MuestraEstado(ctx, ctx.dic.Texto(70));
    return true;
}

}  // namespace tarvo
