#pragma once

// The main window `MainForm` as one plain record: every control with the window's own name, and
// the form-level fields of the match state, display, serial link and log. It owns all state.

#include "form/captions.h"
#include "form/changes.h"
#include "form/controls.h"
#include "form/listed_penalty.h"
#include "form/setting_table.h"

#include <QCoreApplication>

#include <array>
#include <map>
#include <optional>
#include <vector>

namespace ml {

// The second window that shows the log or the About text. It exists only between its first
// showing and its closing; `reset` gives it its design-time state again.
struct MessageWindow {
    Q_DECLARE_TR_FUNCTIONS(MessageWindow)

  public:
    bool exists = false;
    // the message shown as a label (an exactly 175-character text)
    Label lblMessage{"lblMessage", QStringLiteral("Message")};
    // the message shown in a scrolling box (the log, the About text)
    TextBox T_Message{"T_Message", QStringLiteral("Text1")};
    // closes the message window
    Button btnClose{"btnClose", tr("&Schließen")};
    // the maker's banner; a click opens the maker's web site
    Image Image1{"Image1"};

    void reset();
    std::vector<Control*> controls();
};

// One side's penalty as the match keeps it. The side's controls show it: `StrafeL` starts and
// stops it, `ValStrafeL` holds its length in minutes, `TxtStrL` the time still to serve (and
// their right-hand twins).
struct Penalty {
    bool running = false;
    // The match clock value at which it ends.
    int endMin = 0;
    int endSec = 0;
    bool operator==(const Penalty&) const = default;
};

// Where the period under way stands.
namespace phase {
// The clock stands at the period's start value; the period has not begun.
inline constexpr int kReady = 0;
inline constexpr int kPlaying = 1;
// Its time has run (or the timekeeper ended it); the break or the next period follows.
inline constexpr int kEnded = 2;
// The break after it runs.
inline constexpr int kBreak = 3;
// The match is over ("Spielende"): no period follows.
inline constexpr int kOver = 4;
} // namespace phase

// Where the running count (the match clock, a timeout or a break) stands on the clock of real
// time: it stood at `valueMs` at the moment `monoMs`.
struct CountAnchor {
    qint64 monoMs = 0;
    qint64 valueMs = 0;
};

// The horn's automatic signals, as the tick calls for them.
enum class HornSignal { None, MatchEnd, TimeoutEnd, BreakEnd };

// Team names remembered for the name boxes.
inline constexpr int kTeamNamesKept = 20;

// What can fail in the background while the match goes on, in the order the status line names
// them: the disk (the match state, the settings, the match record), the sound output, the port,
// the second display line's port, a remote refused for lack of room, the MQTT broker out of reach;
// then a note of the match for the operator, which stands until the operator's next action.
enum class Fault { State, Settings, Record, Port, Line2, Remotes, Broker, Note };

struct Form {
    Q_DECLARE_TR_FUNCTIONS(Form)

