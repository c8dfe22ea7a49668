#pragma once

// What arrives from the display line's wire, read into the decoder: a serial port opened read
// only (waited for while it is missing or gone), or standard input. A burst of bytes counts as
// done when the line has been quiet for a few characters' time.

#include "display/line_decoder.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class QSerialPort;

namespace ml::display {

class LineSource : public QObject {
  public:
    // `device` is a serial device path or "-" for standard input.
    LineSource(QString device, int baud);
    ~LineSource() override;

    // Opens the device, or keeps trying while it is missing.
    void start();
    LineDecoder& decoder() { return decoder_; }
    // Milliseconds since the source was made: the decoder's clock.
    qint64 now() const { return clock_.elapsed(); }

    // A burst has been read and settled.
    std::function<void()> onBurst;
    // A note for the user: the device is missing, gone or back.
    std::function<void(const QString&)> onNote;
    // Whether the serial device is open now (standard input: never).
    bool deviceOpen() const { return port_ != nullptr; }
    // Standard input has ended.
    std::function<void()> onEnd;

  private:
    void tryOpen();
    void readStdin();
    void stdinEnded();
    void lost(const QString& why);
    void take(QByteArrayView bytes);
    void quiet();

    QString device_;
    int baud_;
    LineDecoder decoder_;
    QElapsedTimer clock_;
    std::unique_ptr<QSerialPort> port_;
    // What wakes the reading of standard input: a notifier on Unix, a timer on Windows.
    std::unique_ptr<QObject> stdin_;
    QTimer retry_;
    QTimer quiet_;
    bool waiting_ = false;
};

} // namespace ml::display
