// A match on a disk that fills up: the real storage on a small tmpfs (mounting it needs root;
// skipped otherwise). The old state survives every write that does not fit, the status line
// says why, and a match killed on the full disk is offered again at the next start.

#include "core/program.h"
#include "platform/fakes/fakes.h"
#include "platform/qt_storage.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace ml::test {
namespace {

struct Desk {
    explicit Desk(const QString& dir) : storage(dir + "/config", dir + "/data") {
        dialogs.answerNext(Answer::Yes);
        p.start();
    }
    FakeClock clock{QStringLiteral("10:00:00")};
    FakeDialogs dialogs;
    FakeShell shell;
    FakeSerialDevice device;
    FakeHorn horn{clock};
    QtStorage storage;
    Program p{clock, dialogs, shell, device, horn, storage};
};

TEST(FullDisk, MatchResumesFromTheLastStateThatFit) {
    QTemporaryDir dir;
    if (QProcess::execute(QStringLiteral("sh"),
                          {QStringLiteral("-c"),
                           QStringLiteral("mount -t tmpfs -o size=256k tmpfs ") + dir.path()}) != 0)
        GTEST_SKIP() << "no tmpfs could be mounted (needs root)";
    const std::shared_ptr<void> unmount(
        nullptr, [&dir](void*) { QProcess::execute(QStringLiteral("umount"), {dir.path()}); });
    auto run = std::make_unique<Desk>(dir.path());
    run->p.type(run->p.form.Pkt_l, QStringLiteral("3"));
    run->storage.flush();
    const QString filler = dir.path() + QStringLiteral("/filler");
    const QString fill = "cat /dev/zero >" + filler;
    QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), fill});

    run->p.type(run->p.form.Pkt_l, QStringLiteral("4"));
    run->storage.flush();
    run->p.tick();
    EXPECT_TRUE(run->p.form.StatusLine.text.startsWith(
        QStringLiteral("Spielstand kann nicht gespeichert werden: Datenträger voll (") +
        run->storage.statePath() + QLatin1Char(')')));
    run->dialogs.chooseFileNext(dir.path() + QStringLiteral("/bericht.txt"));
    run->p.click(run->p.form.SaveReport);
    EXPECT_TRUE(run->dialogs.boxes.back().text.contains(QStringLiteral("Datenträger voll")));
    EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/bericht.txt")));
    EXPECT_FALSE(run->p.form.Text1.text.contains(QStringLiteral("Spielbericht gespeichert")));

    // Ended without "Ende" while the disk is full: the next start offers the last state that fit.
    run.reset();
    run = std::make_unique<Desk>(dir.path());
    EXPECT_EQ(run->p.form.Pkt_l.text, QStringLiteral("3"));
    run.reset();
    QFile::remove(filler);

    // A crash on the full disk: the match in a process of its own, killed with SIGKILL once its
    // clock runs on disk, and not yet reaped (its parent has not been told), when the next run
    // starts.
    const QString crashed = dir.path() + QStringLiteral("/crashed");
    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::execl(CRASH_MATCH_PATH, "crash_match", qPrintable(crashed), "1", nullptr);
        ::_exit(127);
    }
    ::close(out[1]);
    QByteArray said;
    char c = 0;
    while (!said.startsWith("T ") && ::read(out[0], &c, 1) == 1)
        said = c == '\n' ? QByteArray() : said + c;
    ASSERT_TRUE(said.startsWith("T "));
    QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), fill});
    ::kill(pid, SIGKILL);
    siginfo_t ended{};
    ASSERT_EQ(::waitid(P_PID, id_t(pid), &ended, WEXITED | WNOWAIT), 0);
    ::close(out[0]);
    run = std::make_unique<Desk>(crashed);
    ::waitpid(pid, nullptr, 0);
    ASSERT_FALSE(run->dialogs.boxes.empty());
    EXPECT_TRUE(run->dialogs.boxes.front().text.startsWith(
        QStringLiteral("Das letzte Spiel wurde nicht beendet")));
    EXPECT_TRUE(run->p.form.ClockRunning);
    run.reset();
}

} // namespace
} // namespace ml::test
