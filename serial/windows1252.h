#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace ml {

// One byte per character in the Windows-1252 code page; a character without a byte there
// becomes "?". U+0081, U+008D, U+008F, U+0090 and U+009D stand for the five unassigned bytes.
QByteArray toWindows1252(const QString& text);
// The characters of Windows-1252 bytes; the five unassigned bytes give the C1 controls above.
QString fromWindows1252(QByteArrayView bytes);

} // namespace ml
