#include "app/main_window.h"

#include "app/control_widgets.h"
#include "app/horn_dialog.h"
#include "app/key_dialog.h"
#include "app/match_log_dialog.h"
#include "app/message_view.h"
#include "app/pictures.h"
#include "app/report/report_painter.h"
#include "app/scaled_style.h"
#include "app/sport_dialog.h"
#include "app/title_room.h"
#include "app/window_menus.h"
#include "bookkeeping/message_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCompleter>
#include <QDialog>
#include <QEvent>
#include <QLayout>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpressionValidator>
#include <QStringListModel>
#include <QTimer>

namespace ml::app {

namespace {

// The preview's black backdrop: the display line between the side columns.
constexpr Place kDisplayLine{840, 120, 6015, 1575};

// Timing of the ticks for the benchmarks; silent unless QT_LOGGING_RULES enables it.
Q_LOGGING_CATEGORY(lcTiming, "marklight.timing", QtWarningMsg)

} // namespace

MainWindow::MainWindow(Program& program)
    : program_(program), client_(new QWidget(this)),
      scheduler_({[this] {
                      if (!program_.wake())
                          return false;
                      qCDebug(lcTiming) << "tick composed";
                      return true;
                  },
                  [this] { return program_.msToNextWake(); },
                  {}}),
      keys_(program,
            {this, client_, [this](const std::function<void()>& action) { act(action); }}) {
    setWindowTitle(QStringLiteral("Marklight"));
    setWindowIcon(applicationIcon());
    setFont(windowFont());
    client_->setObjectName(QStringLiteral("MainForm"));
    // The form itself holds the focus when no box does: at start-up, after Esc, after a click
    // beside the controls. The match keys then work without typing anywhere.
    client_->setFocusPolicy(Qt::ClickFocus);
    setCentralWidget(client_);
    for (MenuSync& m : buildFormMenus(menuBar(), program_, [this](Control& c) { clicked(c); }))
        syncs_.insert(m.item, std::move(m.sync));
    // The horn's settings are the window's own dialog, not a control of the form.
    QAction* horn = formMenu(menuBar(), "Extras")->addAction(tr("H&upe…"));
    horn->setObjectName(QStringLiteral("HornSettings"));
    connect(horn, &QAction::triggered, this, &MainWindow::showHornDialog);
    QAction* keys = formMenu(menuBar(), "Extras")->addAction(tr("&Tasten…"));
    keys->setObjectName(QStringLiteral("KeySettings"));
    connect(keys, &QAction::triggered, this, &MainWindow::showKeyDialog);
    // So are the sports: their rules are data the dialog edits, not a control of the form.
    QAction* sport = formMenu(menuBar(), "Extras")->addAction(tr("Sp&ortart…"));
    sport->setObjectName(QStringLiteral("SportSettings"));
    connect(sport, &QAction::triggered, this, &MainWindow::showSportDialog);
    // The record as a list, and the report on the system's printer: views of what the record
    // writer keeps.
    QMenu* file = formMenu(menuBar(), "Datei");
    QAction* matchLog = new QAction(tr("Spiel&verlauf…"), file);
    matchLog->setObjectName(QStringLiteral("MatchLogWindow"));
    connect(matchLog, &QAction::triggered, this, &MainWindow::showMatchLog);
    QAction* print = new QAction(tr("&Drucken…"), file);
    print->setObjectName(QStringLiteral("PrintReport"));
    connect(print, &QAction::triggered, this, &MainWindow::printReport);
    QAction* ende = file->actions().isEmpty() ? nullptr : file->actions().constLast();
    file->insertAction(ende, matchLog);
    file->insertAction(ende, print);
    buildControls();
    bindScorerBoxes();
    // The size chosen is kept with the settings; the step that keeps it shows it.
    sizes_ = buildViewMenu(menuBar(), [this](int percent) {
        act([this, percent] {
            program_.form.settings[SettingId::WindowScale] = percent;
            program_.viewChanged();
        });
    });
    // The language chosen is kept and applies at the next start: the texts made so far stay.
    languages_ = buildLanguageMenu(menuBar(), [this](const QString& code) {
        act([this, code] {
            program_.form.Language = code;
            program_.viewChanged();
        });
        QMessageBox::information(this, tr("Sprache"),
                                 tr("Die Sprache wechselt beim nächsten Start von Marklight."));
    });
    showKeys();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setScale(100);
    client_->setFocus();
    qApp->installEventFilter(this);
    qApp->installEventFilter(&keys_);
    // Every step tells the window what it changed.
    program_.afterStep.push_back([this](const Changes& changes) { apply(changes); });
    reader_ = program_.afterStep.size() - 1;
}

MainWindow::~MainWindow() {
    program_.afterStep[reader_] = [](const Changes&) {};
    // Closing a window that is half gone moves the focus out of a name box; its end of typing
    // must not reach this window any more.
    for (QObject* child : findChildren<QObject*>())
        disconnect(child, nullptr, this, nullptr);
}

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
            resync(combo);
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
        syncs_.insert(c, std::move(bound.sync));
        if (l.look == Look::Preview && l.place.height > kDisplayLine.height / 2)
            overlays.push_back(bound.widget);
    }
    for (const char* name : numberBoxes()) {
        auto* edit = client_->findChild<QLineEdit*>(QString::fromLatin1(name));
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
        numberBoxes_.insert(program_.form.control(edit->objectName()), edit);
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
    offerTeamNames();
}

