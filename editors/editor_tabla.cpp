#include "editors/editor_tabla.h"

#include "comms/codificacion/hex.h"
#include "editors/teclas.h"
#include "core/ui/controles.h"
#include "core/ui/textos_qt.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

namespace tarvo {
EditorTabla::EditorTabla(Contexto &ctx, VentanaMadre &madre, DefinicionEditor def, QWidget *parent)
    : VistaEditor(parent), ctx_(ctx), madre_(madre), def_(std::move(def)) {
    setObjectName(def_.nombre);
    CreaControles();
    if (!def_.tablaEstados.isEmpty() || def_.gruposPropios) CreaGrupos();
}

EditorTabla::~EditorTabla() { CierraTablaEditor(); }

void EditorTabla::CreaControles() {
    frm_ = new QFrame(this);
    frm_->setObjectName("frm");
    frm_->setFrameStyle(QFrame::StyledPanel);
    frm_->setMinimumWidth(620);
    capa_ = new QVBoxLayout(frm_);
    titulo_ = CreaEtiqueta("lbl_Titulo", frm_);
    titulo_->setStyleSheet("font-size: 13pt; font-weight: bold;");
    capa_->addWidget(titulo_);

    auto *cabecera = new QHBoxLayout;
    lista_ = new QComboBox(frm_);
    lista_->setObjectName("cmb_ListaNombreAjustes");
    lista_->setMinimumWidth(240);
    numero_ = new QLabel(frm_);
    numero_->setObjectName("lbl_DisplayNumeroAjustes");
    numero_->setMinimumWidth(60);
    numero_->setAlignment(Qt::AlignCenter);
    anterior_ = CreaBoton("btn_Previous", frm_, "<");
    siguiente_ = CreaBoton("btn_Next", frm_, ">");
    cabecera->addWidget(lista_, 1);
    cabecera->addWidget(anterior_);
    cabecera->addWidget(numero_);
    cabecera->addWidget(siguiente_);
    capa_->addLayout(cabecera);

    campos_ = new QGridLayout;
    if (!def_.cajaNombre.isEmpty()) {
        nombre_ = new QLineEdit(frm_);
        nombre_->setObjectName(def_.cajaNombre);
        auto *etiqueta = new QLabel(frm_);
        etiqueta->setObjectName("lbl_NombreAjustes");
        campos_->addWidget(etiqueta, 0, 0);
        campos_->addWidget(nombre_, 0, 1, 1, 3);
        ValidaTeclaNombre(ctx_, nombre_, def_.nombreDisplay);
        Vigila(nombre_);
    }
    capa_->addLayout(campos_);

    aviso_ = new QLabel(frm_);
    aviso_->setObjectName("pnl_Aviso");
    aviso_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    aviso_->setAlignment(Qt::AlignCenter);
    guardar_ = CreaBoton("btn_SaveChanges", frm_, "Guardar");
    deshacer_ = CreaBoton("btn_UndoChanges", frm_, "Deshacer");
    enviar_ = CreaBoton("SSCommand1", frm_, "Enviar");
    salir_ = CreaBoton("btn_Exit", frm_, "Salir");
    auto *pie = new QHBoxLayout;
    pie->addWidget(aviso_, 1);
    pie->addWidget(guardar_);
    pie->addWidget(deshacer_);
    pie->addWidget(enviar_);
    pie->addWidget(salir_);
    capa_->addStretch();
    capa_->addLayout(pie);

    // Buttons that come and go keep their place, so the form does not jump
    // under the mouse.
    for (QWidget *w : {static_cast<QWidget *>(anterior_), static_cast<QWidget *>(siguiente_),
                       static_cast<QWidget *>(guardar_), static_cast<QWidget *>(deshacer_),
                       static_cast<QWidget *>(aviso_)}) {
        QSizePolicy politica = w->sizePolicy();
        politica.setRetainSizeWhenHidden(true);
        w->setSizePolicy(politica);
    }

    connect(siguiente_, &QPushButton::clicked, this, &EditorTabla::AjusteSiguiente);
    connect(anterior_, &QPushButton::clicked, this, &EditorTabla::AjusteAnterior);
    connect(lista_, &QComboBox::activated, this, &EditorTabla::SaltaARegistro);
    connect(guardar_, &QPushButton::clicked, this, &EditorTabla::GuardaCambios);
    connect(deshacer_, &QPushButton::clicked, this, &EditorTabla::DeshaceCambios);
    connect(enviar_, &QPushButton::clicked, this, &EditorTabla::EnviaAjustes);
    connect(salir_, &QPushButton::clicked, this, [this] { madre_.MuestraPortada(); });
}

void EditorTabla::CreaGrupos() {
    auto *marco = new QFrame(frm_);
    marco->setObjectName("frm_Grupos");
    auto *capa = new QVBoxLayout(marco);
    pestanas_ = new QTabBar(marco);
    pestanas_->setObjectName(def_.nombre.endsWith("Eventos") ? "tb_GrupoSenyales" : "tb_GrupoSeñales");
    pestanas_->setExpanding(false);
    capa->addWidget(pestanas_);
    auto *rejilla = new QGridLayout;
    for (int i = 0; i < 16; ++i) {
        mascaras_[i] = new QCheckBox(marco);
        mascaras_[i]->setObjectName(QString("chk_mascara_%1").arg(i));
        rejilla->addWidget(mascaras_[i], i % 8, (i / 8) * 2);
        Vigila(mascaras_[i]);
        if (def_.conValores) {
            valores_[i] = CreaBoton(qPrintable(QString("btn_valor_%1").arg(i)), marco, "0");
            valores_[i]->setFixedWidth(32);
            rejilla->addWidget(valores_[i], i % 8, (i / 8) * 2 + 1);
            connect(valores_[i], &QPushButton::clicked, this, [this, i] {
                if (!eventos_) return;
                valores_[i]->setText(valores_[i]->text() == "1" ? "0" : "1");
                MarcaCambios();
            });
        }
    }
    capa->addLayout(rejilla);
    capa_->insertWidget(capa_->count() - 2, marco);
    connect(pestanas_, &QTabBar::currentChanged, this, &EditorTabla::CambiaPestana);
}

bool EditorTabla::Carga() {
    ctx_.ui->CursorOcupado(true);
    MuestraEstado(ctx_, ctx_.dic.Texto(def_.textoEstado), true);
    MuestraProgreso(ctx_, 60);
    try {
        db_ = bd::BaseDatos::Abrir(ctx_.app.CopiaTrabajo, bd::Apertura::Temporal);
        if (pestanas_) {
            CargaGrupos();
            const int grupos = CuentaPestanas();
            const QSignalBlocker bloqueo(pestanas_);
            while (pestanas_->count() < grupos) pestanas_->addTab(QString());
        }
        eventos_ = false;
        rs_ = db_->OpenRecordset(def_.origen, bd::TipoRecordset::Dynaset);
        ctx_.app.BaseTrabajoAbierta = true;
        MuestraProgreso(ctx_, 70);
        registro_ = 1;
        total_ = LlenaLista();
        MuestraNumeroAjuste();
        if (rs_->RecordCount() > 0) rs_->MoveFirst();
        MuestraProgreso(ctx_, 80);
        if (total_ > 0) CargarRegistroPantalla();
    } catch (const std::exception &e) {
        InformaError(ctx_, "Carga" + def_.nombre, e);
        MuestraEstado(ctx_, ctx_.dic.Texto(70));
        return false;
    }
    siguiente_->setVisible(total_ > 1);
    anterior_->hide();
    OcultaCambios();
    MuestraProgreso(ctx_, pestanas_ ? 85 : 90);
    PonTextosIdioma(this, def_.nombre, ctx_.dic);
    titulo_->setText(windowTitle());
    DespuesDeCargar();
    OrdenaTabulacion();
    if (!pestanas_) {
        eventos_ = true;
        MuestraProgreso(ctx_, 100);
        MuestraEstado(ctx_, ctx_.dic.Texto(70));
    } else if (isVisible()) {
        Activa();   // shown before it was loaded
    }
    ctx_.ui->CursorOcupado(false);
    return true;
}

void EditorTabla::OrdenaTabulacion() {
    // The common controls are made before an editor's own fields; in creation
    // order Tab would jump from the name to the buttons at the foot.
    QList<QWidget *> orden{lista_, anterior_, siguiente_};
    for (int fila = 0; fila < campos_->rowCount(); ++fila)
        for (int columna = 0; columna < campos_->columnCount(); ++columna) {
            QLayoutItem *celda = campos_->itemAtPosition(fila, columna);
            if (celda && celda->widget() && !orden.contains(celda->widget())) orden << celda->widget();
        }
    if (pestanas_) {
        orden << pestanas_;
        for (int i = 0; i < 16; ++i) {
            orden << mascaras_[i];
            if (valores_[i]) orden << valores_[i];
        }
    }
    orden << guardar_ << deshacer_ << enviar_ << salir_;
    orden.removeIf([](QWidget *w) { return !(w->focusPolicy() & Qt::TabFocus); });
    for (qsizetype i = 1; i < orden.size(); ++i) setTabOrder(orden[i - 1], orden[i]);
}

void EditorTabla::PonTextos() {
    PonTextosIdioma(this, def_.nombre, ctx_.dic);
    titulo_->setText(windowTitle());
    if (!rs_) return;
    const bool activos = eventos_;
    eventos_ = false;
    try {
        // The translation renamed the default names of the records and of the
        // settings the signals are linked to.
        if (pestanas_) {
            CargaGrupos();
            if (activado_)
                for (int i = 0; i < pestanas_->count(); ++i) pestanas_->setTabText(i, ctx_.dic.Texto(524, i + 1));
            PonNombresMascara(pestanas_->currentIndex());
        }
        total_ = LlenaLista();
        MuestraNumeroAjuste();
    } catch (const std::exception &e) {
        InformaError(ctx_, "PonTextos" + def_.nombre, e);
    }
    eventos_ = activos;
    // An edit not yet saved stays as typed.
    if (total_ > 0 && guardar_->isHidden()) CargarRegistroPantalla();
    DespuesDePonerTextos();
}

void EditorTabla::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    Activa();
}

