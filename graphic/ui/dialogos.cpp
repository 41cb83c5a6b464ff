#include "graphic/ui/dialogos.h"

#include "core/pagina437.h"
#include "core/ui/controles.h"
#include "core/ui/textos_qt.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QVBoxLayout>

namespace tarvo {
namespace {

// Refuses any text with a character the display cannot show; the box's own
// length limit ignores keys past the last character.
class ValidadorDisplay : public QValidator {
public:
    ValidadorDisplay(bool extendidos, const QList<EntradaCatalogoTexto> &textos, QObject *padre)
        : QValidator(padre), extendidos_(extendidos), textos_(textos) {}
    State validate(QString &texto, int &) const override {
        for (const QChar c : texto)
            if (!TeclaDeDisplay(c, extendidos_, textos_)) return Invalid;
        return Acceptable;
    }

private:
    bool extendidos_;
    const QList<EntradaCatalogoTexto> &textos_;
};

QLineEdit *CreaCaja(const QString &nombre, QWidget *padre, bool soloLectura = false) {
    auto *caja = new QLineEdit(padre);
    caja->setObjectName(nombre);
    caja->setReadOnly(soloLectura);
    return caja;
}

QRadioButton *CreaOpcion(const QString &nombre, QButtonGroup *grupo, int id, QWidget *padre,
                         const QString &texto = {}) {
    auto *o = new QRadioButton(texto, padre);
    o->setObjectName(nombre);
    grupo->addButton(o, id);
    return o;
}

QGroupBox *CreaMarco(const QString &nombre, QWidget *padre) {
    auto *m = new QGroupBox(padre);
    m->setObjectName(nombre);
    return m;
}

// A label over its box.
void Par(QBoxLayout *capa, QLabel *rotulo, QWidget *caja) {
    capa->addWidget(rotulo);
    capa->addWidget(caja, 0, Qt::AlignLeft);
}

// The switchgear codes the dialog gives a new object of kinds 0 to 7; the
// other code of each pair belongs to the model's fixed objects.
constexpr int CodigoApa[] = {1, 47, 5, 23, 3, 8, 34, 35};

}  // namespace

void ListaEleccion::Muestra(bool visible) {
    etiqueta->setVisible(visible);
    lista->setVisible(visible);
    if (eleccion) eleccion->setVisible(visible);
}

QString AyudaCaracteres() {
    static const int codigos[] = {129, 130, 154, 160, 161, 162, 163, 164, 165,
                                  166, 167, 168, 173, 219, 220, 237, 248, 253};
    QStringList l;
    for (int c : codigos) l << QString("%1=Alt+%2").arg(LetraRele(quint8(c))).arg(c, 4, 10, QChar('0'));
    return l.join("  ");
}

// ---------------------------------------------------------------- base

DialogoGrafico::DialogoGrafico(Contexto &ctx, const CatalogosDialogos &cat, const ParametrosDialogo &p,
                               const char *nombre, QWidget *padre)
    : QDialog(padre), ctx_(ctx), cat_(cat), p_(p), capa_(new QVBoxLayout(this)) {
    setObjectName(nombre);
    setModal(true);
    p_.aceptado = false;
}

void DialogoGrafico::Termina(const char *clave) {
    auto *botones = new QHBoxLayout;
    botones->addStretch();
    auto *aceptar = CreaBoton("C1_0", this, "Aceptar");
    auto *cancelar = CreaBoton("C1_1", this, "Cancelar");
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);
    capa_->addLayout(botones);
    connect(aceptar, &QPushButton::clicked, this, &DialogoGrafico::Acepta);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    PonTextosIdioma(this, clave, ctx_.dic);
}

void DialogoGrafico::Acepta() {
    ParametrosDialogo p = p_;
    if (!Recoge(p)) return;
    p_ = p;
    p_.aceptado = true;
    accept();
}

bool DialogoGrafico::Falta(int texto) {
    ctx_.ui->Muestra({Texto(texto), ctx_.T148(), Icono::Exclamacion, Botones::Aceptar});
    return false;
}

QString DialogoGrafico::Texto(int n) const { return ctx_.dic.Texto(n); }

QLabel *DialogoGrafico::CreaRotulo(const char *nombre, QWidget *padre, const QString &texto) {
    auto *l = CreaEtiqueta(nombre, padre);
    l->setText(texto);
    return l;
}

