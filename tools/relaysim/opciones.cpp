#include "opciones.h"

#include <type_traits>

#include <QCommandLineParser>

namespace relaysim {

namespace {

struct Lector {
    QCommandLineParser &p;
    QString &error;

    bool Entero(const QString &texto, int minimo, int maximo, int &v) {
        bool ok = false;
        v = texto.toInt(&ok);
        return ok && v >= minimo && v <= maximo;
    }

    // "N[,N...]": request numbers.
    bool Numeros(const char *opcion, QSet<int> &destino) {
        for (const QString &valor : p.values(opcion))
            for (const QString &t : valor.split(',', Qt::SkipEmptyParts)) {
                int n = 0;
                if (!Entero(t, 1, 1 << 30, n)) return Mal(opcion, valor);
                destino.insert(n);
            }
        return true;
    }

    // "N:MS[,N:MS...]".
    bool Pares(const char *opcion, QMap<int, int> &destino) {
        for (const QString &valor : p.values(opcion))
            for (const QString &t : valor.split(',', Qt::SkipEmptyParts)) {
                const QStringList c = t.split(':');
                int n = 0, ms = 0;
                if (c.size() != 2 || !Entero(c[0], 1, 1 << 30, n) || !Entero(c[1], 0, 600000, ms))
                    return Mal(opcion, valor);
                destino[n] = ms;
            }
        return true;
    }

    bool Mal(const QString &opcion, const QString &valor) {
        error = QString("bad value for --%1: %2").arg(opcion, valor);
        return false;
    }
};

}  // namespace

bool LeeOpciones(const QStringList &argumentos, Opciones &o, QString &error) {
    QCommandLineParser p;
    p.setApplicationDescription("A relay on a pseudo-terminal, attached as a serial port of a Tarvo32 program folder.");
    p.addHelpOption();
    const auto valor = [&](const char *nombre, const char *ayuda, const char *marcador) {
        p.addOption(QCommandLineOption(nombre, ayuda, marcador));
    };
    valor("program", "Program folder; the relay appears as its ports/COMn.", "folder");
    valor("port", "Port number n of ports/COMn (default 1).", "n");
    valor("relay", "Relay number it answers to, 0-255 (default 1).", "n");
    valor("password", "Password that commits written blocks (default 1234).", "n");
    valor("model", "Model database: identification and the groups the relay holds.", "file.MDB");
    valor("name", "Model name in the identification (default: from the model catalogue).", "text");
    valor("database", "Model database stem in the identification (default: the model file's).", "stem");
    valor("state", "State file: loaded at start when present, saved after every change.", "file");
    valor("log", "Request log, one line per frame (- for standard error).", "file");
    p.addOption(QCommandLineOption("real-speed", "Take as long as the bytes would at the line's speed."));
    valor("no-reply", "No reply to these requests.", "n[,n...]");
    valor("header-checksum", "Wrong header checksum in these replies.", "n[,n...]");
    valor("body-checksum", "Wrong body checksum in these replies.", "n[,n...]");
    valor("byte3", "Header byte 3 not 0x03 in these replies.", "n[,n...]");
    valor("short-body", "These replies lose the last three body bytes.", "n[,n...]");
    valor("short-length", "These replies claim L = 5.", "n[,n...]");
    valor("noise", "Three stray bytes before these replies.", "n[,n...]");
    valor("split-header", "Header of reply n in two pieces, ms apart.", "n:ms[,...]");
    valor("delay", "Reply n held back ms.", "n:ms[,...]");
    valor("fail", "Answer \"FALLO.\" and code to writes, confirmations and cancellations of that block.",
          "cpu:group:block:code");
    valor("corrupt", "Store the first byte of that block inverted on commit, still answering \"HECHO.\".",
          "cpu:group:block");
    valor("silent-after", "Answer nothing after request n.", "n");
    p.addOption(QCommandLineOption("empty-identification", "Identification with an all-zero model database stem."));

    if (!p.parse(argumentos)) {
        error = p.errorText();
        return false;
    }
    if (p.isSet("help")) {
        o.ayuda = p.helpText();
        return true;
    }
    if (!p.positionalArguments().isEmpty()) {
        error = "unexpected argument: " + p.positionalArguments().first();
        return false;
    }
    Lector l{p, error};
    // An integer option within [minimo, maximo]; an absent one keeps `destino`.
    const auto entero = [&](const char *nombre, int minimo, int maximo, auto &destino) {
        int n = 0;
        if (!p.isSet(nombre)) return true;
        if (!l.Entero(p.value(nombre), minimo, maximo, n)) return l.Mal(nombre, p.value(nombre));
        destino = static_cast<std::remove_reference_t<decltype(destino)>>(n);
        return true;
    };
    o.programa = p.value("program");
    if (!entero("port", 1, 255, o.puerto) || !entero("relay", 0, 255, o.rele) || !entero("password", 0, 99999, o.clave))
        return false;
    o.modelo = p.value("model");
    o.nombreModelo = p.value("name");
    o.baseDatos = p.value("database");
    o.estado = p.value("state");
    o.registro = p.value("log");
    o.velocidadReal = p.isSet("real-speed");
    Fallos &f = o.fallos;
    if (!l.Numeros("no-reply", f.sinRespuesta) || !l.Numeros("header-checksum", f.checksumCabecera) ||
        !l.Numeros("body-checksum", f.checksumCuerpo) || !l.Numeros("byte3", f.byteTres) ||
        !l.Numeros("short-body", f.cuerpoCorto) || !l.Numeros("short-length", f.longitudCorta) ||
        !l.Numeros("noise", f.ruido) || !l.Pares("split-header", f.cabeceraPartida) ||
        !l.Pares("delay", f.retardo))
        return false;
    for (const QString &v : p.values("fail")) {
        const QStringList c = v.split(':');
        int cpu = 0, grupo = 0, bloque = 0, codigo = 0;
        if (c.size() != 4 || !l.Entero(c[0], 0, 255, cpu) || !l.Entero(c[1], 0, 255, grupo) ||
            !l.Entero(c[2], 0, 65535, bloque) || !l.Entero(c[3], 0, 255, codigo))
            return l.Mal("fail", v);
        f.fallos.append({quint8(cpu), quint8(grupo), quint16(bloque), quint8(codigo)});
    }
    for (const QString &v : p.values("corrupt")) {
        const QStringList c = v.split(':');
        int cpu = 0, grupo = 0, bloque = 0;
        if (c.size() != 3 || !l.Entero(c[0], 0, 255, cpu) || !l.Entero(c[1], 0, 255, grupo) ||
            !l.Entero(c[2], 1, 65535, bloque))
            return l.Mal("corrupt", v);
        f.corruptos.append({quint8(cpu), quint8(grupo), quint16(bloque)});
    }
    if (!entero("silent-after", 1, 1 << 30, f.silencioTras)) return false;
    f.matriculaVacia = p.isSet("empty-identification");
    return true;
}

}  // namespace relaysim
