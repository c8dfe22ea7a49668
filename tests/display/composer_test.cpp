#include "display/text_fitting.h"
#include "rig.h"

#include <gtest/gtest.h>

using namespace ml;
using ml::test::ascii;
using ml::test::bytes;
using ml::test::Rig;

namespace {

// Field i (1..4) of a 48-byte scoreboard transmission, and its brightness digit.
QByteArray field(const QByteArray& wire, int i) {
    return wire.mid(12 * (i - 1) + 3, 8);
}
char brightnessOf(const QByteArray& wire, int i) {
    return wire.at(12 * (i - 1) + 2);
}

struct Live : Rig {
    Live() {
        form.Displ.initValue(1);
        form.TimeOut.text = QStringLiteral("12:00:00");
    }
};

} // namespace

TEST(Composer, StandingClockAtStartValueSendsTheExampleScoreboard) {
    Live r;
    r.modes.br_med_Click();
    r.form.Pkt_l.text = QStringLiteral("3");
    r.form.Pkt_r.text = QStringLiteral("12");
    r.clock.set(QStringLiteral("12:00:01")); // odd second: separators stay blank all the same
    r.tick();
    EXPECT_EQ(r.lastWrite(), ascii("\x02"
                                   "12Heim    \n\x02"
                                   "22  Gegner\n\x02"
                                   "32 3    20\n\x02"
                                   "42:00  12 \n"));
    EXPECT_EQ(r.form.OutLine[3], QStringLiteral(" 3    20"));
    EXPECT_EQ(r.form.FlashL.text, QStringLiteral(" "));
}

TEST(Composer, StoppedClockAwayFromStartBlinksSeparatorsEverySecond) {
    Live r;
    r.form.D_Min.text = QStringLiteral("12");
    r.form.D_Sec.text = QStringLiteral("34");
    r.form.Pkt_l.text = QStringLiteral("3");
    r.form.Pkt_r.text = QStringLiteral("15");
    r.clock.set(QStringLiteral("12:00:01"));
    r.tick();
    EXPECT_EQ(field(r.lastWrite(), 3), bytes({0x20, 0x33, 0x20, 0x20, 0x3A, 0x20, 0x31, 0x32}));
    EXPECT_EQ(field(r.lastWrite(), 4), bytes({0x3A, 0x33, 0x34, 0x3A, 0x20, 0x31, 0x35, 0x20}));
    r.clock.set(QStringLiteral("12:00:02"));
    r.tick();
    EXPECT_EQ(r.device.writes.size(), 2U);
    EXPECT_EQ(field(r.lastWrite(), 3), ascii(" 3    12"));
    EXPECT_EQ(field(r.lastWrite(), 4), ascii(":34  15 "));
}

TEST(Composer, MinutesOrStartValueThatAreNoNumberGiveBlankSeparators) {
    Live r;
    r.clock.set(QStringLiteral("12:00:01"));
    r.form.D_Min.text = QString();
    r.tick();
    EXPECT_EQ(r.form.FlashL.text, QStringLiteral(" "));
    r.form.D_Min.text = QStringLiteral("12");
    r.form.Startwert.text = QStringLiteral("zwanzig");
    r.tick();
    EXPECT_EQ(r.form.FlashR.text, QStringLiteral(" "));
}

TEST(Composer, MirrorPutsLeftPenaltyRightAlignedInTheRightHalf) {
    Live r;
    r.modes.miror_Click();
    r.form.StrafeLActive = true;
    r.form.TxtStrL.text = QStringLiteral(" 1:45");
    r.form.Pkt_l.text = QStringLiteral("7");
    r.form.Pkt_r.text = QStringLiteral("4");
    r.tick();
    EXPECT_EQ(field(r.lastWrite(), 1), ascii("Gegner  "));
    EXPECT_EQ(field(r.lastWrite(), 2), ascii("    1:45"));
    EXPECT_EQ(field(r.lastWrite(), 3), ascii(" 4    20"));
    EXPECT_EQ(field(r.lastWrite(), 4), ascii(":00   7 "));
}

TEST(Composer, RunningTimeoutShowsBannerAndSecondClock) {
    Live r;
    r.form.TimeoutActive = true;
    r.form.SpecL.visible = r.form.SpecR.visible = true;
    r.form.SpecL.text = QStringLiteral("  TIME  ");
    r.form.SpecR.text = QStringLiteral("  OUT   ");
    r.form.Spec_Min.text = QStringLiteral("0");
    r.form.Spec_Sec.text = QStringLiteral("45");
    r.tick();
    EXPECT_EQ(field(r.lastWrite(), 1), ascii("  TIME  "));
    EXPECT_EQ(field(r.lastWrite(), 2), ascii("  OUT   "));
    EXPECT_EQ(field(r.lastWrite(), 3), ascii(" 0     0"));
    EXPECT_EQ(field(r.lastWrite(), 4), ascii(":45   0 "));
}

