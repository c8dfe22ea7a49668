#include "bookkeeping/score_keeping.h"

#include "form/number_text.h"

namespace ml {

namespace {

// One step of a score box. A box that is empty (or holds only blanks) counts as "0"; a score
// outside -999..999 starts again from "0" before the step. Text that is not a number is left
// alone: the operator is still typing or mistyped, and guessing a value would lose the score.
// A fraction such as "2.5" is a number and steps to "3.5"; the display fits whatever the box
// holds.
void step(TextBox& box, int delta) {
    if (box.text.trimmed().isEmpty())
        box.text = QStringLiteral("0");
    std::optional<double> v = readNumber(box.text);
    if (!v)
        return;
    if (*v < -999 || *v > 999) {
        box.text = QStringLiteral("0");
        v = 0.0;
    }
    box.text = numberText(*v + delta);
}

void selectAll(TextBox& box) {
    box.selStart = 0;
    box.selLength = static_cast<int>(box.text.size());
}

} // namespace

void ScoreKeeping::bindHandlers() {
    form_.up_l.onClick = [this] { up_l_Click(); };
    form_.up_r.onClick = [this] { up_r_Click(); };
    form_.down_l.onClick = [this] { down_l_Click(); };
    form_.down_r.onClick = [this] { down_r_Click(); };
    form_.up.onClick = [this] { up_Click(); };
    form_.down.onClick = [this] { down_Click(); };
    form_.Pkt_l.onFocus = [this] { Pkt_l_GotFocus(); };
    form_.Pkt_r.onFocus = [this] { Pkt_r_GotFocus(); };
    form_.D_Min.onFocus = [this] { D_Min_GotFocus(); };
    form_.D_Sec.onFocus = [this] { D_Sec_GotFocus(); };
}

void ScoreKeeping::start() {
    showDirection(true);
}

void ScoreKeeping::up_l_Click() {
    step(form_.Pkt_l, +1);
}

void ScoreKeeping::up_r_Click() {
    step(form_.Pkt_r, +1);
}

void ScoreKeeping::down_l_Click() {
    step(form_.Pkt_l, -1);
}

void ScoreKeeping::down_r_Click() {
    step(form_.Pkt_r, -1);
}

// The +1 and -1 buttons of a side lie on the same place; the direction shows one pair.
void ScoreKeeping::up_Click() {
    showDirection(true);
}

void ScoreKeeping::down_Click() {
    showDirection(false);
}

void ScoreKeeping::showDirection(bool up) {
    form_.up.checked = up;
    form_.down.checked = !up;
    form_.up_l.visible = form_.up_r.visible = up;
    form_.down_l.visible = form_.down_r.visible = !up;
}

// Entering a box selects its whole text, so that typing replaces the old value.
void ScoreKeeping::Pkt_l_GotFocus() {
    selectAll(form_.Pkt_l);
}

void ScoreKeeping::Pkt_r_GotFocus() {
    selectAll(form_.Pkt_r);
}

void ScoreKeeping::D_Min_GotFocus() {
    selectAll(form_.D_Min);
}

void ScoreKeeping::D_Sec_GotFocus() {
    selectAll(form_.D_Sec);
}

} // namespace ml
