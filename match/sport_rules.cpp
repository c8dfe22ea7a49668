#include "match/sport_rules.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace ml {

namespace {

const QString kFormat = QStringLiteral("marklight-sports");
constexpr int kVersion = 1;
// Lengths the window's boxes and the display's minutes can show.
constexpr double kMaxMinutes = 99;
constexpr int kMaxPeriods = 9;
constexpr int kMaxPenaltyKinds = 6;
constexpr int kMaxTimeouts = 9;
constexpr int kMaxFouls = 20;
constexpr qsizetype kMaxName = 32;

// What went wrong where, for the one line the operator reads.
struct Reader {
    QString where;
    QString error;

    bool fail(const QString& what) {
        if (error.isEmpty())
            error = where + what;
        return false;
    }
    // Minutes as whole seconds: `min` < minutes <= 99 (or from 0 with `zero`).
    bool seconds(const QJsonObject& o, const char* key, int& into, bool zero = false) {
        const QJsonValue v = o.value(QLatin1String(key));
        const double minutes = v.toDouble(-1);
        const double s = minutes * 60;
        if (!v.isDouble() || (zero ? minutes < 0 : minutes <= 0) || minutes > kMaxMinutes ||
            std::abs(s - std::round(s)) > 1e-6)
            return fail(SportRules::tr("\"%1\" ist keine Länge von %2 bis 99 Minuten")
                            .arg(QLatin1String(key),
                                 zero ? QStringLiteral("0") : SportRules::tr("über 0")));
        into = static_cast<int>(std::lround(s));
        return true;
    }
    bool whole(const QJsonObject& o, const char* key, int& into, int min, int max,
               bool optional = false) {
        const QJsonValue v = o.value(QLatin1String(key));
        if (optional && v.isUndefined())
            return true;
        const double d = v.toDouble(-1e9);
        if (!v.isDouble() || d != std::floor(d) || d < min || d > max)
            return fail(SportRules::tr("\"%1\" ist keine ganze Zahl von %2 bis %3")
                            .arg(QLatin1String(key))
                            .arg(min)
                            .arg(max));
        into = static_cast<int>(d);
        return true;
    }
    bool flag(const QJsonObject& o, const char* key, bool& into) {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isUndefined())
            return true;
        if (!v.isBool())
            return fail(SportRules::tr("\"%1\" ist weder true noch false").arg(QLatin1String(key)));
        into = v.toBool();
        return true;
    }
    bool text(const QJsonObject& o, const char* key, QString& into) {
        const QString t = o.value(QLatin1String(key)).toString();
        const bool printable = std::all_of(t.begin(), t.end(), [](QChar c) { return c.isPrint(); });
        if (t.trimmed().isEmpty() || t.size() > kMaxName || !printable)
            return fail(SportRules::tr("\"%1\" fehlt oder ist kein Name bis 32 Zeichen")
                            .arg(QLatin1String(key)));
        into = t;
        return true;
    }
};

bool readTimeouts(Reader& r, const QJsonObject& o, TimeoutRules& t) {
    if (!r.seconds(o, "minutes", t.seconds) ||
        !r.whole(o, "perMatch", t.perMatch, 0, kMaxTimeouts, true) ||
        !r.whole(o, "lastMax", t.lastMax, 0, kMaxTimeouts, true) ||
        !r.whole(o, "perOvertime", t.perOvertime, 0, kMaxTimeouts, true))
        return false;
    if (o.contains(QLatin1String("lastMinutes")) && !r.seconds(o, "lastMinutes", t.lastSeconds))
        return false;
    if (o.contains(QLatin1String("perHalf"))) {
        const QJsonArray halves = o.value(QLatin1String("perHalf")).toArray();
        if (halves.size() != 2)
            return r.fail(SportRules::tr("\"perHalf\" hat nicht zwei Zahlen"));
        for (const QJsonValue& h : halves) {
            int n = 0;
            if (!r.whole(QJsonObject{{QStringLiteral("perHalf"), h}}, "perHalf", n, 0,
                         kMaxTimeouts))
                return false;
            t.perHalf.push_back(n);
        }
    }
    return true;
}