void EditorTabla::Activa() {
    if (!pestanas_ || !rs_) return;
    MuestraEstado(ctx_, ctx_.dic.Texto(def_.textoEstado), true);
    MuestraProgreso(ctx_, 90);
    if (!activado_) PrimeraActivacion();
    MuestraProgreso(ctx_, 100);
    MuestraEstado(ctx_, ctx_.dic.Texto(70));
}

void EditorTabla::PrimeraActivacion() {
    activado_ = true;
    setEnabled(false);
    for (int i = 0; i < pestanas_->count(); ++i) pestanas_->setTabText(i, ctx_.dic.Texto(524, i + 1));
    {
        const QSignalBlocker bloqueo(pestanas_);
        if (total_ > 0) pestanas_->setCurrentIndex(PestanaDeGrupo(GrupoGuardado()));
    }
    if (total_ > 0) PonNombresMascara(pestanas_->currentIndex());
    setEnabled(true);
    eventos_ = true;
}

int EditorTabla::LlenaLista() { return LlenaListaAjustes("NombreAjuste"); }

int EditorTabla::LlenaListaAjustes(const QString &columna) {
    return LlenaListaAjustes([&columna](const bd::Recordset &rs) { return rs.Value(columna).toString(); });
}

int EditorTabla::LlenaListaAjustes(const std::function<QString(const bd::Recordset &)> &nombre) {
    const bool activos = eventos_;
    eventos_ = false;
    lista_->clear();
    for (rs_->MoveFirst(); !rs_->AtEOF(); rs_->MoveNext()) lista_->addItem(nombre(*rs_).trimmed());
    const int n = lista_->count();
    if (n > 0) IrARegistro(qBound(1, registro_, n));
    lista_->setCurrentIndex(registro_ - 1);
    eventos_ = activos;
    return n;
}

