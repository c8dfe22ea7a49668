#include "display/text_fitting.h"
#include "rig.h"

#include <gtest/gtest.h>

using namespace ml;

TEST(TrimText, PadsOnTheLeftOnlyForCapitalRCutsAndReportsNegativeWidth) {
    FakeDialogs dialogs;
    auto fit = [&dialogs](const char* text, const char* align, int width) {
        return TrimText(QString::fromLatin1(text), QString::fromLatin1(align), width, dialogs);
    };
    EXPECT_EQ(fit("Heim", "r", 8), QStringLiteral("Heim    "));
    EXPECT_EQ(fit("Mannschaft", "R", 8), QStringLiteral("Mannscha"));
    EXPECT_EQ(fit("abc", "L", 0), QString());
    EXPECT_TRUE(dialogs.boxes.empty());

    EXPECT_EQ(fit("Heim", "L", -1), QStringLiteral("Heim"));
    ASSERT_EQ(dialogs.boxes.size(), 1U);
    const RecordedBox& box = dialogs.boxes[0];
    EXPECT_EQ(box.title, QStringLiteral("Bitte an Vandrel melden"));
    EXPECT_EQ(box.icon, Icon::Critical);
    EXPECT_TRUE(box.text.startsWith(QStringLiteral("Fehler 5 beim beim Text trimmen:\r\n\r\n")));
    EXPECT_TRUE(
        box.text.endsWith(QStringLiteral("\r\n\r\nunbestimmter Fehler in Function TrimText!")));
}

TEST(Flash, ColonOnlyOnOddSecondsWhileClockStandsAndUhrIsClear) {
    Form form;
    FakeClock clock(QStringLiteral("12:00:01"));
    FakeDialogs dialogs;
    EXPECT_EQ(Flash(form, clock, dialogs), QStringLiteral(":"));
    form.ClockRunning = true;
    EXPECT_EQ(Flash(form, clock, dialogs), QStringLiteral(" "));
    form.ClockRunning = false;
    form.Uhr.initValue(1);
    EXPECT_EQ(Flash(form, clock, dialogs), QStringLiteral(" "));
}
