#include "comms/comparacion.h"

#include "comms/codificacion/recepcion.h"
#include "graphic/objeto.h"
#include "store/catalogo.h"
#include "store/ficheros.h"
#include "store/modelos.h"
#include "store/tablas.h"

#include <QCryptographicHash>

namespace tarvo {
namespace {

// One record as its table's packer lays it out.
struct Registro {
    int indice = 0;   // display objects: Identificador
    QString nombre;
    QString codificacion;
};

QString Columna(const bd::Recordset &rs, const QString &campo) {
    return ExisteCampo(rs, campo) ? rs.Value(campo).toString().trimmed() : QString();
}

// How the user tells a record apart: its setting name, or where the layout
// decodes into that name (control inputs) or has none (event texts), its
// kind and order number.
QString NombreRegistro(const bd::Recordset &rs, const TablaCodificada &t) {
    switch (t.disposicion) {
    case Disposicion::EntradaCTRL: return Columna(rs, "TipoEntrada") + " " + Columna(rs, "NumeroOrden");
    case Disposicion::TextoEvento: return Columna(rs, "TipoTexto") + " " + Columna(rs, "NumeroOrden");
    default: return Columna(rs, "NombreAjuste");
    }
}

// The records in the order the packer takes them, without those it leaves
// out (texts of events the model does not have).
QList<Registro> Registros(bd::BaseDatos &db, const Aplicacion &app, const TablaCodificada &t) {
    QList<Registro> registros;
    const QMap<QString, int> ranuras = RanurasTextoEventos(app);
    const auto lee = [&](const QString &fuente) {
        auto rs = db.OpenRecordset(fuente, bd::TipoRecordset::Snapshot);
        for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext()) {
            if (t.disposicion == Disposicion::TextoEvento && !ranuras.contains(Columna(*rs, "TipoTexto"))) continue;
            const char *indice = t.disposicion == Disposicion::Grafico ? "Identificador" : "Indice";
            registros.append({Columna(*rs, indice).toInt(), NombreRegistro(*rs, t), Columna(*rs, "Codificacion")});
        }
    };
    if (t.disposicion == Disposicion::EntradaCTRL)
        for (const QString &tipo : TiposEntradaCTRL(app))
            lee("SELECT * FROM [" + t.tabla + "] WHERE TipoEntrada=\"" + tipo + "\"");
    else
        lee(t.tabla);
    return registros;
}

// The decoded columns as the user reads them: flags as 0 and 1, an input
// function's name beside its number; an object's number and editor kind,
// which its bytes do not carry, left out.
QMap<QString, QString> Ajustes(const TablaCodificada &t, const QString &codificacion, const DatosCodificacion &datos) {
    Fila f = DecodificaRegistro(t, codificacion, datos);
    const QString funcion = f.take("ValorTextoEntrada").toString();
    f.remove("Identificador");
    f.remove("apaN2");
    QMap<QString, QString> ajustes;
    for (auto i = f.cbegin(); i != f.cend(); ++i)
        ajustes.insert(i.key(), i.value().typeId() == QMetaType::Bool ? QString(i.value().toBool() ? "1" : "0")
                                                                       : i.value().toString());
    if (!funcion.isEmpty()) ajustes["ValorEntrada"] += " (" + funcion + ")";
    return ajustes;
}

// A record present on one side only, in one line.
QString Resumen(const QMap<QString, QString> &ajustes) {
    QStringList partes;
    for (auto i = ajustes.cbegin(); i != ajustes.cend(); ++i) partes << i.key() + "=" + i.value();
    return partes.join(", ");
}

// Which record of b goes with each of a, then b's unpaired ones: by position,
// since the relay knows records by nothing else, except display objects,
// which go by Identificador (a label shares its switchgear's, so by the
// occurrence of it too): an object inserted or removed is one difference.
QList<std::pair<qsizetype, qsizetype>> Parejas(const QList<Registro> &ra, const QList<Registro> &rb, bool grafico) {
    QList<std::pair<qsizetype, qsizetype>> parejas;
    if (!grafico) {
        for (qsizetype k = 0; k < std::max(ra.size(), rb.size()); ++k)
            parejas.append({k < ra.size() ? k : -1, k < rb.size() ? k : -1});
        return parejas;
    }
    const auto claves = [](const QList<Registro> &r) {
        QList<std::pair<int, int>> c;
        QMap<int, int> vistos;
        for (const Registro &x : r) c.append({x.indice, vistos[x.indice]++});
        return c;
    };
    const auto ca = claves(ra), cb = claves(rb);
    QList<bool> emparejado(rb.size(), false);
    for (qsizetype i = 0; i < ca.size(); ++i) {
        const qsizetype j = cb.indexOf(ca[i]);
        if (j >= 0) emparejado[j] = true;
        parejas.append({i, j});
    }
    for (qsizetype j = 0; j < rb.size(); ++j)
        if (!emparejado[j]) parejas.append({-1, j});
    return parejas;
}

void ComparaRegistros(const QList<Registro> &ra, const QList<Registro> &rb, const TablaCodificada &t,
                      const DatosCodificacion &datos, const clsDiccionario &dic, QList<Diferencia> &diferencias) {
    const bool grafico = t.disposicion == Disposicion::Grafico;
    for (const auto &[ia, ib] : Parejas(ra, rb, grafico)) {
        const bool enA = ia >= 0, enB = ib >= 0;
        const auto fa = enA ? Ajustes(t, ra[ia].codificacion, datos) : QMap<QString, QString>();
        const auto fb = enB ? Ajustes(t, rb[ib].codificacion, datos) : QMap<QString, QString>();
        const Registro &r = enA ? ra[ia] : rb[ib];
        Diferencia d;
        d.tabla = t.tabla;
        d.registro = r.indice;
        d.nombre = r.nombre;
        if (grafico) {
            const int texto = TextoDeCodigo((enA ? fa : fb).value("apa").toInt());
            d.nombre = texto ? dic.Texto(texto) : QString();
        }
        if (!enA || !enB) {
            d.valorA = enA ? Resumen(fa) : QString();
            d.valorB = enB ? Resumen(fb) : QString();
            diferencias.append(d);
            continue;
        }
        QStringList columnas = fa.keys() + fb.keys();
        columnas.removeDuplicates();
        for (const QString &c : columnas) {
            if (fa.value(c) == fb.value(c)) continue;
            d.ajuste = c;
            d.valorA = fa.value(c);
            d.valorB = fb.value(c);
            diferencias.append(d);
        }
    }
}

}  // namespace

