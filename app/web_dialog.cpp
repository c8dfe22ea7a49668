#include "app/web_dialog.h"

#include "app/qr_code.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace ml::app {

WebDialog::WebDialog(Program& program, web::WebServer& server, web::MqttPublisher& mqtt,
                     Storage& storage, QWidget* parent)
    : SettingsDialog(program, {}, parent), server_(server), form_(program.form),
      links_(new QLabel(this)), warning_(new QLabel(this)), remoteUrl_(new QLabel(this)),
      qrCode_(new QLabel(this)), newKey_(new QPushButton(tr("Neuen Schlüssel erzeugen"), this)),
      remoteOn_(new QCheckBox(tr("Fernbedienung erlauben (Strg+F)"), this)),
      remotes_(new QListWidget(this)), refused_(new QLabel(this)), mqtt_(mqtt), storage_(storage) {
    setObjectName(QStringLiteral("WebDialog"));
    setWindowTitle(tr("Netzwerk"));

    auto* on = new QCheckBox(tr("Webseiten anbieten"), this);
    on->setObjectName(QStringLiteral("WebOn"));
    on->setToolTip(tr("Hallenuhr, Overlay und Anzeige im Browser, live"));
    bind("WebOn", [on](int value) {
        const QSignalBlocker quiet(on);
        on->setChecked(value != 0);
    });
    connect(on, &QCheckBox::toggled, this, [this](bool checked) { change("WebOn", checked); });

    auto* port = new QSpinBox(this);
    port->setObjectName(QStringLiteral("WebPort"));
    port->setRange(1, 65535);
    // Typing a port applies it when done, not at every digit.
    port->setKeyboardTracking(false);
    bind("WebPort", [port](int value) {
        const QSignalBlocker quiet(port);
        port->setValue(value);
    });
    connect(port, &QSpinBox::valueChanged, this, [this](int value) { change("WebPort", value); });

    auto* local = new QRadioButton(tr("nur auf diesem Computer (127.0.0.1)"), this);
    auto* network = new QRadioButton(tr("im Netzwerk der Halle"), this);
    network->setObjectName(QStringLiteral("WebNetwork"));
    auto* where = new QButtonGroup(this);
    where->addButton(local);
    where->addButton(network);
    bind("WebNetwork", [local, network](int value) {
        const QSignalBlocker quietLocal(local);
        const QSignalBlocker quietNetwork(network);
        (value ? network : local)->setChecked(true);
    });
    connect(network, &QRadioButton::toggled, this,
            [this](bool checked) { change("WebNetwork", checked); });

    warning_->setObjectName(QStringLiteral("WebWarning"));
    warning_->setText(tr("Jeder in diesem Netzwerk kann das Spiel sehen."));
    warning_->setStyleSheet(QStringLiteral("color: #b00; font-weight: bold"));
    links_->setObjectName(QStringLiteral("WebLinks"));
    links_->setTextFormat(Qt::RichText);
    links_->setOpenExternalLinks(true);
    links_->setTextInteractionFlags(Qt::TextBrowserInteraction);

    auto* form = new QFormLayout;
    form->addRow(on);
    form->addRow(tr("Port:"), port);
    form->addRow(local);
    form->addRow(network);
    addTableRows(form, ShownIn::Network);
    form->addRow(warning_);
    form->addRow(links_);
    if (server.pinned()) {
        for (QWidget* w : std::initializer_list<QWidget*>{on, port, local, network})
            w->setEnabled(false);
        form->addRow(new QLabel(tr("Für diesen Lauf mit --web gestartet."), this));
    }

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("Schließen"), QDialogButtonBox::AcceptRole)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    // The remote and the broker side by side: the dialog stays within a laptop's screen.
    auto* below = new QHBoxLayout;
    below->addWidget(remoteGroup());
    below->addWidget(brokerGroup());
    layout->addLayout(below);
    layout->addWidget(buttons);
    refresh();
}

// The remote: one click takes remote control away (also Ctrl+F in the window); a new key cuts
// off every phone paired with the old one.
QGroupBox* WebDialog::remoteGroup() {
    auto* remote = new QGroupBox(tr("Fernbedienung (Telefon, Tablet)"), this);
    remoteOn_->setObjectName(QStringLiteral("remoteOn"));
    connect(remoteOn_, &QCheckBox::clicked, this,
            [this] { program_.click(program_.form.remoteOn); });
    remoteUrl_->setObjectName(QStringLiteral("RemoteUrl"));
    remoteUrl_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    remoteUrl_->setWordWrap(true);
    qrCode_->setObjectName(QStringLiteral("RemoteQr"));
    qrCode_->setAlignment(Qt::AlignCenter);
    newKey_->setObjectName(QStringLiteral("RemoteNewKey"));
    newKey_->setToolTip(tr("Alle gekoppelten Geräte werden getrennt und müssen den "
                           "neuen QR-Code scannen."));
    connect(newKey_, &QPushButton::clicked, this, [this] {
        server_.remote().renewKey();
        program_.log.addLine(tr(" +++ Fernbedienung: neuer Schlüssel, gekoppelte Geräte getrennt"));
        program_.outsideChange();
        refresh();
    });
    remotes_->setObjectName(QStringLiteral("RemoteList"));
    remotes_->setSelectionMode(QAbstractItemView::NoSelection);
    remotes_->setMaximumHeight(90);
    auto* remoteLayout = new QVBoxLayout(remote);
    remoteLayout->addWidget(remoteOn_);
    remoteLayout->addWidget(qrCode_);
    remoteLayout->addWidget(remoteUrl_);
    remoteLayout->addWidget(newKey_, 0, Qt::AlignLeft);
    remoteLayout->addWidget(new QLabel(tr("Verbunden:"), remote));
    remoteLayout->addWidget(remotes_);
    refused_->setObjectName(QStringLiteral("RemoteRefused"));
    refused_->setWordWrap(true);
    refused_->setStyleSheet(QStringLiteral("color: #b00"));
    remoteLayout->addWidget(refused_);
    return remote;
}

