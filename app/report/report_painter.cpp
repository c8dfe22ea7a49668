#include "app/report/report_painter.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>

#include <algorithm>

namespace ml {

namespace {

// Lays the sheet out on the pages, top to bottom, in the device's pixels.
class Layout {
  public:
    Layout(QPainter& painter, QPagedPaintDevice& device) : p_(painter), device_(device) {
        const double mm = device.logicalDpiX() / 25.4;
        margin_ = static_cast<int>(15 * mm);
        width_ = device.width() - 2 * margin_;
        bottom_ = device.height() - margin_;
        y_ = margin_;
    }

    double mm() const { return device_.logicalDpiX() / 25.4; }

    QFont font(double points, bool bold = false) const {
        QFont f(QStringLiteral("Liberation Sans"));
        f.setPointSizeF(points);
        f.setBold(bold);
        return f;
    }

    // Room for `height` more on this page, or a new one.
    void need(int height) {
        if (y_ + height <= bottom_)
            return;
        device_.newPage();
        y_ = margin_;
    }

    void line(const QString& text, double points, bool bold = false) {
        p_.setFont(font(points, bold));
        const int h = QFontMetrics(p_.font(), &device_).height();
        need(h);
        p_.setPen(Qt::black);
        p_.drawText(QRect(margin_, y_, width_, h), Qt::AlignLeft | Qt::AlignVCenter, text);
        y_ += h;
    }

    void gap(double millimetres) { y_ += static_cast<int>(millimetres * mm()); }

    void table(const SheetTable& t) {
        if (t.rows.empty())
            return;
        const QFont body = font(9);
        const QFont head = font(9, true);
        const int h = static_cast<int>(QFontMetrics(body, &device_).height() * 1.25);
        need(4 * h);
        line(t.title, 11, true);
        // The columns share the width by the longest text each holds.
        std::vector<int> widths(static_cast<std::size_t>(t.head.size()), 1);
        const QFontMetrics metrics(body, &device_);
        for (qsizetype c = 0; c < t.head.size(); ++c) {
            int& w = widths[static_cast<std::size_t>(c)];
            w = QFontMetrics(head, &device_).horizontalAdvance(t.head[c]);
            for (const QStringList& row : t.rows)
                w = std::max(w, metrics.horizontalAdvance(row.value(c)));
        }
        int total = 0;
        for (int w : widths)
            total += w;
        const double scale = total > 0 ? double(width_) / total : 1;
        const auto cells = [&](const QStringList& texts, const QFont& f, bool shaded) {
            need(h);
            if (shaded)
                p_.fillRect(QRect(margin_, y_, width_, h), QColor(0xf0, 0xf0, 0xf0));
            p_.setFont(f);
            p_.setPen(Qt::black);
            double x = margin_;
            for (qsizetype c = 0; c < texts.size() && c < t.head.size(); ++c) {
                const double w = widths[static_cast<std::size_t>(c)] * scale;
                p_.drawText(QRectF(x + 0.5 * mm(), y_, w - mm(), h),
                            Qt::AlignLeft | Qt::AlignVCenter, texts[c]);
                x += w;
            }
            y_ += h;
        };
        cells(t.head, head, true);
        for (const QStringList& row : t.rows) {
            if (y_ + h > bottom_) {
                device_.newPage();
                y_ = margin_;
                cells(t.head, head, true);
            }
            cells(row, body, false);
        }
        gap(4);
    }

