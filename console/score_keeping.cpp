#include "console/score_keeping.h"
namespace ml {
void ScoreKeeping::registerHandlers(Handlers&) {}
} // namespace ml
