#pragma once

// The message window `frmMessage` (log or About text) and the maker's web link.

#include "form/form.h"
#include "platform/platform.h"

namespace ml {

// The maker's web site that both banner images open.
inline const QString kMakerWebSite = QStringLiteral("https://www.marklight.de/");

class MessageWindowModel {
    Q_DECLARE_TR_FUNCTIONS(MessageWindowModel)

  public:
    MessageWindowModel(Form& form, Shell& shell) : form_(form), shell_(shell) {}
    void bindHandlers();

    void ShowMessage(const QString& text);
    void Mess_Click();
    void abbout_Click();
    void btnClose_Click();
    void Image1_Click();
    static QString aboutText();

  private:
    Form& form_;
    Shell& shell_;
};

} // namespace ml
