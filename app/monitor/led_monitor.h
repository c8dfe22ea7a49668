#pragma once

// The display line on screen: a window that draws what a decoder of the wire says the line
// shows, as a matrix of round red LED dots on black, the unlit dots faintly visible. It scrolls
// by itself; everything else changes when `refresh` is called after feeding the decoder. Only
// the dots that changed are repainted. Double-click, Alt+Return or F11 switches full screen (in
// Marklight F11 is a match key); size, place and full screen are kept between runs.

#include "display/led_font.h"

#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace ml::monitor {

class LedMonitor : public QWidget {
  public:
    // `now` is the decoder's clock in milliseconds; `title` names the window, `kept` the settings
    // that keep its place.
    LedMonitor(const LineDecoder& decoder, std::function<qint64()> now,
               const QString& title = QStringLiteral("Anzeige-Monitor"),
               const QString& kept = QStringLiteral("Anzeige-Monitor"), QWidget* parent = nullptr);
    ~LedMonitor() override;

    // Shows the decoder's state afresh.
    void refresh();
    // A line of small text in the lower left corner; empty for none.
    void setNote(const QString& note);
    // The rows as a spectator reads them at this moment.
    std::array<QString, 2> rows() const;

    QSize sizeHint() const override { return {960, 200}; }

    static constexpr int kColumns = kDotColumns;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    using Dots = LedDots;
    void placeDots();
    QRect dotRect(int column, int row) const;
    QRect noteRect() const;
    void toggleFullScreen();

    const QString geometryKey_;
    const LineDecoder& decoder_;
    std::function<qint64()> now_;
    QTimer animation_;
    Dots dots_{};
    int brightness_ = 1;
    QString note_;
    std::array<QString, 2> logged_;
    // Dot pitch and the top left corner of the matrix, in pixels.
    int pitch_ = 1;
    QPoint origin_;
    // An unlit dot and a lit one at each brightness, at the current pitch.
    std::array<QPixmap, 4> dot_;
    // Black with every dot unlit, at the window's size.
    QPixmap unlit_;
};

} // namespace ml::monitor
