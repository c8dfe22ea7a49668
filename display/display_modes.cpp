#include "display/display_modes.h"

#include "display/frames.h"
#include "display/wire_format.h"

#include <algorithm>
#include <initializer_list>

namespace ml {

namespace {

// The display's own time of day; stands in the free texts and is shown as the PC's time.
const QString kTimeEscape = wire::timeEscape();
const QString kTimeWord = QStringLiteral("$TIME");

void setVisible(std::initializer_list<Control*> controls, bool visible) {
    for (Control* c : controls)
        c->visible = visible;
}

// One row's entry: the scrolling box when `scroll` is ticked, the standing one otherwise.
void showEntry(const CheckBox& scroll, TextBox& standing, TextBox& scrolling) {
    standing.visible = !scroll.ticked();
    scrolling.visible = scroll.ticked();
}

// Takes one row over: the scroll flag, the text from the box the row's "Scrollen" chooses, and
// the preview box.
void takeRow(const CheckBox& scroll, const TextBox& standing, const TextBox& scrolling,
             bool& scrollFlag, TextBox& preview, QString& text) {
    scrollFlag = scroll.ticked();
    text = scrollFlag ? scrolling.text : standing.text;
    preview.text = text;
}

// Moves a scrolling preview on by one character (`advance`), starting over after the last one.
void scrollPreview(int& pos, const QString& text, int window, TextBox& preview, bool advance) {
    if (advance && ++pos > text.size())
        pos = 1;
    preview.text = text.mid(std::max(pos, 1) - 1, window);
}

} // namespace

DisplayModes::DisplayModes(Form& form, const Clock& clock, Dialogs& dialogs, SerialLink& link,
                           MatchEngine& match)
    : form_(form), clock_(clock), dialogs_(dialogs), link_(link), match_(match) {
    form_.FreeT_U.text = QStringLiteral("Zeit:   ") + kTimeEscape;
}

void DisplayModes::bindHandlers() {
    form_.Displ.onClick = [this] { Displ_Click(); };
    form_.Uhr.onClick = [this] { Uhr_Click(); };
    form_.Prog.onClick = [this] { Prog_Click(); };
    form_.ShText.onClick = [this] { ShText_Click(); };
    form_.OneLine.onClick = [this] { OneLine_Click(); };
    form_.Scroll_O.onClick = [this] { Scroll_O_Click(); };
    form_.Scroll_U.onClick = [this] { Scroll_U_Click(); };
    form_.Scroll_1.onClick = [this] { Scroll_1_Click(); };
    form_.Help_text.onClick = [this] { Help_text_Click(); };
    form_.miror.onClick = [this] { miror_Click(); };
    form_.br_low.onClick = [this] { br_low_Click(); };
    form_.br_med.onClick = [this] { br_med_Click(); };
    form_.br_high.onClick = [this] { br_high_Click(); };
    for (int i = 1; i < static_cast<int>(form_.HLProgr.size()); ++i)
        form_.HLProgr[static_cast<size_t>(i)]->onClick = [this, i] { HLProgr_Click(i); };
}

// Never replaced on a slow line: the display must get it before the new mode's content.
void DisplayModes::sendModeSwitch() {
    if (form_.PortOpen || form_.Line2Open)
        link_.outputInOrder(frames::modeSwitchSequence());
}

void DisplayModes::start() {
    Form& f = form_;
    f.miror.checked = false;
    f.SpecialOutput = false;
    setBrightness(1);
    f.HLProgr[1]->checked = true;
    f.Show_Prog.visible = false;
    f.Show_Prog.text = tr("Programm %1\r\nläuft").arg(1);
}

void DisplayModes::Displ_Click() {
    sendModeSwitch();
    Get_Text();
}

void DisplayModes::Uhr_Click() {
    Form& f = form_;
    if (f.Uhr.ticked()) {
        f.Uhr_anz.visible = true;
        setVisible({&f.D_Min, &f.d_Pkt, &f.D_Sec, &f.FlashL, &f.FlashR, &f.Show_Prog}, false);
        f.Prog.setValue(0);
        f.ShText.setValue(0);
        // A running break goes on.
        match_.endInterruption(Interruption::Timeout);
    } else {
        f.Uhr_anz.visible = false;
        setVisible({&f.D_Min, &f.d_Pkt, &f.D_Sec, &f.FlashL, &f.FlashR}, true);
    }
    f.LastSent.clear();
}

void DisplayModes::Prog_Click() {
    Form& f = form_;
    if (f.Prog.ticked()) {
        f.Uhr.setValue(0);
        f.Show_Prog.visible = true;
        setVisible(
            {&f.D_Min, &f.d_Pkt, &f.D_Sec, &f.FlashL, &f.FlashR, &f.Uhr_anz, &f.Pkt_l, &f.Pkt_r},
            false);
        // A running break goes on.
        match_.endInterruption(Interruption::Timeout);
        setVisible({&f.ShText_u, &f.ShText_o}, false);
        f.ShText.setValue(0);
    } else {
        f.Show_Prog.visible = false;
        // `Uhr` is ticked here when `Uhr_Click` itself cleared the program.
        const bool time = f.Uhr.ticked();
        f.Uhr_anz.visible = time;
        setVisible({&f.D_Min, &f.d_Pkt, &f.D_Sec, &f.FlashL, &f.FlashR}, !time);
        setVisible({&f.Pkt_l, &f.Pkt_r}, true);
        f.LastSent.clear();
    }
    sendModeSwitch();
}

void DisplayModes::ShText_Click() {
    Form& f = form_;
    Get_Text();
    if (f.ShText.ticked()) {
        f.SpecialOutput = true;
        f.Prog.setValue(0);
        const bool big = f.OneLine.ticked();
        f.ShText_s.visible = big;
        setVisible({&f.ShText_u, &f.ShText_o}, !big);
        f.Uhr.setValue(0);
    } else {
        f.SpecialOutput = false;
        setVisible({&f.ShText_u, &f.ShText_o, &f.ShText_s}, false);
    }
    sendModeSwitch();
}

void DisplayModes::OneLine_Click() {
    Form& f = form_;
    const bool big = f.OneLine.ticked();
    setVisible({&f.Scroll_O, &f.Scroll_U}, !big);
    f.Scroll_1.visible = big;
    if (big) {
        setVisible({&f.FreeT_O, &f.FreeT_O_S, &f.FreeT_U, &f.FreeT_U_S}, false);
        showEntry(f.Scroll_1, f.FreeT, f.FreeT_S);
    } else {
        setVisible({&f.FreeT, &f.FreeT_S}, false);
        showEntry(f.Scroll_O, f.FreeT_O, f.FreeT_O_S);
        showEntry(f.Scroll_U, f.FreeT_U, f.FreeT_U_S);
    }
}

void DisplayModes::Scroll_O_Click() {
    showEntry(form_.Scroll_O, form_.FreeT_O, form_.FreeT_O_S);
}

void DisplayModes::Scroll_U_Click() {
    showEntry(form_.Scroll_U, form_.FreeT_U, form_.FreeT_U_S);
}

void DisplayModes::Scroll_1_Click() {
    showEntry(form_.Scroll_1, form_.FreeT, form_.FreeT_S);
}

void DisplayModes::Help_text_Click() {
    dialogs_.messageBox(tr("geänderter Text wird bei laufender Text-Anzeige erst nach\r\n"
                           "Aus-/Ein-schalten der Option *Anzeigen* oder *freier Text* aktiv."),
                        captions::kBoxTitle, Icon::None, Buttons::Ok);
}

void DisplayModes::miror_Click() {
    form_.miror.checked = !form_.miror.checked;
}

void DisplayModes::setBrightness(int level) {
    form_.br_low.checked = level == 1;
    form_.br_med.checked = level == 2;
    form_.br_high.checked = level == 3;
}

void DisplayModes::br_low_Click() {
    setBrightness(1);
}

void DisplayModes::br_med_Click() {
    setBrightness(2);
}

void DisplayModes::br_high_Click() {
    setBrightness(3);
}

void DisplayModes::HLProgr_Click(int index) {
    Form& f = form_;
    if (index < 1 || index >= static_cast<int>(f.HLProgr.size()))
        return;
    for (std::optional<MenuItem>& item : f.HLProgr)
        if (item)
            item->checked = false;
    f.HLProgr[static_cast<size_t>(index)]->checked = true;
    f.Show_Prog.text = tr("Programm %1\r\nläuft...").arg(index);
}

void DisplayModes::Get_Text() {
    Form& f = form_;
    f.TwoLines = !f.OneLine.ticked();
    takeRow(f.Scroll_1, f.FreeT, f.FreeT_S, f.ScrollBig, f.ShText_s, f.TextBig);
    takeRow(f.Scroll_O, f.FreeT_O, f.FreeT_O_S, f.ScrollTop, f.ShText_o, f.TextTop);
    takeRow(f.Scroll_U, f.FreeT_U, f.FreeT_U_S, f.ScrollBottom, f.ShText_u, f.TextBottom);
    // Only the exact word, in capitals and alone; the big text is taken as typed.
    if (f.TextTop == kTimeWord)
        f.TextTop = kTimeEscape;
    if (f.TextBottom == kTimeWord)
        f.TextBottom = kTimeEscape;
    f.PreviewTop = f.TextTop;
    f.PreviewBottom = f.TextBottom;
    f.PreviewBig = f.TextBig;
}

void DisplayModes::previewStep(bool advance) {
    Form& f = form_;
    const QString time = clock_.timeOfDay();
    auto withTime = [&time](QString text) {
        return text.replace(kTimeEscape, time, Qt::CaseInsensitive);
    };
    f.ShText_o.text = withTime(f.PreviewTop);
    f.ShText_u.text = withTime(f.PreviewBottom);
    f.ShText_s.text = withTime(f.PreviewBig);
    // The scroll windows are cut from the texts as sent, escape and all; they move on with the
    // tick only.
    if (f.ScrollBig)
        scrollPreview(f.ScrollPosBig, f.TextBig, 8, f.ShText_s, advance);
    if (f.ScrollTop)
        scrollPreview(f.ScrollPosTop, f.TextTop, 16, f.ShText_o, advance);
    if (f.ScrollBottom)
        scrollPreview(f.ScrollPosBottom, f.TextBottom, 16, f.ShText_u, advance);
}

} // namespace ml
