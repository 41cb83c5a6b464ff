#include "comms/transferencias.h"

#include "comms/codificacion/hex.h"

namespace tarvo {
namespace {

constexpr const char *SaltoLinea = "\r\n";

QString CabeceraTraza(const EntradaGrupo &e) {
    return e.Tabla + " ,  CPU=" + QString::number(e.CPU) + " , GRUPO=" + QString::number(e.Grupo) + " , " + " : " +
           SaltoLinea;
}

bool Depurando(const Comunicaciones &c) { return c.ctx.app.ModoDepuracion; }

// The prompt after the silent retries. True: try again.
bool PreguntaReintento(Comunicaciones &c, int texto) {
    const Boton b = c.ctx.ui->Muestra({c.ctx.dic.Texto(texto), "ERROR", Icono::Critico, Botones::ReintentarCancelar});
    if (b != Boton::Reintentar) return false;
    c.ctx.ui->ProcesaEventos();
    return true;
}

// A text answer of the relay: 0 for `exito`, the code after "FALLO.", or the
// link result / -1 for anything else (which the caller retries).
enum class Respuesta { Exito, Fallo, Otra };
Respuesta Interpreta(const QByteArray &carga, qint16 r, const char *exito, qint16 &codigo) {
    if (r >= 0 && carga.startsWith(exito)) {
        codigo = 0;
        return Respuesta::Exito;
    }
    if (r >= 0 && carga.startsWith(orbel::Fallo)) {
        const int n = int(sizeof(orbel::Fallo)) - 1;
        codigo = carga.size() > n && quint8(carga[n]) != 0 ? qint16(quint8(carga[n])) : FalloSinCodigo;
        return Respuesta::Fallo;
    }
    // A reply that is a valid frame but no known answer counts as a failed exchange.
    codigo = r < 0 ? r : orbel::codigo::ChecksumCuerpo;
    return Respuesta::Otra;
}

// One text-answered exchange with the retries and the prompt.
template <typename F>
qint16 ConReintentos(Comunicaciones &c, const char *exito, int textoPrompt, F &&intercambio) {
    int intentos = IntentosSilenciosos;
    for (;;) {
        QByteArray carga;
        const qint16 r = intercambio(carga);
        // Nothing was sent: a retry would be refused the same way.
        if (r == orbel::codigo::DatosExcesivos) return r;
        qint16 codigo = 0;
        const Respuesta resp = Interpreta(carga, r, exito, codigo);
        if (resp != Respuesta::Otra) return codigo;
        if (intentos > 0) {
            --intentos;
            continue;
        }
        if (!PreguntaReintento(c, textoPrompt)) return codigo;
    }
}

}  // namespace

int BloquesDeEntrada(const EntradaGrupo &e) {
    int n = 0;
    while (n < 75 && e.Indices[n] != 0) ++n;
    return n;
}

const EntradaGrupo *EntradaDeTabla(const Aplicacion &app, const QString &tabla) {
    const QString t = tabla.trimmed();
    for (const EntradaGrupo &e : app.GruposCONST)
        if (e.Tabla.trimmed() == t) return &e;
    return nullptr;
}

int ProgresoTotal(int i, int n) { return n > 1 ? i * 100 / (n - 1) : 100; }

bool CompruebaCPUs(Comunicaciones &c) {
    auto &t = c.TablaCPUs;
    for (int i = 0; i < 2; ++i) t[i] = {false, quint8(i), 0};
    for (const EntradaGrupo &e : c.ctx.app.GruposCONST)
        if (e.CPU == 0 || e.CPU == 1) t[e.CPU].presente = true;
    for (int i = 0; i < 2; ++i) {
        if (!t[i].presente) continue;
        QByteArray carga;
        const qint16 r = c.driver.LeerDatosRele(carga, t[i].CPU, orbel::AreaGrupos, 0, 1, 1, TiempoEsperaBloque);
        if (r < 0) return false;
        // A processor that answers with no bytes holds no state yet: it counts
        // as answered, in state 0 (not marked as configured).
        t[i].estado = carga.isEmpty() ? 0 : quint8(carga[0]);
    }
    t[2] = {true, 2, 1};
    return true;
}

bool MarcaConfiguracion(Comunicaciones &c, int valor, int *confirmadas, const QList<int> *cpus) {
    if (confirmadas) *confirmadas = 0;
    if (!CompruebaCPUs(c)) return false;
    // Cleared from the front panel inwards before writing, set the other way
    // round after it.
    const int orden0[] = {2, 1, 0}, orden1[] = {0, 1, 2};
    const int *orden = valor == 0 ? orden0 : orden1;
    QByteArray datos(4, '\0');
    datos[0] = char(quint8(valor));
    for (int k = 0; k < 3; ++k) {
        const EntradaCPU &e = c.TablaCPUs[orden[k]];
        if (!e.presente || (cpus && !cpus->contains(e.CPU))) continue;
        QByteArray carga;
        const qint16 r = c.driver.EscribirDatosRele(carga, e.CPU, orbel::AreaGrupos, 0, 1, 1, datos, 4);
        const qint16 fin = r > 0 ? c.driver.ConfirmarEscrituraDatos(carga, e.CPU, orbel::AreaGrupos, 0, 1)
                                 : c.driver.CancelarEscrituraDatos(carga, e.CPU, orbel::AreaGrupos, 0, 1);
        if (r > 0 && confirmadas) ++*confirmadas;
        if (fin < 0) return false;
    }
    return true;
}

qint16 LeeBloque(Comunicaciones &c, PeticionBloque &p) {
    int intentos = IntentosSilenciosos;
    for (;;) {
        QByteArray carga;
        qint16 r = c.driver.LeerDatosRele(carga, p.CPU, orbel::AreaGrupos, p.subgrupo, p.grupo,
                                                quint16(p.bloque), TiempoEsperaBloque);
        const int cuenta = std::clamp<int>(p.cuenta, 0, MaxValoresPeticion);
        if (r > 0 && carga.size() >= 4 * cuenta) {
            for (int i = 0; i < cuenta; ++i) {
                std::array<quint8, 4> b{};
                for (int k = 0; k < 4; ++k) b[size_t(k)] = quint8(carga[4 * i + k]);
                p.valores[size_t(i)] = BytesAValor(b);
            }
            return r;
        }
        if (r > 0) r = LecturaCorta;
        if (intentos > 0) {
            --intentos;
            continue;
        }
        if (!PreguntaReintento(c, 593)) return r;
    }
}

qint16 EscribeBloque(Comunicaciones &c, PeticionBloque &p) {
    const int cuenta = std::clamp<int>(p.cuenta, 0, MaxValoresPeticion);
    QByteArray datos;
    datos.reserve(4 * cuenta);
    for (int i = 0; i < cuenta; ++i)
        for (quint8 b : ValorABytes(p.valores[i])) datos.append(char(b));
    if (datos.size() > orbel::MaxDatosEscritura) return orbel::codigo::DatosExcesivos;
    return ConReintentos(c, orbel::Puedo, 594, [&](QByteArray &carga) {
        return c.driver.EscribirDatosRele(carga, p.CPU, orbel::AreaGrupos, p.subgrupo, p.grupo, quint16(p.bloque),
                                          datos, quint8(datos.size()));
    });
}

qint16 ConfirmaEscritura(Comunicaciones &c, PeticionBloque &p) {
    return ConReintentos(c, orbel::Hecho, 595, [&](QByteArray &carga) {
        return c.driver.ConfirmarEscrituraDatos(carga, p.CPU, orbel::AreaGrupos, p.subgrupo, p.grupo);
    });
}

qint16 CancelaEscritura(Comunicaciones &c, PeticionBloque &p) {
    return ConReintentos(c, orbel::Hecho, 596, [&](QByteArray &carga) {
        return c.driver.CancelarEscrituraDatos(carga, p.CPU, orbel::AreaGrupos, p.subgrupo, p.grupo);
    });
}

namespace {

// The request of a table's blocks: its relay, CPU and group.
PeticionBloque PeticionDeTabla(const Comunicaciones &c, const EntradaGrupo &entrada) {
    PeticionBloque p;
    p.rele = c.ctx.app.NumeroRele;
    p.CPU = quint8(entrada.CPU);
    p.grupo = quint8(entrada.Grupo);
    return p;
}

// A table that failed: its error shown, its pending writes cancelled (and
// that failure shown too).
void CancelaTabla(Comunicaciones &c, PeticionBloque &p, qint16 error) {
    MuestraErrorComunicacion(c, error);
    if (const qint16 rc = CancelaEscritura(c, p); rc != 0) MuestraErrorComunicacion(c, rc);
}

}  // namespace

FinTabla EnviaTabla(Comunicaciones &c, const TablaEmpaquetada &t) {
    const EntradaGrupo &entrada = t.entrada;
    const int bloques = BloquesDeEntrada(entrada);
    if (bloques == 0) return FinTabla::Fallida;
    MonitorComunicaciones &m = c.monitor;
    m.PonTabla(entrada.Tabla);
    const bool traza = Depurando(c);
    if (traza) m.AnadeTraza(MonitorComunicaciones::Traza::Envio, CabeceraTraza(entrada));

    PeticionBloque p = PeticionDeTabla(c, entrada);
    qsizetype siguiente = 0;
    for (int j = 1; j <= bloques; ++j) {
        m.PerCntCur(j * 100 / bloques);
        p.bloque = qint16(j);
        p.cuenta = entrada.Indices[size_t(j - 1)];
        p.valores.fill(0);
        QString linea;
        for (int i = 0; i < std::min<int>(p.cuenta, MaxValoresPeticion); ++i, ++siguiente) {
            // Past the stream's end the block is filled with zeros.
            p.valores[size_t(i)] = siguiente < t.valores.size() ? t.valores[siguiente] : 0;
            if (traza) linea += ValorAHex(p.valores[size_t(i)]) + " ";
        }
        if (traza) m.AnadeTraza(MonitorComunicaciones::Traza::Envio, linea);
        c.ctx.ui->ProcesaEventos();
        if (const qint16 r = EscribeBloque(c, p); r != 0) {
            CancelaTabla(c, p, r);
            return FinTabla::Fallida;
        }
    }
    if (traza) m.AnadeTraza(MonitorComunicaciones::Traza::Envio, SaltoLinea);
    const qint16 r = ConfirmaEscritura(c, p);
    if (r == 0) return FinTabla::Confirmada;
    CancelaTabla(c, p, r);
    // A refusal ("FALLO.") is an answer; a confirmation that never got one
    // may have been committed all the same.
    return r > 0 || r == FalloSinCodigo ? FinTabla::Fallida : FinTabla::EnDuda;
}

bool CompruebaConfiguracion(Comunicaciones &c, QList<int> &sinConfigurar, QList<int> &sinLeer) {
    sinConfigurar.clear();
    sinLeer.clear();
    for (const EntradaCPU &e : c.TablaCPUs) {
        if (!e.presente) continue;
        PeticionBloque p;
        p.rele = c.ctx.app.NumeroRele;
        p.CPU = e.CPU;
        p.grupo = 1;
        p.bloque = 1;
        p.cuenta = 1;
        if (LeeBloque(c, p) <= 0)
            sinLeer << e.CPU;
        else if ((p.valores[0] & 0xFF) != 1)
            sinConfigurar << e.CPU;
    }
    return sinConfigurar.isEmpty() && sinLeer.isEmpty();
}

bool RecibeTabla(Comunicaciones &c, const QString &tabla, QString &hex) {
    hex.clear();
    const EntradaGrupo *e = EntradaDeTabla(c.ctx.app, tabla);
    if (!e) return false;
    const EntradaGrupo entrada = *e;
    const int bloques = BloquesDeEntrada(entrada);
    MonitorComunicaciones &m = c.monitor;
    m.PonTabla(entrada.Tabla);
    const bool traza = Depurando(c);
    if (traza) m.AnadeTraza(MonitorComunicaciones::Traza::Recepcion, CabeceraTraza(entrada));

    PeticionBloque p = PeticionDeTabla(c, entrada);
    for (int j = 1; j <= bloques; ++j) {
        m.PerCntCur(j * 100 / bloques);
        p.bloque = qint16(j);
        p.cuenta = entrada.Indices[j - 1];
        c.ctx.ui->ProcesaEventos();
        if (LeeBloque(c, p) <= 0) return false;
        QString linea;
        for (int i = 0; i < std::min<int>(p.cuenta, MaxValoresPeticion); ++i) linea += ValorAHex(p.valores[i]);
        hex += linea;
        if (traza) {
            QString espaciada;
            for (qsizetype k = 0; k < linea.size(); k += 8) espaciada += linea.mid(k, 8) + " ";
            m.AnadeTraza(MonitorComunicaciones::Traza::Recepcion, espaciada);
        }
    }
    if (traza) m.AnadeTraza(MonitorComunicaciones::Traza::Recepcion, SaltoLinea);
    return true;
}

bool RecibeGraficoCOMU(Comunicaciones &c, QString &hex) {
    hex.clear();
    const EntradaGrupo *e = EntradaDeTabla(c.ctx.app, "Grafico COMU");
    if (!e) return false;
    const EntradaGrupo entrada = *e;
    // Only for the progress bar: the plan of the last send, when there was one.
    const int previstos = std::max(1, BloquesDeEntrada(entrada));
    MonitorComunicaciones &m = c.monitor;
    m.PonTabla(entrada.Tabla);
    const bool traza = Depurando(c);
    if (traza) m.AnadeTraza(MonitorComunicaciones::Traza::Recepcion, CabeceraTraza(entrada));

    PeticionBloque p;
    p.rele = c.ctx.app.NumeroRele;
    p.CPU = quint8(entrada.CPU);
    p.grupo = quint8(entrada.Grupo);
    p.cuenta = ValoresBloqueGrafico;
    bool fin = false;
    for (int j = 1; j <= MaxBloquesGrafico && !fin; ++j) {
        m.PerCntCur(std::min(100, j * 100 / previstos));
        p.bloque = qint16(j);
        c.ctx.ui->ProcesaEventos();
        const qint16 r = LeeBloque(c, p);
        if (r <= 0) {
            MuestraErrorComunicacion(c, r);
            return false;
        }
        QString espaciada;
        for (int i = 0; i < ValoresBloqueGrafico; ++i) {
            const QString v = ValorAHex(p.valores[i]);
            hex += v;
            espaciada += v + " ";
            // Objects are three values long; one whose first byte is 0 ends the list.
            if (i % ValoresObjeto == 0 && (p.valores[i] & 0xFF) == 0) {
                fin = true;
                break;
            }
        }
        if (traza) m.AnadeTraza(MonitorComunicaciones::Traza::Recepcion, espaciada);
    }
    if (traza) m.AnadeTraza(MonitorComunicaciones::Traza::Recepcion, SaltoLinea);
    return true;
}

void MuestraErrorComunicacion(Comunicaciones &c, qint16 codigo) {
    if (codigo == 0) return;
    const clsDiccionario &dic = c.ctx.dic;
    QString texto;
    if (codigo < 0)
        texto = dic.Texto(800);
    else if (dic.Existe(800 + codigo, dic.Idioma()))
        texto = dic.Texto(800 + codigo);
    else   // a relay code this installation has no words for
        texto = dic.Texto(800) + " (" + QString::number(codigo) + ")";
    c.monitor.ErrorComunicacion((QString(SaltoLinea) + texto).toUpper());
}

}  // namespace tarvo
