#pragma once

// The pictures the window carries, drawn rather than loaded: the score buttons' arrows, the
// maker's banner and the application's icon.

#include <QAbstractButton>
#include <QIcon>
#include <QWidget>

#include <functional>

namespace ml::app {

// A button whose face is a white arrow on blue.
class ArrowButton : public QAbstractButton {
  public:
    enum class Direction { Up, Down };
    ArrowButton(Direction direction, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Direction direction_;
};

// The maker's banner; a click reports through `onClick`.
class Banner : public QWidget {
  public:
    explicit Banner(QWidget* parent);
    std::function<void()> onClick;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// The window icon: a small display line showing a score.
QIcon applicationIcon();

} // namespace ml::app
