#include "core/settings_store.h"

#include "core/broker_settings.h"
#include "core/language.h"
#include "core/match_report.h"
#include "form/number_text.h"
#include "form/setting_table.h"
#include "match/time_values.h"
#include "serial/serial_link.h"

#include <QRegularExpression>

#include <algorithm>

namespace ml {

namespace {

const QString kBaud = QStringLiteral("baud");
const QString kBrightness = QStringLiteral("brightness");
const QString kMirror = QStringLiteral("mirror");
const QString kCountDown = QStringLiteral("countDown");
const QString kStartValue = QStringLiteral("startValue");
const QString kTimeout = QStringLiteral("timeoutLength");
const QString kBreak = QStringLiteral("breakLength");
const QString kPenaltyLeft = QStringLiteral("penaltyLeft");
const QString kPenaltyRight = QStringLiteral("penaltyRight");
const QString kHome = QStringLiteral("homeName");
const QString kGuest = QStringLiteral("guestName");
const QString kPort = QStringLiteral("portDevice");
const QString kLanguage = QStringLiteral("language");
const QString kHall = QStringLiteral("hall");
const QString kHomeColour = QStringLiteral("homeColour");
const QString kGuestColour = QStringLiteral("guestColour");
const QString kTeamNames = QStringLiteral("teamNames/");
const QString kLine2Port = QStringLiteral("line2Device");
const QString kRemoteOn = QStringLiteral("remoteOn");
const QString kSport = QStringLiteral("sport");
const QString kMqttHost = QStringLiteral("mqttHost");
const QString kMqttCaFile = QStringLiteral("mqttCaFile");
const QString kMqttUser = QStringLiteral("mqttUser");
const QString kMqttHall = QStringLiteral("mqttHall");
const QString kMqttCourt = QStringLiteral("mqttCourt");

bool printable(const QString& text, qsizetype maxLength) {
    if (text.size() > maxLength)
        return false;
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    return true;
}

bool nameText(const QString& text) {
    return printable(text, 64);
}

bool deviceText(const QString& text) {
    return !text.isEmpty() && printable(text, 256);
}

// A hall's or court's name, or none yet.
bool topicNameOrNone(const QString& text) {
    return text.isEmpty() || topicName(text);
}

bool speed(int baud) {
    return baud == 1200 || baud == 2400 || baud == 4800 || baud == 9600;
}

// Settings files hold texts: "true" and "false" are the only flags.
std::optional<bool> flagOf(const QVariant& v) {
    const QString text = v.toString();
    if (text == QLatin1String("true"))
        return true;
    if (text == QLatin1String("false"))
        return false;
    return std::nullopt;
}

std::optional<int> wholeOf(const QVariant& v) {
    bool ok = false;
    const int n = v.toString().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

void takeText(const QVariantMap& values, const QString& key, bool (*valid)(const QString&),
              QString& into) {
    const QVariant v = values.value(key);
    if (v.typeId() == QMetaType::QString && valid(v.toString()))
        into = v.toString();
}

} // namespace

bool lengthText(const QString& text) {
    const std::optional<double> v = readNumber(text);
    return text.size() <= 10 && v && *v >= 0 && countInRange(*v * 60);
}

Settings Settings::fromValues(const QVariantMap& values, bool* keysRead) {
    Settings s;
    const std::optional<KeyTable> table = KeyTable::fromValues(values);
    if (table)
        s.keys = *table;
    if (keysRead != nullptr)
        *keysRead = table.has_value();
    if (const auto b = wholeOf(values.value(kBaud)); b && speed(*b))
        s.baud = *b;
    if (const auto b = wholeOf(values.value(kBrightness)); b && *b >= 1 && *b <= 3)
        s.brightness = *b;
    if (const auto m = flagOf(values.value(kMirror)))
        s.mirror = *m;
    if (const auto d = flagOf(values.value(kCountDown)))
        s.countDown = *d;
    for (const Setting& row : settingTable()) {
        const QVariant v = values.value(QLatin1String(row.key));
        const std::optional<int> n = row.flag ? std::optional<int>(flagOf(v)) : wholeOf(v);
        if (n && takes(row, *n))
            s.numbers[row.id] = *n;
    }
    if (const auto r = flagOf(values.value(kRemoteOn)))
        s.remoteOn = *r;
    takeText(values, kStartValue, lengthText, s.startValue);
    takeText(values, kTimeout, lengthText, s.timeoutLength);
    takeText(values, kBreak, lengthText, s.breakLength);
    takeText(values, kPenaltyLeft, lengthText, s.penaltyLeft);
    takeText(values, kPenaltyRight, lengthText, s.penaltyRight);
    takeText(values, kHome, nameText, s.home);
    takeText(values, kGuest, nameText, s.guest);
    s.language = keptLanguage(values);
    for (int i = 1; i <= kTeamNamesKept; ++i) {
        const QVariant v = values.value(kTeamNames + QString::number(i));
        if (v.typeId() == QMetaType::QString && nameText(v.toString()) && !v.toString().isEmpty())
            s.teamNames.append(v.toString());
    }
    takeText(
        values, kSport,
        [](const QString& t) {
            static const QRegularExpression id(QStringLiteral("^[a-z0-9-]{1,32}$"));
            return id.match(t).hasMatch();
        },
        s.sport);
    takeText(values, kPort, deviceText, s.port);
    takeText(values, kHall, nameText, s.hall);
    takeText(values, kHomeColour, colourText, s.homeColour);
    takeText(values, kGuestColour, colourText, s.guestColour);
    takeText(values, kLine2Port, deviceText, s.line2Port);
    takeText(values, kMqttHost, brokerHost, s.mqttHost);
    takeText(values, kMqttCaFile, brokerText, s.mqttCaFile);
    takeText(values, kMqttUser, brokerText, s.mqttUser);
    takeText(values, kMqttHall, topicNameOrNone, s.mqttHall);
    takeText(values, kMqttCourt, topicNameOrNone, s.mqttCourt);
    return s;
}

QVariantMap Settings::toValues() const {
    const auto flag = [](bool b) { return b ? QStringLiteral("true") : QStringLiteral("false"); };
    QVariantMap v{
        {kBaud, QString::number(baud)},
        {kBrightness, QString::number(brightness)},
        {kMirror, flag(mirror)},
        {kCountDown, flag(countDown)},
        {kStartValue, startValue},
        {kTimeout, timeoutLength},
        {kBreak, breakLength},
        {kPenaltyLeft, penaltyLeft},
        {kPenaltyRight, penaltyRight},
        {kHome, home},
        {kGuest, guest},
        {kLanguage, language},
        {kRemoteOn, flag(remoteOn)},
        {kSport, sport},
        {kMqttHost, mqttHost},
        {kMqttCaFile, mqttCaFile},
        {kMqttUser, mqttUser},
        {kMqttHall, mqttHall},
        {kMqttCourt, mqttCourt},
    };
    if (!port.isEmpty())
        v.insert(kPort, port);
    if (!line2Port.isEmpty())
        v.insert(kLine2Port, line2Port);
    if (!hall.isEmpty())
        v.insert(kHall, hall);
    if (!homeColour.isEmpty())
        v.insert(kHomeColour, homeColour);
    if (!guestColour.isEmpty())
        v.insert(kGuestColour, guestColour);
    for (const Setting& row : settingTable())
        v.insert(QLatin1String(row.key),
                 row.flag ? flag(numbers[row.id]) : QString::number(numbers[row.id]));
    keys.store(v);
    for (qsizetype i = 0; i < teamNames.size(); ++i)
        v.insert(kTeamNames + QString::number(i + 1), teamNames[i]);
    return v;
}

void SettingsStore::click(MenuItem& item) {
    if (item.onClick)
        item.onClick();
}

void SettingsStore::apply(const Settings& s) {
    Form& f = form_;
    click(s.baud == 1200   ? f.Baud_1200
          : s.baud == 2400 ? f.Baud_2400
          : s.baud == 4800 ? f.Baud_4800
                           : f.Baud_9600);
    click(s.brightness == 3 ? f.br_high : s.brightness == 2 ? f.br_med : f.br_low);
    if (f.miror.checked != s.mirror)
        click(f.miror);
    click(s.countDown ? f.Mode_down : f.Mode_up);
    f.Startwert.text = s.startValue;
    f.TimeoutValue.text = s.timeoutLength;
    f.BreakValue.text = s.breakLength;
    f.ValStrafeL.text = s.penaltyLeft;
    f.ValStrafeR.text = s.penaltyRight;
    f.Text_l.text = s.home;
    f.Text_r.text = s.guest;
    // An open second line keeps the speed it was opened with.
    const int line2Baud = f.settings[SettingId::Line2Baud];
    f.settings = s.numbers;
    if (f.Line2Open)
        f.settings[SettingId::Line2Baud] = line2Baud;
    f.remoteOn.checked = s.remoteOn;
    // The same adapter under whatever number it has today; not opened by itself.
    const qsizetype entry = s.port.isEmpty() ? -1 : f.Combo6.notes.indexOf(s.port);
    if (entry >= 0 && !f.PortOpen)
        f.Combo6.index = static_cast<int>(entry);
    keys_ = s.keys;
    f.Language = s.language;
    f.TeamNames = s.teamNames;
    setBrokerTexts(
        f, {false, s.mqttHost, 0, false, s.mqttCaFile, s.mqttUser, {}, s.mqttHall, s.mqttCourt});
    f.Hall = s.hall;
    f.HomeColour = s.homeColour;
    f.GuestColour = s.guestColour;
    if (!f.Line2Open) {
        const qsizetype line2 = s.line2Port.isEmpty() ? -1 : f.Combo6.notes.indexOf(s.line2Port);
        f.Line2Port = line2 >= 0 ? portNumberOf(f.Combo6.items[line2]) : 0;
    }
}

Settings SettingsStore::fromForm() const {
    const Form& f = form_;
    Settings s = kept_;
    s.baud = f.Baud_1200.checked   ? 1200
             : f.Baud_2400.checked ? 2400
             : f.Baud_4800.checked ? 4800
                                   : 9600;
    s.brightness = f.brightness();
    s.mirror = f.miror.checked;
    s.countDown = f.Mode_down.checked;
    for (const Setting& row : settingTable())
        if (const int n = f.settings[row.id]; takes(row, n))
            s.numbers[row.id] = n;
    s.remoteOn = f.remoteOn.checked;
    s.sport = f.Sport;
    const auto take = [](const QString& text, bool (*valid)(const QString&), QString& into) {
        if (valid(text))
            into = text;
    };
    take(f.Startwert.text, lengthText, s.startValue);
    take(f.TimeoutValue.text, lengthText, s.timeoutLength);
    take(f.BreakValue.text, lengthText, s.breakLength);
    take(f.ValStrafeL.text, lengthText, s.penaltyLeft);
    take(f.ValStrafeR.text, lengthText, s.penaltyRight);
    take(f.Text_l.text, nameText, s.home);
    take(f.Text_r.text, nameText, s.guest);
    take(f.Hall, nameText, s.hall);
    s.homeColour = colourText(f.HomeColour) ? f.HomeColour : QString();
    s.guestColour = colourText(f.GuestColour) ? f.GuestColour : QString();
    const QString device = f.Combo6.notes.value(f.Combo6.index);
    if (!device.isEmpty())
        s.port = device;
    s.keys = keys_;
    s.language = keptLanguage({{kLanguage, f.Language}});
    s.teamNames.clear();
    for (const QString& name : f.TeamNames)
        if (nameText(name))
            s.teamNames.append(name);
    if (const QString line2 = deviceOfPort(f.Combo6, f.Line2Port); !line2.isEmpty())
        s.line2Port = line2;
    take(f.MqttHost, brokerHost, s.mqttHost);
    take(f.MqttCaFile, brokerText, s.mqttCaFile);
    take(f.MqttUser, brokerText, s.mqttUser);
    take(f.MqttHall, topicNameOrNone, s.mqttHall);
    take(f.MqttCourt, topicNameOrNone, s.mqttCourt);
    return s;
}

void SettingsStore::bindHandlers() {
    form_.ResetSettings.onClick = [this] { ResetSettings_Click(); };
}

void SettingsStore::start() {
    if (const std::optional<QByteArray> own = storage_.readSports())
        if (const std::optional<QString> why = sports_.setOwn(*own))
            log_.addLine(tr(" +++ Eigene Sportarten nicht lesbar (%1), es gelten die eingebauten")
                             .arg(*why));
    if (!restore())
        log_.addLine(tr(" +++ Tastenbelegung in den Einstellungen unlesbar: es gelten "
                        "die Standardtasten"));
    if (!sports_.has(form_.Sport))
        form_.Sport = QStringLiteral("frei");
    if (storage_.guardRemoteKey())
        log_.addLine(tr(" +++ Die Schlüsseldatei der Fernbedienung war auch für andere lesbar; "
                        "jetzt darf nur noch dieser Benutzer sie lesen"));
}

void SettingsStore::afterStep() {
    const qint64 nowMs = clock_.monotonicMs();
    if (nowMs - lastTryMs_ < 1000)
        return;
    lastTryMs_ = nowMs;
    if (!storage_.fault(Storage::Kept::Settings).isEmpty())
        keep(true);
}

void SettingsStore::keepSports() {
    storage_.writeSports(sports_.ownFile());
}

bool SettingsStore::restore() {
    bool keysRead = true;
    kept_ = Settings::fromValues(storage_.readSettings(), &keysRead);
    apply(kept_);
    // The sport is the match's: "Einstellungen zurücksetzen" leaves it as it is.
    form_.Sport = kept_.sport;
    if (!keysRead)
        keep(true);
    return keysRead;
}

void SettingsStore::keep(bool again) {
    const Settings now = fromForm();
    if (now == kept_ && !again)
        return;
    kept_ = now;
    storage_.writeSettings(now.toValues());
}

void SettingsStore::ResetSettings_Click() {
    apply(Settings());
    if (!form_.PortOpen)
        form_.Combo6.index = 0;
    kept_ = Settings();
    kept_ = fromForm();
    storage_.writeSettings(kept_.toValues());
}

} // namespace ml
