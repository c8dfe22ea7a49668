#include "platform/qt_storage.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSettings>
#include <QStorageInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QLockFile>
#endif

namespace ml {

namespace {

// A stored file larger than these is not one this program wrote.
constexpr qint64 kMaxSettingsBytes = 1024 * 1024;
constexpr qint64 kMaxStateBytes = 16 * 1024 * 1024;
constexpr qint64 kMaxRecordBytes = 64 * 1024 * 1024;
// The remote's key, the broker's password.
constexpr qint64 kMaxSecretBytes = 256;
// Lines of the record kept in memory while the disk refuses them.
constexpr qsizetype kMaxBacklog = 100000;

// The reason first: the path is long, and the status line may have room for the reason only.
QString reasonOf(const QString& path, const QString& why) {
    return why + QStringLiteral(" (") + QDir::toNativeSeparators(path) + QLatin1Char(')');
}

// Why writing `bytes` beneath `dir` failed, as the operator can mend it: the disk is full or
// read only, or the user may not write there. Otherwise the system's own words.
QString whyNot(const QString& dir, qint64 bytes, const QString& systemWords) {
    QString existing = dir;
    while (!QFileInfo::exists(existing) && QFileInfo(existing).dir().path() != existing)
        existing = QFileInfo(existing).dir().path();
    const QStorageInfo volume(existing);
    if (volume.isValid() && volume.isReadOnly())
        return QCoreApplication::translate("ml::QtStorage", "schreibgeschützt");
    // A file takes whole blocks of the disk.
    if (volume.isValid() && volume.bytesAvailable() < bytes + 4096)
        return QCoreApplication::translate("ml::QtStorage", "Datenträger voll");
    if (!QFileInfo(existing).isWritable())
        return QCoreApplication::translate("ml::QtStorage", "keine Berechtigung");
    return systemWords;
}

QString notAFile() {
    return QCoreApplication::translate("ml::QtStorage", "keine gewöhnliche Datei");
}

// A file that exists but is no regular file (a pipe, a device, a link to one): reading it could
// wait for ever or never end.
bool existsButIsNoFile(const QString& path) {
    const QFileInfo info(path);
    return (info.exists() || info.isSymLink()) && !info.isFile();
}

// The bytes of the stored file at `path`: nothing when there is none, empty bytes when it is no
// regular file, holds more than `limit` bytes or cannot be read.
std::optional<QByteArray> readStored(const QString& path, qint64 limit) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return std::nullopt;
    if (!info.isFile() || info.size() > limit)
        return QByteArray();
    QFile file;
#ifdef Q_OS_UNIX
    // Opened without waiting and looked at once more when open: the name may have been given to
    // a pipe or device in between.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0 && !file.isOpen())
            ::close(fd);
        return QByteArray();
    }
#else
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
#endif
    QByteArray bytes = file.read(limit + 1);
    return bytes.size() > limit ? QByteArray() : bytes;
}

// Replaces the file at `path` in one step; the reason when that fails, and the file before stays.
// QSaveFile's commit does not notice that its own last flush failed (a full disk): the bytes are
// flushed, synced and counted here before it may replace the file. `ownerOnly`: no one but this
// user may read the file, not even for a moment (the new file is made so before a byte is in it).
std::optional<QString> saveWhole(const QString& path, const QByteArray& bytes,
                                 bool ownerOnly = false) {
    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir))
        return reasonOf(dir, whyNot(dir, 0,
                                    QCoreApplication::translate(
                                        "ml::QtStorage", "Ordner kann nicht angelegt werden")));
    if (existsButIsNoFile(path))
        return reasonOf(path, notAFile());
    QSaveFile file(path);
    bool whole =
        file.open(QIODevice::WriteOnly) &&
        (!ownerOnly || file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) &&
        file.write(bytes) == bytes.size() && file.flush() && file.size() == bytes.size();
#ifdef Q_OS_UNIX
    whole = whole && ::fsync(file.handle()) == 0;
#endif
    if (!whole || !file.commit())
        // Not committed: the destructor throws the new file away.
        return reasonOf(path, whyNot(dir, bytes.size(), file.errorString()));
    return std::nullopt;
}

} // namespace

#ifdef Q_OS_UNIX

// Held by the process itself: the system lets go of it when the process ends, however it ends
// (killed, crashed, its parent not yet told), and taking it writes nothing, so a run that
// crashed never keeps the next one from its match, on a full disk as anywhere. The file itself
// stays; only a process that holds its lock counts.
struct QtStorage::StateLock {
    int fd = -1;
    ~StateLock() { ::close(fd); }
};

