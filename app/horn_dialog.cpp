#include "app/horn_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace ml::app {

HornDialog::HornDialog(Program& program, std::function<void()> changed, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("HornDialog"));
    setWindowTitle(QStringLiteral("Hupe"));
    Form& f = program.form;
    const auto apply = [&program, changed = std::move(changed)] {
        program.settingsChanged();
        changed();
    };

    auto* on = new QCheckBox(QStringLiteral("Hupe ein"), this);
    on->setObjectName(QStringLiteral("HornOn"));
    on->setToolTip(QStringLiteral("automatisch am Ende der Spielzeit, eines Timeouts und einer "
                                  "Pause, und von Hand mit \"Hupe\""));
    on->setChecked(f.HornOn);
    connect(on, &QCheckBox::toggled, this, [&f, apply](bool checked) {
        f.HornOn = checked;
        apply();
    });

    auto* length = new QDoubleSpinBox(this);
    length->setObjectName(QStringLiteral("HornLength"));
    length->setRange(HornSignals::kMinLength / 1000.0, HornSignals::kMaxLength / 1000.0);
    length->setDecimals(1);
    length->setSingleStep(0.1);
    length->setSuffix(QStringLiteral(" s"));
    length->setValue(f.HornLength / 1000.0);
    connect(length, &QDoubleSpinBox::valueChanged, this, [&f, apply](double seconds) {
        f.HornLength = static_cast<int>(std::lround(seconds * 1000));
        apply();
    });

    auto* volume = new QSlider(Qt::Horizontal, this);
    volume->setObjectName(QStringLiteral("HornVolume"));
    volume->setRange(0, 100);
    volume->setPageStep(10);
    volume->setValue(f.HornVolume);
    auto* percent = new QSpinBox(this);
    percent->setRange(0, 100);
    percent->setSuffix(QStringLiteral(" %"));
    percent->setValue(f.HornVolume);
    connect(volume, &QSlider::valueChanged, percent, &QSpinBox::setValue);
    connect(percent, &QSpinBox::valueChanged, volume, &QSlider::setValue);
    connect(volume, &QSlider::valueChanged, this, [&f, apply](int value) {
        f.HornVolume = value;
        apply();
    });
    auto* volumeRow = new QHBoxLayout;
    volumeRow->addWidget(volume, 1);
    volumeRow->addWidget(percent);

    auto* stop = new QCheckBox(QStringLiteral("Uhr bei 0:00 anhalten"), this);
    stop->setObjectName(QStringLiteral("StopAtZero"));
    stop->setToolTip(QStringLiteral("Die abwärts laufende Spielzeit bleibt bei 0:00 stehen, statt "
                                    "unter null weiterzulaufen"));
    stop->setChecked(f.StopAtZero);
    connect(stop, &QCheckBox::toggled, this, [&f, apply](bool checked) {
        f.StopAtZero = checked;
        apply();
    });

    auto* form = new QFormLayout;
    form->addRow(on);
    form->addRow(QStringLiteral("Länge:"), length);
    form->addRow(QStringLiteral("Lautstärke:"), volumeRow);
    form->addRow(stop);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* test = buttons->addButton(QStringLiteral("Test"), QDialogButtonBox::ActionRole);
    test->setObjectName(QStringLiteral("Test"));
    test->setToolTip(QStringLiteral("spielt die Hupe so, wie sie eingestellt ist"));
    connect(test, &QPushButton::clicked, this, [&program] { program.horn.test(); });
    QPushButton* close =
        buttons->addButton(QStringLiteral("Schließen"), QDialogButtonBox::AcceptRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

} // namespace ml::app
