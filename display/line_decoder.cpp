#include "display/line_decoder.h"

#include "display/wire_format.h"
#include "serial/windows1252.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace ml {

namespace {

using wire::kLf;
using wire::kStx;
// Two changes between low and high brightness no further apart than this are a blink; the
// composer alternates on every transmission, at least once a second while the clock runs.
constexpr qint64 kBlinkGapMs = 1500;

const QString kClockEscape = wire::timeEscape();

bool isBrightness(char c) {
    return c >= wire::kLowestBrightness && c <= wire::kHighestBrightness;
}

bool isField(char c) {
    return c >= wire::kFirstField && c <= wire::kLastField;
}

// Frame text as characters; control characters show as blanks.
QString characters(QByteArrayView bytes) {
    return wire::blankControls(fromWindows1252(bytes));
}

QString blanks(int n) {
    return QString(n, QLatin1Char(' '));
}

QString withClock(const QString& text, const QString& timeOfDay) {
    if (!text.contains(kClockEscape, Qt::CaseInsensitive))
        return text;
    QString t = text;
    return t.replace(kClockEscape, timeOfDay.leftJustified(8, QLatin1Char(' '), true),
                     Qt::CaseInsensitive);
}

QString centred(const QString& text, int width) {
    return (blanks((width - int(text.size())) / 2) + text).leftJustified(width, QLatin1Char(' '));
}

} // namespace

void LineDecoder::feed(QByteArrayView bytes, qint64 nowMs) {
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
        if (!inFrame_) {
            const auto* stx = static_cast<const char*>(std::memchr(p, kStx, size_t(end - p)));
            if (stx == nullptr) {
                skipped_ += quint64(end - p);
                return;
            }
            skipped_ += quint64(stx - p);
            p = stx + 1;
            inFrame_ = true;
            overlong_ = false;
            buf_.clear();
            continue;
        }
        const char* q = p;
        while (q < end && *q != kStx && *q != kLf)
            ++q;
        if (!overlong_ && buf_.size() + (q - p) > kMaxFrameBytes) {
            overlong_ = true;
            skipped_ += 1 + quint64(buf_.size()); // its STX and what came so far
            buf_.clear();
        }
        if (overlong_)
            skipped_ += quint64(q - p);
        else
            buf_.append(p, q - p);
        p = q;
        if (p == end)
            return;
        ++p;
        if (p[-1] == kStx) {
            // A frame cut short by the next one: drop it and read the new one.
            if (!overlong_)
                skipped_ += 1 + quint64(buf_.size());
            overlong_ = false;
            buf_.clear();
            continue;
        }
        inFrame_ = false;
        if (overlong_)
            skipped_ += 1;
        else
            frame(nowMs);
    }
}

void LineDecoder::flush(qint64 nowMs) {
    if (!pending_.isEmpty())
        settlePending(false, nowMs);
}

bool LineDecoder::blinking(qint64 nowMs) const {
    return previousAlternation_ >= 0 && lastAlternation_ - previousAlternation_ <= kBlinkGapMs &&
           nowMs - lastAlternation_ <= kBlinkGapMs;
}

void LineDecoder::frame(qint64 nowMs) {
    const QByteArrayView body(buf_);
    const bool readable = body.size() >= 2;
    if (!pending_.isEmpty())
        settlePending(readable && body[0] == wire::kLastField && isBrightness(body[1]), nowMs);
    const bool afterLongCompanion = std::exchange(afterLongCompanion_, false);
    const bool afterModeSwitch = std::exchange(afterModeSwitch_, false);
    open_ = false;
    if (readable && body[0] == wire::kModeSwitchByte) {
        state_.layout = LineState::Layout::Rows;
        state_.rows = LineState{}.rows;
        state_.big = {};
        state_.program = 0;
        afterModeSwitch_ = open_ = true;
        return;
    }
    if (!readable || !isBrightness(body[1])) {
        skipped_ += quint64(body.size()) + 2;
        return;
    }
    const char code = body[0];
    if (programFrame(nowMs))
        return;
    if (isField(code)) {
        // The mode switch's second frame looks like a short field 1; it belongs to the switch.
        if (afterModeSwitch && body == QByteArrayView(wire::kModeSwitchSecond))
            return;
        if (code == wire::kBigText && body.size() == 2 + wire::kFieldChars) {
            pending_ = buf_;
            return;
        }
        setBrightness(body[1], nowMs);
        if (code == wire::kBigText) {
            state_.layout = LineState::Layout::Big;
            state_.big = {characters(body.sliced(2))};
        } else {
            field(code - wire::kFirstField + 1, characters(body.sliced(2)));
            // Fields 1 to 3 are followed by the rest of their transmission.
            open_ = code != wire::kLastField;
        }
        return;
    }
    if (code == wire::kScrollByte) {
        setBrightness(body[1], nowMs);
        const QByteArrayView rest = body.sliced(2);
        // The lower row's scroll text has no row digit; its pair opens with the long companion.
        if (afterLongCompanion || rest.isEmpty() ||
            (rest[0] != wire::kScrollUpper && rest[0] != wire::kScrollBig)) {
            rows();
            scroll(state_.rows[1], characters(rest), nowMs);
        } else if (rest[0] == wire::kScrollUpper) {
            rows();
            scroll(state_.rows[0], characters(rest.sliced(1)), nowMs);
            open_ = true;
        } else {
            if (state_.layout != LineState::Layout::Big)
                state_.big = {};
            state_.layout = LineState::Layout::Big;
            scroll(state_.big, characters(rest.sliced(1)), nowMs);
            open_ = true;
        }
        return;
    }
    if (code == wire::kCompanionByte) {
        setBrightness(body[1], nowMs);
        afterLongCompanion_ = open_ = body.size() > 3;
        return;
    }
    skipped_ += quint64(body.size()) + 2;
}

