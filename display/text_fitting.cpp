#include "display/text_fitting.h"

#include "form/failure_text.h"
#include "match/time_values.h"

#include <cmath>

namespace ml {

QString TrimText(const QString& text, const QString& align, int width, Dialogs& dialogs) {
    QString result = text;
    if (text.size() < width) {
        const QString blanks(width - result.size(), QLatin1Char(' '));
        return align == QLatin1String("R") ? blanks + result : result + blanks;
    }
    // Cutting to a negative width is the one fault: report it and hand back the unfitted copy.
    if (width < 0) {
        dialogs.messageBox(
            failureText(kFaultInvalidArgument,
                        QCoreApplication::translate("ml::TrimText", " beim beim Text trimmen:"),
                        QCoreApplication::translate(
                            "ml::TrimText", "Ungültiger Prozeduraufruf oder ungültiges Argument"),
                        QCoreApplication::translate("ml::TrimText",
                                                    "unbestimmter Fehler in Function TrimText!")),
            QCoreApplication::translate("ml::TrimText", "Bitte an Vandrel melden"), Icon::Critical,
            Buttons::Ok);
        return result;
    }
    return result.left(width);
}

QString Flash(const Form& form, const Clock& clock, Dialogs& dialogs) {
    const double seconds = Get_Sec(clock.timeOfDay(), dialogs);
    const bool odd = std::fmod(seconds, 2.0) != 0.0;
    if (!form.Uhr.ticked() && !form.ClockRunning && odd)
        return QStringLiteral(":");
    return QStringLiteral(" ");
}

void SetColor(Form& form, bool live) {
    TextBox* const boxes[] = {
        &form.Show_Prog, &form.Text_l,   &form.Text_r,  &form.Pkt_l,    &form.Pkt_r,
        &form.Uhr_anz,   &form.D_Min,    &form.D_Sec,   &form.FlashL,   &form.FlashR,
        &form.Spec_Min,  &form.Spec_Sec, &form.SpecL,   &form.SpecR,    &form.ShText_u,
        &form.ShText_o,  &form.TxtStrL,  &form.TxtStrR, &form.ShText_s,
    };
    const unsigned color = live ? kRed : kPaleRed;
    for (TextBox* box : boxes)
        box->foreColor = color;
}

} // namespace ml
