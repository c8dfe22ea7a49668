// The Qt side of the platform: timers on the time of day's boundaries and message boxes.

#include "app/qt_platform.h"
#include "app/tick_scheduler.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace ml::app {
namespace {

// The fixture is the clock: the test sets the milliseconds past the second.
struct TickSchedulerTest : ::testing::Test, Clock {
    QString timeOfDay() const override { return {}; }
    qint64 wallMs() const override { return wall; }
    qint64 monotonicMs() const override { return wall; }
    qint64 wall = 600;
    void lastMinute() {
        form.Timer2.interval = 100;
        form.Timer2.enabled = form.Timer3.enabled = true;
    }
    Form form;
    QStringList steps;
    std::function<void()> step(const char* name) {
        return [this, name] { steps << name; };
    }
    TickScheduler scheduler{
        form,
        *this,
        {[this](bool second) { steps << (second ? "second" : "tenth"); }, step("after")}};
};

TEST_F(TickSchedulerTest, ArmsOnTheNextSecondThenOnTenthsAndKeepsAWakeUpThatStillFits) {
    scheduler.start();
    // A handler just before the boundary must not re-arm and so skip the boundary.
    wall = 10;
    scheduler.reschedule();
    EXPECT_LE(scheduler.pendingMs(), 400 + TickScheduler::kLateMs);
    lastMinute();
    wall = 70;
    scheduler.reschedule();
    EXPECT_LE(scheduler.pendingMs(), 30 + TickScheduler::kLateMs);
    EXPECT_FALSE(scheduler.pendingOnSecond());
    form.Timer2.enabled = form.Timer3.enabled = false;
    scheduler.reschedule();
    EXPECT_FALSE(scheduler.pending());
    lastMinute(); // a tenth that is also a second counts as a second
    wall = 940;
    scheduler.reschedule();
    EXPECT_TRUE(scheduler.pendingOnSecond());
}

TEST_F(TickSchedulerTest, StartStepsAtOnceThenWakesOnlyOnceTheBoundaryHasPassed) {
    wall = 999;
    scheduler.start();
    EXPECT_EQ(steps, QStringList({"second", "after"}));
    steps.clear();
    QTest::qWait(30); // still "1 ms before the second" when it fires: wait, do not step
    EXPECT_TRUE(steps.isEmpty());
    wall = 3;
    ASSERT_TRUE(QTest::qWaitFor([&] { return steps.contains("second"); }, 2000));
    EXPECT_TRUE(scheduler.pending());
}

TEST(QtDialogsTest, BoxShowsPlainTextWithGermanCancelAndReportsCancel) {
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), QStringLiteral("Fehler <b>5</b>\n\nZeit"));
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(box->button(QMessageBox::Cancel)->text(), QStringLiteral("Abbrechen"));
        box->button(QMessageBox::Cancel)->click();
    });
    QtDialogs dialogs;
    EXPECT_EQ(dialogs.messageBox(QStringLiteral("Fehler <b>5</b>\r\n\r\nZeit"),
                                 QStringLiteral("1.0"), Icon::Critical, Buttons::OkCancel),
              Answer::Cancel);
}

TEST(QtDialogsTest, YesNoBoxSaysJaNeinAndEnterGivesTheDefault) {
    for (const Answer preset : {Answer::Yes, Answer::No}) {
        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->button(QMessageBox::Yes)->text(), QStringLiteral("Ja"));
            EXPECT_EQ(box->button(QMessageBox::No)->text(), QStringLiteral("Nein"));
            QTest::keyClick(box, Qt::Key_Return);
        });
        QtDialogs dialogs;
        EXPECT_EQ(dialogs.messageBox(QStringLiteral("Fortsetzen?"), QStringLiteral("Marklight"),
                                     Icon::None, Buttons::YesNo, preset),
                  preset);
    }
}

} // namespace
} // namespace ml::app
