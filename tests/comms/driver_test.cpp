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

TEST(Intercambio, IdentifyWriteConfirmCancelReadBackAndPassword) {
    Linea l({}, Ajustes(), EstadoBloque);
    ASSERT_TRUE(l.Abre());
    QString matricula;
    ASSERT_EQ(l.driver->LeerMatricula(matricula), 40);
    EXPECT_EQ(matricula.left(20), QString("SIMULADO").leftJustified(20));
    EXPECT_EQ(matricula.mid(20, 8), "SIMULADO");

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

TEST(Tramas, EveryCommandGoesOutByteForByteAndAWriteOfNBytesIs16PlusNUpTo240) {
    Linea l;
    ASSERT_TRUE(l.Abre());
    l.driver->ClaveRele(99999);
    QByteArray r;
    l.driver->LeerDatosRele(r, 1, 4, 0, 7, 0x0102, 300);
    l.driver->EscribirDatosRele(r, 0, 4, 0, 5, 3, Bytes({0x11, 0x22, 0x33}), 3);
    l.driver->ConfirmarEscrituraDatos(r, 2, 4, 0, 9, 5);   // the block is not sent
    l.driver->CancelarEscrituraDatos(r, 2, 4, 0, 9, 5);
    const QList<QByteArray> t = l.rele->TramasRecibidas();
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
        const QByteArray t = l.rele->TramasRecibidas().last();
        EXPECT_EQ(t.size(), 16 + n);
        EXPECT_EQ(quint8(t[7]), 6 + n);
        EXPECT_EQ(t.mid(15, n), datos.left(n));
    }
    // Data shorter than N goes out zero-filled.
    EXPECT_EQ(l.driver->EscribirDatosRele(r, 0, 4, 0, 2, 1, Bytes({5}), 3), 6);
    EXPECT_EQ(l.rele->TramasRecibidas().last().mid(15, 3), Bytes({5, 0, 0}));

    EXPECT_EQ(l.driver->EscribirDatosRele(r, 0, 4, 0, 2, 1, datos, 241), cod::DatosExcesivos);
    EXPECT_EQ(l.driver->LeerDatosRele(r, 0, 4, 0, 2, 1, 300), 0);
    EXPECT_EQ(l.rele->TramasRecibidas().size(), 4 + 6);
}

// ------------------------------------------------------------ link codes

TEST(CodigosEnlace, EachFaultGivesItsCodeAndNoTextAndTheNextExchangeIsClean) {
    // Odd requests carry a fault, even ones are answered properly.
    relaysim::Opciones o;
    relaysim::Fallos &f = o.fallos;
    f.checksumCuerpo = {1, 16};   // 16: the second identification read below
    f.cuerpoCorto = {3};
    f.checksumCabecera = {5, 9};
    f.byteTres = {7, 9};   // 9: both wrong, byte 3 is looked at first
    f.longitudCorta = {11};
    f.ruido = {13};
    f.matriculaVacia = true;
    Linea l(o, Ajustes(), EstadoBloque);
    ASSERT_TRUE(l.Abre());
    const qint16 esperados[] = {cod::ChecksumCuerpo, cod::CuerpoIncompleto, cod::ChecksumCabecera,
                                cod::ByteTresErroneo, cod::ByteTresErroneo, cod::LongitudCorta,
                                cod::ByteTresErroneo};
    for (qint16 codigo : esperados) {
        QByteArray r = "basura";
        EXPECT_EQ(l.Lee(r), codigo);
        EXPECT_TRUE(r.isEmpty());
        EXPECT_EQ(l.Lee(r), 4) << "after " << codigo;
        EXPECT_EQ(r, Bloque);
    }
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

// A reply that never comes, comes late or comes in pieces past the deadline
// is -5 for its request and is not taken for the next one.
TEST(CodigosEnlace, ALostLateOrCutReplyIsMinus5AndTheNextExchangeIsClean) {
    const struct {
        const char *caso;
        std::function<void(relaysim::Fallos &)> fallo;
        qint32 velocidad, plazo;
        qint16 codigo;
        bool tarde;
    } casos[] = {
        {"no reply", [](relaysim::Fallos &f) { f.sinRespuesta = {1}; }, 115200, 100, cod::SinCabecera, false},
        // Four header bytes, the rest 300 ms later: the read call ends at the
        // 30 ms deadline with the four.
        {"header cut", [](relaysim::Fallos &f) { f.cabeceraPartida = {{1, 300}}; }, 115200, 30, cod::SinCabecera, true},
        {"whole reply late", [](relaysim::Fallos &f) { f.retardo = {{1, 1700}}; }, 115200, 100, cod::SinCabecera, true},
        // k = 0: the port puts no bound on a read call, so the deadline alone
        // ends the wait for a reply 300 ms late.
        {"late above top speed", [](relaysim::Fallos &f) { f.retardo = {{1, 300}}; }, 230400, 3000, 0, false},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.caso);
        relaysim::Opciones o;
        c.fallo(o.fallos);
        Linea l(o, Ajustes(c.velocidad), EstadoBloque);
        ASSERT_TRUE(l.Abre());
        QByteArray r;
        // A block the relay does not hold: its late reply would read as an empty payload.
        EXPECT_EQ(l.driver->LeerDatosRele(r, 1, 4, 0, 6, 1, c.plazo), c.codigo);
        // The late reply reaches the line; the next request's purge drops it.
        if (c.tarde) {
            ASSERT_TRUE(l.rele->EsperaRespuestas(1, 5000));
        }
        EXPECT_EQ(l.Lee(r), 4);
        EXPECT_EQ(r, Bloque);
        // Failures sleep their pause too.
        EXPECT_EQ(l.reloj.pausas, QList<int>({1000, 0, 0}));
    }
}

