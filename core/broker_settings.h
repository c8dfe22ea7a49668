#pragma once

// Where the match is published beyond this computer: the MQTT broker's settings as one typed
// value, read from the form ("Extras → Netzwerk…") or from `--mqtt`, and the rules for what the
// operator may type into them. The hall's and the court's names become topic levels, so a name
// that would reach into another topic is refused.

#include "form/form.h"

#include <QString>

#include <optional>

namespace ml {

struct BrokerSettings {
    bool on = false;
    QString host;
    int port = kPlainMqttPort;
    bool tls = false;
    // The CA's certificate the broker's is checked against; empty: the system's CAs.
    QString caFile;
    QString user;
    QString password;
    QString hall;
    QString court;

    bool operator==(const BrokerSettings&) const = default;

    static constexpr int kPlainMqttPort = 1883;
    // Whether the settings say enough to connect: a broker and both names.
    bool complete() const { return !host.isEmpty() && !hall.isEmpty() && !court.isEmpty(); }
    // "marklight/HALL/COURT/" + what.
    QString topic(const char* what) const;
};

// The broker as the form holds it; the password is kept apart and not in it.
BrokerSettings brokerSettings(const Form& form);
// The texts of `s` into the form (address, CA file, user, hall, court); not its numbers or flags.
void setBrokerTexts(Form& form, const BrokerSettings& s);

// A hall's or a court's name fit for one topic level: 1 to 64 characters, none of them '/',
// '+', '#' or a control character.
bool topicName(const QString& name);
// A broker's address as typed: a host name or an address, nothing else (empty: none).
bool brokerHost(const QString& host);
// A user name, or a CA file's path: printable, not too long (empty: none).
bool brokerText(const QString& text);

// `[mqtt://|mqtts://][USER@]HOST[:PORT]/HALL/COURT` as `--mqtt` takes it, on; without a scheme
// TLS is on for a port other than 1883. The reason (German, for the operator) when it is not.
std::optional<QString> parseBrokerUrl(const QString& url, BrokerSettings& into);

} // namespace ml
