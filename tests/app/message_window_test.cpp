#include "app_fixture.h"

#include "app/message_view.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPlainTextEdit>

namespace ml::app::testing {
namespace {

using MessageWindowOnScreen = WindowTest;

TEST_F(MessageWindowOnScreen, MeldungenOpensANonModalWindowWithTheLogNewestFirst) {
    showWindow();
    ASSERT_EQ(window->messageView(), nullptr);
    action("Mess")->trigger();
    MessageView* view = window->messageView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->windowTitle(), QStringLiteral("Message"));
    EXPECT_TRUE(view->isVisible());
    EXPECT_FALSE(view->isModal());
    auto* text = view->findChild<QPlainTextEdit*>(QStringLiteral("T_Message"));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(text->toPlainText().isEmpty());
    EXPECT_EQ(text->toPlainText(), program.form.Text1.text.replace("\r\n", "\n"));
    EXPECT_FALSE(view->findChild<QLabel*>(QStringLiteral("lblMessage"))->isVisible());
    EXPECT_EQ(view->findChild<QAbstractButton*>(QStringLiteral("btnClose"))->text(),
              QStringLiteral("&Close"));
}

TEST_F(MessageWindowOnScreen, AboutReplacesTheShownLogInTheSameWindow) {
    showWindow();
    action("Mess")->trigger();
    MessageView* first = window->messageView();
    action("abbout")->trigger();
    ASSERT_EQ(window->messageView(), first);
    auto* text = first->findChild<QPlainTextEdit*>(QStringLiteral("T_Message"));
    EXPECT_TRUE(text->toPlainText().startsWith(QStringLiteral("Marklight - Version 1.02\n\n")));
}

TEST_F(MessageWindowOnScreen, TextOf175CharactersShowsInTheLabelAsPlainText) {
    showWindow();
    const QString text = QStringLiteral("<b>") + QString(172, QLatin1Char('x'));
    program.messages.ShowMessage(text);
    window->sync();
    auto* label = window->messageView()->findChild<QLabel*>(QStringLiteral("lblMessage"));
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->text(), text);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_FALSE(
        window->messageView()->findChild<QWidget*>(QStringLiteral("T_Message"))->isVisible());
}

TEST_F(MessageWindowOnScreen, CloseButtonAndCloseBoxBothDestroyTheWindow) {
    showWindow();
    action("Mess")->trigger();
    QPointer<MessageView> view = window->messageView();
    QTest::mouseClick(view->findChild<QWidget*>(QStringLiteral("btnClose")), Qt::LeftButton);
    EXPECT_FALSE(program.form.frmMessage.exists);
    EXPECT_EQ(window->messageView(), nullptr);
    QTest::qWait(1);
    EXPECT_TRUE(view.isNull());

    action("abbout")->trigger();
    view = window->messageView();
    ASSERT_FALSE(view.isNull());
    view->close();
    EXPECT_FALSE(program.form.frmMessage.exists);
    QTest::qWait(1);
    EXPECT_TRUE(view.isNull());

    // Created again from its design-time state.
    action("Mess")->trigger();
    EXPECT_NE(window->messageView(), nullptr);
}

TEST_F(MessageWindowOnScreen, BannerOfTheMessageWindowOpensTheMakersSite) {
    showWindow();
    action("Mess")->trigger();
    QTest::mouseClick(window->messageView()->findChild<QWidget*>(QStringLiteral("Image1")),
                      Qt::LeftButton);
    EXPECT_EQ(shell.opened.size(), 1);
}

} // namespace
} // namespace ml::app::testing
