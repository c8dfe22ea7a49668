#pragma once

// Captions and texts that more than one place writes, each defined once: the start and stop
// captions of the buttons that start and stop something, the port button and list, and the
// title of the program's message boxes. Each in the language of the texts (translated when
// asked for: the translation is installed before the form is made).

#include <QCoreApplication>
#include <QString>

namespace ml::captions {

inline QString start() {
    return QCoreApplication::translate("ml::captions", "Start");
}
inline QString stop() {
    return QCoreApplication::translate("ml::captions", "Stop");
}
inline QString startTimeout() {
    return QCoreApplication::translate("ml::captions", "Start Timeout");
}
inline QString stopTimeout() {
    return QCoreApplication::translate("ml::captions", "Stop Timeout");
}
inline QString startPause() {
    return QCoreApplication::translate("ml::captions", "Start Pause");
}
inline QString stopPause() {
    return QCoreApplication::translate("ml::captions", "Stop Pause");
}
inline QString startPenalty() {
    return QCoreApplication::translate("ml::captions", "Start Strafe");
}
inline QString stopPenalty() {
    return QCoreApplication::translate("ml::captions", "Stop Strafe");
}
inline QString openPort() {
    return QCoreApplication::translate("ml::captions", "öffnen");
}
inline QString closePort() {
    return QCoreApplication::translate("ml::captions", "schliessen");
}
inline QString noPort() {
    return QCoreApplication::translate("ml::captions", "Kein Comport verfügbar");
}
// The program's name, the same in every language.
inline const QString kBoxTitle = QStringLiteral("Marklight");

} // namespace ml::captions
