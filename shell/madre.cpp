#include "shell/madre.h"

#include "shell/acerca_de.h"
#include "shell/ayuda.h"
#include "shell/interaccion_qt.h"
#include "shell/opciones.h"
#include "shell/portada.h"
#include "core/ui/textos_qt.h"
#include "core/rutas.h"
#include "comms/comparacion.h"
#include "comms/conexion.h"
#include "comms/envio.h"
#include "comms/recepcion_ajustes.h"
#include "comms/ui/monitor_qt.h"
#include "editors/editor_tabla.h"
#include "editors/fabrica.h"
#include "report/ui/informe_ventana.h"
#include "store/ficheros.h"
#include "store/idioma_fichero.h"
#include "store/ui/informacion_vista.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace tarvo {

Madre::Madre(Contexto &ctx, QWidget *parent) : QMainWindow(parent), ctx_(ctx) {
    setObjectName("Madre");
    monitor_ = std::make_unique<MonitorQt>(ctx.dic, this);
    auto *centro = new QWidget(this);
    marco_ = new QVBoxLayout(centro);
    marco_->setContentsMargins(0, 0, 0, 0);
    setCentralWidget(centro);
    CreaMenus();
    CreaBarra();
    CreaEstado();
    // The editors' send buttons go through the same transfers as the menus.
    EditorTabla::FijaEnvio([this](Contexto &, const QStringList &tablas, const QString &titulo) {
        Comunicaciones c{ctx_, *this, *monitor_, DriverOrbel(ctx_.app)};
        EnviaTablasEditor(c, tablas, titulo);
    });
    // 9600 by 7200 twips.
    resize(640, 480);
}

Madre::~Madre() = default;

QAction *Madre::Accion(const QString &nombre, const QString &texto, QMenu *menu) {
    auto *a = new QAction(texto, this);
    a->setObjectName(nombre);
    menu->addAction(a);
    return a;
}

void Madre::CreaMenus() {
    auto *archivo = menuBar()->addMenu("&Archivo");
    archivo->setObjectName("mnuArchivo");
    auto *nuevo = Accion("mnuNuevo", "&Nuevo", archivo);
    nuevo->setShortcut(QKeySequence::New);
    connect(nuevo, &QAction::triggered, this, [this] { NuevaConfiguracion(ctx_, *this); });
    auto *abrir = Accion("mnuAbrir", "Ab&rir", archivo);
    abrir->setShortcut(QKeySequence::Open);
    connect(abrir, &QAction::triggered, this, [this] { AbreConfiguracion(ctx_, *this); });
    archivo->addSeparator();
    auto *guardar = Accion("mnuGuardar", "G&uardar", archivo);
    guardar->setShortcut(QKeySequence::Save);
    connect(guardar, &QAction::triggered, this, [this] { GuardaConfiguracion(ctx_, *this); });
    connect(Accion("mnuGuardarComo", "Guardar &Como", archivo), &QAction::triggered, this,
            [this] { GuardaConfiguracionComo(ctx_, *this); });
    archivo->addSeparator();
    connect(Accion("mnuInformacion", "Informacion", archivo), &QAction::triggered, this,
            [this] {
                auto *vista = new Informacion(ctx_, *this, [this] { return Huella(ctx_, ctx_.app.CopiaTrabajo); });
                MuestraEditor(vista, [vista] { return vista->Carga(); });
            });
    connect(Accion("mnuCrearInforme", "Crear informe", archivo), &QAction::triggered, this, [this] {
        auto *vista = new Informe(ctx_, *this);
        MuestraEditor(vista, [vista] { return vista->Carga(); });
    });
    archivo->addSeparator();
    connect(Accion("mnuEnviarAjustes", "Enviar ajustes", archivo), &QAction::triggered, this,
            [this] { ConRele([](Comunicaciones &c) { EnviarAjustes(c); }); });
    connect(Accion("mnuRecibirAjustes", "Recibir ajustes", archivo), &QAction::triggered, this,
            [this] { ConRele(RecibirAjustes); });
    archivo->addSeparator();
    connect(Accion("mnuSalir", "&Salir", archivo), &QAction::triggered, this, &Madre::Salir);

    auto *modo = menuBar()->addMenu("&Modo Trabajo");
    modo->setObjectName("mnuModoTrabajo");
    connect(Accion("mnuEmulacionRele", "Emulacion", modo), &QAction::triggered, this,
            [this] { ConRele(EmulacionRele); });
    connect(Accion("mnuConexionRele", "Conexion", modo), &QAction::triggered, this,
            [this] { ConRele(ConexionRele); });

    auto *ajustes = menuBar()->addMenu("Aj&ustes");
    ajustes->setObjectName("mnuAjustes");
    struct Submenu {
        const char *nombre, *titulo, *entradas;
        int cuantas;
    };
    const Submenu submenus[] = {{"mnuAjustesControl", "&Control", "mnuAjusteControl", 16},
                                {"mnuAjustesProteccion", "&Proteccion", "mnuAjusteProteccion", 4},
                                {"mnuAjustesComunicacion", "&Generales", "mnuAjusteComunicacion", 3}};
    for (const Submenu &s : submenus) {
        QMenu *m = ajustes->addMenu(s.titulo);
        m->setObjectName(s.nombre);
        m->setEnabled(false);   // follows the model of the open configuration
        for (int i = 0; i < s.cuantas; ++i) {
            const bool separador = QString(s.entradas) == "mnuAjusteControl" && (i == 2 || i == 7 || i == 12);
            QAction *a = separador ? m->addSeparator() : Accion(QString("%1_%2").arg(s.entradas).arg(i), "", m);
            if (separador) a->setObjectName(QString("%1_%2").arg(s.entradas).arg(i));
            else connect(a, &QAction::triggered, this, &Madre::AbreEditorAjustes);
        }
    }

    auto *configuracion = new QAction("&Configuracion", this);
    configuracion->setObjectName("mnuConfiguracion");
    menuBar()->addAction(configuracion);
    connect(configuracion, &QAction::triggered, this, [this] { MuestraOpciones(false); });

    auto *ayuda = menuBar()->addMenu("A&yuda");
    ayuda->setObjectName("mnuAyuda");
    auto *contenido = Accion("mnuContenido", "Contenido", ayuda);
    contenido->setShortcut(Qt::Key_F1);
    connect(contenido, &QAction::triggered, this, &Madre::MuestraAyuda);
    ayuda->addSeparator();
    connect(Accion("mnuAcercaDe", "Acerca &de", ayuda), &QAction::triggered, this, &Madre::MuestraAcercaDe);
    CreaMenuHerramientas();

    // Nothing is open yet.
    for (const char *n : {"mnuGuardar", "mnuGuardarComo", "mnuInformacion", "mnuCrearInforme", "mnuEnviarAjustes",
                          "mnuRecibirAjustes", "mnuEmulacionRele", "mnuCompararFichero", "mnuExportarTexto", "mnuComprobar",
                          "mnuConvertir", "mnuCompararRele", "mnuEnviarVerificar", "mnuEnviarCambios"})
        findChild<QAction *>(n)->setEnabled(false);
}

