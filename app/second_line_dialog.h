#pragma once

// "Extras → Zweite Anzeigelinie…": a second display line on a port of its own (a hall with one
// line at each end), whether it shows the sides swapped, and its line speed. "öffnen" opens it
// and "schliessen" closes it; while it is open the port and speed stand, the mirror changes at
// once.

#include "core/program.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace ml::app {

class SecondLineDialog : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(SecondLineDialog)

  public:
    // `changed` runs after each change, so the window shows its outcome.
    SecondLineDialog(Program& program, std::function<void()> changed, QWidget* parent);
    ~SecondLineDialog() override;

    // Shows the form's state: the ports listed, the line open or not.
    void sync();

  private:
    void apply(int port);

    Program& program_;
    std::function<void()> changed_;
    QComboBox* port_;
    QCheckBox* mirror_;
    QComboBox* baud_;
    QPushButton* open_;
    QLabel* state_;
    std::size_t reader_ = 0;
};

} // namespace ml::app