// The name boxes offer the team names typed before, as the typing goes on; typing stays as it
// is. A name ends when the box is left (or Enter), and a name chosen from the offer is typed.
void MainWindow::offerTeamNames() {
    names_ = new QStringListModel(this);
    for (TextBox* box : {&program_.form.Text_l, &program_.form.Text_r}) {
        auto* edit = client_->findChild<QLineEdit*>(box->name);
        auto* completer = new QCompleter(names_, edit);
        completer->setCaseSensitivity(Qt::CaseInsensitive);
        edit->setCompleter(completer);
        connect(completer, qOverload<const QString&>(&QCompleter::activated), this,
                [this, box](const QString& name) {
                    act([this, box, name] {
                        program_.type(*box, name);
                        program_.typingEnded();
                    });
                });
        connect(edit, &QLineEdit::editingFinished, this,
                [this] { act([this] { program_.typingEnded(); }); });
    }
}

// A button that acts while held: press and release instead of a click.
void MainWindow::bindHold(Control& c, QAbstractButton* button) {
    disconnect(button, &QAbstractButton::clicked, nullptr, nullptr);
    connect(button, &QAbstractButton::pressed, this,
            [this, &c] { act([this, &c] { program_.hold(c, true); }); });
    connect(button, &QAbstractButton::released, this,
            [this, &c] { act([this, &c] { program_.hold(c, false); }); });
}

void MainWindow::showKeyDialog() {
    if (!keyDialog_)
        keyDialog_ = new KeyDialog(
            program_, [this] { showKeys(); }, this);
    keyDialog_->show();
    keyDialog_->raise();
    keyDialog_->activateWindow();
}

void MainWindow::showKeys() {
    for (const Placed& p : placed_) {
        QStringList labels;
        for (const QString& key : program_.keys.keysOn(p.widget->objectName()))
            labels.append(keyLabel(key));
        if (!labels.isEmpty() || p.layout->picture != Picture::Banner)
            p.widget->setToolTip(toolTipOf(*p.layout, labels));
    }
    sync();
}

void MainWindow::showHornDialog() {
    if (!hornDialog_)
        hornDialog_ = new HornDialog(
            program_, [this] { scheduler_.reschedule(); }, this);
    hornDialog_->show();
    hornDialog_->raise();
    hornDialog_->activateWindow();
}

void MainWindow::showSportDialog() {
    if (!sportDialog_)
        sportDialog_ = new SportDialog(
            program_, [this] { scheduler_.reschedule(); }, this);
    sportDialog_->show();
    sportDialog_->raise();
    sportDialog_->activateWindow();
}

void MainWindow::setScale(int percent) {
    scale_ = percent;
    const double f = percent / 100.0;
    scaleApplication(percent);
    QFont font = windowFont();
    font.setPointSizeF(kWindowPoints * f);
    setFont(font);
    // The menus open as windows of their own and take no font from the window.
    for (QMenu* menu : menuBar()->findChildren<QMenu*>())
        menu->setFont(font);
    fitClient();
    backdrop_->setGeometry(geometryOf(kDisplayLine, f));
    for (const Placed& p : placed_) {
        p.widget->setGeometry(geometryOf(p.layout->place, f));
        p.widget->setFont(fontOf(*p.layout, f));
    }
    for (QAction* a : sizes_->actions())
        a->setChecked(a->data().toInt() == percent);
    if (message_)
        message_->setScale(f);
    sync();
}

// The window grows by the sport's band while a sport's rules apply.
void MainWindow::fitClient() {
    const double f = scale_ / 100.0;
    const int height =
        kClientHeightTwips + (program_.form.periodName.visible ? kSportBandTwips : 0);
    client_->setFixedSize(pixels(kClientWidthTwips, f), pixels(height, f));
}

void MainWindow::act(const std::function<void()>& action) {
    const std::optional<bool> scorer = program_.numberSide();
    const std::uint64_t waits = program_.numberWaits();
    action();
    followScorer(scorer, waits);
    scheduler_.reschedule();
}

void MainWindow::followScorer(std::optional<bool> before, std::uint64_t waitsBefore) {
    const std::optional<bool> now = program_.numberSide();
    if (now == before && program_.numberWaits() == waitsBefore)
        return;
    const auto box = [this](bool left) {
        return client_->findChild<QLineEdit*>(left ? QStringLiteral("playerL")
                                                   : QStringLiteral("playerR"));
    };
    if (now) {
        if (QLineEdit* edit = box(*now); edit != nullptr && edit->isVisible()) {
            edit->setFocus(Qt::OtherFocusReason);
            edit->selectAll();
        }
    } else if (before && QApplication::focusWidget() == box(*before)) {
        client_->setFocus(Qt::OtherFocusReason);
    }
}

