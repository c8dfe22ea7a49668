#pragma once

// The four score buttons, the "Zählen" direction that chooses which pair is shown, and the
// select-all on entering a score or clock box.

#include "form/form.h"

namespace ml {

class ScoreKeeping {
  public:
    explicit ScoreKeeping(Form& form) : form_(form) {}
    void bindHandlers();
    // Start-up: the score counts up ("Aufwärts").
    void start();

    void up_l_Click();
    void up_r_Click();
    void down_l_Click();
    void down_r_Click();
    void up_Click();
    void down_Click();
    void Pkt_l_GotFocus();
    void Pkt_r_GotFocus();
    void D_Min_GotFocus();
    void D_Sec_GotFocus();

  private:
    // Ticks "Aufwärts" or "Abwärts" and shows that pair of score buttons.
    void showDirection(bool up);

    Form& form_;
};

} // namespace ml
