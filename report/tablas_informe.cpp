// The report's tables, one writer per configuration table.
#include "report/informe.h"

#include "comms/codificacion/registros.h"
#include "editors/condiciones.h"
#include "editors/entradas.h"
#include "editors/familias.h"
#include "editors/leds.h"
#include "store/catalogo.h"
#include "store/nombres_estados.h"
#include "store/tablas.h"

#include <algorithm>
#include <stdexcept>

namespace tarvo {
namespace {

// What a row leaves empty under a first row that says it.
const QString Blanco = "  ";

using A = AnchoCelda;

// The table's title and its column header, texts from the dictionary.
void Tabla(InformeEnCurso &r, int titulo, const QList<std::pair<AnchoCelda, int>> &columnas) {
    r.e.TituloTabla(r.ctx.dic.Texto(titulo));
    QList<CeldaCabecera> cabecera;
    for (const auto &[ancho, texto] : columnas) cabecera.append({ancho, r.ctx.dic.Texto(texto)});
    r.e.Cabecera(cabecera);
}

// Every record of a table or query of the working copy, in order.
void Recorre(InformeEnCurso &r, const QString &origen, const std::function<void(const bd::Recordset &)> &fila) {
    auto rs = r.trabajo.OpenRecordset(origen, bd::TipoRecordset::Snapshot);
    for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext()) fila(*rs);
}

QString Campo(const bd::Recordset &rs, const char *columna) { return rs.Value(columna).toString().trimmed(); }

// The physical control input a code names, or "not assigned".
QString Borna(const InformeEnCurso &r, const QVariant &codificacion) {
    DatosCodificacion datos;
    datos.sinAsignar = r.ctx.dic.Texto(530);
    return DecodificaRegistro(*BuscaTablaCodificada("Entradas CTRL"), codificacion.toString(), datos)
        .value("NombreAjuste")
        .toString();
}

// Bytes [byte, byte + n) of a record's Codificacion as a number.
quint16 Bytes(const QString &codificacion, int byte, int n) {
    return quint16(LeeCampoONada(QStringView(codificacion).mid(2 * byte, 2 * n)));
}

const DeclaracionCondiciones &CondicionesDe(const QString &tabla) {
    for (const DeclaracionCondiciones &d : Condiciones())
        if (tabla == d.tabla) return d;
    throw std::invalid_argument(("not a condition table: " + tabla).toStdString());
}

}  // namespace

void ReportEntradasPROT(InformeEnCurso &r) {
    Tabla(r, 1904, {{A::Corto, 1869}, {A::Largo, 1870}, {A::Largo, 1905}, {A::Corto, 1896}});
    Recorre(r, "Entradas PROT", [&](const bd::Recordset &rs) {
        if (Campo(rs, "Codificacion") == "00") return;   // no function assigned
        const QString indice = Campo(rs, "Indice");
        r.e.Fila({indice, Campo(rs, "NombreAjuste"), Campo(rs, "ValorTextoEntrada"), "EP " + indice});
    });
}

// Each switchgear has its opening timer and input A in the first half of the
// query, its closing timer and input B in the second.
void ReportAparamentaCTRL(InformeEnCurso &r) {
    Tabla(r, 1908,
          {{A::Corto, 1869}, {A::Largo, 1870}, {A::Corto, 1896}, {A::Corto, 1909}, {A::Corto, 1910}, {A::Corto, 1911}});
    struct Mitad {
        QString nombre, borna, tiempo;
        bool contacto, seleccionada;
    };
    QList<Mitad> filas;
    Recorre(r,
            "SELECT DISTINCTROW [TiempoAperturaCierre CTRL].NombreAjuste, [TiempoAperturaCierre CTRL].Temporizador, "
            "[TiempoAperturaCierre CTRL].Contacto, [TiempoAperturaCierre CTRL].AparamentaSeleccionada, "
            "[Entradas CTRL].Codificacion AS CodifiBorna FROM [TiempoAperturaCierre CTRL] INNER JOIN [Entradas CTRL] "
            "ON [TiempoAperturaCierre CTRL].Indice = [Entradas CTRL].NumeroOrden WHERE "
            "(([Entradas CTRL].TipoEntrada = \"Apa\")) ORDER BY [Entradas CTRL].NumeroOrden;",
            [&](const bd::Recordset &rs) {
                filas.append({Campo(rs, "NombreAjuste"), Borna(r, rs.Value("CodifiBorna")), Campo(rs, "Temporizador"),
                              rs.Value("Contacto").toBool(), rs.Value("AparamentaSeleccionada").toBool()});
            });
    const auto marca = [](bool b) { return b ? QString("X") : Blanco; };
    const qsizetype n = filas.size() / 2;
    for (qsizetype d = 0; d < n; ++d) {
        const Mitad &a = filas[d], &b = filas[d + n];
        r.e.Fila({QString::number(d + 1), a.nombre, a.borna + "-A", a.tiempo + " / " + b.tiempo, marca(a.contacto),
                  marca(a.seleccionada)});
        r.e.Fila({Blanco, Blanco, b.borna + "-B", Blanco, Blanco, Blanco});
    }
}

