#include "core/dialog_settings.h"

#include "core/horn_signals.h"
#include "form/fields.h"

#include <type_traits>

namespace ml {

namespace {

QString onOff(int value) {
    return value ? QCoreApplication::translate("ml::DialogSetting", "ein")
                 : QCoreApplication::translate("ml::DialogSetting", "aus");
}

const DialogSetting kSettings[] = {
    {"HornOn", 0, 1,
     [](int v) { return QCoreApplication::translate("ml::DialogSetting", "Hupe: ") + onOff(v); }},
    {"HornLength", HornSignals::kMinLength, HornSignals::kMaxLength,
     [](int v) {
         return QCoreApplication::translate("ml::DialogSetting", "Hupe: Länge %1 s")
             .arg(QString::number(v / 1000.0, 'f', 1)
                      .replace(QLatin1Char('.'),
                               QCoreApplication::translate("ml::DialogSetting", ",",
                                                           "the decimal sign")));
     }},
    {"HornVolume", 0, 100,
     [](int v) {
         return QCoreApplication::translate("ml::DialogSetting", "Hupe: Lautstärke %1 %").arg(v);
     }},
    {"StopAtZero", 0, 1,
     [](int v) {
         return v ? QCoreApplication::translate("ml::DialogSetting", "Hupe: Uhr bei 0:00 anhalten")
                  : QCoreApplication::translate("ml::DialogSetting",
                                                "Hupe: Uhr läuft unter 0:00 weiter");
     }},
    {"WebOn", 0, 1,
     [](int v) {
         return QCoreApplication::translate("ml::DialogSetting", "Netzwerk: Webseiten ") + onOff(v);
     }},
    {"WebPort", 1, 65535,
     [](int v) {
         return QCoreApplication::translate("ml::DialogSetting", "Netzwerk: Port %1").arg(v);
     }},
    {"WebNetwork", 0, 1,
     [](int v) {
         return v ? QCoreApplication::translate("ml::DialogSetting",
                                                "Netzwerk: im Netzwerk der Halle")
                  : QCoreApplication::translate("ml::DialogSetting",
                                                "Netzwerk: nur auf diesem Computer");
     }},
};

} // namespace

std::span<const DialogSetting> dialogSettings() {
    return kSettings;
}

const DialogSetting* findDialogSetting(const QString& name) {
    for (const DialogSetting& s : kSettings)
        if (name == QLatin1String(s.name))
            return &s;
    return nullptr;
}

int settingValue(const DialogSetting& setting, const Form& form) {
    const FieldValue v = valueOf(*findField(QLatin1String(setting.name)), form);
    return std::holds_alternative<bool>(v) ? int(std::get<bool>(v)) : std::get<int>(v);
}

void setSetting(const DialogSetting& setting, Form& form, int value) {
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
