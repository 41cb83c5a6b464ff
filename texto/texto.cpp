#include "texto/texto.h"

#include "core/ventana_nula.h"
#include "graphic/objeto.h"
#include "graphic/pantalla.h"
#include "store/catalogo.h"
#include "store/ficheros.h"
#include "store/modelos.h"
#include "store/tablas.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace tarvo {
namespace {

constexpr const char *TablaInformacion = "Varios";
constexpr const char *TablaTiempos = "TiempoAperturaCierre CTRL";

// The limits are the model's, shown beside the setting they bound.
bool SeEscribe(const QString &columna) { return columna != "Minimo" && columna != "Maximo"; }

bool Iguales(const QVariant &a, const QVariant &b) { return Json(a) == Json(b); }

bool EsGrafico(const QString &tabla) {
    const TablaCodificada *t = BuscaTablaCodificada(tabla);
    return t && t->disposicion == Disposicion::Grafico;
}

ObjetoGrafico ObjetoDeFila(const Fila &f) {
    const auto n = [&](const char *c) { return qint16(f.value(c).toInt()); };
    const auto t = [&](const char *c) {
        const QVariant v = f.value(c);
        return v.isNull() ? QString() : v.toString();
    };
    return {n("Identificador"), n("apaN2"),  n("apa"),    n("cpu"),    t("txt"), t("txt_m"), t("txt_u"),
            n("unidad_m"),      t("txtb0"),  t("txtb1"),  n("oper_b"), n("oper_c"), n("oper_d"), n("donde"),
            n("x"),             n("y"),      n("pag"),    t("Codificacion")};
}

// Who a problem is about: the record's number (display objects: the row) and name.
Problema Quien(const QString &tabla, const Fila &f, qsizetype fila, const QString &ajuste = {}) {
    const int registro = EsGrafico(tabla) ? int(fila + 1) : f.value("Indice").toInt();
    // Control inputs are named by their assignment and event texts by nothing:
    // both are told by kind and order number.
    for (const char *tipo : {"TipoEntrada", "TipoTexto"})
        if (f.contains(tipo))
            return {tabla, registro, f.value(tipo).toString() + " " + f.value("NumeroOrden").toString(), ajuste, {}};
    const QVariant nombre = f.value("NombreAjuste");
    return {tabla, registro,
            nombre.typeId() == QMetaType::QString ? nombre.toString().trimmed() : QString(), ajuste, {}};
}

Problema Con(Problema p, const QString &motivo) {
    p.motivo = motivo;
    return p;
}

// A record is matched across models by its number, within its kind where
// the numbering runs across kinds (control inputs, event texts).
QString Clave(const Fila &f) {
    for (const char *tipo : {"TipoTexto", "TipoEntrada"})
        if (f.contains(tipo)) return f.value(tipo).toString().trimmed() + "/" + f.value("NumeroOrden").toString();
    return f.value("Indice").toString();
}

// The flags of the switchgear record, as the switchgear editor keeps them in
// the opening timers (records 1..N).
FlagsAparamenta FlagsDeTiempos(const ConfiguracionTexto &c) {
    FlagsAparamenta flags;
    for (const TablaTexto &t : c.tablas) {
        if (t.tabla != TablaTiempos) continue;
        for (qsizetype d = 0; d < t.registros.size() / 2; ++d) {
            const Fila &f = t.registros[d];
            flags.Pon(int(d + 1), f.value("AparamentaSeleccionada").toBool(), f.value("Contacto").toBool(),
                      f.value("EstadoTransicion").toInt() != 0);
        }
    }
    return flags;
}

QString LineaCampo(const QString &tabla, const bd::DefCampo &campo, const Fila &f, const DatosModelo &m) {
    QString linea = CadenaJson(campo.nombre) + ": {\"value\": " + Json(f.value(campo.nombre));
    const Regla r = ReglaDe(tabla, campo, f, m);
    if (!r.fija) {
        if (r.minimo) linea += ", \"min\": " + QString::number(*r.minimo);
        if (r.maximo) linea += ", \"max\": " + QString::number(*r.maximo);
        if (!r.permitidos.isEmpty()) {
            QStringList l;
            for (const QVariant &v : r.permitidos) l << Json(v);
            linea += ", \"allowed\": [" + l.join(", ") + "]";
        }
    }
    return linea + "}";
}

// The lines of an object's fields at `sangria`, commas between them.
QString Bloque(const QStringList &lineas, const QString &sangria) {
    return sangria + QStringList(lineas).join(",\n" + sangria);
}

QString Registro(const QString &tabla, const QList<bd::DefCampo> &campos, const Fila &f, const DatosModelo &m,
                 const QString &sangria) {
    QStringList lineas;
    for (const bd::DefCampo &c : campos)
        if (SeEscribe(c.nombre)) lineas << LineaCampo(tabla, c, f, m);
    return "{\n" + Bloque(lineas, sangria + "  ") + "\n" + sangria + "}";
}

// A context holding a model's catalogue, apart from the open configuration's.
std::optional<Contexto> ContextoDeModelo(Contexto &ctx, const QString &modelo) {
    QString base;
    const QString entrada = BuscaModelo(ctx, modelo, base);
    if (entrada.isEmpty()) return std::nullopt;
    Contexto c = ctx;
    Aplicacion &a = c.app;
    a.ModeloActual = a.NombreModelo = entrada;
    a.BaseDatos = base.trimmed();
    if (CargaGruposCONST(ctx, a.DirectorioModelos + a.BaseDatos, a.GruposCONST) == 0) return std::nullopt;
    return c;
}

std::optional<Contexto> ContextoDeFichero(Contexto &ctx, const QString &fichero) {
    QString modelo;
    if (!LeeModeloFichero(ctx, fichero, modelo)) return std::nullopt;
    return ContextoDeModelo(ctx, modelo);
}

// A configuration built as New builds it, in a folder of its own inside the
// temporary folder, open for the settings to be written into it.
struct Nueva {
    Contexto &ctx;
    QTemporaryDir carpeta;
    std::unique_ptr<bd::BaseDatos> db;
    ConfiguracionTexto ajustes;   // as New left them
    DatosModelo modelo;

