#include "app/qt_platform.h"

#include "app_fixture.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>

namespace ml::app::testing {
namespace {

struct SeenBox {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::TextFormat format = Qt::AutoText;
    QStringList buttons;
};

// Reads the box that the next event loop shows, then presses `press` on it.
void answerNextBox(SeenBox& seen, QMessageBox::StandardButton press) {
    QTimer::singleShot(0, [&seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->icon(), box->textFormat(), {}};
        for (QAbstractButton* b : box->buttons())
            seen.buttons << b->text();
        box->button(press)->click();
    });
}

TEST(QtDialogsTest, CriticalOkCancelBoxShowsPlainTextAndReportsCancel) {
    application();
    QtDialogs dialogs;
    SeenBox seen;
    answerNextBox(seen, QMessageBox::Cancel);
    const Answer a = dialogs.messageBox(QStringLiteral("Fehler <b>5</b>\r\n\r\nZeit"),
                                        QStringLiteral("1.0"), Icon::Critical, Buttons::OkCancel);
    EXPECT_EQ(a, Answer::Cancel);
    EXPECT_EQ(seen.title, QStringLiteral("1.0"));
    EXPECT_EQ(seen.text, QStringLiteral("Fehler <b>5</b>\n\nZeit"));
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.format, Qt::PlainText);
    EXPECT_TRUE(seen.buttons.contains(QStringLiteral("Abbrechen")));
}

TEST(QtDialogsTest, OkOnlyBoxWithoutIconReportsOk) {
    application();
    QtDialogs dialogs;
    SeenBox seen;
    answerNextBox(seen, QMessageBox::Ok);
    EXPECT_EQ(dialogs.messageBox(QStringLiteral("x"), QStringLiteral("t"), Icon::None, Buttons::Ok),
              Answer::Ok);
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons.size(), 1);
}

} // namespace
} // namespace ml::app::testing