void ReportTemporizadoresManiobrasCTRL(InformeEnCurso &r) {
    Tabla(r, 1898,
          {{A::Corto, 1869}, {A::Largo, 1899}, {A::Corto, 1896}, {A::Corto, 1900}, {A::Corto, 1901}, {A::Corto, 1902}});
    Recorre(r,
            "SELECT DISTINCTROW [TiempoPrevio CTRL].Indice, [TiempoPrevio CTRL].NombreAjuste, "
            "[Entradas CTRL].Codificacion AS CodifiBorna, [TiempoPrevio CTRL].TiempoActuacion, "
            "[TiempoFallo CTRL].TiempoFallo, [TiempoSalida CTRL].TiempoSalida FROM (([TiempoPrevio CTRL] "
            "INNER JOIN [Entradas CTRL] ON [TiempoPrevio CTRL].Indice = [Entradas CTRL].NumeroOrden) "
            "INNER JOIN [TiempoFallo CTRL] ON [TiempoPrevio CTRL].Indice = [TiempoFallo CTRL].Indice) "
            "INNER JOIN [TiempoSalida CTRL] ON [TiempoPrevio CTRL].Indice = [TiempoSalida CTRL].Indice "
            "WHERE (([Entradas CTRL].TipoEntrada = \"Orden\")) ORDER BY [TiempoPrevio CTRL].Indice;",
            [&](const bd::Recordset &rs) {
                r.e.Fila({Campo(rs, "Indice"), Campo(rs, "NombreAjuste"), Borna(r, rs.Value("CodifiBorna")),
                          Campo(rs, "TiempoActuacion"), Campo(rs, "TiempoFallo"), Campo(rs, "TiempoSalida")});
            });
}

void ReportEntradasDigitalesCTRL(InformeEnCurso &r) {
    Tabla(r, 1895, {{A::Corto, 1869}, {A::Largo, 1870}, {A::Corto, 1896}, {A::Corto, 1891}});
    int n = 0;
    Recorre(r, cnt_EntradasDigitales::Consulta, [&](const bd::Recordset &rs) {
        const bool ajustable = rs.Value("TemporizadorAjustable").toBool();
        r.e.Fila({QString::number(++n), Campo(rs, "NombreAjuste"), Borna(r, rs.Value("CodifiBorna")),
                  ajustable ? Campo(rs, "Temporizador") : Blanco});
    });
}

void ReportEntradasPulsosCTRL(InformeEnCurso &r) {
    Tabla(r, 1897, {{A::Corto, 1869}, {A::Largo, 1870}, {A::Corto, 1896}});
    int n = 0;
    Recorre(r, cnt_EntradasPulsos::Consulta, [&](const bd::Recordset &rs) {
        r.e.Fila({QString::number(++n), Campo(rs, "NombreAjuste"), Borna(r, rs.Value("Codificacion"))});
    });
}

void ReportEsperaConfirmacionCTRL(InformeEnCurso &r) {
    Tabla(r, 1890, {{A::Corto, 1869}, {A::Largo, 1870}, {A::Corto, 1891}});
    Recorre(r, "EsperaConfirmacion CTRL", [&](const bd::Recordset &rs) {
        r.e.Fila({Campo(rs, "Indice"), Campo(rs, "NombreAjuste"), Campo(rs, "Tiempo")});
    });
}

