// The Windows-1252 encoding, the port numbering and the serial link on the fake platform. The
// everyday open/list/exit paths are in the serial_* replay scripts.

#include "bookkeeping/event_log.h"
#include "platform/fakes/fakes.h"
#include "serial/port_map.h"
#include "serial/serial_link.h"
#include "serial/windows1252.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace ml::test {
namespace {

TEST(Windows1252, EveryHighByteRoundTripsAndCharactersWithoutAByteBecomeQuestionMarks) {
    // The platform's own code page is the reference; its unassigned bytes are the C1 controls.
    QStringDecoder decoder("windows-1252");
    for (int b = 0x80; b <= 0xFF; ++b) {
        const QByteArray byte(1, static_cast<char>(b));
        EXPECT_EQ(toWindows1252(decoder.decode(byte)), byte) << b;
    }
    // A character beyond the basic plane is two UTF-16 units, each without a byte.
    const QString text = QStringLiteral("a") + QChar(0x0100) + QChar(0x4E2D) + QChar(0x0085) +
                         QString::fromUcs4(U"\U0001F600") + QStringLiteral("b");
    EXPECT_EQ(toWindows1252(text), QByteArray("a?????b"));
}

QStringList words(const char* text, char separator = ' ') {
    return QString::fromUtf8(text).split(QLatin1Char(separator));
}

// A list gives devices by number with gaps and stops at sixteen; the system's devices are
// numbered on-board first, then adapters, whatever the system's order.
TEST(PortMap, ListKeepsGapsAndStopsAtSixteenAndSystemDevicesGoOnBoardFirst) {
    EXPECT_EQ(portsFromList(QStringLiteral(" /dev/a, ,/dev/b,")), words("/dev/a,,/dev/b,", ','));
    EXPECT_EQ(portsFromList(QStringLiteral("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17")),
              words("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16", ','));
    const QStringList found = words("/dev/ttyACM0 /dev/ttyUSB10 /dev/ttyS1 /dev/ttyUSB2 "
                                    "/dev/ttyAMA0 /dev/ttyS0 /dev/cu.usbserial-A1 "
                                    "/dev/tty.usbserial-A1 /dev/ttyS10 /dev/ttyS2 /dev/ptmx");
    const QStringList expected = words("/dev/ttyS0 /dev/ttyS1 /dev/ttyS2 /dev/ttyS10 /dev/ttyUSB2 "
                                       "/dev/ttyUSB10 /dev/ttyACM0 /dev/cu.usbserial-A1 "
                                       "/dev/ttyAMA0");
    EXPECT_EQ(portsInStableOrder(found), expected);
    EXPECT_EQ(portsInStableOrder(QStringList(found.rbegin(), found.rend())), expected);
}

// The link on the fake device, with ports 3 and 7 openable.
struct LinkRig {
    LinkRig() { device.openable = {3, 7}; }
    // The texts of the log lines, newest first, without their time of day.
    QStringList logLines() const {
        QStringList lines = form.Text1.text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        for (QString& line : lines)
            line.remove(0, 8);
        return lines;
    }
    // Lists the ports, opens `entry` and forgets what that logged and showed.
    void openAt(const QString& entry) {
        link.check_comPorts_Click();
        form.Combo6.index = static_cast<int>(form.Combo6.items.indexOf(entry));
        link.OpenOutput_Click();
        form.Text1.text.clear();
        dialogs.boxes.clear();
    }
    void expectOneBoxAndClosed(const QString& text) const {
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        EXPECT_EQ(dialogs.boxes[0].text, text);
        EXPECT_FALSE(form.PortOpen);
    }

