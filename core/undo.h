#pragma once

// Taking back the operator's changes of the match state, and doing them again: goals (buttons,
// keys or a typed score), the two resets, the change of ends, the clock's start and stop, a
// penalty's start and stop, a typed clock, start value or team name, and a setting changed in a
// dialog of the window (the horn, the network), and the numbers of a goal. Each step remembers
// the state before and after; taking it back restores what the step changed and nothing else.
// The time of day is never rewound: taking back a clock start stops the clock at the value it
// shows now, and taking back a stop lets it run on from there.

#include "bookkeeping/event_log.h"
#include "core/match_record.h"
#include "form/form.h"
#include "form/setting_table.h"
#include "match/match_engine.h"

#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace ml {

class UndoHistory {
    Q_DECLARE_TR_FUNCTIONS(UndoHistory)

  public:
    // Steps kept; the oldest goes first.
    static constexpr std::size_t kSteps = 100;

    UndoHistory(Form& form, MatchEngine& match, EventLog& log, MatchRecord& record);
    void bindHandlers();

    // Runs the operator's click on `c`; what it changed of the match state becomes one step.
    void click(Control& c, const std::function<void()>& run);
    // The operator's typing into `box`: keystrokes into one box without anything in between
    // are one step.
    void type(TextBox& box, const QString& text);
    // A setting changed in a dialog: `value`, kept within what the setting takes, is set.
    void setting(const Setting& setting, int value);
    // The numbers of the record's goal `index` become `scorer` and `assists`: one step. The reason
    // when they are refused.
    std::optional<QString> numbers(std::size_t index, int scorer, const std::vector<int>& assists);
    // The focus moved on: the next typing is a step of its own.
    void endTyping() { typing_ = nullptr; }
    // Forgets every step (another sport's rules begin).
    void clear();

    void undo_Click();
    void redo_Click();

  private:
    // The text boxes whose typed values are steps.
    static constexpr std::size_t kBoxes = 7;
    struct State {
        std::array<QString, kBoxes> texts;
        bool clockRunning = false;
        Penalty left, right;
        // The settings the dialogs change by a command, in the order of `settingTable`.
        std::vector<int> settings;
        // Under a sport's rules: the penalty lists, the players' marks, the period, the timeouts
        // and fouls counted, and which interruption runs (0 none, 1 a timeout, 2 a break).
        PenaltyList listL, listR;
        PlayerSheet playersL, playersR;
        int period = 0;
        int phase = 0;
        std::array<int, 10> counts{};
        int interruption = 0;
        bool operator==(const State&) const = default;
    };
    struct Step {
        QString what;
        State before, after;
        // The record's entries the step wrote: taken back with it, and back again with it.
        MatchRecord::Mark from = {}, to = {};
        // A goal's numbers changed: the goal, and its numbers before and after.
        struct Numbers {
            int scorer = 0;
            std::vector<int> assists;
        };
        std::optional<std::pair<Numbers, Numbers>> numbers = std::nullopt;
        std::size_t goal = 0;
    };

    State capture() const;
    void record(const QString& what, const State& before, State after,
                const MatchRecord::Mark& from = {}, const MatchRecord::Mark& to = {});
    // Sets a list to what the step made of it (`to`), changing only the penalties the step
    // changed, so that what happened to the others since stays.
    static void applyList(PenaltyList& list, const PenaltyList& from, const PenaltyList& to);
    // Moves each player's marks by what the step changed of them, so that what happened since
    // stays.
    static void applyPlayers(PlayerSheet& players, const PlayerSheet& from, const PlayerSheet& to);
    // The timeouts and fouls counted.
    std::array<int*, 10> counts();
    // Sets what the step changed to its state after (`forward`) or before.
    void apply(const Step& step, bool forward);
    void applyState(const Step& step, bool forward);
    void showPenalty(Button& button, TextBox& text, Penalty& penalty, const Penalty& to);
    void showMenu();

    Form& form_;
    MatchEngine& match_;
    EventLog& log_;
    MatchRecord& record_;
    std::array<TextBox*, kBoxes> boxes_;
    std::deque<Step> done_;
    std::vector<Step> undone_;
    TextBox* typing_ = nullptr;
};

} // namespace ml
