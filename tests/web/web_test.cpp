// The web face over loopback: the live feed as a browser reads it, and the bounds on what a
// client may ask or cost.

#include "display/line_decoder.h"
#include "tests/support/desk.h"
#include "web/web_server.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTest>
#include <QWebSocket>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace ml::test {
namespace {

// The desk with the web face on a free loopback port, and the display line read back from the
// bytes the program writes, as the window's monitor reads them.
struct Face {
    Desk desk;
    LineDecoder decoder;
    size_t fed = 0;
    web::WebServer server{
        desk.p, desk.clock, desk.dialogs, desk.storage, {decoder, [this] {
                                                             return desk.clock.monotonicMs();
                                                         }}};

    Face() {
        desk.p.afterStep.insert(desk.p.afterStep.begin(), [this](const Changes&) {
            for (; fed < desk.device.writes.size(); ++fed)
                decoder.feed(desk.device.writes[fed], desk.clock.monotonicMs());
            decoder.flush(desk.clock.monotonicMs());
        });
        server.pin(QHostAddress(QHostAddress::LocalHost), 0);
        desk.live();
        desk.p.tick();
    }
    QUrl url(const QString& path) const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(server.port()).arg(path));
    }
};

// A browser's side of /live (or of /remote, with the Origin of the page it runs in): every
// message, parsed.
struct Client {
    QWebSocket socket;
    QList<QJsonObject> messages;

    explicit Client(const Face& face, const QString& path = QStringLiteral("/live"),
                    const QString& origin = {})
        : socket(origin) {
        QObject::connect(&socket, &QWebSocket::textMessageReceived, [this](const QString& m) {
            messages << QJsonDocument::fromJson(m.toUtf8()).object();
        });
        QUrl url = face.url(path);
        url.setScheme(QStringLiteral("ws"));
        socket.open(url);
    }
    // Waits for the message after those seen so far; an empty object when none comes.
    QJsonObject next() {
        const qsizetype seen = messages.size();
        (void)QTest::qWaitFor([&] { return messages.size() > seen; }, 3000);
        return messages.value(seen);
    }
};

TEST(LiveFeed, FirstMessageIsTheWholeState) {
    Face face;
    Client client(face);
    const QJsonObject first = client.next();
    EXPECT_EQ(first[QStringLiteral("type")], QStringLiteral("state"));
    const QJsonObject state = first[QStringLiteral("state")].toObject();
    EXPECT_EQ(state[QStringLiteral("version")], web::kFeedVersion);
    EXPECT_EQ(state.keys(), web::stateJson(face.desk.p.form, {}, {}).keys());
    EXPECT_EQ(state[QStringLiteral("line")][QStringLiteral("rows")][1],
              QStringLiteral(" 0    20:00   0 "));
}

TEST(LiveFeed, GoalOnTheDeskArrivesAsAChangeOfThatSideOnly) {
    Face face;
    Client client(face);
    client.next();
    face.desk.p.click(face.desk.p.form.up_l);
    const QJsonObject changes = client.next()[QStringLiteral("changes")].toObject();
    EXPECT_EQ(changes[QStringLiteral("home")][QStringLiteral("score")], QStringLiteral("1"));
    EXPECT_FALSE(changes.contains(QStringLiteral("guest")));
    // The line shows it in the same step.
    EXPECT_EQ(changes[QStringLiteral("line")][QStringLiteral("rows")][1],
              QStringLiteral(" 1    20:00   0 "));
}

