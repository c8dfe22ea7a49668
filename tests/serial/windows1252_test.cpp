#include "serial/windows1252.h"

#include "serial_rig.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

namespace ml::test {
namespace {

TEST(Windows1252, CodeBytesUmlautsAndSectionSignBecomeTheirSingleBytes) {
    const QString text = QString(QChar(0x20AC)) + QChar(0x0090) + QChar(0x2014) +
                         QStringLiteral("§äöüÄÖÜß\x02\x0a ~");
    EXPECT_EQ(toWindows1252(text), bytes({0x80, 0x90, 0x97, 0xA7, 0xE4, 0xF6, 0xFC, 0xC4, 0xD6,
                                          0xDC, 0xDF, 0x02, 0x0A, 0x20, 0x7E}));
}

TEST(Windows1252, EveryHighByteRoundTripsThroughTheSystemsDecoding) {
    // The platform's own code page tables are the reference; the unassigned bytes decode to the
    // C1 controls of the same number.
    QStringDecoder decoder("windows-1252");
    if (!decoder.isValid())
        GTEST_SKIP() << "no Windows-1252 decoder in this Qt";
    for (int b = 0x80; b <= 0xFF; ++b) {
        const QByteArray byte(1, static_cast<char>(b));
        const QString decoded = decoder.decode(byte);
        ASSERT_EQ(decoded.size(), 1) << b;
        EXPECT_EQ(toWindows1252(decoded), byte) << b;
    }
}

TEST(Windows1252, CharactersWithoutAByteBecomeQuestionMarks) {
    const QString text = QStringLiteral("a") + QChar(0x0100) + QChar(0x4E2D) + QChar(0x0085) +
                         QString::fromUcs4(U"\U0001F600") + QStringLiteral("b");
    // A character beyond the basic plane is two UTF-16 units, each without a byte.
    EXPECT_EQ(toWindows1252(text), QByteArray("a????"
                                              "?b"));
}

} // namespace
} // namespace ml::test
