#include "serial/serial_link.h"

#include "serial/windows1252.h"

namespace ml {

namespace {

QString rightsHint() {
    return SerialLink::tr("Benutzer zur Gruppe dialout hinzufügen: sudo usermod -aG dialout $USER, "
                          "dann neu anmelden");
}

QString adapterHint() {
    return SerialLink::tr(
        "Ist der Adapter eingesteckt und mit der Anzeigelinie verbunden? Danach unter Extras "
        "\"COM-Ports prüfen\" wählen. Unter Linux erscheint ein USB-Adapter als /dev/ttyUSB0 "
        "oder /dev/ttyACM0 (ls -l /dev/ttyUSB* /dev/ttyACM*).");
}

} // namespace

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

QString deviceOfPort(const ComboBox& list, int n) {
    for (qsizetype i = 0; n > 0 && i < list.items.size(); ++i)
        if (portNumberOf(list.items[i]) == n)
            return list.notes.value(i);
    return {};
}

SerialLink::SerialLink(Form& form, SerialDevice& device, Dialogs& dialogs, EventLog& log,
                       SerialDevice* second)
    : form_(form), device_(device), dialogs_(dialogs), log_(log), first_(device) {
    device_.setDrainedHandler([this] {
        if (first_.up && !first_.writer.drained())
            deviceFailed(tr("Schreibfehler"));
    });
    device_.setFailureHandler([this](const QString& reason) { deviceFailed(reason); });
    if (second == nullptr)
        return;
    second_.emplace(*second);
    second->setDrainedHandler([this] {
        if (second_->up && !second_->writer.drained())
            secondFailed(tr("Schreibfehler"));
    });
    second->setFailureHandler([this](const QString& reason) { secondFailed(reason); });
}

SerialLink::~SerialLink() {
    device_.setDrainedHandler({});
    device_.setFailureHandler({});
    if (second_) {
        second_->device.setDrainedHandler({});
        second_->device.setFailureHandler({});
    }
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
    f.Combo6.addItem(captions::noPort());
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
    log_.addLine(tr(" +++ Vorhandene COM-Ports abfragen"));
    ComboBox& list = form_.Combo6;
    list.clear();
    denied_.clear();
    busy_.clear();
    for (int n = 1; n <= 16; ++n) {
        // The second line's own port is there: it is held by this program.
        if ((second_ && sameDevice(*second_, device_, n)) || PortTest(n)) {
            list.addItem(QStringLiteral("COM %1").arg(n), device_.deviceName(n));
        } else if (device_.openBusy()) {
            busy_.append(busyText(n));
            log_.addLine(QStringLiteral(" +++ ") + busy_.last());
        } else if (device_.openDenied()) {
            denied_.append(device_.deviceName(n));
            log_.addLine(
                tr(" +++ COM-Port %1 (%2): keine Berechtigung").arg(n).arg(denied_.last()));
        }
    }
    if (list.items.isEmpty()) {
        list.addItem(captions::noPort());
        log_.addLine(tr(" +++ Kein Comport verfügbar"));
        if (!denied_.isEmpty())
            log_.addLine(QStringLiteral(" +++ ") + rightsHint());
    } else {
        log_.addLine(tr(" +++ %1 Comport(s) verfügbar").arg(list.items.size()));
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
    log_.addLine(tr(" +++ Versuch den COM-Port %1 zu öffnen").arg(n));
    if (n == 0) {
        // Say what the operator can do: end the program that holds a port, get the rights to
        // the devices there are, or find the adapter.
        QStringList next;
        for (const QString& port : busy_)
            next.append(port + QLatin1Char('.'));
        if (!denied_.isEmpty())
            next << tr("Vorhanden, aber ohne Berechtigung: ") + denied_.join(QStringLiteral(", "))
                 << rightsHint();
        if (next.isEmpty())
            next.append(adapterHint());
        message(tr("Fehler! Sind eventuell keine COM-Ports vorhanden?\r\n\r\n") +
                next.join(QStringLiteral("\r\n")));
        log_.addLine(tr(" +++ COM-Port 0 kann nicht geöffnet werden "));
        return;
    }
    if (second_ && sameDevice(*second_, device_, n)) {
        message(tr("COM-Port %1 ist schon die zweite Anzeigelinie (%2).")
                    .arg(n)
                    .arg(second_->device.deviceName(form_.Line2Port)));
        log_.addLine(tr(" +++ COM-Port %1 kann nicht geöffnet werden").arg(n));
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
        message(openFailure(device_, n,
                            tr("Fehler! Sind eventuell keine COM-Ports vorhanden oder "
                               "die Einstellungen falsch?")));
        log_.addLine(tr(" +++ COM-Port %1 kann nicht geöffnet werden").arg(n));
        return;
    }
    first_.writer.clear();
    first_.up = true;
    form_.setFault(Fault::Port, {});
    // Whatever the display shows now (it may have been unplugged, or the last write failed), the
    // first tick after the open sends the whole content again.
    form_.LastSent.clear();
    log_.addLine(tr(" +++ COM-Port %1 wurde geöffnet").arg(n));
    form_.PortOpen = true;
    form_.OpenOutput.text = captions::closePort();
    form_.Combo6.enabled = false;
}

void SerialLink::closePort() {
    const int p = device_.portNumber();
    first_.up = false;
    first_.writer.clear();
    log_.addLine(tr(" +++ Versuch den COM-Port %1 zu schließen").arg(p));
    if (!device_.close()) {
        message(tr("Fehler beim Schließen des Ports %1").arg(p));
        log_.addLine(tr(" +++ COM-Port %1 kann nicht geschlossen werden").arg(p));
    } else {
        log_.addLine(tr(" +++ COM-Port %1 geschlossen").arg(p));
    }
    form_.PortOpen = false;
    form_.OpenOutput.text = captions::openPort();
    form_.Combo6.enabled = true;
    form_.PortClosedWarn = true;
}

void SerialLink::deviceFailed(const QString& reason) {
    // Only the first report of an open port counts; a port being closed is already going.
    if (!first_.up)
        return;
    first_.up = false;
    first_.writer.clear();
    const int p = device_.portNumber();
    // With two lines, which one failed.
    const QString line = form_.Line2Open ? tr("Anzeigelinie 1: ") : QString();
    // Said in the status line until a port is open again, never in a box: this may be the
    // middle of a tick, which goes on.
    form_.setFault(Fault::Port, line + tr("COM-Port %1 ausgefallen: %2").arg(p).arg(reason));
    log_.addLine(QStringLiteral(" +++ ") + line +
                 tr("COM-Port %1 ausgefallen: %2").arg(p).arg(reason));
    if (form_.PortOpen)
        closePort();
}

QString SerialLink::busyText(int n) const {
    return tr("COM-Port %1 wird von einem anderen Programm benutzt (%2)")
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
    send(first_, transmission, LineWriter::Kind::Latest);
}

void SerialLink::outputSecond(const QString& transmission) {
    if (second_)
        send(*second_, transmission, LineWriter::Kind::Latest);
}

void SerialLink::outputInOrder(const QString& transmission) {
    send(first_, transmission, LineWriter::Kind::InOrder);
    if (second_)
        send(*second_, transmission, LineWriter::Kind::InOrder);
}

void SerialLink::send(Line& line, const QString& transmission, LineWriter::Kind kind) {
    // Nothing goes out while a close or a failure report is under way (their message boxes let
    // the tick run on).
    if (!line.up || !line.device.isOpen())
        return;
    if (!line.writer.write(toWindows1252(transmission), kind))
        &line == &first_ ? deviceFailed(tr("Schreibfehler")) : secondFailed(tr("Schreibfehler"));
}

QString SerialLink::openFailure(SerialDevice& device, int n, const QString& first) const {
    // Not the cable: another program has the port.
    if (device.openBusy())
        return tr("Fehler! ") + busyText(n) + QLatin1Char('.');
    if (device.openDenied())
        return first + tr("\r\n\r\nKeine Berechtigung für %1.\r\n").arg(device.deviceName(n)) +
               rightsHint();
    return first;
}

bool SerialLink::sameDevice(const Line& open, SerialDevice& device, int n) const {
    if (!open.up)
        return false;
    const QString other = open.device.deviceKey(open.device.portNumber());
    return !other.isEmpty() && device.deviceKey(n) == other;
}

void SerialLink::setSecondLine(int n, bool mirror, int baud) {
    if (!second_)
        return;
    Form& f = form_;
    f.settings[SettingId::Line2Mirror] = mirror;
    const bool again =
        f.Line2Open && (n != f.Line2Port || baud != f.settings[SettingId::Line2Baud]);
    f.settings[SettingId::Line2Baud] = baud;
    if (again || (n == 0 && f.Line2Open))
        closeSecond();
    if (n > 0)
        f.Line2Port = n;
    if (n > 0 && !f.Line2Open)
        openSecond(n);
}

void SerialLink::openSecond(int n) {
    Line& line = *second_;
    SerialDevice& device = line.device;
    log_.addLine(tr(" +++ Anzeigelinie 2: Versuch den COM-Port %1 zu öffnen").arg(n));
    // The device itself decides: two paths may reach the first line's device.
    if (sameDevice(first_, device, n)) {
        message(tr("COM-Port %1 ist schon die erste Anzeigelinie (%2). Die zweite "
                   "Anzeigelinie braucht einen eigenen COM-Port.")
                    .arg(n)
                    .arg(device.deviceName(n)));
        log_.addLine(tr(" +++ Anzeigelinie 2: COM-Port %1 kann nicht geöffnet werden").arg(n));
        return;
    }
    bool opened = device.setPortNumber(n);
    if (opened) {
        device.setSettings(QStringLiteral("%1,n,8,1").arg(form_.settings[SettingId::Line2Baud]));
        opened = device.open();
    }
    if (!opened) {
        message(openFailure(device, n,
                            tr("Fehler! Die zweite Anzeigelinie kann COM-Port %1 "
                               "nicht öffnen.")
                                .arg(n)));
        log_.addLine(tr(" +++ Anzeigelinie 2: COM-Port %1 kann nicht geöffnet werden").arg(n));
        return;
    }
    line.writer.clear();
    line.up = true;
    form_.setFault(Fault::Line2, {});
    form_.Line2LastSent.clear();
    form_.Line2Open = true;
    log_.addLine(tr(" +++ Anzeigelinie 2: COM-Port %1 wurde geöffnet").arg(n));
}

void SerialLink::closeSecond() {
    Line& line = *second_;
    const int p = line.device.portNumber();
    line.up = false;
    line.writer.clear();
    if (line.device.close())
        log_.addLine(tr(" +++ Anzeigelinie 2: COM-Port %1 geschlossen").arg(p));
    else
        log_.addLine(tr(" +++ Anzeigelinie 2: COM-Port %1 kann nicht geschlossen werden").arg(p));
    form_.Line2Open = false;
}

// A pulled second line is said and closed; the first goes on as it was.
void SerialLink::secondFailed(const QString& reason) {
    if (!second_->up)
        return;
    second_->up = false;
    second_->writer.clear();
    const QString text =
        tr("Anzeigelinie 2: COM-Port %1 ausgefallen: %2").arg(form_.Line2Port).arg(reason);
    form_.setFault(Fault::Line2, text);
    log_.addLine(QStringLiteral(" +++ ") + text);
    closeSecond();
}

} // namespace ml
