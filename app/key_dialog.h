#pragma once

// "Extras → Tasten…": every command with its keys, the club's choice. A key is changed by
// pressing it ("Ändern…" or a double-click on the key, then the key); a second or third key may
// be added for a foot switch or a presenter's clicker; "Entfernen" takes one away, "Standard"
// restores the standard keys. A key of another command is refused with that command's name, and
// so is one the window system takes for itself: the old key stays. Each change applies at once
// and is kept with the settings.

#include "core/program.h"

#include <QDialog>

#include <functional>
#include <vector>

class QKeyEvent;
class QLabel;
class QPushButton;
class QTableWidget;

namespace ml::app {

class KeyDialog : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(KeyDialog)

  public:
    // `changed` runs after each change, so the window shows the new keys.
    KeyDialog(Program& program, std::function<void()> changed, QWidget* parent);

    // Waits for the key of the selected place; the next key pressed takes it.
    void capture();
    bool capturing() const { return capturing_; }
    // What the dialog says of the last change (a refusal, or what waits for a key).
    QString said() const;

  protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void fill();
    void take(const QString& key);
    void endCapture(const QString& why);
    void say(const QString& text, bool refusal);
    const Command* selectedCommand(int* slot) const;

    Program& program_;
    std::function<void()> changed_;
    // The rows: the commands that take keys.
    std::vector<const Command*> commands_;
    // Before the children: making them sends events to event() already.
    bool capturing_ = false;
    QTableWidget* table_;
    QLabel* note_;
    QPushButton* change_;
    QPushButton* remove_;
};

} // namespace ml::app
