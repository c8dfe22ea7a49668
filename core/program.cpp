#include "core/program.h"

#include "core/keys.h"
#include "core/report_sheet.h"

#include <algorithm>
#include <utility>

namespace ml {

namespace {

// How long the "Nr." box waits for a goal's next number.
constexpr qint64 kScorerMs = 10000;
// The box takes a scorer and up to two assists; where the sport has fewer, it refuses them.
constexpr int kAssistsAtMost = 2;

} // namespace

Answer Program::WatchedDialogs::messageBox(const QString& text, const QString& title, Icon icon,
                                           Buttons buttons, Answer defaultAnswer) {
    ++open;
    const Answer answer = inner_.messageBox(text, title, icon, buttons, defaultAnswer);
    --open;
    return answer;
}

QString Program::WatchedDialogs::saveFileName(const QString& title, const QString& suggested,
                                              const QString& filters, QString& filter) {
    ++open;
    QString name = inner_.saveFileName(title, suggested, filters, filter);
    --open;
    return name;
}

Program::Program(Clock& clock, Dialogs& dialogs, Shell& shell, SerialDevice& device,
                 Horn& hornOutput, Storage& storage, SerialDevice* secondDevice)
    : dialogs_(dialogs), log(form, clock), serial(form, device, dialogs_, log, secondDevice),
      match(form, clock, dialogs_), modes(form, clock, dialogs_, serial, match),
      composer(form, clock, dialogs_, serial, log), score(form), messages(form, shell),
      record(form, clock, match), history(form, match, log, record), horn(form, hornOutput, log),
      settings(form, clock, storage, log, keys, match.catalog()),
      writer(form, clock, dialogs_, storage, log, match, record),
      store(form, clock, dialogs_, storage, log, match, serial, record, writer), clock_(clock) {
    for (const Command& c : commands()) {
        if (c.control == nullptr) {
            Q_ASSERT_X(c.act != nullptr, c.id, "a command without a control acts");
            Button& own = keyCommands_.emplace_back(c.id);
            own.onClick = [this, act = c.act] { act(match); };
            commandControls_.push_back(&own);
            continue;
        }
        commandControls_.push_back(find(QLatin1String(c.control)));
        Q_ASSERT_X(commandControls_.back() != nullptr, c.control, "every command has its control");
    }
    match.bindHandlers();
    serial.bindHandlers();
    modes.bindHandlers();
    score.bindHandlers();
    messages.bindHandlers();
    history.bindHandlers();
    horn.bindHandlers();
    settings.bindHandlers();
    writer.bindHandlers();
    // A goal may end a penalty of the other side, within the same step (and its undo).
    for (auto [button, left] : {std::pair{&form.up_l, true}, {&form.up_r, false}})
        button->onClick = [this, step = button->onClick, left = left] {
            step();
            match.goalScored(left);
            // Under a sport's rules the side's "Nr." box takes the scorer next.
            if (!match.rules().free()) {
                scorer_ = ScorerEntry{left, 0, clock_.wallMs() + kScorerMs};
                ++numberWaits_;
            }
        };
    // A card key with the side's "Nr." box empty: the box takes the player's number, and Enter in
    // it gives the card.
    for (auto [button, left] : {std::pair{&form.warningL, true},
                                {&form.redCardL, true},
                                {&form.warningR, false},
                                {&form.redCardR, false}})
        button->onClick = [this, step = button->onClick, button = button, left = left] {
            const SportRules& r = match.rules();
            const TextBox& box = left ? form.playerL : form.playerR;
            if (r.free() || !r.penalties.cards() || !box.text.trimmed().isEmpty())
                return step();
            card_ = CardEntry{left, button};
            ++numberWaits_;
            form.note(tr("Nr. des Spielers eingeben, dann Enter"));
        };
    match.logLine = [this](const QString& text) { log.addLine(text); };
    match.onEvent = [this](const MatchEvent& event) {
        record.add(event);
        if (event.kind == EventKind::MatchEnded)
            writer.matchEnded();
    };
    form.Ende.onClick = [this] { Ende_Click(); };
    form.keyList.onClick = [this] { keyList_Click(); };
    // The desk switches remote control off (and on) at once; the web face follows.
    form.remoteOn.onClick = [this] {
        form.remoteOn.checked = !form.remoteOn.checked;
        log.addLine(form.remoteOn.checked ? tr(" +++ Fernbedienung erlaubt")
                                          : tr(" +++ Fernbedienung gesperrt"));
    };
}

void Program::start() {
    match.start();
    score.start();
    modes.start();
    log.start();
    if (!languageMissing.isEmpty())
        log.addLine(tr(" +++ Übersetzung %1 nicht gefunden: Marklight spricht Deutsch")
                        .arg(languageMissing));
    // Lists the ports, which the log records.
    serial.start();
    settings.start();
    store.start();
    // With the kept settings; a missing sound output is marked and logged now, not at the end
    // of the playing time.
    horn.start();
    notesSeen_ = form.NoteCount;
    // The first changes are the whole form: the readers show it. The kept state goes on from
    // what the store has read or written at its start.
    tell(form.takeChanges());
}

// One tick, down the layers, each subsystem once: the whole tick with the banner, the time of
// day and the previews, or the running count's own step between two of them.
void Program::runTick(bool whole) {
    if (whole) {
        tickSecond_ = floorDiv(clock_.wallMs(), 1000);
        match.count();
        modes.previewStep();
    } else {
        match.countStep();
    }
    // Composes, sends what changed to the port and logs it.
    composer.checkAndOut();
    // Right after the transmission that shows an end, in the same step.
    horn.afterOutput();
}

bool Program::tick() {
    if (busy_)
        return false;
    busy_ = true;
    runTick(true);
    busy_ = false;
    stepped(true);
    return true;
}

bool Program::tenths() {
    if (busy_)
        return false;
    busy_ = true;
    match.tenths();
    busy_ = false;
    stepped(true);
    return true;
}

bool Program::wake() {
    if (busy_)
        return false;
    const bool second = floorDiv(clock_.wallMs(), 1000) != tickSecond_;
    if (second || match.msToNextChange() == 0) {
        busy_ = true;
        runTick(second);
        busy_ = false;
        stepped(true);
    }
    return true;
}

qint64 Program::msToNextWake() const {
    if (floorDiv(clock_.wallMs(), 1000) != tickSecond_)
        return 0;
    const qint64 second = clock_.msToNextSecond();
    return std::min(second, match.msToNextChange().value_or(second));
}

void Program::passTime(qint64 ms, const std::function<void(qint64)>& advance) {
    for (qint64 next = msToNextWake(); next <= ms; next = msToNextWake()) {
        advance(next);
        ms -= next;
        if (!wake())
            break;
    }
    advance(ms);
}

void Program::showAction() {
    if (busy_)
        return;
    busy_ = true;
    match.showTimeOfDay();
    match.switchBanner(false);
    match.showPeriodName();
    modes.previewStep(false);
    composer.checkAndOut();
    horn.afterOutput();
    busy_ = false;
}

// Ending while something runs loses the match: ask first. What the display line shows stays.
void Program::Ende_Click() {
    QStringList running;
    if (form.ClockRunning)
        running << tr("die Spielzeit");
    if (form.TimeoutActive)
        running << tr("ein Timeout");
    if (form.BreakActive)
        running << tr("eine Pause");
    if (form.penaltyL.running || form.penaltyR.running)
        running << tr("eine Strafe");
    if (!running.isEmpty() &&
        dialogs_.messageBox(tr("Es läuft noch %1.\r\n\r\nMarklight beenden?")
                                .arg(running.join(QStringLiteral(", "))),
                            tr("Ende"), Icon::None, Buttons::YesNo, Answer::No) != Answer::Yes)
        return;
    ending = true;
    if (form.PortOpen)
        serial.OpenOutput_Click();
    if (form.Line2Open)
        serial.setSecondLine(0, form.settings[SettingId::Line2Mirror],
                             form.settings[SettingId::Line2Baud]);
    // The match is over: the next start does not offer to resume it.
    settings.keep();
    store.end();
    if (closeWindow)
        closeWindow();
}

// A plain name finds the main window's control first: both windows have an `Image1`.
Control* Program::find(const QString& name, int index) {
    if (name == QLatin1String("HLProgr")) {
        if (index < 1 || index >= static_cast<int>(form.HLProgr.size()))
            return nullptr;
        return &*form.HLProgr[static_cast<size_t>(index)];
    }
    static const QString kMessagePrefix = QStringLiteral("frmMessage.");
    const bool message = name.startsWith(kMessagePrefix);
    if (Control* c = message ? nullptr : form.control(name))
        return c;
    const QString own = message ? name.mid(kMessagePrefix.size()) : name;
    for (Control* c : form.frmMessage.controls())
        if (c->name == own)
            return c;
    return nullptr;
}

// What the operator cannot see or use, the operator cannot click, type into or choose from; the
// message window's controls only exist while the window does.
bool Program::reachable(Control& c) {
    if (!c.visible || !c.enabled)
        return false;
    const std::vector<Control*> message = form.frmMessage.controls();
    return form.frmMessage.exists || std::find(message.begin(), message.end(), &c) == message.end();
}

bool Program::acted(bool result, bool typing) {
    if (!typing)
        rememberName();
    // A note of the match stands until the operator's next action.
    if (form.NoteCount == notesSeen_)
        form.setFault(Fault::Note, {});
    notesSeen_ = form.NoteCount;
    // An action may have changed the horn's settings ("Einstellungen zurücksetzen").
    horn.applySettings();
    showAction();
    settings.keep();
    stepped(false);
    return result;
}

void Program::stepped(bool tick) {
    record.afterStep();
    const Changes changes = form.takeChanges();
    settings.afterStep();
    store.afterStep(changes, tick);
    tell(changes);
}

void Program::tell(const Changes& changes) {
    ++tellings_;
    telling_ = true;
    for (const auto& reader : afterStep)
        reader(changes);
    telling_ = false;
}

bool Program::click(Control& c) {
    if (!c.onClick)
        return false;
    // Another command: the goal keeps the numbers it has, a card waiting for its number is not
    // given.
    scorer_.reset();
    card_.reset();
    if (!reachable(c))
        return true;
    history.click(c, [&c] {
        if (auto* box = dynamic_cast<CheckBox*>(&c))
            box->click();
        else
            c.onClick();
    });
    return acted(true);
}

bool Program::type(Control& c, const QString& text) {
    auto* box = dynamic_cast<TextBox*>(&c);
    if (box == nullptr)
        return false;
    if (box != typedName_)
        rememberName();
    if (reachable(*box) && box->text != text) {
        if (box == &form.Pkt_l || box == &form.Pkt_r)
            record.scoreTyped();
        history.type(*box, text);
        if (box->onChange)
            box->onChange();
        if (box == &form.Text_l || box == &form.Text_r)
            typedName_ = box;
    }
    return acted(true, true);
}

void Program::typingEnded() {
    history.endTyping();
    acted(true);
}

void Program::rememberName() {
    if (typedName_ == nullptr)
        return;
    const QString name = std::exchange(typedName_, nullptr)->text.trimmed();
    if (name.isEmpty())
        return;
    QStringList& names = form.TeamNames;
    names.removeAll(name);
    names.prepend(name);
    while (names.size() > kTeamNamesKept)
        names.removeLast();
}

bool Program::select(Control& c, const QString& entry) {
    auto* combo = dynamic_cast<ComboBox*>(&c);
    if (combo == nullptr)
        return false;
    const qsizetype i = combo->items.indexOf(entry);
    if (i < 0)
        return false;
    if (reachable(*combo))
        combo->index = static_cast<int>(i);
    return acted(true);
}

void Program::focus(Control& c) {
    auto* box = dynamic_cast<TextBox*>(&c);
    history.endTyping();
    rememberName();
    if (box != nullptr && box->onFocus && reachable(c)) {
        box->onFocus();
        acted(true);
    }
}

bool Program::key(const QString& name, bool down) {
    const Command* k = keys.commandOf(name);
    return k != nullptr && command(*k, down);
}

bool Program::command(const Command& command, bool down) {
    Control& c = controlOf(command);
    if (c.onHold)
        return hold(c, down);
    if (!down)
        return true;
    scorer_.reset();
    if (command.evenHidden && !c.visible) {
        if (c.enabled)
            history.click(c, c.onClick);
        return acted(true);
    }
    return click(c);
}

bool Program::commandFor(const Command& command, std::optional<int> player, const QString& length) {
    Control& c = controlOf(command);
    const bool left = c.name.endsWith(QLatin1Char('L'));
    TextBox& number = left ? form.playerL : form.playerR;
    TextBox& box = left ? form.ValStrafeL : form.ValStrafeR;
    const QString typedNumber = number.text;
    const QString typedLength = box.text;
    history.click(c, [&] {
        number.text = player ? QString::number(*player) : QString();
        if (!length.isEmpty())
            box.text = length;
        c.onClick();
        number.text = typedNumber;
        box.text = typedLength;
    });
    return acted(true);
}

void Program::outsideChange() {
    if (!busy_ && !telling_ && !boxOpen())
        stepped(false);
}

void Program::brokerTexts(const BrokerSettings& s) {
    const BrokerSettings before = brokerSettings(form);
    setBrokerTexts(form, s);
    if (brokerSettings(form) == before)
        return;
    log.addLine(tr(" +++ MQTT: Broker %1, Halle %2, Feld %3").arg(s.host, s.hall, s.court));
    acted(true);
}

bool Program::chooseSport(const QString& id) {
    if (!match.chooseSport(id))
        return acted(false);
    // What was done under the rules before is not taken back under the new ones.
    history.clear();
    return acted(true);
}

bool Program::setting(const QString& name, int value) {
    const Setting* s = findDialogSetting(name);
    if (s == nullptr)
        return false;
    value = std::clamp(value, s->min, s->max);
    if (value == form.settings[s->id])
        return true;
    history.setting(*s, value);
    log.addLine(QStringLiteral(" +++ ") + s->said(value));
    return acted(true);
}

void Program::keyList_Click() {
    dialogs_.messageBox(keys.listText(), tr("Tastenkürzel"), Icon::None, Buttons::Ok);
}

bool Program::hold(Control& c, bool down) {
    if (!c.onHold)
        return false;
    if (!down || reachable(c))
        c.onHold(down);
    return true;
}

bool Program::numberEntered(bool left) {
    if (card_ && card_->left == left)
        return click(*card_->button);
    if (!scorer_ || scorer_->left != left || clock_.wallMs() > scorer_->untilMs) {
        scorer_.reset();
        return false;
    }
    TextBox& box = left ? form.playerL : form.playerR;
    const std::optional<std::size_t> goal = record.lastGoal(left);
    if (!goal) {
        scorer_.reset();
        return false;
    }
    const RecordedEvent& e = record.events()[*goal];
    std::vector<int> numbers;
    if (scorer_->taken > 0) {
        numbers.push_back(e.number);
        numbers.insert(numbers.end(), e.assists.begin(), e.assists.end());
    }
    bool whole = false;
    const int n = box.text.trimmed().toInt(&whole);
    numbers.push_back(whole ? n : -1);
    const std::optional<QString> refused = setGoalNumbers(
        *goal, numbers.front(), std::vector<int>(numbers.begin() + 1, numbers.end()));
    box.text.clear();
    if (refused) {
        form.note(*refused);
    } else if (++scorer_->taken > kAssistsAtMost) {
        scorer_.reset();
    } else {
        scorer_->untilMs = clock_.wallMs() + kScorerMs;
    }
    acted(true, true);
    return true;
}

std::optional<QString> Program::goalNumbers(std::size_t index, int scorer,
                                            const std::vector<int>& assists) {
    scorer_.reset();
    std::optional<QString> refused = setGoalNumbers(index, scorer, assists);
    acted(true);
    return refused;
}

std::optional<QString> Program::setGoalNumbers(std::size_t index, int scorer,
                                               const std::vector<int>& assists) {
    if (std::optional<QString> refused = history.numbers(index, scorer, assists))
        return refused;
    const RecordedEvent& e = record.events()[index];
    log.addLine(
        tr(" +++ Tor %1 (%2, %3): %4")
            .arg(e.team, elapsedText(e.elapsed), e.score, scorer ? scorerText(e) : tr("ohne Nr.")));
    return std::nullopt;
}

} // namespace ml
