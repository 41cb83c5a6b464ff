#include "esquema_prueba.h"

namespace prueba {

namespace {

void Inserta(bd::BaseDatos &db, const QString &tabla, const QList<QVariantList> &filas) {
    for (const QVariantList &f : filas) {
        QStringList marcas;
        for (int i = 0; i < f.size(); ++i) marcas << QStringLiteral("?");
        db.Execute(QStringLiteral("INSERT INTO [%1] VALUES (%2)").arg(tabla, marcas.join(u',')), f);
    }
}

}  // namespace

std::unique_ptr<bd::BaseDatos> CreaConfiguracion(const QString &ruta) {
    auto db = bd::BaseDatos::Crear(ruta);
    db->BeginTrans();
    db->Execute("CREATE TABLE [TiempoAperturaCierre CTRL] (Indice SHORT, NombreAjuste TEXT(50), NumeroOrden SHORT, "
                "TipoTemporizador TEXT(10), Codificacion TEXT(255))");
    Inserta(*db, "TiempoAperturaCierre CTRL",
            {{1, "Int1 ap", 1, "Apertura", "A1"}, {2, "Int2 ap", 2, "Apertura", "A2"},
             {3, "Int1 ci", 1, "Cierre", "C1"}, {4, "Int2 ci", 2, "Cierre", "C2"}});
    db->Execute("CREATE TABLE [Entradas CTRL] (Indice SHORT, NombreAjuste TEXT(50), TipoEntrada TEXT(10), "
                "NumeroOrden SHORT, Codificacion TEXT(255))");
    Inserta(*db, "Entradas CTRL",
            {{1, "Borna A1", "Apa", 1, "01"}, {2, "Borna A3", "Apa", 3, "02"}, {3, "Borna A2", "Apa", 2, "03"},
             {4, "Borna A4", "Apa", 4, "04"}, {5, "Entrada 1", "ED", 1, "05"}, {6, "Entrada 2", "ED", 2, "06"},
             {7, "Orden 1", "Orden", 1, "07"}, {8, "Pulso 1", "Pulsos", 1, "08"}});
    for (const char *t : {"Eventos CTRL", "Eventos PROT"})
        db->Execute(QStringLiteral("CREATE TABLE [%1] (Indice SHORT, NombreAjuste TEXT(50), GrupoSenyal SHORT, "
                                   "Alarma BOOLEAN, Codificacion TEXT(255))")
                        .arg(t));
    Inserta(*db, "Eventos CTRL", {{1, "EvC1", 3, true, "EC1"}, {2, "EvC2", 4, false, "EC2"}});
    Inserta(*db, "Eventos PROT", {{1, "EvP1", 5, false, "EP1"}, {2, "EvP2", 6, true, "EP2"}});
    db->Execute("CREATE TABLE [TextoEventos COMU] (Indice SHORT, NumeroOrden SHORT, TipoTexto TEXT(4), Texto TEXT(24), "
                "Codificacion TEXT(255))");
    Inserta(*db, "TextoEventos COMU",
            {{1, 1, "prot", "TP1", "XP1"}, {2, 2, "prot", "TP2", "XP2"}, {3, 1, "cont", "TC1", "XC1"},
             {4, 2, "cont", "TC2", "XC2"}, {5, 1, "comu", "TM1", "XM1"}});
    db->CommitTrans();
    return db;
}

}  // namespace prueba
