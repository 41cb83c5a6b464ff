#include "store/catalogo.h"

#include "core/pagina437.h"
#include "store/ficheros.h"
#include "store/tablas.h"

namespace tarvo {
namespace {

const EntradaGrupo *Busca(const Aplicacion &app, const QString &tabla) {
    for (const EntradaGrupo &e : app.GruposCONST)
        if (e.Tabla.trimmed() == tabla.trimmed()) return &e;
    return nullptr;
}

// Runs one step of the derived-table build inside a transaction, reporting a
// failure under the step's own name.
template <typename F>
bool Paso(Contexto &ctx, bd::BaseDatos &db, const char *procedimiento, F &&f) {
    try {
        db.BeginTrans();
        f();
        db.CommitTrans();
        return true;
    } catch (const std::exception &e) {
        try {
            db.Rollback();
        } catch (...) {
        }
        InformaError(ctx, procedimiento, e);
        return false;
    }
}

QString TipoTextoDeCPU(int cpu) { return cpu == 0 ? "prot" : cpu == 1 ? "cont" : "comu"; }

}  // namespace

int CargaGruposCONST(Contexto &ctx, const QString &rutaModelo, QList<EntradaGrupo> &grupos) {
    auto db = AbreBaseDatos(ctx, rutaModelo, bd::Apertura::SoloLectura);
    if (!db) return 0;
    try {
        auto rs = db->OpenRecordset("Tarvo Configuracion", bd::TipoRecordset::Snapshot);
        QList<EntradaGrupo> leidos;
        for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext()) {
            EntradaGrupo e;
            e.CPU = qint16(rs->Value("CPU").toInt());
            e.Grupo = qint16(rs->Value("GRUPO").toInt());
            e.Tabla = rs->Value("NombreTablaCONST").toString().trimmed();
            e.Entidades = qint16(rs->Value("NumeroEntidades").toInt());
            e.EntidadesTotal = qint16(rs->Value("NumeroEntidadesTotal").toInt());
            for (int k = 1; k <= 75; ++k) {
                e.Indices[k - 1] = qint16(rs->Value(QString("indice%1").arg(k)).toInt());
                if (e.Indices[k - 1] == 0) break;
            }
            leidos.append(e);
        }
        grupos = leidos;
        return int(grupos.size());
    } catch (const std::exception &e) {
        InformaError(ctx, "CargaGruposCONST", e);
        return 0;
    }
}

bool TablaEnModelo(const Aplicacion &app, const QString &tabla) { return Busca(app, tabla) != nullptr; }

qint16 EntidadesDeTabla(const Aplicacion &app, const QString &tabla) {
    const EntradaGrupo *e = Busca(app, tabla);
    return e ? e->Entidades : 0;
}

bool DesactivaTodosAjustes(Contexto &ctx, VentanaMadre &v) {
    v.ActivaMenusAjustes(false);
    auto db = AbreBaseDatos(ctx, ctx.app.FicheroIdiomas, bd::Apertura::SoloLectura);
    if (!db) return false;
    try {
        auto rs = db->OpenRecordset("CONST-Menu", bd::TipoRecordset::Snapshot);
        for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext()) {
            const int indice = rs->Value("MenuIndex").toInt();
            if (indice >= 0) v.ActivaEntradaAjuste(MenuDeCPU(rs->Value("CPU").toInt()), indice, false);
        }
        return true;
    } catch (const std::exception &e) {
        InformaError(ctx, "DesactivaTodosAjustes", e);
        return false;
    }
}

bool ActivaAlgunosAjustes(Contexto &ctx, VentanaMadre &v) {
    auto modelo = AbreBaseDatos(ctx, ctx.app.DirectorioModelos + ctx.app.BaseDatos, bd::Apertura::SoloLectura);
    if (!modelo) return false;
    auto plantilla = AbreBaseDatos(ctx, ctx.app.FicheroIdiomas, bd::Apertura::SoloLectura);
    if (!plantilla) return false;
    try {
        auto menu = plantilla->OpenRecordset("CONST-Menu", bd::TipoRecordset::Snapshot);
        auto tablas = modelo->OpenRecordset("Tarvo Configuracion", bd::TipoRecordset::Snapshot);
        for (tablas->MoveFirst(); !tablas->AtEOF(); tablas->MoveNext()) {
            const QString tabla = tablas->Value("NombreTablaCONST").toString().trimmed();
            for (menu->MoveFirst(); !menu->AtEOF(); menu->MoveNext())
                if (menu->Value("TablaCONST").toString().trimmed() == tabla && menu->Value("MenuIndex").toInt() >= 0)
                    v.ActivaEntradaAjuste(MenuDeCPU(menu->Value("CPU").toInt()), menu->Value("MenuIndex").toInt(),
                                          true);
        }
        v.ActivaMenusAjustes(true);
        return true;
    } catch (const std::exception &e) {
        InformaError(ctx, "ActivaAlgunosAjustes", e);
        return false;
    }
}

