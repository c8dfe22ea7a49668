// The rules of the sports in the situations a timekeeper meets every few matches, one row each:
// a script of replay lines run against the whole program core, and what its `show` lines, boxes
// and horn signals must print. Each row names the rule it follows (rule book and number); rules
// that read the time run in both clock directions.

#include "tests/support/script.h"

#include <gtest/gtest.h>

namespace ml {
namespace {

struct Situation {
    const char* name;
    const char* script;
    const char* printed;
};

// What a script prints, the serial port's lines left out.
QString printed(const char* script) {
    return test::Script().run(script);
}

const Situation kSituations[] = {
    // IIHF (digest, minor penalties): a double minor is two minors served one after the other by
    // the same player; another player's minor runs beside the first.
    {"double minor, counting down", R"(
        time 20:00:00
        start
        sport eishockey
        click St_St
        penalty home 2+2 7
        penalty home 2 9
        show Penalties home
        run 120000
        show Penalties home
        run 120000
        show Penalties home)",
     R"(Penalties home #7 02:00 running; #7 02:00 waiting; #9 02:00 running
Penalties home #7 02:00 running
Penalties home none)"},
    {"double minor, counting up", R"(
        time 20:00:00
        start
        sport eishockey
        click Mode_up
        click St_St
        penalty home 4 7
        penalty home 2 9
        run 120000
        show Penalties home
        show D_Min)",
     R"(Penalties home #7 02:00 running
D_Min "2" visible=1 enabled=1 color=FFC0C0)"},
    // IIHF (digest, power-play goal): a goal during the second part of a double minor ends it; a
    // goal during the first part ends that part and the second starts whole.
    {"power-play goals during a double minor", R"(
        time 20:00:00
        start
        sport eishockey
        click St_St
        penalty guest 2+2 7
        run 30000
        click up_l
        show Penalties guest
        run 60000
        click up_l
        show Penalties guest)",
     R"(Penalties guest #7 02:00 running
Penalties guest none)"},
    // IIHF (digest): a player with a major and a minor at the same time serves the major first; a
    // goal ends no major and not the minor waiting behind it.
    {"5+2, the minor given first", R"(
        time 20:00:00
        start
        sport eishockey
        penalty home 2 15
        penalty home 5 15
        click St_St
        run 60000
        click up_r
        show Penalties home)",
     R"(Penalties home #15 02:00 waiting; #15 04:00 running)"},
    // IFF 603.5: a player's personal penalty starts when the player's bench penalty is served;
    // the team is not short by it.
    {"floorball 2+10", R"(
        time 20:00:00
        start
        sport floorball
        penalty home 10 4
        penalty home 2 4
        show Penalties home
        click St_St
        run 120000
        show Penalties home
        click up_r
        show Penalties home)",
     R"(Penalties home #4 10:00 waiting; #4 02:00 running
Penalties home #4 10:00 running
Penalties home #4 10:00 running)"},
    // IIHF 16 (Table 14): coincident minors leave both teams at the same strength and are never
    // ended by a goal; the power-play goal ends the minor that made the team short.
    {"coincident minors, then a power-play goal", R"(
        time 20:00:00
        start
        sport eishockey
        penalty home 2 12
        penalty guest 2 5
        click St_St
        run 20000
        penalty home 2 8
        show Penalties home
        click up_l
        show Penalties guest
        run 10000
        click up_r
        show Penalties home)",
     R"(Penalties home #12 01:40 running coincident; #8 02:00 running
Penalties guest #5 01:40 running coincident
Penalties home #12 01:30 running coincident)"},
    // IIHF (digest): a short-handed goal ends nothing.
    {"short-handed goal", R"(
        time 20:00:00
        start
        sport eishockey
        penalty home 2 8
        click St_St
        run 10000
        click up_l
        show Penalties home)",
     R"(Penalties home #8 01:50 running)"},
    // IHF 2:1, 2:10: counting up, the first half stops at 30:00 with the horn and the second runs
    // from 30:00 to 60:00; a team's second timeout in the last five minutes asks.
    {"handball counting up through both halves", R"(
        time 18:00:00
        start
        sport handball
        click Mode_up
        click St_St
        run 1800000
        show D_Min
        show nextPeriod
        next-period
        run 601000
        show D_Min
        click St_St
        run 1560000
        timeout home
        run 61000
        click St_St
        run 60000
        timeout home
        run 180000
        show D_Min
        show nextPeriod)",
     R"(horn on 1500 ms
D_Min "30" visible=1 enabled=1 color=FFC0C0
nextPeriod "Pause" visible=1 enabled=1
horn on 1500 ms
D_Min "30" visible=1 enabled=1 color=FFC0C0
horn on 1500 ms
box title="Timeout" icon=none buttons=yesno text="Timeout Heim?\r\n\r\nDie Regeln (Handball) erlauben es nicht: höchstens 1 Timeout in den letzten 5 Minuten.\r\n\r\nTrotzdem geben?" -> No
horn on 1500 ms
D_Min "60" visible=1 enabled=1 color=FFC0C0
nextPeriod "Verlängerung" visible=1 enabled=1)"},
    {"handball counting down, the same timeouts", R"(
        time 18:00:00
        start
        sport handball
        next-period
        answer Yes
        next-period
        next-period
        click St_St
        run 1560000
        timeout home
        run 61000
        click St_St
        run 60000
        timeout home
        show D_Min)",
     R"(box title="1. Halbzeit" icon=none buttons=yesno text="1. Halbzeit jetzt beenden?\r\n\r\nDie Spielzeit steht bei 30:00." -> No
