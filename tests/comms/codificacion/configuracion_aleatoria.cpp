#include "configuracion_aleatoria.h"

#include "comms/codificacion/empaquetado.h"
#include "core/pagina437.h"
#include "store/db/basedatos.h"

#include <numeric>

// Objects are written with designated initializers; the other columns keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace prueba {

using namespace tarvo;

namespace {

// Letters of every relay byte from 32 on, as an editor would store them.
QString TextoAleatorio(QRandomGenerator &azar, int maximo) {
    QString t;
    for (int i = azar.bounded(maximo + 1); i > 0; --i) t += LetraRele(quint8(azar.bounded(32, 256)));
    return t;
}

QString HexAleatorio(QRandomGenerator &azar, int digitos) {
    QString t;
    for (int i = 0; i < digitos; ++i) t += QString::number(azar.bounded(16), 16).toUpper();
    return t;
}

// The columns of one record of a table's layout, with values its decoder gives back unchanged.
Fila FilaAleatoria(const TablaCodificada &t, const DatosCodificacion &datos, QRandomGenerator &azar) {
    Fila f;
    const bool led = t.disposicion == Disposicion::Led;
    switch (t.disposicion) {
    case Disposicion::Grupo:
    case Disposicion::Evento:
    case Disposicion::Led:
        PonColumnasDePalabra(f, "Mascara", quint16(azar.bounded(0x10000)));
        f.insert(datos.columnaValor, azar.bounded(led ? 256 : 0x8000));
        for (const char *c : {"Parpadeo", "Mantenido"})
            if (led) f.insert(c, azar.bounded(2) == 1);
        if (t.disposicion != Disposicion::Evento) PonColumnasDePalabra(f, "Valor", quint16(azar.bounded(0x10000)));
        break;
    case Disposicion::EntradaPROT: {
        const int n = datos.funcionesEntradas.isEmpty() ? 0 : azar.bounded(int(datos.funcionesEntradas.size()));
        f.insert("ValorEntrada", n);
        f.insert("ValorTextoEntrada", datos.funcionesEntradas.value(n, ""));
        break;
    }
    case Disposicion::EntradaCTRL: {
        const int n = azar.bounded(33);
        f.insert("NombreAjuste", n == 0 ? datos.sinAsignar : "EC " + QString::number(n));
        break;
    }
    case Disposicion::Aparamenta:
        for (const char *c : {"Seleccion", "Contacto", "Transicion"}) f.insert(c, azar.bounded(256));
        break;
    case Disposicion::Condicion:
        for (const QString c : {"MascaraBitMando", "MascaraEstado", "ValorBitMando", "ValorEstado"})
            f.insert(c, HexAleatorio(azar, c.endsWith("BitMando") ? 16 : 4));
        break;
    case Disposicion::Tiempo: {
        const int n = azar.bounded(0x8000);
        f.insert(t.columna, t.comoDoble ? QVariant(double(n)) : QVariant(n));
        break;
    }
    case Disposicion::TextoEvento:
        f.insert("Texto", TextoAleatorio(azar, 23));
        break;
    case Disposicion::Grafico:
    case Disposicion::NoEnviada:
        break;
    }
    return f;
}

}  // namespace

QList<ObjetoGrafico> ObjetosDeMuestra(const DatosCodificacion &datos) {
    const qint16 unidad = qint16(datos.unidadesMedida.isEmpty() ? 0 : datos.unidadesMedida.firstKey());
    QList<ObjetoGrafico> l = {
        {.apaN2 = 0, .apa = 2, .cpu = 1 | CpuOperable, .oper_c = 0x0102, .oper_d = -2, .donde = 20, .y = 10},
        {.apaN2 = 11, .apa = 4, .y = 14},   // transformer
        {.apaN2 = 21, .apa = 11, .txt = "LINEA 1", .x = 2, .y = 10},
        {.apaN2 = 34, .apa = 11, .txt = QString(LetraRele(196)), .x = 2, .y = 18},
        {.apaN2 = 22, .apa = 12, .cpu = 2, .txt_m = "Ia", .txt_u = datos.unidadesMedida.value(unidad), .unidad_m = unidad,
         .donde = 40, .x = 3, .y = 10},
        {.apaN2 = 42, .apa = 43, .cpu = 2, .txt_m = "E+", .txt_u = "Mvarh", .unidad_m = 1, .donde = 7, .x = 12, .y = 10},
        {.apaN2 = 23, .apa = 13 + 5, .cpu = 1, .txtb0 = "ON", .txtb1 = "OFF", .donde = 22, .x = 13, .y = 10},
        {.apaN2 = 24, .apa = 26 + 2, .txtb0 = "ALM", .txtb1 = "", .donde = 3, .x = 14, .y = 10},
        {.apaN2 = 45, .apa = 48 + 7, .cpu = 1, .txtb0 = "1", .txtb1 = "0", .donde = 60, .x = 15, .y = 10},
        {.apaN2 = 20, .apa = 36, .txtb0 = "50", .txtb1 = "IMAX", .x = 4, .y = 1, .pag = 1},
        // 1000, -16, 2 decimals
        {.apaN2 = 43, .apa = 45, .cpu = 2, .txt_m = "E803F0FF42", .donde = 30, .x = 8, .pag = 1},
        {.apaN2 = 46, .apa = 45, .cpu = 2, .txt_m = "0000000020", .donde = 31, .x = 9, .pag = 1},
        {.apaN2 = 44, .apa = 46, .x = 10, .pag = 1},
        {.apaN2 = 47, .apa = ApaManiobra, .cpu = 1 | CpuOperable, .oper_b = 3, .oper_d = 0x7FFF, .x = 11, .pag = 1},
    };
    for (qsizetype i = 0; i < l.size(); ++i) l[i].Identificador = qint16(i + 1);
    l.append(EtiquetaManiobra(l.last(), "ABRIR"));
    // 'S' lacks the bit the other objects carry as their written flag: the
    // file name must come back all the same.
    l.append(ObjetoFichero("SUBEST.CNF"));
    for (ObjetoGrafico &o : l) PreparaObjeto(o);
    return l;
}