void Madre::CreaBarra() {
    barra_ = addToolBar("Toolbar1");
    barra_->setObjectName("Toolbar1");
    barra_->setMovable(false);
    struct Boton {
        const char *clave, *consejo;
        QStyle::StandardPixmap icono;
    };
    const Boton botones[] = {
        {"", "", QStyle::SP_CustomBase},
        {"btnNuevo", "Nuevo fichero", QStyle::SP_FileIcon},
        {"btnAbrir", "Abrir fichero", QStyle::SP_DialogOpenButton},
        {"btnGuardar", "Guardar fichero", QStyle::SP_DialogSaveButton},
        {"", "", QStyle::SP_CustomBase},
        {"btnReleOnOff", "Rele On/Off", QStyle::SP_DriveNetIcon},
        {"btnEnviarAjustes", "Enviar ajustes", QStyle::SP_ArrowUp},
        {"btnRecibirAjustes", "Recibir ajustes", QStyle::SP_ArrowDown},
        {"", "", QStyle::SP_CustomBase},
        {"btnAyuda", "Ayuda", QStyle::SP_MessageBoxQuestion},
        {"btnSalir", "Salir", QStyle::SP_DialogCloseButton},
    };
    for (const Boton &b : botones) {
        QAction *a = QString(b.clave).isEmpty() ? barra_->addSeparator()
                                                : barra_->addAction(style()->standardIcon(b.icono), b.consejo);
        a->setObjectName(QString(b.clave).isEmpty() ? QString() : QString(b.clave));
        if (!QString(b.clave).isEmpty()) {
            a->setToolTip(b.consejo);
            const QString clave = b.clave;
            connect(a, &QAction::triggered, this, [this, clave] { PulsaBoton(clave); });
        }
    }
    for (const char *n : {"btnGuardar", "btnEnviarAjustes", "btnRecibirAjustes"})
        findChild<QAction *>(n)->setEnabled(false);
}

