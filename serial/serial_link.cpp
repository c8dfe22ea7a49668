#include "serial/serial_link.h"

#include "serial/windows1252.h"

namespace ml {

namespace {

const QString kRightsHint = QStringLiteral(
    "Benutzer zur Gruppe dialout hinzufügen: sudo usermod -aG dialout $USER, dann neu anmelden");
const QString kAdapterHint = QStringLiteral(
    "Ist der Adapter eingesteckt und mit der Anzeigelinie verbunden? Danach unter Extras "
    "\"COM-Ports prüfen\" wählen. Unter Linux erscheint ein USB-Adapter als /dev/ttyUSB0 "
    "oder /dev/ttyACM0 (ls -l /dev/ttyUSB* /dev/ttyACM*).");

// The port number in an entry of the list, read from its fourth character on: blanks are
// skipped, the digits up to the first other character count, anything else gives 0. Only
// 0..255 is a port number; a larger value is no port either.
int portNumberOf(const QString& entry) {
    int n = 0;
    for (QChar c : entry.mid(3)) {
        if (c == QLatin1Char(' '))
            continue;
        if (!c.isDigit() || c.unicode() > '9')
            break;
        n = n * 10 + (c.unicode() - '0');
        if (n > 255)
            return 0;
    }
    return n;
}

} // namespace

SerialLink::SerialLink(Form& form, SerialDevice& device, Dialogs& dialogs, EventLog& log)
    : form_(form), device_(device), dialogs_(dialogs), log_(log), writer_(device) {
    device_.setDrainedHandler([this] {
        if (lineUp_ && !writer_.drained())
            deviceFailed(QStringLiteral("Schreibfehler"));
    });
    device_.setFailureHandler([this](const QString& reason) { deviceFailed(reason); });
}

SerialLink::~SerialLink() {
    device_.setDrainedHandler({});
    device_.setFailureHandler({});
}

void SerialLink::bindHandlers() {
    form_.OpenOutput.onClick = [this] { OpenOutput_Click(); };
    form_.check_comPorts.onClick = [this] { check_comPorts_Click(); };
    form_.Baud_1200.onClick = [this] { Baud_1200_Click(); };
    form_.Baud_2400.onClick = [this] { Baud_2400_Click(); };
    form_.Baud_4800.onClick = [this] { Baud_4800_Click(); };
    form_.Baud_9600.onClick = [this] { Baud_9600_Click(); };
}

void SerialLink::start() {
    Form& f = form_;
    f.Combo6.clear();
    f.Combo6.addItem(captions::kNoPort);
    f.Combo6.index = 0;
    checkSpeed(f.Baud_9600);
    f.PortOpen = false;
    f.PortClosedWarn = true;
    check_comPorts_Click();
}

void SerialLink::message(const QString& text) {
    dialogs_.messageBox(text, captions::kBoxTitle, Icon::None, Buttons::Ok);
}

bool SerialLink::PortTest(int port) {
    // A number the device refuses is a port that cannot be opened.
    if (!device_.setPortNumber(port))
        return false;
    const bool opened = device_.open();
    device_.close();
    return opened;
}

void SerialLink::check_comPorts_Click() {
    if (form_.PortOpen)
        OpenOutput_Click();
    log_.addLine(QStringLiteral(" +++ Vorhandene COM-Ports abfragen"));
    ComboBox& list = form_.Combo6;
    list.clear();
    denied_.clear();
    busy_.clear();
    for (int n = 1; n <= 16; ++n) {
        if (PortTest(n)) {
            list.addItem(QStringLiteral("COM %1").arg(n), device_.deviceName(n));
        } else if (device_.openBusy()) {
            busy_.append(busyText(n));
            log_.addLine(QStringLiteral(" +++ ") + busy_.last());
        } else if (device_.openDenied()) {
            denied_.append(device_.deviceName(n));
            log_.addLine(QStringLiteral(" +++ COM-Port %1 (%2): keine Berechtigung")
                             .arg(n)
                             .arg(denied_.last()));
        }
    }
    if (list.items.isEmpty()) {
        list.addItem(captions::kNoPort);
        log_.addLine(QStringLiteral(" +++ Kein Comport verfügbar"));
        if (!denied_.isEmpty())
            log_.addLine(QStringLiteral(" +++ ") + kRightsHint);
    } else {
        log_.addLine(QStringLiteral(" +++ %1 Comport(s) verfügbar").arg(list.items.size()));
    }
    list.index = 0;
}

void SerialLink::OpenOutput_Click() {
    const int n = portNumberOf(form_.Combo6.currentText());
    if (form_.PortOpen)
        closePort();
    else
        openPort(n);
}

void SerialLink::openPort(int n) {
    log_.addLine(QStringLiteral(" +++ Versuch den COM-Port %1 zu öffnen").arg(n));
    if (n == 0) {
        // Say what the operator can do: end the program that holds a port, get the rights to
        // the devices there are, or find the adapter.
        QStringList next;
        for (const QString& port : busy_)
            next.append(port + QLatin1Char('.'));
        if (!denied_.isEmpty())
            next << QStringLiteral("Vorhanden, aber ohne Berechtigung: ") +
                        denied_.join(QStringLiteral(", "))
                 << kRightsHint;
        if (next.isEmpty())
            next.append(kAdapterHint);
        message(QStringLiteral("Fehler! Sind eventuell keine COM-Ports vorhanden?\r\n\r\n") +
                next.join(QStringLiteral("\r\n")));
        log_.addLine(QStringLiteral(" +++ COM-Port 0 kann nicht geöffnet werden "));
        return;
    }
    bool opened = device_.setPortNumber(n);
    if (opened) {
        QString settings;
        if (form_.Baud_1200.checked)
            settings = QStringLiteral("1200,n,8,1");
        if (form_.Baud_2400.checked)
            settings = QStringLiteral("2400,n,8,1");
        if (form_.Baud_4800.checked)
            settings = QStringLiteral("4800,n,8,1");
        if (form_.Baud_9600.checked)
            settings = QStringLiteral("9600,n,8,1");
        device_.setSettings(settings);
        opened = device_.open();
    }
    if (!opened) {
        QString text = QStringLiteral(
            "Fehler! Sind eventuell keine COM-Ports vorhanden oder die Einstellungen falsch?");
        // Not the cable: another program has the port.
        if (device_.openBusy())
            text = QStringLiteral("Fehler! ") + busyText(n) + QLatin1Char('.');
        else if (device_.openDenied())
            text += QStringLiteral("\r\n\r\nKeine Berechtigung für %1.\r\n")
                        .arg(device_.deviceName(n)) +
                    kRightsHint;
        message(text);
        log_.addLine(QStringLiteral(" +++ COM-Port %1 kann nicht geöffnet werden").arg(n));
        return;
    }
    writer_.clear();
    lineUp_ = true;
    form_.setFault(Fault::Port, {});
    // Whatever the display shows now (it may have been unplugged, or the last write failed), the
    // first tick after the open sends the whole content again.
    form_.LastSent.clear();
    log_.addLine(QStringLiteral(" +++ COM-Port %1 wurde geöffnet").arg(n));
    form_.PortOpen = true;
    form_.OpenOutput.text = captions::kClosePort;
    form_.Combo6.enabled = false;
}

void SerialLink::closePort() {
    const int p = device_.portNumber();
    lineUp_ = false;
    writer_.clear();
    log_.addLine(QStringLiteral(" +++ Versuch den COM-Port %1 zu schließen").arg(p));
    if (!device_.close()) {
        message(QStringLiteral("Fehler beim Schließen des Ports %1").arg(p));
        log_.addLine(QStringLiteral(" +++ COM-Port %1 kann nicht geschlossen werden").arg(p));
    } else {
        log_.addLine(QStringLiteral(" +++ COM-Port %1 geschlossen").arg(p));
    }
    form_.PortOpen = false;
    form_.OpenOutput.text = captions::kOpenPort;
    form_.Combo6.enabled = true;
    form_.PortClosedWarn = true;
}

void SerialLink::deviceFailed(const QString& reason) {
    // Only the first report of an open port counts; a port being closed is already going.
    if (!lineUp_)
        return;
    lineUp_ = false;
    writer_.clear();
    const int p = device_.portNumber();
    // Said in the status line until a port is open again, never in a box: this may be the
    // middle of a tick, which goes on.
    form_.setFault(Fault::Port, QStringLiteral("COM-Port %1 ausgefallen: %2").arg(p).arg(reason));
    log_.addLine(QStringLiteral(" +++ COM-Port %1 ausgefallen: %2").arg(p).arg(reason));
    if (form_.PortOpen)
        closePort();
}

QString SerialLink::busyText(int n) const {
    return QStringLiteral("COM-Port %1 wird von einem anderen Programm benutzt (%2)")
        .arg(n)
        .arg(device_.deviceName(n));
}

void SerialLink::checkSpeed(MenuItem& item) {
    for (MenuItem* m : {&form_.Baud_1200, &form_.Baud_2400, &form_.Baud_4800, &form_.Baud_9600})
        m->checked = m == &item;
}

void SerialLink::Baud_1200_Click() {
    checkSpeed(form_.Baud_1200);
}

void SerialLink::Baud_2400_Click() {
    checkSpeed(form_.Baud_2400);
}

void SerialLink::Baud_4800_Click() {
    checkSpeed(form_.Baud_4800);
}

void SerialLink::Baud_9600_Click() {
    checkSpeed(form_.Baud_9600);
}

void SerialLink::output(const QString& transmission) {
    send(transmission, LineWriter::Kind::Latest);
}

void SerialLink::outputInOrder(const QString& transmission) {
    send(transmission, LineWriter::Kind::InOrder);
}

void SerialLink::send(const QString& transmission, LineWriter::Kind kind) {
    // Nothing goes out while a close or a failure report is under way (their message boxes let
    // the tick run on).
    if (!lineUp_ || !device_.isOpen())
        return;
    if (!writer_.write(toWindows1252(transmission), kind))
        deviceFailed(QStringLiteral("Schreibfehler"));
}

} // namespace ml
