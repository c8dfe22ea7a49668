// End to end over a real pseudo-terminal: the whole program core with the QSerialPort device,
// the port opened and "Anzeigen" ticked, and the scoreboard read from the other end.

#include "serial/qt_serial_device.h"
#include "tests/support/desk.h"
#include "tests/support/pty.h"

#include <gtest/gtest.h>

namespace ml::test {
namespace {

QByteArray scoreboard(const char* f1, const char* f2, const char* f3, const char* f4) {
    QByteArray out;
    const char* fields[] = {f1, f2, f3, f4};
    for (int i = 0; i < 4; ++i)
        out += QByteArray("\x02") + char('1' + i) + '1' + fields[i] + '\n';
    return out;
}

TEST(PtyScoreboard, OpenPortAndAnzeigenSendTheMatchToTheOtherEnd) {
    static int argc = 1;
    static char name[] = "tests_core_pty";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);

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

} // namespace
} // namespace ml::test
