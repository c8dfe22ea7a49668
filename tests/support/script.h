#pragma once

// A script of replay lines run against the whole program core, as the table tests write them:
// one line each, indented as the table likes; what it prints is kept without the serial port's
// lines.

#include "tools/replay/script_runner.h"

namespace ml::test {

struct Script {
    QStringList printed;
    ScriptRunner runner{[this](const QString& line) {
        if (!line.startsWith(QLatin1String("serial")))
            printed << line;
    }};

    // Runs the lines; "error: …" for the first wrong one, else what they printed.
    QString run(const char* script) {
        for (const QString& line : QString::fromUtf8(script).split(QLatin1Char('\n'))) {
            QString error;
            if (!line.trimmed().isEmpty() && !runner.run(line.trimmed(), error))
                return QStringLiteral("error: ") + error;
        }
        return printed.join(QLatin1Char('\n'));
    }
};

} // namespace ml::test
