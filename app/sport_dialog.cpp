#include "app/sport_dialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <array>
#include <cmath>

namespace ml::app {

namespace {

QDoubleSpinBox* minutesBox(QWidget* parent, double min = 0) {
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(min, 99);
    box->setDecimals(1);
    box->setSingleStep(0.5);
    box->setSuffix(QStringLiteral(" min"));
    return box;
}

// A limit of -1 is none.
QSpinBox* limitBox(QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setRange(-1, 9);
    box->setSpecialValueText(SportDialog::tr("keine Grenze"));
    return box;
}

int seconds(double minutes) {
    return static_cast<int>(std::lround(minutes * 60));
}

QString minutesList(const std::vector<int>& seconds) {
    QStringList parts;
    for (int s : seconds)
        parts << QString::number(s / 60.0, 'g', 4);
    return parts.join(QStringLiteral(", "));
}

// "2, 5, 10" as seconds; nothing when a part is no length of minutes.
std::optional<std::vector<int>> readMinutes(const QString& text) {
    std::vector<int> values;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const double minutes = part.trimmed().toDouble(&ok);
        if (!ok || minutes < 0 || minutes > 99)
            return std::nullopt;
        values.push_back(seconds(minutes));
    }
    return values;
}

// "2, 3" as whole numbers from 0 to 9.
std::optional<std::vector<int>> readCounts(const QString& text) {
    std::vector<int> values;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int n = part.trimmed().toInt(&ok);
        if (!ok || n < 0 || n > 9)
            return std::nullopt;
        values.push_back(n);
    }
    return values;
}

} // namespace

