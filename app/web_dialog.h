#pragma once

// "Extras → Netzwerk…": the web face on or off, its port, and whether it is offered to this
// computer only or to the hall's network; the pages' addresses as links. Each change applies at
// once and is kept with the other settings. Below, the remote: its address with the key, as a
// QR code to scan with the phone, a new key, remote control allowed or not, the remotes
// connected now, and those refused for lack of room. Last, the match to an MQTT broker: on or
// off, port and TLS apply at once like the web face's; the broker's address, the CA file, the
// login and the hall's and court's names apply together ("Übernehmen"), the password kept apart.

#include "app/settings_dialog.h"
#include "web/mqtt_publisher.h"
#include "web/web_server.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ml::app {

class WebDialog : public SettingsDialog {
    Q_DECLARE_TR_FUNCTIONS(WebDialog)

  public:
    WebDialog(Program& program, web::WebServer& server, web::MqttPublisher& mqtt, Storage& storage,
              QWidget* parent);

    // The links, the notes and the remotes, as the server stands now.
    void refresh();

  private:
    void shown() override { refresh(); }
    QGroupBox* remoteGroup();
    QGroupBox* brokerGroup();
    // The texts as typed into the form, when they are what they may be; otherwise says why.
    void applyBroker();

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
    web::MqttPublisher& mqtt_;
    Storage& storage_;
    QLineEdit* brokerHost_ = nullptr;
    QLineEdit* brokerCa_ = nullptr;
    QLineEdit* brokerUser_ = nullptr;
    QLineEdit* brokerPassword_ = nullptr;
    QLineEdit* brokerHall_ = nullptr;
    QLineEdit* brokerCourt_ = nullptr;
    QLabel* brokerState_ = nullptr;
    bool passwordTyped_ = false;
};

} // namespace ml::app
