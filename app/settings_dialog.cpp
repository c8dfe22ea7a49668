#include "app/settings_dialog.h"

#include "core/setting_table.h"

namespace ml::app {

SettingsDialog::SettingsDialog(Program& program, std::function<void()> changed, QWidget* parent)
    : QDialog(parent), program_(program), changed_(std::move(changed)) {
    program_.afterStep.push_back([this](const Changes& changes) { apply(changes); });
    reader_ = program_.afterStep.size() - 1;
}

SettingsDialog::~SettingsDialog() {
    program_.afterStep[reader_] = [](const Changes&) {};
}

void SettingsDialog::change(const char* name, int value) {
    program_.setting(QLatin1String(name), value);
    if (changed_)
        changed_();
}

void SettingsDialog::bind(const char* name, std::function<void(int value)> show) {
    show(settingValue(*findSetting(QLatin1String(name)), program_.form));
    shows_.emplace_back(name, std::move(show));
}

void SettingsDialog::apply(const Changes& changes) {
    bool any = false;
    for (const auto& [name, show] : shows_)
        if (changes.has(name)) {
            show(settingValue(*findSetting(QLatin1String(name)), program_.form));
            any = true;
        }
    if (any)
        shown();
}

} // namespace ml::app
