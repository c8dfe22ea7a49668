// The operator's window over a program with the fake platform: layout, first state, the
// operator's clicks and typing, and the message window.

#include "app/control_widgets.h"
#include "app/main_window.h"
#include "app/monitor/led_monitor.h"
#include "app/second_line_dialog.h"
#include "app/window_layout.h"
#include "core/language.h"
#include "core/program.h"
#include "platform/fakes/fakes.h"
#include "tests/support/catalog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <span>

namespace ml::app {
namespace {

class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest() {
        program.start();
        window.sync();
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    template <class W = QWidget> W* widget(const char* name, QWidget* in = nullptr) {
        W* w = (in ? in : window.client())->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QAction* action(const char* name) { return window.findChild<QAction*>(name); }
    void click(const char* name, QWidget* in = nullptr) {
        QTest::mouseClick(widget(name, in), Qt::LeftButton);
    }

    FakeClock clock{QStringLiteral("12:00:00")};
    FakeDialogs dialogs;
    FakeShell shell;
    FakeSerialDevice serial;
    FakeHorn horn{clock};
    FakeStorage storage;
    Program program{clock, dialogs, shell, serial, horn, storage};
    MainWindow window{program};
};

// The widgets show the form's first state; the table of places is the window's own (a test that
// recomputed each place from it would only restate it), so a few landmarks stand for the layout.
TEST_F(MainWindowTest, EveryControlHasOneWidgetOrMenuEntryShowingItsFirstState) {
    // A fixed window of the form's client size under the menu bar.
    EXPECT_EQ(window.maximumSize(), QSize(513, window.menuBar()->height() + 341));
    for (Control* c : program.form.controls())
        EXPECT_EQ(window.findChildren<QObject*>(c->name).size(), // a widget or a menu entry
                  c->name == QLatin1String("HLProgr") ? 16 : 1)
            << c->name.toStdString();
    for (const ControlLayout& l : mainWindowLayout()) {
        SCOPED_TRACE(l.name);
        const Control* c = program.form.control(QString::fromLatin1(l.name));
        QWidget* w = widget(l.name);
        ASSERT_TRUE(c && w);
        EXPECT_EQ(w->isVisibleTo(window.client()), c->visible);
        EXPECT_EQ(w->isEnabled(), c->enabled);
        // Boxes, labels and check boxes show their text whole; buttons may wrap a caption.
        const QVariant shown = c->kind == Kind::Button ? QVariant() : w->property("text");
        EXPECT_EQ(shown.toString(),
                  shown.isValid() ? static_cast<const TextControl*>(c)->text : QString());
    }
    EXPECT_EQ(widget("St_St")->geometry(), QRect(219, 128, 73, 33));
    EXPECT_EQ(widget<QLineEdit>("Text_r")->alignment(), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(widget("TimeOut")->palette().color(QPalette::WindowText), QColor(Qt::yellow));
    EXPECT_EQ(widget<QLabel>("TimeOut")->textFormat(), Qt::PlainText); // text is never markup
    for (QAction* menu : window.menuBar()->actions())                  // Alt+D, Alt+E, Alt+?
        EXPECT_TRUE(menu->text().startsWith(QLatin1Char('&'))) << menu->text().toStdString();
    EXPECT_EQ(action("HL_Prog")->menu()->actions().last()->property("index").toInt(), 16);
    // A sport's rules bring the band of periods, timeouts and penalty lists under the window.
    program.chooseSport(QStringLiteral("handball"));
    EXPECT_EQ(window.client()->height(), 341 + pixels(kSportBandTwips));
    EXPECT_TRUE(widget("penaltyListL")->isVisible());
    EXPECT_EQ(widget<QLabel>("periodName")->text(), QStringLiteral("1. Halbzeit"));
}

TEST_F(MainWindowTest, StartThenTheNextSecondBoundaryCountsOnScreen) {
    click("St_St");
    clock.advance(1);
    window.scheduler().wake();
    EXPECT_EQ(widget<QLineEdit>("D_Sec")->text(), QStringLiteral("59"));
}

TEST_F(MainWindowTest, TheDirectionMenuSwapsTheScoreButtonsInPlace) {
    click("up_l");
    EXPECT_EQ(widget<QLineEdit>("Pkt_l")->text(), QStringLiteral("1"));
    action("down")->trigger();
    action("down")->trigger(); // the ticked item again keeps its mark; Qt alone would clear it
    EXPECT_TRUE(action("down")->isChecked());
    EXPECT_FALSE(widget("up_l")->isVisible());
    click("down_r");
    EXPECT_EQ(widget<QLineEdit>("Pkt_r")->text(), QStringLiteral("-1"));
    action("up")->trigger();
    EXPECT_TRUE(widget("up_l")->isVisible() && !widget("down_r")->isVisible());
}

TEST_F(MainWindowTest, ClickIntoAClockBoxSelectsAllSoTypingReplacesIt) {
    auto* minutes = widget<QLineEdit>("D_Min");
    QTest::mouseClick(minutes, Qt::LeftButton, {}, QPoint(10, 20));
    QTest::qWait(1);
    window.sync(); // the next tick copies the form into the widgets: the selection stays
    EXPECT_EQ(minutes->selectedText(), QStringLiteral("20"));
    QTest::keyClick(minutes, Qt::Key_5);
    EXPECT_EQ(program.form.D_Min.text, QStringLiteral("5"));
}

TEST_F(MainWindowTest, PastedControlCharactersBecomeBlanks) {
    auto* name = widget<QLineEdit>("Text_r");
    QGuiApplication::clipboard()->setText(QStringLiteral("SV\x02Ost\r\n"));
    name->selectAll();
    name->paste();
    EXPECT_EQ(name->text(), QStringLiteral("SV Ost  "));
    EXPECT_EQ(program.form.Text_r.text, name->text());
}

TEST_F(MainWindowTest, SystemTextBeyondTheTypingLimitIsShownWhole) {
    program.form.Pkt_l.text = QStringLiteral("1000");
    window.sync();
    EXPECT_EQ(widget<QLineEdit>("Pkt_l")->text(), QStringLiteral("1000"));
}

TEST_F(MainWindowTest, NameBoxesOfferTheTeamNamesTypedBefore) {
    auto* home = widget<QLineEdit>("Text_l");
    home->setFocus();
    home->selectAll();
    QTest::keyClicks(home, QStringLiteral("Bayern"));
    QTest::keyClick(home, Qt::Key_Return);
    EXPECT_EQ(program.form.TeamNames, QStringList{QStringLiteral("Bayern")});
    auto* guest = widget<QLineEdit>("Text_r");
    guest->setFocus();
    guest->selectAll();
    QTest::keyClicks(guest, QStringLiteral("ba"));
    EXPECT_EQ(guest->text(), QStringLiteral("ba")); // typing stays as it is
    EXPECT_EQ(guest->completer()->currentCompletion(), QStringLiteral("Bayern"));
    emit guest->completer()->activated(QStringLiteral("Bayern"));
    EXPECT_EQ(program.form.Text_r.text, QStringLiteral("Bayern"));
}

TEST_F(MainWindowTest, CheckBoxWidgetFollowsItsControl) {
    click("Uhr"); // a second run would tick the box off again
    EXPECT_TRUE(widget<QCheckBox>("Uhr")->isChecked());
    click("Prog"); // clears the time of day from code
    EXPECT_FALSE(widget<QCheckBox>("Uhr")->isChecked());
}

// Every button, check box, clickable image and leaf menu item that the windows offer carries a
// handler, and no other control does: a click never reaches nothing.
TEST_F(MainWindowTest, HandlersBelongToExactlyTheClickableControls) {
    Form& f = program.form;
    std::set<const Control*> clickable;
    const auto addFrom = [&](std::span<const ControlLayout> layout, auto&& lookup) {
        for (const ControlLayout& l : layout) {
            const Control* c = lookup(QString::fromLatin1(l.name));
            ASSERT_NE(c, nullptr) << l.name;
            if (c->kind == Kind::Button || c->kind == Kind::CheckBox ||
                (c->kind == Kind::Image && l.picture == Picture::Banner))
                clickable.insert(c);
        }
    };
    addFrom(mainWindowLayout(), [&](const QString& n) { return f.control(n); });
    addFrom(messageWindowLayout(), [&](const QString& n) -> const Control* {
        for (const Control* c : f.frmMessage.controls())
            if (c->name == n)
                return c;
        return nullptr;
    });
    for (const MenuLayout& m : menuLayout()) {
        const bool leaf = std::none_of(menuLayout().begin(), menuLayout().end(), [&](auto& child) {
            return child.parent != nullptr && qstrcmp(child.parent, m.name) == 0;
        });
        if (leaf && qstrcmp(m.name, "HLProgr") != 0)
            clickable.insert(f.control(QString::fromLatin1(m.name)));
    }
    for (std::optional<MenuItem>& item : f.HLProgr)
        if (item)
            clickable.insert(&*item);

    std::vector<Control*> all = f.controls();
    for (Control* c : f.frmMessage.controls())
        all.push_back(c);
    for (const Control* c : all)
        EXPECT_EQ(static_cast<bool>(c->onClick), clickable.count(c) == 1) << c->name.toStdString();
}

TEST_F(MainWindowTest, PreviewDigitsAreRedOnBlack) {
    const QImage img = widget("D_Min")->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(img.pixel(1, 1), qRgb(0, 0, 0));
    const auto* px = reinterpret_cast<const QRgb*>(img.constBits());
    EXPECT_GT(std::count(px, px + img.width() * img.height(), qRgb(255, 0, 0)), 0);
}

TEST_F(MainWindowTest, OneMessageWindowIsReplacedInPlace) {
    click("Image1");
    action("Mess")->trigger();
    QPointer<MessageView> view = window.messageView();
    ASSERT_FALSE(view.isNull());
    action("abbout")->trigger();
    ASSERT_EQ(window.messageView(), view);
    program.form.Image1.enabled = false; // the click reaches the message window's own banner
    click("Image1", view);
    EXPECT_EQ(shell.opened.size(), 2);
    const QString shown = widget<QPlainTextEdit>("T_Message", view)->toPlainText();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Marklight - Version 1.02\n\n")));
    // Its button, its close box and Escape close it.
    for (int way : {0, 1, 2}) {
        if (way == 0)
            click("btnClose", view);
        else if (way == 1)
            view->close();
        else
            QTest::keyClick(widget<QPlainTextEdit>("T_Message", view), Qt::Key_Escape);
        QTest::qWait(1);
        EXPECT_TRUE(view.isNull());
        action("Mess")->trigger(); // made again from its design-time state
        ASSERT_TRUE(view = window.messageView());
    }
}

// The operator's keys, with the focus on nothing, a text box, a button, a check box, and in the
// monitor window.
class KeyTest : public MainWindowTest, public ::testing::WithParamInterface<const char*> {
  protected:
    LineDecoder decoder;
    monitor::LedMonitor monitor{decoder, [] { return qint64(0); }};
    void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(monitor.isVisible() ? &monitor : QApplication::focusWidget(), key, mods);
    }
};

TEST_P(KeyTest, EveryCommandKeyRunsItsControlWhereverTheFocusIs) {
    if (qstrcmp(GetParam(), "monitor") == 0) {
        monitor.show();
        monitor.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&monitor));
    } else if (*GetParam() != '\0') {
        widget(GetParam())->setFocus();
    }
    const Form& f = program.form;
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        std::function<bool()> done;
    } steps[] = {
        {Qt::Key_F2, {}, [&] { return f.Pkt_l.text == "1"; }},
        {Qt::Key_F3, {}, [&] { return f.Pkt_l.text == "0"; }}, // -1 while "Aufwärts" hides it
        {Qt::Key_F2, {}, [&] { return f.Pkt_l.text == "1"; }},
        {Qt::Key_F11, {}, [&] { return f.Pkt_r.text == "1"; }},
        {Qt::Key_F10, {}, [&] { return f.Pkt_r.text == "0"; }},
        {Qt::Key_F10, {}, [&] { return f.Pkt_r.text == "-1"; }},
        {Qt::Key_F4, {}, [&] { return f.penaltyL.running; }},
        {Qt::Key_F9, {}, [&] { return f.penaltyR.running; }},
        {Qt::Key_F8, {}, [&] { return f.Displ.ticked(); }},
        {Qt::Key_F5, {}, [&] { return f.ClockRunning; }},
        {Qt::Key_F5, {}, [&] { return !f.ClockRunning; }},
        {Qt::Key_F6, {}, [&] { return f.TimeoutActive; }},
        {Qt::Key_F7, {}, [&] { return f.BreakActive && !f.TimeoutActive; }},
        {Qt::Key_F12, {}, [&] { return f.Uhr.ticked(); }},
        {Qt::Key_F1, {}, [&] { return dialogs.boxes.back().title == "Tastenkürzel"; }},
        {Qt::Key_O, Qt::ControlModifier, [&] { return dialogs.boxes.size() == 2; }}, // no port
    };
    const QString shownName = program.form.Text_l.text;
    for (const auto& s : steps) {
        SCOPED_TRACE(QKeySequence(s.key | s.mods).toString().toStdString());
        press(s.key, s.mods);
        EXPECT_TRUE(s.done());
    }
    EXPECT_EQ(program.form.Text_l.text, shownName); // nothing typed
    // Space and the keypad are the match's, also on a button or check box, unless a text box is
    // being edited: there they type.
    const bool typing = qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr;
    press(Qt::Key_Space);
    press(Qt::Key_7, Qt::KeypadModifier);
    EXPECT_EQ(f.ClockRunning, !typing);
    EXPECT_EQ(f.Pkt_l.text, typing ? QStringLiteral("1") : QStringLiteral("2"));
    EXPECT_EQ(f.Text_l.text, typing ? QStringLiteral("Heim 7") : QStringLiteral("Heim"));
    if (typing) {
        press(Qt::Key_Escape); // leaves the box, its text kept; the keys are the match's again
        EXPECT_EQ(QApplication::focusWidget(), window.client());
    }
    press(Qt::Key_Home, Qt::KeypadModifier); // the keypad's 7 with Num Lock off
    EXPECT_EQ(f.Pkt_l.text, typing ? QStringLiteral("2") : QStringLiteral("3"));
    EXPECT_EQ(f.Text_l.text, typing ? QStringLiteral("Heim 7") : QStringLiteral("Heim"));
    if (monitor.isVisible()) { // F11 is a goal there: Alt+Return is its full screen
        const bool before = monitor.isFullScreen();
        press(Qt::Key_Return, Qt::AltModifier);
        EXPECT_NE(monitor.isFullScreen(), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Focus, KeyTest,
                         ::testing::Values("", "Text_l", "St_St", "Displ", "monitor"));

// "Extras → Tasten…": the key pressed becomes the command's; a clash, or a combination that the
// window system takes (the dialog loses the keyboard), keeps the old key.
TEST_F(MainWindowTest, KeyDialogTakesThePressedKeyUnlessItIsRefused) {
    action("KeySettings")->trigger();
    auto* dialog = window.findChild<KeyDialog*>();
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QTableWidget*>(QStringLiteral("keyTable"))->setCurrentCell(7, 1);
    const QStringList timeout = {QStringLiteral("F6")};
    const struct {
        std::function<void()> press;
        const char* said;
        QStringList keys;
    } rows[] = {
        {[&] { QTest::keyClick(dialog, Qt::Key_F2); }, "F2 gehört schon zu", timeout},
        {[&] { QApplication::setActiveWindow(&window); },
         "Diese Tastenkombination nimmt sich das Fenstersystem", timeout},
        {[&] { QTest::keyClick(dialog, Qt::Key_PageDown); },
         "\"Timeout starten / stoppen\": Bild ab",
         {QStringLiteral("PgDown")}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.said);
        QApplication::setActiveWindow(dialog);
        dialog->capture();
        row.press();
        EXPECT_TRUE(dialog->said().startsWith(QString::fromUtf8(row.said)))
            << dialog->said().toStdString();
        EXPECT_EQ(program.keys.keysOn(QStringLiteral("Time_Out")), row.keys);
        EXPECT_FALSE(dialog->capturing());
    }
    EXPECT_TRUE(widget("Time_Out")->toolTip().endsWith(QStringLiteral("Taste: Bild ab")));
    dialog->close();
    QTest::keyClick(window.client(), Qt::Key_F6);
    EXPECT_FALSE(program.form.TimeoutActive);
    QTest::keyClick(window.client(), Qt::Key_PageDown);
    EXPECT_TRUE(program.form.TimeoutActive);
}

TEST_F(MainWindowTest, KeysActOnceAndOnlyWhereTheyBelong) {
    EXPECT_EQ(QApplication::focusWidget(), window.client()); // no text box at start-up
    QKeyEvent held(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(window.client(), &held);
    EXPECT_EQ(program.form.Pkt_l.text, QStringLiteral("0"));

    QMessageBox box(QMessageBox::NoIcon, "t", "t", QMessageBox::Ok, &window);
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    // A match key neither reaches the window nor answers the box.
    for (Qt::Key key : {Qt::Key_F2, Qt::Key_Space})
        QTest::keyClick(box.button(QMessageBox::Ok), key);
    EXPECT_TRUE(box.isVisible());
    box.close();
    EXPECT_EQ(program.form.Pkt_l.text, QStringLiteral("0"));
    EXPECT_FALSE(program.form.ClockRunning);

    auto* name = widget<QLineEdit>("Text_r");
    name->setFocus();
    QTest::keyClick(name, Qt::Key_E, Qt::AltModifier);
    EXPECT_EQ(name->text(), QStringLiteral("Gegner"));
    EXPECT_TRUE(action("Extras")->menu()->isVisible());
    action("Extras")->menu()->close();
    // Enter presses the focused button: Space belongs to the clock.
    widget("Time_Out")->setFocus();
    QTest::keyClick(widget("Time_Out"), Qt::Key_Return);
    EXPECT_TRUE(program.form.TimeoutActive);
    EXPECT_TRUE(widget("St_St")->toolTip().endsWith(
        QStringLiteral("Tasten: F5, Leertaste, Ziffernblock 0")));
}

// A player's number box takes digits only: Space stays the clock's there, and once a penalty has
// used the number, the focus is back on the window for the next Space.
TEST_F(MainWindowTest, SpaceInANumberBoxRunsTheClockAndAPenaltyGivesTheFocusBack) {
    program.chooseSport(QStringLiteral("handball"));
    auto* number = widget<QLineEdit>("playerL");
    number->setFocus();
    for (Qt::Key key : {Qt::Key_7, Qt::Key_A, Qt::Key_Space})
        QTest::keyClick(number, key);
    EXPECT_EQ(number->text(), QStringLiteral("7"));
    EXPECT_TRUE(program.form.ClockRunning);
    QTest::keyClick(number, Qt::Key_F4);
    EXPECT_EQ(program.form.penaltiesL.size(), 1u);
    EXPECT_EQ(program.form.penaltiesL.front().number, 7);
    EXPECT_EQ(QApplication::focusWidget(), window.client());
    QTest::keyClick(window.client(), Qt::Key_Space);
    EXPECT_FALSE(program.form.ClockRunning);
}

TEST_F(MainWindowTest, TabWalksOnlyTheOperatorsControlsInReadingOrder) {
    QStringList walked, expected;
    for (const char* name : readingOrder())
        if (widget(name)->isVisible() && widget(name)->isEnabled())
            expected << QString::fromLatin1(name);
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(walked, expected);
    for (const char* shows : {"FlashL", "d_Pkt", "FlashR", "TxtStrL", "Uhr_anz", "ShText_u"}) {
        EXPECT_EQ(widget(shows)->focusPolicy(), Qt::NoFocus) << shows;
        EXPECT_TRUE(widget<QLineEdit>(shows)->isReadOnly()) << shows;
    }
}

// What a widget needs to show its text whole: the text and the frame round it.
QSize needed(QWidget* w) {
    if (auto* box = qobject_cast<QCheckBox*>(w))
        return box->sizeHint();
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->wordWrap() ? QSize(0, label->heightForWidth(label->width()))
                                 : label->sizeHint();
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        const QMargins m = edit->textMargins();
        const int frame =
            edit->hasFrame() ? 2 * edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
        return {edit->fontMetrics().horizontalAdvance(edit->text()) + m.left() + m.right() + frame,
                edit->fontMetrics().height() + m.top() + m.bottom() + frame};
    }
    if (auto* button = qobject_cast<QPushButton*>(w)) {
        const int frame = 2 * button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        return button->fontMetrics().size(0, button->text()) + QSize(frame, frame);
    }
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return {0, combo->minimumSizeHint().height()};
    return {0, 0}; // pictures and the log box draw themselves to fit
}

// The size chosen reaches the window, the message window and the application's font (the boxes
// and dialogs), and every control shows its text whole.
TEST_F(MainWindowTest, EachSizeScalesEveryWindowAndShowsEveryControlWhole) {
    action("Mess")->trigger();
    // The band with its longest texts: futsal's fouls at the limit with their mark.
    program.chooseSport(QStringLiteral("futsal"));
    for (int i = 0; i < 5; ++i)
        program.click(program.form.foulR);
    const std::tuple<int, QRect, double> sizes[] = {{200, QRect(439, 256, 146, 66), 2.0},
                                                    {150, QRect(329, 192, 110, 50), 1.5},
                                                    {125, QRect(274, 160, 91, 41), 1.25},
                                                    {100, QRect(219, 128, 73, 33), 1.0}};
    for (const auto& [percent, startButton, f] : sizes) {
        SCOPED_TRACE(percent);
        action(QStringLiteral("size%1").arg(percent).toLatin1())->trigger();
        EXPECT_EQ(program.form.settings[SettingId::WindowScale], percent);
        EXPECT_EQ(widget("St_St")->geometry(), startButton);
        EXPECT_EQ(window.client()->size(),
                  QSize(std::lround(513 * f), std::lround((341 + pixels(kSportBandTwips)) * f)));
        EXPECT_EQ(window.messageView()->size(), QSize(std::lround(400 * f), std::lround(288 * f)));
        EXPECT_DOUBLE_EQ(action("Mode")->menu()->font().pointSizeF(), kWindowPoints * f);
        EXPECT_DOUBLE_EQ(QApplication::font().pointSizeF(), kWindowPoints * f); // boxes, dialogs
        for (QWidget* w : window.client()->findChildren<QWidget*>() +
                              window.messageView()->findChildren<QWidget*>()) {
            if (w->parentWidget() != window.client() && w->parentWidget() != window.messageView())
                continue;
            const QSize need = needed(w);
            EXPECT_TRUE(need.width() <= w->width() && need.height() <= w->height())
                << w->objectName().toStdString() << " needs " << need.width() << "x"
                << need.height() << ", has " << w->width() << "x" << w->height();
        }
        // A label ends a text too long in "…": the fouls' count and mark are not cut.
        EXPECT_EQ(widget<QLabel>("foulsR")->text(), program.form.foulsR.text);
        // The port list is narrower than its entry: the tool tip shows it whole.
        EXPECT_TRUE(widget("Combo6")->toolTip().endsWith(QStringLiteral("Kein Comport verfügbar")));
    }
}

TEST_F(MainWindowTest, CtrlZInABoxTakesBackTheMatchChange) {
    EXPECT_FALSE(action("undo")->isEnabled());
    EXPECT_EQ(action("undo")->text(), QStringLiteral("&Rückgängig\tStrg+Z"));
    auto* name = widget<QLineEdit>("Text_l");
    name->setFocus();
    QTest::keyClicks(name, QStringLiteral("er"));
    QTest::keyClick(widget("St_St"), Qt::Key_F2);
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(name->text(), QStringLiteral("Heim"));
    EXPECT_EQ(program.form.Pkt_l.text, QStringLiteral("0"));
    EXPECT_EQ(action("redo")->text(), QStringLiteral("&Wiederholen: Name Heim\tStrg+Y"));
}

// After a goal key the side's "Nr." box takes the scorer and an assist from the keypad; the next
// match key (Space) is the clock's again.
TEST_F(MainWindowTest, ScorerAndAssistTypedOnTheKeypadAfterTheGoalKey) {
    program.chooseSport(QStringLiteral("eishockey"));
    window.sync();
    QTest::keyClick(window.client(), Qt::Key_F2);
    auto* box = widget<QLineEdit>("playerL");
    ASSERT_EQ(QApplication::focusWidget(), box);
    for (Qt::Key key : {Qt::Key_1, Qt::Key_7, Qt::Key_Enter, Qt::Key_5, Qt::Key_Enter})
        QTest::keyClick(box, key, Qt::KeypadModifier);
    const RecordedEvent& goal = program.record.events().back();
    EXPECT_EQ(goal.number, 17);
    EXPECT_EQ(goal.assists, std::vector<int>{5});
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_TRUE(program.form.ClockRunning);
    EXPECT_NE(QApplication::focusWidget(), box);
}

// A card key with the "Nr." box empty puts the focus there, also while the same side's goal still
// waits for its numbers and the operator has left its box; Enter gives the card.
TEST_F(MainWindowTest, ACardKeyWithoutANumberTakesItInTheSidesBoxAfterAGoal) {
    program.chooseSport(QStringLiteral("handball"));
    window.sync();
    QTest::keyClick(window.client(), Qt::Key_F2);
    auto* box = widget<QLineEdit>("playerL");
    QTest::keyClick(box, Qt::Key_7, Qt::KeypadModifier);
    QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(box, Qt::Key_Escape);
    ASSERT_NE(QApplication::focusWidget(), box);
    QTest::keyClick(window.client(), Qt::Key_F4, Qt::ControlModifier);
    ASSERT_EQ(QApplication::focusWidget(), box);
    QTest::keyClick(box, Qt::Key_9, Qt::KeypadModifier);
    QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(program.record.events().back().what,
              QStringLiteral("Verwarnung #9 (1. Verwarnung der Mannschaft)"));
}

TEST_F(MainWindowTest, TheCloseBoxAsksLikeEnde) {
    QTest::keyClick(window.client(), Qt::Key_F5);
    window.close(); // the clock runs: "Ende" asks, Enter means "Nein"
    QTest::qWait(1);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(dialogs.boxes.back().title, QStringLiteral("Ende"));
}

// In English no German reaches a widget, tool tip, menu or dialog of the window; what the display
// line shows (the names) stays as it is.
TEST(EnglishWindow, ShowsNoGermanText) {
    const test::Catalog catalog = test::readCatalog();
    ASSERT_EQ(installLanguage(QStringLiteral("en")).code, QStringLiteral("en"));
    {
        FakeClock clock;
        FakeDialogs dialogs;
        FakeShell shell;
        FakeSerialDevice serial, second;
        FakeHorn horn{clock};
        FakeStorage storage;
        Program program{clock, dialogs, shell, serial, horn, storage, &second};
        program.start();
        MainWindow window{program};
        window.showKeys();
        window.findChild<QAction*>(QStringLiteral("keyList"))->trigger();
        for (const char* dialog : {"KeySettings", "HornSettings"})
            window.findChild<QAction*>(QString::fromLatin1(dialog))->trigger();
        program.click(program.form.Mess);
        SecondLineDialog line(
            program, [] {}, &window);
        QStringList texts = {dialogs.boxes.back().text};
        for (QAction* a : window.findChildren<QAction*>())
            texts << a->text() << a->toolTip();
        QList<QWidget*> widgets = window.findChildren<QWidget*>() + line.findChildren<QWidget*>();
        widgets << &window << &line;
        for (QWidget* w : widgets) {
            texts << w->toolTip() << w->windowTitle();
            for (const char* property : {"text", "title"})
                if (!qobject_cast<QLineEdit*>(w))
                    texts << w->property(property).toString();
            if (auto* table = qobject_cast<QTableWidget*>(w))
                for (int r = 0; r < table->rowCount(); ++r)
                    for (int c = 0; c < table->columnCount(); ++c)
                        texts << table->item(r, c)->text()
                              << table->horizontalHeaderItem(c)->text();
        }
        // The names on the display line; the language menu names each language in its own.
        const QSet<QString> names{QStringLiteral("heim"), QStringLiteral("gegner"),
                                  QStringLiteral("deutsch")};
        for (const QString& text : texts)
            EXPECT_EQ(test::germanIn(text, catalog, names), QStringList()) << text.toStdString();
        EXPECT_EQ(window.menuBar()->actions().first()->text(), QStringLiteral("&File"));
    }
    installLanguage(QStringLiteral("de"));
}

} // namespace
} // namespace ml::app
