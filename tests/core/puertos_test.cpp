#include "core/puertos.h"
#include "support/carpeta_temporal.h"
#include "support/pty.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>

using namespace tarvo;

namespace {

struct Puertos : ::testing::Test {
    prueba::CarpetaTemporal dir;
    void SetUp() override {
        FijaPrefijoDispositivos(dir.en("ninguno/ttyS"));
        QDir().mkpath(dir.en("ports"));
    }
    void TearDown() override { FijaPrefijoDispositivos("/dev/ttyS"); }
    void Enlaza(int n, const QString &destino) { QFile::link(destino, dir.en(QString("ports/COM%1").arg(n))); }
};

TEST_F(Puertos, ALinkInThePortsFolderNamesThePortElseTheSystemDevice) {
    Enlaza(3, "/dev/null");
    EXPECT_EQ(RutaPuerto(dir.ruta(), 3), dir.en("ports/COM3"));
    FijaPrefijoDispositivos("/dev/ttyS");
    EXPECT_EQ(RutaPuerto(dir.ruta(), 1), "/dev/ttyS0");
    EXPECT_EQ(RutaPuerto(dir.ruta(), 16), "/dev/ttyS15");
}

TEST_F(Puertos, BusyDanglingAndNonTerminalPortsAreLeftOut) {
    prueba::Pty ocupado, libre;
    Enlaza(1, ocupado.ruta);
    Enlaza(2, dir.en("desaparecido"));
    Enlaza(4, "/dev/null");   // opens, but is no terminal
    Enlaza(9, libre.ruta);
    const int fd = ::open(ocupado.ruta.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    EXPECT_EQ(BuscaPuertos(dir.ruta()), QList<quint8>({9}));
    ::close(fd);
    EXPECT_EQ(BuscaPuertos(dir.ruta()), QList<quint8>({1, 9}));
}

}  // namespace
