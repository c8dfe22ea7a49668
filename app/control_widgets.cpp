#include "app/control_widgets.h"

#include "app/pictures.h"
#include "display/wire_format.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextOption>

#include <algorithm>
#include <memory>
#include <optional>

namespace ml::app {

namespace {

QColor colorOf(unsigned rgb) {
    return QColor::fromRgb(static_cast<QRgb>(rgb & 0xFFFFFF));
}

// Text colour on black for every state of the widget (a preview box must not turn grey when
// the window loses the focus).
void setColorsOnBlack(QWidget* w, const QColor& text, QPalette::ColorRole textRole,
                      QPalette::ColorRole backRole) {
    QPalette pal = w->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, textRole, text);
        pal.setColor(group, backRole, Qt::black);
    }
    w->setPalette(pal);
}

// A caption too wide for its button breaks at its last fitting blank when two lines fit, as
// command buttons of the window's kind do ("Start Strafe" in a narrow side column).
QString wrappedCaption(const QString& caption, const QWidget& button) {
    const QFontMetrics fm(button.font());
    const int room = button.width() - 6;
    if (fm.horizontalAdvance(caption) <= room || 2 * fm.lineSpacing() > button.height() - 4)
        return caption;
    for (qsizetype i = caption.lastIndexOf(QLatin1Char(' ')); i > 0;
         i = caption.lastIndexOf(QLatin1Char(' '), i - 1)) {
        if (fm.horizontalAdvance(caption.left(i)) <= room)
            return caption.left(i) + QLatin1Char('\n') + caption.mid(i + 1);
    }
    return caption;
}

void syncCommon(QWidget* w, const Control& c) {
    if (w->isHidden() == c.visible)
        w->setVisible(c.visible);
    w->setEnabled(c.enabled);
}

BoundWidget bindLineEdit(TextBox& box, const ControlLayout& l, QWidget* parent,
                         const Actions& actions) {
    auto* e = new QLineEdit(parent);
    e->setAlignment(l.align);
    e->setReadOnly(l.readOnly);
    if (l.look == Look::Preview) {
        e->setFrame(false);
        e->setTextMargins(0, 0, 0, 0);
    }
    // Typed or pasted control characters (a line break from a spreadsheet cell, STX, ESC) become
    // blanks in the box, as they would on the wire.
    QObject::connect(e, &QLineEdit::textEdited, e,
                     [e, &box, type = actions.type](const QString& text) {
                         const QString clean = wire::blankControls(text);
                         if (clean != text) {
                             const QSignalBlocker quiet(e);
                             const int cursor = e->cursorPosition();
                             e->setText(clean);
                             e->setCursorPosition(cursor);
                         }
                         type(box, clean);
                     });
    const bool preview = l.look == Look::Preview;
    const int limit = l.maxLength;
    auto lastColor = std::make_shared<std::optional<unsigned>>();
    auto sync = [e, &box, preview, limit, lastColor] {
        syncCommon(e, box);
        // The limit holds the operator's typing only: a longer text written by the system is
        // shown whole, and the operator may shorten it but not lengthen it. Setting the limit
        // lays the text out anew and resets the cursor and selection, so it is set only when it
        // changes: a clock's tenth is one layout, not three.
        const int maxLength =
            limit > 0 ? std::max(limit, static_cast<int>(box.text.size())) : 32767;
        if (e->text() != box.text) {
            const bool typing = e->hasFocus();
            const int cursor = e->cursorPosition();
            if (e->maxLength() < box.text.size())
                e->setMaxLength(maxLength);
            e->setText(box.text);
            if (e->maxLength() != maxLength)
                e->setMaxLength(maxLength);
            if (typing)
                e->setCursorPosition(std::min(cursor, static_cast<int>(box.text.size())));
        } else if (e->maxLength() != maxLength) {
            e->setMaxLength(maxLength);
        }
        if (preview && *lastColor != box.foreColor) {
            setColorsOnBlack(e, colorOf(box.foreColor), QPalette::Text, QPalette::Base);
            *lastColor = box.foreColor;
        }
    };
    return {e, sync};
}

