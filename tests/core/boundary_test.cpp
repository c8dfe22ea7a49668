// The steps of the window's timers: at each boundary of the time of day the transmission carries
// the second and the tenth that have just begun; and no step runs while a tick waits in a message
// box.

#include "tests/support/desk.h"

#include <gtest/gtest.h>

namespace ml::test {
namespace {

// The match clock on the line in the last transmission: minutes (or seconds) and ":ss".
QString clockOnLine(const Desk& desk) {
    const QByteArray& w = desk.device.writes.back();
    return QString::fromLatin1(w.mid(32, 3).trimmed() + w.mid(39, 3));
}

TEST(Boundary, TheLastMinuteReachesTheLineTenthByTenthDownToZeroThenBelowIt) {
    Desk desk;
    Program& p = desk.p;
    FakeClock& clock = desk.clock;
    desk.live();
    p.type(p.form.D_Min, QStringLiteral("1"));
    p.type(p.form.D_Sec, QStringLiteral("00"));
    p.click(p.form.St_St);
    QStringList expected;
    for (int second = 59; second >= 0; --second)
        for (int tenth = 9; tenth >= 0; --tenth)
            expected << QStringLiteral("%1:%2").arg(second, 2, 10, QLatin1Char('0')).arg(tenth) +
                            QLatin1Char('0');
    expected << QStringLiteral("-0:01");
    // The clock on the line after each boundary of the time of day, as the window steps them.
    QStringList seen;
    while (seen.size() < expected.size()) {
        clock.advanceMs(clock.msToNextTenth());
        const size_t writes = desk.device.writes.size();
        p.boundary(clock.msToNextSecond() == 1000);
        if (desk.device.writes.size() > writes)
            seen << clockOnLine(desk);
    }
    EXPECT_EQ(seen.join(QLatin1Char(' ')), expected.join(QLatin1Char(' ')));
}

TEST(Boundary, AClockStoppedInItsLastMinuteStaysOnTheLineAfterATimeoutUntilTheOperatorTypes) {
    Desk desk;
    Program& p = desk.p;
    desk.live();
    p.type(p.form.D_Min, QStringLiteral("0"));
    p.type(p.form.D_Sec, QStringLiteral("43"));
    p.click(p.form.St_St);
    desk.clock.advanceMs(1300);
    p.tick();
    p.click(p.form.St_St);
    p.type(p.form.TimeoutValue, QStringLiteral("0.1"));
    p.click(p.form.Time_Out);
    desk.clock.advance(7);
    p.tick();
    p.tick();
    EXPECT_EQ(clockOnLine(desk), QStringLiteral("42:60"));
    p.type(p.form.D_Sec, QStringLiteral("30"));
    p.tick();
    EXPECT_EQ(clockOnLine(desk), QStringLiteral("0:30"));
}

TEST(Tick, ATickFallingWhileATicksBoxIsUpIsSkipped) {
    Desk desk;
    Program& p = desk.p;
    FakeDialogs& dialogs = desk.dialogs;
    // A timeout that runs out on a run-out clock resets it, and a bad start value then shows a box.
    p.type(p.form.D_Min, QStringLiteral("0"));
    p.type(p.form.D_Sec, QStringLiteral("00"));
    p.type(p.form.TimeoutValue, QStringLiteral("0"));
    p.click(p.form.Time_Out);
    p.type(p.form.Startwert, QStringLiteral("x"));
    std::vector<bool> ran;
    dialogs.whileOpen = [&] {
        ran.push_back(p.tick());
        ran.push_back(p.tenths());
        ran.push_back(p.boundary(true));
    };
    desk.clock.advance(1);
    ASSERT_TRUE(p.tick());
    ASSERT_EQ(dialogs.boxes.size(), 1U) << "one box, no pile-up";
    EXPECT_EQ(dialogs.boxes[0].title, QStringLiteral("20.0"));
    EXPECT_EQ(ran, std::vector<bool>({false, false, false}));
    EXPECT_TRUE(p.tick()) << "the next tick runs again";
}

} // namespace
} // namespace ml::test
