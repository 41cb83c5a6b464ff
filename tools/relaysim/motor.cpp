#include "motor.h"

namespace relaysim {

using namespace tarvo;

namespace {

QString NombreOrden(quint8 comando) {
    switch (comando) {
        case orbel::Leer: return "leer";
        case orbel::Escribir: return "escribir";
        case orbel::Confirmar: return "confirmar";
        case orbel::Cancelar: return "cancelar";
        default: return QString("orden%1").arg(comando);
    }
}

QString Describe(const orbel::PeticionLeida &l) {
    const orbel::Peticion &p = l.peticion;
    QString s = QString("rele=%1 cpu=%2 orden=%3 area=%4 subgrupo=%5 grupo=%6 bloque=%7 L=%8")
                    .arg(p.rele)
                    .arg(p.cpu)
                    .arg(NombreOrden(p.comando))
                    .arg(p.area)
                    .arg(p.subgrupo)
                    .arg(p.grupo)
                    .arg(p.bloque)
                    .arg(l.L);
    if (!p.datos.isEmpty()) s += " datos=" + QString::fromLatin1(p.datos.toHex().toUpper());
    return s;
}

// Text answers read as text, anything else as hexadecimal.
QString Legible(const QByteArray &carga) {
    for (const char *t : {orbel::Puedo, orbel::Hecho, orbel::Fallo})
        if (carga.startsWith(t))
            return QString::fromLatin1(t) + (carga.size() > 6 ? QString::number(quint8(carga[6])) : QString());
    return carga.isEmpty() ? QString("(vacio)") : QString::fromLatin1(carga.toHex().toUpper());
}

QByteArray Fallo(quint8 codigo) { return QByteArray(orbel::Fallo) + char(codigo); }

void RehaceCabecera(QByteArray &t) {
    t[8] = char(orbel::Xor(reinterpret_cast<const quint8 *>(t.constData()), 0, 8));
}

}  // namespace

MotorRele::MotorRele(const Opciones &o, const Identidad &id, MemoriaRele memoria)
    : o_(o), id_(id), memoria_(std::move(memoria)) {}

const FalloBloque *MotorRele::FalloPara(const orbel::Peticion &p) const {
    for (const FalloBloque &f : o_.fallos.fallos)
        if (f.cpu == p.cpu && f.grupo == p.grupo && f.bloque == p.bloque) return &f;
    return nullptr;
}

QByteArray MotorRele::Carga(const orbel::Peticion &p, bool &cambio, QString &nota) {
    const ClaveBloque clave{p.cpu, p.area, p.subgrupo, p.grupo, p.bloque};
    if (p.comando == orbel::Leer) {
        if (p.area == orbel::AreaMatricula)
            return p.cpu == orbel::CPUMatricula ? RegistroMatricula(id_, o_.fallos.matriculaVacia) : QByteArray();
        QByteArray datos;
        memoria_.Lee(clave, datos);
        return datos;
    }
    if (p.comando < orbel::Escribir || p.comando > orbel::Cancelar) return Fallo(CodigoOrdenDesconocida);
    if (const FalloBloque *f = FalloPara(p)) {
        nota = " [fallo forzado]";
        return Fallo(f->codigo);
    }
    switch (p.comando) {
        case orbel::Escribir:
            memoria_.Escribe(clave, p.datos);
            cambio = true;
            return orbel::Puedo;
        case orbel::Confirmar:
            if (p.datos != orbel::BytesClave(o_.clave)) {
                nota = " [clave erronea]";
                return Fallo(CodigoClaveErronea);
            }
            Confirma(clave, nota);
            cambio = true;
            return orbel::Hecho;
        default:
            nota = QString(" [%1 bloques descartados]").arg(memoria_.Cancela(clave));
            cambio = true;
            return orbel::Hecho;
    }
}

void MotorRele::Confirma(const ClaveBloque &grupo, QString &nota) {
    QList<ClaveBloque> corruptos;
    for (const BloqueCorrupto &b : o_.fallos.corruptos) {
        ClaveBloque c = grupo;
        c.bloque = b.bloque;
        if (b.cpu == c.cpu && b.grupo == c.grupo && memoria_.Pendientes().contains(c)) corruptos << c;
    }
    nota = QString(" [%1 bloques]").arg(memoria_.Confirma(grupo));
    for (const ClaveBloque &c : corruptos) {
        QByteArray datos;
        memoria_.Lee(c, datos);
        if (datos.isEmpty()) continue;
        datos[0] = char(~datos[0]);
        memoria_.Pon(c, datos);
        nota += QString(" [bloque %1 corrompido]").arg(c.bloque);
    }
}

std::optional<Envio> MotorRele::Atiende(const orbel::PeticionLeida &leida, QString &linea, bool &cambio) {
    cambio = false;
    const orbel::Peticion &p = leida.peticion;
    if (p.rele != o_.rele) {
        linea = "otro rele: " + Describe(leida);
        return std::nullopt;
    }
    const int n = ++peticiones_;
    linea = QString("#%1 ").arg(n) + Describe(leida) + " -> ";
    const Fallos &f = o_.fallos;
    if (f.silencioTras > 0 && n > f.silencioTras) {
        linea += "(silencio)";
        return std::nullopt;
    }
    if (f.sinRespuesta.contains(n)) {
        linea += "(sin respuesta)";
        return std::nullopt;
    }
    QString nota;
    const QByteArray carga = Carga(p, cambio, nota);
    linea += Legible(carga) + nota;

    Envio e;
    e.trama = orbel::ConstruyeRespuesta(p, carga);
    QByteArray &t = e.trama;
    if (f.longitudCorta.contains(n)) {
        // The header claims five body bytes, and five plus a checksum follow.
        t = t.left(orbel::TamCabecera + 5);
        t[7] = 5;
        RehaceCabecera(t);
        t.append(char(orbel::Xor(reinterpret_cast<const quint8 *>(t.constData()), orbel::TamCabecera, 5)));
        linea += " [L=5]";
    }
    if (f.byteTres.contains(n)) {
        t[3] = 0x07;
        RehaceCabecera(t);
        linea += " [byte 3]";
    }
    if (f.checksumCabecera.contains(n)) {
        t[8] = char(t[8] ^ 0xFF);
        linea += " [checksum cabecera]";
    }
    if (f.checksumCuerpo.contains(n)) {
        t[t.size() - 1] = char(t[t.size() - 1] ^ 0xFF);
        linea += " [checksum cuerpo]";
    }
    if (f.cuerpoCorto.contains(n)) {
        t.chop(3);
        linea += " [cuerpo corto]";
    }
    if (f.ruido.contains(n)) {
        e.previo = QByteArray("\xAA\x55\xAA", 3);
        linea += " [ruido]";
    }
    if (f.cabeceraPartida.contains(n)) {
        e.partirEn = 4;
        e.pausaPartidaMs = f.cabeceraPartida.value(n);
        linea += QString(" [cabecera partida %1 ms]").arg(e.pausaPartidaMs);
    }
    if (f.retardo.contains(n)) {
        e.retardoMs = f.retardo.value(n);
        linea += QString(" [retardo %1 ms]").arg(e.retardoMs);
    }
    return e;
}

}  // namespace relaysim