// On a virtual line where whatever part of the reply ever comes is there at
// once, and a short read lasts its whole bound.
TEST(CodigosEnlace, NoReadWaitsPastTheDeadlineWhateverPartOfTheReplyIsMissing) {
    const orbel::Peticion leida{1, 1, orbel::Leer, orbel::AreaGrupos, 0, 5, 1, {}};
    const QByteArray entera = orbel::ConstruyeRespuesta(leida, Bloque);
    struct Caso { int bytes; qint16 codigo; };
    const Caso casos[] = {{0, cod::SinCabecera}, {4, cod::SinCabecera}, {orbel::TamCabecera, cod::CuerpoIncompleto},
                          {orbel::TamCabecera + 3, cod::CuerpoIncompleto}};
    // Port bounds of 17.4 s and more per read at 9600, 1.45 s at 115200, none above.
    for (const qint32 velocidad : {9600, 115200, 230400}) {
        Linea sinRele({}, Ajustes(velocidad), {}, false);
        for (const Caso &c : casos) {
            for (const bool escritura : {false, true}) {
                prueba::RelojVirtual reloj;
                auto propio = std::make_unique<prueba::CanalVirtual>(reloj, std::deque<prueba::CanalVirtual::Trozo>{},
                                                                     entera.left(c.bytes));
                const prueba::CanalVirtual &canal = *propio;
                clsDriverOrbel driver(sinRele.app, std::move(propio), &reloj);
                driver.NumeroRele(1);
                driver.PuertoAbierto(true);
                ASSERT_TRUE(driver.PuertoAbierto());

                QByteArray r;
                const qint64 plazo = escritura ? clsDriverOrbel::TiempoEsperaFijo : 2000;
                const qint16 codigo = escritura ? driver.EscribirDatosRele(r, 1, 4, 0, 5, 1, Bloque, 4)
                                                : driver.LeerDatosRele(r, 1, 4, 0, 5, 1, qint32(plazo));
                const auto donde = ::testing::Message() << velocidad << " baud, " << c.bytes << " bytes, "
                                                        << (escritura ? "write" : "read");
                EXPECT_EQ(codigo, c.codigo) << donde;
                ASSERT_FALSE(canal.lecturas.isEmpty()) << donde;
                for (const auto &l : canal.lecturas) {
                    EXPECT_GE(l.maximo, 0) << donde;
                    EXPECT_LE(l.maximo, plazo - l.momento) << donde;
                }
                EXPECT_LE(reloj.ahora, plazo) << donde;
                EXPECT_EQ(reloj.pausas, QList<int>({clsDriverOrbel::EsperaApertura,
                                                    escritura ? clsDriverOrbel::PausaEscritura
                                                              : clsDriverOrbel::PausaLectura}))
                    << donde;
            }
        }
    }
}

}  // namespace
