#pragma once

// The main window `MainForm` as one plain record: every control with the window's own name, and
// the form-level fields of the match state, display, serial link and log. It owns all state.

#include "form/captions.h"
#include "form/controls.h"

#include <array>
#include <optional>
#include <vector>

namespace ml {

// The second window that shows the log or the About text. It exists only between its first
// showing and its closing; `reset` gives it its design-time state again.
struct MessageWindow {
    bool exists = false;
    Label lblMessage{"lblMessage", QStringLiteral("Message")};
    TextBox T_Message{"T_Message", QStringLiteral("Text1")};
    Button btnClose{"btnClose", QStringLiteral("&Close")};
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
};

struct Form {
    Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // --- preview of the display line ---
    TextBox Text_l{"Text_l", QStringLiteral("Heim")};
    TextBox Text_r{"Text_r", QStringLiteral("Gegner")};
    TextBox TxtStrL{"TxtStrL", QStringLiteral("0")};
    TextBox TxtStrR{"TxtStrR", QStringLiteral("0")};
    TextBox SpecL{"SpecL", QStringLiteral("Heim")};
    TextBox SpecR{"SpecR", QStringLiteral("Gegner")};
    TextBox ShText_o{"ShText_o", QStringLiteral("freier text")};
    TextBox Show_Prog{"Show_Prog"};
    TextBox ShText_s{"ShText_s", QStringLiteral("scrollender text")};
    TextBox Pkt_l{"Pkt_l", QStringLiteral("0")};
    TextBox FlashL{"FlashL", QStringLiteral(":")};
    TextBox D_Min{"D_Min", QStringLiteral("20")};
    TextBox d_Pkt{"d_Pkt", QStringLiteral(":")};
    TextBox D_Sec{"D_Sec", QStringLiteral("00")};
    TextBox FlashR{"FlashR", QStringLiteral(":")};
    TextBox Pkt_r{"Pkt_r", QStringLiteral("0")};
    TextBox Uhr_anz{"Uhr_anz", QStringLiteral("hh:mm:ss")};
    TextBox Spec_Min{"Spec_Min", QStringLiteral("20")};
    TextBox Spec_Sec{"Spec_Sec", QStringLiteral("00")};
    TextBox ShText_u{"ShText_u", QStringLiteral("freier text")};

    // --- side columns ---
    Button StrafeL{"StrafeL", captions::kStartStrafe};
    TextBox ValStrafeL{"ValStrafeL", QStringLiteral("2.0")};
    Button up_l{"up_l"};
    Button down_l{"down_l"};
    Button StrafeR{"StrafeR", captions::kStartStrafe};
    TextBox ValStrafeR{"ValStrafeR", QStringLiteral("2.0")};
    Button up_r{"up_r"};
    Button down_r{"down_r"};

    // --- command rows ---
    CheckBox Displ{"Displ", QStringLiteral("Anzeigen")};
    CheckBox Uhr{"Uhr", QStringLiteral("Akt. Zeit")};
    CheckBox Prog{"Prog", QStringLiteral("Programm")};
    CheckBox ShText{"ShText", QStringLiteral("freier Text")};
    Button St_St{"St_St", captions::kStart};
    Label Label1{"Label1", QStringLiteral("Startwert")};
    TextBox Startwert{"Startwert", QStringLiteral("20.0")};
    Button Reset_Time{"Reset_Time", QStringLiteral("Reset")};
    ComboBox Combo6{"Combo6"};
    Button OpenOutput{"OpenOutput", QStringLiteral("öffnen")};
    Button Time_Out{"Time_Out", QStringLiteral("StartTimeout")};
    TextBox TimeoutValue{"TimeoutValue", QStringLiteral("1.0")};
    Button Break{"Break", captions::kStartPause};
    TextBox BreakValue{"BreakValue", QStringLiteral("5.0")};

    // --- free-text entry area ---
    CheckBox OneLine{"OneLine", QStringLiteral("Eine Zeile")};
    CheckBox Scroll_O{"Scroll_O", QStringLiteral("Scrollen")};
    CheckBox Scroll_1{"Scroll_1", QStringLiteral("Scrollen")};
    CheckBox Scroll_U{"Scroll_U", QStringLiteral("Scrollen")};
    TextBox FreeT_O{"FreeT_O", QStringLiteral("Text oben ")};
    TextBox FreeT{"FreeT", QStringLiteral("TxtGROSS")};
    TextBox FreeT_U{"FreeT_U", QStringLiteral("Zeit:   §O4     ")};
    TextBox FreeT_O_S{"FreeT_O_S", QStringLiteral("oben freier Text scrollend")};
    TextBox FreeT_S{"FreeT_S", QStringLiteral("freier Text GROSS scrollend")};
    TextBox FreeT_U_S{"FreeT_U_S", QStringLiteral("unten freier Text scrollend")};
    Button Help_text{"Help_text", QStringLiteral("?")};

