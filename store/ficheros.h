// Configuration files: New, Open, Save and Save As through the working copy.
// The program never edits a ".cnf" file in place; editors work on the copy in
// the temporary folder and Save copies it back out.
#pragma once

#include "core/ventana_madre.h"

namespace tarvo {

enum class Modo { Nuevo = 0, Abrir = 1 };

void NuevaConfiguracion(Contexto &ctx, VentanaMadre &v);
void AbreConfiguracion(Contexto &ctx, VentanaMadre &v);
void GuardaConfiguracion(Contexto &ctx, VentanaMadre &v);
void GuardaConfiguracionComo(Contexto &ctx, VentanaMadre &v);

bool PreparaFichero(Contexto &ctx, VentanaMadre &v, Modo modo);
bool Inicializacion(Contexto &ctx, VentanaMadre &v, Modo modo);
void LimpiaConfiguracion(Contexto &ctx, VentanaMadre &v);

// The file chooser, opening in the work folder on "*.cnf". Cancel: false.
bool DialogoFichero(Contexto &ctx, int titulo, ConsultaFichero::Modo modo, QString &fichero);
// The model a configuration file was made for (its table "Modelo").
bool LeeModeloFichero(Contexto &ctx, const QString &fichero, QString &modelo);
int CargaModeloTemporal(Contexto &ctx, const QString &entrada, const QString &copia, const QString &version);
bool InicializaVarios(Contexto &ctx, const QString &copia);
bool ActualizaUltimaModificacion(Contexto &ctx, const QString &copia);
// Drops the tables the model does not use and compacts the copy.
bool BorraGruposTemporal(Contexto &ctx, const QString &copia);

}  // namespace tarvo
