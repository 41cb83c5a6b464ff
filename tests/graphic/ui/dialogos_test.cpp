// The display objects' property dialogs, offscreen: what each gives back,
// opened new and for an edit; the text limits and character filter; the
// choices they insist on.
#include "graphic/ui/dialogos.h"
#include "store/ficheros.h"
#include "support/instalacion.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace tarvo;

namespace {

CatalogosDialogos Catalogos() {
    CatalogosDialogos c;
    c.aparamenta = {{"Interruptor 52", 1, 20, 0}, {"Seccionador", 1, 20, 2}};
    c.maniobras = {{"Abrir", 1, 0, 0, 1}, {"Cerrar", 1, 0, 0, 2}, {"Bloquear", 1, 0, 0, 9}};
    c.medidas = {{"Ia", 0, 30, 0, 0, "A", 1}, {"Temperatura", 1, 41, 0, 0, "ºC", 7}};
    c.contadores = {{"Energia", 0, 1}, {"Pulsos 1", 1, 5}};
    c.analogicos = {{"Ia", 0, 10}, {"P", 0, 14}};
    c.estados = {QList<DatoGrafico>{{"Disparo", 0, 60, 0}}, {{"Local", 1, 70, 0}, {"Remoto", 1, 70, 1}},
                 {{"Puerto", 2, 80, 5}}};
    c.eventos = {QList<DatoGrafico>{{"Ev1", 0, 0, 0}}, {{"Ev1", 1, 0, 0}}, {{"Ev1", 2, 0, 0}, {"Ev9", 2, 1, 0}}};
    c.bornas = {QList<DatoGrafico>{{"EP1", 0, 40, 0}}, {{"SP4", 0, 41, 3}}, {{"EC9", 1, 51, 0}}, {{"SC2", 1, 53, 1}}};
    c.textos = {{164, -1}, {196, 34}};   // ñ only inside texts; the horizontal line is a kind of its own
    return c;
}

ParametrosDialogo Nuevo(int tipo) {
    ParametrosDialogo p;
    p.tipo = qint16(tipo);
    return p;
}

ParametrosDialogo Edicion(int tipo, const std::function<void(ParametrosDialogo &)> &valores) {
    ParametrosDialogo p = Nuevo(tipo);
    p.modo = 2;
    valores(p);
    return p;
}

ParametrosDialogo Texto(int codigo, bool edita = false, QString txt = {}, QString txtb0 = {}) {
    ParametrosDialogo p = Nuevo(codigo == 36 ? 20 : codigo == ApaFichero ? 25 : 21);
    PreparaTexto(p, codigo);
    p.modo = edita ? 2 : 0;
    p.txt = txt;
    p.txtb0 = txtb0;
    return p;
}

// Each dialog kind, opened and shown.
using Fabrica = std::unique_ptr<DialogoGrafico> (*)(Contexto &, const CatalogosDialogos &, const ParametrosDialogo &);
template <typename D>
std::unique_ptr<DialogoGrafico> Abre(Contexto &ctx, const CatalogosDialogos &c, const ParametrosDialogo &p) {
    auto r = std::make_unique<D>(ctx, c, p);
    r->show();
    return r;
}

template <typename W>
W *Control(QWidget &d, const char *nombre) {
    W *w = d.findChild<W *>(nombre);
    if (!w) qFatal("no control %s", nombre);
    return w;
}
void Elige(QWidget &d, const char *lista, int fila) {
    auto *l = Control<QListWidget>(d, lista);
    emit l->itemDoubleClicked(l->item(fila));
}
void Teclea(QWidget &d, const char *caja, const QString &texto) {
    auto *c = Control<QLineEdit>(d, caja);
    c->setFocus();
    c->clear();
    // One key per letter carrying the letter itself, so that letters outside
    // Latin-1 reach the box too.
    for (const QChar l : texto)
        QTest::sendKeyEvent(QTest::Click, c, l.unicode() < 128 ? Qt::Key(l.toUpper().unicode()) : Qt::Key_unknown,
                            QString(l), Qt::NoModifier);
}
void Pulsa(QWidget &d, const char *boton) { Control<QAbstractButton>(d, boton)->click(); }
QString Caja(QWidget &d, const char *caja) { return Control<QLineEdit>(d, caja)->text(); }
bool Marcada(QWidget &d, const char *opcion) { return Control<QRadioButton>(d, opcion)->isChecked(); }

QString Describe(const ParametrosDialogo &p) {
    return QString("apa %1 cpu %2 donde %3 permiso %4 oper %5/%6/%7 txt '%8' txt_m '%9' txt_u '%10' txtb '%11'/'%12' "
                   "unidad_m %13 aceptado %14")
        .arg(p.apa).arg(p.cpu).arg(p.donde).arg(p.permiso).arg(p.oper_b).arg(p.oper_c).arg(p.oper_d)
        .arg(p.txt, p.txt_m, p.txt_u, p.txtb0, p.txtb1).arg(p.unidad_m).arg(p.aceptado);
}

using P = ParametrosDialogo;
using Accion = std::function<void(QWidget &)>;
using Cambio = std::function<void(ParametrosDialogo &)>;

}  // namespace

