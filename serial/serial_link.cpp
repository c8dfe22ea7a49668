#include "serial/serial_link.h"

#include "serial/windows1252.h"

namespace ml {
SerialLink::SerialLink(Form& form, SerialDevice& device, Dialogs& dialogs, EventLog& log)
    : form_(form), device_(device), dialogs_(dialogs), log_(log) {}
void SerialLink::registerHandlers(Handlers&) {}
void SerialLink::check_comPorts_Click() {}
void SerialLink::output(const QString& transmission) {
    if (device_.isOpen())
        device_.write(toWindows1252(transmission));
}
} // namespace ml
