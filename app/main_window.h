#pragma once

// The operator's window: a view of the program's form. One widget per control at its place,
// named after the control; every operator action goes to the program with its control, and after
// every step the widgets and actions of the controls that the step changed show them anew.

#include "app/key_dialog.h"
#include "app/key_router.h"
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
class QAbstractButton;
class QDialog;
class QLineEdit;
class QStringListModel;

namespace ml::app {

class MainWindow : public QMainWindow {
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

  public:
    explicit MainWindow(Program& program);
    ~MainWindow() override;

    // Copies the whole form (and the message window) into the widgets.
    void sync();
    // Copies what a step changed into its widgets and actions.
    void apply(const Changes& changes);
    // Starts the wake-ups of the program's steps.
    void startTimers();

    TickScheduler& scheduler() { return scheduler_; }
    // The area under the menu bar in which the controls stand.
    QWidget* client() const { return client_; }
    // The message window while the form says it exists.
    MessageView* messageView() const { return message_; }

    // "Ansicht" > "Größe": the whole window, its fonts and pictures at `percent` of the design
    // size (one of `kWindowScales`); at 100 every control stands at its designed place and size.
    // The message window, the dialogs and the message boxes take the size too. Shown by the
    // step that changes the form's `WindowScale`.
    void setScale(int percent);
    int scale() const { return scale_; }
    // The keys of the key table in the tool tips and menus, after a change of the table.
    void showKeys();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The window's close box is "Ende", with its question.
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // Runs one operator action; the step it makes shows its outcome.
    void act(const std::function<void()>& action);
    // The operator's click on a control; one without a handler is reported as the fault it is.
    void clicked(Control& c);
    void resync(const Control& c);

    void buildControls();
    void fitClient();
    void bindHold(Control& c, QAbstractButton* button);
    void showHornDialog();
    void showKeyDialog();
    void showSportDialog();
    void showMatchLog();
    // "Datei → Drucken…": the report through the system's print dialog.
    void printReport();
    // A side's "Nr." box takes the focus while it waits for numbers (a goal's, a card's), and
    // gives it back after.
    void followScorer(std::optional<bool> before, std::uint64_t waitsBefore);
    void bindScorerBoxes();
    void syncMessageWindow();
    void focusEntered(QWidget* widget);
    void offerTeamNames();
    // The check mark of the language chosen.
    void showLanguage();

    struct Placed {
        QWidget* widget;
        const ControlLayout* layout;
    };

    Program& program_;
    QWidget* client_;
    QWidget* backdrop_ = nullptr;
    std::vector<Placed> placed_;
    QActionGroup* sizes_ = nullptr;
    QActionGroup* languages_ = nullptr;
    int scale_ = 100;
    TickScheduler scheduler_;
    // What copies each control into its widget or action.
    QHash<const Control*, std::function<void()>> syncs_;
    QPointer<MessageView> message_;
    KeyRouter keys_;
    // The text boxes of the main window, by their widget.
    QHash<QObject*, TextBox*> boxes_;
    // The boxes of a player's number.
    QHash<const Control*, QLineEdit*> numberBoxes_;
    QPointer<QDialog> hornDialog_;
    QPointer<KeyDialog> keyDialog_;
    // The team names the name boxes offer.
    QStringListModel* names_ = nullptr;
    QPointer<QDialog> sportDialog_;
    QPointer<QDialog> matchLog_;
    // This window's place among the program's readers of its steps.
    std::size_t reader_ = 0;
};

} // namespace ml::app
