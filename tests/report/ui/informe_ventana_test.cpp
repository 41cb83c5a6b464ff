// The report's view on hand-made report files and on a shipped model's
// working copy, its page drawing and its PDF.
#include "report/ui/informe_ventana.h"
#include "store/ficheros.h"
#include "support/instalacion.h"

#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

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
private slots:
    // Next and previous move one page and stop at the ends; the paginator
    // follows, the scroll bars go back to the top; one page hides both.
    void paginas() {
        prueba::Instalacion ins;
        Escribe(ins.ctx.app.FicheroInforme, TextoInforme(3));
        tarvo::Informe w(ins.ctx, ins.v);
        w.resize(700, 500);
        w.show();
        QVERIFY(w.LeeFichero());
        auto *siguiente = w.findChild<QPushButton *>("btn_Next"), *anterior = w.findChild<QPushButton *>("btn_Previous");
        auto *paginador = w.findChild<QLabel *>("paginator");
        auto *vscroll = w.findChild<QScrollBar *>("vscroll");
        QVERIFY(w.findChild<QLabel *>("pag") && w.findChild<QScrollBar *>("hscroll"));
        const struct {
            QPushButton *boton;
            int pagina;
        } pasos[] = {{nullptr, 1}, {siguiente, 2}, {siguiente, 3}, {siguiente, 3}, {anterior, 2}, {anterior, 1}, {anterior, 1}};
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

        Escribe(ins.ctx.app.FicheroInforme, TextoInforme(1));
        QVERIFY(w.LeeFichero());
        QVERIFY(!siguiente->isVisible() && !anterior->isVisible());
        QCOMPARE(paginador->text(), ins.ctx.dic.Texto(1919) + " 1/1");

        Escribe(ins.ctx.app.FicheroInforme, "no es un informe");
        ins.ui.Espera(ins.ctx.dic.Texto(529, 0, QString()).left(10));
        QVERIFY(!w.LeeFichero());
        QCOMPARE(ins.ui.Pendientes(), QStringList());
    }

    // The report file goes with the view, whether it is closed or deleted.
    void ficheroBorrado() {
        for (const bool cerrar : {true, false}) {
            prueba::Instalacion ins;
            Escribe(ins.ctx.app.FicheroInforme, TextoInforme(2));
            auto w = std::make_unique<tarvo::Informe>(ins.ctx, ins.v);
            QVERIFY(w->LeeFichero());
            if (cerrar) w->close();
            else w.reset();
            QVERIFY2(!QFile::exists(ins.ctx.app.FicheroInforme), cerrar ? "closed" : "deleted");
        }
    }

    // A shipped model: the report is written and read, and the working copy
    // is free again for the editors.
    void cargaModelo() {
        prueba::Instalacion ins;
        ins.ui.AceptaAvisos(true);
        ins.ui.EsperaModelo("TRV-610 **");
        NuevaConfiguracion(ins.ctx, ins.v);
        tarvo::Informe w(ins.ctx, ins.v);
        QVERIFY(w.Carga());
        QVERIFY(w.Paginas() >= 1);
        QVERIFY(bd::BaseDatos::Abrir(ins.ctx.app.CopiaTrabajo, bd::Apertura::Exclusiva));
    }

    // The display is drawn under the graphic section's title only.
    void paginaGrafico() {
        prueba::Instalacion ins;
        ins.ui.AceptaAvisos(true);
        ModeloPantalla pantalla;
        ObjetoGrafico texto;
        texto.Identificador = 1, texto.apaN2 = 21, texto.txt = "ABC", texto.x = 2, texto.y = 12;
        pantalla.Dibuja(texto, 0);
        HojaDisplay h;
        h.celdas = pantalla.Celdas();
        const QString titulo = ins.ctx.dic.Texto(1912);
        const struct {
            QString primera;
            bool display, tinta;
        } casos[] = {{titulo, true, true}, {titulo, false, false}, {"Otra tabla", true, false}};
        for (const auto &c : casos) {
            PaginaInforme p{1, {{CodigoLinea::TituloTabla, c.primera, {}}}};
            QImage hoja(QSizeF(AnchoLienzo / 15, AltoLienzo / 15).toSize(), QImage::Format_RGB32);
            QPainter pintor(&hoja);
            pintor.scale(1 / 15.0, 1 / 15.0);
            PintaPaginaInforme(pintor, p, {}, c.display ? &h : nullptr, ins.ctx.dic);
            pintor.end();
            // Inside the first display page's grid, below the title.
            int oscuros = 0;
            for (int y = 3000 / 15; y < 6000 / 15; ++y)
                for (int x = 1900 / 15; x < 8900 / 15; ++x) oscuros += qGray(hoja.pixel(x, y)) < 128;
            QVERIFY2((oscuros > 0) == c.tinta, qPrintable(c.primera));
        }
    }

    // One PDF page per report page, with its text as text; an unwritable file is refused.
    void pdf() {
        prueba::Instalacion ins;
        QTemporaryDir dir;
        const QList<PaginaInforme> paginas = LeeInforme(TextoInforme(3));
        const QString fichero = dir.filePath("informe.pdf");
        QVERIFY(EscribePdfInforme(fichero, paginas, {"1.0.0"}, nullptr, ins.ctx.dic));
        QFile f(fichero);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString pdf = QString::fromLatin1(f.readAll());
        QVERIFY(pdf.startsWith("%PDF"));
        QCOMPARE(pdf.count(QRegularExpression("/Type\\s*/Page(?!s)")), 3);
        QVERIFY(pdf.contains("/Font") && pdf.contains("/ToUnicode"));
        QVERIFY(!EscribePdfInforme(dir.filePath("no/existe.pdf"), paginas, {}, nullptr, ins.ctx.dic));
    }
};

QTEST_MAIN(PruebaInforme)
#include "informe_ventana_test.moc"
