#pragma once

// "Ansicht → Anzeige-Monitor": the display line drawn from the very bytes Marklight writes to
// the port, read back by the wire's decoder. While no port is open it shows what would be
// written, and says so in its corner.

#include "app/monitor/led_monitor.h"
#include "display/line_decoder.h"
#include "platform/platform.h"

#include <QElapsedTimer>
#include <QPointer>

namespace ml::app {

class WireMonitor {
  public:
    // `title`: the window's; `kept` names the settings that keep its place.
    WireMonitor(QString title, QString kept);
    ~WireMonitor();

    // Bytes written to the open port.
    void written(const QByteArray& bytes);
    // A transmission composed while no port is open: what would be written.
    void rehearsed(const QString& transmission);
    // Opens the window, or brings it to the front.
    void show();
    LineDecoder& decoder() { return decoder_; }
    // The decoder's clock in milliseconds.
    qint64 now() const { return clock_.elapsed(); }

  private:
    void feed(const QByteArray& bytes, const QString& note);

    const QString title_;
    const QString kept_;
    LineDecoder decoder_;
    QElapsedTimer clock_;
    QByteArray lastRehearsal_;
    QString note_;
    QPointer<monitor::LedMonitor> window_;
};

// The serial device with every accepted write also handed to `tap`.
class TappedSerialDevice : public SerialDevice {
  public:
    TappedSerialDevice(SerialDevice& device, std::function<void(const QByteArray&)> tap)
        : device_(device), tap_(std::move(tap)) {}

    bool setPortNumber(int n) override { return device_.setPortNumber(n); }
    int portNumber() const override { return device_.portNumber(); }
    void setSettings(const QString& settings) override { device_.setSettings(settings); }
    bool open() override { return device_.open(); }
    bool openDenied() const override { return device_.openDenied(); }
    bool openBusy() const override { return device_.openBusy(); }
    bool close() override { return device_.close(); }
    bool isOpen() const override { return device_.isOpen(); }
    bool write(const QByteArray& bytes) override;
    qint64 bytesQueued() const override { return device_.bytesQueued(); }
    void setDrainedHandler(std::function<void()> handler) override {
        device_.setDrainedHandler(std::move(handler));
    }
    void setFailureHandler(std::function<void(const QString&)> handler) override {
        device_.setFailureHandler(std::move(handler));
    }
    QString deviceName(int n) const override { return device_.deviceName(n); }
    QString deviceKey(int n) const override { return device_.deviceKey(n); }

  private:
    SerialDevice& device_;
    std::function<void(const QByteArray&)> tap_;
};

} // namespace ml::app
