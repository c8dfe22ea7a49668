#include "web/remote_control.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

#include <algorithm>

namespace ml::web {

namespace {

const QString kWrongKey = QStringLiteral("Kein oder falscher Schlüssel");

QByteArray json(const QJsonObject& o) {
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

int hexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// `size` bytes as twice as many hex digits; nothing for any other text. Only the text's form
// decides how long this takes, never what it is compared with.
std::optional<QByteArray> hexBytes(const QString& text, qsizetype size) {
    if (text.size() != 2 * size)
        return std::nullopt;
    QByteArray bytes(size, 0);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int digit = hexDigit(text.at(i).unicode());
        if (digit < 0)
            return std::nullopt;
        char& byte = bytes[i / 2];
        byte = static_cast<char>(byte << 4 | digit);
    }
    return bytes;
}

} // namespace

RemoteControl::RemoteControl(Program& program, const Clock& clock, Storage& storage)
    : program_(program), clock_(clock), storage_(storage) {
    const std::optional<QByteArray> kept =
        hexBytes(QString::fromLatin1(storage_.readRemoteKey().value_or(QByteArray()).trimmed()),
                 qsizetype(key_.size()));
    if (kept) {
        std::copy(kept->begin(), kept->end(), key_.begin());
    } else {
        renewKey();
    }
    allowed_ = program_.form.remoteOn.checked;
    challenge = [] {
        std::array<quint32, 4> words{};
        QRandomGenerator::system()->fillRange(words.data(), qsizetype(words.size()));
        return QString::fromLatin1(
            QByteArray(reinterpret_cast<const char*>(words.data()), sizeof(words)).toHex());
    };
}

QString RemoteControl::keyText() const {
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(key_.data()), qsizetype(key_.size())).toHex());
}

void RemoteControl::renewKey() {
    std::array<quint32, 4> words{};
    QRandomGenerator::system()->fillRange(words.data(), qsizetype(words.size()));
    for (size_t i = 0; i < key_.size(); ++i)
        key_[i] = static_cast<unsigned char>(words[i / 4] >> (8 * (i % 4)));
    keep();
    std::vector<int> paired;
    for (const auto& [id, c] : connections_)
        if (c.paired)
            paired.push_back(id);
    for (const int id : paired)
        if (cut)
            cut(id);
}

void RemoteControl::keep() {
    if (const std::optional<QString> failed = storage_.writeRemoteKey(keyText().toLatin1() + '\n'))
        program_.log.addLine(QCoreApplication::translate(
                                 "ml::web::RemoteControl",
                                 " +++ Fernbedienung: Schlüssel kann nicht gespeichert werden: ") +
                             *failed);
}

bool RemoteControl::proven(const Connection& c, const RemoteMessage& m) const {
    const QByteArray right =
        macOf(QByteArrayView(reinterpret_cast<const char*>(key_.data()), qsizetype(key_.size())),
              signedText(m, c.challenge));
    const std::optional<QByteArray> given = hexBytes(m.mac, right.size());
    if (!given)
        return false;
    // Constant time: every byte is looked at, whatever the first difference.
    unsigned char difference = 0;
    for (qsizetype i = 0; i < right.size(); ++i)
        difference |= static_cast<unsigned char>(given->at(i) ^ right.at(i));
    return difference == 0;
}

bool RemoteControl::lockedOut(const QHostAddress& address) {
    const auto it = addresses_.find(address);
    return it != addresses_.end() && it->lockedUntil > clock_.monotonicMs();
}

bool RemoteControl::wrongTry(const QHostAddress& address) {
    const qint64 now = clock_.monotonicMs();
    if (!addresses_.contains(address) && addresses_.size() >= kMaxAddresses) {
        // Forgets an address that is not locked out and tried longest ago.
        const auto last = [](const Address& a) { return a.wrong.empty() ? 0 : a.wrong.back(); };
        auto oldest = addresses_.end();
        for (auto it = addresses_.begin(); it != addresses_.end(); ++it)
            if (it->lockedUntil <= now && (oldest == addresses_.end() || last(*it) < last(*oldest)))
                oldest = it;
        if (oldest == addresses_.end())
            return false;
        addresses_.erase(oldest);
    }
    Address& a = addresses_[address];
    a.wrong.push_back(now);
    while (a.wrong.front() <= now - kWrongTriesMs)
        a.wrong.pop_front();
    if (static_cast<int>(a.wrong.size()) < kMaxWrongTries)
        return false;
    a.wrong.clear();
    a.lockedUntil = now + kLockMs;
    program_.log.addLine(
        QCoreApplication::translate("ml::web::RemoteControl",
                                    " +++ Fernbedienung: %1 falsche Schlüssel von %2 in "
                                    "einer Minute, die Adresse ist für eine Minute gesperrt")
            .arg(kMaxWrongTries)
            .arg(address.toString()));
    std::vector<int> from;
    for (const auto& [id, c] : connections_)
        if (c.address.isEqual(address))
            from.push_back(id);
    for (const int id : from)
        if (cut)
            cut(id);
    return true;
}

