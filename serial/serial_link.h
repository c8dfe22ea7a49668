#pragma once

// The serial link: port listing, line speed, the open/close toggle, exit, and writing
// transmissions to the open port.

#include "console/event_log.h"
#include "form/form.h"
#include "form/handlers.h"
#include "platform/platform.h"

#include <functional>

namespace ml {

class SerialLink {
  public:
    SerialLink(Form& form, SerialDevice& device, Dialogs& dialogs, EventLog& log);
    void registerHandlers(Handlers& h);

    bool PortTest(int port);
    void check_comPorts_Click();
    void OpenOutput_Click();
    void Baud_1200_Click();
    void Baud_2400_Click();
    void Baud_4800_Click();
    void Baud_9600_Click();
    void Ende_Click();

    // Writes one transmission to the open port in one piece (Windows-1252).
    void output(const QString& transmission);

    // Closes the main window; set by whoever shows it.
    std::function<void()> closeWindow;

  private:
    Form& form_;
    SerialDevice& device_;
    Dialogs& dialogs_;
    EventLog& log_;
};

} // namespace ml
