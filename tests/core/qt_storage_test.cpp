// The files of the real storage in a temporary folder.

#include "platform/qt_storage.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

TEST_F(QtStorageTest, FolderThatCannotBeMadeIsReportedOnce) {
    // A plain file where the folders should be: not even root can write beneath it.
    QFile blocker(dir.path() + QStringLiteral("/file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QtStorage storage(blocker.fileName() + QStringLiteral("/config"),
                      blocker.fileName() + QStringLiteral("/data"));
    EXPECT_TRUE(storage.claimState());
    storage.writeState("{}");
    storage.writeSettings({{QStringLiteral("baud"), QStringLiteral("1200")}});
    storage.startRecord();
    storage.flush();
    const QString reason = storage.takeFailure();
    EXPECT_TRUE(reason.startsWith(blocker.fileName())) << reason.toStdString();
    EXPECT_TRUE(storage.takeFailure().isEmpty());
    EXPECT_TRUE(storage.writeFile(blocker.fileName() + QStringLiteral("/x.txt"), "x"));
}

} // namespace
} // namespace ml
