// Marklight: the operator's window over the scoreboard core and the real serial port.

#include "app/main_window.h"
#include "app/qt_platform.h"
#include "core/program.h"
#include "serial/qt_serial_device.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Marklight"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.2"));
    QApplication::setDesktopFileName(QStringLiteral("marklight"));

    ml::app::QtClock clock;
    ml::app::QtDialogs dialogs;
    ml::app::QtShell shell;
    ml::QtSerialDevice serial;
    ml::Program program(clock, dialogs, shell, serial);

    ml::app::MainWindow window(program, clock);
    dialogs.setOwner(&window);
    program.serial.closeWindow = [&window] { window.close(); };
    window.show();
    program.start();
    window.sync();
    window.startTimers();
    return QApplication::exec();
}
