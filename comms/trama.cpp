#include "comms/trama.h"

#include <algorithm>

namespace tarvo::orbel {

namespace {

// Header bytes that never change in a request: offset and value.
constexpr std::array<std::pair<int, quint8>, 4> FijosPeticion{{{1, 0x0D}, {3, 0x03}, {4, 0x01}, {5, 0x4F}}};

const quint8 *Bytes(const QByteArray &a) { return reinterpret_cast<const quint8 *>(a.constData()); }

}  // namespace

quint8 Xor(const quint8 *bytes, int primero, int cuenta) {
    quint8 x = 0;
    for (int i = 0; i < cuenta; ++i) x ^= bytes[primero + i];
    return x;
}

int ConstruyePeticion(BufferTrama &b, const Peticion &p) {
    if (p.datos.size() > MaxDatosEscritura) return codigo::DatosExcesivos;
    const int n = int(p.datos.size());
    b[0] = 0x01;
    b[1] = 0x0D;
    b[2] = p.rele;
    b[3] = 0x03;
    b[4] = 0x01;
    b[5] = 0x4F;
    b[6] = p.cpu;
    b[7] = quint8(TamPrefijoCuerpo + n);
    b[8] = Xor(b.data(), 0, 8);
    b[9] = p.comando;
    b[10] = p.area;
    b[11] = p.subgrupo;
    b[12] = p.grupo;
    b[13] = quint8(p.bloque & 0xFF);
    b[14] = quint8(p.bloque >> 8);
    std::copy_n(Bytes(p.datos), n, b.begin() + 15);
    b[15 + n] = Xor(b.data(), 9, TamPrefijoCuerpo + n);
    return 16 + n;
}

QByteArray BytesClave(qint32 clave) {
    const quint32 c = quint32(clave);
    QByteArray r(4, '\0');
    for (int i = 0; i < 4; ++i) r[i] = char((c >> (8 * i)) & 0xFF);
    return r;
}

QByteArray ConstruyeRespuesta(const Peticion &a, const QByteArray &carga) {
    const QByteArray c = carga.left(MaxCargaRespuesta);
    const int L = TamPrefijoCuerpo + int(c.size());
    QByteArray t;
    t.reserve(TamCabecera + L + 1);
    for (quint8 v : {quint8(0x01), quint8(0x0D), a.rele, quint8(0x03), quint8(0x01), quint8(0x4F), a.cpu, quint8(L)})
        t.append(char(v));
    t.append(char(Xor(Bytes(t), 0, 8)));
    for (quint8 v : {a.comando, a.area, a.subgrupo, a.grupo, quint8(a.bloque & 0xFF), quint8(a.bloque >> 8)})
        t.append(char(v));
    t.append(c);
    t.append(char(Xor(Bytes(t), TamCabecera, L)));
    return t;
}

Extraccion ExtraePeticion(const QByteArray &entrada, PeticionLeida &leida, int &consumidos) {
    consumidos = 0;
    if (entrada.isEmpty()) return Extraccion::Falta;
    const qsizetype inicio = entrada.indexOf('\x01');
    if (inicio != 0) {
        consumidos = inicio < 0 ? int(entrada.size()) : int(inicio);
        return Extraccion::Descarta;
    }
    const quint8 *b = Bytes(entrada);
    const int disponibles = int(entrada.size());
    // A byte that cannot belong to a request header ends the candidate at once,
    // so noise costs no waiting.
    for (auto [pos, valor] : FijosPeticion) {
        if (pos < disponibles && b[pos] != valor) {
            consumidos = 1;
            return Extraccion::Descarta;
        }
    }
    if (disponibles < TamCabecera) return Extraccion::Falta;
    const int L = b[7];
    if (b[8] != Xor(b, 0, 8) || L < TamPrefijoCuerpo) {
        consumidos = 1;
        return Extraccion::Descarta;
    }
    const int total = TamCabecera + L + 1;
    if (disponibles < total) return Extraccion::Falta;
    if (b[TamCabecera + L] != Xor(b, TamCabecera, L)) {
        consumidos = 1;
        return Extraccion::Descarta;
    }
    Peticion &p = leida.peticion;
    p.rele = b[2];
    p.cpu = b[6];
    p.comando = b[9];
    p.area = b[10];
    p.subgrupo = b[11];
    p.grupo = b[12];
    p.bloque = quint16(b[13] | (b[14] << 8));
    p.datos = entrada.mid(15, L - TamPrefijoCuerpo);
    leida.L = L;
    leida.cruda = entrada.left(total);
    consumidos = total;
    return Extraccion::Trama;
}

}  // namespace tarvo::orbel
