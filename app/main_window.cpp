#include "app/main_window.h"

#include "app/control_widgets.h"
#include "app/horn_dialog.h"
#include "app/message_view.h"
#include "app/pictures.h"
#include "console/message_window.h"
#include "core/keys.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QHash>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLayout>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QTimer>

#include <map>

namespace ml::app {

namespace {

// The preview's black backdrop: the display line between the side columns.
constexpr Place kDisplayLine{840, 120, 6015, 1575};

// Timing of the ticks for the benchmarks; silent unless QT_LOGGING_RULES enables it.
Q_LOGGING_CATEGORY(lcTiming, "marklight.timing", QtWarningMsg)

// The application's style with its sizes (check marks, frames, arrows) grown by a factor, so
// that a larger window draws its controls larger instead of stretching a picture of them.
class ScaledStyle : public QProxyStyle {
  public:
    explicit ScaledStyle(double factor) : factor_(factor) {}
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        const int base = QProxyStyle::pixelMetric(metric, option, widget);
        switch (metric) {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
        case PM_CheckBoxLabelSpacing:
        case PM_DefaultFrameWidth:
        case PM_ComboBoxFrameWidth:
        case PM_ButtonMargin:
        case PM_ScrollBarExtent:
        case PM_ScrollBarSliderMin:
            return qRound(base * factor_);
        default:
            return base;
        }
    }

  private:
    double factor_;
};

// One style per size for the whole run; the application deletes them at its end, after every
// window that uses one.
QStyle* styleFor(int percent) {
    static std::map<int, QStyle*> styles;
    QStyle*& style = styles[percent];
    if (style == nullptr) {
        style = new ScaledStyle(percent / 100.0);
        style->setParent(qApp);
    }
    return style;
}

bool isEditing(const QWidget* w) {
    if (const auto* line = qobject_cast<const QLineEdit*>(w))
        return !line->isReadOnly();
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(w))
        return !text->isReadOnly();
    return false;
}

// A key press as the key table writes it. With Num Lock off the keypad reports its second
// meanings (Home for 7 …); they count as the digits printed on the keys.
QString keyName(const QKeyEvent* e) {
    int key = e->key();
    if (e->modifiers() & Qt::KeypadModifier) {
        static const QHash<int, int> digits{
            {Qt::Key_Insert, Qt::Key_0},   {Qt::Key_End, Qt::Key_1},  {Qt::Key_Down, Qt::Key_2},
            {Qt::Key_PageDown, Qt::Key_3}, {Qt::Key_Left, Qt::Key_4}, {Qt::Key_Clear, Qt::Key_5},
            {Qt::Key_Right, Qt::Key_6},    {Qt::Key_Home, Qt::Key_7}, {Qt::Key_Up, Qt::Key_8},
            {Qt::Key_PageUp, Qt::Key_9}};
        key = digits.value(key, key);
    }
    return QKeySequence(QKeyCombination(e->modifiers(), Qt::Key(key)))
        .toString(QKeySequence::PortableText);
}

} // namespace

