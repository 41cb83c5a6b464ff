// The simulator's command line: where it attaches, who it is, and the faults
// it puts on the line. Request numbers count the frames addressed to this
// relay, from 1.
#pragma once

#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

namespace relaysim {

// "FALLO." plus a code for the writes, confirmations and cancellations of one
// CPU, group and block (confirmations and cancellations travel as block 0).
struct FalloBloque {
    quint8 cpu = 0, grupo = 0;
    quint16 bloque = 0;
    quint8 codigo = 0;
};

// A block whose first byte is stored inverted each time its group is
// committed, while the reply still says "HECHO.".
struct BloqueCorrupto {
    quint8 cpu = 0, grupo = 0;
    quint16 bloque = 0;
};

struct Fallos {
    QSet<int> sinRespuesta;        // no reply at all
    QSet<int> checksumCabecera;    // header checksum wrong
    QSet<int> checksumCuerpo;      // body checksum wrong
    QSet<int> byteTres;            // header byte 3 not 0x03 (checksum kept right)
    QSet<int> cuerpoCorto;         // the last three bytes of the body never sent
    QSet<int> longitudCorta;       // L = 5, too short for the body's prefix
    QSet<int> ruido;               // three stray bytes before the reply
    QMap<int, int> cabeceraPartida;   // header in two pieces, this many ms apart
    QMap<int, int> retardo;           // reply held back this many ms
    QList<FalloBloque> fallos;
    QList<BloqueCorrupto> corruptos;
    int silencioTras = 0;          // no reply to any request after this one (0: never)
    bool matriculaVacia = false;   // identification with an all-zero database stem
};

struct Opciones {
    QString programa;              // program folder whose ports/COMn is linked to the relay
    int puerto = 1;
    quint8 rele = 1;
    qint32 clave = 1234;
    QString modelo;                // a model database (…/TRV610.MDB)
    QString nombreModelo;          // identification fields; override the model's
    QString baseDatos;
    QString estado;                // state file: loaded at start, saved on every change
    QString registro;              // request log file ("-": standard error)
    bool velocidadReal = false;    // answer as slowly as the line's speed would
    Fallos fallos;
    QString ayuda;                 // the usage, when --help asked for it instead of a relay
};

// The relay answers a confirmation with a wrong password with this code.
inline constexpr quint8 CodigoClaveErronea = 1;
// And a command it does not know with this one.
inline constexpr quint8 CodigoOrdenDesconocida = 2;

// False with a message for a bad command line; --help fills o.ayuda.
bool LeeOpciones(const QStringList &argumentos, Opciones &o, QString &error);

}  // namespace relaysim
