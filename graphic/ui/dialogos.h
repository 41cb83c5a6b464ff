// The property dialogs of the display objects. Each reads a ParametrosDialogo
// when it opens and, closed with "Aceptar", gives it back with the values its
// kind stores. Controls carry object names (List1_n, txt_Eleccion_n, Text1,
// C1_0 "Aceptar", C1_1 "Cancelar", ...), which the language texts and the
// tests look them up by.
#pragma once

#include "graphic/dialogos_grafico.h"

#include <QDialog>

#include <array>
#include <deque>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QVBoxLayout;

namespace tarvo {

// A list whose entry is chosen by double-clicking it, and the box (when the
// dialog has one) that names the choice.
struct ListaEleccion {
    QLabel *etiqueta = nullptr;
    QListWidget *lista = nullptr;
    QLineEdit *eleccion = nullptr;
    QList<DatoGrafico> datos;
    int elegido = -1;
    const DatoGrafico *Dato() const { return elegido >= 0 ? &datos[elegido] : nullptr; }
    void Muestra(bool visible);
};

class DialogoGrafico : public QDialog {
    Q_OBJECT
public:
    // The block as it was given, or with the accepted values.
    const ParametrosDialogo &Parametros() const { return p_; }

protected:
    DialogoGrafico(Contexto &ctx, const CatalogosDialogos &cat, const ParametrosDialogo &p, const char *nombre,
                   QWidget *padre);
    // Adds "Aceptar" and "Cancelar" and sets the texts of the form's key.
    void Termina(const char *clave);
    // Checks the choices and texts; when complete writes them into `p` and
    // says so, otherwise tells the user and the dialog stays open.
    virtual bool Recoge(ParametrosDialogo &p) = 0;
    // Called after entry `fila` of list `n` has been chosen.
    virtual void Elegido(int /*n*/) {}

    ListaEleccion &CreaLista(const QList<DatoGrafico> &datos, bool conCaja, QWidget *padre);
    // The dialog's one list, with its label and choice box, in the main column.
    void CreaListaUnica(const QList<DatoGrafico> &datos);
    void Elige(int n, int fila);
    void Olvida(int n);
    // Chooses the first entry that `es` accepts (the object's current datum),
    // in list `solo` or, when -1, in any list.
    template <typename F>
    void Preelige(F &&es, int solo = -1) {
        for (int n = 0; n < int(listas_.size()); ++n)
            for (int f = 0; (solo < 0 || n == solo) && f < listas_[n].datos.size(); ++f)
                if (es(listas_[n].datos[f])) return Elige(n, f);
    }
    // The entry of the object's processor (cpu's low bits) and byte.
    void PreeligeDato(const ParametrosDialogo &p);
    // A box for display text: the relay's characters only, at most `maximo`.
    QLineEdit *CreaTextoDisplay(const char *nombre, int maximo, bool extendidos, QWidget *padre);
    QLabel *CreaRotulo(const char *nombre, QWidget *padre, const QString &texto = {});
    // Shows `texto` titled 148; false, so that Recoge can return it.
    bool Falta(int texto = 755);
    QString Texto(int n) const;

