#pragma once

// Captions and texts that more than one place writes, each defined once: the start and stop
// captions of the buttons that start and stop something, the port button and list, and the
// title of the program's message boxes.

#include <QString>

namespace ml::captions {

inline const QString kStart = QStringLiteral("Start");
inline const QString kStop = QStringLiteral("Stop");
inline const QString kStartTimeout = QStringLiteral("Start Timeout");
inline const QString kStopTimeout = QStringLiteral("Stop Timeout");
inline const QString kStartPause = QStringLiteral("Start Pause");
inline const QString kStopPause = QStringLiteral("Stop Pause");
inline const QString kStartPenalty = QStringLiteral("Start Strafe");
inline const QString kStopPenalty = QStringLiteral("Stop Strafe");
inline const QString kOpenPort = QStringLiteral("öffnen");
inline const QString kClosePort = QStringLiteral("schliessen");
inline const QString kNoPort = QStringLiteral("Kein Comport verfügbar");
inline const QString kBoxTitle = QStringLiteral("Marklight");

} // namespace ml::captions
