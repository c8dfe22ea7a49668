#include "app/tick_scheduler.h"

#include "app_fixture.h"

#include <QStringList>

namespace ml::app::testing {
namespace {

// A clock whose distances to the next boundaries are set by the test.
class ScriptClock : public Clock {
  public:
    QString timeOfDay() const override { return QStringLiteral("12:00:00"); }
    int msToNextSecond() const override { return toSecond; }
    int msToNextTenth() const override { return toTenth; }
    int toSecond = 400;
    int toTenth = 100;
};

class TickSchedulerTest : public ::testing::Test {
  protected:
    TickSchedulerTest() { application(); }

    void lastMinute() {
        form.Timer2.interval = 100;
        form.Timer3.enabled = true;
    }

    Form form;
    ScriptClock clock;
    QStringList steps;
    TickScheduler scheduler{
        form,
        clock,
        {[this] { steps << "tenths"; }, [this] { steps << "tick"; }, [this] { steps << "after"; }}};
};

TEST_F(TickSchedulerTest, SecondBoundaryInLastMinuteRunsTenthsBeforeTick) {
    lastMinute();
    scheduler.runBoundary(true);
    EXPECT_EQ(steps, QStringList({"tenths", "tick", "after"}));
}

TEST_F(TickSchedulerTest, SlowTickRunsOnlyOnSecondBoundaries) {
    form.Timer3.enabled = true; // stopped in the last minute: the tick is back at 1000 ms
    scheduler.runBoundary(false);
    EXPECT_EQ(steps, QStringList({"tenths", "after"}));
    steps.clear();
    scheduler.runBoundary(true);
    EXPECT_EQ(steps, QStringList({"tenths", "tick", "after"}));
}

TEST_F(TickSchedulerTest, ArmsOnTheNextSecondThenOnTenthsInTheLastMinute) {
    scheduler.start();
    ASSERT_TRUE(scheduler.pending());
    EXPECT_TRUE(scheduler.pendingOnSecond());
    EXPECT_LE(scheduler.pendingMs(), 400 + TickScheduler::kLateMs);
    EXPECT_GT(scheduler.pendingMs(), 300);

    clock.toTenth = 30;
    lastMinute();
    scheduler.reschedule();
    EXPECT_LE(scheduler.pendingMs(), 30 + TickScheduler::kLateMs);
    EXPECT_FALSE(scheduler.pendingOnSecond());

    form.Timer2.enabled = false;
    form.Timer3.enabled = false;
    scheduler.reschedule();
    EXPECT_FALSE(scheduler.pending());
}

TEST_F(TickSchedulerTest, TenthThatIsAlsoASecondIsMarkedAsSecond) {
    lastMinute();
    clock.toSecond = 60;
    clock.toTenth = 60;
    scheduler.start();
    EXPECT_TRUE(scheduler.pendingOnSecond());
}

TEST_F(TickSchedulerTest, RescheduleWithoutChangeKeepsThePendingWakeUp) {
    scheduler.start();
    // A handler runs just before the boundary; re-arming now would skip the boundary.
    clock.toSecond = 990;
    scheduler.reschedule();
    EXPECT_LE(scheduler.pendingMs(), 400 + TickScheduler::kLateMs);
}

TEST_F(TickSchedulerTest, WakeUpRunsTheBoundaryAndArmsTheNext) {
    clock.toSecond = 1;
    scheduler.start();
    clock.toSecond = 997; // the boundary has passed when the timer fires
    ASSERT_TRUE(QTest::qWaitFor([&] { return steps.contains("tick"); }, 2000));
    EXPECT_EQ(steps.first(), QStringLiteral("tick"));
    EXPECT_TRUE(scheduler.pending());
}

TEST_F(TickSchedulerTest, EarlyWakeUpWaitsForItsBoundaryInsteadOfSteppingTwice) {
    clock.toSecond = 1;
    scheduler.start();
    QTest::qWait(30); // still "1 ms before the second" when it fires
    EXPECT_TRUE(steps.isEmpty());
    EXPECT_TRUE(scheduler.pending());
}

} // namespace
} // namespace ml::app::testing