void LlenaConfiguracion(const Aplicacion &app, const DatosCodificacion &datos, const QString &ruta, quint32 semilla) {
    QRandomGenerator azar(semilla);
    auto db = bd::BaseDatos::Abrir(ruta);
    db->BeginTrans();
    for (const EntradaGrupo &e : app.GruposCONST) {
        const TablaCodificada *t = BuscaTablaCodificada(e.Tabla);
        if (!t || t->disposicion == Disposicion::NoEnviada) continue;
        if (t->disposicion == Disposicion::Grafico) {
            db->Execute("DELETE * FROM [Grafico COMU]");
            auto rs = db->OpenRecordset("Grafico COMU", bd::TipoRecordset::Tabla);
            for (ObjetoGrafico o : ObjetosDeMuestra(datos)) GrabaObjeto(*rs, o, true);
            continue;
        }
        auto rs = db->OpenRecordset(t->tabla, bd::TipoRecordset::Tabla);
        FlagsAparamenta flags;
        for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext()) {
            Fila f = FilaAleatoria(*t, datos, azar);
            const QString texto = CodificaRegistro(*t, f, datos);
            if (t->disposicion == Disposicion::Aparamenta) {
                flags = LeeFlagsAparamenta(texto);
                f.clear();
            }
            rs->Edit();
            for (auto i = f.cbegin(); i != f.cend(); ++i) rs->SetValue(i.key(), i.value());
            rs->SetValue("Codificacion", texto);
            rs->Update();
        }
        if (t->disposicion == Disposicion::Aparamenta) {
            // The switchgear timers carry the same flags, as the switchgear editor keeps them:
            // record k of each half is device k.
            const QString k = "((SELECT COUNT(*) FROM [TiempoAperturaCierre CTRL] AS u WHERE u.rowid < t.rowid) % "
                              "(SELECT COUNT(*) / 2 FROM [TiempoAperturaCierre CTRL]))";
            db->Execute(QString("UPDATE [TiempoAperturaCierre CTRL] AS t SET AparamentaSeleccionada = %1 < 8 AND "
                                "(%2 >> %1) & 1, Contacto = %1 < 8 AND (%3 >> %1) & 1, EstadoTransicion = %1 < 8 AND "
                                "(%4 >> %1) & 1")
                            .arg(k).arg(int(flags.seleccion)).arg(int(flags.contacto)).arg(int(flags.transicion)));
        }
    }
    db->CommitTrans();
}

QString FlujoRecibido(const QList<qint32> &valores, const EntradaGrupo &entrada) {
    const auto fin = std::find(entrada.Indices.cbegin(), entrada.Indices.cend(), 0);
    QString hex;
    for (const qint32 v : valores) hex += ValorAHex(v);
    return hex.leftJustified(8 * std::accumulate(entrada.Indices.cbegin(), fin, 0), '0');
}

QStringList Volcado(const QString &ruta, const QString &tabla) {
    auto db = bd::BaseDatos::Abrir(ruta, bd::Apertura::SoloLectura);
    auto rs = db->OpenRecordset(tabla, bd::TipoRecordset::Snapshot);
    QStringList filas;
    for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext()) {
        QStringList c;
        for (int i = 0; i < rs->FieldCount(); ++i)
            c << rs->FieldName(i) + "=" + (rs->Value(i).isNull() ? QString("<null>") : rs->Value(i).toString());
        filas << c.join("|");
    }
    return filas;
}

}  // namespace prueba
