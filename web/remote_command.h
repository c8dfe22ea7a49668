#pragma once

// What a remote (a phone or tablet on /fernbedienung) may say: its messages read from the bytes
// that arrive, and the page's buttons for the commands it may give. The bytes come from the
// network, so nothing in them is trusted; docs/web.md documents the format.

#include "core/commands.h"

#include <QByteArrayView>
#include <QString>

#include <functional>
#include <optional>
#include <variant>

namespace ml::web {

// The remote page with its buttons: one for each command a remote may give (`Command::remote`),
// in the order of the key list, where the page's keys section stands empty. `held` says which
// acts while held (the horn: pressed and let go).
QByteArray remotePage(const QByteArray& page, const std::function<bool(const Command&)>& held);

struct RemoteMessage {
    enum class Type { Hello, Command };
    Type type = Type::Command;
    // The key as sent, unchecked; empty when there was none.
    QString key;
    // Hello: the device's name, made printable and short (empty: none given).
    QString name;
    // Hello: the remote's clock now; command: when it was given on the remote's clock. In
    // milliseconds since 1970.
    qint64 at = 0;
    // Command: its id, and its action; none for a name that is no command a remote may give.
    QString id;
    const Command* action = nullptr;
    // Command: pressed (true) or let go, for an action that acts while held (the horn).
    bool down = true;
};

// Bounds of a message's parts.
inline constexpr qsizetype kMaxIdLength = 64;
inline constexpr qsizetype kMaxNameLength = 32;

// The message in `bytes`, or why it is none (the reason a remote is told).
std::variant<RemoteMessage, QString> parseRemoteMessage(QByteArrayView bytes);

} // namespace ml::web
