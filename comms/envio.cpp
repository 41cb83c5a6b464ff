#include "comms/envio.h"

#include "comms/codificacion/registros.h"
#include "comms/comparacion.h"
#include "comms/diario.h"
#include "comms/recepcion_ajustes.h"
#include "store/ficheros.h"
#include "store/tablas.h"
#include "texto/herramientas_texto.h"

#include <optional>

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

QString ListaCPUs(const QList<int> &l) {
    QStringList s;
    for (int cpu : l) s << QString::number(cpu);
    return s.join(", ");
}

// What the relay holds after a send that did not end well, for the failure message.
struct Resultado {
    QStringList confirmadas, enDuda, noEnviadas;
    QList<int> sinConfigurar, sinLeer;
};

QString InformeFallo(Comunicaciones &c, const Resultado &r) {
    const clsDiccionario &dic = c.ctx.dic;
    QStringList lineas{dic.Texto(585)};
    if (!r.sinConfigurar.isEmpty()) lineas << dic.Texto(3010, ListaCPUs(r.sinConfigurar));
    if (!r.sinLeer.isEmpty()) lineas << dic.Texto(3011, ListaCPUs(r.sinLeer));
    // Unread marks leave the outcome open; anything else is known to be incomplete.
    const bool incompleta = !r.sinConfigurar.isEmpty() || !r.enDuda.isEmpty() || !r.noEnviadas.isEmpty();
    lineas << dic.Texto(incompleta ? 3012 : 3017);
    if (r.enDuda.isEmpty() && r.noEnviadas.isEmpty())
        lineas << dic.Texto(3013);
    else {
        if (!r.confirmadas.isEmpty()) lineas << dic.Texto(3014, r.confirmadas.join(", "));
        if (!r.enDuda.isEmpty()) lineas << dic.Texto(3015, r.enDuda.join(", "));
        if (!r.noEnviadas.isEmpty()) lineas << dic.Texto(3016, r.noEnviadas.join(", "));
    }
    return lineas.join(SaltoLinea);
}

// The final word of a send: journaled, then shown.
void Termina(Comunicaciones &c, const Apunte &apunte, bool bien, const QString &texto) {
    AnotaTransferencia(c, apunte, bien ? "ok" : "failed", texto);
    Avisa(c, texto, bien ? Icono::Informacion : Icono::Critico);
}

// The blocks (from 1) of a packed table that the relay, as read, holds otherwise.
QList<int> BloquesCambiados(const TablaEmpaquetada &t, const QList<TablaEmpaquetada> &leidas) {
    for (const TablaEmpaquetada &l : leidas)
        if (l.entrada.Tabla.trimmed() == t.entrada.Tabla.trimmed()) return BloquesDistintos(t, l);
    return {1};
}

// Every table read back and set against what was sent; `texto` says so, or
// names the blocks the relay holds otherwise. Journaled on its own line.
bool Verifica(Comunicaciones &c, const QList<TablaEmpaquetada> &tablas, const Apunte &envio, QString &texto) {
    const clsDiccionario &dic = c.ctx.dic;
    Apunte apunte{"verify", envio.fichero, envio.huella, {}};
    QList<TablaEmpaquetada> leidas;
    QStringList distintos;
    bool leido = LeeRele(c, QString(), leidas);
    if (leido)
        for (const TablaEmpaquetada &t : tablas)
            for (int b : BloquesCambiados(t, leidas)) distintos << dic.Texto(3225, t.entrada.Tabla, b);
    const bool bien = leido && distintos.isEmpty();
    if (leido) apunte.huella = HuellaEmpaquetado(leidas);
    texto = bien ? dic.Texto(3227) : leido ? dic.Texto(3223) + SaltoLinea + dic.Texto(3224, distintos.join(", "))
                                           : dic.Texto(3226);
    AnotaTransferencia(c, apunte, bien ? "ok" : "failed", texto);
    return bien;
}

