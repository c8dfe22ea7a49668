#pragma once

// The serial device over QSerialPort. Port numbers 1..16 reach the devices of port_map.h; a
// port is opened write only and exclusively, so a port that another program holds does not
// open (and is not listed, but is told apart from a missing one). On Unix the device is taken by
// its resolved path: the lock file names the device itself and an advisory lock (flock) is held on
// it while it is open, so a second program reaching it through a symlink or /dev/serial/by-id/...
// is refused, root too. While open the device is looked at every second, so one that goes away
// while nothing is being written is reported as well.

#include "platform/platform.h"

#include <QStringList>

#include <memory>

class QSerialPort;
class QTimer;

namespace ml {

class QtSerialDevice : public SerialDevice {
  public:
    // `listing`: the device whose port listing this one uses (the second display line takes the
    // numbers of the first); none, to list the ports itself.
    explicit QtSerialDevice(const QtSerialDevice* listing = nullptr);
    ~QtSerialDevice() override;
    QtSerialDevice(const QtSerialDevice&) = delete;
    QtSerialDevice& operator=(const QtSerialDevice&) = delete;

    bool setPortNumber(int n) override;
    int portNumber() const override { return number_; }
    void setSettings(const QString& settings) override { settings_ = settings; }
    bool open() override;
    bool openDenied() const override { return denied_; }
    bool openBusy() const override { return busy_; }
    bool close() override;
    bool isOpen() const override;
    bool write(const QByteArray& bytes) override;
    qint64 bytesQueued() const override;
    void setDrainedHandler(std::function<void()> handler) override;
    void setFailureHandler(std::function<void(const QString& reason)> handler) override;
    QString deviceName(int n) const override;
    QString deviceKey(int n) const override;

  private:
    void onError(int error);
    void reportFailure(const QString& reason);
    void checkDrained();
    void checkPresent();
    bool takeDevice(const QString& path);
    void releaseDevice();

    std::unique_ptr<QSerialPort> port_;
    std::unique_ptr<QTimer> drainTimer_;
    std::unique_ptr<QTimer> watchTimer_;
    // The device held with the advisory lock while the port is open; -1 when none.
    int lockFd_ = -1;
    bool denied_ = false;
    bool busy_ = false;
    const QtSerialDevice* listing_;
    QStringList devices_;
    int number_ = 1;
    QString settings_ = QStringLiteral("9600,n,8,1");
    int bitsPerChar_ = 10;
    int baud_ = 9600;
    // Counts opens, so that a failure reported late is dropped once its port has been closed.
    quint64 generation_ = 0;
    bool failed_ = false;
    bool writing_ = false;
    std::function<void()> drained_;
    std::function<void(const QString&)> failure_;
};

} // namespace ml
