#include "core/match_store.h"

#include "core/match_report.h"

#include "match/time_values.h"

#include <QDateTime>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTime>

#include <algorithm>

namespace ml {

namespace {

const QString kTitle = QStringLiteral("Marklight");
// The log box's limit (the log cuts itself back when it grows past it).
constexpr qsizetype kLogLimit = 100000;

QString standText(const QString& timeOfDay) {
    return QTime::fromString(timeOfDay, QStringLiteral("HH:mm:ss")).isValid()
               ? timeOfDay
               : QStringLiteral("--:--:--");
}

} // namespace

MatchStore::MatchStore(Form& form, const Clock& clock, Dialogs& dialogs, Storage& storage,
                       EventLog& log, MatchEngine& match, SerialLink& serial, KeyTable& keys,
                       MatchRecord& record)
    : form_(form), clock_(clock), dialogs_(dialogs), storage_(storage), log_(log), match_(match),
      serial_(serial), events_(record), settings_(form, storage, keys) {
    log_.onLine = [this](const QString& line) { recordLine(line); };
}

void MatchStore::bindHandlers() {
    form_.SaveReport.onClick = [this] { SaveReport_Click(); };
    form_.ResetSettings.onClick = [this] { ResetSettings_Click(); };
}

void MatchStore::message(const QString& text) {
    dialogs_.messageBox(text, kTitle, Icon::None, Buttons::Ok);
}

void MatchStore::recordLine(const QString& line) {
    if (recording_)
        storage_.appendRecord(line);
    else
        pending_.append(line);
}

void MatchStore::start() {
    // The club's own sports first: the kept settings may choose one of them. A file edited into
    // nonsense leaves the built-in sports, and the log says so once.
    const std::optional<QByteArray> sports = storage_.readSports();
    if (sports)
        if (const std::optional<QString> why = match_.catalog().setOwn(*sports))
            log_.addLine(tr(" +++ Eigene Sportarten nicht lesbar (%1), es gelten die eingebauten")
                             .arg(*why));
    if (!settings_.restore())
        log_.addLine(tr(" +++ Tastenbelegung in den Einstellungen unlesbar: es gelten "
                        "die Standardtasten"));
    if (!match_.catalog().has(form_.Sport))
        form_.Sport = QStringLiteral("frei");
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
        record_ = storage_.startRecord();
        recording_ = true;
        for (const QString& line : std::exchange(pending_, {}))
            storage_.appendRecord(line);
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

bool MatchStore::resume(const MatchState& state) {
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

    // The record goes on; the log box shows its lines again, under those of this start.
    QStringList older;
    if (storage_.continueRecord(state.record)) {
        record_ = state.record;
        older = storage_.recordLines();
    } else {
        record_ = storage_.startRecord();
    }
    recording_ = true;
    for (const QString& line : std::exchange(pending_, {}))
        storage_.appendRecord(line);
    rebuildLog(older);

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
    return true;
}

void MatchStore::rebuildLog(const QStringList& older) {
    QString& log = form_.Text1.text;
    for (auto it = older.crbegin(); it != older.crend(); ++it) {
        if (log.size() + it->size() + 2 > kLogLimit)
            break;
        log += *it + QStringLiteral("\r\n");
    }
}

void MatchStore::remember() {
    for (const Control* c : form_.controls())
        if (keptInState(*c))
            written_.insert(c, keptPart(*c));
    writtenRecord_ = events_.revision();
    writtenPort_ = form_.Combo6.notes.value(form_.Combo6.index);
}

bool MatchStore::changed(const Changes& changes, bool tick) const {
    const Form& f = form_;
    // What the running count rewrites at every step of it.
    const auto counted = [&f](const Control* c) {
        return c == &f.D_Sec || c == &f.Spec_Min || c == &f.Spec_Sec || c == &f.TxtStrL ||
               c == &f.TxtStrR;
    };
    for (const Field* field : changes.fields)
        if ((field->stored && !(tick && qstrcmp(field->name, "ClockMs") == 0)) ||
            qstrcmp(field->name, "PortOpen") == 0)
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

void MatchStore::store(bool force) {
    if (!claimed_ || (ended_ && !force))
        return;
    remember();
    MatchState s;
    s.content = stateContent(form_);
    s.portDevice = writtenPort_;
    s.portOpen = form_.PortOpen;
    s.events = events_.toJson();
    s.ended = ended_;
    s.savedAtMs = clock_.wallMs();
    s.timeOfDay = clock_.timeOfDay();
    s.count = match_.runningCount();
    s.record = record_;
    storage_.writeState(s.toJson());
}

void MatchStore::keepSports() {
    storage_.writeSports(match_.catalog().ownFile());
    sayFaults();
}

void MatchStore::keepSettings() {
    settings_.keep();
}

void MatchStore::afterStep(const Changes& changes, bool tick) {
    if (changed(changes, tick))
        store();
    const qint64 nowMs = clock_.monotonicMs();
    if (nowMs - lastTryMs_ >= 1000) {
        lastTryMs_ = nowMs;
        if (!storage_.fault(Storage::Kept::State).isEmpty())
            store();
        if (!storage_.fault(Storage::Kept::Settings).isEmpty())
            settings_.keep(true);
    }
    sayFaults();
}

void MatchStore::end() {
    settings_.keep();
    ended_ = true;
    store(true);
    sayFaults();
}

void MatchStore::sayFaults() {
    static const struct {
        Storage::Kept kept;
        Fault fault;
        const char* fails;
        const char* works;
    } kinds[] = {
        {Storage::Kept::State, Fault::State,
         QT_TRANSLATE_NOOP("MatchStore", "Spielstand kann nicht gespeichert werden: "),
         QT_TRANSLATE_NOOP("MatchStore", "Spielstand wird wieder gespeichert")},
        {Storage::Kept::Settings, Fault::Settings,
         QT_TRANSLATE_NOOP("MatchStore", "Einstellungen können nicht gespeichert werden: "),
         QT_TRANSLATE_NOOP("MatchStore", "Einstellungen werden wieder gespeichert")},
        {Storage::Kept::Record, Fault::Record,
         QT_TRANSLATE_NOOP("MatchStore", "Spielbericht kann nicht mitgeschrieben werden: "),
         QT_TRANSLATE_NOOP("MatchStore", "Spielbericht wird wieder mitgeschrieben")},
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

void MatchStore::SaveReport_Click() {
    const Form& f = form_;
    const QDateTime now = QDateTime::fromMSecsSinceEpoch(clock_.wallMs());
    // In the documents folder, named after the day and the teams.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString name =
        reportName(now.toString(QStringLiteral("yyyy-MM-dd")), f.Text_l.text, f.Text_r.text);
    QString filter;
    QString path = dialogs_.saveFileName(
        tr("Spielbericht speichern"),
        (folder.isEmpty() ? QString() : folder + QLatin1Char('/')) + name + QStringLiteral(".txt"),
        QStringLiteral("Text (*.txt);;CSV (*.csv)"), filter);
    if (path.isEmpty())
        return;
    const bool csv = filter.contains(QLatin1String("csv"), Qt::CaseInsensitive) ||
                     path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
    if (QFileInfo(path).suffix().isEmpty())
        path += csv ? QStringLiteral(".csv") : QStringLiteral(".txt");

    const MatchReport report{now.toString(QStringLiteral("dd.MM.yyyy")),
                             match_.rules().title(),
                             f.Text_l.text,
                             f.Text_r.text,
                             f.Pkt_l.text + QLatin1Char(':') + f.Pkt_r.text,
                             f.D_Min.text + QLatin1Char(':') + f.D_Sec.text,
                             events_.events()};
    if (const std::optional<QString> error = storage_.writeFile(
            path, reportBytes(report, csv ? ReportFormat::Csv : ReportFormat::Text))) {
        message(tr("Spielbericht kann nicht gespeichert werden: ") + *error);
        return;
    }
    log_.addLine(tr(" +++ Spielbericht gespeichert: ") + path);
}

} // namespace ml