// The send shared by the send command and the editors: pack and check, when
// only changes go read the relay and keep the tables it holds otherwise, mark
// the relay as being written, each table, mark it as configured, then read
// the marks back, since only the relay can say whether it took them, and when
// asked read every table back. The progress window and the main window are
// restored whatever the outcome.
bool EnviaConfiguracion(Comunicaciones &c, const QString &fichero, const QStringList *solo, const QString &titulo,
                        FormaEnvio forma = {}) {
    Contexto &ctx = c.ctx;
    Apunte apunte{forma.cambios ? "send-changes" : "send", fichero, {}, {}};
    EmpiezaTrazaEnvio(c);
    const auto todas = EmpaquetaFichero(ctx, fichero, solo);
    if (!todas) {
        AnotaTransferencia(c, apunte, "failed", ctx.dic.Texto(3000));
        return false;
    }
    apunte.huella = HuellaEmpaquetado(*todas);
    QList<TablaEmpaquetada> cambiadas;
    const QList<TablaEmpaquetada> *tablas = &*todas;
    std::optional<QList<int>> marcar;   // the processors marked around the writes; none: all
    if (forma.cambios) {
        QList<TablaEmpaquetada> leidas;
        if (!LeeRele(c, QString(), leidas)) {
            ctx.ui->CursorOcupado(false);
            Termina(c, apunte, false, ctx.dic.Texto(3222));
            return false;
        }
        for (const TablaEmpaquetada &t : *todas)
            if (!BloquesCambiados(t, leidas).isEmpty()) cambiadas << t;
        tablas = &cambiadas;
        if (cambiadas.isEmpty()) {
            ctx.ui->CursorOcupado(false);
            Termina(c, apunte, true, ctx.dic.Texto(3221));
            return true;
        }
        // Only the processors whose tables change are marked as being written,
        // and any not marked configured now: the others already hold what a
        // whole send would leave there, and each mark costs its write pauses.
        QList<int> sinConfigurar, sinLeer;
        if (CompruebaCPUs(c)) CompruebaConfiguracion(c, sinConfigurar, sinLeer);
        marcar = sinConfigurar + sinLeer;
        for (const TablaEmpaquetada &t : cambiadas)
            if (!marcar->contains(t.entrada.CPU)) marcar->append(t.entrada.CPU);
    }
    const QList<int> *cpus = marcar ? &*marcar : nullptr;
    if (int marcadas = 0; !MarcaConfiguracion(c, 0, &marcadas, cpus)) {
        ctx.ui->CursorOcupado(false);
        // A processor already marked as being written no longer counts itself configured.
        Termina(c, apunte, false,
                DosLineas(c, 581, 582) + (marcadas > 0 ? SaltoLinea + ctx.dic.Texto(3018) : QString()));
        return false;
    }
    // The graphic's plan is the one its objects need; the receive's progress goes by it.
    for (const TablaEmpaquetada &t : *tablas)
        if (BuscaTablaCodificada(t.entrada.Tabla)->disposicion == Disposicion::Grafico)
            for (EntradaGrupo &e : ctx.app.GruposCONST)
                if (e.Tabla.trimmed() == t.entrada.Tabla.trimmed()) e.Indices = t.entrada.Indices;
    c.monitor.AbreProgreso(titulo);
    c.v.Habilita(false);
    Resultado r;
    const int n = int(tablas->size());
    for (int i = 0; i < n; ++i) {
        const QString &tabla = (*tablas)[i].entrada.Tabla;
        // After the first table that failed, the rest stay unsent.
        if (r.confirmadas.size() < i) {
            r.noEnviadas << tabla;
            continue;
        }
        c.monitor.PerCntTot(ProgresoTotal(i, n));
        ctx.ui->ProcesaEventos();
        switch (EnviaTabla(c, (*tablas)[i])) {
        case FinTabla::Confirmada: r.confirmadas << tabla; break;
        case FinTabla::EnDuda: r.enDuda << tabla; break;
        case FinTabla::Fallida: r.noEnviadas << tabla; break;
        }
    }
    c.monitor.CierraProgreso();
    c.v.Habilita(true);
    apunte.tablas = r.confirmadas + r.enDuda;
    bool bien = r.confirmadas.size() == n;
    if (bien) {
        // Its own answers do not decide: the read-back does.
        MarcaConfiguracion(c, 1, nullptr, cpus);
        bien = CompruebaConfiguracion(c, r.sinConfigurar, r.sinLeer);
    }
    QString texto = bien ? DosLineas(c, 583, 584) : InformeFallo(c, r);
    if (forma.cambios && bien) texto += SaltoLinea + ctx.dic.Texto(3228, r.confirmadas.join(", "));
    if (forma.verifica && bien) {
        QString verificacion;
        bien = Verifica(c, *todas, apunte, verificacion);
        texto = (bien ? texto : ctx.dic.Texto(585)) + SaltoLinea + verificacion;
    }
    ctx.ui->CursorOcupado(false);
    Termina(c, apunte, bien, texto);
    return bien;
}

}  // namespace

std::optional<QList<TablaEmpaquetada>> EmpaquetaFichero(Contexto &ctx, const QString &fichero, const QStringList *solo) {
    const auto db = AbreBaseDatosNombrada(ctx, fichero, bd::Apertura::SoloLectura);
    if (!db) return std::nullopt;
    try {
        return EmpaquetaEnvio(*db, ctx.app, solo);
    } catch (const TablaNoEnviable &e) {
        ctx.ui->CursorOcupado(false);
        ctx.ui->Muestra({ctx.dic.Texto(3000) + SaltoLinea + SaltoLinea + DescribeTablaNoEnviable(ctx.dic, e), ctx.T148(),
                         Icono::Critico, Botones::Aceptar});
    } catch (const std::exception &e) {
        InformaError(ctx, "EmpaquetaEnvio", e);
    }
    return std::nullopt;
}

bool EnviaTodosGrupos(Comunicaciones &c, const QString &fichero, FormaEnvio forma) {
    return EnviaConfiguracion(c, fichero, nullptr, c.ctx.dic.Texto(589, c.ctx.app.NumeroRele), forma);
}

void EnviaTablasEditor(Comunicaciones &c, const QStringList &tablas, const QString &tituloEditor) {
    QStringList buscadas;
    for (const QString &t : tablas) buscadas << t.trimmed();
    c.ctx.ui->CursorOcupado(true);
    EnviaConfiguracion(c, c.ctx.app.CopiaTrabajo, &buscadas, c.ctx.dic.Texto(592) + " " + tituloEditor + "...");
    c.ctx.ui->CursorOcupado(false);
}

void EnviarAjustes(Comunicaciones &c, FormaEnvio forma) {
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
            if (!ConfirmaComprobacion(ctx, a.CopiaTrabajo)) return c.v.SuspendeEditor(true);
            MuestraEstado(ctx, ctx.dic.Texto(82));
            const bool bien = EnviaTodosGrupos(c, a.CopiaTrabajo, forma);
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
    if (!ConfirmaComprobacion(ctx, fichero)) return;
    MuestraEstado(ctx, ctx.dic.Texto(82));
    if (!EnviaTodosGrupos(c, fichero, forma)) return falla();
    MuestraEstado(ctx, ctx.dic.Texto(70));
}

}  // namespace tarvo
