#include "core/match_state.h"

#include "core/settings_store.h"
#include "form/number_text.h"
#include "match/time_values.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <cmath>
#include <tuple>
#include <type_traits>
#include <variant>

namespace ml {

namespace {

const QString kFormat = QStringLiteral("marklight-state");
constexpr int kVersion = 1;
// No box of the window holds more: a longer text in a state file is not one this program wrote.
constexpr qsizetype kMaxText = 1000;

// Controls that the tick rewrites from other state, that stand for the port (restored by
// opening it again), the log (restored from the match record) or the undo history (which does not
// outlive a run).
bool derived(const Control& c) {
    static const QStringList names = {
        QStringLiteral("Combo6"),      QStringLiteral("OpenOutput"), QStringLiteral("Text1"),
        QStringLiteral("Text5"),       QStringLiteral("SpecL"),      QStringLiteral("SpecR"),
        QStringLiteral("FlashL"),      QStringLiteral("FlashR"),     QStringLiteral("Uhr_anz"),
        QStringLiteral("undo"),        QStringLiteral("redo"),       QStringLiteral("penaltyListL"),
        QStringLiteral("penaltyListR")};
    return c.kind == Kind::Label || c.kind == Kind::Image || names.contains(c.name);
}

// The free-text previews: their text is the tick's, their visibility is the display mode's.
bool derivedText(const Control& c) {
    return c.kind == Kind::MenuItem || c.name == QLatin1String("ShText_o") ||
           c.name == QLatin1String("ShText_s") || c.name == QLatin1String("ShText_u");
}

// Each stored control under its name; the items of the program menu array as "HLProgr(i)".
template <class F> void forEachControl(const Form& form, F f) {
    for (Control* c : form.controls()) {
        if (derived(*c))
            continue;
        QString key = c->name;
        for (int i = 1; i < static_cast<int>(form.HLProgr.size()); ++i)
            if (c == &*form.HLProgr[i])
                key = QStringLiteral("HLProgr(%1)").arg(i);
        f(key, *c);
    }
}

QJsonObject controlState(const Control& c) {
    const KeptControl kept = keptPart(c);
    QJsonObject o{{QStringLiteral("visible"), kept.visible},
                  {QStringLiteral("enabled"), kept.enabled}};
    if (dynamic_cast<const TextControl*>(&c) && !derivedText(c))
        o.insert(QStringLiteral("text"), kept.text);
    if (dynamic_cast<const CheckBox*>(&c))
        o.insert(QStringLiteral("value"), kept.value);
    if (dynamic_cast<const MenuItem*>(&c))
        o.insert(QStringLiteral("checked"), kept.value != 0);
    return o;
}

void restoreControl(Control& c, const QJsonObject& o) {
    const auto flag = [&](const char* key, bool& into) {
        if (const QJsonValue v = o.value(QLatin1String(key)); v.isBool())
            into = v.toBool();
    };
    flag("visible", c.visible);
    flag("enabled", c.enabled);
    if (auto* t = dynamic_cast<TextControl*>(&c); t && !derivedText(c)) {
        if (const QJsonValue v = o.value(QLatin1String("text"));
            v.isString() && v.toString().size() <= kMaxText)
            t->text = v.toString();
    }
    // The value is put back without running the box's handler: the rest of the form is restored
    // as the handler left it.
    if (auto* box = dynamic_cast<CheckBox*>(&c)) {
        if (const QJsonValue v = o.value(QLatin1String("value"));
            v.isDouble() && (v.toDouble() == 0 || v.toDouble() == 1))
            box->initValue(v.toInt());
    }
    if (auto* item = dynamic_cast<MenuItem*>(&c))
        flag("checked", item->checked);
}

// A kept state is read as untrusted input (a damaged or hand-edited file): a choice of which
// exactly one must hold, or a value the operator could not have typed, keeps the fresh form's.
void refuseImpossibleValues(Form& form, const Form& fresh) {
    const auto menuGroup = [&](std::vector<MenuItem*> items, std::vector<const MenuItem*> before) {
        int checked = 0;
        for (MenuItem* m : items)
            checked += m->checked;
        if (checked != 1)
            for (size_t i = 0; i < items.size(); ++i)
                items[i]->checked = before[i]->checked;
    };
    menuGroup({&form.Baud_1200, &form.Baud_2400, &form.Baud_4800, &form.Baud_9600},
              {&fresh.Baud_1200, &fresh.Baud_2400, &fresh.Baud_4800, &fresh.Baud_9600});
    menuGroup({&form.br_low, &form.br_med, &form.br_high},
              {&fresh.br_low, &fresh.br_med, &fresh.br_high});
    menuGroup({&form.Mode_up, &form.Mode_down}, {&fresh.Mode_up, &fresh.Mode_down});
    menuGroup({&form.up, &form.down}, {&fresh.up, &fresh.down});
    std::vector<MenuItem*> programs;
    std::vector<const MenuItem*> freshPrograms;
    for (size_t i = 1; i < form.HLProgr.size(); ++i) {
        programs.push_back(&*form.HLProgr[i]);
        freshPrograms.push_back(&*fresh.HLProgr[i]);
    }
    menuGroup(programs, freshPrograms);

    // Values the operator could not have typed keep the fresh form's: lengths beyond the clock's
    // range, a clock or penalty end the 16-bit fields cannot hold.
    for (auto [box, before] : {std::pair{&form.Startwert, &fresh.Startwert},
                               {&form.TimeoutValue, &fresh.TimeoutValue},
                               {&form.BreakValue, &fresh.BreakValue},
                               {&form.ValStrafeL, &fresh.ValStrafeL},
                               {&form.ValStrafeR, &fresh.ValStrafeR}})
        if (!lengthText(box->text))
            box->text = before->text;
    for (auto [minutes, seconds, freshMinutes, freshSeconds] :
         {std::tuple{&form.D_Min, &form.D_Sec, &fresh.D_Min, &fresh.D_Sec},
          {&form.Spec_Min, &form.Spec_Sec, &fresh.Spec_Min, &fresh.Spec_Sec}}) {
        const std::optional<double> clock = readClock(minutes->text, seconds->text);
        if (!clock || !countInRange(*clock)) {
            minutes->text = freshMinutes->text;
            seconds->text = freshSeconds->text;
        }
    }
    for (Penalty* p : {&form.penaltyL, &form.penaltyR})
        if (!fitsInt16(p->endMin * 60.0 + p->endSec))
            *p = Penalty{};
    if (form.ClockRunning + form.TimeoutActive + form.BreakActive > 1) {
        form.ClockRunning = fresh.ClockRunning;
        form.TimeoutActive = fresh.TimeoutActive;
        form.BreakActive = fresh.BreakActive;
    }
    if (form.Uhr.ticked() + form.Prog.ticked() + form.ShText.ticked() > 1) {
        form.Uhr.initValue(fresh.Uhr.value());
        form.Prog.initValue(fresh.Prog.value());
        form.ShText.initValue(fresh.ShText.value());
    }
    // The timers follow the count: the next tick sets them exactly.
    const bool tenths = form.ClockRunning && form.LastMinute;
    form.Timer2.enabled = true;
    form.Timer2.interval = tenths ? 100 : 1000;
    form.Timer3.enabled = tenths;
}

QJsonValue penaltiesJson(const PenaltyList& list) {
    QJsonArray entries;
    for (const ListedPenalty& p : list)
        entries.append(QJsonObject{{QStringLiteral("id"), p.id},
                                   {QStringLiteral("number"), p.number},
                                   {QStringLiteral("length"), p.lengthSec},
                                   {QStringLiteral("running"), p.running},
                                   {QStringLiteral("endMs"), double(p.endMs)},
                                   {QStringLiteral("givenMs"), double(p.givenMs)},
                                   {QStringLiteral("reducesTeam"), p.reducesTeam},
                                   {QStringLiteral("endsOnGoal"), p.endsOnGoal},
                                   {QStringLiteral("coincidentWith"), p.coincidentWith},
                                   {QStringLiteral("after"), p.after}});
    return entries;
}

bool wholeIn(const QJsonValue& x, double min, double max) {
    const double d = x.toDouble(min - 1);
    return x.isDouble() && d == std::floor(d) && d >= min && d <= max;
}

// A stored list, each entry checked as the window checks a typed one; nothing for one that is
// not such a list.
std::optional<PenaltyList> penaltiesFrom(const QJsonValue& v) {
    const QJsonArray entries = v.toArray();
    if (!v.isArray() || entries.size() > qsizetype(kMaxPenalties))
        return std::nullopt;
    // A penalty's end and the moment it was given lie within the playing time a match can have.
    constexpr double kMs = 1000.0 * (kInt16Max + 99 * 60);
    PenaltyList list;
    for (const QJsonValue& e : entries) {
        const QJsonObject o = e.toObject();
        const auto at = [&o](const char* key) { return o.value(QLatin1String(key)); };
        if (!wholeIn(at("id"), 0, kInt16Max) || !wholeIn(at("number"), 0, 99) ||
            !wholeIn(at("length"), 1, 99 * 60) || !wholeIn(at("endMs"), -kMs, kMs) ||
            !wholeIn(at("givenMs"), -kMs, kMs) || !wholeIn(at("coincidentWith"), 0, kInt16Max) ||
            !wholeIn(at("after"), 0, kInt16Max) || !at("running").isBool() ||
            !at("reducesTeam").isBool() || !at("endsOnGoal").isBool())
            return std::nullopt;
        list.push_back({at("id").toInt(), at("number").toInt(), at("length").toInt(),
                        at("running").toBool(), qint64(at("endMs").toDouble()),
                        qint64(at("givenMs").toDouble()), at("reducesTeam").toBool(),
                        at("endsOnGoal").toBool(), at("coincidentWith").toInt(),
                        at("after").toInt()});
    }
    return list;
}

QJsonValue playersJson(const PlayerSheet& players) {
    QJsonArray entries;
    for (const auto& [number, m] : players) {
        QJsonObject entry{{QStringLiteral("number"), number},
                          {QStringLiteral("fouls"), m.fouls},
                          {QStringLiteral("penalties"), m.penalties},
                          {QStringLiteral("sentOff"), m.sentOff}};
        // Only where the rules give cards, so that other sports' states stay as they were.
        if (m.warnings)
            entry.insert(QStringLiteral("warnings"), m.warnings);
        if (m.reported)
            entry.insert(QStringLiteral("reported"), true);
        entries.append(entry);
    }
    return entries;
}

// A stored sheet of a side's players; nothing for one that is not such a sheet.
std::optional<PlayerSheet> playersFrom(const QJsonValue& v) {
    const QJsonArray entries = v.toArray();
    if (!v.isArray() || entries.size() > 99)
        return std::nullopt;
    PlayerSheet players;
    for (const QJsonValue& e : entries) {
        const QJsonObject o = e.toObject();
        const auto at = [&o](const char* key) { return o.value(QLatin1String(key)); };
        // A state kept before cards were noted has neither "warnings" nor "reported".
        const QJsonValue warnings = at("warnings").isUndefined() ? QJsonValue(0) : at("warnings");
        const QJsonValue reported =
            at("reported").isUndefined() ? QJsonValue(false) : at("reported");
        if (!wholeIn(at("number"), 1, 99) || !wholeIn(at("fouls"), 0, 999) ||
            !wholeIn(at("penalties"), 0, 999) || !at("sentOff").isBool() ||
            !wholeIn(warnings, 0, 999) || !reported.isBool())
            return std::nullopt;
        players[at("number").toInt()] = {at("fouls").toInt(), at("penalties").toInt(),
                                         at("sentOff").toBool(), warnings.toInt(),
                                         reported.toBool()};
    }
    return players;
}

struct ToJson {
    template <class T> QJsonValue operator()(const T& v) const { return QJsonValue(v); }
    QJsonValue operator()(const PenaltyList& list) const { return penaltiesJson(list); }
    QJsonValue operator()(const PlayerSheet& players) const { return playersJson(players); }
};

} // namespace

bool keptInState(const Control& control) {
    return !derived(control);
}

KeptControl keptPart(const Control& c) {
    KeptControl kept{c.visible, c.enabled, {}, 0};
    if (const auto* t = dynamic_cast<const TextControl*>(&c); t && !derivedText(c))
        kept.text = t->text;
    if (const auto* box = dynamic_cast<const CheckBox*>(&c))
        kept.value = box->value();
    if (const auto* item = dynamic_cast<const MenuItem*>(&c))
        kept.value = item->checked;
    return kept;
}

QJsonObject stateContent(const Form& form) {
    QJsonObject controls;
    forEachControl(
        form, [&](const QString& key, const Control& c) { controls.insert(key, controlState(c)); });
    QJsonObject values;
    for (const Field& field : formFields())
        if (field.stored)
            values.insert(QLatin1String(field.stored), std::visit(ToJson{}, valueOf(field, form)));
    return {{QStringLiteral("controls"), controls}, {QStringLiteral("fields"), values}};
}

void restoreContent(Form& form, const QJsonObject& content) {
    // The form as start-up left it, for the groups that do not agree.
    Form fresh;
    fresh.Baud_1200.checked = form.Baud_1200.checked;
    fresh.Baud_2400.checked = form.Baud_2400.checked;
    fresh.Baud_4800.checked = form.Baud_4800.checked;
    fresh.Baud_9600.checked = form.Baud_9600.checked;
    fresh.br_low.checked = form.br_low.checked;
    fresh.br_med.checked = form.br_med.checked;
    fresh.br_high.checked = form.br_high.checked;
    fresh.Mode_up.checked = form.Mode_up.checked;
    fresh.Mode_down.checked = form.Mode_down.checked;
    for (auto [box, into] : {std::pair{&form.Startwert, &fresh.Startwert},
                             {&form.TimeoutValue, &fresh.TimeoutValue},
                             {&form.BreakValue, &fresh.BreakValue},
                             {&form.ValStrafeL, &fresh.ValStrafeL},
                             {&form.ValStrafeR, &fresh.ValStrafeR},
                             {&form.D_Min, &fresh.D_Min},
                             {&form.D_Sec, &fresh.D_Sec}})
        into->text = box->text;

    const QJsonObject controls = content.value(QLatin1String("controls")).toObject();
    forEachControl(form, [&](const QString& key, const Control& c) {
        if (const QJsonValue v = controls.value(key); v.isObject())
            restoreControl(const_cast<Control&>(c), v.toObject());
    });
    const QJsonObject values = content.value(QLatin1String("fields")).toObject();
    for (const Field& field : formFields()) {
        if (!field.stored)
            continue;
        const QJsonValue v = values.value(QLatin1String(field.stored));
        const double d = v.toDouble();
        const bool whole =
            v.isDouble() && d == std::floor(d) && d >= double(field.min) && d <= double(field.max);
        std::visit(
            [&](auto at) {
                auto& into = at(form);
                using T = std::remove_reference_t<decltype(into)>;
                if constexpr (std::is_same_v<T, bool>) {
                    if (v.isBool())
                        into = v.toBool();
                } else if constexpr (std::is_same_v<T, QString>) {
                    if (v.isString() && v.toString().size() <= kMaxText)
                        into = v.toString();
                } else if constexpr (std::is_same_v<T, PenaltyList>) {
                    if (const std::optional<PenaltyList> list = penaltiesFrom(v))
                        into = *list;
                } else if constexpr (std::is_same_v<T, PlayerSheet>) {
                    if (const std::optional<PlayerSheet> players = playersFrom(v))
                        into = *players;
                } else if constexpr (std::is_same_v<T, double>) {
                    if (v.isDouble())
                        into = d;
                } else if (whole) {
                    into = static_cast<T>(d);
                }
            },
            field.at);
    }
    refuseImpossibleValues(form, fresh);
}

QByteArray MatchState::toJson() const {
    QJsonObject o = content;
    o.insert(QStringLiteral("format"), kFormat);
    o.insert(QStringLiteral("version"), kVersion);
    o.insert(QStringLiteral("ended"), ended);
    o.insert(QStringLiteral("savedAt"), double(savedAtMs));
    o.insert(QStringLiteral("timeOfDay"), timeOfDay);
    if (count)
        o.insert(QStringLiteral("count"), *count);
    o.insert(QStringLiteral("record"), record);
    o.insert(QStringLiteral("events"), events);
    o.insert(QStringLiteral("port"), QJsonObject{{QStringLiteral("device"), portDevice},
                                                 {QStringLiteral("open"), portOpen}});
    o.insert(QStringLiteral("line2"), QJsonObject{{QStringLiteral("device"), line2Device},
                                                  {QStringLiteral("open"), line2Open}});
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

std::optional<MatchState> MatchState::fromJson(const QByteArray& bytes) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    const QJsonObject o = doc.object();
    if (error.error != QJsonParseError::NoError || !doc.isObject() ||
        o.value(QLatin1String("format")) != kFormat ||
        o.value(QLatin1String("version")) != kVersion)
        return std::nullopt;
    MatchState s;
    s.content = {{QStringLiteral("controls"), o.value(QLatin1String("controls"))},
                 {QStringLiteral("fields"), o.value(QLatin1String("fields"))}};
    s.ended = o.value(QLatin1String("ended")).toBool(false);
    const double at = o.value(QLatin1String("savedAt")).toDouble(0);
    // Milliseconds since 1970 up to the year 9999; anything else says nothing of the save.
    if (at == std::floor(at) && at > 0 && at < 253402300800000.0)
        s.savedAtMs = static_cast<qint64>(at);
    s.timeOfDay = o.value(QLatin1String("timeOfDay")).toString().left(8);
    const QJsonValue count = o.value(QLatin1String("count"));
    if (count.isDouble() && countInRange(count.toDouble()))
        s.count = count.toDouble();
    s.record = o.value(QLatin1String("record")).toString();
    s.events = o.value(QLatin1String("events")).toArray();
    const QJsonObject port = o.value(QLatin1String("port")).toObject();
    s.portDevice = port.value(QLatin1String("device")).toString().left(256);
    s.portOpen = port.value(QLatin1String("open")).toBool(false);
    const QJsonObject line2 = o.value(QLatin1String("line2")).toObject();
    s.line2Device = line2.value(QLatin1String("device")).toString().left(256);
    s.line2Open = line2.value(QLatin1String("open")).toBool(false);
    return s;
}

} // namespace ml
