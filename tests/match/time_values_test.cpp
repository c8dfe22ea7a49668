#include "match/time_values.h"
#include "platform/fakes/fakes.h"

#include <gtest/gtest.h>

namespace ml {
namespace {

TEST(GetSec, CountsSecondsOfTheDayAndIgnoresHundredths) {
    FakeDialogs dialogs;
    EXPECT_EQ(Get_Sec(QStringLiteral("00:00:00"), dialogs), 0);
    EXPECT_EQ(Get_Sec(QStringLiteral("23:59:59"), dialogs), 86399);
    EXPECT_EQ(Get_Sec(QStringLiteral("13:07:42.57"), dialogs),
              Get_Sec(QStringLiteral("13:07:42"), dialogs));
    EXPECT_EQ(Get_Sec(QStringLiteral("13:07:42"), dialogs), 13 * 3600 + 7 * 60 + 42);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST(GetSec, BadTimeOfDayShowsFormatBoxAndGivesZero) {
    FakeDialogs dialogs;
    EXPECT_EQ(Get_Sec(QStringLiteral("12:ab:00"), dialogs), 0);
    EXPECT_EQ(Get_Sec(QStringLiteral("12:30"), dialogs), 0);
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    const RecordedBox& box = dialogs.boxes[0];
    EXPECT_EQ(box.title, QStringLiteral("Format kontrollieren"));
    EXPECT_EQ(box.text, QStringLiteral("Fehler 13 beim beim Zeiten berechnen:\r\n\r\nTypen "
                                       "unverträglich: \"12:ab:00\" ist keine Zahl\r\n\r\n"
                                       "Format hh:mm:ss.ss kontrollieren"));
    EXPECT_EQ(box.icon, Icon::Critical);
    EXPECT_EQ(box.buttons, Buttons::Ok);
}

TEST(ClockTexts, ReadBackCarriesTheSignOfTheMinutes) {
    EXPECT_EQ(readClock(QStringLiteral("-0"), QStringLiteral("30")), -30);
    EXPECT_EQ(readClock(QStringLiteral("-1"), QStringLiteral("30")), -90);
    EXPECT_EQ(readClock(QStringLiteral("1"), QStringLiteral("30")), 90);
    EXPECT_EQ(readClock(QString(), QString()), 0);
    EXPECT_EQ(readClock(QStringLiteral("0"), QStringLiteral("30.7")), 30);
    EXPECT_FALSE(readClock(QStringLiteral("1x"), QStringLiteral("00")));
    EXPECT_FALSE(readClock(QStringLiteral("1"), QStringLiteral("-")));
}

} // namespace
} // namespace ml
