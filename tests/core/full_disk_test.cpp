// A match on a disk that fills up: the real storage on a 64 KiB tmpfs (mounting it needs root;
// skipped otherwise). The old state survives every write that does not fit, the status line
// says why, and a crash then resumes the last state that fit.

#include "core/program.h"
#include "platform/fakes/fakes.h"
#include "platform/qt_storage.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

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
                           QStringLiteral("mount -t tmpfs -o size=64k tmpfs ") + dir.path()}) != 0)
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

    // A crash, no "Ende": its lock stays behind, naming a process that has ended.
    QFile lock(dir.path() + QStringLiteral("/data/state.lock"));
    ASSERT_TRUE(lock.open(QIODevice::ReadOnly));
    QByteArray held = lock.readAll();
    lock.close();
    run.reset();
    QProcess ended;
    ended.start(QStringLiteral("true"));
    held.replace(0, held.indexOf('\n'), QByteArray::number(ended.processId()));
    ended.waitForFinished();
    QFile::remove(filler);
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly) && lock.write(held) == held.size());
    lock.close();
    QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), fill});
    run = std::make_unique<Desk>(dir.path());
    EXPECT_EQ(run->p.form.Pkt_l.text, QStringLiteral("3"));
    run.reset();
}

} // namespace
} // namespace ml::test
