#include "app/window_layout.h"

#include <QCoreApplication>

#include <cmath>

namespace ml::app {

namespace {

constexpr Qt::Alignment L = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment R = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment C = Qt::AlignHCenter | Qt::AlignVCenter;

constexpr const char* kPenaltyTip =
    QT_TRANSLATE_NOOP("ml::app::Layout", "startet und stoppt eine Strafe");
constexpr const char* kPenaltyLengthTip =
    QT_TRANSLATE_NOOP("ml::app::Layout", "Startwert einer Strafe in Minuten");
constexpr const char* kScoreUpTip =
    QT_TRANSLATE_NOOP("ml::app::Layout", "Spielstand um eins erhöhen");
constexpr const char* kScoreDownTip =
    QT_TRANSLATE_NOOP("ml::app::Layout", "Spielstand um eins verringern");
constexpr const char* kShowTextTip =
    QT_TRANSLATE_NOOP("ml::app::Layout", "Ihr Text, der unten eingegeben wurde, wird angezeigt");
constexpr const char* kOutputTip =
    QT_TRANSLATE_NOOP("ml::app::Layout", "Anzeigen ein- / ausschalten");
constexpr const char* kUpperTextTip =
    QT_TRANSLATE_NOOP("ml::app::Layout", "freier Text oben für die Anzeige");
constexpr const char* kLowerTextTip =
    QT_TRANSLATE_NOOP("ml::app::Layout", "freier Text unten für die Anzeige");
constexpr const char* kScrollTextTip =
    QT_TRANSLATE_NOOP("ml::app::Layout", "freier Text für die Anzeige");
constexpr const char* kPlayerTip = QT_TRANSLATE_NOOP(
    "ml::app::Layout", "Nummer des Spielers der nächsten Strafe (1 bis 99, leer: ohne)");
constexpr const char* kPenaltyListTip = QT_TRANSLATE_NOOP(
    "ml::app::Layout", "die Strafen der Mannschaft: Nummer, Zeit bis zum Ende, wartende");
constexpr const char* kPenaltyEndTip =
    QT_TRANSLATE_NOOP("ml::app::Layout", "beendet die gewählte Strafe vor ihrer Zeit");
constexpr const char* kPenaltyRemoveTip =
    QT_TRANSLATE_NOOP("ml::app::Layout", "nimmt die gewählte Strafe aus der Liste (ein Versehen)");
constexpr const char* kTeamTimeoutHomeTip =
    QT_TRANSLATE_NOOP("ml::app::Layout", "Timeout der Heim-Mannschaft (zählt nach den Regeln)");
constexpr const char* kTeamTimeoutGuestTip =
    QT_TRANSLATE_NOOP("ml::app::Layout", "Timeout der Gast-Mannschaft (zählt nach den Regeln)");
constexpr const char* kTimeoutsTip =
    QT_TRANSLATE_NOOP("ml::app::Layout", "Timeouts: genommen ● und noch erlaubt ○");
constexpr const char* kFoulHomeTip = QT_TRANSLATE_NOOP(
    "ml::app::Layout", "ein Foul der Heim-Mannschaft (mit der Nummer aus \"Nr.\", wo die "
                       "Sportart die Fouls der Spieler zählt)");
constexpr const char* kFoulGuestTip = QT_TRANSLATE_NOOP(
    "ml::app::Layout", "ein Foul der Gast-Mannschaft (mit der Nummer aus \"Nr.\", wo die "
                       "Sportart die Fouls der Spieler zählt)");
constexpr const char* kWarningTip =
    QT_TRANSLATE_NOOP("ml::app::Layout", "Verwarnung (gelbe Karte) für die Nummer aus \"Nr.\"");
constexpr const char* kRedCardTip = QT_TRANSLATE_NOOP(
    "ml::app::Layout", "Disqualifikation (rote Karte) für die Nummer aus \"Nr.\": die "
                       "Mannschaft spielt eine Strafe in Unterzahl");
constexpr const char* kFoulsTip =
    QT_TRANSLATE_NOOP("ml::app::Layout",
                      "Teamfouls im Abschnitt; die Marke, sobald jedes weitere Foul bestraft wird");

// clang-format off
const ControlLayout kMainWindow[] = {
    // The replica of the display line: two rows of 735 twips between the side columns.
    {"Text_l",    {840, 120, 2895, 735},  L, 0, nullptr, 0, Look::Preview},
    {"Text_r",    {3960, 120, 2895, 735}, R, 0, nullptr, 0, Look::Preview},
    {"TxtStrL",   {840, 120, 2895, 735},  L, 8, nullptr, 0, Look::Preview},
    {"TxtStrR",   {3960, 120, 2895, 735}, R, 8, nullptr, 0, Look::Preview},
    {"SpecL",     {840, 120, 3015, 735},  L, 0, nullptr, 0, Look::Preview},
    {"SpecR",     {3840, 120, 3015, 735}, R, 0, nullptr, 0, Look::Preview},
    {"ShText_o",  {840, 120, 6015, 735},  L, 0, nullptr, 0, Look::Preview},
    {"Show_Prog", {840, 120, 6015, 1575}, Qt::AlignHCenter | Qt::AlignTop, 0, nullptr, 0,
     Look::Preview, Picture::None, true},
    {"ShText_s",  {840, 120, 6015, 1575}, L, 0, nullptr, 60, Look::Preview},
    {"Pkt_l",     {840, 960, 1095, 735},  L, 3, nullptr, 0, Look::Preview},
    {"FlashL",    {1920, 960, 405, 735},  R, 1, nullptr, 0, Look::Preview},
    {"D_Min",     {2280, 960, 1335, 735}, R, 4, nullptr, 0, Look::Preview},
    {"d_Pkt",     {3625, 960, 450, 735},  L, 0, nullptr, 0, Look::Preview},
    {"D_Sec",     {4080, 960, 1335, 735}, L, 3, nullptr, 0, Look::Preview},
    {"FlashR",    {5400, 960, 450, 735},  L, 1, nullptr, 0, Look::Preview},
    {"Pkt_r",     {5760, 960, 1095, 735}, R, 3, nullptr, 0, Look::Preview},
    {"Uhr_anz",   {2280, 960, 3135, 735}, C, 0, nullptr, 0, Look::Preview},
    {"Spec_Min",  {2280, 960, 1335, 735}, R, 4, nullptr, 0, Look::Preview},
    {"Spec_Sec",  {4080, 960, 1335, 735}, L, 3, nullptr, 0, Look::Preview},
    {"ShText_u",  {840, 960, 6015, 735},  L, 0, nullptr, 0, Look::Preview},

    // The side columns: penalty button, penalty length and the score buttons of one side.
    {"StrafeL",    {50, 120, 735, 520},   L, 0, kPenaltyTip},
    {"ValStrafeL", {50, 670, 735, 360},   C, 0, kPenaltyLengthTip},
    {"up_l",       {50, 1080, 735, 615},  L, 0, kScoreUpTip, 0, Look::Plain, Picture::ArrowUp},
    {"down_l",     {50, 1080, 735, 615},  L, 0, kScoreDownTip, 0, Look::Plain, Picture::ArrowDown},
    {"StrafeR",    {6900, 120, 735, 520}, L, 0, kPenaltyTip},
    {"ValStrafeR", {6900, 670, 735, 360}, C, 0, kPenaltyLengthTip},
    {"up_r",       {6900, 1080, 735, 615}, L, 0, kScoreUpTip, 0, Look::Plain, Picture::ArrowUp},
    {"down_r",     {6900, 1080, 735, 615}, L, 0, kScoreDownTip, 0, Look::Plain, Picture::ArrowDown},

    // The command rows. The three mode boxes stand one check box's height apart, so that their
    // texts show whole at every size.
    {"Displ",        {240, 1920, 1215, 495},  L, 0, kOutputTip},
    {"Uhr",          {1680, 1725, 1215, 285}, L, 0, QT_TRANSLATE_NOOP("ml::app::Layout", "zeigt die aktuelle Uhrzeit an")},
    {"Prog",         {1680, 2025, 1215, 285}, L, 0,
     QT_TRANSLATE_NOOP("ml::app::Layout", "Startet das unter \"Extras-Programme\" gewählte Programm auf der Anzeigelinie ")},
    {"ShText",       {1680, 2325, 1215, 285}, L, 0, kShowTextTip},
    {"St_St",        {3290, 1920, 1095, 495}, C, 0, QT_TRANSLATE_NOOP("ml::app::Layout", "startet und stoppt die Spielzeit"), 13.5},
    {"Label1",       {4800, 2100, 855, 255},  L},
    {"Startwert",    {5760, 2040, 700, 360},  C, 0, QT_TRANSLATE_NOOP("ml::app::Layout", "Startwert der Spielzeit in Minuten")},
    {"Reset_Time",   {6600, 2040, 975, 375},  C, 0,
     QT_TRANSLATE_NOOP("ml::app::Layout", "Rücksetzten der Spielzeit (Rücksetzten mit Punkte in Extras - Reset)")},
    {"Combo6",       {120, 2650, 1692, 330},  L, 0,
     QT_TRANSLATE_NOOP("ml::app::Layout", "Com Port, an der die Anzeigelinie angeschlossen ist wählen")},
    {"OpenOutput",   {1920, 2640, 1095, 360}, C, 0, QT_TRANSLATE_NOOP("ml::app::Layout", "öffnet oder schliesst den gewählten COM Port")},
    {"Time_Out",     {3240, 2640, 1335, 360}, C, 0, QT_TRANSLATE_NOOP("ml::app::Layout", "startet und stoppt ein Timeout")},
    {"TimeoutValue", {4680, 2640, 600, 360},  C, 4, QT_TRANSLATE_NOOP("ml::app::Layout", "Startwert eines Timeouts in Minuten")},
    {"Break",        {5400, 2640, 1455, 360}, C, 0, QT_TRANSLATE_NOOP("ml::app::Layout", "startet und stoppt eine Pause")},
    {"BreakValue",   {6960, 2640, 600, 360},  C, 0, QT_TRANSLATE_NOOP("ml::app::Layout", "Startwert der Pause in Minuten")},
    {"horn",         {240, 3840, 1215, 375},  C, 0, QT_TRANSLATE_NOOP("ml::app::Layout", "Hupe: ertönt, solange gedrückt")},

    // The free-text entry area: each row has a standing and a scrolling box on one place.
    {"OneLine",   {240, 3420, 1215, 360},  L, 0, kOutputTip},
    {"Scroll_O",  {1680, 3240, 1095, 360},  L, 0, kShowTextTip},
    {"Scroll_1",  {1680, 3420, 1095, 360},  L, 0, kShowTextTip},
    {"Scroll_U",  {1680, 3600, 1095, 360},  L, 0, kShowTextTip},
    {"FreeT_O",   {2880, 3240, 1695, 360}, L, 16, kUpperTextTip},
    {"FreeT",     {2880, 3420, 1695, 360}, L, 8, kUpperTextTip},
    {"FreeT_U",   {2880, 3650, 1695, 360}, L, 16, kLowerTextTip},
    {"FreeT_O_S", {2880, 3240, 4335, 360}, L, 0, kScrollTextTip},
    {"FreeT_S",   {2880, 3420, 4335, 360}, L, 0, kScrollTextTip},
    {"FreeT_U_S", {2880, 3650, 4335, 360}, L, 0, kScrollTextTip},
    {"Help_text", {7320, 3420, 270, 360},  C},

    // The bottom: the time label, the banner and the maker's line. The banner's tool tip is the
    // web address it opens, set where the banner is made.
    {"TimeOut", {5880, 3840, 1695, 315}, C, 0, nullptr, 12, Look::Yellow},
    {"Image1",  {120, 4320, 7455, 525},  L, 0, nullptr, 0, Look::Plain, Picture::Banner},
    {"Label2",  {120, 4875, 2775, 255},  L, 0, nullptr, kWindowPoints},
    // Over the maker's line while a fault of the background stands.
    {"StatusLine", {120, 4860, 4980, 255}, L, 0, nullptr, 0, Look::Yellow},
    {"hornMissing", {5160, 4860, 2415, 255}, C, 0,
     QT_TRANSLATE_NOOP("ml::app::Layout", "Die Hupe kann nicht spielen: kein Audiogerät gefunden oder es ist ausgefallen"), 0,
     Look::Yellow},
    // On the banner's right end while a remote is connected.
    {"remoteMark", {6255, 4380, 1260, 255}, C, 0, nullptr, 0, Look::Yellow},

    // Members that lie below the visible area or are never shown.
    {"Image2", {120, 5160, 495, 495}},
    {"Image3", {720, 5160, 495, 495}},
    {"Text1",  {1320, 5160, 1215, 735}, L, 0, nullptr, 0, Look::Plain, Picture::None, true},
    {"Text5",  {2640, 5160, 1215, 735}, L, 0, nullptr, 0, Look::Plain, Picture::None, true},

    // The sport's band under the window, shown while a sport's rules apply: the home team's
    // timeouts and penalties on the left, the period in the middle, the guest team's on the right.
    // The period is as wide as the dots of the timeouts leave it: it names the match clock too
    // while a timeout or break counts ("Verlängerung · 4:59").
    {"teamTimeoutL",   {120, 5220, 1455, 360},   C, 0, kTeamTimeoutHomeTip},
    {"timeoutsL",      {1620, 5220, 780, 360},  L, 0, kTimeoutsTip, 12},
    {"playerCaptionL", {120, 5700, 375, 300},    L},
    {"playerL",        {480, 5660, 450, 360},    C, 2, kPlayerTip},
    {"penaltyListL",   {960, 5660, 1800, 1380},  L, 0, kPenaltyListTip},
    {"penaltyEndL",    {120, 6180, 810, 360},    C, 0, kPenaltyEndTip},
    {"penaltyRemoveL", {120, 6600, 810, 360},    C, 0, kPenaltyRemoveTip},
    {"periodName",     {2445, 5220, 2805, 420},  C, 0,
     QT_TRANSLATE_NOOP("ml::app::Layout", "der laufende Abschnitt"), 12, Look::Yellow},
    {"nextPeriod",     {2880, 5700, 1935, 420},  C, 0,
     QT_TRANSLATE_NOOP("ml::app::Layout",
                       "vom Ende eines Abschnitts zur Pause, von der Pause zum nächsten Abschnitt")},
    // Under the period, each team's fouls in it, the home team's on the left: its button above
    // its count.
    {"foulL",          {2880, 6180, 945, 360},   C, 0, kFoulHomeTip},
    {"foulR",          {3870, 6180, 945, 360},   C, 0, kFoulGuestTip},
    {"foulsL",         {2880, 6600, 945, 360},   C, 0, kFoulsTip},
    {"foulsR",         {3870, 6600, 945, 360},   C, 0, kFoulsTip},
    // In the fouls' place under a sport that gives cards: each side's yellow above its red.
    {"warningL",       {2880, 6180, 945, 360},   C, 0, kWarningTip},
    {"warningR",       {3870, 6180, 945, 360},   C, 0, kWarningTip},
    {"redCardL",       {2880, 6600, 945, 360},   C, 0, kRedCardTip},
    {"redCardR",       {3870, 6600, 945, 360},   C, 0, kRedCardTip},
    {"timeoutsR",      {5295, 5220, 780, 360},  R, 0, kTimeoutsTip, 12},
    {"teamTimeoutR",   {6120, 5220, 1455, 360},  C, 0, kTeamTimeoutGuestTip},
    {"penaltyListR",   {4935, 5660, 1800, 1380}, L, 0, kPenaltyListTip},
    {"playerCaptionR", {6765, 5700, 375, 300},   L},
    {"playerR",        {7125, 5660, 450, 360},   C, 2, kPlayerTip},
    {"penaltyEndR",    {6765, 6180, 810, 360},   C, 0, kPenaltyEndTip},
    {"penaltyRemoveR", {6765, 6600, 810, 360},   C, 0, kPenaltyRemoveTip},
};

const ControlLayout kMessageWindow[] = {
    {"Image1",     {120, 120, 5760, 525},   L, 0, nullptr, 0, Look::Plain, Picture::Banner},
    {"lblMessage", {120, 780, 5760, 2880},  Qt::AlignLeft | Qt::AlignTop, 0, nullptr, 0, Look::Plain,
     Picture::None, true},
    {"T_Message",  {120, 780, 5760, 2880},  L, 0, nullptr, 0, Look::Plain, Picture::None, true,
     true},
    {"btnClose",   {4560, 3780, 1320, 420}, C},
};

const MenuLayout kMenus[] = {
    {"Datei", nullptr},
    {"SaveReport", "Datei"},
    {"SavePdf", "Datei"},
    {"Ende", "Datei"},
    {"Extras", nullptr},
    {"undo", "Extras"},
    {"redo", "Extras"},
    {"Count", "Extras"},
    {"up", "Count", true},
    {"down", "Count", true},
    {"s_change", "Extras"},
    {"miror", "Extras", true},
    {"Mode", "Extras"},
    {"Mode_up", "Mode", true},
    {"Mode_down", "Mode", true},
    {"reset", "Extras"},
    {"Helligkeit", "Extras"},
    {"br_low", "Helligkeit", true},
    {"br_med", "Helligkeit", true},
    {"br_high", "Helligkeit", true},
    {"HL_Prog", "Extras"},
    {"HLProgr", "HL_Prog", true},
    {"check_comPorts", "Extras"},
    {"Baudrate", "Extras"},
    {"Baud_1200", "Baudrate", true},
    {"Baud_2400", "Baudrate", true},
    {"Baud_4800", "Baudrate", true},
    {"Baud_9600", "Baudrate", true},
    {"remoteOn", "Extras", true},
    {"ResetSettings", "Extras"},
    {"Help", nullptr},
    {"Mess", "Help"},
    {"keyList", "Help"},
    {"abbout", "Help"},
};

// One line for each row of the window.
const char* const kReadingOrder[] = {
    "StrafeL", "Text_l", "Text_r", "StrafeR",
    "ValStrafeL", "ValStrafeR",
    "up_l", "down_l", "Pkt_l", "D_Min", "D_Sec", "Pkt_r", "up_r", "down_r",
    "Displ", "Uhr", "Prog", "ShText", "St_St", "Startwert", "Reset_Time",
    "Combo6", "OpenOutput", "Time_Out", "TimeoutValue", "Break", "BreakValue",
    "Scroll_O", "FreeT_O", "FreeT_O_S",
    "OneLine", "Scroll_1", "FreeT", "FreeT_S", "Help_text",
    "Scroll_U", "FreeT_U", "FreeT_U_S",
    "teamTimeoutL", "playerL", "penaltyListL", "penaltyEndL", "penaltyRemoveL", "nextPeriod",
    "foulL", "foulR", "warningL", "warningR", "redCardL", "redCardR",
    "teamTimeoutR", "penaltyListR", "playerR", "penaltyEndR", "penaltyRemoveR",
};

// The boxes of a player's number: digits only, so that every other key (Space for the clock
// above all) stays the match's while one has the focus.
const char* const kNumberBoxes[] = {"playerL", "playerR"};

// Accelerators, distinct within each menu (one line per menu).
const struct {
    const char* name;
    struct {
        const char* source;
        const char* comment;
    } key;
} kMnemonics[] = {
    {"Datei", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "D", "Datei")}, {"Extras", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "E", "Extras")}, {"Help", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "?", "Help")},
    {"Ende", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "E", "Ende")},
    {"undo", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "R", "undo")}, {"redo", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "W", "redo")}, {"Count", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "Z", "Count")}, {"s_change", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "S", "s_change")}, {"miror", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "g", "miror")},
    {"Mode", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "M", "Mode")}, {"reset", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "e", "reset")},
    {"Helligkeit", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "H", "Helligkeit")}, {"HL_Prog", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "P", "HL_Prog")}, {"check_comPorts", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "C", "check_comPorts")}, {"Baudrate", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "B", "Baudrate")},
    {"remoteOn", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "F", "remoteOn")},
    {"up", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "A", "up")}, {"down", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "b", "down")},
    {"Mode_up", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "U", "Mode_up")}, {"Mode_down", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "D", "Mode_down")},
    {"br_low", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "s", "br_low")}, {"br_med", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "m", "br_med")}, {"br_high", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "t", "br_high")},
    {"Baud_1200", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "1", "Baud_1200")}, {"Baud_2400", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "2", "Baud_2400")}, {"Baud_4800", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "4", "Baud_4800")}, {"Baud_9600", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "9", "Baud_9600")},
    {"Mess", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "M", "Mess")}, {"keyList", QT_TRANSLATE_NOOP3("ml::app::Mnemonic", "T", "keyList")},
};
// clang-format on

} // namespace

