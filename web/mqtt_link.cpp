#include "web/mqtt_link.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QHostInfo>

#include <mosquitto.h>

#include <cerrno>
#include <cstring>

namespace ml::web {

namespace {

// The library once per process, before the first client.
void initLibrary() {
    static const int once = mosquitto_lib_init();
    (void)once;
}

} // namespace

QString MqttLink::reason(int rc, int error) const {
    const BrokerSettings& s = settings_;
    switch (rc) {
    case MOSQ_ERR_TLS:
        return tr("TLS gescheitert: Zertifikat des Brokers nicht anerkannt, oder Port %1 "
                  "spricht kein TLS")
            .arg(s.port);
    case MOSQ_ERR_CONN_LOST:
    case MOSQ_ERR_NO_CONN:
        return tr("Verbindung unterbrochen");
    case MOSQ_ERR_KEEPALIVE:
        return tr("der Broker antwortet nicht mehr");
    case MOSQ_ERR_ERRNO:
        if (error == ECONNREFUSED)
            return tr("Port %1 nimmt keine Verbindung an").arg(s.port);
        if (error == ETIMEDOUT || error == EHOSTUNREACH || error == ENETUNREACH)
            return tr("%1 ist nicht erreichbar").arg(s.host);
        return QString::fromLocal8Bit(std::strerror(error));
    default:
        return QString::fromUtf8(mosquitto_strerror(rc));
    }
}

MqttLink::MqttLink() {
    initLibrary();
    housekeeping_.setInterval(500);
    connect(&housekeeping_, &QTimer::timeout, this, [this] {
        if (mosq_ != nullptr)
            settle(mosquitto_loop_misc(mosq_));
    });
    retry_.setSingleShot(true);
    connect(&retry_, &QTimer::timeout, this, [this] { start(); });
    answer_.setSingleShot(true);
    answer_.setInterval(kAnswerMs);
    connect(&answer_, &QTimer::timeout, this, [this] { drop(tr("der Broker antwortet nicht")); });
}

MqttLink::~MqttLink() {
    close();
}

void MqttLink::use(const BrokerSettings& settings) {
    if (settings == settings_)
        return;
    settings_ = settings;
    close();
    retry_.stop();
    retryMs_ = kFirstRetryMs;
    if (!settings_.on) {
        setTrouble({});
        return;
    }
    if (!settings_.complete()) {
        setTrouble(tr("Broker, Halle oder Feld fehlt"));
        return;
    }
    start();
}

bool MqttLink::publish(const QString& topic, const QByteArray& payload, bool retain) {
    if (!online_)
        return false;
    const int rc =
        mosquitto_publish(mosq_, nullptr, topic.toUtf8().constData(),
                          static_cast<int>(payload.size()), payload.constData(), 0, retain);
    settle(rc);
    return rc == MOSQ_ERR_SUCCESS;
}

void MqttLink::start() {
    QHostAddress literal;
    if (literal.setAddress(settings_.host)) {
        connectNow();
        return;
    }
    // The library would look the name up on this thread, and a slow name server would hold the
    // tick; once Qt has found it, the library's own lookup is answered from the system's cache.
    lookup_ = QHostInfo::lookupHost(settings_.host, this, [this](const QHostInfo& info) {
        lookup_ = -1;
        if (info.error() != QHostInfo::NoError || info.addresses().isEmpty())
            drop(tr("%1 ist unbekannt").arg(settings_.host));
        else
            connectNow();
    });
}

void MqttLink::connectNow() {
    const BrokerSettings& s = settings_;
    mosq_ = mosquitto_new(nullptr, true, this);
    mosquitto_int_option(mosq_, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
    mosquitto_connect_callback_set(mosq_, &MqttLink::onConnect);
    mosquitto_disconnect_callback_set(mosq_, &MqttLink::onDisconnect);
    const QByteArray status = s.topic("status").toUtf8();
    mosquitto_will_set(mosq_, status.constData(), 7, "offline", 1, true);
    if (!s.user.isEmpty())
        mosquitto_username_pw_set(mosq_, s.user.toUtf8().constData(),
                                  s.password.isEmpty() ? nullptr : s.password.toUtf8().constData());
    if (s.tls) {
        const QByteArray ca = s.caFile.toLocal8Bit();
        const int rc =
            s.caFile.isEmpty()
                ? mosquitto_int_option(mosq_, MOSQ_OPT_TLS_USE_OS_CERTS, 1)
                : mosquitto_tls_set(mosq_, ca.constData(), nullptr, nullptr, nullptr, nullptr);
        if (rc != MOSQ_ERR_SUCCESS) {
            drop(tr("die CA-Datei %1 ist nicht lesbar").arg(s.caFile));
            return;
        }
        // The broker's certificate must be valid for the name it was reached by.
        mosquitto_tls_opts_set(mosq_, 1, nullptr, nullptr);
    }
    connack_ = -1;
    lost_ = false;
    const int rc = mosquitto_connect_async(mosq_, s.host.toUtf8().constData(), s.port, kKeepAliveS);
    const int error = errno;
    if (rc != MOSQ_ERR_SUCCESS) {
        drop(reason(rc, error));
        return;
    }
    const int fd = mosquitto_socket(mosq_);
    readable_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(readable_.get(), &QSocketNotifier::activated, this,
            [this] { settle(mosquitto_loop_read(mosq_, 1)); });
    writable_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Write);
    connect(writable_.get(), &QSocketNotifier::activated, this,
            [this] { settle(mosquitto_loop_write(mosq_, 1)); });
    housekeeping_.start();
    answer_.start();
    settle(MOSQ_ERR_SUCCESS);
}

void MqttLink::settle(int rc) {
    const int error = errno;
    if (mosq_ == nullptr)
        return;
    if (connack_ > 0) {
        drop(connack_ == 4 || connack_ == 5
                 ? tr("Anmeldung abgelehnt: Benutzername oder Passwort falsch")
                 : tr("der Broker lehnt ab: %1")
                       .arg(QString::fromUtf8(mosquitto_connack_string(connack_))));
        return;
    }
    if (rc != MOSQ_ERR_SUCCESS || lost_) {
        const bool closed = rc == MOSQ_ERR_SUCCESS || rc == MOSQ_ERR_CONN_LOST;
        // A broker that closes before it answers the login without TLS waits for TLS there.
        drop(closed && !online_ && !settings_.tls
                 ? tr("der Broker trennt vor der Anmeldung (will Port %1 TLS?)").arg(settings_.port)
                 : reason(closed ? MOSQ_ERR_CONN_LOST : rc, error));
        return;
    }
    if (connack_ == 0 && !online_) {
        online_ = true;
        answer_.stop();
        retryMs_ = kFirstRetryMs;
        publish(settings_.topic("status"), QByteArrayLiteral("online"), true);
        // What is current goes out before anyone hears of the way back (and publishes changes
        // counted from before it).
        if (connected)
            connected();
        if (mosq_ == nullptr)
            return;
        setTrouble({});
    }
    writable_->setEnabled(mosquitto_want_write(mosq_));
}

void MqttLink::onConnect(mosquitto*, void* self, int rc) {
    static_cast<MqttLink*>(self)->connack_ = rc;
}

void MqttLink::onDisconnect(mosquitto*, void* self, int) {
    static_cast<MqttLink*>(self)->lost_ = true;
}

void MqttLink::drop(const QString& why) {
    close();
    setTrouble(why);
    retry_.start(retryMs_);
    retryMs_ = std::min(retryMs_ * 2, kMaxRetryMs);
}

void MqttLink::close() {
    if (lookup_ >= 0)
        QHostInfo::abortHostLookup(std::exchange(lookup_, -1));
    housekeeping_.stop();
    answer_.stop();
    // A notifier may be the one whose signal is being handled: it goes once that has returned.
    for (std::unique_ptr<QSocketNotifier>* n : {&readable_, &writable_})
        if (*n) {
            (*n)->setEnabled(false);
            n->release()->deleteLater();
        }
    online_ = false;
    if (mosq_ != nullptr)
        // Without a DISCONNECT: the broker sends the last will, as for a crash.
        mosquitto_destroy(std::exchange(mosq_, nullptr));
}

void MqttLink::setTrouble(const QString& why) {
    if (why == trouble_)
        return;
    trouble_ = why;
    if (troubleChanged)
        troubleChanged();
}

} // namespace ml::web
