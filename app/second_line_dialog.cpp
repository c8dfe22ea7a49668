#include "app/second_line_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace ml::app {

namespace {
constexpr int kSpeeds[] = {1200, 2400, 4800, 9600};
} // namespace

SecondLineDialog::SecondLineDialog(Program& program, std::function<void()> changed, QWidget* parent)
    : QDialog(parent), program_(program), changed_(std::move(changed)), port_(new QComboBox(this)),
      mirror_(new QCheckBox(tr("Seiten gespiegelt"), this)), baud_(new QComboBox(this)),
      open_(new QPushButton(this)), state_(new QLabel(this)) {
    setObjectName(QStringLiteral("SecondLineDialog"));
    setWindowTitle(tr("Zweite Anzeigelinie"));
    port_->setObjectName(QStringLiteral("Line2Port"));
    port_->setToolTip(tr("COM-Port der zweiten Anzeigelinie (\"COM-Ports prüfen\" "
                         "listet sie neu)"));
    mirror_->setObjectName(QStringLiteral("Line2Mirror"));
    mirror_->setToolTip(tr("Für eine Anzeigelinie am anderen Ende der Halle: Heim "
                           "steht rechts, Gegner links. Unabhängig von "
                           "\"Spiegeln\" der ersten Anzeigelinie."));
    baud_->setObjectName(QStringLiteral("Line2Baud"));
    for (int speed : kSpeeds)
        baud_->addItem(QString::number(speed), speed);
    open_->setObjectName(QStringLiteral("Line2OpenOutput"));
    open_->setAutoDefault(false);
    state_->setObjectName(QStringLiteral("Line2State"));
    state_->setTextFormat(Qt::PlainText);

    connect(open_, &QPushButton::clicked, this,
            [this] { apply(program_.form.Line2Open ? 0 : portNumberOf(port_->currentText())); });
    connect(mirror_, &QCheckBox::clicked, this,
            [this] { apply(program_.form.Line2Open ? program_.form.Line2Port : 0); });

    auto* form = new QFormLayout;
    form->addRow(tr("COM-Port:"), port_);
    form->addRow(tr("Baudrate:"), baud_);
    form->addRow(mirror_);
    form->addRow(open_, state_);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(tr("Schließen"), QDialogButtonBox::AcceptRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    // A line that fails in the background, or a new port listing, shows here at once.
    program_.afterStep.push_back([this](const Changes& changes) {
        if (changes.has("Line2Open") || changes.has("Line2Port") || changes.has("PortOpen") ||
            changes.has(program_.form.Combo6))
            sync();
    });
    reader_ = program_.afterStep.size() - 1;
    sync();
}

SecondLineDialog::~SecondLineDialog() {
    program_.afterStep[reader_] = [](const Changes&) {};
}

void SecondLineDialog::apply(int port) {
    program_.secondLine(port, mirror_->isChecked(), baud_->currentData().toInt());
    changed_();
    sync();
}

void SecondLineDialog::sync() {
    const Form& f = program_.form;
    const QSignalBlocker quietPort(port_);
    const QSignalBlocker quietBaud(baud_);
    // The ports of the list that have a number, but the first line's while it is open: it
    // could not be the second's too.
    const int first = f.PortOpen ? portNumberOf(f.Combo6.items.value(f.Combo6.index)) : 0;
    port_->clear();
    for (qsizetype i = 0; i < f.Combo6.items.size(); ++i) {
        const QString& entry = f.Combo6.items[i];
        if (portNumberOf(entry) == 0 || portNumberOf(entry) == first)
            continue;
        port_->addItem(entry);
        port_->setItemData(port_->count() - 1, f.Combo6.notes.value(i), Qt::ToolTipRole);
        if (portNumberOf(entry) == f.Line2Port)
            port_->setCurrentIndex(port_->count() - 1);
    }
    baud_->setCurrentIndex(baud_->findData(f.settings[SettingId::Line2Baud]));
    mirror_->setChecked(f.settings[SettingId::Line2Mirror]);
    port_->setEnabled(!f.Line2Open && port_->count() > 0);
    baud_->setEnabled(!f.Line2Open);
    open_->setText(f.Line2Open ? captions::closePort() : captions::openPort());
    open_->setEnabled(f.Line2Open || port_->count() > 0);
    state_->setText(f.Line2Open          ? tr("geöffnet: COM %1").arg(f.Line2Port)
                    : port_->count() > 0 ? tr("geschlossen")
                                         : captions::noPort());
}

} // namespace ml::app
