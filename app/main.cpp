// Marklight: the operator's window over the scoreboard core and the real serial port.

#include "app/main_window.h"
#include "app/qt_horn.h"
#include "app/qt_platform.h"
#include "app/report/report_painter.h"
#include "app/second_line_dialog.h"
#include "app/web_dialog.h"
#include "app/window_menus.h"
#include "app/wire_monitor.h"
#include "core/keys.h"
#include "core/language.h"
#include "core/program.h"
#include "form/version.h"
#include "platform/qt_storage.h"
#include "serial/qt_serial_device.h"
#include "web/mqtt_publisher.h"
#include "web/web_server.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStandardPaths>

#include <cstdio>

namespace {

void describeOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(QCoreApplication::translate(
        "ml::app::main", "Steuert eine LED-Anzeigelinie (2 × 16 Zeichen) an einer seriellen "
                         "Schnittstelle als Scoreboard.\n"
                         "MARKLIGHT_PORTS=/dev/pts/4,,/dev/ttyUSB0 legt die Geräte der "
                         "COM-Ports 1, 2, 3 … fest."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(
        {QStringLiteral("web"),
         QCoreApplication::translate("ml::app::main",
                                     "Bietet die Webseiten für diesen Lauf an ADRESSE:PORT an "
                                     "(ohne ADRESSE 127.0.0.1), z. B. --web 8470 oder "
                                     "--web 0.0.0.0:8470, und nennt ihre Adressen, zuletzt "
                                     "die der Fernbedienung mit ihrem Schlüssel."),
         QCoreApplication::translate("ml::app::main", "[ADRESSE:]PORT")});
    parser.addOption({QStringLiteral("keys"),
                      QCoreApplication::translate(
                          "ml::app::main", "Nennt jeden Befehl mit seinen Standardtasten.")});
    parser.addOption(
        {QStringLiteral("mqtt"),
         QCoreApplication::translate(
             "ml::app::main",
             "Sendet den Spielstand für diesen Lauf an einen MQTT-Broker, unter "
             "marklight/HALLE/FELD/…; ohne mqtt:// oder mqtts:// mit TLS außer an Port 1883. "
             "Das Passwort kommt aus MARKLIGHT_MQTT_PASSWORD oder den Einstellungen."),
         QCoreApplication::translate("ml::app::main",
                                     "[mqtt://|mqtts://][BENUTZER@]HOST[:PORT]/HALLE/FELD")});
}

// The broker of `--mqtt`; the reason when it is given and not readable.
std::optional<QString> brokerOption(const QCommandLineParser& parser, ml::BrokerSettings& into) {
    if (!parser.isSet(QStringLiteral("mqtt")))
        return std::nullopt;
    if (const auto why = ml::parseBrokerUrl(parser.value(QStringLiteral("mqtt")), into))
        return why;
    // Never from the command line, which every user of the computer can read.
    into.password = qEnvironmentVariable("MARKLIGHT_MQTT_PASSWORD");
    return std::nullopt;
}

// The address of `--web`, when given and readable.
bool webAddress(const QCommandLineParser& parser, QHostAddress& address, quint16& port) {
    return parser.isSet(QStringLiteral("web")) &&
           ml::web::parseListenAddress(parser.value(QStringLiteral("web")), address, port);
}

QString configFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

QString dataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

// The language the settings choose ("Ansicht → Sprache"), or the system's, installed before any
// text of the program is made.
ml::Language installKeptLanguage() {
    ml::QtStorage kept(configFolder(), dataFolder());
    return ml::installLanguage(ml::languageFor(ml::keptLanguage(kept.readSettings())));
}

// --help, --version and --keys answer, and a --web or --mqtt that does not read is refused,
// before the window system is reached, so they work without a display: the exit code then.
// Options of Qt's own (-platform …) are left to QApplication.
std::optional<int> answeredEarly(int argc, char* argv[]) {
    QCoreApplication early(argc, argv);
    installKeptLanguage();
    QCommandLineParser parser;
    describeOptions(parser);
    parser.parse(QCoreApplication::arguments());
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp();
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    if (parser.isSet(QStringLiteral("keys"))) {
        std::fputs(qPrintable(ml::KeyTable().listText().remove(QLatin1Char('\r'))), stdout);
        return 0;
    }
    QHostAddress address;
    quint16 port = 0;
    if (parser.isSet(QStringLiteral("web")) && !webAddress(parser, address, port)) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(QCoreApplication::translate(
                         "ml::app::main",
                         "marklight: --web erwartet [ADRESSE:]PORT, z. B. 127.0.0.1:8470")));
        return 2;
    }
    ml::BrokerSettings broker;
    if (const auto why = brokerOption(parser, broker)) {
        std::fprintf(
            stderr, "%s\n",
            qPrintable(
                QCoreApplication::translate("ml::app::main", "marklight: --mqtt: %1").arg(*why)));
        return 2;
    }
    return std::nullopt;
}

