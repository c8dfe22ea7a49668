// Two display lines over real pseudo-terminals: the whole program core with the QSerialPort
// devices, each scoreboard read from the other end. (One line alone: line_pty_test.)

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

// The program gone without "Ende" (a crash, a kill) and resumed: both lines are opened again and
// show the match at once.
TEST(PtyScoreboard, AResumeOpensBothLinesAgain) {
    application();
    Pty near, far;
    qputenv("MARKLIGHT_PORTS", QStringList{near.path, far.path}.join(',').toLocal8Bit());
    FakeClock clock{QStringLiteral("10:00:00")};
    FakeDialogs dialogs;
    FakeShell shell;
    FakeHorn horn{clock};
    FakeStorage storage;
    for (const bool resumed : {false, true}) {
        QtSerialDevice first;
        QtSerialDevice second(&first);
        Program p{clock, dialogs, shell, first, horn, storage, &second};
        p.start();
        if (!resumed) {
            p.click(p.form.OpenOutput);
            p.secondLine(2, true, 9600);
            p.click(p.form.Displ);
            p.type(p.form.Pkt_l, QStringLiteral("3"));
            readMaster(near, 48 + 28 + 48);
            readMaster(far, 48 + 28 + 48);
            continue;
        }
        EXPECT_TRUE(p.form.PortOpen);
        EXPECT_TRUE(p.form.Line2Open);
        p.tick();
        EXPECT_TRUE(readMaster(near, 48).endsWith(
            scoreboard("Heim    ", "  Gegner", " 3    20", ":00   0 ")));
        EXPECT_TRUE(readMaster(far, 48).endsWith(
            scoreboard("Gegner  ", "    Heim", " 0    20", ":00   3 ")));
    }
}

} // namespace
} // namespace ml::test
