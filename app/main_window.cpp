#include "app/main_window.h"

#include "app/control_widgets.h"
#include "app/message_view.h"
#include "app/pictures.h"
#include "console/message_window.h"

#include <QAction>
#include <QEvent>
#include <QHash>
#include <QLayout>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMenuBar>
#include <QTimer>

namespace ml::app {

namespace {

// The preview's black backdrop: the display line between the side columns.
constexpr Place kDisplayLine{840, 120, 6015, 1575};

// Timing of the ticks for the benchmarks; silent unless QT_LOGGING_RULES enables it.
Q_LOGGING_CATEGORY(lcTiming, "marklight.timing", QtWarningMsg)

} // namespace

MainWindow::MainWindow(Program& program, const Clock& clock)
    : program_(program), client_(new QWidget(this)),
      scheduler_(program.form, clock,
                 {[this](bool wholeSecond) {
                      if (program_.boundary(wholeSecond))
                          qCDebug(lcTiming) << "tick composed";
                  },
                  [this] { sync(); }}) {
    setWindowTitle(QStringLiteral("Marklight"));
    setWindowIcon(applicationIcon());
    setFont(windowFont());
    client_->setObjectName(QStringLiteral("MainForm"));
    client_->setFixedSize(pixels(kClientWidthTwips), pixels(kClientHeightTwips));
    setCentralWidget(client_);
    buildMenus();
    buildControls();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    sync();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls() {
    auto* backdrop = new QWidget(client_);
    backdrop->setObjectName(QStringLiteral("displayLine"));
    backdrop->setGeometry(
        pixels(kDisplayLine.left), pixels(kDisplayLine.top),
        pixels(kDisplayLine.left + kDisplayLine.width) - pixels(kDisplayLine.left),
        pixels(kDisplayLine.top + kDisplayLine.height) - pixels(kDisplayLine.top));
    backdrop->setAutoFillBackground(true);
    QPalette black = backdrop->palette();
    black.setColor(QPalette::Window, Qt::black);
    backdrop->setPalette(black);

    const Actions actions{
        [this](Control& c) { clicked(c); },
        [this](TextBox& box, const QString& text) { program_.type(box, text); },
        [this](ComboBox& combo, int index) { act([&combo, index] { combo.index = index; }); },
    };
    std::vector<QWidget*> overlays;
    for (const ControlLayout& l : mainWindowLayout()) {
        Control* c = program_.form.control(QString::fromLatin1(l.name));
        if (c == nullptr)
            continue;
        BoundWidget bound = bindControl(*c, l, client_, actions);
        if (l.picture == Picture::Banner)
            bound.widget->setToolTip(kMakerWebSite);
        if (auto* box = dynamic_cast<TextBox*>(c); box && box->onFocus) {
            focusBoxes_.insert(bound.widget, box);
            bound.widget->installEventFilter(this);
        }
        syncs_.push_back(std::move(bound.sync));
        if (l.look == Look::Preview && l.place.height > kDisplayLine.height / 2)
            overlays.push_back(bound.widget);
    }
    // A note over both rows (program, big text) covers the clock boxes that the tick may still
    // show beneath it.
    for (QWidget* w : overlays)
        w->raise();
}

void MainWindow::buildMenus() {
    QHash<QString, QMenu*> menus;
    const auto leafCount = [](const char* name) {
        int n = 0;
        for (const MenuLayout& m : menuLayout())
            n += m.parent != nullptr && qstrcmp(m.parent, name) == 0;
        return n;
    };
    const auto bindAction = [this](QAction* a, MenuItem& item, bool checkable, int index) {
        a->setObjectName(item.name);
        a->setCheckable(checkable);
        if (index > 0)
            a->setProperty("index", index);
        connect(a, &QAction::triggered, this, [this, &item] { clicked(item); });
        syncs_.push_back([a, &item] {
            if (a->text() != item.text)
                a->setText(item.text);
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
            syncs_.push_back([a, item] {
                if (a->text() != item->text)
                    a->setText(item->text);
                a->setVisible(item->visible);
                a->setEnabled(item->enabled);
            });
            continue;
        }
        bindAction(parent->addAction(QString()), *item, m.checkable, 0);
    }
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

void MainWindow::startTimers() {
    scheduler_.start();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    TextBox* box = focusBoxes_.value(watched);
    if (edit == nullptr || box == nullptr || event->type() != QEvent::FocusIn)
        return QMainWindow::eventFilter(watched, event);
    act([this, box] { program_.focus(*box); });
    const auto select = [edit, box] { edit->setSelection(box->selStart, box->selLength); };
    select();
    // A click into the box places the cursor after the focus arrives; select once more after
    // the click has been handled.
    QTimer::singleShot(0, edit, select);
    return false;
}

} // namespace ml::app
