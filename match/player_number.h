#pragma once

// The player's number as the operator types it into a side's "Nr." box.

#include "match/team_side.h"
#include "platform/platform.h"

#include <optional>

namespace ml {

// The number in the side's box, 1 to 99, or 0 when the box is empty. Nothing for anything else:
// the failure box (titled `title`, for the action `action`) says so and the box is cleared.
std::optional<int> playerNumber(const TeamSide& side, Dialogs& dialogs, const QString& title,
                                const QString& action);

} // namespace ml
