// Penalties: one per side, measured in match time. The end is fixed as a match clock value at
// the start; each tick of the running clock shows the time still to serve.
//
// The window's fields hold ends as signed 16-bit values. A penalty whose end would fall outside
// that range is refused rather than wrapped. The clock itself may stand anywhere (the operator
// types it), so the time still to serve is computed in 64-bit integers from the clock held
// within the int range.

#include "form/captions.h"
#include "form/number_text.h"
#include "match/failure_box.h"
#include "match/match_engine.h"
#include "match/time_values.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace ml {

namespace {

QString twoDigits(long long v) {
    const QString text = wholeText(v);
    return text.size() < 2 ? QStringLiteral("0") + text : text;
}

} // namespace

MatchEngine::PenaltySide MatchEngine::leftPenalty() {
    Form& f = form_;
    return {f.StrafeL,       f.ValStrafeL,    f.TxtStrL,      f.penaltyL,  true,
            f.penaltiesL,    f.playerL,       f.penaltyListL, f.Text_l,    f.TimeoutsMatchL,
            f.TimeoutsHalfL, f.TimeoutsLastL, f.teamTimeoutL, f.timeoutsL, f.playersL,
            f.FoulsL,        f.FoulsMatchL,   f.foulL,        f.foulsL};
}

MatchEngine::PenaltySide MatchEngine::rightPenalty() {
    Form& f = form_;
    return {f.StrafeR,       f.ValStrafeR,    f.TxtStrR,      f.penaltyR,  false,
            f.penaltiesR,    f.playerR,       f.penaltyListR, f.Text_r,    f.TimeoutsMatchR,
            f.TimeoutsHalfR, f.TimeoutsLastR, f.teamTimeoutR, f.timeoutsR, f.playersR,
            f.FoulsR,        f.FoulsMatchR,   f.foulR,        f.foulsR};
}

// Without a sport's rules the button starts and stops the side's one penalty; under them it adds
// a penalty to the side's list.
void MatchEngine::StrafeL_Click() {
    rules().free() ? penaltyClick(leftPenalty()) : addPenalty(leftPenalty());
}

void MatchEngine::StrafeR_Click() {
    rules().free() ? penaltyClick(rightPenalty()) : addPenalty(rightPenalty());
}

// A penalty whose end would lie outside the 16-bit match time.
void MatchEngine::refusePenaltyOverflow() {
    showFailure(dialogs_, tr("Strafe kontrollieren"), kFaultOverflow,
                tr(" beim Starten der Strafe:"),
                tr("Überlauf: das Ende der Strafe läge außerhalb der Spielzeit "
                   "von -32768 bis 32767 Sekunden"),
                tr("Länge der Strafe und Spielzeit kontrollieren"));
}

void MatchEngine::penaltyClick(const PenaltySide& side) {
    Form& f = form_;
    if (side.penalty.running) {
        side.penalty.running = false;
        side.button.text = captions::startPenalty();
        side.text.visible = false;
        return;
    }

    // Everything is checked before anything changes: a refused penalty leaves no trace.
    const std::optional<double> clock = readClock(f.D_Min.text, f.D_Sec.text);
    if (!clock) {
        refuseUnreadableClock(tr(" beim Starten der Strafe:"));
        return;
    }
    const std::optional<double> minutes = readNumber(side.length.text);
    if (!minutes) {
        showFailure(dialogs_, QStringLiteral("2.0"), kFaultTypeMismatch,
                    tr(" beim Starten der Strafe:"), notANumberDescription(side.length.text),
                    tr("Länge der Strafe in Min eingeben"));
        side.length.text = QStringLiteral("2.0");
        return;
    }
    const double length = *minutes * 60;
    const double end = std::nearbyint(f.Mode_up.checked ? *clock + length : *clock - length);
    if (!fitsInt16(end)) {
        refusePenaltyOverflow();
        return;
    }

    f.LogPending = true;
    side.penalty.running = true;
    side.button.text = captions::stopPenalty();
    side.text.visible = true;
    const long long endSeconds = roundHalfEven(end);
    side.penalty.endMin = static_cast<int>(endSeconds / 60);
    side.penalty.endSec = static_cast<int>(endSeconds - side.penalty.endMin * 60LL);
    side.text.text = penaltyText(side, *clock);
}

QString MatchEngine::penaltyText(const PenaltySide& side, double clock) const {
    // Held within the int range so that minutes and seconds convert exactly; no match clock
    // comes near it.
    const long long c =
        static_cast<long long>(std::clamp(clock, double{-INT_MAX}, double{INT_MAX}));
    const auto minutes = static_cast<int>(c / 60);
    const auto seconds = static_cast<int>(c % 60);
    const QString served = Strafe(minutes, seconds, side.penalty.endMin, side.penalty.endSec);
    // The blank stands on the outer side of each team's half.
    return side.left ? QStringLiteral(" ") + served : served + QStringLiteral(" ");
}

void MatchEngine::advancePenalties() {
    const Form& f = form_;
    const bool free = rules().free();
    if (free ? !f.penaltyL.running && !f.penaltyR.running
             : f.penaltiesL.empty() && f.penaltiesR.empty())
        return;
    if (!free) {
        const qint64 now = clockMs();
        for (const PenaltySide& side : {leftPenalty(), rightPenalty()}) {
            servePenalties(side, now);
            showPenalties(side, now);
        }
        return;
    }
    const std::optional<double> clock = readClock(f.D_Min.text, f.D_Sec.text);
    if (!clock)
        return;
    for (const PenaltySide& side : {leftPenalty(), rightPenalty()})
        if (side.penalty.running)
            side.text.text = penaltyText(side, *clock);
}

QString MatchEngine::Strafe(int minutes, int seconds, int endMin, int endSec) const {
    const long long now = minutes * 60LL + seconds;
    const long long end = endMin * 60LL + endSec;
    const long long d = form_.Mode_up.checked ? end - now : now - end;
    if (d < 0)
        return QStringLiteral("00:00");
    const long long mm = d / 60;
    return twoDigits(mm) + QLatin1Char(':') + twoDigits(d - mm * 60);
}

} // namespace ml
