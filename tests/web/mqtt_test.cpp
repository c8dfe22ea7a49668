// The match published to a real Mosquitto (label mqtt): what a subscriber gets, every fault of
// the broker said in the status line while the match goes on, and the way back after the broker
// was gone.

#include "display/line_decoder.h"
#include "tests/support/broker.h"
#include "tests/support/desk.h"
#include "web/mqtt_publisher.h"
#include "web/web_server.h"

#include <QCoreApplication>
#include <QJsonDocument>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace ml::test {
namespace {

// A desk that publishes to a broker; its state as the feed makes it.
struct Court {
    Desk desk;
    LineDecoder decoder;
    web::WebServer web{
        desk.p, desk.clock, desk.dialogs, desk.storage, {decoder, [this] {
                                                             return desk.clock.monotonicMs();
                                                         }}};
    web::MqttPublisher mqtt{desk.p, desk.clock, desk.storage, [this] { return web.state(); }};

    // Published with `s` for this run; false when it is not online within `ms` (by default time
    // for an attempt the busy machine leaves unanswered and the next one).
    bool pinned(const BrokerSettings& s,
                int ms = 2 * web::MqttLink::kAnswerMs + web::MqttLink::kMaxRetryMs) {
        mqtt.pin(s);
        return QTest::qWaitFor([this] { return mqtt.online(); }, ms);
    }
    QString status() const { return desk.p.form.StatusLine.text; }
};

BrokerSettings plain(const Broker& b, const char* court) {
    return {true,
            QStringLiteral("127.0.0.1"),
            b.tcp,
            false,
            {},
            Broker::kUser,
            Broker::kPassword,
            QStringLiteral("halle1"),
            QLatin1String(court)};
}

QJsonObject json(const Subscriber::Message& m) {
    return QJsonDocument::fromJson(m.payload).object();
}

QString homeScore(const Subscriber::Message& m) {
    const QJsonObject o = json(m);
    return o[o.contains(QStringLiteral("state")) ? QStringLiteral("state")
                                                 : QStringLiteral("changes")]
            [QStringLiteral("home")][QStringLiteral("score")]
                .toString();
}

#define NEEDS_BROKER(b)                                                                            \
    if (!(b).ok)                                                                                   \
    GTEST_SKIP() << "no mosquitto or openssl"

TEST(MqttPublishing, SettingsAndKeptPasswordGiveRetainedStateOnlineAndAGoalAsAChange) {
    Broker broker;
    NEEDS_BROKER(broker);
    Court court;
    court.desk.storage.brokerPassword = QByteArray(Broker::kPassword);
    BrokerSettings s = plain(broker, "feld1");
    court.desk.p.brokerTexts(s);
    court.desk.p.setting(QStringLiteral("MqttPort"), broker.tcp);
    court.desk.p.setting(QStringLiteral("MqttTls"), 0);
    court.desk.p.setting(QStringLiteral("MqttOn"), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return court.mqtt.online(); }, 5000))
        << court.status().toStdString();

    // A viewer that subscribes before the first state reaches the broker gets it live, without
    // the retained flag; the later viewer below shows that it is retained.
    Subscriber viewer(broker.tcp);
    const qsizetype state = viewer.wait("state", [](const auto&) { return true; });
    ASSERT_GE(state, 0);
    EXPECT_EQ(viewer.messages[state].topic, QStringLiteral("marklight/halle1/feld1/state"));
    EXPECT_EQ(json(viewer.messages[state])[QStringLiteral("type")], QStringLiteral("state"));
    EXPECT_EQ(homeScore(viewer.messages[state]), QStringLiteral("0"));
    EXPECT_GE(viewer.wait("status", [](const auto& m) { return m.payload == "online"; }), 0);

    court.desk.p.click(court.desk.p.form.up_l);
    const qsizetype change =
        viewer.wait("change", [](const auto& m) { return homeScore(m) == QStringLiteral("1"); });
    ASSERT_GE(change, 0);
    EXPECT_FALSE(json(viewer.messages[change])[QStringLiteral("changes")].toObject().contains(
        QStringLiteral("guest")));
    // Whoever comes later finds the goal in the retained state.
    Subscriber late(broker.tcp);
    EXPECT_GE(late.wait("state", [](const auto& m) { return m.retained && homeScore(m) == "1"; }),
              0);
    EXPECT_TRUE(court.status().isEmpty());
}