TEST(LiveFeed, ASportsPeriodPenaltiesAndRecordArriveWithTheirSide) {
    Face face;
    Program& p = face.desk.p;
    p.chooseSport(QStringLiteral("eishockey"));
    for (const char* number : {"7", "9", ""}) {
        p.type(p.form.playerR, QString::fromLatin1(number));
        p.click(p.form.StrafeR);
    }
    const QJsonObject state = face.server.stateNow()[QStringLiteral("state")].toObject();
    EXPECT_EQ(state[QStringLiteral("period")][QStringLiteral("name")],
              QStringLiteral("1. Drittel"));
    const QJsonArray penalties =
        state[QStringLiteral("guest")][QStringLiteral("penalties")].toArray();
    ASSERT_EQ(penalties.size(), 3);
    EXPECT_EQ(penalties[0][QStringLiteral("number")], 7);
    EXPECT_EQ(penalties[2][QStringLiteral("number")], QJsonValue());
    EXPECT_FALSE(penalties[2][QStringLiteral("running")].toBool());
    EXPECT_EQ(state[QStringLiteral("record")].toArray().last()[QStringLiteral("what")],
              QStringLiteral("Strafe 2 min (wartet)"));
    EXPECT_EQ(state[QStringLiteral("sport")][QStringLiteral("penaltyLengths")].toArray(),
              QJsonArray({"2", "2+2", "5", "10"}));
    // The guest team's timeout: whose it is and the dots of the allowance; the referees' is
    // nobody's.
    for (Button* b : {&p.form.teamTimeoutR, &p.form.Time_Out}) {
        p.click(*b);
        const QJsonObject now = face.server.stateNow()[QStringLiteral("state")].toObject();
        EXPECT_EQ(now[QStringLiteral("interruption")][QStringLiteral("team")],
                  b == &p.form.Time_Out ? QJsonValue() : QJsonValue(QStringLiteral("guest")));
        EXPECT_EQ(now[QStringLiteral("guest")][QStringLiteral("timeouts")][QStringLiteral("marks")],
                  QStringLiteral("●"));
        p.click(p.form.Time_Out);
    }
}

TEST(LiveFeed, TheRecordInTheStateFollowsAGoalAndItsUndo) {
    Face face;
    Program& p = face.desk.p;
    const auto lastEntry = [&face] {
        return face.server.stateNow()[QStringLiteral("state")][QStringLiteral("record")]
            .toArray()
            .last()
            .toObject();
    };
    p.click(p.form.up_l);
    EXPECT_FALSE(lastEntry()[QStringLiteral("withdrawn")].toBool());
    // The record's JSON is made once per change: taking the goal back is a change of it.
    p.click(p.form.undo);
    EXPECT_TRUE(lastEntry()[QStringLiteral("withdrawn")].toBool());
}

// Every key of the value and of the objects within it, at any depth.
void collectKeys(const QJsonValue& value, QSet<QString>& keys) {
    if (value.isArray())
        for (const QJsonValue& item : value.toArray())
            collectKeys(item, keys);
    const QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        keys << it.key();
        collectKeys(it.value(), keys);
    }
}

// docs/web.md's table of the state names each top-level field in its first column and every
// field within them in its text: a field added or renamed in the code fails here until the table
// says it.
TEST(LiveFeed, TheDocsTableOfTheStateNamesEveryField) {
    Face face;
    Program& p = face.desk.p;
    p.chooseSport(QStringLiteral("futsal"));
    p.type(p.form.playerR, QStringLiteral("7"));
    p.click(p.form.StrafeR);
    p.click(p.form.foulL);
    p.click(p.form.teamTimeoutL);
    const QJsonObject state = face.server.stateNow()[QStringLiteral("state")].toObject();

    QFile doc(QStringLiteral(MARKLIGHT_DOCS_DIR "/web.md"));
    ASSERT_TRUE(doc.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(doc.readAll());
    QSet<QString> keys;
    collectKeys(state, keys);
    for (const QString& key : keys)
        EXPECT_TRUE(text.contains(QLatin1Char('`') + key + QLatin1Char('`'))) << key.toStdString();

    // The table's rows run from `version` to the first line that is no row.
    QStringList firstColumn;
    bool inTable = false;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        inTable = line.startsWith(QLatin1String("| `")) &&
                  (inTable || line.startsWith(QLatin1String("| `version`")));
        if (!inTable)
            continue;
        static const QRegularExpression name(QStringLiteral("`([A-Za-z]+)`"));
        for (const auto& m : name.globalMatch(line.section(QLatin1Char('|'), 1, 1)))
            firstColumn << m.captured(1);
    }
    QStringList top = state.keys();
    firstColumn.sort();
    top.sort();
    EXPECT_EQ(firstColumn, top);
}

