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

// The fixture is the clock: the test sets the distances to the next boundaries.
struct TickSchedulerTest : ::testing::Test, Clock {
    QString timeOfDay() const override { return {}; }
    int msToNextSecond() const override { return toSecond; }
    int msToNextTenth() const override { return toTenth; }
    int toSecond = 400, toTenth = 100;
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
    toSecond = 990;
    scheduler.reschedule();
    EXPECT_LE(scheduler.pendingMs(), 400 + TickScheduler::kLateMs);
    lastMinute();
    toTenth = 30;
    scheduler.reschedule();
    EXPECT_LE(scheduler.pendingMs(), 30 + TickScheduler::kLateMs);
    EXPECT_FALSE(scheduler.pendingOnSecond());
    form.Timer2.enabled = form.Timer3.enabled = false;
    scheduler.reschedule();
    EXPECT_FALSE(scheduler.pending());
    lastMinute(); // a tenth that is also a second counts as a second
    toSecond = toTenth = 60;
    scheduler.reschedule();
    EXPECT_TRUE(scheduler.pendingOnSecond());
}

TEST_F(TickSchedulerTest, StartStepsAtOnceThenWakesOnlyOnceTheBoundaryHasPassed) {
    toSecond = 1;
    scheduler.start();
    EXPECT_EQ(steps, QStringList({"second", "after"}));
    steps.clear();
    QTest::qWait(30); // still "1 ms before the second" when it fires: wait, do not step
    EXPECT_TRUE(steps.isEmpty());
    toSecond = 997;
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

} // namespace
} // namespace ml::app