QGroupBox* WebDialog::brokerGroup() {
    auto* group = new QGroupBox(tr("MQTT-Broker (Turnier, viele Zuschauer)"), this);
    auto* on = new QCheckBox(tr("Spielstand an MQTT-Broker senden"), group);
    on->setObjectName(QStringLiteral("MqttOn"));
    bind("MqttOn", [on](int value) {
        const QSignalBlocker quiet(on);
        on->setChecked(value != 0);
    });
    connect(on, &QCheckBox::toggled, this, [this](bool checked) { change("MqttOn", checked); });
    auto* port = new QSpinBox(group);
    port->setObjectName(QStringLiteral("MqttPort"));
    port->setRange(1, 65535);
    port->setKeyboardTracking(false);
    bind("MqttPort", [port](int value) {
        const QSignalBlocker quiet(port);
        port->setValue(value);
    });
    auto* tls = new QCheckBox(tr("TLS (Zertifikat des Brokers wird geprüft)"), group);
    tls->setObjectName(QStringLiteral("MqttTls"));
    bind("MqttTls", [tls](int value) {
        const QSignalBlocker quiet(tls);
        tls->setChecked(value != 0);
    });
    connect(tls, &QCheckBox::toggled, this, [this](bool checked) { change("MqttTls", checked); });
    // Only the plain port speaks without TLS by custom: any other port starts with it on.
    connect(port, &QSpinBox::valueChanged, this, [this](int value) {
        change("MqttPort", value);
        change("MqttTls", value != BrokerSettings::kPlainMqttPort);
    });

    const auto edit = [group](const char* name, const QString& text) {
        auto* e = new QLineEdit(text, group);
        e->setObjectName(QLatin1String(name));
        return e;
    };
    brokerHost_ = edit("MqttHost", form_.MqttHost);
    brokerHost_->setPlaceholderText(tr("z. B. 192.168.1.10 oder broker.halle.de"));
    brokerCa_ = edit("MqttCaFile", form_.MqttCaFile);
    brokerCa_->setPlaceholderText(tr("leer: die Zertifizierungsstellen des Systems"));
    auto* pick = new QPushButton(tr("Wählen…"), group);
    connect(pick, &QPushButton::clicked, this, [this] {
        const QString file =
            QFileDialog::getOpenFileName(this, tr("CA-Zertifikat"), brokerCa_->text(),
                                         tr("Zertifikate (*.crt *.pem);;Alle (*)"));
        if (!file.isEmpty())
            brokerCa_->setText(file);
    });
    auto* ca = new QHBoxLayout;
    ca->addWidget(brokerCa_);
    ca->addWidget(pick);
    brokerUser_ = edit("MqttUser", form_.MqttUser);
    brokerPassword_ = edit("MqttPassword", {});
    brokerPassword_->setEchoMode(QLineEdit::Password);
    brokerPassword_->setPlaceholderText(
        storage_.readBrokerPassword().value_or(QByteArray()).isEmpty() ? tr("keins")
                                                                       : tr("gespeichert"));
    connect(brokerPassword_, &QLineEdit::textEdited, this, [this] { passwordTyped_ = true; });
    brokerHall_ = edit("MqttHall", form_.MqttHall);
    brokerHall_->setPlaceholderText(tr("z. B. halle1"));
    brokerCourt_ = edit("MqttCourt", form_.MqttCourt);
    brokerCourt_->setPlaceholderText(tr("z. B. feld1"));
    auto* apply = new QPushButton(tr("Übernehmen"), group);
    apply->setObjectName(QStringLiteral("MqttApply"));
    connect(apply, &QPushButton::clicked, this, [this] { applyBroker(); });
    brokerState_ = new QLabel(group);
    brokerState_->setObjectName(QStringLiteral("MqttState"));
    brokerState_->setWordWrap(true);
    brokerState_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* form = new QFormLayout(group);
    form->addRow(on);
    form->addRow(tr("Broker:"), brokerHost_);
    form->addRow(tr("Port:"), port);
    form->addRow(tls);
    form->addRow(tr("CA-Datei:"), ca);
    form->addRow(tr("Benutzer:"), brokerUser_);
    form->addRow(tr("Passwort:"), brokerPassword_);
    form->addRow(tr("Halle:"), brokerHall_);
    form->addRow(tr("Feld:"), brokerCourt_);
    form->addRow(apply);
    form->addRow(brokerState_);
    if (mqtt_.pinned()) {
        for (QWidget* w : group->findChildren<QWidget*>())
            w->setEnabled(w == brokerState_);
        form->addRow(new QLabel(tr("Für diesen Lauf mit --mqtt gestartet."), group));
    }
    return group;
}

