#include "platform/qt_storage.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSettings>

namespace ml {

namespace {

// A state file larger than this is not a state this program wrote.
constexpr qint64 kMaxStateBytes = 16 * 1024 * 1024;

QString reasonOf(const QString& path, const QString& error) {
    return QDir::toNativeSeparators(path) + QStringLiteral(": ") + error;
}

// Replaces the file at `path` in one step; the reason when that fails.
std::optional<QString> saveWhole(const QString& path, const QByteArray& bytes) {
    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir))
        return reasonOf(dir, QStringLiteral("Ordner kann nicht angelegt werden"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return reasonOf(path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        return reasonOf(path, file.errorString());
    return std::nullopt;
}

} // namespace

QtStorage::QtStorage(const QString& configDir, const QString& dataDir)
    : settingsPath_(configDir + QStringLiteral("/Marklight.conf")), dataDir_(dataDir),
      statePath_(dataDir + QStringLiteral("/state.json")),
      recordDir_(dataDir + QStringLiteral("/matches")) {
    writer_ = std::thread([this] { run(); });
}

QtStorage::~QtStorage() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    writer_.join();
}

void QtStorage::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || settings_ || state_; });
        if (!settings_ && !state_)
            return;
        std::optional<QVariantMap> settings = std::exchange(settings_, std::nullopt);
        std::optional<QByteArray> state = std::exchange(state_, std::nullopt);
        writing_ = true;
        lock.unlock();

        std::optional<QString> failure;
        if (settings) {
            QSettings file(settingsPath_, QSettings::IniFormat);
            file.clear();
            for (auto it = settings->cbegin(); it != settings->cend(); ++it)
                file.setValue(it.key(), it.value());
            file.sync();
            if (file.status() != QSettings::NoError)
                failure = reasonOf(settingsPath_, QStringLiteral("nicht schreibbar"));
        }
        if (state) {
            if (std::optional<QString> f = saveWhole(statePath_, *state); f && !failure)
                failure = f;
        }

        lock.lock();
        writing_ = false;
        if (failure && failure_.isEmpty())
            failure_ = *failure;
        idle_.notify_all();
    }
}

void QtStorage::flush() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !settings_ && !state_ && !writing_; });
}

void QtStorage::fail(const QString& reason) {
    std::lock_guard lock(mutex_);
    if (failure_.isEmpty())
        failure_ = reason;
}

QString QtStorage::takeFailure() {
    std::lock_guard lock(mutex_);
    return std::exchange(failure_, QString());
}

QVariantMap QtStorage::readSettings() {
    QVariantMap values;
    QSettings file(settingsPath_, QSettings::IniFormat);
    if (file.status() != QSettings::NoError)
        return values;
    for (const QString& key : file.allKeys())
        values.insert(key, file.value(key));
    return values;
}

void QtStorage::writeSettings(const QVariantMap& values) {
    {
        std::lock_guard lock(mutex_);
        settings_ = values;
    }
    wake_.notify_all();
}

bool QtStorage::claimState() {
    QDir().mkpath(dataDir_);
    lock_ = std::make_unique<QLockFile>(dataDir_ + QStringLiteral("/state.lock"));
    // Held for the whole run; a lock left by a crashed run is stale by its process id.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0))
        return true;
    // A folder that cannot be written is no other instance: the writes report it.
    return lock_->error() != QLockFile::LockFailedError;
}

std::optional<QByteArray> QtStorage::readState() {
    QFile file(statePath_);
    if (!file.exists())
        return std::nullopt;
    if (file.size() > kMaxStateBytes || !file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

void QtStorage::writeState(const QByteArray& state) {
    {
        std::lock_guard lock(mutex_);
        state_ = state;
    }
    wake_.notify_all();
}

QString QtStorage::setStateAside(Aside why) {
    flush();
    const QString name = why == Aside::Backup ? QStringLiteral("state-backup.json")
                                              : QStringLiteral("state-unreadable.json");
    const QString target = dataDir_ + QLatin1Char('/') + name;
    QFile::remove(target);
    QFile file(statePath_);
    if (!file.rename(target)) {
        fail(reasonOf(statePath_, file.errorString()));
        return {};
    }
    return name;
}

bool QtStorage::openRecord(const QString& path) {
    record_.close();
    record_.setFileName(path);
    if (!QDir().mkpath(recordDir_) || !record_.open(QIODevice::Append | QIODevice::Text)) {
        fail(reasonOf(path, record_.errorString()));
        return false;
    }
    return true;
}

QString QtStorage::startRecord() {
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    QString name = stamp;
    for (int n = 2; QFile::exists(recordDir_ + QLatin1Char('/') + name + QStringLiteral(".log"));
         ++n)
        name = stamp + QStringLiteral("_%1").arg(n);
    openRecord(recordDir_ + QLatin1Char('/') + name + QStringLiteral(".log"));
    return name;
}

bool QtStorage::continueRecord(const QString& name) {
    // The name comes from the state file: only a plain name of this folder is taken.
    static const QRegularExpression plain(QStringLiteral("^[0-9A-Za-z_-]{1,64}$"));
    const QString path = recordDir_ + QLatin1Char('/') + name + QStringLiteral(".log");
    if (!plain.match(name).hasMatch() || !QFile::exists(path))
        return false;
    return openRecord(path);
}

void QtStorage::appendRecord(const QString& line) {
    if (!record_.isOpen())
        return;
    // Flushed at once: a crash loses no line that has been written to the log.
    if (record_.write(line.toUtf8() + '\n') < 0 || !record_.flush()) {
        fail(reasonOf(record_.fileName(), record_.errorString()));
        record_.close();
    }
}

QStringList QtStorage::recordLines() {
    QFile file(record_.fileName());
    if (record_.fileName().isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

std::optional<QString> QtStorage::writeFile(const QString& path, const QByteArray& bytes) {
    return saveWhole(path, bytes);
}

} // namespace ml
