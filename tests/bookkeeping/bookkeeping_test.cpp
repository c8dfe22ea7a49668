#include "bookkeeping/event_log.h"
#include "bookkeeping/message_window.h"
#include "bookkeeping/score_keeping.h"
#include "platform/fakes/fakes.h"

#include <gtest/gtest.h>

namespace ml {
namespace {

// A scoreboard transmission by its four fields.
Transmission board(const char* f1, const char* f2, const char* f3, const char* f4) {
    Transmission t;
    t.fields = {QString::fromLatin1(f1), QString::fromLatin1(f2), QString::fromLatin1(f3),
                QString::fromLatin1(f4)};
    return t;
}
// "Heim" 3 : 12 "Gegner" at 20:00.
const Transmission kExample = board("Heim    ", "  Gegner", " 3    20", ":00  12 ");

class EventLogTest : public ::testing::Test {
  protected:
    QStringList lines() const { return form.Text1.text.split(QStringLiteral("\r\n")); }
    Form form;
    FakeClock clock{QStringLiteral("14:05:09")};
    EventLog log{form, clock};
};

TEST_F(EventLogTest, EventTextFollowsFirstRuleThatHolds) {
    form.D_Min.text = QStringLiteral("12");
    form.D_Sec.text = QStringLiteral("34");
    form.Pkt_l.text = QStringLiteral("3");
    form.Pkt_r.text = QStringLiteral("2");
    form.Text_l.text = QStringLiteral("Links");
    form.ValStrafeL.text = QStringLiteral("0.5");
    // Case i: the rules from i on hold; the event named is the first of them.
    bool* const rules[] = {&form.BreakActive, &form.TimeoutActive, &form.penaltyR.running,
                           &form.penaltyL.running};
    const char* const events[] = {"Spielpause", "Timeout", "Strafe 2.0min. für Gegner",
                                  "Strafe 0.5min. für Links", "Spiel Start/Stop"};
    for (int i = 0; i < 5; ++i) {
        for (int r = 0; r < 4; ++r)
            *rules[r] = r >= i;
        form.LogPending = true;
        log.LogEvent(kExample);
        EXPECT_FALSE(form.LogPending);
        EXPECT_EQ(lines().first(), QStringLiteral("14:05:09 +++ Spielzeit: 12:34 (3:2) ") +
                                       QString::fromUtf8(events[i]));
    }
    EXPECT_EQ(lines().size(), 6) << "one line per pending event, no summary while the clock stands";
}

TEST_F(EventLogTest, SummaryOnlyForAScoreChangeWhileTheClockAloneRuns) {
    const std::function<void(bool)> blockers[] = {
        [this](bool on) { form.Uhr.setValue(on ? 1 : 0); },
        [this](bool on) { form.ClockRunning = !on; },
        [this](bool on) { form.penaltyL.running = on; },
        [this](bool on) { form.penaltyR.running = on; },
        [this](bool on) { form.TimeoutActive = on; },
    };
    for (const auto& block : blockers) {
        form.Text1.text.clear();
        form.LoggedScoreL = form.LoggedScoreR = QString();
        form.ClockRunning = true;
        block(true);
        log.LogEvent(kExample);
        EXPECT_EQ(form.Text1.text, QString());
        // The change held back is logged at the first call after the blocker is gone.
        block(false);
        log.LogEvent(kExample);
        EXPECT_EQ(lines().size(), 2);
    }
    EXPECT_EQ(lines().first(),
              QStringLiteral("14:05:09 +++ Spielzeit:  20:00 - Heim     : 3   /   Gegner :  12"));
    log.LogEvent(board("Heim    ", "  Gegner", " 3    19", ":59  12 ")); // only the clock moved
    EXPECT_EQ(lines().size(), 2);
}

TEST_F(EventLogTest, LogCutToFirstThousandPastLimit) {
    form.Text1.text = QString(1000, QLatin1Char('n')) + QString(99000, QLatin1Char('o'));
    log.LogEvent(Transmission());
    EXPECT_EQ(form.Text1.text.size(), 100000);

    form.Text1.text += QLatin1Char('o');
    log.LogEvent(Transmission());
    EXPECT_EQ(form.Text1.text, QString(1000, QLatin1Char('n')));
}

TEST(MessageWindow, OnlyExactly175CharactersGoIntoTheLabel) {
    Form form;
    FakeShell shell;
    MessageWindowModel messages{form, shell};
    const MessageWindow& window = form.frmMessage;
    for (int n : {175, 174, 176, 0, 175}) {
        const QString text(n, QLatin1Char('a' + n % 26));
        messages.ShowMessage(text);
        const bool inLabel = n == 175;
        EXPECT_EQ(window.lblMessage.visible, inLabel) << n;
        EXPECT_EQ(window.T_Message.visible, !inLabel) << n;
        EXPECT_EQ(inLabel ? window.lblMessage.text : window.T_Message.text, text) << n;
    }
}

TEST(MessageWindow, ClosingForgetsWhatItShowed) {
    Form form;
    FakeShell shell;
    MessageWindowModel messages{form, shell};
    const MessageWindow& window = form.frmMessage;
    messages.ShowMessage(QString(175, QLatin1Char('a')));
    messages.btnClose_Click();
    EXPECT_FALSE(window.exists);
    messages.ShowMessage(QStringLiteral("kurz"));
    EXPECT_TRUE(window.exists);
    EXPECT_EQ(window.lblMessage.text, QStringLiteral("Message")) << "reopened from design state";
}

class ScoreKeepingTest : public ::testing::Test {
  protected:
    ScoreKeepingTest() { score.bindHandlers(); }
    Form form;
    ScoreKeeping score{form};
};

TEST_F(ScoreKeepingTest, ScoreStepsOnTheButtonsOwnSide) {
    struct Case {
        const char *button, *before, *after;
    };
    const Case cases[] = {
        {"up_l", "0", "1"},       {"down_l", "0", "-1"},       {"up_r", "", "1"},
        {"down_r", "", "-1"},     {"up_l", " ", "1"},          {"up_l", "999", "1000"},
        {"up_l", "1000", "1"},    {"down_r", "-999", "-1000"}, {"down_r", "-1000", "-1"},
        {"down_l", "1000", "-1"}, {"up_r", " +05 ", "6"},      {"up_r", "2.5", "3.5"},
        {"down_l", "-", "-"},     {"up_r", "abc", "abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 on \"%2\"").arg(c.button, c.before).toStdString());
        const bool left = QByteArray(c.button).endsWith("_l");
        TextBox& box = left ? form.Pkt_l : form.Pkt_r;
        TextBox& other = left ? form.Pkt_r : form.Pkt_l;
        box.text = QString::fromLatin1(c.before);
        other.text = QStringLiteral("42");
        form.control(QString::fromLatin1(c.button))->onClick();
        EXPECT_EQ(box.text, QString::fromLatin1(c.after));
        EXPECT_EQ(other.text, QStringLiteral("42"));
    }
}

TEST_F(ScoreKeepingTest, EnteringScoreOrClockBoxSelectsWholeText) {
    form.D_Min.text = QStringLiteral("120");
    form.Pkt_r.text.clear();
    for (TextBox* box : {&form.Pkt_l, &form.Pkt_r, &form.D_Min, &form.D_Sec}) {
        box->selStart = box->selLength = 1;
        box->onFocus();
        EXPECT_EQ(box->selStart, 0) << box->name.toStdString();
        EXPECT_EQ(box->selLength, box->text.size()) << box->name.toStdString();
    }
}

} // namespace
} // namespace ml
