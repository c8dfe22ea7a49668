#pragma once

// Reads the display line's wire: bytes in, in any pieces, and out what the display line shows
// (two rows of 16 characters, one line of big text or a built-in program; brightness; blinking;
// scrolling). The same frames as frames.h builds, read back. Qt Core only, so the monitor window
// and marklight-display share it.
//
// Where the frames do not say how the display renders something, this reading chooses:
// - a scrolling text enters at the right edge and moves left by one dot column every
//   `kScrollStepMs`, until its last character has left at the left edge; then it starts over;
// - big text stands in double-size characters, 8 to the line;
// - a built-in program is shown as the caption "Programm n" over "läuft...";
// - the mode-switch sequence clears the display;
// - the time escape (wire_format.h) shows the time of day in its eight places.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>

namespace ml {

// One row, or the one line of big text.
struct LineRow {
    // Standing: the characters shown. Scrolling: the whole text, however long.
    QString text;
    bool scrolling = false;
    // When the scrolling text arrived, on the caller's clock in milliseconds.
    qint64 since = 0;
    bool operator==(const LineRow&) const = default;
};

struct LineState {
    enum class Layout { Rows, Big, Program };
    Layout layout = Layout::Rows;
    // The upper and lower row (Layout::Rows); standing rows hold 16 characters.
    std::array<LineRow, 2> rows{LineRow{QString(16, QLatin1Char(' '))},
                                LineRow{QString(16, QLatin1Char(' '))}};
    // The line of big text (Layout::Big).
    LineRow big;
    // The built-in program's number (Layout::Program).
    int program = 0;
    // 1 low, 2 medium, 3 high.
    int brightness = 1;
    bool operator==(const LineState&) const = default;
};

// Characters to a row, and dot columns to a character (five dots and a gap). Big characters
// are twice as wide and as high.
inline constexpr int kRowChars = 16;
inline constexpr int kBigChars = 8;
inline constexpr int kCellColumns = 6;
inline constexpr int kScrollStepMs = 50;
// A frame longer than this is dropped as unreadable; it bounds the decoder's memory.
inline constexpr int kMaxFrameBytes = 8192;

class LineDecoder {
  public:
    // The bytes that arrived at `nowMs` (any clock in milliseconds that only moves on).
    void feed(QByteArrayView bytes, qint64 nowMs);
    // The line has gone quiet: a frame whose meaning waits on the next one is taken as it
    // stands (a "3" frame of eight characters is field 3 only when field 4 follows it).
    void flush(qint64 nowMs);

    const LineState& state() const { return state_; }
    // The brightness has been alternating between low and high, as it does while the clock runs
    // with a minus sign.
    bool blinking(qint64 nowMs) const;
    // Bytes that could not be read: outside a frame, in a cut, unknown or overlong frame.
    quint64 skipped() const { return skipped_; }
    // The last frame ended a transmission of the kinds the composer sends (not in the middle of
    // a scoreboard, a scroll pair or the mode switch): a whole new picture to show.
    bool settled() const { return !inFrame_ && !open_ && pending_.isEmpty(); }

  private:
    void frame(qint64 nowMs);
    void settlePending(bool field4Follows, qint64 nowMs);
    bool programFrame(qint64 nowMs);
    void field(int address, const QString& text);
    void scroll(LineRow& row, const QString& text, qint64 nowMs);
    void setBrightness(char digit, qint64 nowMs);
    void rows();

    LineState state_;
    QByteArray buf_;
    bool inFrame_ = false;
    bool overlong_ = false;
    // The last frame is one that others of its transmission follow.
    bool open_ = false;
    quint64 skipped_ = 0;
    // A "3" frame of eight characters, waiting for the next frame to tell whether it is field 3
    // or big text.
    QByteArray pending_;
    // The frame before was a long scroll companion: a scroll text frame now is the lower row's.
    bool afterLongCompanion_ = false;
    // The frame before began the mode-switch sequence: its second frame is part of it.
    bool afterModeSwitch_ = false;
    // When the brightness last changed between low and high, and the time before.
    qint64 lastAlternation_ = -1;
    qint64 previousAlternation_ = -1;
};

// The two rows as a spectator reads them at `nowMs`, each 16 characters; `timeOfDay`
// ("hh:mm:ss") stands in the place of a clock escape. Big text doubles each character on both
// rows.
std::array<QString, 2> visibleRows(const LineState& state, qint64 nowMs, const QString& timeOfDay);

// What a row or the big line shows in its `cells` places at `nowMs`: a standing text from its
// start, a scrolling text at its current position; `shift` gets the dot columns (0 to
// kCellColumns * `cellWidth` - 1) by which the characters are moved left of their places.
// A scrolling text gives one character more than `cells`: the one coming in at the right.
QString rowWindow(const LineRow& row, int cells, int cellWidth, qint64 nowMs,
                  const QString& timeOfDay, int* shift = nullptr);

// What the display shows when it runs a built-in program.
std::array<QString, 2> programCaption(int program);

// Whether the state's look changes with time alone (scrolling, or the display's clock shown).
bool animated(const LineState& state);

} // namespace ml
