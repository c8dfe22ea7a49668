#include "match/match_engine.h"
namespace ml {
MatchEngine::MatchEngine(Form& form, const Clock& clock, Dialogs& dialogs, EventLog& log)
    : form_(form), clock_(clock), dialogs_(dialogs), log_(log) {}
void MatchEngine::registerHandlers(Handlers&) {}
void MatchEngine::Form_Load() {}
void MatchEngine::Timer2_Timer() {}
void MatchEngine::Timer3_Timer() {}
} // namespace ml
