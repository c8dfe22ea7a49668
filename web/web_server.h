#pragma once

// The web face: Marklight's own small HTTP and WebSocket server. It serves the pages from the
// program's resources, the match as JSON at GET /api/state, and the live feed at /live: the
// whole state when a client connects, then after each step only what changed. Commands come
// only from paired remotes at /remote, each checked by `RemoteControl`. Off until the settings
// ("Extras → Netzwerk…") or `--web` turn it on.

#include "core/program.h"
#include "display/line_decoder.h"
#include "web/guarded_tcp_server.h"
#include "web/remote_control.h"
#include "web/state_diff.h"
#include "web/state_json.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QWebSocket;

namespace ml::web {

class HttpFace;

class WebServer : public QObject {
  public:
    // What the display line shows: the decoder fed with the bytes the program writes, and the
    // decoder's clock in milliseconds.
    struct Line {
        const LineDecoder& decoder;
        std::function<qint64()> nowMs;
    };

    WebServer(Program& program, const Clock& clock, Dialogs& dialogs, Storage& storage, Line line);
    ~WebServer() override;

    // For this run only (`--web`): from the next step on it listens at `address` and `port`,
    // whatever the settings say.
    void pin(const QHostAddress& address, quint16 port);
    bool pinned() const { return pinned_; }

    bool listening() const;
    QHostAddress address() const { return address_; }
    quint16 port() const { return port_; }
    // The pages' addresses, "http://HOST:PORT/uhr" …; for every address of this computer when
    // listening on all of them. Empty while not listening.
    QStringList pageUrls() const;
    int clients() const { return static_cast<int>(viewers_.size()); }
    // The remote's address with its key, "http://HOST:PORT/fernbedienung#k=KEY", for every
    // address the pages have (the hall's network first when listening on it). Empty while not
    // listening.
    QStringList remoteUrls() const;
    RemoteControl& remote() { return remote_; }
    // The language the desk speaks ("de", "en"): the pages speak it unless their address asks
    // for another. Read as listening begins.
    QString language = QStringLiteral("de");

    // The state as GET /api/state answers it: the current state and the server's time.
    QJsonObject stateNow();
    // The match as the feed shows it now (`stateJson`); within a step's readers built once for
    // all of them.
    QJsonObject state();

    // Connections open now: all, and those from `peer`.
    int connections() const;
    int connections(const QHostAddress& peer) const;
    // The most connections the web face holds at once: `kMaxConnections`, or fewer where the
    // system's limit of open files leaves less beside the program's own `kReservedFiles`.
    int maxConnections() const { return maxConnections_; }

    // Bounds on what a client may cost (the connection's own in `GuardedTcpServer`).
    static constexpr int kMaxConnections = 256;
    static constexpr qint64 kReservedFiles = 128;
    static constexpr qint64 kMaxQueuedBytes = 256 * 1024;
    static constexpr quint64 kMaxIncomingBytes = 1024;
    // A feed client is asked to answer as it connects and then every `kPingMs`; one that has not
    // answered what it was sent `kBehindMs` ago (its first message: `kFirstReadMs`) has fallen
    // behind and is cut off.
    static constexpr int kPingMs = 1000;
    static constexpr qint64 kBehindMs = 2000;
    static constexpr qint64 kFirstReadMs = 5000;

  private:
    // After each step of the program: the settings applied, then what changed sent.
    void step();
    void applySettings();
    bool listen(const QHostAddress& address, quint16 port);
    void stop();
    void accept();
    void acceptViewer(QWebSocket* s);
    void acceptRemote(QWebSocket* s);
    // Asks every feed client to answer; cuts off those that have fallen behind.
    void ping();
    void answered(QWebSocket* s, const QByteArray& payload);
    QList<QHostAddress> hosts() const;
    void send(const QByteArray& message);

    Program& program_;
    const Clock& clock_;
    Dialogs& dialogs_;
    Line line_;
    std::unique_ptr<HttpFace> http_;
    QPointer<GuardedTcpServer> tcp_;
    QHostAddress address_;
    quint16 port_ = 0;
    bool pinned_ = false;
    struct Wanted {
        bool on = false;
        QHostAddress address;
        quint16 port = 0;
        bool operator==(const Wanted&) const = default;
    };
    // Where it was last asked to listen, by the settings or the pin.
    Wanted applied_;
    Wanted pin_;
    // A feed client, and the pings it has not answered: when each was sent (ms of `since_`)
    // and what it carries, oldest first.
    struct Viewer {
        QWebSocket* socket;
        std::deque<std::pair<qint64, QByteArray>> pings;
        bool answered = false;
    };
    // Sends `v` a ping, at `now` (ms of `since_`).
    static void ask(Viewer& v, qint64 now);
    std::vector<Viewer> viewers_;
    QElapsedTimer since_;
    QTimer pings_;
    const int maxConnections_;
    RemoteControl remote_;
    QTimer remoteDue_;
    std::map<int, QWebSocket*> remotes_;
    StateDiff diff_;
    // The state built in the readers' pass `stateTelling_` of the program (0: none yet).
    QJsonObject stepState_;
    std::uint64_t stateTelling_ = 0;
    // While the line scrolls or shows the time of day, it changes between steps.
    QTimer animation_;
};

// "[ADDRESS:]PORT" as `--web` takes it ("8470", "127.0.0.1:8470", "[::1]:8470"); an address
// left out is 127.0.0.1. False for anything else.
bool parseListenAddress(const QString& text, QHostAddress& address, quint16& port);

// Whether a WebSocket's Origin is this server's own address (`local`, `port`), as for a page
// loaded from it by that address (or "localhost" on loopback). A page of another site, also
// one whose name leads here, cannot open a remote; a client that is no browser sends none.
bool ownOrigin(const QString& origin, const QHostAddress& local, quint16 port);

} // namespace ml::web