MainWindow::MainWindow(Program& program)
    : program_(program), client_(new QWidget(this)),
      scheduler_({[this] {
                      if (!program_.wake())
                          return false;
                      qCDebug(lcTiming) << "tick composed";
                      return true;
                  },
                  [this] { return program_.msToNextWake(); }, [this] { sync(); }}) {
    setWindowTitle(QStringLiteral("Marklight"));
    setWindowIcon(applicationIcon());
    setFont(windowFont());
    client_->setObjectName(QStringLiteral("MainForm"));
    // The form itself holds the focus when no box does: at start-up, after Esc, after a click
    // beside the controls. The match keys then work without typing anywhere.
    client_->setFocusPolicy(Qt::ClickFocus);
    setCentralWidget(client_);
    buildMenus();
    buildControls();
    buildViewMenu();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setScale(100);
    client_->setFocus();
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls() {
    backdrop_ = new QWidget(client_);
    backdrop_->setObjectName(QStringLiteral("displayLine"));
    backdrop_->setAutoFillBackground(true);
    QPalette black = backdrop_->palette();
    black.setColor(QPalette::Window, Qt::black);
    backdrop_->setPalette(black);

    const Actions actions{
        [this](Control& c) { clicked(c); },
        [this](TextBox& box, const QString& text) { program_.type(box, text); },
        [this](ComboBox& combo, int index) {
            act([this, &combo, index] { program_.select(combo, combo.items.value(index)); });
        },
    };
    QHash<QString, QWidget*> operated;
    for (const char* name : readingOrder())
        operated.insert(QString::fromLatin1(name), nullptr);
    std::vector<QWidget*> overlays;
    for (const ControlLayout& l : mainWindowLayout()) {
        Control* c = program_.form.control(QString::fromLatin1(l.name));
        if (c == nullptr)
            continue;
        BoundWidget bound = bindControl(*c, l, client_, actions);
        if (c->onHold)
            bindHold(*c, static_cast<QAbstractButton*>(bound.widget));
        if (l.picture == Picture::Banner)
            bound.widget->setToolTip(kMakerWebSite);
        if (auto* box = dynamic_cast<TextBox*>(c))
            boxes_.insert(bound.widget, box);
        if (operated.contains(c->name)) {
            operated[c->name] = bound.widget;
        } else {
            // Only the operator's own controls take the focus; the separators and the boxes
            // that show what the system writes take neither the focus nor typing.
            bound.widget->setFocusPolicy(Qt::NoFocus);
            if (auto* line = qobject_cast<QLineEdit*>(bound.widget))
                line->setReadOnly(true);
        }
        placed_.push_back({bound.widget, &l});
        syncs_.push_back(std::move(bound.sync));
        if (l.look == Look::Preview && l.place.height > kDisplayLine.height / 2)
            overlays.push_back(bound.widget);
    }
    QWidget* previous = nullptr;
    for (const char* name : readingOrder()) {
        QWidget* w = operated.value(QString::fromLatin1(name));
        if (previous != nullptr)
            setTabOrder(previous, w);
        previous = w;
    }
    // A note over both rows (program, big text) covers the clock boxes that the tick may still
    // show beneath it.
    for (QWidget* w : overlays)
        w->raise();
}

// A button that acts while held: press and release instead of a click.
void MainWindow::bindHold(Control& c, QAbstractButton* button) {
    disconnect(button, &QAbstractButton::clicked, nullptr, nullptr);
    connect(button, &QAbstractButton::pressed, this,
            [this, &c] { act([this, &c] { program_.hold(c, true); }); });
    connect(button, &QAbstractButton::released, this,
            [this, &c] { act([this, &c] { program_.hold(c, false); }); });
}

void MainWindow::showHornDialog() {
    if (!hornDialog_)
        hornDialog_ = new HornDialog(
            program_, [this] { afterHandler(); }, this);
    hornDialog_->show();
    hornDialog_->raise();
    hornDialog_->activateWindow();
}

void MainWindow::buildMenus() {
    QHash<QString, QMenu*> menus;
    const auto leafCount = [](const char* name) {
        int n = 0;
        for (const MenuLayout& m : menuLayout())
            n += m.parent != nullptr && qstrcmp(m.parent, name) == 0;
        return n;
    };
    // The caption as the menu shows it: with its accelerator and, after a tab, its key.
    const auto shown = [](const MenuItem& item) {
        const QStringList keys = keysOf(item.name);
        const QString caption = withMnemonic(item.name, item.text);
        return keys.isEmpty() ? caption : caption + QLatin1Char('\t') + keys.first();
    };
    const auto bindAction = [this, shown](QAction* a, MenuItem& item, bool checkable, int index) {
        a->setObjectName(item.name);
        a->setCheckable(checkable);
        if (index > 0)
            a->setProperty("index", index);
        connect(a, &QAction::triggered, this, [this, &item] { clicked(item); });
        syncs_.push_back([a, &item, shown] {
            const QString text = shown(item);
            if (a->text() != text)
                a->setText(text);
            if (a->isChecked() != item.checked)
                a->setChecked(item.checked);
            a->setVisible(item.visible);
            a->setEnabled(item.enabled);
        });
    };

    for (const MenuLayout& m : menuLayout()) {
        const QString name = QString::fromLatin1(m.name);
        QMenu* parent = m.parent ? menus.value(QString::fromLatin1(m.parent)) : nullptr;
        // The item array: sixteen actions all named "HLProgr", told apart by their "index"
        // property (1..16), which is also the argument of their handler.
        if (name == QLatin1String("HLProgr")) {
            for (int i = 1; i < static_cast<int>(program_.form.HLProgr.size()); ++i)
                bindAction(parent->addAction(QString()), *program_.form.HLProgr[i], true, i);
            continue;
        }
        auto* item = static_cast<MenuItem*>(program_.form.control(name));
        if (m.parent == nullptr || leafCount(m.name) > 0) {
            QMenu* menu = parent ? parent->addMenu(item->text) : menuBar()->addMenu(item->text);
            menus.insert(name, menu);
            QAction* a = menu->menuAction();
            a->setObjectName(name);
            syncs_.push_back([a, item, shown] {
                const QString text = shown(*item);
                if (a->text() != text)
                    a->setText(text);
                a->setVisible(item->visible);
                a->setEnabled(item->enabled);
            });
            continue;
        }
        bindAction(parent->addAction(QString()), *item, m.checkable, 0);
        if (item == &program_.form.redo)
            parent->addSeparator();
    }
    // The horn's settings are the window's own dialog, not a control of the form.
    QAction* horn = menus.value(QStringLiteral("Extras"))->addAction(QStringLiteral("H&upe…"));
    horn->setObjectName(QStringLiteral("HornSettings"));
    connect(horn, &QAction::triggered, this, &MainWindow::showHornDialog);
}

// "Ansicht" belongs to the window alone: the size is how the form is shown, not match state.
void MainWindow::buildViewMenu() {
    auto* view = new QMenu(QStringLiteral("&Ansicht"), menuBar());
    view->menuAction()->setObjectName(QStringLiteral("Ansicht"));
    QAction* help = nullptr;
    for (QAction* a : menuBar()->actions())
        if (a->objectName() == QLatin1String("Help"))
            help = a;
    menuBar()->insertMenu(help, view);
    QMenu* sizes = view->addMenu(QStringLiteral("&Größe"));
    sizes->menuAction()->setObjectName(QStringLiteral("Groesse"));
    sizes_ = new QActionGroup(this);
    for (int percent : kScales) {
        QAction* a = sizes->addAction(QStringLiteral("%1 %").arg(percent));
        a->setObjectName(QStringLiteral("Groesse%1").arg(percent));
        a->setCheckable(true);
        a->setData(percent);
        sizes_->addAction(a);
        connect(a, &QAction::triggered, this, [this, percent] {
            setScale(percent);
            if (onScaleChosen)
                onScaleChosen(percent);
        });
    }
}

void MainWindow::setScale(int percent) {
    scale_ = percent;
    const double f = percent / 100.0;
    QStyle* style = percent == 100 ? nullptr : styleFor(percent);
    QFont font = windowFont();
    font.setPointSizeF(kWindowPoints * f);
    setFont(font);
    menuBar()->setStyle(style);
    // The menus open as windows of their own and take no font from the window.
    for (QMenu* menu : menuBar()->findChildren<QMenu*>())
        menu->setFont(font);
    client_->setFixedSize(pixels(kClientWidthTwips, f), pixels(kClientHeightTwips, f));
    backdrop_->setGeometry(geometryOf(kDisplayLine, f));
    for (const Placed& p : placed_) {
        p.widget->setStyle(style);
        p.widget->setGeometry(geometryOf(p.layout->place, f));
        p.widget->setFont(fontOf(*p.layout, f));
    }
    for (QAction* a : sizes_->actions())
        a->setChecked(a->data().toInt() == percent);
    sync();
}

void MainWindow::act(const std::function<void()>& action) {
    action();
    afterHandler();
}

void MainWindow::clicked(Control& c) {
    act([this, &c] {
        if (!program_.click(c))
            qCritical("Marklight: no handler for the control %s", qUtf8Printable(c.name));
        Q_ASSERT_X(c.onClick, "MainWindow::clicked", "every control the window offers has one");
    });
}

void MainWindow::afterHandler() {
    sync();
    scheduler_.reschedule();
}

void MainWindow::sync() {
    for (const auto& s : syncs_)
        s();
    syncMessageWindow();
}

void MainWindow::syncMessageWindow() {
    MessageWindow& model = program_.form.frmMessage;
    if (!model.exists) {
        if (message_) {
            message_->hide();
            message_->deleteLater();
            message_ = nullptr;
        }
        return;
    }
    if (!message_) {
        const Actions actions{
            [this](Control& c) { clicked(c); },
            [this](TextBox& box, const QString& text) { program_.type(box, text); },
            [](ComboBox&, int) {},
        };
        message_ = new MessageView(model, actions, this);
        message_->onCloseBox = [this] { clicked(program_.form.frmMessage.btnClose); };
        message_->sync();
        message_->move(geometry().center() - message_->rect().center());
        message_->show();
        return;
    }
    if (message_->sync()) {
        message_->show();
        message_->raise();
        message_->activateWindow();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (program_.ending)
        return QMainWindow::closeEvent(event);
    event->ignore();
    // After this close has ended: "Ende" closes the window once more when it goes ahead.
    QTimer::singleShot(0, this, [this] { clicked(program_.form.Ende); });
}

void MainWindow::startTimers() {
    scheduler_.start();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* w = qobject_cast<QWidget*>(watched);
    const QWidget* box = QApplication::activeModalWidget();
    if (w == nullptr || (w->window() != this && w->window() != message_.data() &&
                         (box == nullptr || w->window() != box)))
        return QMainWindow::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress)
        return box != nullptr ? keyWhileBoxWaits(static_cast<QKeyEvent*>(event), true)
                              : routeKey(w, static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::KeyRelease)
        return releaseKey(static_cast<QKeyEvent*>(event)) ||
               (box != nullptr && keyWhileBoxWaits(static_cast<QKeyEvent*>(event), false));
    if (event->type() == QEvent::FocusIn && w->window() == this)
        focusEntered(w);
    return QMainWindow::eventFilter(watched, event);
}

// A box that waits for its answer never takes a match key: Space or F5 meant for the clock must
// not confirm "Zeit zurücksetzen?" or close a report unread. Such a key does nothing then (a
// beep says so), except the horn's, which sounds: it changes nothing of the match. Enter, Esc
// and the mouse answer the box; Space still types into a box being edited (a file name).
bool MainWindow::keyWhileBoxWaits(QKeyEvent* event, bool down) {
    const QString name = keyName(event);
    const KeyBinding* key = findKey(name);
    if (key == nullptr || (key->typesInBox && isEditing(QApplication::focusWidget())))
        return false;
    const Control* c = program_.find(QString::fromLatin1(key->control));
    if (down && !event->isAutoRepeat()) {
        if (c != nullptr && c->onHold)
            act([this, name] { program_.key(name); });
        else
            QApplication::beep();
    }
    return true;
}

bool MainWindow::routeKey(QWidget* receiver, QKeyEvent* event) {
    QWidget* focus = QApplication::focusWidget();
    const bool editing = isEditing(focus);
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Escape && mods == Qt::NoModifier) {
        if (!editing || focus->window() != this)
            return false;
        client_->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    // Space belongs to the clock, so Enter is the key that presses a focused button.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        mods == Qt::NoModifier) {
        auto* button = qobject_cast<QAbstractButton*>(focus);
        if (button == nullptr || receiver != button)
            return false;
        if (!event->isAutoRepeat())
            button->click();
        return true;
    }
    const QString name = keyName(event);
    const KeyBinding* key = findKey(name);
    if (key == nullptr || (key->typesInBox && editing))
        return false;
    // Holding a key down runs its command once.
    if (!event->isAutoRepeat())
        act([this, name] { program_.key(name); });
    return true;
}

// Letting go of the key of a control that acts while held ends it, wherever the focus and
// whatever box is up by then.
bool MainWindow::releaseKey(QKeyEvent* event) {
    const QString name = keyName(event);
    const KeyBinding* key = findKey(name);
    Control* c = key ? program_.find(QString::fromLatin1(key->control)) : nullptr;
    if (c == nullptr || !c->onHold)
        return false;
    if (!event->isAutoRepeat())
        act([this, name] { program_.key(name, false); });
    return true;
}

// The operator cannot let go of a key or button in a window that has lost the keyboard.
void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        act([this] { program_.hold(program_.form.Hupe, false); });
    QMainWindow::changeEvent(event);
}

void MainWindow::focusEntered(QWidget* widget) {
    auto* edit = qobject_cast<QLineEdit*>(widget);
    TextBox* box = boxes_.value(widget);
    if (edit == nullptr || box == nullptr)
        return;
    act([this, box] { program_.focus(*box); });
    if (!box->onFocus)
        return;
    const auto select = [edit, box] { edit->setSelection(box->selStart, box->selLength); };
    select();
    // A click into the box places the cursor after the focus arrives; select once more after
    // the click has been handled.
    QTimer::singleShot(0, edit, select);
}

} // namespace ml::app
