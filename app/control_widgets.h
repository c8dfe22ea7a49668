#pragma once

// One widget for one control of the form model: made at the control's place with its look,
// wired to report the operator's actions, and with a routine that copies the control's state
// back into the widget.

#include "app/window_layout.h"
#include "form/controls.h"

#include <QFont>
#include <QWidget>

#include <functional>

namespace ml::app {

// Where the operator's actions on a widget go.
struct Actions {
    std::function<void(Control& control)> click;
    std::function<void(TextBox& box, const QString& text)> type;
    std::function<void(ComboBox& combo, int index)> select;
};

struct BoundWidget {
    QWidget* widget = nullptr;
    // Copies the control into the widget without raising the widget's own action signals.
    std::function<void()> sync;
};

BoundWidget bindControl(Control& control, const ControlLayout& layout, QWidget* parent,
                        const Actions& actions);

// The font of a control at a scale of its design size.
QFont fontOf(const ControlLayout& layout, double scale = 1);
// The control's tool tip, naming the keys that run it (as the operator reads them).
QString toolTipOf(const ControlLayout& layout, const QStringList& keys);

// The font of the window's ordinary controls and of the display line's replica.
QFont windowFont();
QFont previewFont(double points);

// Line breaks of the form (CR LF) as a text widget holds them, and back.
QString toWidgetText(const QString& formText);
QString toFormText(const QString& widgetText);

} // namespace ml::app