bool BorraRegistrosTemporal(Contexto &ctx, const EntradaGrupo &e, bd::BaseDatos &db) {
    return Paso(ctx, db, "BorraRegistrosTemporal", [&] {
        db.Execute("DELETE * FROM [" + e.Tabla + "] WHERE Indice > " + QString::number(e.Entidades));
    });
}

bool CargaEventosTemporal(Contexto &ctx, const EntradaGrupo &e, bd::BaseDatos &db) {
    if (!BorraRegistrosTemporal(ctx, e, db)) return false;
    return Paso(ctx, db, "CargaEventosTemporal", [&] {
        auto eventos = db.OpenRecordset(e.Tabla, bd::TipoRecordset::Snapshot);
        auto textos = db.OpenRecordset("TextoEventos COMU", bd::TipoRecordset::Tabla);
        int siguiente = 1;
        if (textos->RecordCount() > 0) {
            textos->MoveLast();
            siguiente = textos->Value("Indice").toInt() + 1;
        }
        const QString vacio = TextoAHex("");
        int posicion = 0;
        for (eventos->MoveFirst(); !eventos->AtEOF(); eventos->MoveNext()) {
            textos->AddNew();
            textos->SetValue("Indice", siguiente++);
            textos->SetValue("TipoTexto", TipoTextoDeCPU(e.CPU));
            textos->SetValue("NumeroOrden", ++posicion);
            textos->SetValue("Codificacion", vacio);
            textos->Update();
        }
    });
}

bool PreparaEntradasCTRL(Contexto &ctx, const EntradaGrupo &e, bd::BaseDatos &db) {
    return Paso(ctx, db, "PreparaEntradasCTRL", [&] {
        auto rs = db.OpenRecordset("Entradas CTRL", bd::TipoRecordset::Tabla);
        int indice = rs->RecordCount() + 1;
        const QString nombre = ctx.dic.Texto(530);
        auto agrega = [&](const char *tipo, int orden) {
            rs->AddNew();
            rs->SetValue("Indice", indice++);
            rs->SetValue("NombreAjuste", nombre);
            rs->SetValue("TipoEntrada", tipo);
            rs->SetValue("NumeroOrden", orden);
            rs->SetValue("Codificacion", "00");
            rs->Update();
        };
        const int n = e.Entidades;
        if (e.Tabla == "Aparamenta CTRL") {
            for (int d = 1; d <= n; ++d) {
                agrega("Apa", d);
                agrega("Apa", d + n);
            }
        } else {
            const char *tipo = e.Tabla == "TiempoPrevio CTRL"     ? "Orden"
                               : e.Tabla == "TiempoEntradas CTRL" ? "ED"
                               : e.Tabla == "EntradasPulsos CTRL" ? "Pulsos"
                                                                  : nullptr;
            if (!tipo) return;
            for (int i = 1; i <= n; ++i) agrega(tipo, i);
        }
    });
}

bool InicializaTiempoPrevioCTRL(Contexto &ctx, const EntradaGrupo &e, bd::BaseDatos &db) {
    if (!BorraRegistrosTemporal(ctx, e, db)) return false;
    auto modelo = AbreBaseDatos(ctx, ctx.app.DirectorioModelos + ctx.app.BaseDatos, bd::Apertura::SoloLectura);
    if (!modelo) return false;
    const bool ok = Paso(ctx, db, "InicializaTiempoPrevioCTRL", [&] {
        auto ordenes = modelo->OpenRecordset("Tarvo Orden Configurable CTRL", bd::TipoRecordset::Snapshot);
        auto rs = db.OpenRecordset("TiempoPrevio CTRL", bd::TipoRecordset::Tabla);
        ordenes->MoveFirst();
        rs->MoveFirst();
        for (; !ordenes->AtEOF() && !rs->AtEOF(); ordenes->MoveNext(), rs->MoveNext()) {
            const bool configurable = ordenes->Value("Configurable").toBool();
            rs->Edit();
            rs->SetValue("Configurable", configurable);
            if (!configurable) rs->SetValue("NombreAjuste", ordenes->Value("NombreNoConfigurable"));
            rs->Update();
        }
    });
    return ok && PreparaEntradasCTRL(ctx, e, db);
}

