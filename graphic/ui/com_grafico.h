// com_Grafico: the window in which the user draws the relay's display. The
// current page's cells, a palette of 50 object kinds, page switching, the
// send button. The placing, editing and deleting are EditorGrafico's.
#pragma once

#include "core/ui/vista_editor.h"
#include "core/ventana_madre.h"
#include "graphic/editor_grafico.h"
#include "graphic/ui/dialogos.h"
#include "graphic/ui/imprime_grafico.h"

#include <QTimer>

#include <array>
#include <functional>
#include <memory>

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace tarvo {

// Pantalla: the grid of the current page, with a cell cursor moved by the
// mouse and the arrow keys. A press places, a double click edits, Delete
// deletes (Enter acts as a press on the cursor's cell).
class RejillaPantalla : public QWidget {
    Q_OBJECT
public:
    RejillaPantalla(const ModeloPantalla &modelo, QWidget *padre);
    void PonPagina(int pag);
    int Pagina() const { return pag_; }
    Celda Cursor() const { return {pag_, fila_, col_}; }
    void PonCursor(const Celda &c);
    // The cell under a point of the widget, if any.
    std::optional<Celda> CeldaEn(const QPoint &punto) const;
    QRectF Area() const;
    QSize sizeHint() const override;

signals:
    void Pulsada(Celda c);
    void DobleClic(Celda c);
    void Suprimir(Celda c);
    void Movimiento();

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    const ModeloPantalla &modelo_;
    int pag_ = 0, fila_ = 0, col_ = 0;
};

class com_Grafico : public VistaEditor {
    Q_OBJECT
public:
    com_Grafico(Contexto &ctx, VentanaMadre &madre, QWidget *padre = nullptr);
    ~com_Grafico() override;

    bool Carga() override;
    void Suspende() override;
    void Reanuda() override;
    void PonTextos() override;

    void PaginaSiguiente();
    void PaginaAnterior();
    void EnviaGrafico();
    // The printed sheet, on a printer the user chooses or into a PDF file;
    // both ask the graphic number first.
    void Imprime();
    void ExportaPdf();
    int PaginaActual() const { return rejilla_->Pagina(); }
    // The palette button pressed (-1 none).
    int BotonPulsado() const;
    EditorGrafico &Logica() { return *logica_; }
    RejillaPantalla *Rejilla() const { return rejilla_; }
    QAbstractButton *BotonObjeto(int tipo) const;

protected:
    bool eventFilter(QObject *o, QEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void CreaControles();
    void CargaBotones();
    void MuestraPagina(int pag);
    void Refresca();
    void OcultaConsejo();
    void MuestraConsejo();
    std::optional<HojaDisplay> PreparaHoja();

    Contexto &ctx_;
    VentanaMadre &madre_;
    CatalogosDialogos cat_;
    DialogosQt dialogos_;
    std::unique_ptr<EditorGrafico> logica_;
    RejillaPantalla *rejilla_ = nullptr;
    QButtonGroup *paleta_ = nullptr;
    QLabel *titulo_ = nullptr, *numero_ = nullptr, *consejo_ = nullptr;
    QComboBox *lista_ = nullptr;
    QPushButton *anterior_ = nullptr, *siguiente_ = nullptr, *enviar_ = nullptr, *salir_ = nullptr;
    QPushButton *imprimir_ = nullptr, *pdf_ = nullptr;
    QString numeroGrafico_;   // the last graphic number given, proposed again
    QLineEdit *fichero_ = nullptr;
    QTimer reposo_;
    int bajoPuntero_ = -1;
};

}  // namespace tarvo
