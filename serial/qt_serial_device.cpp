#include "serial/qt_serial_device.h"

#include "serial/port_map.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSerialPort>
#include <QTimer>

#include <optional>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace ml {

namespace {

struct LineSettings {
    int baud;
    QSerialPort::Parity parity;
    QSerialPort::DataBits dataBits;
    QSerialPort::StopBits stopBits;
    int bitsPerChar;
};

// "9600,n,8,1": speed, parity (n, e, o, m, s), data bits 5..8, stop bits 1, 1.5 or 2.
std::optional<LineSettings> parseSettings(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    bool ok = false;
    const int baud = parts[0].trimmed().toInt(&ok);
    if (!ok || baud <= 0)
        return std::nullopt;
    LineSettings s{baud, QSerialPort::NoParity, QSerialPort::Data8, QSerialPort::OneStop, 0};
    const QString parity = parts[1].trimmed().toLower();
    if (parity == QLatin1String("n"))
        s.parity = QSerialPort::NoParity;
    else if (parity == QLatin1String("e"))
        s.parity = QSerialPort::EvenParity;
    else if (parity == QLatin1String("o"))
        s.parity = QSerialPort::OddParity;
    else if (parity == QLatin1String("m"))
        s.parity = QSerialPort::MarkParity;
    else if (parity == QLatin1String("s"))
        s.parity = QSerialPort::SpaceParity;
    else
        return std::nullopt;
    const int data = parts[2].trimmed().toInt(&ok);
    if (!ok || data < 5 || data > 8)
        return std::nullopt;
    s.dataBits = static_cast<QSerialPort::DataBits>(data);
    const QString stop = parts[3].trimmed();
    int stopBits = 1;
    if (stop == QLatin1String("1"))
        s.stopBits = QSerialPort::OneStop;
    else if (stop == QLatin1String("1.5"))
        s.stopBits = QSerialPort::OneAndHalfStop;
    else if (stop == QLatin1String("2")) {
        s.stopBits = QSerialPort::TwoStop;
        stopBits = 2;
    } else
        return std::nullopt;
    s.bitsPerChar = 1 + data + (s.parity == QSerialPort::NoParity ? 0 : 1) + stopBits;
    return s;
}

// A device that goes away while open is noticed within this time even when nothing is written.
constexpr int kWatchMs = 1000;

QString failureReason(QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::ResourceError:
        return QCoreApplication::translate("ml::QtSerialDevice", "Gerät nicht mehr erreichbar");
    case QSerialPort::WriteError:
        return QCoreApplication::translate("ml::QtSerialDevice", "Schreibfehler");
    default:
        return QCoreApplication::translate("ml::QtSerialDevice", "Gerätefehler");
    }
}

} // namespace

QtSerialDevice::QtSerialDevice(const QtSerialDevice* listing)
    : listing_(listing), devices_(listing ? QStringList() : portMap()) {}

QtSerialDevice::~QtSerialDevice() {
    // The handlers belong to objects that may already be gone; nothing is reported any more.
    drained_ = nullptr;
    failure_ = nullptr;
    if (port_) {
        port_->disconnect();
        port_->close();
    }
    releaseDevice();
}

bool QtSerialDevice::setPortNumber(int n) {
    if (n < 1 || n > 255 || isOpen())
        return false;
    // Port 1 starts every listing: take the system's devices afresh, so that an adapter plugged
    // in since start-up is found, and keep that mapping until the next listing.
    if (n == 1 && listing_ == nullptr)
        devices_ = portMap();
    number_ = n;
    return true;
}

QString QtSerialDevice::deviceName(int n) const {
    if (listing_ != nullptr)
        return listing_->deviceName(n);
    return n >= 1 && n <= devices_.size() ? devices_[n - 1] : QString();
}

QString QtSerialDevice::deviceKey(int n) const {
    const QString device = deviceName(n);
#ifdef Q_OS_UNIX
    return device.isEmpty() ? QString() : QFileInfo(device).canonicalFilePath();
#else
    // "COM3", "com3" and "\\.\COM3" are one port.
    return device.section(QLatin1Char('\\'), -1).toUpper();
#endif
}

// Opens the device at `path` for the lock and locks it, before QSerialPort touches its line
// settings, so that a port held by another Marklight is left as it is.
bool QtSerialDevice::takeDevice(const QString& path) {
#ifdef Q_OS_UNIX
    lockFd_ =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (lockFd_ < 0) {
        denied_ = errno == EACCES || errno == EPERM;
        // A tty held exclusively (TIOCEXCL) by another program.
        busy_ = errno == EBUSY;
        return false;
    }
    if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
        busy_ = errno == EWOULDBLOCK;
        releaseDevice();
        return false;
    }
#else
    Q_UNUSED(path);
#endif
    return true;
}

void QtSerialDevice::releaseDevice() {
#ifdef Q_OS_UNIX
    if (lockFd_ >= 0)
        ::close(lockFd_);
#endif
    lockFd_ = -1;
}

