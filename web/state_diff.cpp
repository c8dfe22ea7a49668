#include "web/state_diff.h"

namespace ml::web {

QJsonObject StateDiff::next(const QJsonObject& state) {
    QJsonObject changed;
    for (auto it = state.begin(); it != state.end(); ++it)
        if (last_.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    for (auto it = last_.begin(); it != last_.end(); ++it)
        if (!state.contains(it.key()))
            changed.insert(it.key(), QJsonValue());
    last_ = state;
    return changed;
}

} // namespace ml::web
