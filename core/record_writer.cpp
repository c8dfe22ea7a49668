#include "core/record_writer.h"

#include "core/match_report.h"

#include <QDateTime>
#include <QFileInfo>
#include <QStandardPaths>

namespace ml {

namespace {

// The log box's limit (the log cuts itself back when it grows past it).
constexpr qsizetype kLogLimit = 100000;

} // namespace

RecordWriter::RecordWriter(Form& form, const Clock& clock, Dialogs& dialogs, Storage& storage,
                           EventLog& log, MatchEngine& match, MatchRecord& events)
    : form_(form), clock_(clock), dialogs_(dialogs), storage_(storage), log_(log), match_(match),
      events_(events) {
    log_.onLine = [this](const QString& text) { line(text); };
}

void RecordWriter::bindHandlers() {
    form_.SaveReport.onClick = [this] { SaveReport_Click(); };
}

void RecordWriter::line(const QString& text) {
    if (recording_)
        storage_.appendRecord(text);
    else
        pending_.append(text);
}

void RecordWriter::begin() {
    name_ = storage_.startRecord();
    recording_ = true;
    for (const QString& text : std::exchange(pending_, {}))
        storage_.appendRecord(text);
}

void RecordWriter::resume(const QString& name) {
    QStringList older;
    if (storage_.continueRecord(name)) {
        name_ = name;
        older = storage_.recordLines();
    } else {
        name_ = storage_.startRecord();
    }
    recording_ = true;
    for (const QString& text : std::exchange(pending_, {}))
        storage_.appendRecord(text);
    rebuildLog(older);
}

void RecordWriter::rebuildLog(const QStringList& older) {
    QString& log = form_.Text1.text;
    for (auto it = older.crbegin(); it != older.crend(); ++it) {
        if (log.size() + it->size() + 2 > kLogLimit)
            break;
        log += *it + QStringLiteral("\r\n");
    }
}

void RecordWriter::SaveReport_Click() {
    const Form& f = form_;
    const QDateTime now = QDateTime::fromMSecsSinceEpoch(clock_.wallMs());
    // In the documents folder, named after the day and the teams.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString name =
        reportName(now.toString(QStringLiteral("yyyy-MM-dd")), f.Text_l.text, f.Text_r.text);
    QString filter;
    QString path = dialogs_.saveFileName(
        tr("Spielbericht speichern"),
        (folder.isEmpty() ? QString() : folder + QLatin1Char('/')) + name + QStringLiteral(".txt"),
        QStringLiteral("Text (*.txt);;CSV (*.csv)"), filter);
    if (path.isEmpty())
        return;
    const bool csv = filter.contains(QLatin1String("csv"), Qt::CaseInsensitive) ||
                     path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
    if (QFileInfo(path).suffix().isEmpty())
        path += csv ? QStringLiteral(".csv") : QStringLiteral(".txt");

    const MatchReport report{now.toString(QStringLiteral("dd.MM.yyyy")),
                             match_.rules().title(),
                             f.Text_l.text,
                             f.Text_r.text,
                             f.Pkt_l.text + QLatin1Char(':') + f.Pkt_r.text,
                             f.D_Min.text + QLatin1Char(':') + f.D_Sec.text,
                             events_.events()};
    if (const std::optional<QString> error = storage_.writeFile(
            path, reportBytes(report, csv ? ReportFormat::Csv : ReportFormat::Text))) {
        dialogs_.messageBox(tr("Spielbericht kann nicht gespeichert werden: ") + *error,
                            QStringLiteral("Marklight"), Icon::None, Buttons::Ok);
        return;
    }
    log_.addLine(tr(" +++ Spielbericht gespeichert: ") + path);
}

} // namespace ml
