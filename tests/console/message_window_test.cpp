#include "console/event_log.h"
#include "console/message_window.h"
#include "platform/fakes/fakes.h"

#include <gtest/gtest.h>

namespace ml {
namespace {

class MessageWindowTest : public ::testing::Test {
  protected:
    MessageWindowTest() { messages.registerHandlers(handlers); }
    void click(const char* name) { handlers.click[QString::fromLatin1(name)](); }
    Form form;
    Handlers handlers;
    FakeClock clock;
    FakeShell shell;
    EventLog log{form, clock};
    MessageWindowModel messages{form, shell};
    const MessageWindow& window = form.frmMessage;
};

TEST_F(MessageWindowTest, OnlyExactly175CharactersGoIntoTheLabel) {
    for (int n : {175, 174, 176, 0, 175}) {
        const QString text(n, QLatin1Char('a' + n % 26));
        messages.ShowMessage(text);
        const bool inLabel = n == 175;
        EXPECT_TRUE(window.exists);
        EXPECT_EQ(window.lblMessage.visible, inLabel) << n;
        EXPECT_EQ(window.T_Message.visible, !inLabel) << n;
        EXPECT_EQ(inLabel ? window.lblMessage.text : window.T_Message.text, text) << n;
    }
}

TEST_F(MessageWindowTest, AboutTextIsVersionLineEmptyLineAndDescription) {
    click("abbout");
    EXPECT_EQ(window.T_Message.text,
              QStringLiteral("Marklight - Version 1.02\r\n\r\n"
                             "Dieses Programm erweitert die Anzeigelinie zu einem Scoreboard"));
}

TEST_F(MessageWindowTest, MeldungenShowsACopyThatDoesNotGrow) {
    log.start();
    click("abbout");
    click("Mess");
    const QString shown = form.Text1.text;
    EXPECT_EQ(window.T_Message.text, shown);
    log.addLine(QStringLiteral(" +++ Vorhandene COM-Ports abfragen"));
    EXPECT_EQ(window.T_Message.text, shown);
    click("Mess");
    EXPECT_EQ(window.T_Message.text, form.Text1.text);
}

TEST_F(MessageWindowTest, CloseDestroysAndNextShowStartsFromDesignState) {
    messages.ShowMessage(QString(175, QLatin1Char('x')));
    click("btnClose");
    EXPECT_FALSE(window.exists);
    log.start();
    click("Mess");
    EXPECT_TRUE(window.exists);
    EXPECT_FALSE(window.lblMessage.visible);
    EXPECT_EQ(window.lblMessage.text, QStringLiteral("Message"));
    EXPECT_EQ(window.T_Message.text, form.Text1.text);
}

TEST_F(MessageWindowTest, BannerOpensMakersWebSite) {
    click("Image1");
    EXPECT_EQ(shell.opened, QStringList{kMakerWebSite});
}

} // namespace
} // namespace ml
