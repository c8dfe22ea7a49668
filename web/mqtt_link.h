#pragma once

// One connection to an MQTT broker, driven by the event loop: libmosquitto's socket is watched
// with QSocketNotifier, its keep-alive with a timer, and its connect is non-blocking (a host name
// is looked up by Qt first, off this thread), so a broker that is down, slow or silent never
// holds up the tick. Anything that goes wrong drops the connection, says why (`trouble`) and
// tries again after a wait that doubles up to `kMaxRetryMs`. Nothing is queued while it is down:
// `publish` refuses, and the caller sends what is current once `connected` runs.

#include "core/broker_settings.h"

#include <QCoreApplication>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <functional>
#include <memory>

struct mosquitto;

namespace ml::web {

class MqttLink : public QObject {
    Q_DECLARE_TR_FUNCTIONS(MqttLink)

  public:
    MqttLink();
    ~MqttLink() override;

    // Connects with `settings` (anew when they differ from the last ones); settings that are off
    // close the connection.
    void use(const BrokerSettings& settings);
    bool online() const { return online_; }
    // Why there is no connection ("der Broker antwortet nicht"); empty while online or off.
    QString trouble() const { return trouble_; }
    // Sends at once what the socket takes, the rest as it drains; false while not online.
    bool publish(const QString& topic, const QByteArray& payload, bool retain);

    // Connected (again): the broker has accepted the login.
    std::function<void()> connected;
    // `trouble` changed.
    std::function<void()> troubleChanged;

    static constexpr int kFirstRetryMs = 250;
    static constexpr int kMaxRetryMs = 5000;
    // A broker that has not accepted the login this long after the connect is taken as silent.
    static constexpr int kAnswerMs = 5000;
    // The keep-alive asked of the broker, in seconds: a dead line is noticed within 1.5 times it.
    static constexpr int kKeepAliveS = 5;

  private:
    void start();
    void connectNow();
    // Drops the connection for `why` and tries again later.
    void drop(const QString& why);
    void close();
    // After every call into the library: what its callbacks reported, and whether to write.
    void settle(int rc);
    void setTrouble(const QString& why);
    // What a failed call of the library means to the operator; `error` is errno just after it.
    QString reason(int rc, int error) const;
    static void onConnect(mosquitto*, void* self, int rc);
    static void onDisconnect(mosquitto*, void* self, int rc);

    BrokerSettings settings_;
    mosquitto* mosq_ = nullptr;
    std::unique_ptr<QSocketNotifier> readable_;
    std::unique_ptr<QSocketNotifier> writable_;
    QTimer housekeeping_;
    QTimer retry_;
    QTimer answer_;
    int lookup_ = -1;
    int retryMs_ = kFirstRetryMs;
    bool online_ = false;
    // Reported by the library's callbacks, handled once it has returned.
    int connack_ = -1;
    bool lost_ = false;
    QString trouble_;
};

} // namespace ml::web
