#pragma once

// The display modes ("Anzeigen", "Akt. Zeit", "Programm", "freier Text"), the free-text entry
// layout, brightness, mirror and program choice, taking the free texts over, and the free-text
// previews that every tick refreshes.

#include "form/form.h"
#include "match/match_engine.h"
#include "platform/platform.h"
#include "serial/serial_link.h"

namespace ml {

class DisplayModes {
    Q_DECLARE_TR_FUNCTIONS(DisplayModes)

  public:
    DisplayModes(Form& form, const Clock& clock, Dialogs& dialogs, SerialLink& link,
                 MatchEngine& match);
    // Sets the handlers of the controls it owns: the mode check boxes, brightness, mirror,
    // programs.
    void bindHandlers();
    // The display's part of start-up: not mirrored, low brightness, program 1, no special output.
    void start();

    void Displ_Click();
    void Uhr_Click();
    void Prog_Click();
    void ShText_Click();
    void OneLine_Click();
    void Scroll_O_Click();
    void Scroll_U_Click();
    void Scroll_1_Click();
    void Help_text_Click();
    void miror_Click();
    void br_low_Click();
    void br_med_Click();
    void br_high_Click();
    void HLProgr_Click(int index);
    void Get_Text();
    // Refreshes and scrolls the free-text previews; run by every tick.
    void previewStep(bool advance = true);

  private:
    // The mode-switch sequence, when the port is open.
    void sendModeSwitch();
    void setBrightness(int level);

    Form& form_;
    const Clock& clock_;
    Dialogs& dialogs_;
    SerialLink& link_;
    MatchEngine& match_;
};

} // namespace ml
