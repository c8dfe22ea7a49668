#pragma once

// The operator's window: a view of the program's form. One widget per control at its place,
// named after the control; every operator action goes to the program with its control, and
// after every handler and every step of the timers the form is copied back into the widgets.

#include "app/message_view.h"
#include "app/tick_scheduler.h"
#include "app/window_layout.h"
#include "core/program.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <vector>

class QActionGroup;
class QKeyEvent;
class QAbstractButton;
class QDialog;
class QMenu;

namespace ml::app {

class MainWindow : public QMainWindow {
  public:
    explicit MainWindow(Program& program);
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

    // "Ansicht" > "Größe": the whole window, its fonts and pictures at `percent` of the design
    // size (one of `kScales`); at 100 every control stands at its designed place and size.
    void setScale(int percent);
    int scale() const { return scale_; }
    // Reports the operator's choice of size (for remembering it).
    std::function<void(int percent)> onScaleChosen;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The window's close box is "Ende", with its question.
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // Runs one operator action, then shows its outcome.
    void act(const std::function<void()>& action);
    void afterHandler();
    // The operator's click on a control; one without a handler is reported as the fault it is.
    void clicked(Control& c);

    void buildControls();
    void buildMenus();
    void buildViewMenu();
    void bindHold(Control& c, QAbstractButton* button);
    void showHornDialog();
    void syncMessageWindow();
    // The operator's keys, wherever the focus is in the program's windows; true when used.
    bool routeKey(QWidget* receiver, QKeyEvent* event);
    bool releaseKey(QKeyEvent* event);
    bool keyWhileBoxWaits(QKeyEvent* event, bool down);
    void focusEntered(QWidget* widget);

    struct Placed {
        QWidget* widget;
        const ControlLayout* layout;
    };

    Program& program_;
    QWidget* client_;
    QWidget* backdrop_ = nullptr;
    std::vector<Placed> placed_;
    QActionGroup* sizes_ = nullptr;
    int scale_ = 100;
    TickScheduler scheduler_;
    std::vector<std::function<void()>> syncs_;
    QPointer<MessageView> message_;
    // The text boxes of the main window, by their widget.
    QHash<QObject*, TextBox*> boxes_;
    QPointer<QDialog> hornDialog_;
};

} // namespace ml::app
