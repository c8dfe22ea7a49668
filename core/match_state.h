#pragma once

// The state of the match under way as stored for a resume: the form's controls (texts, check
// marks, values, visibility) and its match fields, as JSON. What every tick derives afresh (the
// time of day, the blinking separator, the banner, the free-text previews, the log box) is left
// out, so that the stored state changes only when the match does. The running count is kept as
// its value at the moment of saving together with the wall time of that moment.

#include "form/form.h"

#include <QJsonArray>
#include <QJsonObject>

#include <optional>

namespace ml {

struct MatchState {
    // The form's controls and fields.
    QJsonObject content;
    // The run ended through "Ende": nothing to resume.
    bool ended = false;
    // UTC wall time of the save in ms since 1970, and the local time of day then ("Stand").
    qint64 savedAtMs = 0;
    QString timeOfDay;
    // The value of the running count at the save, in seconds.
    std::optional<double> count;
    // The match record that the log lines go to.
    QString record;
    // The record of the match's events.
    QJsonArray events;
    // The port by its device, and whether it was open.
    QString portDevice;
    bool portOpen = false;
    // The second display line's port by its device, and whether it was open.
    QString line2Device;
    bool line2Open = false;

    QByteArray toJson() const;
    // Nothing for bytes that are not a state of this format; impossible values inside a state
    // are dropped one by one (see `restoreContent`).
    static std::optional<MatchState> fromJson(const QByteArray& bytes);
};

// The stored part of the form.
QJsonObject stateContent(const Form& form);
// Whether the stored state holds a control of the form.
bool keptInState(const Control& control);
// What the stored state holds of a control: visibility, enabled state, and its text, value or
// check mark where it keeps them. Equal parts store the same.
struct KeptControl {
    bool visible = false;
    bool enabled = false;
    QString text;
    int value = 0;
    bool operator==(const KeptControl&) const = default;
};
KeptControl keptPart(const Control& control);
// Puts the stored part back into a form fresh from start-up. A value that is missing, of the
// wrong kind or impossible keeps the form's own; groups that must agree (one count at a time,
// one check mark per menu group, one display mode) keep the form's own when they do not.
void restoreContent(Form& form, const QJsonObject& content);

} // namespace ml
