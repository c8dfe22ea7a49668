#pragma once

// The operator's keys wherever the focus is in the program's windows (the main window, the
// message window, the monitors, the dialogs): a key of the key table runs its command (the click
// on its control; press and release for one that acts while held), Space belongs to the clock,
// Enter presses the focused button and Escape leaves a box being edited. While a message box is
// open, the match keys do nothing (but the horn's); Enter and Escape answer it.

#include "core/program.h"

#include <QObject>

#include <functional>

class QKeyEvent;
class QWidget;

namespace ml::app {

// A key press as the key table writes it ("F5", "Num+7", "Ctrl+Shift+Z").
QString keyName(const QKeyEvent* event);

class KeyRouter : public QObject {
  public:
    // A window with this property set takes every key itself (the key dialog waiting for one).
    static constexpr const char* kTakesKeys = "marklightTakesKeys";

    struct Window {
        // The main window, and the widget that takes the focus when Escape leaves a box.
        const QWidget* main = nullptr;
        QWidget* home = nullptr;
        // Runs one of the program's actions and shows its outcome.
        std::function<void(const std::function<void()>& action)> act;
    };

    KeyRouter(Program& program, Window window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool press(QWidget* receiver, QKeyEvent* event);
    bool release(QKeyEvent* event);
    bool whileBoxWaits(QKeyEvent* event, bool down);

    Program& program_;
    Window window_;
};

} // namespace ml::app
