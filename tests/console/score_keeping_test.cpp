#include "console/score_keeping.h"

#include <gtest/gtest.h>

namespace ml {
namespace {

class ScoreKeepingTest : public ::testing::Test {
  protected:
    ScoreKeepingTest() { score.registerHandlers(handlers); }
    Form form;
    Handlers handlers;
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
        {"down_l", "1000", "-1"}, {"up_l", "007", "8"},        {"up_r", " +5 ", "6"},
        {"up_r", "2.5", "3.5"},   {"down_l", "-", "-"},        {"up_r", "abc", "abc"},
        {"up_l", "1e3", "1e3"},   {"down_r", "1,5", "1,5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 on \"%2\"").arg(c.button, c.before).toStdString());
        const bool left = QByteArray(c.button).endsWith("_l");
        TextBox& box = left ? form.Pkt_l : form.Pkt_r;
        TextBox& other = left ? form.Pkt_r : form.Pkt_l;
        box.text = QString::fromLatin1(c.before);
        other.text = QStringLiteral("42");
        handlers.click[QString::fromLatin1(c.button)]();
        EXPECT_EQ(box.text, QString::fromLatin1(c.after));
        EXPECT_EQ(other.text, QStringLiteral("42"));
    }
}

TEST_F(ScoreKeepingTest, DirectionMenuSwapsTheVisibleButtonPairs) {
    for (const char* item : {"down", "down", "up", "up"}) {
        handlers.click[QString::fromLatin1(item)]();
        const bool up = item[0] == 'u';
        EXPECT_EQ(form.up.checked, up);
        EXPECT_EQ(form.down.checked, !up);
        EXPECT_EQ(form.up_l.visible && form.up_r.visible, up);
        EXPECT_EQ(form.down_l.visible || form.down_r.visible, !up);
    }
}

TEST_F(ScoreKeepingTest, EnteringScoreOrClockBoxSelectsWholeText) {
    form.D_Min.text = QStringLiteral("120");
    form.Pkt_r.text.clear();
    for (TextBox* box : {&form.Pkt_l, &form.Pkt_r, &form.D_Min, &form.D_Sec}) {
        box->selStart = box->selLength = 1;
        handlers.gotFocus[box->name]();
        EXPECT_EQ(box->selStart, 0) << box->name.toStdString();
        EXPECT_EQ(box->selLength, box->text.size()) << box->name.toStdString();
    }
}

} // namespace
} // namespace ml