void EditorTabla::IrARegistro(int n) {
    rs_->MoveFirst();
    if (n > 1) rs_->Move(n - 1);
}

void EditorTabla::MuestraNumeroAjuste() {
    numero_->setText(QString("%1/%2").arg(registro_).arg(total_));
    // The list follows the arrows too, so that it always names the shown record.
    const QSignalBlocker bloqueo(lista_);
    lista_->setCurrentIndex(registro_ - 1);
}

void EditorTabla::OcultaCambios() {
    guardar_->hide();
    deshacer_->hide();
}

void EditorTabla::CargarRegistroPantalla() {
    aviso_->hide();
    const bool activos = eventos_;
    eventos_ = false;
    try {
        if (nombre_) nombre_->setText(rs_->Value("NombreAjuste").toString().trimmed());
        if (pestanas_) {
            if (activado_) {
                const QSignalBlocker bloqueo(pestanas_);
                pestanas_->setCurrentIndex(PestanaDeGrupo(GrupoGuardado()));
                PonNombresMascara(pestanas_->currentIndex());
            }
            CargaMascara();
            if (def_.conValores) CargaValor();
        }
        MuestraRegistro();
    } catch (const std::exception &e) {
        InformaError(ctx_, "CargarRegistroPantalla", e);
    }
    eventos_ = activos;
}

void EditorTabla::AjusteSiguiente() {
    if (registro_ >= total_) {
        siguiente_->hide();
        return;
    }
    rs_->MoveNext();
    anterior_->show();
    ++registro_;
    MuestraNumeroAjuste();
    siguiente_->setVisible(registro_ < total_);
    OcultaCambios();
    CargarRegistroPantalla();
}

