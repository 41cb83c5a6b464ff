// The report of a shipped model's new configuration, read back from its file.
#include "report/informe.h"
#include "store/ficheros.h"
#include "store/nombres_estados.h"
#include "support/instalacion.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace tarvo;

namespace {

struct Informe {
    prueba::Instalacion ins;
    explicit Informe(const char *modelo) {
        ins.ui.EsperaModelo(modelo);
        NuevaConfiguracion(ins.ctx, ins.v);
    }
    QString T(int n) const { return ins.ctx.dic.Texto(n); }
    void Ejecuta(const QString &sql) {
        bd::BaseDatos::Abrir(ins.ctx.app.CopiaTrabajo, bd::Apertura::Temporal)->Execute(sql);
    }
    QStringList Filas(const QString &sql) { return prueba::Filas(ins.ctx.app.CopiaTrabajo, sql, bd::Apertura::Temporal); }
    QList<PaginaInforme> Escribe() {
        auto db = bd::BaseDatos::Abrir(ins.ctx.app.CopiaTrabajo, bd::Apertura::Temporal);
        EXPECT_TRUE(CargaReport(ins.ctx, *db, ins.ctx.app.FicheroInforme));
        EXPECT_EQ(ins.Inesperados(), "");
        QFile f(ins.ctx.app.FicheroInforme);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text));
        return LeeInforme(QString::fromUtf8(f.readAll()));
    }
};

QString Une(const LineaInforme &l) {
    QStringList t;
    for (const CeldaCabecera &c : l.celdas) t << c.texto;
    return t.join('|');
}

// A table's rows wherever they fall, and the pages it runs onto with how many
// of them start by repeating its header.
struct TablaLeida {
    QStringList filas;
    int paginas = 0, conCabecera = 0;
};

TablaLeida Lee(const QList<PaginaInforme> &paginas, const QString &titulo) {
    TablaLeida t;
    bool dentro = false;
    QString cabecera;
    for (const PaginaInforme &p : paginas) {
        const CodigoLinea primera = p.lineas.value(0).codigo;
        if (dentro && (primera == CodigoLinea::Fila || primera == CodigoLinea::Cabecera)) {
            ++t.paginas;
            t.conCabecera += primera == CodigoLinea::Cabecera && Une(p.lineas[0]) == cabecera;
        }
        for (const LineaInforme &l : p.lineas) {
            if (l.codigo == CodigoLinea::TituloTabla || l.codigo == CodigoLinea::Titulo) {
                if (dentro) return t;
                dentro = l.texto == titulo;
            } else if (dentro && l.codigo == CodigoLinea::Cabecera && cabecera.isEmpty()) {
                cabecera = Une(l);
            } else if (dentro && l.codigo == CodigoLinea::Fila) {
                t.filas << Une(l);
            }
        }
    }
    return t;
}

}  // namespace

// Sections follow the model's CPUs: the first right under the header on page
// 1, each later one at the top of a page of its own.
TEST(InformeConfiguracion, CadaModeloTieneSusSeccionesYCadaUnaEmpiezaDondeDebe) {
    struct Caso {
        const char *modelo;
        QList<int> secciones;
    };
    for (const Caso &c : {Caso{"TRV-610 **", {1982, 1983, 1984}}, Caso{"TRV-420 *", {1982, 1984}},
                          Caso{"TRV-300 C*", {1983, 1984}}}) {
        Informe i(c.modelo);
        const QList<PaginaInforme> paginas = i.Escribe();
        QStringList esperados = {i.T(1854) + " 0/0"};
        for (int s = 0; s < c.secciones.size(); ++s) esperados << i.T(c.secciones[s]) + (s == 0 ? " 0/8" : " arriba");
        QStringList vistos;
        int anterior = -1;
        for (int p = 0; p < paginas.size(); ++p)
            for (int n = 0; n < paginas[p].lineas.size(); ++n) {
                if (paginas[p].lineas[n].codigo != CodigoLinea::Titulo) continue;
                const bool arriba = p > 0 && n == 0 && p > anterior;
                vistos << paginas[p].lineas[n].texto + (arriba ? QString(" arriba") : QString(" %1/%2").arg(p).arg(n));
                anterior = p;
            }
        EXPECT_EQ(vistos, esperados) << c.modelo;
        EXPECT_EQ(paginas[0].lineas[1].texto, i.T(1855) + " " + c.modelo) << c.modelo;
    }
}