bool readPenalties(Reader& r, const QJsonObject& o, PenaltyRules& p) {
    const QJsonValue kinds = o.value(QLatin1String("kinds"));
    if (!kinds.isArray() || kinds.toArray().size() > kMaxPenaltyKinds)
        return r.fail(SportRules::tr("\"kinds\" ist keine Liste von höchstens 6 Strafen"));
    for (const QJsonValue& k : kinds.toArray()) {
        PenaltyKind kind;
        const QJsonObject ko = k.toObject();
        if (!r.seconds(ko, "minutes", kind.seconds) ||
            !r.flag(ko, "reducesTeam", kind.reducesTeam) ||
            !r.flag(ko, "endsOnGoal", kind.endsOnGoal) || !r.flag(ko, "sendsOff", kind.sendsOff))
            return false;
        p.kinds.push_back(kind);
    }
    return r.whole(o, "maxRunning", p.maxRunning, 0, 8) && r.flag(o, "coincident", p.coincident) &&
           r.flag(o, "doubleMinor", p.doubleMinor) &&
           r.whole(o, "disqualifyAfter", p.disqualifyAfter, 0, kMaxTimeouts, true) &&
           r.whole(o, "warningsPerPlayer", p.warningsPerPlayer, 0, kMaxTimeouts, true) &&
           r.whole(o, "warningsPerTeam", p.warningsPerTeam, 0, kMaxTimeouts, true);
}

bool readFouls(Reader& r, const QJsonObject& o, FoulRules& f) {
    if (!r.whole(o, "limit", f.limit, 1, kMaxFouls) ||
        !r.whole(o, "playerLimit", f.playerLimit, 0, kMaxFouls, true))
        return false;
    f.mark = o.value(QLatin1String("mark")).toString();
    return f.mark.isEmpty() || r.text(o, "mark", f.mark);
}

bool readSport(Reader& r, const QJsonObject& o, bool builtIn, SportRules& s) {
    static const QRegularExpression idForm(QStringLiteral("^[a-z0-9-]{1,32}$"));
    s.id = o.value(QLatin1String("id")).toString();
    if (!idForm.match(s.id).hasMatch())
        return r.fail(SportRules::tr("\"id\" fehlt oder ist nicht aus a-z, 0-9 und -"));
    if (!r.text(o, "name", s.name))
        return false;
    s.builtIn = builtIn;
    // Only the program's own table has the sport without rules.
    if (builtIn && !o.contains(QLatin1String("periods")))
        return true;
    if (!r.whole(o, "periods", s.periods, 1, kMaxPeriods) ||
        !r.seconds(o, "minutes", s.periodSeconds) || !r.text(o, "periodName", s.periodName))
        return false;
    const QJsonArray breaks = o.value(QLatin1String("breaks")).toArray();
    if (breaks.size() != s.periods - 1)
        return r.fail(SportRules::tr("\"breaks\" hat nicht eine Pause weniger als Abschnitte"));
    for (const QJsonValue& b : breaks) {
        int seconds = 0;
        if (!r.seconds(QJsonObject{{QStringLiteral("breaks"), b}}, "breaks", seconds, true))
            return false;
        s.breaks.push_back(seconds);
    }
    if (o.contains(QLatin1String("overtime"))) {
        const QJsonObject ot = o.value(QLatin1String("overtime")).toObject();
        if (!r.whole(ot, "periods", s.overtime.periods, 1, 4) ||
            !r.seconds(ot, "minutes", s.overtime.seconds) ||
            !r.seconds(ot, "breakBefore", s.overtime.breakBefore, true) ||
            !r.whole(ot, "times", s.overtime.times, 0, kMaxPeriods, true))
            return false;
        if (ot.contains(QLatin1String("breakBetween")) &&
            !r.seconds(ot, "breakBetween", s.overtime.breakBetween, true))
            return false;
    }
    if (!readPenalties(r, o.value(QLatin1String("penalties")).toObject(), s.penalties))
        return false;
    if (o.contains(QLatin1String("timeouts")) &&
        !readTimeouts(r, o.value(QLatin1String("timeouts")).toObject(), s.timeouts))
        return false;
    if (o.contains(QLatin1String("fouls")) &&
        !readFouls(r, o.value(QLatin1String("fouls")).toObject(), s.fouls))
        return false;
    return r.whole(o, "assists", s.assists, 0, 2, true);
}

