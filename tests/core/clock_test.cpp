// The match clock measures the time it ran: its seconds (in the last minute, tenths) turn on its
// own running time, stops and starts lose and gain nothing. No step runs while a tick waits in a
// message box. (That a click reaches the line in its own step shows in every golden file.)

#include "tests/support/desk.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>

namespace ml::test {
namespace {

// Runs the window's steps for `ms`; the milliseconds into them at which the step that ended the
// playing time ran, if one did.
std::optional<qint64> runUntilEnd(Desk& desk, qint64 ms) {
    Program& p = desk.p;
    qint64 ran = 0;
    for (qint64 next = p.msToNextWake(); ran + next <= ms; next = p.msToNextWake()) {
        desk.clock.advanceMs(next);
        ran += next;
        const bool ended = p.form.ClockEnded;
        p.wake();
        if (!ended && p.form.ClockEnded)
            return ran;
    }
    desk.clock.advanceMs(ms - ran);
    return std::nullopt;
}

TEST(ExactClock, TheEndComesATenthAfterZeroHoweverOftenTheClockStops) {
    struct Case {
        const char* runs;
        qint64 runMs; // 0: random lengths
    };
    for (const Case& c :
         {Case{"0.3 s", 300}, Case{"0.8 s", 800}, Case{"0.5 s", 500}, Case{"random", 0}}) {
        Desk desk;
        Program& p = desk.p;
        desk.live();
        p.type(p.form.D_Min, QStringLiteral("1"));
        p.type(p.form.D_Sec, QStringLiteral("00"));
        std::mt19937 random(21);
        std::uniform_int_distribution<qint64> anyRun(1, 3000), anyPause(1, 999);
        qint64 ran = 0;
        std::optional<qint64> end;
        while (!end && ran < 70000) {
            const qint64 run = c.runMs ? c.runMs : anyRun(random);
            p.click(p.form.St_St);
            const size_t sounded = desk.horn.events.size();
            if (const std::optional<qint64> at = runUntilEnd(desk, run)) {
                end = ran + *at;
                EXPECT_EQ(desk.clockOnLine(), QStringLiteral("-0:01")) << c.runs;
                EXPECT_EQ(desk.horn.events.size(), sounded + 1) << c.runs;
            }
            ran += run;
            p.click(p.form.St_St);
            desk.pass(anyPause(random));
        }
        ASSERT_TRUE(end) << c.runs;
        EXPECT_NEAR(static_cast<double>(*end), 60100, 10) << c.runs;
    }
}

TEST(ExactClock, ATimeoutOrBreakEndsOnItsOwnSecondsWhereverItStarts) {
    struct Case {
        const char* button;
        const char* lengthBox;
        const char* minutes;
        qint64 endMs; // the length, then the second at 0:00
    };
    for (const Case& c : {Case{"Time_Out", "TimeoutValue", "0.5", 31000},
                          Case{"Break", "BreakValue", "0.25", 16000}}) {
        Desk desk;
        Program& p = desk.p;
        desk.pass(437);
        p.type(*p.find(QString::fromLatin1(c.lengthBox)), QString::fromLatin1(c.minutes));
        p.click(*p.find(QString::fromLatin1(c.button)));
        qint64 ran = 0;
        while ((p.form.TimeoutActive || p.form.BreakActive) && ran < 60000) {
            const qint64 next = p.msToNextWake();
            desk.clock.advanceMs(next);
            ran += next;
            p.wake();
        }
        EXPECT_EQ(ran, c.endMs) << c.button;
    }
}

TEST(ExactClock, TheLastMinuteReachesTheLineTenthByTenth) {
    Desk desk;
    Program& p = desk.p;
    desk.live();
    p.type(p.form.D_Min, QStringLiteral("1"));
    p.type(p.form.D_Sec, QStringLiteral("00"));
    desk.pass(270);
    p.click(p.form.St_St);
    // 1:00 is not yet the last minute, 0:00 is, -0:01 no longer.
    QStringList expected{QStringLiteral("1:00")};
    for (int second = 59; second >= 0; --second)
        for (int tenth = 9; tenth >= 0; --tenth)
            expected << QStringLiteral("%1:%2").arg(second, 2, 10, QLatin1Char('0')).arg(tenth) +
                            QLatin1Char('0');
    expected << QStringLiteral("-0:01");
    // The clock on the line every tenth of its own running time.
    QStringList seen{desk.clockOnLine()};
    desk.pass(60);
    while (seen.size() < expected.size()) {
        desk.pass(100);
        seen << desk.clockOnLine();
    }
    EXPECT_EQ(seen.join(QLatin1Char(' ')), expected.join(QLatin1Char(' ')));
}

TEST(ExactClock, AStopInTheLastMinuteKeepsTheTenthThatHadRunPartly) {
    Desk desk;
    Program& p = desk.p;
    desk.live();
    p.type(p.form.D_Min, QStringLiteral("0"));
    p.type(p.form.D_Sec, QStringLiteral("43"));
    p.click(p.form.St_St);
    desk.pass(1450);
    p.click(p.form.St_St);
    EXPECT_EQ(desk.clockOnLine(), QStringLiteral("41:60"));
    // A timeout in between does not move it.
    p.type(p.form.TimeoutValue, QStringLiteral("0.1"));
    p.click(p.form.Time_Out);
    desk.pass(7000);
    EXPECT_EQ(desk.clockOnLine(), QStringLiteral("41:60"));
    p.click(p.form.St_St);
    desk.pass(49);
    EXPECT_EQ(desk.clockOnLine(), QStringLiteral("41:60"));
    desk.pass(1);
    EXPECT_EQ(desk.clockOnLine(), QStringLiteral("41:50"));
    // A typed value replaces the exact one.
    p.click(p.form.St_St);
    p.type(p.form.D_Sec, QStringLiteral("30"));
    EXPECT_EQ(desk.clockOnLine(), QStringLiteral("0:30"));
    p.click(p.form.St_St);
    EXPECT_EQ(desk.clockOnLine(), QStringLiteral("30:00"));
    desk.pass(99);
    EXPECT_EQ(desk.clockOnLine(), QStringLiteral("30:00"));
    desk.pass(1);
    EXPECT_EQ(desk.clockOnLine(), QStringLiteral("29:90"));
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
        ran.push_back(p.wake());
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