    explicit Nueva(Contexto &c) : ctx(c), carpeta(QDir(c.app.DirectorioTemporal).filePath("texto-XXXXXX")) {}
    bool Crea() {
        Aplicacion &a = ctx.app;
        if (!carpeta.isValid()) return false;
        a.CopiaTrabajo = carpeta.filePath("nueva.cnf");
        a.CopiaCompactacion = carpeta.filePath("compactada.cnf");
        VentanaNula v;
        if (!Inicializacion(ctx, v, Modo::Nuevo) || !CargaDatosModelo(ctx, modelo)) return false;
        db = AbreBaseDatos(ctx, a.CopiaTrabajo, bd::Apertura::Temporal);
        if (!db) return false;
        try {
            ajustes = LeeConfiguracion(*db, a);
            return true;
        } catch (const std::exception &e) {
            InformaError(ctx, "LeeConfiguracion", e);
            return false;
        }
    }
    // Writes what differs from New's settings, then moves the file into place.
    bool Guarda(const ConfiguracionTexto &c, const QString &destino);
};

void EscribeFila(bd::Recordset &rs, const Fila &f, const Fila *antes) {
    for (auto i = f.cbegin(); i != f.cend(); ++i)
        if (!antes || !Iguales(i.value(), antes->value(i.key()))) rs.SetValue(i.key(), i.value());
}

bool Nueva::Guarda(const ConfiguracionTexto &c, const QString &destino) {
    try {
        db->BeginTrans();
        auto varios = db->OpenRecordset(TablaInformacion, bd::TipoRecordset::Tabla);
        varios->MoveFirst();
        if (!varios->AtEOF()) {
            varios->Edit();
            EscribeFila(*varios, c.informacion, &ajustes.informacion);
            varios->Update();
        }
        for (qsizetype k = 0; k < c.tablas.size(); ++k) {
            const TablaTexto &t = c.tablas[k];
            const QList<Fila> &antes = ajustes.tablas[k].registros;
            QList<Fila> filas = t.registros;
            for (Fila &f : filas)
                if (t.conCodificacion) f.insert("Codificacion", CodificacionDerivada(t, f, c, modelo));
            if (EsGrafico(t.tabla)) {
                // Objects are rows of their own: the drawing is written anew.
                db->Execute("DELETE * FROM [" + t.tabla + "]");
                auto rs = db->OpenRecordset(t.tabla, bd::TipoRecordset::Tabla);
                for (const Fila &f : filas) {
                    rs->AddNew();
                    EscribeFila(*rs, f, nullptr);
                    rs->Update();
                }
                continue;
            }
            auto rs = db->OpenRecordset(t.tabla, bd::TipoRecordset::Tabla);
            qsizetype i = 0;
            for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext(), ++i) {
                if (filas[i] == antes[i]) continue;
                rs->Edit();
                EscribeFila(*rs, filas[i], &antes[i]);
                rs->Update();
            }
        }
        db->CommitTrans();
        db.reset();
    } catch (const std::exception &e) {
        try {
            db->Rollback();
        } catch (...) {
        }
        InformaError(ctx, "GuardaTexto", e);
        return false;
    }
    if (bd::CopiaFichero(ctx.app.CopiaTrabajo, destino)) return true;
    ctx.ui->Muestra({ctx.dic.Texto(501) + " " + NombreFichero(destino), ctx.T148(), Icono::Critico, Botones::Aceptar});
    return false;
}

