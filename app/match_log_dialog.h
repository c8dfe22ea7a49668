#pragma once

// "Datei → Spielverlauf…": the record of the match as a list, newest last. A double-click on a
// goal asks for its scorer's and assists' numbers ("17 5 8"); each change is a step of undo and
// a line of the log. The list follows the match while it is open.

#include "core/program.h"

#include <QCoreApplication>
#include <QDialog>

#include <functional>

class QListWidget;
class QListWidgetItem;

namespace ml::app {

class MatchLogDialog : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(MatchLogDialog)

  public:
    // `act` runs a change of the program and shows its outcome in the window.
    MatchLogDialog(Program& program, std::function<void(const std::function<void()>&)> act,
                   QWidget* parent);
    // Shows the record as it stands, when it changed since the list was filled.
    void fill();

  private:
    void edit(QListWidgetItem* item);

    Program& program_;
    std::function<void(const std::function<void()>&)> act_;
    QListWidget* list_;
    std::size_t shown_ = 0;
};

} // namespace ml::app
