// Remote control without the network: a remote's messages against the desk, and what the desk
// does with them.

#include "core/keys.h"
#include "tests/support/desk.h"
#include "web/remote_control.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

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
    // The answer's result and reason, and what the desk shows then.
    QString send(const QJsonObject& m, int from = 0) {
        control.receive(from ? from : id, QJsonDocument(m).toJson());
        const Form& f = desk.p.form;
        return said.back()[QLatin1String("result")].toString() + ' ' +
               said.back()[QLatin1String("reason")].toString() + " | " + f.Pkt_l.text +
               (f.ClockRunning ? " läuft" : " steht") + (desk.horn.sounding() ? " Hupe" : "");
    }
};

// What the operator sees of the desk: every control, and the log without the remote's lines.
std::string seen(const Form& f) {
    QStringList all;
    for (const Control* c : f.controls())
        if (const auto* t = dynamic_cast<const TextControl*>(c);
            t && c != &f.Text1 && c != &f.RemoteMark)
            all << c->name + ' ' + t->text + (c->visible ? " +" : " -");
    for (const QString& line : f.Text1.text.split(QStringLiteral("\r\n")))
        if (!line.contains(QStringLiteral("Fernbedienung")))
            all << line;
    return all.join(QLatin1Char('\n')).toStdString();
}

TEST(RemoteCommand, EachActionChangesWhatTheDesksKeyChanges) {
    for (const web::RemoteAction& a : web::remoteActions()) {
        Remote remote;
        Desk desk;
        desk.live();
        const QString control = a.control(desk.p.form).name;
        const auto key = std::find_if(keyBindings().begin(), keyBindings().end(),
                                      [&](const KeyBinding& k) { return control == k.control; });
        ASSERT_NE(key, keyBindings().end()) << a.name;
        // A goal first, for undo to take back.
        remote.desk.p.key(QStringLiteral("F2"));
        desk.p.key(QStringLiteral("F2"));

        QJsonObject wrong = remote.command(a.name);
        wrong[QLatin1String("key")] = QString(32, QLatin1Char('0'));
        remote.send(wrong);
        EXPECT_EQ(remote.desk.device.writes, desk.device.writes) << a.name;
        EXPECT_EQ(seen(remote.desk.p.form), seen(desk.p.form)) << a.name;

        desk.p.key(QLatin1String(key->key));
        EXPECT_TRUE(remote.send(remote.command(a.name)).startsWith(QLatin1String("applied")));
        EXPECT_EQ(remote.desk.device.writes, desk.device.writes) << a.name;
        EXPECT_EQ(seen(remote.desk.p.form), seen(desk.p.form)) << a.name;
        EXPECT_EQ(remote.desk.horn.events.size(), desk.horn.events.size()) << a.name;
        EXPECT_TRUE(remote.desk.p.form.Text1.text.contains(
            QStringLiteral(" +++ Fernbedienung (Tablet): ") + QString::fromUtf8(a.what)));
    }
}

TEST(RemoteCommand, FollowsTheRulesOfTheNetwork) {
    const struct {
        const char* what;
        std::function<QString(Remote&)> run;
        const char* outcome;
    } rows[] = {
        {"the same id twice",
         [](Remote& r) {
             const QJsonObject m = r.command("homePlus");
             r.send(m);
             return r.send(m);
         },
         "duplicate Schon ausgeführt | 1 steht"},
        {"a double tap on a toggle",
         [](Remote& r) {
             r.send(r.command("clock"));
             r.desk.clock.advanceMs(699);
             return r.send(r.command("clock"));
         },
         "duplicate Doppelt getippt: einmal genommen | 0 läuft"},
        {"two taps 700 ms apart",
         [](Remote& r) {
             r.send(r.command("clock"));
             r.desk.clock.advanceMs(700);
             return r.send(r.command("clock"));
         },
         "applied  | 0 steht"},
        {"a stale command",
         [](Remote& r) {
             QJsonObject m = r.command("homePlus");
             m[QLatin1String("at")] = r.now() - 2001;
             return r.send(m);
         },
         "refused Befehl zu alt, nicht ausgeführt | 0 steht"},
        {"a remote whose clock is an hour ahead",
         [](Remote& r) {
             const int other = r.control.open(QHostAddress(QStringLiteral("192.168.1.58")));
             const double ahead = r.now() + 3600000;
             r.send({{"type", "hello"}, {"key", r.control.keyText()}, {"at", ahead}}, other);
             r.desk.clock.advanceMs(1500);
             QJsonObject m = r.command("homePlus");
             m[QLatin1String("at")] = ahead;
             return r.send(m, other);
         },
         "applied  | 1 steht"},
        {"no key",
         [](Remote& r) {
             QJsonObject m = r.command("homePlus");
             m.remove(QLatin1String("key"));
             return r.send(m);
         },
         "refused Kein oder falscher Schlüssel | 0 steht"},
        {"a connection without hello",
         [](Remote& r) {
             return r.send(r.command("homePlus"),
                           r.control.open(QHostAddress(QStringLiteral("192.168.1.58"))));
         },
         "refused Nicht angemeldet: die Seite neu laden | 0 steht"},
        {"an action that is none of the desk's",
         [](Remote& r) { return r.send(r.command("reset")); },
         "refused Unbekannter Befehl | 0 steht"},
        {"an action the desk cannot take now", [](Remote& r) { return r.send(r.command("undo")); },
         "refused Am Pult gerade nicht möglich | 0 steht"},
        {"remote control switched off at the desk",
         [](Remote& r) {
             r.desk.p.key(QStringLiteral("Ctrl+F"));
             return r.send(r.command("homePlus"));
         },
         "refused Die Fernbedienung ist am Pult gesperrt | 0 steht"},
        {"a box waiting at the desk",
         [](Remote& r) {
             QString inBox;
             r.desk.dialogs.whileOpen = [&] { inBox = r.send(r.command("clock")); };
             r.desk.p.click(r.desk.p.form.Reset_Time);
             return inBox + " / " + r.send(r.command("homePlus"));
         },
         "refused Am Pult wartet eine Meldung auf Antwort | 0 steht / applied  | 1 steht"},
        {"the horn held by a remote that goes away",
         [](Remote& r) {
             QJsonObject press = r.command("horn");
             press[QLatin1String("down")] = true;
             const QString held = r.send(press);
             r.control.close(r.id);
             return held + " /" + (r.desk.horn.sounding() ? " Hupe" : "");
         },
         "applied  | 0 steht Hupe /"},
    };
    for (const auto& row : rows) {
        Remote remote;
        EXPECT_EQ(row.run(remote).toStdString(), row.outcome) << row.what;
    }
    Remote remote;
    remote.control.receive(remote.id, "{\"type\":\"command\",");
    EXPECT_EQ(remote.said.back()[QLatin1String("reason")], QStringLiteral("Ungültige Nachricht"));
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
