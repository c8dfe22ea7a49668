#include "app/monitor/led_monitor.h"

#include "display/led_font.h"

#include <QKeyEvent>
#include <QLoggingCategory>
#include <QPainter>
#include <QSettings>
#include <QTime>

namespace ml::monitor {

namespace {

// The rows on every change, for comparing the monitor with marklight-display --text; silent
// unless QT_LOGGING_RULES enables it.
Q_LOGGING_CATEGORY(lcMonitor, "marklight.monitor", QtWarningMsg)

// The preview's red; the three brightness levels and the faint unlit dot.
constexpr QRgb kDotColour[4] = {qRgb(45, 0, 0), qRgb(165, 0, 0), qRgb(210, 0, 0), qRgb(255, 0, 0)};
constexpr int kMargin = 1; // in dots, round the matrix

QString timeOfDay() {
    return QTime::currentTime().toString(QStringLiteral("hh:mm:ss"));
}

} // namespace

LedMonitor::LedMonitor(const LineDecoder& decoder, std::function<qint64()> now,
                       const QString& title, const QString& kept, QWidget* parent)
    : QWidget(parent, Qt::Window), geometryKey_(kept + QStringLiteral("/Geometrie")),
      decoder_(decoder), now_(std::move(now)) {
    setWindowTitle(title);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(kColumns * 2 + 8, kDotRows * 2 + 8);
    animation_.setInterval(kScrollStepMs);
    connect(&animation_, &QTimer::timeout, this, [this] { refresh(); });
    restoreGeometry(QSettings().value(geometryKey_).toByteArray());
    placeDots();
    refresh();
}

LedMonitor::~LedMonitor() {
    if (isVisible())
        QSettings().setValue(geometryKey_, saveGeometry());
}

std::array<QString, 2> LedMonitor::rows() const {
    return visibleRows(decoder_.state(), now_(), timeOfDay());
}

void LedMonitor::refresh() {
    const qint64 now = now_();
    const LineState& state = decoder_.state();
    if (animated(state) != animation_.isActive())
        animated(state) ? animation_.start() : animation_.stop();
    if (lcMonitor().isDebugEnabled()) {
        const std::array<QString, 2> shown = rows();
        if (shown != logged_)
            qCDebug(lcMonitor).noquote() << QStringLiteral("|%1|%2|").arg(shown[0], shown[1]);
        logged_ = shown;
    }

    const Dots dots = ledDots(state, now, timeOfDay());
    if (state.brightness != brightness_) {
        brightness_ = state.brightness;
        dots_ = dots;
        update();
        return;
    }
    // Only the dots that changed: per dot row, the span from the first to the last of them.
    QRegion dirty;
    for (int y = 0; y < kDotRows; ++y) {
        const std::bitset<kColumns> changed = dots[size_t(y)] ^ dots_[size_t(y)];
        if (changed.none())
            continue;
        int first = 0;
        while (!changed[size_t(first)])
            ++first;
        int last = kColumns - 1;
        while (!changed[size_t(last)])
            --last;
        dirty += dotRect(first, y).united(dotRect(last, y));
    }
    dots_ = dots;
    if (!dirty.isEmpty())
        update(dirty);
}

void LedMonitor::setNote(const QString& note) {
    if (note == note_)
        return;
    update(noteRect());
    note_ = note;
    update(noteRect());
}

void LedMonitor::placeDots() {
    pitch_ = std::max(
        2, std::min(width() / (kColumns + 2 * kMargin), height() / (kDotRows + 2 * kMargin)));
    origin_ = QPoint((width() - kColumns * pitch_) / 2, (height() - kDotRows * pitch_) / 2);
    const int diameter = std::max(1, pitch_ * 4 / 5);
    for (size_t level = 0; level < dot_.size(); ++level) {
        QPixmap dot(pitch_, pitch_);
        dot.fill(Qt::black);
        QPainter p(&dot);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(kDotColour[level]));
        const qreal inset = (pitch_ - diameter) / 2.0;
        p.drawEllipse(QRectF(inset, inset, diameter, diameter));
        dot_[level] = dot;
    }
    // The dark matrix once, so that painting copies it and adds only the lit dots.
    unlit_ = QPixmap(size());
    unlit_.fill(Qt::black);
    QPainter p(&unlit_);
    for (int y = 0; y < kDotRows; ++y)
        for (int x = 0; x < kColumns; ++x)
            p.drawPixmap(dotRect(x, y).topLeft(), dot_[0]);
}

QRect LedMonitor::dotRect(int column, int row) const {
    return {origin_.x() + column * pitch_, origin_.y() + row * pitch_, pitch_, pitch_};
}

QRect LedMonitor::noteRect() const {
    const int h = fontMetrics().height() + 4;
    return {0, height() - h, width(), h};
}

void LedMonitor::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QRect area = event->rect();
    p.drawPixmap(area, unlit_, area);
    const int x0 = std::max(0, (area.left() - origin_.x()) / pitch_);
    const int x1 = std::min(kColumns - 1, (area.right() - origin_.x()) / pitch_);
    const int y0 = std::max(0, (area.top() - origin_.y()) / pitch_);
    const int y1 = std::min(kDotRows - 1, (area.bottom() - origin_.y()) / pitch_);
    const QPixmap& lit = dot_[size_t(std::clamp(brightness_, 1, 3))];
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (dots_[size_t(y)][size_t(x)])
                p.drawPixmap(dotRect(x, y).topLeft(), lit);
    if (!note_.isEmpty() && area.intersects(noteRect())) {
        p.setPen(QColor(160, 160, 160));
        p.drawText(noteRect().adjusted(6, 0, -6, 0), Qt::AlignLeft | Qt::AlignVCenter, note_);
    }
}

void LedMonitor::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeDots();
    update();
}

void LedMonitor::mouseDoubleClickEvent(QMouseEvent*) {
    toggleFullScreen();
}

void LedMonitor::keyPressEvent(QKeyEvent* event) {
    const bool altReturn = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
                           (event->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier;
    if (event->key() == Qt::Key_F11 || altReturn ||
        (event->key() == Qt::Key_Escape && isFullScreen()))
        toggleFullScreen();
    else
        QWidget::keyPressEvent(event);
}

void LedMonitor::hideEvent(QHideEvent* event) {
    QSettings().setValue(geometryKey_, saveGeometry());
    QWidget::hideEvent(event);
}

void LedMonitor::toggleFullScreen() {
    setWindowState(windowState() ^ Qt::WindowFullScreen);
}

} // namespace ml::monitor
