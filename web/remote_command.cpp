#include "web/remote_command.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageAuthenticationCode>

#include <cmath>

namespace ml::web {

namespace {

const QString kMalformed = QStringLiteral("Ungültige Nachricht");

// A time in milliseconds since 1970 as JSON gives it: a whole number a clock can hold.
std::optional<qint64> timeOf(const QJsonValue& v) {
    if (!v.isDouble())
        return std::nullopt;
    const double ms = v.toDouble();
    if (!std::isfinite(ms) || std::fabs(ms) > 9.0e15)
        return std::nullopt;
    return std::llround(ms);
}

// A device's name as the desk shows it: no control characters, at most `kMaxNameLength`.
QString printableName(const QString& text) {
    QString name;
    for (const QChar c : text) {
        if (name.size() >= kMaxNameLength)
            break;
        if (c.isPrint() && !c.isSurrogate())
            name += c;
    }
    return name.simplified();
}

} // namespace

QByteArray remotePage(const QByteArray& page, const std::function<bool(const Command&)>& held) {
    static const QByteArray kKeys = QByteArrayLiteral("<section class=\"keys\"></section>");
    static const char* const kShown[] = {"always", "free", "rules", "timeouts", "fouls"};
    static const char* const kPads[] = {nullptr, "penalty", "player"};
    // German, as the pages are written: the page speaks its language through /texts.js.
    const auto said = [](const char* text) { return QString::fromUtf8(text).toHtmlEscaped(); };
    QString buttons;
    for (const Command& c : commands()) {
        if (!c.remotely())
            continue;
        buttons +=
            QStringLiteral("\n<button data-t data-action=\"%1\" data-shown=\"%2\"")
                .arg(QLatin1String(c.id), QLatin1String(kShown[static_cast<int>(c.remote.shown)]));
        if (const char* pad = kPads[static_cast<int>(c.remote.pad)])
            buttons += QStringLiteral(" data-pad=\"%1\"").arg(QLatin1String(pad));
        if (held(c))
            buttons += QStringLiteral(" data-held=\"1\"");
        if (c.remote.running != nullptr)
            buttons += QStringLiteral(" data-running=\"%1\"").arg(said(c.remote.running));
        buttons += QLatin1Char('>') + said(c.remote.button ? c.remote.button : c.remote.what) +
                   QStringLiteral("</button>");
    }
    QByteArray filled = page;
    return filled.replace(kKeys, "<section class=\"keys\">" + buttons.toUtf8() + "\n</section>");
}

std::variant<RemoteMessage, QString> parseRemoteMessage(QByteArrayView bytes) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return kMalformed;
    const QJsonObject o = doc.object();
    const QJsonValue mac = o.value(QLatin1String("mac"));
    const std::optional<qint64> at = timeOf(o.value(QLatin1String("at")));
    if (!at || !(mac.isString() || mac.isUndefined()))
        return kMalformed;
    RemoteMessage m;
    m.mac = mac.toString();
    m.at = *at;
    const QString type = o.value(QLatin1String("type")).toString();
    if (type == QLatin1String("hello")) {
        const QJsonValue name = o.value(QLatin1String("name"));
        if (!(name.isString() || name.isUndefined()))
            return kMalformed;
        m.type = RemoteMessage::Type::Hello;
        m.sentName = name.toString();
        m.name = printableName(m.sentName);
        return m;
    }
    if (type != QLatin1String("command"))
        return kMalformed;
    const QJsonValue id = o.value(QLatin1String("id"));
    const QJsonValue action = o.value(QLatin1String("action"));
    const QJsonValue down = o.value(QLatin1String("down"));
    const QJsonValue player = o.value(QLatin1String("player"));
    const QJsonValue length = o.value(QLatin1String("length"));
    if (!id.isString() || id.toString().isEmpty() || id.toString().size() > kMaxIdLength ||
        !action.isString() || action.toString().size() > kMaxIdLength ||
        !(down.isBool() || down.isUndefined()) ||
        !(player.isUndefined() || (player.isDouble() && player.toDouble() == player.toInt() &&
                                   player.toInt() >= 1 && player.toInt() <= 99)) ||
        !(length.isUndefined() ||
          (length.isString() && length.toString().size() <= kMaxLengthText)))
        return kMalformed;
    m.id = id.toString();
    m.actionName = action.toString();
    m.down = down.toBool(true);
    if (player.isDouble())
        m.player = player.toInt();
    m.length = length.toString();
    if (const Command* c = commandById(m.actionName); c != nullptr && c->remotely())
        m.action = c;
    return m;
}

QByteArray signedText(const RemoteMessage& m, const QString& challenge) {
    const QString at = QString::number(m.at);
    QStringList lines = m.type == RemoteMessage::Type::Hello
                            ? QStringList{QStringLiteral("hello"), challenge, at, m.sentName}
                            : QStringList{QStringLiteral("command"),
                                          challenge,
                                          m.id,
                                          m.actionName,
                                          at,
                                          m.down ? QStringLiteral("1") : QStringLiteral("0")};
    if (m.type == RemoteMessage::Type::Command && (m.player || !m.length.isEmpty()))
        lines << (m.player ? QString::number(*m.player) : QString()) << m.length;
    return lines.join(QLatin1Char('\n')).toUtf8();
}

QByteArray macOf(QByteArrayView key, QByteArrayView text) {
    return QMessageAuthenticationCode::hash(text.toByteArray(), key.toByteArray(),
                                            QCryptographicHash::Sha256);
}

QJsonObject withMac(QJsonObject m, QByteArrayView key, const QString& challenge) {
    const std::variant<RemoteMessage, QString> parsed =
        parseRemoteMessage(QJsonDocument(m).toJson(QJsonDocument::Compact));
    if (const RemoteMessage* message = std::get_if<RemoteMessage>(&parsed))
        m.insert(QStringLiteral("mac"),
                 QString::fromLatin1(macOf(key, signedText(*message, challenge)).toHex()));
    return m;
}

} // namespace ml::web