    Form form;
    FakeClock clock{QStringLiteral("14:05:09")};
    FakeDialogs dialogs;
    FakeSerialDevice device;
    EventLog log{form, clock};
    SerialLink link{form, device, dialogs, log};
};

TEST(SerialLink, AFailedOpenOrCloseIsReportedWhileThePortIsAsBeforeAndEndsClosed) {
    LinkRig r;
    r.link.check_comPorts_Click();
    r.form.Combo6.index = 1;
    r.device.openable.clear();
    QList<bool> openDuringBox; // a tick that runs during the box sees the port as before
    r.dialogs.whileOpen = [&] { openDuringBox.append(r.form.PortOpen); };
    r.form.Text1.text.clear();
    r.link.OpenOutput_Click();
    r.expectOneBoxAndClosed(QStringLiteral(
        "Fehler! Sind eventuell keine COM-Ports vorhanden oder die Einstellungen falsch?"));
    r.device.openable = {7};
    r.link.OpenOutput_Click();
    r.form.Combo6.index = 0; // the selection plays no part in closing
    r.form.PortClosedWarn = false;
    r.device.failClose = true;
    r.dialogs.boxes.clear();
    r.link.OpenOutput_Click();
    r.expectOneBoxAndClosed(QStringLiteral("Fehler beim Schließen des Ports 7"));
    EXPECT_EQ(openDuringBox, QList<bool>({false, true}));
    EXPECT_TRUE(r.form.PortClosedWarn);
    EXPECT_EQ(r.logLines(),
              words(" +++ COM-Port 7 kann nicht geschlossen werden|"
                    " +++ Versuch den COM-Port 7 zu schließen|"
                    " +++ COM-Port 7 wurde geöffnet| +++ Versuch den COM-Port 7 zu öffnen|"
                    " +++ COM-Port 7 kann nicht geöffnet werden|"
                    " +++ Versuch den COM-Port 7 zu öffnen",
                    '|'));
}

// Ports that exist but do not open are named with their cause and what to do, also when
// nothing else is there to open. (The device's own report of missing rights: pty_test.)
TEST(SerialLink, PortsThatExistButDoNotOpenAreNamedWithTheirCause) {
    const QString hint = QStringLiteral("Benutzer zur Gruppe dialout hinzufügen: sudo usermod -aG "
                                        "dialout $USER, dann neu anmelden");
    LinkRig r;
    r.device.denied = {2};
    r.device.busy = {7};
    r.link.check_comPorts_Click();
    EXPECT_EQ(r.logLines().mid(0, 3),
              words(" +++ 1 Comport(s) verfügbar|"
                    " +++ COM-Port 7 wird von einem anderen Programm benutzt (fake7)|"
                    " +++ COM-Port 2 (fake2): keine Berechtigung",
                    '|'));
    r.device.denied = {3}; // lost since the listing
    r.link.OpenOutput_Click();
    r.device.denied.clear();
    r.device.busy = {3}; // taken by another program since the listing
    r.link.OpenOutput_Click();
    r.device.openable.clear();
    r.device.denied = {2};
    r.link.check_comPorts_Click();
    EXPECT_EQ(r.logLines()[0], QStringLiteral(" +++ ") + hint);
    r.link.OpenOutput_Click();
    ASSERT_EQ(r.dialogs.boxes.size(), 3u);
    EXPECT_TRUE(r.dialogs.boxes[0].text.endsWith(
        QStringLiteral("falsch?\r\n\r\nKeine Berechtigung für fake3.\r\n") + hint));
    const QString busy =
        QStringLiteral("COM-Port 3 wird von einem anderen Programm benutzt (fake3).");
    EXPECT_EQ(r.dialogs.boxes[1].text, QStringLiteral("Fehler! ") + busy);
    EXPECT_EQ(r.dialogs.boxes[2].text,
              QStringLiteral("Fehler! Sind eventuell keine COM-Ports vorhanden?\r\n\r\n") + busy +
                  QStringLiteral("\r\nVorhanden, aber ohne Berechtigung: fake2\r\n") + hint);
}

TEST(SerialLink, ASlowLineKeepsOnlyTheNewestWaitingButNeverDropsACommandInOrder) {
    // A letter is a transmission (lower case: a command in order), '~' the line draining, '|' a
    // close and reopen.
    const std::pair<const char*, QByteArray> cases[] = {
        {"ABCD~E~~", "ADE"}, {"ABmCD~~~~", "ABmD"}, {"AB|~C", "AC"}};
    for (const auto& [script, expected] : cases) {
        LinkRig r;
        r.openAt(QStringLiteral("COM 3"));
        r.device.holdWrites = true;
        for (const char* p = script; *p; ++p) {
            if (*p == '~') {
                r.device.drain();
            } else if (*p == '|') {
                r.link.OpenOutput_Click();
                r.link.OpenOutput_Click();
            } else {
                const QString t{QLatin1Char(*p)};
                t.front().isLower() ? r.link.outputInOrder(t) : r.link.output(t);
            }
        }
        QByteArray written;
        for (const QByteArray& w : r.device.writes)
            written += w;
        EXPECT_EQ(written, expected) << script;
    }
}

TEST(SerialLink, AFailingDeviceOrARefusedWriteIsSaidInTheStatusLineUntilAPortOpens) {
    enum How { Fails, RefusesAWrite, RefusesAfterTheLineDrained };
    for (How how : {Fails, RefusesAWrite, RefusesAfterTheLineDrained}) {
        LinkRig r;
        r.openAt(QStringLiteral("COM 3"));
        r.device.holdWrites = how == RefusesAfterTheLineDrained;
        r.device.failWrite = how == RefusesAWrite;
        r.link.output(QStringLiteral("A"));
        r.link.output(QStringLiteral("B"));
        r.device.failWrite = how != Fails;
        const QString reason = how == Fails ? QStringLiteral("Gerät nicht mehr erreichbar")
                                            : QStringLiteral("Schreibfehler");
        how == Fails ? r.device.fail(reason) : r.device.drain();
        // Nothing goes to the failed device, and it is reported once.
        r.link.output(QStringLiteral("X"));
        r.device.fail(QStringLiteral("again"));
        EXPECT_TRUE(r.dialogs.boxes.empty());
        EXPECT_FALSE(r.form.PortOpen);
        EXPECT_EQ(r.form.StatusLine.text, QStringLiteral("COM-Port 3 ausgefallen: ") + reason);
        EXPECT_EQ(r.logLines(),
                  QStringList({QStringLiteral(" +++ COM-Port 3 geschlossen"),
                               QStringLiteral(" +++ Versuch den COM-Port 3 zu schließen"),
                               QStringLiteral(" +++ COM-Port 3 ausgefallen: ") + reason}));
        EXPECT_EQ(std::count(r.device.writes.begin(), r.device.writes.end(), "X"), 0) << how;
        // The port is free to choose and open again, and then gets the whole content anew.
        EXPECT_TRUE(r.form.Combo6.enabled && r.form.OpenOutput.text == QStringLiteral("öffnen"));
        r.form.LastSent = QStringLiteral("B");
        r.device.failWrite = false;
        r.link.OpenOutput_Click();
        EXPECT_FALSE(r.form.StatusLine.visible);
        EXPECT_TRUE(r.form.LastSent.isEmpty());
    }
}

} // namespace
} // namespace ml::test