BoundWidget bindTextEdit(TextBox& box, const ControlLayout& l, QWidget* parent,
                         const Actions& actions) {
    auto* e = new QPlainTextEdit(parent);
    e->setReadOnly(l.readOnly);
    e->setLineWrapMode(l.readOnly ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    QTextOption option = e->document()->defaultTextOption();
    option.setAlignment(l.align & Qt::AlignHorizontal_Mask);
    e->document()->setDefaultTextOption(option);
    const bool preview = l.look == Look::Preview;
    if (preview) {
        e->setFrameShape(QFrame::NoFrame);
        e->document()->setDocumentMargin(0);
        e->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        e->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    } else {
        e->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    }
    QObject::connect(e, &QPlainTextEdit::textChanged, e,
                     [e, &box, type = actions.type] { type(box, toFormText(e->toPlainText())); });
    auto lastColor = std::make_shared<std::optional<unsigned>>();
    auto sync = [e, &box, preview, lastColor] {
        syncCommon(e, box);
        // The hidden boxes hold the log and the last transmission, rewritten on every tick;
        // laying them out unseen would only cost time. They take their text when shown.
        if (e->isHidden())
            return;
        const QString shown = toWidgetText(box.text);
        if (e->toPlainText() != shown) {
            const QSignalBlocker quiet(e);
            e->setPlainText(shown);
        }
        if (preview && *lastColor != box.foreColor) {
            setColorsOnBlack(e, colorOf(box.foreColor), QPalette::Text, QPalette::Base);
            *lastColor = box.foreColor;
        }
    };
    return {e, sync};
}

BoundWidget bindLabel(Label& label, const ControlLayout& l, QWidget* parent) {
    auto* w = new QLabel(parent);
    // Labels show texts of the system and of the operator: never markup.
    w->setTextFormat(Qt::PlainText);
    w->setAlignment(l.align);
    w->setWordWrap(l.multiLine);
    if (l.look == Look::Yellow) {
        w->setAutoFillBackground(true);
        setColorsOnBlack(w, Qt::yellow, QPalette::WindowText, QPalette::Window);
    }
    const bool oneLine = !l.multiLine;
    const QString toolTip = toolTipOf(l, {});
    auto sync = [w, &label, oneLine, toolTip] {
        syncCommon(w, label);
        // A line too long for its place ends in "…" and shows whole as the tool tip.
        const QString shown = oneLine
                                  ? QFontMetrics(w->font()).elidedText(label.text, Qt::ElideRight,
                                                                       w->width() - 2 * w->margin())
                                  : label.text;
        if (w->text() != shown) {
            w->setText(shown);
            w->setToolTip(shown == label.text ? toolTip : label.text);
        }
    };
    return {w, sync};
}

BoundWidget bindButton(Button& button, const ControlLayout& l, QWidget* parent,
                       const Actions& actions) {
    QAbstractButton* b = nullptr;
    if (l.picture == Picture::ArrowUp || l.picture == Picture::ArrowDown) {
        b = new ArrowButton(l.picture == Picture::ArrowUp ? ArrowButton::Direction::Up
                                                          : ArrowButton::Direction::Down,
                            parent);
    } else {
        auto* push = new QPushButton(parent);
        push->setAutoDefault(false);
        b = push;
    }
    QObject::connect(b, &QAbstractButton::clicked, b,
                     [&button, click = actions.click] { click(button); });
    const bool caption = l.picture == Picture::None;
    auto sync = [b, &button, caption] {
        syncCommon(b, button);
        if (!caption)
            return;
        const QString shown = wrappedCaption(button.text, *b);
        if (b->text() != shown)
            b->setText(shown);
    };
    return {b, sync};
}

BoundWidget bindCheckBox(CheckBox& box, QWidget* parent, const Actions& actions) {
    auto* w = new QCheckBox(parent);
    // The model toggles the value and runs the handler; the widget is then set from the model.
    QObject::connect(w, &QCheckBox::clicked, w, [&box, click = actions.click] { click(box); });
    auto sync = [w, &box] {
        syncCommon(w, box);
        if (w->text() != box.text)
            w->setText(box.text);
        if (w->isChecked() != box.ticked()) {
            const QSignalBlocker quiet(w);
            w->setChecked(box.ticked());
        }
    };
    return {w, sync};
}

// The port list is narrower than its entries ("Kein Comport verfügbar"): its tool tip adds the
// entry whole when it is cut, and the opened list is as wide as its longest entry.
void showWholeEntries(QComboBox* w, const QString& toolTip) {
    const QFontMetrics fm(w->font());
    int widest = 0;
    for (int i = 0; i < w->count(); ++i)
        widest = std::max(widest, fm.horizontalAdvance(w->itemText(i)));
    w->view()->setMinimumWidth(widest + 2 * fm.averageCharWidth());
    const int room =
        w->width() - w->style()->pixelMetric(QStyle::PM_ScrollBarExtent) - fm.averageCharWidth();
    const QString text = w->currentText();
    const QString tip =
        fm.horizontalAdvance(text) > room ? toolTip + QLatin1Char('\n') + text : toolTip;
    if (w->toolTip() != tip)
        w->setToolTip(tip);
}

BoundWidget bindComboBox(ComboBox& combo, const QString& toolTip, QWidget* parent,
                         const Actions& actions) {
    auto* w = new QComboBox(parent);
    QObject::connect(w, &QComboBox::activated, w,
                     [&combo, select = actions.select](int index) { select(combo, index); });
    auto sync = [w, &combo, toolTip] {
        syncCommon(w, combo);
        const QSignalBlocker quiet(w);
        bool same = w->count() == combo.items.size();
        for (int i = 0; same && i < w->count(); ++i)
            same = w->itemText(i) == combo.items[i] &&
                   w->itemData(i, Qt::ToolTipRole).toString() == combo.notes.value(i);
        if (!same) {
            w->clear();
            for (qsizetype i = 0; i < combo.items.size(); ++i) {
                w->addItem(combo.items[i]);
                if (!combo.notes.value(i).isEmpty())
                    w->setItemData(static_cast<int>(i), combo.notes[i], Qt::ToolTipRole);
            }
        }
        if (w->currentIndex() != combo.index)
            w->setCurrentIndex(combo.index);
        showWholeEntries(w, toolTip);
    };
    return {w, sync};
}

// A list the timekeeper reads at a glance (the penalties of a side) and chooses one entry from.
BoundWidget bindListBox(ListBox& list, QWidget* parent, const Actions& actions) {
    auto* w = new QListWidget(parent);
    w->setSelectionMode(QAbstractItemView::SingleSelection);
    QObject::connect(w, &QListWidget::currentRowChanged, w,
                     [&list, select = actions.select](int row) {
                         if (row >= 0 && row != list.index)
                             select(list, row);
                     });
    auto sync = [w, &list] {
        syncCommon(w, list);
        const QSignalBlocker quiet(w);
        QStringList shown;
        for (int i = 0; i < w->count(); ++i)
            shown << w->item(i)->text();
        if (shown != list.items) {
            w->clear();
            w->addItems(list.items);
        }
        if (w->currentRow() != list.index)
            w->setCurrentRow(list.index);
    };
    return {w, sync};
}

BoundWidget bindImage(Image& image, const ControlLayout& l, QWidget* parent,
                      const Actions& actions) {
    QWidget* w = nullptr;
    if (l.picture == Picture::Banner) {
        auto* banner = new Banner(parent);
        banner->onClick = [&image, click = actions.click] { click(image); };
        w = banner;
    } else {
        w = new QWidget(parent);
    }
    return {w, [w, &image] { syncCommon(w, image); }};
}

} // namespace

