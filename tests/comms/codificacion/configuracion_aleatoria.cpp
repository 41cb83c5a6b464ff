#include "configuracion_aleatoria.h"

#include "comms/codificacion/empaquetado.h"
#include "store/db/basedatos.h"

namespace prueba {

using namespace tarvo;

namespace {

QString TextoAleatorio(QRandomGenerator &azar, int maximo, int desde = 32) {
    QString t;
    const int n = azar.bounded(maximo + 1);
    for (int i = 0; i < n; ++i) t += QChar(char16_t(azar.bounded(desde, 256)));
    return t;
}

QString HexAleatorio(QRandomGenerator &azar, int digitos) {
    QString t;
    for (int i = 0; i < digitos; ++i) t += QString::number(azar.bounded(16), 16).toUpper();
    return t;
}

void PalabraAleatoria(Fila &f, const QString &prefijo, QRandomGenerator &azar) {
    PonColumnasDePalabra(f, prefijo, quint16(azar.bounded(0x10000)));
}

}  // namespace

Fila FilaAleatoria(const TablaCodificada &t, const DatosCodificacion &datos, QRandomGenerator &azar) {
    Fila f;
    switch (t.disposicion) {
    case Disposicion::Grupo:
        PalabraAleatoria(f, "Mascara", azar);
        f.insert(datos.columnaValor, azar.bounded(0x8000));
        PalabraAleatoria(f, "Valor", azar);
        break;
    case Disposicion::Evento:
        PalabraAleatoria(f, "Mascara", azar);
        f.insert(datos.columnaValor, azar.bounded(0x8000));
        break;
    case Disposicion::Led:
        PalabraAleatoria(f, "Mascara", azar);
        f.insert(datos.columnaValor, azar.bounded(256));
        f.insert("Parpadeo", azar.bounded(2) == 1);
        f.insert("Mantenido", azar.bounded(2) == 1);
        PalabraAleatoria(f, "Valor", azar);
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
        f.insert("Seleccion", azar.bounded(256));
        f.insert("Contacto", azar.bounded(256));
        f.insert("Transicion", azar.bounded(256));
        break;
    case Disposicion::Condicion:
        f.insert("MascaraBitMando", HexAleatorio(azar, 16));
        f.insert("MascaraEstado", HexAleatorio(azar, 4));
        f.insert("ValorBitMando", HexAleatorio(azar, 16));
        f.insert("ValorEstado", HexAleatorio(azar, 4));
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

QList<ObjetoGrafico> ObjetosDeMuestra(const DatosCodificacion &datos) {
    QList<ObjetoGrafico> l;
    qint16 id = 0;
    auto nuevo = [&](int tipo, int apa, int x, int y, int pag) -> ObjetoGrafico & {
        ObjetoGrafico o;
        o.Identificador = ++id;
        o.apaN2 = qint16(tipo);
        o.apa = qint16(apa);
        o.x = qint16(x);
        o.y = qint16(y);
        o.pag = qint16(pag);
        l.append(o);
        return l.last();
    };
    auto &interruptor = nuevo(0, 2, 0, 10, 0);
    interruptor.cpu = 1 | CpuOperable;
    interruptor.oper_b = 0;
    interruptor.oper_c = 0x0102;
    interruptor.oper_d = -2;
    interruptor.donde = 20;
    nuevo(11, 4, 0, 14, 0);                                   // transformer
    auto &texto = nuevo(21, 11, 2, 10, 0);
    texto.txt = "LINEA 1";
    auto &linea = nuevo(34, 11, 2, 18, 0);
    linea.txt = QString(QChar(196));
    auto &medida = nuevo(22, 12, 3, 10, 0);
    medida.cpu = 2;
    medida.txt_m = "Ia";
    medida.unidad_m = qint16(datos.unidadesMedida.isEmpty() ? 0 : datos.unidadesMedida.firstKey());
    medida.txt_u = datos.unidadesMedida.value(medida.unidad_m);
    medida.donde = 40;
    auto &contador = nuevo(42, 43, 12, 10, 0);
    contador.cpu = 2;
    contador.txt_m = "E+";
    contador.unidad_m = 1;
    contador.txt_u = "Mvarh";
    contador.donde = 7;
    auto &estado = nuevo(23, 13 + 5, 13, 10, 0);
    estado.cpu = 1;
    estado.txtb0 = "ON";
    estado.txtb1 = "OFF";
    estado.donde = 22;
    auto &evento = nuevo(24, 26 + 2, 14, 10, 0);
    evento.txtb0 = "ALM";
    evento.txtb1 = "";
    evento.donde = 3;
    auto &io = nuevo(45, 48 + 7, 15, 10, 0);
    io.cpu = 1;
    io.txtb0 = "1";
    io.txtb1 = "0";
    io.donde = 60;
    auto &marcador = nuevo(20, 36, 4, 1, 1);
    marcador.txtb0 = "50";
    marcador.txtb1 = "IMAX";
    auto &escala = nuevo(43, 45, 8, 0, 1);
    escala.cpu = 2;
    escala.txt_m = "E803F0FF42";   // 1000, -16, 2 decimals
    escala.donde = 30;
    auto &formato = nuevo(46, 45, 9, 0, 1);
    formato.cpu = 2;
    formato.txt_m = "0000000020";
    formato.donde = 31;
    nuevo(44, 46, 10, 0, 1);
    auto &maniobra = nuevo(47, ApaManiobra, 11, 0, 1);
    maniobra.cpu = 1 | CpuOperable;
    maniobra.oper_b = 3;
    maniobra.oper_c = 0;
    maniobra.oper_d = 0x7FFF;
    l.append(EtiquetaManiobra(maniobra, "ABRIR"));
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
            // The switchgear records carry the same flags, as the switchgear editor keeps them.
            auto tiempos = db->OpenRecordset("TiempoAperturaCierre CTRL", bd::TipoRecordset::Tabla);
            const int n = tiempos->RecordCount() / 2;
            int i = 0;
            for (tiempos->MoveFirst(); !tiempos->AtEOF(); tiempos->MoveNext(), ++i) {
                const int k = i % n;
                tiempos->Edit();
                tiempos->SetValue("AparamentaSeleccionada", k < 8 && (flags.seleccion >> k) & 1);
                tiempos->SetValue("Contacto", k < 8 && (flags.contacto >> k) & 1);
                tiempos->SetValue("EstadoTransicion", k < 8 && (flags.transicion >> k) & 1 ? 1 : 0);
                tiempos->Update();
            }
        }
    }
    db->CommitTrans();
}

QString FlujoRecibido(const QList<qint32> &valores, const EntradaGrupo &entrada) {
    int bloque = 0;
    for (const qint16 n : entrada.Indices) {
        if (n == 0) break;
        bloque += n;
    }
    QString hex;
    for (const qint32 v : valores) hex += ValorAHex(v);
    for (qsizetype i = valores.size(); i < bloque; ++i) hex += "00000000";
    return hex;
}

QStringList Volcado(const QString &ruta, const QString &tabla) {
    auto db = bd::BaseDatos::Abrir(ruta, bd::Apertura::SoloLectura);
    auto rs = db->OpenRecordset(tabla, bd::TipoRecordset::Snapshot);
    QStringList filas;
    for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext()) {
        QStringList c;
        for (int i = 0; i < rs->FieldCount(); ++i) {
            const QVariant v = rs->Value(i);
            c << rs->FieldName(i) + "=" + (v.isNull() ? QString("<null>") : v.toString());
        }
        filas << c.join("|");
    }
    return filas;
}

}  // namespace prueba
