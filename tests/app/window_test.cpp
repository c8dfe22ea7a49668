// The operator's window over a program with the fake platform: layout, first state, the
// operator's clicks and typing, and the message window.

#include "app/main_window.h"
#include "app/window_layout.h"
#include "core/program.h"
#include "platform/fakes/fakes.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
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
    Program program{clock, dialogs, shell, serial};
    MainWindow window{program, clock};
};

// Each edge is rounded on its own, so neighbours keep their joins.
QRect pixelRect(const Place& p) {
    const auto px = [](int twips) { return static_cast<int>(std::lround(twips / 15.0)); };
    return QRect(QPoint(px(p.left), px(p.top)),
                 QPoint(px(p.left + p.width) - 1, px(p.top + p.height) - 1));
}

TEST_F(MainWindowTest, EveryControlHasOneWidgetOrMenuEntryAtItsPlaceShowingItsFirstState) {
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
        EXPECT_EQ(w->geometry(), pixelRect(l.place));
        EXPECT_EQ(w->isVisibleTo(window.client()), c->visible);
        EXPECT_EQ(w->isEnabled(), c->enabled);
        EXPECT_EQ(w->toolTip().isEmpty(), l.toolTip == nullptr && l.picture != Picture::Banner);
        EXPECT_EQ(w->font().bold(), l.look == Look::Preview);
        // Boxes, labels and check boxes show their text whole; buttons may wrap a caption.
        const QVariant shown = c->kind == Kind::Button ? QVariant() : w->property("text");
        EXPECT_EQ(shown.toString(),
                  shown.isValid() ? static_cast<const TextControl*>(c)->text : QString());
        if (auto* e = qobject_cast<QLineEdit*>(w)) {
            EXPECT_EQ(e->maxLength(), l.maxLength ? l.maxLength : 32767);
        }
    }
    // Landmarks written out once, independent of the table.
    EXPECT_EQ(widget("St_St")->geometry(), QRect(219, 128, 73, 33));
    EXPECT_EQ(widget<QLineEdit>("Text_r")->alignment(), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(widget("TimeOut")->palette().color(QPalette::WindowText), QColor(Qt::yellow));
    EXPECT_EQ(widget<QLabel>("TimeOut")->textFormat(), Qt::PlainText); // text is never markup
    for (const MenuLayout& m : menuLayout()) {
        SCOPED_TRACE(m.name);
        QAction* a = action(m.name);
        ASSERT_NE(a, nullptr);
        EXPECT_TRUE((m.parent ? action(m.parent)->menu()->actions() : window.menuBar()->actions())
                        .contains(a));
        const auto* item = static_cast<MenuItem*>(program.form.control(a->objectName()));
        EXPECT_EQ(a->text(), item->text);
        EXPECT_EQ(a->isCheckable(), m.checkable);
    }
    EXPECT_EQ(action("HL_Prog")->menu()->actions().last()->property("index").toInt(), 16);
}

TEST_F(MainWindowTest, StartThenTheNextSecondBoundaryCountsOnScreen) {
    click("St_St");
    clock.advance(1);
    window.scheduler().runBoundary(true);
    EXPECT_EQ(widget<QLineEdit>("D_Sec")->text(), QStringLiteral("59"));
}

TEST_F(MainWindowTest, ScoreButtonsStepAndTheDirectionMenuSwapsThePairsInPlace) {
    click("up_l");
    EXPECT_EQ(widget<QLineEdit>("Pkt_l")->text(), QStringLiteral("1"));
    action("down")->trigger();
    action("down")->trigger(); // the ticked item again keeps its mark; Qt alone would clear it
    EXPECT_TRUE(action("down")->isChecked());
    EXPECT_FALSE(widget("up_l")->isVisible());
    click("down_r");
    EXPECT_EQ(widget<QLineEdit>("Pkt_r")->text(), QStringLiteral("-1"));
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

TEST_F(MainWindowTest, PastedLineBreakAndControlCharactersBecomeBlanks) {
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

TEST_F(MainWindowTest, CheckBoxClickRunsItsHandlerOnceAndCodeUnticksTheWidget) {
    click("Uhr"); // a second run would tick the box off again
    EXPECT_TRUE(widget<QCheckBox>("Uhr")->isChecked());
    click("Prog"); // clears the time of day from code
    EXPECT_FALSE(widget<QCheckBox>("Uhr")->isChecked());
}

// Every button, check box, clickable image and leaf menu item that the windows offer carries a
// handler, and no other control does: a click never reaches nothing.
TEST_F(MainWindowTest, EveryClickableControlAndNoOtherHasAHandler) {
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

TEST_F(MainWindowTest, HandlerMessageBoxIsAnsweredWithoutBlockingAndBannerOpensTheSite) {
    click("Help_text");
    EXPECT_EQ(dialogs.boxes.size(), 1u);
    click("Image1");
    EXPECT_EQ(shell.opened.size(), 1);
}

TEST_F(MainWindowTest, PreviewDigitsAreRedOnBlack) {
    const QImage img = widget("D_Min")->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(img.pixel(1, 1), qRgb(0, 0, 0));
    const auto* px = reinterpret_cast<const QRgb*>(img.constBits());
    EXPECT_GT(std::count(px, px + img.width() * img.height(), qRgb(255, 0, 0)), 0);
}

TEST_F(MainWindowTest, MessageWindowIsReplacedInPlaceAndEitherCloseDestroysIt) {
    action("Mess")->trigger();
    QPointer<MessageView> view = window.messageView();
    ASSERT_FALSE(view.isNull());
    action("abbout")->trigger();
    ASSERT_EQ(window.messageView(), view);
    program.form.Image1.enabled = false; // the click reaches the message window's own banner
    click("Image1", view);
    EXPECT_EQ(shell.opened.size(), 1);
    const QString shown = widget<QPlainTextEdit>("T_Message", view)->toPlainText();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Marklight - Version 1.02\n\n")));
    for (bool closeBox : {false, true}) {
        closeBox ? void(view->close()) : click("btnClose", view);
        QTest::qWait(1);
        EXPECT_TRUE(view.isNull());
        action("Mess")->trigger(); // made again from its design-time state
        ASSERT_TRUE(view = window.messageView());
    }
}

} // namespace
} // namespace ml::app