  public:
    Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // --- preview of the display line ---
    // home team's name, shown in the left half of the upper row
    TextBox Text_l{"Text_l", QStringLiteral("Heim")};
    // guest team's name, shown in the right half of the upper row
    TextBox Text_r{"Text_r", QStringLiteral("Gegner")};
    // time still to serve of the left penalty, shown instead of the home name
    TextBox TxtStrL{"TxtStrL", QStringLiteral("0")};
    // time still to serve of the right penalty, shown instead of the guest name
    TextBox TxtStrR{"TxtStrR", QStringLiteral("0")};
    // left half of the "TIME-OUT" / "SPIEL-PAUSE" / "UNTER-BRUCH" banner
    TextBox SpecL{"SpecL", QStringLiteral("Heim")};
    // right half of that banner
    TextBox SpecR{"SpecR", QStringLiteral("Gegner")};
    // upper row of the free text as the display shows it
    TextBox ShText_o{"ShText_o", QStringLiteral("freier text")};
    // note that the display's own program runs ("Programm N läuft")
    TextBox Show_Prog{"Show_Prog"};
    // the big one-line free text as the display shows it
    TextBox ShText_s{"ShText_s", QStringLiteral("scrollender text")};
    // home team's score
    TextBox Pkt_l{"Pkt_l", QStringLiteral("0")};
    // separator left of the clock; blinks while a moved clock stands
    TextBox FlashL{"FlashL", QStringLiteral(":")};
    // minutes of the match clock
    TextBox D_Min{"D_Min", QStringLiteral("20")};
    // the colon between minutes and seconds
    TextBox d_Pkt{"d_Pkt", QStringLiteral(":")};
    // seconds of the match clock
    TextBox D_Sec{"D_Sec", QStringLiteral("00")};
    // separator right of the clock
    TextBox FlashR{"FlashR", QStringLiteral(":")};
    // guest team's score
    TextBox Pkt_r{"Pkt_r", QStringLiteral("0")};
    // the time of day, shown instead of the clock ("Akt. Zeit")
    TextBox Uhr_anz{"Uhr_anz", QStringLiteral("hh:mm:ss")};
    // second clock: seconds in the last minute, or minutes of a timeout or break
    TextBox Spec_Min{"Spec_Min", QStringLiteral("20")};
    // second clock: tenths in the last minute, or seconds of a timeout or break
    TextBox Spec_Sec{"Spec_Sec", QStringLiteral("00")};
    // lower row of the free text as the display shows it
    TextBox ShText_u{"ShText_u", QStringLiteral("freier text")};

    // --- side columns ---
    // starts and stops the home team's penalty
    Button StrafeL{"StrafeL", captions::startPenalty()};
    // length of the home team's penalty in minutes
    TextBox ValStrafeL{"ValStrafeL", QStringLiteral("2.0")};
    // adds one to the home score
    Button up_l{"up_l"};
    // takes one from the home score
    Button down_l{"down_l"};
    // starts and stops the guest team's penalty
    Button StrafeR{"StrafeR", captions::startPenalty()};
    // length of the guest team's penalty in minutes
    TextBox ValStrafeR{"ValStrafeR", QStringLiteral("2.0")};
    // adds one to the guest score
    Button up_r{"up_r"};
    // takes one from the guest score
    Button down_r{"down_r"};

    // --- command rows ---
    // "Anzeigen": sends to the display at all
    CheckBox Displ{"Displ", tr("Anzeigen")};
    // "Akt. Zeit": the display shows the time of day instead of the clock
    CheckBox Uhr{"Uhr", tr("Akt. Zeit")};
    // "Programm": the display runs its own program chosen under Extras
    CheckBox Prog{"Prog", tr("Programm")};
    // "freier Text": the display shows the free texts
    CheckBox ShText{"ShText", tr("freier Text")};
    // starts and stops the match clock
    Button St_St{"St_St", captions::start()};
    // caption of the start value
    Label Label1{"Label1", tr("Startwert")};
    // start value of the match clock in minutes
    TextBox Startwert{"Startwert", QStringLiteral("20.0")};
    // sets the match clock back to its start value (asks first)
    Button Reset_Time{"Reset_Time", tr("Reset")};
    // the serial port the display hangs on
    ComboBox Combo6{"Combo6"};
    // opens or closes the chosen port
    Button OpenOutput{"OpenOutput", captions::openPort()};
    // starts and stops a timeout
    Button Time_Out{"Time_Out", tr("StartTimeout")};
    // length of a timeout in minutes
    TextBox TimeoutValue{"TimeoutValue", QStringLiteral("1.0")};
    // starts and stops a match break
    Button Break{"Break", captions::startPause()};
    // length of a match break in minutes
    TextBox BreakValue{"BreakValue", QStringLiteral("5.0")};
    // The hand horn: sounds while the operator holds it.
    Button horn{"horn", tr("Hupe")};