QJsonValue minutes(int seconds) {
    return seconds % 60 == 0 ? QJsonValue(seconds / 60) : QJsonValue(seconds / 60.0);
}

QJsonObject sportJson(const SportRules& s) {
    QJsonObject o{{QStringLiteral("id"), s.id}, {QStringLiteral("name"), s.name}};
    if (s.free())
        return o;
    o.insert(QStringLiteral("periods"), s.periods);
    o.insert(QStringLiteral("minutes"), minutes(s.periodSeconds));
    o.insert(QStringLiteral("periodName"), s.periodName);
    QJsonArray breaks;
    for (int b : s.breaks)
        breaks.append(minutes(b));
    o.insert(QStringLiteral("breaks"), breaks);
    if (s.overtime.periods > 0)
        o.insert(QStringLiteral("overtime"),
                 QJsonObject{{QStringLiteral("periods"), s.overtime.periods},
                             {QStringLiteral("minutes"), minutes(s.overtime.seconds)},
                             {QStringLiteral("breakBefore"), minutes(s.overtime.breakBefore)},
                             {QStringLiteral("breakBetween"), minutes(s.overtime.breakBetween)},
                             {QStringLiteral("times"), s.overtime.times}});
    QJsonArray kinds;
    for (const PenaltyKind& k : s.penalties.kinds)
        kinds.append(QJsonObject{{QStringLiteral("minutes"), minutes(k.seconds)},
                                 {QStringLiteral("reducesTeam"), k.reducesTeam},
                                 {QStringLiteral("endsOnGoal"), k.endsOnGoal},
                                 {QStringLiteral("sendsOff"), k.sendsOff}});
    const PenaltyRules& p = s.penalties;
    QJsonObject penalties{{QStringLiteral("kinds"), kinds},
                          {QStringLiteral("maxRunning"), p.maxRunning},
                          {QStringLiteral("coincident"), p.coincident},
                          {QStringLiteral("doubleMinor"), p.doubleMinor},
                          {QStringLiteral("disqualifyAfter"), p.disqualifyAfter}};
    if (p.cards()) {
        penalties.insert(QStringLiteral("warningsPerPlayer"), p.warningsPerPlayer);
        penalties.insert(QStringLiteral("warningsPerTeam"), p.warningsPerTeam);
    }
    o.insert(QStringLiteral("penalties"), penalties);
    if (s.fouls.counted()) {
        QJsonObject fouls{{QStringLiteral("limit"), s.fouls.limit},
                          {QStringLiteral("playerLimit"), s.fouls.playerLimit}};
        if (!s.fouls.mark.isEmpty())
            fouls.insert(QStringLiteral("mark"), s.fouls.mark);
        o.insert(QStringLiteral("fouls"), fouls);
    }
    const TimeoutRules& t = s.timeouts;
    if (t.seconds > 0) {
        QJsonObject to{{QStringLiteral("minutes"), minutes(t.seconds)}};
        const auto limit = [&to](const char* key, int v) {
            if (v >= 0)
                to.insert(QLatin1String(key), v);
        };
        limit("perMatch", t.perMatch);
        limit("perOvertime", t.perOvertime);
        if (!t.perHalf.empty())
            to.insert(QStringLiteral("perHalf"), QJsonArray{t.perHalf[0], t.perHalf[1]});
        if (t.lastSeconds > 0) {
            to.insert(QStringLiteral("lastMinutes"), minutes(t.lastSeconds));
            limit("lastMax", t.lastMax);
        }
        o.insert(QStringLiteral("timeouts"), to);
    }
    if (s.assists > 0)
        o.insert(QStringLiteral("assists"), s.assists);
    return o;
}

