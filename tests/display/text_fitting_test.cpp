#include "display/text_fitting.h"
#include "rig.h"

#include <gtest/gtest.h>

using namespace ml;

namespace {

QString fit(const QString& text, const char* align, int width) {
    FakeDialogs dialogs;
    const QString out = TrimText(text, QString::fromLatin1(align), width, dialogs);
    EXPECT_TRUE(dialogs.boxes.empty());
    return out;
}

} // namespace

TEST(TrimText, PadsOnTheSideTheAlignmentNamesAndCutsLongTexts) {
    EXPECT_EQ(fit(QStringLiteral("Heim"), "L", 8), QStringLiteral("Heim    "));
    EXPECT_EQ(fit(QStringLiteral("Heim"), "R", 8), QStringLiteral("    Heim"));
    // Only a capital "R" aligns right.
    EXPECT_EQ(fit(QStringLiteral("Heim"), "r", 8), QStringLiteral("Heim    "));
    EXPECT_EQ(fit(QStringLiteral("Mannschaft"), "R", 8), QStringLiteral("Mannscha"));
    EXPECT_EQ(fit(QStringLiteral(" Gast  "), "L", 7), QStringLiteral(" Gast  "));
    EXPECT_EQ(fit(QString(), "R", 3), QStringLiteral("   "));
    EXPECT_EQ(fit(QStringLiteral("abc"), "L", 0), QString());
}

TEST(TrimText, NegativeWidthShowsCriticalBoxAndReturnsTextUnfitted) {
    FakeDialogs dialogs;
    EXPECT_EQ(TrimText(QStringLiteral("Heim"), QStringLiteral("L"), -1, dialogs),
              QStringLiteral("Heim"));
    ASSERT_EQ(dialogs.boxes.size(), 1U);
    const RecordedBox& box = dialogs.boxes[0];
    EXPECT_EQ(box.title, QStringLiteral("Bitte an Vandrel melden"));
    EXPECT_EQ(box.icon, Icon::Critical);
    EXPECT_EQ(box.buttons, Buttons::Ok);
    EXPECT_TRUE(box.text.startsWith(QStringLiteral("Fehler 5 beim beim Text trimmen:\r\n\r\n")));
    EXPECT_TRUE(
        box.text.endsWith(QStringLiteral("\r\n\r\nunbestimmter Fehler in Function TrimText!")));
}

TEST(Flash, ColonOnlyOnOddSecondsWhileClockStandsAndUhrIsClear) {
    Form form;
    FakeClock clock(QStringLiteral("12:00:01"));
    FakeDialogs dialogs;
    EXPECT_EQ(Flash(form, clock, dialogs), QStringLiteral(":"));
    clock.set(QStringLiteral("12:00:02"));
    EXPECT_EQ(Flash(form, clock, dialogs), QStringLiteral(" "));

    clock.set(QStringLiteral("12:00:03"));
    form.ClockRunning = true;
    EXPECT_EQ(Flash(form, clock, dialogs), QStringLiteral(" "));
    form.ClockRunning = false;
    form.Uhr.initValue(1);
    EXPECT_EQ(Flash(form, clock, dialogs), QStringLiteral(" "));
}

TEST(SetColor, OnlyTypeOneGivesRedAndOnlyThePreviewBoxesChange) {
    Form form;
    form.FreeT_O.foreColor = 0x123456;
    for (int type : {0, 2, 1}) {
        SetColor(form, type);
        const unsigned want = type == 1 ? kRed : kPaleRed;
        for (const TextBox* box : {&form.Show_Prog, &form.Text_l, &form.Pkt_r, &form.Uhr_anz,
                                   &form.Spec_Sec, &form.SpecR, &form.TxtStrR, &form.ShText_s})
            EXPECT_EQ(box->foreColor, want) << box->name.toStdString() << " type " << type;
    }
    EXPECT_EQ(form.FreeT_O.foreColor, 0x123456U);
}
