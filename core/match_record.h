#pragma once

// The record of the match: one entry per event, with the time of day, the period, the match
// clock, the side and the score after it. Goals are read from the scores after each step (a goal
// scored while the clock stands is one too, and so is taking it back); every other event comes
// from the engine as it happens. "Spielbericht speichern…" writes it, the state of the match
// keeps it for a resume, and the live feed sends it.

#include "core/match_report.h"
#include "form/form.h"
#include "match/match_engine.h"
#include "match/match_event.h"
#include "platform/platform.h"

#include <QCoreApplication>
#include <QJsonArray>

#include <optional>
#include <vector>

namespace ml {

class MatchRecord {
    Q_DECLARE_TR_FUNCTIONS(MatchRecord)

  public:
    MatchRecord(Form& form, const Clock& clock, MatchEngine& match);

    // An event of the engine, after the goals that came before it in the same step.
    void add(const MatchEvent& event);
    // The end of a step: a changed score is a goal, a goal taken back, or a correction.
    void afterStep();
    // The operator typed a score in this step: a correction, not a goal.
    void scoreTyped() { typed_ = true; }
    // A new match begins: the record starts empty from the scores as they stand.
    void clear();

    // Sets the numbers of the goal at `index`: its scorer (0: none) and its assists. The reason
    // when they are refused (a number outside 1–99, assists where the sport has none or more
    // than it allows, a player twice); the goal stays as it was then.
    std::optional<QString> setNumbers(std::size_t index, int scorer,
                                      const std::vector<int>& assists);
    // The last goal of the team on the display's left (or right) side, if the record has one that
    // is not taken back.
    std::optional<std::size_t> lastGoal(bool left) const;
    // Undo's marks: where the record stands now (after the goals of the step so far), and the
    // entries from `from` to `to` of a step taken back (`withdrawn`) or done again. A mark from
    // before the record began anew marks nothing.
    struct Mark {
        std::size_t generation = 0;
        std::size_t size = 0;
        bool operator==(const Mark&) const = default;
    };
    Mark mark();
    void withdraw(const Mark& from, const Mark& to, bool withdrawn);
    // While undo sets the scores back, their change is no goal and no correction.
    void restoring(bool on) { restoring_ = on; }

    const std::vector<RecordedEvent>& events() const { return events_; }
    // Counts every change of the events: equal counts, the same record.
    std::size_t revision() const { return revision_; }
    // Made again only after a change: the live feed asks for it at every step.
    QJsonArray toJson() const;
    // A stored record; entries that are not such events are left out.
    void restore(const QJsonArray& stored);

  private:
    // At the match clock's now, or at the moment `clockMs` of match time (the clock's exact value;
    // and the time of day that was then, while the clock runs).
    RecordedEvent& push(EventSide side, const QString& what, const QString& counts = {},
                        std::optional<qint64> clockMs = std::nullopt);

    Form& form_;
    const Clock& clock_;
    MatchEngine& match_;
    std::vector<RecordedEvent> events_;
    std::size_t revision_ = 0;
    mutable QJsonArray json_;
    mutable std::optional<std::size_t> jsonRevision_;
    // The scores and the ends as the record last saw them.
    QString scoreL_, scoreR_;
    bool endsChanged_ = false;
    bool typed_ = false;
    bool restoring_ = false;
    // Counts the record's new beginnings.
    std::size_t generation_ = 0;
    // Where an entry beyond the record's bound is written, so that it is dropped.
    RecordedEvent spare_;
};

} // namespace ml
