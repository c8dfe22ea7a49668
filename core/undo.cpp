#include "core/undo.h"

#include "core/commands.h"
#include "form/captions.h"

#include <algorithm>
#include <set>

namespace ml {

namespace {

// The clock boxes' place in `State::texts`.
constexpr std::size_t kMinutes = 4;
constexpr std::size_t kSeconds = 5;

} // namespace

UndoHistory::UndoHistory(Form& form, MatchEngine& match, EventLog& log, MatchRecord& record)
    : form_(form), match_(match), log_(log),
      record_(record), boxes_{&form.Text_l, &form.Text_r, &form.Pkt_l,    &form.Pkt_r,
                              &form.D_Min,  &form.D_Sec,  &form.Startwert} {}

void UndoHistory::bindHandlers() {
    form_.undo.onClick = [this] { undo_Click(); };
    form_.redo.onClick = [this] { redo_Click(); };
    showMenu();
}

std::array<int*, 10> UndoHistory::counts() {
    Form& f = form_;
    return {&f.TimeoutsMatchL, &f.TimeoutsHalfL, &f.TimeoutsLastL, &f.TimeoutsMatchR,
            &f.TimeoutsHalfR,  &f.TimeoutsLastR, &f.FoulsL,        &f.FoulsMatchL,
            &f.FoulsR,         &f.FoulsMatchR};
}

UndoHistory::State UndoHistory::capture() const {
    const Form& f = form_;
    State s;
    for (std::size_t i = 0; i < kBoxes; ++i)
        s.texts[i] = boxes_[i]->text;
    s.clockRunning = f.ClockRunning;
    s.left = f.penaltyL;
    s.right = f.penaltyR;
    s.listL = f.penaltiesL;
    s.listR = f.penaltiesR;
    s.playersL = f.playersL;
    s.playersR = f.playersR;
    s.period = f.PeriodNumber;
    s.phase = f.PeriodPhase;
    const auto counted = const_cast<UndoHistory*>(this)->counts();
    for (std::size_t i = 0; i < counted.size(); ++i)
        s.counts[i] = *counted[i];
    s.interruption = f.TimeoutActive ? 1 : f.BreakActive ? 2 : 0;
    for (const Setting& setting : settingTable())
        if (setting.said != nullptr)
            s.settings.push_back(f.settings[setting.id]);
    return s;
}

void UndoHistory::clear() {
    typing_ = nullptr;
    done_.clear();
    undone_.clear();
    showMenu();
}

// A command names its step (`commands()`); others (a display mode, a timeout without a sport's
// rules) change nothing that a step holds, or nothing that is the operator's to take back.
void UndoHistory::click(Control& c, const std::function<void()>& run) {
    typing_ = nullptr;
    const Command* command = commandOn(c.name);
    const QString what =
        command != nullptr ? command->undoName(form_, !match_.rules().free()) : QString();
    const State before = capture();
    const MatchRecord::Mark from = record_.mark();
    run();
    if (what.isEmpty())
        return;
    State after = capture();
    const MatchRecord::Mark to = record_.mark();
    // Starting and stopping changes the clock's running, not its value: the boxes move with
    // the time of day, and a step that set them back would rewind it.
    if (&c == &form_.St_St) {
        after.texts[kMinutes] = before.texts[kMinutes];
        after.texts[kSeconds] = before.texts[kSeconds];
    }
    record(what, before, after, from, to);
}

void UndoHistory::type(TextBox& box, const QString& text) {
    const State before = capture();
    box.text = text;
    const auto slot = std::find(boxes_.begin(), boxes_.end(), &box);
    if (slot == boxes_.end() || before.texts[slot - boxes_.begin()] == text)
        return;
    if (typing_ == &box && !done_.empty()) {
        done_.back().after.texts[slot - boxes_.begin()] = text;
        undone_.clear();
        showMenu();
        return;
    }
    static const char* const kTyped[kBoxes] = {
        QT_TR_NOOP("Name Heim"),         QT_TR_NOOP("Name Gegner"),
        QT_TR_NOOP("Spielstand Heim"),   QT_TR_NOOP("Spielstand Gegner"),
        QT_TR_NOOP("Spielzeit Minuten"), QT_TR_NOOP("Spielzeit Sekunden"),
        QT_TR_NOOP("Startwert")};
    record(tr(kTyped[slot - boxes_.begin()]), before, capture());
    typing_ = &box;
}

void UndoHistory::setting(const Setting& setting, int value) {
    typing_ = nullptr;
    const State before = capture();
    form_.settings[setting.id] = value;
    record(setting.said(value), before, capture());
}

std::optional<QString> UndoHistory::numbers(std::size_t index, int scorer,
                                            const std::vector<int>& assists) {
    typing_ = nullptr;
    const std::vector<RecordedEvent>& events = record_.events();
    if (index >= events.size())
        return tr("Kein Tor gewählt");
    const Step::Numbers before{events[index].number, events[index].assists};
    if (std::optional<QString> refused = record_.setNumbers(index, scorer, assists))
        return refused;
    if (before.scorer == scorer && before.assists == assists)
        return std::nullopt;
    const State now = capture();
    const MatchRecord::Mark at = record_.mark();
    done_.push_back({tr("Nr. beim Tor"), now, now, at, at,
                     std::pair{before, Step::Numbers{scorer, assists}}, index});
    if (done_.size() > kSteps)
        done_.pop_front();
    undone_.clear();
    showMenu();
    return std::nullopt;
}

void UndoHistory::record(const QString& what, const State& before, State after,
                         const MatchRecord::Mark& from, const MatchRecord::Mark& to) {
    if (before == after && from == to)
        return;
    done_.push_back({what, before, std::move(after), from, to});
    if (done_.size() > kSteps)
        done_.pop_front();
    undone_.clear();
    showMenu();
}

void UndoHistory::undo_Click() {
    typing_ = nullptr;
    if (done_.empty())
        return;
    Step step = std::move(done_.back());
    done_.pop_back();
    apply(step, false);
    log_.addLine(tr(" +++ Rückgängig: ") + step.what);
    undone_.push_back(std::move(step));
    showMenu();
}

void UndoHistory::redo_Click() {
    typing_ = nullptr;
    if (undone_.empty())
        return;
    Step step = std::move(undone_.back());
    undone_.pop_back();
    apply(step, true);
    log_.addLine(tr(" +++ Wiederholen: ") + step.what);
    done_.push_back(std::move(step));
    showMenu();
}

void UndoHistory::apply(const Step& step, bool forward) {
    // The scores set back are no goals: the step's own entries are marked instead.
    record_.mark();
    record_.restoring(true);
    applyState(step, forward);
    record_.mark();
    record_.restoring(false);
    record_.withdraw(step.from, step.to, !forward);
    if (step.numbers && step.from.generation == record_.mark().generation) {
        const Step::Numbers& to = forward ? step.numbers->second : step.numbers->first;
        record_.setNumbers(step.goal, to.scorer, to.assists);
    }
}

void UndoHistory::applyState(const Step& step, bool forward) {
    Form& f = form_;
    const State& to = forward ? step.after : step.before;
    const bool clock = step.before.clockRunning != step.after.clockRunning;
    // The clock stops before its boxes are set and starts after, from the value they then show.
    if (clock && !to.clockRunning && f.ClockRunning)
        match_.St_St_Click();
    // A box set back is as if the operator had typed its value.
    for (std::size_t i = 0; i < kBoxes; ++i) {
        if (step.before.texts[i] == step.after.texts[i])
            continue;
        boxes_[i]->text = to.texts[i];
        if (boxes_[i]->onChange)
            boxes_[i]->onChange();
    }
    const bool free = match_.rules().free();
    if (free && step.before.left != step.after.left)
        showPenalty(f.StrafeL, f.TxtStrL, f.penaltyL, to.left);
    if (free && step.before.right != step.after.right)
        showPenalty(f.StrafeR, f.TxtStrR, f.penaltyR, to.right);
    std::size_t n = 0;
    for (const Setting& setting : settingTable()) {
        if (setting.said == nullptr)
            continue;
        if (step.before.settings[n] != step.after.settings[n])
            f.settings[setting.id] = to.settings[n];
        ++n;
    }
    const State& from = forward ? step.before : step.after;
    applyList(f.penaltiesL, from.listL, to.listL);
    applyList(f.penaltiesR, from.listR, to.listR);
    applyPlayers(f.playersL, from.playersL, to.playersL);
    applyPlayers(f.playersR, from.playersR, to.playersR);
    // Timeouts and fouls counted since stay counted.
    const auto counted = counts();
    for (std::size_t i = 0; i < counted.size(); ++i)
        *counted[i] = std::max(0, *counted[i] + to.counts[i] - from.counts[i]);
    // Under a sport's rules every step takes its interruption with it (without them a timeout or
    // break runs as the operator left it). A period that has ended takes its break back before
    // the break ends, so that the end does not lead on to the next period; a break comes back
    // before its period stands in the break.
    const bool interruption = !free && from.interruption != to.interruption;
    if (from.period != to.period)
        f.PeriodNumber = to.period;
    if (interruption && to.interruption != 0)
        match_.interruptFor(to.interruption == 1);
    if (from.phase != to.phase)
        f.PeriodPhase = to.phase;
    if (interruption && to.interruption == 0)
        match_.endInterruption(Interruption::Both);
    if (clock && to.clockRunning && !f.ClockRunning)
        match_.St_St_Click();
    match_.settlePenalties();
    match_.advancePenalties();
    match_.showSport();
}

void UndoHistory::applyList(PenaltyList& list, const PenaltyList& from, const PenaltyList& to) {
    if (from == to)
        return;
    const auto find = [](const PenaltyList& in, int id) {
        return std::find_if(in.begin(), in.end(),
                            [id](const ListedPenalty& p) { return p.id == id; });
    };
    for (const ListedPenalty& p : from)
        if (find(to, p.id) == to.end())
            std::erase_if(list, [&p](const ListedPenalty& q) { return q.id == p.id; });
    for (const ListedPenalty& p : to) {
        const auto before = find(from, p.id);
        if (before != from.end() && *before == p)
            continue;
        const auto now = std::find_if(list.begin(), list.end(),
                                      [&p](const ListedPenalty& q) { return q.id == p.id; });
        if (now != list.end())
            *now = p;
        else if (before == from.end())
            // Back in the order the penalties were given.
            list.insert(std::find_if(list.begin(), list.end(),
                                     [&p](const ListedPenalty& q) { return q.id > p.id; }),
                        p);
    }
}

void UndoHistory::applyPlayers(PlayerSheet& players, const PlayerSheet& from,
                               const PlayerSheet& to) {
    if (from == to)
        return;
    std::set<int> numbers;
    for (const PlayerSheet* sheet : {&from, &to})
        for (const auto& entry : *sheet)
            numbers.insert(entry.first);
    for (int number : numbers) {
        const auto at = [number](const PlayerSheet& sheet) {
            const auto it = sheet.find(number);
            return it == sheet.end() ? PlayerMarks{} : it->second;
        };
        const PlayerMarks a = at(from);
        const PlayerMarks b = at(to);
        if (a == b)
            continue;
        PlayerMarks& m = players[number];
        m.fouls = std::max(0, m.fouls + b.fouls - a.fouls);
        m.penalties = std::max(0, m.penalties + b.penalties - a.penalties);
        m.warnings = std::max(0, m.warnings + b.warnings - a.warnings);
        if (a.sentOff != b.sentOff)
            m.sentOff = b.sentOff;
        if (a.reported != b.reported)
            m.reported = b.reported;
        if (m == PlayerMarks{})
            players.erase(number);
    }
}

// A penalty comes back with its end in match time: it has served what the clock has run since.
void UndoHistory::showPenalty(Button& button, TextBox& text, Penalty& penalty, const Penalty& to) {
    if (to.running && !penalty.running)
        form_.LogPending = true;
    penalty = to;
    button.text = to.running ? captions::stopPenalty() : captions::startPenalty();
    text.visible = to.running;
}

void UndoHistory::showMenu() {
    const auto show = [](MenuItem& item, const QString& caption, const Step* last) {
        item.enabled = last != nullptr;
        item.text = last ? caption + QStringLiteral(": ") + last->what : caption;
    };
    show(form_.undo, tr("Rückgängig"), done_.empty() ? nullptr : &done_.back());
    show(form_.redo, tr("Wiederholen"), undone_.empty() ? nullptr : &undone_.back());
}

} // namespace ml
