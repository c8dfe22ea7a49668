#pragma once

// The rules of a sport as data: periods and their lengths, the breaks between them, overtime,
// the penalties and how many of a team's run at once, and the team timeouts a team may take.
// The built-in table is the program's resource `:/match/sports.json`; a club's own presets,
// copied from it and changed, are kept in a file of the same format. The engine reads these
// figures; it never asks which sport it is.

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <algorithm>
#include <optional>
#include <vector>

namespace ml {

// One length of penalty a sport knows.
struct PenaltyKind {
    int seconds = 120;
    // The team plays one short while it runs, so it counts against `maxRunning`; a personal
    // penalty (a misconduct) does not and never waits.
    bool reducesTeam = true;
    // A goal against the team that is short of a player ends it (a minor penalty in ice hockey
    // or floorball, a sending-off in futsal).
    bool endsOnGoal = false;
    // The player is out for the rest of the match (a sending-off in futsal); the team serves it.
    bool sendsOff = false;
    bool operator==(const PenaltyKind&) const = default;
};

// What a sport says of penalties beyond their lengths.
struct PenaltyRules {
    std::vector<PenaltyKind> kinds;
    // Penalties of a team that reduce it and run at once (0: no limit); the others wait.
    int maxRunning = 0;
    // Equal penalties to both teams at the same moment cancel for strength: neither team plays
    // short by them, none waits for them and no goal ends them (ice hockey).
    bool coincident = false;
    // "2+2" (or its 4 minutes) is two of the first kind served one after the other by the same
    // player, each ended on its own by a goal; without kinds there is none.
    bool doubleMinor = false;
    // A player's penalty of this number in the match sends the player off for the rest of it
    // (the third suspension in handball; 0: never).
    int disqualifyAfter = 0;
    // Warnings (yellow cards) a player and a team may get (handball: one and three); 0: the
    // sport gives no cards, and with no warnings no direct disqualification either.
    int warningsPerPlayer = 0;
    int warningsPerTeam = 0;
    bool cards() const { return warningsPerPlayer > 0; }
    bool operator==(const PenaltyRules&) const = default;
};

// Team fouls counted per period, overtime with the last regular period (0: none counted).
struct FoulRules {
    // From this many fouls in a period on, each further foul is punished: the window marks it.
    int limit = 0;
    // The mark ("Bonus", "6. Foul").
    QString mark;
    // A player with this many fouls is out of the match (0: player fouls are not counted).
    int playerLimit = 0;
    bool counted() const { return limit > 0; }
    bool operator==(const FoulRules&) const = default;
};

// What a team may take. A limit of -1 is none.
struct TimeoutRules {
    int seconds = 0;
    int perMatch = -1;
    // Per half of the regular periods (first, second): two entries or none.
    std::vector<int> perHalf;
    // At most `lastMax` in the last `lastSeconds` of the last regular period (0: no such rule).
    int lastSeconds = 0;
    int lastMax = -1;
    int perOvertime = -1;
    bool operator==(const TimeoutRules&) const = default;
};

struct OvertimeRules {
    // Periods of one overtime (0: the sport has none).
    int periods = 0;
    int seconds = 0;
    int breakBefore = 0;
    int breakBetween = 0;
    // How many overtimes may follow one another while the score stays level (0: as many as
    // needed).
    int times = 0;
    bool operator==(const OvertimeRules&) const = default;
};

struct SportRules {
    Q_DECLARE_TR_FUNCTIONS(SportRules)

  public:
    QString id;
    QString name;
    // 0: no periods and no rules ("Frei"): the match runs as the operator drives it.
    int periods = 0;
    int periodSeconds = 0;
    // "Halbzeit", "Drittel", "Viertel": the periods are named "1. Halbzeit" and so on.
    QString periodName;
    // The break after each regular period but the last, in seconds.
    std::vector<int> breaks;
    OvertimeRules overtime;
    PenaltyRules penalties;
    TimeoutRules timeouts;
    FoulRules fouls;
    // Assists a goal may have on the scoresheet (ice hockey and floorball: two).
    int assists = 0;
    // One of the program's own, not a club's copy.
    bool builtIn = false;

    bool free() const { return periods == 0; }
    // The name as the operator reads it: a built-in sport's in the program's language, a club's
    // as the club gave it.
    QString title() const;
    // The mark of a team at its foul limit, as the operator reads it.
    QString foulMark() const;
    // What a period is called ("Halbzeit"), as the operator reads it.
    QString periodNoun() const;
    bool operator==(const SportRules&) const = default;

    // The name of period `n` (1-based): "2. Halbzeit"; past the regular periods "Verlängerung"
    // (or "1. Verlängerung", "2. Verlängerung" …).
    QString periodTitle(int n) const;
    bool isOvertime(int n) const { return n > periods; }
    // The length of period `n` in seconds.
    int lengthOf(int n) const;
    // The break after period `n` in seconds (0: the next period follows at once).
    int breakAfter(int n) const;
    // Whether period `n` ends an overtime (or the regular time) after which another overtime
    // may follow: the sport has one and has not played as many as it allows.
    bool overtimeMayFollow(int n) const;
    // The period whose team fouls period `n` goes on counting: overtime counts with the last
    // regular period.
    int foulPeriod(int n) const { return std::min(n, periods); }
    // The part of the match whose timeouts are counted together: the half of the regular time
    // (or the period, when the sport counts no halves), each overtime period on its own.
    int timeoutSegment(int n) const;
    // The kind of penalty of `seconds`; a length the sport does not name reduces the team.
    PenaltyKind penaltyKind(int seconds) const;
};

// The sports the operator can choose: the built-in ones, then the club's own.
class SportCatalog {
  public:
    SportCatalog();

    const std::vector<SportRules>& sports() const { return sports_; }
    // The sport with `id`; the first ("Frei") for an unknown one.
    const SportRules& find(const QString& id) const;
    bool has(const QString& id) const;

    // Takes the club's own presets from the bytes of their file. Bytes that are not such a file
    // leave only the built-in presets and give the reason.
    std::optional<QString> setOwn(const QByteArray& file);
    // The club's own presets as their file holds them.
    QByteArray ownFile() const;
    // Keeps `rules` as a club preset: it replaces the one of the same id or is added. False
    // (with `why`) when its figures are impossible or its name is taken by another preset.
    bool keep(SportRules rules, QString& why);
    void remove(const QString& id);
    // An id for a new preset named `name`, used by no other.
    QString newId(const QString& name) const;

  private:
    std::vector<SportRules> sports_;
};

// A length as the window's boxes hold it: "30.0" for whole minutes, "0.5" for half a minute.
QString lengthBoxText(int seconds);

// The presets in the bytes of a sports file, or the reason why they are none.
struct ParsedSports {
    std::vector<SportRules> sports;
    QString error;
};
ParsedSports parseSports(const QByteArray& bytes, bool builtIn);
QByteArray sportsFile(const std::vector<SportRules>& sports);
// Why a preset's figures are impossible; empty when they are fine.
QString checkSport(const SportRules& rules);

} // namespace ml
