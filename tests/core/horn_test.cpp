// The horn through the fake: when it sounds by itself (end of a count-down, of a timeout, of a
// break) and when not, the hand horn, the settings, and a missing sound output.

#include "tests/support/desk.h"

#include <gtest/gtest.h>

namespace ml::test {
namespace {

class Horn : public ::testing::Test {
  protected:
    void SetUp() override { desk.live(); }

    void startClock(const QString& minutes, const QString& seconds) {
        p.type(p.form.D_Min, minutes);
        p.type(p.form.D_Sec, seconds);
        p.click(p.form.St_St);
    }
    // Whole seconds pass, stepped as the window's timers step them.
    void run(int seconds) { desk.pass(seconds * 1000LL); }
    qsizetype logged(const char* text) const {
        return p.form.Text1.text.count(QString::fromUtf8(text));
    }

    Desk desk;
    Program& p = desk.p;
    std::vector<FakeHorn::Event>& events = desk.horn.events;
};

TEST_F(Horn, CountDownSoundsOnceWhenItLeavesZero) {
    startClock(QStringLiteral("0"), QStringLiteral("02"));
    run(2);
    EXPECT_TRUE(events.empty()) << "0:00 is still playing time";
    desk.pass(99);
    EXPECT_TRUE(events.empty()) << "for the whole tenth of 00.0";
    desk.pass(1);
    EXPECT_EQ(desk.clockOnLine(), QStringLiteral("-0:01"));
    ASSERT_EQ(events.size(), 1U);
    EXPECT_EQ(events[0].ms, 1500);
    EXPECT_EQ(events[0].time, desk.clock.timeOfDay());
    EXPECT_EQ(logged(" +++ Hupe: Spielzeit zu Ende"), 1);

    // Not twice for one end: running on, stopping and starting again below zero.
    run(3);
    p.click(p.form.St_St);
    p.click(p.form.St_St);
    run(3);
    EXPECT_EQ(events.size(), 1U);
    EXPECT_EQ(desk.clockOnLine(), QStringLiteral("-0:07"));
}

TEST_F(Horn, SilentWhileNoCountDownReachesItsEnd) {
    p.click(p.form.Mode_up);
    startClock(QStringLiteral("-0"), QStringLiteral("03"));
    run(5);
    p.click(p.form.St_St);
    p.click(p.form.Mode_down);
    startClock(QStringLiteral("0"), QStringLiteral("03"));
    run(2);
    p.click(p.form.St_St);
    run(5);
    EXPECT_TRUE(events.empty());
    // Started again at 0:01, the end is still ahead.
    p.click(p.form.St_St);
    run(2);
    EXPECT_EQ(events.size(), 1U);
}

TEST_F(Horn, InterruptionsSoundWhenTheirCountRunsOut) {
    p.type(p.form.TimeoutValue, QStringLiteral("0.05"));
    p.click(p.form.Time_Out);
    run(1);
    p.click(p.form.Time_Out);
    run(5);
    EXPECT_TRUE(events.empty()) << "a timeout the operator stops";
    p.click(p.form.Time_Out);
    run(3);
    EXPECT_TRUE(events.empty()) << "0:00 of the timeout is still its time";
    run(1);
    EXPECT_EQ(events.size(), 1U);
    EXPECT_EQ(logged(" +++ Hupe: Timeout zu Ende"), 1);

    p.type(p.form.BreakValue, QStringLiteral("0.05"));
    p.click(p.form.Break);
    run(6);
    EXPECT_EQ(events.size(), 2U);
    EXPECT_EQ(logged(" +++ Hupe: Pause zu Ende"), 1);
}

TEST_F(Horn, StopAtZeroHoldsTheClockAtZero) {
    p.form.settings[SettingId::StopAtZero] = true;
    startClock(QStringLiteral("0"), QStringLiteral("02"));
    run(3);
    EXPECT_EQ(events.size(), 1U);
    EXPECT_FALSE(p.form.ClockRunning);
    EXPECT_EQ(p.form.St_St.text, QStringLiteral("Start"));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(desk.clockOnLine(), QStringLiteral("00:00"));
        run(1);
    }
    EXPECT_EQ(p.form.D_Min.text + p.form.D_Sec.text, QStringLiteral("000"));

    p.click(p.form.St_St);
    run(2);
    EXPECT_EQ(desk.clockOnLine(), QStringLiteral("-0:02")) << "Start after the end is unchanged";
    EXPECT_EQ(events.size(), 1U);
    // A new period (Reset) has its own end.
    p.click(p.form.St_St);
    p.type(p.form.Startwert, QStringLiteral("0.05"));
    desk.dialogs.answerNext(Answer::Yes);
    p.click(p.form.reset);
    p.click(p.form.St_St);
    run(4);
    EXPECT_EQ(events.size(), 2U);
    EXPECT_EQ(desk.clockOnLine(), QStringLiteral("00:00"));
}

TEST_F(Horn, HandHornSoundsWhileHeldUnlessSwitchedOff) {
    p.hold(p.form.horn, true);
    p.hold(p.form.horn, false);
    ASSERT_EQ(events.size(), 2U);
    EXPECT_TRUE(events[0].on && events[0].ms == 0);
    EXPECT_FALSE(events[1].on);

    p.setting(QStringLiteral("HornOn"), 0);
    EXPECT_EQ(logged(" +++ Hupe: aus"), 1);
    EXPECT_FALSE(p.form.horn.enabled);
    p.hold(p.form.horn, true);
    startClock(QStringLiteral("0"), QStringLiteral("01"));
    run(3);
    EXPECT_EQ(events.size(), 2U);
    EXPECT_EQ(logged(" +++ Hupe: Spielzeit zu Ende"), 0);
    EXPECT_EQ(desk.clockOnLine(), QStringLiteral("-0:02"));
    p.horn.test();
    EXPECT_EQ(events.size(), 3U) << "the settings' Test sounds also while the horn is off";
}

TEST_F(Horn, LostSoundOutputIsSaidUntilItIsBack) {
    desk.horn.missing = true;
    desk.horn.outputsChanged();
    EXPECT_TRUE(p.form.hornMissing.visible);
    EXPECT_EQ(p.form.hornMissing.text, QStringLiteral("Hupe: kein Audiogerät"));
    startClock(QStringLiteral("0"), QStringLiteral("01"));
    run(2);
    EXPECT_EQ(desk.clockOnLine(), QStringLiteral("-0:01"));
    EXPECT_EQ(logged(" +++ Hupe: kein Audiogerät"), 1);
    EXPECT_EQ(logged(" +++ Hupe: Spielzeit zu Ende"), 1);

    desk.horn.missing = false;
    desk.horn.outputsChanged();
    EXPECT_FALSE(p.form.hornMissing.visible);
    p.hold(p.form.horn, true);
    EXPECT_EQ(events.size(), 1U);
}

} // namespace
} // namespace ml::test
