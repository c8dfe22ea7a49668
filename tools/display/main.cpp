// marklight-display: shows what a display line shows, from the bytes on its wire. Reads a serial
// port (read only) or standard input; shows the monitor window, or prints each change as text
// with --text.

#include "app/monitor/led_monitor.h"
#include "core/language.h"
#include "form/version.h"
#include "tools/display/line_source.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>
#include <QTime>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>

namespace ml::display {
namespace {

// The texts are marked for lupdate where they stand and translated here.
QString translated(const char* text) {
    return QCoreApplication::translate("Display", text);
}

QString stamp() {
    return QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz"));
}

// Prints the display line as two rows between bars whenever what it shows changes.
class TextOutput {
  public:
    explicit TextOutput(LineSource& source) : source_(source) {
        animation_.setInterval(kScrollStepMs);
        QObject::connect(&animation_, &QTimer::timeout, [this] { report(); });
        source.onBurst = [this] { report(); };
        source.onNote = [this](const QString& note) { line(stamp() + QLatin1Char(' ') + note); };
    }

    void report() {
        const LineDecoder& d = source_.decoder();
        const qint64 now = source_.now();
        if (d.skipped() != skipped_) {
            line(
                translated(QT_TRANSLATE_NOOP("Display", "%1 übersprungen: %2 Bytes (insgesamt %3)"))
                    .arg(stamp())
                    .arg(d.skipped() - skipped_)
                    .arg(d.skipped()));
            skipped_ = d.skipped();
        }
        const std::array<QString, 2> rows =
            visibleRows(d.state(), now, QTime::currentTime().toString(QStringLiteral("hh:mm:ss")));
        const bool blinking = d.blinking(now);
        const bool moving = animated(d.state()) || blinking;
        if (moving != animation_.isActive())
            moving ? animation_.start() : animation_.stop();
        if (shown_ && rows == rows_ && d.state().brightness == brightness_ && blinking == blinking_)
            return;
        shown_ = true;
        rows_ = rows;
        brightness_ = d.state().brightness;
        blinking_ = blinking;
        const QString time = stamp();
        line(translated(QT_TRANSLATE_NOOP("Display", "%1 |%2| Helligkeit %3%4"))
                 .arg(time, rows[0])
                 .arg(brightness_)
                 .arg(blinking ? translated(QT_TRANSLATE_NOOP("Display", ", blinkt")) : QString()));
        line(QStringLiteral("%1 |%2|").arg(QString(time.size(), QLatin1Char(' ')), rows[1]));
    }

  private:
    void line(const QString& text) {
        out_ << text << '\n';
        out_.flush();
    }

    LineSource& source_;
    QTimer animation_;
    QTextStream out_{stdout};
    std::array<QString, 2> rows_;
    int brightness_ = 0;
    bool blinking_ = false;
    bool shown_ = false;
    quint64 skipped_ = 0;
};

// The monitor window, with what is wrong with the line in its corner.
class WindowOutput {
  public:
    WindowOutput(LineSource& source, const QString& device)
        : source_(source), monitor_(source.decoder(), [&source] { return source.now(); }) {
        monitor_.setWindowTitle(
            translated(QT_TRANSLATE_NOOP("Display", "Anzeige-Monitor – %1")).arg(device));
        source.onBurst = [this] {
            if (source_.decoder().skipped() != 0 && device_.isEmpty())
                monitor_.setNote(translated(QT_TRANSLATE_NOOP("Display", "übersprungen: %1 Bytes"))
                                     .arg(source_.decoder().skipped()));
            monitor_.refresh();
        };
        source.onNote = [this](const QString& note) {
            device_ = source_.deviceOpen() ? QString() : note;
            monitor_.setNote(device_);
        };
        monitor_.show();
    }

  private:
    LineSource& source_;
    monitor::LedMonitor monitor_;
    QString device_;
};

} // namespace
} // namespace ml::display

int main(int argc, char* argv[]) {
    // The window needs a display; the text, the help and the version do not.
    const bool textOnly = std::any_of(argv + 1, argv + argc, [](const char* a) {
        for (const char* option : {"--text", "-h", "-?", "--help", "--help-all", "-v", "--version"})
            if (qstrcmp(a, option) == 0)
                return true;
        return false;
    });
    std::unique_ptr<QCoreApplication> app = textOnly
                                                ? std::make_unique<QCoreApplication>(argc, argv)
                                                : std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("marklight-display"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(ml::kVersionText));
    // The system's language, as the desk's own default (German, or English from its translation).
    ml::installLanguage(ml::languageFor(QString()));

    QCommandLineParser parser;
    parser.setApplicationDescription(ml::display::translated(QT_TRANSLATE_NOOP(
        "Display", "Zeigt, was eine Anzeigezeile an ihrer seriellen Leitung empfängt.")));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption baud(
        QStringLiteral("baud"),
        ml::display::translated(QT_TRANSLATE_NOOP("Display", "Baudrate (1200, 2400, 4800, 9600).")),
        QStringLiteral("N"), QStringLiteral("9600"));
    const QCommandLineOption textOption(
        QStringLiteral("text"), ml::display::translated(QT_TRANSLATE_NOOP(
                                    "Display", "Jede Änderung als zwei Textzeilen ausgeben.")));
    parser.addOption(baud);
    parser.addOption(textOption);
    parser.addPositionalArgument(
        QStringLiteral("DEVICE"),
        ml::display::translated(
            QT_TRANSLATE_NOOP("Display", "Serielles Gerät, oder - für die Standardeingabe.")));
    parser.process(*app);
    bool ok = false;
    const int rate = parser.value(baud).toInt(&ok);
    if (parser.positionalArguments().size() != 1 || !ok || rate <= 0) {
        std::fputs(qPrintable(parser.helpText()), stderr);
        return 2;
    }

    const QString device = parser.positionalArguments().first();
    ml::display::LineSource source(device, rate);
    std::unique_ptr<ml::display::TextOutput> text;
    std::unique_ptr<ml::display::WindowOutput> window;
    if (parser.isSet(textOption)) {
        text = std::make_unique<ml::display::TextOutput>(source);
        source.onEnd = [] { QCoreApplication::quit(); };
    } else {
        window = std::make_unique<ml::display::WindowOutput>(source, device);
    }
    source.start();
    return QCoreApplication::exec();
}
