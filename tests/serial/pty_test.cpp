// The serial link over real pseudo-terminals through QSerialPort, reached through
// MARKLIGHT_PORTS. The test holds the master side of each pair, as the display line would.

#include "bookkeeping/event_log.h"
#include "platform/fakes/fakes.h"
#include "serial/qt_serial_device.h"
#include "serial/serial_link.h"
#include "tests/support/pty.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSerialPort>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <memory>
#include <utility>

namespace ml::test {
namespace {

class PtyLink : public ::testing::Test {
  protected:
    // The device reads MARKLIGHT_PORTS when it is made: set the ports, then list them.
    void start(const QStringList& ports) {
        application();
        qputenv("MARKLIGHT_PORTS", ports.join(QLatin1Char(',')).toLocal8Bit());
        device = std::make_unique<QtSerialDevice>();
        link = std::make_unique<SerialLink>(form, *device, dialogs, log);
        link->check_comPorts_Click();
    }

    Form form;
    FakeClock clock;
    FakeDialogs dialogs;
    EventLog log{form, clock};
    std::unique_ptr<QtSerialDevice> device;
    std::unique_ptr<SerialLink> link;
};

// A port held by another program (its lock file and exclusive mode, or a lock on the device)
// is not listed but named; a missing device fails to open.
TEST_F(PtyLink, ListingFindsExactlyTheOpenablePortsInOrderAndNamesTheBusyOnes) {
    Pty a, b, held, locked;
    QSerialPort other(held.path);
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    QProcess locker;
    locker.start(QStringLiteral("flock"),
                 {locked.path, QStringLiteral("-c"), QStringLiteral("echo locked; sleep 30")});
    ASSERT_TRUE(locker.waitForReadyRead(5000));
    start({a.path, QStringLiteral("/dev/marklight-missing"), QString(), held.path, b.path,
           locked.path});
    EXPECT_EQ(form.Combo6.items, QStringList({QStringLiteral("COM 1"), QStringLiteral("COM 5")}));
    EXPECT_EQ(form.Combo6.notes, QStringList({a.path, b.path}));
    for (const auto& [n, path] : {std::pair{4, held.path}, {6, locked.path}})
        EXPECT_TRUE(form.Text1.text.contains(
            QStringLiteral(" +++ COM-Port %1 wird von einem anderen Programm benutzt (%2)\r\n")
                .arg(n)
                .arg(path)));

    form.Combo6.addItem(QStringLiteral("COM 2"));
    form.Combo6.index = 2;
    link->OpenOutput_Click();
    EXPECT_EQ(form.Text1.text.section(QStringLiteral("\r\n"), 0, 0).mid(8),
              QStringLiteral(" +++ COM-Port 2 kann nicht geöffnet werden"));
    locker.kill();
    locker.waitForFinished();
}

TEST_F(PtyLink, EachSpeedReachesTheLineAsEightNoneOne) {
    Pty pty;
    start({pty.path});
    const std::pair<void (SerialLink::*)(), speed_t> speeds[] = {
        {&SerialLink::Baud_1200_Click, B1200},
        {&SerialLink::Baud_2400_Click, B2400},
        {&SerialLink::Baud_4800_Click, B4800},
        {&SerialLink::Baud_9600_Click, B9600}};
    for (const auto& [click, speed] : speeds) {
        (link.get()->*click)();
        link->OpenOutput_Click();
        ASSERT_TRUE(form.PortOpen);
        termios t{};
        ASSERT_EQ(::tcgetattr(pty.slave, &t), 0);
        EXPECT_EQ(cfgetospeed(&t), speed);
        EXPECT_EQ(t.c_cflag & (CSIZE | PARENB | CSTOPB), static_cast<tcflag_t>(CS8));
        link->OpenOutput_Click();
    }
}

TEST_F(PtyLink, BytesArriveExactlyAndAfterReopeningOnlyTheNewestWaitingTransmission) {
    Pty pty;
    start({pty.path});
    link->OpenOutput_Click();
    link->output(QStringLiteral("\x02") + QChar(0x20AC) + QChar(0x0090) + QChar(0x2014) +
                 QStringLiteral("§äöüÄÖÜß\r\n"));
    const QByteArray expected("\x02\x80\x90\x97\xA7\xE4\xF6\xFC\xC4\xD6\xDC\xDF\x0D\x0A");
    EXPECT_EQ(readMaster(pty, expected.size()), expected);

    link->OpenOutput_Click();
    QSerialPort other(pty.path); // closed: the port is free for another program at once
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    link->Baud_1200_Click();
    link->OpenOutput_Click();
    for (const char* t : {"AAAA", "BBBB", "CCCC", "DDDD"})
        link->output(QString::fromLatin1(t));
    EXPECT_EQ(readMaster(pty, 8), QByteArray("AAAADDDD"));
    waitFor([&] { return device->bytesQueued() == 0; });
    link->output(QStringLiteral("EEEE"));
    EXPECT_EQ(readMaster(pty, 4), QByteArray("EEEE"));
}

TEST_F(PtyLink, ThePairVanishingUnderAnOpenPortClosesItAndAnotherOpens) {
    Pty gone, spare;
    start({gone.path, spare.path});
    link->OpenOutput_Click();
    gone.closeBoth();
    link->output(QStringLiteral("\x02"
                                "11abc\n"));
    EXPECT_TRUE(waitFor([&] { return !form.PortOpen; }));
    EXPECT_TRUE(form.StatusLine.text.startsWith(QStringLiteral("COM-Port 1 ausgefallen: ")));

    link->check_comPorts_Click(); // the vanished pair is no longer listed
    link->OpenOutput_Click();
    link->output(QStringLiteral("ok"));
    EXPECT_EQ(readMaster(spare, 2), QByteArray("ok"));
}

TEST_F(PtyLink, OneDeviceThroughTwoPathsOpensOnceAndGoingWhileIdleIsReported) {
    Pty pty;
    const QString other =
        QDir::temp().filePath(QStringLiteral("marklight-link-%1").arg(::getpid()));
    QFile::remove(other);
    ASSERT_TRUE(QFile::link(pty.path, other));
    start({pty.path, other});
    link->OpenOutput_Click();
    QtSerialDevice second; // another Marklight, reaching the device through the symlink
    second.setPortNumber(2);
    EXPECT_FALSE(second.open());
    EXPECT_TRUE(second.openBusy());
    QFile::remove(other);

    ::close(pty.master); // the line goes away while nothing is written
    pty.master = -1;
    EXPECT_TRUE(waitFor([&] { return !form.PortOpen; }));
    EXPECT_EQ(form.StatusLine.text,
              QStringLiteral("COM-Port 1 ausgefallen: Gerät nicht mehr erreichbar"));
}

// What the link makes of it (the box, the hint) is in serial_test.
TEST_F(PtyLink, ADeviceWithoutRightsIsNamedInTheListing) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may open any device: run as another user to test missing rights";
    Pty pty;
    ASSERT_EQ(::chmod(pty.path.toLocal8Bit().constData(), 0), 0);
    start({pty.path});
    EXPECT_EQ(form.Combo6.items, QStringList({QStringLiteral("Kein Comport verfügbar")}));
    EXPECT_TRUE(form.Text1.text.contains(
        QStringLiteral(" +++ COM-Port 1 (%1): keine Berechtigung").arg(pty.path)));
}

} // namespace
} // namespace ml::test
