#pragma once

// A Mosquitto of the test's own on free loopback ports: plain MQTT, MQTT over WebSocket and TLS
// (a CA and a certificate for "localhost" only, made with openssl here), courts logging in as
// `kUser`, anyone reading; killed and started again on the same ports. `ok` is false when the
// broker or openssl is missing or does not start.

#include <QDir>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <pwd.h>
#include <unistd.h>

namespace ml::test {

struct Broker {
    static constexpr const char* kUser = "feld";
    static constexpr const char* kPassword = "geheim";

    QTemporaryDir dir;
    quint16 tcp = freePort(), ws = freePort(), tls = freePort();
    QProcess process;
    bool ok = false;

    Broker() {
        ok = run("openssl",
                 {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1", "-subj",
                  "/CN=Marklight Test CA", "-keyout", path("ca.key"), "-out", path("ca.crt")}) &&
             run("openssl", {"req", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=localhost",
                             "-keyout", path("server.key"), "-out", path("server.csr")}) &&
             write("ext", "subjectAltName=DNS:localhost\n") &&
             run("openssl", {"x509", "-req", "-days", "1", "-in", path("server.csr"), "-CA",
                             path("ca.crt"), "-CAkey", path("ca.key"), "-CAcreateserial",
                             "-extfile", path("ext"), "-out", path("server.crt")}) &&
             write("passwords", "") &&
             run("mosquitto_passwd", {"-b", path("passwords"), kUser, kPassword}) &&
             write("acl", "topic read marklight/#\nuser feld\ntopic readwrite marklight/#\n") &&
             write("mosquitto.conf", config()) && start();
    }
    ~Broker() { kill(); }

    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }

    bool start() {
        process.start(QStringLiteral("mosquitto"), {QStringLiteral("-c"), path("mosquitto.conf")});
        return process.waitForStarted() && QTest::qWaitFor([this] { return accepts(tcp); }, 5000);
    }
    void kill() {
        process.kill();
        process.waitForFinished();
    }

    static quint16 freePort() {
        QTcpServer s;
        s.listen(QHostAddress::LocalHost);
        return s.serverPort();
    }

  private:
    static bool accepts(quint16 port) {
        QTcpSocket s;
        s.connectToHost(QHostAddress::LocalHost, port);
        return s.waitForConnected(200);
    }
    bool run(const char* program, const QStringList& arguments) {
        QProcess p;
        p.start(QLatin1String(program), arguments);
        return p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit &&
               p.exitCode() == 0;
    }
    bool write(const char* name, const QString& text) {
        QFile f(path(name));
        return f.open(QIODevice::WriteOnly) && f.write(text.toUtf8()) == text.toUtf8().size();
    }
    QString config() const {
        // Run as root, Mosquitto would become the user "mosquitto", who cannot read these files.
        const passwd* me = getpwuid(getuid());
        return QStringLiteral("user %1\nper_listener_settings false\nallow_anonymous true\n"
                              "password_file %2\nacl_file %3\npersistence false\n"
                              "listener %4 127.0.0.1\n"
                              "listener %5 127.0.0.1\nprotocol websockets\n"
                              "listener %6 127.0.0.1\ncafile %7\ncertfile %8\nkeyfile %9\n")
            .arg(QString::fromLocal8Bit(me != nullptr ? me->pw_name : "root"), path("passwords"),
                 path("acl"))
            .arg(tcp)
            .arg(ws)
            .arg(tls)
            .arg(path("ca.crt"), path("server.crt"), path("server.key"));
    }
};

// Every message of `topic` on the broker at `port`, as mosquitto_sub prints them.
struct Subscriber {
    struct Message {
        bool retained = false;
        QString topic;
        QByteArray payload;
    };
    QProcess process;
    QList<Message> messages;
    QByteArray pending;

    Subscriber(quint16 port, const QString& topic = QStringLiteral("marklight/#")) {
        QObject::connect(&process, &QProcess::readyReadStandardOutput, [this] {
            pending += process.readAllStandardOutput();
            for (qsizetype end; (end = pending.indexOf('\n')) >= 0; pending.remove(0, end + 1)) {
                const QByteArray line = pending.left(end);
                const qsizetype space = line.indexOf(' ', 2);
                messages.append({line.startsWith('1'), QString::fromUtf8(line.mid(2, space - 2)),
                                 line.mid(space + 1)});
            }
        });
        process.start(QStringLiteral("mosquitto_sub"),
                      {QStringLiteral("-h"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"),
                       QString::number(port), QStringLiteral("-t"), topic, QStringLiteral("-F"),
                       QStringLiteral("%r %t %p")});
        process.waitForStarted();
    }
    ~Subscriber() {
        process.kill();
        process.waitForFinished();
    }
    // The first message on `topic` (the last level, "state") from `from` on that `pass`es, within
    // `ms`; its index, or -1.
    qsizetype wait(const char* level, const std::function<bool(const Message&)>& pass,
                   qsizetype from = 0, int ms = 3000) {
        qsizetype found = -1;
        (void)QTest::qWaitFor(
            [&] {
                for (qsizetype i = from; i < messages.size() && found < 0; ++i)
                    if (messages[i].topic.endsWith(QLatin1Char('/') + QLatin1String(level)) &&
                        pass(messages[i]))
                        found = i;
                return found >= 0;
            },
            ms);
        return found;
    }
};

} // namespace ml::test