void WebDialog::applyBroker() {
    BrokerSettings s;
    s.host = brokerHost_->text().trimmed();
    s.caFile = brokerCa_->text().trimmed();
    s.user = brokerUser_->text().trimmed();
    s.hall = brokerHall_->text().trimmed();
    s.court = brokerCourt_->text().trimmed();
    QString wrong;
    if (!brokerHost(s.host))
        wrong = tr("Broker: nur ein Rechnername oder eine IP-Adresse, ohne mqtt:// und Port.");
    else if (!brokerText(s.caFile) || !brokerText(s.user))
        wrong = tr("CA-Datei und Benutzer: ohne Steuerzeichen.");
    else if ((!s.hall.isEmpty() && !topicName(s.hall)) ||
             (!s.court.isEmpty() && !topicName(s.court)))
        wrong = tr("Halle und Feld: höchstens 64 Zeichen, ohne /, +, # und Steuerzeichen.");
    if (!wrong.isEmpty()) {
        brokerState_->setStyleSheet(QStringLiteral("color: #b00"));
        brokerState_->setText(wrong);
        return;
    }
    if (passwordTyped_) {
        if (const auto why = storage_.writeBrokerPassword(brokerPassword_->text().toUtf8()))
            program_.log.addLine(tr(" +++ MQTT: Passwort nicht gespeichert (%1)").arg(*why));
        passwordTyped_ = false;
        brokerPassword_->clear();
        mqtt_.passwordChanged();
    }
    program_.brokerTexts(s);
    refresh();
}

void WebDialog::refresh() {
    if (brokerState_ != nullptr) {
        const BrokerSettings s = mqtt_.settings();
        const QString trouble = mqtt_.trouble();
        brokerState_->setStyleSheet(trouble.isEmpty() ? QString() : QStringLiteral("color: #b00"));
        brokerState_->setText(!s.on                ? tr("Aus.")
                              : !trouble.isEmpty() ? tr("Keine Verbindung: %1").arg(trouble)
                              : mqtt_.online() ? tr("Verbunden: %1:%2, Themen marklight/%3/%4/…")
                                                     .arg(s.host)
                                                     .arg(s.port)
                                                     .arg(s.hall, s.court)
                                               : tr("Verbinde …"));
    }
    const QHostAddress address = server_.listening() ? server_.address() : QHostAddress();
    warning_->setVisible(server_.pinned() ? !address.isLoopback() && !address.isNull()
                                          : form_.settings[SettingId::WebNetwork]);
    remoteOn_->setChecked(form_.remoteOn.checked);
    remotes_->clear();
    for (const web::RemoteControl::Remote& r : server_.remote().remotes())
        remotes_->addItem(QStringLiteral("%1 – %2%3")
                              .arg(r.name, r.address.toString(),
                                   r.last.isEmpty()
                                       ? QString()
                                       : tr(" – zuletzt: %1 (%2)").arg(r.last, r.lastTime)));
    const web::RemoteControl::Refused& refused = server_.remote().refused();
    refused_->setVisible(refused.times > 0);
    refused_->setText(
        tr("Abgewiesen, weil alle %1 Plätze belegt waren: zuletzt %2 (%3) um %4, "
           "insgesamt %5")
            .arg(web::RemoteControl::kMaxRemotes)
            .arg(refused.last.name, refused.last.address.toString(), refused.last.lastTime)
            .arg(refused.times));
    const QString remoteUrl = server_.remoteUrls().value(0);
    qrCode_->setVisible(!remoteUrl.isEmpty());
    newKey_->setEnabled(!remoteUrl.isEmpty());
    if (remoteUrl.isEmpty()) {
        remoteUrl_->setText(tr("Die Fernbedienung braucht die Webseiten."));
    } else {
        remoteUrl_->setText(tr("Mit dem Telefon scannen oder dort öffnen:\n") + remoteUrl);
        qrCode_->setPixmap(QPixmap::fromImage(qrCode(remoteUrl, 4)));
    }
    const QStringList urls = server_.pageUrls();
    if (urls.isEmpty()) {
        links_->setText(tr("Die Webseiten sind aus."));
        return;
    }
    QString html = tr("Seiten:");
    for (const QString& url : urls)
        html += QStringLiteral("<br><a href=\"%1\">%1</a>").arg(url.toHtmlEscaped());
    links_->setText(html);
}

} // namespace ml::app
