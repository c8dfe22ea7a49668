#pragma once

// The web face: Marklight's own small HTTP and WebSocket server. It serves the pages from the
// program's resources, the match as JSON at GET /api/state, and the live feed at /live: the
// whole state when a client connects, then after each step only what changed. Commands come
// only from paired remotes at /remote, each checked by `RemoteControl`. Off until the settings
// ("Extras → Netzwerk…") or `--web` turn it on.

#include "core/program.h"
#include "display/line_decoder.h"
#include "web/remote_control.h"
#include "web/state_diff.h"
#include "web/state_json.h"

#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class QWebSocket;
class QTcpServer;

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
    int clients() const { return static_cast<int>(clients_.size()); }
    // The remote's address with its key, "http://HOST:PORT/fernbedienung#k=KEY", for every
    // address the pages have (the hall's network first when listening on it). Empty while not
    // listening.
    QStringList remoteUrls() const;
    RemoteControl& remote() { return remote_; }

    // The state as GET /api/state answers it: the current state and the server's time.
    QJsonObject stateNow();

    // Bounds on what a client may cost.
    static constexpr int kMaxClients = 64;
    static constexpr int kMaxLineBytes = 8 * 1024;
    static constexpr int kMaxHeadBytes = 64 * 1024;
    static constexpr qint64 kMaxQueuedBytes = 256 * 1024;
    static constexpr int kMaxKernelBytes = 64 * 1024;
    static constexpr quint64 kMaxIncomingBytes = 1024;
    static constexpr int kMaxRemotes = 16;
    // What the server reads of a connection at once: a flood of small frames is taken in such
    // pieces, between which the tick runs.
    static constexpr qint64 kReadChunkBytes = 4096;

  private:
    // After each step of the program: the settings applied, then what changed sent.
    void step();
    void applySettings();
    bool listen(const QHostAddress& address, quint16 port);
    void stop();
    void accept();
    void acceptRemote(QWebSocket* s);
    QList<QHostAddress> hosts() const;
    void send(const QByteArray& message);
    QJsonObject state();

    Program& program_;
    const Clock& clock_;
    Dialogs& dialogs_;
    Line line_;
    std::unique_ptr<HttpFace> http_;
    QPointer<QTcpServer> tcp_;
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
    std::vector<QWebSocket*> clients_;
    RemoteControl remote_;
    std::map<int, QWebSocket*> remotes_;
    StateDiff diff_;
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