int RemoteControl::open(const QHostAddress& address) {
    if (lockedOut(address))
        return 0;
    const int id = nextId_++;
    Connection& c = connections_[id];
    c.address = address;
    c.challenge = challenge();
    c.openedAt = c.tokensAt = clock_.monotonicMs();
    scheduleDue();
    return id;
}

void RemoteControl::greet(int id) {
    const auto it = connections_.find(id);
    if (it != connections_.end() && send)
        send(id, json({{QStringLiteral("type"), QStringLiteral("challenge")},
                       {QStringLiteral("challenge"), it->second.challenge}}));
}

void RemoteControl::close(int id) {
    const auto it = connections_.find(id);
    if (it == connections_.end())
        return;
    releaseHorn(it->second);
    const bool paired = it->second.paired;
    connections_.erase(it);
    if (paired)
        remotesChanged();
}

void RemoteControl::receive(int id, QByteArrayView message) {
    const auto it = connections_.find(id);
    if (it == connections_.end())
        return;
    Connection& c = it->second;
    // Cut off with its address: what it had sent meanwhile is not read.
    if (lockedOut(c.address))
        return;
    // Each message costs a token; a connection that sends faster than a hand can tap is cut.
    const qint64 now = clock_.monotonicMs();
    c.tokens = std::min(kBurst, c.tokens + double(now - c.tokensAt) * kRate / 1000.0);
    c.tokensAt = now;
    if (c.tokens < 1) {
        if (cut)
            cut(id);
        return;
    }
    c.tokens -= 1;
    const std::variant<RemoteMessage, QString> parsed = parseRemoteMessage(message);
    if (const QString* why = std::get_if<QString>(&parsed)) {
        reply(id, {}, "refused", *why);
        return;
    }
    const RemoteMessage& m = std::get<RemoteMessage>(parsed);
    if (m.type == RemoteMessage::Type::Hello)
        hello(id, c, m);
    else
        command(id, c, m);
}

void RemoteControl::hello(int id, Connection& c, const RemoteMessage& m) {
    if (!proven(c, m)) {
        const QHostAddress from = c.address;
        if (!wrongTry(from) && send)
            send(id, json({{QStringLiteral("type"), QStringLiteral("refused")},
                           {QStringLiteral("reason"), kWrongKey}}));
        return;
    }
    const QString name = m.name.isEmpty() ? QStringLiteral("Gerät") : m.name;
    if (!c.paired && pairedCount() >= kMaxRemotes)
        return refuse(id, c, name);
    const bool was = c.paired;
    c.paired = true;
    c.name = name;
    // The clocks compared: a command's time is read on the server's clock from now on.
    c.offsetMs = clock_.wallMs() - m.at;
    if (send)
        send(id, json({{QStringLiteral("type"), QStringLiteral("welcome")},
                       {QStringLiteral("name"), c.name},
                       {QStringLiteral("allowed"), allowed_}}));
    if (!was)
        program_.log.addLine(QCoreApplication::translate("ml::web::RemoteControl",
                                                         " +++ Fernbedienung verbunden: %1 (%2)")
                                 .arg(c.name, c.address.toString()));
    remotesChanged();
}

void RemoteControl::refuse(int id, const Connection& c, const QString& name) {
    refused_.times += 1;
    refused_.last = {name, c.address, {}, clock_.timeOfDay()};
    Form& f = program_.form;
    const bool said = f.faults.count(Fault::Remotes) != 0;
    const QString text =
        QCoreApplication::translate("ml::web::RemoteControl",
                                    "Fernbedienung %1 (%2) abgewiesen: alle %3 Plätze belegt")
            .arg(name, c.address.toString())
            .arg(kMaxRemotes);
    f.setFault(Fault::Remotes, text);
    if (!said)
        program_.log.addLine(QStringLiteral(" +++ ") + text);
    if (send)
        send(id, json({{QStringLiteral("type"), QStringLiteral("refused")},
                       {QStringLiteral("reason"),
                        QStringLiteral("Kein Platz: schon %1 Fernbedienungen verbunden")
                            .arg(kMaxRemotes)}}));
    if (cut)
        cut(id);
    program_.outsideChange();
    if (changed)
        changed();
}