ListaEleccion &DialogoGrafico::CreaLista(const QList<DatoGrafico> &datos, bool conCaja, QWidget *padre) {
    const int n = int(listas_.size());
    ListaEleccion &l = listas_.emplace_back();
    l.datos = datos;
    l.etiqueta = CreaEtiqueta(qPrintable(QString("lbl_Lista_%1").arg(n)), padre);
    l.lista = new QListWidget(padre);
    l.lista->setObjectName(QString("List1_%1").arg(n));
    for (const DatoGrafico &d : datos) l.lista->addItem(d.nombre);
    if (conCaja) l.eleccion = CreaCaja(QString("txt_Eleccion_%1").arg(n), padre, true);
    connect(l.lista, &QListWidget::itemDoubleClicked, this,
            [this, n](QListWidgetItem *item) { Elige(n, listas_[n].lista->row(item)); });
    return l;
}

void DialogoGrafico::CreaListaUnica(const QList<DatoGrafico> &datos) {
    ListaEleccion &l = CreaLista(datos, true, this);
    capa_->addWidget(l.etiqueta);
    capa_->addWidget(l.lista);
    capa_->addWidget(l.eleccion);
}

void DialogoGrafico::PreeligeDato(const ParametrosDialogo &p) {
    Preelige([&](const DatoGrafico &d) { return d.cpu == (p.cpu & 3) && d.donde == p.donde; });
}

void DialogoGrafico::Elige(int n, int fila) {
    ListaEleccion &l = listas_[n];
    if (fila < 0 || fila >= l.datos.size() || !l.lista->isEnabled()) return;
    l.elegido = fila;
    l.lista->setCurrentRow(fila);
    if (l.eleccion) l.eleccion->setText(l.datos[fila].nombre);
    Elegido(n);
}

void DialogoGrafico::Olvida(int n) {
    ListaEleccion &l = listas_[n];
    l.elegido = -1;
    l.lista->clearSelection();
    l.lista->setCurrentRow(-1);
    if (l.eleccion) l.eleccion->clear();
}

QLineEdit *DialogoGrafico::CreaTextoDisplay(const char *nombre, int maximo, bool extendidos, QWidget *padre) {
    auto *caja = CreaCaja(nombre, padre);
    caja->setMaxLength(maximo);
    caja->setValidator(new ValidadorDisplay(extendidos, cat_.textos, caja));
    // As wide as the text it takes, so the box itself shows the limit.
    caja->setFixedWidth(caja->fontMetrics().horizontalAdvance(QString(qMax(maximo, 3) + 2, 'W')));
    return caja;
}

// ---------------------------------------------------------------- MeteApa

MeteApa::MeteApa(Contexto &ctx, const CatalogosDialogos &cat, const ParametrosDialogo &p, QWidget *padre)
    : DialogoGrafico(ctx, cat, p, "MeteApa", padre) {
    const int tipo = qBound(0, int(p.tipo), 7);
    setWindowTitle(Texto(TextoDeCodigo(CodigoApa[tipo])));
    // Breakers and disconnectors show a switchgear's position and open and
    // close it; the toggle has a single reset order; the two-state functions
    // (external recloser, regulator stop, remote, synchroniser) an order to
    // switch them on and one to switch them off.
    std::array<int, 3> rotulos = {1750, 1751, 1752};
    if (tipo == 3) rotulos = {0, 1755, 0};
    else if (tipo > 3) rotulos = {0, 1753, 1754};

    auto *filas = new QHBoxLayout;
    const QList<DatoGrafico> *fuentes[] = {&cat.aparamenta, &cat.maniobras, &cat.maniobras};
    for (int n = 0; n < 3; ++n) {
        ListaEleccion &l = CreaLista(*fuentes[n], true, this);
        usada_[n] = rotulos[n] != 0;
        if (usada_[n]) l.etiqueta->setText(Texto(rotulos[n]));
        auto *columna = new QVBoxLayout;
        columna->addWidget(l.etiqueta);
        columna->addWidget(l.lista);
        columna->addWidget(l.eleccion);
        filas->addLayout(columna);
        l.Muestra(usada_[n]);
    }
    capa_->addLayout(filas);

    auto *marco = CreaMarco("Frame1", this);
    auto *opciones = new QHBoxLayout(marco);
    permiso_ = new QButtonGroup(this);
    opciones->addWidget(CreaOpcion("Option1_0", permiso_, CpuOperable, marco, "Sí"));
    opciones->addWidget(CreaOpcion("Option1_1", permiso_, 0, marco, "No"));
    capa_->addWidget(marco);
    connect(permiso_, &QButtonGroup::idToggled, this, [this](int id, bool marcado) {
        if (marcado) Permite(id == CpuOperable);
    });

    if (p.Edita()) {
        if (usada_[0]) Preelige([&](const DatoGrafico &d) { return d.donde == p.donde && d.bit == p.oper_b; }, 0);
        for (int n : {1, 2}) {
            const int orden = n == 1 ? p.oper_c : p.oper_d;
            if (usada_[n]) Preelige([&](const DatoGrafico &d) { return d.indice == orden; }, n);
        }
    }
    permiso_->button(p.permiso == CpuOperable ? CpuOperable : 0)->setChecked(true);
    Permite(p.permiso == CpuOperable);
    Termina("METEAPARA");

    bool vacia = false;
    for (int n = 0; n < 3; ++n) vacia |= usada_[n] && listas_[n].datos.isEmpty();
    if (vacia) QTimer::singleShot(150, this, [this] { Falta(1757); });
}

