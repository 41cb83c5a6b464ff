#include "editors/familias.h"

#include "comms/codificacion/recepcion.h"
#include "core/pagina437.h"
#include "core/ui/controles.h"
#include "store/catalogo.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <span>

namespace tarvo {
namespace {

constexpr const char *Control = "Tarvo Estados Control";
constexpr const char *Proteccion = "Tarvo Estados Proteccion";
constexpr const char *Comunicaciones = "Tarvo Estados Comunicaciones";
constexpr const char *TextosEventos = "TextoEventos COMU";

// One editor of a family: where its menu entry is, and what it edits.
struct Declaracion {
    const char *menu;
    int indice;
    const char *nombre;
    int textoEstado;
    const char *tabla;
    const char *estados;
    bool conValores = false;     // gates and outputs
    const char *bornas = "";     // outputs: the prefix of the terminal label
    const char *tipoTexto = "";  // events: the type of their texts
};

const Declaracion Grupos[] = {
    {"mnuAjusteControl", 8, "cnt_Salidas", 90, "Salidas CTRL", Control, true, "SC "},
    {"mnuAjusteControl", 11, "cnt_BitDeMando", 93, "BitMando CTRL", Control},
    {"mnuAjusteProteccion", 1, "prt_Ands", 98, "ANDs PROT", Proteccion, true},
    {"mnuAjusteProteccion", 2, "prt_Salidas", 99, "Salidas PROT", Proteccion, true, "SP "},
};

const Declaracion Eventos[] = {
    {"mnuAjusteControl", 9, "cnt_Eventos", 91, "Eventos CTRL", Control, false, "", "cont"},
    {"mnuAjusteProteccion", 3, "prt_Eventos", 100, "Eventos PROT", Proteccion, false, "", "prot"},
    {"mnuAjusteComunicacion", 0, "com_Eventos", 101, "Eventos COMU", Comunicaciones, false, "", "comu"},
};

// Both the event table and its texts go to the relay: a model without texts
// has no "TextoEventos COMU" in its catalogue, and the send skips it.
DefinicionEditor DefinicionEventos(const Aplicacion &app, const Declaracion &d) {
    const bool conTextos = TablaEnModelo(app, TextosEventos);
    return {.nombre = d.nombre,
            .textoEstado = d.textoEstado,
            .origen = conTextos ? EditorEventos::Consulta(d.tabla, d.tipoTexto) : QString(d.tabla),
            .tablasEnviadas = {d.tabla, TextosEventos},
            .nombreDisplay = true,
            .rellenaAlGuardar = true,
            .tablaEstados = d.estados};
}

}  // namespace

EditorGrupos::EditorGrupos(Contexto &ctx, VentanaMadre &madre, DefinicionEditor def, QString bornas, QWidget *parent)
    : EditorTabla(ctx, madre, std::move(def), parent), bornas_(std::move(bornas)) {
    if (bornas_.isEmpty()) return;
    etiquetaBornas_ = new QLabel(Nombre()->parentWidget());
    etiquetaBornas_->setObjectName("lbl_Bornas");
    etiquetaBornas_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    etiquetaBornas_->setMinimumWidth(80);
    Campos()->addWidget(etiquetaBornas_, 1, 1, Qt::AlignLeft);
}

void EditorGrupos::MuestraRegistro() {
    if (etiquetaBornas_) etiquetaBornas_->setText(bornas_ + QString::number(RegistroActual()));
}

bool EditorGrupos::Guarda() {
    Registros()->Edit();
    EscribeGrupo({{"NombreAjuste", Nombre()->text()}});
    Registros()->Update();
    return true;
}

QString EditorEventos::Consulta(const QString &tablaEventos, const QString &tipoTexto) {
    return QString("SELECT DISTINCTROW [%1].*, [TextoEventos COMU].Texto ,[TextoEventos COMU].Codificacion AS "
                   "CodifiTexto FROM [%1] INNER JOIN [TextoEventos COMU] ON [%1].Indice = "
                   "[TextoEventos COMU].NumeroOrden WHERE (([TextoEventos COMU].TipoTexto=\"%2\"));")
        .arg(tablaEventos, tipoTexto);
}

EditorEventos::EditorEventos(Contexto &ctx, VentanaMadre &madre, DefinicionEditor def, QWidget *parent)
    : EditorTabla(ctx, madre, std::move(def), parent), conTextos_(Definicion().origen.startsWith("SELECT")) {
    QWidget *padre = Nombre()->parentWidget();
    alarma_ = new QGroupBox(padre);
    alarma_->setObjectName("frm_alarma");
    optAlarma_ = new QRadioButton(alarma_);
    optAlarma_->setObjectName("Opt_Alarma");
    optSenyalizacion_ = new QRadioButton(alarma_);
    optSenyalizacion_->setObjectName("Opt_Senyalizacion");
    auto *capa = new QHBoxLayout(alarma_);
    capa->addWidget(optAlarma_);
    capa->addWidget(optSenyalizacion_);
    Campos()->addWidget(alarma_, 1, 1, 1, 3);
    Vigila(optAlarma_);
    Vigila(optSenyalizacion_);
    alarma_->setVisible(conTextos_);
}

int EditorEventos::LlenaLista() {
    if (!conTextos_ || guardado_) return LlenaListaAjustes("NombreAjuste");
    return LlenaListaAjustes([](const bd::Recordset &rs) {
        return rs.Value(rs.Value("Alarma").toBool() ? "Texto" : "NombreAjuste").toString();
    });
}

void EditorEventos::MuestraRegistro() {
    if (!conTextos_) return;
    const bool alarma = Registros()->Value("Alarma").toBool();
    optAlarma_->setChecked(alarma);
    optSenyalizacion_->setChecked(!alarma);
}

bool EditorEventos::Guarda() {
    const QString nombre = Nombre()->text();
    // The key filter keeps typed letters to the display's; a pasted one could
    // still slip in, and would reach the relay as another character.
    if (!TextoDeDisplay(nombre)) {
        Avisa(522);
        return false;
    }
    Fila fila{{"NombreAjuste", nombre}};
    if (conTextos_) {
        const bool alarma = optAlarma_->isChecked();
        const QString texto = alarma ? nombre : QString("");
        fila.insert("Alarma", alarma);
        fila.insert("Texto", texto);
        fila.insert("CodifiTexto", TextoAHex(texto));
    }
    Registros()->Edit();
    EscribeGrupo(fila);
    Registros()->Update();
    guardado_ = true;
    return true;
}

prt_Entradas::prt_Entradas(Contexto &ctx, VentanaMadre &madre, QWidget *parent)
    : EditorTabla(ctx, madre,
                  {.nombre = "prt_Entradas",
                   .textoEstado = 97,
                   .origen = "Entradas PROT",
                   .tablasEnviadas = {"Entradas PROT"},
                   .cajaNombre = {}},
                  parent) {
    QWidget *padre = Lista()->parentWidget();
    entrada_ = new QLabel(padre);
    entrada_->setObjectName("lbl_NombreEntrada");
    entrada_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    funciones_ = new QComboBox(padre);
    funciones_->setObjectName("cmb_ListaValoresAsociados");
    QStringList lista;
    if (CargaStringEntradas(ctx, lista)) funciones_->addItems(lista);
    Campos()->addWidget(CreaEtiqueta("lbl_Entrada", padre), 0, 0);
    Campos()->addWidget(entrada_, 0, 1, 1, 3);
    Campos()->addWidget(CreaEtiqueta("lbl_Funcion", padre), 1, 0);
    Campos()->addWidget(funciones_, 1, 1, 1, 3);
    Vigila(funciones_);
}

void prt_Entradas::MuestraRegistro() {
    funciones_->setCurrentIndex(Registros()->Value("ValorEntrada").toInt());
    Lista()->setCurrentIndex(RegistroActual() - 1);
    entrada_->setText(Lista()->currentText());
}

bool prt_Entradas::Guarda() {
    const int funcion = funciones_->currentIndex();
    if (funcion < 0) return false;   // the model's functions could not be read (reported)
    bd::Recordset &rs = *Registros();
    rs.Edit();
    rs.SetValue("ValorTextoEntrada", funciones_->currentText());
    rs.SetValue("ValorEntrada", funcion);
    rs.SetValue("Codificacion", CodificacionIndice(funcion));
    rs.Update();
    return true;
}

QString TablaEstadosDe(const QString &tabla) {
    for (const auto &familia : {std::span<const Declaracion>(Grupos), std::span<const Declaracion>(Eventos)})
        for (const Declaracion &d : familia)
            if (tabla == d.tabla) return d.estados;
    return {};
}

EditorTabla *CreaEditorDeFamilia(Contexto &ctx, VentanaMadre &madre, const QString &menu, int indice) {
    for (const Declaracion &d : Grupos)
        if (menu == d.menu && indice == d.indice)
            return new EditorGrupos(ctx, madre,
                                    {.nombre = d.nombre,
                                     .textoEstado = d.textoEstado,
                                     .origen = d.tabla,
                                     .tablasEnviadas = {d.tabla},
                                     .rellenaAlGuardar = true,
                                     .tablaEstados = d.estados,
                                     .conValores = d.conValores},
                                    d.bornas);
    for (const Declaracion &d : Eventos)
        if (menu == d.menu && indice == d.indice)
            return new EditorEventos(ctx, madre, DefinicionEventos(ctx.app, d));
    if (menu == "mnuAjusteProteccion" && indice == 0) return new prt_Entradas(ctx, madre);
    return nullptr;
}

}  // namespace tarvo
