// Both timers due at one boundary of the time of day: the transmission sent there carries the
// second and the tenth that have just begun, from the first tick of the last minute on.

#include "core/program.h"
#include "platform/fakes/fakes.h"

#include <gtest/gtest.h>

namespace ml {
namespace {

TEST(Boundary, LastMinuteTransmissionCarriesTheSecondAndTenthJustBegun) {
    FakeClock clock(QStringLiteral("10:00:00"));
    FakeDialogs dialogs;
    FakeShell shell;
    FakeSerialDevice device;
    device.openable = {1};
    Program p(clock, dialogs, shell, device);
    p.start();
    p.click(QStringLiteral("OpenOutput"));
    p.click(QStringLiteral("Displ"));
    p.type(QStringLiteral("D_Min"), QStringLiteral("1"));
    p.type(QStringLiteral("D_Sec"), QStringLiteral("00"));
    p.click(QStringLiteral("St_St"));
    // The lower row (fields 3 and 4) of the last transmission.
    const auto lowerRow = [&] {
        return device.writes.back().mid(27, 8) + device.writes.back().mid(39, 8);
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

} // namespace
} // namespace ml