void EditorTabla::AjusteAnterior() {
    if (registro_ <= 1) {
        anterior_->hide();
        return;
    }
    rs_->MovePrevious();
    siguiente_->show();
    --registro_;
    MuestraNumeroAjuste();
    anterior_->setVisible(registro_ > 1);
    OcultaCambios();
    CargarRegistroPantalla();
}

void EditorTabla::SaltaARegistro(int indiceLista) {
    if (!eventos_ || indiceLista < 0) return;
    if (def_.estadoEnSalto) MuestraEstado(ctx_, ctx_.dic.Texto(def_.textoEstado), true);
    eventos_ = false;
    registro_ = indiceLista + 1;
    IrARegistro(registro_);
    CargarRegistroPantalla();
    MuestraNumeroAjuste();
    anterior_->setVisible(registro_ > 1);
    siguiente_->setVisible(registro_ < total_);
    eventos_ = true;
    if (def_.estadoEnSalto) MuestraEstado(ctx_, ctx_.dic.Texto(70));
}

void EditorTabla::MarcaCambios() {
    if (!eventos_) return;
    aviso_->hide();
    guardar_->show();
    deshacer_->show();
}

void EditorTabla::DeshaceCambios() {
    CargarRegistroPantalla();
    OcultaCambios();
}

void EditorTabla::GuardaCambios() {
    ctx_.app.ConfiguracionGuardada = false;
    try {
        if (!Guarda()) {
            DeshaceCambios();
            return;
        }
    } catch (const std::exception &e) {
        InformaError(ctx_, "Guarda" + def_.nombre, e);
        DeshaceCambios();
        return;
    }
    OcultaCambios();
    aviso_->show();
    if (def_.rellenaAlGuardar) {
        try {
            total_ = LlenaLista();
        } catch (const std::exception &e) {
            InformaError(ctx_, "LlenaListaAjustes", e);
        }
    }
}

void EditorTabla::Vigila(QLineEdit *caja) {
    connect(caja, &QLineEdit::textEdited, this, [this, caja] {
        MarcaCambios();
        caja->setFocus();
    });
}

void EditorTabla::Vigila(QAbstractButton *boton) {
    connect(boton, &QAbstractButton::clicked, this, &EditorTabla::MarcaCambios);
}

void EditorTabla::Vigila(QComboBox *lista) { connect(lista, &QComboBox::activated, this, &EditorTabla::MarcaCambios); }

void EditorTabla::Vigila(QListWidget *lista) {
    connect(lista, &QListWidget::currentRowChanged, this, &EditorTabla::MarcaCambios);
}

void EditorTabla::MensajeFueraDeRango(const QString &etiqueta, qint64 minimo, qint64 maximo) {
    const QString texto = ctx_.dic.Texto(525) + "\r\r" + etiqueta + "\r\r" + ctx_.dic.Texto(526) + "\r" +
                          ctx_.dic.Texto(527) + " " + QString::number(maximo) + "\r" + ctx_.dic.Texto(528) + " " +
                          QString::number(minimo);
    ctx_.ui->Muestra({texto, ctx_.T148(), Icono::Critico, Botones::Aceptar});
}

std::optional<qint64> EditorTabla::LeeEnRango(const QString &texto, const QString &etiqueta, qint64 minimo,
                                              qint64 maximo) {
    bool ok = false;
    const qint64 valor = texto.trimmed().toLongLong(&ok);
    if (ok && valor >= minimo && valor <= maximo) return valor;
    MensajeFueraDeRango(etiqueta, minimo, maximo);
    return std::nullopt;
}

void EditorTabla::Avisa(int texto, Icono icono) {
    ctx_.ui->Muestra({ctx_.dic.Texto(texto), ctx_.T148(), icono, Botones::Aceptar});
}

void EditorTabla::EnviaAjustes() {
    if (ctx_.app.EstadoConexion == 255) {
        Avisa(586);
        return;
    }
    // The packers read the saved records from the working copy, which this
    // editor holds exclusively: it lets go for the send and takes it back.
    Suspende();
    if (Envio()) Envio()(ctx_, def_.tablasEnviadas, windowTitle());
    Reanuda();
    show();
}

void EditorTabla::Suspende() {
    if (!db_) return;
    rs_.reset();
    db_.reset();
    ctx_.app.BaseTrabajoAbierta = false;
}