class PruebaDialogos : public QObject {
    Q_OBJECT
private slots:
    // Each dialog, opened new and for an edit: an edit shows the stored values,
    // and "Aceptar" gives back exactly the values the kind stores.
    void cadaDialogoDevuelveLoQueGuardaSuTipo() {
        prueba::Instalacion ins;
        const CatalogosDialogos cat = Catalogos();
        struct Caso {
            const char *nombre;
            Fabrica dialogo;
            ParametrosDialogo entrada;
            Accion accion;
            Cambio esperado;
        };
        const Caso casos[] = {
            {"breaker new", Abre<MeteApa>, Nuevo(0),
             [](QWidget &d) {
                 Elige(d, "List1_0", 1), Elige(d, "List1_1", 0), Elige(d, "List1_2", 1);
                 QCOMPARE(Caja(d, "txt_Eleccion_0"), QString("Seccionador"));
             },
             [](P &p) { p.apa = 1, p.donde = 20, p.oper_b = 2, p.oper_c = 1, p.oper_d = 2, p.cpu = 1; }},
            {"disconnector edit, operation withdrawn", Abre<MeteApa>,
             Edicion(2, [](P &p) { p.apa = 6, p.donde = 20, p.oper_b = 2, p.oper_c = 1, p.oper_d = 2; }),
             [](QWidget &d) {
                 QCOMPARE(Caja(d, "txt_Eleccion_0"), QString("Seccionador"));
                 QCOMPARE(Caja(d, "txt_Eleccion_2"), QString("Cerrar"));
                 Pulsa(d, "Option1_1");
                 QVERIFY(!Control<QListWidget>(d, "List1_1")->isEnabled());
             },
             [](P &p) { p.permiso = 0, p.oper_c = 0, p.oper_d = 0, p.cpu = 1; }},
            {"regulator stop new: two orders only", Abre<MeteApa>, Nuevo(5),
             [](QWidget &d) {
                 QVERIFY(Control<QListWidget>(d, "List1_0")->isHidden());
                 Elige(d, "List1_1", 2), Elige(d, "List1_2", 0);
             },
             [](P &p) { p.apa = 8, p.oper_c = 9, p.oper_d = 1, p.cpu = 1; }},
            {"permission new", Abre<MetePermiso>, Nuevo(8), [](QWidget &d) { Pulsa(d, "Option1_1"); },
             [](P &p) { p.permiso = 0; }},
            {"permission edit", Abre<MetePermiso>, Edicion(9, [](P &p) { p.permiso = 0; }),
             [](QWidget &d) { QVERIFY(Marcada(d, "Option1_1")); }, [](P &) {}},
            {"operation new", Abre<MeteManiobra>, Nuevo(47),
             [](QWidget &d) { Elige(d, "List1_0", 2), Teclea(d, "Text2", "BLQ"); },
             [](P &p) { p.txt = "BLQ", p.oper_b = 9, p.cpu = 1; }},
            {"operation edit", Abre<MeteManiobra>, Edicion(47, [](P &p) { p.oper_b = 2, p.txt = "CER"; }),
             [](QWidget &d) {
                 QCOMPARE(Caja(d, "txt_Eleccion_0"), QString("Cerrar"));
                 QCOMPARE(Caja(d, "Text2"), QString("CER"));
             },
             [](P &p) { p.cpu = 1; }},
            {"state new", Abre<MeteEstadosEventos>, Nuevo(23),
             [](QWidget &d) { Elige(d, "List1_1", 1), Teclea(d, "Text2", "ON"), Teclea(d, "Text3", "OFF"); },
             [](P &p) { p.cpu = 1, p.donde = 70, p.apa = 14, p.txtb0 = "ON", p.txtb1 = "OFF"; }},
            {"event edit", Abre<MeteEstadosEventos>,
             Edicion(24, [](P &p) { p.cpu = 6, p.donde = 1, p.apa = 26, p.txtb0 = "SI", p.txtb1 = "NO"; }),
             [](QWidget &d) {
                 QCOMPARE(Caja(d, "Text1"), QString("Ev9"));
                 QCOMPARE(Caja(d, "Text3"), QString("NO"));
             },
             [](P &p) { p.cpu = 2; }},
            {"terminal new", Abre<MeteIO>, Nuevo(45),
             [](QWidget &d) { Elige(d, "List1_3", 0), Teclea(d, "Text2", "1"), Teclea(d, "Text3", "0"); },
             [](P &p) { p.cpu = 1, p.donde = 53, p.apa = 49, p.txtb0 = "1", p.txtb1 = "0"; }},
            {"terminal edit", Abre<MeteIO>,
             Edicion(45, [](P &p) { p.cpu = 4, p.donde = 41, p.apa = 51, p.txtb0 = "A", p.txtb1 = "B"; }),
             [](QWidget &d) { QCOMPARE(Caja(d, "Text1"), QString("SP4")); }, [](P &p) { p.cpu = 0; }},
            {"measure new", Abre<MeteMedidas>, Nuevo(22),
             [](QWidget &d) {
                 Elige(d, "List1_0", 1), Teclea(d, "Text1", "T");
                 QCOMPARE(Caja(d, "Text3"), QString("ºC"));
             },
             [](P &p) { p.cpu = 1, p.donde = 41, p.unidad_m = 7, p.txt_m = "T", p.txt_u = "ºC"; }},
            {"measure edit", Abre<MeteMedidas>,
             Edicion(22, [](P &p) { p.cpu = 4, p.donde = 30, p.unidad_m = 1, p.txt_m = "Ia", p.txt_u = "A"; }),
             [](QWidget &d) { QCOMPARE(Caja(d, "Text1"), QString("Ia")); }, [](P &p) { p.cpu = 0; }},
            {"counter new", Abre<MeteContador>, Nuevo(42),
             [](QWidget &d) {
                 QVERIFY(Marcada(d, "Option1_0"));
                 Elige(d, "List1_0", 1), Pulsa(d, "Option1_2");
             },
             [](P &p) { p.cpu = 1, p.donde = 5, p.unidad_m = 2; }},
            {"counter edit", Abre<MeteContador>, Edicion(42, [](P &p) { p.donde = 1, p.unidad_m = 3; }),
             [](QWidget &d) { QVERIFY(Marcada(d, "Option1_3")); }, [](P &) {}},
            {"analogue scale new", Abre<MeteAnalogico>, Nuevo(43),
             [](QWidget &d) {
                 Elige(d, "List1_0", 1), Teclea(d, "Text1_0", "1000"), Teclea(d, "Text1_1", "-5");
                 Teclea(d, "Text1_2", "2");
             },
             [](P &p) { p.donde = 14, p.txt_m = "E803FBFF42"; }},
            {"analogue scale edit", Abre<MeteAnalogico>,
             Edicion(43, [](P &p) { p.donde = 10, p.txt_m = "E803FBFF42"; }),
             [](QWidget &d) {
                 QCOMPARE(Caja(d, "Text1_1"), QString("-5"));
                 Teclea(d, "Text1_0", "-32768");
             },
             [](P &p) { p.txt_m = "0080FBFF42"; }},
            {"analogue format edit", Abre<MeteAnalogico>,
             Edicion(46, [](P &p) { p.donde = 10, p.txt_m = "0000000020"; }),
             [](QWidget &d) {
                 QVERIFY(Marcada(d, "Option1_1"));
                 Pulsa(d, "Option1_2");
             },
             [](P &p) { p.txt_m = "0000000030"; }},
            {"text new", Abre<MeteTexto>, Texto(11), [](QWidget &d) { Teclea(d, "Text1", "Año"); },
             [](P &p) { p.txt = "Año"; }},
            {"marker edit", Abre<MeteTexto>, Texto(36, true, "L1", "AB"),
             [](QWidget &d) {
                 QCOMPARE(Caja(d, "Text2"), QString("AB"));
                 Teclea(d, "Text1", "L2");
             },
             [](P &p) { p.txt = "L2"; }},
            {"graphic number", Abre<NumeroDeGrafico>, Nuevo(0), [](QWidget &d) { Teclea(d, "Text1", "123"); },
             [](P &p) { p.txt = "123"; }},
        };
        for (const Caso &c : casos) {
            auto d = c.dialogo(ins.ctx, cat, c.entrada);
            c.accion(*d);
            Pulsa(*d, "C1_0");
            ParametrosDialogo esperado = c.entrada;
            c.esperado(esperado);
            esperado.aceptado = true;
            QVERIFY2(d->result() == QDialog::Accepted, c.nombre);
            const QString diferencia =
                QString("%1:\n got  %2\n want %3").arg(c.nombre, Describe(d->Parametros()), Describe(esperado));
            QVERIFY2(d->Parametros() == esperado, qPrintable(diferencia));
        }
        QCOMPARE(ins.ui.Inesperados(), QStringList());
    }

