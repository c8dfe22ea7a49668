#pragma once

// The operator's window: a view of the program's form. One widget per control at its place,
// named after the control; every operator action goes to the program with its control, and
// after every handler and every step of the timers the form is copied back into the widgets.

#include "app/message_view.h"
#include "app/tick_scheduler.h"
#include "core/program.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <vector>

class QMenu;

namespace ml::app {

class MainWindow : public QMainWindow {
  public:
    MainWindow(Program& program, const Clock& clock);
    ~MainWindow() override;

    // Copies the whole form (and the message window) into the widgets.
    void sync();
    // Starts the tick and the tenths timers.
    void startTimers();

    TickScheduler& scheduler() { return scheduler_; }
    // The area under the menu bar in which the controls stand.
    QWidget* client() const { return client_; }
    // The message window while the form says it exists.
    MessageView* messageView() const { return message_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Runs one operator action, then shows its outcome.
    void act(const std::function<void()>& action);
    void afterHandler();
    // The operator's click on a control; one without a handler is reported as the fault it is.
    void clicked(Control& c);

    void buildControls();
    void buildMenus();
    void syncMessageWindow();

    Program& program_;
    QWidget* client_;
    TickScheduler scheduler_;
    std::vector<std::function<void()>> syncs_;
    QPointer<MessageView> message_;
    // The boxes whose focus handler the window reports, by their widget.
    QHash<QObject*, TextBox*> focusBoxes_;
};

} // namespace ml::app
