#include "display/display_modes.h"
namespace ml {
DisplayModes::DisplayModes(Form& form, const Clock& clock, Dialogs& dialogs, SerialLink& link)
    : form_(form), clock_(clock), dialogs_(dialogs), link_(link) {}
void DisplayModes::registerHandlers(Handlers&) {}
void DisplayModes::br_low_Click() {}
void DisplayModes::previewStep() {}
} // namespace ml