    // --- the sport's band under the window (shown while a sport's rules apply) ---
    // the period under way ("1. Halbzeit")
    Label periodName{"periodName"};
    // the one step from a period's end to its break and from the break to the next period; its
    // caption says what comes
    Button nextPeriod{"nextPeriod"};
    // the home team's timeout
    Button teamTimeoutL{"teamTimeoutL", tr("Timeout Heim")};
    // the home team's timeouts: taken and still allowed ("●○○")
    Label timeoutsL{"timeoutsL"};
    // the guest team's timeout
    Button teamTimeoutR{"teamTimeoutR", tr("Timeout Gegner")};
    // the guest team's timeouts
    Label timeoutsR{"timeoutsR"};
    // caption of the home player's number
    Label playerCaptionL{"playerCaptionL", tr("Nr.")};
    // the number of the home player the next penalty is for (empty: none)
    TextBox playerL{"playerL"};
    // the home team's penalties: number, time to serve, waiting
    ListBox penaltyListL{"penaltyListL"};
    // ends the chosen home penalty before its time (the timekeeper's decision)
    Button penaltyEndL{"penaltyEndL", tr("Beenden")};
    // removes the chosen home penalty (given by mistake)
    Button penaltyRemoveL{"penaltyRemoveL", tr("Entfernen")};
    // caption of the guest player's number
    Label playerCaptionR{"playerCaptionR", tr("Nr.")};
    // the number of the guest player the next penalty is for
    TextBox playerR{"playerR"};
    // the guest team's penalties
    ListBox penaltyListR{"penaltyListR"};
    // ends the chosen guest penalty
    Button penaltyEndR{"penaltyEndR", tr("Beenden")};
    // removes the chosen guest penalty
    Button penaltyRemoveR{"penaltyRemoveR", tr("Entfernen")};
    // a foul of the home team (under a sport that counts team fouls)
    Button foulL{"foulL", tr("Foul")};
    // the home team's fouls in the period, and the mark at the rules' limit ("4  Bonus")
    Label foulsL{"foulsL"};
    // a foul of the guest team
    Button foulR{"foulR", tr("Foul")};
    // the guest team's fouls in the period
    Label foulsR{"foulsR"};
    // in the fouls' place under a sport that gives cards: a warning (yellow card) of the home
    // player whose number stands in the "Nr." box, and a disqualification (red card)
    Button warningL{"warningL", tr("Gelb")};
    Button redCardL{"redCardL", tr("Rot")};
    // the guest player's warning and disqualification
    Button warningR{"warningR", tr("Gelb")};
    Button redCardR{"redCardR", tr("Rot")};

    // --- free-text entry area ---
    // "Eine Zeile": one big line of free text instead of two rows
    CheckBox OneLine{"OneLine", tr("Eine Zeile")};
    // the upper row scrolls
    CheckBox Scroll_O{"Scroll_O", tr("Scrollen")};
    // the big line scrolls
    CheckBox Scroll_1{"Scroll_1", tr("Scrollen")};
    // the lower row scrolls
    CheckBox Scroll_U{"Scroll_U", tr("Scrollen")};
    // upper row of free text (standing)
    TextBox FreeT_O{"FreeT_O", QStringLiteral("Text oben ")};
    // the big line of free text (standing)
    TextBox FreeT{"FreeT", QStringLiteral("TxtGROSS")};
    // lower row of free text (standing); its first text, with the display's clock, comes from
    // DisplayModes, which knows the wire
    TextBox FreeT_U{"FreeT_U"};
    // upper row of free text (scrolling)
    TextBox FreeT_O_S{"FreeT_O_S", QStringLiteral("oben freier Text scrollend")};
    // the big line of free text (scrolling)
    TextBox FreeT_S{"FreeT_S", QStringLiteral("freier Text GROSS scrollend")};
    // lower row of free text (scrolling)
    TextBox FreeT_U_S{"FreeT_U_S", QStringLiteral("unten freier Text scrollend")};
    // explains when a changed free text reaches the display
    Button Help_text{"Help_text", QStringLiteral("?")};