// The text's value of a setting: {"value": V, ...} or V itself.
std::optional<QVariant> ValorDelTexto(const QJsonValue &j, const bd::DefCampo &campo, const QVariant &actual,
                                      QString &motivo, const clsDiccionario &dic) {
    const QJsonValue v = j.isObject() ? j.toObject().value("value") : j;
    if (v.isUndefined()) {
        motivo = dic.Texto(3269);
        return std::nullopt;
    }
    // Null stands for an empty text or date, or for a value New leaves unset.
    const bool nuloAdmitido = campo.tipo == bd::TipoCampo::Texto || campo.tipo == bd::TipoCampo::Memo ||
                              campo.tipo == bd::TipoCampo::FechaHora || actual.isNull();
    if (v.isNull() && nuloAdmitido) return QVariant();
    return ValorDeColumna(campo, v.isNull() ? QVariant() : v.toVariant(), motivo, dic);
}

// The settings of one record of the text over `f`.
void AplicaRegistro(const QJsonValue &j, const QString &tabla, const QList<bd::DefCampo> &campos, Fila &f,
                    qsizetype fila, const clsDiccionario &dic, QList<Problema> &p) {
    const Problema quien = Quien(tabla, f, fila);
    if (!j.isObject()) {
        p << Con(quien, dic.Texto(3268));
        return;
    }
    const QJsonObject o = j.toObject();
    for (auto i = o.constBegin(); i != o.constEnd(); ++i) {
        Problema aqui = quien;
        aqui.ajuste = i.key();
        const auto campo = std::find_if(campos.cbegin(), campos.cend(), [&](const bd::DefCampo &c) {
            return c.nombre == i.key() && SeEscribe(c.nombre);
        });
        if (campo == campos.cend()) {
            p << Con(aqui, dic.Texto(3253));
            continue;
        }
        QString motivo;
        const std::optional<QVariant> v = ValorDelTexto(i.value(), *campo, f.value(i.key()), motivo, dic);
        if (!v)
            p << Con(aqui, motivo);
        else if (ReglaDe(tabla, *campo, f, {}).fija && !Iguales(*v, f.value(i.key())))
            p << Con(aqui, dic.Texto(3264, Json(f.value(i.key()))));
        else
            f.insert(i.key(), *v);
    }
}

void AplicaTabla(const QJsonValue &j, ConfiguracionTexto &c, const clsDiccionario &dic, QList<Problema> &p) {
    const QJsonObject o = j.toObject();
    const QString nombre = o.value("table").toString();
    const auto t = std::find_if(c.tablas.begin(), c.tablas.end(), [&](const TablaTexto &t) { return t.tabla == nombre; });
    if (!j.isObject() || !o.value("records").isArray()) {
        p << Problema{nombre, 0, {}, {}, dic.Texto(3268)};
        return;
    }
    if (t == c.tablas.end()) {
        p << Problema{nombre, 0, {}, {}, dic.Texto(3252)};
        return;
    }
    const QJsonArray registros = o.value("records").toArray();
    if (EsGrafico(nombre)) {
        Fila vacia;
        for (const bd::DefCampo &campo : t->campos) vacia.insert(campo.nombre, QVariant());
        t->registros = QList<Fila>(registros.size(), vacia);
    } else if (registros.size() != t->registros.size()) {
        p << Problema{nombre, 0, {}, {}, dic.Texto(3265, registros.size(), t->registros.size())};
        return;
    }
    for (qsizetype i = 0; i < registros.size(); ++i)
        AplicaRegistro(registros[i], nombre, t->campos, t->registros[i], i, dic, p);
}

