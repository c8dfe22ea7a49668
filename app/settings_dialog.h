#pragma once

// A dialog of the window that changes settings ("Extras → Hupe…", "Extras → Netzwerk…"). Each
// change the operator makes goes to the program as a named setting, like a click: it applies at
// once, is logged and can be taken back. The widgets follow every step that changes a setting
// (an undo, "Einstellungen zurücksetzen") while the dialog is open.

#include "core/program.h"

#include <QDialog>

class QFormLayout;

#include <functional>
#include <vector>

namespace ml::app {

class SettingsDialog : public QDialog {
  protected:
    // `changed` runs after each change the operator makes here.
    SettingsDialog(Program& program, std::function<void()> changed, QWidget* parent);
    ~SettingsDialog() override;

    // The operator set `name` (a name of `settingTable`) to `value`.
    void change(const char* name, int value);
    // `show` puts the setting's value into its widgets without their signals: now, and after
    // every step that changes it.
    void bind(const char* name, std::function<void(int value)> show);
    // The settings of the table's rows shown in `dialog` (`ShownIn`) with a label: a check box
    // for a flag, a number box otherwise, each a row of `form`.
    void addTableRows(QFormLayout* form, ShownIn dialog);
    // After a step that changed any of the settings, once they are shown.
    virtual void shown() {}

    Program& program_;

  private:
    void apply(const Changes& changes);

    std::function<void()> changed_;
    std::vector<std::pair<const char*, std::function<void(int)>>> shows_;
    // This dialog's place among the program's readers of its steps.
    std::size_t reader_ = 0;
};

} // namespace ml::app