bool QtSerialDevice::open() {
    denied_ = false;
    busy_ = false;
    if (isOpen())
        return false;
    const QString device = deviceName(number_);
    const std::optional<LineSettings> s = parseSettings(settings_);
    if (device.isEmpty() || !s)
        return false;
#ifdef Q_OS_UNIX
    // The device itself, whatever path reached it; a missing one gives no path. /dev/ptmx makes
    // a new pseudo-terminal at every open and is no port.
    const QString path = QFileInfo(device).canonicalFilePath();
    if (path.isEmpty() || path == QLatin1String("/dev/ptmx"))
        return false;
#else
    const QString& path = device;
#endif
    if (!takeDevice(path))
        return false;
    if (!port_) {
        port_ = std::make_unique<QSerialPort>();
        drainTimer_ = std::make_unique<QTimer>();
        drainTimer_->setSingleShot(true);
        watchTimer_ = std::make_unique<QTimer>();
        watchTimer_->setInterval(kWatchMs);
        QObject::connect(drainTimer_.get(), &QTimer::timeout, drainTimer_.get(),
                         [this] { checkDrained(); });
        QObject::connect(watchTimer_.get(), &QTimer::timeout, watchTimer_.get(),
                         [this] { checkPresent(); });
        QObject::connect(port_.get(), &QSerialPort::bytesWritten, port_.get(),
                         [this] { checkDrained(); });
        QObject::connect(port_.get(), &QSerialPort::errorOccurred, port_.get(),
                         [this](QSerialPort::SerialPortError e) { onError(e); });
    }
    port_->setPortName(path);
    port_->setBaudRate(s->baud);
    port_->setParity(s->parity);
    port_->setDataBits(s->dataBits);
    port_->setStopBits(s->stopBits);
    port_->setFlowControl(QSerialPort::NoFlowControl);
    // QSerialPort takes the port exclusively (lock file and TIOCEXCL); a held port fails here.
    if (!port_->open(QIODevice::WriteOnly)) {
        // The device opened for the lock above: refusing it now is its lock file or its
        // exclusive mode, held by another program.
        busy_ = port_->error() == QSerialPort::PermissionError;
        port_->clearError();
        releaseDevice();
        return false;
    }
    baud_ = s->baud;
    bitsPerChar_ = s->bitsPerChar;
    ++generation_;
    failed_ = false;
    writing_ = false;
    watchTimer_->start();
    return true;
}

bool QtSerialDevice::close() {
    if (!isOpen())
        return false;
    ++generation_;
    drainTimer_->stop();
    watchTimer_->stop();
    writing_ = false;
    const bool hadFailed = failed_;
    port_->clearError();
    port_->close();
    const bool ok = port_->error() == QSerialPort::NoError;
    port_->clearError();
    releaseDevice();
    // A port whose device has gone cannot restore its settings; its close is still complete.
    return ok || hadFailed;
}

bool QtSerialDevice::isOpen() const {
    return port_ && port_->isOpen();
}

bool QtSerialDevice::write(const QByteArray& bytes) {
    if (!isOpen() || failed_)
        return false;
    if (port_->write(bytes) != bytes.size())
        return false;
    writing_ = true;
    // The drain is reported from the event loop, never from inside this call.
    drainTimer_->start(0);
    return true;
}

qint64 QtSerialDevice::bytesQueued() const {
    if (!isOpen())
        return 0;
    qint64 queued = port_->bytesToWrite();
#if defined(Q_OS_UNIX) && defined(TIOCOUTQ)
    // The driver's own buffer holds seconds of a slow line: count it as not yet on the line.
    int inDriver = 0;
    if (::ioctl(port_->handle(), TIOCOUTQ, &inDriver) == 0 && inDriver > 0)
        queued += inDriver;
#endif
    return queued;
}

void QtSerialDevice::setDrainedHandler(std::function<void()> handler) {
    drained_ = std::move(handler);
}

void QtSerialDevice::setFailureHandler(std::function<void(const QString&)> handler) {
    failure_ = std::move(handler);
}

void QtSerialDevice::checkDrained() {
    if (!isOpen() || !writing_)
        return;
    const qint64 queued = bytesQueued();
    if (queued > 0) {
        // Look again about when the line should have sent what is queued.
        const qint64 ms = queued * bitsPerChar_ * 1000 / baud_ + 1;
        drainTimer_->start(static_cast<int>(std::min<qint64>(ms, 50)));
        return;
    }
    writing_ = false;
    if (drained_)
        drained_();
}

void QtSerialDevice::onError(int error) {
    const auto e = static_cast<QSerialPort::SerialPortError>(error);
    if (e != QSerialPort::ResourceError && e != QSerialPort::WriteError &&
        e != QSerialPort::ReadError && e != QSerialPort::UnknownError)
        return;
    reportFailure(failureReason(e));
}

// An idle port hears nothing of its device going away (it never reads); a device pulled out or
// a pseudo-terminal whose other side has closed is hung up, which poll reports.
void QtSerialDevice::checkPresent() {
#ifdef Q_OS_UNIX
    if (!isOpen())
        return;
    pollfd p{static_cast<int>(port_->handle()), POLLOUT, 0};
    if (::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)))
        reportFailure(failureReason(QSerialPort::ResourceError));
#endif
}

void QtSerialDevice::reportFailure(const QString& reason) {
    if (!isOpen() || failed_)
        return;
    failed_ = true;
    writing_ = false;
    drainTimer_->stop();
    watchTimer_->stop();
    // Stop the port from retrying a write on a device that has gone.
    port_->clear(QSerialPort::Output);
    const quint64 generation = generation_;
    // Reported from the event loop, so the handler may close the port.
    QMetaObject::invokeMethod(
        port_.get(),
        [this, generation, reason] {
            if (generation == generation_ && failure_)
                failure_(reason);
        },
        Qt::QueuedConnection);
}

} // namespace ml