void MeteApa::Permite(bool si) {
    for (int n : {1, 2}) {
        if (!si) Olvida(n);
        listas_[n].lista->setEnabled(si);
        listas_[n].eleccion->setEnabled(si);
    }
}

bool MeteApa::Recoge(ParametrosDialogo &p) {
    const bool si = permiso_->checkedId() == CpuOperable;
    for (int n = 0; n < 3; ++n)
        if (usada_[n] && (n == 0 || si) && !listas_[n].Dato()) return Falta();
    if (!p.Edita()) p.apa = qint16(CodigoApa[qBound(0, int(p.tipo), 7)]);
    if (const DatoGrafico *a = usada_[0] ? listas_[0].Dato() : nullptr) {
        p.donde = qint16(a->donde);
        p.oper_b = qint16(a->bit);
    } else {
        p.oper_b = 0;
    }
    // Opening (or switching-on) order in oper_c, closing (or switching-off)
    // order in oper_d, as the model's fixed breaker carries them.
    const DatoGrafico *c = si && usada_[1] ? listas_[1].Dato() : nullptr;
    const DatoGrafico *d = si && usada_[2] ? listas_[2].Dato() : nullptr;
    p.oper_c = qint16(c ? c->indice : 0);
    p.oper_d = qint16(d ? d->indice : 0);
    p.cpu = qint16(c ? c->cpu : d ? d->cpu : 1);
    p.permiso = qint16(si ? CpuOperable : 0);
    return true;
}

// ---------------------------------------------------------------- MetePermiso

MetePermiso::MetePermiso(Contexto &ctx, const CatalogosDialogos &cat, const ParametrosDialogo &p, QWidget *padre)
    : DialogoGrafico(ctx, cat, p, "MetePermiso", padre) {
    const int codigo = p.tipo >= 0 && p.tipo < 8 ? CodigoApa[p.tipo] : p.tipo <= 10 ? Tipo(p.tipo).apa : -1;
    const int texto = codigo > 0 ? TextoDeCodigo(codigo) : 0;
    auto *marco = CreaMarco("Frame2", this);
    auto *opciones = new QVBoxLayout(marco);
    permiso_ = new QButtonGroup(this);
    opciones->addWidget(CreaOpcion("Option1_0", permiso_, CpuOperable, marco, "Maniobras permitidas"));
    opciones->addWidget(CreaOpcion("Option1_1", permiso_, 0, marco, "Maniobras no permitidas"));
    capa_->addWidget(marco);
    permiso_->button(p.permiso == CpuOperable ? CpuOperable : 0)->setChecked(true);
    Termina("METEPERMI");
    setWindowTitle((texto ? Texto(texto) : Texto(2120)).toUpper());
}

bool MetePermiso::Recoge(ParametrosDialogo &p) {
    p.permiso = qint16(permiso_->checkedId());
    return true;
}

// ---------------------------------------------------------------- MeteManiobra

MeteManiobra::MeteManiobra(Contexto &ctx, const CatalogosDialogos &cat, const ParametrosDialogo &p, QWidget *padre)
    : DialogoGrafico(ctx, cat, p, "MeteManiobra", padre) {
    CreaListaUnica(cat.maniobras);
    texto_ = CreaTextoDisplay("Text2", 5, true, this);
    Par(capa_, CreaRotulo("Label2", this), texto_);
    if (p.Edita()) {
        Preelige([&](const DatoGrafico &d) { return d.indice == p.oper_b; });
        texto_->setText(p.txt);
    }
    Termina("METEMANIO");
    setWindowTitle(Texto(564).toUpper());
}