Comparacion ComparaEmpaquetados(bd::BaseDatos &a, const QList<TablaEmpaquetada> &pa, bd::BaseDatos &b,
                                const QList<TablaEmpaquetada> &pb, const Aplicacion &app,
                                const DatosCodificacion &datos, const clsDiccionario &dic) {
    Comparacion c{{}, HuellaEmpaquetado(pa), HuellaEmpaquetado(pb)};
    // One catalogue packed both: the same tables in the same order.
    for (qsizetype i = 0; i < pa.size() && i < pb.size(); ++i) {
        if (pa[i].valores == pb[i].valores) continue;
        const TablaCodificada &t = *BuscaTablaCodificada(pa[i].entrada.Tabla);
        const qsizetype antes = c.diferencias.size();
        ComparaRegistros(Registros(a, app, t), Registros(b, app, t), t, datos, dic, c.diferencias);
        if (c.diferencias.size() == antes) {
            Diferencia d;
            d.tabla = t.tabla;
            d.bloque = BloquesDistintos(pa[i], pb[i]).value(0, 1);
            c.diferencias.append(d);
        }
    }
    return c;
}

namespace {

void Critico(Contexto &ctx, const QString &texto) {
    ctx.ui->Muestra({texto, ctx.T148(), Icono::Critico, Botones::Aceptar});
}

// A file opened and packed by its own model's catalogue, in a context of its
// own so that the caller's open configuration keeps its catalogue.
struct Lado {
    Contexto ctx;
    QString modelo;   // the catalogue's entry
    std::unique_ptr<bd::BaseDatos> db;
    QList<TablaEmpaquetada> tablas;
};

std::optional<Lado> AbreLado(Contexto &ctx, const QString &fichero) {
    QString modelo, base;
    if (!LeeModeloFichero(ctx, fichero, modelo)) return std::nullopt;
    Lado l{ctx, BuscaModelo(ctx, modelo, base), nullptr, {}};
    if (l.modelo.isEmpty()) return std::nullopt;
    Aplicacion &a = l.ctx.app;
    a.BaseDatos = base.trimmed();
    if (CargaGruposCONST(ctx, a.DirectorioModelos + a.BaseDatos, a.GruposCONST) == 0) return std::nullopt;
    l.db = AbreBaseDatosNombrada(ctx, fichero, bd::Apertura::SoloLectura);
    if (!l.db) return std::nullopt;
    try {
        l.tablas = EmpaquetaEnvio(*l.db, a);
        return l;
    } catch (const TablaNoEnviable &e) {
        Critico(ctx, ctx.dic.Texto(3201, NombreFichero(fichero)) + "\r\n" + DescribeTablaNoEnviable(ctx.dic, e));
    } catch (const std::exception &e) {
        InformaError(ctx, "EmpaquetaEnvio", e);
    }
    return std::nullopt;
}

}  // namespace