void RemoteControl::command(int id, Connection& c, const RemoteMessage& m) {
    if (!proven(c, m)) {
        const QHostAddress from = c.address;
        if (!wrongTry(from))
            reply(id, m.id, "refused", kWrongKey);
        return;
    }
    if (!c.paired)
        return reply(id, m.id, "refused", QStringLiteral("Nicht angemeldet: die Seite neu laden"));
    if (m.action == nullptr)
        return reply(id, m.id, "refused", QStringLiteral("Unbekannter Befehl"));
    Control& control = program_.controlOf(*m.action);
    // Letting go of the horn always reaches it, as the desk's key does: it never surprises.
    if (control.onHold && !m.down) {
        if (!seen(m.id)) {
            releaseHorn(c);
            c.hornSpent = false;
        }
        return reply(id, m.id, "applied");
    }
    if (ids_.contains(m.id))
        return reply(id, m.id, "duplicate", QStringLiteral("Schon ausgeführt"));
    if (!program_.form.remoteOn.checked)
        return reply(id, m.id, "refused", QStringLiteral("Die Fernbedienung ist am Pult gesperrt"));
    if (program_.boxOpen() || (windowBox && windowBox()))
        return reply(id, m.id, "refused",
                     QStringLiteral("Am Pult wartet eine Meldung auf Antwort"));
    const qint64 age = clock_.wallMs() - (m.at + c.offsetMs);
    if (age > kStaleMs || age < -kStaleMs)
        return reply(id, m.id, "refused", QStringLiteral("Befehl zu alt, nicht ausgeführt"));
    if (control.onHold && (c.hornHeld || c.hornSpent))
        return holdOn(id, c, m);
    const qint64 now = clock_.monotonicMs();
    if (m.action->remote.toggle) {
        const auto last = toggled_.constFind(m.action);
        if (last != toggled_.cend() && now - *last < kDoubleTapMs) {
            seen(m.id);
            return reply(id, m.id, "duplicate", QStringLiteral("Doppelt getippt: einmal genommen"));
        }
    }
    if (!control.enabled || !(control.visible || m.action->evenHidden))
        return reply(id, m.id, "refused", QStringLiteral("Am Pult gerade nicht möglich"));
    // A question the desk would ask is the timekeeper's to answer, not a phone's.
    if (const QString asked = program_.match.askedFirst(control); !asked.isEmpty())
        return reply(id, m.id, "refused", asked);
    // Under a sport's rules a penalty or foul names its player and length itself: what the desk
    // has typed into its boxes is the desk's.
    const Command::Remote::Pad pad = m.action->remote.pad;
    const bool own = pad != Command::Remote::Pad::None && !program_.match.rules().free();
    if ((!own && (m.player || !m.length.isEmpty())) ||
        (!m.length.isEmpty() && (pad != Command::Remote::Pad::Penalty ||
                                 !program_.match.penaltyLengths().contains(m.length))))
        return reply(id, m.id, "refused", QStringLiteral("Nummer oder Länge passt nicht"));
    seen(m.id);
    if (m.action->remote.toggle)
        toggled_[m.action] = now;
    const QString what = QString::fromUtf8(m.action->remote.what);
    c.last = what;
    c.lastTime = clock_.timeOfDay();
    if (control.onHold) {
        c.hornHeld = true;
        c.hornSince = c.hornLast = now;
        scheduleDue();
    }
    program_.log.addLine(
        QCoreApplication::translate("ml::web::RemoteControl", " +++ Fernbedienung (%1): %2")
            .arg(c.name, QCoreApplication::translate("Command", m.action->remote.what)));
    if (own)
        program_.commandFor(*m.action, m.player,
                            m.length.isEmpty() && pad == Command::Remote::Pad::Penalty
                                ? program_.match.penaltyLengths().value(0)
                                : m.length);
    else
        program_.command(*m.action);
    // The command may have opened a box that the desk answered meanwhile, and the connection may
    // be gone by then: only its id is used from here.
    reply(id, m.id, "applied");
    remotesChanged();
}