BoundWidget bindControl(Control& control, const ControlLayout& layout, QWidget* parent,
                        const Actions& actions) {
    BoundWidget bound;
    switch (control.kind) {
    case Kind::TextBox:
        bound = layout.multiLine
                    ? bindTextEdit(static_cast<TextBox&>(control), layout, parent, actions)
                    : bindLineEdit(static_cast<TextBox&>(control), layout, parent, actions);
        break;
    case Kind::Label:
        bound = bindLabel(static_cast<Label&>(control), layout, parent);
        break;
    case Kind::Button:
        bound = bindButton(static_cast<Button&>(control), layout, parent, actions);
        break;
    case Kind::CheckBox:
        bound = bindCheckBox(static_cast<CheckBox&>(control), parent, actions);
        break;
    case Kind::ComboBox:
        bound =
            bindComboBox(static_cast<ComboBox&>(control), toolTipOf(layout, {}), parent, actions);
        break;
    case Kind::ListBox:
        bound = bindListBox(static_cast<ListBox&>(control), parent, actions);
        break;
    case Kind::Image:
        bound = bindImage(static_cast<Image&>(control), layout, parent, actions);
        break;
    case Kind::MenuItem:
        return {};
    }
    QWidget* w = bound.widget;
    w->setObjectName(control.name);
    w->setGeometry(geometryOf(layout.place));
    w->setFont(fontOf(layout));
    w->setToolTip(toolTipOf(layout, {}));
    bound.sync();
    return bound;
}

QFont fontOf(const ControlLayout& l, double scale) {
    QFont f = l.look == Look::Preview ? previewFont(l.pointSize > 0 ? l.pointSize : kPreviewPoints)
                                      : windowFont();
    if (l.look != Look::Preview && l.pointSize > 0)
        f.setPointSizeF(l.pointSize);
    f.setPointSizeF(f.pointSizeF() * scale);
    return f;
}

QString toolTipOf(const ControlLayout& layout, const QStringList& keys) {
    QString tip =
        layout.toolTip ? QCoreApplication::translate("ml::app::Layout", layout.toolTip) : QString();
    if (!tip.isEmpty() && !keys.isEmpty())
        tip += (keys.size() == 1 ? QCoreApplication::translate("ml::app::Layout", "\nTaste: ")
                                 : QCoreApplication::translate("ml::app::Layout", "\nTasten: ")) +
               keys.join(QStringLiteral(", "));
    return tip;
}

QFont windowFont() {
    QFont f;
    f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                   QStringLiteral("Liberation Sans")});
    f.setPointSizeF(kWindowPoints);
    return f;
}

QFont previewFont(double points) {
    QFont f;
    // Liberation Mono has the metrics of Courier New where that is not installed.
    f.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")});
    f.setStyleHint(QFont::TypeWriter);
    f.setBold(true);
    f.setPointSizeF(points);
    return f;
}

QString toWidgetText(const QString& formText) {
    QString s = formText;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

QString toFormText(const QString& widgetText) {
    QString s = widgetText;
    s.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return s;
}

} // namespace ml::app
