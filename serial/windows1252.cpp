#include "serial/windows1252.h"
namespace ml {
QByteArray toWindows1252(const QString& text) { return text.toLatin1(); }
} // namespace ml
