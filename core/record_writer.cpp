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
    form_.SavePdf.onClick = [this] { SavePdf_Click(); };
}

void RecordWriter::line(const QString& text) {
    if (recording_)
        storage_.appendRecord(text);
    else
        pending_.append(text);
}

void RecordWriter::begin() {
    endWritten_ = false;
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

QString RecordWriter::suggested(const QString& suffix) const {
    const QDateTime now = QDateTime::fromMSecsSinceEpoch(clock_.wallMs());
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString name = reportName(now.toString(QStringLiteral("yyyy-MM-dd")), form_.Text_l.text,
                                    form_.Text_r.text);
    return (folder.isEmpty() ? QString() : folder + QLatin1Char('/')) + name + suffix;
}

MatchReport RecordWriter::report() const {
    const Form& f = form_;
    const QDateTime now = QDateTime::fromMSecsSinceEpoch(clock_.wallMs());
    // The home team is the one that began on the left, wherever it stands now.
    const bool changed = f.EndsChanged;
    return {now.toString(QStringLiteral("dd.MM.yyyy")),
            match_.rules().title(),
            changed ? f.Text_r.text : f.Text_l.text,
            changed ? f.Text_l.text : f.Text_r.text,
            changed ? f.Pkt_r.text + QLatin1Char(':') + f.Pkt_l.text
                    : f.Pkt_l.text + QLatin1Char(':') + f.Pkt_r.text,
            f.D_Min.text + QLatin1Char(':') + f.D_Sec.text,
            events_.events(),
            f.Hall,
            sideColour(f.HomeColour, 0),
            sideColour(f.GuestColour, 1)};
}

std::optional<QByteArray> RecordWriter::bytes(ReportFormat format) const {
    if (format != ReportFormat::Pdf)
        return reportBytes(report(), format);
    if (pdf == nullptr)
        return std::nullopt;
    return pdf->pdf(report());
}

std::optional<QString> RecordWriter::write(const QString& path, ReportFormat format) {
    const std::optional<QByteArray> data = bytes(format);
    if (!data)
        return tr("kein PDF-Druck verfügbar");
    if (std::optional<QString> error = storage_.writeFile(path, *data))
        return error;
    log_.addLine(tr(" +++ Spielbericht gespeichert: ") + path);
    return std::nullopt;
}

void RecordWriter::save(const QString& title, const QString& suffix, const QString& filters) {
    QString filter;
    QString path = dialogs_.saveFileName(title, suggested(suffix), filters, filter);
    if (path.isEmpty())
        return;
    // The suffix chooses the format, else the filter chosen.
    const auto format = [](const QString& text) {
        return text.contains(QLatin1String("pdf"), Qt::CaseInsensitive)   ? ReportFormat::Pdf
               : text.contains(QLatin1String("csv"), Qt::CaseInsensitive) ? ReportFormat::Csv
                                                                          : ReportFormat::Text;
    };
    const QString ending = QFileInfo(path).suffix();
    const ReportFormat chosen = format(ending.isEmpty() ? filter : ending);
    if (ending.isEmpty())
        path += chosen == ReportFormat::Pdf   ? QStringLiteral(".pdf")
                : chosen == ReportFormat::Csv ? QStringLiteral(".csv")
                                              : QStringLiteral(".txt");
    if (const std::optional<QString> error = write(path, chosen))
        dialogs_.messageBox(tr("Spielbericht kann nicht gespeichert werden: ") + *error,
                            QStringLiteral("Marklight"), Icon::None, Buttons::Ok);
}

void RecordWriter::SaveReport_Click() {
    save(tr("Spielbericht speichern"), QStringLiteral(".txt"),
         pdf != nullptr ? QStringLiteral("Text (*.txt);;CSV (*.csv);;PDF (*.pdf)")
                        : QStringLiteral("Text (*.txt);;CSV (*.csv)"));
}

void RecordWriter::SavePdf_Click() {
    save(tr("Spielbericht als PDF"), QStringLiteral(".pdf"), QStringLiteral("PDF (*.pdf)"));
}

void RecordWriter::matchEnded() {
    if (pdf == nullptr || std::exchange(endWritten_, true))
        return;
    const QString path = suggested(QStringLiteral(".pdf"));
    const std::optional<QString> error = write(path, ReportFormat::Pdf);
    form_.note(error ? tr("Spielbericht kann nicht gespeichert werden: %1 (%2)").arg(*error, path)
                     : tr("Spielbericht gespeichert: %1").arg(path));
}

} // namespace ml
