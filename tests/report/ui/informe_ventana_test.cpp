// The report's view on hand-made report files and on a shipped model's
// working copy, its page drawing and its PDF.
#include "report/ui/informe_ventana.h"
#include "store/ficheros.h"
#include "support/instalacion.h"

#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

// Objects are written with designated initializers; the other columns keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace tarvo;

namespace {

// A report of `paginas` pages, a heading, a table header and a row on each.
QString TextoInforme(int paginas) {
    QString t;
    for (int p = 1; p <= paginas; ++p)
        t += QString("#0 %1\n#1 Sección %1\n#3 Tabla\n#5 #50 Nº#51 Nombre\n#4 #40 %1#40 Interruptor %1\n").arg(p);
    return t;
}

void Escribe(const QString &fichero, const QString &texto) {
    QFile f(fichero);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(texto.toUtf8());
}

}  // namespace

class PruebaInforme : public QObject {
    Q_OBJECT
    prueba::Instalacion ins;

private slots:
    // Next and previous move one page and stop at the ends; the paginator
    // follows, the scroll bars go back to the top; a text that is no report is
    // refused; one page hides both buttons. Closing the view deletes its file.
    void paginas() {
        Escribe(ins.ctx.app.FicheroInforme, TextoInforme(3));
        tarvo::Informe w(ins.ctx, ins.v);
        w.resize(700, 500);
        w.show();
        QVERIFY(w.LeeFichero());
        auto *siguiente = w.findChild<QPushButton *>("btn_Next"), *anterior = w.findChild<QPushButton *>("btn_Previous");
        auto *paginador = w.findChild<QLabel *>("paginator");
        auto *vscroll = w.findChild<QScrollBar *>("vscroll");
        const struct { QPushButton *boton; int pagina; } pasos[] = {
            {nullptr, 1}, {siguiente, 2}, {siguiente, 3}, {siguiente, 3}, {anterior, 2}, {anterior, 1}, {anterior, 1}};
        for (const auto &p : pasos) {
            const bool pulsa = p.boton && p.boton->isEnabled();
            vscroll->setValue(vscroll->maximum());
            if (pulsa) QTest::mouseClick(p.boton, Qt::LeftButton);
            QCOMPARE(paginador->text(), ins.ctx.dic.Texto(1919) + QString(" %1/3").arg(p.pagina));
            QCOMPARE(anterior->isEnabled(), p.pagina > 1);
            QCOMPARE(siguiente->isEnabled(), p.pagina < 3);
            if (pulsa) QCOMPARE(vscroll->value(), 0);
        }
        QVERIFY(vscroll->maximum() > 0 && siguiente->isVisible() && anterior->isVisible());

        Escribe(ins.ctx.app.FicheroInforme, "no es un informe");
        ins.ui.Espera(ins.ctx.dic.Texto(529, 0, QString()).left(10));
        QVERIFY(!w.LeeFichero());
        QCOMPARE(ins.ui.Pendientes(), QStringList());

        Escribe(ins.ctx.app.FicheroInforme, TextoInforme(1));
        QVERIFY(w.LeeFichero());
        QVERIFY(!siguiente->isVisible() && !anterior->isVisible());
        QCOMPARE(paginador->text(), ins.ctx.dic.Texto(1919) + " 1/1");
        w.close();
        QVERIFY(!QFile::exists(ins.ctx.app.FicheroInforme));
    }

    // The display is drawn under the graphic section's title only.
    void paginaGrafico() {
        ins.ui.AceptaAvisos(true);
        ModeloPantalla pantalla;
        pantalla.Dibuja({.Identificador = 1, .apaN2 = 21, .txt = "ABC", .x = 2, .y = 12}, 0);
        HojaDisplay h;
        h.celdas = pantalla.Celdas();
        auto pinta = [&](const QString &primera, const HojaDisplay *display) {
            QImage hoja(QSizeF(AnchoLienzo / 15, AltoLienzo / 15).toSize(), QImage::Format_RGB32);
            hoja.fill(Qt::white);
            QPainter pintor(&hoja);
            pintor.scale(1 / 15.0, 1 / 15.0);
            PintaPaginaInforme(pintor, {1, {{CodigoLinea::TituloTabla, primera, {}}}}, {}, display, ins.ctx.dic);
            pintor.end();
            return hoja;
        };
        const QString titulo = ins.ctx.dic.Texto(1912);
        QVERIFY(pinta(titulo, &h) != pinta(titulo, nullptr));
        QVERIFY(pinta("Otra tabla", &h) == pinta("Otra tabla", nullptr));
    }

    // The PDF keeps its text as text (its pages are counted by the command line's
    // test); an unwritable file is refused.
    void pdf() {
        QTemporaryDir dir;
        const QList<PaginaInforme> paginas = LeeInforme(TextoInforme(3));
        const QString fichero = dir.filePath("informe.pdf");
        QVERIFY(EscribePdfInforme(fichero, paginas, {"1.0.0"}, nullptr, ins.ctx.dic));
        QFile f(fichero);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString pdf = QString::fromLatin1(f.readAll());
        QVERIFY(pdf.contains("/Font") && pdf.contains("/ToUnicode"));
        QVERIFY(!EscribePdfInforme(dir.filePath("no/existe.pdf"), paginas, {}, nullptr, ins.ctx.dic));
    }

    // Last, as it makes a working copy: a shipped model's report is written and
    // read, and the working copy is free again for the editors. Deleting the
    // view deletes its report file.
    void cargaModelo() {
        ins.ui.AceptaAvisos(true);
        ins.ui.EsperaModelo("TRV-610 **");
        NuevaConfiguracion(ins.ctx, ins.v);
        auto w = std::make_unique<tarvo::Informe>(ins.ctx, ins.v);
        QVERIFY(w->Carga());
        QVERIFY(w->Paginas() >= 1);
        QVERIFY(bd::BaseDatos::Abrir(ins.ctx.app.CopiaTrabajo, bd::Apertura::Exclusiva));
        w.reset();
        QVERIFY(!QFile::exists(ins.ctx.app.FicheroInforme));
    }
};

QTEST_MAIN(PruebaInforme)
#include "informe_ventana_test.moc"
