// The operator's window over a program with the fake platform: layout, first state, the
// operator's clicks and typing, and the message window.

#include "app/main_window.h"
#include "app/window_layout.h"
#include "core/program.h"
#include "display/text_fitting.h"
#include "platform/fakes/fakes.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace ml::app {
namespace {

class WindowTest : public ::testing::Test {
  protected:
    WindowTest() {
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
    QString text(const char* name) { return widget<QLineEdit>(name)->text(); }
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

using MainWindowLayout = WindowTest;

TEST_F(MainWindowLayout, EveryControlHasOneWidgetAtItsPlaceShowingItsFirstState) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Marklight"));
    EXPECT_EQ(window.client()->geometry(), QRect(0, window.menuBar()->height(), 513, 341));
    EXPECT_EQ(window.size(), QSize(513, window.menuBar()->height() + 341));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    for (Control* c : program.form.controls()) {
        const qsizetype n = c->kind == Kind::MenuItem
                                ? window.findChildren<QAction*>(c->name).size()
                                : window.client()->findChildren<QWidget*>(c->name).size();
        EXPECT_EQ(n, c->name == QLatin1String("HLProgr") ? 16 : 1) << c->name.toStdString();
    }
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
        const auto* tc = dynamic_cast<const TextControl*>(c);
        if (auto* e = qobject_cast<QLineEdit*>(w)) {
            EXPECT_EQ(e->text(), tc->text);
            EXPECT_EQ(e->alignment(), l.align);
            EXPECT_EQ(e->maxLength(), l.maxLength ? l.maxLength : 32767);
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            EXPECT_EQ(label->text(), tc->text);
            EXPECT_EQ(label->textFormat(), Qt::PlainText); // operator text is never markup
        }
    }
    // Landmarks written out once, independent of the table.
    EXPECT_EQ(widget("St_St")->geometry(), QRect(219, 128, 73, 33));
    EXPECT_EQ(widget("Prog")->toolTip(),
              QStringLiteral("Startet das unter \"Extras-Programme\" gewählte Programm auf der "
                             "Anzeigelinie "));
    EXPECT_TRUE(QFontInfo(widget("D_Min")->font()).fixedPitch());
    EXPECT_EQ(widget<QLineEdit>("Text_r")->alignment(), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(widget("TimeOut")->palette().color(QPalette::WindowText), QColor(Qt::yellow));
}

TEST_F(MainWindowLayout, MenusNestAsLaidOutWithTheFormsCaptionsAndCheckMarks) {
    for (const MenuLayout& m : menuLayout()) {
        SCOPED_TRACE(m.name);
        QAction* a = action(m.name);
        ASSERT_NE(a, nullptr);
        EXPECT_TRUE((m.parent ? action(m.parent)->menu()->actions() : window.menuBar()->actions())
                        .contains(a));
        const auto* item = static_cast<MenuItem*>(program.form.control(a->objectName()));
        EXPECT_EQ(a->text(), item->text);
        EXPECT_EQ(a->isCheckable(), m.checkable);
        EXPECT_EQ(a->isChecked(), item->checked);
    }
    EXPECT_EQ(action("HL_Prog")->menu()->actions().last()->property("index").toInt(), 16);
}

using MainWindowActions = WindowTest;

TEST_F(MainWindowActions, StartThenTheNextSecondBoundaryCountsOnScreen) {
    click("St_St");
    clock.advance(1);
    window.scheduler().runBoundary(true);
    EXPECT_EQ(text("D_Min"), QStringLiteral("19"));
    EXPECT_EQ(text("D_Sec"), QStringLiteral("59"));
}

TEST_F(MainWindowActions, ScoreButtonsStepAndTheDirectionMenuSwapsThePairsInPlace) {
    click("up_l");
    EXPECT_EQ(text("Pkt_l"), QStringLiteral("1"));
    action("down")->trigger();
    EXPECT_FALSE(action("up")->isChecked());
    click("down_r");
    EXPECT_EQ(text("Pkt_r"), QStringLiteral("-1"));
    // Choosing the ticked item again keeps its mark (Qt alone would toggle it off).
    action("down")->trigger();
    EXPECT_TRUE(action("down")->isChecked());
    action("up")->trigger();
    EXPECT_TRUE(widget("up_l")->isVisible());
    EXPECT_FALSE(widget("down_l")->isVisible());
}

TEST_F(MainWindowActions, ClickIntoAClockBoxSelectsAllSoTypingReplacesIt) {
    auto* minutes = widget<QLineEdit>("D_Min");
    QTest::mouseClick(minutes, Qt::LeftButton, {}, QPoint(10, 20));
    QTest::qWait(1);
    EXPECT_EQ(minutes->selectedText(), QStringLiteral("20"));
    QTest::keyClick(minutes, Qt::Key_5);
    EXPECT_EQ(program.form.D_Min.text, QStringLiteral("5"));
}

TEST_F(MainWindowActions, SystemTextBeyondTheTypingLimitIsShownWhole) {
    program.form.Pkt_l.text = QStringLiteral("1000");
    window.sync();
    EXPECT_EQ(text("Pkt_l"), QStringLiteral("1000"));
    program.form.Pkt_l.text = QStringLiteral("12");
    window.sync();
    EXPECT_EQ(widget<QLineEdit>("Pkt_l")->maxLength(), 3);
}

TEST_F(MainWindowActions, CheckBoxClickRunsItsHandlerOnceAndCascadesReachTheWidgets) {
    click("Uhr"); // a second run would tick the box off again
    EXPECT_TRUE(widget<QCheckBox>("Uhr")->isChecked());
    EXPECT_TRUE(widget("Uhr_anz")->isVisible());
    click("Prog"); // clears the time of day from code
    EXPECT_FALSE(widget<QCheckBox>("Uhr")->isChecked());
    EXPECT_TRUE(widget("Show_Prog")->isVisible());
}

TEST_F(MainWindowActions, HandlerMessageBoxIsAnsweredWithoutBlockingAndBannerOpensTheSite) {
    click("Help_text");
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_TRUE(dialogs.boxes[0].text.startsWith(QStringLiteral("geänderter Text")));
    click("Image1");
    EXPECT_EQ(shell.opened.size(), 1);
}

TEST_F(MainWindowActions, PreviewIsRedOnBlackAndFollowsThePaleColour) {
    const auto has = [&](QRgb rgb) {
        const QImage img = widget("D_Min")->grab().toImage();
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixel(x, y) == (rgb | 0xFF000000))
                    return true;
        return false;
    };
    EXPECT_EQ(QColor(widget("D_Min")->grab().toImage().pixel(1, 1)), QColor(Qt::black));
    EXPECT_TRUE(has(0xFF0000));
    program.form.D_Min.foreColor = kPaleRed;
    window.sync();
    EXPECT_FALSE(has(0xFF0000));
    EXPECT_TRUE(has(kPaleRed));
}

using MessageWindowOnScreen = WindowTest;

TEST_F(MessageWindowOnScreen, OpensNonModalIsReplacedInPlaceAndCloseDestroysIt) {
    action("Mess")->trigger();
    QPointer<MessageView> view = window.messageView();
    ASSERT_FALSE(view.isNull());
    EXPECT_FALSE(view->isModal());
    auto* log = widget<QPlainTextEdit>("T_Message", view);
    EXPECT_EQ(log->toPlainText(), program.form.Text1.text.replace("\r\n", "\n"));
    action("abbout")->trigger();
    ASSERT_EQ(window.messageView(), view);
    EXPECT_TRUE(log->toPlainText().startsWith(QStringLiteral("Marklight - Version 1.02\n\n")));
    for (bool closeBox : {false, true}) {
        closeBox ? void(view->close()) : click("btnClose", view);
        EXPECT_FALSE(program.form.frmMessage.exists);
        QTest::qWait(1);
        EXPECT_TRUE(view.isNull());
        action("Mess")->trigger(); // made again from its design-time state
        view = window.messageView();
        ASSERT_FALSE(view.isNull());
    }
}

} // namespace
} // namespace ml::app