    void chart(const SheetChart& c, const QString& home, const QString& guest,
               const std::array<QString, 2>& sides) {
        const int height = static_cast<int>(70 * mm());
        const int lanes = static_cast<int>(10 * mm());
        need(height + lanes + static_cast<int>(12 * mm()));
        const int left = margin_ + static_cast<int>(8 * mm());
        const QRect area(left, y_, margin_ + width_ - left, height);
        const double top = std::max(1, c.maxScore);
        const auto x = [&](int seconds) {
            return area.left() + area.width() * double(seconds) / std::max(1, c.length);
        };
        const auto y = [&](int score) { return area.bottom() - area.height() * score / top; };
        p_.setFont(font(8));
        // The periods' ends, the score's lines and the time axis.
        p_.setPen(QPen(QColor(0x99, 0x99, 0x99), 0.3 * mm(), Qt::DashLine));
        for (int end : c.periodEnds)
            p_.drawLine(QPointF(x(end), area.top()), QPointF(x(end), area.bottom() + lanes));
        p_.setPen(QPen(QColor(0xdd, 0xdd, 0xdd), 0.2 * mm()));
        const int every = std::max(1, int(top) / 10 + 1);
        for (int s = 0; s <= top; s += every) {
            p_.drawLine(QPointF(area.left(), y(s)), QPointF(area.right(), y(s)));
            p_.setPen(Qt::black);
            p_.drawText(QRectF(margin_, y(s) - 3 * mm(), 7 * mm(), 6 * mm()),
                        Qt::AlignRight | Qt::AlignVCenter, QString::number(s));
            p_.setPen(QPen(QColor(0xdd, 0xdd, 0xdd), 0.2 * mm()));
        }
        p_.setPen(QPen(Qt::black, 0.3 * mm()));
        p_.drawLine(area.bottomLeft(), area.bottomRight());
        p_.drawLine(area.bottomLeft(), area.topLeft());
        const int tick = c.length > 3600 ? 900 : c.length > 1200 ? 600 : c.length > 300 ? 300 : 60;
        for (int t = 0; t <= c.length; t += tick)
            p_.drawText(QRectF(x(t) - 8 * mm(), area.bottom() + lanes, 16 * mm(), 5 * mm()),
                        Qt::AlignCenter, elapsedText(t));
        // The penalties as bars below the axis, a lane for each side.
        const QColor colours[] = {QColor(QLatin1Char('#') + sides[0]),
                                  QColor(QLatin1Char('#') + sides[1])};
        for (const ChartBar& bar : c.penalties) {
            const double laneTop = area.bottom() + (bar.side == 0 ? 1 : 5.5) * mm();
            QColor colour = colours[bar.side];
            colour.setAlpha(150);
            p_.fillRect(QRectF(x(bar.from), laneTop, std::max(0.5 * mm(), x(bar.to) - x(bar.from)),
                               3.5 * mm()),
                        colour);
        }
        // Each side's score as a step line.
        for (std::size_t side : {0u, 1u}) {
            QPainterPath path;
            const std::vector<ChartStep>& steps = c.steps[side];
            path.moveTo(x(steps.front().seconds), y(steps.front().score));
            for (std::size_t i = 1; i < steps.size(); ++i) {
                path.lineTo(x(steps[i].seconds), y(steps[i - 1].score));
                path.lineTo(x(steps[i].seconds), y(steps[i].score));
            }
            path.lineTo(x(c.length), y(steps.back().score));
            p_.setPen(QPen(colours[side], 0.8 * mm()));
            p_.setBrush(Qt::NoBrush);
            p_.drawPath(path);
        }
        y_ += height + lanes + static_cast<int>(6 * mm());
        // The legend.
        double lx = left;
        for (std::size_t side : {0u, 1u}) {
            p_.fillRect(QRectF(lx, y_ + 1 * mm(), 6 * mm(), 2 * mm()), colours[side]);
            p_.setPen(Qt::black);
            const QString name = side == 0 ? home : guest;
            p_.drawText(QRectF(lx + 8 * mm(), y_, 60 * mm(), 4 * mm()), Qt::AlignVCenter, name);
            lx += 70 * mm();
        }
        y_ += static_cast<int>(8 * mm());
    }

    void signatures(const QStringList& who) {
        const int h = static_cast<int>(18 * mm());
        need(h);
        const int each = width_ / std::max<int>(1, static_cast<int>(who.size()));
        p_.setFont(font(9));
        for (qsizetype i = 0; i < who.size(); ++i) {
            const int x = margin_ + static_cast<int>(i) * each;
            const int lineY = y_ + static_cast<int>(12 * mm());
            p_.setPen(QPen(Qt::black, 0.2 * mm()));
            p_.drawLine(x, lineY, x + each - static_cast<int>(10 * mm()), lineY);
            p_.drawText(QRect(x, lineY, each, static_cast<int>(5 * mm())), Qt::AlignLeft, who[i]);
        }
        y_ += h;
    }

  private:
    QPainter& p_;
    QPagedPaintDevice& device_;
    int margin_ = 0;
    int width_ = 0;
    int bottom_ = 0;
    int y_ = 0;
};

} // namespace

void drawReport(QPainter& painter, QPagedPaintDevice& device, const ReportSheet& sheet) {
    Layout page(painter, device);
    page.line(sheet.title, 16, true);
    for (qsizetype i = 0; i < sheet.head.size(); ++i)
        page.line(sheet.head[i], i == 1 ? 13 : 10, i == 1);
    page.gap(4);
    page.chart(sheet.chart, sheet.home, sheet.guest, sheet.colours);
    for (const SheetTable& t : sheet.tables)
        page.table(t);
    page.line(QCoreApplication::translate("ml::ReportSheet", "Summen"), 11, true);
    for (const QString& s : sheet.sums)
        page.line(s, 9);
    page.gap(6);
    page.signatures(sheet.signatures);
}

QByteArray PdfReport::pdf(const MatchReport& report) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Portrait);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(300);
        writer.setTitle(QCoreApplication::translate("ml::ReportSheet", "Spielbericht"));
        writer.setCreator(QStringLiteral("Marklight"));
        QPainter painter(&writer);
        drawReport(painter, writer, reportSheet(report));
    }
    return bytes;
}

} // namespace ml