#else

// Windows keeps the lock file open while the process runs; a file whose process has ended is
// taken over.
struct QtStorage::StateLock {
    explicit StateLock(const QString& path) : file(path) {}
    QLockFile file;
};

#endif

QtStorage::QtStorage(const QString& configDir, const QString& dataDir)
    : settingsPath_(configDir + QStringLiteral("/Marklight.conf")),
      remoteKeyPath_(configDir + QStringLiteral("/fernbedienung.key")),
      brokerPasswordPath_(configDir + QStringLiteral("/mqtt.passwort")),
      sportsPath_(configDir + QStringLiteral("/Sportarten.json")), dataDir_(dataDir),
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

        std::optional<std::optional<QString>> settingsFault, stateFault;
        if (settings)
            settingsFault = saveSettings(*settings);
        if (state)
            stateFault = saveWhole(statePath_, *state);

        lock.lock();
        writing_ = false;
        if (settingsFault)
            faults_[Kept::Settings] = settingsFault->value_or(QString());
        if (stateFault)
            faults_[Kept::State] = stateFault->value_or(QString());
        idle_.notify_all();
    }
}

// QSettings writes the file in place and, like QSaveFile, misses a failed flush: it writes a new
// file beside the old one, which is read back before it replaces the old one.
std::optional<QString> QtStorage::saveSettings(const QVariantMap& values) const {
    if (values.isEmpty()) {
        QFile::remove(settingsPath_);
        return std::nullopt;
    }
    const QString fresh = settingsPath_ + QStringLiteral(".neu");
    QFile::remove(fresh);
    {
        QSettings file(fresh, QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            file.setValue(it.key(), it.value());
        file.sync();
    }
    QVariantMap back;
    const std::optional<QByteArray> bytes = readStored(fresh, kMaxSettingsBytes);
    {
        QSettings file(fresh, QSettings::IniFormat);
        for (const QString& key : file.allKeys())
            back.insert(key, file.value(key));
    }
    QFile::remove(fresh);
    const QString dir = QFileInfo(settingsPath_).absolutePath();
    if (!bytes || back != values)
        return reasonOf(settingsPath_,
                        whyNot(dir, bytes ? bytes->size() : 0,
                               QCoreApplication::translate("ml::QtStorage", "nicht schreibbar")));
    return saveWhole(settingsPath_, *bytes);
}

void QtStorage::flush() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !settings_ && !state_ && !writing_; });
}

void QtStorage::setFault(Kept what, const std::optional<QString>& reason) {
    std::lock_guard lock(mutex_);
    faults_[what] = reason.value_or(QString());
}

QString QtStorage::fault(Kept what) {
    std::lock_guard lock(mutex_);
    return faults_[what];
}

QVariantMap QtStorage::readSettings() {
    QVariantMap values;
    if (existsButIsNoFile(settingsPath_) || QFileInfo(settingsPath_).size() > kMaxSettingsBytes) {
        setFault(Kept::Settings, reasonOf(settingsPath_, notAFile()));
        return values;
    }
    QSettings file(settingsPath_, QSettings::IniFormat);
    if (file.status() != QSettings::NoError)
        return values;
    for (const QString& key : file.allKeys())
        values.insert(key, file.value(key));
    return values;
}

std::optional<QByteArray> QtStorage::readSports() {
    return readStored(sportsPath_, kMaxSettingsBytes);
}

// Written at once: the operator has just kept a preset in the dialog, not in a tick.
void QtStorage::writeSports(const QByteArray& bytes) {
    setFault(Kept::Settings, saveWhole(sportsPath_, bytes));
}

void QtStorage::writeSettings(const QVariantMap& values) {
    {
        std::lock_guard lock(mutex_);
        settings_ = values;
    }
    wake_.notify_all();
}

#ifdef Q_OS_UNIX

bool QtStorage::claimState() {
    QDir().mkpath(dataDir_);
    const int fd = ::open(QFile::encodeName(dataDir_ + QStringLiteral("/state.lock")).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    // A folder that cannot be written is no other instance: the writes report it.
    if (fd < 0)
        return true;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        return error != EWOULDBLOCK;
    }
    lock_ = std::make_unique<StateLock>();
    lock_->fd = fd;
    // Which process holds it, for a person who looks; a full disk may refuse that, which changes
    // nothing.
    const QByteArray pid = QByteArray::number(qint64{::getpid()}) + '\n';
    const bool told =
        ::ftruncate(fd, 0) == 0 && ::write(fd, pid.constData(), size_t(pid.size())) == pid.size();
    Q_UNUSED(told);
    return true;
}