// A "3" frame of eight characters is field 3 when field 4 follows, big text otherwise.
void LineDecoder::settlePending(bool field4Follows, qint64 nowMs) {
    const QByteArray body = std::exchange(pending_, {});
    setBrightness(body[1], nowMs);
    const QString text = characters(QByteArrayView(body).sliced(2));
    if (field4Follows) {
        field(3, text);
    } else {
        state_.layout = LineState::Layout::Big;
        state_.big = {text};
    }
}

// Brightness digit, the program address, the escape, the number, blanks. It is told from a
// field frame at the highest brightness whose text begins with the escape and a number by that
// text alone.
bool LineDecoder::programFrame(qint64 nowMs) {
    const QByteArrayView body(buf_);
    const QByteArrayView escape(wire::kProgramEscape);
    const qsizetype digits = 2 + escape.size();
    if (body.size() <= digits || !isBrightness(body[0]) || body[1] != wire::kProgramAddress ||
        !body.sliced(2).startsWith(escape))
        return false;
    qsizetype i = digits;
    int number = 0;
    while (i < body.size() && i < digits + wire::kProgramDigits && body[i] >= '0' && body[i] <= '9')
        number = number * 10 + (body[i++] - '0');
    if (i == digits)
        return false;
    for (qsizetype j = i; j < body.size(); ++j)
        if (body[j] != ' ')
            return false;
    setBrightness(body[0], nowMs);
    state_.layout = LineState::Layout::Program;
    state_.program = number;
    return true;
}

void LineDecoder::field(int address, const QString& text) {
    rows();
    LineRow& row = state_.rows[size_t((address - 1) / 2)];
    if (row.scrolling)
        row = {blanks(kRowChars)};
    row.text.replace((address - 1) % 2 * 8, 8, text.leftJustified(8, QLatin1Char(' '), true));
}

void LineDecoder::scroll(LineRow& row, const QString& text, qint64 nowMs) {
    // The same text again goes on from where it is, so a resent frame does not jerk it back.
    if (!row.scrolling || row.text != text)
        row = {text, true, nowMs};
}

void LineDecoder::setBrightness(char digit, qint64 nowMs) {
    const int level = digit - '0';
    const int old = std::exchange(state_.brightness, level);
    if (level == old)
        return;
    if (level + old == 4 && level != 2) {
        previousAlternation_ = lastAlternation_;
        lastAlternation_ = nowMs;
    } else {
        previousAlternation_ = lastAlternation_ = -1;
    }
}

// Back to two rows, blank, after big text or a program.
void LineDecoder::rows() {
    if (state_.layout == LineState::Layout::Rows)
        return;
    state_.layout = LineState::Layout::Rows;
    state_.rows = LineState{}.rows;
}

QString rowWindow(const LineRow& row, int cells, int cellWidth, qint64 nowMs,
                  const QString& timeOfDay, int* shift) {
    if (shift != nullptr)
        *shift = 0;
    const QString text = withClock(row.text, timeOfDay);
    if (!row.scrolling)
        return text.leftJustified(cells, QLatin1Char(' '), true);
    // The text runs in from the right edge: a lap is the blank row and the text behind it.
    const QString lap = blanks(cells) + text;
    const qint64 cellColumns = kCellColumns * cellWidth;
    const qint64 columns =
        std::max<qint64>(0, nowMs - row.since) / kScrollStepMs % (lap.size() * cellColumns);
    const qsizetype first = qsizetype(columns / cellColumns);
    if (shift != nullptr)
        *shift = int(columns % cellColumns);
    QString out(cells + 1, Qt::Uninitialized);
    for (int i = 0; i <= cells; ++i)
        out[i] = lap[(first + i) % lap.size()];
    return out;
}

std::array<QString, 2> programCaption(int program) {
    return {centred(QStringLiteral("Programm %1").arg(program), kRowChars),
            centred(QStringLiteral("läuft..."), kRowChars)};
}

std::array<QString, 2> visibleRows(const LineState& state, qint64 nowMs, const QString& timeOfDay) {
    switch (state.layout) {
    case LineState::Layout::Program:
        return programCaption(state.program);
    case LineState::Layout::Big: {
        const QString line = rowWindow(state.big, kBigChars, 2, nowMs, timeOfDay).left(kBigChars);
        QString doubled;
        for (QChar c : line)
            doubled += QString(2, c);
        return {doubled, doubled};
    }
    case LineState::Layout::Rows:
        break;
    }
    return {rowWindow(state.rows[0], kRowChars, 1, nowMs, timeOfDay).left(kRowChars),
            rowWindow(state.rows[1], kRowChars, 1, nowMs, timeOfDay).left(kRowChars)};
}

bool animated(const LineState& state) {
    const auto moves = [](const LineRow& row) {
        return row.scrolling || row.text.contains(kClockEscape, Qt::CaseInsensitive);
    };
    switch (state.layout) {
    case LineState::Layout::Rows:
        return moves(state.rows[0]) || moves(state.rows[1]);
    case LineState::Layout::Big:
        return moves(state.big);
    case LineState::Layout::Program:
        break;
    }
    return false;
}

} // namespace ml
