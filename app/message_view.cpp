#include "app/message_view.h"

#include "app/pictures.h"
#include "bookkeeping/message_window.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace ml::app {

MessageView::MessageView(MessageWindow& model, const Actions& actions, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(model) {
    setObjectName(QStringLiteral("frmMessage"));
    setWindowTitle(QStringLiteral("Message"));
    setWindowIcon(applicationIcon());
    setFont(windowFont());
    setFixedSize(pixels(kMessageWidthTwips), pixels(kMessageHeightTwips));
    for (const ControlLayout& l : messageWindowLayout()) {
        for (Control* c : model.controls()) {
            if (c->name != QLatin1String(l.name))
                continue;
            BoundWidget bound = bindControl(*c, l, this, actions);
            if (l.picture == Picture::Banner)
                bound.widget->setToolTip(kMakerWebSite);
            syncs_.push_back(std::move(bound.sync));
            placed_.emplace_back(bound.widget, &l);
        }
    }
    shown_ = content();
}

void MessageView::setScale(double scale) {
    setFixedSize(pixels(kMessageWidthTwips, scale), pixels(kMessageHeightTwips, scale));
    for (const auto& [widget, layout] : placed_) {
        widget->setGeometry(geometryOf(layout->place, scale));
        widget->setFont(fontOf(*layout, scale));
    }
    for (const auto& s : syncs_)
        s();
}

QString MessageView::content() const {
    return QString::number(model_.lblMessage.visible) + model_.lblMessage.text + QChar(0) +
           QString::number(model_.T_Message.visible) + model_.T_Message.text;
}

bool MessageView::sync() {
    for (const auto& s : syncs_)
        s();
    QString now = content();
    if (now == shown_)
        return false;
    shown_ = std::move(now);
    return true;
}

void MessageView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && onCloseBox)
        onCloseBox();
    else
        QWidget::keyPressEvent(event);
}

void MessageView::closeEvent(QCloseEvent* event) {
    // The window goes when the form says so: the close box runs the same handler as btnClose.
    event->ignore();
    if (onCloseBox)
        onCloseBox();
}

} // namespace ml::app
