#pragma once

// The match report drawn as a PDF page by page. The drawing needs Qt's painting, which only the
// window's layer (and the tools) link: they hand the program an implementation, and everything
// below them (the record writer, the web face) asks through this.

#include "core/match_report.h"

#include <QByteArray>

namespace ml {

class ReportPdf {
  public:
    virtual ~ReportPdf() = default;
    // The PDF file's bytes.
    virtual QByteArray pdf(const MatchReport& report) = 0;
};

} // namespace ml
