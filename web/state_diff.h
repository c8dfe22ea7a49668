#pragma once

// What changed in the state since it was last handed on: the feed sends each step only these
// keys. Worked out once per step, whatever the number of clients.

#include <QJsonObject>

namespace ml::web {

class StateDiff {
  public:
    // The top-level keys of `state` whose values differ from the state given last time (all of
    // them the first time; a key gone is null). Empty when nothing changed.
    QJsonObject next(const QJsonObject& state);

  private:
    QJsonObject last_;
};

} // namespace ml::web
