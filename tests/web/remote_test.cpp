// Remote control without the network: a remote's commands against the desk's own keys, and the
// key's guard. The rules each command passes are a golden replay (tests/golden/web_remote).

#include "core/keys.h"
#include "tests/support/desk.h"
#include "web/remote_control.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

#include <algorithm>

namespace ml::test {
namespace {

// The desk, live, with remote control and one remote from 192.168.1.57 paired as "Tablet".
struct Remote {
    Desk desk;
    web::RemoteControl control{desk.p, desk.clock, desk.storage};
    std::vector<QJsonObject> said;
    int id = 0;
    int ids = 0;
    QString challenge;

    Remote() {
        control.send = [this](int, const QByteArray& m) {
            said.push_back(QJsonDocument::fromJson(m).object());
        };
        control.cut = [this](int i) { control.close(i); };
        desk.live();
        id = control.open(QHostAddress(QStringLiteral("192.168.1.57")));
        control.greet(id);
        challenge = said.back()[QLatin1String("challenge")].toString();
        send({{"type", "hello"}, {"name", "Tablet"}, {"at", now()}});
    }
    double now() const { return double(desk.clock.wallMs()); }
    QJsonObject command(const char* action) {
        return {
            {"type", "command"}, {"id", QString::number(++ids)}, {"action", action}, {"at", now()}};
    }
    // The answer's result, to the message proven with the key (or with `key`).
    QString send(const QJsonObject& m, const QByteArray& key = {}) {
        const QByteArray with =
            key.isEmpty() ? QByteArray::fromHex(control.keyText().toLatin1()) : key;
        control.receive(id, QJsonDocument(web::withMac(m, with, challenge)).toJson());
        return said.back()[QLatin1String("result")].toString();
    }
};

// What the operator sees of the desk: every control, and the log without the remote's lines.
std::string seen(const Form& f) {
    QStringList all;
    for (const Control* c : f.controls())
        if (const auto* t = dynamic_cast<const TextControl*>(c);
            t && c != &f.Text1 && c != &f.remoteMark)
            all << c->name + ' ' + t->text + (c->visible ? " +" : " -");
    for (const QString& line : f.Text1.text.split(QStringLiteral("\r\n")))
        if (!line.contains(QStringLiteral("Fernbedienung")))
            all << line;
    return all.join(QLatin1Char('\n')).toStdString();
}

// Each under the rules it is offered with: the teams' timeouts under handball, the fouls under
// futsal. (The period's next step, which depends on where the period stands, and the remote's
// own number and length are the golden web_remote_sport.)
TEST(RemoteCommand, EachActionChangesWhatTheDesksKeyChanges) {
    using Shown = Command::Remote::Shown;
    for (const Command& a : commands()) {
        if (!a.remotely() || a.remote.shown == Shown::UnderRules)
            continue;
        Remote remote;
        Desk desk;
        desk.live();
        const char* sport = a.remote.shown == Shown::Timeouts ? "handball"
                            : a.remote.shown == Shown::Fouls  ? "futsal"
                                                              : "frei";
        remote.desk.p.chooseSport(QString::fromLatin1(sport));
        desk.p.chooseSport(QString::fromLatin1(sport));
        const QStringList keys = desk.p.keys.keysOf(a);
        ASSERT_FALSE(keys.isEmpty()) << a.id;
        // A goal first, for undo to take back.
        remote.desk.p.key(QStringLiteral("F2"));
        desk.p.key(QStringLiteral("F2"));

        remote.send(remote.command(a.id), QByteArray(16, 0));
        EXPECT_EQ(remote.desk.device.writes, desk.device.writes) << a.id;
        EXPECT_EQ(seen(remote.desk.p.form), seen(desk.p.form)) << a.id;

        desk.p.key(keys.first());
        EXPECT_EQ(remote.send(remote.command(a.id)), QStringLiteral("applied"));
        EXPECT_EQ(remote.desk.device.writes, desk.device.writes) << a.id;
        EXPECT_EQ(seen(remote.desk.p.form), seen(desk.p.form)) << a.id;
        EXPECT_EQ(remote.desk.horn.events.size(), desk.horn.events.size()) << a.id;
        EXPECT_TRUE(remote.desk.p.form.Text1.text.contains(
            QStringLiteral(" +++ Fernbedienung (Tablet): ") + QString::fromUtf8(a.remote.what)));
    }
}

TEST(RemoteControl, LocksOutAnAddressAfterTwentyWrongTriesInAMinute) {
    Remote remote;
    const QHostAddress from(QStringLiteral("192.168.1.57"));
    const QByteArray wrong(16, '\xff');
    for (int i = 1; i < 20; ++i)
        remote.send(remote.command("homePlus"), wrong);
    remote.desk.clock.advanceMs(60000);
    // Tries of more than a minute ago no longer count.
    for (int i = 1; i < 20; ++i)
        remote.send(remote.command("homePlus"), wrong);
    EXPECT_NE(remote.control.open(from), 0);
    remote.send(remote.command("homePlus"), wrong);
    EXPECT_EQ(remote.control.open(from), 0);
    EXPECT_NE(remote.control.open(QHostAddress(QStringLiteral("192.168.1.58"))), 0);
    EXPECT_TRUE(remote.control.remotes().empty());
    EXPECT_EQ(remote.desk.p.form.Text1.text.count(QStringLiteral("gesperrt")), 1);
    remote.desk.clock.advanceMs(60000);
    EXPECT_NE(remote.control.open(from), 0);
}

// What the page proves: HMAC-SHA-256 with the key over the signed text (the figures from another
// implementation of HMAC).
TEST(RemoteMessage, MacIsHmacSha256WithTheKeyOverTheSignedText) {
    const QByteArray key = QByteArray::fromHex("00112233445566778899aabbccddeeff");
    const QString challenge = QStringLiteral("0123456789abcdef0123456789abcdef");
    const struct {
        const char* message;
        const char* mac;
    } rows[] = {
        {R"({"type":"hello","name":"Tablet Tisch","at":1767225600000})",
         "3cb440ecbc3bac69ee4417b319d08b117ad8f1a7d7c7981a81c14d187a110841"},
        {R"({"type":"command","id":"3f9a1c-17","action":"horn","down":false,"at":1767225601234})",
         "c67efab5d14ba26ce16282a6bf70dc335f46417fffc26078143d6cbd607ee38a"},
    };
    for (const auto& row : rows) {
        const auto m = std::get<web::RemoteMessage>(web::parseRemoteMessage(row.message));
        EXPECT_EQ(web::macOf(key, web::signedText(m, challenge)).toHex(), row.mac) << row.message;
    }
}

TEST(RemoteControl, ARemoteFindingNoRoomIsRefusedAndTheDeskToldUntilThereIsRoom) {
    Remote remote;
    std::vector<int> others;
    const auto pair = [&](const char* name) {
        const int id = remote.control.open(QHostAddress(QStringLiteral("192.168.1.60")));
        remote.control.greet(id);
        const QString challenge = remote.said.back()[QLatin1String("challenge")].toString();
        remote.control.receive(
            id,
            QJsonDocument(web::withMac({{"type", "hello"}, {"name", name}, {"at", remote.now()}},
                                       QByteArray::fromHex(remote.control.keyText().toLatin1()),
                                       challenge))
                .toJson());
        return id;
    };
    for (int i = 1; i < web::RemoteControl::kMaxRemotes; ++i)
        others.push_back(pair("Handy"));
    pair("Tablet Tisch");
    EXPECT_EQ(remote.said.back()[QLatin1String("type")], QStringLiteral("refused"));
    pair("Tablet Tisch");
    const Form& f = remote.desk.p.form;
    EXPECT_TRUE(f.StatusLine.text.contains(QStringLiteral("Tablet Tisch")));
    EXPECT_EQ(f.Text1.text.count(QStringLiteral("abgewiesen")), 1);
    EXPECT_EQ(remote.control.refused().times, 2);
    remote.control.close(others.back());
    EXPECT_FALSE(f.StatusLine.visible);
    pair("Tablet Tisch");
    EXPECT_EQ(remote.said.back()[QLatin1String("type")], QStringLiteral("welcome"));
}

TEST(RemoteControl, NewKeyCutsOffPairedRemotes) {
    Remote remote;
    const QString old = remote.control.keyText();
    remote.control.renewKey();
    EXPECT_TRUE(remote.control.remotes().empty());
    EXPECT_NE(remote.control.keyText(), old);
    EXPECT_EQ(remote.desk.storage.remoteKey, remote.control.keyText().toLatin1() + '\n');
}

} // namespace
} // namespace ml::test
