#include "display/composer.h"

#include "display/frames.h"
#include "display/text_fitting.h"
#include "form/number_text.h"

namespace ml {

namespace {

const QString kEightBlanks(8, QLatin1Char(' '));

// Both texts read as numbers and rounded down differ; false when either is no number.
bool wholeNumbersDiffer(const QString& a, const QString& b) {
    const std::optional<double> x = readNumber(a);
    const std::optional<double> y = readNumber(b);
    return x && y && roundDown(*x) != roundDown(*y);
}

} // namespace

Composer::Composer(Form& form, const Clock& clock, Dialogs& dialogs, SerialLink& link,
                   EventLog& log)
    : form_(form), clock_(clock), dialogs_(dialogs), link_(link), log_(log) {}

QString Composer::fit(const QString& text, const char* align, int width) {
    return TrimText(text, QString::fromLatin1(align), width, dialogs_);
}

void Composer::checkAndOut() {
    Form& f = form_;
    setSeparators();
    const bool live = f.Displ.ticked() && f.PortOpen;
    SetColor(f, live);

    const bool rehearsing = rehearse && !f.PortOpen && f.Displ.ticked();
    bool special = false;
    Transmission out = compose(live || rehearsing, f.miror.checked, special);
    if (rehearse && !f.PortOpen) {
        rehearse(out.text);
        // The closed port's own transmission stays blank.
        if (rehearsing)
            out = compose(false, false, special);
    }
    f.SpecialOutput = special;
    for (size_t i = 0; i < out.fields.size(); ++i)
        f.OutLine[i + 1] = out.fields[i];
    f.OutLine[0] = out.text;
    // What makes the first line send everything again makes the second do so too.
    if (f.LastSent.isEmpty())
        f.Line2LastSent.clear();
    send(out);
    sendSecond();
}

Transmission Composer::compose(bool shown, bool mirrored, bool& special) {
    Form& f = form_;
    Transmission out;
    out.fields = {kEightBlanks, kEightBlanks, kEightBlanks, kEightBlanks};
    int brightness = f.brightness();
    special = false;
    if (shown) {
        out.fields = scoreboardFields(mirrored);
        brightness = blink(out.fields[2]);
        special = specialOutput(out, brightness);
    }
    if (!special)
        out.text = frames::scoreboard(brightness, out.fields);
    return out;
}

void Composer::sendSecond() {
    Form& f = form_;
    if (!f.Line2Open && !rehearseSecond)
        return;
    bool special = false;
    const Transmission out = compose(f.Displ.ticked(), f.settings[SettingId::Line2Mirror], special);
    if (!f.Line2Open) {
        rehearseSecond(out.text);
    } else if (out.text != f.Line2LastSent) {
        link_.outputSecond(out.text);
        f.Line2LastSent = out.text;
    }
}

void Composer::setSeparators() {
    Form& f = form_;
    // A clock or start value that is no number gives blanks.
    const bool moved = wholeNumbersDiffer(f.D_Min.text, f.Startwert.text);
    const QString separator =
        moved && !f.ClockRunning ? Flash(f, clock_, dialogs_) : QStringLiteral(" ");
    f.FlashL.text = separator;
    f.FlashR.text = separator;
}

std::array<QString, 4> Composer::scoreboardFields(bool mirrored) {
    Form& f = form_;
    std::array<QString, 4> field;
    const TextBox& leftName = mirrored ? f.Text_r : f.Text_l;
    const TextBox& rightName = mirrored ? f.Text_l : f.Text_r;
    const TextBox& leftScore = mirrored ? f.Pkt_r : f.Pkt_l;
    const TextBox& rightScore = mirrored ? f.Pkt_l : f.Pkt_r;
    // Each half shows the penalty of the side whose name it carries.
    const Penalty& leftHalfPenalty = mirrored ? f.penaltyR : f.penaltyL;
    const Penalty& rightHalfPenalty = mirrored ? f.penaltyL : f.penaltyR;
    const TextBox& leftPenalty = mirrored ? f.TxtStrR : f.TxtStrL;
    const TextBox& rightPenalty = mirrored ? f.TxtStrL : f.TxtStrR;

    field[0] = fit(leftHalfPenalty.running ? leftPenalty.text : leftName.text, "L", 8);
    field[1] = fit(rightHalfPenalty.running ? rightPenalty.text : rightName.text, "R", 8);
    const QString scoreL = fit(leftScore.text, "L", 3);
    const QString scoreR = fit(rightScore.text, "R", 3);

    // The interruption banner is 8 characters by construction and is not mirrored.
    if (f.SpecL.visible)
        field[0] = f.SpecL.text;
    if (f.SpecR.visible)
        field[1] = f.SpecR.text;

    const bool secondClock = f.TimeoutActive || f.BreakActive || f.LastMinute;
    const QString& minutes = secondClock ? f.Spec_Min.text : f.D_Min.text;
    const QString& seconds = secondClock ? f.Spec_Sec.text : f.D_Sec.text;
    field[2] = fit(scoreL, "R", 4) + f.FlashL.text + fit(minutes, "R", 3);
    field[3] = QLatin1Char(':') + fit(seconds, "L", 2) + f.FlashR.text + scoreR + QLatin1Char(' ');

    if (f.Uhr.ticked()) {
        const QString& time = f.TimeOut.text;
        field[2] = field[2].left(4) + time.left(4);
        field[3] = time.mid(4, 4) + field[3].mid(3, 4);
    }
    return field;
}

// Alternate brightness makes the display blink while the clock runs below zero (or a minus sign
// stands in field 3 for another reason): it alternates with each new value the clock shows, so
// an operator's change between two of them keeps the brightness of the moment.
int Composer::blink(const QString& field3) {
    Form& f = form_;
    if (f.Uhr.ticked() || !field3.contains(QLatin1Char('-')) || !f.ClockRunning)
        return f.brightness();
    const QString clock = f.D_Min.text + f.D_Sec.text + f.Spec_Min.text + f.Spec_Sec.text;
    if (clock == blinkedAt_)
        return f.BlinkPhase ? 3 : 1;
    blinkedAt_ = clock;
    f.BlinkPhase = !f.BlinkPhase;
    return f.BlinkPhase ? 3 : 1;
}

bool Composer::specialOutput(Transmission& out, int brightness) {
    Form& f = form_;
    std::array<QString, 4>& field = out.fields;
    bool special = false;
    if (f.ShText.ticked()) {
        special = true;
        field[0] = fit(f.TextTop, "L", 8);
        field[1] = f.ShText_o.text.size() > 8 ? fit(f.TextTop.mid(8, 8), "L", 8) : kEightBlanks;
        field[2] = fit(f.TextBottom, "L", 8);
        field[3] = f.ShText_u.text.size() > 8 ? fit(f.TextBottom.mid(8, 8), "L", 8) : kEightBlanks;
        if (f.TwoLines) {
            if (!f.ScrollTop)
                out.text += frames::fieldFrame(1, brightness, field[0]) +
                            frames::fieldFrame(2, brightness, field[1]);
            if (!f.ScrollBottom)
                out.text += frames::fieldFrame(3, brightness, field[2]) +
                            frames::fieldFrame(4, brightness, field[3]);
            if (f.ScrollTop)
                out.text += frames::upperScrollPair(brightness, f.TextTop);
            if (f.ScrollBottom)
                out.text += frames::lowerScrollPair(brightness, f.TextBottom);
        } else if (f.ScrollBig) {
            out.text = frames::bigScrollPair(brightness, f.TextBig);
        } else {
            out.text = frames::bigTextFrame(brightness, f.TextBig);
        }
    }
    if (f.Prog.ticked()) {
        special = true;
        out.text = frames::programFrame(brightness, f.programNumber());
    }
    return special;
}

void Composer::send(const Transmission& out) {
    Form& f = form_;
    if (f.PortOpen) {
        if (out.text != f.LastSent) {
            link_.output(out.text);
            f.LastSent = out.text;
            log_.LogEvent(out);
        }
        return;
    }
    if (f.PortClosedWarn)
        log_.addLine(tr(" +++ COM-Port Ausgang ist nicht geöffnet"));
    f.PortClosedWarn = false;
    if (f.LogPending)
        log_.LogEvent(out);
}

} // namespace ml