void RemoteControl::holdOn(int id, Connection& c, const RemoteMessage& m) {
    seen(m.id);
    c.hornLast = clock_.monotonicMs();
    scheduleDue();
    if (c.hornSpent)
        return reply(
            id, m.id, "refused",
            QStringLiteral("Die Hupe tönt höchstens %1 s am Stück").arg(kHornMaxMs / 1000));
    reply(id, m.id, "applied");
}

void RemoteControl::due() {
    const qint64 now = clock_.monotonicMs();
    std::vector<int> late;
    for (auto& [id, c] : connections_) {
        if (!c.paired && now - c.openedAt >= kHelloMs)
            late.push_back(id);
        const bool quiet = now - c.hornLast >= kHornQuietMs;
        if (c.hornHeld && (quiet || now - c.hornSince >= kHornMaxMs)) {
            releaseHorn(c);
            c.hornSpent = !quiet;
        } else if (c.hornSpent && quiet) {
            c.hornSpent = false;
        }
    }
    for (const int id : late) {
        if (cut)
            cut(id);
        close(id);
    }
    scheduleDue();
}

void RemoteControl::scheduleDue() {
    if (!wake)
        return;
    std::optional<qint64> next;
    const auto at = [&next](qint64 t) { next = std::min(next.value_or(t), t); };
    for (const auto& [id, c] : connections_) {
        if (!c.paired)
            at(c.openedAt + kHelloMs);
        if (c.hornHeld)
            at(std::min(c.hornLast + kHornQuietMs, c.hornSince + kHornMaxMs));
        if (c.hornSpent)
            at(c.hornLast + kHornQuietMs);
    }
    if (next)
        wake(std::max<qint64>(0, *next - clock_.monotonicMs()));
}

bool RemoteControl::seen(const QString& id) {
    const qint64 now = clock_.monotonicMs();
    while (!idTimes_.empty() &&
           (idTimes_.front().first <= now - kIdMemoryMs || int(idTimes_.size()) >= kMaxIds)) {
        ids_.remove(idTimes_.front().second);
        idTimes_.pop_front();
    }
    if (ids_.contains(id))
        return true;
    ids_.insert(id);
    idTimes_.emplace_back(now, id);
    return false;
}

void RemoteControl::reply(int id, const QString& commandId, const char* result,
                          const QString& reason) {
    if (!send)
        return;
    QJsonObject o{{QStringLiteral("type"), QStringLiteral("reply")},
                  {QStringLiteral("result"), QLatin1String(result)}};
    if (!commandId.isEmpty())
        o.insert(QStringLiteral("id"), commandId);
    if (!reason.isEmpty())
        o.insert(QStringLiteral("reason"), reason);
    send(id, json(o));
}

void RemoteControl::follow(const Changes& changes) {
    if (!changes.has(program_.form.remoteOn) || allowed_ == program_.form.remoteOn.checked)
        return;
    allowed_ = program_.form.remoteOn.checked;
    for (auto& [id, c] : connections_) {
        if (!c.paired)
            continue;
        if (!allowed_)
            releaseHorn(c);
        if (send)
            send(id, json({{QStringLiteral("type"), QStringLiteral("allowed")},
                           {QStringLiteral("allowed"), allowed_}}));
    }
    if (changed)
        changed();
}

void RemoteControl::releaseHorn(Connection& c) {
    if (!std::exchange(c.hornHeld, false))
        return;
    for (const Command& a : commands())
        if (a.remotely() && program_.controlOf(a).onHold)
            program_.command(a, false);
}

int RemoteControl::pairedCount() const {
    return static_cast<int>(std::count_if(connections_.begin(), connections_.end(),
                                          [](const auto& entry) { return entry.second.paired; }));
}

void RemoteControl::remotesChanged() {
    const int paired = pairedCount();
    Form& f = program_.form;
    f.remoteMark.visible = paired > 0;
    f.remoteMark.text =
        paired > 1
            ? QCoreApplication::translate("ml::web::RemoteControl", "Fernbedienung: %1").arg(paired)
            : QCoreApplication::translate("ml::web::RemoteControl", "Fernbedienung");
    // Room again: the desk has seen the refusal; the network dialog keeps it.
    if (paired < kMaxRemotes)
        f.setFault(Fault::Remotes, {});
    program_.outsideChange();
    if (changed)
        changed();
}

std::vector<RemoteControl::Remote> RemoteControl::remotes() const {
    std::vector<Remote> list;
    for (const auto& [id, c] : connections_)
        if (c.paired)
            list.push_back({c.name, c.address, c.last, c.lastTime});
    return list;
}

} // namespace ml::web