    Contexto &ctx_;
    const CatalogosDialogos &cat_;
    ParametrosDialogo p_;
    QVBoxLayout *capa_;
    std::deque<ListaEleccion> listas_;

private:
    void Acepta();
};

class MeteApa : public DialogoGrafico {
    Q_OBJECT
public:
    MeteApa(Contexto &ctx, const CatalogosDialogos &cat, const ParametrosDialogo &p, QWidget *padre = nullptr);

protected:
    bool Recoge(ParametrosDialogo &p) override;

private:
    void Permite(bool si);
    std::array<bool, 3> usada_{};
    QButtonGroup *permiso_;
};

class MetePermiso : public DialogoGrafico {
    Q_OBJECT
public:
    MetePermiso(Contexto &ctx, const CatalogosDialogos &cat, const ParametrosDialogo &p, QWidget *padre = nullptr);

protected:
    bool Recoge(ParametrosDialogo &p) override;

private:
    QButtonGroup *permiso_;
};

class MeteManiobra : public DialogoGrafico {
    Q_OBJECT
public:
    MeteManiobra(Contexto &ctx, const CatalogosDialogos &cat, const ParametrosDialogo &p, QWidget *padre = nullptr);

protected:
    bool Recoge(ParametrosDialogo &p) override;

private:
    QLineEdit *texto_;
};

// States and events (kinds 23, 24); MeteIO is the same dialog over terminals.
class MeteEstadosEventos : public DialogoGrafico {
    Q_OBJECT
public:
    MeteEstadosEventos(Contexto &ctx, const CatalogosDialogos &cat, const ParametrosDialogo &p,
                       QWidget *padre = nullptr);

protected:
    MeteEstadosEventos(Contexto &ctx, const CatalogosDialogos &cat, const ParametrosDialogo &p, QWidget *padre,
                       bool bornas);
    bool Recoge(ParametrosDialogo &p) override;
    void Elegido(int n) override;

private:
    int base_;   // apa of bit 0
    QLineEdit *asignado_, *activo_, *inactivo_;
};

class MeteIO : public MeteEstadosEventos {
    Q_OBJECT
public:
    MeteIO(Contexto &ctx, const CatalogosDialogos &cat, const ParametrosDialogo &p, QWidget *padre = nullptr)
        : MeteEstadosEventos(ctx, cat, p, padre, true) {}
};

class MeteMedidas : public DialogoGrafico {
    Q_OBJECT
public:
    MeteMedidas(Contexto &ctx, const CatalogosDialogos &cat, const ParametrosDialogo &p, QWidget *padre = nullptr);

protected:
    bool Recoge(ParametrosDialogo &p) override;
    void Elegido(int n) override;

private:
    QLineEdit *cabecera_, *unidad_;
};

class MeteContador : public DialogoGrafico {
    Q_OBJECT
public:
    MeteContador(Contexto &ctx, const CatalogosDialogos &cat, const ParametrosDialogo &p, QWidget *padre = nullptr);

protected:
    bool Recoge(ParametrosDialogo &p) override;

private:
    QButtonGroup *unidad_;
};

class MeteAnalogico : public DialogoGrafico {
    Q_OBJECT
public:
    MeteAnalogico(Contexto &ctx, const CatalogosDialogos &cat, const ParametrosDialogo &p, QWidget *padre = nullptr);

protected:
    bool Recoge(ParametrosDialogo &p) override;

private:
    bool escala_;   // kind 43; kind 46 chooses an output format
    std::array<QLineEdit *, 3> valores_{};   // maximum, minimum, decimals
    QButtonGroup *formato_ = nullptr;
};

class MeteTexto : public DialogoGrafico {
    Q_OBJECT
public:
    MeteTexto(Contexto &ctx, const CatalogosDialogos &cat, const ParametrosDialogo &p, QWidget *padre = nullptr);

protected:
    bool Recoge(ParametrosDialogo &p) override;

private:
    QLineEdit *primero_, *segundo_;
};

class NumeroDeGrafico : public DialogoGrafico {
    Q_OBJECT
public:
    NumeroDeGrafico(Contexto &ctx, const CatalogosDialogos &cat, const ParametrosDialogo &p,
                    QWidget *padre = nullptr);

protected:
    bool Recoge(ParametrosDialogo &p) override;

private:
    QLineEdit *numero_;
};

// The help line of the text boxes that take extended characters: how to type each.
QString AyudaCaracteres();

// The editor's dialogs as modal windows over `padre`.
class DialogosQt : public DialogosGrafico {
public:
    DialogosQt(Contexto &ctx, const CatalogosDialogos &cat, QWidget *padre = nullptr)
        : ctx_(ctx), cat_(cat), padre_(padre) {}
    bool IntroduceApa(ParametrosDialogo &p) override { return Abre<MeteApa>(p); }
    bool IntroducePermiso(ParametrosDialogo &p) override { return Abre<MetePermiso>(p); }
    bool IntroduceManiobra(ParametrosDialogo &p) override { return Abre<MeteManiobra>(p); }
    bool IntroduceEstadosEventos(ParametrosDialogo &p) override { return Abre<MeteEstadosEventos>(p); }
    bool IntroduceIO(ParametrosDialogo &p) override { return Abre<MeteIO>(p); }
    bool IntroduceMedidas(ParametrosDialogo &p) override { return Abre<MeteMedidas>(p); }
    bool IntroduceContador(ParametrosDialogo &p) override { return Abre<MeteContador>(p); }
    bool IntroduceAnalogico(ParametrosDialogo &p) override { return Abre<MeteAnalogico>(p); }
    bool IntroduceTexto(ParametrosDialogo &p) override { return Abre<MeteTexto>(p); }
    bool NumeroDeGrafico(ParametrosDialogo &p) override { return Abre<tarvo::NumeroDeGrafico>(p); }

private:
    template <typename D>
    bool Abre(ParametrosDialogo &p) {
        D dialogo(ctx_, cat_, p, padre_);
        dialogo.exec();
        p.aceptado = dialogo.Parametros().aceptado;
        if (p.aceptado) p = dialogo.Parametros();
        return p.aceptado;
    }
    Contexto &ctx_;
    const CatalogosDialogos &cat_;
    QWidget *padre_;
};

}  // namespace tarvo
