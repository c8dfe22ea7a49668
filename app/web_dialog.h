#pragma once

// "Extras → Netzwerk…": the web face on or off, its port, and whether it is offered to this
// computer only or to the hall's network; the pages' addresses as links. Each change applies at
// once and is kept with the other settings. Below, the remote: its address with the key, as a
// QR code to scan with the phone, a new key, remote control allowed or not, the remotes
// connected now, and those refused for lack of room.

#include "app/settings_dialog.h"
#include "web/web_server.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace ml::app {

class WebDialog : public SettingsDialog {
    Q_DECLARE_TR_FUNCTIONS(WebDialog)

  public:
    WebDialog(Program& program, web::WebServer& server, QWidget* parent);

    // The links, the notes and the remotes, as the server stands now.
    void refresh();

  private:
    void shown() override { refresh(); }

    web::WebServer& server_;
    const Form& form_;
    QLabel* links_;
    QLabel* warning_;
    QLabel* remoteUrl_;
    QLabel* qrCode_;
    QPushButton* newKey_;
    QCheckBox* remoteOn_;
    QListWidget* remotes_;
    QLabel* refused_;
};

} // namespace ml::app
