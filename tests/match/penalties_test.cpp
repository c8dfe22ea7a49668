#include "engine_fixture.h"

namespace ml {
namespace {

using Penalty = EngineTest;

TEST_F(Penalty, CountUpPenaltyOnTheRightHasItsBlankOutside) {
    engine.Mode_up_Click();
    setClock("15", "20");
    engine.StrafeR_Click();
    EXPECT_EQ(form.TxtStrR.text, QStringLiteral("02:00 "));
    EXPECT_EQ(form.StrafeREndMin, 17);
    EXPECT_EQ(form.StrafeREndSec, 20);
    engine.St_St_Click();
    tickAt("12:02:00");
    EXPECT_EQ(shown() + form.TxtStrR.text, QStringLiteral("17:2000:00 "));
}

TEST_F(Penalty, LengthsAndEndsBeyondTheUsualOnes) {
    setClock("15", "20");
    form.ValStrafeL.text = QStringLiteral("0.25");
    engine.StrafeL_Click();
    EXPECT_EQ(form.TxtStrL.text, QStringLiteral(" 00:15"));
    engine.StrafeL_Click();
    form.ValStrafeL.text = QStringLiteral("100");
    engine.Mode_up_Click();
    engine.StrafeL_Click();
    EXPECT_EQ(form.TxtStrL.text, QStringLiteral(" 100:00"));
    engine.StrafeL_Click();
    // Halves go to the even second: 918.5 s ends at 918, 915.5 s at 916.
    engine.Mode_down_Click();
    form.ValStrafeL.text = QStringLiteral("0.025");
    engine.StrafeL_Click();
    EXPECT_EQ(form.TxtStrL.text, QStringLiteral(" 00:02"));
    engine.StrafeL_Click();
    form.ValStrafeL.text = QStringLiteral("0.075");
    engine.StrafeL_Click();
    EXPECT_EQ(form.TxtStrL.text, QStringLiteral(" 00:04"));
}

TEST_F(Penalty, EndBelowZeroIsServedWhenTheClockShowsIt) {
    setClock("1", "30");
    engine.StrafeL_Click();
    EXPECT_EQ(form.StrafeLEndMin, 0);
    EXPECT_EQ(form.StrafeLEndSec, -30);
    engine.St_St_Click();
    tickAt("12:01:59");
    EXPECT_EQ(shown() + form.TxtStrL.text, QStringLiteral("-0:29 00:01"));
    tickAt("12:02:00");
    EXPECT_EQ(shown() + form.TxtStrL.text, QStringLiteral("-0:30 00:00"));
}

TEST_F(Penalty, StopAndRestartGivesAFreshPenalty) {
    setClock("15", "20");
    engine.StrafeL_Click();
    engine.St_St_Click();
    tickAt("12:01:00");
    EXPECT_EQ(form.TxtStrL.text, QStringLiteral(" 01:00"));
    engine.StrafeL_Click();
    EXPECT_FALSE(form.StrafeLActive || form.TxtStrL.visible);
    engine.StrafeL_Click();
    EXPECT_EQ(form.TxtStrL.text, QStringLiteral(" 02:00"));
    EXPECT_EQ(form.StrafeLEndMin * 60 + form.StrafeLEndSec, 12 * 60 + 20);
}

TEST_F(Penalty, RefusedWithoutTraceWhenLengthOrClockIsUnusable) {
    form.ValStrafeL.text = QStringLiteral("zwei");
    engine.StrafeL_Click();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].title, QStringLiteral("2.0"));
    EXPECT_EQ(dialogs.boxes[0].text,
              QStringLiteral("Fehler 13 beim Starten der Strafe:\r\n\r\nTypen unverträglich: "
                             "\"zwei\" ist keine Zahl\r\n\r\nLänge der Strafe in Min eingeben"));
    EXPECT_EQ(form.ValStrafeL.text, QStringLiteral("2.0"));

    // 600 minutes would end at 20:00 - 36000 s, below the 16-bit range: refused, not wrapped.
    form.ValStrafeR.text = QStringLiteral("600");
    engine.StrafeR_Click();
    EXPECT_EQ(dialogs.boxes.back().title, QStringLiteral("Strafe kontrollieren"));
    EXPECT_TRUE(dialogs.boxes.back().text.startsWith(QStringLiteral("Fehler 6 beim Starten")));
    EXPECT_EQ(form.ValStrafeR.text, QStringLiteral("600"));

    setClock("x", "00");
    engine.StrafeR_Click();
    EXPECT_TRUE(dialogs.boxes.back().text.endsWith(QStringLiteral("Minuten der Spielzeit als "
                                                                  "Zahl eingeben")));
    EXPECT_EQ(dialogs.boxes.size(), 3u);
    EXPECT_FALSE(form.StrafeLActive || form.StrafeRActive || form.LogPending);
    EXPECT_FALSE(form.TxtStrL.visible || form.TxtStrR.visible);
    EXPECT_EQ(form.StrafeL.text + form.StrafeR.text, QStringLiteral("Start StrafeStart Strafe"));
}

TEST_F(Penalty, ClockBeyondSixteenBitsIsServedWithoutWrapping) {
    engine.StrafeL_Click(); // ends at 18:00
    form.D_Min.text = QStringLiteral("9999");
    engine.St_St_Click();
    tickAt("12:00:00");
    EXPECT_EQ(form.TxtStrL.text, QStringLiteral(" 9981:00"));
    EXPECT_EQ(engine.Strafe(-600, 0, 500, 0), QStringLiteral("00:00"));
    EXPECT_EQ(engine.Strafe(1000, 0, 0, 0), QStringLiteral("1000:00"));
}

} // namespace
} // namespace ml
