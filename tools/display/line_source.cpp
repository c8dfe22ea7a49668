#include "tools/display/line_source.h"

#include "display/wire_format.h"

#include <QSerialPort>
#include <QSocketNotifier>

#include <unistd.h>

namespace ml::display {

namespace {
constexpr int kRetryMs = 500;
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
    stdin_ = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
    connect(stdin_.get(), &QSocketNotifier::activated, this, [this] {
        char buf[4096];
        const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
        if (n > 0) {
            take(QByteArrayView(buf, n));
            return;
        }
        stdin_->setEnabled(false);
        quiet_.stop();
        quiet();
        if (onEnd)
            onEnd();
    });
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
            onNote(QStringLiteral("%1: %2, warte auf das Gerät").arg(device_, port->errorString()));
        waiting_ = true;
        retry_.start();
        return;
    }
    retry_.stop();
    if (waiting_ && onNote)
        onNote(QStringLiteral("%1: geöffnet").arg(device_));
    waiting_ = false;
    port_ = std::move(port);
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
        onNote(QStringLiteral("%1: nicht mehr erreichbar (%2), warte auf das Gerät")
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
