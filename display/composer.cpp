#include "display/composer.h"
namespace ml {
Composer::Composer(Form& form, const Clock& clock, Dialogs& dialogs, SerialLink& link, EventLog& log)
    : form_(form), clock_(clock), dialogs_(dialogs), link_(link), log_(log) {}
QString Composer::checkAndOut(const QString&) { return {}; }
} // namespace ml
