#pragma once

// The display subsystem on the fake platform with port 1 open, and byte helpers.

#include "console/event_log.h"
#include "display/composer.h"
#include "display/display_modes.h"
#include "platform/fakes/fakes.h"
#include "serial/serial_link.h"
#include "serial/windows1252.h"

#include <QByteArray>

namespace ml::test {

// Bytes written as hex pairs, blanks between them allowed.
inline QByteArray hex(const char* pairs) {
    return QByteArray::fromHex(pairs);
}

struct Rig {
    // "Anzeigen" ticked and port 1 opened through the link, as the operator does.
    Rig() {
        form.Displ.initValue(1);
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
