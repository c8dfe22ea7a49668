#include "app/pictures.h"

#include <QCoreApplication>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ml::app {

namespace {

const QColor kArrowBlue(0x00, 0x30, 0xC0);
const QColor kLedRed(0xFF, 0x20, 0x10);

// Paints `text` in the font as a lit LED matrix: red dots on a pitch of `pitch` pixels.
void paintLedText(QPainter& p, const QRectF& box, const QString& text, const QFont& font,
                  qreal pitch) {
    QPainterPath glyphs;
    glyphs.addText(0, 0, font, text);
    const QRectF bounds = glyphs.boundingRect();
    glyphs.translate(box.center() - bounds.center());
    p.save();
    p.setClipPath(glyphs);
    p.setPen(Qt::NoPen);
    p.setBrush(kLedRed);
    const qreal dot = pitch * 0.8;
    for (qreal y = box.top(); y < box.bottom(); y += pitch)
        for (qreal x = box.left(); x < box.right(); x += pitch)
            p.drawEllipse(QRectF(x, y, dot, dot));
    p.restore();
}

} // namespace

ArrowButton::ArrowButton(Direction direction, QWidget* parent)
    : QAbstractButton(parent), direction_(direction) {
    setFocusPolicy(Qt::TabFocus);
}

void ArrowButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QColor face = isEnabled() ? kArrowBlue : QColor(0x80, 0x80, 0x90);
    if (isDown())
        face = face.darker(140);
    p.setPen(QPen(face.darker(160), 1));
    p.setBrush(face);
    p.drawRoundedRect(r, 3, 3);

    // Head and shaft of the arrow, pointing up; turned over for down.
    const qreal w = r.width(), h = r.height();
    QPolygonF arrow{{0.5 * w, 0.15 * h},  {0.85 * w, 0.5 * h},  {0.63 * w, 0.5 * h},
                    {0.63 * w, 0.85 * h}, {0.37 * w, 0.85 * h}, {0.37 * w, 0.5 * h},
                    {0.15 * w, 0.5 * h}};
    if (direction_ == Direction::Down)
        for (QPointF& pt : arrow)
            pt.setY(h - pt.y());
    arrow.translate(r.topLeft());
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(arrow);
    if (hasFocus()) {
        p.setPen(QPen(Qt::white, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(2, 2, -2, -2));
    }
}

Banner::Banner(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::PointingHandCursor);
}

void Banner::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = rect();
    QLinearGradient sky(r.topLeft(), r.topRight());
    sky.setColorAt(0, Qt::black);
    sky.setColorAt(0.55, QColor(0x05, 0x10, 0x40));
    sky.setColorAt(1, QColor(0x10, 0x40, 0xA0));
    p.fillRect(r, sky);

    QFont led(QStringLiteral("Liberation Sans"));
    led.setBold(true);
    led.setPixelSize(qMax(8, int(r.height() * 0.8)));
    const QRectF ledBox(r.left() + 6, r.top(), r.width() * 0.5, r.height());
    paintLedText(p, ledBox, QStringLiteral("MARKLIGHT"), led, qMax(2.0, r.height() / 14.0));

    QFont tag(QStringLiteral("Liberation Sans"));
    tag.setItalic(true);
    tag.setPixelSize(qMax(7, int(r.height() * 0.36)));
    p.setFont(tag);
    p.setPen(Qt::white);
    p.drawText(
        r.adjusted(0, 0, -10, 0), Qt::AlignRight | Qt::AlignVCenter,
        QCoreApplication::translate("ml::app::Banner", "Anzeigelinie · Scoreboard · Timing"));
}

void Banner::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        onClick)
        onClick();
}

QIcon applicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x10, 0x30, 0x90));
        p.drawRoundedRect(QRectF(0, 0, size, size), size / 8.0, size / 8.0);
        p.setBrush(Qt::black);
        const QRectF screen(size * 0.08, size * 0.25, size * 0.84, size * 0.5);
        p.drawRect(screen);
        QFont f(QStringLiteral("Liberation Sans"));
        f.setBold(true);
        f.setPixelSize(qMax(6, int(screen.height() * 0.9)));
        paintLedText(p, screen, QStringLiteral("2:1"), f, qMax(1.0, size / 32.0));
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

} // namespace ml::app
