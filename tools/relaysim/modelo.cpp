#include "modelo.h"

#include "comms/trama.h"
#include "store/db/basedatos.h"

#include <QFileInfo>

namespace relaysim {

namespace {

QByteArray Campo(const QString &texto, int ancho) {
    return texto.toLatin1().left(ancho).leftJustified(ancho, ' ');
}

// The catalogue entry whose database is this file, as a name that matches it.
QString NombreEnCatalogo(const QFileInfo &modelo) {
    const QString catalogo = modelo.absolutePath() + "/modelos.mdb";
    if (!QFileInfo::exists(catalogo)) return {};
    auto db = bd::BaseDatos::Abrir(catalogo, bd::Apertura::SoloLectura);
    auto rs = db->OpenRecordset("SELECT Modelo, BaseDatos FROM [Modelos] ORDER BY Indice", bd::TipoRecordset::Snapshot);
    for (; !rs->AtEOF(); rs->MoveNext())
        if (rs->Value("BaseDatos").toString().trimmed().compare(modelo.fileName(), Qt::CaseInsensitive) == 0)
            return rs->Value("Modelo").toString().trimmed().replace('?', '0');
    return {};
}

}  // namespace

QByteArray RegistroMatricula(const Identidad &id, bool raizVacia) {
    QByteArray r = Campo(id.nombre, 20);
    r += raizVacia ? QByteArray(8, '\0') : Campo(id.raiz.toUpper(), 8);
    r += Campo(id.version, 4);
    r += Campo(id.serie, 8);
    return r;
}

bool CargaModelo(const QString &rutaModelo, Identidad &id, MemoriaRele &memoria, QString &error) {
    const QFileInfo info(rutaModelo);
    if (!info.isFile()) {
        error = rutaModelo + ": no such model database";
        return false;
    }
    try {
        auto db = bd::BaseDatos::Abrir(rutaModelo, bd::Apertura::SoloLectura);
        auto ver = db->OpenRecordset("SELECT ver FROM [Versiones]", bd::TipoRecordset::Snapshot);
        if (!ver->AtEOF()) id.version = ver->Value(0).toString().trimmed();
        auto rs = db->OpenRecordset("SELECT * FROM [Tarvo Configuracion]", bd::TipoRecordset::Snapshot);
        for (; !rs->AtEOF(); rs->MoveNext()) {
            const quint8 cpu = quint8(rs->Value("CPU").toInt());
            const quint8 grupo = quint8(rs->Value("GRUPO").toInt());
            for (int b = 1; b <= 75; ++b) {
                const int valores = rs->Value(QString("indice%1").arg(b)).toInt();
                if (valores <= 0) break;
                const int bytes = std::min(valores * 4, tarvo::orbel::MaxCargaRespuesta);
                memoria.Pon({cpu, tarvo::orbel::AreaGrupos, 0, grupo, quint16(b)}, QByteArray(bytes, '\0'));
            }
        }
        id.raiz = info.completeBaseName().toUpper();
        const QString nombre = NombreEnCatalogo(info);
        id.nombre = nombre.isEmpty() ? id.raiz : nombre;
    } catch (const bd::ErrorBD &e) {
        error = QString("%1: %2 (%3)").arg(rutaModelo, e.descripcion).arg(e.numero);
        return false;
    }
    return true;
}

bool PreparaRele(const Opciones &o, Identidad &id, MemoriaRele &memoria, QString &error) {
    // Group 1 of every CPU holds the configuration state; the relay starts
    // configured.
    for (quint8 cpu = 0; cpu < 3; ++cpu)
        memoria.Pon({cpu, tarvo::orbel::AreaGrupos, 0, 1, 1}, QByteArray("\x01\x00\x00\x00", 4));
    if (!o.modelo.isEmpty() && !CargaModelo(o.modelo, id, memoria, error)) return false;
    if (!o.estado.isEmpty() && QFileInfo::exists(o.estado)) {
        MemoriaRele guardada;
        if (!guardada.Carga(o.estado, error)) return false;
        for (const auto &[c, datos] : guardada.Confirmados()) memoria.Pon(c, datos);
        for (const auto &[c, datos] : guardada.Pendientes()) memoria.Escribe(c, datos);
    }
    if (!o.nombreModelo.isEmpty()) id.nombre = o.nombreModelo;
    if (!o.baseDatos.isEmpty()) id.raiz = o.baseDatos;
    return true;
}

}  // namespace relaysim