bool MeteManiobra::Recoge(ParametrosDialogo &p) {
    const DatoGrafico *m = listas_[0].Dato();
    if (!m || texto_->text().isEmpty()) return Falta();
    p.txt = texto_->text();
    p.oper_b = qint16(m->indice);
    p.cpu = qint16(m->cpu);
    return true;
}

// ---------------------------------------------------------------- MeteEstadosEventos, MeteIO

MeteEstadosEventos::MeteEstadosEventos(Contexto &ctx, const CatalogosDialogos &cat, const ParametrosDialogo &p,
                                       QWidget *padre)
    : MeteEstadosEventos(ctx, cat, p, padre, false) {}

MeteEstadosEventos::MeteEstadosEventos(Contexto &ctx, const CatalogosDialogos &cat, const ParametrosDialogo &p,
                                       QWidget *padre, bool bornas)
    : DialogoGrafico(ctx, cat, p, bornas ? "MeteIO" : "MeteEstadosEventos", padre) {
    const bool eventos = !bornas && p.tipo == 24;
    base_ = bornas ? 48 : eventos ? 26 : 13;
    // Protection, control and (states, events) communications; terminals
    // have an input and an output list in each processor.
    const int marcos = bornas ? 2 : 3;
    const int porMarco = bornas ? 2 : 1;
    auto *filas = new QHBoxLayout;
    for (int m = 0; m < marcos; ++m) {
        auto *marco = CreaMarco(QString("Frame_%1").arg(m), this);
        auto *columna = new QVBoxLayout(marco);
        for (int i = 0; i < porMarco; ++i) {
            const int n = m * porMarco + i;
            const auto &datos = bornas ? cat.bornas[n] : eventos ? cat.eventos[n] : cat.estados[n];
            ListaEleccion &l = CreaLista(datos, false, marco);
            columna->addWidget(l.etiqueta);
            columna->addWidget(l.lista);
            l.etiqueta->setVisible(bornas);
        }
        filas->addWidget(marco);
        if (m == 1) marco->setTitle(Texto(541).toUpper());   // the control processor's name
    }
    capa_->addLayout(filas);
    asignado_ = CreaCaja("Text1", this, true);
    activo_ = CreaTextoDisplay("Text2", 3, true, this);
    inactivo_ = CreaTextoDisplay("Text3", 3, true, this);
    Par(capa_, CreaRotulo("Label2", this), asignado_);
    Par(capa_, CreaRotulo("Label3", this), activo_);
    Par(capa_, CreaRotulo("Label4", this), inactivo_);
    if (p.Edita()) {
        Preelige([&](const DatoGrafico &d) {
            return d.cpu == (p.cpu & 3) && d.donde == p.donde && d.bit == p.apa - base_;
        });
        activo_->setText(p.txtb0);
        inactivo_->setText(p.txtb1);
    }
    Termina(bornas ? "METEIOS" : "METEESEV");
    if (!bornas) setWindowTitle(Texto(eventos ? 549 : 544).toUpper());
}

void MeteEstadosEventos::Elegido(int n) {
    for (int otra = 0; otra < int(listas_.size()); ++otra)
        if (otra != n) Olvida(otra);
    asignado_->setText(listas_[n].Dato()->nombre);
}

bool MeteEstadosEventos::Recoge(ParametrosDialogo &p) {
    const DatoGrafico *d = nullptr;
    for (const ListaEleccion &l : listas_)
        if (l.Dato()) d = l.Dato();
    if (!d || activo_->text().isEmpty() || inactivo_->text().isEmpty()) return Falta();
    p.cpu = qint16(d->cpu);
    p.donde = qint16(d->donde);
    p.apa = qint16(base_ + d->bit);
    p.txtb0 = activo_->text();
    p.txtb1 = inactivo_->text();
    return true;
}

// ---------------------------------------------------------------- MeteMedidas

