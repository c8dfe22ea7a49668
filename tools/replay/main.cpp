// marklight-replay: drives the real program core with the fake platform from a script and prints
// what happens. One command a line; see docs/replay.md for the commands and the output.

#include "app/report/report_painter.h"
#include "tools/replay/script_runner.h"

#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

namespace {

using namespace ml;

void print(const QString& line) {
    const QByteArray utf8 = line.toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<size_t>(utf8.size()), stdout);
    std::fputc('\n', stdout);
}

} // namespace

int main(int argc, char** argv) {
    // The translations (`language`) are the application's; the report's PDF is drawn with the
    // fonts of Qt's painting, which needs no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString first = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        std::fputs(ScriptRunner::usage().toUtf8().constData(), stdout);
        return 0;
    }
    if (argc > 2 || first.startsWith(QLatin1Char('-'))) {
        std::fputs(ScriptRunner::usage().toUtf8().constData(), stderr);
        return 2;
    }
    QFile file;
    if (argc == 2) {
        file.setFileName(first);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            std::fprintf(stderr, "marklight-replay: cannot read %s\n", argv[1]);
            return 2;
        }
    } else if (!file.open(stdin, QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "marklight-replay: cannot read standard input\n");
        return 2;
    }
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    ScriptRunner replay(print);
    PdfReport pdf;
    replay.pdf = &pdf;
    int lineNo = 0;
    while (!in.atEnd()) {
        const QString raw = in.readLine();
        ++lineNo;
        QString line = raw;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.trimmed().startsWith(QLatin1Char('#')))
            continue;
        // The command first, so that the output reads as a transcript.
        print(QStringLiteral("> ") + line);
        QString error;
        if (!replay.run(line, error)) {
            std::fflush(stdout);
            std::fprintf(stderr, "line %d: %s\n", lineNo, error.toUtf8().constData());
            return 2;
        }
    }
    std::fflush(stdout);
    return 0;
}
