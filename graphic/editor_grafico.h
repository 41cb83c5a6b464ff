// The display graphic editor without its window: the working copy's "Grafico
// COMU" open for the editor's life, the cells of both pages, and the kind
// routines that place, edit and delete objects. Every change is written to
// the table at once. Dialogs go through DialogosGrafico, messages and beeps
// through ctx.ui.
#pragma once

#include "graphic/catalogos.h"
#include "graphic/celdas.h"
#include "graphic/dialogos_grafico.h"

#include <memory>

namespace bd { class BaseDatos; class Recordset; }

namespace tarvo {

inline constexpr const char *TablaGrafico = "Grafico COMU";

// What a press on a cell asks for: a kind and a mode of FuncionOpera (0
// create, 2 edit), or kind -1 for nothing.
struct AccionCelda {
    int tipo = -1;
    int modo = -1;
    bool pita = false;
};
// The cell's owner (0 free, -1 reserved) and the pressed palette button (-1 none).
AccionCelda SeleccionaObjetoAccion(qint16 valor, int boton);

class EditorGrafico {
public:
    EditorGrafico(Contexto &ctx, DialogosGrafico &dialogos);
    ~EditorGrafico();

    // The model's object types, display characters and fixed objects.
    bool CargaDatosObjeto();
    // Opens the table of the working copy and draws every stored object.
    bool Abre();
    // Lets go of the working copy (file commands, sends) and takes it back.
    void Suspende();
    bool Reanuda();
    void Cierra();
    bool Abierto() const { return rs_ != nullptr; }

    const ModeloPantalla &Modelo() const { return modelo_; }
    Celda Cursor() const { return cursor_; }
    void PonCursor(const Celda &c) { cursor_ = c; }
    // The palette buttons the model offers, and a kind's name.
    QList<int> Botones() const;
    QString NombreTipo(int tipo) const;
    // Text1: the file-name object's name.
    const QString &NombreFichero() const { return nombreFichero_; }
    int Filas() const;
    QList<ObjetoGrafico> Objetos() const;
    QList<ObjetoFijo> &Fijos() { return fijos_; }
    // Who answers the property dialogs from now on.
    void PonDialogos(DialogosGrafico &dialogos) { dialogos_ = &dialogos; }
    DialogosGrafico &Dialogos() const { return *dialogos_; }

    // The mouse and the Delete key on a cell of page c.pag: place an object of
    // the pressed kind, edit the object under it, delete it.
    bool Pulsa(const Celda &c, int boton);
    bool Edita(const Celda &c);
    bool Borra(const Celda &c);

    // The kind routine: mode 0 creates at the cursor, 1 draws the current row,
    // 2 edits the object, 3 deletes it.
    bool FuncionOpera(qint16 identificador, int tipo, int modo);
    bool BorraObjeto(qint16 identificador);

private:
    bool Crea(qint16 identificador, int tipo);
    bool EditaObjeto(qint16 identificador);
    bool GrabaFichero();
    // Asks the kind's dialog for the object's content; false when cancelled.
    bool Pregunta(ObjetoGrafico &o, QString &etiqueta, bool edita);
    // Puts the recordset on the first row of that object.
    bool Busca(qint16 identificador);
    void Escribe(ObjetoGrafico &o, const QString &etiqueta, bool nuevo);
    void Dibuja(const ObjetoGrafico &o, const QString &etiqueta);
    int FijoDeTipo(int tipo) const;
    void Pita() { ctx_.ui->Pita(); }

    Contexto &ctx_;
    DialogosGrafico *dialogos_;
    QList<EntradaCatalogoObjeto> objetos_;
    QList<EntradaCatalogoTexto> textos_;
    QList<ObjetoFijo> fijos_;
    std::unique_ptr<bd::BaseDatos> db_;
    std::unique_ptr<bd::Recordset> rs_;
    ModeloPantalla modelo_;
    Celda cursor_;
    QString nombreFichero_;
    bool cerrado_ = false;
};

}  // namespace tarvo
