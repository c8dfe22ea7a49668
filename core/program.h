#pragma once

// The whole program without its window: the form, every subsystem wired to it and to the
// platform, the road of start-up and of one tick, and the operator's actions on a control. The
// Qt window and the replay tool both drive it.

#include "bookkeeping/event_log.h"
#include "bookkeeping/message_window.h"
#include "bookkeeping/score_keeping.h"
#include "core/broker_settings.h"
#include "core/horn_signals.h"
#include "core/keys.h"
#include "core/match_record.h"
#include "core/record_writer.h"
#include "core/settings_store.h"
#include "core/state_store.h"
#include "core/undo.h"
#include "display/composer.h"
#include "display/display_modes.h"
#include "form/form.h"
#include "match/match_engine.h"
#include "platform/platform.h"
#include "platform/storage.h"
#include "serial/serial_link.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace ml {

class Program {
    Q_DECLARE_TR_FUNCTIONS(Program)

    // Every box of the program goes through here, so that one that waits for its answer is
    // known (a remote's command is refused meanwhile).
    class WatchedDialogs : public Dialogs {
      public:
        explicit WatchedDialogs(Dialogs& inner) : inner_(inner) {}
        Answer messageBox(const QString& text, const QString& title, Icon icon, Buttons buttons,
                          Answer defaultAnswer = Answer::Ok) override;
        QString saveFileName(const QString& title, const QString& suggested, const QString& filters,
                             QString& filter) override;
        int open = 0;

      private:
        Dialogs& inner_;
    };
    WatchedDialogs dialogs_;

  public:
    // `secondDevice`: the port of a second display line; without it there is none.
    Program(Clock& clock, Dialogs& dialogs, Shell& shell, SerialDevice& device, Horn& hornOutput,
            Storage& storage, SerialDevice* secondDevice = nullptr);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Start-up (`Form_Load`), then the kept settings and the question whether to resume.
    void start();
    // The translation file that was wanted and not found (the texts are German): start-up says
    // so in the log.
    QString languageMissing;
    // The match tick and the tenths step. Neither runs while the other, or a tick, waits in a
    // message box: such a call is skipped and returns false.
    bool tick();
    bool tenths();
    // What the window's timers run when they wake: the tick once the time of day's second has
    // turned since the last one, otherwise the running count's step once what it shows has
    // changed; nothing when neither is due. Skipped (false) like `tick`.
    bool wake();
    // Milliseconds until the next wake is due (0: now): the time of day's next second or the
    // next change of what the running count shows, whichever comes first.
    qint64 msToNextWake() const;
    // `ms` milliseconds pass, moved on by `advance` (a fake clock's), and every wake that falls
    // due meanwhile runs at its moment, as the window's timers would run it.
    void passTime(qint64 ms, const std::function<void(qint64 ms)>& advance);

    // A control of the main window or of the message window by name ("frmMessage.NAME" always
    // the message window's); `index` picks an item of the "HLProgr" array (1..16) and is
    // ignored otherwise. Null for no such control.
    Control* find(const QString& name, int index = 0);

    // The operator's click on a button, menu item, clickable image or check box (which
    // toggles). False when the control has no handler: a programming error for any control
    // the window offers. Like the operator's own actions below, a click on a hidden or disabled
    // control does nothing.
    bool click(Control& c);
    // The operator's typing: the text box's text becomes `text`. False for no text box.
    bool type(Control& c, const QString& text);
    // The operator's choice of a combo box entry. False when there is no such entry.
    bool select(Control& c, const QString& entry);
    // The keyboard focus enters the control.
    void focus(Control& c);
    // The operator has finished typing into a box (the focus left it, Enter, Esc): a team name
    // typed joins the names remembered. Any other action of the operator ends the typing too.
    void typingEnded();