    // --- bottom ---
    // the time of day under the commands
    Label TimeOut{"TimeOut", QStringLiteral("00:00:00.00")};
    // the maker's banner; a click opens the maker's web site
    Image Image1{"Image1"};
    // the maker's line
    Label Label2{"Label2", tr("Marklight professional Timing")};
    // the mark of a horn without sound output (missing or failed); hidden until then
    Label hornMissing{"hornMissing", tr("Hupe: kein Audiogerät")};
    // the faults of the background that stand now (see `setFault`); hidden while there is none
    Label StatusLine{"StatusLine"};
    // the mark of a remote (a phone, a tablet) connected and paired; hidden while there is none
    Label remoteMark{"remoteMark", tr("Fernbedienung")};
    // unused picture below the window
    Image Image2{"Image2"};
    // unused picture below the window
    Image Image3{"Image3"};

    // --- invisible members ---
    // the event log, newest line first (shown by "Meldungen")
    TextBox Text1{"Text1"};
    // hidden box; holds nothing
    TextBox Text5{"Text5"};
    // unused timer of the window
    Timer Timer1{"Timer1", 1000, false};
    // the match tick: once a second, ten times a second in the last minute
    Timer Timer2{"Timer2", 1000, true};
    // the tenths of the last minute
    Timer Timer3{"Timer3", 100, false};

    // --- menus ---
    // menu "Datei"
    MenuItem Datei{"Datei", tr("Datei")};
    // writes the match record with a header to a file the operator chooses
    MenuItem SaveReport{"SaveReport", tr("Spielbericht speichern…")};
    // writes the match report as a PDF to a file the operator chooses
    MenuItem SavePdf{"SavePdf", tr("Spielbericht als PDF…")};
    // ends the program, closing the port first
    MenuItem Ende{"Ende", tr("Ende")};
    // menu "Extras"
    MenuItem Extras{"Extras", tr("Extras")};
    // takes back the operator's last change of the match state; the caption names it
    MenuItem undo{"undo", tr("Rückgängig")};
    // does the change taken back again
    MenuItem redo{"redo", tr("Wiederholen")};
    // submenu "Zählen": which way the score buttons count
    MenuItem Count{"Count", tr("Zählen")};
    // the score buttons add one
    MenuItem up{"up", tr("Aufwärts"), true};
    // the score buttons take one
    MenuItem down{"down", tr("Abwärts")};
    // change of ends: swaps the names and scores
    MenuItem s_change{"s_change", tr("Seitenwechsel")};
    // mirrors the display: sides swapped
    MenuItem miror{"miror", tr("Spiegeln")};
    // submenu "Zeit Modus": which way the match clock runs
    MenuItem Mode{"Mode", tr("Zeit Modus")};
    // the match clock counts up
    MenuItem Mode_up{"Mode_up", tr("Up")};
    // the match clock counts down
    MenuItem Mode_down{"Mode_down", tr("Down"), true};
    // sets the clock back and both scores to 0
    MenuItem reset{"reset", tr("Reset")};
    // submenu "Helligkeit" of the display
    MenuItem Helligkeit{"Helligkeit", tr("Helligkeit")};
    // low brightness
    MenuItem br_low{"br_low", tr("schwach"), true};
    // medium brightness
    MenuItem br_med{"br_med", tr("mittel")};
    // high brightness
    MenuItem br_high{"br_high", tr("stark")};
    // submenu "Programme": the display's own programs
    MenuItem HL_Prog{"HL_Prog", tr("Programme")};
    // "Prog 1" ... "Prog 16": chooses the display's own program; index 0 is unused so that
    // indexes match the menu.
    std::array<std::optional<MenuItem>, 17> HLProgr;
    // lists the ports that open
    MenuItem check_comPorts{"check_comPorts", tr("COM-Ports prüfen")};
    // submenu "Baudrate": speed of the line
    MenuItem Baudrate{"Baudrate", tr("Baudrate")};
    // 1200 baud
    MenuItem Baud_1200{"Baud_1200", QStringLiteral("1200")};
    // 2400 baud
    MenuItem Baud_2400{"Baud_2400", QStringLiteral("2400")};
    // 4800 baud
    MenuItem Baud_4800{"Baud_4800", QStringLiteral("4800")};
    // 9600 baud
    MenuItem Baud_9600{"Baud_9600", QStringLiteral("9600"), true};
    // remote control (phones, tablets on the web face) is allowed; the desk takes it away at once
    MenuItem remoteOn{"remoteOn", tr("Fernbedienung erlauben"), true};
    // returns the kept settings to their defaults
    MenuItem ResetSettings{"ResetSettings", tr("Einstellungen zurücksetzen")};
    // menu "?"
    MenuItem Help{"Help", QStringLiteral("?")};
    // "Meldungen": shows the event log
    MenuItem Mess{"Mess", tr("Meldungen")};
    // "Tastenkürzel…": lists the keys of the match commands
    MenuItem keyList{"keyList", tr("Tastenkürzel…")};
    // shows the About text
    MenuItem abbout{"abbout", QStringLiteral("?")};

