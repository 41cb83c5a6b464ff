#include "editors/entradas.h"

#include "comms/codificacion/registros.h"
#include "core/ui/controles.h"
#include "editors/teclas.h"
#include "store/catalogo.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace tarvo {
namespace {

// Editors with a name box list the names, which a save may change.
DefinicionEditor DefinicionEntradas(const char *nombre, int textoEstado, const char *consulta, QStringList tablas,
                            bool conNombre) {
    return {.nombre = nombre,
            .textoEstado = textoEstado,
            .origen = consulta,
            .tablasEnviadas = std::move(tablas),
            .cajaNombre = conNombre ? "txt_NombreAjuste" : "",
            .rellenaAlGuardar = conNombre};
}

}  // namespace

EditorEntradas::EditorEntradas(Contexto &ctx, VentanaMadre &madre, DefinicionEditor def, QString columnaCodigo,
                               QWidget *parent)
    : EditorTabla(ctx, madre, std::move(def), parent), columnaCodigo_(std::move(columnaCodigo)) {
    QWidget *padre = Lista()->parentWidget();
    borna_ = new QLabel(padre);
    borna_->setObjectName("txt_Borna");
    borna_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    borna_->setMinimumWidth(160);
    entradas_ = new QListWidget(padre);
    entradas_->setObjectName("lst_EntradasControl");
    entradas_->addItem(ctx.dic.Texto(530));
    const int fisicas = EntidadesDeTabla(ctx.app, "Entradas CTRL");
    for (int n = 1; n <= fisicas; ++n) entradas_->addItem("EC " + QString::number(n));
    QGridLayout *c = Campos();
    c->addWidget(CreaEtiqueta("lbl_Borna", padre), 1, 0);
    c->addWidget(borna_, 1, 1, 1, 3);
    c->addWidget(CreaEtiqueta("lbl_EntradasControl", padre), FilaPropia + 1, 0, Qt::AlignTop);
    c->addWidget(entradas_, FilaPropia + 1, 1, 1, 3);
    // A click, the arrows, Home, End and a typed letter all move the current
    // row: the label follows it, so the shown input is the one saved.
    connect(entradas_, &QListWidget::currentRowChanged, this, [this](int fila) {
        if (EventosActivos() && fila >= 0) borna_->setText(entradas_->item(fila)->text());
    });
    Vigila(entradas_);
}

void EditorEntradas::DespuesDePonerTextos() { entradas_->item(0)->setText(ctx().dic.Texto(530)); }

void EditorEntradas::MuestraRegistro() {
    bd::Recordset &rs = *Registros();
    // Without a name box the list names the shown input.
    if (!Nombre()) Lista()->setCurrentIndex(RegistroActual() - 1);
    borna_->setText(rs.Value("Borna").toString());
    // A code the list cannot show leaves no row current, and a save keeps it.
    const int indice = LeeCampo(rs.Value(columnaCodigo_).toString()).value_or(-1);
    entradas_->setCurrentRow(indice < entradas_->count() ? indice : -1);
}

bool EditorEntradas::Guarda() {
    const std::optional<Fila> propios = CamposPropios();
    if (!propios) return false;
    Fila fila = *propios;
    fila.insert("Borna", borna_->text());
    if (Nombre()) fila.insert("NombreAjuste", Nombre()->text());
    if (entradas_->currentRow() >= 0) fila.insert(columnaCodigo_, CodificacionIndice(entradas_->currentRow()));
    bd::Recordset &rs = *Registros();
    rs.Edit();
    for (auto it = fila.cbegin(); it != fila.cend(); ++it) rs.SetValue(it.key(), it.value());
    rs.Update();
    return true;
}

const char *cnt_EntradasAparamenta::Consulta =
    "SELECT DISTINCTROW [TiempoAperturaCierre CTRL].NombreAjuste, [Entradas CTRL].NombreAjuste AS Borna, "
    "[Entradas CTRL].Codificacion AS CodifiBorna, [Entradas CTRL].TipoEntrada  FROM [TiempoAperturaCierre CTRL]"
    " INNER JOIN [Entradas CTRL] ON [TiempoAperturaCierre CTRL].Indice = [Entradas CTRL].NumeroOrden"
    " WHERE (([Entradas CTRL].TipoEntrada = \"Apa\")) ORDER BY [Entradas CTRL].Indice;";

cnt_EntradasAparamenta::cnt_EntradasAparamenta(Contexto &ctx, VentanaMadre &madre, QWidget *parent)
    : EditorEntradas(
          ctx, madre,
          DefinicionEntradas("cnt_EntradasAparamenta", 89, Consulta, {"Entradas CTRL"}, false),
          "CodifiBorna", parent) {}

int cnt_EntradasAparamenta::LlenaLista() {
    int fila = 0;
    return LlenaListaAjustes([&fila](const bd::Recordset &rs) {
        return rs.Value("NombreAjuste").toString().trimmed() + (fila++ % 2 == 0 ? "- A" : "- B");
    });
}

