// Whole tables to and from the relay, block by block: the retries with their
// Retry/Cancel prompt, the write, confirm and cancel protocol, the
// configuration-state mark kept in every processor, the byte trace of debug
// mode and the communication error dialog.
#pragma once

#include "comms/codificacion/empaquetado.h"
#include "comms/comunicaciones.h"

#include <array>

namespace tarvo {

inline constexpr int MaxValoresPeticion = 65;
inline constexpr int MaxBloquesGrafico = 2000;
inline constexpr int IntentosSilenciosos = 3;   // retries before the prompt: four attempts in all
inline constexpr qint32 TiempoEsperaBloque = 5000;

// The relay refused ("FALLO.") without saying why: no code byte after the
// text, or a code 0 that would read as success. Shown as the generic
// communication error (text 800), like a link failure.
inline constexpr qint16 FalloSinCodigo = -8;
// A block read whose payload is shorter than the block's values: a failed
// read, never zeros standing in for the missing bytes.
inline constexpr qint16 LecturaCorta = -9;

struct PeticionBloque {
    qint16 rele = 0;
    quint8 CPU = 0;
    quint8 subgrupo = 0;
    quint8 grupo = 0;
    qint16 bloque = 1;      // from 1
    qint16 cuenta = 0;      // 32-bit values in the block
    std::array<qint32, MaxValoresPeticion> valores{};
};

// Number of leading non-zero block sizes of a catalogue entry.
int BloquesDeEntrada(const EntradaGrupo &e);
// The first catalogue entry of a table (trimmed names); nullptr when none.
const EntradaGrupo *EntradaDeTabla(const Aplicacion &app, const QString &tabla);
// Overall progress of entry i of n. A one-entry catalogue is at its last
// table from the start: 100.
int ProgresoTotal(int i, int n);

bool CompruebaCPUs(Comunicaciones &c);
// `confirmadas`, when given, counts the processors whose mark went out with
// its confirmation, answered or not: those may hold the new mark. `cpus`,
// when given, are the only processors marked.
bool MarcaConfiguracion(Comunicaciones &c, int valor, int *confirmadas = nullptr, const QList<int> *cpus = nullptr);
qint16 LeeBloque(Comunicaciones &c, PeticionBloque &p);
qint16 EscribeBloque(Comunicaciones &c, PeticionBloque &p);
qint16 ConfirmaEscritura(Comunicaciones &c, PeticionBloque &p);
qint16 CancelaEscritura(Comunicaciones &c, PeticionBloque &p);
// How a table's send ended: committed by the relay, refused or given up
// before its confirmation, or confirmed without a known answer.
enum class FinTabla { Confirmada, Fallida, EnDuda };
// A packed table's blocks, then its confirmation (EmpaquetaEnvio packs it).
FinTabla EnviaTabla(Comunicaciones &c, const TablaEmpaquetada &t);
// After a send: reads back the state block of every processor the last
// CompruebaCPUs found present, CPU 2 included, since its mark is written like
// the others. `sinConfigurar` gets those not at 1, `sinLeer` those that could
// not be read; true when every one reads 1.
bool CompruebaConfiguracion(Comunicaciones &c, QList<int> &sinConfigurar, QList<int> &sinLeer);
bool RecibeTabla(Comunicaciones &c, const QString &tabla, QString &hex);
bool RecibeGraficoCOMU(Comunicaciones &c, QString &hex);
void MuestraErrorComunicacion(Comunicaciones &c, qint16 codigo);

}  // namespace tarvo