    void lasCajasLimitanLongitudYCaracteres() {
        prueba::Instalacion ins;
        const CatalogosDialogos cat = Catalogos();
        struct Caso {
            Fabrica dialogo;
            ParametrosDialogo p;
            const char *caja;
            QString tecleado, queda;
        };
        const Caso casos[] = {
            {Abre<MeteTexto>, Texto(11), "Text1", "ABCDEFGH", "ABCDEFG"},
            {Abre<MeteManiobra>, Nuevo(47), "Text2", "ABCDEF", "ABCDE"},
            {Abre<MeteMedidas>, Nuevo(22), "Text1", "ABCDE", "ABCD"},
            {Abre<MeteEstadosEventos>, Nuevo(23), "Text2", "ABCD", "ABC"},
            {Abre<MeteIO>, Nuevo(45), "Text3", "ABCD", "ABC"},
            {Abre<MeteTexto>, Texto(36), "Text2", "ABC", "AB"},
            {Abre<MeteTexto>, Texto(ApaFichero), "Text1", "FEEDER01.CNF0", "FEEDER01.CNF"},
            // ñ is listed for texts; € is no display character; ─ has its own kind.
            {Abre<MeteTexto>, Texto(11), "Text1", "añ€─b", "añb"},
            {Abre<MeteTexto>, Texto(ApaFichero), "Text1", "añb", "ab"},
            {Abre<MeteAnalogico>, Nuevo(43), "Text1_0", "1-2", "12"},
            {Abre<MeteAnalogico>, Nuevo(43), "Text1_1", "-12345678", "-123456"},
            {Abre<MeteAnalogico>, Nuevo(43), "Text1_2", "12", "1"},
            {Abre<MeteAnalogico>, Nuevo(43), "Text1_2", "5", ""},
        };
        for (const Caso &c : casos) {
            auto d = c.dialogo(ins.ctx, cat, c.p);
            Teclea(*d, c.caja, c.tecleado);
            QCOMPARE(Caja(*d, c.caja), c.queda);
        }
    }

