#include "core/horn_signals.h"

#include "core/setting_table.h"

#include <algorithm>
#include <utility>

namespace ml {

HornSignals::HornSignals(Form& form, Horn& horn, EventLog& log)
    : form_(form), horn_(horn), log_(log) {
    horn_.setFailureHandler([this](const QString& reason) { outputChanged(reason); });
}

void HornSignals::bindHandlers() {
    form_.horn.onHold = [this](bool down) { hold(down); };
    form_.horn.onClick = [this] {
        hold(true);
        hold(false);
    };
}

void HornSignals::start() {
    applySettings();
    wasOn_ = form_.HornOn;
    horn_.prepare();
}

void HornSignals::applySettings() {
    // Kept within what the settings offer, whatever was stored.
    for (const char* name : {"HornLength", "HornVolume"}) {
        const Setting& s = *findSetting(QLatin1String(name));
        setSetting(s, form_, std::clamp(settingValue(s, form_), s.min, s.max));
    }
    horn_.setVolume(form_.HornVolume);
    form_.horn.enabled = form_.HornOn;
    if (!form_.HornOn && held_) {
        held_ = false;
        horn_.stop();
    }
    if (form_.HornOn != wasOn_) {
        wasOn_ = form_.HornOn;
        showOutput();
        if (form_.HornOn)
            horn_.prepare();
    }
}

void HornSignals::afterOutput() {
    const HornSignal due = std::exchange(form_.HornDue, HornSignal::None);
    if (due == HornSignal::None || !form_.HornOn)
        return;
    horn_.sound(form_.HornLength);
    switch (due) {
    case HornSignal::MatchEnd:
        log_.addLine(tr(" +++ Hupe: Spielzeit zu Ende"));
        break;
    case HornSignal::TimeoutEnd:
        log_.addLine(tr(" +++ Hupe: Timeout zu Ende"));
        break;
    case HornSignal::BreakEnd:
        log_.addLine(tr(" +++ Hupe: Pause zu Ende"));
        break;
    case HornSignal::None:
        break;
    }
}

void HornSignals::hold(bool down) {
    if (down && form_.HornOn) {
        held_ = true;
        horn_.start();
    } else if (!down && held_) {
        // Only what the hand started: a stray release never cuts an automatic signal.
        held_ = false;
        horn_.stop();
    }
}

void HornSignals::test() {
    horn_.sound(form_.HornLength);
}

// Said at once and while it lasts (the horn's mark beside the status line, with the reason, and
// one log line); taken back when the output works again. The match goes on either way.
void HornSignals::outputChanged(const QString& reason) {
    const bool wasFailed = form_.HornFailed;
    reason_ = reason;
    form_.HornFailed = !reason.isEmpty();
    showOutput();
    if (form_.HornFailed != wasFailed)
        log_.addLine(form_.HornFailed ? tr(" +++ Hupe: ") + reason
                                      : tr(" +++ Hupe: Audiogerät wieder da"));
}

void HornSignals::showOutput() {
    form_.hornMissing.visible = form_.HornFailed && form_.HornOn;
    if (form_.HornFailed)
        form_.hornMissing.text = tr("Hupe: ") + reason_;
}

} // namespace ml
