#include "display/frames.h"
#include "rig.h"

#include <gtest/gtest.h>

using namespace ml;
using ml::test::hex;
using ml::test::Rig;

TEST(DisplayModes, ModeSwitchWaitingOnASlowLineIsNotReplacedByTheNextTick) {
    Rig r;
    r.device.holdWrites = true;
    r.form.Displ.initValue(0);
    r.form.Displ.click();
    r.form.Prog.click();
    r.tick();
    r.device.drain();
    r.device.drain();
    const QByteArray modeSwitch = toWindows1252(frames::modeSwitchSequence());
    EXPECT_EQ(r.device.writes,
              (std::vector<QByteArray>{modeSwitch, modeSwitch,
                                       toWindows1252(frames::programFrame(1, 1))}));
}

TEST(DisplayModes, TimeOfDayEndsTimeoutAndProgramButFreeTextLeavesTimeoutRunning) {
    Rig r;
    r.form.TimeoutActive = r.form.BreakActive = true;
    r.form.Time_Out.text = QStringLiteral("Stop Timeout");
    r.form.Spec_Min.visible = r.form.Spec_Sec.visible = true;
    r.form.ShText.click();
    EXPECT_TRUE(r.form.TimeoutActive);
    r.form.Uhr.click();
    EXPECT_EQ(r.form.ShText.value(), 0);
    EXPECT_FALSE(r.form.TimeoutActive);
    EXPECT_TRUE(r.form.BreakActive);
    EXPECT_EQ(r.form.Time_Out.text, QStringLiteral("Start Timeout"));
    EXPECT_FALSE(r.form.Spec_Min.visible || r.form.Spec_Sec.visible);

    // Over a program: the scores come back and only the cleared program's handler sends.
    r.form.Prog.click();
    r.device.writes.clear();
    r.form.LastSent = QStringLiteral("x");
    r.form.Uhr.click();
    EXPECT_EQ(r.form.Prog.value(), 0);
    EXPECT_TRUE(r.form.Uhr_anz.visible && r.form.Pkt_l.visible && r.form.Pkt_r.visible);
    EXPECT_FALSE(r.form.D_Min.visible || r.form.FlashR.visible || r.form.Show_Prog.visible);
    EXPECT_TRUE(r.form.LastSent.isEmpty());
    EXPECT_EQ(r.device.writes.size(), 1U);
    r.form.Uhr.click();
    EXPECT_FALSE(r.form.Uhr_anz.visible);
    EXPECT_TRUE(r.form.D_Min.visible && r.form.d_Pkt.visible && r.form.FlashL.visible);
}

TEST(DisplayModes, OnlyTheExactWordTimeBecomesTheTimeEscape) {
    Rig r;
    r.form.FreeT_O.text = QStringLiteral("$TIME");
    r.form.FreeT_U.text = QStringLiteral("$time");
    r.form.ShText.click();
    r.clock.set(QStringLiteral("21:05:09"));
    r.tick();
    EXPECT_EQ(r.form.ShText_o.text, QStringLiteral("21:05:09"));
    EXPECT_EQ(r.lastWrite().mid(3, 8), hex("a7 4f 34 20 20 20 20 20"));
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
    EXPECT_TRUE(r.form.FreeT_O_S.visible && !r.form.FreeT_O.visible);
    r.form.FreeT_O_S.text = text;
    r.form.ShText.click();
    QStringList seen;
    for (int i = 0; i < 21; ++i) {
        r.modes.previewStep();
        seen << r.form.ShText_o.text;
    }
    EXPECT_EQ((QStringList{seen[0], seen[1], seen[19], seen[20]}),
              (QStringList{text.left(16), text.mid(1, 16), QStringLiteral("T"), text.left(16)}));
}
