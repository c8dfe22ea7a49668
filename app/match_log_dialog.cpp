#include "app/match_log_dialog.h"

#include "core/report_sheet.h"

#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace ml::app {

MatchLogDialog::MatchLogDialog(Program& program,
                               std::function<void(const std::function<void()>&)> act,
                               QWidget* parent)
    : QDialog(parent), program_(program), act_(std::move(act)), list_(new QListWidget(this)) {
    setWindowTitle(tr("Spielverlauf"));
    setObjectName(QStringLiteral("MatchLog"));
    list_->setObjectName(QStringLiteral("MatchLogList"));
    list_->setMinimumSize(560, 360);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemActivated, this, &MatchLogDialog::edit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    program_.afterStep.push_back([this](const Changes&) {
        if (isVisible())
            fill();
    });
    shown_ = program_.record.revision() - 1;
}

void MatchLogDialog::fill() {
    if (shown_ == program_.record.revision())
        return;
    shown_ = program_.record.revision();
    const int row = list_->currentRow();
    list_->clear();
    for (const RecordedEvent& e : program_.record.events()) {
        QString what = e.team.isEmpty() ? e.what : e.team + QStringLiteral(": ") + e.what;
        if (e.counts == QLatin1String("goal") && e.number != 0)
            what += QLatin1Char(' ') + scorerText(e);
        if (e.withdrawn)
            what += tr(" (zurückgenommen)");
        list_->addItem(QStringLiteral("%1  %2  %3  %4")
                           .arg(elapsedText(e.elapsed).rightJustified(6), e.period, e.score, what));
    }
    list_->setCurrentRow(row >= 0 ? std::min(row, list_->count() - 1) : list_->count() - 1);
}

void MatchLogDialog::edit(QListWidgetItem* item) {
    const auto index = static_cast<std::size_t>(list_->row(item));
    const std::vector<RecordedEvent>& events = program_.record.events();
    if (index >= events.size() || events[index].counts != QLatin1String("goal"))
        return;
    const RecordedEvent& e = events[index];
    QStringList now;
    if (e.number != 0)
        now << QString::number(e.number);
    for (int a : e.assists)
        now << QString::number(a);
    bool ok = false;
    const QString typed =
        QInputDialog::getText(this, tr("Tor"),
                              program_.match.rules().assists > 0
                                  ? tr("Nr. des Torschützen und der Vorlagen (z. B. 17 5 8):")
                                  : tr("Nr. des Torschützen:"),
                              QLineEdit::Normal, now.join(QLatin1Char(' ')), &ok);
    if (!ok)
        return;
    std::vector<int> numbers;
    for (const QString& word :
         typed.split(QRegularExpression(QStringLiteral("[^0-9]+")), Qt::SkipEmptyParts))
        numbers.push_back(word.size() > 3 ? -1 : word.toInt());
    if (numbers.empty())
        numbers.push_back(0);
    std::optional<QString> refused;
    act_([&] {
        refused = program_.goalNumbers(index, numbers.front(),
                                       std::vector<int>(numbers.begin() + 1, numbers.end()));
    });
    if (refused)
        QMessageBox::warning(this, tr("Tor"), *refused);
    fill();
}

} // namespace ml::app