MeteMedidas::MeteMedidas(Contexto &ctx, const CatalogosDialogos &cat, const ParametrosDialogo &p, QWidget *padre)
    : DialogoGrafico(ctx, cat, p, "MeteMedidas", padre) {
    CreaListaUnica(cat.medidas);
    auto *fila = new QHBoxLayout;
    cabecera_ = CreaTextoDisplay("Text1", 4, true, this);
    auto *muestra = CreaCaja("Text2", this, true);
    muestra->setText(" 9999999");
    unidad_ = CreaCaja("Text3", this, true);
    const std::pair<const char *, QLineEdit *> campos[] = {
        {"lbl_Cabecera", cabecera_}, {"lbl_Medida", muestra}, {"lbl_Unidad", unidad_}};
    for (const auto &[rotulo, caja] : campos) {
        auto *columna = new QVBoxLayout;
        Par(columna, CreaRotulo(rotulo, this), caja);
        fila->addLayout(columna);
    }
    capa_->addLayout(fila);
    if (p.Edita()) {
        PreeligeDato(p);
        cabecera_->setText(p.txt_m);
        unidad_->setText(p.txt_u);
    }
    Termina("METEMEDI");
}

void MeteMedidas::Elegido(int n) { unidad_->setText(listas_[n].Dato()->unidad); }

bool MeteMedidas::Recoge(ParametrosDialogo &p) {
    const DatoGrafico *m = listas_[0].Dato();
    if (!m || cabecera_->text().size() > 4) return Falta();
    p.cpu = qint16(m->cpu);
    p.donde = qint16(m->donde);
    p.unidad_m = qint16(m->unidades);
    p.txt_m = cabecera_->text();
    p.txt_u = unidad_->text();
    return true;
}

// ---------------------------------------------------------------- MeteContador

MeteContador::MeteContador(Contexto &ctx, const CatalogosDialogos &cat, const ParametrosDialogo &p, QWidget *padre)
    : DialogoGrafico(ctx, cat, p, "MeteContador", padre) {
    CreaListaUnica(cat.contadores);
    auto *marco = CreaMarco("Frame1", this);
    auto *opciones = new QVBoxLayout(marco);
    unidad_ = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) opciones->addWidget(CreaOpcion(QString("Option1_%1").arg(i), unidad_, i, marco));
    capa_->addWidget(marco);
    if (p.Edita()) PreeligeDato(p);
    unidad_->button(p.Edita() ? qBound(0, int(p.unidad_m), 3) : 0)->setChecked(true);
    Termina("METECONTA");
    setWindowTitle(Texto(560).toUpper());
}

bool MeteContador::Recoge(ParametrosDialogo &p) {
    const DatoGrafico *c = listas_[0].Dato();
    if (!c) return Falta();
    p.cpu = qint16(c->cpu);
    p.donde = qint16(c->donde);
    p.unidad_m = qint16(unidad_->checkedId());
    return true;
}

// ---------------------------------------------------------------- MeteAnalogico

MeteAnalogico::MeteAnalogico(Contexto &ctx, const CatalogosDialogos &cat, const ParametrosDialogo &p,
                             QWidget *padre)
    : DialogoGrafico(ctx, cat, p, "MeteAnalogico", padre), escala_(p.tipo != 46) {
    CreaListaUnica(cat.analogicos);
    if (escala_) {
        auto *marco = CreaMarco("Frame1", this);
        auto *campos = new QHBoxLayout(marco);
        // Limits: up to 7 characters, a minus sign only in front; decimals: one digit 0 to 3.
        static const QRegularExpression limite("-?[0-9]*"), decimales("[0-3]?");
        const char *rotulos[] = {"lbl_Maximo", "lbl_Minimo", "lbl_Decimales"};
        for (int i = 0; i < 3; ++i) {
            valores_[i] = CreaCaja(QString("Text1_%1").arg(i), marco);
            valores_[i]->setMaxLength(i < 2 ? 7 : 1);
            valores_[i]->setValidator(new QRegularExpressionValidator(i < 2 ? limite : decimales, valores_[i]));
            auto *columna = new QVBoxLayout;
            Par(columna, CreaRotulo(rotulos[i], marco), valores_[i]);
            campos->addLayout(columna);
        }
        capa_->addWidget(marco);
    } else {
        auto *marco = CreaMarco("Frame2", this);
        auto *opciones = new QHBoxLayout(marco);
        formato_ = new QButtonGroup(this);
        const char *nombres[] = {"BCD", "GRAY", "BINARIO"};
        for (int i = 0; i < 3; ++i)
            opciones->addWidget(CreaOpcion(QString("Option1_%1").arg(i), formato_, i + 1, marco, nombres[i]));
        capa_->addWidget(marco);
    }
    int formato = 1;
    if (p.Edita()) {
        PreeligeDato(p);
        if (const auto e = escala_ ? LeeParametroEscala(p.txt_m) : std::nullopt) {
            valores_[0]->setText(QString::number(e->maximo));
            valores_[1]->setText(QString::number(e->minimo));
            valores_[2]->setText(QString::number(e->decimales));
        }
        if (!escala_ && LeeParametroFormato(p.txt_m)) formato = LeeParametroFormato(p.txt_m);
    }
    if (formato_) formato_->button(formato)->setChecked(true);
    Termina("METEANALO");
    setWindowTitle(escala_ ? Texto(561).toUpper() : Texto(759));
}

