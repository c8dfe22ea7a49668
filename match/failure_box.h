#pragma once

// The engine's failure message box: critical-stop icon, OK button, a fixed title and the text of
// the failure convention.

#include "form/failure_text.h"
#include "platform/platform.h"

namespace ml {

inline void showFailure(Dialogs& dialogs, const QString& title, int fault, const QString& action,
                        const QString& description, const QString& hint) {
    dialogs.messageBox(failureText(fault, action, description, hint), title, Icon::Critical,
                       Buttons::Ok);
}

inline QString overflowDescription(const QString& text) {
    return QCoreApplication::translate("ml::failure", "Überlauf: \"%1\" ist zu groß").arg(text);
}

} // namespace ml
