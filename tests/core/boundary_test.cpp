// The steps of the window's timers: both due at one boundary of the time of day, the transmission
// sent there carries the second and the tenth that have just begun; and no step runs while a
// tick waits in a message box.

#include "tests/support/desk.h"

#include <gtest/gtest.h>

namespace ml::test {
namespace {

TEST(Boundary, LastMinuteTransmissionCarriesTheSecondAndTenthJustBegun) {
    Desk desk;
    Program& p = desk.p;
    FakeClock& clock = desk.clock;
    desk.live();
    p.type(p.form.D_Min, QStringLiteral("1"));
    p.type(p.form.D_Sec, QStringLiteral("00"));
    p.click(p.form.St_St);
    // The lower row (fields 3 and 4) of the last transmission.
    const auto lowerRow = [&] {
        return desk.device.writes.back().mid(27, 8) + desk.device.writes.back().mid(39, 8);
    };

    clock.advance(1);
    p.boundary(true);
    EXPECT_EQ(lowerRow(), " 0    59:00   0 ") << "the last minute shows its first second at once";
    p.boundary(false);
    EXPECT_EQ(lowerRow(), " 0    59:90   0 ");
    for (int i = 0; i < 8; ++i)
        p.boundary(false);
    EXPECT_EQ(lowerRow(), " 0    59:10   0 ");
    clock.advance(1);
    p.boundary(true);
    EXPECT_EQ(lowerRow(), " 0    58:00   0 ") << "a new second reaches the line at its boundary";
}

TEST(Tick, ATickFallingWhileATicksBoxIsUpIsSkipped) {
    Desk desk;
    Program& p = desk.p;
    FakeDialogs& dialogs = desk.dialogs;
    // A timeout that runs out on a run-out clock resets it, and a bad start value then shows a box.
    p.type(p.form.D_Min, QStringLiteral("0"));
    p.type(p.form.D_Sec, QStringLiteral("00"));
    p.type(p.form.TimeoutValue, QStringLiteral("0"));
    p.click(p.form.Time_Out);
    p.type(p.form.Startwert, QStringLiteral("x"));
    std::vector<bool> ran;
    dialogs.whileOpen = [&] {
        ran.push_back(p.tick());
        ran.push_back(p.tenths());
        ran.push_back(p.boundary(true));
    };
    desk.clock.advance(1);
    ASSERT_TRUE(p.tick());
    ASSERT_EQ(dialogs.boxes.size(), 1U) << "one box, no pile-up";
    EXPECT_EQ(dialogs.boxes[0].title, QStringLiteral("20.0"));
    EXPECT_EQ(ran, std::vector<bool>({false, false, false}));
    EXPECT_TRUE(p.tick()) << "the next tick runs again";
}

} // namespace
} // namespace ml::test
