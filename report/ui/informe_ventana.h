// Informe: the configuration report's view. Loading writes the report file
// from the working copy and reads its pages back; the view shows one page at
// a time, prints them all or writes them into a PDF. The report file goes
// with the view.
#pragma once

#include "core/ui/vista_editor.h"
#include "core/ventana_madre.h"
#include "report/ui/pinta_informe.h"

#include <optional>

class QLabel;
class QPushButton;
class QScrollArea;

namespace tarvo {

class Informe : public VistaEditor {
    Q_OBJECT
public:
    Informe(Contexto &ctx, VentanaMadre &madre, QWidget *padre = nullptr);
    ~Informe() override;

    // Writes the report of the working copy and shows its first page.
    bool Carga() override;
    // The working copy is held only while the report is written.
    void Suspende() override {}
    void Reanuda() override {}
    void PonTextos() override;

    // Reads the pages of the report file as it stands and shows the first;
    // false after telling the user when it is not a report.
    bool LeeFichero();
    void MuestraPagina(int indice);
    void PaginaSiguiente();
    void PaginaAnterior();
    void Imprime();
    void ExportaPdf();

    int PaginaActual() const { return actual_; }
    int Paginas() const { return int(paginas_.size()); }

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    void CreaControles();
    void PonPaginador();
    void BorraFichero();
    const HojaDisplay *Display() const { return display_ ? &*display_ : nullptr; }

    Contexto &ctx_;
    VentanaMadre &madre_;
    QList<PaginaInforme> paginas_;
    std::optional<HojaDisplay> display_;   // when the model has a display graphic
    CabeceraInforme cabecera_;
    int actual_ = 0;
    bool borrado_ = false;
    QScrollArea *area_ = nullptr;
    QLabel *pag_ = nullptr, *paginador_ = nullptr;
    QPushButton *anterior_ = nullptr, *siguiente_ = nullptr, *imprimir_ = nullptr, *pdf_ = nullptr,
                *salir_ = nullptr;
};

}  // namespace tarvo
