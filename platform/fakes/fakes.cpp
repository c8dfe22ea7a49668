#include "platform/fakes/fakes.h"

#include "form/quote.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTime>

namespace ml {

namespace {

constexpr qint64 kDayMs = 24 * 3600 * 1000;

// Milliseconds of the day for "hh:mm:ss", or -1.
qint64 msOfDay(const QString& text) {
    static const QRegularExpression form(QStringLiteral(R"(^\d\d:\d\d:\d\d$)"));
    const QTime t = QTime::fromString(text, QStringLiteral("HH:mm:ss"));
    return form.match(text).hasMatch() && t.isValid() ? t.msecsSinceStartOfDay() : -1;
}

qint64 floorMod(qint64 a, qint64 b) {
    return ((a % b) + b) % b;
}

} // namespace

FakeClock::FakeClock(const QString& time) {
    if (!setComputerClock(time))
        odd_ = time;
}

void FakeClock::passUntil(const QString& time) {
    const qint64 target = msOfDay(time);
    if (target < 0) {
        odd_ = time;
        return;
    }
    advanceMs(floorMod(target - wall_, kDayMs));
}

bool FakeClock::setComputerClock(const QString& time) {
    const qint64 target = msOfDay(time);
    if (target < 0)
        return false;
    qint64 step = floorMod(target - wall_, kDayMs);
    if (step > kDayMs / 2)
        step -= kDayMs;
    wall_ += step;
    odd_.clear();
    return true;
}

void FakeClock::advanceMs(qint64 ms) {
    wall_ += ms;
    mono_ += ms;
    odd_.clear();
}

QString FakeClock::timeOfDay() const {
    if (!odd_.isEmpty())
        return odd_;
    return timeText(floorMod(wall_, kDayMs));
}

namespace {

const char* buttonsName(Buttons b) {
    switch (b) {
    case Buttons::Ok:
        return "ok";
    case Buttons::OkCancel:
        return "okcancel";
    case Buttons::YesNo:
        return "yesno";
    }
    return "";
}

const char* answerName(Answer a) {
    switch (a) {
    case Answer::Ok:
        return "OK";
    case Answer::Cancel:
        return "Cancel";
    case Answer::Yes:
        return "Yes";
    case Answer::No:
        return "No";
    }
    return "";
}

// Whether the box offers the button that answers so.
bool offers(Buttons b, Answer a) {
    switch (b) {
    case Buttons::Ok:
        return a == Answer::Ok;
    case Buttons::OkCancel:
        return a == Answer::Ok || a == Answer::Cancel;
    case Buttons::YesNo:
        return a == Answer::Yes || a == Answer::No;
    }
    return false;
}

} // namespace

Answer FakeDialogs::messageBox(const QString& text, const QString& title, Icon icon,
                               Buttons buttons, Answer defaultAnswer) {
    // Unscripted, the operator presses Enter: the default button, or OK.
    Answer a = buttons == Buttons::YesNo ||
                       (buttons == Buttons::OkCancel && defaultAnswer == Answer::Cancel)
                   ? defaultAnswer
                   : Answer::Ok;
    if (!answers_.empty()) {
        if (offers(buttons, answers_.front()))
            a = answers_.front();
        answers_.pop_front();
    }
    if (whileOpen)
        whileOpen();
    boxes.push_back({text, title, icon, buttons, a});
    if (trace_)
        trace_(QStringLiteral("box title=%1 icon=%2 buttons=%3 text=%4 -> %5")
                   .arg(quoted(title), icon == Icon::Critical ? "critical" : "none",
                        buttonsName(buttons), quoted(text), answerName(a)));
    return a;
}

QString FakeDialogs::saveFileName(const QString& title, const QString& suggested,
                                  const QString& filters, QString& filter) {
    QString path;
    if (!files_.empty()) {
        path = files_.front();
        files_.pop_front();
    }
    const int chosen = path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive) ? 1 : 0;
    filter = filters.section(QStringLiteral(";;"), chosen, chosen);
    if (trace_)
        trace_(QStringLiteral("file dialog title=%1 suggested=%2 -> %3")
                   .arg(quoted(title), quoted(suggested), quoted(path)));
    return path;
}

void FakeShell::openUrl(const QString& url) {
    opened.append(url);
    if (trace_)
        trace_(QStringLiteral("shell %1").arg(quoted(url)));
}

