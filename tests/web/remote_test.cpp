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

    Remote() {
        control.send = [this](int, const QByteArray& m) {
            said.push_back(QJsonDocument::fromJson(m).object());
        };
        control.cut = [this](int i) { control.close(i); };
        desk.live();
        id = control.open(QHostAddress(QStringLiteral("192.168.1.57")));
        send({{"type", "hello"}, {"name", "Tablet"}, {"key", control.keyText()}, {"at", now()}});
    }
    double now() const { return double(desk.clock.wallMs()); }
    QJsonObject command(const char* action) {
        return {{"type", "command"},
                {"key", control.keyText()},
                {"id", QString::number(++ids)},
                {"action", action},
                {"at", now()}};
    }
    // The answer's result.
    QString send(const QJsonObject& m) {
        control.receive(id, QJsonDocument(m).toJson());
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

TEST(RemoteCommand, EachActionChangesWhatTheDesksKeyChanges) {
    for (const Command& a : commands()) {
        if (!a.remotely())
            continue;
        Remote remote;
        Desk desk;
        desk.live();
        const QStringList keys = desk.p.keys.keysOf(a);
        ASSERT_FALSE(keys.isEmpty()) << a.id;
        // A goal first, for undo to take back.
        remote.desk.p.key(QStringLiteral("F2"));
        desk.p.key(QStringLiteral("F2"));

        QJsonObject wrong = remote.command(a.id);
        wrong[QLatin1String("key")] = QString(32, QLatin1Char('0'));
        remote.send(wrong);
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
    QJsonObject wrong = remote.command("homePlus");
    wrong[QLatin1String("key")] = QString(32, QLatin1Char('f'));
    for (int i = 1; i < 20; ++i)
        remote.send(wrong);
    remote.desk.clock.advanceMs(60000);
    // Tries of more than a minute ago no longer count.
    for (int i = 1; i < 20; ++i)
        remote.send(wrong);
    EXPECT_NE(remote.control.open(from), 0);
    remote.send(wrong);
    EXPECT_EQ(remote.control.open(from), 0);
    EXPECT_NE(remote.control.open(QHostAddress(QStringLiteral("192.168.1.58"))), 0);
    EXPECT_TRUE(remote.control.remotes().empty());
    EXPECT_EQ(remote.desk.p.form.Text1.text.count(QStringLiteral("gesperrt")), 1);
    remote.desk.clock.advanceMs(60000);
    EXPECT_NE(remote.control.open(from), 0);
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
