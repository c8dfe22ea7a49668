// Text fitting, the display modes and the output composer on the fake platform, the display line
// read back through the decoder. The scoreboard bytes themselves are in the display_* golden files;
// control characters in every kind of frame in display_control_characters and line_decoder_test.

#include "bookkeeping/event_log.h"
#include "display/composer.h"
#include "display/display_modes.h"
#include "display/frames.h"
#include "display/line_decoder.h"
#include "display/text_fitting.h"
#include "display/wire_format.h"
#include "platform/fakes/fakes.h"
#include "serial/serial_link.h"
#include "serial/windows1252.h"

#include <gtest/gtest.h>

#include <functional>

// Rows read as text in failure messages.
void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace ml {
namespace {

using Rows = std::array<QString, 2>;

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
    // The display line after every write so far, each fed at `ms` (from 0, a second apart).
    const LineState& wire() {
        for (; decoded < device.writes.size(); ++decoded)
            line.feed(device.writes[decoded], ms);
        line.flush(ms);
        return line.state();
    }
    Rows rows() { return visibleRows(wire(), ms, clock.timeOfDay()); }

    Form form;
    FakeClock clock{QStringLiteral("12:00:00")};
    FakeDialogs dialogs;
    FakeSerialDevice device;
    EventLog log{form, clock};
    SerialLink link{form, device, dialogs, log};
    MatchEngine match{form, clock, dialogs};
    DisplayModes modes{form, clock, dialogs, link, match};
    Composer composer{form, clock, dialogs, link, log};
    LineDecoder line;
    size_t decoded = 0;
    qint64 ms = 0;
};

TEST(TrimText, FitsATextToItsWidth) {
    FakeDialogs dialogs;
    auto fit = [&dialogs](const char* text, const char* align, int width) {
        return TrimText(QString::fromLatin1(text), QString::fromLatin1(align), width, dialogs);
    };
    EXPECT_EQ(fit("Heim", "r", 8), QStringLiteral("Heim    ")); // only a capital R pads left
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

TEST(Flash, ColonShowsOnlyOnOddSecondsOfAStandingClock) {
    Rig r;
    r.clock.passUntil(QStringLiteral("12:00:01"));
    EXPECT_EQ(Flash(r.form, r.clock, r.dialogs), QStringLiteral(":"));
    r.form.ClockRunning = true;
    EXPECT_EQ(Flash(r.form, r.clock, r.dialogs), QStringLiteral(" "));
    r.form.ClockRunning = false;
    r.form.Uhr.initValue(1);
    EXPECT_EQ(Flash(r.form, r.clock, r.dialogs), QStringLiteral(" "));
}

// Sets the form as a case says, in order: "name=text" writes a text ('_' a blank), a name alone
// clicks the control, "penaltyL" and "timeout" stand for what the match engine sets.
void setForm(Form& f, const char* steps) {
    for (const QString& item : QString::fromUtf8(steps).split(QLatin1Char(' '))) {
        const QString name = item.section(QLatin1Char('='), 0, 0);
        if (item.contains(QLatin1Char('=')))
            dynamic_cast<TextControl&>(*f.control(name)).text =
                item.section(QLatin1Char('='), 1).replace(QLatin1Char('_'), QLatin1Char(' '));
        else if (name == QLatin1String("penaltyL"))
            f.penaltyL.running = true;
        else if (name == QLatin1String("timeout"))
            f.TimeoutActive = f.SpecL.visible = f.SpecR.visible = true;
        else if (auto* box = dynamic_cast<CheckBox*>(f.control(name)))
            box->click();
        else
            f.control(name)->onClick();
    }
}

// What the scoreboard shows for a form, at an odd second: there the separators of a standing
// clock off its start value blink, unless a value is no number.
TEST(Composer, ScoreboardShowsTheDesk) {
    const QString blank(16, QLatin1Char(' '));
    const struct {
        const char* set;
        Rows rows;
        int brightness;
    } cases[] = {
        {"br_med Pkt_l=3 Pkt_r=12", {"Heim      Gegner", " 3    20:00  12 "}, 2},
        {"Text_l=Müller Text_r=Straße€", {"Müller   Straße€", " 0    20:00   0 "}, 1},
        {"miror penaltyL TxtStrL=_1:45 Pkt_l=7 Pkt_r=4 D_Min=12 Startwert=zwanzig",
         {"Gegner      1:45", " 4    12:00   7 "},
         1},
        {"timeout D_Min= SpecL=__TIME__ SpecR=__OUT___ Spec_Min=0 Spec_Sec=45",
         {"  TIME    OUT   ", " 0     0:45   0 "},
         1},
        {"TimeOut=21:05:09 Uhr", {"Heim      Gegner", " 0  21:05:09   0"}, 1},
        {"FreeT_O=ABCDEFGHIJKLMNOPQRST FreeT_U=unten ShText", // 16 characters, padded
         {"ABCDEFGHIJKLMNOP", "unten           "},
         1},
        {"Displ", {blank, blank}, 1},
    };
    for (const auto& c : cases) {
        Rig r;
        r.clock.passUntil(QStringLiteral("12:00:01"));
        setForm(r.form, c.set);
        r.tick();
        EXPECT_EQ(r.rows(), c.rows) << c.set;
        EXPECT_EQ(r.wire().brightness, c.brightness) << c.set;
    }
}

TEST(Composer, PreviewIsRedOnlyWhileLive) {
    Rig r;
    r.tick();
    EXPECT_EQ(r.form.Show_Prog.foreColor, kRed);
    r.form.Displ.click();
    r.tick();
    EXPECT_EQ(r.form.Show_Prog.foreColor, kPaleRed);
}

TEST(Composer, MinusSignInFieldThreeBlinksWithEachNewClockValue) {
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
        QByteArray levels;
        for (int i = 0; i < 4; ++i) {
            r.ms += 1000;
            r.form.D_Sec.text = QString::number(10 + i);
            r.tick();
            levels += char('0' + r.wire().brightness);
            r.form.Pkt_l.text = QString::number(i);
            r.tick();
            levels += char('0' + r.wire().brightness);
        }
        EXPECT_EQ(levels, QByteArray(variant == 3 ? "11111111" : "33113311")) << variant;
        EXPECT_EQ(r.line.blinking(r.ms), variant != 3) << variant;
        EXPECT_FALSE(r.line.blinking(r.ms + 3000)) << variant;
    }
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

TEST(DisplayModes, TimeOfDayEndsATimeoutButNotABreak) {
    Rig r;
    r.form.TimeoutActive = r.form.BreakActive = true;
    r.form.Time_Out.text = QStringLiteral("Stop Timeout");
    r.form.Spec_Min.visible = r.form.Spec_Sec.visible = true;
    r.form.ShText.click(); // free text leaves it running
    EXPECT_TRUE(r.form.TimeoutActive);
    r.form.Uhr.click();
    EXPECT_FALSE(r.form.TimeoutActive);
    EXPECT_TRUE(r.form.BreakActive);
    EXPECT_EQ(r.form.Time_Out.text, QStringLiteral("Start Timeout"));
    EXPECT_FALSE(r.form.Spec_Min.visible || r.form.Spec_Sec.visible);
}

TEST(DisplayModes, TimeOfDayOverAProgramBringsTheScoresBackInOneTransmission) {
    Rig r;
    r.form.Prog.click();
    r.device.writes.clear();
    r.form.LastSent = QStringLiteral("x");
    r.form.Uhr.click();
    EXPECT_TRUE(r.form.Uhr_anz.visible && r.form.Pkt_l.visible && r.form.Pkt_r.visible);
    EXPECT_FALSE(r.form.D_Min.visible || r.form.FlashR.visible || r.form.Show_Prog.visible);
    EXPECT_TRUE(r.form.LastSent.isEmpty()); // only the cleared program's handler sent
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
    EXPECT_EQ(r.wire().rows[0].text, wire::timeEscape() + QString(8, ' '));
    EXPECT_EQ(r.rows()[1], QStringLiteral("$time           "));
    // The preview finds the escape whatever the case of its letter.
    r.form.PreviewBottom = QStringLiteral("Zeit§o4     ");
    r.tick();
    EXPECT_EQ(r.form.ShText_u.text, QStringLiteral("Zeit21:05:09"));
}

TEST(DisplayModes, ScrollingPreviewMovesOneCharacterPerTick) {
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
