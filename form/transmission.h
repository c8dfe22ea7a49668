#pragma once

// What the composer made of one tick: the frames as they go out, and the four fields of the
// display line as composed, with the parts that the event log reads named.

#include <QString>

#include <array>

namespace ml {

struct Transmission {
    // Every frame of the tick, one character per byte on the wire.
    QString text;
    // The fields at addresses 1 to 4, eight characters each: the upper row's two halves, then
    // the lower row's (score, separator and minutes; seconds, separator and score).
    std::array<QString, 4> fields;

    QString leftHalf() const { return fields[0]; }
    QString rightHalf() const { return fields[1]; }
    QString leftScore() const { return fields[2].left(4); }
    QString minutes() const { return fields[2].mid(5, 3); }
    // The colon and the two digits of the seconds.
    QString seconds() const { return fields[3].left(3); }
    // The separator in front of the score and the score.
    QString rightScore() const { return fields[3].mid(3, 4); }
};

} // namespace ml
