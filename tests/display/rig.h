#pragma once

// The display subsystem on the fake platform with port 1 open, and byte helpers.

#include "console/event_log.h"
#include "display/composer.h"
#include "display/display_modes.h"
#include "platform/fakes/fakes.h"
#include "serial/serial_link.h"
#include "serial/windows1252.h"

#include <QByteArray>

#include <initializer_list>

namespace ml::test {

inline QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

inline QByteArray ascii(const char* text) {
    return QByteArray(text);
}

struct Rig {
    // Port 1 is opened through the link, as the operator does.
    Rig() {
        modes.registerHandlers(handlers);
        device.openable = {1};
        form.Combo6.clear();
        form.Combo6.addItem(QStringLiteral("COM 1"));
        form.Combo6.index = 0;
        link.OpenOutput_Click();
    }
    // One tick's display work: previews, then the composer.
    void tick() {
        modes.previewStep();
        composer.checkAndOut(QStringLiteral("\r"));
    }
    // The bytes of the last write, empty when nothing was written.
    QByteArray lastWrite() const {
        return device.writes.empty() ? QByteArray() : device.writes.back();
    }

    Form form;
    FakeClock clock{QStringLiteral("12:00:00")};
    FakeDialogs dialogs;
    FakeSerialDevice device;
    Handlers handlers;
    EventLog log{form, clock};
    SerialLink link{form, device, dialogs, log};
    DisplayModes modes{form, clock, dialogs, link};
    Composer composer{form, clock, dialogs, link, log};
};

} // namespace ml::test
