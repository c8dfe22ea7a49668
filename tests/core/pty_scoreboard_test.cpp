// End to end over a real pseudo-terminal: the whole program core with the QSerialPort device,
// the port opened and "Anzeigen" ticked, and the scoreboard read from the other end.

#include "serial/qt_serial_device.h"
#include "tests/support/desk.h"
#include "tests/support/pty.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <unistd.h>

namespace ml::test {
namespace {

QByteArray scoreboard(const char* f1, const char* f2, const char* f3, const char* f4) {
    QByteArray out;
    const char* fields[] = {f1, f2, f3, f4};
    for (int i = 0; i < 4; ++i)
        out += QByteArray("\x02") + char('1' + i) + '1' + fields[i] + '\n';
    return out;
}

void application() {
    static int argc = 1;
    static char name[] = "tests_core_pty";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

TEST(PtyScoreboard, OpenPortAndAnzeigenSendTheMatchToTheOtherEnd) {
    application();

    Pty pty;
    ASSERT_FALSE(pty.path.isEmpty());
    qputenv("MARKLIGHT_PORTS", pty.path.toLocal8Bit());
    test::BasicDesk<QtSerialDevice> desk;
    Program& p = desk.p;
    ASSERT_EQ(p.form.Combo6.currentText(), QStringLiteral("COM 1"));
    p.click(p.form.OpenOutput);
    ASSERT_TRUE(p.form.PortOpen);
    // Each change goes out in the step of the click: the display blank while "Anzeigen" is not
    // ticked, the mode switch and the scoreboard, the typed score (which replaces the scoreboard
    // before it when that still waits for the line).
    const QByteArray blank = scoreboard("        ", "        ", "        ", "        ");
    const QByteArray modeSwitch("\x02\x90\x90"
                                "111234567890\n\x02"
                                "112345678\n");
    p.click(p.form.Displ);
    p.type(p.form.Pkt_l, QStringLiteral("3"));
    p.tick();
    const QByteArray typed = scoreboard("Heim    ", "  Gegner", " 3    20", ":00   0 ");
    QByteArray got = readMaster(pty, blank.size() + modeSwitch.size() + typed.size());
    if (!got.endsWith(typed))
        got += readMaster(pty, typed.size());
    EXPECT_TRUE(got.startsWith(blank + modeSwitch));
    EXPECT_TRUE(got.endsWith(typed));

    p.click(p.form.St_St);
    desk.clock.advance(1);
    p.tick();
    EXPECT_EQ(readMaster(pty, 48), scoreboard("Heim    ", "  Gegner", " 3    19", ":59   0 "));
}

// A hall with a line at each end: the far one shows the sides swapped.
TEST(PtyScoreboard, TwoLinesGetEachStepTheSecondWithItsSidesSwapped) {
    application();
    Pty near, far;
    // The first line's device under a name of its own: the second line refuses it all the same.
    const QString alias =
        QDir::temp().filePath(QStringLiteral("marklight-alias-%1").arg(::getpid()));
    QFile::remove(alias);
    ASSERT_TRUE(QFile::link(near.path, alias));
    qputenv("MARKLIGHT_PORTS", QStringList{near.path, far.path, alias}.join(',').toLocal8Bit());
    FakeClock clock{QStringLiteral("10:00:00")};
    FakeDialogs dialogs;
    FakeShell shell;
    FakeHorn horn{clock};
    FakeStorage storage;
    QtSerialDevice first;
    QtSerialDevice second(&first);
    Program p{clock, dialogs, shell, first, horn, storage, &second};
    p.start();
    p.click(p.form.OpenOutput);
    p.secondLine(3, true, 9600);
    QFile::remove(alias);
    EXPECT_FALSE(p.form.Line2Open);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_TRUE(dialogs.boxes[0].text.startsWith(
        QStringLiteral("COM-Port 3 ist schon die erste Anzeigelinie")))
        << dialogs.boxes[0].text.toStdString();
    p.secondLine(2, true, 9600);
    ASSERT_TRUE(p.form.Line2Open);
    readMaster(near, 48);
    readMaster(far, 48);

    p.click(p.form.Displ);
    p.type(p.form.Pkt_l, QStringLiteral("3"));
    // Both written in the step of the typing, before the event loop has run.
    EXPECT_GT(first.bytesQueued(), 0);
    EXPECT_GT(second.bytesQueued(), 0);
    const QByteArray shown = scoreboard("Heim    ", "  Gegner", " 3    20", ":00   0 ");
    const QByteArray swapped = scoreboard("Gegner  ", "    Heim", " 0    20", ":00   3 ");
    EXPECT_TRUE(readMaster(near, 48 + 28 + 48).endsWith(shown));
    EXPECT_TRUE(readMaster(far, 48 + 28 + 48).endsWith(swapped));

    // The far line pulled: said as the second's, and the near one goes on.
    far.closeBoth();
    EXPECT_TRUE(waitFor([&] { return !p.form.Line2Open; }));
    EXPECT_TRUE(p.form.StatusLine.text.startsWith(
        QStringLiteral("Anzeigelinie 2: COM-Port 2 ausgefallen: ")));
    EXPECT_TRUE(p.form.PortOpen);
    p.click(p.form.up_r);
    EXPECT_EQ(readMaster(near, 48), scoreboard("Heim    ", "  Gegner", " 3    20", ":00   1 "));
}

} // namespace
} // namespace ml::test
