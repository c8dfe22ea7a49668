#include "core/setting_table.h"

#include "form/fields.h"

#include <algorithm>
#include <type_traits>

namespace ml {

namespace {

QString onOff(int value) {
    return value ? QCoreApplication::translate("ml::DialogSetting", "ein")
                 : QCoreApplication::translate("ml::DialogSetting", "aus");
}

const int kSpeeds[] = {1200, 2400, 4800, 9600};

const Setting kSettings[] = {
    {"HornOn",
     "hornOn",
     0,
     1,
     {},
     [](int v) { return QCoreApplication::translate("ml::DialogSetting", "Hupe: ") + onOff(v); }},
    {"HornLength",
     "hornLengthMs",
     500,
     10000,
     {},
     [](int v) {
         return QCoreApplication::translate("ml::DialogSetting", "Hupe: Länge %1 s")
             .arg(QString::number(v / 1000.0, 'f', 1)
                      .replace(QLatin1Char('.'),
                               QCoreApplication::translate("ml::DialogSetting", ",",
                                                           "the decimal sign")));
     }},
    {"HornVolume",
     "hornVolume",
     0,
     100,
     {},
     [](int v) {
         return QCoreApplication::translate("ml::DialogSetting", "Hupe: Lautstärke %1 %").arg(v);
     }},
    {"StopAtZero",
     "stopClockAtZero",
     0,
     1,
     {},
     [](int v) {
         return v ? QCoreApplication::translate("ml::DialogSetting", "Hupe: Uhr bei 0:00 anhalten")
                  : QCoreApplication::translate("ml::DialogSetting",
                                                "Hupe: Uhr läuft unter 0:00 weiter");
     }},
    {"WebOn",
     "webOn",
     0,
     1,
     {},
     [](int v) {
         return QCoreApplication::translate("ml::DialogSetting", "Netzwerk: Webseiten ") + onOff(v);
     }},
    {"WebPort",
     "webPort",
     1,
     65535,
     {},
     [](int v) {
         return QCoreApplication::translate("ml::DialogSetting", "Netzwerk: Port %1").arg(v);
     }},
    {"WebNetwork",
     "webNetwork",
     0,
     1,
     {},
     [](int v) {
         return v ? QCoreApplication::translate("ml::DialogSetting",
                                                "Netzwerk: im Netzwerk der Halle")
                  : QCoreApplication::translate("ml::DialogSetting",
                                                "Netzwerk: nur auf diesem Computer");
     }},
    {"MqttOn",
     "mqttOn",
     0,
     1,
     {},
     [](int v) {
         return QCoreApplication::translate("ml::DialogSetting", "MQTT: Spielstand senden ") +
                onOff(v);
     }},
    {"MqttPort",
     "mqttPort",
     1,
     65535,
     {},
     [](int v) {
         return QCoreApplication::translate("ml::DialogSetting", "MQTT: Port %1").arg(v);
     }},
    {"MqttTls",
     "mqttTls",
     0,
     1,
     {},
     [](int v) {
         return QCoreApplication::translate("ml::DialogSetting", "MQTT: TLS ") + onOff(v);
     }},
    {"WindowScale", "windowScale", kWindowScales[0], kWindowScales[std::size(kWindowScales) - 1],
     kWindowScales},
    {"Line2Mirror", "line2Mirror", 0, 1},
    {"Line2Baud", "line2Baud", kSpeeds[0], kSpeeds[std::size(kSpeeds) - 1], kSpeeds},
};

} // namespace

std::span<const Setting> settingTable() {
    return kSettings;
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

bool isFlag(const Setting& setting) {
    return std::holds_alternative<bool& (*)(Form&)>(findField(QLatin1String(setting.name))->at);
}

bool takes(const Setting& setting, int value) {
    return value >= setting.min && value <= setting.max &&
           (setting.only.empty() ||
            std::find(setting.only.begin(), setting.only.end(), value) != setting.only.end());
}

int standardValue(const Setting& setting) {
    static const Form fresh;
    return settingValue(setting, fresh);
}

int settingValue(const Setting& setting, const Form& form) {
    const FieldValue v = valueOf(*findField(QLatin1String(setting.name)), form);
    return std::holds_alternative<bool>(v) ? int(std::get<bool>(v)) : std::get<int>(v);
}

void setSetting(const Setting& setting, Form& form, int value) {
    std::visit(
        [&form, value](auto at) {
            auto& field = at(form);
            if constexpr (std::is_same_v<std::decay_t<decltype(field)>, bool>)
                field = value != 0;
            else if constexpr (std::is_same_v<std::decay_t<decltype(field)>, int>)
                field = value;
        },
        findField(QLatin1String(setting.name))->at);
}

} // namespace ml