void Madre::CreaEstado() {
    auto *barra = statusBar();
    barra->setObjectName("StatusBar1");
    barra->setSizeGripEnabled(true);
    for (int i = 0; i < 5; ++i) {
        auto *p = new QLabel(this);
        p->setObjectName(QString("StatusBar1_%1").arg(i + 1));
        p->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        p->setMinimumWidth(i == 0 ? 120 : 60);
        barra->addPermanentWidget(p, i == 0 ? 1 : 0);
        paneles_[i] = p;
    }
    paneles_[4]->installEventFilter(this);
}

bool Madre::eventFilter(QObject *o, QEvent *e) {
    if (o == paneles_[4] && e->type() == QEvent::MouseButtonDblClick) {
        MuestraOpciones(true);
        return true;
    }
    return QMainWindow::eventFilter(o, e);
}

void Madre::PulsaBoton(const QString &clave) {
    static const QHash<QString, QString> comandos = {
        {"btnNuevo", "mnuNuevo"},
        {"btnAbrir", "mnuAbrir"},
        {"btnGuardar", "mnuGuardar"},
        {"btnEnviarAjustes", "mnuEnviarAjustes"},
        {"btnRecibirAjustes", "mnuRecibirAjustes"},
        {"btnAyuda", "mnuContenido"},
        {"btnSalir", "mnuSalir"},
    };
    QString comando = comandos.value(clave);
    if (clave == "btnReleOnOff") comando = ctx_.app.EstadoConexion < 255 ? "mnuEmulacionRele" : "mnuConexionRele";
    if (auto *a = findChild<QAction *>(comando)) a->trigger();
    // A two-state button: pressed exactly while connected, whatever the click did.
    if (clave == "btnReleOnOff") findChild<QAction *>("btnReleOnOff")->setChecked(ctx_.app.EstadoConexion == 0);
}

bool Madre::Carga(InstanciaUnica &instancia, const QString &directorioPrograma, const QString &directorioTemporal) {
    return Arranque(ctx_, *this, instancia, directorioPrograma, directorioTemporal,
                    {TARVO_VERSION_MAJOR, TARVO_VERSION_MINOR, TARVO_VERSION_PATCH});
}

void Madre::MuestraEditor(QWidget *vista, const std::function<bool()> &carga) {
    if (vista_) {
        // Closing lets go of the working copy now; the widget itself goes
        // later, since the call may come from one of its own buttons.
        vista_->hide();
        vista_->close();
        marco_->removeWidget(vista_);
        vista_->deleteLater();
    }
    vista_ = vista;
    vista->setParent(centralWidget());
    marco_->addWidget(vista);
    vista->show();
    if (carga && !carga()) MuestraPortada();
}

void Madre::OcultaFuncionesRele() {
    findChild<QMenu *>("mnuModoTrabajo")->menuAction()->setVisible(false);
    paneles_[4]->setVisible(false);
    for (const char *n : {"btnReleOnOff", "btnEnviarAjustes", "btnRecibirAjustes"})
        findChild<QAction *>(n)->setVisible(false);
}

void Madre::MuestraOpcionesPrimeraVez() {
    Opciones dlg(ctx_, *this, this);
    dlg.setWindowTitle(QString(TituloAplicacion) + " Configuration Setup");
    dlg.exec();
}

void Madre::MuestraOpciones(bool soloComunicaciones) {
    Opciones dlg(ctx_, *this, this);
    if (soloComunicaciones) dlg.SoloComunicaciones();
    dlg.exec();
}

void Madre::ActivaAyuda(bool activa) {
    findChild<QAction *>("mnuContenido")->setEnabled(activa);
    findChild<QAction *>("btnAyuda")->setEnabled(activa);
}

void Madre::PonPanel(int panel, const QString &texto) {
    if (panel >= 1 && panel <= 5) paneles_[panel - 1]->setText(texto);
}

void Madre::MuestraPortada() {
    if (qobject_cast<Portada *>(vista_)) return;
    MuestraEditor(new Portada(ctx_.dic));
}

void Madre::Centra() {
    const QRect escritorio = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    move(PosicionVentana(escritorio, frameGeometry(), CentroEscritorio));
}

void Madre::PonTitulo(const QString &titulo) { setWindowTitle(titulo); }

void Madre::PonTextosIdioma() {
    TraduceDialogosToolkit(ctx_.dic.Idioma());
    tarvo::PonTextosIdioma(this, "MADRE", ctx_.dic);
    if (auto *p = qobject_cast<Portada *>(vista_)) p->PonTextos();
    if (auto *editor = dynamic_cast<VistaEditor *>(vista_.data())) editor->PonTextos();
}

void Madre::TraduceConfiguracion() { PonIdiomaFichero(ctx_, ctx_.app.CopiaTrabajo); }