// The document over New's settings `c`: the refusals in `p`.
void AplicaTexto(const QJsonObject &raiz, ConfiguracionTexto &c, const clsDiccionario &dic, QList<Problema> &p) {
    if (raiz.contains("information")) {
        if (!raiz.value("information").isObject())
            p << Problema{TablaInformacion, 0, {}, {}, dic.Texto(3268)};
        else
            AplicaRegistro(raiz.value("information"), TablaInformacion, c.camposInformacion, c.informacion, 0, dic, p);
    }
    if (!raiz.contains("tables")) return;
    if (!raiz.value("tables").isArray()) {
        p << Problema{{}, 0, {}, "tables", dic.Texto(3268)};
        return;
    }
    for (const QJsonValue &t : raiz.value("tables").toArray()) AplicaTabla(t, c, dic, p);
}

}  // namespace

ConfiguracionTexto LeeConfiguracion(bd::BaseDatos &db, const Aplicacion &app) {
    ConfiguracionTexto c;
    const auto lee = [&](const QString &tabla, QList<bd::DefCampo> &campos, bool *conCodificacion) {
        for (const bd::DefCampo &d : db.TableDef(tabla).campos) {
            if (d.nombre == "Codificacion" && conCodificacion)
                *conCodificacion = true;
            else
                campos << d;
        }
        QList<Fila> filas;
        auto rs = db.OpenRecordset(tabla, bd::TipoRecordset::Snapshot);
        for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext()) {
            Fila f;
            for (int i = 0; i < rs->FieldCount(); ++i) f.insert(rs->FieldName(i), rs->Value(i));
            filas << f;
        }
        return filas;
    };
    {
        auto rs = db.OpenRecordset("Modelo", bd::TipoRecordset::Snapshot);
        rs->MoveFirst();
        if (!rs->AtEOF()) c.modelo = rs->Value("Modelo").toString().trimmed();
    }
    if (ExisteTabla(db, TablaInformacion)) c.informacion = lee(TablaInformacion, c.camposInformacion, nullptr).value(0);
    for (const EntradaGrupo &e : app.GruposCONST) {
        if (!ExisteTabla(db, e.Tabla)) continue;
        TablaTexto t{e.Tabla, {}, false, {}};
        t.registros = lee(e.Tabla, t.campos, &t.conCodificacion);
        c.tablas << t;
    }
    return c;
}

QByteArray EscribeTexto(const ConfiguracionTexto &c, const DatosModelo &m) {
    QStringList tablas;
    for (const TablaTexto &t : c.tablas) {
        QStringList registros;
        for (const Fila &f : t.registros) registros << Registro(t.tabla, t.campos, f, m, "        ");
        const QString lista = registros.isEmpty() ? "[]" : "[\n" + Bloque(registros, "        ") + "\n      ]";
        tablas << "{\n      \"table\": " + CadenaJson(t.tabla) + ",\n      \"records\": " + lista + "\n    }";
    }
    const QString texto = "{\n  \"format\": " + QString::number(FormatoTexto) + ",\n  \"model\": " +
                          CadenaJson(c.modelo) + ",\n  \"information\": " +
                          Registro(TablaInformacion, c.camposInformacion, c.informacion, m, "  ") +
                          ",\n  \"tables\": [\n" + Bloque(tablas, "    ") + "\n  ]\n}\n";
    return texto.toUtf8();
}

QString CodificacionDerivada(const TablaTexto &t, const Fila &f, const ConfiguracionTexto &c, const DatosModelo &m) {
    const TablaCodificada *tc = BuscaTablaCodificada(t.tabla);
    if (!tc) return f.value("Codificacion").toString();
    switch (tc->disposicion) {
    case Disposicion::Grafico: return CodificaObjeto(ObjetoDeFila(f));
    case Disposicion::Aparamenta: return CodificacionAparamenta(FlagsDeTiempos(c));
    case Disposicion::NoEnviada: return f.value("Codificacion").toString();
    default: return CodificaRegistro(*tc, f, m.codificacion);
    }
}