TEST(MqttPublishing, ARunningClockSendsItsChangesButTheStateOnlyEveryTenSeconds) {
    Broker broker;
    NEEDS_BROKER(broker);
    Court court;
    ASSERT_TRUE(court.pinned(plain(broker, "feld2")));
    Subscriber viewer(broker.tcp);
    ASSERT_GE(viewer.wait("status", [](const auto&) { return true; }), 0);
    court.desk.click("St_St");
    const qsizetype started = viewer.wait("state", [](const auto& m) {
        return json(m)[QStringLiteral("state")][QStringLiteral("clock")][QStringLiteral("running")]
            .toBool();
    });
    ASSERT_GE(started, 0);
    const auto count = [&](const char* level) {
        QCoreApplication::processEvents();
        QTest::qWait(300);
        return std::count_if(viewer.messages.begin() + started + 1, viewer.messages.end(),
                             [level](const auto& m) { return m.topic.endsWith(level); });
    };
    court.desk.pass(3000);
    EXPECT_EQ(count("/state"), 0);
    EXPECT_GE(count("/change"), 3);
    court.desk.pass(7000);
    EXPECT_EQ(count("/state"), 1);
}

TEST(MqttFaults, EachIsSaidInTheStatusLineWhileTheMatchAndTheLineGoOn) {
    Broker broker;
    NEEDS_BROKER(broker);
    // A broker that takes the connection and never answers.
    QTcpServer silent;
    silent.listen(QHostAddress::LocalHost);
    const struct {
        const char* what;
        std::function<void(BrokerSettings&)> change;
        const char* said;
    } faults[] = {
        {"unknown name", [](auto& s) { s.host = "nosuch.invalid"; },
         "nosuch.invalid ist unbekannt"},
        {"closed port", [](auto& s) { s.port = Broker::freePort(); }, "nimmt keine Verbindung an"},
        {"wrong password", [](auto& s) { s.password = "falsch"; }, "Passwort falsch"},
        {"TLS on the plain port", [](auto& s) { s.tls = true; }, "TLS gescheitert"},
        {"plain on the TLS port", [&](auto& s) { s.port = broker.tls; }, "will Port"},
        {"certificate for another name",
         [&](auto& s) {
             s.port = broker.tls;
             s.tls = true;
             s.caFile = broker.path("ca.crt");
         },
         "TLS gescheitert"},
        {"unreadable CA file",
         [&](auto& s) {
             s.tls = true;
             s.caFile = broker.path("nothing.crt");
         },
         "CA-Datei"},
        {"silent broker", [&](auto& s) { s.port = silent.serverPort(); },
         "der Broker antwortet nicht"},
    };
    Subscriber viewer(broker.tcp);
    for (const auto& f : faults) {
        SCOPED_TRACE(f.what);
        Court court;
        court.desk.live();
        BrokerSettings s = plain(broker, f.what);
        f.change(s);
        court.mqtt.pin(s);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !court.status().isEmpty(); },
                                    web::MqttLink::kAnswerMs + 1000));
        EXPECT_TRUE(court.status().startsWith(QStringLiteral("MQTT: keine Verbindung (")))
            << court.status().toStdString();
        EXPECT_TRUE(court.status().contains(QString::fromUtf8(f.said)))
            << court.status().toStdString();
        court.desk.p.click(court.desk.p.form.up_l);
        EXPECT_EQ(court.desk.rows()[1], QStringLiteral(" 1    20:00   0 "));
    }
    EXPECT_TRUE(viewer.messages.isEmpty());
    // The same trouble is logged once, however often it is tried again.
    Court court;
    BrokerSettings closed = plain(broker, "feld1");
    closed.port = Broker::freePort();
    EXPECT_FALSE(court.pinned(closed, 2000));
    EXPECT_EQ(court.desk.p.form.Text1.text.count(QStringLiteral("MQTT: keine Verbindung")), 1);
}