// Enter in a side's "Nr." box gives a waiting goal its next number.
void MainWindow::bindScorerBoxes() {
    for (const bool left : {true, false}) {
        auto* edit = client_->findChild<QLineEdit*>(left ? QStringLiteral("playerL")
                                                         : QStringLiteral("playerR"));
        if (edit == nullptr)
            continue;
        connect(edit, &QLineEdit::returnPressed, this, [this, edit, left] {
            // What the box shows is what the operator typed, also when its step is still to come.
            act([this, edit, left] {
                program_.type(left ? program_.form.playerL : program_.form.playerR, edit->text());
                program_.numberEntered(left);
            });
        });
    }
}

void MainWindow::showMatchLog() {
    if (!matchLog_)
        matchLog_ = new MatchLogDialog(
            program_, [this](const std::function<void()>& action) { act(action); }, this);
    static_cast<MatchLogDialog*>(matchLog_.data())->fill();
    matchLog_->show();
    matchLog_->raise();
    matchLog_->activateWindow();
}

void MainWindow::printReport() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(tr("Spielbericht"));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(tr("Spielbericht drucken"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        QMessageBox::warning(this, tr("Drucken"),
                             tr("Der Drucker nimmt den Spielbericht nicht an."));
        return;
    }
    drawReport(painter, printer, reportSheet(program_.writer.report()));
    painter.end();
    program_.log.addLine(tr(" +++ Spielbericht gedruckt"));
}

void MainWindow::clicked(Control& c) {
    act([this, &c] {
        if (!program_.click(c))
            qCritical("Marklight: no handler for the control %s", qUtf8Printable(c.name));
        Q_ASSERT_X(c.onClick, "MainWindow::clicked", "every control the window offers has one");
    });
    resync(c);
}

// A check box, checkable action or drop-down changes itself when the operator uses it; when the
// program keeps its state (a refused change, the ticked item again), the form did not change and
// the step does not show it anew: this does.
void MainWindow::resync(const Control& c) {
    if (const auto it = syncs_.constFind(&c); it != syncs_.cend())
        it.value()();
}

void MainWindow::showLanguage() {
    for (QAction* a : languages_->actions())
        a->setChecked(a->data().toString() == program_.form.Language);
}

void MainWindow::sync() {
    for (const auto& s : std::as_const(syncs_))
        s();
    showLanguage();
    syncMessageWindow();
}

void MainWindow::apply(const Changes& changes) {
    if (changes.has("WindowScale") && program_.form.settings[SettingId::WindowScale] != scale_)
        setScale(program_.form.settings[SettingId::WindowScale]);
    if (changes.has("Language"))
        showLanguage();
    if (changes.has(program_.form.periodName))
        fitClient();
    bool message = changes.has("frmMessage.exists");
    // The box in which a goal still waits for its assists' numbers keeps the focus.
    const std::optional<bool> scorer = program_.numberSide();
    const Control* waiting =
        scorer ? (*scorer ? &program_.form.playerL : &program_.form.playerR) : nullptr;
    for (const Control* c : changes.controls) {
        // A number box the step has emptied (its number was used: a penalty or foul given) gives
        // the focus back to the window, so that the next Space reaches the clock at once.
        const QLineEdit* number = numberBoxes_.value(c);
        const bool used = number != nullptr && c != waiting && number->hasFocus() &&
                          !number->text().isEmpty() &&
                          static_cast<const TextBox*>(c)->text.isEmpty();
        if (const auto it = syncs_.constFind(c); it != syncs_.cend())
            it.value()();
        else
            message = true;
        if (used)
            client_->setFocus(Qt::OtherFocusReason);
    }
    if (message)
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
        message_->setScale(scale_ / 100.0);
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
    if (event->type() == QEvent::FocusIn && w != nullptr && w->window() == this)
        focusEntered(w);
    // Every box and dialog of the program, before it takes its size.
    if (event->type() == QEvent::Show)
        if (auto* dialog = qobject_cast<QDialog*>(watched))
            fitTitle(*dialog);
    return QMainWindow::eventFilter(watched, event);
}

// The operator cannot let go of a key or button in a window that has lost the keyboard.
void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        act([this] { program_.hold(program_.form.horn, false); });
    QMainWindow::changeEvent(event);
}

void MainWindow::focusEntered(QWidget* widget) {
    auto* edit = qobject_cast<QLineEdit*>(widget);
    TextBox* box = boxes_.value(widget);
    if (edit == nullptr || box == nullptr)
        return;
    if (edit->completer() != nullptr)
        names_->setStringList(program_.form.TeamNames);
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
