#include "comms/codificacion/recepcion.h"

#include "comms/codificacion/empaquetado.h"
#include "store/catalogo.h"
#include "store/tablas.h"

#include <vector>

namespace tarvo {
namespace {

namespace cc = codigo_codificacion;

void CompruebaTramo(QStringView hex, qsizetype desde, qsizetype digitos) {
    if (desde + digitos > hex.size())
        throw ErrorCodificacion(cc::FlujoCorto, QString("The received stream has %1 digits; the records need %2.")
                                                    .arg(hex.size())
                                                    .arg(desde + digitos));
    if (!EsHexadecimal(hex.mid(desde, digitos)))
        throw ErrorCodificacion(cc::NoHexadecimal, "The received stream is not hexadecimal.");
}

void CompruebaLongitud(int longitud) {
    if (longitud <= 0) throw ErrorCodificacion(cc::RegistroVacio, "The first record has an empty Codificacion.");
    if (longitud % 2)
        throw ErrorCodificacion(cc::LongitudImpar, QString("Records of %1 digits are not whole bytes.").arg(longitud));
}

// Writes one decoded record into the current row.
void Escribe(bd::Recordset &rs, const Fila &f, const QString &texto) {
    rs.Edit();
    for (auto i = f.cbegin(); i != f.cend(); ++i) rs.SetValue(i.key(), i.value());
    rs.SetValue("Codificacion", texto);
    rs.Update();
}

void DecodificaGenerica(bd::BaseDatos &db, const TablaCodificada &t, const DatosCodificacion &datos, QStringView hex) {
    auto rs = db.OpenRecordset(t.tabla, bd::TipoRecordset::Tabla);
    if (rs->RecordCount() == 0) return;
    rs->MoveFirst();
    const int longitud = int(rs->Value("Codificacion").toString().size());
    const QStringList textos = CortaRegistros(hex, longitud, rs->RecordCount());
    QList<Fila> filas;
    for (const QString &texto : textos) filas.append(DecodificaRegistro(t, texto, datos));
    int i = 0;
    for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext(), ++i) Escribe(*rs, filas[i], textos[i]);
}

void DecodificaAparamenta(bd::BaseDatos &db, const TablaCodificada &t, QStringView hex) {
    auto rs = db.OpenRecordset(t.tabla, bd::TipoRecordset::Tabla);
    if (rs->RecordCount() == 0) return;
    rs->MoveFirst();
    const QString texto = CortaRegistros(hex, int(rs->Value("Codificacion").toString().size()), 1).value(0);
    const FlagsAparamenta f = LeeFlagsAparamenta(texto);
    Escribe(*rs, {}, texto);

    // Devices 1..N: opening timers are records 1..N, closing timers N+1..2N.
    auto tiempos = db.OpenRecordset("TiempoAperturaCierre CTRL", bd::TipoRecordset::Tabla);
    const bool conTransicion = ExisteCampo(*tiempos, "EstadoTransicion");
    const int n = tiempos->RecordCount() / 2;
    int i = 0;
    for (tiempos->MoveFirst(); !tiempos->AtEOF(); tiempos->MoveNext(), ++i) {
        const int k = n > 0 ? i % n : i;
        auto bit = [&](quint8 b) { return k < 8 && (b >> k) & 1; };
        tiempos->Edit();
        tiempos->SetValue("AparamentaSeleccionada", bit(f.seleccion));
        tiempos->SetValue("Contacto", bit(f.contacto));
        if (conTransicion) tiempos->SetValue("EstadoTransicion", bit(f.transicion) ? 1 : 0);
        tiempos->Update();
    }
}

void DecodificaEntradasCTRL(bd::BaseDatos &db, const Aplicacion &app, const TablaCodificada &t,
                            const DatosCodificacion &datos, QStringView hex) {
    std::vector<std::unique_ptr<bd::Recordset>> grupos;
    int cuantos = 0, longitud = -1;
    for (const QString &tipo : TiposEntradaCTRL(app)) {
        auto rs = db.OpenRecordset(ConsultaEntradasCTRL(tipo), bd::TipoRecordset::Dynaset);
        if (rs->RecordCount() > 0 && longitud < 0) {
            rs->MoveFirst();
            longitud = int(rs->Value("Codificacion").toString().size());
        }
        cuantos += rs->RecordCount();
        grupos.push_back(std::move(rs));
    }
    if (cuantos == 0) return;
    const QStringList textos = CortaRegistros(hex, longitud, cuantos);
    QList<Fila> filas;
    for (const QString &texto : textos) filas.append(DecodificaRegistro(t, texto, datos));
    int i = 0;
    for (auto &rs : grupos)
        for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext(), ++i) Escribe(*rs, filas[i], textos[i]);
}

void DecodificaTextos(bd::BaseDatos &db, const Aplicacion &app, const TablaCodificada &t,
                      const DatosCodificacion &datos, QStringView hex) {
    auto rs = db.OpenRecordset(t.tabla, bd::TipoRecordset::Tabla);
    QList<std::pair<QString, int>> registros;
    for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext())
        registros.append({rs->Value("TipoTexto").toString().trimmed(), int(rs->Value("Codificacion").toString().size())});
    const QStringList textos = CortaTextosEventos(hex, registros, RanurasTextoEventos(app));
    QList<Fila> filas;
    for (const QString &texto : textos) filas.append(texto.isNull() ? Fila{} : DecodificaRegistro(t, texto, datos));
    int i = 0;
    for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext(), ++i)
        if (!textos[i].isNull()) Escribe(*rs, filas[i], textos[i]);
}

