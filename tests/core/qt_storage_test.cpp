// The files of the real storage in a temporary folder.

#include "platform/qt_storage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ml {
namespace {

struct QtStorageTest : ::testing::Test {
    QTemporaryDir dir;
    QString config = dir.path() + QStringLiteral("/config");
    QString data = dir.path() + QStringLiteral("/data");
};

TEST_F(QtStorageTest, EverythingWrittenIsReadBackByTheNextRun) {
    const QVariantMap settings{{QStringLiteral("homeName"), QStringLiteral("Füchse, Bären")},
                               {QStringLiteral("baud"), QStringLiteral("2400")}};
    QString record;
    {
        QtStorage first(config, data);
        ASSERT_TRUE(first.claimState());
        first.writeSettings(settings);
        first.writeState("{ \"a\": 1 }");
        first.writeState("{ \"a\": 2 }");
        record = first.startRecord();
        first.appendRecord(QStringLiteral("10:00:00 +++ Programmstart. "));
        first.appendRecord(QStringLiteral("10:00:01 +++ Strafe 2.0min. für Gäste"));
    }
    QtStorage next(config, data);
    EXPECT_EQ(next.readSettings(), settings);
    EXPECT_EQ(next.readState(), QByteArray("{ \"a\": 2 }"));
    ASSERT_TRUE(next.continueRecord(record));
    next.appendRecord(QStringLiteral("10:05:00 +++ Spiel fortgesetzt"));
    EXPECT_EQ(next.recordLines(),
              QStringList({"10:00:00 +++ Programmstart. ", "10:00:01 +++ Strafe 2.0min. für Gäste",
                           "10:05:00 +++ Spiel fortgesetzt"}));
    EXPECT_FALSE(next.continueRecord(QStringLiteral("../data/state")));
    EXPECT_NE(next.startRecord(), record);

    EXPECT_EQ(next.setStateAside(Storage::Aside::Backup), QStringLiteral("state-backup.json"));
    EXPECT_FALSE(next.readState());
    QFile backup(data + QStringLiteral("/state-backup.json"));
    ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
    EXPECT_EQ(backup.readAll(), QByteArray("{ \"a\": 2 }"));

    const QString report = dir.path() + QStringLiteral("/out/bericht.txt");
    EXPECT_FALSE(next.writeFile(report, "Spielbericht\n"));
    EXPECT_TRUE(QFile::exists(report));
}

TEST_F(QtStorageTest, SecondInstanceDoesNotGetTheState) {
    auto first = std::make_unique<QtStorage>(config, data);
    ASSERT_TRUE(first->claimState());
    EXPECT_FALSE(QtStorage(config, data).claimState());
    first.reset();
    EXPECT_TRUE(QtStorage(config, data).claimState());
}

// A plain file where a folder should be: not even root can write beneath it.
TEST_F(QtStorageTest, FaultNamesTheFileThatCannotBeWrittenAndOnlyThatOne) {
    const std::pair<const char*, std::vector<Storage::Kept>> blocked[] = {
        {"", {Storage::Kept::Settings, Storage::Kept::State, Storage::Kept::Record}},
        {"/data/matches", {Storage::Kept::Record}}};
    for (const auto& [where, failing] : blocked) {
        QTemporaryDir root;
        const QString base = root.path() + QStringLiteral("/file");
        QDir().mkpath(QFileInfo(base + where).path());
        QFile blocker(base + where);
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        const QString at = *where ? base : blocker.fileName();
        QtStorage storage(at + QStringLiteral("/config"), at + QStringLiteral("/data"));
        storage.writeState("{}");
        storage.writeSettings({{QStringLiteral("baud"), QStringLiteral("1200")}});
        storage.startRecord();
        storage.flush();
        for (Storage::Kept k :
             {Storage::Kept::Settings, Storage::Kept::State, Storage::Kept::Record})
            EXPECT_EQ(storage.fault(k).startsWith(blocker.fileName()),
                      std::count(failing.begin(), failing.end(), k) == 1)
                << where << storage.fault(k).toStdString();
    }
}

// A disk that takes fewer bytes than written: the flush fails, which QSaveFile's commit misses.
TEST_F(QtStorageTest, WriteThatDoesNotReachTheDiskWholeKeepsTheFileBefore) {
    QtStorage storage(config, data);
    storage.writeState("{ \"a\": 1 }");
    storage.flush();
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 4;
    setrlimit(RLIMIT_FSIZE, &small);
    storage.writeState("{ \"a\": 2 }");
    storage.flush();
    const auto report = storage.writeFile(dir.path() + QStringLiteral("/bericht.txt"), "Bericht");
    setrlimit(RLIMIT_FSIZE, &before);
    EXPECT_EQ(storage.readState(), QByteArray("{ \"a\": 1 }"));
    EXPECT_TRUE(storage.fault(Storage::Kept::State).startsWith(storage.statePath()));
    EXPECT_TRUE(report);
    EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/bericht.txt")));
    storage.writeState("{ \"a\": 3 }");
    storage.flush();
    EXPECT_TRUE(storage.fault(Storage::Kept::State).isEmpty());
}

// Never opened: a pipe would block start-up for ever, a device would be read without end.
TEST_F(QtStorageTest, StoredFileThatIsNoRegularFileIsNotRead) {
    QDir().mkpath(data);
    QDir().mkpath(config);
    const QString state = data + QStringLiteral("/state.json");
    const QString settings = config + QStringLiteral("/Marklight.conf");
    for (const QString& path : {state, settings}) {
        for (int pipe = 0; pipe < 2; ++pipe) {
            SCOPED_TRACE(path.toStdString() + (pipe ? " pipe" : " /dev/zero"));
            QFile::remove(state);
            QFile::remove(settings);
            ASSERT_EQ(pipe ? mkfifo(QFile::encodeName(path), 0600)
                           : symlink("/dev/zero", QFile::encodeName(path)),
                      0);
            QtStorage storage(config, data);
            EXPECT_TRUE(storage.readSettings().isEmpty());
            EXPECT_EQ(storage.readState(),
                      path == state ? std::optional(QByteArray()) : std::nullopt);
            storage.writeSettings({{QStringLiteral("baud"), QStringLiteral("1200")}});
            storage.flush();
            EXPECT_EQ(storage.fault(Storage::Kept::Settings).isEmpty(), path == state);
        }
    }
}

} // namespace
} // namespace ml