bool PonEntradasDigitalCfg(Contexto &ctx, bd::BaseDatos &db) {
    auto modelo = AbreBaseDatos(ctx, ctx.app.DirectorioModelos + ctx.app.BaseDatos, bd::Apertura::SoloLectura);
    if (!modelo) return false;
    return Paso(ctx, db, "PonEntradasDigitalCfg", [&] {
        auto cfg = modelo->OpenRecordset("Tarvo Entrada Digital Configurable CTRL", bd::TipoRecordset::Snapshot);
        int ajustables = 0;
        if (cfg->RecordCount() > 0) {
            cfg->MoveFirst();
            ajustables = cfg->Value("Ajustable").toInt();
        }
        auto rs = db.OpenRecordset("TiempoEntradas CTRL", bd::TipoRecordset::Tabla);
        int hechas = 0;
        for (rs->MoveFirst(); !rs->AtEOF() && hechas < ajustables; rs->MoveNext(), ++hechas) {
            rs->Edit();
            rs->SetValue("TemporizadorAjustable", true);
            rs->Update();
        }
    });
}

bool InicializaTiempoAperturaCierreCTRL(Contexto &ctx, const EntradaGrupo &, bd::BaseDatos &db) {
    auto modelo = AbreBaseDatos(ctx, ctx.app.DirectorioModelos + ctx.app.BaseDatos, bd::Apertura::SoloLectura);
    if (!modelo) return false;
    return Paso(ctx, db, "InicializaTiempoAperturaCierreCTRL", [&] {
        auto aparamenta = modelo->OpenRecordset("Tarvo Aparamenta Configurable CTRL", bd::TipoRecordset::Snapshot);
        auto rs = db.OpenRecordset("TiempoAperturaCierre CTRL", bd::TipoRecordset::Tabla);
        rs->MoveFirst();
        const QVariant minimo = rs->Value("Minimo"), maximo = rs->Value("Maximo");
        const QVariant temporizador = rs->Value("Temporizador"), codificacion = rs->Value("Codificacion");
        rs->Delete();
        const int n = EntidadesDeTabla(ctx.app, "Aparamenta CTRL");
        const QString base = ctx.dic.Texto(1914);
        for (const char *tipo : {"Apertura", "Cierre"}) {
            const int desplazamiento = QString(tipo) == "Apertura" ? 0 : n;
            aparamenta->MoveFirst();
            for (int d = 1; d <= n; ++d) {
                // A model listing fewer devices than its catalogue leaves the
                // rest configurable.
                const bool hay = !aparamenta->AtEOF();
                const bool configurable = !hay || aparamenta->Value("Configurable").toBool();
                rs->AddNew();
                rs->SetValue("Indice", d + desplazamiento);
                rs->SetValue("AparamentaSeleccionada", false);
                rs->SetValue("Minimo", minimo);
                rs->SetValue("Maximo", maximo);
                rs->SetValue("Temporizador", temporizador);
                rs->SetValue("TipoTemporizador", tipo);
                rs->SetValue("Configurable", configurable);
                rs->SetValue("NombreAjuste", configurable ? base + " " + QString::number(d)
                                                          : aparamenta->Value("NombreNoConfigurable").toString());
                rs->SetValue("NumeroOrden", d);
                rs->SetValue("Codificacion", codificacion);
                rs->Update();
                if (hay) aparamenta->MoveNext();
            }
        }
    });
}