std::vector<SportRules> builtInSports() {
    QFile file(QStringLiteral(":/match/sports.json"));
    const bool opened = file.open(QIODevice::ReadOnly);
    ParsedSports parsed = parseSports(opened ? file.readAll() : QByteArray(), true);
    // The program's own table is part of the program: a fault in it is a fault of the build.
    Q_ASSERT_X(parsed.error.isEmpty(), "builtInSports", qPrintable(parsed.error));
    if (parsed.sports.empty()) {
        SportRules free;
        free.id = QStringLiteral("frei");
        free.name = QStringLiteral("Frei");
        free.builtIn = true;
        parsed.sports.push_back(free);
    }
    return parsed.sports;
}

} // namespace

QString lengthBoxText(int seconds) {
    if (seconds % 60 == 0)
        return QStringLiteral("%1.0").arg(seconds / 60);
    return QString::number(seconds / 60.0, 'g', 6);
}

// The built-in sports' names and period names, for the translation: a club's own stay as given.
[[maybe_unused]] const char* const kBuiltInTexts[] = {
    QT_TRANSLATE_NOOP("SportRules", "Frei"),
    QT_TRANSLATE_NOOP("SportRules", "Handball"),
    QT_TRANSLATE_NOOP("SportRules", "Handball Jugend"),
    QT_TRANSLATE_NOOP("SportRules", "Handball Jugend 2 × 20"),
    QT_TRANSLATE_NOOP("SportRules", "Floorball"),
    QT_TRANSLATE_NOOP("SportRules", "Eishockey"),
    QT_TRANSLATE_NOOP("SportRules", "Basketball"),
    QT_TRANSLATE_NOOP("SportRules", "Futsal"),
    QT_TRANSLATE_NOOP("SportRules", "%1. Halbzeit"),
    QT_TRANSLATE_NOOP("SportRules", "%1. Drittel"),
    QT_TRANSLATE_NOOP("SportRules", "%1. Viertel"),
    QT_TRANSLATE_NOOP("SportRules", "Halbzeit"),
    QT_TRANSLATE_NOOP("SportRules", "Drittel"),
    QT_TRANSLATE_NOOP("SportRules", "Viertel"),
    QT_TRANSLATE_NOOP("SportRules", "Bonus"),
    QT_TRANSLATE_NOOP("SportRules", "6. Foul"),
};

QString SportRules::title() const {
    return builtIn ? tr(name.toUtf8().constData()) : name;
}

QString SportRules::foulMark() const {
    return builtIn ? tr(fouls.mark.toUtf8().constData()) : fouls.mark;
}

QString SportRules::periodNoun() const {
    return builtIn ? tr(periodName.toUtf8().constData()) : periodName;
}

QString SportRules::periodTitle(int n) const {
    if (!isOvertime(n)) {
        const QString pattern = QStringLiteral("%1. ") + periodName;
        return (builtIn ? tr(pattern.toUtf8().constData()) : pattern).arg(n);
    }
    const int k = n - periods;
    if (k == 1 && overtime.periods == 1)
        return SportRules::tr("Verlängerung");
    return SportRules::tr("%1. Verlängerung").arg(k);
}

int SportRules::lengthOf(int n) const {
    return isOvertime(n) ? overtime.seconds : periodSeconds;
}

int SportRules::breakAfter(int n) const {
    if (n < periods)
        return breaks.at(static_cast<size_t>(n - 1));
    if (overtime.periods == 0)
        return 0;
    // Within one overtime its periods follow after their own break; a new overtime after the
    // break before overtime.
    return (n - periods) % overtime.periods == 0 ? overtime.breakBefore : overtime.breakBetween;
}

int SportRules::timeoutSegment(int n) const {
    if (isOvertime(n))
        return n;
    if (timeouts.perHalf.empty())
        return n;
    // Of four quarters, the first two are the first half.
    return (n - 1) * 2 / periods;
}

bool SportRules::overtimeMayFollow(int n) const {
    if (overtime.periods == 0 || n < periods || (n - periods) % overtime.periods != 0)
        return false;
    return overtime.times == 0 || (n - periods) / overtime.periods < overtime.times;
}

PenaltyKind SportRules::penaltyKind(int seconds) const {
    for (const PenaltyKind& k : penalties.kinds)
        if (k.seconds == seconds)
            return k;
    return PenaltyKind{seconds};
}

