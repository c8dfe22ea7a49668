#pragma once

// The text of a failure message box: "Fehler ", the fault number, the procedure's action text,
// two CR LF, the fault's description, two CR LF and a hint for the operator.

#include <QCoreApplication>
#include <QString>

namespace ml {

// Fault numbers and descriptions of the number conversion and arithmetic.
inline constexpr int kFaultInvalidArgument = 5;
inline constexpr int kFaultOverflow = 6;
inline constexpr int kFaultTypeMismatch = 13;

inline QString notANumberDescription(const QString& text) {
    return QCoreApplication::translate("ml::failure", "Typen unverträglich: \"%1\" ist keine Zahl")
        .arg(text);
}

inline QString failureText(int fault, const QString& action, const QString& description,
                           const QString& hint) {
    return QCoreApplication::translate("ml::failure", "Fehler %1%2\r\n\r\n%3\r\n\r\n%4")
        .arg(fault)
        .arg(action, description, hint);
}

} // namespace ml
