#pragma once

// The match to an MQTT broker, for boards of many courts and audiences of any size: one more
// reader of the program's steps, like the live feed. Under marklight/HALL/COURT/ it publishes
// `state` (the feed's whole state message, retained: whenever something other than a running
// count's value changed, and at least every `kStateEveryMs`), `change` (each change message of
// the feed) and `status` ("online", retained; "offline" as the connection's last will). Nothing
// is read from the broker: the desk stays in charge. Its connection's troubles stand in the
// status line; the match and the display line never wait for it.

#include "core/program.h"
#include "web/mqtt_link.h"
#include "web/state_diff.h"

#include <QJsonObject>

#include <functional>

namespace ml::web {

class MqttPublisher {
  public:
    // `state`: the match as the feed shows it.
    MqttPublisher(Program& program, const Clock& clock, Storage& storage,
                  std::function<QJsonObject()> state);

    // For this run only (`--mqtt`): publishes with `settings`, whatever the settings say.
    void pin(const BrokerSettings& settings);
    bool pinned() const { return pinned_; }
    bool online() const { return link_.online(); }
    // The settings it publishes with now (the password left out).
    BrokerSettings settings() const;
    // Why it cannot publish now; empty while it does or is off.
    QString trouble() const { return link_.trouble(); }
    // The kept password was replaced: connects with the new one.
    void passwordChanged();
    // The connection came or went, or its trouble changed.
    std::function<void()> changed;

    static constexpr qint64 kStateEveryMs = 10000;

  private:
    void step(const Changes& changes);
    void applySettings();
    // The whole state, retained; what follows is counted from it.
    void publishState(const QJsonObject& state);
    void troubleChanged();

    Program& program_;
    const Clock& clock_;
    Storage& storage_;
    std::function<QJsonObject()> state_;
    MqttLink link_;
    bool pinned_ = false;
    BrokerSettings pin_;
    // The kept password, read once and again when it is replaced.
    std::optional<QString> password_;
    StateDiff diff_;
    // The last state published, and when.
    QJsonObject published_;
    qint64 stateAtMs_ = 0;
    // The trouble said last in the log: each is said once until the link is back.
    QString said_;
};

// Whether two states differ in more than what running counts change by themselves (their texts,
// tenths and readings, the time of day, the display line, the penalties' times): a running count
// is the same while the moment it started from stays within a quarter of a second.
bool sameStanding(const QJsonObject& a, const QJsonObject& b);

} // namespace ml::web
