#pragma once

// The web face's listening socket, with the bounds a stranger on the network meets before the
// HTTP server reads a byte: so many connections from one address and in all, a head that is
// complete within its time and size, a connection that does not idle for ever. A head too large
// is answered 431 and closed; anything else over the bounds is closed at once. Once a head asks
// for a WebSocket, the bounds of the WebSocket take over (see `upgraded`).

#include <QHostAddress>
#include <QTcpServer>

#include <optional>
#include <vector>

class QTcpSocket;

namespace ml::web {

class GuardedTcpServer : public QTcpServer {
  public:
    // At most `maxConnections` connections at once.
    explicit GuardedTcpServer(int maxConnections, QObject* parent = nullptr);
    ~GuardedTcpServer() override;
    GuardedTcpServer(const GuardedTcpServer&) = delete;
    GuardedTcpServer& operator=(const GuardedTcpServer&) = delete;

    // The connection from `peer`:`port` carries a WebSocket now: its head and idle times no
    // longer apply. It still counts until it closes.
    void upgraded(const QHostAddress& peer, quint16 port);
    // Connections open now: all of them, and those from `peer`.
    int connections() const { return static_cast<int>(open_.size()); }
    int connections(const QHostAddress& peer) const;

    // The bounds.
    static constexpr int kMaxPerAddress = 8;
    static constexpr int kMaxLineBytes = 8 * 1024;
    static constexpr int kMaxHeadBytes = 64 * 1024;
    // A head must be complete within this time of its first byte (or of the connection's start);
    // a connection that has been answered and asks nothing more is closed after `kIdleMs`.
    static constexpr int kHeadMs = 10000;
    static constexpr int kIdleMs = 30000;
    // The system may hold no more than this for a client that does not read.
    static constexpr int kMaxKernelBytes = 64 * 1024;
    // What the server reads of a WebSocket at once: a flood of small frames is taken in such
    // pieces, between which the tick runs.
    static constexpr qint64 kReadChunkBytes = 4096;

  protected:
    void incomingConnection(qintptr handle) override;

  private:
    struct Connection;
    // Reads what `c` sent of its heads: their bounds, and when each begins and ends.
    void read(Connection& c);
    // A head that broke a bound of size.
    void tooLarge(Connection& c);
    // Makes room for a connection from `peer` by closing the one that has waited longest for its
    // next request, from that address when it has all its connections, else from any. False when
    // none waits.
    bool makeRoom(const QHostAddress& peer, bool fromPeer);
    void forget(Connection* c);

    const int maxConnections_;
    // Oldest first.
    std::vector<Connection*> open_;
    // The answers so far, to tell which connection has waited longest for its next request.
    quint64 answers_ = 0;
};

// The address a peer is counted by: an IPv4 address given as IPv6 (::ffff:a.b.c.d) as IPv4.
QHostAddress peerOf(const QHostAddress& address);

// The system's limit of open files for this process; nothing when there is none.
std::optional<qint64> openFileLimit();

} // namespace ml::web
