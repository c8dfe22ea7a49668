#include "tools/display/line_source.h"

#include "display/wire_format.h"

#include <QCoreApplication>
#include <QSerialPort>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>

#include <unistd.h>
#else
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <mutex>
#include <thread>
#endif

#include <utility>

namespace ml::display {

namespace {
constexpr int kRetryMs = 500;
constexpr int kReadChunk = 4096;
} // namespace

LineSource::LineSource(QString device, int baud) : device_(std::move(device)), baud_(baud) {
    clock_.start();
    retry_.setInterval(kRetryMs);
    connect(&retry_, &QTimer::timeout, this, [this] { tryOpen(); });
    // Four characters' time of silence, and some room for USB adapters that pass bytes on in
    // batches, end a burst.
    quiet_.setSingleShot(true);
    quiet_.setInterval(40 + 40000 / std::max(baud_, 1));
    connect(&quiet_, &QTimer::timeout, this, [this] { quiet(); });
}

LineSource::~LineSource() = default;

void LineSource::start() {
    if (device_ != QLatin1String("-")) {
        tryOpen();
        return;
    }
    readStdin();
}

#ifdef Q_OS_UNIX
void LineSource::readStdin() {
    auto notifier = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
    connect(notifier.get(), &QSocketNotifier::activated, this, [this, n = notifier.get()] {
        char buf[kReadChunk];
        const ssize_t got = ::read(STDIN_FILENO, buf, sizeof buf);
        if (got > 0) {
            take(QByteArrayView(buf, got));
            return;
        }
        n->setEnabled(false);
        stdinEnded();
    });
    stdin_ = std::move(notifier);
}
#else
// Windows has no notifier for a pipe or a console: a thread of its own waits in the reads, and the
// event loop takes what it has read every few milliseconds. The thread touches only the inbox,
// which it keeps alive, so the program may end while it waits.
void LineSource::readStdin() {
    struct Inbox {
        std::mutex lock;
        QByteArray bytes;
        bool ended = false;
    };
    auto inbox = std::make_shared<Inbox>();
    // The wire's bytes as they are: no CR LF translation, no end at 0x1A.
    _setmode(_fileno(stdin), _O_BINARY);
    std::thread([inbox] {
        char buf[kReadChunk];
        int got;
        while ((got = _read(_fileno(stdin), buf, sizeof buf)) > 0) {
            const std::lock_guard<std::mutex> hold(inbox->lock);
            inbox->bytes.append(buf, got);
        }
        const std::lock_guard<std::mutex> hold(inbox->lock);
        inbox->ended = true;
    }).detach();
    auto poll = std::make_unique<QTimer>();
    poll->setInterval(10);
    connect(poll.get(), &QTimer::timeout, this, [this, inbox, t = poll.get()] {
        QByteArray bytes;
        bool ended;
        {
            const std::lock_guard<std::mutex> hold(inbox->lock);
            bytes.swap(inbox->bytes);
            ended = inbox->ended;
        }
        if (!bytes.isEmpty())
            take(bytes);
        if (ended) {
            t->stop();
            stdinEnded();
        }
    });
    poll->start();
    stdin_ = std::move(poll);
}
#endif

void LineSource::stdinEnded() {
    quiet_.stop();
    quiet();
    if (onEnd)
        onEnd();
}

void LineSource::tryOpen() {
    auto port = std::make_unique<QSerialPort>(device_);
    port->setBaudRate(baud_);
    port->setDataBits(QSerialPort::Data8);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    port->setFlowControl(QSerialPort::NoFlowControl);
    if (!port->open(QIODevice::ReadOnly)) {
        if (!waiting_ && onNote)
            onNote(QCoreApplication::translate("Display", "%1: %2, warte auf das Gerät")
                       .arg(device_, port->errorString()));
        waiting_ = true;
        retry_.start();
        return;
    }
    retry_.stop();
    port_ = std::move(port);
    if (std::exchange(waiting_, false) && onNote)
        onNote(QCoreApplication::translate("Display", "%1: geöffnet").arg(device_));
    connect(port_.get(), &QSerialPort::readyRead, this, [this] { take(port_->readAll()); });
    connect(port_.get(), &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        if (e != QSerialPort::NoError && e != QSerialPort::TimeoutError)
            lost(port_->errorString());
    });
}

// The device has gone (unplugged, the other end of a pseudo-terminal closed): wait for it.
void LineSource::lost(const QString& why) {
    if (!port_)
        return;
    port_->disconnect(this);
    port_->close();
    port_.release()->deleteLater();
    quiet_.stop();
    quiet();
    if (onNote)
        onNote(QCoreApplication::translate("Display",
                                           "%1: nicht mehr erreichbar (%2), warte auf das Gerät")
                   .arg(device_, why));
    waiting_ = true;
    retry_.start();
}

// Shows every transmission that a read completes, not only the last of them: under load one
// read can bring several.
void LineSource::take(QByteArrayView bytes) {
    qsizetype lf;
    while ((lf = bytes.indexOf(wire::kLf)) >= 0) {
        decoder_.feed(bytes.first(lf + 1), now());
        bytes = bytes.sliced(lf + 1);
        if (decoder_.settled() && onBurst)
            onBurst();
    }
    decoder_.feed(bytes, now());
    quiet_.start();
}

void LineSource::quiet() {
    decoder_.flush(now());
    if (onBurst)
        onBurst();
}

} // namespace ml::display