void ReportSalidasCTRL(InformeEnCurso &r) { CargaTablaMVD(r, "Salidas CTRL", 1893); }
void ReportEventosCTRL(InformeEnCurso &r) { CargaTablaMVD(r, "Eventos CTRL", 1894); }
void ReportBitMandoCTRL(InformeEnCurso &r) { CargaTablaMVD(r, "BitMando CTRL", 1892); }
void ReportANDsPROT(InformeEnCurso &r) { CargaTablaMVD(r, "ANDs PROT", 1903); }
void ReportSalidasPROT(InformeEnCurso &r) { CargaTablaMVD(r, "Salidas PROT", 1906); }
void ReportEventosPROT(InformeEnCurso &r) { CargaTablaMVD(r, "Eventos PROT", 1907); }
void ReportEventosCOMU(InformeEnCurso &r) { CargaTablaMVD(r, "Eventos COMU", 1889); }
void ReportLEDsCOMU(InformeEnCurso &r) { CargaTablaMVD(r, "LEDs COMU", 1888); }
void ReportActuacionCTRL(InformeEnCurso &r) { CargaInterbloqueo(r, "Actuacion CTRL", 1862); }
void ReportFalloCTRL(InformeEnCurso &r) { CargaInterbloqueo(r, "Fallo CTRL", 1863); }
void ReportExitoCTRL(InformeEnCurso &r) { CargaInterbloqueo(r, "Exito CTRL", 1864); }

QStringList CargaStringEstados(InformeEnCurso &r, const QString &tablaEstados) {
    const NombresEstados nombres = CargaNombresEstados(r.ctx, r.trabajo, tablaEstados);
    QStringList etiquetas;
    for (int senyal = 1; senyal <= nombres.senyales.size(); ++senyal) etiquetas << nombres.Etiqueta(senyal);
    return etiquetas;
}

// Protection events fill the space from its start, front-panel events its
// end, control events the places just below those: the groups the LEDs store.
QStringList CargaStringEventos(InformeEnCurso &r) {
    constexpr int Espacio = 96;
    const Aplicacion &app = r.ctx.app;
    QStringList tablas[3];   // protection, control, front panel
    for (const auto &[indice, nombre] : com_Leds::EventosOfrecidos(r.trabajo, TablaEnModelo(app, "Eventos CTRL"),
                                                                   TablaEnModelo(app, "Eventos PROT")))
        tablas[std::clamp(indice / 1000, 0, 2)] << nombre;
    QStringList espacio(Espacio);
    const qsizetype inicio[3] = {0, Espacio - tablas[2].size() - tablas[1].size(), Espacio - tablas[2].size()};
    for (int t = 0; t < 3; ++t)
        for (qsizetype i = 0; i < tablas[t].size(); ++i)
            if (inicio[t] + i >= 0 && inicio[t] + i < Espacio) espacio[inicio[t] + i] = tablas[t][i];
    return espacio;
}

