// Team fouls, and a player's fouls where the rules count them, under a sport that counts fouls:
// basketball (FIBA 41: from the fifth team foul of a quarter the opponent shoots free throws, the
// team foul marker goes up at the fourth; overtime counts with the fourth quarter; FIBA 40: the
// fifth foul of a player sends the player out) and futsal (Law 13: from the sixth accumulated
// foul of a half a direct free kick from the second penalty mark; extra time counts with the
// second half). The counts belong to the team and change ends with it.

#include "form/number_text.h"
#include "match/failure_box.h"
#include "match/match_engine.h"

#include <QRegularExpression>

namespace ml {

QString MatchEngine::foulCount(int n) {
    return n == 1 ? tr("1 Foul") : tr("%1 Fouls").arg(n);
}

void MatchEngine::foulL_Click() {
    foul(leftPenalty());
}

void MatchEngine::foulR_Click() {
    foul(rightPenalty());
}

void MatchEngine::foul(const PenaltySide& side) {
    const SportRules& r = rules();
    const FoulRules& rules = r.fouls;
    if (!rules.counted()) {
        note(r.free() ? tr("Ohne Sportart werden keine Fouls gezählt.")
                      : tr("%1 zählt keine Fouls.").arg(r.title()));
        return;
    }
    int number = 0;
    if (rules.playerLimit > 0) {
        static const QRegularExpression playerNumber(QStringLiteral("^\\s*([0-9]{1,2})\\s*$"));
        const QRegularExpressionMatch m = playerNumber.match(side.number.text);
        number = m.hasMatch() ? m.captured(1).toInt() : 0;
        if (!side.number.text.trimmed().isEmpty() && number == 0) {
            showFailure(dialogs_, tr("Foul kontrollieren"), kFaultInvalidArgument,
                        tr(" beim Zählen des Fouls:"),
                        tr("\"%1\" ist keine Spielernummer von 1 bis 99").arg(side.number.text),
                        tr("Nummer von 1 bis 99 eingeben oder das Feld leer lassen"));
            side.number.text.clear();
            return;
        }
    }
    QStringList notes;
    if (number != 0) {
        const int fouls = side.players.count(number) ? side.players[number].fouls + 1 : 1;
        if (fouls >= rules.playerLimit &&
            dialogs_.messageBox(
                (fouls == rules.playerLimit
                     ? tr("#%1 von %2: %3. Foul – der Spieler muss das Spiel verlassen.\r\n\r\n"
                          "Foul eintragen?")
                     : tr("#%1 von %2 hat schon %3 Fouls und spielt nicht mehr mit.\r\n\r\n"
                          "Noch ein Foul eintragen?"))
                    .arg(number)
                    .arg(side.name.text)
                    .arg(fouls == rules.playerLimit ? fouls : fouls - 1),
                tr("Foul"), Icon::None, Buttons::YesNo, Answer::No) != Answer::Yes)
            return;
        PlayerMarks& m = side.players[number];
        m.fouls = fouls;
        m.sentOff = m.sentOff || fouls >= rules.playerLimit;
        notes << tr("%1. Foul des Spielers").arg(fouls);
    }
    ++side.fouls;
    ++side.foulsMatch;
    notes.prepend(tr("%1. Teamfoul").arg(side.fouls));
    if (side.fouls >= rules.limit && !r.foulMark().isEmpty())
        notes.insert(1, r.foulMark());
    logAt(number ? tr("Foul #%1 %2").arg(number).arg(side.name.text)
                 : tr("Foul %1").arg(side.name.text));
    ListedPenalty player;
    player.number = number;
    player.lengthSec = 0;
    report(EventKind::Foul, &side, &player, notes.join(QStringLiteral(", ")));
    side.number.text.clear();
    showSport();
}

// The counter under the team's foul button: its fouls in the period, and the rules' mark from the
// limit on ("4  Bonus").
void MatchEngine::showFouls(const PenaltySide& side) {
    const SportRules& r = rules();
    const bool counted = !r.free() && r.fouls.counted();
    side.foul.visible = side.foulsShown.visible = counted;
    if (!counted)
        return;
    const bool marked = side.fouls >= r.fouls.limit && !r.foulMark().isEmpty();
    side.foulsShown.text =
        QString::number(side.fouls) + (marked ? QStringLiteral("  ") + r.foulMark() : QString());
}

} // namespace ml