    // Closes the main window ("Ende"); set by whoever shows it.
    std::function<void()> closeWindow;
    // Set once "Ende" has been confirmed: the window may close.
    bool ending = false;
    // The operator presses (`down`) or lets go of a control that acts while held (`onHold`).
    // False for no such control. Letting go always reaches it, also when the control was
    // disabled meanwhile.
    bool hold(Control& c, bool down);
    // The operator's key (a key of `keys`) pressed (`down`) or let go: its command. False for a
    // key without a command.
    bool key(const QString& name, bool down = true);
    // The road of a key once its command is found, taken by a remote's command too: for a
    // control that acts while held, its press or release; otherwise, pressed, the click (with
    // `evenHidden` also on a hidden control, as the score keys do); let go, nothing.
    bool command(const Command& command, bool down = true);
    // A penalty's or foul's command with the player's number and the penalty's length, as a
    // remote gives it: the click on its side's button with those in the side's boxes, which keep
    // what the desk has typed into them.
    bool commandFor(const Command& command, std::optional<int> player, const QString& length);
    // The control whose click the command is.
    Control& controlOf(const Command& command) const {
        return *commandControls_[static_cast<std::size_t>(&command - commands().data())];
    }
    // A box of the program (a message box, a file dialog) waits for the operator's answer.
    bool boxOpen() const { return dialogs_.open > 0; }
    // Something outside the match changed the form (a remote came or went): the readers show
    // it now. Within a step (a box waiting, the readers at work) the next step's end shows it.
    void outsideChange();
    // The operator changes a setting in a dialog of the window (the horn, the network; a name of
    // `settingTable` with words for a change) to `value`, kept within what it takes: like a click,
    // the change applies, is logged, kept and can be taken back. False for no such setting.
    bool setting(const QString& name, int value);
    // The operator changed how the window shows the match or takes the keys (its size, the key
    // table): kept with the settings.
    void viewChanged() { acted(true); }
    // "Extras → Zweite Anzeigelinie…": the second line on port `n` (0: closed), mirrored or not,
    // at `baud`; what it shows goes out in this step.
    void secondLine(int n, bool mirror, int baud) {
        serial.setSecondLine(n, mirror, baud);
        acted(true);
    }
    // "Extras → Netzwerk…": the MQTT broker's address, CA file, user name, hall and court, applied
    // together (the dialog refuses what they may not be): logged and kept.
    void brokerTexts(const BrokerSettings& s);
    // The operator chose a sport ("Extras → Sportart…"): the match follows its rules from now
    // on. False when the operator said no to the question during a match.
    bool chooseSport(const QString& id);
    // Enter in the side's "Nr." box (`left`: the home side's) after a goal: the number typed is
    // the goal's scorer's, the next two its assists' (refused where the sport has none), until
    // 10 s pass without one, or another command comes. False when no goal waits for numbers
    // (the box keeps the number for the next penalty). A number refused is said in the status
    // line; the goal stays. After a card key pressed without a number, Enter gives the card to
    // the number typed.
    bool numberEntered(bool left);
    // The goal at `index` of the record gets these numbers ("Spielverlauf…", the replay's
    // `goal`): one step of undo and a log line. The reason when they are refused.
    std::optional<QString> goalNumbers(std::size_t index, int scorer,
                                       const std::vector<int>& assists);
    // The side whose "Nr." box waits for a number (a goal's scorer and assists, a card's player):
    // the window puts the focus there.
    // Counts the waits for a number begun: a new one wants the focus even on the same side.
    std::uint64_t numberWaits() const { return numberWaits_; }
    std::optional<bool> numberSide() const {
        return scorer_ ? std::optional<bool>(scorer_->left)
               : card_ ? std::optional<bool>(card_->left)
                       : std::nullopt;
    }

    // The club's own sports changed in the dialog: they are kept.
    void sportsChanged() {
        settings.keepSports();
        store.sayFaults();
    }
    // Run at the end of every step (start-up, a tick, the count's own step, an operator action),
    // after the step's transmission, with what the step changed: the readers of the form (the
    // window, the live feed) update only that.
    std::vector<std::function<void(const Changes&)>> afterStep;
    // Counts the passes over `afterStep`; within one the form stands still, so what a reader
    // makes of it may serve the readers after it (the feed's state: the pages and the broker).
    std::uint64_t tellings() const { return tellings_; }
    bool telling() const { return telling_; }

    Form form;
    // The keys of the commands, the club's choice, kept with the settings.
    KeyTable keys;
    EventLog log;
    SerialLink serial;
    MatchEngine match;
    DisplayModes modes;
    Composer composer;
    ScoreKeeping score;
    MessageWindowModel messages;
    MatchRecord record;
    UndoHistory history;
    HornSignals horn;
    SettingsStore settings;
    RecordWriter writer;
    StateStore store;

  private:
    // The tick's steps, down the layers; `whole` for the tick, otherwise the count's own step.
    void runTick(bool whole);
    // After an operator's action: what it changed goes to the display line at once.
    void showAction();
    void Ende_Click();
    bool reachable(Control& c);
    // Every operator action ends here: what it changed is shown, sent and kept. Every action
    // but `typing` ends the typing of a team name.
    bool acted(bool result, bool typing = false);
    // The team name typed last joins `TeamNames`, newest first.
    void rememberName();
    // The end of every step: the changes go to the kept state and to every reader.
    void stepped(bool tick);
    void tell(const Changes& changes);

    std::optional<QString> setGoalNumbers(std::size_t index, int scorer,
                                          const std::vector<int>& assists);

    // The key list ("?" > "Tastenkürzel…").
    void keyList_Click();

    Clock& clock_;
    // The control of each command, in the order of `commands()`.
    std::vector<Control*> commandControls_;
    // The controls of the commands without one in the form: not in the window, always at hand.
    std::deque<Button> keyCommands_;
    bool busy_ = false;
    bool telling_ = false;
    std::uint64_t tellings_ = 0;
    // The name box typed into since the last other action, if any.
    TextBox* typedName_ = nullptr;
    // The time of day's second (since the epoch) of the last tick.
    qint64 tickSecond_ = -1;
    // The notes of the match the status line has said as the last action ended.
    int notesSeen_ = 0;
    // A goal whose side's "Nr." box takes its numbers: how many it has taken, and until when.
    struct ScorerEntry {
        bool left = true;
        int taken = 0;
        qint64 untilMs = 0;
    };
    std::optional<ScorerEntry> scorer_;
    // A card key pressed without a number: the side and the card's button.
    struct CardEntry {
        bool left = true;
        Control* button = nullptr;
    };
    std::optional<CardEntry> card_;
    std::uint64_t numberWaits_ = 0;
};

} // namespace ml