    void loQueFaltaSeAvisaYElDialogoSigueAbierto() {
        prueba::Instalacion ins;
        const CatalogosDialogos cat = Catalogos();
        struct Caso {
            Fabrica dialogo;
            ParametrosDialogo p;
            Accion accion;
            int mensaje;   // 0: refused without a message
        };
        auto limites = [](const char *maximo, const char *minimo, const char *decimales) {
            return [=](QWidget &d) {
                Elige(d, "List1_0", 0), Teclea(d, "Text1_0", maximo), Teclea(d, "Text1_1", minimo);
                Teclea(d, "Text1_2", decimales);
            };
        };
        const Caso casos[] = {
            {Abre<MeteApa>, Nuevo(0), [](QWidget &d) { Elige(d, "List1_0", 0), Elige(d, "List1_1", 0); }, 755},
            {Abre<MeteApa>, Nuevo(0), [](QWidget &d) { Pulsa(d, "Option1_1"); }, 755},
            {Abre<MeteManiobra>, Nuevo(47), [](QWidget &d) { Teclea(d, "Text2", "A"); }, 755},
            {Abre<MeteManiobra>, Nuevo(47), [](QWidget &d) { Elige(d, "List1_0", 0); }, 755},
            {Abre<MeteEstadosEventos>, Nuevo(23), [](QWidget &d) { Elige(d, "List1_0", 0), Teclea(d, "Text2", "A"); }, 755},
            {Abre<MeteIO>, Nuevo(45), [](QWidget &d) { Teclea(d, "Text2", "A"), Teclea(d, "Text3", "B"); }, 755},
            {Abre<MeteMedidas>, Nuevo(22), [](QWidget &) {}, 755},
            {Abre<MeteContador>, Nuevo(42), [](QWidget &) {}, 755},
            {Abre<MeteAnalogico>, Nuevo(46), [](QWidget &) {}, 755},
            {Abre<MeteAnalogico>, Nuevo(43), limites("-", "0", "0"), 760},
            {Abre<MeteAnalogico>, Nuevo(43), limites("1", "", "0"), 761},
            {Abre<MeteAnalogico>, Nuevo(43), limites("32768", "0", "0"), 762},
            {Abre<MeteAnalogico>, Nuevo(43), limites("1", "-32769", "0"), 763},
            {Abre<MeteAnalogico>, Nuevo(43), limites("1", "0", ""), 755},
            {Abre<NumeroDeGrafico>, Nuevo(0), [](QWidget &d) { Teclea(d, "Text1", "12a"); }, 0},
        };
        for (const Caso &c : casos) {
            auto d = c.dialogo(ins.ctx, cat, c.p);
            c.accion(*d);
            if (c.mensaje) ins.ui.Espera(ins.ctx.dic.Texto(c.mensaje));
            Pulsa(*d, "C1_0");
            QVERIFY2(d->isVisible() && !d->Parametros().aceptado, d->metaObject()->className());
            QCOMPARE(ins.ui.Pendientes(), QStringList());
            if (!c.mensaje) QCOMPARE(Control<QLineEdit>(*d, "Text1")->selectedText(), QString("12a"));
            Pulsa(*d, "C1_1");
            QVERIFY(!d->isVisible() && !d->Parametros().aceptado);
        }
        QCOMPARE(ins.ui.Inesperados(), QStringList());
    }

