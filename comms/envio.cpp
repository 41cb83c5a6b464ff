#include "comms/envio.h"

#include "comms/codificacion/registros.h"
#include "store/ficheros.h"

namespace tarvo {
namespace {

constexpr const char *SaltoLinea = "\r\n";

void Avisa(Comunicaciones &c, const QString &texto, Icono icono) {
    c.ctx.ui->Muestra({texto, c.ctx.T148(), icono, Botones::Aceptar});
}

QString DosLineas(Comunicaciones &c, int a, int b) { return c.ctx.dic.Texto(a) + SaltoLinea + c.ctx.dic.Texto(b); }

void EmpiezaTrazaEnvio(Comunicaciones &c) {
    if (!c.ctx.app.ModoDepuracion) return;
    c.monitor.MuestraTraza();
    c.monitor.PonTraza(MonitorComunicaciones::Traza::Envio, QString("Enviar (byte a byte):") + SaltoLinea);
}

bool MismoModelo(const QString &a, const QString &b) { return a.trimmed().toUpper() == b.trimmed().toUpper(); }

}  // namespace

bool EnviaAjustesTabla(Comunicaciones &c, const QString &fichero, const QString &tabla) {
    const TablaCodificada *t = BuscaTablaCodificada(tabla);
    if (!t || t->empaquetador == Empaquetador::Ninguno) return true;
    return EnviaTabla(c, fichero, tabla);
}

bool EnviaTodosGrupos(Comunicaciones &c, const QString &fichero) {
    Contexto &ctx = c.ctx;
    EmpiezaTrazaEnvio(c);
    if (!MarcaConfiguracion(c, 0)) {
        ctx.ui->CursorOcupado(false);
        Avisa(c, DosLineas(c, 581, 582), Icono::Critico);
        return false;
    }
    c.monitor.AbreProgreso(ctx.dic.Texto(589, ctx.app.NumeroRele));
    c.v.Habilita(false);
    bool bien = true;
    try {
        // A copy: the graphic's packer rewrites its own entry's block plan.
        const QList<EntradaGrupo> grupos = ctx.app.GruposCONST;
        const int n = int(grupos.size());
        for (int i = 0; i < n && bien; ++i) {
            c.monitor.PerCntTot(ProgresoTotal(i, n));
            ctx.ui->ProcesaEventos();
            bien = EnviaAjustesTabla(c, fichero, grupos[i].Tabla);
        }
    } catch (const std::exception &e) {
        InformaError(ctx, "EnviaTodosGrupos", e);
        bien = false;
    }
    c.monitor.CierraProgreso();
    c.v.Habilita(true);
    if (bien && MarcaConfiguracion(c, 1)) {
        Avisa(c, DosLineas(c, 583, 584), Icono::Informacion);
        return true;
    }
    ctx.ui->CursorOcupado(false);
    Avisa(c, ctx.dic.Texto(585), Icono::Critico);
    return false;
}

void EnviarAjustes(Comunicaciones &c) {
    Contexto &ctx = c.ctx;
    Aplicacion &a = ctx.app;
    auto falla = [&] {
        ctx.ui->CursorOcupado(false);
        MuestraEstado(ctx, ctx.dic.Texto(70));
        Avisa(c, ctx.dic.Texto(508), Icono::Critico);
    };
    if (a.HayFicheroActual()) {
        const QString pregunta =
            ctx.dic.Texto(502) + SaltoLinea + ctx.dic.Texto(503) + SaltoLinea + SaltoLinea + ctx.dic.Texto(506);
        const Boton b = ctx.ui->Muestra({pregunta, ctx.T148(), Icono::Pregunta, Botones::SiNoCancelar});
        if (b == Boton::Cancelar) return;
        if (b == Boton::Si) {
            // The packers open the working copy themselves: no editor may hold it.
            c.v.SuspendeEditor(false);
            MuestraEstado(ctx, ctx.dic.Texto(82));
            const bool bien = EnviaTodosGrupos(c, a.CopiaTrabajo);
            c.v.SuspendeEditor(true);
            if (!bien) return falla();
            MuestraEstado(ctx, ctx.dic.Texto(70));
            return;
        }
    }
    QString fichero;
    if (!DialogoFichero(ctx, 507, ConsultaFichero::Modo::Abrir, fichero)) return;
    QString modelo;
    if (!LeeModeloFichero(ctx, fichero, modelo) || !MismoModelo(modelo, a.ModeloActual)) return falla();
    MuestraEstado(ctx, ctx.dic.Texto(82));
    if (!EnviaTodosGrupos(c, fichero)) return falla();
    MuestraEstado(ctx, ctx.dic.Texto(70));
}

void EnviaTablasEditor(Comunicaciones &c, const QStringList &tablas, const QString &tituloEditor) {
    Contexto &ctx = c.ctx;
    EmpiezaTrazaEnvio(c);
    ctx.ui->CursorOcupado(true);
    c.monitor.AbreProgreso(ctx.dic.Texto(592) + " " + tituloEditor + "...");
    c.v.Habilita(false);
    auto termina = [&] {
        c.monitor.CierraProgreso();
        c.v.Habilita(true);
        ctx.ui->CursorOcupado(false);
    };
    if (!MarcaConfiguracion(c, 0)) {
        ctx.ui->CursorOcupado(false);
        Avisa(c, DosLineas(c, 581, 582), Icono::Critico);
        return termina();
    }
    QStringList buscadas;
    for (const QString &t : tablas) buscadas << t.trimmed();
    try {
        const QList<EntradaGrupo> grupos = ctx.app.GruposCONST;
        for (const EntradaGrupo &e : grupos) {
            if (!buscadas.contains(e.Tabla.trimmed())) continue;
            c.monitor.PerCntTot(100);
            // The table's sender has already told the user what went wrong.
            if (!EnviaAjustesTabla(c, ctx.app.CopiaTrabajo, e.Tabla)) return termina();
        }
    } catch (const std::exception &e) {
        InformaError(ctx, "EnviaTablasEditor", e);
        return termina();
    }
    if (MarcaConfiguracion(c, 1)) {
        termina();
        Avisa(c, DosLineas(c, 583, 584), Icono::Informacion);
        return;
    }
    ctx.ui->CursorOcupado(false);
    Avisa(c, ctx.dic.Texto(585), Icono::Critico);
    termina();
}

}  // namespace tarvo
