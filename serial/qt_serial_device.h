#pragma once

// The serial device over QSerialPort. Port numbers 1..16 reach the devices of port_map.h; a
// port is opened write only and exclusively, so a port that another program holds does not
// open (and is not listed).

#include "platform/platform.h"

#include <QStringList>

#include <memory>

class QSerialPort;
class QTimer;

namespace ml {

class QtSerialDevice : public SerialDevice {
  public:
    QtSerialDevice();
    ~QtSerialDevice() override;
    QtSerialDevice(const QtSerialDevice&) = delete;
    QtSerialDevice& operator=(const QtSerialDevice&) = delete;

    bool setPortNumber(int n) override;
    int portNumber() const override { return number_; }
    void setSettings(const QString& settings) override { settings_ = settings; }
    bool open() override;
    bool close() override;
    bool isOpen() const override;
    bool write(const QByteArray& bytes) override;
    qint64 bytesQueued() const override;
    void setDrainedHandler(std::function<void()> handler) override;
    void setFailureHandler(std::function<void(const QString& reason)> handler) override;
    QString deviceName(int n) const override;

  private:
    void onError(int error);
    void checkDrained();

    std::unique_ptr<QSerialPort> port_;
    std::unique_ptr<QTimer> drainTimer_;
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
