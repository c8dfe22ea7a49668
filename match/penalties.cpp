// Without a sport's rules: one penalty per side. The end is fixed as a match clock value at the
// start; each tick of the running clock shows the time still to serve.
//
// The window's fields hold ends as signed 16-bit values. A penalty whose end would fall outside
// that range is refused rather than wrapped. The clock itself may stand anywhere (the operator
// types it), so the time still to serve is computed in 64-bit integers from the clock held
// within the int range.

#include "match/penalties.h"

#include "form/captions.h"
#include "form/number_text.h"
#include "match/clock_count.h"
#include "match/failure_box.h"
#include "match/penalty_lists.h"
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

Penalties::Penalties(MatchContext& context, ClockCount& count, PenaltyLists& lists)
    : context_(context), form_(context.form), count_(count), lists_(lists) {}

// Without a sport's rules the button starts and stops the side's one penalty; under them it adds
// a penalty to the side's list.
void Penalties::StrafeL_Click() {
    const TeamSide side = teamSide(form_, true);
    context_.rules().free() ? penaltyClick(side) : lists_.addPenalty(side);
}

void Penalties::StrafeR_Click() {
    const TeamSide side = teamSide(form_, false);
    context_.rules().free() ? penaltyClick(side) : lists_.addPenalty(side);
}

void Penalties::refuseOverflow() {
    showFailure(context_.dialogs, tr("Strafe kontrollieren"), kFaultOverflow,
                tr(" beim Starten der Strafe:"),
                tr("Überlauf: das Ende der Strafe läge außerhalb der Spielzeit "
                   "von -32768 bis 32767 Sekunden"),
                tr("Länge der Strafe und Spielzeit kontrollieren"));
}

void Penalties::penaltyClick(const TeamSide& side) {
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
        count_.refuseUnreadableClock(tr(" beim Starten der Strafe:"));
        return;
    }
    const std::optional<double> minutes = readNumber(side.length.text);
    if (!minutes) {
        showFailure(context_.dialogs, QStringLiteral("2.0"), kFaultTypeMismatch,
                    tr(" beim Starten der Strafe:"), notANumberDescription(side.length.text),
                    tr("Länge der Strafe in Min eingeben"));
        side.length.text = QStringLiteral("2.0");
        return;
    }
    const double length = *minutes * 60;
    const double end = std::nearbyint(f.Mode_up.checked ? *clock + length : *clock - length);
    if (!fitsInt16(end)) {
        refuseOverflow();
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

QString Penalties::penaltyText(const TeamSide& side, double clock) const {
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

void Penalties::advancePenalties() {
    const Form& f = form_;
    const bool free = context_.rules().free();
    if (free ? !f.penaltyL.running && !f.penaltyR.running
             : f.penaltiesL.empty() && f.penaltiesR.empty())
        return;
    if (!free) {
        lists_.advance();
        return;
    }
    const std::optional<double> clock = readClock(f.D_Min.text, f.D_Sec.text);
    if (!clock)
        return;
    for (const TeamSide& side : {teamSide(form_, true), teamSide(form_, false)})
        if (side.penalty.running)
            side.text.text = penaltyText(side, *clock);
}

QString Penalties::Strafe(int minutes, int seconds, int endMin, int endSec) const {
    const long long now = minutes * 60LL + seconds;
    const long long end = endMin * 60LL + endSec;
    const long long d = form_.Mode_up.checked ? end - now : now - end;
    if (d < 0)
        return QStringLiteral("00:00");
    const long long mm = d / 60;
    return twoDigits(mm) + QLatin1Char(':') + twoDigits(d - mm * 60);
}

} // namespace ml
