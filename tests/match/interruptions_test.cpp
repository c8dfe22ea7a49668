#include "engine_fixture.h"

namespace ml {
namespace {

using Interruption = EngineTest;
using Banner = EngineTest;

TEST_F(Interruption, EndingOnARunOutClockResetsItButOnlyABreakBelowZero) {
    struct Case {
        const char *min, *sec;
        bool isBreak;
        const char* after;
    } cases[] = {{"0", "00", false, "20:00"},
                 {"-2", "10", true, "20:00"},
                 {"-2", "10", false, "-2:10"},
                 {"0", "0", false, "0:0"}}; // only the exact texts "0" "00" count
    for (const Case& c : cases) {
        setClock(c.min, c.sec);
        clock.set(QStringLiteral("12:00:00"));
        form.TimeoutValue.text = form.BreakValue.text = QStringLiteral("0");
        c.isBreak ? engine.Break_Click() : engine.Time_Out_Click();
        tickAt("12:00:01");
        EXPECT_EQ(shown(), QString::fromLatin1(c.after)) << c.min << ":" << c.sec << c.isBreak;
        EXPECT_FALSE(form.TimeoutActive || form.BreakActive);
    }
}

TEST_F(Interruption, BreakAndTimeoutReplaceEachOtherWithAFreshCount) {
    engine.Time_Out_Click();
    tickAt("12:00:20");
    EXPECT_EQ(second(), QStringLiteral("0:40"));
    engine.Break_Click();
    EXPECT_TRUE(form.BreakActive);
    EXPECT_FALSE(form.TimeoutActive);
    EXPECT_EQ(form.Break.text + "|" + form.Time_Out.text,
              QStringLiteral("Stop Pause|Start Timeout"));
    tickAt("12:00:30");
    EXPECT_EQ(second(), QStringLiteral("4:50"));
    engine.Time_Out_Click();
    EXPECT_EQ(form.Break.text + "|" + form.Time_Out.text,
              QStringLiteral("Start Pause|Stop Timeout"));
    tickAt("12:00:30");
    EXPECT_EQ(second(), QStringLiteral("1:00"));
    engine.Time_Out_Click(); // the same button again stops it
    EXPECT_FALSE(form.TimeoutActive || form.Spec_Min.visible);
}

TEST_F(Interruption, ZeroAndHalfMinuteLengths) {
    form.TimeoutValue.text = QStringLiteral("0.5");
    engine.Time_Out_Click();
    EXPECT_EQ(second(), QStringLiteral("0:30"));
    engine.Time_Out_Click();
    form.TimeoutValue.text = QStringLiteral("0");
    engine.Time_Out_Click();
    EXPECT_EQ(second(), QStringLiteral("0:0"));
    tickAt("12:00:00");
    EXPECT_EQ(second(), QStringLiteral("0:00"));
    EXPECT_TRUE(form.TimeoutActive);
    tickAt("12:00:01");
    EXPECT_FALSE(form.TimeoutActive);
}

TEST_F(Interruption, LengthThatIsNoNumberShowsBoxAndRepairsTheBox) {
    engine.St_St_Click();
    form.BreakValue.text = QString();
    engine.Break_Click();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].title, QStringLiteral("1.0"));
    EXPECT_EQ(form.BreakValue.text, QStringLiteral("1.0"));
    EXPECT_FALSE(form.ClockRunning || form.BreakActive);
    EXPECT_EQ(form.Break.text, QStringLiteral("Start Pause"));
    EXPECT_TRUE(form.Spec_Min.visible && form.LogPending);
}

TEST_F(Interruption, StartingSwitchesOffTimeOfDayAndProgramDisplays) {
    int handlerRuns = 0;
    form.Uhr.initValue(1);
    form.Uhr.onClick = [&] { ++handlerRuns; };
    form.Prog.onClick = [&] { ++handlerRuns; };
    engine.Time_Out_Click();
    EXPECT_EQ(form.Uhr.value(), 0);
    EXPECT_EQ(handlerRuns, 1); // `Prog` was clear: its handler does not run
}

TEST_F(Interruption, StartingTheClockEndsATimeoutAndResumesTheClock) {
    setClock("7", "30");
    engine.Time_Out_Click();
    tickAt("12:00:10");
    engine.St_St_Click();
    EXPECT_FALSE(form.TimeoutActive || form.Spec_Min.visible);
    EXPECT_EQ(form.Time_Out.text, QStringLiteral("Start Timeout"));
    tickAt("12:00:11");
    EXPECT_EQ(shown(), QStringLiteral("7:29"));
}

TEST_F(Banner, ShowsTwoOfEverySevenSecondsAndNeverAtTheFastTick) {
    engine.Time_Out_Click();
    QString pattern;
    for (int i = 0; i < 14; ++i) {
        tickAt("12:00:00");
        pattern += form.SpecL.visible ? QLatin1Char('B') : QLatin1Char('-');
    }
    EXPECT_EQ(pattern, QStringLiteral("BB-----BB-----"));
    EXPECT_EQ(form.SpecL.text + form.SpecR.text, QStringLiteral("    TIME-OUT    "));
    engine.Break_Click();
    tickAt("12:00:00");
    EXPECT_EQ(form.SpecL.text + form.SpecR.text, QStringLiteral("  SPIEL-PAUSE   "));

    engine.Break_Click();
    setClock("0", "50");
    engine.St_St_Click();
    tickAt("12:00:00"); // this tick still advanced at the 1000 ms period
    for (int i = 0; i < 14; ++i) {
        tickAt("12:00:00");
        EXPECT_EQ(form.BannerPhase, 0) << i;
    }
    // A timeout started in the last minute: the first tick still runs at 100 ms and shows the
    // names; the next one, back at 1000 ms, shows the banner.
    engine.Time_Out_Click();
    tickAt("12:00:00");
    EXPECT_FALSE(form.SpecL.visible);
    tickAt("12:00:01");
    EXPECT_TRUE(form.SpecL.visible);
}

TEST_F(Banner, InterruptedClockShowsUnterbruchUnlessAtTheStartValue) {
    const auto bannerInFirstTwoTicks = [&] {
        form.BannerPhase = 0;
        tickAt("12:00:00");
        return form.SpecL.visible ? form.SpecL.text + form.SpecR.text : QStringLiteral("names");
    };
    EXPECT_EQ(bannerInFirstTwoTicks(), QStringLiteral("names"));
    setClock("12", "34");
    EXPECT_EQ(bannerInFirstTwoTicks(), QStringLiteral("  UNTER-BRUCH   "));
    form.D_Min.text = QStringLiteral("--");
    EXPECT_EQ(bannerInFirstTwoTicks(), QStringLiteral("names"));
    setClock("12", "34");
    engine.St_St_Click();
    EXPECT_EQ(bannerInFirstTwoTicks(), QStringLiteral("names"));
}

} // namespace
} // namespace ml
