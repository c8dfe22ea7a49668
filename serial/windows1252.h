#pragma once

#include <QByteArray>
#include <QString>

namespace ml {

// One byte per character in the Windows-1252 code page; a character without a byte there
// becomes "?". U+0081, U+008D, U+008F, U+0090 and U+009D stand for the five unassigned bytes.
QByteArray toWindows1252(const QString& text);

} // namespace ml
