#pragma once

// The whole program core on the fake platform, started, with fake port 1 available: the desk
// that core tests and benchmarks drive. With a real device (`QtSerialDevice`) the ports are
// those of the machine, `MARKLIGHT_PORTS` set before the desk is made.

#include "core/program.h"
#include "platform/fakes/fakes.h"

namespace ml::test {

template <class Device = FakeSerialDevice> struct BasicDesk {
    FakeClock clock{QStringLiteral("10:00:00")};
    FakeDialogs dialogs;
    FakeShell shell;
    Device device;
    FakeHorn horn{clock};
    FakeStorage storage;
    Program p{clock, dialogs, shell, device, horn, storage};

    BasicDesk() {
        if constexpr (requires { device.openable; })
            device.openable = {1};
        p.start();
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
};

using Desk = BasicDesk<>;

} // namespace ml::test