// What a page shows from the clock's value and time at a later moment of the server's clock.
QString shownAt(const QJsonObject& clock, qint64 wallMs) {
    const auto ms = static_cast<qint64>(clock[QStringLiteral("ms")].toDouble()) - wallMs +
                    static_cast<qint64>(clock[QStringLiteral("at")].toDouble());
    const double second = static_cast<double>(shownMs(ms, CountKind::ClockDown) / 1000);
    return minutesText(second, true) + QLatin1Char(':') + secondsText(second);
}

TEST(LiveFeed, ClockValueAndTimeLetAClientRunTheClockBetweenMessages) {
    Face face;
    Program& p = face.desk.p;
    FakeClock& clock = face.desk.clock;
    Client client(face);
    client.next();
    clock.advanceMs(300);
    p.click(p.form.St_St);
    const QJsonObject started = client.next()[QStringLiteral("changes")].toObject();
    const QJsonObject at = started[QStringLiteral("clock")].toObject();
    EXPECT_TRUE(at[QStringLiteral("running")].toBool());
    // Each later second of the time of day, the client's own reckoning from that one message
    // agrees with the window's clock.
    for (int i = 0; i < 70; ++i) {
        face.desk.pass(clock.msToNextSecond() + 1);
        ASSERT_EQ(shownAt(at, clock.wallMs()), p.form.D_Min.text + ':' + p.form.D_Sec.text) << i;
    }
}

// A raw connection to the face from `from` (a loopback address of its own: 127.0.0.2 …).
std::unique_ptr<QTcpSocket> connection(const Face& face, const char* from = "127.0.0.1") {
    auto socket = std::make_unique<QTcpSocket>();
    socket->bind(QHostAddress(QLatin1String(from)));
    socket->connectToHost(QHostAddress::LocalHost, face.server.port());
    (void)QTest::qWaitFor([&] { return socket->state() == QAbstractSocket::ConnectedState; });
    return socket;
}

// One request sent raw: the status code of the answer, or "cut" when the connection is closed
// without one.
QString answer(QTcpSocket& socket, const QByteArray& request) {
    socket.write(request);
    QByteArray reply;
    (void)QTest::qWaitFor(
        [&] {
            reply += socket.readAll();
            return reply.contains("\r\n\r\n") ||
                   socket.state() == QAbstractSocket::UnconnectedState;
        },
        3000);
    return reply.startsWith("HTTP/1.1 ") ? QString::fromLatin1(reply.mid(9, 3))
                                         : QStringLiteral("cut");
}

// Between messages the pages run the counts themselves, by live.js's rules (run here by Node):
// each count around every turn shows as the program shows it.
TEST(LiveFeed, PagesShowEachCountAsTheProgramDoes) {
    const QString node = QStandardPaths::findExecutable(QStringLiteral("node"));
    if (node.isEmpty())
        GTEST_SKIP() << "no node";
    const std::pair<CountKind, const char*> kinds[] = {{CountKind::ClockDown, "down"},
                                                       {CountKind::ClockUp, "up"},
                                                       {CountKind::Interruption, "interruption"}};
    QByteArray counts;
    QStringList expected;
    for (const auto& [kind, name] : kinds)
        for (qint64 ms = -121'003; ms <= 121'003; ms += 50)
            for (const qint64 at : {ms, ms + 1}) {
                counts += QByteArray(name) + ' ' + QByteArray::number(at) + '\n';
                const qint64 shown = shownMs(at, kind);
                const auto second = static_cast<double>(shown / 1000);
                expected.append(QStringLiteral("%1 %2:%3")
                                    .arg(shown)
                                    .arg(minutesText(second, true), secondsText(second)));
            }
    QProcess page;
    page.start(node, {QStringLiteral(MARKLIGHT_SOURCE_DIR "/tests/web/live_counts.js"),
                      QStringLiteral(MARKLIGHT_SOURCE_DIR "/web/pages/live.js")});
    page.write(counts);
    page.closeWriteChannel();
    ASSERT_TRUE(page.waitForFinished(30000)) << page.errorString().toStdString();
    ASSERT_EQ(page.exitCode(), 0) << page.readAllStandardError().toStdString();
    const QStringList shown = QString::fromUtf8(page.readAllStandardOutput())
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(shown.size(), expected.size());
    for (qsizetype i = 0; i < shown.size(); ++i)
        ASSERT_EQ(shown[i].toStdString(), expected[i].toStdString())
            << counts.split('\n')[i].toStdString();
}

