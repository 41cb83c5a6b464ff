// The link driver against the relay simulator over a real pty.
#include "linea.h"
#include "canal_virtual.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <thread>

using namespace tarvo;
using prueba::Ajustes;
using prueba::Bytes;
using prueba::Linea;
namespace cod = orbel::codigo;

namespace {

// CPU 1, group 5, block 1 holds these bytes when the relay starts.
const QByteArray EstadoBloque = "C 1 4 0 5 1 A1B2C3D4\n";
const QByteArray Bloque = Bytes({0xA1, 0xB2, 0xC3, 0xD4});

// ---------------------------------------------------------------- the port

TEST(Apertura, TheSettingsFileGivesTheLineItsSettingsWhenItOpensAndOnlyThen) {
    // A pty keeps 8 data bits without parity whatever it is told; the flags
    // for those are checked on their own (canal_serie_test).
    Linea l;
    struct Caso { qint32 velocidad; quint8 stop, stopVisto; };
    // Speeds outside the standard list included; one and a half stop bits come
    // out as two, the nearest the line has.
    const Caso casos[] = {{9600, 0, 0}, {19200, 2, 2}, {14400, 1, 2}, {256000, 0, 0}};
    for (const Caso &c : casos) {
        l.Ajusta(Ajustes(c.velocidad, 7, 3, c.stop));
        ASSERT_TRUE(l.Abre()) << c.velocidad;
        const ParametrosPuerto visto = l.rele->EstadoLinea();
        EXPECT_EQ(visto.Velocidad, c.velocidad);
        EXPECT_EQ(visto.BitsStop, c.stopVisto);
        l.driver->PuertoAbierto(false);
    }
    // Every open ends with the line's settling pause, and only with it.
    EXPECT_EQ(l.reloj.pausas, QList<int>(std::size(casos), clsDriverOrbel::EsperaApertura));

    // Opening again while open rereads nothing and keeps the port.
    l.Ajusta(Ajustes());
    ASSERT_TRUE(l.Abre());
    l.Ajusta(Ajustes(115200, 8, 0, 0, 7));   // a port that does not exist
    l.driver->PuertoAbierto(true);
    EXPECT_EQ(l.reloj.pausas, QList<int>(std::size(casos) + 1, clsDriverOrbel::EsperaApertura));
    QString matricula;
    EXPECT_EQ(l.driver->LeerMatricula(matricula), 40);
    l.driver->PuertoAbierto(false);
    l.driver->PuertoAbierto(false);
    EXPECT_FALSE(l.driver->PuertoAbierto());
    // Closed, the next open reads the file afresh and finds no COM7.
    EXPECT_FALSE(l.Abre());

    // Refused settings or a busy device leave the port closed and released.
    const QList<int> pausas = l.reloj.pausas;
    for (const ParametrosPuerto &malo : {Ajustes(115200, 9), Ajustes(115200, 4), Ajustes(115200, 8, 5),
                                         Ajustes(0), Ajustes(-300), Ajustes(115200, 8, 0, 3)}) {
        l.Ajusta(malo);
        EXPECT_FALSE(l.Abre()) << malo.Velocidad << " " << int(malo.LongitudPalabra) << " " << int(malo.Paridad);
    }
    EXPECT_EQ(l.reloj.pausas, pausas);

    // Someone else holding the device keeps us out.
    l.Ajusta(Ajustes());
    const int fd = ::open(l.rele->RutaEsclavo().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    EXPECT_FALSE(l.Abre());
    ::close(fd);
    // And the failed opens let go of it: now it opens.
    EXPECT_TRUE(l.Abre());
}

// ------------------------------------------------------------- exchanges

TEST(Intercambio, IdentifyWriteConfirmCancelReadBackPasswordAndEveryFrameByteForByte) {
    Linea l({}, Ajustes(), EstadoBloque);
    ASSERT_TRUE(l.Abre());
    // What the identification says: the connection in transferencias_test.
    QString matricula;
    ASSERT_EQ(l.driver->LeerMatricula(matricula), 40);

    QByteArray r;
    const QByteArray nuevo = Bytes({1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_EQ(l.driver->EscribirDatosRele(r, 1, 4, 0, 5, 1, nuevo, 8), 6);
    EXPECT_EQ(r, "PUEDO.");
    EXPECT_EQ(l.driver->EscribirDatosRele(r, 1, 4, 0, 6, 1, Bytes({9}), 1), 6);
    // Nothing is committed before its confirmation, and a confirmation commits its own group only.
    EXPECT_EQ(l.Lee(r), 4);
    EXPECT_EQ(r, Bloque);
    EXPECT_EQ(l.driver->ConfirmarEscrituraDatos(r, 1, 4, 0, 5), 6);
    EXPECT_EQ(r, "HECHO.");
    EXPECT_EQ(l.Lee(r), 8);
    EXPECT_EQ(r, nuevo);
    // A block the relay does not hold: L = 6, an empty payload, result 0.
    EXPECT_EQ(l.driver->LeerDatosRele(r, 1, 4, 0, 6, 1, 300), 0);
    EXPECT_TRUE(r.isEmpty());

    // A cancelled write is lost.
    EXPECT_EQ(l.driver->EscribirDatosRele(r, 1, 4, 0, 5, 1, Bytes({9, 9}), 2), 6);
    EXPECT_EQ(l.driver->CancelarEscrituraDatos(r, 1, 4, 0, 5), 6);
    EXPECT_EQ(r, "HECHO.");
    EXPECT_EQ(l.Lee(r), 8);
    EXPECT_EQ(r, nuevo);

    // Open, then the pause after each reply: read 0, write 200, confirm 300, cancel 200.
    EXPECT_EQ(l.reloj.pausas, QList<int>({1000, 0, 200, 200, 0, 300, 0, 0, 200, 200, 0}));

    // A wrong password is refused with the relay's code; the relay number applies to the next frame.
    ASSERT_EQ(l.driver->EscribirDatosRele(r, 1, 4, 0, 5, 1, Bytes({7}), 1), 6);
    l.driver->ClaveRele(4321);
    EXPECT_EQ(l.driver->ConfirmarEscrituraDatos(r, 1, 4, 0, 5), 7);
    EXPECT_EQ(r, QByteArray("FALLO.") + char(relaysim::CodigoClaveErronea));
    l.driver->ClaveRele(1234);
    EXPECT_EQ(l.driver->ConfirmarEscrituraDatos(r, 1, 4, 0, 5), 6);
    EXPECT_EQ(r, "HECHO.");

    // Another relay's number: this relay keeps quiet, the header never comes.
    l.driver->NumeroRele(9);
    EXPECT_EQ(l.Lee(r, 100), cod::SinCabecera);
    l.driver->NumeroRele(1);
    EXPECT_EQ(l.Lee(r), 1);
    EXPECT_EQ(l.rele->Registro().filter("otro rele: rele=9").size(), 1);
    // Only its own requests are counted: the fault options number them.
    EXPECT_TRUE(l.rele->Registro().last().startsWith("#14 rele=1 ")) << l.rele->Registro().last().toStdString();

    // Every command byte for byte; a confirmation sends no block, but the password.
    const qsizetype antes = l.rele->TramasRecibidas().size();
    l.driver->ClaveRele(99999);
    l.driver->LeerDatosRele(r, 1, 4, 0, 7, 0x0102, 300);
    l.driver->EscribirDatosRele(r, 0, 4, 0, 5, 3, Bytes({0x11, 0x22, 0x33}), 3);
    l.driver->ConfirmarEscrituraDatos(r, 2, 4, 0, 9, 5);
    l.driver->CancelarEscrituraDatos(r, 2, 4, 0, 9, 5);
    const QList<QByteArray> t = l.rele->TramasRecibidas().mid(antes);
    ASSERT_EQ(t.size(), 4);
    EXPECT_EQ(t[0], Bytes({0x01, 0x0D, 0x01, 0x03, 0x01, 0x4F, 0x01, 0x06, 0x47,
                           0x04, 0x04, 0x00, 0x07, 0x02, 0x01, 0x04}));
    EXPECT_EQ(t[1], Bytes({0x01, 0x0D, 0x01, 0x03, 0x01, 0x4F, 0x00, 0x09, 0x49,
                           0x01, 0x04, 0x00, 0x05, 0x03, 0x00, 0x11, 0x22, 0x33, 0x03}));
    EXPECT_EQ(t[2], Bytes({0x01, 0x0D, 0x01, 0x03, 0x01, 0x4F, 0x02, 0x0A, 0x48,
                           0x02, 0x04, 0x00, 0x09, 0x00, 0x00, 0x9F, 0x86, 0x01, 0x00, 0x17}));
    EXPECT_EQ(t[3], Bytes({0x01, 0x0D, 0x01, 0x03, 0x01, 0x4F, 0x02, 0x06, 0x44,
                           0x03, 0x04, 0x00, 0x09, 0x00, 0x00, 0x0E}));

    // A write of N bytes is 16 + N; more than 240 is not sent.
    QByteArray datos;
    for (int i = 0; i < 241; ++i) datos.append(char(i));
    for (int n : {0, 1, 60, 240}) {
        EXPECT_EQ(l.driver->EscribirDatosRele(r, 0, 4, 0, 2, 1, datos, quint8(n)), 6) << n;
        const QByteArray trama = l.rele->TramasRecibidas().last();
        EXPECT_EQ(trama.size(), 16 + n);
        EXPECT_EQ(quint8(trama[7]), 6 + n);
        EXPECT_EQ(trama.mid(15, n), datos.left(n));
    }
    // Data shorter than N goes out zero-filled.
    EXPECT_EQ(l.driver->EscribirDatosRele(r, 0, 4, 0, 2, 1, Bytes({5}), 3), 6);
    EXPECT_EQ(l.rele->TramasRecibidas().last().mid(15, 3), Bytes({5, 0, 0}));

    EXPECT_EQ(l.driver->EscribirDatosRele(r, 0, 4, 0, 2, 1, datos, 241), cod::DatosExcesivos);
    EXPECT_EQ(l.driver->LeerDatosRele(r, 0, 4, 0, 2, 1, 300), 0);
    EXPECT_EQ(l.rele->TramasRecibidas().size(), antes + 4 + 6);
}


TEST(Intercambio, TheCallersWorkFillsTheTimeAReplyTakesOnTheLine) {
    relaysim::Opciones o;
    o.velocidadReal = true;
    Linea l(o, Ajustes(19200), EstadoBloque);
    ASSERT_TRUE(l.Abre());
    QList<qint64> ofrecidos;
    int piezas = 3;
    l.driver->FijaTrabajoEnEspera([&](qint64 us) {
        ofrecidos.append(us);
        if (piezas == 0 || us < 1500) return false;
        --piezas;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return true;
    });
    QByteArray r;
    ASSERT_EQ(l.Lee(r), 4);
    EXPECT_EQ(r, Bloque);
    // The body of that reply is 11 bytes: 5.73 ms at 19200 baud.
    ASSERT_FALSE(ofrecidos.isEmpty());
    EXPECT_LE(ofrecidos.first(), 5730);
    EXPECT_GT(ofrecidos.first(), ofrecidos.last());
    EXPECT_LT(piezas, 3);

    l.driver->FijaTrabajoEnEspera({});
    ofrecidos.clear();
    ASSERT_EQ(l.Lee(r), 4);
    EXPECT_TRUE(ofrecidos.isEmpty());
}

// ------------------------------------------------------------ link codes

TEST(CodigosEnlace, EachFaultGivesItsCodeAndNoTextAndTheNextExchangeIsClean) {
    // Odd requests carry a fault, even ones are answered properly.
    relaysim::Opciones o;
    relaysim::Fallos &f = o.fallos;
    f.checksumCuerpo = {1, 22};   // 22: the second identification read below
    f.cuerpoCorto = {3};
    f.checksumCabecera = {5, 9};
    f.byteTres = {7, 9};   // 9: both wrong, byte 3 is looked at first
    f.longitudCorta = {11};
    f.ruido = {13};
    f.sinRespuesta = {15};
    // Four header bytes, the rest 300 ms later: the read call ends at the 30 ms deadline with the four.
    f.cabeceraPartida = {{17, 300}};
    f.retardo = {{19, 1700}};
    f.matriculaVacia = true;
    Linea l(o, Ajustes(), EstadoBloque);
    ASSERT_TRUE(l.Abre());
    const qint16 esperados[] = {cod::ChecksumCuerpo, cod::CuerpoIncompleto, cod::ChecksumCabecera,
                                cod::ByteTresErroneo, cod::ByteTresErroneo, cod::LongitudCorta,
                                cod::ByteTresErroneo};
    QByteArray r;
    for (qint16 codigo : esperados) {
        r = "basura";
        EXPECT_EQ(l.Lee(r), codigo);
        EXPECT_TRUE(r.isEmpty());
        EXPECT_EQ(l.Lee(r), 4) << "after " << codigo;
        EXPECT_EQ(r, Bloque);
    }
    // A reply that never comes, comes in pieces past the deadline or comes late
    // is -5 for its request and is not taken for the next one. Every request so
    // far had its reply.
    int respuestas = 2 * int(std::size(esperados));
    for (const auto &[plazo, tarde] : {std::pair(100, false), std::pair(30, true), std::pair(100, true)}) {
        // A block the relay does not hold: its late reply would read as an empty payload.
        EXPECT_EQ(l.driver->LeerDatosRele(r, 1, 4, 0, 6, 1, plazo), cod::SinCabecera) << plazo << tarde;
        // The late reply reaches the line; the next request's purge drops it.
        if (tarde) {
            ASSERT_TRUE(l.rele->EsperaRespuestas(++respuestas, 5000));
        }
        EXPECT_EQ(l.Lee(r), 4);
        EXPECT_EQ(r, Bloque);
        ++respuestas;
    }
    // Failures sleep their pause too.
    EXPECT_EQ(l.reloj.pausas, QList<int>{clsDriverOrbel::EsperaApertura} + QList<int>(20, 0));
    // An all-zero database stem or a failed identification read gives no text.
    QString matricula = "previa";
    EXPECT_EQ(l.driver->LeerMatricula(matricula), 40);
    EXPECT_TRUE(matricula.isEmpty());
    const QByteArray t = l.rele->TramasRecibidas().last();
    EXPECT_EQ(quint8(t[6]), 2);    // CPU 2
    EXPECT_EQ(quint8(t[10]), 9);   // area 9
    matricula = "previa";
    EXPECT_EQ(l.driver->LeerMatricula(matricula), cod::ChecksumCuerpo);
    EXPECT_TRUE(matricula.isEmpty());
}

// k = 0 above 115200 baud: the port puts no bound on a read call, so the
// deadline alone ends the wait for a reply 300 ms late.
TEST(CodigosEnlace, AboveTopSpeedTheDeadlineAloneEndsTheWait) {
    relaysim::Opciones o;
    o.fallos.retardo = {{1, 300}};
    Linea l(o, Ajustes(230400), EstadoBloque);
    ASSERT_TRUE(l.Abre());
    QByteArray r;
    EXPECT_EQ(l.driver->LeerDatosRele(r, 1, 4, 0, 6, 1, 3000), 0);
    EXPECT_EQ(l.Lee(r), 4);
    EXPECT_EQ(r, Bloque);
}

// On a virtual line where whatever part of the reply ever comes is there at
// once, and a short read lasts its whole bound.
TEST(CodigosEnlace, NoReadWaitsPastTheDeadlineWhateverPartOfTheReplyIsMissing) {
    const QByteArray entera = orbel::ConstruyeRespuesta({1, 1, orbel::Leer, orbel::AreaGrupos, 0, 5, 1, {}}, Bloque);
    const std::pair<int, qint16> casos[] = {{0, cod::SinCabecera}, {4, cod::SinCabecera},
                                            {orbel::TamCabecera, cod::CuerpoIncompleto},
                                            {orbel::TamCabecera + 3, cod::CuerpoIncompleto}};
    // Port bounds of 17.4 s and more per read at 9600, 1.45 s at 115200, none above.
    for (const qint32 velocidad : {9600, 115200, 230400}) {
        Linea sinRele({}, Ajustes(velocidad), {}, false);
        for (const auto &[bytes, codigo] : casos) {
            for (const bool escritura : {false, true}) {
                SCOPED_TRACE(::testing::Message() << velocidad << " baud, " << bytes << " bytes, " << escritura);
                prueba::RelojVirtual reloj;
                auto propio = std::make_unique<prueba::CanalVirtual>(reloj, std::deque<prueba::CanalVirtual::Trozo>{},
                                                                     entera.left(bytes));
                const prueba::CanalVirtual &canal = *propio;
                clsDriverOrbel driver(sinRele.app, std::move(propio), &reloj);
                driver.NumeroRele(1);
                driver.PuertoAbierto(true);
                ASSERT_TRUE(driver.PuertoAbierto());

                QByteArray r;
                const qint64 plazo = escritura ? clsDriverOrbel::TiempoEsperaFijo : 2000;
                EXPECT_EQ(escritura ? driver.EscribirDatosRele(r, 1, 4, 0, 5, 1, Bloque, 4)
                                    : driver.LeerDatosRele(r, 1, 4, 0, 5, 1, qint32(plazo)),
                          codigo);
                ASSERT_FALSE(canal.lecturas.isEmpty());
                for (const auto &l : canal.lecturas) {
                    EXPECT_GE(l.maximo, 0);
                    EXPECT_LE(l.maximo, plazo - l.momento);
                }
                EXPECT_LE(reloj.ahora, plazo);
                EXPECT_EQ(reloj.pausas, QList<int>({clsDriverOrbel::EsperaApertura, escritura ? clsDriverOrbel::PausaEscritura
                                                                                          : clsDriverOrbel::PausaLectura}));
            }
        }
    }
}

}  // namespace