void DecodificaGrafico(bd::BaseDatos &db, const DatosCodificacion &datos, QStringView hex) {
    QList<ObjetoGrafico> objetos;
    if (!DecodificaObjetos(hex, objetos))
        throw ErrorCodificacion(cc::FlujoCorto, "The received display objects are not whole hexadecimal objects.");
    db.Execute("DELETE * FROM [Grafico COMU]");
    auto rs = db.OpenRecordset("Grafico COMU", bd::TipoRecordset::Tabla);
    for (ObjetoGrafico &o : objetos) {
        if (o.apaN2 == 22) o.txt_u = datos.unidadesMedida.value(o.unidad_m);
        rs->AddNew();
        EscribeObjeto(*rs, o);
        rs->Update();
    }
}

}  // namespace

QStringList CortaRegistros(QStringView hex, int longitud, int cuantos) {
    CompruebaLongitud(longitud);
    CompruebaTramo(hex, 0, qsizetype(longitud) * cuantos);
    QStringList textos;
    textos.reserve(cuantos);
    for (int i = 0; i < cuantos; ++i) textos.append(hex.mid(qsizetype(i) * longitud, longitud).toString().toUpper());
    return textos;
}

QStringList CortaTextosEventos(QStringView hex, const QList<std::pair<QString, int>> &registros,
                               const QMap<QString, int> &ranuras) {
    QMap<QString, qsizetype> posicion;
    QStringList textos;
    for (const auto &[tipo, longitud] : registros) {
        const auto ranura = ranuras.constFind(tipo);
        if (ranura == ranuras.constEnd() || *ranura < 0) {
            textos.append(QString());
            continue;
        }
        CompruebaLongitud(longitud);
        auto p = posicion.find(tipo);
        if (p == posicion.end()) p = posicion.insert(tipo, qsizetype(*ranura) * BytesRanura * 2);
        CompruebaTramo(hex, *p, longitud);
        textos.append(hex.mid(*p, longitud).toString().toUpper());
        *p += longitud;
    }
    return textos;
}

void DecodificaTabla(bd::BaseDatos &db, const Aplicacion &app, const DatosCodificacion &datos, const QString &tabla,
                     QStringView hex) {
    const TablaCodificada *t = BuscaTablaCodificada(tabla);
    if (!t) throw bd::ErrorBD(bd::codigo::NoEncontrado, QString("[%1] is not a configuration table.").arg(tabla));
    switch (t->disposicion) {
    case Disposicion::Aparamenta: return DecodificaAparamenta(db, *t, hex);
    case Disposicion::EntradaCTRL: return DecodificaEntradasCTRL(db, app, *t, datos, hex);
    case Disposicion::TextoEvento: return DecodificaTextos(db, app, *t, datos, hex);
    case Disposicion::Grafico: return DecodificaGrafico(db, datos, hex);
    case Disposicion::NoEnviada: return;
    default: return DecodificaGenerica(db, *t, datos, hex);
    }
}

bool CargaStringEntradas(Contexto &ctx, QStringList &funciones) {
    auto db = AbreBaseDatos(ctx, ctx.app.DirectorioModelos + ctx.app.BaseDatos, bd::Apertura::SoloLectura);
    if (!db) return false;
    try {
        QStringList leidas;
        auto rs = db->OpenRecordset("Tarvo Funciones Entradas PROT", bd::TipoRecordset::Snapshot);
        for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext()) leidas << rs->Value("Funcion").toString();
        funciones = leidas;
        return true;
    } catch (const std::exception &e) {
        InformaError(ctx, "CargaStringEntradas", e);
        return false;
    }
}

bool PreparaDatosRecepcion(Contexto &ctx, DatosCodificacion &datos) {
    DatosCodificacion d;
    if (!ctx.app.ColumnaValor.isEmpty()) d.columnaValor = ctx.app.ColumnaValor;
    d.sinAsignar = ctx.dic.Texto(530);
    if (TablaEnModelo(ctx.app, "Entradas PROT") && !CargaStringEntradas(ctx, d.funcionesEntradas)) return false;
    if (TablaEnModelo(ctx.app, "Grafico COMU")) {
        auto db = AbreBaseDatos(ctx, ctx.app.DirectorioModelos + ctx.app.BaseDatos, bd::Apertura::SoloLectura);
        if (!db) return false;
        try {
            const QString medidas = "PMed " + QString(ctx.app.BaseDatos).section('.', 0, 0);
            if (ExisteTabla(*db, medidas)) {
                auto rs = db->OpenRecordset(medidas, bd::TipoRecordset::Snapshot);
                for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext())
                    d.unidadesMedida.insert(rs->Value("Unidades").toInt(), rs->Value("Unidad").toString());
            }
        } catch (const std::exception &e) {
            InformaError(ctx, "PreparaDatosRecepcion", e);
            return false;
        }
    }
    datos = d;
    return true;
}

void DecodificaEnTransaccion(bd::BaseDatos &db, const Aplicacion &app, const DatosCodificacion &datos,
                             const QString &tabla, QStringView hex) {
    db.BeginTrans();
    try {
        DecodificaTabla(db, app, datos, tabla, hex);
        db.CommitTrans();
    } catch (...) {
        try {
            db.Rollback();
        } catch (...) {
        }
        throw;
    }
}

QString LectorDeTabla(const QString &tabla) {
    const TablaCodificada *t = BuscaTablaCodificada(tabla);
    return t && !t->lector.isEmpty() ? t->lector : QString("LeeTodosGrupos");
}

}  // namespace tarvo
