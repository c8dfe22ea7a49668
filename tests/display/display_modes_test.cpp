#include "display/frames.h"
#include "rig.h"

#include <gtest/gtest.h>

using namespace ml;
using ml::test::bytes;
using ml::test::Rig;

namespace {

const QByteArray kModeSwitch = toWindows1252(frames::modeSwitchSequence());

} // namespace

TEST(DisplayModes, ModeSwitchWaitingOnASlowLineIsNotReplacedByTheNextTick) {
    Rig r;
    r.device.holdWrites = true;
    r.form.Displ.click();
    r.form.Prog.click();
    r.tick();
    r.device.drain();
    r.device.drain();
    ASSERT_EQ(r.device.writes.size(), 3U);
    EXPECT_EQ(r.device.writes[0], kModeSwitch);
    EXPECT_EQ(r.device.writes[1], kModeSwitch);
    EXPECT_EQ(r.device.writes[2], toWindows1252(frames::programFrame(1, 1)));
}

TEST(DisplayModes, TimeOfDayOverProgramRestoresScoresAndShowsTimeBox) {
    Rig r;
    r.form.Prog.click();
    EXPECT_FALSE(r.form.Pkt_l.visible);
    r.device.writes.clear();
    r.form.LastSent = QStringLiteral("x");
    r.form.Uhr.click();
    EXPECT_EQ(r.form.Prog.value(), 0);
    EXPECT_TRUE(r.form.Uhr_anz.visible);
    EXPECT_TRUE(r.form.Pkt_l.visible && r.form.Pkt_r.visible);
    EXPECT_FALSE(r.form.D_Min.visible || r.form.FlashR.visible || r.form.Show_Prog.visible);
    EXPECT_TRUE(r.form.LastSent.isEmpty());
    // Only the cleared program's handler sends.
    EXPECT_EQ(r.device.writes.size(), 1U);

    r.form.Uhr.click();
    EXPECT_FALSE(r.form.Uhr_anz.visible);
    EXPECT_TRUE(r.form.D_Min.visible && r.form.d_Pkt.visible && r.form.FlashL.visible);
}

TEST(DisplayModes, TimeOfDayEndsTimeoutButFreeTextLeavesItRunning) {
    Rig r;
    auto startTimeout = [&r] {
        r.form.TimeoutActive = true;
        r.form.Time_Out.text = QStringLiteral("Stop Timeout");
        r.form.Spec_Min.visible = r.form.Spec_Sec.visible = true;
    };
    startTimeout();
    r.form.ShText.click();
    EXPECT_TRUE(r.form.TimeoutActive);
    r.form.BreakActive = true;
    r.form.Uhr.click();
    EXPECT_EQ(r.form.ShText.value(), 0);
    EXPECT_FALSE(r.form.TimeoutActive);
    EXPECT_TRUE(r.form.BreakActive);
    EXPECT_EQ(r.form.Time_Out.text, QStringLiteral("Start Timeout"));
    EXPECT_FALSE(r.form.Spec_Min.visible || r.form.Spec_Sec.visible);
}

TEST(DisplayModes, OnlyTheExactWordTimeBecomesTheTimeEscape) {
    Rig r;
    r.form.Displ.initValue(1);
    r.form.FreeT_O.text = QStringLiteral("$TIME");
    r.form.FreeT_U.text = QStringLiteral("$time");
    r.form.ShText.click();
    EXPECT_EQ(r.form.TextTop, QStringLiteral("§O4     "));
    EXPECT_EQ(r.form.TextBottom, QStringLiteral("$time"));
    r.clock.set(QStringLiteral("21:05:09"));
    r.tick();
    EXPECT_EQ(r.form.ShText_o.text, QStringLiteral("21:05:09"));
    EXPECT_EQ(r.lastWrite().mid(3, 8), bytes({0xA7, 0x4F, 0x34, 0x20, 0x20, 0x20, 0x20, 0x20}));
    EXPECT_EQ(r.lastWrite().mid(27, 8), QByteArray("$time   "));

    // The preview finds the escape whatever the case of its letter.
    r.form.PreviewBottom = QStringLiteral("Zeit§o4     ");
    r.tick();
    EXPECT_EQ(r.form.ShText_u.text, QStringLiteral("Zeit21:05:09"));
}

TEST(DisplayModes, ScrollingPreviewMovesOneCharacterPerTickAndStartsOver) {
    Rig r;
    const QString text = QStringLiteral("ABCDEFGHIJKLMNOPQRST");
    r.form.Scroll_O.click();
    EXPECT_TRUE(r.form.FreeT_O_S.visible);
    EXPECT_FALSE(r.form.FreeT_O.visible);
    r.form.FreeT_O_S.text = text;
    r.form.FreeT_U.text.clear();
    r.form.ShText.click();
    QStringList seen;
    for (int i = 0; i < 21; ++i) {
        r.modes.previewStep();
        seen << r.form.ShText_o.text;
    }
    EXPECT_EQ(seen[0], text.left(16));
    EXPECT_EQ(seen[1], text.mid(1, 16));
    EXPECT_EQ(seen[19], QStringLiteral("T"));
    EXPECT_EQ(seen[20], text.left(16));
    EXPECT_EQ(r.form.ShText_u.text, QString());
}