ParsedSports parseSports(const QByteArray& bytes, bool builtIn) {
    ParsedSports parsed;
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    const QJsonObject o = doc.object();
    if (error.error != QJsonParseError::NoError) {
        parsed.error = SportRules::tr("kein JSON (%1 bei Zeichen %2)")
                           .arg(error.errorString())
                           .arg(error.offset);
        return parsed;
    }
    if (!doc.isObject() || o.value(QLatin1String("format")) != kFormat ||
        o.value(QLatin1String("version")) != kVersion ||
        !o.value(QLatin1String("sports")).isArray()) {
        parsed.error =
            SportRules::tr("keine Sportarten-Datei von Marklight (format, version, sports)");
        return parsed;
    }
    const QJsonArray sports = o.value(QLatin1String("sports")).toArray();
    for (qsizetype i = 0; i < sports.size(); ++i) {
        Reader r{SportRules::tr("Sportart %1: ").arg(i + 1), {}};
        SportRules s;
        if (!readSport(r, sports[i].toObject(), builtIn, s) ||
            !(r.error = s.free() ? QString() : checkSport(s)).isEmpty()) {
            parsed.error = r.error.startsWith(r.where) ? r.error : r.where + r.error;
            parsed.sports.clear();
            return parsed;
        }
        for (const SportRules& other : parsed.sports)
            if (other.id == s.id || other.name == s.name) {
                parsed.error = r.where + SportRules::tr("\"%1\" gibt es zweimal").arg(s.name);
                parsed.sports.clear();
                return parsed;
            }
        parsed.sports.push_back(std::move(s));
    }
    return parsed;
}

QByteArray sportsFile(const std::vector<SportRules>& sports) {
    QJsonArray list;
    for (const SportRules& s : sports)
        list.append(sportJson(s));
    return QJsonDocument(QJsonObject{{QStringLiteral("format"), kFormat},
                                     {QStringLiteral("version"), kVersion},
                                     {QStringLiteral("sports"), list}})
        .toJson(QJsonDocument::Indented);
}

QString checkSport(const SportRules& s) {
    const auto length = [](int seconds, bool zero) {
        return seconds >= (zero ? 0 : 1) && seconds <= kMaxMinutes * 60;
    };
    const auto limit = [](int n) { return n >= -1 && n <= kMaxTimeouts; };
    const QString& name = s.name;
    if (name.trimmed().isEmpty() || name.size() > kMaxName ||
        !std::all_of(name.begin(), name.end(), [](QChar c) { return c.isPrint(); }))
        return SportRules::tr("der Name fehlt oder ist länger als 32 Zeichen");
    if (s.periods < 1 || s.periods > kMaxPeriods || !length(s.periodSeconds, false) ||
        s.periodName.trimmed().isEmpty() || s.periodName.size() > kMaxName)
        return SportRules::tr("1 bis 9 Abschnitte von 1 bis 99 Minuten mit einem Namen");
    if (static_cast<int>(s.breaks.size()) != s.periods - 1 ||
        !std::all_of(s.breaks.begin(), s.breaks.end(), [&](int b) { return length(b, true); }))
        return QStringLiteral(
            "eine Pause von 0 bis 99 Minuten nach jedem Abschnitt außer dem letzten");
    const OvertimeRules& o = s.overtime;
    if (o.periods < 0 || o.periods > 4 || o.times < 0 || o.times > kMaxPeriods ||
        (o.periods > 0 && (!length(o.seconds, false) || !length(o.breakBefore, true) ||
                           !length(o.breakBetween, true))))
        return SportRules::tr("0 bis 4 Abschnitte Verlängerung von 1 bis 99 Minuten");
    const PenaltyRules& p = s.penalties;
    if (p.kinds.size() > kMaxPenaltyKinds || p.maxRunning < 0 || p.maxRunning > 8 ||
        p.disqualifyAfter < 0 || p.disqualifyAfter > kMaxTimeouts || p.warningsPerPlayer < 0 ||
        p.warningsPerPlayer > kMaxTimeouts || p.warningsPerTeam < 0 ||
        p.warningsPerTeam > kMaxTimeouts ||
        !std::all_of(p.kinds.begin(), p.kinds.end(),
                     [&](const PenaltyKind& k) { return length(k.seconds, false); }))
        return SportRules::tr("bis zu 6 Strafen von 1 bis 99 Minuten, höchstens 8 zugleich");
    const FoulRules& f = s.fouls;
    if (f.limit < 0 || f.limit > kMaxFouls || f.playerLimit < 0 || f.playerLimit > kMaxFouls ||
        f.mark.size() > kMaxName)
        return SportRules::tr("Fouls: Grenzen von 0 bis 20, eine Marke bis 32 Zeichen");
    // The desk's foul and card buttons share one place.
    if (f.counted() && p.cards())
        return SportRules::tr("Fouls oder Karten, nicht beides");
    const TimeoutRules& t = s.timeouts;
    if (!length(t.seconds, true) || !limit(t.perMatch) || !limit(t.perOvertime) ||
        !limit(t.lastMax) || !length(t.lastSeconds, true) ||
        (t.lastSeconds > 0) != (t.lastMax >= 0) || (!t.perHalf.empty() && t.perHalf.size() != 2) ||
        !std::all_of(t.perHalf.begin(), t.perHalf.end(),
                     [](int n) { return n >= 0 && n <= kMaxTimeouts; }))
        return SportRules::tr("Timeouts von 0 bis 99 Minuten, Grenzen von 0 bis 9");
    return {};
}

