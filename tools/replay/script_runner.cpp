#include "tools/replay/script_runner.h"

#include "core/language.h"
#include "core/report_sheet.h"
#include "form/quote.h"

#include <QJsonDocument>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>

#include <optional>
#include <utility>

namespace ml {

namespace {

QString bit(bool b) {
    return b ? QStringLiteral("1") : QStringLiteral("0");
}

QString describe(const Control& c) {
    QString text;
    if (const auto* t = dynamic_cast<const TextControl*>(&c))
        text = t->text;
    if (const auto* combo = dynamic_cast<const ComboBox*>(&c))
        text = combo->currentText();
    QString line = QStringLiteral("%1 %2 visible=%3 enabled=%4")
                       .arg(c.name, quoted(text), bit(c.visible), bit(c.enabled));
    if (const auto* box = dynamic_cast<const CheckBox*>(&c))
        line += QStringLiteral(" value=%1").arg(box->value());
    if (const auto* item = dynamic_cast<const MenuItem*>(&c))
        line += QStringLiteral(" checked=%1").arg(bit(item->checked));
    if (const auto* combo = dynamic_cast<const ComboBox*>(&c))
        line += QStringLiteral(" items=%1").arg(quoted(combo->items.join(QLatin1Char('|'))));
    if (const auto* box = dynamic_cast<const TextBox*>(&c))
        line += QStringLiteral(" color=%1")
                    .arg(QString::number(box->foreColor, 16)
                             .rightJustified(6, QLatin1Char('0'))
                             .toUpper());
    return line;
}

// The text of a `type` line: "\xHH" is the character HH, "\\" a backslash; any other
// backslash stands for itself.
QString unescaped(const QString& text) {
    static const QRegularExpression escape(QStringLiteral(R"(\\(x[0-9A-Fa-f]{2}|\\))"));
    QString out;
    qsizetype from = 0;
    for (auto it = escape.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString what = m.captured(1);
        out += text.mid(from, m.capturedStart() - from);
        out += what.size() == 1 ? QChar(u'\\') : QChar(what.mid(1).toUShort(nullptr, 16));
        from = m.capturedEnd();
    }
    return out + text.mid(from);
}

bool fail(QString& error, const QString& message) {
    error = message;
    return false;
}

std::optional<int> count(const QStringList& args) {
    if (args.isEmpty())
        return 1;
    bool ok = false;
    const int n = args[0].toInt(&ok);
    if (args.size() != 1 || !ok || n < 0)
        return std::nullopt;
    return n;
}

} // namespace

ScriptRunner::ScriptRunner(Trace print)
    : print_(print), dialogs_(print), shell_(print), device_(print),
      device2_(print, QStringLiteral("2")), horn_(clock_, std::move(print)) {
    dialogs_.whileOpen = [this] {
        QString error;
        if (!boxLine_.isEmpty() && !run(std::exchange(boxLine_, {}), error))
            say(QStringLiteral("error: ") + error);
    };
}

// In the order the usage lists them.
const ScriptRunner::Command ScriptRunner::kCommands[] = {
    {"start", "", true, &ScriptRunner::runStart},
    {"time", "hh:mm:ss|TEXT", true, &ScriptRunner::runTime},
    {"clock-set", "hh:mm:ss", true, &ScriptRunner::runClockSet},
    {"tick", "[N]", false, &ScriptRunner::runSteps},
    {"tenths", "[N]", false, &ScriptRunner::runSteps},
    {"boundary", "second|tenth", false, &ScriptRunner::runPassTime},
    {"run", "MS", false, &ScriptRunner::runPassTime},
    {"click", "NAME [INDEX]", false, &ScriptRunner::runClick},
    {"type", "NAME TEXT", false, &ScriptRunner::runType},
    {"select", "NAME ENTRY", false, &ScriptRunner::runSelect},
    {"focus", "NAME", false, &ScriptRunner::runFocus},
    {"key", "NAME", false, &ScriptRunner::runKey},
    {"answer", "OK|Cancel|Yes|No", true, &ScriptRunner::runAnswer},
    {"press", "NAME", false, &ScriptRunner::runHold},
    {"release", "NAME", false, &ScriptRunner::runHold},
    {"setting", "NAME N | Test", false, &ScriptRunner::runSetting},
    {"second-line", "N [mirror] [BAUD] | off", false, &ScriptRunner::runSecondLine},
    {"audio", "missing|present", true, &ScriptRunner::runAudio},
    {"language", "en|de", true, &ScriptRunner::runLanguage},
    {"ports", "N[,N...]", true, &ScriptRunner::runPorts},
    {"device",
     "[2] fail REASON | drain | writes ok|refused | close ok|fails | line fast|slow | denied "
     "[N,N...]",
     true, &ScriptRunner::runDevice},
    {"sport", "NAME", false, &ScriptRunner::runSport},
    {"sports-file", "TEXT", true, &ScriptRunner::runSportsFile},
    {"penalty", "home|guest [MINUTES|2+2] [NUMBER]", false, &ScriptRunner::runPenalty},
    {"penalty-end", "home|guest NUMBER", false, &ScriptRunner::runPenalty},
    {"timeout", "home|guest", false, &ScriptRunner::runTimeout},
    {"foul", "home|guest [NUMBER]", false, &ScriptRunner::runFoul},
    {"goal", "home|guest [NUMBER [ASSIST [ASSIST]]]", false, &ScriptRunner::runGoal},
    {"number", "home|guest NUMBER", false, &ScriptRunner::runNumber},
    {"report", "pdf|csv|text PATH", false, &ScriptRunner::runReport},
    {"next-period", "", false, &ScriptRunner::runNextPeriod},
    {"remote", "N MESSAGE", false, &ScriptRunner::runRemote},
    {"while-box", "LINE", false, &ScriptRunner::runWhileBox},
    {"show", "NAME [INDEX] | Period | Record | Penalties|Timeouts|Fouls home|guest", false,
     &ScriptRunner::runShow},
};

QString ScriptRunner::usage() {
    QString text = QStringLiteral(
        "usage: marklight-replay [SCRIPT]\n"
        "Runs the script (or standard input) against the program core with a fake clock,\n"
        "message boxes, serial device and horn, and prints what happens.\n"
        "One command a line; blank lines and lines starting with # are ignored.\n"
        "Commands (* may stand before start):\n");
    for (const Command& c : kCommands) {
        text += QLatin1String(c.beforeStart ? "  * " : "    ") + QLatin1String(c.name);
        if (*c.takes != 0)
            text += QLatin1Char(' ') + QLatin1String(c.takes);
        text += QLatin1Char('\n');
    }
    return text;
}

namespace {

// "NAME takes WHAT": the arguments do not fit the command.
bool takes(const ScriptRunner::Line& line, QString& error, const char* what) {
    return fail(
        error,
        QStringLiteral("%1 takes %2").arg(QLatin1String(line.command.name), QLatin1String(what)));
}

// "cannot NAME 'REST'": the control is not there or does not take the command.
bool cannot(const ScriptRunner::Line& line, QString& error) {
    return fail(error,
                QStringLiteral("cannot %1 '%2'").arg(QLatin1String(line.command.name), line.rest));
}

bool is(const ScriptRunner::Line& line, const char* name) {
    return qstrcmp(line.command.name, name) == 0;
}

} // namespace

bool ScriptRunner::run(const QString& text, QString& error) {
    const QString name = text.section(QLatin1Char(' '), 0, 0);
    const Command* command = nullptr;
    for (const Command& c : kCommands)
        if (name == QLatin1String(c.name))
            command = &c;
    if (command == nullptr)
        return fail(error, QStringLiteral("unknown command '%1'").arg(name));
    if (!program_ && !command->beforeStart)
        return fail(error, QStringLiteral("'%1' before start").arg(name));
    const QString rest = text.section(QLatin1Char(' '), 1);
    const Line line{*command, rest, rest.split(QLatin1Char(' '), Qt::SkipEmptyParts)};
    return (this->*command->run)(line, error);
}

bool ScriptRunner::runStart(const Line&, QString& error) {
    if (program_)
        return fail(error, QStringLiteral("start given twice"));
    program_ =
        std::make_unique<Program>(clock_, dialogs_, shell_, device_, horn_, storage_, &device2_);
    // "Ende" closes the window, which ends the program.
    program_->closeWindow = [this] { say(QStringLiteral("exit")); };
    program_->languageMissing = languageMissing_;
    program_->start();
    return true;
}

bool ScriptRunner::runTime(const Line& line, QString&) {
    clock_.passUntil(line.rest.trimmed());
    return true;
}

bool ScriptRunner::runClockSet(const Line& line, QString& error) {
    return clock_.setComputerClock(line.rest.trimmed()) || takes(line, error, "hh:mm:ss");
}

bool ScriptRunner::runPorts(const Line& line, QString&) {
    device_.openable.clear();
    for (const QString& n : line.rest.split(QLatin1Char(','), Qt::SkipEmptyParts))
        device_.openable.insert(n.trimmed().toInt());
    device2_.openable = device_.openable;
    return true;
}

bool ScriptRunner::runAnswer(const Line& line, QString& error) {
    static const std::pair<const char*, Answer> kAnswers[] = {
        {"OK", Answer::Ok}, {"Cancel", Answer::Cancel}, {"Yes", Answer::Yes}, {"No", Answer::No}};
    for (const auto& [word, answer] : kAnswers)
        if (line.rest == QLatin1String(word)) {
            dialogs_.answerNext(answer);
            return true;
        }
    return takes(line, error, "OK, Cancel, Yes or No");
}

// Faults and line speed of the fake serial device; "device 2 …" those of the second line's.
bool ScriptRunner::runDevice(const Line& line, QString& error) {
    const bool second = line.args.value(0) == QLatin1String("2");
    FakeSerialDevice& device = second ? device2_ : device_;
    const QStringList args = second ? line.args.mid(1) : line.args;
    const QString what = args.value(0);
    const QString how = args.value(1);
    if (what == QLatin1String("fail") && args.size() >= 2) {
        device.fail(args.mid(1).join(QLatin1Char(' ')));
    } else if (what == QLatin1String("drain") && args.size() == 1) {
        device.drain();
    } else if (what == QLatin1String("writes") && (how == "ok" || how == "refused")) {
        device.failWrite = how == QLatin1String("refused");
    } else if (what == QLatin1String("close") && (how == "ok" || how == "fails")) {
        device.failClose = how == QLatin1String("fails");
    } else if (what == QLatin1String("line") && (how == "fast" || how == "slow")) {
        device.holdWrites = how == QLatin1String("slow");
    } else if (what == QLatin1String("denied") && args.size() <= 2) {
        device.denied.clear();
        for (const QString& n : how.split(QLatin1Char(','), Qt::SkipEmptyParts))
            device.denied.insert(n.trimmed().toInt());
    } else {
        return fail(error,
                    QStringLiteral("device takes: %1").arg(QLatin1String(line.command.takes)));
    }
    return true;
}

// The language of the texts, as "Ansicht → Sprache" gives it at the next start: the form is made
// in it, so it comes before `start`.
bool ScriptRunner::runLanguage(const Line& line, QString& error) {
    if (program_)
        return fail(error, QStringLiteral("language stands before start"));
    if (line.rest != QLatin1String("en") && line.rest != QLatin1String("de"))
        return takes(line, error, "en or de");
    languageMissing_ = installLanguage(line.rest).missing;
    return true;
}

bool ScriptRunner::runAudio(const Line& line, QString& error) {
    if (line.rest != QLatin1String("missing") && line.rest != QLatin1String("present"))
        return takes(line, error, "missing or present");
    horn_.missing = line.rest == QLatin1String("missing");
    return true;
}

// `tick` and `tenths`.
bool ScriptRunner::runSteps(const Line& line, QString& error) {
    const std::optional<int> n = count(line.args);
    if (!n)
        return takes(line, error, "a count");
    for (int i = 0; i < *n; ++i)
        is(line, "tick") ? program_->tick() : program_->tenths();
    return true;
}

// `boundary` and `run`.
bool ScriptRunner::runPassTime(const Line& line, QString& error) {
    const QString& rest = line.rest;
    qint64 ms = 0;
    if (is(line, "run")) {
        bool ok = false;
        ms = rest.toLongLong(&ok);
        if (!ok || ms < 0 || line.args.size() != 1)
            return takes(line, error, "milliseconds");
    } else if (rest == QLatin1String("second") || rest == QLatin1String("tenth")) {
        ms = rest == QLatin1String("second") ? clock_.msToNextSecond() : clock_.msToNextTenth();
    } else {
        return takes(line, error, "second or tenth");
    }
    const auto advance = [this](qint64 step) { clock_.advanceMs(step); };
    // What the remote control asked for falls due in between, at its moment.
    while (remote_ && remoteDueAt_ && *remoteDueAt_ - clock_.monotonicMs() <= ms) {
        const qint64 step = std::max<qint64>(0, *remoteDueAt_ - clock_.monotonicMs());
        program_->passTime(step, advance);
        ms -= step;
        remoteDueAt_.reset();
        remote_->due();
    }
    program_->passTime(ms, advance);
    return true;
}

bool ScriptRunner::runClick(const Line& line, QString& error) {
    const QStringList& args = line.args;
    if (args.isEmpty() || args.size() > 2)
        return takes(line, error, "a name and an optional index");
    Control* c = program_->find(args[0], args.size() == 2 ? args[1].toInt() : 0);
    return (c != nullptr && program_->click(*c)) || cannot(line, error);
}

bool ScriptRunner::runType(const Line& line, QString& error) {
    const QString name = line.rest.section(QLatin1Char(' '), 0, 0);
    Control* c = program_->find(name);
    if (c == nullptr || !program_->type(*c, unescaped(line.rest.mid(name.size() + 1))))
        return fail(error, QStringLiteral("no text box '%1'").arg(name));
    return true;
}

bool ScriptRunner::runSelect(const Line& line, QString& error) {
    const QString name = line.rest.section(QLatin1Char(' '), 0, 0);
    Control* c = program_->find(name);
    return (c != nullptr && program_->select(*c, line.rest.mid(name.size() + 1))) ||
           cannot(line, error);
}

// `press` and `release`.
bool ScriptRunner::runHold(const Line& line, QString& error) {
    Control* c = line.args.size() == 1 ? program_->find(line.args[0]) : nullptr;
    return (c != nullptr && program_->hold(*c, is(line, "press"))) || cannot(line, error);
}

bool ScriptRunner::runFocus(const Line& line, QString& error) {
    Control* c = line.args.size() == 1 ? program_->find(line.args[0]) : nullptr;
    if (c == nullptr)
        return cannot(line, error);
    program_->focus(*c);
    return true;
}

bool ScriptRunner::runKey(const Line& line, QString& error) {
    if (line.args.size() != 1 || !program_->key(line.args[0]))
        return fail(error, QStringLiteral("no key '%1'").arg(line.rest));
    // Pressed and let go: what acts while held does so briefly.
    program_->key(line.args[0], false);
    return true;
}

// "Extras → Zweite Anzeigelinie…": `second-line N [mirror] [BAUD]` opens the second line on port
// N, `second-line off` closes it.
bool ScriptRunner::runSecondLine(const Line& line, QString& error) {
    const QStringList& args = line.args;
    const Form& f = program_->form;
    if (args == QStringList{QStringLiteral("off")}) {
        program_->secondLine(0, f.settings[SettingId::Line2Mirror],
                             f.settings[SettingId::Line2Baud]);
        return true;
    }
    bool ok = false;
    const int n = args.value(0).toInt(&ok);
    bool mirror = false;
    int baud = f.settings[SettingId::Line2Baud];
    for (const QString& option : args.mid(1)) {
        if (option == QLatin1String("mirror"))
            mirror = true;
        else if (const int b = option.toInt(); b == 1200 || b == 2400 || b == 4800 || b == 9600)
            baud = b;
        else
            ok = false;
    }
    if (!ok || n < 1 || n > 16)
        return takes(line, error, "a port 1..16 with mirror and a line speed, or off");
    program_->secondLine(n, mirror, baud);
    return true;
}

// A setting as the dialogs of the window change it ("Extras → Hupe…", "Extras → Netzwerk…");
// `setting Test` is the horn dialog's button.
bool ScriptRunner::runSetting(const Line& line, QString& error) {
    const QStringList& args = line.args;
    if (args.size() == 1 && args[0] == QLatin1String("Test")) {
        program_->horn.test();
        return true;
    }
    bool ok = false;
    const int value = args.value(1).toInt(&ok);
    if (!ok || args.size() != 2)
        return takes(line, error, "a name and a number, or Test");
    return program_->setting(args[0], value) ||
           fail(error, QStringLiteral("unknown setting '%1'").arg(args[0]));
}

// Chooses a sport as "Extras → Sportart…" does: `sport handball`.
bool ScriptRunner::runSport(const Line& line, QString& error) {
    if (line.args.size() != 1 || !program_->match.catalog().has(line.args[0]))
        return takes(line, error, "the id of a sport (frei, handball, eishockey …)");
    program_->chooseSport(line.args[0]);
    return true;
}

// The club's file of own sports as the next start finds it ("\xHH" as for `type`).
bool ScriptRunner::runSportsFile(const Line& line, QString& error) {
    if (program_)
        return fail(error, QStringLiteral("sports-file must stand before start"));
    storage_.sports = unescaped(line.rest).toUtf8();
    return true;
}

namespace {

// "home" is the left side, "guest" the right one; nothing for another word.
std::optional<bool> sideOf(const QString& word) {
    if (word == QLatin1String("home"))
        return true;
    if (word == QLatin1String("guest"))
        return false;
    return std::nullopt;
}

} // namespace

// `penalty home|guest [MINUTES] [NUMBER]` types the length (the sport's own when none is given)
// and the player's number, and clicks the side's penalty button; `penalty-end home|guest NUMBER`
// chooses that player's penalty in the side's list and clicks "Beenden".
bool ScriptRunner::runPenalty(const Line& line, QString& error) {
    Program& p = *program_;
    Form& f = p.form;
    const std::optional<bool> left = sideOf(line.args.value(0));
    if (is(line, "penalty-end")) {
        bool ok = false;
        const int number = line.args.value(1).toInt(&ok);
        const std::vector<PenaltyView> list =
            left ? p.match.penaltyViews(*left) : std::vector<PenaltyView>{};
        const auto it = std::find_if(list.begin(), list.end(),
                                     [&](const auto& v) { return ok && v.number == number; });
        if (!left || line.args.size() != 2 || it == list.end())
            return takes(line, error, "home or guest and the number of one of its penalties");
        (*left ? f.penaltyListL : f.penaltyListR).index = static_cast<int>(it - list.begin());
        p.click(*left ? f.penaltyEndL : f.penaltyEndR);
        return true;
    }
    if (!left || line.args.size() > 3)
        return takes(line, error, "home or guest, the minutes and the player's number");
    const SportRules& rules = p.match.rules();
    QString minutes = line.args.value(1);
    if (minutes.isEmpty() && !rules.free() && !rules.penalties.kinds.empty())
        minutes = lengthBoxText(rules.penalties.kinds.front().seconds);
    if (!minutes.isEmpty())
        p.type(*left ? f.ValStrafeL : f.ValStrafeR, minutes);
    p.type(*left ? f.playerL : f.playerR, line.args.value(2));
    p.click(*left ? f.StrafeL : f.StrafeR);
    return true;
}

bool ScriptRunner::runTimeout(const Line& line, QString& error) {
    const std::optional<bool> left = sideOf(line.rest);
    if (!left)
        return takes(line, error, "home or guest");
    program_->click(*left ? program_->form.teamTimeoutL : program_->form.teamTimeoutR);
    return true;
}

// `foul home|guest [NUMBER]` types the player's number into the side's "Nr." box when one is
// given and presses the side's foul key (which also answers under a sport without fouls).
bool ScriptRunner::runFoul(const Line& line, QString& error) {
    const std::optional<bool> left = sideOf(line.args.value(0));
    if (!left || line.args.size() > 2)
        return takes(line, error, "home or guest and the player's number");
    Program& p = *program_;
    Form& f = p.form;
    if (line.args.size() == 2)
        p.type(*left ? f.playerL : f.playerR, line.args[1]);
    p.command(*commandById(*left ? QStringLiteral("homeFoul") : QStringLiteral("guestFoul")));
    return true;
}

// `goal home|guest [NUMBER [ASSIST [ASSIST]]]`: the side's +1 key, then each number typed into
// the side's "Nr." box and ended by Enter; a number refused prints the status line's note.
bool ScriptRunner::runGoal(const Line& line, QString& error) {
    const std::optional<bool> left = sideOf(line.args.value(0));
    if (!left || line.args.size() > 4)
        return takes(line, error, "home or guest, the scorer's number and up to two assists");
    Program& p = *program_;
    Form& f = p.form;
    p.command(*commandById(*left ? QStringLiteral("homePlus") : QStringLiteral("guestPlus")));
    for (qsizetype i = 1; i < line.args.size(); ++i) {
        const int notes = f.NoteCount;
        p.type(*left ? f.playerL : f.playerR, line.args[i]);
        if (!p.numberEntered(*left))
            say(QStringLiteral("number %1 not taken").arg(line.args[i]));
        else if (f.NoteCount != notes)
            say(QStringLiteral("note \"%1\"").arg(f.StatusLine.text));
    }
    return true;
}

// `number home|guest NUMBER`: NUMBER typed into the side's "Nr." box and Enter pressed there.
bool ScriptRunner::runNumber(const Line& line, QString& error) {
    const std::optional<bool> left = sideOf(line.args.value(0));
    if (!left || line.args.size() != 2)
        return takes(line, error, "home or guest and a number");
    Program& p = *program_;
    p.type(*left ? p.form.playerL : p.form.playerR, line.args[1]);
    if (!p.numberEntered(*left))
        say(QStringLiteral("number %1 not taken").arg(line.args[1]));
    return true;
}

// `report pdf|csv|text PATH` writes the report's bytes as "Spielbericht speichern…" makes them,
// to the real file PATH (the fake storage keeps the program's other files in memory).
bool ScriptRunner::runReport(const Line& line, QString& error) {
    const QString kind = line.args.value(0);
    const std::optional<ReportFormat> format =
        kind == QLatin1String("pdf")    ? std::optional(ReportFormat::Pdf)
        : kind == QLatin1String("csv")  ? std::optional(ReportFormat::Csv)
        : kind == QLatin1String("text") ? std::optional(ReportFormat::Text)
                                        : std::nullopt;
    if (!format || line.args.size() != 2)
        return takes(line, error, "pdf, csv or text and the file's path");
    // The PDF writer joins at the first report, so that the match's end writes no PDF of its
    // own into the documents folder of whoever runs a script.
    program_->writer.pdf = pdf;
    const std::optional<QByteArray> bytes = program_->writer.bytes(*format);
    QSaveFile file(line.args[1]);
    if (!bytes)
        say(QStringLiteral("report refused: no PDF writer"));
    else if (!file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size() ||
             !file.commit())
        say(QStringLiteral("report refused: %1").arg(file.errorString()));
    return true;
}

bool ScriptRunner::runNextPeriod(const Line& line, QString& error) {
    if (!line.args.isEmpty())
        return takes(line, error, "nothing");
    program_->click(program_->form.nextPeriod);
    return true;
}

bool ScriptRunner::showSport(const Line& line, QString& error) {
    Program& p = *program_;
    const QString& name = line.args[0];
    if (name == QLatin1String("Period")) {
        say(QStringLiteral("Period ") +
            quoted(p.match.rules().free() ? QString() : p.form.periodName.text));
        return true;
    }
    if (name == QLatin1String("Record")) {
        const std::vector<RecordedEvent>& events = p.record.events();
        if (events.empty()) {
            say(QStringLiteral("Record none"));
            return true;
        }
        const RecordedEvent& e = events.back();
        QString what = e.what;
        if (e.counts == QLatin1String("goal") && e.number != 0)
            what += QLatin1Char(' ') + scorerText(e);
        if (e.withdrawn)
            what += QStringLiteral(" withdrawn");
        say(QStringLiteral("Record %1 %2 %3%4")
                .arg(e.clock, e.score, e.team.isEmpty() ? QString() : e.team + QStringLiteral(": "),
                     what));
        return true;
    }
    const std::optional<bool> left = sideOf(line.args.value(1));
    if (!left || line.args.size() != 2)
        return takes(line, error, "Period, or Penalties, Timeouts or Fouls with home or guest");
    const QString& which = line.args[1];
    const Form& f = p.form;
    if (name == QLatin1String("Fouls")) {
        QString players;
        for (const auto& [number, marks] : *left ? f.playersL : f.playersR)
            if (marks.fouls > 0)
                players += QStringLiteral(" #%1=%2").arg(number).arg(marks.fouls);
        say(QStringLiteral("Fouls %1 period=%2 match=%3%4")
                .arg(which)
                .arg(*left ? f.FoulsL : f.FoulsR)
                .arg(*left ? f.FoulsMatchL : f.FoulsMatchR)
                .arg(players));
        return true;
    }
    if (name == QLatin1String("Timeouts")) {
        say(QStringLiteral("Timeouts %1 half=%2 match=%3")
                .arg(which)
                .arg(*left ? f.TimeoutsHalfL : f.TimeoutsHalfR)
                .arg(*left ? f.TimeoutsMatchL : f.TimeoutsMatchR));
        return true;
    }
    QStringList entries;
    for (const PenaltyView& v : p.match.penaltyViews(*left))
        entries << QStringLiteral("#%1 %2:%3 %4%5")
                       .arg(v.number ? QString::number(v.number) : QStringLiteral("-"))
                       .arg(v.toServe / 60, 2, 10, QLatin1Char('0'))
                       .arg(v.toServe % 60, 2, 10, QLatin1Char('0'))
                       .arg(v.running ? QStringLiteral("running") : QStringLiteral("waiting"),
                            v.coincident ? QStringLiteral(" coincident") : QString());
    say(QStringLiteral("Penalties %1 %2")
            .arg(which,
                 entries.isEmpty() ? QStringLiteral("none") : entries.join(QStringLiteral("; "))));
    return true;
}

bool ScriptRunner::runShow(const Line& line, QString& error) {
    const QStringList& args = line.args;
    if (args.isEmpty() || args.size() > 2)
        return takes(line, error, "a name");
    Program& p = *program_;
    const QString& name = args[0];
    if (name == QLatin1String("Period") || name == QLatin1String("Record") ||
        name == QLatin1String("Penalties") || name == QLatin1String("Timeouts") ||
        name == QLatin1String("Fouls"))
        return showSport(line, error);
    if (name == QLatin1String("HLProgr")) {
        const int i = args.size() == 2 ? args[1].toInt() : 0;
        if (i < 1 || i > 16)
            return fail(error, QStringLiteral("HLProgr takes an index 1..16"));
        say(describe(*p.form.HLProgr[i]) + QStringLiteral(" index=%1").arg(i));
        return true;
    }
    if (name == QLatin1String("frmMessage")) {
        say(QStringLiteral("frmMessage exists=%1").arg(bit(p.form.frmMessage.exists)));
        return true;
    }
    if (const Control* c = p.find(name)) {
        say(describe(*c));
        return true;
    }
    if (const Timer* t = p.form.timer(name)) {
        say(QStringLiteral("%1 interval=%2 enabled=%3")
                .arg(t->name)
                .arg(t->interval)
                .arg(bit(t->enabled)));
        return true;
    }
    if (const std::optional<QString> v = p.form.fieldText(name)) {
        say(QStringLiteral("%1=%2").arg(name, *v));
        return true;
    }
    return fail(error, QStringLiteral("unknown name '%1'").arg(name));
}

// Remote N comes from 192.168.1.N and connects when it is first named (and is sent its
// challenge); what it is sent is printed. In its message "$KEY" stands for the key, "$AT" for
// the computer's clock in ms (with "+MS" or "-MS" after it, that much later or earlier), and
// "$MAC" for the message's proof of the key over its connection's challenge ("$MAC@M": over
// remote M's, a message captured there).
bool ScriptRunner::runRemote(const Line& line, QString& error) {
    bool ok = false;
    const int n = line.rest.section(QLatin1Char(' '), 0, 0).toInt(&ok);
    const QString message = line.rest.section(QLatin1Char(' '), 1);
    if (!ok || n < 1 || n > 254 || message.isEmpty())
        return takes(line, error, "a number from 1 to 254 and a message");
    if (!remote_) {
        remote_ = std::make_unique<web::RemoteControl>(*program_, clock_, storage_);
        const auto number = [this](int id) {
            for (const auto& [remote, connection] : remotes_)
                if (connection == id)
                    return remote;
            return 0;
        };
        remote_->send = [this, number](int id, const QByteArray& m) {
            say(QStringLiteral("remote %1 <- %2").arg(number(id)).arg(QString::fromUtf8(m)));
        };
        remote_->cut = [this, number](int id) {
            say(QStringLiteral("remote %1 cut").arg(number(id)));
            remotes_.erase(number(id));
            remote_->close(id);
        };
        remote_->wake = [this](qint64 ms) { remoteDueAt_ = clock_.monotonicMs() + ms; };
        remote_->challenge = [this] {
            return QStringLiteral("%1").arg(++challengeCount_, 32, 10, QLatin1Char('0'));
        };
    }
    if (message == QLatin1String("close")) {
        remote_->close(remotes_[n]);
        remotes_.erase(n);
        return true;
    }
    if (!remotes_.count(n)) {
        const int id = remote_->open(QHostAddress(QStringLiteral("192.168.1.%1").arg(n)));
        if (id == 0) {
            say(QStringLiteral("remote %1 refused").arg(n));
            return true;
        }
        remotes_[n] = id;
        challenges_[n] = QStringLiteral("%1").arg(challengeCount_, 32, 10, QLatin1Char('0'));
        remote_->greet(id);
    }
    static const QRegularExpression at(QStringLiteral(R"(\$AT([+-]\d+)?)"));
    static const QRegularExpression mac(QStringLiteral(R"(\$MAC(@\d+)?)"));
    QString text = message;
    text.replace(QLatin1String("$KEY"), remote_->keyText());
    for (QRegularExpressionMatch m = at.match(text); m.hasMatch(); m = at.match(text))
        text.replace(m.capturedStart(), m.capturedLength(),
                     QString::number(clock_.wallMs() + m.captured(1).toLongLong()));
    if (const QRegularExpressionMatch m = mac.match(text); m.hasMatch()) {
        const int over = m.captured(1).isEmpty() ? n : m.captured(1).mid(1).toInt();
        text.remove(m.capturedStart(), m.capturedLength());
        text = QString::fromUtf8(
            QJsonDocument(web::withMac(QJsonDocument::fromJson(text.toUtf8()).object(),
                                       QByteArray::fromHex(remote_->keyText().toLatin1()),
                                       challenges_[over]))
                .toJson(QJsonDocument::Compact));
    }
    remote_->receive(remotes_[n], text.toUtf8());
    return true;
}

bool ScriptRunner::runWhileBox(const Line& line, QString&) {
    boxLine_ = line.rest;
    return true;
}

} // namespace ml
