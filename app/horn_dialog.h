#pragma once

// "Extras → Hupe…": the horn's settings. Each change applies at once (the "Test" button plays
// what is set); "Schließen" closes the dialog.

#include "app/settings_dialog.h"

namespace ml::app {

class HornDialog : public SettingsDialog {
    Q_DECLARE_TR_FUNCTIONS(HornDialog)

  public:
    // `changed` runs after each change, so the window's wake-ups follow it.
    HornDialog(Program& program, std::function<void()> changed, QWidget* parent);
};

} // namespace ml::app
