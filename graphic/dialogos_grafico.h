// The property dialogs of the display objects, as the editor's logic sees
// them: one block of values in and out, one routine per dialog. The windows
// live in graphic/ui; tests answer from a script. No widgets here.
#pragma once

#include "graphic/catalogos.h"
#include "graphic/objeto.h"
#include "core/aplicacion.h"

#include <QList>
#include <QString>

#include <array>
#include <deque>
#include <functional>
#include <optional>

namespace bd { class BaseDatos; }

namespace tarvo {

// The values a dialog reads when it opens and writes back when accepted.
struct ParametrosDialogo {
    qint16 modo = 0;                   // 2: edit an existing object (the dialog shows its values)
    qint16 tipo = 0;                   // the object's kind (apaN2)
    qint16 apa = 0, cpu = 0, donde = 0;
    qint16 permiso = CpuOperable;      // 8: may be operated from the display, 0: may not
    qint16 oper_b = 0, oper_c = 0, oper_d = 0;
    // MeteTexto gives its first box in txt and its second in txtb0;
    // NumeroDeGrafico gives the number in txt.
    QString txt, txt_m, txt_u, txtb0, txtb1;
    qint16 unidad_m = 0;
    bool aceptado = false;             // closed with "Aceptar"
    int maximo1 = 0, maximo2 = 0;      // MeteTexto: length of each box, 0 hides the box
    bool extendidos = false;           // MeteTexto: the first box takes the model's extra characters
    bool edicion = false;              // an operation object being edited

    bool Edita() const { return modo == 2 || edicion; }
    bool operator==(const ParametrosDialogo &) const = default;
};

// MeteTexto's boxes for a code: 11 text object (7, extended), 36 function
// marker (4 and 2), 128 file name (12, no extended characters).
void PreparaTexto(ParametrosDialogo &p, int codigo);

// One entry of a dialog's list: the name shown and what the record takes.
struct DatoGrafico {
    DatoGrafico() = default;
    DatoGrafico(QString n, int c, int d, int b = 0, int i = 0, QString u = {}, int us = 0)
        : nombre(std::move(n)), cpu(c), donde(d), bit(b), indice(i), unidad(std::move(u)), unidades(us) {}
    QString nombre;
    int cpu = 0;
    int donde = 0;      // byte of the relay's data
    int bit = 0;        // bit in that byte; a switchgear's first position bit
    int indice = 0;     // operations: their number
    QString unidad;     // measures: unit text, in the display's characters
    int unidades = 0;   // measures: unit code
};

// Everything the dialogs offer, read once when the editor opens.
struct CatalogosDialogos {
    QList<DatoGrafico> aparamenta, maniobras, medidas, contadores, analogicos;
    std::array<QList<DatoGrafico>, 3> estados, eventos;   // protection, control, communications
    std::array<QList<DatoGrafico>, 4> bornas;   // protection inputs, outputs; control inputs, outputs
    QList<EntradaCatalogoTexto> textos;
};

// From the model's database and the working copy (the event names);
// `trabajo`: the working copy when the caller holds it open.
CatalogosDialogos CargaCatalogosDialogos(Contexto &ctx, bd::BaseDatos *trabajo = nullptr);

// Whether a display text box takes this letter: printable ASCII, and, where
// the box allows extended characters, those the model lists for texts only.
bool TeclaDeDisplay(QChar letra, bool extendidos, const QList<EntradaCatalogoTexto> &textos);
// Workstation letters the display draws with another character (ø and the
// like), in place; everything else stays as it is.
void PasaStringATerminal(QString &texto);

// The analogue parameter string: maximum and minimum as 16-bit values low
// byte first, "4", the decimals; or "00000000", the format (1..3), "0".
QString ParametroEscala(int maximo, int minimo, int decimales);
QString ParametroFormato(int formato);
struct Escala {
    int maximo = 0, minimo = 0, decimales = 0;
};
std::optional<Escala> LeeParametroEscala(const QString &parametro);
// 1..3, or 0 for a string of another form.
int LeeParametroFormato(const QString &parametro);

// Each shows its dialog modally and returns p.aceptado; only an accepted
// dialog changes the values in p.
class DialogosGrafico {
public:
    virtual ~DialogosGrafico() = default;
    virtual bool IntroduceApa(ParametrosDialogo &p) = 0;              // kinds 0..7
    virtual bool IntroducePermiso(ParametrosDialogo &p) = 0;          // kinds 0..10
    virtual bool IntroduceManiobra(ParametrosDialogo &p) = 0;         // 47: txt, oper_b (number), cpu
    virtual bool IntroduceEstadosEventos(ParametrosDialogo &p) = 0;   // 23, 24
    virtual bool IntroduceIO(ParametrosDialogo &p) = 0;               // 45
    virtual bool IntroduceMedidas(ParametrosDialogo &p) = 0;          // 22
    virtual bool IntroduceContador(ParametrosDialogo &p) = 0;         // 42
    virtual bool IntroduceAnalogico(ParametrosDialogo &p) = 0;        // 43, 46
    virtual bool IntroduceTexto(ParametrosDialogo &p) = 0;            // 20, 21, 25 (see PreparaTexto)
    virtual bool NumeroDeGrafico(ParametrosDialogo &p) = 0;
};

// Answers from a script, in order. An answer names the routine it is for and
// changes the block as the user would; a routine asked out of turn is noted
// and cancelled.
class DialogosGuionizados : public DialogosGrafico {
public:
    using Cambio = std::function<void(ParametrosDialogo &)>;
    void Responde(const QString &rutina, Cambio cambio);
    void Cancela(const QString &rutina);

    struct Pregunta {
        QString rutina;
        ParametrosDialogo entrada;
    };
    const QList<Pregunta> &Preguntas() const { return preguntas_; }
    const QStringList &Inesperados() const { return inesperados_; }
    QStringList Pendientes() const;

    bool IntroduceApa(ParametrosDialogo &p) override { return Contesta("IntroduceApa", p); }
    bool IntroducePermiso(ParametrosDialogo &p) override { return Contesta("IntroducePermiso", p); }
    bool IntroduceManiobra(ParametrosDialogo &p) override { return Contesta("IntroduceManiobra", p); }
    bool IntroduceEstadosEventos(ParametrosDialogo &p) override { return Contesta("IntroduceEstadosEventos", p); }
    bool IntroduceIO(ParametrosDialogo &p) override { return Contesta("IntroduceIO", p); }
    bool IntroduceMedidas(ParametrosDialogo &p) override { return Contesta("IntroduceMedidas", p); }
    bool IntroduceContador(ParametrosDialogo &p) override { return Contesta("IntroduceContador", p); }
    bool IntroduceAnalogico(ParametrosDialogo &p) override { return Contesta("IntroduceAnalogico", p); }
    bool IntroduceTexto(ParametrosDialogo &p) override { return Contesta("IntroduceTexto", p); }
    bool NumeroDeGrafico(ParametrosDialogo &p) override { return Contesta("NumeroDeGrafico", p); }

private:
    bool Contesta(const QString &rutina, ParametrosDialogo &p);
    struct Paso {
        QString rutina;
        Cambio cambio;   // empty: "Cancelar"
    };
    std::deque<Paso> guion_;
    QList<Pregunta> preguntas_;
    QStringList inesperados_;
};

}  // namespace tarvo