const char *cnt_EntradasDigitales::Consulta =
    "SELECT DISTINCTROW [TiempoEntradas CTRL].TemporizadorEntradaControl AS Temporizador, "
    "[TiempoEntradas CTRL].Minimo, [TiempoEntradas CTRL].Maximo, "
    "[TiempoEntradas CTRL].Codificacion AS CodifiTempo, [TiempoEntradas CTRL].NombreAjuste, "
    "[Entradas CTRL].NombreAjuste AS Borna, [TiempoEntradas CTRL].TemporizadorAjustable, "
    "[Entradas CTRL].Codificacion AS CodifiBorna, [Entradas CTRL].TipoEntrada  FROM [TiempoEntradas CTRL]"
    " INNER JOIN [Entradas CTRL] ON [TiempoEntradas CTRL].Indice = [Entradas CTRL].NumeroOrden"
    " WHERE (([Entradas CTRL].TipoEntrada = \"ED\"));";

cnt_EntradasDigitales::cnt_EntradasDigitales(Contexto &ctx, VentanaMadre &madre, QWidget *parent)
    : EditorEntradas(
          ctx, madre,
          DefinicionEntradas("cnt_EntradasDigitales", 87, Consulta, {"Entradas CTRL", "TiempoEntradas CTRL"}, true),
          "CodifiBorna", parent) {
    QWidget *padre = Lista()->parentWidget();
    etiquetaTiempo_ = CreaEtiqueta("lbl_Temporizador", padre);
    tiempo_ = new QLineEdit(padre);
    tiempo_->setObjectName("txt_Temporizador");
    tiempo_->setMaximumWidth(120);
    Campos()->addWidget(etiquetaTiempo_, FilaPropia, 0);
    Campos()->addWidget(tiempo_, FilaPropia, 1, Qt::AlignLeft);
    ValidaTeclaNumero(ctx, tiempo_);
    Vigila(tiempo_);
}

void cnt_EntradasDigitales::MuestraRegistro() {
    EditorEntradas::MuestraRegistro();
    // A fixed filter hides the box but fills it with its own stored time: the
    // save's check then never refuses an input for the text another one left
    // (or, shown first, for an empty box it cannot edit).
    const bool ajustable = Registros()->Value("TemporizadorAjustable").toBool();
    tiempo_->setText(Registros()->Value("Temporizador").toString());
    tiempo_->setVisible(ajustable);
    etiquetaTiempo_->setVisible(ajustable);
}

std::optional<Fila> cnt_EntradasDigitales::CamposPropios() {
    const bd::Recordset &rs = *Registros();
    // The box is checked even when hidden: a fixed filter is not written, but
    // a text out of this input's range still refuses the save.
    const auto tiempo = LeeEnRango(tiempo_->text(), "Temporizador Entrada Digital", rs.Value("Minimo").toLongLong(),
                                   rs.Value("Maximo").toLongLong());
    if (!tiempo) return std::nullopt;
    if (!rs.Value("TemporizadorAjustable").toBool()) return Fila{};
    return Fila{{"Temporizador", *tiempo}, {"CodifiTempo", CodificacionTiempo(int(*tiempo))}};
}

const char *cnt_EntradasRTU::Consulta =
    "SELECT DISTINCTROW [TiempoPrevio CTRL].NombreAjuste, [Entradas CTRL].NombreAjuste AS Borna, "
    "[Entradas CTRL].Codificacion AS CodifiBorna, [Entradas CTRL].TipoEntrada  FROM [TiempoPrevio CTRL]"
    " INNER JOIN [Entradas CTRL] ON [TiempoPrevio CTRL].Indice = [Entradas CTRL].NumeroOrden"
    " WHERE (([Entradas CTRL].TipoEntrada = \"Orden\"));";

cnt_EntradasRTU::cnt_EntradasRTU(Contexto &ctx, VentanaMadre &madre, QWidget *parent)
    : EditorEntradas(
          ctx, madre,
          DefinicionEntradas("cnt_EntradasRTU", 88, Consulta, {"Entradas CTRL"}, false),
          "CodifiBorna", parent) {}

const char *cnt_EntradasPulsos::Consulta =
    "SELECT DISTINCTROW [Entradas CTRL].Indice, [Entradas CTRL].NombreAjuste AS Borna, "
    "[Entradas CTRL].TipoEntrada, [Entradas CTRL].NumeroOrden, [Entradas CTRL].Codificacion,"
    "[EntradasPulsos CTRL].NombreAjuste  FROM [EntradasPulsos CTRL] INNER JOIN [Entradas CTRL]"
    " ON [EntradasPulsos CTRL].Indice = [Entradas CTRL].NumeroOrden"
    " WHERE (([Entradas CTRL].TipoEntrada = 'Pulsos'));";

cnt_EntradasPulsos::cnt_EntradasPulsos(Contexto &ctx, VentanaMadre &madre, QWidget *parent)
    : EditorEntradas(
          ctx, madre,
          DefinicionEntradas("cnt_EntradasPulsos", 105, Consulta, {"Entradas CTRL", "EntradasPulsos CTRL"}, true),
          "Codificacion", parent) {}

}  // namespace tarvo