SportCatalog::SportCatalog() : sports_(builtInSports()) {}

const SportRules& SportCatalog::find(const QString& id) const {
    for (const SportRules& s : sports_)
        if (s.id == id)
            return s;
    return sports_.front();
}

bool SportCatalog::has(const QString& id) const {
    return std::any_of(sports_.begin(), sports_.end(),
                       [&](const SportRules& s) { return s.id == id; });
}

std::optional<QString> SportCatalog::setOwn(const QByteArray& file) {
    sports_.erase(std::remove_if(sports_.begin(), sports_.end(),
                                 [](const SportRules& s) { return !s.builtIn; }),
                  sports_.end());
    ParsedSports parsed = parseSports(file, false);
    if (!parsed.error.isEmpty())
        return parsed.error;
    for (SportRules& s : parsed.sports) {
        QString why;
        if (!keep(std::move(s), why))
            return why;
    }
    return std::nullopt;
}

QByteArray SportCatalog::ownFile() const {
    std::vector<SportRules> own;
    std::copy_if(sports_.begin(), sports_.end(), std::back_inserter(own),
                 [](const SportRules& s) { return !s.builtIn; });
    return sportsFile(own);
}

bool SportCatalog::keep(SportRules rules, QString& why) {
    rules.builtIn = false;
    why = checkSport(rules);
    if (!why.isEmpty())
        return false;
    for (const SportRules& s : sports_)
        if (s.id != rules.id && s.name == rules.name) {
            why =
                SportRules::tr("den Namen \"%1\" trägt schon eine andere Sportart").arg(rules.name);
            return false;
        }
    for (SportRules& s : sports_)
        if (s.id == rules.id) {
            if (s.builtIn) {
                why = SportRules::tr("\"%1\" ist eingebaut und bleibt, wie sie ist").arg(s.name);
                return false;
            }
            s = std::move(rules);
            return true;
        }
    sports_.push_back(std::move(rules));
    return true;
}

void SportCatalog::remove(const QString& id) {
    sports_.erase(std::remove_if(sports_.begin(), sports_.end(),
                                 [&](const SportRules& s) { return s.id == id && !s.builtIn; }),
                  sports_.end());
}

QString SportCatalog::newId(const QString& name) const {
    QString base;
    for (QChar c : name.toLower()) {
        if ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9'))
            base += c;
        else if (!base.endsWith(QLatin1Char('-')))
            base += QLatin1Char('-');
    }
    base = QStringLiteral("eigen-") + base.left(20);
    while (base.endsWith(QLatin1Char('-')))
        base.chop(1);
    QString id = base;
    for (int n = 2; has(id); ++n)
        id = base + QLatin1Char('-') + QString::number(n);
    return id;
}

} // namespace ml