TEST(MqttReconnect, ABrokerBackAfterTenSecondsHasTheCurrentStateWithinFive) {
    Broker broker;
    NEEDS_BROKER(broker);
    Court court;
    court.desk.live();
    ASSERT_TRUE(court.pinned(plain(broker, "feld3")));
    broker.kill();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !court.status().isEmpty(); }, 3000));
    EXPECT_TRUE(court.status().contains(QStringLiteral("MQTT: keine Verbindung")));
    // Made while the broker was away: goes out as the state, not as a late change.
    court.desk.p.click(court.desk.p.form.up_l);
    EXPECT_EQ(court.desk.rows()[1], QStringLiteral(" 1    20:00   0 "));
    QTest::qWait(10000);
    ASSERT_TRUE(broker.start());
    Subscriber viewer(broker.tcp);
    QElapsedTimer back;
    back.start();
    const qsizetype state = viewer.wait(
        "state", [](const auto& m) { return homeScore(m) == "1"; }, 0,
        web::MqttLink::kMaxRetryMs + 1000);
    ASSERT_GE(state, 0);
    EXPECT_LE(back.elapsed(), web::MqttLink::kMaxRetryMs + 500);
    EXPECT_TRUE(QTest::qWaitFor([&] { return court.status().isEmpty(); }, 1000));
    EXPECT_EQ(std::count_if(viewer.messages.begin(), viewer.messages.end(),
                            [](const auto& m) { return m.topic.endsWith("/change"); }),
              0);
    EXPECT_TRUE(court.desk.p.form.Text1.text.contains(QStringLiteral("MQTT: wieder verbunden")));
}

TEST(BrokerAddress, CommandLineIsReadOrRefusedWithItsReason) {
    const struct {
        const char* url;
        const char* host;
        int port;
        bool tls;
        const char* user;
        const char* refused;
    } rows[] = {
        {"mqtt://127.0.0.1:1884/halle1/feld1", "127.0.0.1", 1884, false, "", nullptr},
        {"mqtts://broker.example/h/f", "broker.example", 8883, true, "", nullptr},
        {"anna@broker.example/h/f", "broker.example", 1883, false, "anna", nullptr},
        {"broker.example:8883/h/f", "broker.example", 8883, true, "", nullptr},
        {"[::1]:1883/h/f", "::1", 1883, false, "", nullptr},
        {"http://broker/h/f", "", 0, false, "", "mqtt://"},
        {"anna:geheim@broker/h/f", "", 0, false, "", "Passwort"},
        {"broker/h", "", 0, false, "", "HOST/HALLE/FELD"},
        {"broker/h/f/x", "", 0, false, "", "HOST/HALLE/FELD"},
        {"broker/h+/f", "", 0, false, "", "Halle und Feld"},
        {"broker/h/#", "", 0, false, "", "Halle und Feld"},
        {"broker/h/f\x01", "", 0, false, "", "Halle und Feld"},
        {"broker:99999/h/f", "", 0, false, "", "Port"},
        {":1883/h/f", "", 0, false, "", "Adresse"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.url);
        BrokerSettings s;
        const auto why = parseBrokerUrl(QString::fromUtf8(r.url), s);
        if (r.refused != nullptr) {
            ASSERT_TRUE(why.has_value());
            EXPECT_TRUE(why->contains(QLatin1String(r.refused))) << why->toStdString();
            EXPECT_FALSE(s.on);
            continue;
        }
        ASSERT_FALSE(why.has_value()) << why->toStdString();
        EXPECT_EQ(s.host, QLatin1String(r.host));
        EXPECT_EQ(s.port, r.port);
        EXPECT_EQ(s.tls, r.tls);
        EXPECT_EQ(s.user, QLatin1String(r.user));
    }
}

} // namespace
} // namespace ml::test

int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
