#pragma once

// Storage in files: settings with QSettings in the configuration folder, the match state with
// QSaveFile and the match records in the data folder. The settings and the state are written on
// a thread of their own, newest first: a slow or stalled disk never holds up the tick, and of
// several writes waiting only the newest is made.

#include "platform/storage.h"

#include <QFile>
#include <QLockFile>

#include <condition_variable>
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
    QString statePath() const { return statePath_; }
    QString recordDir() const { return recordDir_; }
    // Waits until every write asked for so far is done.
    void flush();

    QVariantMap readSettings() override;
    void writeSettings(const QVariantMap& values) override;
    bool claimState() override;
    std::optional<QByteArray> readState() override;
    void writeState(const QByteArray& state) override;
    QString setStateAside(Aside why) override;
    QString startRecord() override;
    bool continueRecord(const QString& name) override;
    void appendRecord(const QString& line) override;
    QStringList recordLines() override;
    std::optional<QString> writeFile(const QString& path, const QByteArray& bytes) override;
    QString takeFailure() override;

  private:
    void run();
    void fail(const QString& reason);
    bool openRecord(const QString& path);

    const QString settingsPath_;
    const QString dataDir_;
    const QString statePath_;
    const QString recordDir_;
    std::unique_ptr<QLockFile> lock_;
    QFile record_;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::optional<QVariantMap> settings_;
    std::optional<QByteArray> state_;
    bool writing_ = false;
    bool stop_ = false;
    QString failure_;
    std::thread writer_;
};

} // namespace ml