SportDialog::SportDialog(Program& program, std::function<void()> changed, QWidget* parent)
    : QDialog(parent), program_(program), changed_(std::move(changed)) {
    setObjectName(QStringLiteral("SportDialog"));
    setWindowTitle(tr("Sportart"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("sports"));
    list_->setMinimumWidth(180);
    connect(list_, &QListWidget::currentRowChanged, this, [this] {
        if (const SportRules* s = selected())
            show(*s);
    });

    auto* figures = new QVBoxLayout;
    figures->addWidget(periodFigures());
    figures->addWidget(ruleFigures());
    auto* top = new QHBoxLayout;
    top->addWidget(list_);
    top->addLayout(figures, 1);
    note_ = new QLabel(this);
    note_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(clubRows());
    layout->addWidget(note_);
    layout->addWidget(actions());
    fill();
}

QGroupBox* SportDialog::periodFigures() {
    periodName_ = new QLineEdit(this);
    periodName_->setMaxLength(32);
    periods_ = new QSpinBox(this);
    periods_->setRange(1, 9);
    minutes_ = minutesBox(this, 0.5);
    breaks_ = new QLineEdit(this);
    breaks_->setToolTip(tr("die Pausen nach jedem Abschnitt außer dem letzten, in "
                           "Minuten, durch Kommas getrennt (\"2, 15, 2\")"));
    overtimePeriods_ = new QSpinBox(this);
    overtimePeriods_->setRange(0, 4);
    overtimePeriods_->setSpecialValueText(tr("keine"));
    overtimeMinutes_ = minutesBox(this, 0.5);
    overtimeBreak_ = minutesBox(this);
    overtimeBetween_ = minutesBox(this);

    auto* periods = new QGroupBox(tr("Spielzeit"), this);
    auto* pf = new QFormLayout(periods);
    pf->addRow(tr("Abschnitte:"), periods_);
    pf->addRow(tr("Länge:"), minutes_);
    pf->addRow(tr("Name des Abschnitts:"), periodName_);
    pf->addRow(tr("Pausen (min):"), breaks_);
    pf->addRow(tr("Verlängerung:"), overtimePeriods_);
    pf->addRow(tr("  Länge:"), overtimeMinutes_);
    pf->addRow(tr("  Pause davor:"), overtimeBreak_);
    pf->addRow(tr("  Pause dazwischen:"), overtimeBetween_);
    return periods;
}

QGroupBox* SportDialog::ruleFigures() {
    penalties_ = new QLineEdit(this);
    penalties_->setToolTip(tr("die Längen der Strafen in Minuten, die erste ist "
                              "vorgegeben (\"2, 5, 10\"); leer: keine Zeitstrafen"));
    maxRunning_ = new QSpinBox(this);
    maxRunning_->setRange(0, 8);
    maxRunning_->setSpecialValueText(tr("keine Grenze"));
    timeoutMinutes_ = minutesBox(this);
    timeoutMinutes_->setSpecialValueText(tr("keine Timeouts"));
    perMatch_ = limitBox(this);
    perHalf_ = new QLineEdit(this);
    perHalf_->setToolTip(tr("je Spielhälfte, zwei Zahlen (\"2, 3\"); leer: keine "
                            "Grenze"));
    lastMinutes_ = minutesBox(this);
    lastMinutes_->setSpecialValueText(tr("keine Regel"));
    lastMax_ = limitBox(this);
    perOvertime_ = limitBox(this);

    auto* rules = new QGroupBox(tr("Strafen und Timeouts"), this);
    auto* rf = new QFormLayout(rules);
    rf->addRow(tr("Strafen (min):"), penalties_);
    rf->addRow(tr("Höchstens zugleich:"), maxRunning_);
    rf->addRow(tr("Timeout:"), timeoutMinutes_);
    rf->addRow(tr("  je Spiel:"), perMatch_);
    rf->addRow(tr("  je Spielhälfte:"), perHalf_);
    rf->addRow(tr("  in den letzten:"), lastMinutes_);
    rf->addRow(tr("  höchstens dann:"), lastMax_);
    rf->addRow(tr("  je Verlängerung:"), perOvertime_);
    return rules;
}

QDialogButtonBox* SportDialog::actions() {
    auto* buttons = new QDialogButtonBox(this);
    choose_ = buttons->addButton(tr("Wählen"), QDialogButtonBox::ActionRole);
    choose_->setObjectName(QStringLiteral("choose"));
    choose_->setToolTip(tr("das Spiel folgt den Regeln dieser Sportart"));
    copy_ = buttons->addButton(tr("Kopieren…"), QDialogButtonBox::ActionRole);
    copy_->setObjectName(QStringLiteral("copy"));
    copy_->setToolTip(tr("eine eigene Sportart nach dieser anlegen"));
    keep_ = buttons->addButton(tr("Speichern"), QDialogButtonBox::ActionRole);
    keep_->setObjectName(QStringLiteral("keep"));
    remove_ = buttons->addButton(tr("Löschen"), QDialogButtonBox::ActionRole);
    remove_->setObjectName(QStringLiteral("remove"));
    QPushButton* close = buttons->addButton(tr("Schließen"), QDialogButtonBox::RejectRole);
    close->setDefault(true);
    connect(choose_, &QPushButton::clicked, this, [this] { choose(); });
    connect(copy_, &QPushButton::clicked, this, [this] { copy(); });
    connect(keep_, &QPushButton::clicked, this, [this] { keep(); });
    connect(remove_, &QPushButton::clicked, this, [this] { remove(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return buttons;
}

// The hall the matches are played in (the head of the printed report names it) and the club's
// colours (the report's chart and the pages draw each side in its own).
QFormLayout* SportDialog::clubRows() {
    auto* hall = new QLineEdit(program_.form.Hall, this);
    hall->setObjectName(QStringLiteral("hall"));
    hall->setMaxLength(32);
    connect(hall, &QLineEdit::editingFinished, this, [this, hall] {
        if (hall->text().trimmed() == program_.form.Hall)
            return;
        program_.form.Hall = hall->text().trimmed();
        program_.viewChanged();
    });
    auto* place = new QFormLayout;
    place->addRow(tr("Halle (für den Spielbericht):"), hall);
    auto* colours = new QHBoxLayout;
    std::array<QPushButton*, 2> sides{};
    for (int side : {0, 1}) {
        sides[side] = new QPushButton(side == 0 ? tr("Heim") : tr("Gegner"), this);
        sides[side]->setObjectName(side == 0 ? QStringLiteral("homeColour")
                                             : QStringLiteral("guestColour"));
        colours->addWidget(sides[side]);
    }
    const auto paint = [this, sides] {
        for (int side : {0, 1}) {
            const QString hex =
                sideColour(side == 0 ? program_.form.HomeColour : program_.form.GuestColour, side);
            sides[side]->setStyleSheet(QStringLiteral("background: #%1; color: white;").arg(hex));
            sides[side]->setToolTip(QLatin1Char('#') + hex);
        }
    };
    for (int side : {0, 1})
        connect(sides[side], &QPushButton::clicked, this, [this, side, paint] {
            QString& chosen = side == 0 ? program_.form.HomeColour : program_.form.GuestColour;
            const QColor picked =
                QColorDialog::getColor(QColor(QLatin1Char('#') + sideColour(chosen, side)), this,
                                       side == 0 ? tr("Farbe Heim") : tr("Farbe Gegner"));
            if (!picked.isValid())
                return;
            chosen = picked.name().mid(1);
            paint();
            program_.viewChanged();
        });
    auto* standard = new QPushButton(tr("Rot und Blau"), this);
    standard->setObjectName(QStringLiteral("standardColours"));
    connect(standard, &QPushButton::clicked, this, [this, paint] {
        program_.form.HomeColour.clear();
        program_.form.GuestColour.clear();
        paint();
        program_.viewChanged();
    });
    paint();
    colours->addWidget(standard);
    colours->addStretch();
    place->addRow(tr("Farben der Mannschaften:"), colours);
    return place;
}

void SportDialog::fill() {
    const QString current = selected() ? selected()->id : program_.form.Sport;
    list_->clear();
    for (const SportRules& s : program_.match.catalog().sports()) {
        auto* item = new QListWidgetItem(
            s.id == program_.form.Sport ? s.title() + QStringLiteral("  ✓") : s.title(), list_);
        item->setData(Qt::UserRole, s.id);
        if (s.id == current)
            list_->setCurrentItem(item);
    }
}

const SportRules* SportDialog::selected() const {
    const QListWidgetItem* item = list_->currentItem();
    if (item == nullptr)
        return nullptr;
    const QString id = item->data(Qt::UserRole).toString();
    for (const SportRules& s : program_.match.catalog().sports())
        if (s.id == id)
            return &s;
    return nullptr;
}

void SportDialog::show(const SportRules& s) {
    const bool own = !s.builtIn;
    for (QWidget* w : std::initializer_list<QWidget*>{
             periodName_, periods_, minutes_, breaks_, overtimePeriods_, overtimeMinutes_,
             overtimeBreak_, overtimeBetween_, penalties_, maxRunning_, timeoutMinutes_, perMatch_,
             perHalf_, lastMinutes_, lastMax_, perOvertime_})
        w->setEnabled(own && !s.free());
    keep_->setEnabled(own);
    remove_->setEnabled(own);
    copy_->setEnabled(!s.free());
    periodName_->setText(s.periodNoun());
    periods_->setValue(std::max(1, s.periods));
    minutes_->setValue(s.periodSeconds / 60.0);
    breaks_->setText(minutesList(s.breaks));
    overtimePeriods_->setValue(s.overtime.periods);
    overtimeMinutes_->setValue(s.overtime.seconds / 60.0);
    overtimeBreak_->setValue(s.overtime.breakBefore / 60.0);
    overtimeBetween_->setValue(s.overtime.breakBetween / 60.0);
    std::vector<int> kinds;
    for (const PenaltyKind& k : s.penalties.kinds)
        kinds.push_back(k.seconds);
    penalties_->setText(minutesList(kinds));
    maxRunning_->setValue(s.penalties.maxRunning);
    const TimeoutRules& t = s.timeouts;
    timeoutMinutes_->setValue(t.seconds / 60.0);
    perMatch_->setValue(t.perMatch);
    perHalf_->setText(QStringList{t.perHalf.empty() ? QString() : QString::number(t.perHalf[0]),
                                  t.perHalf.empty() ? QString() : QString::number(t.perHalf[1])}
                          .join(t.perHalf.empty() ? QString() : QStringLiteral(", ")));
    lastMinutes_->setValue(t.lastSeconds / 60.0);
    lastMax_->setValue(t.lastMax);
    perOvertime_->setValue(t.perOvertime);
    note_->setText(s.free() ? tr("Ohne Regeln: Spielzeit, Strafen und Timeouts "
                                 "laufen, wie der Zeitnehmer sie bedient.")
                   : own    ? tr("Eigene Sportart: Werte ändern und speichern.")
                            : tr("Eingebaut: zum Ändern zuerst kopieren."));
}

std::optional<SportRules> SportDialog::edited(QString& why) const {
    const SportRules* base = selected();
    if (base == nullptr)
        return std::nullopt;
    SportRules s = *base;
    s.periods = periods_->value();
    s.periodSeconds = seconds(minutes_->value());
    s.periodName = periodName_->text().trimmed();
    const std::optional<std::vector<int>> breaks = readMinutes(breaks_->text());
    const std::optional<std::vector<int>> kinds = readMinutes(penalties_->text());
    const std::optional<std::vector<int>> halves = readCounts(perHalf_->text());
    if (!breaks || !kinds || !halves) {
        why = tr("Pausen, Strafen und Timeouts je Spielhälfte als Zahlen mit Kommas "
                 "eingeben");
        return std::nullopt;
    }
    s.breaks = *breaks;
    // What the dialog does not show (how many overtimes may follow) stays as the sport had it.
    s.overtime.periods = overtimePeriods_->value();
    s.overtime.seconds = seconds(overtimeMinutes_->value());
    s.overtime.breakBefore = seconds(overtimeBreak_->value());
    s.overtime.breakBetween = seconds(overtimeBetween_->value());
    // A length the sport had keeps what it was (a minor penalty that a goal ends).
    s.penalties.kinds.clear();
    for (int k : *kinds)
        s.penalties.kinds.push_back(base->penaltyKind(k));
    s.penalties.maxRunning = maxRunning_->value();
    s.timeouts.seconds = seconds(timeoutMinutes_->value());
    s.timeouts.perMatch = perMatch_->value();
    s.timeouts.perHalf = *halves;
    s.timeouts.lastSeconds = seconds(lastMinutes_->value());
    s.timeouts.lastMax = s.timeouts.lastSeconds > 0 ? std::max(0, lastMax_->value()) : -1;
    s.timeouts.perOvertime = perOvertime_->value();
    why = checkSport(s);
    if (!why.isEmpty())
        return std::nullopt;
    return s;
}

void SportDialog::choose() {
    if (const SportRules* s = selected()) {
        program_.chooseSport(s->id);
        changed_();
        fill();
    }
}

void SportDialog::copy() {
    const SportRules* base = selected();
    if (base == nullptr || base->free())
        return;
    bool ok = false;
    const QString name =
        QInputDialog::getText(this, tr("Sportart kopieren"), tr("Name der eigenen Sportart:"),
                              QLineEdit::Normal, base->title() + tr(" (Verein)"), &ok)
            .trimmed();
    if (!ok || name.isEmpty())
        return;
    // The club's copy keeps the words as the operator read them in the built-in one.
    SportRules s = *base;
    s.id = program_.match.catalog().newId(name);
    s.name = name;
    s.periodName = base->periodNoun();
    s.fouls.mark = base->foulMark();
    QString why;
    if (!program_.match.catalog().keep(s, why)) {
        QMessageBox::warning(this, tr("Sportart"), tr("Nicht kopiert: ") + why);
        return;
    }
    program_.sportsChanged();
    changed_();
    fill();
    for (int i = 0; i < list_->count(); ++i)
        if (list_->item(i)->data(Qt::UserRole).toString() == s.id)
            list_->setCurrentRow(i);
}

void SportDialog::keep() {
    QString why;
    std::optional<SportRules> s = edited(why);
    if (!s || !program_.match.catalog().keep(*s, why)) {
        QMessageBox::warning(this, tr("Sportart"), tr("Nicht gespeichert: ") + why);
        return;
    }
    program_.sportsChanged();
    changed_();
    fill();
}

void SportDialog::remove() {
    const SportRules* s = selected();
    if (s == nullptr || s->builtIn)
        return;
    if (s->id == program_.form.Sport) {
        QMessageBox::warning(this, tr("Sportart"),
                             tr("Das Spiel folgt gerade dieser Sportart: zuerst eine "
                                "andere wählen."));
        return;
    }
    program_.match.catalog().remove(s->id);
    program_.sportsChanged();
    changed_();
    fill();
}

} // namespace ml::app
