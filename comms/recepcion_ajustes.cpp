#include "comms/recepcion_ajustes.h"

#include "comms/codificacion/hex.h"
#include "comms/codificacion/recepcion.h"
#include "comms/comparacion.h"
#include "comms/diario.h"
#include "core/temporales.h"
#include "store/catalogo.h"
#include "store/ficheros.h"
#include "store/idioma_fichero.h"
#include "store/modelos.h"
#include "store/tablas.h"

#include <QFileInfo>

#include <chrono>
#include <deque>
#include <exception>
#include <functional>
#include <limits>

namespace tarvo {
namespace {

constexpr const char *SaltoLinea = "\r\n";

void Critico(Contexto &ctx, const QString &texto, const QString &titulo) {
    ctx.ui->CursorOcupado(false);
    ctx.ui->Muestra({texto, titulo, Icono::Critico, Botones::Aceptar});
}

void ErrorCopia(Contexto &ctx, const QString &ruta) {
    Critico(ctx, ctx.dic.Texto(529, 0, ctx.dic.Texto(3134)) + " " + ruta + ".", ctx.T148());
}

// Writes into the receive copy wait, in order, for the moments the link
// spends waiting on the relay: the columns are dropped and each table is
// decoded while the next one is still on the wire. The first failure drops
// the rest and is reported once the exchange under way is over.
class EscriturasPendientes {
public:
    void Anade(QString nombre, std::function<void()> escritura) {
        if (!error_) cola_.push_back({std::move(nombre), std::move(escritura)});
    }
    // The next write, when it is likely to take less than `microsegundos`:
    // as long as the longest so far, that estimate fading as shorter ones
    // follow. False when none ran.
    bool EjecutaUna(qint64 microsegundos = std::numeric_limits<qint64>::max()) {
        if (cola_.empty() || error_ || estimacion_ > microsegundos) return false;
        Pendiente p = std::move(cola_.front());
        cola_.pop_front();
        const auto inicio = std::chrono::steady_clock::now();
        try {
            p.escritura();
        } catch (...) {
            nombreFallo_ = p.nombre;
            error_ = std::current_exception();
            cola_.clear();
        }
        const qint64 duracion =
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - inicio).count();
        estimacion_ = std::max(duracion, estimacion_ * 3 / 4);
        return true;
    }
    bool Termina() {
        while (EjecutaUna()) {
        }
        return !error_;
    }
    bool Fallida() const { return bool(error_); }
    void Informa(Contexto &ctx) const {
        try {
            std::rethrow_exception(error_);
        } catch (const std::exception &e) {
            InformaError(ctx, nombreFallo_, e);
        }
    }

private:
    struct Pendiente {
        QString nombre;
        std::function<void()> escritura;
    };
    std::deque<Pendiente> cola_;
    qint64 estimacion_ = 5000;   // microseconds, before any has run
    QString nombreFallo_;
    std::exception_ptr error_;
};

// The driver runs the pending writes while it waits, for as long as this lives.
class TrabajoDuranteEnlace {
public:
    TrabajoDuranteEnlace(clsDriverOrbel &d, EscriturasPendientes &e) : driver_(d) {
        driver_.FijaTrabajoEnEspera([&e](qint64 us) { return e.EjecutaUna(us); });
    }
    ~TrabajoDuranteEnlace() { driver_.FijaTrabajoEnEspera({}); }
    TrabajoDuranteEnlace(const TrabajoDuranteEnlace &) = delete;
    TrabajoDuranteEnlace &operator=(const TrabajoDuranteEnlace &) = delete;

private:
    clsDriverOrbel &driver_;
};

// A table's values as read: four bytes each, wire order. The graphic's end
// at its end object, completed to a whole object as the packer writes it.
TablaEmpaquetada ValoresLeidos(const EntradaGrupo &entrada, bool grafico, const QString &hex) {
    TablaEmpaquetada t{entrada, {}};
    const QByteArray bytes = QByteArray::fromHex(hex.toLatin1());
    for (qsizetype i = 0; i + 4 <= bytes.size(); i += 4)
        t.valores << BytesAValor({quint8(bytes[i]), quint8(bytes[i + 1]), quint8(bytes[i + 2]), quint8(bytes[i + 3])});
    if (grafico) {
        while (t.valores.size() % ValoresObjeto != 0) t.valores << 0;
        t.entrada.Indices = PlanBloquesGrafico(int(t.valores.size()));
    }
    return t;
}

bool MismoModelo(const QString &a, const QString &b) { return a.trimmed().toUpper() == b.trimmed().toUpper(); }

// A new target for the current model, built as New builds the working copy
// but as the receive copy: nothing bears the target's name until every table
// has arrived, so a receive that fails or is killed leaves no default
// configuration passing for the relay's.
bool CreaCopiaRecepcion(Comunicaciones &c) {
    Contexto &ctx = c.ctx;
    const Aplicacion &a = ctx.app;
    const QString &copia = a.CopiaRecepcion;
    BorraFamilia(copia);
    if (!bd::CopiaFichero(a.FicheroIdiomas, copia)) {
        ErrorCopia(ctx, copia);
        return false;
    }
    const bool bien = CargaModeloTemporal(ctx, a.ModeloActual, copia, a.VersionModelo) != 0 &&
                      CopiaGruposModelo(ctx, copia) && BorraGruposTemporal(ctx, copia) &&
                      PonIdiomaFichero(ctx, copia);
    if (!bien) BorraFamilia(copia);
    return bien;
}

}  // namespace

