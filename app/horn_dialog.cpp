#include "app/horn_dialog.h"

#include "form/setting_table.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace ml::app {

HornDialog::HornDialog(Program& program, std::function<void()> changed, QWidget* parent)
    : SettingsDialog(program, std::move(changed), parent) {
    setObjectName(QStringLiteral("HornDialog"));
    setWindowTitle(tr("Hupe"));

    auto* on = new QCheckBox(tr("Hupe ein"), this);
    on->setObjectName(QStringLiteral("HornOn"));
    on->setToolTip(tr("automatisch am Ende der Spielzeit, eines Timeouts und einer "
                      "Pause, und von Hand mit \"Hupe\""));
    bind("HornOn", [on](int value) {
        const QSignalBlocker quiet(on);
        on->setChecked(value != 0);
    });
    connect(on, &QCheckBox::toggled, this, [this](bool checked) { change("HornOn", checked); });

    auto* length = new QDoubleSpinBox(this);
    length->setObjectName(QStringLiteral("HornLength"));
    const Setting& lengths = *findSetting(QStringLiteral("HornLength"));
    length->setRange(lengths.min / 1000.0, lengths.max / 1000.0);
    length->setDecimals(1);
    length->setSingleStep(0.1);
    length->setSuffix(QStringLiteral(" s"));
    // A typed length applies when done, not at every digit.
    length->setKeyboardTracking(false);
    bind("HornLength", [length](int ms) {
        const QSignalBlocker quiet(length);
        length->setValue(ms / 1000.0);
    });
    connect(length, &QDoubleSpinBox::valueChanged, this, [this](double seconds) {
        change("HornLength", static_cast<int>(std::lround(seconds * 1000)));
    });

    // The slider applies where it is let go; the number beside it follows it meanwhile.
    auto* volume = new QSlider(Qt::Horizontal, this);
    volume->setObjectName(QStringLiteral("HornVolume"));
    const Setting& volumes = *findSetting(QStringLiteral("HornVolume"));
    volume->setRange(volumes.min, volumes.max);
    volume->setPageStep(10);
    volume->setTracking(false);
    auto* percent = new QSpinBox(this);
    percent->setRange(volumes.min, volumes.max);
    percent->setSuffix(QStringLiteral(" %"));
    percent->setKeyboardTracking(false);
    bind("HornVolume", [volume, percent](int value) {
        const QSignalBlocker quietSlider(volume);
        const QSignalBlocker quietNumber(percent);
        volume->setValue(value);
        percent->setValue(value);
    });
    connect(volume, &QSlider::sliderMoved, percent, [percent](int value) {
        const QSignalBlocker quiet(percent);
        percent->setValue(value);
    });
    connect(volume, &QSlider::valueChanged, this,
            [this](int value) { change("HornVolume", value); });
    connect(percent, &QSpinBox::valueChanged, this,
            [this](int value) { change("HornVolume", value); });
    auto* volumeRow = new QHBoxLayout;
    volumeRow->addWidget(volume, 1);
    volumeRow->addWidget(percent);

    auto* form = new QFormLayout;
    form->addRow(on);
    form->addRow(tr("Länge:"), length);
    form->addRow(tr("Lautstärke:"), volumeRow);
    addTableRows(form, ShownIn::Horn);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* test = buttons->addButton(tr("Test"), QDialogButtonBox::ActionRole);
    test->setObjectName(QStringLiteral("Test"));
    test->setToolTip(tr("spielt die Hupe so, wie sie eingestellt ist"));
    connect(test, &QPushButton::clicked, this, [&program] { program.horn.test(); });
    QPushButton* close = buttons->addButton(tr("Schließen"), QDialogButtonBox::AcceptRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

} // namespace ml::app
