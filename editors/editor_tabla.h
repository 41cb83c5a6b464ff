// The one pattern every setting editor follows: one record of a table shown at
// a time, a list and arrows to move, save and undo of the shown record, the
// signal-group tabs of the group editors and the send action. A concrete
// editor adds only its own fields, what it shows of a record and what it saves.
#pragma once

#include "comms/codificacion/registros.h"
#include "core/ui/vista_editor.h"
#include "core/ventana_madre.h"
#include "store/nombres_estados.h"
#include "store/db/basedatos.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabBar;
class QVBoxLayout;

namespace tarvo {

struct DefinicionEditor {
    QString nombre;               // window name, also its form key for captions
    int textoEstado = 0;          // dictionary text shown while it loads
    QString origen;               // table name or SQL text of the record source
    QStringList tablasEnviadas;   // sent by SSCommand1, in catalogue order; the first is the edited one
    // The name box (the input editors call it txt_NombreAjuste); none when empty.
    QString cajaNombre = "txt_NombreAjustes";
    bool nombreDisplay = false;   // the name is shown on the relay's display: its characters only
    bool rellenaAlGuardar = false;   // names can change: the list is filled again after a save
    bool estadoEnSalto = false;   // the status text is shown around a jump from the list
    // Group editors: the model's signal-state table, and whether the records
    // carry values besides masks.
    QString tablaEstados;
    bool conValores = false;
    bool gruposPropios = false;   // group tabs whose signals the editor finds itself (CargaGrupos)
};

class EditorTabla : public VistaEditor {
    Q_OBJECT
public:
    EditorTabla(Contexto &ctx, VentanaMadre &madre, DefinicionEditor def, QWidget *parent = nullptr);
    ~EditorTabla() override;

    // The ten load steps. False when the working copy could not be read (the
    // failure has been reported); the editor then shows nothing useful.
    bool Carga() override;

    // Copies the fields of the record the recordset stands on into the controls.
    void CargarRegistroPantalla();

    // Navigation and change tracking, as the buttons do them.
    void AjusteSiguiente();
    void AjusteAnterior();
    void SaltaARegistro(int indiceLista);
    void MarcaCambios();
    void DeshaceCambios();
    void GuardaCambios();
    void EnviaAjustes();
    // File commands copy the working copy: the editor lets go of it and takes
    // it back on the same record.
    void Suspende() override;
    void Reanuda() override;
    // After a language change: captions, and the names the translation of the
    // working copy changed (list, shown record, signal names).
    void PonTextos() override;

    int RegistroActual() const { return registro_; }
    int Total() const { return total_; }
    bool EventosActivos() const { return eventos_; }
    bd::Recordset *Registros() const { return rs_.get(); }

protected:
    // What each editor adds. MuestraRegistro fills its own controls from the
    // current record (the notice is already hidden); Guarda validates and
    // writes the shown record, false when it refused (the framework reloads).
    virtual void MuestraRegistro() = 0;
    virtual bool Guarda() = 0;
    // The record list: by default NombreAjuste of every record; returns the total.
    virtual int LlenaLista();
    // Group tabs: how many there are, the tab that shows a stored group, the
    // group a tab stores, and the label of check box i (0-15) on a tab. By
    // default one tab per 16 signals of the signal-state table.
    virtual void CargaGrupos();   // by default the names of the signal-state table
    virtual int CuentaPestanas() const;
    virtual int PestanaDeGrupo(int grupo) const { return grupo; }
    virtual int GrupoDePestana(int pestana) const { return pestana; }
    virtual QString EtiquetaSenyal(int pestana, int i) const;
    virtual void DespuesDeCargar() {}
    // Texts of an editor's own controls that come from the dictionary.
    virtual void DespuesDePonerTextos() {}

    // Controls an editor puts its own fields into, below the common ones.
    QGridLayout *Campos() const { return campos_; }
    QLineEdit *Nombre() const { return nombre_; }
    QComboBox *Lista() const { return lista_; }
    Contexto &ctx() const { return ctx_; }
    VentanaMadre &VentanaPadre() const { return madre_; }
    bd::BaseDatos *Base() const { return db_.get(); }
    const DefinicionEditor &Definicion() const { return def_; }

    // Fills the list from a column of every record, selects the current one.
    int LlenaListaAjustes(const QString &columna);
    int LlenaListaAjustes(const std::function<QString(const bd::Recordset &)> &nombre);
    // Hooks a control so that editing it marks the record changed.
    void Vigila(QLineEdit *caja);
    void Vigila(QAbstractButton *boton);
    void Vigila(QComboBox *lista);
    void Vigila(QListWidget *lista);
    // The range error of a time field; the record is then reloaded.
    void MensajeFueraDeRango(const QString &etiqueta, qint64 minimo, qint64 maximo);
    // A time field's value; an empty text or one out of [minimo, maximo]
    // shows the range message and gives nothing.
    std::optional<qint64> LeeEnRango(const QString &texto, const QString &etiqueta, qint64 minimo, qint64 maximo);
    // Moves the recordset to record number n (1-based).
    void IrARegistro(int n);
    void Avisa(int texto, Icono icono = Icono::Critico);

    // Group editors.
    int GrupoSeleccionado() const;   // the group the selected tab stores
    int GrupoGuardado() const;       // the group of the shown record
    quint16 PalabraMascara() const;
    quint16 PalabraValor() const;
    QString MascaraAHex() const;
    QString ValorAHex() const;
    // Writes the shown masks, values and group, the columns in `fila` and the
    // Codificacion they make in the edited table's layout into the current
    // record, which is in edit mode.
    void EscribeGrupo(Fila fila = {});
    void CargaMascara();
    void CargaValor();
    void BorraMascara();
    void BorraValor();
    void PonNombresMascara(int pestana);
    QTabBar *Pestanas() const { return pestanas_; }
    QCheckBox *Mascara(int i) const { return mascaras_[i]; }
    QPushButton *Valor(int i) const { return valores_[i]; }

    void showEvent(QShowEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void CreaControles();
    void CreaGrupos();
    // Tab follows the form top to bottom; run once the editor's own fields exist.
    void OrdenaTabulacion();
    void MuestraNumeroAjuste();
    void OcultaCambios();
    void Activa();
    void PrimeraActivacion();
    void BorraNombresEstados() { nombresEstados_ = {}; }
    void CambiaPestana(int indice);
    void CierraTablaEditor();

    Contexto &ctx_;
    VentanaMadre &madre_;
    DefinicionEditor def_;
    std::unique_ptr<bd::BaseDatos> db_;
    std::unique_ptr<bd::Recordset> rs_;
    int registro_ = 1;
    int total_ = 0;
    bool eventos_ = false;
    bool activado_ = false;
    bool cerrado_ = false;

    QFrame *frm_;
    QComboBox *lista_;
    QLabel *numero_, *titulo_;
    QPushButton *anterior_, *siguiente_, *guardar_, *deshacer_, *salir_, *enviar_;
    QLabel *aviso_;
    QLineEdit *nombre_ = nullptr;
    QGridLayout *campos_;
    QVBoxLayout *capa_;
    QTabBar *pestanas_ = nullptr;
    QCheckBox *mascaras_[16] = {};
    NombresEstados nombresEstados_;
    QPushButton *valores_[16] = {};
};

}  // namespace tarvo
