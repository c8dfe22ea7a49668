#include "bookkeeping/message_window.h"

#include "form/version.h"

namespace ml {

namespace {

// A text of exactly this length goes into the label; every other into the scrolling text box.
constexpr qsizetype kLabelLength = 175;

} // namespace

void MessageWindowModel::bindHandlers() {
    form_.Mess.onClick = [this] { Mess_Click(); };
    form_.abbout.onClick = [this] { abbout_Click(); };
    form_.frmMessage.btnClose.onClick = [this] { btnClose_Click(); };
    // The maker's banner is on both windows.
    form_.Image1.onClick = [this] { Image1_Click(); };
    form_.frmMessage.Image1.onClick = [this] { Image1_Click(); };
}

void MessageWindowModel::ShowMessage(const QString& text) {
    MessageWindow& w = form_.frmMessage;
    if (!w.exists) {
        w.reset();
        w.exists = true;
    }
    const bool inLabel = text.size() == kLabelLength;
    w.lblMessage.visible = inLabel;
    w.T_Message.visible = !inLabel;
    if (inLabel)
        w.lblMessage.text = text;
    else
        w.T_Message.text = text;
}

// The window gets a copy of the log: lines logged later show only at the next "Meldungen".
void MessageWindowModel::Mess_Click() {
    const QString log = form_.Text1.text;
    ShowMessage(log);
}

void MessageWindowModel::abbout_Click() {
    ShowMessage(aboutText());
}

// Closing destroys the window: its design-time state, and absent until the next ShowMessage.
void MessageWindowModel::btnClose_Click() {
    form_.frmMessage.reset();
}

void MessageWindowModel::Image1_Click() {
    shell_.openUrl(kMakerWebSite);
}

// Version 1.0.2 reads "1.02": minor and revision are joined without a separator.
QString MessageWindowModel::aboutText() {
    return tr("Marklight - Version ") + QString::number(kVersionMajor) + QStringLiteral(".") +
           QString::number(kVersionMinor) + QString::number(kVersionRevision) +
           QStringLiteral("\r\n\r\n") +
           tr("Dieses Programm erweitert die Anzeigelinie zu einem Scoreboard");
}

} // namespace ml