box title="1. Halbzeit" icon=none buttons=yesno text="1. Halbzeit jetzt beenden?\r\n\r\nDie Spielzeit steht bei 30:00." -> Yes
horn on 1500 ms
box title="Timeout" icon=none buttons=yesno text="Timeout Heim?\r\n\r\nDie Regeln (Handball) erlauben es nicht: höchstens 1 Timeout in den letzten 5 Minuten.\r\n\r\nTrotzdem geben?" -> No
D_Min "3" visible=1 enabled=1 color=FFC0C0)"},
    // IHF 2:1 (national associations vary): a league's 2 × 20 typed as the start value at the
    // start of the match is every half's length; the break box shows the sport's break.
    {"a 2 × 20 league under handball's rules", R"(
        time 18:00:00
        start
        sport handball
        show BreakValue
        type Startwert 20
        answer OK
        click Reset_Time
        show StatusLine
        click St_St
        show StatusLine
        run 1201000
        next-period
        next-period
        show D_Min)",
     R"(BreakValue "10.0" visible=1 enabled=1 color=FF0000
box title="mit OK Bestätigen" icon=none buttons=okcancel text="Zeit zurücksetzen?" -> OK
StatusLine "Halbzeit: 20 min" visible=1 enabled=1
StatusLine "" visible=0 enabled=1
horn on 1500 ms
D_Min "20" visible=1 enabled=1 color=FFC0C0)"},
    {"a 2 × 20 youth preset counting up", R"(
        time 18:00:00
        start
        sport handball-jugend-20
        click Mode_up
        click St_St
        run 1200000
        next-period
        next-period
        show D_Min
        show Startwert)",
     R"(horn on 1500 ms
D_Min "20" visible=1 enabled=1 color=FFC0C0
Startwert "20.0" visible=1 enabled=1 color=FF0000)"},
    // IHF 2:2, IIHF: overtime only when the score is level; "Nein" ends the match, and a start
    // after the end asks first.
    {"the end of the match with a level score", R"(
        time 18:00:00
        start
        sport eishockey
        type D_Sec 10
        type D_Min 0
        answer Yes
        next-period
        next-period
        next-period
        type D_Sec 10
        type D_Min 0
        answer Yes
        next-period
        next-period
        next-period
        type D_Sec 10
        type D_Min 0
        click St_St
        run 11000
        show nextPeriod
        next-period
        show Period
        key Space
        show ClockRunning)",
     R"(box title="1. Drittel" icon=none buttons=yesno text="1. Drittel jetzt beenden?\r\n\r\nDie Spielzeit steht bei 0:10." -> Yes
box title="2. Drittel" icon=none buttons=yesno text="2. Drittel jetzt beenden?\r\n\r\nDie Spielzeit steht bei 0:10." -> Yes
horn on 1500 ms
nextPeriod "Verlängerung" visible=1 enabled=1
box title="3. Drittel" icon=none buttons=yesno text="Verlängerung spielen?" -> No
Period "Spielende"
box title="Spielende" icon=none buttons=yesno text="Das Spiel ist aus (Spielende).\r\n\r\nDie Spielzeit trotzdem starten?" -> No
ClockRunning=0)"},
    {"the end of the match with the score not level", R"(
        time 18:00:00
        start
        sport basketball
        click up_l
        answer Yes
        next-period
        next-period
        next-period
        answer Yes
        next-period
        next-period
        next-period
        answer Yes
        next-period
        next-period
        next-period
        answer Yes
        next-period
        show Period
        show nextPeriod)",
     R"(box title="1. Viertel" icon=none buttons=yesno text="1. Viertel jetzt beenden?\r\n\r\nDie Spielzeit steht bei 10:00." -> Yes
box title="2. Viertel" icon=none buttons=yesno text="2. Viertel jetzt beenden?\r\n\r\nDie Spielzeit steht bei 10:00." -> Yes
box title="3. Viertel" icon=none buttons=yesno text="3. Viertel jetzt beenden?\r\n\r\nDie Spielzeit steht bei 10:00." -> Yes
box title="4. Viertel" icon=none buttons=yesno text="4. Viertel jetzt beenden?\r\n\r\nDie Spielzeit steht bei 10:00." -> Yes
Period "Spielende"
nextPeriod "Spielende" visible=1 enabled=0)"},
    // FIBA 41: team fouls count per quarter, the marker from the fourth; overtime counts with the
    // fourth quarter. FIBA 40: the fifth foul of a player asks and names the player.
    {"basketball team fouls across quarters and overtime", R"(
        time 18:00:00
        start
        sport basketball
        foul home 5
        foul home 5
        foul home
        foul home 5
        show foulsL
        answer Yes
        next-period
        next-period
        next-period
        show Fouls home
        foul home 5
        answer Yes
        foul home 5
        answer Yes
        next-period
        next-period
        next-period
        answer Yes
        next-period
        next-period
        next-period
        foul home
        foul home
        answer Yes
        next-period
        answer Yes
        next-period
        next-period
        foul home
        show Period
        show Fouls home
        show foulsL
        click undo
        show Fouls home)",
     R"(foulsL "4  Bonus" visible=1 enabled=1
