#include "console/event_log.h"
#include "platform/fakes/fakes.h"

#include <gtest/gtest.h>

namespace ml {
namespace {

// A scoreboard transmission: four frames STX, address, brightness, eight characters, LF.
QString board(const char* f1, const char* f2, const char* f3, const char* f4) {
    QString t;
    for (const char* f : {f1, f2, f3, f4})
        t += QChar(0x02) + QString::fromLatin1(f) + QChar(0x0A);
    return t;
}
// "Heim" 3 : 12 "Gegner" at 20:00 (48 characters).
const QString kExample = board("12Heim    ", "22  Gegner", "32 3    20", "42:00  12 ");
const QString kBlank = board("11        ", "21        ", "31        ", "41        ");

class EventLogTest : public ::testing::Test {
  protected:
    QStringList lines() const { return form.Text1.text.split(QStringLiteral("\r\n")); }
    Form form;
    FakeClock clock{QStringLiteral("14:05:09")};
    EventLog log{form, clock};
};

TEST_F(EventLogTest, StartReplacesLogAndNewLinesGoOnTop) {
    form.Text1.text = QStringLiteral("old");
    log.start();
    clock.set(QStringLiteral("14:05:10"));
    log.addLine(QStringLiteral(" +++ 2 Comport(s) verfügbar"));
    EXPECT_EQ(form.Text1.text, QStringLiteral("14:05:10 +++ 2 Comport(s) verfügbar\r\n"
                                              "14:05:09 +++ Programmstart. \r\n\r\n"));
}

TEST_F(EventLogTest, SummaryWrittenOnlyWhenAScorePieceChanges) {
    ASSERT_EQ(kExample.size(), 48);
    form.ClockRunning = true;
    log.LogEvent(kExample, 1);
    EXPECT_EQ(
        form.Text1.text,
        QStringLiteral("14:05:09 +++ Spielzeit:  20:00 - Heim     : 3   /   Gegner :  12\r\n"));
    log.LogEvent(board("12Heim    ", "22  Gegner", "32 3    19", "42:59  12 "), 1);
    EXPECT_EQ(lines().size(), 2);
    log.LogEvent(board("12Heim    ", "22  Gegner", "32 3    19", "42:58  13 "), 1);
    EXPECT_EQ(lines().first(),
              QStringLiteral("14:05:09 +++ Spielzeit:  19:58 - Heim     : 3   /   Gegner :  13"));
}

TEST_F(EventLogTest, EventTextFollowsFirstRuleThatHolds) {
    form.D_Min.text = QStringLiteral("12");
    form.D_Sec.text = QStringLiteral("34");
    form.Pkt_l.text = QStringLiteral("3");
    form.Pkt_r.text = QStringLiteral("2");
    form.Text_l.text = QStringLiteral("Links");
    form.ValStrafeL.text = QStringLiteral("0.5");
    const auto eventOf = [this](bool brk, bool timeout, bool right, bool left) {
        form.BreakActive = brk;
        form.TimeoutActive = timeout;
        form.StrafeRActive = right;
        form.StrafeLActive = left;
        form.LogPending = true;
        log.LogEvent(kExample, 1);
        EXPECT_FALSE(form.LogPending);
        return lines().first().mid(8);
    };
    EXPECT_EQ(eventOf(false, false, true, false),
              QStringLiteral(" +++ Spielzeit: 12:34 (3:2) Strafe 2.0min. für Gegner"));
    EXPECT_EQ(eventOf(true, true, true, true),
              QStringLiteral(" +++ Spielzeit: 12:34 (3:2) Spielpause"));
    EXPECT_EQ(eventOf(false, true, true, true),
              QStringLiteral(" +++ Spielzeit: 12:34 (3:2) Timeout"));
    EXPECT_EQ(eventOf(false, false, true, true).mid(28),
              QStringLiteral("Strafe 2.0min. für Gegner"));
    EXPECT_EQ(eventOf(false, false, false, true).mid(28),
              QStringLiteral("Strafe 0.5min. für Links"));
    EXPECT_EQ(eventOf(false, false, false, false).mid(28), QStringLiteral("Spiel Start/Stop"));
    EXPECT_EQ(lines().size(), 7) << "one line per pending event, no summary while the clock stands";
}

TEST_F(EventLogTest, EventLineStandsAboveSummary) {
    form.ClockRunning = form.LogPending = true;
    log.LogEvent(kExample, 1);
    ASSERT_EQ(lines().size(), 3);
    EXPECT_TRUE(lines()[0].endsWith(QStringLiteral(" Spiel Start/Stop")));
    EXPECT_TRUE(lines()[1].endsWith(QStringLiteral("Gegner :  12")));
}

TEST_F(EventLogTest, NoSummaryWhileTimeOfDayShownClockStandsPenaltyOrTimeoutRuns) {
    const std::vector<std::function<void(bool)>> blockers = {
        [this](bool on) { form.Uhr.setValue(on ? 1 : 0); },
        [this](bool on) { form.ClockRunning = !on; },
        [this](bool on) { form.StrafeLActive = on; },
        [this](bool on) { form.StrafeRActive = on; },
        [this](bool on) { form.TimeoutActive = on; },
    };
    for (size_t i = 0; i < blockers.size(); ++i) {
        SCOPED_TRACE(i);
        form.Text1.text.clear();
        form.LoggedScoreL.clear();
        form.LoggedScoreR.clear();
        form.ClockRunning = true;
        blockers[i](true);
        log.LogEvent(kExample, 1);
        EXPECT_EQ(form.Text1.text, QString());
        // The change held back is logged at the first call after the blocker is gone.
        blockers[i](false);
        log.LogEvent(kExample, 1);
        EXPECT_EQ(lines().size(), 2);
    }
}

TEST_F(EventLogTest, ClosedPortBlankPiecesGiveABlankSummaryOnlyOnce) {
    form.ClockRunning = form.LogPending = true;
    log.LogEvent(kBlank, 1);
    ASSERT_EQ(lines().size(), 3);
    EXPECT_EQ(lines()[1],
              QStringLiteral("14:05:09 +++ Spielzeit:        -          :     /          :    "));
    form.LogPending = true;
    log.LogEvent(kBlank, 1);
    EXPECT_EQ(lines().size(), 4);
    EXPECT_TRUE(lines()[0].endsWith(QStringLiteral(" Spiel Start/Stop")));
}

TEST_F(EventLogTest, LogAndTickOutputCutToFirstThousandPastLimit) {
    form.Text1.text = QString(1000, QLatin1Char('n')) + QString(99000, QLatin1Char('o'));
    form.Text5.text = QString(100000, QLatin1Char('x'));
    log.LogEvent(QString(), 1);
    EXPECT_EQ(form.Text1.text.size(), 100000);
    EXPECT_EQ(form.Text5.text.size(), 100000);

    form.Text1.text += QLatin1Char('o');
    form.Text5.text.prepend(QLatin1Char('y'));
    log.LogEvent(QString(), 1);
    EXPECT_EQ(form.Text1.text, QString(1000, QLatin1Char('n')));
    EXPECT_EQ(form.Text5.text, QLatin1Char('y') + QString(999, QLatin1Char('x')));
}

} // namespace
} // namespace ml