    // The modal routines copy the values back only when accepted.
    void losDialogosModalesDevuelvenSoloLoAceptado() {
        prueba::Instalacion ins;
        const CatalogosDialogos cat = Catalogos();
        DialogosQt dialogos(ins.ctx, cat);
        for (const char *boton : {"C1_1", "C1_0"}) {
            ParametrosDialogo p = Edicion(42, [](P &p) { p.cpu = 4, p.donde = 5, p.unidad_m = 1; });
            QTimer::singleShot(0, [boton] {
                QWidget *d = QApplication::activeModalWidget();
                Elige(*d, "List1_0", 0);
                Pulsa(*d, boton);
            });
            const bool aceptado = dialogos.IntroduceContador(p);
            QCOMPARE(aceptado, QString(boton) == "C1_0");
            QCOMPARE(p.donde, qint16(aceptado ? 1 : 5));
        }
    }

    void losCatalogosSeLeenDelModeloYDeLaCopiaDeTrabajo() {
        prueba::Instalacion ins;
        ins.ui.EsperaModelo("TRV-610 **");
        NuevaConfiguracion(ins.ctx, ins.v);
        const CatalogosDialogos c = CargaCatalogosDialogos(ins.ctx);
        QCOMPARE(ins.ui.Inesperados(), QStringList());
        QCOMPARE(c.aparamenta.size(), 6);
        QCOMPARE(c.aparamenta[1].bit, 2);
        QCOMPARE(c.aparamenta[1].nombre, QString("Aparamenta 2"));   // named as in the working copy
        QCOMPARE(c.maniobras.size(), 10);
        QCOMPARE(c.medidas.last().unidad, QString("ºC"));
        QCOMPARE(c.contadores.size(), 8);
        QCOMPARE(c.analogicos.size(), 7);
        QCOMPARE(c.estados[2].size(), 6);
        QCOMPARE(c.bornas[3].first().donde, 53);
        QVERIFY(c.eventos[1].size() > 8);
        QCOMPARE(c.eventos[1][8].donde, 1);
        QVERIFY(!c.textos.isEmpty());

        QString unidades = "ø°C²";
        PasaStringATerminal(unidades);
        QCOMPARE(unidades, QString("φ°C²"));
    }
};

QTEST_MAIN(PruebaDialogos)
#include "dialogos_test.moc"
