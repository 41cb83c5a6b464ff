#include "memoria.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

namespace relaysim {

bool MemoriaRele::Lee(const ClaveBloque &c, QByteArray &datos) const {
    const auto it = confirmados_.find(c);
    if (it == confirmados_.end()) return false;
    datos = it->second;
    return true;
}

namespace {

int Saca(MemoriaRele::Bloques &pendientes, const ClaveBloque &c, MemoriaRele::Bloques *destino) {
    int n = 0;
    for (auto it = pendientes.begin(); it != pendientes.end();) {
        if (!it->first.MismoGrupo(c)) {
            ++it;
            continue;
        }
        if (destino) (*destino)[it->first] = it->second;
        it = pendientes.erase(it);
        ++n;
    }
    return n;
}

void EscribeBloques(QTextStream &s, char marca, const MemoriaRele::Bloques &b) {
    for (const auto &[c, datos] : b)
        s << marca << ' ' << int(c.cpu) << ' ' << int(c.area) << ' ' << int(c.subgrupo) << ' ' << int(c.grupo) << ' '
          << int(c.bloque) << ' '
          << (datos.isEmpty() ? QByteArray("-") : datos.toHex().toUpper()) << '\n';
}

}  // namespace

int MemoriaRele::Confirma(const ClaveBloque &c) { return Saca(pendientes_, c, &confirmados_); }
int MemoriaRele::Cancela(const ClaveBloque &c) { return Saca(pendientes_, c, nullptr); }

bool MemoriaRele::Guarda(const QString &ruta) const {
    // Written whole or not at all: a test may read it while the relay runs.
    QSaveFile f(ruta);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Text)) return false;
    QTextStream s(&f);
    s << "# relay memory: C committed / P pending, cpu area sub-group group block bytes\n";
    EscribeBloques(s, 'C', confirmados_);
    EscribeBloques(s, 'P', pendientes_);
    s.flush();
    return f.commit();
}

bool MemoriaRele::Carga(const QString &ruta, QString &error) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = ruta + ": " + f.errorString();
        return false;
    }
    Bloques confirmados, pendientes;
    int numero = 0;
    while (!f.atEnd()) {
        ++numero;
        const QString linea = QString::fromLatin1(f.readLine()).trimmed();
        if (linea.isEmpty() || linea.startsWith('#')) continue;
        const QStringList c = linea.split(' ', Qt::SkipEmptyParts);
        bool ok = c.size() == 7 && (c[0] == "C" || c[0] == "P");
        int v[5] = {};
        for (int i = 0; ok && i < 5; ++i) {
            v[i] = c[i + 1].toInt(&ok);
            ok = ok && v[i] >= 0 && v[i] <= (i == 4 ? 0xFFFF : 0xFF);
        }
        QByteArray datos;
        if (ok && c[6] != "-") {
            static const QRegularExpression hex("^([0-9A-Fa-f]{2})+$");
            ok = hex.match(c[6]).hasMatch();
            datos = QByteArray::fromHex(c[6].toLatin1());
        }
        if (!ok) {
            error = QString("%1:%2: not a block line: %3").arg(ruta).arg(numero).arg(linea);
            return false;
        }
        const ClaveBloque clave{quint8(v[0]), quint8(v[1]), quint8(v[2]), quint8(v[3]), quint16(v[4])};
        (c[0] == "C" ? confirmados : pendientes)[clave] = datos;
    }
    confirmados_ = std::move(confirmados);
    pendientes_ = std::move(pendientes);
    return true;
}

}  // namespace relaysim
