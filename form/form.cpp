#include "form/form.h"

#include "form/fields.h"

namespace ml {

void MessageWindow::reset() {
    exists = false;
    lblMessage.text = QStringLiteral("Message");
    lblMessage.visible = true;
    T_Message.text = QStringLiteral("Text1");
    T_Message.visible = true;
}

std::vector<Control*> MessageWindow::controls() {
    return {&lblMessage, &T_Message, &btnClose, &Image1};
}

Form::Form() {
    for (int i = 1; i <= 16; ++i) {
        HLProgr[i].emplace("HLProgr", QStringLiteral("Prog %1").arg(i), i == 1);
    }
    Combo6.addItem(captions::noPort());
    Combo6.index = 0;

    // Design-time visibility: boxes that share a place with a visible one start hidden.
    for (Control* c : std::initializer_list<Control*>{
             &TxtStrL,   &TxtStrR,  &SpecL,    &SpecR,    &ShText_o,    &Show_Prog,  &ShText_s,
             &Uhr_anz,   &Spec_Min, &Spec_Sec, &ShText_u, &FreeT,       &FreeT_O_S,  &FreeT_S,
             &FreeT_U_S, &Scroll_1, &Text1,    &Text5,    &hornMissing, &StatusLine, &remoteMark})
        c->visible = false;
    Scroll_1.enabled = false;
    Scroll_1.initValue(1);
    Scroll_U.enabled = false;

    controls_ = {
        &Text_l,         &Text_r,   &TxtStrL,    &TxtStrR,   &SpecL,        &SpecR,     &ShText_o,
        &Show_Prog,      &ShText_s, &Pkt_l,      &FlashL,    &D_Min,        &d_Pkt,     &D_Sec,
        &FlashR,         &Pkt_r,    &Uhr_anz,    &Spec_Min,  &Spec_Sec,     &ShText_u,  &StrafeL,
        &ValStrafeL,     &up_l,     &down_l,     &StrafeR,   &ValStrafeR,   &up_r,      &down_r,
        &Displ,          &Uhr,      &Prog,       &ShText,    &St_St,        &Label1,    &Startwert,
        &Reset_Time,     &Combo6,   &OpenOutput, &Time_Out,  &TimeoutValue, &Break,     &BreakValue,
        &OneLine,        &Scroll_O, &Scroll_1,   &Scroll_U,  &FreeT_O,      &FreeT,     &FreeT_U,
        &FreeT_O_S,      &FreeT_S,  &FreeT_U_S,  &Help_text, &TimeOut,      &Image1,    &Label2,
        &Image2,         &Image3,   &Text1,      &Text5,     &Datei,        &Ende,      &Extras,
        &Count,          &up,       &down,       &s_change,  &miror,        &Mode,      &Mode_up,
        &Mode_down,      &reset,    &Helligkeit, &br_low,    &br_med,       &br_high,   &HL_Prog,
        &check_comPorts, &Baudrate, &Baud_1200,  &Baud_2400, &Baud_4800,    &Baud_9600, &Help,
        &Mess,           &keyList,  &abbout};
    controls_.insert(controls_.end(), {&undo, &redo, &SaveReport, &SavePdf, &ResetSettings});
    for (int i = 1; i <= 16; ++i)
        controls_.push_back(&*HLProgr[i]);
    controls_.insert(controls_.end(), {&horn, &hornMissing, &StatusLine, &remoteOn, &remoteMark});
    // The sport's band, shown while a sport's rules apply.
    const std::initializer_list<Control*> band = {
        &periodName,     &nextPeriod,     &teamTimeoutL, &timeoutsL,    &teamTimeoutR,
        &timeoutsR,      &playerCaptionL, &playerL,      &penaltyListL, &penaltyEndL,
        &penaltyRemoveL, &playerCaptionR, &playerR,      &penaltyListR, &penaltyEndR,
        &penaltyRemoveR, &foulL,          &foulsL,       &foulR,        &foulsR,
        &warningL,       &redCardL,       &warningR,     &redCardR};
    for (Control* c : band)
        c->visible = false;
    controls_.insert(controls_.end(), band);
}

void Form::setFault(Fault fault, const QString& text) {
    if (text.isEmpty())
        faults.erase(fault);
    else
        faults[fault] = text;
    QStringList said;
    for (const auto& [f, what] : faults)
        said.append(what);
    StatusLine.text = said.join(QStringLiteral(" · "));
    StatusLine.visible = !said.isEmpty();
}

int Form::programNumber() const {
    for (std::size_t i = 1; i < HLProgr.size(); ++i)
        if (HLProgr[i] && HLProgr[i]->checked)
            return static_cast<int>(i);
    return 1;
}

Control* Form::control(const QString& name) const {
    for (Control* c : controls_)
        if (c->name == name)
            return c;
    return nullptr;
}

Timer* Form::timer(const QString& name) {
    for (Timer* t : {&Timer1, &Timer2, &Timer3})
        if (t->name == name)
            return t;
    return nullptr;
}

std::optional<QString> Form::fieldText(const QString& name) const {
    if (const Field* field = findField(name))
        return ml::fieldText(*field, *this);
    return std::nullopt;
}

} // namespace ml
