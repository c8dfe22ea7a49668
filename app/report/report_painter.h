#pragma once

// Draws the match report on pages: the head, the match as a chart (each side's score over the
// match time, the periods, the penalties), the tables of goals, penalties, timeouts and fouls,
// the sums and the officials' lines to sign. The same drawing makes the PDF and the printout.

#include "core/report_pdf.h"
#include "core/report_sheet.h"

class QPagedPaintDevice;
class QPainter;

namespace ml {

// Draws `sheet` on `device` through `painter` (begun on it), starting new pages as it needs.
void drawReport(QPainter& painter, QPagedPaintDevice& device, const ReportSheet& sheet);

// A4 portrait through QPdfWriter.
class PdfReport : public ReportPdf {
  public:
    QByteArray pdf(const MatchReport& report) override;
};

} // namespace ml