bool MeteAnalogico::Recoge(ParametrosDialogo &p) {
    const DatoGrafico *a = listas_[0].Dato();
    if (!a) return Falta();
    if (escala_) {
        int limites[2];
        for (int i = 0; i < 2; ++i) {
            bool numero = false;
            limites[i] = valores_[i]->text().toInt(&numero);
            if (!numero) return Falta(760 + i);
            if (limites[i] < -32768 || limites[i] > 32767) return Falta(762 + i);
        }
        if (valores_[2]->text().isEmpty()) return Falta();
        p.txt_m = ParametroEscala(limites[0], limites[1], valores_[2]->text().toInt());
    } else {
        p.txt_m = ParametroFormato(formato_->checkedId());
    }
    p.cpu = qint16(a->cpu);
    p.donde = qint16(a->donde);
    return true;
}

// ---------------------------------------------------------------- MeteTexto

MeteTexto::MeteTexto(Contexto &ctx, const CatalogosDialogos &cat, const ParametrosDialogo &p, QWidget *padre)
    : DialogoGrafico(ctx, cat, p, "MeteTexto", padre) {
    if (p_.maximo1 <= 0) PreparaTexto(p_, p.apa);
    // Caption, first label, second label by the object's code.
    int textos[3] = {1400, 1401, 0};
    if (p_.apa == 36) textos[0] = 1402, textos[1] = 1403, textos[2] = 1404;
    if (p_.apa == ApaFichero) textos[0] = 1405, textos[1] = 1406;
    primero_ = CreaTextoDisplay("Text1", p_.maximo1, p_.extendidos, this);
    segundo_ = CreaTextoDisplay("Text2", p_.maximo2, false, this);
    auto *rotulo2 = CreaRotulo("Label2", this, textos[2] ? Texto(textos[2]) : QString());
    Par(capa_, CreaRotulo("Label1", this, Texto(textos[1])), primero_);
    Par(capa_, rotulo2, segundo_);
    rotulo2->setVisible(p_.maximo2 > 0);
    segundo_->setVisible(p_.maximo2 > 0);
    auto *ayuda = CreaRotulo("lbl_Ayuda", this, AyudaCaracteres());
    ayuda->setWordWrap(true);
    ayuda->setVisible(p_.extendidos);
    capa_->addWidget(ayuda);
    if (p.Edita()) {
        primero_->setText(p.txt);
        segundo_->setText(p_.maximo2 > 0 ? p.txtb0 : QString());
    }
    Termina("METETXT");
    setWindowTitle(Texto(textos[0]));
}

bool MeteTexto::Recoge(ParametrosDialogo &p) {
    p.txt = primero_->text();
    p.txtb0 = p.maximo2 > 0 ? segundo_->text() : QString();
    return true;
}

// ---------------------------------------------------------------- NumeroDeGrafico

NumeroDeGrafico::NumeroDeGrafico(Contexto &ctx, const CatalogosDialogos &cat, const ParametrosDialogo &p,
                                 QWidget *padre)
    : DialogoGrafico(ctx, cat, p, "NumeroDeGrafico", padre) {
    numero_ = CreaCaja("Text1", this);
    numero_->setMaxLength(10);
    numero_->setText(p.txt);
    Par(capa_, CreaRotulo("Label1", this), numero_);
    Termina("NUMGRA");
    findChild<QPushButton *>("C1_0")->setDefault(true);   // Enter accepts
}

bool NumeroDeGrafico::Recoge(ParametrosDialogo &p) {
    bool numero = false;
    numero_->text().trimmed().toDouble(&numero);
    if (!numero) {
        numero_->selectAll();
        numero_->setFocus();
        return false;
    }
    p.txt = numero_->text();
    return true;
}

}  // namespace tarvo
