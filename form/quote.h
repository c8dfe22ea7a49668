#pragma once

#include <QString>

namespace ml {

// A text in double quotes with CR, LF, quote and backslash escaped, as replay prints texts.
inline QString quoted(const QString& text) {
    QString out = QStringLiteral("\"");
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\r':
            out += QStringLiteral("\\r");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '"':
            out += QStringLiteral("\\\"");
            break;
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        default:
            out += c;
        }
    }
    return out + QLatin1Char('"');
}

} // namespace ml
