// The record that the scoresheet is made from, one row a situation: a script of replay lines run
// against the whole program core, then what it printed, the entries that count (match time,
// side, what, numbers, taken back) and each side's sums.

#include "core/report_sheet.h"
#include "tests/support/script.h"

#include <gtest/gtest.h>

namespace ml {
namespace {

struct Row {
    const char* name;
    const char* script;
    const char* sheet;
};

QString sheetOf(const char* script) {
    test::Script run;
    const QString printed = run.run(script);
    if (printed.startsWith(QLatin1String("error: ")))
        return printed;
    QStringList lines = run.printed;
    const MatchReport r = run.runner.program()->writer.report();
    for (const RecordedEvent& e : r.events) {
        if (QStringList{"goal", "penalty", "timeout", "foul", "warning", "disqualification",
                        "blueCard"}
                .contains(e.counts))
            lines << QStringLiteral("%1 %2 %3 %4%5")
                         .arg(elapsedText(e.elapsed), e.side, e.team + QLatin1Char(':'), e.what,
                              (e.number ? QLatin1Char(' ') + scorerText(e) : QString()) +
                                  (e.withdrawn ? QStringLiteral(" withdrawn") : QString()));
    }
    const std::array<SideSums, 2> sums = sideSums(r);
    for (std::size_t side : {0u, 1u}) {
        QString players;
        for (const auto& [number, seconds] : sums[side].playerSeconds)
            players += QStringLiteral(" #%1=%2").arg(number).arg(minutesText(seconds));
        lines << QStringLiteral("%1 goals=%2 penalties=%3 minutes=%4%5 timeouts=%6 fouls=%7")
                     .arg(side == 0 ? r.home : r.guest)
                     .arg(sums[side].goals)
                     .arg(sums[side].penalties)
                     .arg(minutesText(sums[side].penaltySeconds), players)
                     .arg(sums[side].timeouts)
                     .arg(sums[side].fouls);
        if (sums[side].cards() > 0)
            lines.back() +=
                reportSheet(r).sums.value(int(side)).section(QLatin1String(" Timeouts"), 1);
    }
    return lines.join(QLatin1Char('\n'));
}

const Row kRows[] = {
    {"undo of a goal takes its entry back; redo counts it again", R"(
        start
        sport eishockey
        goal home
        goal guest
        click undo
        click undo
        click redo)",
     R"(0:00 home Heim: Tor
0:00 guest Gegner: Tor withdrawn
Heim goals=1 penalties=0 minutes=0 timeouts=0 fouls=0
Gegner goals=0 penalties=0 minutes=0 timeouts=0 fouls=0)"},
    {"undo of a penalty, a timeout and a foul", R"(
        start
        sport basketball
        click St_St
        run 60000
        timeout home
        click undo
        foul guest 5
        foul guest 5
        click undo
        answer Yes
        sport handball
        click St_St
        penalty home 2 7
        click undo)",
     R"(box title="Sportart" icon=none buttons=yesno text="Die Sportart mitten im Spiel wählen?\r\n\r\nDer Spielstand bleibt; Spielzeit, Abschnitt, Strafen und Timeouts beginnen neu." -> Yes
1:00 home Heim: Timeout withdrawn
1:00 guest Gegner: Foul #5 (1. Teamfoul, 1. Foul des Spielers) #5
1:00 guest Gegner: Foul #5 (2. Teamfoul, 2. Foul des Spielers) #5 withdrawn
0:00 home Heim: Strafe #7 2 min #7 withdrawn
Heim goals=0 penalties=0 minutes=0 timeouts=0 fouls=0
Gegner goals=0 penalties=0 minutes=0 timeouts=0 fouls=1)"},
    {"a team renamed during the match keeps its sums", R"(
        start
        sport handball
        goal home
        type Text_l Adler
        goal home
        penalty home 2
        penalty guest 5)",
     R"(0:00 home Heim: Tor
0:00 home Adler: Tor
0:00 home Adler: Strafe 2 min
0:00 guest Gegner: Strafe 5 min
Adler goals=2 penalties=1 minutes=2 #0=2 timeouts=0 fouls=0
Gegner goals=0 penalties=1 minutes=5 #0=5 timeouts=0 fouls=0)"},
    {"penalty minutes by player: a 2+2 counts four", R"(
        start
        sport eishockey
        penalty guest 2+2 9
        penalty guest 2 9
        penalty guest 10 4)",
     R"(0:00 guest Gegner: Strafe #9 4 min (2+2) #9
0:00 guest Gegner: Strafe #9 2 min (wartet) #9
0:00 guest Gegner: Strafe #4 10 min #4
Heim goals=0 penalties=0 minutes=0 timeouts=0 fouls=0
Gegner goals=0 penalties=3 minutes=16 #4=10 #9=6 timeouts=0 fouls=0)"},
    {"match time without periods, counting down; no numbers without a sport", R"(
        time 20:00:00
        start
        click St_St
        run 90500
        goal guest 5)",
     R"(number 5 not taken
1:30 guest Gegner: Tor
Heim goals=0 penalties=0 minutes=0 timeouts=0 fouls=0
Gegner goals=1 penalties=0 minutes=0 timeouts=0 fouls=0)"},
    {"match time through the periods, counting down", R"(
        time 20:00:00
        start
        sport eishockey
        click St_St
        run 30000
        goal home 17 5 8
        run 1171000
        next-period
        next-period
        click St_St
        run 45000
        goal guest 9)",
     R"(horn on 1500 ms
