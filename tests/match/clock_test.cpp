#include "engine_fixture.h"

#include <QStringList>

namespace ml {
namespace {

using MatchClock = EngineTest;

TEST(MatchStartUp, ClearsFlagsBeforeBrightnessAndListsPortsLast) {
    Form form;
    FakeClock clock;
    FakeDialogs dialogs;
    EventLog log{form, clock};
    MatchEngine engine{form, clock, dialogs, log};
    form.StrafeLActive = true;
    QStringList seen;
    const auto note = [&](const char* step) {
        seen << QStringLiteral("%1 %2%3%4")
                    .arg(QLatin1String(step))
                    .arg(form.StrafeLActive)
                    .arg(form.Show_Prog.text.isEmpty())
                    .arg(form.PortClosedWarn);
    };
    engine.setHooks({[&] { note("br_low"); }, [&] { note("ports"); }, {}, {}});
    engine.Form_Load();
    EXPECT_EQ(seen, QStringList({QStringLiteral("br_low 010"), QStringLiteral("ports 001")}));
    EXPECT_EQ(form.Show_Prog.text, QStringLiteral("Programm 1\r\nläuft"));
}

TEST_F(MatchClock, TickHandsTimeOfDayWithCarriageReturnToTheComposer) {
    QStringList calls;
    engine.setHooks({{},
                     {},
                     [&] { calls << QStringLiteral("preview"); },
                     [&](const QString& arg) {
                         calls << arg;
                         return QStringLiteral("sent");
                     }});
    tickAt("09:15:30");
    EXPECT_EQ(calls, QStringList({QStringLiteral("preview"), QStringLiteral("09:15:30\r")}));
    EXPECT_EQ(form.Uhr_anz.text, QStringLiteral("09:15:30"));
    EXPECT_EQ(form.Text5.text, QStringLiteral("sent"));
}

TEST_F(MatchClock, TenthsCountNineToZeroAndRestartOnANewSecond) {
    setClock("0", "59");
    engine.St_St_Click();
    tickAt("12:00:00");
    engine.Timer3_Timer(); // takes up the current second
    QStringList tenths;
    for (int i = 0; i < 10; ++i) {
        engine.Timer3_Timer();
        tenths << form.Spec_Sec.text;
    }
    EXPECT_EQ(tenths.join(QLatin1Char(' ')), QStringLiteral("90 80 70 60 50 40 30 20 10 00"));
    EXPECT_EQ(form.Spec_Min.text, QStringLiteral("59"));
    engine.Timer3_Timer();
    engine.Timer3_Timer(); // 90, 80
    tickAt("12:00:01");
    engine.Timer3_Timer(); // still the old count, then the new second is seen
    EXPECT_EQ(second(), QStringLiteral("58:70"));
    engine.Timer3_Timer();
    EXPECT_EQ(form.Spec_Sec.text, QStringLiteral("90"));
}

TEST_F(MatchClock, StopInLastMinuteKeepsTenthsOnDisplay) {
    setClock("0", "42");
    engine.St_St_Click();
    tickAt("12:00:00");
    engine.Timer3_Timer();
    engine.Timer3_Timer();
    const QString stopped = second();
    engine.St_St_Click();
    tickAt("12:00:01");
    engine.Timer3_Timer();
    EXPECT_EQ(second(), stopped);
    EXPECT_TRUE(form.LastMinute);
    EXPECT_FALSE(form.Timer3.enabled);
    EXPECT_EQ(form.Timer2.interval, 1000);
}

TEST_F(MatchClock, CountingUpNeverEntersTheLastMinute) {
    engine.Mode_up_Click();
    EXPECT_FALSE(form.Mode_down.checked);
    setClock("0", "00");
    engine.St_St_Click();
    tickAt("12:00:05");
    EXPECT_EQ(shown(), QStringLiteral("0:05"));
    EXPECT_FALSE(form.LastMinute || form.Timer3.enabled);
    EXPECT_EQ(form.Timer2.interval, 1000);
}

TEST_F(MatchClock, SwitchingDirectionWhileRunningMirrorsAroundTheStart) {
    engine.St_St_Click();
    tickAt("12:00:10");
    EXPECT_EQ(shown(), QStringLiteral("19:50"));
    engine.Mode_up_Click();
    tickAt("12:00:10");
    EXPECT_EQ(shown(), QStringLiteral("20:10"));
    engine.Mode_down_Click();
    tickAt("12:00:11");
    EXPECT_EQ(shown(), QStringLiteral("19:49"));
}

TEST_F(MatchClock, StopAndRestartBelowZeroResumesFromTheShownValue) {
    setClock("-1", "30");
    engine.St_St_Click();
    EXPECT_EQ(form.StartSec, -90);
    tickAt("12:00:01");
    EXPECT_EQ(shown(), QStringLiteral("-1:31"));
    engine.St_St_Click();
    EXPECT_FALSE(form.ClockRunning);
    tickAt("12:05:00");
    EXPECT_EQ(shown(), QStringLiteral("-1:31"));
    engine.St_St_Click();
    tickAt("12:05:01");
    EXPECT_EQ(shown(), QStringLiteral("-1:32"));
}

TEST_F(MatchClock, StartWithEmptyBoxesStartsFromZero) {
    setClock("", "");
    engine.St_St_Click();
    EXPECT_EQ(shown(), QStringLiteral("0:0"));
    EXPECT_TRUE(form.ClockRunning && form.LogPending);
    tickAt("12:00:01");
    EXPECT_EQ(shown(), QStringLiteral("-0:01"));
}

TEST_F(MatchClock, StartRefusesAClockBoxThatHoldsNoNumber) {
    setClock("", "x");
    engine.St_St_Click();
    setClock("12a", "00");
    engine.St_St_Click();
    setClock("99999999999999", "00");
    engine.St_St_Click();
    ASSERT_EQ(dialogs.boxes.size(), 3u);
    EXPECT_EQ(dialogs.boxes[0].title, QStringLiteral("Spielzeit kontrollieren"));
    EXPECT_EQ(dialogs.boxes[0].text,
              QStringLiteral("Fehler 13 beim Starten der Spielzeit:\r\n\r\nTypen unverträglich: "
                             "\"x\" ist keine Zahl\r\n\r\nSekunden der Spielzeit als Zahl "
                             "eingeben"));
    EXPECT_TRUE(dialogs.boxes[1].text.endsWith(QStringLiteral("Minuten der Spielzeit als Zahl "
                                                              "eingeben")));
    EXPECT_TRUE(dialogs.boxes[2].text.startsWith(QStringLiteral("Fehler 6 ")));
    EXPECT_FALSE(form.ClockRunning || form.LogPending);
    EXPECT_EQ(form.St_St.text, QStringLiteral("Start"));
    setClock("", "x");
    engine.St_St_Click();
    EXPECT_EQ(form.D_Min.text, QString()); // refused before the empty box becomes "0"
}

TEST_F(MatchClock, StandingClockWithTextsThatAreNoNumbersKeepsTicking) {
    form.D_Min.text = QStringLiteral("zz");
    form.Startwert.text = QString();
    tickAt("12:00:01");
    tickAt("12:00:02");
    EXPECT_FALSE(form.SpecL.visible);
    EXPECT_EQ(form.TimeOut.text, QStringLiteral("12:00:02"));
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(MatchClock, ResetTimeWritesTheStartValueInClockForm) {
    const std::pair<const char*, const char*> cases[] = {
        {"45", "45:00"}, {"0.5", "0:30"}, {"7.1", "7:6"}, {"20.0", "20:00"}};
    for (const auto& [start, expected] : cases) {
        form.Startwert.text = QString::fromLatin1(start);
        engine.ResetTime();
        EXPECT_EQ(shown(), QString::fromLatin1(expected)) << start;
    }
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(MatchClock, ResetTimeWithLettersRepairsStartValueAndKeepsTheClock) {
    engine.St_St_Click();
    tickAt("12:00:03");
    form.Startwert.text = QStringLiteral("abc");
    engine.ResetTime();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].title, QStringLiteral("20.0"));
    EXPECT_EQ(form.Startwert.text, QStringLiteral("20.0"));
    EXPECT_EQ(shown(), QStringLiteral("19:57"));
    EXPECT_FALSE(form.ClockRunning);
    EXPECT_EQ(form.St_St.text, QStringLiteral("Start"));
    // A start value too large for the boxes is refused the same way, not written as garbage.
    form.Startwert.text = QStringLiteral("1") + QString(300, QLatin1Char('0'));
    engine.ResetTime();
    EXPECT_TRUE(dialogs.boxes.back().text.startsWith(QStringLiteral("Fehler 6 beim Reseten:")));
    EXPECT_EQ(shown(), QStringLiteral("19:57"));
}

TEST_F(MatchClock, ChangeOfEndsTwiceRestoresNamesAndScores) {
    form.Pkt_l.text = QStringLiteral("3");
    engine.s_change_Click();
    EXPECT_EQ(form.Text_l.text + form.Pkt_l.text, QStringLiteral("Gegner0"));
    EXPECT_EQ(form.Text_r.text + form.Pkt_r.text, QStringLiteral("Heim3"));
    engine.s_change_Click();
    EXPECT_EQ(form.Text_l.text + form.Pkt_l.text, QStringLiteral("Heim3"));
}

} // namespace
} // namespace ml
