#include "console/message_window.h"
namespace ml {
void MessageWindowModel::registerHandlers(Handlers&) {}
} // namespace ml