std::span<const char* const> readingOrder() {
    return kReadingOrder;
}

std::span<const char* const> numberBoxes() {
    return kNumberBoxes;
}

QString withMnemonic(const QString& name, const QString& caption) {
    for (const auto& m : kMnemonics) {
        if (name != QLatin1String(m.name))
            continue;
        const QString key =
            QCoreApplication::translate("ml::app::Mnemonic", m.key.source, m.key.comment);
        const qsizetype at = key.isEmpty() ? -1 : caption.indexOf(key.front());
        return at < 0 ? caption : caption.left(at) + QLatin1Char('&') + caption.mid(at);
    }
    return caption;
}

QRect geometryOf(const Place& p, double scale) {
    const int left = pixels(p.left, scale);
    const int top = pixels(p.top, scale);
    return {left, top, pixels(p.left + p.width, scale) - left,
            pixels(p.top + p.height, scale) - top};
}

std::span<const ControlLayout> mainWindowLayout() {
    return kMainWindow;
}

std::span<const ControlLayout> messageWindowLayout() {
    return kMessageWindow;
}

std::span<const MenuLayout> menuLayout() {
    return kMenus;
}

int pixels(int twips, double scale) {
    return static_cast<int>(std::lround(twips * scale / 15.0));
}

} // namespace ml::app
