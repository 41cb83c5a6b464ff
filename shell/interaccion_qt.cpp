#include "shell/interaccion_qt.h"

#include "store/ui/seleccion_modelo.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

namespace tarvo {
namespace {

QMessageBox::StandardButtons BotonesQt(Botones b) {
    switch (b) {
    case Botones::Aceptar: return QMessageBox::Ok;
    case Botones::AceptarCancelar: return QMessageBox::Ok | QMessageBox::Cancel;
    case Botones::ReintentarCancelar: return QMessageBox::Retry | QMessageBox::Cancel;
    case Botones::SiNo: return QMessageBox::Yes | QMessageBox::No;
    case Botones::SiNoCancelar: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Botones::AbortarReintentarIgnorar: return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon IconoQt(Icono i) {
    switch (i) {
    case Icono::Informacion: return QMessageBox::Information;
    case Icono::Exclamacion: return QMessageBox::Warning;
    case Icono::Critico: return QMessageBox::Critical;
    case Icono::Pregunta: return QMessageBox::Question;
    case Icono::Ninguno: break;
    }
    return QMessageBox::NoIcon;
}

Boton DeQt(int b) {
    switch (b) {
    case QMessageBox::Cancel: return Boton::Cancelar;
    case QMessageBox::Retry: return Boton::Reintentar;
    case QMessageBox::Yes: return Boton::Si;
    case QMessageBox::No: return Boton::No;
    case QMessageBox::Abort: return Boton::Abortar;
    case QMessageBox::Ignore: return Boton::Ignorar;
    default: return Boton::Aceptar;
    }
}

}  // namespace

Boton InteraccionQt::Muestra(const Mensaje &m) {
    // A question must be answered with the normal pointer, even mid-operation.
    const bool estabaOcupado = QApplication::overrideCursor() != nullptr;
    if (estabaOcupado) QApplication::setOverrideCursor(Qt::ArrowCursor);
    QMessageBox caja(IconoQt(m.icono), m.titulo, QString(m.texto).replace("\r\n", "\n").replace('\r', '\n'), BotonesQt(m.botones),
                     QApplication::activeWindow());
    // The buttons speak the program's language, not the toolkit's. Only texts
    // the dictionary holds are asked for: before it is loaded (or without the
    // text) asking would report the miss through this very box, and again.
    if (dic_) {
        const std::pair<QMessageBox::StandardButton, int> textos[] = {
            {QMessageBox::Ok, 140},    {QMessageBox::Cancel, 141}, {QMessageBox::Yes, 143}, {QMessageBox::No, 144},
            {QMessageBox::Retry, 145}, {QMessageBox::Abort, 146},  {QMessageBox::Ignore, 149}};
        for (const auto &[boton, texto] : textos)
            if (QAbstractButton *b = caja.button(boton); b && dic_->Existe(texto, dic_->Idioma()))
                b->setText(dic_->Texto(texto));
    }
    if (m.predeterminado) {
        const std::pair<Boton, QMessageBox::StandardButton> botones[] = {
            {Boton::Aceptar, QMessageBox::Ok}, {Boton::Cancelar, QMessageBox::Cancel}, {Boton::Si, QMessageBox::Yes},
            {Boton::No, QMessageBox::No},      {Boton::Reintentar, QMessageBox::Retry}};
        for (const auto &[boton, qt] : botones)
            if (boton == *m.predeterminado) caja.setDefaultButton(qt);
    }
    const int r = caja.exec();
    if (estabaOcupado) QApplication::restoreOverrideCursor();
    // Closing the box with its window button counts as its cancelling answer.
    if (r == QMessageBox::Escape && m.botones != Botones::Aceptar) return Boton::Cancelar;
    return DeQt(r);
}

std::optional<QString> InteraccionQt::EligeFichero(const ConsultaFichero &c) {
    QFileDialog dlg(QApplication::activeWindow(), c.titulo, c.carpeta);
    dlg.setNameFilters(c.filtros);
    dlg.setDefaultSuffix(c.extension);
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    if (!c.filtros.isEmpty()) dlg.selectNameFilter(c.filtros.first());
    if (c.modo == ConsultaFichero::Modo::Guardar) {
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setFileMode(QFileDialog::AnyFile);
        // The program asks its own question (text 500) before replacing a file.
        dlg.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dlg.setFileMode(QFileDialog::ExistingFile);
    }
    if (!c.nombre.isEmpty()) dlg.selectFile(c.nombre);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    return dlg.selectedFiles().first();
}

std::optional<QString> InteraccionQt::EligeCarpeta(const QString &titulo, const QString &inicial) {
    const QString r = QFileDialog::getExistingDirectory(QApplication::activeWindow(), titulo, inicial,
                                                        QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (r.isEmpty()) return std::nullopt;
    return r;
}

std::optional<QString> InteraccionQt::EligeModelo(const QStringList &lineas, bool aceptar) {
    SeleccionModelo dlg(lineas, aceptar, dic_, QApplication::activeWindow());
    if (dlg.exec() != QDialog::Accepted || dlg.Elegido().isEmpty()) return std::nullopt;
    return dlg.Elegido();
}

void InteraccionQt::PonEstado(const QString &texto) {
    if (panel_) panel_->setText(texto);
}

QString InteraccionQt::Estado() const { return panel_ ? panel_->text() : QString(); }

void InteraccionQt::CursorOcupado(bool ocupado) {
    if (ocupado) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++ocupado_;
    } else {
        while (ocupado_ > 0) {
            QApplication::restoreOverrideCursor();
            --ocupado_;
        }
    }
}

void InteraccionQt::ProcesaEventos() { QCoreApplication::processEvents(); }

void InteraccionQt::Pita() { QApplication::beep(); }

void TraduceDialogosToolkit(quint8 idioma) {
    static QPointer<QTranslator> instalado;
    delete instalado.data();   // its destructor uninstalls it
    if (idioma != 0) return;
    auto *t = new QTranslator(QCoreApplication::instance());
    // Without the translations installed the dialogs stay in English.
    if (t->load("qtbase_es", QLibraryInfo::path(QLibraryInfo::TranslationsPath)) && QCoreApplication::installTranslator(t))
        instalado = t;
    else
        delete t;
}

}  // namespace tarvo