// A dialog of the window, made at its first use; opened again, it comes to the front.
template <typename Dialog, typename Make> void showOnce(QPointer<Dialog>& dialog, Make make) {
    if (!dialog)
        dialog = make();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("Marklight"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(ml::kVersionText));
    if (const std::optional<int> code = answeredEarly(argc, argv))
        return *code;
    QApplication app(argc, argv);
    QApplication::setDesktopFileName(QStringLiteral("marklight"));
    const ml::Language language = installKeptLanguage();
    QCommandLineParser parser;
    describeOptions(parser);
    parser.process(app);

    ml::app::QtClock clock;
    ml::app::QtDialogs dialogs;
    ml::app::QtShell shell;
    ml::QtSerialDevice serial;
    ml::app::WireMonitor monitor(QCoreApplication::translate("ml::app::main", "Anzeige-Monitor"),
                                 QStringLiteral("Anzeige-Monitor"));
    ml::app::TappedSerialDevice device(serial,
                                       [&monitor](const QByteArray& b) { monitor.written(b); });
    // The second display line: a device of its own (its own lock) on the first one's ports.
    ml::QtSerialDevice serial2(&serial);
    ml::app::WireMonitor monitor2(QCoreApplication::translate("ml::app::main", "Anzeige-Monitor 2"),
                                  QStringLiteral("Anzeige-Monitor 2"));
    ml::app::TappedSerialDevice device2(serial2,
                                        [&monitor2](const QByteArray& b) { monitor2.written(b); });
    ml::app::QtHorn horn;
    // Settings in the configuration folder, the match state and records in the data folder.
    ml::QtStorage storage(configFolder(), dataFolder());
    ml::Program program(clock, dialogs, shell, device, horn, storage, &device2);
    program.languageMissing = language.missing;
    ml::PdfReport pdf;
    program.writer.pdf = &pdf;
    program.composer.rehearse = [&monitor](const QString& t) { monitor.rehearsed(t); };
    program.composer.rehearseSecond = [&monitor2](const QString& t) { monitor2.rehearsed(t); };

    ml::web::WebServer web(program, clock, dialogs, storage,
                           {monitor.decoder(), [&monitor] { return monitor.now(); }});
    web.language = language.code;
    QHostAddress webAt;
    quint16 webPort = 0;
    if (webAddress(parser, webAt, webPort))
        web.pin(webAt, webPort);
    ml::web::MqttPublisher mqtt(program, clock, storage, [&web] { return web.state(); });

    ml::app::MainWindow window(program);
    dialogs.setOwner(&window);
    program.closeWindow = [&window] { window.close(); };
    program.store.showForm = [&window] { window.sync(); };
    // The monitors join the window's own "Ansicht" menu, one for each line.
    QMenu* view = ml::app::formMenu(window.menuBar(), "view");
    view->addAction(QCoreApplication::translate("ml::app::main", "Anzeige-&Monitor"),
                    [&monitor] { monitor.show(); })
        ->setObjectName(QStringLiteral("Monitor"));
    view->addAction(QCoreApplication::translate("ml::app::main", "Anzeige-Monitor &2"),
                    [&monitor2] { monitor2.show(); })
        ->setObjectName(QStringLiteral("Monitor2"));
    QMenu* extras = ml::app::formMenu(window.menuBar(), "Extras");
    QPointer<ml::app::WebDialog> webDialog;
    extras
        ->addAction(QCoreApplication::translate("ml::app::main", "&Netzwerk…"),
                    [&] {
                        showOnce(webDialog, [&] {
                            return new ml::app::WebDialog(program, web, mqtt, storage, &window);
                        });
                    })
        ->setObjectName(QStringLiteral("WebSettings"));
    QPointer<ml::app::SecondLineDialog> lineDialog;
    extras
        ->addAction(QCoreApplication::translate("ml::app::main", "Zweite Anzeige&linie…"),
                    [&] {
                        showOnce(lineDialog, [&] {
                            return new ml::app::SecondLineDialog(
                                program, [&window] { window.scheduler().reschedule(); }, &window);
                        });
                    })
        ->setObjectName(QStringLiteral("SecondLine"));
    web.remote().windowBox = [] { return QApplication::activeModalWidget() != nullptr; };
    web.remote().changed = [&webDialog] {
        if (webDialog)
            webDialog->refresh();
    };
    mqtt.changed = web.remote().changed;
    window.show();
    program.start();
    if (ml::BrokerSettings broker; parser.isSet(QStringLiteral("mqtt"))) {
        brokerOption(parser, broker);
        mqtt.pin(broker);
    }
    if (web.pinned()) {
        // The pages' addresses, for whoever started Marklight with --web (a kiosk, a script),
        // and last the remote's with its key.
        for (const QString& url : web.pageUrls() + web.remoteUrls())
            std::printf("%s\n", qPrintable(url));
        std::fflush(stdout);
    }
    // The form as started, with the kept keys in the tool tips and menus.
    window.showKeys();
    window.startTimers();
    return QApplication::exec();
}