    MessageWindow frmMessage;

    // --- match state ---
    bool ClockRunning = false;
    bool TimeoutActive = false;
    bool BreakActive = false;
    bool LastMinute = false;
    // The tenths digit of the last minute as last shown.
    int TenthCount = 0;
    // The running count (the match clock, a timeout or a break) runs on `anchor`, to the
    // millisecond; `StepMs` is its value at its last step, so a turn the step has not yet shown
    // is found at once.
    CountAnchor anchor;
    qint64 StepMs = 0;
    // The match clock's exact value in milliseconds: where it stood at the last step while it
    // runs, where it stopped while it stands. `D_Min` and `D_Sec` show it until the operator
    // types another value.
    qint64 ClockMs = 20 * 60 * 1000;
    // The penalty of each side as the display shows it. Without a sport's rules the operator
    // starts and stops it; under them it is the side's penalty that ends first.
    Penalty penaltyL;
    Penalty penaltyR;
    bool LogPending = false;
    // The teams have changed ends an odd number of times ("Seitenwechsel"): the team that began
    // on the left, the home team of the record and the report, stands on the right.
    bool EndsChanged = false;
    double BannerPhase = 0;

    // --- the sport's rules ---
    // The chosen sport ("frei", "handball" …), kept with the settings; the match follows its
    // rules. "frei" has none: the match runs as the operator drives it.
    QString Sport = QStringLiteral("frei");
    // The period under way: 1, 2 … and past the regular periods overtime; 0 without periods.
    int PeriodNumber = 0;
    // The length of every regular period of this match in seconds, as a start value typed at its
    // start set it; 0: the sport's own.
    int PeriodSeconds = 0;
    // Where it stands: one of `phase`.
    int PeriodPhase = phase::kReady;
    // Each side's penalties while a sport's rules apply, in the order they were given.
    PenaltyList penaltiesL;
    PenaltyList penaltiesR;
    // Penalties given in the match so far: the next one's id.
    int PenaltyCount = 0;
    // Each side's team timeouts: in the match, in the half (or period) under way, and in the last
    // minutes of the regular time that the rules count apart.
    int TimeoutsMatchL = 0, TimeoutsHalfL = 0, TimeoutsLastL = 0;
    int TimeoutsMatchR = 0, TimeoutsHalfR = 0, TimeoutsLastR = 0;
    // Each side's team fouls: in the period that counts them (overtime with the last regular
    // period) and in the match.
    int FoulsL = 0, FoulsMatchL = 0;
    int FoulsR = 0, FoulsMatchR = 0;
    // Each side's players with what the match notes of them: fouls, penalties, sent off.
    PlayerSheet playersL;
    PlayerSheet playersR;