TEST(Composer, TimeOfDayTakesThePlaceOfTheClock) {
    Live r;
    r.form.Uhr.initValue(1);
    r.form.TimeOut.text = QStringLiteral("12:34:56");
    r.form.Pkt_l.text = QStringLiteral("3");
    r.form.Pkt_r.text = QStringLiteral("12");
    r.tick();
    EXPECT_EQ(field(r.lastWrite(), 3), bytes({0x20, 0x33, 0x20, 0x20, 0x31, 0x32, 0x3A, 0x33}));
    EXPECT_EQ(field(r.lastWrite(), 4), bytes({0x34, 0x3A, 0x35, 0x36, 0x20, 0x20, 0x31, 0x32}));
}

TEST(Composer, MinusSignInFieldThreeBlinksBrightnessWhileClockRuns) {
    for (bool negativeScore : {false, true}) {
        Live r;
        r.form.ClockRunning = true;
        if (negativeScore) {
            // Mirrored, the right team's score stands in field 3.
            r.modes.miror_Click();
            r.form.Pkt_r.text = QStringLiteral("-2");
        } else {
            r.form.D_Min.text = QStringLiteral("-1");
            r.form.D_Sec.text = QStringLiteral("05");
        }
        QByteArray digits;
        for (int i = 0; i < 4; ++i) {
            r.tick();
            for (int f = 1; f <= 4; ++f)
                EXPECT_EQ(brightnessOf(r.lastWrite(), f), brightnessOf(r.lastWrite(), 1));
            digits += brightnessOf(r.lastWrite(), 1);
        }
        EXPECT_EQ(digits, ascii("3131")) << "negative score " << negativeScore;
        EXPECT_EQ(r.device.writes.size(), 4U);
    }
}

TEST(Composer, FreeTextBlinksWithTheScoreboardAndProgramOverridesIt) {
    Live r;
    r.form.ShText.initValue(1);
    r.form.TwoLines = true;
    r.form.TextTop = QStringLiteral("Tor");
    r.form.ClockRunning = true;
    r.form.D_Min.text = QStringLiteral("-0");
    r.tick();
    r.tick();
    // The blink phase starts clear, so the first transmission is the bright one.
    EXPECT_EQ(r.device.writes[0], ascii("\x02"
                                        "13Tor     \n\x02"
                                        "23        \n\x02"
                                        "33        \n\x02"
                                        "43        \n"));
    EXPECT_EQ(brightnessOf(r.lastWrite(), 1), '1');

    r.form.ClockRunning = false;
    r.form.Prog.initValue(1);
    r.modes.HLProgr_Click(7);
    r.tick();
    EXPECT_EQ(r.lastWrite(), toWindows1252(QStringLiteral("\x02"
                                                          "13§PRG7   \n")));
}

TEST(Composer, FreeTextLayoutsSendTheirFrames) {
    Live r;
    r.form.ShText.initValue(1);
    r.form.FreeT_U.text = QStringLiteral("unten");
    auto sent = [&r](const QString& top) {
        r.form.FreeT_O.text = top;
        r.modes.Get_Text();
        r.tick();
        return r.lastWrite();
    };
    // A standing row shows its first 16 characters; a short one is padded.
    QByteArray wire = sent(QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
    EXPECT_EQ(field(wire, 1) + field(wire, 2), ascii("ABCDEFGHIJKLMNOP"));
    EXPECT_EQ(field(wire, 3) + field(wire, 4), ascii("unten           "));
    wire = sent(QStringLiteral("Hallo"));
    EXPECT_EQ(field(wire, 1) + field(wire, 2), ascii("Hallo           "));

    // A scrolling upper row goes whole in its pair after the lower row's field frames.
    r.form.Scroll_O.click();
    r.form.FreeT_O_S.text.clear();
    EXPECT_EQ(sent({}), ascii("\x02"
                              "31unten   \n\x02"
                              "41        \n") +
                            bytes({0x02, 0x80, 0x31, 0x31, 0x0A, 0x02, 0x97, 0x31, 0x31, 0x0A}));

    r.form.OneLine.click();
    r.form.Scroll_1.click();
    r.form.FreeT.text = QStringLiteral("Auszeit für die Gäste");
    EXPECT_EQ(sent({}), toWindows1252(QStringLiteral("\x02"
                                                     "31Auszeit für die Gäste\n")));
}

TEST(Composer, DisplayOffSendsBlankFieldsAndPreviewTurnsPale) {
    Live r;
    r.form.Displ.initValue(0);
    r.tick();
    r.tick();
    ASSERT_EQ(r.device.writes.size(), 1U);
    for (int f = 1; f <= 4; ++f)
        EXPECT_EQ(field(r.lastWrite(), f), ascii("        "));
    EXPECT_EQ(r.form.D_Min.foreColor, kPaleRed);
}
