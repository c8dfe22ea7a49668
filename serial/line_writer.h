#pragma once

// Keeps a slow line from falling behind: while one transmission is on the line, at most one
// newer one waits, and a newer one still replaces it, so the display is never more than one
// transmission behind what was composed. A transmission marked `InOrder` is never replaced or
// dropped; what comes after it waits behind it.

#include "platform/platform.h"

#include <deque>

namespace ml {

class LineWriter {
  public:
    enum class Kind { Latest, InOrder };

    explicit LineWriter(SerialDevice& device) : device_(device) {}

    // Writes at once when the line is free, otherwise lets it wait. False when the device
    // refused bytes.
    bool write(const QByteArray& bytes, Kind kind = Kind::Latest);
    // The device reports its queue empty: the next waiting transmission goes out. False when the
    // device refused it.
    bool drained();
    // Forgets what waits (the port was closed).
    void clear() { waiting_.clear(); }
    qsizetype waiting() const { return static_cast<qsizetype>(waiting_.size()); }

  private:
    bool writeNext();

    struct Item {
        QByteArray bytes;
        Kind kind;
    };
    SerialDevice& device_;
    std::deque<Item> waiting_;
};

} // namespace ml
