#pragma once

// The table through which operator actions reach their handlers by control name. Each
// subsystem registers the handlers it owns; the window and the replay tool dispatch through it.
// Check boxes are not in it: their handler is the box's own `onClick`.

#include <QHash>
#include <QString>

#include <functional>

namespace ml {

struct Handlers {
    // Button and menu item clicks, by control name.
    QHash<QString, std::function<void()>> click;
    // Menu item arrays (`HLProgr`), by name; the argument is the item's index.
    QHash<QString, std::function<void(int)>> indexed;
    // `<name>_GotFocus`, by control name.
    QHash<QString, std::function<void()>> gotFocus;
};

} // namespace ml
