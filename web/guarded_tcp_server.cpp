#include "web/guarded_tcp_server.h"

#include <QRegularExpression>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace ml::web {

// What the server knows of a connection: a child of its socket, so that it ends with the socket
// however that ends (the HTTP server drops every signal of a socket that it gives up on or hands
// on to a WebSocket).
struct GuardedTcpServer::Connection : QObject {
    Connection(GuardedTcpServer* owner, QTcpSocket* s, const QHostAddress& from)
        : QObject(s), server(owner), socket(s), peer(from) {}
    ~Connection() override {
        if (server)
            server->forget(this);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    GuardedTcpServer* server;
    QTcpSocket* socket;
    QHostAddress peer;
    // Closes the connection when its head or its wait for the next one takes too long.
    QTimer timer;
    // The head read so far, and the length of its line under way.
    QByteArray head;
    int line = 0;
    // Answered, and waiting for its next request since the `idleSince`th answer of the server.
    bool idle = false;
    quint64 idleSince = 0;
};

GuardedTcpServer::GuardedTcpServer(int maxConnections, QObject* parent)
    : QTcpServer(parent), maxConnections_(maxConnections) {}

// The sockets may outlive the server (a WebSocket's is the WebSocket's).
GuardedTcpServer::~GuardedTcpServer() {
    for (Connection* c : open_)
        c->server = nullptr;
}

QHostAddress peerOf(const QHostAddress& address) {
    bool v4 = false;
    const quint32 ipv4 = address.toIPv4Address(&v4);
    return v4 ? QHostAddress(ipv4) : address;
}

int GuardedTcpServer::connections(const QHostAddress& peer) const {
    return static_cast<int>(std::count_if(open_.begin(), open_.end(),
                                          [&](const Connection* c) { return c->peer == peer; }));
}

void GuardedTcpServer::incomingConnection(qintptr handle) {
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(handle)) {
        delete socket;
        return;
    }
    const QHostAddress peer = peerOf(socket->peerAddress());
    if ((connections(peer) >= kMaxPerAddress && !makeRoom(peer, true)) ||
        (connections() >= maxConnections_ && !makeRoom(peer, false))) {
        socket->abort();
        delete socket;
        return;
    }
    auto* c = new Connection(this, socket, peer);
    open_.push_back(c);
    // The system may hold no more than this for a client that does not read: beyond it, what
    // waits is the server's to count. The buffer holds a whole head: the HTTP server keeps it
    // there until the head is complete.
    socket->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, kMaxKernelBytes);
    socket->setReadBufferSize(kMaxHeadBytes + kReadChunkBytes);
    c->timer.setSingleShot(true);
    connect(&c->timer, &QTimer::timeout, socket, &QTcpSocket::abort);
    c->timer.start(kHeadMs);
    // Before the HTTP server's own reader, which runs after this one on the same bytes.
    connect(socket, &QTcpSocket::readyRead, c, [c] {
        if (c->server)
            c->server->read(*c);
    });
    addPendingConnection(socket);
}

void GuardedTcpServer::read(Connection& c) {
    QTcpSocket* s = c.socket;
    if (!s->isOpen())
        return;
    for (const char byte : s->peek(s->bytesAvailable())) {
        if (c.idle) {
            c.idle = false;
            c.timer.start(kHeadMs);
        }
        c.head += byte;
        if (c.head.size() > kMaxHeadBytes)
            return tooLarge(c);
        if (byte != '\n') {
            if (++c.line > kMaxLineBytes)
                return tooLarge(c);
            continue;
        }
        if (c.line > 1) {
            c.line = 0;
            continue;
        }
        // An empty line ends the head; what follows is the next request, or frames.
        static const QRegularExpression upgrade(QStringLiteral("\\nupgrade:[ \\t]*websocket"),
                                                QRegularExpression::CaseInsensitiveOption);
        const bool webSocket = upgrade.match(QString::fromLatin1(c.head)).hasMatch();
        c.line = 0;
        c.head.clear();
        if (webSocket) {
            // Frames from here on, read by the WebSocket; the handshake still has `kHeadMs`.
            disconnect(s, &QTcpSocket::readyRead, this, nullptr);
            s->setReadBufferSize(kReadChunkBytes);
            c.timer.start(kHeadMs);
            return;
        }
        c.idle = true;
        c.idleSince = ++answers_;
        c.timer.start(kIdleMs);
    }
}

void GuardedTcpServer::tooLarge(Connection& c) {
    // The HTTP server's own reader is not to see these bytes; it still hears of the end, and
    // frees what it keeps for the connection.
    disconnect(c.socket, &QTcpSocket::readyRead, nullptr, nullptr);
    c.socket->write("HTTP/1.1 431 Request Header Fields Too Large\r\nContent-Length: 0\r\n"
                    "Connection: close\r\n\r\n");
    c.socket->disconnectFromHost();
}

bool GuardedTcpServer::makeRoom(const QHostAddress& peer, bool fromPeer) {
    Connection* longest = nullptr;
    for (Connection* c : open_)
        if (c->idle && (!fromPeer || c->peer == peer) &&
            (longest == nullptr || c->idleSince < longest->idleSince))
            longest = c;
    if (longest == nullptr)
        return false;
    // A browser opens its next connection when it finds this one closed.
    forget(longest);
    longest->server = nullptr;
    longest->socket->abort();
    return true;
}

void GuardedTcpServer::upgraded(const QHostAddress& peer, quint16 port) {
    for (Connection* c : open_)
        if (c->socket->peerPort() == port && c->peer == peerOf(peer))
            c->timer.stop();
}

void GuardedTcpServer::forget(Connection* c) {
    std::erase(open_, c);
}

std::optional<qint64> openFileLimit() {
#ifdef Q_OS_UNIX
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        return static_cast<qint64>(limit.rlim_cur);
#endif
    return std::nullopt;
}

} // namespace ml::web
