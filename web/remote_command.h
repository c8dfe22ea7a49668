#pragma once

// What a remote (a phone or tablet on /fernbedienung) may say: its messages read from the bytes
// that arrive, what their proof of the key covers, and the page's buttons for the commands it may
// give. The bytes come from the network, so nothing in them is trusted; docs/web.md documents the
// format.

#include "core/commands.h"

#include <QByteArrayView>
#include <QJsonObject>
#include <QString>

#include <functional>
#include <optional>
#include <variant>

namespace ml::web {

// The remote page with its buttons: one for each command a remote may give (`Command::remote`),
// in the order of the key list, where the page's keys section stands empty, each with when the
// page offers it and what it asks first; German, like the page, which translates its words. `held`
// says which acts while held (the horn: pressed and let go).
QByteArray remotePage(const QByteArray& page, const std::function<bool(const Command&)>& held);

struct RemoteMessage {
    enum class Type { Hello, Command };
    Type type = Type::Command;
    // The proof of the key as sent (`signedText` with the key, HMAC-SHA-256, as hex digits),
    // unchecked; empty when there was none.
    QString mac;
    // Hello: the device's name as sent, and made printable and short for the desk (empty: none
    // given).
    QString sentName;
    QString name;
    // Hello: the remote's clock now; command: when it was given on the remote's clock. In
    // milliseconds since 1970.
    qint64 at = 0;
    // Command: its id, its action's name as sent, and the action; none for a name that is no
    // command a remote may give.
    QString id;
    QString actionName;
    const Command* action = nullptr;
    // Command: pressed (true) or let go, for an action that acts while held (the horn).
    bool down = true;
    // Command: the player's number (1 to 99) of a penalty or foul, and the penalty's length as
    // the length box takes it ("2", "2+2"); none when not sent.
    std::optional<int> player;
    QString length;
};

// Bounds of a message's parts.
inline constexpr qsizetype kMaxIdLength = 64;
inline constexpr qsizetype kMaxNameLength = 32;
inline constexpr qsizetype kMaxLengthText = 8;

// The message in `bytes`, or why it is none (the reason a remote is told).
std::variant<RemoteMessage, QString> parseRemoteMessage(QByteArrayView bytes);

// What a message's `mac` proves, for the connection whose challenge is `challenge`: its kind,
// the challenge and its fields, one a line, as UTF-8:
//   hello    "hello\n" CHALLENGE "\n" AT "\n" NAME
//   command  "command\n" CHALLENGE "\n" ID "\n" ACTION "\n" AT "\n" ("1" pressed | "0" let go)
//            and, with a player or a length, "\n" PLAYER "\n" LENGTH (each empty when not sent)
// (AT in decimal). Bound to the connection by its challenge, a captured message proves nothing
// on any other, and the key itself never travels.
QByteArray signedText(const RemoteMessage& m, const QString& challenge);
// The MAC of `text` with `key`: HMAC-SHA-256, 32 bytes.
QByteArray macOf(QByteArrayView key, QByteArrayView text);
// The message `m` with its `mac`, as a remote with the key `key` (its bytes) sends it on the
// connection whose challenge is `challenge`; `m` as it is when it is no message.
QJsonObject withMac(QJsonObject m, QByteArrayView key, const QString& challenge);

} // namespace ml::web
