#pragma once

// Remote control of the desk from a phone or tablet: the key that pairs it, and every rule a
// command passes before it runs. A command runs through the program exactly as the desk's key
// does (so undo, the log, the kept state and the display line take it as the desk's own); it is
// refused, with a reason the remote shows, without proof of the key, from an address locked out
// for guessing it, while the desk has switched remote control off or waits in a box, when it is
// stale, or when it is none of the desk's actions. The key never travels: each connection is
// given a challenge of its own, and its hello and commands prove the key over it. Without the
// network: the web server hands it each connection's messages and sends what it answers.

#include "core/program.h"
#include "platform/storage.h"
#include "web/remote_command.h"

#include <QHash>
#include <QHostAddress>
#include <QSet>

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <vector>

namespace ml::web {

class RemoteControl {
  public:
    // Reads the kept key, or makes and keeps one when there is none.
    RemoteControl(Program& program, const Clock& clock, Storage& storage);
    RemoteControl(const RemoteControl&) = delete;
    RemoteControl& operator=(const RemoteControl&) = delete;

    // The key as the remote's address carries it: 32 hex digits.
    QString keyText() const;
    // "Neuen Schlüssel erzeugen": a new key from the system's generator, kept; every paired
    // remote is cut off at once.
    void renewKey();

    // A connection from `address` asks to be a remote: its number, or 0 while the address is
    // locked out (the server closes it). `greet` then sends it its challenge.
    int open(const QHostAddress& address);
    void greet(int id);
    // A message of connection `id` (a text frame); the answer goes out through `send`.
    void receive(int id, QByteArrayView message);
    // The connection has gone: a horn it holds stops.
    void close(int id);
    // After each step: follows the desk's switch of remote control.
    void follow(const Changes& changes);
    // What is due by the time: a horn whose remote has stopped saying "down" is let go, a
    // connection that has not said hello in time is cut off.
    void due();

    // What the server does for a connection: sends it a message; cuts it off.
    std::function<void(int id, const QByteArray& message)> send;
    std::function<void(int id)> cut;
    // `due` is to run in `ms` milliseconds (replacing an earlier wish; never while nothing is
    // due).
    std::function<void(qint64 ms)> wake;
    // Each connection's challenge: 16 bytes of the system's generator as hex digits. The replay
    // tool counts them instead.
    std::function<QString()> challenge;
    // The list of remotes changed (one came, went, gave a command or was refused), or the
    // desk's switch.
    std::function<void()> changed;
    // The window shows a modal box of its own, besides the program's boxes.
    std::function<bool()> windowBox;

    // A paired remote, for the desk's list.
    struct Remote {
        QString name;
        QHostAddress address;
        // Its last command and the time of day it came ("Tor Heim", "14:02:07"); empty for none.
        QString last;
        QString lastTime;
    };
    std::vector<Remote> remotes() const;
    // The remotes refused for lack of room: how many times, and the last one.
    struct Refused {
        int times = 0;
        Remote last;
    };
    const Refused& refused() const { return refused_; }

    // The rules' bounds.
    static constexpr int kMaxRemotes = 16;
    static constexpr qint64 kHelloMs = 5000;
    static constexpr qint64 kDoubleTapMs = 700;
    static constexpr qint64 kStaleMs = 2000;
    static constexpr int kMaxWrongTries = 20;
    static constexpr qint64 kWrongTriesMs = 60000;
    static constexpr qint64 kLockMs = 60000;
    // Ids are kept this long (a command older than `kStaleMs` is refused anyway), at most so many.
    static constexpr qint64 kIdMemoryMs = 10000;
    static constexpr int kMaxIds = 4096;
    // A connection may send `kRate` messages a second, `kBurst` at once; beyond that it is cut.
    static constexpr double kRate = 10;
    static constexpr double kBurst = 20;
    // Addresses whose wrong tries are counted at once (the oldest is forgotten beyond).
    static constexpr int kMaxAddresses = 1024;
    // The page says "down" every 250 ms while the horn is held: it is let go this long after
    // the last one (a frozen page, a phone locked), and after `kHornMaxMs` of holding at the
    // latest, until the remote lets go and presses again.
    static constexpr qint64 kHornQuietMs = 1000;
    static constexpr qint64 kHornMaxMs = 5000;

  private:
    struct Connection {
        QHostAddress address;
        QString challenge;
        qint64 openedAt = 0;
        // Paired by a hello that proves the key: its name and its clock less the server's.
        bool paired = false;
        QString name;
        qint64 offsetMs = 0;
        double tokens = kBurst;
        qint64 tokensAt = 0;
        // The horn this remote holds: pressed at `hornSince`, its last "down" at `hornLast`.
        // `hornSpent`: it held the horn its longest and waits to be let go.
        bool hornHeld = false;
        bool hornSpent = false;
        qint64 hornSince = 0;
        qint64 hornLast = 0;
        QString last;
        QString lastTime;
    };
    struct Address {
        // The monotonic times of the last wrong tries, oldest first.
        std::deque<qint64> wrong;
        // Locked out until then (0: not).
        qint64 lockedUntil = 0;
    };

    void hello(int id, Connection& c, const RemoteMessage& m);
    void command(int id, Connection& c, const RemoteMessage& m);
    // The message's `mac` proves the key over the connection's challenge.
    bool proven(const Connection& c, const RemoteMessage& m) const;
    // Counts a wrong try from the connection's address; true when it locks the address out
    // (its connections are cut then).
    bool wrongTry(const QHostAddress& address);
    bool lockedOut(const QHostAddress& address);
    // The id has been taken within `kIdMemoryMs`; otherwise it is taken now.
    bool seen(const QString& id);
    void reply(int id, const QString& commandId, const char* result, const QString& reason = {});
    // A "down" from the remote that holds the horn, or from one that held it its longest.
    void holdOn(int id, Connection& c, const RemoteMessage& m);
    void releaseHorn(Connection& c);
    // A remote with the key found no room.
    void refuse(int id, const Connection& c, const QString& name);
    // Asks for `due` at the next moment something is due.
    void scheduleDue();
    // The desk's marker and list of remotes.
    void remotesChanged();
    int pairedCount() const;
    void keep();

    Program& program_;
    const Clock& clock_;
    Storage& storage_;
    std::array<unsigned char, 16> key_{};
    int nextId_ = 1;
    std::map<int, Connection> connections_;
    QHash<QHostAddress, Address> addresses_;
    QSet<QString> ids_;
    std::deque<std::pair<qint64, QString>> idTimes_;
    // When each toggle last ran from a remote (monotonic ms), by its action's name.
    QHash<const Command*, qint64> toggled_;
    bool allowed_ = true;
    Refused refused_;
};

} // namespace ml::web