#else

bool QtStorage::claimState() {
    QDir().mkpath(dataDir_);
    lock_ = std::make_unique<StateLock>(dataDir_ + QStringLiteral("/state.lock"));
    lock_->file.setStaleLockTime(0);
    if (lock_->file.tryLock(0))
        return true;
    // A folder that cannot be written is no other instance: the writes report it.
    return lock_->file.error() != QLockFile::LockFailedError;
}

#endif

std::optional<QByteArray> QtStorage::readState() {
    return readStored(statePath_, kMaxStateBytes);
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
        setFault(Kept::State, reasonOf(statePath_, whyNot(dataDir_, 0, file.errorString())));
        return {};
    }
    return name;
}

bool QtStorage::openRecord() {
    if (!QDir().mkpath(recordDir_) || existsButIsNoFile(record_.fileName()) ||
        !record_.open(QIODevice::Append | QIODevice::Text)) {
        const QString why = existsButIsNoFile(record_.fileName())
                                ? notAFile()
                                : whyNot(recordDir_, 0, record_.errorString());
        setFault(Kept::Record, reasonOf(record_.fileName(), why));
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
    record_.close();
    record_.setFileName(recordDir_ + QLatin1Char('/') + name + QStringLiteral(".log"));
    openRecord();
    return name;
}

bool QtStorage::continueRecord(const QString& name) {
    // The name comes from the state file: only a plain name of this folder is taken.
    static const QRegularExpression plain(QStringLiteral("^[0-9A-Za-z_-]{1,64}$"));
    const QString path = recordDir_ + QLatin1Char('/') + name + QStringLiteral(".log");
    if (!plain.match(name).hasMatch() || !QFileInfo(path).isFile())
        return false;
    record_.close();
    record_.setFileName(path);
    openRecord();
    return true;
}

void QtStorage::appendRecord(const QString& line) {
    if (record_.fileName().isEmpty())
        return;
    backlog_.append(line);
    if (backlog_.size() > kMaxBacklog)
        backlog_.removeFirst();
    writeBacklog();
}

// Writes the lines the record still lacks, flushed at once: a crash loses no line that has been
// written to the log. A write the disk refuses is cut back off, so that the lines come whole
// once the disk takes them again.
void QtStorage::writeBacklog() {
    if (!record_.isOpen() && !openRecord())
        return;
    const qint64 before = record_.size();
    const QByteArray bytes = (backlog_.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    if (record_.write(bytes) != bytes.size() || !record_.flush()) {
        const QString why = whyNot(recordDir_, bytes.size(), record_.errorString());
        record_.close();
        QFile::resize(record_.fileName(), before);
        setFault(Kept::Record, reasonOf(record_.fileName(), why));
        return;
    }
    backlog_.clear();
    setFault(Kept::Record, std::nullopt);
}

QStringList QtStorage::recordLines() {
    if (record_.fileName().isEmpty())
        return {};
    QStringList lines =
        QString::fromUtf8(readStored(record_.fileName(), kMaxRecordBytes).value_or(QByteArray()))
            .split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines + backlog_;
}

std::optional<QByteArray> QtStorage::readRemoteKey() {
    return readStored(remoteKeyPath_, kMaxSecretBytes);
}

std::optional<QString> QtStorage::writeRemoteKey(const QByteArray& key) {
    return saveWhole(remoteKeyPath_, key, true);
}

// Windows gives the settings' folder the user's own rights; the mode bits are Unix's.
bool QtStorage::guardRemoteKey() {
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(remoteKeyPath_);
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 077) != 0 &&
           ::chmod(path.constData(), S_IRUSR | S_IWUSR) == 0;
#else
    return false;
#endif
}

std::optional<QByteArray> QtStorage::readBrokerPassword() {
    return readStored(brokerPasswordPath_, kMaxSecretBytes);
}

std::optional<QString> QtStorage::writeBrokerPassword(const QByteArray& password) {
    return saveWhole(brokerPasswordPath_, password, true);
}

std::optional<QString> QtStorage::writeFile(const QString& path, const QByteArray& bytes) {
    return saveWhole(path, bytes);
}

} // namespace ml