void CargaTablaMVD(InformeEnCurso &r, const QString &tabla, int titulo) {
    const Contexto &ctx = r.ctx;
    const bool leds = tabla == "LEDs COMU";
    QStringList etiquetas;
    try {
        etiquetas = leds ? CargaStringEventos(r) : CargaStringEstados(r, TablaEstadosDe(tabla));
    } catch (const std::exception &e) {
        r.ctx.ui->Muestra({TextoError(ctx, e) + " (" + (leds ? "CargaStringEventos" : "CargaStringEstados") + ")",
                           ctx.T148(), Icono::Critico, Botones::Aceptar});
        return;
    }
    auto rs = r.trabajo.OpenRecordset(tabla, bd::TipoRecordset::Snapshot);
    const bool valores = ExisteCampo(*rs, "Valor1"), alarma = ExisteCampo(*rs, "Alarma");
    const bool parpadeo = ExisteCampo(*rs, "Parpadeo"), mantenido = ExisteCampo(*rs, "Mantenido");
    QList<std::pair<AnchoCelda, int>> columnas = {{A::Corto, 1869}, {A::Largo, 1870}, {A::Corto, 1876}};
    if (valores) columnas.append({A::Corto, 1871});
    columnas.append({tabla == "Eventos CTRL" ? A::Extralargo : A::Largo, 1878});
    if (alarma) columnas.append({A::Corto, 1879});
    if (parpadeo) columnas.append({A::Corto, 1880});
    if (mantenido) columnas.append({A::Corto, 1881});
    Tabla(r, titulo, columnas);

    for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext()) {
        // Mask, group byte and, last, the values: the record as the relay reads it.
        const QString codificacion = rs->Value("Codificacion").toString().trimmed();
        const quint16 mascara = Bytes(codificacion, 0, 2);
        if (mascara == 0) continue;
        const int grupo = Bytes(codificacion, 2, 1);
        const quint16 valor = valores ? Bytes(codificacion, int(codificacion.size() / 2) - 2, 2) : 0;
        const auto modo = [&](const char *columna, int si, int no) {
            return ctx.dic.Texto(rs->Value(columna).toBool() ? si : no);
        };
        bool primera = true;
        for (int i = 0; i < 16; ++i) {
            if (!(mascara >> i & 1)) continue;
            QStringList fila;
            if (primera)
                fila << Campo(*rs, "Indice") << Campo(*rs, "NombreAjuste")
                     << QString::number(rs->Value(ctx.app.ColumnaValor).toInt() + 1);
            else
                fila << Blanco << Blanco << Blanco;
            if (valores) fila << QString(valor >> i & 1 ? "1" : "0");
            fila << etiquetas.value(16 * grupo + i);
            if (alarma) fila << (primera ? modo("Alarma", 1151, 1152) : Blanco);
            if (parpadeo) fila << (primera ? modo("Parpadeo", 1884, 1885) : Blanco);
            if (mantenido) fila << (primera ? modo("Mantenido", 1759, 1760) : Blanco);
            r.e.Fila(fila);
            primera = false;
        }
    }
}

// Each condition that tests anything: its label on its first signal, then
// every command bit and external state it tests with the value required.
void CargaInterbloqueo(InformeEnCurso &r, const QString &tabla, int titulo) {
    const QStringList etiquetas = EtiquetasCondiciones(r.ctx, r.trabajo, CondicionesDe(tabla));
    QStringList senyales = CargaBitsMando(r.trabajo);
    while (senyales.size() < EditorCondiciones::MaxBits) senyales << QString();
    for (const EstadoExterno &e : CargaEstadosExternos(r.ctx)) senyales << e.entrada;
    Tabla(r, titulo, {{A::Corto, 1869}, {A::Extralargo, 1870}, {A::Corto, 1871}, {A::Largo, 1872}});
    int posicion = -1;
    Recorre(r, tabla, [&](const bd::Recordset &rs) {
        ++posicion;
        const QString mascaraBits = rs.Value("MascaraBitMando").toString(), mascaraEstados = rs.Value("MascaraEstado").toString();
        if (mascaraBits + mascaraEstados == QString(20, '0')) return;
        // Command bits 0-63, then external states from 64.
        const quint64 mascaras[2] = {LeeBits(mascaraBits), LeeBits(mascaraEstados)};
        const quint64 valores[2] = {LeeBits(rs.Value("ValorBitMando").toString()),
                                    LeeBits(rs.Value("ValorEstado").toString())};
        bool primera = true;
        for (int s = 0; s < EditorCondiciones::MaxBits + EditorCondiciones::MaxEstados; ++s) {
            const int k = s < EditorCondiciones::MaxBits ? 0 : 1, bit = s - k * EditorCondiciones::MaxBits;
            if (!(mascaras[k] >> bit & 1)) continue;
            r.e.Fila({primera ? Campo(rs, "Indice") : Blanco, primera ? etiquetas.value(posicion) : Blanco,
                      QString(valores[k] >> bit & 1 ? "1" : "0"), senyales.value(s)});
            primera = false;
        }
    });
}

}  // namespace tarvo
