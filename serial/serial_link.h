#pragma once

// The serial link: port listing, line speed, the open/close toggle, and writing
// transmissions to the open port.

#include "console/event_log.h"
#include "form/form.h"
#include "platform/platform.h"
#include "serial/line_writer.h"

namespace ml {

class SerialLink {
  public:
    SerialLink(Form& form, SerialDevice& device, Dialogs& dialogs, EventLog& log);
    ~SerialLink();
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;
    void bindHandlers();
    // Start-up: 9600 baud, no port open, and the ports listed.
    void start();

    bool PortTest(int port);
    void check_comPorts_Click();
    void OpenOutput_Click();
    void Baud_1200_Click();
    void Baud_2400_Click();
    void Baud_4800_Click();
    void Baud_9600_Click();

    // Writes one transmission to the open port in one piece (Windows-1252). On a slow line a
    // newer transmission replaces one still waiting for the line.
    void output(const QString& transmission);
    // The same for a command that must reach the display (the mode switch): it is never
    // replaced, and what follows waits behind it.
    void outputInOrder(const QString& transmission);

  private:
    void openPort(int n);
    void closePort();
    void send(const QString& transmission, LineWriter::Kind kind);
    void deviceFailed(const QString& reason);
    QString busyText(int n) const;
    void message(const QString& text);
    void checkSpeed(MenuItem& item);

    Form& form_;
    SerialDevice& device_;
    Dialogs& dialogs_;
    EventLog& log_;
    LineWriter writer_;
    // True from a successful open until the close or a failure of the device begins.
    bool lineUp_ = false;
    // The devices the last listing found but may not open for lack of rights, and what it says
    // of the ports another program holds.
    QStringList denied_;
    QStringList busy_;
};

} // namespace ml
