// The files of the real storage in a temporary folder.

#include "platform/qt_storage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
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
        EXPECT_FALSE(first.writeRemoteKey("00112233445566778899aabbccddeeff\n"));
        first.writeState("{ \"a\": 1 }");
        first.writeState("{ \"a\": 2 }");
        record = first.startRecord();
        first.appendRecord(QStringLiteral("10:00:00 +++ Programmstart. "));
        first.appendRecord(QStringLiteral("10:00:01 +++ Strafe 2.0min. für Gäste"));
    }
    QtStorage next(config, data);
    EXPECT_EQ(next.readSettings(), settings);
    EXPECT_EQ(next.readRemoteKey(), QByteArray("00112233445566778899aabbccddeeff\n"));
    // The key is for this user's eyes only.
    struct stat key {};
    ASSERT_EQ(::stat(QFile::encodeName(next.remoteKeyPath()).constData(), &key), 0);
    EXPECT_EQ(key.st_mode & 0777, 0600u);
    // Opened to others by hand, it is closed again, once.
    ASSERT_EQ(::chmod(QFile::encodeName(next.remoteKeyPath()).constData(), 0644), 0);
    EXPECT_TRUE(next.guardRemoteKey());
    EXPECT_FALSE(next.guardRemoteKey());
    ASSERT_EQ(::stat(QFile::encodeName(next.remoteKeyPath()).constData(), &key), 0);
    EXPECT_EQ(key.st_mode & 0777, 0600u);
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
    using K = Storage::Kept;
    for (const auto& [where, failing] :
         {std::pair{"", std::vector{K::Settings, K::State, K::Record}},
          {"/data/matches", std::vector{K::Record}}}) {
        QTemporaryDir root;
        QFile blocker(root.path() + QStringLiteral("/file") + where);
        QDir().mkpath(QFileInfo(blocker).path());
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        const QString at = root.path() + QStringLiteral("/file");
        QtStorage storage(at + QStringLiteral("/config"), at + QStringLiteral("/data"));
        storage.writeState("{}");
        storage.writeSettings({{QStringLiteral("baud"), QStringLiteral("1200")}});
        storage.startRecord();
        storage.flush();
        for (K k : {K::Settings, K::State, K::Record})
            EXPECT_EQ(storage.fault(k).contains(blocker.fileName()),
                      std::count(failing.begin(), failing.end(), k) == 1)
                << where << storage.fault(k).toStdString();
    }
}

// Never opened: a pipe would block start-up for ever, a device would be read without end.
TEST_F(QtStorageTest, StoredFileThatIsNoRegularFileIsNotRead) {
    QDir().mkpath(data);
    QDir().mkpath(config);
    const QString state = data + QStringLiteral("/state.json");
    for (const QString& path : {state, config + QStringLiteral("/Marklight.conf")}) {
        for (bool pipe : {false, true}) {
            const QByteArray name = QFile::encodeName(path);
            ASSERT_EQ(pipe ? mkfifo(name, 0600) : symlink("/dev/zero", name), 0);
            QtStorage storage(config, data);
            EXPECT_TRUE(storage.readSettings().isEmpty());
            EXPECT_EQ(storage.readState(),
                      path == state ? std::optional(QByteArray()) : std::nullopt);
            storage.writeSettings({{QStringLiteral("baud"), QStringLiteral("1200")}});
            storage.flush();
            EXPECT_EQ(storage.fault(Storage::Kept::Settings).isEmpty(), path == state)
                << name.data();
            QFile::remove(path);
            QFile::remove(config + QStringLiteral("/Marklight.conf"));
        }
    }
}

} // namespace
} // namespace ml
