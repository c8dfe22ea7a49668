#include "app/web_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace ml::app {

WebDialog::WebDialog(Program& program, web::WebServer& server, QWidget* parent)
    : QDialog(parent), server_(server), form_(program.form), links_(new QLabel(this)),
      warning_(new QLabel(this)) {
    setObjectName(QStringLiteral("WebDialog"));
    setWindowTitle(QStringLiteral("Netzwerk"));
    Form& f = program.form;
    const auto apply = [this, &program] {
        program.settingsChanged();
        refresh();
    };

    auto* on = new QCheckBox(QStringLiteral("Webseiten anbieten"), this);
    on->setObjectName(QStringLiteral("WebOn"));
    on->setToolTip(QStringLiteral("Hallenuhr, Overlay und Anzeige im Browser, live"));
    on->setChecked(f.WebOn);
    connect(on, &QCheckBox::toggled, this, [&f, apply](bool checked) {
        f.WebOn = checked;
        apply();
    });

    auto* port = new QSpinBox(this);
    port->setObjectName(QStringLiteral("WebPort"));
    port->setRange(1, 65535);
    port->setValue(f.WebPort);
    // Typing a port applies it when done, not at every digit.
    port->setKeyboardTracking(false);
    connect(port, &QSpinBox::valueChanged, this, [&f, apply](int value) {
        f.WebPort = value;
        apply();
    });

    auto* local = new QRadioButton(QStringLiteral("nur auf diesem Computer (127.0.0.1)"), this);
    auto* network = new QRadioButton(QStringLiteral("im Netzwerk der Halle"), this);
    network->setObjectName(QStringLiteral("WebNetwork"));
    (f.WebNetwork ? network : local)->setChecked(true);
    auto* where = new QButtonGroup(this);
    where->addButton(local);
    where->addButton(network);
    connect(network, &QRadioButton::toggled, this, [&f, apply](bool checked) {
        f.WebNetwork = checked;
        apply();
    });

    warning_->setObjectName(QStringLiteral("WebWarning"));
    warning_->setText(QStringLiteral("Jeder in diesem Netzwerk kann das Spiel sehen."));
    warning_->setStyleSheet(QStringLiteral("color: #b00; font-weight: bold"));
    links_->setObjectName(QStringLiteral("WebLinks"));
    links_->setTextFormat(Qt::RichText);
    links_->setOpenExternalLinks(true);
    links_->setTextInteractionFlags(Qt::TextBrowserInteraction);

    auto* form = new QFormLayout;
    form->addRow(on);
    form->addRow(QStringLiteral("Port:"), port);
    form->addRow(local);
    form->addRow(network);
    form->addRow(warning_);
    form->addRow(links_);
    if (server.pinned()) {
        for (QWidget* w : std::initializer_list<QWidget*>{on, port, local, network})
            w->setEnabled(false);
        form->addRow(new QLabel(QStringLiteral("Für diesen Lauf mit --web gestartet."), this));
    }

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Schließen"), QDialogButtonBox::AcceptRole)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    refresh();
}

void WebDialog::refresh() {
    const QHostAddress address = server_.listening() ? server_.address() : QHostAddress();
    warning_->setVisible(server_.pinned() ? !address.isLoopback() && !address.isNull()
                                          : form_.WebNetwork);
    const QStringList urls = server_.pageUrls();
    if (urls.isEmpty()) {
        links_->setText(QStringLiteral("Die Webseiten sind aus."));
        return;
    }
    QString html = QStringLiteral("Seiten:");
    for (const QString& url : urls)
        html += QStringLiteral("<br><a href=\"%1\">%1</a>").arg(url.toHtmlEscaped());
    links_->setText(html);
}

} // namespace ml::app
