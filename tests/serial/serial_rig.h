#pragma once

// The serial link on the fake platform, with the log read back line by line.

#include "console/event_log.h"
#include "platform/fakes/fakes.h"
#include "serial/serial_link.h"

#include <QByteArray>
#include <QStringList>

#include <initializer_list>

namespace ml::test {

inline QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

struct LinkRig {
    LinkRig() { link.registerHandlers(handlers); }

    // The texts of the log lines, newest first, without their time of day.
    QStringList logLines() const {
        QStringList lines;
        for (const QString& line : form.Text1.text.split(QStringLiteral("\r\n"))) {
            if (!line.isEmpty())
                lines.append(line.mid(8));
        }
        return lines;
    }
    // The listing with `ports` openable, then the entry `entry` chosen and opened.
    void openAt(std::initializer_list<int> ports, const QString& entry) {
        for (int p : ports)
            device.openable.insert(p);
        link.check_comPorts_Click();
        form.Combo6.index = static_cast<int>(form.Combo6.items.indexOf(entry));
        link.OpenOutput_Click();
        form.Text1.text.clear();
        dialogs.boxes.clear();
    }

    Form form;
    FakeClock clock{QStringLiteral("14:05:09")};
    FakeDialogs dialogs;
    FakeSerialDevice device;
    EventLog log{form, clock};
    SerialLink link{form, device, dialogs, log};
    Handlers handlers;
};

} // namespace ml::test
