// Text fitting, the display modes and the output composer on the fake platform. The scoreboard
// bytes of everyday ticks are in the display_* replay scripts.

#include "console/event_log.h"
#include "display/composer.h"
#include "display/display_modes.h"
#include "display/frames.h"
#include "display/text_fitting.h"
#include "platform/fakes/fakes.h"
#include "serial/serial_link.h"
#include "serial/windows1252.h"

#include <gtest/gtest.h>

#include <functional>

namespace ml {
namespace {

// The display subsystem with "Anzeigen" ticked and port 1 opened through the link.
struct Rig {
    Rig() {
        form.Displ.initValue(1);
        modes.bindHandlers();
        device.openable = {1};
        link.check_comPorts_Click();
        link.OpenOutput_Click();
    }
    // One tick's display work: previews, then the composer.
    void tick() {
        modes.previewStep();
        composer.checkAndOut();
    }
    QByteArray lastWrite() const {
        return device.writes.empty() ? QByteArray() : device.writes.back();
    }

    Form form;
    FakeClock clock{QStringLiteral("12:00:00")};
    FakeDialogs dialogs;
    FakeSerialDevice device;
    EventLog log{form, clock};
    SerialLink link{form, device, dialogs, log};
    MatchEngine match{form, clock, dialogs};
    DisplayModes modes{form, clock, dialogs, link, match};
    Composer composer{form, clock, dialogs, link, log};
};

// The four 8-byte fields of a scoreboard transmission, joined by "|".
QByteArray fields(const QByteArray& wire) {
    QByteArray out;
    for (int i = 0; i < 4; ++i)
        out += (i ? "|" : "") + wire.mid(12 * i + 3, 8);
    return out;
}

TEST(TrimText, PadsOnTheLeftOnlyForCapitalRCutsAndReportsNegativeWidth) {
    FakeDialogs dialogs;
    auto fit = [&dialogs](const char* text, const char* align, int width) {
        return TrimText(QString::fromLatin1(text), QString::fromLatin1(align), width, dialogs);
    };
    EXPECT_EQ(fit("Heim", "r", 8), QStringLiteral("Heim    "));
    EXPECT_EQ(fit("Mannschaft", "R", 8), QStringLiteral("Mannscha"));
    EXPECT_EQ(fit("abc", "L", 0), QString());
    EXPECT_TRUE(dialogs.boxes.empty());

    EXPECT_EQ(fit("Heim", "L", -1), QStringLiteral("Heim"));
    ASSERT_EQ(dialogs.boxes.size(), 1U);
    const RecordedBox& box = dialogs.boxes[0];
    EXPECT_EQ(box.title, QStringLiteral("Bitte an Vandrel melden"));
    EXPECT_EQ(box.icon, Icon::Critical);
    EXPECT_TRUE(box.text.startsWith(QStringLiteral("Fehler 5 beim beim Text trimmen:\r\n\r\n")));
    EXPECT_TRUE(
        box.text.endsWith(QStringLiteral("\r\n\r\nunbestimmter Fehler in Function TrimText!")));
}

TEST(Flash, ColonOnlyOnOddSecondsWhileClockStandsAndUhrIsClear) {
    Rig r;
    r.clock.passUntil(QStringLiteral("12:00:01"));
    EXPECT_EQ(Flash(r.form, r.clock, r.dialogs), QStringLiteral(":"));
    r.form.ClockRunning = true;
    EXPECT_EQ(Flash(r.form, r.clock, r.dialogs), QStringLiteral(" "));
    r.form.ClockRunning = false;
    r.form.Uhr.initValue(1);
    EXPECT_EQ(Flash(r.form, r.clock, r.dialogs), QStringLiteral(" "));
}

TEST(Composer, MirrorSwapsNamesScoresAndPenaltiesAndAStartValueThatIsNoNumberNeverBlinks) {
    Rig r;
    // An odd second: the separators would blink if the start value read as a number.
    r.clock.passUntil(QStringLiteral("12:00:01"));
    r.modes.miror_Click();
    r.form.penaltyL.running = true;
    r.form.TxtStrL.text = QStringLiteral(" 1:45");
    r.form.Pkt_l.text = QStringLiteral("7");
    r.form.Pkt_r.text = QStringLiteral("4");
    r.form.D_Min.text = QStringLiteral("12");
    r.form.Startwert.text = QStringLiteral("zwanzig");
    r.tick();
    EXPECT_EQ(fields(r.lastWrite()), QByteArray("Gegner  |    1:45| 4    12|:00   7 "));
}

TEST(Composer, ATimeoutShowsItsBannerAndSecondClockAndMinutesThatAreNoNumberNeverBlink) {
    Rig r;
    r.clock.passUntil(QStringLiteral("12:00:01"));
    r.form.Pkt_l.text = QStringLiteral("4");
    r.form.Pkt_r.text = QStringLiteral("7");
    r.form.D_Min.text.clear();
    r.form.TimeoutActive = true;
    r.form.SpecL.visible = r.form.SpecR.visible = true;
    r.form.SpecL.text = QStringLiteral("  TIME  ");
    r.form.SpecR.text = QStringLiteral("  OUT   ");
    r.form.Spec_Min.text = QStringLiteral("0");
    r.form.Spec_Sec.text = QStringLiteral("45");
    r.tick();
    EXPECT_EQ(fields(r.lastWrite()), QByteArray("  TIME  |  OUT   | 4     0|:45   7 "));
}

TEST(Composer, MinusSignInFieldThreeBlinksBrightnessWithEachNewClockValue) {
    // Mirrored, the right team's score stands in field 3; free text over the clock blinks too;
    // a stopped clock does not blink. A goal between two seconds keeps the brightness.
    for (int variant : {0, 1, 2, 3}) {
        Rig r;
        r.form.ClockRunning = variant != 3;
        (variant == 1 ? r.form.Pkt_r : r.form.D_Min).text = QStringLiteral("-2");
        if (variant == 1)
            r.modes.miror_Click();
        if (variant == 2)
            r.form.ShText.click();
        QByteArray digits;
        for (int i = 0; i < 4; ++i) {
            r.form.D_Sec.text = QString::number(10 + i);
            r.tick();
            digits += r.lastWrite().at(2);
            r.form.Pkt_l.text = QString::number(i);
            r.tick();
            digits += r.lastWrite().at(2);
        }
        EXPECT_EQ(digits, QByteArray(variant == 3 ? "11111111" : "33113311"))
            << "variant " << variant;
    }
}

TEST(Composer, FreeTextLayoutsSendTheirFrames) {
    Rig r;
    r.modes.br_med_Click();
    r.form.ShText.initValue(1);
    r.form.FreeT_U.text = QStringLiteral("unten");
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

    // Scrolling rows: read back in LineDecoder.StandingAndScrollingFreeTextOnTwoRows.
    // One big row goes out whole and unfitted, standing or scrolling.
    r.form.OneLine.click();
    r.form.Scroll_1.click();
    r.form.FreeT.text = QStringLiteral("Auszeit für die Gäste");
    EXPECT_EQ(sent({}), toWindows1252(QStringLiteral("\x02"
                                                     "32Auszeit für die Gäste\n")));
    r.form.Scroll_1.click();
    EXPECT_EQ(sent({}), QByteArray::fromHex("02 80 32 32 54 6f 72 21 0a 02 97 32 31 0a"));
}

TEST(Composer, ControlCharactersInEveryTextGoOutAsBlanks) {
    // Each text that reaches a frame, with what makes the composer send it.
    const std::vector<std::pair<QStringList, std::function<void(Form&)>>> texts = {
        {{"Text_l", "Text_r", "Pkt_l", "Pkt_r", "D_Min", "D_Sec"}, [](Form&) {}},
        {{"TxtStrL", "TxtStrR"}, [](Form& f) { f.penaltyL.running = f.penaltyR.running = true; }},
        {{"Spec_Min", "Spec_Sec", "SpecL", "SpecR"},
         [](Form& f) { f.TimeoutActive = f.SpecL.visible = f.SpecR.visible = true; }},
        {{"TimeOut"}, [](Form& f) { f.Uhr.initValue(1); }},
        {{"FreeT_O", "FreeT_U"}, [](Form& f) { f.ShText.initValue(1); }},
        {{"FreeT_O_S", "FreeT_U_S"},
         [](Form& f) { f.ShText.initValue(1), f.Scroll_O.click(), f.Scroll_U.click(); }},
        {{"FreeT_S"}, [](Form& f) { f.ShText.initValue(1), f.OneLine.click(); }},
        {{"FreeT"}, [](Form& f) { f.ShText.initValue(1), f.OneLine.click(), f.Scroll_1.click(); }}};
    for (const auto& [names, mode] : texts) {
        for (const QString& name : names) {
            for (char16_t c : {u'\x02', u'\n', u'\x1b', u'\x7f', u'\x90'}) {
                Rig r;
                mode(r.form);
                auto& box = dynamic_cast<TextControl&>(*r.form.control(name));
                auto sent = [&r, &box](QChar ch) {
                    box.text = QStringLiteral("4") + ch + QStringLiteral("1EVIL!");
                    r.form.LastSent.clear();
                    r.modes.Get_Text();
                    r.tick();
                    return r.lastWrite();
                };
                const QByteArray blank = sent(QLatin1Char(' '));
                EXPECT_TRUE(blank.contains("4 ")) << name.toStdString();
                EXPECT_EQ(sent(QChar(c)), blank) << name.toStdString() << " " << int(c);
            }
        }
    }
}

TEST(Composer, PreviewIsRedWhileLiveAndDisplayOffSendsBlankFields) {
    Rig r;
    r.tick();
    EXPECT_EQ(r.form.Show_Prog.foreColor, kRed);
    r.form.Displ.initValue(0);
    r.tick();
    ASSERT_EQ(r.device.writes.size(), 2U);
    EXPECT_EQ(fields(r.lastWrite()), QByteArray("        |        |        |        "));
    EXPECT_EQ(r.form.Show_Prog.foreColor, kPaleRed);
}

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
    EXPECT_FALSE(r.form.TimeoutActive);
    EXPECT_TRUE(r.form.BreakActive);
    EXPECT_EQ(r.form.Time_Out.text, QStringLiteral("Start Timeout"));
    EXPECT_FALSE(r.form.Spec_Min.visible || r.form.Spec_Sec.visible);

    // Over a program: the scores come back and only the cleared program's handler sends.
    r.form.Prog.click();
    r.device.writes.clear();
    r.form.LastSent = QStringLiteral("x");
    r.form.Uhr.click();
    EXPECT_TRUE(r.form.Uhr_anz.visible && r.form.Pkt_l.visible && r.form.Pkt_r.visible);
    EXPECT_FALSE(r.form.D_Min.visible || r.form.FlashR.visible || r.form.Show_Prog.visible);
    EXPECT_TRUE(r.form.LastSent.isEmpty());
    EXPECT_EQ(r.device.writes.size(), 1U);
}

TEST(DisplayModes, OnlyTheExactWordTimeBecomesTheTimeEscape) {
    Rig r;
    r.form.FreeT_O.text = QStringLiteral("$TIME");
    r.form.FreeT_U.text = QStringLiteral("$time");
    r.form.ShText.click();
    r.clock.passUntil(QStringLiteral("21:05:09"));
    r.tick();
    EXPECT_EQ(r.form.ShText_o.text, QStringLiteral("21:05:09"));
    EXPECT_EQ(r.lastWrite().mid(3, 8), QByteArray::fromHex("a7 4f 34 20 20 20 20 20"));
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

} // namespace
} // namespace ml