QList<int> BloquesDistintos(const TablaEmpaquetada &a, const TablaEmpaquetada &b) {
    const auto &plan = (a.valores.size() >= b.valores.size() ? a : b).entrada.Indices;
    QList<int> bloques;
    qsizetype inicio = 0;
    for (size_t k = 0; k < 75 && plan[k] != 0; inicio += plan[k], ++k)
        if (a.valores.mid(inicio, plan[k]) != b.valores.mid(inicio, plan[k])) bloques << int(k) + 1;
    return bloques;
}

QString HuellaEmpaquetado(const QList<TablaEmpaquetada> &tablas) {
    QCryptographicHash h(QCryptographicHash::Sha256);
    for (const TablaEmpaquetada &t : tablas)
        for (qint32 v : t.valores) {
            const auto b = ValorABytes(v);
            h.addData(QByteArrayView(reinterpret_cast<const char *>(b.data()), qsizetype(b.size())));
        }
    return QString::fromLatin1(h.result().toHex());
}

Comparacion ComparaBasesDatos(bd::BaseDatos &a, bd::BaseDatos &b, const Aplicacion &app,
                              const DatosCodificacion &datos, const clsDiccionario &dic) {
    return ComparaEmpaquetados(a, EmpaquetaEnvio(a, app), b, EmpaquetaEnvio(b, app), app, datos, dic);
}

std::optional<Comparacion> ComparaConfiguraciones(Contexto &ctx, const QString &ficheroA, const QString &ficheroB) {
    std::optional<Lado> a = AbreLado(ctx, ficheroA);
    if (!a) return std::nullopt;
    std::optional<Lado> b = AbreLado(ctx, ficheroB);
    if (!b) return std::nullopt;
    if (a->modelo.trimmed().toUpper() != b->modelo.trimmed().toUpper()) {
        Critico(ctx, ctx.dic.Texto(3200, ModeloAPantalla(a->modelo), ModeloAPantalla(b->modelo)));
        return std::nullopt;
    }
    DatosCodificacion datos;
    if (!PreparaDatosRecepcion(a->ctx, datos)) return std::nullopt;
    try {
        return ComparaEmpaquetados(*a->db, a->tablas, *b->db, b->tablas, a->ctx.app, datos, ctx.dic);
    } catch (const std::exception &e) {
        InformaError(ctx, "ComparaConfiguraciones", e);
    }
    return std::nullopt;
}

QString Huella(Contexto &ctx, const QString &fichero) {
    const std::optional<Lado> l = AbreLado(ctx, fichero);
    return l ? HuellaEmpaquetado(l->tablas) : QString();
}

}  // namespace tarvo