bool FakeSerialDevice::setPortNumber(int n) {
    if (refuseNumber)
        return false;
    port_ = n;
    return true;
}

bool FakeSerialDevice::open() {
    denied_ = !open_ && denied.contains(port_);
    busy_ = !open_ && busy.contains(port_);
    if (open_ || !openable.contains(port_) || denied_ || busy_) {
        say("open-failed", QString::number(port_));
        return false;
    }
    open_ = true;
    say("open", QStringLiteral("%1 %2").arg(port_).arg(quoted(settings)));
    return true;
}

void FakeSerialDevice::say(const char* what, const QString& rest) const {
    if (!trace_)
        return;
    QStringList words{QStringLiteral("serial"), QLatin1String(what), line_, rest};
    words.removeAll(QString());
    trace_(words.join(QLatin1Char(' ')));
}

bool FakeSerialDevice::close() {
    const bool wasOpen = open_;
    open_ = false;
    queued_ = 0;
    say("close", QString::number(port_));
    return wasOpen && !failClose;
}

bool FakeSerialDevice::write(const QByteArray& bytes) {
    if (!open_ || failWrite)
        return false;
    writes.push_back(bytes);
    if (trace_) {
        QStringList hex;
        for (unsigned char b : bytes)
            hex.append(QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')));
        say("write", hex.join(QLatin1Char(' ')));
    }
    if (holdWrites)
        queued_ += bytes.size();
    return true;
}

void FakeSerialDevice::drain() {
    queued_ = 0;
    if (drained_)
        drained_();
}

void FakeSerialDevice::fail(const QString& reason) {
    if (failure_)
        failure_(reason);
}

bool FakeHorn::available() {
    if (failure_ && (missing || reportedMissing_)) {
        reportedMissing_ = missing;
        failure_(missing ? QCoreApplication::translate("ml::Horn", "kein Audiogerät") : QString());
    }
    return !missing;
}

void FakeHorn::record(bool on, int ms, const QString& line) {
    events.push_back({on, ms, clock_.timeOfDay()});
    if (trace_)
        trace_(line);
}

void FakeHorn::prepare() {
    available();
}

void FakeHorn::sound(int ms) {
    if (available())
        record(true, ms, QStringLiteral("horn on %1 ms").arg(ms));
}

void FakeHorn::start() {
    if (available())
        record(true, 0, QStringLiteral("horn on"));
}

void FakeHorn::stop() {
    if (sounding())
        record(false, 0, QStringLiteral("horn off"));
}

bool FakeStorage::failed(Kept what) {
    faults_[what] = failWrites;
    return !failWrites.isEmpty();
}

void FakeStorage::writeSettings(const QVariantMap& values) {
    if (!failed(Kept::Settings))
        settings = values;
}

void FakeStorage::writeSports(const QByteArray& bytes) {
    if (!failed(Kept::Settings))
        sports = bytes;
}

void FakeStorage::writeState(const QByteArray& bytes) {
    if (failed(Kept::State))
        return;
    state = bytes;
    ++stateWrites;
}

QString FakeStorage::setStateAside(Aside why) {
    if (!state)
        return {};
    asides.emplace_back(why, *state);
    state.reset();
    return why == Aside::Backup ? QStringLiteral("state-backup.json")
                                : QStringLiteral("state-unreadable.json");
}

QString FakeStorage::startRecord() {
    record = QStringLiteral("match-%1").arg(records.size() + 1);
    if (!failed(Kept::Record))
        records.insert(record, {});
    return record;
}

bool FakeStorage::continueRecord(const QString& name) {
    if (!records.contains(name))
        return false;
    record = name;
    return true;
}

void FakeStorage::appendRecord(const QString& line) {
    if (!failed(Kept::Record) && records.contains(record))
        records[record].append(line);
}

std::optional<QString> FakeStorage::writeRemoteKey(const QByteArray& key) {
    if (!failWrites.isEmpty())
        return failWrites;
    remoteKey = key;
    return std::nullopt;
}

std::optional<QString> FakeStorage::writeBrokerPassword(const QByteArray& password) {
    if (!failWrites.isEmpty())
        return failWrites;
    brokerPassword = password;
    return std::nullopt;
}

std::optional<QString> FakeStorage::writeFile(const QString& path, const QByteArray& bytes) {
    if (!failWrites.isEmpty())
        return failWrites;
    files.insert(path, bytes);
    return std::nullopt;
}

} // namespace ml
