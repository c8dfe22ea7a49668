#pragma once

// "Extras → Sportart…": the sports to choose from, with their figures. A built-in sport shows
// its figures; a club copies one ("Kopieren…"), changes lengths and limits and keeps it under its
// own name ("Speichern"), or deletes its own ("Löschen"). "Wählen" lets the match follow the
// chosen sport's rules (during a match the program asks first).

#include "core/program.h"

#include <QCoreApplication>
#include <QDialog>

#include <functional>

class QCheckBox;
class QDialogButtonBox;
class QFormLayout;
class QGroupBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace ml::app {

class SportDialog : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(SportDialog)

  public:
    // `changed` runs after each change, so the window shows its outcome.
    SportDialog(Program& program, std::function<void()> changed, QWidget* parent);

  private:
    // The boxes of a sport's figures: its periods, and its penalties and timeouts.
    QGroupBox* periodFigures();
    QGroupBox* ruleFigures();
    QDialogButtonBox* actions();
    QFormLayout* clubRows();
    void fill();
    void show(const SportRules& rules);
    const SportRules* selected() const;
    // The figures in the boxes as a preset; nothing (with the reason in `why`) when they do not
    // read.
    std::optional<SportRules> edited(QString& why) const;
    void choose();
    void copy();
    void keep();
    void remove();

    Program& program_;
    std::function<void()> changed_;
    QListWidget* list_;
    QLineEdit* periodName_;
    QSpinBox* periods_;
    QDoubleSpinBox* minutes_;
    QLineEdit* breaks_;
    QSpinBox* overtimePeriods_;
    QDoubleSpinBox* overtimeMinutes_;
    QDoubleSpinBox* overtimeBreak_;
    QDoubleSpinBox* overtimeBetween_;
    QLineEdit* penalties_;
    QSpinBox* maxRunning_;
    QDoubleSpinBox* timeoutMinutes_;
    QSpinBox* perMatch_;
    QLineEdit* perHalf_;
    QDoubleSpinBox* lastMinutes_;
    QSpinBox* lastMax_;
    QSpinBox* perOvertime_;
    QLabel* note_;
    QPushButton* choose_;
    QPushButton* copy_;
    QPushButton* keep_;
    QPushButton* remove_;
};

} // namespace ml::app
