#pragma once

// What a remote (a phone or tablet on /fernbedienung) may say: the desk's actions it may give,
// and its messages read from the bytes that arrive. The bytes come from the network, so nothing
// in them is trusted; docs/web.md documents the format.

#include "form/form.h"

#include <QByteArrayView>
#include <QString>

#include <optional>
#include <span>
#include <variant>

namespace ml::web {

// One of the desk's actions, given from a remote as the desk's own key gives it.
struct RemoteAction {
    // Its name in a command ("clock", "homePlus" …).
    const char* name;
    // What the log and the desk's list of remotes call it.
    const char* what;
    Control& (*control)(Form& form);
    // Starts and stops something: a second tap within `kDoubleTapMs` is taken once.
    bool toggle = false;
    // Runs also while its button is hidden (the −1 buttons while the scores count up).
    bool evenHidden = false;
};

std::span<const RemoteAction> remoteActions();

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
    // Command: its id, and its action; no action for a name that is none of `remoteActions`.
    QString id;
    const RemoteAction* action = nullptr;
    // Command: pressed (true) or let go, for an action that acts while held (the horn).
    bool down = true;
};

// Bounds of a message's parts.
inline constexpr qsizetype kMaxIdLength = 64;
inline constexpr qsizetype kMaxNameLength = 32;

// The message in `bytes`, or why it is none (the reason a remote is told).
std::variant<RemoteMessage, QString> parseRemoteMessage(QByteArrayView bytes);

} // namespace ml::web
