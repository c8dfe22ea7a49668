#include "match/match_context.h"

#include "match/team_side.h"

namespace ml {

void MatchContext::report(EventKind kind, const TeamSide* side, const ListedPenalty* p,
                          const QString& note) const {
    if (!onEvent)
        return;
    const EventSide s = side == nullptr ? EventSide::None
                        : side->left    ? EventSide::Left
                                        : EventSide::Right;
    std::optional<qint64> at;
    if (p != nullptr && kind == EventKind::PenaltyServed)
        at = p->endMs;
    else if (p != nullptr && kind == EventKind::PenaltyStarted)
        at = form.Mode_up.checked ? p->endMs - p->lengthSec * 1000LL
                                  : p->endMs + p->lengthSec * 1000LL;
    onEvent({kind, s, p ? p->number : 0, p ? p->lengthSec : 0, note, at});
}

void MatchContext::logAt(const QString& what) const {
    if (logLine)
        logLine(tr(" +++ Spielzeit: %1:%2 (%3:%4) %5")
                    .arg(form.D_Min.text, form.D_Sec.text, form.Pkt_l.text, form.Pkt_r.text, what));
}

void MatchContext::note(const QString& text) const {
    form.note(text);
}

} // namespace ml
