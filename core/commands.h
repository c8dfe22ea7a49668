#pragma once

// The operator's commands, each once: its id, the control whose click it is (or, for a command of
// the keys alone, what it does to the match), what it is called, its standard keys, whether a
// remote may give it, and how the undo history names the step it makes. The key table and the
// key dialog, the menus' keys, the key list (F1 and `marklight --keys`), the remote's actions and
// the buttons of its page, and the undo history all read this one table. A new command is one
// entry here and its handler.

#include "form/form.h"

#include <QString>

#include <array>
#include <span>

namespace ml {

class MatchEngine;

struct Command {
    // A remote's use of the command (a phone on /fernbedienung); none without `what`.
    struct Remote {
        // When the page offers the button: always, only without a sport's rules or only under
        // them, under rules with team timeouts, or under rules that count team fouls.
        enum class Shown { Always, WithoutRules, UnderRules, Timeouts, Fouls };
        // What the page asks before it sends: nothing, the player's number and the penalty's
        // length (under rules), or the player's number where the rules count a player's fouls.
        enum class Pad { None, Penalty, Player };
        // What the log, the desk's list of remotes and the page's button call it (translated).
        const char* what = nullptr;
        // The page's button while the command would start something, and while it would stop
        // it (translated). Without `button` the button says `what`.
        const char* button = nullptr;
        const char* running = nullptr;
        // Starts and stops something: a second tap within the remote's double-tap time is taken
        // once.
        bool toggle = false;
        Shown shown = Shown::Always;
        Pad pad = Pad::None;
    };
    // How the undo history names the step the command makes; none without `name`: the command
    // changes nothing a step holds, or nothing that is the operator's to take back.
    struct Undo {
        const char* name = nullptr;
        // A command that starts and stops something: `name` when it starts, `stop` when `ran`
        // says that it ran before the step.
        const char* stop = nullptr;
        bool (*ran)(const Form& form) = nullptr;
        // Under a sport's rules, where the command means something else there.
        const char* underRules = nullptr;
    };

    // Kept with the settings under this name ("keys/ID/1") and named by a remote; it never
    // changes.
    const char* id;
    // The control whose click it is; null for a command of the keys (and remotes) alone, which
    // runs `act` instead and is named by its id where a control's name is asked for.
    const char* control = nullptr;
    // What it does, in the key list and the key dialog (translated).
    const char* label;
    // The standard keys, as Qt's portable key texts.
    std::array<const char*, 3> keys{};
    // Runs while its control is hidden: the +1 and -1 buttons of a side share one place and the
    // counting direction shows only one pair, but both steps stay at hand on keys and remotes; a
    // foul key under a sport without fouls says that it counts none.
    bool evenHidden = false;
    // In the key list and the key dialog. A command that is not has no keys: the undo history
    // names its steps.
    bool keyed = true;
    Remote remote{};
    Undo undo{};
    // What a command without a control does, within the step of its key, as a click would.
    void (*act)(MatchEngine& match) = nullptr;

    // `label` in the language of the texts.
    QString said() const;
    bool remotely() const { return remote.what != nullptr; }
    // The name of the control it clicks: its own for a command without one.
    const char* controlName() const { return control != nullptr ? control : id; }
    // The step's name for the undo history, from the form as it stood before the step; empty
    // when the command makes no step.
    QString undoName(const Form& before, bool underRules) const;
};

// The commands, in the order of the key list.
std::span<const Command> commands();
const Command* commandById(const QString& id);
// The command whose click runs on the control `name`, or null.
const Command* commandOn(const QString& control);

} // namespace ml
