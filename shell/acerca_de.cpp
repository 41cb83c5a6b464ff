#include "shell/acerca_de.h"

#include "core/ui/textos_qt.h"
#include "core/rutas.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace tarvo {

Acerca_De::Acerca_De(Contexto &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx) {
    setObjectName("Acerca_De");
    auto *titulo = new QLabel(this);
    titulo->setObjectName("lblTitle");
    titulo->setStyleSheet("font-size: 16pt; font-weight: bold;");
    auto *version = new QLabel("v" + ctx.app.VersionPrograma, this);
    version->setObjectName("lblVersion");
    auto *fecha = new QLabel("01-Abr-2011", this);
    fecha->setObjectName("lblCompDate");
    auto *descripcion = new QPlainTextEdit(this);
    descripcion->setObjectName("txtDescription");
    descripcion->setReadOnly(true);
    descripcion->setFixedHeight(90);
    auto *ok = new QPushButton(this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    auto *sistema = new QPushButton(this);
    sistema->setObjectName("cmdSysInfo");

    auto *rejilla = new QGridLayout(this);
    rejilla->addWidget(titulo, 0, 0, 1, 2);
    rejilla->addWidget(version, 1, 0);
    rejilla->addWidget(fecha, 1, 1, Qt::AlignRight);
    rejilla->addWidget(descripcion, 2, 0, 1, 2);
    rejilla->addWidget(sistema, 3, 0);
    rejilla->addWidget(ok, 3, 1);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(sistema, &QPushButton::clicked, this, &Acerca_De::InformacionSistema);

    PonTextosIdioma(this, "ACERCA", ctx.dic);
    adjustSize();
    if (screen()) move(PosicionVentana(screen()->availableGeometry(), frameGeometry(), CentroEscritorio));
}

// There is no system information tool on this platform.
void Acerca_De::InformacionSistema() {
    ctx_.ui->Muestra({"La información del sistema no está disponible en este momento", ctx_.T148(),
                      Icono::Exclamacion, Botones::Aceptar});
}

}  // namespace tarvo
