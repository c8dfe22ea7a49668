// The wire read back: what the program core writes, decoded, must give the rows a spectator
// reads (the scoreboard's own rows are in display_test). Every transmission is also fed one byte
// at a time and must give the same state.

#include "display/line_decoder.h"
#include "serial/windows1252.h"
#include "tests/support/desk.h"

#include <gtest/gtest.h>

// Rows read as text in failure messages.
void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace ml::test {
namespace {

constexpr qint64 kCell = kScrollStepMs * kCellColumns; // one character of scrolling

struct WireDesk : Desk {
    WireDesk() { live(); }
    // Decodes every write since the last call (at time `at`), whole and byte by byte.
    const LineState& decode(qint64 at = 0) {
        for (; seen < device.writes.size(); ++seen) {
            const QByteArray& w = device.writes[seen];
            whole.feed(w, at);
            for (char c : w)
                bytewise.feed(QByteArrayView(&c, 1), at);
            whole.flush(at);
            bytewise.flush(at);
            // Every transmission ends a picture: nothing of it waits for more.
            EXPECT_TRUE(whole.settled()) << w.toHex(' ').toStdString();
            EXPECT_EQ(whole.state(), bytewise.state()) << w.toHex(' ').toStdString();
        }
        EXPECT_EQ(whole.skipped(), 0U);
        return whole.state();
    }
    Rows rows(qint64 at = 0) { return visibleRows(decode(), at, QStringLiteral("10:00:00")); }
    Rows tickRows(qint64 at = 0) {
        p.tick();
        return rows(at);
    }
    LineDecoder whole, bytewise;
    size_t seen = 0;
};

TEST(LineDecoder, ReadsFreeTextRows) {
    WireDesk d;
    d.p.click(d.p.form.ShText);
    // The lower row's default text calls for the display's clock.
    EXPECT_EQ(d.tickRows(), (Rows{"Text oben       ", "Zeit:   10:00:00"}));
    EXPECT_TRUE(animated(d.whole.state()));

    d.p.click(d.p.form.Scroll_O);
    d.p.type(d.p.form.FreeT_O_S, QStringLiteral("ABC"));
    d.p.click(d.p.form.ShText);
    d.p.click(d.p.form.ShText);
    d.p.tick();
    const qint64 t0 = 5000;
    d.decode(t0);
    // The text enters at the right edge and leaves at the left, then starts over.
    EXPECT_EQ(d.rows(t0)[0], QString(16, ' '));
    EXPECT_EQ(d.rows(t0 + kCell)[0], QString(15, ' ') + "A");
    EXPECT_EQ(d.rows(t0 + 16 * kCell), (Rows{"ABC             ", "Zeit:   10:00:00"}));
    EXPECT_EQ(d.rows(t0 + 19 * kCell)[0], QString(16, ' '));
    int shift = -1;
    rowWindow(d.whole.state().rows[0], 16, 1, t0 + kCell + 2 * kScrollStepMs, {}, &shift);
    EXPECT_EQ(shift, 2);
    // Sent again, the same text goes on where it was.
    d.p.click(d.p.form.br_high);
    d.p.tick();
    d.decode(t0 + 3 * kCell);
    EXPECT_EQ(d.rows(t0 + 16 * kCell)[0], "ABC             ");

    // The lower row scrolls only from a form the operator cannot reach; its frame has no row
    // digit, so a text that begins with "1" is told by the pair's long companion.
    d.p.form.Scroll_U.enabled = true;
    d.p.click(d.p.form.Scroll_U);
    d.p.type(d.p.form.FreeT_U_S, QStringLiteral("1.\x02Halbzeit")); // STX goes out blank
    d.p.click(d.p.form.ShText);
    d.p.click(d.p.form.ShText);
    d.p.tick();
    d.decode(t0);
    EXPECT_EQ(d.rows(t0 + 16 * kCell), (Rows{"ABC             ", "1. Halbzeit     "}));
}

TEST(LineDecoder, ReadsBigText) {
    WireDesk d;
    d.p.click(d.p.form.OneLine);
    d.p.type(d.p.form.FreeT_S, QStringLiteral("GROSS"));
    d.p.click(d.p.form.ShText);
    d.p.tick();
    d.decode(0);
    EXPECT_EQ(d.whole.state().layout, LineState::Layout::Big);
    EXPECT_EQ(d.rows(8 * 2 * kCell), (Rows{"GGRROOSSSS      ", "GGRROOSSSS      "}));

    // Standing big text of eight characters looks like field 3 until no field 4 follows it; a
    // control character in it goes out blank. Only a form the operator cannot reach stands.
    d.p.form.Scroll_1.initValue(0);
    d.p.form.FreeT.text = QStringLiteral("Txt\nGROS");
    d.p.click(d.p.form.ShText);
    d.p.click(d.p.form.ShText);
    d.p.tick();
    EXPECT_EQ(d.rows(), (Rows{"TTxxtt  GGRROOSS", "TTxxtt  GGRROOSS"}));
}

TEST(LineDecoder, ReadsProgramsUntilTheModeSwitch) {
    WireDesk d;
    d.p.click(d.p.form.br_high);
    d.p.click(d.p.form.Prog);
    EXPECT_EQ(d.tickRows(), (Rows{"   Programm 1   ", "    läuft...    "}));
    EXPECT_EQ(d.whole.state().brightness, 3);
    d.p.click(*d.p.form.HLProgr[16]);
    d.p.tick();
    EXPECT_EQ(d.decode().program, 16);

    // Switching the program off sends the mode switch, which clears the display, and in the same
    // step the scoreboard.
    d.p.click(d.p.form.Prog);
    EXPECT_EQ(d.rows(), (Rows{"Heim      Gegner", " 0    20:00   0 "}));
}

TEST(LineDecoder, WithoutAPortTheMonitorGetsWhatAnOpenPortWould) {
    Desk d;
    QString rehearsed;
    d.p.composer.rehearse = [&rehearsed](const QString& t) { rehearsed = t; };
    d.p.click(d.p.form.Displ);
    d.p.type(d.p.form.Pkt_l, QStringLiteral("3"));
    d.p.tick();
    LineDecoder dec;
    dec.feed(toWindows1252(rehearsed), 0);
    EXPECT_EQ(visibleRows(dec.state(), 0, {}), (Rows{"Heim      Gegner", " 3    20:00   0 "}));
    // The closed port's own transmission, which the log reads, stays blank.
    EXPECT_TRUE(d.device.writes.empty());
    EXPECT_EQ(d.p.form.OutLine[1], QString(8, ' '));
}

TEST(LineDecoder, SkipsWhatItCannotRead) {
    const QByteArray good("\x02"
                          "11Heim    \n");
    LineDecoder dec;
    // Noise, a frame cut by the next STX, an unknown address, a bad brightness digit, an empty
    // frame, then a good frame.
    dec.feed(QByteArray("zz\x02"
                        "11Ga\x02Z1abc\n\x02"
                        "19Gast    \n\x02\n") +
                 good,
             0);
    EXPECT_EQ(dec.skipped(), 2U + 5U + 7U + 12U + 2U);
    EXPECT_EQ(visibleRows(dec.state(), 0, {})[0], "Heim            ");

    // An endless frame is dropped without holding it, and reading goes on after it.
    dec.feed("\x02" + QByteArray(3 * kMaxFrameBytes, '1'), 0);
    dec.feed(QByteArray("\n\x02"
                        "21  Gegner\n"),
             0);
    EXPECT_EQ(dec.skipped(), 28U + 3U * kMaxFrameBytes + 2U);
    EXPECT_EQ(visibleRows(dec.state(), 0, {})[0], "Heim      Gegner");
}

} // namespace
} // namespace ml::test