bool CargaFicheroRecepcion(Comunicaciones &c, const QString &destino) {
    Contexto &ctx = c.ctx;
    try {
        if (!QFileInfo::exists(destino)) return CreaCopiaRecepcion(c);
        QString modelo;
        if (!LeeModeloFichero(ctx, destino, modelo)) return false;
        if (!MismoModelo(modelo, ctx.app.ModeloActual)) {
            Critico(ctx, ctx.dic.Texto(573), ctx.T148());
            return false;
        }
        return true;
    } catch (const std::exception &e) {
        InformaError(ctx, "CargaFicheroRecepcion", e);
        BorraFamilia(ctx.app.CopiaRecepcion);   // a half-built one is of no use
        return false;
    }
}

bool LeeRele(Comunicaciones &c, const QString &copia, QList<TablaEmpaquetada> &leidas) {
    Contexto &ctx = c.ctx;
    Aplicacion &a = ctx.app;
    leidas.clear();
    if (a.ModoDepuracion) {
        c.monitor.MuestraTraza();
        c.monitor.PonTraza(MonitorComunicaciones::Traza::Recepcion, QString("Recibir (byte a byte):") + SaltoLinea);
    }
    c.monitor.AbreProgreso(ctx.dic.Texto(590, a.NumeroRele));
    c.v.Habilita(false);
    bool bien = false;
    try {
        // Closed before the caller does anything with the copy.
        const auto db = copia.isEmpty() ? nullptr : AbreBaseDatosNombrada(ctx, copia, bd::Apertura::Temporal);
        DatosCodificacion datos;
        if (copia.isEmpty() || (db && PreparaDatosRecepcion(ctx, datos))) {
            EscriturasPendientes escrituras;
            if (db)
                for (const QString &s : SentenciasBorraColumnasIdioma(*db, a.NombresIdiomas.size()))
                    escrituras.Anade("BorraColumnasIdioma", [&db, s] { db->Execute(s); });
            const TrabajoDuranteEnlace durante(c.driver, escrituras);
            const QList<EntradaGrupo> grupos = a.GruposCONST;
            const int n = int(grupos.size());
            bien = true;
            for (int i = 0; i < n && bien; ++i) {
                c.monitor.PerCntTot(ProgresoTotal(i, n));
                ctx.ui->ProcesaEventos();
                const TablaCodificada *t = BuscaTablaCodificada(grupos[i].Tabla);
                // Tables that never travel count as received; unknown names are skipped.
                if (!t || t->empaquetador == Empaquetador::Ninguno) continue;
                QString hex;
                const bool grafico = t->disposicion == Disposicion::Grafico;
                bien = grafico ? RecibeGraficoCOMU(c, hex) : RecibeTabla(c, grupos[i].Tabla, hex);
                if (!bien) break;
                leidas.append(ValoresLeidos(grupos[i], grafico, hex));
                if (db)
                    escrituras.Anade(LectorDeTabla(t->tabla), [&, tabla = t->tabla, hex] {
                        DecodificaEnTransaccion(*db, a, datos, tabla, hex);
                    });
                bien = !escrituras.Fallida();
            }
            bien = bien && escrituras.Termina();
            if (escrituras.Fallida()) escrituras.Informa(ctx);
        }
    } catch (const std::exception &e) {
        InformaError(ctx, "LeeTodosGrupos", e);
        bien = false;
    }
    c.monitor.CierraProgreso();
    c.v.Habilita(true);
    return bien;
}

