#pragma once

// The whole program core on the fake platform, started, with fake port 1 available: the desk
// that core tests and benchmarks drive. With a real device (`QtSerialDevice`) the ports are
// those of the machine, `MARKLIGHT_PORTS` set before the desk is made. Tests read the display
// line as a spectator does, through the decoder of marklight-display, never by byte offsets.

#include "core/program.h"
#include "display/line_decoder.h"
#include "platform/fakes/fakes.h"

#include <optional>

namespace ml::test {

using Rows = std::array<QString, 2>;

template <class Device = FakeSerialDevice> struct BasicDesk {
  private:
    FakeClock ownClock_{QStringLiteral("10:00:00")};
    FakeStorage ownStorage_;

  public:
    // A desk of its own, or one that shares the clock and the kept files with the runs before and
    // after it (a restart), with fake ports `ports` and an answer ready for a question at start.
    BasicDesk() : BasicDesk(ownClock_, ownStorage_) {}
    BasicDesk(FakeClock& c, FakeStorage& s, QSet<int> ports = {1},
              std::optional<Answer> answer = std::nullopt)
        : clock(c), storage(s) {
        if constexpr (requires { device.openable; })
            device.openable = std::move(ports);
        if (answer)
            dialogs.answerNext(*answer);
        p.start();
    }

    FakeClock& clock;
    FakeDialogs dialogs;
    FakeShell shell;
    Device device;
    FakeHorn horn{clock};
    FakeStorage& storage;
    Program p{clock, dialogs, shell, device, horn, storage};
    // Everything written so far, read back; `decoded` writes have been fed.
    LineDecoder line;
    size_t decoded = 0;

    // The control of that name (the `index`th of a menu group) clicked, its box typed into.
    void click(const char* name, int index = 0) {
        p.click(*p.find(QString::fromLatin1(name), index));
    }
    void type(const char* name, const char* text) {
        p.type(*p.find(QString::fromLatin1(name)), QString::fromUtf8(text));
    }
    // `ms` pass on the fake clock; every step of the window's timers runs at its moment.
    void pass(qint64 ms) {
        p.passTime(ms, [this](qint64 step) { clock.advanceMs(step); });
    }
    // The port opened and "Anzeigen" ticked: the display line shows the match.
    void live() {
        p.click(p.form.OpenOutput);
        p.click(p.form.Displ);
    }
    // The display line after the writes so far, each fed whole at the fake clock's time.
    const LineState& wire() {
        const qint64 now = clock.monotonicMs();
        for (; decoded < device.writes.size(); ++decoded)
            line.feed(device.writes[decoded], now);
        line.flush(now);
        return line.state();
    }
    // The two rows a spectator reads now.
    Rows rows() { return visibleRows(wire(), clock.monotonicMs(), clock.timeOfDay()); }
    // The clock's digits on the lower row: " 0    41:60   0 " gives "41:60".
    QString clockOnLine() { return rows()[1].mid(5, 6).trimmed(); }
};

using Desk = BasicDesk<>;

} // namespace ml::test