QList<Problema> CompruebaValores(const ConfiguracionTexto &c, const DatosModelo &m, const clsDiccionario &dic,
                                 bool codificaciones) {
    QList<Problema> p;
    const auto valores = [&](const QString &tabla, const QList<bd::DefCampo> &campos, const Fila &f, qsizetype fila) {
        for (const bd::DefCampo &campo : campos) {
            const Regla r = ReglaDe(tabla, campo, f, m);
            if (r.fija) continue;
            if (const auto motivo = Incumple(r, f.value(campo.nombre), dic))
                p << Con(Quien(tabla, f, fila, campo.nombre), *motivo);
        }
    };
    valores(TablaInformacion, c.camposInformacion, c.informacion, 0);
    for (const TablaTexto &t : c.tablas) {
        const bool grafico = EsGrafico(t.tabla);
        QList<ObjetoGrafico> objetos;
        for (qsizetype i = 0; i < t.registros.size(); ++i) {
            const Fila &f = t.registros[i];
            valores(t.tabla, t.campos, f, i);
            if (grafico) {
                objetos << ObjetoDeFila(f);
                if (!codificaciones) objetos.last().Codificacion = CodificaObjeto(objetos.last());
            } else if (codificaciones && t.conCodificacion) {
                const QString guardada = f.value("Codificacion").toString().trimmed().toUpper();
                const QString debida = CodificacionDerivada(t, f, c, m).toUpper();
                if (guardada != debida)
                    p << Con(Quien(t.tabla, f, i, "Codificacion"), dic.Texto(3266, guardada, debida));
            }
        }
        for (const QString &fallo : grafico ? CompruebaGrafico(objetos) : QStringList())
            p << Problema{t.tabla, 0, {}, {}, dic.Texto(3267, fallo)};
    }
    return p;
}

QList<Problema> CompruebaConfiguracion(Contexto &ctx, bd::BaseDatos &db) {
    DatosModelo m;
    if (!CargaDatosModelo(ctx, m)) return {Problema{{}, 0, {}, {}, ctx.dic.Texto(3276)}};
    try {
        return CompruebaValores(LeeConfiguracion(db, ctx.app), m, ctx.dic, true);
    } catch (const std::exception &e) {
        return {Problema{{}, 0, {}, {}, TextoError(ctx, e)}};
    }
}

std::optional<QList<Problema>> CompruebaFichero(Contexto &ctx, const QString &fichero) {
    std::optional<Contexto> c = ContextoDeFichero(ctx, fichero);
    if (!c) return std::nullopt;
    auto db = AbreBaseDatosNombrada(ctx, fichero, bd::Apertura::SoloLectura);
    if (!db) return std::nullopt;
    return CompruebaConfiguracion(*c, *db);
}

std::optional<QByteArray> ExportaTexto(Contexto &ctx, const QString &fichero) {
    std::optional<Contexto> c = ContextoDeFichero(ctx, fichero);
    DatosModelo m;
    if (!c || !CargaDatosModelo(*c, m)) return std::nullopt;
    auto db = AbreBaseDatosNombrada(ctx, fichero, bd::Apertura::SoloLectura);
    if (!db) return std::nullopt;
    try {
        return EscribeTexto(LeeConfiguracion(*db, c->app), m);
    } catch (const std::exception &e) {
        InformaError(ctx, "ExportaTexto", e);
        return std::nullopt;
    }
}

QList<Problema> ImportaTexto(Contexto &ctx, const QByteArray &texto, const QString &destino) {
    const clsDiccionario &dic = ctx.dic;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(texto, &error);
    if (error.error != QJsonParseError::NoError)
        return {Problema{{}, 0, {}, {}, dic.Texto(3250, error.errorString(), error.offset)}};
    const QJsonObject raiz = doc.object();
    if (!doc.isObject() || raiz.value("format").toInt(-1) != FormatoTexto || !raiz.value("model").isString())
        return {Problema{{}, 0, {}, {}, dic.Texto(3251, FormatoTexto)}};
    const QString modelo = raiz.value("model").toString();
    std::optional<Contexto> c = ContextoDeModelo(ctx, modelo);
    if (!c) return {Problema{{}, 0, {}, "model", dic.Texto(3270, modelo)}};
    Nueva nueva(*c);
    if (!nueva.Crea()) return {Problema{{}, 0, {}, {}, dic.Texto(3276)}};
    ConfiguracionTexto ajustes = nueva.ajustes;
    QList<Problema> p;
    AplicaTexto(raiz, ajustes, dic, p);
    // A value refused above stays as New made it: what remains is told once.
    p += CompruebaValores(ajustes, nueva.modelo, dic, false);
    if (p.isEmpty() && !nueva.Guarda(ajustes, destino)) p << Problema{{}, 0, {}, {}, dic.Texto(3277)};
    return p;
}

