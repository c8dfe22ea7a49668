#pragma once

// The engine alone on a form, with a fake clock and fake message boxes; start-up has run.

#include "console/event_log.h"
#include "match/match_engine.h"
#include "platform/fakes/fakes.h"

#include <gtest/gtest.h>

namespace ml {

class EngineTest : public ::testing::Test {
  protected:
    EngineTest() { engine.Form_Load(); }

    // A tick at the time of day `t`.
    void tickAt(const char* t) {
        clock.set(QString::fromLatin1(t));
        engine.Timer2_Timer();
    }
    // The match clock as shown, "m:ss".
    QString shown() const { return form.D_Min.text + QLatin1Char(':') + form.D_Sec.text; }
    QString second() const { return form.Spec_Min.text + QLatin1Char(':') + form.Spec_Sec.text; }
    void setClock(const char* minutes, const char* seconds) {
        form.D_Min.text = QString::fromLatin1(minutes);
        form.D_Sec.text = QString::fromLatin1(seconds);
    }

    Form form;
    FakeClock clock{QStringLiteral("12:00:00")};
    FakeDialogs dialogs;
    EventLog log{form, clock};
    MatchEngine engine{form, clock, dialogs, log};
};

} // namespace ml
