#pragma once

// "Extras → Hupe…": the horn's settings. Each change applies at once (the "Test" button plays
// what is set); "Schließen" closes the dialog.

#include "core/program.h"

#include <QDialog>

#include <functional>

namespace ml::app {

class HornDialog : public QDialog {
  public:
    // `changed` runs after each change, so the window shows its outcome.
    HornDialog(Program& program, std::function<void()> changed, QWidget* parent);
};

} // namespace ml::app