    // --- the operator's settings that are numbers or flags (the horn's, the network's, the
    // window's size, the second line's), one for each row of `settingTable`, its default first ---
    SettingValues settings;

    // --- horn ---
    // The running count-down has passed 0:00 (its signal is given); cleared by a new period.
    bool ClockEnded = false;
    // Called for by the tick, sounded after its transmission.
    HornSignal HornDue = HornSignal::None;
    bool HornFailed = false;

    // --- the match to an MQTT broker ---
    // Settings ("Extras → Netzwerk…") beside the table's (publishing, port, TLS): the broker's
    // address, the CA file its certificate is checked against (the system's CAs when it is
    // empty), the user name (the password is kept apart, owner-only), and the hall's and the
    // court's names in the topics.
    QString MqttHost;
    QString MqttCaFile;
    QString MqttUser;
    QString MqttHall;
    QString MqttCourt;

    // --- display output ---
    std::array<QString, 5> OutLine;
    QString LastSent;
    bool BlinkPhase = false;
    bool SpecialOutput = false;
    QString TextTop, TextBottom, TextBig;
    QString PreviewTop, PreviewBottom, PreviewBig;
    bool ScrollTop = false, ScrollBottom = false, ScrollBig = false;
    int ScrollPosTop = 0, ScrollPosBottom = 0, ScrollPosBig = 0;
    bool TwoLines = false;

    // --- the window ---
    // The language chosen under "Ansicht → Sprache" ("de", "en", empty for the system's); kept
    // with the settings, it applies from the next start.
    QString Language;
    // The team names typed last, newest first, at most `kTeamNamesKept`: the name boxes offer
    // them. Kept with the settings.
    QStringList TeamNames;
    // The hall the matches are played in ("Extras → Sportart…"), for the head of the printed
    // report. Kept with the settings.
    QString Hall;
    // The club's colours of the home and guest side ("Extras → Sportart…") as six hex digits, for
    // the report's chart and the pages (empty: red and blue). Kept with the settings.
    QString HomeColour;
    QString GuestColour;

    // --- serial link ---
    bool PortOpen = false;
    bool PortClosedWarn = false;
    // The second display line ("Extras → Zweite Anzeigelinie…"): its port (0: none chosen yet),
    // open or not, and its last transmission (its mirror and line speed are settings).
    int Line2Port = 0;
    bool Line2Open = false;
    QString Line2LastSent;

    // --- event log ---
    QString LoggedScoreL;
    QString LoggedScoreR;

    // --- faults in the background ---
    // Each fault that stands, with what the status line says of it.
    std::map<Fault, QString> faults;
    // Notes said in the status line so far: a note stands until an action of the operator that
    // says none.
    int NoteCount = 0;
    // Says `text` for `fault` in the status line, next to the other faults that stand; an empty
    // text takes it back. Never a message box: the tick, the wire and the horn go on.
    void setFault(Fault fault, const QString& text);
    // Says `text` in the status line until the operator's next action.
    void note(const QString& text) {
        setFault(Fault::Note, text);
        ++NoteCount;
    }

    // Every control of the main window (menu items and the 16 program items included), in a
    // fixed order; for lookup by name.
    const std::vector<Control*>& controls() const { return controls_; }
    Control* control(const QString& name) const;
    Timer* timer(const QString& name);
    // The display's brightness (1 to 3) and the program it runs (1 to 16), as the menus' check
    // marks say.
    int brightness() const { return br_high.checked ? 3 : br_med.checked ? 2 : 1; }
    int programNumber() const;
    // The value of a form-level field as replay prints it (flags -1/0, numbers in plain decimal,
    // texts quoted), or nothing when there is no such field.
    std::optional<QString> fieldText(const QString& name) const;
    // What changed since the last call: the step that has just ended.
    Changes takeChanges() { return snapshot_.take(*this); }

  private:
    std::vector<Control*> controls_;
    FormSnapshot snapshot_;
};

} // namespace ml