box title="1. Viertel" icon=none buttons=yesno text="1. Viertel jetzt beenden?\r\n\r\nDie Spielzeit steht bei 10:00." -> Yes
Fouls home period=0 match=4 #5=3
box title="Foul" icon=none buttons=yesno text="#5 von Heim: 5. Foul – der Spieler muss das Spiel verlassen.\r\n\r\nFoul eintragen?" -> Yes
box title="2. Viertel" icon=none buttons=yesno text="2. Viertel jetzt beenden?\r\n\r\nDie Spielzeit steht bei 10:00." -> Yes
box title="3. Viertel" icon=none buttons=yesno text="3. Viertel jetzt beenden?\r\n\r\nDie Spielzeit steht bei 10:00." -> Yes
box title="4. Viertel" icon=none buttons=yesno text="4. Viertel jetzt beenden?\r\n\r\nDie Spielzeit steht bei 10:00." -> Yes
box title="4. Viertel" icon=none buttons=yesno text="Verlängerung spielen?" -> Yes
Period "Verlängerung"
Fouls home period=3 match=9 #5=5
foulsL "3" visible=1 enabled=1
Fouls home period=2 match=8 #5=5)"},
    // Futsal Law 13: accumulated fouls per half, from the sixth a direct free kick: the mark at
    // the fifth; the next half counts anew.
    {"futsal accumulated fouls", R"(
        time 18:00:00
        start
        sport futsal
        foul guest
        foul guest
        foul guest
        foul guest
        show foulsR
        foul guest
        show foulsR
        answer Yes
        next-period
        next-period
        next-period
        show Fouls guest)",
     R"(foulsR "4" visible=1 enabled=1
foulsR "5  6. Foul" visible=1 enabled=1
box title="1. Halbzeit" icon=none buttons=yesno text="1. Halbzeit jetzt beenden?\r\n\r\nDie Spielzeit steht bei 20:00." -> Yes
Fouls guest period=0 match=5)"},
    // IHF 16:6 b, 16:8: the third suspension of a player disqualifies; the team serves the two
    // minutes; a further penalty for that number asks first.
    {"handball's third suspension", R"(
        time 18:00:00
        start
        sport handball
        penalty home 2 7
        penalty home 2 7
        penalty home 2 7
        show Penalties home
        show playersL
        penalty home 2 7
        show Penalties home)",
     R"(box title="Disqualifikation" icon=none buttons=ok text="#7 von Heim: 3. Strafe im Spiel – disqualifiziert.\r\n\r\nDie Mannschaft spielt die Strafe in Unterzahl; der Spieler spielt nicht mehr mit." -> OK
Penalties home #7 02:00 running; #7 02:00 waiting; #7 02:00 waiting
playersL=#7 penalties=3 out
box title="Strafe" icon=none buttons=yesno text="#7 von Heim ist vom Spiel ausgeschlossen.\r\n\r\nTrotzdem eine Strafe geben?" -> No
Penalties home #7 02:00 running; #7 02:00 waiting; #7 02:00 waiting)"},
    // A double minor where the sport has none, and a foul where it counts none.
    {"2+2 and fouls refused where the sport has none", R"(
        time 18:00:00
        start
        sport handball
        penalty home 2+2 7
        show ValStrafeL
        foul home
        show StatusLine
        show Fouls home)",
     R"(box title="Strafe kontrollieren" icon=critical buttons=ok text="Fehler 5 beim Starten der Strafe:\r\n\r\n\"2+2\": eine doppelte kleine Strafe kennt Handball nicht\r\n\r\nLänge der Strafe in Min eingeben" -> OK
ValStrafeL "2.0" visible=1 enabled=1 color=FF0000
StatusLine "Handball zählt keine Fouls." visible=1 enabled=1
Fouls home period=0 match=0)"},
    // A typed score is a correction: it ends no penalty and the record says so.
    {"a typed score", R"(
        time 20:00:00
        start
        sport eishockey
        penalty home 2 8
        type Pkt_r 1
        show Penalties home
        show Record
        click up_r
        show Penalties home)",
     R"(Penalties home #8 02:00 running
Record 20:00 0:1 Gegner: Korrektur
Penalties home none)"},
};

TEST(SportSituations, EachRuleAsTheRuleBookSaysIt) {
    for (const Situation& s : kSituations)
        EXPECT_EQ(printed(s.script).toStdString(),
                  QString::fromUtf8(s.printed).trimmed().toStdString())
            << s.name;
}

} // namespace
} // namespace ml