TEST(WebFace, AnswersOnlyTheDocumentedRequestsWithinTheirBounds) {
    Face face;
    const auto line = [](int bytes) { return QByteArray(bytes, 'a'); };
    const struct {
        QByteArray request;
        const char* expected;
    } rows[] = {
        {"GET / HTTP/1.1\r\n\r\n", "200"},
        {"GET /uhr?x=1 HTTP/1.1\r\nHost: a\r\n\r\n", "200"},
        {"GET /api/state HTTP/1.1\r\n\r\n", "200"},
        {"GET /sha256.js HTTP/1.1\r\n\r\n", "200"},
        {"GET /../etc/passwd HTTP/1.1\r\n\r\n", "404"},
        {"GET /%2e%2e/%2E%2E/etc/passwd HTTP/1.1\r\n\r\n", "404"},
        {"GET /uhr/../../web/web_server.cpp HTTP/1.1\r\n\r\n", "404"},
        {"GET //etc/passwd HTTP/1.1\r\n\r\n", "404"},
        {"GET :/web/uhr.html HTTP/1.1\r\n\r\n", "404"},
        {"GET /uhr.html HTTP/1.1\r\n\r\n", "404"},
        {"POST /api/state HTTP/1.1\r\nContent-Length: 0\r\n\r\n", "404"},
        // Up to 8 KB a line and 64 KB in all is answered; more is answered 431 and closed.
        {"GET /uhr HTTP/1.1\r\nX-Long: " + line(8000) + "\r\n\r\n", "200"},
        {"GET /uhr HTTP/1.1\r\n" + ("X: " + line(1000) + "\r\n").repeated(63) + "\r\n", "200"},
        {"GET /" + line(9000) + " HTTP/1.1\r\n\r\n", "431"},
        {"GET / HTTP/1.1\r\nX-Long: " + line(9000) + "\r\n\r\n", "431"},
        {"GET / HTTP/1.1\r\nX-Long: " + line(200000) + "\r\n\r\n", "431"},
        {"GET / HTTP/1.1\r\n" + QByteArray("X: 1\r\n").repeated(12000) + "\r\n", "431"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(answer(*connection(face), row.request), QLatin1String(row.expected))
            << row.request.left(60).data();

    // A WebSocket elsewhere than /live is closed at once; what a client sends is ignored.
    Client elsewhere(face, QStringLiteral("/uhr"));
    Client client(face);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return elsewhere.socket.state() == QAbstractSocket::UnconnectedState; }, 3000));
    client.next();
    client.socket.sendTextMessage(QStringLiteral("{\"click\":\"up_l\"}"));
    face.desk.p.click(face.desk.p.form.up_r);
    EXPECT_EQ(
        client.next()[QStringLiteral("changes")][QStringLiteral("guest")][QStringLiteral("score")],
        QStringLiteral("1"));
    EXPECT_EQ(face.desk.p.form.Pkt_l.text, QStringLiteral("0"));
}

