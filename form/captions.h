#pragma once

// Captions that more than one place writes: the start and stop captions of the buttons that
// start and stop something, each defined once.

#include <QString>

namespace ml::captions {

inline const QString kStart = QStringLiteral("Start");
inline const QString kStop = QStringLiteral("Stop");
inline const QString kStartTimeout = QStringLiteral("Start Timeout");
inline const QString kStopTimeout = QStringLiteral("Stop Timeout");
inline const QString kStartPause = QStringLiteral("Start Pause");
inline const QString kStopPause = QStringLiteral("Stop Pause");
inline const QString kStartStrafe = QStringLiteral("Start Strafe");
inline const QString kStopStrafe = QStringLiteral("Stop Strafe");

} // namespace ml::captions
