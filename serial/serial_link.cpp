#include "serial/serial_link.h"
namespace ml {
SerialLink::SerialLink(Form& form, SerialDevice& device, Dialogs& dialogs, EventLog& log)
    : form_(form), device_(device), dialogs_(dialogs), log_(log) {}
void SerialLink::registerHandlers(Handlers&) {}
void SerialLink::check_comPorts_Click() {}
void SerialLink::output(const QString&) {}
} // namespace ml