TEST(WebFace, AnAddressHoldsEightConnectionsAndAnsweredOnesMakeRoom) {
    Face face;
    const QHostAddress stranger(QStringLiteral("127.0.0.2"));
    std::vector<std::unique_ptr<QTcpSocket>> held;
    for (int i = 0; i < web::GuardedTcpServer::kMaxPerAddress; ++i)
        held.push_back(connection(face, "127.0.0.2"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return face.server.connections(stranger) == 8; }));
    // A ninth is closed at once; another address is served.
    EXPECT_EQ(answer(*connection(face, "127.0.0.2"), "GET / HTTP/1.1\r\n\r\n"),
              QStringLiteral("cut"));
    EXPECT_EQ(answer(*connection(face, "127.0.0.3"), "GET / HTTP/1.1\r\n\r\n"),
              QStringLiteral("200"));
    // One of the eight answered and waiting for its next request gives way to a new one.
    EXPECT_EQ(answer(*held.front(), "GET / HTTP/1.1\r\n\r\n"), QStringLiteral("200"));
    EXPECT_EQ(answer(*connection(face, "127.0.0.2"), "GET / HTTP/1.1\r\n\r\n"),
              QStringLiteral("200"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return held.front()->state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_LE(face.server.connections(stranger), 8);
}

TEST(RemoteSocket, NothingAppliedFromAnAttackOnTheSocket) {
    // Only a page loaded by the server's own address may open a remote.
    const QHostAddress own(QStringLiteral("192.168.1.20"));
    for (const char* origin : {"", "http://192.168.1.20:8470", "http://[::ffff:192.168.1.20]:8470"})
        EXPECT_TRUE(web::ownOrigin(QLatin1String(origin), own, 8470)) << origin;
    for (const char* origin : {"http://localhost:8470", "http://evil.example:8470",
                               "http://192.168.1.20:1", "https://192.168.1.20:8470", "null"})
        EXPECT_FALSE(web::ownOrigin(QLatin1String(origin), own, 8470)) << origin;

    Face face;
    const Form& f = face.desk.p.form;
    const QByteArray key = QByteArray::fromHex(face.server.remote().keyText().toLatin1());
    int ids = 0;
    // Messages as the page sends them, over the challenge the server sent first.
    const auto say = [&](Client& c, const QString& what) {
        (void)QTest::qWaitFor([&] { return !c.messages.isEmpty(); });
        const QJsonObject m{{"type", what},
                            {"id", QString::number(++ids)},
                            {"action", "homePlus"},
                            {"at", double(QDateTime::currentMSecsSinceEpoch())}};
        const QString challenge = c.messages.value(0)[QStringLiteral("challenge")].toString();
        c.socket.sendTextMessage(QString::fromUtf8(
            QJsonDocument(web::withMac(m, key, challenge)).toJson(QJsonDocument::Compact)));
    };
    const auto cut = [](Client& c) {
        return QTest::qWaitFor(
            [&] { return c.socket.state() == QAbstractSocket::UnconnectedState; }, 3000);
    };
    Client foreign(face, QStringLiteral("/remote"), QStringLiteral("http://evil.example"));
    EXPECT_TRUE(cut(foreign));
    // A message of 1 MB; a thousand commands at once, cut after the first few.
    Client big(face, QStringLiteral("/remote")), flood(face, QStringLiteral("/remote"));
    say(big, QStringLiteral("hello"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.remoteMark.visible; }));
    big.socket.sendTextMessage(QString(1 << 20, QLatin1Char('a')));
    EXPECT_TRUE(cut(big));
    for (int i = 0; i <= 1000; ++i)
        say(flood, i ? QStringLiteral("command") : QStringLiteral("hello"));
    EXPECT_TRUE(cut(flood));
    EXPECT_LE(f.Pkt_l.text.toInt(), web::RemoteControl::kBurst);
    // Cut off in the middle of a frame: nothing of it is applied.
    const QString score = f.Pkt_l.text;
    QTcpSocket raw;
    raw.connectToHost(QHostAddress::LocalHost, face.server.port());
    raw.write(
        "GET /remote HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
        "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return raw.readAll().contains("101"); }));
    raw.write(QByteArray("\x81\xfe\x00\x80", 4) + QByteArray(4, 0) + "{\"type\":\"comm");
    raw.abort();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !f.remoteMark.visible; }));
    EXPECT_EQ(f.Pkt_l.text, score);
}

} // namespace
} // namespace ml::test

int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