bool LeeTodosGrupos(Comunicaciones &c, const QString &destino) {
    Contexto &ctx = c.ctx;
    Aplicacion &a = ctx.app;
    // A new target is already there as the receive copy, from CargaFicheroRecepcion.
    if (QFileInfo::exists(destino)) {
        BorraFamilia(a.CopiaRecepcion);
        if (!bd::CopiaFichero(destino, a.CopiaRecepcion)) {
            ErrorCopia(ctx, destino);
            return false;
        }
    } else if (!QFileInfo::exists(a.CopiaRecepcion)) {
        ErrorCopia(ctx, destino);
        return false;
    }
    QList<TablaEmpaquetada> leidas;
    Apunte apunte{"receive", destino, {}, {}};
    if (LeeRele(c, a.CopiaRecepcion, leidas)) {
        apunte.huella = HuellaEmpaquetado(leidas);
        // Written beside the target and renamed onto it, as Save does: the
        // name only ever holds a whole file.
        const bool copiado = bd::CopiaFichero(a.CopiaRecepcion, destino);
        BorraFamilia(a.CopiaRecepcion);
        if (!copiado) {
            ErrorCopia(ctx, destino);
            AnotaTransferencia(c, apunte, "failed", ctx.dic.Texto(3134));
            return false;
        }
        if (destino == a.CopiaTrabajo) a.FechaSelladaTrabajo = QDate();
        AnotaTransferencia(c, apunte, "ok", ctx.dic.Texto(587));
        ctx.ui->Muestra({ctx.dic.Texto(587), TituloFijo, Icono::Informacion, Botones::Aceptar});
        return true;
    }
    BorraFamilia(a.CopiaRecepcion);
    AnotaTransferencia(c, apunte, "failed", ctx.dic.Texto(576));
    Critico(ctx, ctx.dic.Texto(576), ctx.T148());
    return false;
}

void RecibirAjustes(Comunicaciones &c) {
    Contexto &ctx = c.ctx;
    Aplicacion &a = ctx.app;
    auto termina = [&] {
        MuestraEstado(ctx, ctx.dic.Texto(70));
        ctx.ui->CursorOcupado(false);
    };
    if (a.HayFicheroActual()) {
        const QString pregunta = ctx.dic.Texto(509) + SaltoLinea + ctx.dic.Texto(503);
        const Boton b = ctx.ui->Muestra({pregunta, ctx.T148(), Icono::Pregunta, Botones::SiNoCancelar});
        if (b == Boton::Cancelar) return;
        if (b == Boton::Si) {
            // No editor may hold the working copy while it is replaced.
            c.v.MuestraPortada();
            MuestraEstado(ctx, ctx.dic.Texto(73));
            if (LeeTodosGrupos(c, a.CopiaTrabajo)) a.ConfiguracionGuardada = false;
            return termina();
        }
        QString fichero;
        if (!DialogoFichero(ctx, 510, ConsultaFichero::Modo::Guardar, fichero)) return;
        fichero = fichero.trimmed();
        MuestraEstado(ctx, ctx.dic.Texto(74));
        if (CargaFicheroRecepcion(c, fichero)) {
            ctx.ui->CursorOcupado(false);
            MuestraEstado(ctx, ctx.dic.Texto(73));
            LeeTodosGrupos(c, fichero);
        }
        return termina();
    }

    QString fichero;
    if (!DialogoFichero(ctx, 510, ConsultaFichero::Modo::Guardar, fichero)) return;
    fichero = fichero.trimmed();
    MuestraEstado(ctx, ctx.dic.Texto(74));
    if (!CargaFicheroRecepcion(c, fichero)) return termina();
    ctx.ui->CursorOcupado(false);
    MuestraEstado(ctx, ctx.dic.Texto(73));
    if (!LeeTodosGrupos(c, fichero)) return termina();

    QString modelo, baseDatos;
    if (!LeeModeloFichero(ctx, fichero, modelo)) return termina();
    const QString entrada = BuscaModelo(ctx, modelo, baseDatos);
    if (entrada.isEmpty()) return termina();
    if (!MismoModelo(entrada, a.ModeloActual)) {
        Critico(ctx, ctx.dic.Texto(569, baseDatos.trimmed().toUpper(), a.BaseDatos.trimmed().toUpper()), ctx.T148());
        return termina();
    }
    // Opened as the Open command opens a file, without asking for it again.
    c.v.MuestraPortada();
    a.FicheroActual = fichero;
    c.v.ActivaComandosFichero(true);
    c.v.PonPanel(2, ModeloAPantalla(a.NombreModelo));
    c.v.PonPanel(3, a.BaseDatos);
    ctx.ui->CursorOcupado(true);
    c.v.Habilita(false);
    if (Inicializacion(ctx, c.v, Modo::Abrir))
        a.ConfiguracionGuardada = true;
    else
        LimpiaConfiguracion(ctx, c.v);
    c.v.Habilita(true);
    termina();
}

}  // namespace tarvo