bool CopiaGruposModelo(Contexto &ctx, const QString &copia) {
    if (!InicializaVarios(ctx, copia)) return false;
    auto db = AbreBaseDatos(ctx, copia, bd::Apertura::Temporal);
    if (!db) return false;
    static const QStringList soloRecorte = {
        "Salidas CTRL",      "BitMando CTRL",     "Actuacion CTRL", "Fallo CTRL",   "Exito CTRL",
        "EsperaConfirmacion CTRL", "TiempoSalida CTRL", "TiempoFallo CTRL", "ANDs PROT", "Entradas PROT",
        "Salidas PROT",      "LEDs COMU"};
    for (const EntradaGrupo &e : ctx.app.GruposCONST) {
        const QString &t = e.Tabla;
        bool ok = true;
        if (t == "Aparamenta CTRL")
            ok = PreparaEntradasCTRL(ctx, e, *db);
        else if (soloRecorte.contains(t))
            ok = BorraRegistrosTemporal(ctx, e, *db);
        else if (t == "Eventos CTRL" || t == "Eventos PROT" || t == "Eventos COMU")
            ok = CargaEventosTemporal(ctx, e, *db);
        else if (t == "TiempoPrevio CTRL")
            ok = InicializaTiempoPrevioCTRL(ctx, e, *db);
        else if (t == "TiempoEntradas CTRL")
            ok = BorraRegistrosTemporal(ctx, e, *db) && PonEntradasDigitalCfg(ctx, *db) && PreparaEntradasCTRL(ctx, e, *db);
        else if (t == "EntradasPulsos CTRL")
            ok = BorraRegistrosTemporal(ctx, e, *db) && PreparaEntradasCTRL(ctx, e, *db);
        else if (t == "TiempoAperturaCierre CTRL")
            ok = InicializaTiempoAperturaCierreCTRL(ctx, e, *db);
        if (!ok) return false;
    }
    return true;
}

void CompruebaEntradasRTU(Contexto &ctx, VentanaMadre &v) {
    auto modelo = AbreBaseDatos(ctx, ctx.app.DirectorioModelos + ctx.app.BaseDatos, bd::Apertura::SoloLectura);
    if (!modelo) return;
    try {
        if (!ExisteTabla(*modelo, "Tarvo RTU Configurable CTRL")) return;
        auto rs = modelo->OpenRecordset("Tarvo RTU Configurable CTRL", bd::TipoRecordset::Snapshot);
        if (rs->RecordCount() == 0) return;
        rs->MoveFirst();
        if (!rs->Value("Configurable").toBool())
            v.ActivaEntradaAjuste(rs->Value("AjusteControl").toString().trimmed(), 5, false);
    } catch (const std::exception &e) {
        InformaError(ctx, "CompruebaEntradasRTU", e);
    }
}

bool CompatibilizaGrafico(Contexto &ctx, const QString &copia) {
    auto db = AbreBaseDatos(ctx, copia, bd::Apertura::Temporal);
    if (!db) return false;
    try {
        if (ExisteTabla(*db, "Grafico COMU")) return true;
        auto plantilla = bd::BaseDatos::Abrir(ctx.app.FicheroIdiomas, bd::Apertura::SoloLectura);
        CopiaTabla(*plantilla, *db, "Grafico COMU", "Grafico COMU");
        return true;
    } catch (const std::exception &e) {
        InformaError(ctx, "CompatibilizaGrafico", e);
        return false;
    }
}

QString TextoAHex(const QString &texto) {
    const QString tomado = texto.left(23);
    QString hex;
    // A letter the relay lacks cannot reach here from the editors, which refuse
    // it; should one come from elsewhere it goes as "?", never as a wrong width.
    for (const QChar c : tomado) hex += QString::number(CodigoRele(c).value_or('?'), 16).toUpper();
    for (int i = int(tomado.size()) + 1; i <= 24; ++i) hex += "00";
    return hex;
}

QStringList SentenciasBorraColumnasIdioma(bd::BaseDatos &db, qsizetype idiomas) {
    static const QStringList tablas = {"ANDs PROT",         "Entradas PROT", "Eventos PROT",  "Salidas PROT",
                                       "Eventos COMU",      "BitMando CTRL", "EsperaConfirmacion CTRL",
                                       "Eventos CTRL",      "Salidas CTRL",  "TiempoEntradas CTRL",
                                       "TiempoPrevio CTRL", "EntradasPulsos CTRL"};
    QStringList sentencias;
    for (const QString &t : tablas) {
        if (!ExisteTabla(db, t)) continue;
        QStringList columnas;
        for (const bd::DefCampo &c : db.TableDef(t).campos) columnas << c.nombre;
        for (qsizetype n = 0; n <= idiomas; ++n) {
            const QString columna = "NombreAjuste" + QString::number(n);
            if (columnas.contains(columna)) sentencias << "ALTER TABLE [" + t + "] DROP COLUMN [" + columna + "]";
        }
    }
    return sentencias;
}

}  // namespace tarvo
