#include "web/state_json.h"

#include "core/match_report.h"
#include "match/time_values.h"

#include <QJsonArray>

#include <cmath>

namespace ml::web {

namespace {

CountReading running(MatchEngine& match, const Clock& clock) {
    const std::optional<double> seconds = match.runningCount();
    const qint64 at = clock.wallMs();
    if (!seconds)
        return {};
    return {true, std::llround(*seconds * 1000), at};
}

CountReading standing(const QString& minutes, const QString& seconds) {
    const std::optional<double> value = readClock(minutes, seconds);
    return {false, value ? std::llround(*value * 1000) : 0, 0};
}

QJsonValue countJson(const CountReading& count, QJsonObject object) {
    object.insert(QStringLiteral("running"), count.running);
    object.insert(QStringLiteral("ms"), count.ms);
    object.insert(QStringLiteral("at"), count.running ? QJsonValue(count.atMs) : QJsonValue());
    return object;
}

QJsonObject side(const TextBox& name, const TextBox& score, const QString& colour,
                 const Penalty& penalty, const TextBox& served,
                 const std::vector<PenaltyView>& listed, QJsonValue timeouts, QJsonValue fouls) {
    QJsonArray penalties;
    for (const PenaltyView& p : listed)
        penalties.append(
            QJsonObject{{QStringLiteral("number"), p.number ? QJsonValue(p.number) : QJsonValue()},
                        {QStringLiteral("text"), QStringLiteral("%1:%2")
                                                     .arg(p.toServe / 60, 2, 10, QLatin1Char('0'))
                                                     .arg(p.toServe % 60, 2, 10, QLatin1Char('0'))},
                        {QStringLiteral("running"), p.running},
                        {QStringLiteral("coincident"), p.coincident}});
    return {{QStringLiteral("name"), name.text},
            {QStringLiteral("score"), score.text},
            {QStringLiteral("colour"), colour},
            {QStringLiteral("penalty"),
             penalty.running ? QJsonValue(QJsonObject{{QStringLiteral("text"), served.text}})
                             : QJsonValue()},
            {QStringLiteral("penalties"), penalties},
            {QStringLiteral("timeouts"), timeouts},
            {QStringLiteral("fouls"), fouls}};
}

QJsonValue foulsJson(const SportReadings& sport, int period, int match) {
    if (sport.foulLimit == 0)
        return QJsonValue();
    const bool marked = period >= sport.foulLimit && !sport.foulMark.isEmpty();
    return QJsonObject{
        {QStringLiteral("period"), period},
        {QStringLiteral("match"), match},
        {QStringLiteral("mark"), marked ? QJsonValue(sport.foulMark) : QJsonValue()}};
}

// `marks`: the allowance that binds now as the window shows it, taken ● and still allowed ○.
QJsonValue timeoutsJson(bool counted, int match, int half, const QString& marks) {
    if (!counted)
        return QJsonValue();
    return QJsonObject{{QStringLiteral("match"), match},
                       {QStringLiteral("half"), half},
                       {QStringLiteral("marks"), marks}};
}

// The side charged with the timeout that runs: that of the record's last timeout ("home",
// "guest"); none for the referees' timeout.
QJsonValue timeoutTeam(const QJsonArray& record) {
    for (auto it = record.end(); it != record.begin();) {
        const QJsonObject e = (*--it).toObject();
        if (e.value(QLatin1String("counts")) == QLatin1String("timeout")) {
            const QString side = e.value(QLatin1String("side")).toString();
            return side.isEmpty() ? QJsonValue() : QJsonValue(side);
        }
    }
    return QJsonValue();
}

QString phaseName(int phase) {
    switch (phase) {
    case phase::kPlaying:
        return QStringLiteral("playing");
    case phase::kEnded:
        return QStringLiteral("ended");
    case phase::kBreak:
        return QStringLiteral("break");
    case phase::kOver:
        return QStringLiteral("over");
    default:
        return QStringLiteral("ready");
    }
}

QString mode(const Form& f) {
    if (f.Prog.ticked())
        return QStringLiteral("program");
    if (f.ShText.ticked())
        return QStringLiteral("freeText");
    if (f.Uhr.ticked())
        return QStringLiteral("timeOfDay");
    return QStringLiteral("scoreboard");
}

// A dot row as 24 hex digits, the leftmost dot in the top bit of the first.
QString hexRow(const std::bitset<kDotColumns>& row) {
    QString hex;
    for (int nibble = 0; nibble < kDotColumns / 4; ++nibble) {
        int v = 0;
        for (int bit = 0; bit < 4; ++bit)
            v = v << 1 | int(row[size_t(nibble * 4 + bit)]);
        hex += QLatin1Char("0123456789abcdef"[v]);
    }
    return hex;
}

} // namespace

ClockReadings readClocks(Form& form, MatchEngine& match, const Clock& clock) {
    ClockReadings r;
    const bool interrupted = form.TimeoutActive || form.BreakActive;
    r.match =
        form.ClockRunning ? running(match, clock) : standing(form.D_Min.text, form.D_Sec.text);
    if (interrupted)
        r.interruption = form.ClockRunning ? standing(form.Spec_Min.text, form.Spec_Sec.text)
                                           : running(match, clock);
    return r;
}

SportReadings readSport(MatchEngine& match, const MatchRecord& record) {
    const SportRules& rules = match.rules();
    SportReadings r{rules.id, rules.title(), {}, {}, false, {}, 0, record.toJson(), {}, false, {}};
    if (rules.free())
        return r;
    r.period = match.periodTitle();
    r.penaltyLengths = match.penaltyLengths();
    r.playerFouls = rules.fouls.playerLimit > 0;
    r.next = match.nextPeriodTitle();
    r.penalties = {match.penaltyViews(true), match.penaltyViews(false)};
    r.timeouts = rules.timeouts.seconds > 0;
    r.foulLimit = rules.fouls.limit;
    r.foulMark = rules.foulMark();
    return r;
}

LineView lineView(const LineDecoder& decoder, qint64 decoderNowMs, const QString& timeOfDay) {
    const LineState& state = decoder.state();
    return {visibleRows(state, decoderNowMs, timeOfDay), state.brightness,
            decoder.blinking(decoderNowMs), ledDots(state, decoderNowMs, timeOfDay)};
}

QJsonObject stateJson(const Form& f, const ClockReadings& clocks, const LineView& line,
                      const SportReadings& sport) {
    const bool interrupted = f.TimeoutActive || f.BreakActive;
    // In the last minute the second clock shows the seconds and, in its second box, the tenths.
    const bool tenths = f.LastMinute && !interrupted && f.Spec_Sec.visible;
    QJsonObject clock{
        {QStringLiteral("text"), f.D_Min.text + QLatin1Char(':') + f.D_Sec.text},
        {QStringLiteral("countsDown"), f.Mode_down.checked},
        {QStringLiteral("stopsAtZero"), f.Mode_down.checked && f.settings[SettingId::StopAtZero]},
        {QStringLiteral("tenths"),
         tenths ? QJsonValue(f.Spec_Sec.text.left(1).toInt()) : QJsonValue()},
    };
    QJsonValue interruption;
    if (interrupted)
        interruption = countJson(
            clocks.interruption,
            {{QStringLiteral("kind"),
              f.TimeoutActive ? QStringLiteral("timeout") : QStringLiteral("break")},
             {QStringLiteral("text"), f.Spec_Min.text + QLatin1Char(':') + f.Spec_Sec.text},
             {QStringLiteral("team"), f.TimeoutActive ? timeoutTeam(sport.record) : QJsonValue()}});
    QJsonArray dots;
    for (const auto& row : line.dots)
        dots.append(hexRow(row));
    return {
        {QStringLiteral("version"), kFeedVersion},
        {QStringLiteral("home"),
         side(f.Text_l, f.Pkt_l,
              sideColour(f.EndsChanged ? f.GuestColour : f.HomeColour, f.EndsChanged), f.penaltyL,
              f.TxtStrL, sport.penalties[0],
              timeoutsJson(sport.timeouts, f.TimeoutsMatchL, f.TimeoutsHalfL, f.timeoutsL.text),
              foulsJson(sport, f.FoulsL, f.FoulsMatchL))},
        {QStringLiteral("guest"),
         side(f.Text_r, f.Pkt_r,
              sideColour(f.EndsChanged ? f.HomeColour : f.GuestColour, !f.EndsChanged), f.penaltyR,
              f.TxtStrR, sport.penalties[1],
              timeoutsJson(sport.timeouts, f.TimeoutsMatchR, f.TimeoutsHalfR, f.timeoutsR.text),
              foulsJson(sport, f.FoulsR, f.FoulsMatchR))},
        {QStringLiteral("sport"), QJsonObject{{QStringLiteral("id"), sport.id},
                                              {QStringLiteral("name"), sport.name},
                                              {QStringLiteral("penaltyLengths"),
                                               QJsonArray::fromStringList(sport.penaltyLengths)},
                                              {QStringLiteral("playerFouls"), sport.playerFouls}}},
        {QStringLiteral("period"),
         sport.period.isEmpty()
             ? QJsonValue()
             : QJsonObject{{QStringLiteral("number"), f.PeriodNumber},
                           {QStringLiteral("name"), sport.period},
                           {QStringLiteral("phase"), phaseName(f.PeriodPhase)},
                           {QStringLiteral("next"),
                            sport.next.isEmpty() ? QJsonValue() : QJsonValue(sport.next)}}},
        {QStringLiteral("record"), sport.record},
        {QStringLiteral("endsChanged"), f.EndsChanged},
        {QStringLiteral("clock"), countJson(clocks.match, clock)},
        {QStringLiteral("interruption"), interruption},
        {QStringLiteral("banner"),
         f.SpecL.visible ? QJsonValue((f.SpecL.text + f.SpecR.text).simplified()) : QJsonValue()},
        {QStringLiteral("display"), f.Displ.ticked()},
        {QStringLiteral("mode"), mode(f)},
        {QStringLiteral("mirror"), f.miror.checked},
        {QStringLiteral("brightness"), f.brightness()},
        {QStringLiteral("program"), f.programNumber()},
        {QStringLiteral("freeText"), QJsonObject{{QStringLiteral("oneLine"), !f.TwoLines},
                                                 {QStringLiteral("top"), f.TextTop},
                                                 {QStringLiteral("bottom"), f.TextBottom},
                                                 {QStringLiteral("big"), f.TextBig},
                                                 {QStringLiteral("scrollTop"), f.ScrollTop},
                                                 {QStringLiteral("scrollBottom"), f.ScrollBottom},
                                                 {QStringLiteral("scrollBig"), f.ScrollBig}}},
        {QStringLiteral("timeOfDay"), f.TimeOut.text.left(8)},
        {QStringLiteral("line"),
         QJsonObject{{QStringLiteral("rows"), QJsonArray{line.rows[0], line.rows[1]}},
                     {QStringLiteral("brightness"), line.brightness},
                     {QStringLiteral("blinking"), line.blinking},
                     {QStringLiteral("dots"), dots}}},
    };
}

} // namespace ml::web
