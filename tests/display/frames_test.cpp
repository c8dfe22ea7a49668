#include "display/frames.h"
#include "rig.h"

#include <gtest/gtest.h>

using namespace ml;
using ml::test::ascii;
using ml::test::bytes;

TEST(Frames, ProgramFrameHasBrightnessBeforeThreeAndPadsPayloadToEight) {
    EXPECT_EQ(toWindows1252(frames::programFrame(1, 5)),
              bytes({0x02, 0x31, 0x33, 0xA7, 0x50, 0x52, 0x47, 0x35, 0x20, 0x20, 0x20, 0x0A}));
    EXPECT_EQ(toWindows1252(frames::programFrame(3, 12)),
              bytes({0x02, 0x33, 0x33, 0xA7, 0x50, 0x52, 0x47, 0x31, 0x32, 0x20, 0x20, 0x0A}));
}

TEST(Frames, ModeSwitchSequenceIsTheFixed27Bytes) {
    const QByteArray expected =
        bytes({0x02, 0x90, 0x90}) + ascii("111234567890\n") + bytes({0x02}) + ascii("112345678\n");
    EXPECT_EQ(expected.size(), 27);
    EXPECT_EQ(toWindows1252(frames::modeSwitchSequence()), expected);
}

TEST(Frames, ScrollPairsCarryCodeBytesInTheirOrder) {
    // An empty upper text still gives its frame: STX 80 b "1" LF, then the short companion.
    EXPECT_EQ(toWindows1252(frames::upperScrollPair(2, {})),
              bytes({0x02, 0x80, 0x32, 0x31, 0x0A, 0x02, 0x97, 0x32, 0x31, 0x0A}));
    // Lower row: the long companion first, and no row digit in the text frame.
    EXPECT_EQ(toWindows1252(frames::lowerScrollPair(1, QStringLiteral("ab"))),
              bytes({0x02, 0x97, 0x31, 0x31}) + ascii("       \n") + bytes({0x02, 0x80, 0x31}) +
                  ascii("ab\n"));
    EXPECT_EQ(toWindows1252(frames::bigScrollPair(3, QStringLiteral("Tor!"))),
              bytes({0x02, 0x80, 0x33, 0x32}) + ascii("Tor!\n") +
                  bytes({0x02, 0x97, 0x33, 0x31, 0x0A}));
}

TEST(Frames, BigTextFrameSendsTheWholeTextUnfitted) {
    const QString text = QStringLiteral("Halbzeit in der Sporthalle Süd");
    const QByteArray wire = toWindows1252(frames::bigTextFrame(2, text));
    EXPECT_EQ(wire.size(), 4 + text.size());
    EXPECT_EQ(wire, bytes({0x02, 0x33, 0x32}) + toWindows1252(text) + bytes({0x0A}));
    EXPECT_TRUE(wire.contains('\xFC'));
}
