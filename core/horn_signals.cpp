#include "core/horn_signals.h"

#include "form/setting_table.h"

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
    wasOn_ = form_.settings.on(SettingId::HornOn);
    horn_.prepare();
}

void HornSignals::applySettings() {
    // Kept within what the settings offer, whatever was stored.
    for (const char* name : {"HornLength", "HornVolume"}) {
        const Setting& s = *findSetting(QLatin1String(name));
        form_.settings[s.id] = std::clamp(form_.settings[s.id], s.min, s.max);
    }
    horn_.setVolume(form_.settings[SettingId::HornVolume]);
    form_.horn.enabled = form_.settings.on(SettingId::HornOn);
    if (!form_.settings.on(SettingId::HornOn) && held_) {
        held_ = false;
        horn_.stop();
    }
    if (form_.settings.on(SettingId::HornOn) != wasOn_) {
        wasOn_ = form_.settings.on(SettingId::HornOn);
        showOutput();
        if (form_.settings.on(SettingId::HornOn))
            horn_.prepare();
    }
}

void HornSignals::afterOutput() {
    const HornSignal due = std::exchange(form_.HornDue, HornSignal::None);
    if (due == HornSignal::None || !form_.settings.on(SettingId::HornOn))
        return;
    horn_.sound(form_.settings[SettingId::HornLength]);
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
    if (down && form_.settings.on(SettingId::HornOn)) {
        held_ = true;
        horn_.start();
    } else if (!down && held_) {
        // Only what the hand started: a stray release never cuts an automatic signal.
        held_ = false;
        horn_.stop();
    }
}

void HornSignals::test() {
    horn_.sound(form_.settings[SettingId::HornLength]);
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
    form_.hornMissing.visible = form_.HornFailed && form_.settings.on(SettingId::HornOn);
    if (form_.HornFailed)
        form_.hornMissing.text = tr("Hupe: ") + reason_;
}

} // namespace ml