std::optional<QList<Problema>> ConvierteConfiguracion(Contexto &ctx, const QString &origen, const QString &modelo,
                                                      const QString &destino) {
    const clsDiccionario &dic = ctx.dic;
    std::optional<Contexto> de = ContextoDeFichero(ctx, origen);
    if (!de) return std::nullopt;
    ConfiguracionTexto fuente;
    {
        auto db = AbreBaseDatosNombrada(ctx, origen, bd::Apertura::SoloLectura);
        if (!db) return std::nullopt;
        try {
            fuente = LeeConfiguracion(*db, de->app);
        } catch (const std::exception &e) {
            InformaError(ctx, "ConvierteConfiguracion", e);
            return std::nullopt;
        }
    }
    std::optional<Contexto> a = ContextoDeModelo(ctx, modelo);
    if (!a) return std::nullopt;
    Nueva nueva(*a);
    if (!nueva.Crea()) return std::nullopt;
    const DatosModelo &m = nueva.modelo;
    ConfiguracionTexto c = nueva.ajustes;
    const QString destinoModelo = ModeloAPantalla(a->app.ModeloActual);
    QList<Problema> notas;
    for (const bd::DefCampo &campo : c.camposInformacion)
        if (fuente.informacion.contains(campo.nombre)) c.informacion[campo.nombre] = fuente.informacion[campo.nombre];
    for (const TablaTexto &t : fuente.tablas)
        if (!TablaEnModelo(a->app, t.tabla)) notas << Problema{t.tabla, 0, {}, {}, dic.Texto(3271, destinoModelo)};
    for (TablaTexto &t : c.tablas) {
        const auto s = std::find_if(fuente.tablas.cbegin(), fuente.tablas.cend(),
                                    [&](const TablaTexto &f) { return f.tabla == t.tabla; });
        if (s == fuente.tablas.cend()) {
            notas << Problema{t.tabla, 0, {}, {}, dic.Texto(3272)};
            continue;
        }
        if (EsGrafico(t.tabla)) {
            t.registros = s->registros;
            continue;
        }
        QHash<QString, qsizetype> destinos;
        for (qsizetype i = 0; i < t.registros.size(); ++i) destinos.insert(Clave(t.registros[i]), i);
        QSet<qsizetype> llevados;
        for (qsizetype k = 0; k < s->registros.size(); ++k) {
            const Fila &g = s->registros[k];
            const auto i = destinos.constFind(Clave(g));
            if (i == destinos.constEnd()) {
                notas << Con(Quien(t.tabla, g, k), dic.Texto(3271, destinoModelo));
                continue;
            }
            llevados.insert(*i);
            Fila &f = t.registros[*i];
            const Fila nuevo = f;
            for (const bd::DefCampo &campo : t.campos)
                if (g.contains(campo.nombre) && !ReglaDe(t.tabla, campo, f, m).fija) f[campo.nombre] = g[campo.nombre];
            // An input's function name is the target model's for its number.
            if (!f.value("ValorTextoEntrada").toString().isEmpty())
                f["ValorTextoEntrada"] = m.codificacion.funcionesEntradas.value(f.value("ValorEntrada").toInt());
            for (const bd::DefCampo &campo : t.campos) {
                const auto motivo = Incumple(ReglaDe(t.tabla, campo, f, m), f.value(campo.nombre), dic);
                if (!motivo) continue;
                f[campo.nombre] = nuevo.value(campo.nombre);
                notas << Con(Quien(t.tabla, f, *i, campo.nombre), dic.Texto(3273, *motivo));
            }
        }
        for (qsizetype i = 0; i < t.registros.size(); ++i)
            if (!llevados.contains(i)) notas << Con(Quien(t.tabla, t.registros[i], i), dic.Texto(3272));
    }
    // A drawing the target cannot show is left out whole: half of one would mislead.
    for (TablaTexto &t : c.tablas) {
        if (!EsGrafico(t.tabla) || t.registros.isEmpty()) continue;
        ConfiguracionTexto solo;
        solo.tablas << t;
        const QList<Problema> fallos = CompruebaValores(solo, m, dic, false);
        if (fallos.isEmpty()) continue;
        t.registros.clear();
        notas << Problema{t.tabla, 0, {}, {}, dic.Texto(3273, DescribeProblema(fallos.first()))};
    }
    const QList<Problema> restos = CompruebaValores(c, m, dic, false);
    if (!restos.isEmpty()) {
        ctx.ui->Muestra({DescribeProblema(restos.first()), ctx.T148(), Icono::Critico, Botones::Aceptar});
        return std::nullopt;
    }
    if (!nueva.Guarda(c, destino)) return std::nullopt;
    return notas;
}

}  // namespace tarvo
