#include "editors/condiciones.h"

#include "comms/codificacion/registros.h"
#include "core/ui/controles.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QListWidget>

namespace tarvo {
namespace {

constexpr const char *EstadosExternos = "Tarvo Estados Externos CTRL";
constexpr int NombreInterruptor = 1868;

QString BitsAHex(quint64 bits, int palabras) {
    QString texto;
    for (int i = palabras - 1; i >= 0; --i) texto += PalabraAHex(quint16(bits >> (16 * i)));
    return texto;
}

QListWidget *CreaLista(const char *nombre, QWidget *padre) {
    auto *l = new QListWidget(padre);
    l->setObjectName(nombre);
    l->setSelectionMode(QAbstractItemView::MultiSelection);
    l->setMinimumSize(190, 260);
    return l;
}

}  // namespace

quint64 LeeBits(const QString &texto) {
    quint64 bits = 0;
    for (int i = 0; i + 4 <= texto.size(); i += 4)
        bits = (bits << 16) | quint16(LeeHex(QStringView(texto).mid(i, 4)).value_or(0));
    return bits;
}

QStringList CargaBitsMando(bd::BaseDatos &trabajo) {
    QStringList nombres;
    auto bits = trabajo.OpenRecordset("BitMando CTRL", bd::TipoRecordset::Snapshot);
    for (bits->MoveFirst(); !bits->AtEOF() && nombres.size() < EditorCondiciones::MaxBits; bits->MoveNext())
        nombres << bits->Value("NombreAjuste").toString().trimmed();
    return nombres;
}

QList<EstadoExterno> CargaEstadosExternos(const Contexto &ctx) {
    QList<EstadoExterno> estados;
    auto modelo = bd::BaseDatos::Abrir(ctx.app.DirectorioModelos + ctx.app.BaseDatos, bd::Apertura::SoloLectura);
    auto rs = modelo->OpenRecordset(EstadosExternos, bd::TipoRecordset::Snapshot);
    for (rs->MoveFirst(); !rs->AtEOF() && estados.size() < EditorCondiciones::MaxEstados; rs->MoveNext()) {
        const QString entrada = rs->Value("Entrada").toString();
        if (!entrada.isEmpty()) estados.append({entrada, rs->Value("Indice").toString()});
    }
    return estados;
}

const QList<DeclaracionCondiciones> &Condiciones() {
    static const QList<DeclaracionCondiciones> lista = {
        {13, "cnt_CondiActuacion", 94, "Actuacion CTRL", 4, 1865, 1873, {"-1", "-3"}},
        {14, "cnt_CondFallo", 95, "Fallo CTRL", 3, 1873, 1873, {"-2", "-4"}},
        {15, "cnt_CondiExito", 96, "Exito CTRL", 1, 1874, 1874, {"-5", "-6"}},
    };
    return lista;
}

QStringList EtiquetasCondiciones(const Contexto &ctx, bd::BaseDatos &trabajo, const DeclaracionCondiciones &d) {
    const int registros = trabajo.OpenRecordset(d.tabla, bd::TipoRecordset::Snapshot)->RecordCount();
    QStringList etiquetas;
    auto maniobras = trabajo.OpenRecordset("TiempoPrevio CTRL", bd::TipoRecordset::Snapshot);
    for (maniobras->MoveFirst(); !maniobras->AtEOF() && etiquetas.size() < registros; maniobras->MoveNext()) {
        const int indice = maniobras->Value("Indice").toInt();
        const QString etiqueta =
            indice == 1 || indice == 2
                ? ctx.dic.Texto(d.palabraEspecial) + " " + ctx.dic.Texto(NombreInterruptor) + d.sufijos[indice - 1]
                : ctx.dic.Texto(d.palabra) + " " + maniobras->Value("NombreAjuste").toString().trimmed();
        if (d.porManiobra == 1) {
            etiquetas << etiqueta;
            continue;
        }
        for (int j = 1; j <= d.porManiobra && etiquetas.size() < registros; ++j)
            etiquetas << QString::number(j) + etiqueta;
    }
    return etiquetas;
}

EditorCondiciones::EditorCondiciones(Contexto &ctx, VentanaMadre &madre, const DeclaracionCondiciones &d,
                                     QWidget *parent)
    : EditorTabla(ctx, madre,
                  {.nombre = d.nombre,
                   .textoEstado = d.textoEstado,
                   .origen = d.tabla,
                   .tablasEnviadas = {d.tabla},
                   .cajaNombre = {},
                   .estadoEnSalto = true},
                  parent),
      d_(d) {
    QWidget *padre = Lista()->parentWidget();
    bits_ = CreaLista("lst_lista1", padre);
    estados_ = CreaLista("lst_lista2", padre);
    condicion_ = CreaLista("lst_lista3", padre);
    // Each external state's Indice, and the signals last required to be 1:
    // kept in lists of their own, never shown.
    indicesEstados_ = new QListWidget(padre);
    indicesEstados_->setObjectName("lst_lista22");
    indicesEstados_->hide();
    recordados_ = new QListWidget(padre);
    recordados_->setObjectName("lst_lista8");
    recordados_->hide();

    QGridLayout *c = Campos();
    c->addWidget(CreaEtiqueta("lbl_lista1", padre), 0, 0);
    c->addWidget(CreaEtiqueta("lbl_lista2", padre), 0, 1);
    c->addWidget(CreaEtiqueta("lbl_lista3", padre), 0, 2);
    c->addWidget(bits_, 1, 0);
    c->addWidget(estados_, 1, 1);
    c->addWidget(condicion_, 1, 2);

    for (QListWidget *l : {bits_, estados_})
        connect(l, &QListWidget::itemSelectionChanged, this, [this] {
            if (!EventosActivos()) return;
            RehaceCondicion();
            MarcaCambios();
        });
    connect(condicion_, &QListWidget::itemSelectionChanged, this, [this] {
        if (!EventosActivos()) return;
        QSet<int> seleccion;
        for (const QListWidgetItem *item : condicion_->selectedItems()) seleccion << item->data(Qt::UserRole).toInt();
        Recuerda(seleccion);
        MarcaCambios();
    });
}

int EditorCondiciones::LlenaLista() {
    CargaSenyales();
    Lista()->clear();
    Lista()->addItems(EtiquetasCondiciones(ctx(), *Base(), d_));
    const int n = Lista()->count();
    if (n > 0) IrARegistro(qBound(1, RegistroActual(), n));
    Lista()->setCurrentIndex(RegistroActual() - 1);
    return n;
}

void EditorCondiciones::CargaSenyales() {
    const QStringList nombresBits = CargaBitsMando(*Base());
    // Names follow the language: after a translation the entries are renamed
    // in place, so that an edit not yet saved keeps its selections.
    if (bits_->count() == nombresBits.size()) {
        for (int i = 0; i < nombresBits.size(); ++i) bits_->item(i)->setText(nombresBits[i]);
    } else {
        bits_->clear();
        bits_->addItems(nombresBits);
    }
    if (estados_->count() == 0) {
        for (const EstadoExterno &e : CargaEstadosExternos(ctx())) {
            estados_->addItem(e.entrada);
            indicesEstados_->addItem(e.indice);
        }
    }
    RehaceCondicion();
}

void EditorCondiciones::MuestraRegistro() {
    bd::Recordset &rs = *Registros();
    const quint64 mascaraBits = LeeBits(rs.Value("MascaraBitMando").toString());
    const quint64 mascaraEstados = LeeBits(rs.Value("MascaraEstado").toString());
    const quint64 valorBits = LeeBits(rs.Value("ValorBitMando").toString());
    const quint64 valorEstados = LeeBits(rs.Value("ValorEstado").toString());
    QSet<int> unos;
    for (int i = 0; i < bits_->count(); ++i) {
        bits_->item(i)->setSelected(mascaraBits >> i & 1);
        if ((mascaraBits & valorBits) >> i & 1) unos << i;
    }
    for (int j = 0; j < estados_->count(); ++j) {
        estados_->item(j)->setSelected(mascaraEstados >> j & 1);
        if ((mascaraEstados & valorEstados) >> j & 1) unos << MaxBits + j;
    }
    Recuerda(unos);
    RehaceCondicion();
}

void EditorCondiciones::RehaceCondicion() {
    const QSignalBlocker bloqueo(condicion_);
    condicion_->clear();
    auto anade = [this](const QString &texto, int senyal) {
        auto *item = new QListWidgetItem(texto, condicion_);
        item->setData(Qt::UserRole, senyal);
    };
    for (int i = 0; i < bits_->count(); ++i)
        if (bits_->item(i)->isSelected()) anade(bits_->item(i)->text(), i);
    for (int j = 0; j < estados_->count(); ++j) {
        QListWidgetItem *estado = estados_->item(j);
        if (!estado->isSelected()) continue;
        if (estado->text().trimmed().isEmpty()) {
            // An entry of blanks names no state: it cannot take part.
            const QSignalBlocker sinAviso(estados_);
            estado->setSelected(false);
            QApplication::beep();
            continue;
        }
        anade(estado->text(), MaxBits + j);
    }
    const QSet<int> recordados = Recordados();
    for (int k = 0; k < condicion_->count(); ++k)
        condicion_->item(k)->setSelected(recordados.contains(condicion_->item(k)->data(Qt::UserRole).toInt()));
    // Texts of remembered signals follow a renaming of the lists.
    Recuerda(recordados);
}

QSet<int> EditorCondiciones::Recordados() const {
    QSet<int> senyales;
    for (int k = 0; k < recordados_->count(); ++k) senyales << recordados_->item(k)->data(Qt::UserRole).toInt();
    return senyales;
}

void EditorCondiciones::Recuerda(const QSet<int> &senyales) {
    recordados_->clear();
    for (int senyal : senyales) {
        auto *item = new QListWidgetItem(TextoSenyal(senyal), recordados_);
        item->setData(Qt::UserRole, senyal);
    }
}

QString EditorCondiciones::TextoSenyal(int senyal) const {
    const QListWidgetItem *item = senyal < MaxBits ? bits_->item(senyal) : estados_->item(senyal - MaxBits);
    return item ? item->text() : QString();
}

bool EditorCondiciones::Guarda() {
    quint64 mascaraBits = 0, mascaraEstados = 0, valorBits = 0, valorEstados = 0;
    for (int i = 0; i < bits_->count(); ++i)
        if (bits_->item(i)->isSelected()) mascaraBits |= quint64(1) << i;
    for (int j = 0; j < estados_->count(); ++j)
        if (estados_->item(j)->isSelected()) mascaraEstados |= quint64(1) << j;
    for (const QListWidgetItem *item : condicion_->selectedItems()) {
        const int senyal = item->data(Qt::UserRole).toInt();
        if (senyal < MaxBits) valorBits |= quint64(1) << senyal;
        else valorEstados |= quint64(1) << (senyal - MaxBits);
    }
    Fila fila{{"MascaraBitMando", BitsAHex(mascaraBits, 4)},
              {"MascaraEstado", BitsAHex(mascaraEstados, 1)},
              {"ValorBitMando", BitsAHex(valorBits, 4)},
              {"ValorEstado", BitsAHex(valorEstados, 1)}};
    // The relay reads a condition without signals by these values.
    if (mascaraBits == 0 && mascaraEstados == 0) {
        fila["ValorBitMando"] = QString(16, '0');
        fila["ValorEstado"] = QString("1111");
    }
    bd::Recordset &rs = *Registros();
    rs.Edit();
    for (auto it = fila.cbegin(); it != fila.cend(); ++it) rs.SetValue(it.key(), it.value());
    rs.SetValue("Codificacion",
                CodificacionCondicion(fila["MascaraBitMando"].toString(), fila["MascaraEstado"].toString(),
                                      fila["ValorBitMando"].toString(), fila["ValorEstado"].toString()));
    rs.Update();
    return true;
}

EditorTabla *CreaEditorCondiciones(Contexto &ctx, VentanaMadre &madre, const QString &menu, int indice) {
    if (menu != "mnuAjusteControl") return nullptr;
    for (const DeclaracionCondiciones &d : Condiciones())
        if (d.indice == indice) return new EditorCondiciones(ctx, madre, d);
    return nullptr;
}

}  // namespace tarvo