0:30 home Heim: Tor #17 (5, 8)
20:45 guest Gegner: Tor #9
Heim goals=1 penalties=0 minutes=0 timeouts=0 fouls=0
Gegner goals=1 penalties=0 minutes=0 timeouts=0 fouls=0)"},
    {"match time through the periods, counting up", R"(
        time 20:00:00
        start
        sport eishockey
        click Mode_up
        click St_St
        run 30000
        goal home 17
        run 1171000
        next-period
        next-period
        click St_St
        run 45000
        goal guest 9 4)",
     R"(horn on 1500 ms
0:30 home Heim: Tor #17
20:45 guest Gegner: Tor #9 (4)
Heim goals=1 penalties=0 minutes=0 timeouts=0 fouls=0
Gegner goals=1 penalties=0 minutes=0 timeouts=0 fouls=0)"},
    {"numbers refused in the box: the goal stays", R"(
        start
        sport handball
        goal home 7 3
        goal home 100
        answer Yes
        sport floorball
        goal guest 12 12
        goal guest 4 5 6)",
     R"x(note "Handball kennt keine Vorlagen"
note "Nr. 100 gibt es nicht (1–99)"
box title="Sportart" icon=none buttons=yesno text="Die Sportart mitten im Spiel wählen?\r\n\r\nDer Spielstand bleibt; Spielzeit, Abschnitt, Strafen und Timeouts beginnen neu." -> Yes
note "#12 steht zweimal"
0:00 home Heim: Tor #7
0:00 home Heim: Tor
0:00 guest Gegner: Tor #12
0:00 guest Gegner: Tor #4 (5, 6)
Heim goals=2 penalties=0 minutes=0 timeouts=0 fouls=0
Gegner goals=2 penalties=0 minutes=0 timeouts=0 fouls=0)x"},
    {"after a change of ends the teams keep their sides of the record", R"(
        start
        sport handball
        goal home 7
        click s_change
        goal home 4
        goal guest 7
        penalty home 2 9
        click s_change
        goal home 8)",
     R"(0:00 home Heim: Tor #7
0:00 guest Gegner: Tor #4
0:00 home Heim: Tor #7
0:00 guest Gegner: Strafe #9 2 min #9
0:00 home Heim: Tor #8
Heim goals=3 penalties=0 minutes=0 timeouts=0 fouls=0
Gegner goals=1 penalties=1 minutes=2 #9=2 timeouts=0 fouls=0)"},
    {"cards: warnings by player, a red card with its report, the third suspension, undo", R"(
        start
        sport handball
        type playerL 7
        key Ctrl+F4
        type playerL 7
        answer Yes
        key Ctrl+F4
        type playerL 8
        key Ctrl+F4
        click undo
        type playerR 5
        answer Yes
        key Ctrl+Shift+F9
        penalty guest 2 9
        penalty guest 2 9
        penalty guest 2 9)",
     R"x(box title="Verwarnung" icon=none buttons=yesno text="#7 von Heim ist schon verwarnt (höchstens 1 Verwarnung je Spieler).\r\n\r\nTrotzdem eine Verwarnung eintragen?" -> Yes
box title="Disqualifikation" icon=none buttons=yesno text="#5 von Gegner ist disqualifiziert (rote Karte); die Mannschaft spielt 2 Minuten in Unterzahl.\r\n\r\nFolgt ein schriftlicher Bericht (blaue Karte)?" -> Yes
box title="Disqualifikation" icon=none buttons=ok text="#9 von Gegner: 3. Strafe im Spiel – disqualifiziert.\r\n\r\nDie Mannschaft spielt die Strafe in Unterzahl; der Spieler spielt nicht mehr mit." -> OK
0:00 home Heim: Verwarnung #7 (1. Verwarnung der Mannschaft) #7
0:00 home Heim: Verwarnung #7 (2. Verwarnung der Mannschaft) #7
0:00 home Heim: Verwarnung #8 (3. Verwarnung der Mannschaft) #8 withdrawn
0:00 guest Gegner: Strafe #5 2 min (Disqualifikation) #5
0:00 guest Gegner: Disqualifikation #5 (rote Karte) #5
0:00 guest Gegner: Blaue Karte #5 #5
0:00 guest Gegner: Strafe #9 2 min #9
0:00 guest Gegner: Strafe #9 2 min (wartet) #9
0:00 guest Gegner: Strafe #9 2 min (wartet, Disqualifikation) #9
0:00 guest Gegner: Disqualifikation #9 (3. Strafe) #9
Heim goals=0 penalties=0 minutes=0 timeouts=0 fouls=0, verwarnt #7 ×2
Gegner goals=0 penalties=4 minutes=8 #5=2 #9=6 timeouts=0 fouls=0, disqualifiziert #5 (Bericht), #9)x"},
};

TEST(MatchRecordSheet, EntriesAndSumsAsTheMatchWent) {
    for (const Row& row : kRows)
        EXPECT_EQ(sheetOf(row.script).toStdString(),
                  QString::fromUtf8(row.sheet).trimmed().toStdString())
            << row.name;
}

} // namespace
} // namespace ml
