#include "core/broker_settings.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QUrl>

namespace ml {

namespace {

bool printable(const QString& text, qsizetype maxLength) {
    if (text.size() > maxLength)
        return false;
    for (QChar c : text)
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0))
            return false;
    return true;
}

QString said(const char* text) {
    return QCoreApplication::translate("ml::BrokerSettings", text);
}

} // namespace

QString BrokerSettings::topic(const char* what) const {
    return QStringLiteral("marklight/%1/%2/%3").arg(hall, court, QLatin1String(what));
}

BrokerSettings brokerSettings(const Form& f) {
    return {f.settings.on(SettingId::MqttOn),
            f.MqttHost,
            f.settings[SettingId::MqttPort],
            f.settings.on(SettingId::MqttTls),
            f.MqttCaFile,
            f.MqttUser,
            {},
            f.MqttHall,
            f.MqttCourt};
}

void setBrokerTexts(Form& f, const BrokerSettings& s) {
    f.MqttHost = s.host;
    f.MqttCaFile = s.caFile;
    f.MqttUser = s.user;
    f.MqttHall = s.hall;
    f.MqttCourt = s.court;
}

bool topicName(const QString& name) {
    return !name.isEmpty() && printable(name, 64) && !name.contains(QLatin1Char('/')) &&
           !name.contains(QLatin1Char('+')) && !name.contains(QLatin1Char('#'));
}

bool brokerHost(const QString& host) {
    // Names, IPv4 and IPv6 addresses; nothing that could carry a path, a user or a port.
    static const QRegularExpression form(QStringLiteral("^[A-Za-z0-9._:-]{0,253}$"));
    return form.match(host).hasMatch();
}

bool brokerText(const QString& text) {
    return printable(text, 1024);
}

std::optional<QString> parseBrokerUrl(const QString& url, BrokerSettings& into) {
    BrokerSettings s;
    s.on = true;
    QString rest = url;
    std::optional<bool> tls;
    if (rest.startsWith(QLatin1String("mqtt://"))) {
        tls = false;
        rest = rest.mid(7);
    } else if (rest.startsWith(QLatin1String("mqtts://"))) {
        tls = true;
        rest = rest.mid(8);
    } else if (rest.contains(QLatin1String("://"))) {
        return said(QT_TRANSLATE_NOOP("ml::BrokerSettings", "nur mqtt:// oder mqtts://"));
    }
    const QStringList parts = rest.split(QLatin1Char('/'));
    if (parts.size() != 3)
        return said(QT_TRANSLATE_NOOP("ml::BrokerSettings", "erwartet wird HOST/HALLE/FELD"));
    if (!topicName(parts[1]) || !topicName(parts[2]))
        return said(QT_TRANSLATE_NOOP(
            "ml::BrokerSettings",
            "Halle und Feld: ohne /, +, # und Steuerzeichen, höchstens 64 Zeichen"));
    s.hall = parts[1];
    s.court = parts[2];
    QString authority = parts[0];
    if (const qsizetype at = authority.lastIndexOf(QLatin1Char('@')); at >= 0) {
        s.user = QUrl::fromPercentEncoding(authority.left(at).toUtf8());
        authority = authority.mid(at + 1);
        if (s.user.isEmpty() || s.user.contains(QLatin1Char(':')) || !brokerText(s.user))
            return said(QT_TRANSLATE_NOOP("ml::BrokerSettings",
                                          "der Benutzername ist leer oder enthält ein Passwort"));
    }
    QString host = authority;
    QString port;
    if (authority.startsWith(QLatin1Char('['))) {
        const qsizetype close = authority.indexOf(QLatin1Char(']'));
        if (close < 0)
            return said(QT_TRANSLATE_NOOP("ml::BrokerSettings", "die Adresse ist unvollständig"));
        host = authority.mid(1, close - 1);
        if (authority.mid(close + 1).startsWith(QLatin1Char(':')))
            port = authority.mid(close + 2);
        else if (close + 1 != authority.size())
            return said(QT_TRANSLATE_NOOP("ml::BrokerSettings", "die Adresse ist unvollständig"));
    } else if (const qsizetype colon = authority.indexOf(QLatin1Char(':')); colon >= 0) {
        host = authority.left(colon);
        port = authority.mid(colon + 1);
    }
    if (host.isEmpty() || !brokerHost(host))
        return said(QT_TRANSLATE_NOOP("ml::BrokerSettings",
                                      "die Adresse des Brokers fehlt oder ist keine"));
    s.host = host;
    if (!port.isNull()) {
        bool ok = false;
        s.port = port.toInt(&ok);
        if (!ok || s.port < 1 || s.port > 65535)
            return said(
                QT_TRANSLATE_NOOP("ml::BrokerSettings", "der Port ist keine Zahl von 1 bis 65535"));
    } else if (tls.value_or(false)) {
        s.port = 8883;
    }
    s.tls = tls.value_or(s.port != BrokerSettings::kPlainMqttPort);
    into = s;
    return std::nullopt;
}

} // namespace ml