void Madre::AbreEditorAjustes() {
    const QString nombre = sender() ? sender()->objectName() : QString();
    const int corte = nombre.lastIndexOf('_');
    MuestraEstado(ctx_, ctx_.dic.Texto(79), true);
    VistaEditor *editor = CreaVistaEditor(ctx_, *this, nombre.left(corte), nombre.mid(corte + 1).toInt());
    if (editor) {
        MuestraEditor(editor, [editor] { return editor->Carga(); });
    } else {
        MuestraEstado(ctx_, ctx_.dic.Texto(70));
    }
    ctx_.ui->CursorOcupado(false);
}

void Madre::CierraTodo() { DriverOrbel(ctx_.app).PuertoAbierto(false); }

void Madre::ConRele(void (*orden)(Comunicaciones &)) {
    Comunicaciones c{ctx_, *this, *monitor_, DriverOrbel(ctx_.app)};
    orden(c);
}

void Madre::Guardar() {
    if (auto *a = findChild<QAction *>("mnuGuardar")) a->trigger();
}

void Madre::ActivaComandosFichero(bool activos) {
    for (const char *n : {"mnuGuardar", "btnGuardar", "mnuGuardarComo", "mnuInformacion", "mnuCrearInforme",
                          "mnuCompararFichero", "mnuExportarTexto", "mnuComprobar", "mnuConvertir"})
        findChild<QAction *>(n)->setEnabled(activos);
    findChild<QAction *>("mnuCompararRele")->setEnabled(activos && ctx_.app.EstadoConexion == 0);
}

void Madre::ActivaMenusAjustes(bool activos) {
    for (const char *n : {"mnuAjustes", "mnuAjustesControl", "mnuAjustesProteccion", "mnuAjustesComunicacion"})
        findChild<QMenu *>(n)->setEnabled(activos);
}

void Madre::ActivaEntradaAjuste(const QString &menu, int indice, bool activa) {
    if (auto *a = findChild<QAction *>(QString("%1_%2").arg(menu).arg(indice))) a->setEnabled(activa);
}

bool Madre::EntradaAjusteActiva(const QString &menu, int indice) const {
    const auto *a = findChild<QAction *>(QString("%1_%2").arg(menu).arg(indice));
    return a && a->isEnabled();
}

void Madre::Habilita(bool habilitada) { setEnabled(habilitada); }

void Madre::SuspendeEditor(bool reanudar) {
    auto *editor = dynamic_cast<VistaEditor *>(vista_.data());
    if (!editor) return;
    if (reanudar)
        editor->Reanuda();
    else
        editor->Suspende();
}

void Madre::PonModoConexion(bool conectado) {
    auto *conexion = findChild<QAction *>("mnuConexionRele");
    auto *emulacion = findChild<QAction *>("mnuEmulacionRele");
    conexion->setCheckable(true);
    emulacion->setCheckable(true);
    conexion->setChecked(conectado);
    emulacion->setChecked(!conectado);
    conexion->setEnabled(!conectado);
    emulacion->setEnabled(conectado);
    for (const char *n : {"mnuEnviarAjustes", "mnuRecibirAjustes", "btnEnviarAjustes", "btnRecibirAjustes",
                          "mnuEnviarVerificar", "mnuEnviarCambios"})
        findChild<QAction *>(n)->setEnabled(conectado);
    // The relay is compared with the open configuration.
    findChild<QAction *>("mnuCompararRele")->setEnabled(conectado && ctx_.app.HayFicheroActual());
    auto *boton = findChild<QAction *>("btnReleOnOff");
    boton->setCheckable(true);
    boton->setChecked(conectado);
}

void Madre::Salir() {
    if (!tarvo::Salir(ctx_, *this)) return;
    descargada_ = true;
    close();
}

void Madre::closeEvent(QCloseEvent *e) {
    if (!descargada_) DescargaMadre(ctx_, *this);
    descargada_ = true;
    e->accept();
}

void Madre::MuestraAyuda() {
    if (ctx_.app.FicheroAyuda.isEmpty()) return;
    if (!QFileInfo::exists(ctx_.app.FicheroAyuda)) {
        ctx_.ui->Muestra({ctx_.dic.Texto(1352, ctx_.app.FicheroAyuda), ctx_.T148(), Icono::Exclamacion,
                          Botones::Aceptar});
        return;
    }
    auto *ayuda = findChild<Ayuda *>();
    if (!ayuda) ayuda = new Ayuda(ctx_.dic, this);
    ayuda->Abre(ctx_.app.FicheroAyuda);
}

void Madre::MuestraAcercaDe() {
    Acerca_De dlg(ctx_, this);
    dlg.exec();
}

}  // namespace tarvo
