// Undo and redo over the program core. (The questions before what cannot be taken back:
// golden match_confirm.)

#include "tests/support/desk.h"

#include <gtest/gtest.h>

namespace ml::test {
namespace {

// What a step may change, as one text.
QString undoable(const Form& f) {
    return QStringList{f.Text_l.text, f.Text_r.text,    f.Pkt_l.text, f.Pkt_r.text,  f.D_Min.text,
                       f.D_Sec.text,  f.Startwert.text, f.St_St.text, f.StrafeL.text}
               .join(QLatin1Char('|')) +
           QStringLiteral("|%1%2%3%4")
               .arg(f.ClockRunning)
               .arg(f.penaltyL.running)
               .arg(f.TxtStrL.visible)
               .arg(f.penaltyR.running);
}

TEST(Undo, TwentyMixedStepsRetraceOneByOne) {
    Desk d;
    Form& f = d.p.form;
    const auto typing = [&](TextBox& box, const QString& text) {
        d.p.focus(box);
        for (qsizetype n = 1; n <= text.size(); ++n) // one step for the whole word
            d.p.type(box, text.left(n));
    };
    const std::function<void()> changes[] = {
        [&] { d.p.click(f.up_l); },
        [&] { d.p.key(QStringLiteral("F11")); },
        [&] { d.p.key(QStringLiteral("F3")); }, // -1 while only the +1 buttons show
        [&] { typing(f.Text_l, QStringLiteral("Adler")); },
        [&] { typing(f.Pkt_r, QStringLiteral("7")); },
        [&] { d.p.click(f.s_change); },
        [&] { d.p.click(f.StrafeL); },
        [&] { d.p.click(f.Time_Out); },             // not a step: the next undo passes it by
        [&] { d.p.key(QStringLiteral("Ctrl+O")); }, // the port is no step either
        [&] { d.p.click(f.StrafeR); },
        [&] { typing(f.Startwert, QStringLiteral("15.0")); },
        [&] { d.dialogs.answerNext(Answer::Yes), d.p.click(f.reset); },
        [&] { typing(f.D_Min, QStringLiteral("12")); },
        [&] { d.p.key(QStringLiteral("Space")); },
        [&] { d.p.click(f.up_r); },
        [&] { d.p.click(f.St_St); },
        [&] { d.dialogs.answerNext(Answer::Ok), d.p.click(f.Reset_Time); },
        [&] { typing(f.Text_r, QStringLiteral("Bären")); },
        [&] { d.p.click(f.StrafeL); },
        [&] { d.p.key(QStringLiteral("Num+3")); },
        [&] { typing(f.D_Sec, QStringLiteral("30")); },
        [&] { d.p.click(f.up_l); },
    };
    std::vector<QString> states{undoable(f)};
    for (const auto& change : changes) {
        change();
        if (undoable(f) != states.back())
            states.push_back(undoable(f));
    }
    ASSERT_EQ(states.size(), 21u); // 20 steps
    EXPECT_EQ(f.undo.text, QStringLiteral("Rückgängig: Spielstand Heim +1"));
    for (std::size_t i = states.size() - 1; i > 0; --i) {
        d.p.key(QStringLiteral("Ctrl+Z"));
        EXPECT_EQ(undoable(f), states[i - 1]) << "undo to " << i - 1;
    }
    EXPECT_TRUE(
        f.Text1.text.startsWith(QStringLiteral("10:00:00 +++ Rückgängig: Spielstand Heim +1")));
    EXPECT_FALSE(f.undo.enabled);
    EXPECT_EQ(f.redo.text, QStringLiteral("Wiederholen: Spielstand Heim +1"));
    for (std::size_t i = 1; i < states.size(); ++i) {
        d.p.key(i % 2 ? QStringLiteral("Ctrl+Y") : QStringLiteral("Ctrl+Shift+Z"));
        EXPECT_EQ(undoable(f), states[i]) << "redo to " << i;
    }
    EXPECT_FALSE(f.redo.enabled);
    EXPECT_EQ(f.redo.text, QStringLiteral("Wiederholen"));
    // A new change after an undo drops what could have been done again.
    d.p.key(QStringLiteral("Ctrl+Z"));
    d.p.click(f.up_r);
    EXPECT_FALSE(f.redo.enabled);
}

TEST(Undo, AClockStartTakenBackStopsAtTheShownValue) {
    Desk d;
    Form& f = d.p.form;
    d.p.click(f.St_St);
    d.clock.advance(5);
    d.p.tick();
    d.p.click(f.undo);
    EXPECT_FALSE(f.ClockRunning);
    EXPECT_EQ(f.D_Min.text + f.D_Sec.text, QStringLiteral("1955")); // never rewound
    d.p.click(f.redo);
    d.clock.advance(1);
    d.p.tick();
    EXPECT_EQ(f.D_Min.text + f.D_Sec.text, QStringLiteral("1954"));
}

TEST(Undo, TheLastHundredStepsAreKept) {
    Desk d;
    Form& f = d.p.form;
    for (int i = 0; i < 130; ++i)
        d.p.click(f.up_l);
    while (f.undo.enabled)
        d.p.click(f.undo);
    EXPECT_EQ(f.Pkt_l.text, QString::number(130 - UndoHistory::kSteps));
}

} // namespace
} // namespace ml::test
