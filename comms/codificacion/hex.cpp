#include "comms/codificacion/hex.h"

namespace tarvo {

QString RellenaCeros(const QString &texto, int ancho) { return texto.rightJustified(ancho, '0'); }

QString InvierteBytes(const QString &texto) {
    if (texto.size() <= 2) return texto;
    QString r;
    r.reserve(texto.size());
    for (qsizetype i = texto.size() - 2; i >= 0; i -= 2) r += texto.mid(i, 2);
    if (texto.size() % 2) r += texto.left(1);   // an odd leading digit has no pair: it goes last
    return r;
}

QString NumeroACodificacion(qint64 valor, int digitos) {
    const quint64 mascara = digitos >= 16 ? ~quint64(0) : (quint64(1) << (4 * digitos)) - 1;
    return InvierteBytes(RellenaCeros(QString::number(quint64(valor) & mascara, 16).toUpper(), digitos));
}

QString PalabraAHex(quint16 palabra) { return RellenaCeros(QString::number(palabra, 16).toUpper(), 4); }

bool EsHexadecimal(QStringView texto) {
    for (const QChar c : texto) {
        const char16_t u = c.unicode();
        if (!((u >= '0' && u <= '9') || (u >= 'A' && u <= 'F') || (u >= 'a' && u <= 'f'))) return false;
    }
    return true;
}

std::optional<qint32> LeeHex(QStringView digitos) {
    if (digitos.size() > 8 || !EsHexadecimal(digitos)) return std::nullopt;
    quint32 v = 0;
    for (const QChar c : digitos) {
        const char16_t u = c.unicode();
        v = v * 16 + quint32(u <= '9' ? u - '0' : (u | 0x20) - 'a' + 10);
    }
    if (digitos.size() <= 4) return qint32(qint16(quint16(v)));
    return qint32(v);
}

std::optional<qint32> LeeCampo(QStringView codificacion) {
    return LeeHex(InvierteBytes(codificacion.toString()));
}

qint32 LeeCampoONada(QStringView codificacion) {
    const auto v = LeeCampo(codificacion);
    if (!v) {
        if (!EsHexadecimal(codificacion))
            throw ErrorCodificacion(codigo_codificacion::NoHexadecimal,
                                    QString("'%1' is not hexadecimal.").arg(codificacion.left(40)));
        throw ErrorCodificacion(codigo_codificacion::Desbordamiento,
                                QString("'%1' is too long for a number.").arg(codificacion.left(40)));
    }
    return *v;
}

std::array<quint8, 4> ValorABytes(qint32 valor) {
    const auto u = quint32(valor);
    return {quint8(u), quint8(u >> 8), quint8(u >> 16), quint8(u >> 24)};
}

qint32 BytesAValor(const std::array<quint8, 4> &b) {
    return qint32(quint32(b[0]) | quint32(b[1]) << 8 | quint32(b[2]) << 16 | quint32(b[3]) << 24);
}

QString ValorAHex(qint32 valor) {
    QString s;
    for (const quint8 b : ValorABytes(valor)) s += QString("%1").arg(b, 2, 16, QChar('0')).toUpper();
    return s;
}

}  // namespace tarvo
