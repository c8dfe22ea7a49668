#pragma once

// The message window `frmMessage` as a view of its model: made when the form says it exists,
// destroyed when the form says it is gone.

#include "app/control_widgets.h"
#include "form/form.h"

#include <QWidget>

#include <functional>
#include <vector>

namespace ml::app {

class MessageView : public QWidget {
  public:
    MessageView(MessageWindow& model, const Actions& actions, QWidget* parent);

    // Copies the model into the widgets; true when the shown content changed.
    bool sync();
    // The window, its places and fonts at `scale` of the design size (as the main window).
    void setScale(double scale);
    // The operator pressed the window's own close box.
    std::function<void()> onCloseBox;

  protected:
    void closeEvent(QCloseEvent* event) override;
    // Escape closes the window, as its close box does.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QString content() const;

    MessageWindow& model_;
    std::vector<std::function<void()>> syncs_;
    std::vector<std::pair<QWidget*, const ControlLayout*>> placed_;
    QString shown_;
};

} // namespace ml::app
