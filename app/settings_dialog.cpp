#include "app/settings_dialog.h"

#include "form/setting_table.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QSignalBlocker>
#include <QSpinBox>

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
    show(program_.form.settings[findSetting(QLatin1String(name))->id]);
    shows_.emplace_back(name, std::move(show));
}

void SettingsDialog::addTableRows(QFormLayout* form, ShownIn dialog) {
    for (const Setting& s : settingTable()) {
        if (s.shownIn != dialog || s.label == nullptr)
            continue;
        const QString label = QCoreApplication::translate("ml::DialogSetting", s.label);
        const QString tip =
            s.tip ? QCoreApplication::translate("ml::DialogSetting", s.tip) : QString();
        const char* name = s.name;
        if (s.flag) {
            auto* box = new QCheckBox(label, this);
            box->setObjectName(QLatin1String(name));
            box->setToolTip(tip);
            bind(name, [box](int value) {
                const QSignalBlocker quiet(box);
                box->setChecked(value != 0);
            });
            connect(box, &QCheckBox::toggled, this,
                    [this, name](bool checked) { change(name, checked); });
            form->addRow(box);
            continue;
        }
        auto* number = new QSpinBox(this);
        number->setObjectName(QLatin1String(name));
        number->setToolTip(tip);
        number->setRange(s.min, s.max);
        number->setKeyboardTracking(false);
        bind(name, [number](int value) {
            const QSignalBlocker quiet(number);
            number->setValue(value);
        });
        connect(number, &QSpinBox::valueChanged, this,
                [this, name](int value) { change(name, value); });
        form->addRow(label, number);
    }
}

void SettingsDialog::apply(const Changes& changes) {
    bool any = false;
    for (const auto& [name, show] : shows_)
        if (changes.has(name)) {
            show(program_.form.settings[findSetting(QLatin1String(name))->id]);
            any = true;
        }
    if (any)
        shown();
}

} // namespace ml::app
