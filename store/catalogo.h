// The table catalogue of a model ("Tarvo Configuracion") and the tables a new
// working copy derives from it.
#pragma once

#include "core/ventana_madre.h"

namespace bd { class BaseDatos; }

namespace tarvo {

// Number of entries read into `grupos`; 0 after a reported failure.
int CargaGruposCONST(Contexto &ctx, const QString &rutaModelo, QList<EntradaGrupo> &grupos);

bool TablaEnModelo(const Aplicacion &app, const QString &tabla);
qint16 EntidadesDeTabla(const Aplicacion &app, const QString &tabla);

// The settings menu entries: all off, then those of the model's tables on.
bool DesactivaTodosAjustes(Contexto &ctx, VentanaMadre &v);
bool ActivaAlgunosAjustes(Contexto &ctx, VentanaMadre &v);

// New configurations: cuts the template's tables down to the model and
// generates terminals, timers and event texts.
bool CopiaGruposModelo(Contexto &ctx, const QString &copia);
bool BorraRegistrosTemporal(Contexto &ctx, const EntradaGrupo &e, bd::BaseDatos &db);
bool CargaEventosTemporal(Contexto &ctx, const EntradaGrupo &e, bd::BaseDatos &db);
bool PreparaEntradasCTRL(Contexto &ctx, const EntradaGrupo &e, bd::BaseDatos &db);
bool InicializaTiempoPrevioCTRL(Contexto &ctx, const EntradaGrupo &e, bd::BaseDatos &db);
bool PonEntradasDigitalCfg(Contexto &ctx, bd::BaseDatos &db);
bool InicializaTiempoAperturaCierreCTRL(Contexto &ctx, const EntradaGrupo &e, bd::BaseDatos &db);

// Disables the remote-terminal input editor when the model does not allow it.
void CompruebaEntradasRTU(Contexto &ctx, VentanaMadre &v);
// An opened configuration made before "Grafico COMU" existed gains the template's.
bool CompatibilizaGrafico(Contexto &ctx, const QString &copia);

// A display text as its 24-byte field: at most 23 characters, zero-padded.
QString TextoAHex(const QString &texto);

// Received data lose the per-language name columns before they are merged:
// these are the statements that drop the ones `db` has ("NombreAjuste" + n,
// n from 0 to the number of interface languages), in order. Throws ErrorBD.
QStringList SentenciasBorraColumnasIdioma(bd::BaseDatos &db, qsizetype idiomas);

}  // namespace tarvo
