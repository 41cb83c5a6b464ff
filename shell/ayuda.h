// The help viewer: the HTML manual shipped in the program folder.
#pragma once

#include "core/diccionario.h"

#include <QDialog>

class QTextBrowser;

namespace tarvo {

class Ayuda : public QDialog {
    Q_OBJECT
public:
    Ayuda(const clsDiccionario &dic, QWidget *parent = nullptr);
    void Abre(const QString &fichero);
    QTextBrowser *Navegador() const { return navegador_; }

private:
    QTextBrowser *navegador_;
};

}  // namespace tarvo
