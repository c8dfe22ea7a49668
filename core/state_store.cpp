#include "core/state_store.h"

#include "match/time_values.h"

#include <QTime>

#include <algorithm>

namespace ml {

namespace {

const QString kTitle = QStringLiteral("Marklight");

QString standText(const QString& timeOfDay) {
    return QTime::fromString(timeOfDay, QStringLiteral("HH:mm:ss")).isValid()
               ? timeOfDay
               : QStringLiteral("--:--:--");
}

} // namespace

StateStore::StateStore(Form& form, const Clock& clock, Dialogs& dialogs, Storage& storage,
                       EventLog& log, MatchEngine& match, SerialLink& serial, MatchRecord& events,
                       RecordWriter& writer)
    : form_(form), clock_(clock), dialogs_(dialogs), storage_(storage), log_(log), match_(match),
      serial_(serial), events_(events), writer_(writer) {}

void StateStore::message(const QString& text) {
    dialogs_.messageBox(text, kTitle, Icon::None, Buttons::Ok);
}

void StateStore::start() {
    claimed_ = storage_.claimState();
    std::optional<MatchState> last;
    std::optional<QString> unreadable;
    if (claimed_) {
        if (const std::optional<QByteArray> bytes = storage_.readState()) {
            last = MatchState::fromJson(*bytes);
            if (!last)
                unreadable = storage_.setStateAside(Storage::Aside::Unreadable);
            else if (last->ended)
                last.reset();
        }
    }

    bool resumed = false;
    QString backup;
    if (last) {
        if (showForm)
            showForm();
        const Answer a =
            dialogs_.messageBox(tr("Das letzte Spiel wurde nicht beendet (Stand %1). Fortsetzen?")
                                    .arg(standText(last->timeOfDay)),
                                kTitle, Icon::None, Buttons::YesNo, Answer::Yes);
        if (a == Answer::Yes)
            resumed = resume(*last);
        else
            backup = storage_.setStateAside(Storage::Aside::Backup);
    }
    if (!resumed) {
        // A fresh match begins at the kept start value, in the first period of its sport.
        match_.newMatch();
        writer_.begin();
    }

    if (!claimed_) {
        message(tr("Marklight läuft bereits. Dieses Fenster speichert den Spielstand "
                   "nicht und kann kein Spiel fortsetzen."));
        log_.addLine(tr(" +++ Marklight läuft bereits: Spielstand wird nicht gespeichert"));
    }
    if (unreadable)
        log_.addLine(tr(" +++ Gespeicherter Spielstand nicht lesbar") +
                     (unreadable->isEmpty() ? QString() : tr(", aufbewahrt als ") + *unreadable));
    if (!backup.isEmpty())
        log_.addLine(tr(" +++ Letzter Spielstand aufbewahrt als ") + backup);
    if (resumed)
        log_.addLine(tr(" +++ Spiel fortgesetzt (Stand %1)").arg(standText(last->timeOfDay)));

    // A fresh start is stored from its first change on; a resumed one at once.
    if (resumed) {
        store(true);
    } else {
        events_.clear();
        remember();
    }
    sayFaults();
}

bool StateStore::resume(const MatchState& state) {
    Form& f = form_;
    restoreContent(f, state.content);
    if (!match_.catalog().has(f.Sport))
        f.Sport = QStringLiteral("frei");
    match_.showSport();
    events_.restore(state.events);

    // The running count goes on as if it had run meanwhile: its value at the save, less (or, for
    // a clock counting up, plus) the wall time since. A clock set back counts as no time passed.
    if (f.ClockRunning || f.TimeoutActive || f.BreakActive) {
        std::optional<double> value = state.count;
        if (!value)
            value = f.ClockRunning ? readClock(f.D_Min.text, f.D_Sec.text)
                                   : readClock(f.Spec_Min.text, f.Spec_Sec.text);
        const double passed =
            state.savedAtMs > 0
                ? std::max<double>(0, double(clock_.wallMs() - state.savedAtMs) / 1000)
                : 0;
        if (value && countInRange(*value))
            match_.resumeCount(match_.countsUp() ? *value + passed : *value - passed);
        else
            f.ClockRunning = f.TimeoutActive = f.BreakActive = false;
    }

    writer_.resume(state.record);

    // The port, if it is there, found by its device and opened again when it was open.
    const qsizetype entry =
        state.portDevice.isEmpty() ? -1 : f.Combo6.notes.indexOf(state.portDevice);
    if (entry >= 0) {
        f.Combo6.index = static_cast<int>(entry);
        if (state.portOpen)
            serial_.OpenOutput_Click();
    } else if (state.portOpen) {
        log_.addLine(tr(" +++ COM-Port %1 nicht vorhanden").arg(state.portDevice));
    }
    // The second line likewise, with the sides and speed its settings keep.
    if (state.line2Open && serial_.hasSecondLine()) {
        const qsizetype line2 = f.Combo6.notes.indexOf(state.line2Device);
        if (line2 >= 0 && !state.line2Device.isEmpty())
            serial_.setSecondLine(portNumberOf(f.Combo6.items[line2]),
                                  f.settings[SettingId::Line2Mirror],
                                  f.settings[SettingId::Line2Baud]);
        else
            log_.addLine(
                tr(" +++ Anzeigelinie 2: COM-Port %1 nicht vorhanden").arg(state.line2Device));
    }
    return true;
}

void StateStore::remember() {
    for (const Control* c : form_.controls())
        if (keptInState(*c))
            written_.insert(c, keptPart(*c));
    writtenRecord_ = events_.revision();
    writtenPort_ = form_.Combo6.notes.value(form_.Combo6.index);
}

bool StateStore::changed(const Changes& changes, bool tick) const {
    const Form& f = form_;
    // What the running count rewrites at every step of it.
    const auto counted = [&f](const Control* c) {
        return c == &f.D_Sec || c == &f.Spec_Min || c == &f.Spec_Sec || c == &f.TxtStrL ||
               c == &f.TxtStrR;
    };
    for (const Field* field : changes.fields)
        if ((field->stored && !(tick && qstrcmp(field->name, "ClockMs") == 0)) ||
            qstrcmp(field->name, "PortOpen") == 0 || qstrcmp(field->name, "Line2Open") == 0)
            return true;
    for (const Control* c : changes.controls) {
        if (!keptInState(*c) || (tick && counted(c)))
            continue;
        const auto it = written_.constFind(c);
        if (it == written_.cend() || *it != keptPart(*c))
            return true;
    }
    return events_.revision() != writtenRecord_ ||
           (changes.has(f.Combo6) && f.Combo6.notes.value(f.Combo6.index) != writtenPort_);
}

void StateStore::store(bool force) {
    if (!claimed_ || (ended_ && !force))
        return;
    remember();
    MatchState s;
    s.content = stateContent(form_);
    s.portDevice = writtenPort_;
    s.portOpen = form_.PortOpen;
    s.line2Device = deviceOfPort(form_.Combo6, form_.Line2Port);
    s.line2Open = form_.Line2Open;
    s.events = events_.toJson();
    s.ended = ended_;
    s.savedAtMs = clock_.wallMs();
    s.timeOfDay = clock_.timeOfDay();
    s.count = match_.runningCount();
    s.record = writer_.name();
    storage_.writeState(s.toJson());
}

void StateStore::afterStep(const Changes& changes, bool tick) {
    if (changed(changes, tick))
        store();
    const qint64 nowMs = clock_.monotonicMs();
    if (nowMs - lastTryMs_ >= 1000) {
        lastTryMs_ = nowMs;
        if (!storage_.fault(Storage::Kept::State).isEmpty())
            store();
    }
    sayFaults();
}

void StateStore::end() {
    ended_ = true;
    store(true);
    sayFaults();
}

void StateStore::sayFaults() {
    static const struct {
        Storage::Kept kept;
        Fault fault;
        const char* fails;
        const char* works;
    } kinds[] = {
        {Storage::Kept::State, Fault::State,
         QT_TRANSLATE_NOOP("StateStore", "Spielstand kann nicht gespeichert werden: "),
         QT_TRANSLATE_NOOP("StateStore", "Spielstand wird wieder gespeichert")},
        {Storage::Kept::Settings, Fault::Settings,
         QT_TRANSLATE_NOOP("StateStore", "Einstellungen können nicht gespeichert werden: "),
         QT_TRANSLATE_NOOP("StateStore", "Einstellungen werden wieder gespeichert")},
        {Storage::Kept::Record, Fault::Record,
         QT_TRANSLATE_NOOP("StateStore", "Spielbericht kann nicht mitgeschrieben werden: "),
         QT_TRANSLATE_NOOP("StateStore", "Spielbericht wird wieder mitgeschrieben")},
    };
    for (const auto& k : kinds) {
        const QString reason = storage_.fault(k.kept);
        const QString text = reason.isEmpty() ? QString() : tr(k.fails) + reason;
        const auto said = form_.faults.find(k.fault);
        if (text == (said == form_.faults.end() ? QString() : said->second))
            continue;
        form_.setFault(k.fault, text);
        log_.addLine(QStringLiteral(" +++ ") + (text.isEmpty() ? tr(k.works) : text));
    }
}

} // namespace ml
