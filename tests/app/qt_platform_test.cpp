// The Qt side of the platform: timers on the time of day's boundaries and message boxes.

#include "app/precise_wake.h"
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

// The program as the scheduler sees it: whether its step runs, and when it wants the next.
struct TickSchedulerTest : ::testing::Test {
    QStringList steps;
    bool busy = false;
    qint64 next = 400;
    TickScheduler scheduler{{[this] {
                                 steps << (busy ? "skipped" : "step");
                                 return !busy;
                             },
                             [this] { return next; }, [this] { steps << "after"; }}};
};

TEST_F(TickSchedulerTest, StartStepsAtOnceThenArmsForTheMomentTheProgramAsks) {
    scheduler.start();
    EXPECT_EQ(steps, QStringList({"step", "after"}));
    EXPECT_GT(scheduler.pendingMs(), 300);
    next = 20;
    scheduler.reschedule();
    EXPECT_LE(scheduler.pendingMs(), 20);
    steps.clear();
    ASSERT_TRUE(QTest::qWaitFor([&] { return steps.contains("after"); }, 2000));
}

TEST_F(TickSchedulerTest, AWakeSkippedBehindATicksBoxLeavesTheNextWakeToThatTick) {
    scheduler.start();
    busy = true;
    next = 0;
    steps.clear();
    scheduler.reschedule();
    QTest::qWait(50);
    EXPECT_EQ(steps, QStringList({"skipped"})) << "no wake-up spins while the box is up";
    EXPECT_FALSE(scheduler.pending());
}

// A wake-up that expired and is then armed anew (the program asked again before its step ran)
// must wait for the new moment, not fire on the old one.
TEST(PreciseWakeTest, ComesNoEarlierThanTheMillisecondLastArmedFor) {
    qint64 wokenAt = -1;
    PreciseWake wake([&] { wokenAt = PreciseWake::nowMs(); });
    wake.armAt(PreciseWake::nowMs() + 2);
    QTest::qSleep(10); // expired, and not yet seen by the event loop
    const qint64 at = PreciseWake::nowMs() + 40;
    wake.armAt(at);
    ASSERT_TRUE(QTest::qWaitFor([&] { return wokenAt >= 0; }, 2000));
    EXPECT_GE(wokenAt, at);
    EXPECT_FALSE(wake.armed());
}

TEST(QtDialogsTest, BoxShowsPlainTextWithAGermanCancel) {
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

TEST(QtDialogsTest, EnterInAJaNeinBoxGivesTheDefault) {
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
