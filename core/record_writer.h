#pragma once

// Writes the match's record: every log line of the match into the record's file as it comes
// (the lines before the record is open wait), the log box rebuilt from a resumed record, and the
// match report saved on the operator's demand ("Spielbericht speichern").

#include "bookkeeping/event_log.h"
#include "core/match_record.h"
#include "core/report_pdf.h"
#include "form/form.h"
#include "match/match_engine.h"
#include "platform/platform.h"
#include "platform/storage.h"

namespace ml {

class RecordWriter {
    Q_DECLARE_TR_FUNCTIONS(RecordWriter)

  public:
    RecordWriter(Form& form, const Clock& clock, Dialogs& dialogs, Storage& storage, EventLog& log,
                 MatchEngine& match, MatchRecord& events);
    void bindHandlers();

    // A fresh match: a new record, with the lines logged so far.
    void begin();
    // A resumed match: its record `name` goes on (or, gone, a new one begins), and the log box
    // shows its lines again under those of this start.
    void resume(const QString& name);
    // The record's name, as the state keeps it.
    const QString& name() const { return name_; }

    void SaveReport_Click();
    // "Spielbericht als PDF…".
    void SavePdf_Click();

    // The report as it stands now, and its file's bytes in `format` (nothing for a PDF without
    // a PDF writer).
    MatchReport report() const;
    std::optional<QByteArray> bytes(ReportFormat format) const;
    // Writes the report to `path`: the reason when it cannot be written (nothing is left then).
    std::optional<QString> write(const QString& path, ReportFormat format);
    // The match has reached its end: the PDF goes to the documents folder under the suggested
    // name, once; the status line says where.
    void matchEnded();

    // Draws the PDF; set by whoever links Qt's painting. Without it there is no PDF.
    ReportPdf* pdf = nullptr;

  private:
    void line(const QString& text);
    // The log box rebuilt from the record's lines, newest first, within the box's limit.
    void rebuildLog(const QStringList& older);
    // The path the report is offered under, with `suffix`: the documents folder, the day and
    // the teams.
    QString suggested(const QString& suffix) const;
    void save(const QString& title, const QString& suffix, const QString& filters);

    Form& form_;
    const Clock& clock_;
    Dialogs& dialogs_;
    Storage& storage_;
    EventLog& log_;
    MatchEngine& match_;
    MatchRecord& events_;
    bool recording_ = false;
    // The match's end has written its PDF.
    bool endWritten_ = false;
    QStringList pending_;
    QString name_;
};

} // namespace ml
