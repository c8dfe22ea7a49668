// IHF 16:1 and 16:2: a warning (yellow card) at most once per player and three times per team;
// the referees may still show one more, so the desk asks before it notes a warning beyond
// these limits instead of refusing it. IHF 16:6 and 16:8: a disqualification (red card) puts
// the player out for the rest of the match and the team two minutes short; a blue card shown
// after it says that a written report follows.

#include "match/cards.h"

#include "match/penalty_lists.h"
#include "match/periods.h"
#include "match/player_number.h"

#include <numeric>

namespace ml {

namespace {

int teamWarnings(const TeamSide& side) {
    return std::accumulate(
        side.players.begin(), side.players.end(), 0,
        [](int sum, const auto& player) { return sum + player.second.warnings; });
}

} // namespace

Cards::Cards(MatchContext& context, PenaltyLists& lists, Periods& periods)
    : context_(context), lists_(lists), periods_(periods) {}

void Cards::warningL_Click() {
    warning(teamSide(context_.form, true));
}

void Cards::warningR_Click() {
    warning(teamSide(context_.form, false));
}

void Cards::redCardL_Click() {
    redCard(teamSide(context_.form, true));
}

void Cards::redCardR_Click() {
    redCard(teamSide(context_.form, false));
}

bool Cards::given() const {
    const SportRules& r = context_.rules();
    if (!r.free() && r.penalties.cards() && !r.penalties.kinds.empty())
        return true;
    context_.note(r.free() ? tr("Ohne Sportart gibt es keine Karten.")
                           : tr("%1 gibt keine Karten.").arg(r.title()));
    return false;
}

void Cards::redCard(const TeamSide& side) {
    if (!given())
        return;
    if (side.number.text.trimmed().isEmpty()) {
        context_.note(tr("Disqualifikation: erst die Nr. des Spielers eingeben."));
        return;
    }
    lists_.disqualify(side);
}

void Cards::warning(const TeamSide& side) {
    if (!given())
        return;
    const std::optional<int> number = playerNumber(
        side, context_.dialogs, tr("Verwarnung kontrollieren"), tr(" beim Verwarnen:"));
    if (!number)
        return;
    if (*number == 0) {
        context_.note(tr("Verwarnung: erst die Nr. des Spielers eingeben."));
        return;
    }
    if (!noted(side, *number))
        return;
    PlayerMarks& m = side.players[*number];
    ++m.warnings;
    context_.logAt(tr("Verwarnung #%1 %2").arg(*number).arg(side.name.text));
    ListedPenalty player;
    player.number = *number;
    player.lengthSec = 0;
    context_.report(EventKind::Warning, &side, &player,
                    tr("%1. Verwarnung der Mannschaft").arg(teamWarnings(side)));
    side.number.text.clear();
    periods_.showSport();
}

bool Cards::noted(const TeamSide& side, int number) {
    const PenaltyRules& rules = context_.rules().penalties;
    const auto it = side.players.find(number);
    const PlayerMarks marks = it == side.players.end() ? PlayerMarks{} : it->second;
    const int team = teamWarnings(side);
    QStringList why;
    if (marks.sentOff)
        why << tr("#%1 von %2 ist vom Spiel ausgeschlossen.").arg(number).arg(side.name.text);
    if (marks.warnings >= rules.warningsPerPlayer)
        why << tr("#%1 von %2 ist schon verwarnt (höchstens %3 Verwarnung je Spieler).")
                   .arg(number)
                   .arg(side.name.text)
                   .arg(rules.warningsPerPlayer);
    if (rules.warningsPerTeam > 0 && team >= rules.warningsPerTeam)
        why << tr("%1 hat schon %2 Verwarnungen (höchstens %3 je Mannschaft).")
                   .arg(side.name.text)
                   .arg(team)
                   .arg(rules.warningsPerTeam);
    return why.isEmpty() ||
           context_.dialogs.messageBox(
               why.join(QStringLiteral("\r\n")) + tr("\r\n\r\nTrotzdem eine Verwarnung eintragen?"),
               tr("Verwarnung"), Icon::None, Buttons::YesNo, Answer::No) == Answer::Yes;
}

} // namespace ml
