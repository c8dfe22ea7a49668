#include "serial/port_map.h"

#include <gtest/gtest.h>

namespace ml {
namespace {

TEST(PortMap, ListGivesDevicesByPortNumberWithEmptyItemsAsGaps) {
    EXPECT_EQ(portsFromList(QStringLiteral("/dev/pts/4, ,/dev/pts/7,")),
              QStringList({QStringLiteral("/dev/pts/4"), QString(), QStringLiteral("/dev/pts/7"),
                           QString()}));
    QStringList many;
    for (int i = 1; i <= 20; ++i)
        many.append(QStringLiteral("/dev/x%1").arg(i));
    const QStringList ports = portsFromList(many.join(QLatin1Char(',')));
    ASSERT_EQ(ports.size(), 16);
    EXPECT_EQ(ports.last(), QStringLiteral("/dev/x16"));
}

TEST(PortMap, SystemDevicesAreNumberedOnBoardFirstThenAdaptersByNumber) {
    const QStringList found = {
        QStringLiteral("/dev/ttyACM0"),         QStringLiteral("/dev/ttyUSB10"),
        QStringLiteral("/dev/ttyS1"),           QStringLiteral("/dev/ttyUSB2"),
        QStringLiteral("/dev/ttyAMA0"),         QStringLiteral("/dev/ttyS0"),
        QStringLiteral("/dev/cu.usbserial-A1"), QStringLiteral("/dev/tty.usbserial-A1"),
        QStringLiteral("/dev/ttyS10"),          QStringLiteral("/dev/ttyS2")};
    const QStringList expected = {
        QStringLiteral("/dev/ttyS0"),   QStringLiteral("/dev/ttyS1"),
        QStringLiteral("/dev/ttyS2"),   QStringLiteral("/dev/ttyS10"),
        QStringLiteral("/dev/ttyUSB2"), QStringLiteral("/dev/ttyUSB10"),
        QStringLiteral("/dev/ttyACM0"), QStringLiteral("/dev/cu.usbserial-A1"),
        QStringLiteral("/dev/ttyAMA0")};
    EXPECT_EQ(portsInStableOrder(found), expected);
    QStringList reversed(found.rbegin(), found.rend());
    EXPECT_EQ(portsInStableOrder(reversed), expected)
        << "the order the system reports plays no part";
}

} // namespace
} // namespace ml
