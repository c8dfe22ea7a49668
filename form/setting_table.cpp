#include "form/setting_table.h"

#include <QCoreApplication>

#include <algorithm>

namespace ml {

namespace {

QString onOff(int value) {
    return value ? QCoreApplication::translate("ml::DialogSetting", "ein")
                 : QCoreApplication::translate("ml::DialogSetting", "aus");
}

constexpr int kSpeeds[] = {1200, 2400, 4800, 9600};

constexpr Setting kSettings[] = {
    {.id = SettingId::HornOn,
     .name = "HornOn",
     .key = "hornOn",
     .standard = 1,
     .flag = true,
     .said =
         [](int v) {
             return QCoreApplication::translate("ml::DialogSetting", "Hupe: ") + onOff(v);
         }},
    {.id = SettingId::HornLength,
     .name = "HornLength",
     .key = "hornLengthMs",
     .standard = 1500,
     .min = 500,
     .max = 10000,
     .said =
         [](int v) {
             return QCoreApplication::translate("ml::DialogSetting", "Hupe: Länge %1 s")
                 .arg(QString::number(v / 1000.0, 'f', 1)
                          .replace(QLatin1Char('.'),
                                   QCoreApplication::translate("ml::DialogSetting", ",",
                                                               "the decimal sign")));
         }},
    {.id = SettingId::HornVolume,
     .name = "HornVolume",
     .key = "hornVolume",
     .standard = 100,
     .max = 100,
     .said =
         [](int v) {
             return QCoreApplication::translate("ml::DialogSetting", "Hupe: Lautstärke %1 %")
                 .arg(v);
         }},
    {.id = SettingId::StopAtZero,
     .name = "StopAtZero",
     .key = "stopClockAtZero",
     .flag = true,
     .said =
         [](int v) {
             return v ? QCoreApplication::translate("ml::DialogSetting",
                                                    "Hupe: Uhr bei 0:00 anhalten")
                      : QCoreApplication::translate("ml::DialogSetting",
                                                    "Hupe: Uhr läuft unter 0:00 weiter");
         },
     .shownIn = ShownIn::Horn,
     .label = QT_TRANSLATE_NOOP("ml::DialogSetting", "Uhr bei 0:00 anhalten"),
     .tip = QT_TRANSLATE_NOOP("ml::DialogSetting",
                              "Die abwärts laufende Spielzeit bleibt bei 0:00 stehen, statt unter "
                              "null weiterzulaufen")},
    {.id = SettingId::WebOn,
     .name = "WebOn",
     .key = "webOn",
     .flag = true,
     .said =
         [](int v) {
             return QCoreApplication::translate("ml::DialogSetting", "Netzwerk: Webseiten ") +
                    onOff(v);
         }},
    {.id = SettingId::WebPort,
     .name = "WebPort",
     .key = "webPort",
     .standard = 8470,
     .min = 1,
     .max = 65535,
     .said =
         [](int v) {
             return QCoreApplication::translate("ml::DialogSetting", "Netzwerk: Port %1").arg(v);
         }},
    {.id = SettingId::WebNetwork,
     .name = "WebNetwork",
     .key = "webNetwork",
     .flag = true,
     .said =
         [](int v) {
             return v ? QCoreApplication::translate("ml::DialogSetting",
                                                    "Netzwerk: im Netzwerk der Halle")
                      : QCoreApplication::translate("ml::DialogSetting",
                                                    "Netzwerk: nur auf diesem Computer");
         }},
    {.id = SettingId::MqttOn,
     .name = "MqttOn",
     .key = "mqttOn",
     .flag = true,
     .said =
         [](int v) {
             return QCoreApplication::translate("ml::DialogSetting", "MQTT: Spielstand senden ") +
                    onOff(v);
         }},
    {.id = SettingId::MqttPort,
     .name = "MqttPort",
     .key = "mqttPort",
     .standard = 1883,
     .min = 1,
     .max = 65535,
     .said =
         [](int v) {
             return QCoreApplication::translate("ml::DialogSetting", "MQTT: Port %1").arg(v);
         }},
    {.id = SettingId::MqttTls,
     .name = "MqttTls",
     .key = "mqttTls",
     .flag = true,
     .said =
         [](int v) {
             return QCoreApplication::translate("ml::DialogSetting", "MQTT: TLS ") + onOff(v);
         }},
    {.id = SettingId::WindowScale,
     .name = "WindowScale",
     .key = "windowScale",
     .standard = 100,
     .min = kWindowScales[0],
     .max = kWindowScales[std::size(kWindowScales) - 1],
     .only = kWindowScales},
    {.id = SettingId::Line2Mirror, .name = "Line2Mirror", .key = "line2Mirror", .flag = true},
    {.id = SettingId::Line2Baud,
     .name = "Line2Baud",
     .key = "line2Baud",
     .standard = 9600,
     .min = kSpeeds[0],
     .max = kSpeeds[std::size(kSpeeds) - 1],
     .only = kSpeeds},
};

// Each row stands at its id's place, and there is a row for each id.
constexpr bool inIdOrder() {
    for (std::size_t i = 0; i < std::size(kSettings); ++i)
        if (kSettings[i].id != SettingId(i))
            return false;
    return std::size(kSettings) == kSettingCount;
}
static_assert(inIdOrder());

} // namespace

std::span<const Setting> settingTable() {
    return kSettings;
}

const Setting& settingRow(SettingId id) {
    return kSettings[std::size_t(id)];
}

const Setting* findSetting(const QString& name) {
    for (const Setting& s : kSettings)
        if (name == QLatin1String(s.name))
            return &s;
    return nullptr;
}

const Setting* findDialogSetting(const QString& name) {
    const Setting* s = findSetting(name);
    return s != nullptr && s->said != nullptr ? s : nullptr;
}

bool takes(const Setting& setting, int value) {
    return value >= setting.min && value <= setting.max &&
           (setting.only.empty() ||
            std::find(setting.only.begin(), setting.only.end(), value) != setting.only.end());
}

SettingValues::SettingValues() {
    for (const Setting& s : kSettings)
        values_[std::size_t(s.id)] = s.standard;
}

} // namespace ml