    // --- bottom ---
    Label TimeOut{"TimeOut", QStringLiteral("00:00:00.00")};
    Image Image1{"Image1"};
    Label Label2{"Label2", QStringLiteral("Marklight professional Timing")};
    Image Image2{"Image2"};
    Image Image3{"Image3"};

    // --- invisible members ---
    TextBox Text1{"Text1"};
    TextBox Text5{"Text5"};
    Timer Timer1{"Timer1", 1000, false};
    Timer Timer2{"Timer2", 1000, true};
    Timer Timer3{"Timer3", 100, false};

    // --- menus ---
    MenuItem Datei{"Datei", QStringLiteral("Datei")};
    MenuItem Ende{"Ende", QStringLiteral("Ende")};
    MenuItem Extras{"Extras", QStringLiteral("Extras")};
    MenuItem Count{"Count", QStringLiteral("Zählen")};
    MenuItem up{"up", QStringLiteral("Aufwärts"), true};
    MenuItem down{"down", QStringLiteral("Abwärts")};
    MenuItem s_change{"s_change", QStringLiteral("Seitenwechsel")};
    MenuItem miror{"miror", QStringLiteral("Spiegeln")};
    MenuItem Mode{"Mode", QStringLiteral("Zeit Modus")};
    MenuItem Mode_up{"Mode_up", QStringLiteral("Up")};
    MenuItem Mode_down{"Mode_down", QStringLiteral("Down"), true};
    MenuItem reset{"reset", QStringLiteral("Reset")};
    MenuItem Helligkeit{"Helligkeit", QStringLiteral("Helligkeit")};
    MenuItem br_low{"br_low", QStringLiteral("schwach"), true};
    MenuItem br_med{"br_med", QStringLiteral("mittel")};
    MenuItem br_high{"br_high", QStringLiteral("stark")};
    MenuItem HL_Prog{"HL_Prog", QStringLiteral("Programme")};
    // The "Prog 1" ... "Prog 16" item array; index 0 is unused so that indexes match the menu.
    std::array<std::optional<MenuItem>, 17> HLProgr;
    MenuItem check_comPorts{"check_comPorts", QStringLiteral("COM-Ports prüfen")};
    MenuItem Baudrate{"Baudrate", QStringLiteral("Baudrate")};
    MenuItem Baud_1200{"Baud_1200", QStringLiteral("1200")};
    MenuItem Baud_2400{"Baud_2400", QStringLiteral("2400")};
    MenuItem Baud_4800{"Baud_4800", QStringLiteral("4800")};
    MenuItem Baud_9600{"Baud_9600", QStringLiteral("9600"), true};
    MenuItem Help{"Help", QStringLiteral("?")};
    MenuItem Mess{"Mess", QStringLiteral("Meldungen")};
    MenuItem Tasten{"Tasten", QStringLiteral("Tastenkürzel…")};
    MenuItem abbout{"abbout", QStringLiteral("?")};

    MessageWindow frmMessage;

    // --- match state ---
    bool ClockRunning = false;
    bool TimeoutActive = false;
    bool BreakActive = false;
    bool LastMinute = false;
    int TenthCount = 0;
    double RefTime = 0;
    double StartSec = 0;
    double CurSec = 0;
    double NowSec = 0;
    Penalty penaltyL;
    Penalty penaltyR;
    bool LogPending = false;
    double BannerPhase = 0;

    // --- display output ---
    std::array<QString, 5> OutLine;
    QString LastSent;
    int Brightness = 1;
    bool BlinkPhase = false;
    bool SpecialOutput = false;
    int ProgramNumber = 1;
    QString TextTop, TextBottom, TextBig;
    QString PreviewTop, PreviewBottom, PreviewBig;
    bool ScrollTop = false, ScrollBottom = false, ScrollBig = false;
    int ScrollPosTop = 0, ScrollPosBottom = 0, ScrollPosBig = 0;
    bool TwoLines = false;

    // --- serial link ---
    bool PortOpen = false;
    bool PortClosedWarn = false;

    // --- event log ---
    QString LoggedScoreL;
    QString LoggedScoreR;

    // Every control of the main window (menu items and the 16 program items included), in a
    // fixed order; for lookup by name.
    const std::vector<Control*>& controls() const { return controls_; }
    Control* control(const QString& name) const;
    Timer* timer(const QString& name);
    // The value of a form-level field as replay prints it (flags -1/0, numbers in plain decimal,
    // texts quoted), or nothing when there is no such field.
    std::optional<QString> fieldText(const QString& name) const;

  private:
    std::vector<Control*> controls_;
};

} // namespace ml
