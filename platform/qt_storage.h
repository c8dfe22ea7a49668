#pragma once

// Storage in files: settings with QSettings in the configuration folder, the match state with
// QSaveFile and the match records in the data folder. The settings and the state are written on
// a thread of their own, newest first: a slow or stalled disk never holds up the tick, and of
// several writes waiting only the newest is made. Every file is written whole, its bytes on the
// disk, before it replaces the one before; only regular files are ever read, never more than a
// stored file of its kind can hold.

#include "platform/storage.h"

#include <QFile>

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace ml {

class QtStorage : public Storage {
  public:
    // `configDir` holds the settings, `dataDir` the state and the records (both made when
    // needed). The program passes QStandardPaths' AppConfigLocation and AppDataLocation.
    QtStorage(const QString& configDir, const QString& dataDir);
    // Finishes the writes still waiting.
    ~QtStorage() override;
    QtStorage(const QtStorage&) = delete;
    QtStorage& operator=(const QtStorage&) = delete;

    QString settingsPath() const { return settingsPath_; }
    QString remoteKeyPath() const { return remoteKeyPath_; }
    QString statePath() const { return statePath_; }
    QString recordDir() const { return recordDir_; }
    // Waits until every write asked for so far is done.
    void flush();

    QVariantMap readSettings() override;
    void writeSettings(const QVariantMap& values) override;
    std::optional<QByteArray> readSports() override;
    void writeSports(const QByteArray& bytes) override;
    bool claimState() override;
    std::optional<QByteArray> readState() override;
    void writeState(const QByteArray& state) override;
    QString setStateAside(Aside why) override;
    QString startRecord() override;
    bool continueRecord(const QString& name) override;
    void appendRecord(const QString& line) override;
    QStringList recordLines() override;
    std::optional<QByteArray> readRemoteKey() override;
    std::optional<QString> writeRemoteKey(const QByteArray& key) override;
    bool guardRemoteKey() override;
    std::optional<QByteArray> readBrokerPassword() override;
    std::optional<QString> writeBrokerPassword(const QByteArray& password) override;
    std::optional<QString> writeFile(const QString& path, const QByteArray& bytes) override;
    QString fault(Kept what) override;

  private:
    void run();
    std::optional<QString> saveSettings(const QVariantMap& values) const;
    void setFault(Kept what, const std::optional<QString>& reason);
    bool openRecord();
    void writeBacklog();

    const QString settingsPath_;
    const QString remoteKeyPath_;
    const QString brokerPasswordPath_;
    const QString sportsPath_;
    const QString dataDir_;
    const QString statePath_;
    const QString recordDir_;
    // The state's lock while this run holds it.
    struct StateLock;
    std::unique_ptr<StateLock> lock_;
    // The record: its file while open, and the lines not yet in it (the disk refused them).
    QFile record_;
    QStringList backlog_;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::optional<QVariantMap> settings_;
    std::optional<QByteArray> state_;
    bool writing_ = false;
    bool stop_ = false;
    std::map<Kept, QString> faults_;
    std::thread writer_;
};

} // namespace ml
