// The engine alone on a form, with a fake clock and fake message boxes; start-up has run.

#include "form/number_text.h"
#include "match/match_engine.h"
#include "platform/fakes/fakes.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace ml {
namespace {

class MatchClock : public ::testing::Test {
  protected:
    MatchClock() {
        engine.bindHandlers();
        engine.start();
    }

    // The match clock as shown, "m:ss".
    QString shown() const { return form.D_Min.text + QLatin1Char(':') + form.D_Sec.text; }
    // A tick at the time of day `t`; gives the clock as shown after it.
    QString tickAt(const char* t) {
        clock.passUntil(QString::fromLatin1(t));
        engine.count();
        return shown();
    }
    void setClock(const char* minutes, const char* seconds) {
        form.D_Min.text = QString::fromLatin1(minutes);
        form.D_Sec.text = QString::fromLatin1(seconds);
    }
    void startAt(const char* minutes, const char* seconds) {
        setClock(minutes, seconds);
        engine.St_St_Click();
    }

    Form form;
    FakeClock clock{QStringLiteral("12:00:00")};
    FakeDialogs dialogs;
    MatchEngine engine{form, clock, dialogs};
};

using Interruptions = MatchClock;
using Banner = MatchClock;
using Penalties = MatchClock;

// --- The match clock ---

TEST_F(MatchClock, DirectionIsReadAtEveryTick) {
    startAt("0", "10");
    EXPECT_EQ(tickAt("12:00:04"), QStringLiteral("0:06"));
    form.Mode_up.onClick();
    EXPECT_EQ(tickAt("12:00:05"), QStringLiteral("0:15"));
    EXPECT_FALSE(form.LastMinute || form.Timer3.enabled || form.Spec_Min.visible);
}

TEST(NumberText, ReadsWhatAnOperatorTypesAsANumber) {
    const std::pair<const char*, std::optional<double>> table[] = {
        {"0,5", 0.5}, {" 15,5 ", 15.5}, {"-2,5", -2.5},  {",5", 0.5},   {"5,", 5.0},
        {"20.0", 20}, {"1,5,0", {}},    {"1,5.0", {}},   {"1.5.0", {}}, {",", {}},
        {"1 ,5", {}}, {"1.000,5", {}},  {" -3 ", -3},    {"+5", 5},     {"-0", 0},
        {".5", 0.5},  {"5.", 5},        {"", {}},        {"   ", {}},   {"-", {}},
        {"1e3", {}},  {"1E3", {}},      {"inf", {}},     {"nan", {}},   {"3-", {}},
        {"--3", {}},  {"1 2", {}},      {"abc", {}},     {"0x10", {}},  {"\t7\r\n", 7},
        {"٣", {}},    {"007", 7},       {"-4096", -4096}};
    for (const auto& [text, value] : table)
        EXPECT_EQ(readNumber(QString::fromUtf8(text)), value) << text;
}

TEST(NumberText, WritesTheShortestText) {
    const std::pair<double, const char*> written[] = {
        {0, "0"},         {-0.0, "0"},        {20, "20"},     {0.5, "0.5"},
        {-1.25, "-1.25"}, {0.1 + 0.2, "0.3"}, {1e20, "1e+20"}};
    for (const auto& [value, text] : written)
        EXPECT_EQ(numberText(value), QString::fromLatin1(text)) << value;
}

TEST(NumberText, RoundsThreeWays) {
    constexpr long long kClamp = 9'200'000'000'000'000'000;
    struct Rounding {
        double value;
        long long down, towardZero, halfEven;
    };
    const Rounding roundings[] = {
        {2.5, 2, 2, 2},
        {3.5, 3, 3, 4},
        {-2.5, -3, -2, -2},
        {-0.4, -1, 0, 0},
        {-1.5, -2, -1, -2},
        {7.0, 7, 7, 7},
        {1e300, kClamp, kClamp, kClamp}}; // held at the end of the range, not undefined
    for (const Rounding& r : roundings) {
        EXPECT_EQ(roundDown(r.value), r.down) << r.value;
        EXPECT_EQ(truncateTowardZero(r.value), r.towardZero) << r.value;
        EXPECT_EQ(roundHalfEven(r.value), r.halfEven) << r.value;
    }
}

// --- Timeouts and breaks ---

TEST_F(Interruptions, EndingOnARunOutClockResetsItButOnlyABreakBelowZero) {
    // Only the exact texts "0" "00" count as run out.
    struct Case {
        const char *min, *sec;
        bool isBreak;
        const char* after;
    } cases[] = {{"0", "00", false, "20:00"},
                 {"-2", "10", true, "20:00"},
                 {"-2", "10", false, "-2:10"},
                 {"0", "0", false, "0:0"}};
    for (const Case& c : cases) {
        setClock(c.min, c.sec);
        clock.passUntil(QStringLiteral("12:00:00"));
        form.TimeoutValue.text = form.BreakValue.text = QStringLiteral("0");
        c.isBreak ? form.Break.onClick() : form.Time_Out.onClick();
        tickAt("12:00:00");
        EXPECT_TRUE(form.TimeoutActive || form.BreakActive); // a zero length still shows 0:00
        EXPECT_EQ(tickAt("12:00:01"), QString::fromLatin1(c.after)) << c.min << c.sec << c.isBreak;
        EXPECT_FALSE(form.TimeoutActive || form.BreakActive || form.Spec_Min.visible);
    }
}

TEST_F(Interruptions, ATimeoutTakesOverTheDisplayUntilItsButtonOrTheClockEndsIt) {
    int handlerRuns = 0;
    form.Uhr.initValue(1);
    form.Uhr.onClick = [&] { ++handlerRuns; };
    form.Prog.onClick = [&] { ++handlerRuns; };
    form.Time_Out.onClick();
    EXPECT_EQ(handlerRuns, 1); // `Uhr` clears through its handler; `Prog` was clear already
    form.Time_Out.onClick();
    EXPECT_FALSE(form.TimeoutActive || form.Spec_Min.visible);
    setClock("7", "30");
    form.Time_Out.onClick();
    tickAt("12:00:10");
    engine.St_St_Click();
    EXPECT_FALSE(form.TimeoutActive || form.Spec_Min.visible);
    EXPECT_EQ(tickAt("12:00:11"), QStringLiteral("7:29"));
}

TEST_F(Banner, ShowsTwoOfEverySevenSlowTicks) {
    form.Break.onClick();
    QString pattern;
    for (int i = 0; i < 14; ++i) {
        tickAt("12:00:00");
        pattern += form.SpecL.visible ? QLatin1Char('B') : QLatin1Char('-');
    }
    EXPECT_EQ(pattern, QStringLiteral("BB-----BB-----"));
    EXPECT_EQ(form.SpecL.text + form.SpecR.text, QStringLiteral("  SPIEL-PAUSE   "));

    form.Break.onClick();
    startAt("0", "50");
    tickAt("12:00:00"); // enters the last minute: the tick period drops to 100 ms
    // A timeout started in the last minute: the first tick still runs at 100 ms and shows the
    // names; the next one, back at 1000 ms, shows the banner.
    form.Time_Out.onClick();
    tickAt("12:00:00");
    EXPECT_FALSE(form.SpecL.visible);
    tickAt("12:00:01");
    EXPECT_TRUE(form.SpecL.visible);
}

TEST_F(Banner, StandingClockShowsUnterbruchOnlyBelowAReadableStartValue) {
    const auto bannerInFirstTwoTicks = [&] {
        form.BannerPhase = 0;
        tickAt("12:00:00");
        return form.SpecL.visible ? form.SpecL.text + form.SpecR.text : QStringLiteral("names");
    };
    EXPECT_EQ(bannerInFirstTwoTicks(), QStringLiteral("names"));
    setClock("12", "34");
    EXPECT_EQ(bannerInFirstTwoTicks(), QStringLiteral("  UNTER-BRUCH   "));
    form.D_Min.text = QStringLiteral("--"); // unreadable: not taken as 0
    EXPECT_EQ(bannerInFirstTwoTicks(), QStringLiteral("names"));
    startAt("12", "34");
    EXPECT_EQ(bannerInFirstTwoTicks(), QStringLiteral("names"));
    EXPECT_TRUE(dialogs.boxes.empty());
}

// --- Penalties ---

TEST_F(Penalties, EndIsTheClockLessTheLengthRoundedHalfToEven) {
    // From 15:20: 0.025 min ends at 918.5 s -> 918, 0.075 min at 915.5 s -> 916.
    const std::pair<const char*, const char*> cases[] = {
        {"0.25", " 00:15"}, {"100", " 100:00"}, {"0.025", " 00:02"}, {"0.075", " 00:04"}};
    setClock("15", "20");
    for (const auto& [length, text] : cases) {
        form.ValStrafeL.text = QString::fromLatin1(length);
        form.StrafeL.onClick();
        EXPECT_EQ(form.TxtStrL.text, QString::fromLatin1(text)) << length;
        form.StrafeL.onClick();
    }
    // Counting up, the end lies ahead; the right penalty's blank stands outside.
    form.Mode_up.onClick();
    form.StrafeR.onClick(); // ends at 17:20
    EXPECT_EQ(form.TxtStrR.text, QStringLiteral("02:00 "));
}

TEST_F(Penalties, EndBelowZeroIsServedWhenTheClockShowsIt) {
    startAt("1", "30");
    form.StrafeL.onClick();
    tickAt("12:01:59");
    EXPECT_EQ(shown() + form.TxtStrL.text, QStringLiteral("-0:29 00:01"));
    tickAt("12:02:00");
    EXPECT_EQ(shown() + form.TxtStrL.text, QStringLiteral("-0:30 00:00"));
}

TEST_F(Penalties, ClockAtTheEndOfItsRangeIsServedWithoutWrapping) {
    form.StrafeL.onClick(); // ends at 18:00
    startAt("546", "07");
    tickAt("12:00:00");
    EXPECT_EQ(form.TxtStrL.text, QStringLiteral(" 528:07"));
    EXPECT_EQ(engine.penalties().Strafe(-600, 0, 500, 0), QStringLiteral("00:00"));
}

} // namespace
} // namespace ml
