// Marklight: the operator's window over the scoreboard core and the real serial port.

#include "app/main_window.h"
#include "app/qt_horn.h"
#include "app/qt_platform.h"
#include "app/wire_monitor.h"
#include "console/version.h"
#include "core/program.h"
#include "platform/qt_storage.h"
#include "serial/qt_serial_device.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMenuBar>
#include <QStandardPaths>

namespace {

void describeOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Steuert eine LED-Anzeigelinie (2 × 16 Zeichen) an einer seriellen "
                       "Schnittstelle als Scoreboard.\n"
                       "MARKLIGHT_PORTS=/dev/pts/4,,/dev/ttyUSB0 legt die Geräte der "
                       "COM-Ports 1, 2, 3 … fest."));
    parser.addHelpOption();
    parser.addVersionOption();
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("Marklight"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(ml::kVersionText));
    {
        // --help and --version answer before the window system is reached, so they work
        // without a display. Options of Qt's own (-platform …) are left to QApplication.
        QCoreApplication early(argc, argv);
        QCommandLineParser parser;
        describeOptions(parser);
        parser.parse(QCoreApplication::arguments());
        if (parser.isSet(QStringLiteral("help")))
            parser.showHelp();
        if (parser.isSet(QStringLiteral("version")))
            parser.showVersion();
    }
    QApplication app(argc, argv);
    QApplication::setDesktopFileName(QStringLiteral("marklight"));
    QCommandLineParser parser;
    describeOptions(parser);
    parser.process(app);

    ml::app::QtClock clock;
    ml::app::QtDialogs dialogs;
    ml::app::QtShell shell;
    ml::QtSerialDevice serial;
    ml::app::WireMonitor monitor;
    ml::app::TappedSerialDevice device(serial,
                                       [&monitor](const QByteArray& b) { monitor.written(b); });
    ml::app::QtHorn horn;
    // Settings in the configuration folder, the match state and records in the data folder.
    ml::QtStorage storage(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
                          QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    ml::Program program(clock, dialogs, shell, device, horn, storage);
    program.composer.rehearse = [&monitor](const QString& t) { monitor.rehearsed(t); };

    ml::app::MainWindow window(program, clock);
    dialogs.setOwner(&window);
    program.closeWindow = [&window] { window.close(); };
    program.store.showForm = [&window] { window.sync(); };
    // The monitor joins the window's own "Ansicht" menu.
    for (QAction* a : window.menuBar()->actions())
        if (a->objectName() == QLatin1String("Ansicht"))
            a->menu()->addAction(QStringLiteral("Anzeige-&Monitor"),
                                 [&monitor] { monitor.show(); });
    window.show();
    program.start();
    window.sync();
    window.startTimers();
    return QApplication::exec();
}
