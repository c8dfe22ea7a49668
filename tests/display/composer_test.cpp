#include "display/text_fitting.h"
#include "rig.h"

#include <gtest/gtest.h>

using namespace ml;
using ml::test::hex;
using ml::test::Rig;

namespace {

// The four 8-byte fields of a scoreboard transmission, joined by "|".
QByteArray fields(const QByteArray& wire) {
    QByteArray out;
    for (int i = 0; i < 4; ++i)
        out += (i ? "|" : "") + wire.mid(12 * i + 3, 8);
    return out;
}

} // namespace

TEST(Composer, MirrorPutsLeftPenaltyRightAlignedAndNoStartValueKeepsSeparatorsBlank) {
    Rig r;
    // An odd second: the separators would blink if the start value read as a number.
    r.clock.set(QStringLiteral("12:00:01"));
    r.modes.miror_Click();
    r.form.StrafeLActive = true;
    r.form.TxtStrL.text = QStringLiteral(" 1:45");
    r.form.Pkt_l.text = QStringLiteral("7");
    r.form.Pkt_r.text = QStringLiteral("4");
    r.form.D_Min.text = QStringLiteral("12");
    r.form.Startwert.text = QStringLiteral("zwanzig");
    r.tick();
    EXPECT_EQ(fields(r.lastWrite()), QByteArray("Gegner  |    1:45| 4    12|:00   7 "));
}

TEST(Composer, RunningTimeoutShowsBannerAndSecondClockAndNoMinutesKeepSeparatorsBlank) {
    Rig r;
    r.clock.set(QStringLiteral("12:00:01"));
    r.form.D_Min.text.clear(); // minutes that are no number never blink
    r.form.TimeoutActive = true;
    r.form.SpecL.visible = r.form.SpecR.visible = true;
    r.form.SpecL.text = QStringLiteral("  TIME  ");
    r.form.SpecR.text = QStringLiteral("  OUT   ");
    r.form.Spec_Min.text = QStringLiteral("0");
    r.form.Spec_Sec.text = QStringLiteral("45");
    r.tick();
    EXPECT_EQ(fields(r.lastWrite()), QByteArray("  TIME  |  OUT   | 0     0|:45   0 "));
}

TEST(Composer, MinusSignInFieldThreeBlinksBrightnessWhileClockRuns) {
    for (int variant : {0, 1, 2}) {
        Rig r;
        r.form.ClockRunning = true;
        if (variant == 1) {
            // Mirrored, the right team's score stands in field 3.
            r.modes.miror_Click();
            r.form.Pkt_r.text = QStringLiteral("-2");
        } else {
            r.form.D_Min.text = QStringLiteral("-1");
        }
        // Free text over a running negative clock blinks with it.
        if (variant == 2)
            r.form.ShText.click();
        QByteArray digits;
        for (int i = 0; i < 4; ++i) {
            r.tick();
            for (int f = 0; f < 4; ++f)
                digits += r.lastWrite().at(12 * f + 2);
        }
        EXPECT_EQ(digits, QByteArray("3333111133331111")) << "variant " << variant;
    }
}

TEST(Composer, FreeTextLayoutsSendTheirFrames) {
    Rig r;
    r.modes.br_med_Click();
    r.form.ShText.initValue(1);
    r.form.FreeT_U.text = QStringLiteral("unten");
    r.form.FreeT_U_S.text = QStringLiteral("ab");
    r.form.FreeT_S.text = QStringLiteral("Tor!");
    auto sent = [&r](const QString& top) {
        r.form.FreeT_O.text = top;
        r.modes.Get_Text();
        r.tick();
        return r.lastWrite();
    };
    // A standing row shows its first 16 characters; a short one is padded.
    EXPECT_EQ(fields(sent(QStringLiteral("ABCDEFGHIJKLMNOPQRST"))),
              QByteArray("ABCDEFGH|IJKLMNOP|unten   |        "));
    EXPECT_EQ(fields(sent(QStringLiteral("Hallo"))).left(17), QByteArray("Hallo   |        "));

    // A scrolling row goes whole in its pair after the other row's field frames; the lower
    // row's pair starts with its companion and has no row digit.
    r.form.Scroll_O.click();
    r.form.FreeT_O_S.text.clear();
    const QByteArray upperPair = hex("02 80 32 31 0a 02 97 32 31 0a");
    EXPECT_EQ(sent({}), QByteArray("\x02"
                                   "32unten   \n\x02"
                                   "42        \n") +
                            upperPair);
    r.form.Scroll_U.click();
    EXPECT_EQ(sent({}), upperPair + hex("02 97 32 31 20 20 20 20 20 20 20 0a 02 80 32 61 62 0a"));

    // One big row goes out whole and unfitted, standing or scrolling.
    r.form.OneLine.click();
    r.form.Scroll_1.click();
    r.form.FreeT.text = QStringLiteral("Auszeit für die Gäste");
    EXPECT_EQ(sent({}), toWindows1252(QStringLiteral("\x02"
                                                     "32Auszeit für die Gäste\n")));
    r.form.Scroll_1.click();
    EXPECT_EQ(sent({}), hex("02 80 32 32 54 6f 72 21 0a 02 97 32 31 0a"));
}

TEST(Composer, PreviewIsRedWhileLiveAndDisplayOffSendsBlankFieldsOnce) {
    Rig r;
    const TextBox* previews[] = {&r.form.Show_Prog, &r.form.Pkt_r, &r.form.Spec_Sec,
                                 &r.form.TxtStrR, &r.form.ShText_s};
    r.tick();
    for (const TextBox* box : previews)
        EXPECT_EQ(box->foreColor, kRed) << box->name.toStdString();

    r.form.Displ.initValue(0);
    r.tick();
    r.tick();
    ASSERT_EQ(r.device.writes.size(), 2U);
    EXPECT_EQ(fields(r.lastWrite()), QByteArray("        |        |        |        "));
    for (const TextBox* box : previews)
        EXPECT_EQ(box->foreColor, kPaleRed) << box->name.toStdString();
}