// Only masked signals make rows: a record whose mask is 0 and a condition that
// tests nothing are left out, whatever else their bytes hold.
TEST(InformeConfiguracion, SoloLasSenyalesEnmascaradasDanFilas) {
    Informe i("TRV-610 **");
    i.Ejecuta("UPDATE [Salidas CTRL] SET Codificacion = '000001000400' WHERE Indice = 1");
    i.Ejecuta("UPDATE [Salidas CTRL] SET Codificacion = '040001000400', GrupoSenyal = 1 WHERE Indice = 3");
    i.Ejecuta("UPDATE [LEDs COMU] SET Codificacion = '000005C0FFFF' WHERE Indice = 1");
    i.Ejecuta("UPDATE [LEDs COMU] SET Codificacion = '0B0005C00A00', GrupoSenyal = 5, Parpadeo = True, "
              "Mantenido = True WHERE Indice = 2");
    i.Ejecuta("UPDATE [Actuacion CTRL] SET MascaraBitMando = '0000000000000021', MascaraEstado = '0001', "
              "ValorBitMando = '0000000000000001', ValorEstado = '0000' WHERE Indice = 3");
    i.Ejecuta("UPDATE [Fallo CTRL] SET ValorBitMando = 'FFFFFFFFFFFFFFFF', ValorEstado = 'FFFF'");
    const QList<PaginaInforme> paginas = i.Escribe();

    const QStringList nombres = i.Filas("SELECT NombreAjuste FROM [Salidas CTRL] WHERE Indice = 3 UNION ALL "
                                        "SELECT NombreAjuste FROM [LEDs COMU] WHERE Indice = 2");
    const QString control = CargaNombresEstados(i.ins.ctx, *bd::BaseDatos::Abrir(i.ins.ctx.app.CopiaTrabajo),
                                                "Tarvo Estados Control").Etiqueta(16 + 2 + 1);
    // Group 5 of the six event groups holds front-panel events 17 to 32.
    const QStringList ev = i.Filas("SELECT NombreAjuste FROM [Eventos COMU] WHERE Indice IN (17, 18, 20) ORDER BY Indice");
    const QStringList bits = i.Filas("SELECT NombreAjuste FROM [BitMando CTRL] WHERE Indice IN (1, 6) ORDER BY Indice");
    const QStringList estado = prueba::Filas(i.ins.ctx.app.DirectorioModelos + i.ins.ctx.app.BaseDatos,
                                             "SELECT Entrada FROM [Tarvo Estados Externos CTRL] WHERE Entrada <> '' "
                                             "ORDER BY Indice LIMIT 1");
    const QString b = "  ";
    struct Caso {
        int titulo;
        QStringList filas;
    };
    const Caso casos[] = {
        {1893, {QStringList{"3", nombres.value(0), "2", "1", control}.join('|')}},
        {1888,
         {QStringList{"2", nombres.value(1), "6", "0", ev.value(0), i.T(1884), i.T(1759)}.join('|'),
          QStringList{b, b, b, "1", ev.value(1), b, b}.join('|'), QStringList{b, b, b, "1", ev.value(2), b, b}.join('|')}},
        {1862,
         {QStringList{"3", "3" + i.T(1873) + " " + i.T(1868) + "-1", "1", bits.value(0)}.join('|'),
          QStringList{b, b, "0", bits.value(1)}.join('|'), QStringList{b, b, "0", estado.value(0)}.join('|')}},
        {1863, {}},
    };
    for (const Caso &c : casos) EXPECT_EQ(Lee(paginas, i.T(c.titulo)).filas, c.filas) << c.titulo;
}

TEST(InformeConfiguracion, UnaTablaDeVariasPaginasRepiteSuCabeceraEnCadaUna) {
    Informe i("TRV-610 **");
    i.Ejecuta("UPDATE [Eventos PROT] SET Codificacion = 'FFFF0000'");
    const TablaLeida t = Lee(i.Escribe(), i.T(1907));
    EXPECT_EQ(t.filas.size(), 32 * 16);
    EXPECT_GE(t.paginas, 2);
    EXPECT_EQ(t.conCabecera, t.paginas);
}
