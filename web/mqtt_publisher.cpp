#include "web/mqtt_publisher.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <cmath>

namespace ml::web {

namespace {

QByteArray message(const char* type, const char* key, const QJsonObject& body, qint64 now) {
    return QJsonDocument(QJsonObject{{QLatin1String("type"), QLatin1String(type)},
                                     {QStringLiteral("now"), now},
                                     {QLatin1String(key), body}})
        .toJson(QJsonDocument::Compact);
}

// A count's moment of start while it runs (its reading moved back by its value), else null.
QJsonValue origin(const QJsonObject& count, bool down) {
    if (!count.value(QLatin1String("running")).toBool())
        return QJsonValue();
    const double at = count.value(QLatin1String("at")).toDouble();
    const double ms = count.value(QLatin1String("ms")).toDouble();
    return down ? at + ms : at - ms;
}

QJsonValue stillCount(const QJsonValue& value) {
    QJsonObject count = value.toObject();
    if (value.isNull() || !count.value(QLatin1String("running")).toBool())
        return value;
    for (const char* key : {"text", "tenths", "ms", "at"})
        count.remove(QLatin1String(key));
    return count;
}

QJsonValue stillSide(const QJsonValue& value) {
    QJsonObject side = value.toObject();
    side.insert(QLatin1String("penalty"), !side.value(QLatin1String("penalty")).isNull());
    QJsonArray penalties;
    for (const QJsonValue& p : side.value(QLatin1String("penalties")).toArray()) {
        QJsonObject penalty = p.toObject();
        penalty.remove(QLatin1String("text"));
        penalties.append(penalty);
    }
    side.insert(QLatin1String("penalties"), penalties);
    return side;
}

QJsonObject still(QJsonObject s) {
    s.remove(QLatin1String("timeOfDay"));
    s.remove(QLatin1String("line"));
    for (const char* key : {"clock", "interruption"})
        s.insert(QLatin1String(key), stillCount(s.value(QLatin1String(key))));
    for (const char* key : {"home", "guest"})
        s.insert(QLatin1String(key), stillSide(s.value(QLatin1String(key))));
    return s;
}

bool near(const QJsonValue& a, const QJsonValue& b) {
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    return std::abs(a.toDouble() - b.toDouble()) <= 250;
}

} // namespace

bool sameStanding(const QJsonObject& a, const QJsonObject& b) {
    const QJsonObject clockA = a.value(QLatin1String("clock")).toObject();
    const QJsonObject clockB = b.value(QLatin1String("clock")).toObject();
    const bool down = clockA.value(QLatin1String("countsDown")).toBool();
    return still(a) == still(b) && near(origin(clockA, down), origin(clockB, down)) &&
           near(origin(a.value(QLatin1String("interruption")).toObject(), true),
                origin(b.value(QLatin1String("interruption")).toObject(), true));
}

MqttPublisher::MqttPublisher(Program& program, const Clock& clock, Storage& storage,
                             std::function<QJsonObject()> state)
    : program_(program), clock_(clock), storage_(storage), state_(std::move(state)) {
    program_.afterStep.push_back([this](const Changes& changes) { step(changes); });
    // What is current goes out at once on every connect: nothing made meanwhile is replayed.
    link_.connected = [this] {
        const BrokerSettings s = settings();
        program_.log.addLine(
            said_.isEmpty()
                ? QCoreApplication::translate("ml::web::MqttPublisher",
                                              " +++ MQTT: sendet an %1:%2 (marklight/%3/%4)")
                      .arg(s.host)
                      .arg(s.port)
                      .arg(s.hall, s.court)
                : QCoreApplication::translate("ml::web::MqttPublisher",
                                              " +++ MQTT: wieder verbunden"));
        said_.clear();
        publishState(state_());
        if (changed)
            changed();
    };
    link_.troubleChanged = [this] { troubleChanged(); };
}

void MqttPublisher::pin(const BrokerSettings& settings) {
    pinned_ = true;
    pin_ = settings;
    applySettings();
}

BrokerSettings MqttPublisher::settings() const {
    return pinned_ ? pin_ : brokerSettings(program_.form);
}

void MqttPublisher::passwordChanged() {
    password_.reset();
    applySettings();
}

void MqttPublisher::applySettings() {
    BrokerSettings wanted = settings();
    if (wanted.password.isEmpty() && !wanted.user.isEmpty()) {
        if (!password_)
            password_ =
                QString::fromUtf8(storage_.readBrokerPassword().value_or(QByteArray()).trimmed());
        wanted.password = *password_;
    }
    link_.use(wanted);
}

void MqttPublisher::step(const Changes& changes) {
    if (changes.empty())
        return;
    applySettings();
    if (!link_.online())
        return;
    const QJsonObject state = state_();
    const qint64 now = clock_.wallMs();
    const QJsonObject news = diff_.next(state);
    if (!news.isEmpty())
        link_.publish(settings().topic("change"), message("change", "changes", news, now), false);
    // The tick's step comes every second, so the state's ten seconds need no timer of their own.
    if (!sameStanding(state, published_) || now - stateAtMs_ >= kStateEveryMs || now < stateAtMs_)
        publishState(state);
}

void MqttPublisher::publishState(const QJsonObject& state) {
    const qint64 now = clock_.wallMs();
    if (!link_.publish(settings().topic("state"), message("state", "state", state, now), true))
        return;
    diff_.next(state);
    published_ = state;
    stateAtMs_ = now;
}

void MqttPublisher::troubleChanged() {
    const QString trouble = link_.trouble();
    Form& f = program_.form;
    const QString text =
        trouble.isEmpty()
            ? QString()
            : QCoreApplication::translate("ml::web::MqttPublisher", "MQTT: keine Verbindung (%1)")
                  .arg(trouble);
    f.setFault(Fault::Broker, text);
    if (!text.isEmpty() && said_.isEmpty()) {
        program_.log.addLine(QStringLiteral(" +++ ") + text);
        said_ = text;
    } else if (text.isEmpty() && !link_.online()) {
        // Turned off: a trouble of the old settings is not the new ones'.
        said_.clear();
    }
    program_.outsideChange();
    if (changed)
        changed();
}

} // namespace ml::web