void EditorTabla::Reanuda() {
    if (db_ || cerrado_) return;
    try {
        db_ = bd::BaseDatos::Abrir(ctx_.app.CopiaTrabajo, bd::Apertura::Temporal);
        rs_ = db_->OpenRecordset(def_.origen, bd::TipoRecordset::Dynaset);
        ctx_.app.BaseTrabajoAbierta = true;
        if (total_ > 0) IrARegistro(registro_);
    } catch (const std::exception &e) {
        InformaError(ctx_, "AbreBaseDatos", e);
    }
}

void EditorTabla::CierraTablaEditor() {
    if (cerrado_) return;
    cerrado_ = true;
    BorraNombresEstados();
    rs_.reset();
    db_.reset();
    ctx_.app.BaseTrabajoAbierta = false;
}

void EditorTabla::closeEvent(QCloseEvent *e) {
    CierraTablaEditor();
    QWidget::closeEvent(e);
}

void EditorTabla::resizeEvent(QResizeEvent *e) {
    QWidget::resizeEvent(e);
    frm_->adjustSize();
    frm_->move(qMax(0, (width() - frm_->width()) / 2), qMax(0, (height() - frm_->height()) / 2));
}

int EditorTabla::GrupoSeleccionado() const { return pestanas_ ? GrupoDePestana(pestanas_->currentIndex()) : 0; }

int EditorTabla::GrupoGuardado() const { return rs_->Value(ctx_.app.ColumnaValor).toInt(); }

void EditorTabla::CargaGrupos() { nombresEstados_ = CargaNombresEstados(ctx_, *db_, def_.tablaEstados); }

int EditorTabla::CuentaPestanas() const { return CuentaGruposSenyales(int(nombresEstados_.senyales.size())); }

QString EditorTabla::EtiquetaSenyal(int pestana, int i) const { return nombresEstados_.Etiqueta(16 * pestana + 1 + i); }

void EditorTabla::CambiaPestana(int indice) {
    if (!eventos_ || indice < 0) return;
    const bool activos = eventos_;
    eventos_ = false;
    // Only the tab that stores the record's own group shows its masks.
    if (GrupoDePestana(indice) != GrupoGuardado()) {
        BorraMascara();
        if (def_.conValores) BorraValor();
    } else {
        CargaMascara();
        if (def_.conValores) CargaValor();
    }
    PonNombresMascara(indice);
    eventos_ = activos;
}

quint16 EditorTabla::PalabraMascara() const {
    quint16 palabra = 0;
    for (int i = 0; i < 16; ++i)
        if (mascaras_[i]->isChecked()) palabra |= quint16(1u << i);
    return palabra;
}

quint16 EditorTabla::PalabraValor() const {
    quint16 palabra = 0;
    for (int i = 0; i < 16; ++i)
        if (valores_[i] && valores_[i]->text() == "1") palabra |= quint16(1u << i);
    return palabra;
}

QString EditorTabla::MascaraAHex() const { return PalabraAHex(PalabraMascara()); }

QString EditorTabla::ValorAHex() const { return PalabraAHex(PalabraValor()); }

void EditorTabla::EscribeGrupo(Fila fila) {
    DatosCodificacion datos;
    datos.columnaValor = ctx_.app.ColumnaValor;
    PonColumnasDePalabra(fila, "Mascara", PalabraMascara());
    if (def_.conValores) PonColumnasDePalabra(fila, "Valor", PalabraValor());
    fila.insert(datos.columnaValor, GrupoSeleccionado());
    const TablaCodificada *tabla = BuscaTablaCodificada(def_.tablasEnviadas.value(0));
    for (auto it = fila.cbegin(); it != fila.cend(); ++it) rs_->SetValue(it.key(), it.value());
    if (tabla) rs_->SetValue("Codificacion", CodificaRegistro(*tabla, fila, datos));
}

void EditorTabla::CargaMascara() {
    for (int i = 0; i < 16; ++i) mascaras_[i]->setChecked(rs_->Value(QString("Mascara%1").arg(i + 1)).toBool());
}

void EditorTabla::CargaValor() {
    for (int i = 0; i < 16; ++i)
        valores_[i]->setText(rs_->Value(QString("valor%1").arg(i + 1)).toBool() ? "1" : "0");
}

void EditorTabla::BorraMascara() {
    for (QCheckBox *c : mascaras_) c->setChecked(false);
}

void EditorTabla::BorraValor() {
    for (QPushButton *b : valores_)
        if (b) b->setText("0");
}

void EditorTabla::PonNombresMascara(int pestana) {
    for (int i = 0; i < 16; ++i) mascaras_[i]->setText(EtiquetaSenyal(pestana, i));
}

}  // namespace tarvo
