#pragma once

// Hand-written stand-ins for the platform, for tests and the replay tool. Each records what
// happens and reports it, in order, to an optional trace sink in replay's line format.

#include "platform/platform.h"
#include "platform/storage.h"

#include <QHash>
#include <QSet>
#include <QStringList>

#include <deque>
#include <map>
#include <utility>
#include <vector>

namespace ml {

using Trace = std::function<void(const QString& line)>;

// The computer's clock and the time that passes, both moved by the test or script. It starts
// today at `time`.
class FakeClock : public Clock {
  public:
    explicit FakeClock(const QString& time = QStringLiteral("12:00:00"));
    // Time passes until the time of day `time` ("hh:mm:ss"), past midnight when that is earlier
    // than now. A text that is no valid "hh:mm:ss" becomes the time of day's text as it is, and
    // no time passes.
    void passUntil(const QString& time);
    // The computer's clock is set to the nearest `time` (at most 12 hours back or forward); no
    // time passes. False for no valid "hh:mm:ss".
    bool setComputerClock(const QString& time);
    void advanceMs(qint64 ms);
    void advance(int seconds) { advanceMs(seconds * 1000LL); }

    QString timeOfDay() const override;
    qint64 wallMs() const override { return wall_; }
    qint64 monotonicMs() const override { return mono_; }

  private:
    qint64 wall_ = 0;
    qint64 mono_ = 0;
    // A time of day that is no valid "hh:mm:ss", shown until time passes or the clock is set.
    QString odd_;
};

struct RecordedBox {
    QString text, title;
    Icon icon;
    Buttons buttons;
    Answer answer;
};

class FakeDialogs : public Dialogs {
  public:
    explicit FakeDialogs(Trace trace = {}) : trace_(std::move(trace)) {}
    // The next box is answered so; boxes without a scripted answer (or whose buttons do not
    // offer it) get their default button: the one Enter presses (OK unless said otherwise).
    void answerNext(Answer a) { answers_.push_back(a); }
    // The next file dialog chooses `path` (the CSV filter when it ends in ".csv"); without one
    // the dialog is cancelled.
    void chooseFileNext(const QString& path) { files_.push_back(path); }
    Answer messageBox(const QString& text, const QString& title, Icon icon, Buttons buttons,
                      Answer defaultAnswer = Answer::Ok) override;
    QString saveFileName(const QString& title, const QString& suggested, const QString& filters,
                         QString& filter) override;
    std::vector<RecordedBox> boxes;
    // Runs inside every box, while it "waits" for the operator (to test re-entry).
    std::function<void()> whileOpen;

  private:
    Trace trace_;
    std::deque<Answer> answers_;
    std::deque<QString> files_;
};

class FakeShell : public Shell {
  public:
    explicit FakeShell(Trace trace = {}) : trace_(std::move(trace)) {}
    void openUrl(const QString& url) override;
    QStringList opened;

  private:
    Trace trace_;
};

// A serial device over numbered fake ports. Scripts failures and can hold written bytes like a
// slow line until `drain` is called.
class FakeSerialDevice : public SerialDevice {
  public:
    // `line`: the display line's number in the trace ("serial write 2 …"), none for the first.
    explicit FakeSerialDevice(Trace trace = {}, QString line = {})
        : trace_(std::move(trace)), line_(std::move(line)) {}

    // --- script ---
    QSet<int> openable;        // port numbers that open
    QSet<int> denied;          // port numbers whose device exists but refuses: no rights
    QSet<int> busy;            // port numbers whose device another program holds
    bool refuseNumber = false; // setPortNumber fails
    bool failClose = false;    // close reports failure
    bool failWrite = false;    // write refuses the bytes
    bool holdWrites = false;   // written bytes stay queued until drain()
    // Takes everything queued off the line and reports the drain.
    void drain();
    // Reports a device failure as the real device would (adapter pulled out).
    void fail(const QString& reason);

    // --- record ---
    std::vector<QByteArray> writes;
    QString settings;

    // --- SerialDevice ---
    bool setPortNumber(int n) override;
    int portNumber() const override { return port_; }
    void setSettings(const QString& s) override { settings = s; }
    bool open() override;
    bool openDenied() const override { return denied_; }
    bool openBusy() const override { return busy_; }
    bool close() override;
    bool isOpen() const override { return open_; }
    bool write(const QByteArray& bytes) override;
    qint64 bytesQueued() const override { return queued_; }
    void setDrainedHandler(std::function<void()> h) override { drained_ = std::move(h); }
    void setFailureHandler(std::function<void(const QString&)> h) override {
        failure_ = std::move(h);
    }
    QString deviceName(int n) const override { return QStringLiteral("fake%1").arg(n); }

  private:
    void say(const char* what, const QString& rest) const;

    Trace trace_;
    QString line_;
    int port_ = 1;
    bool open_ = false;
    bool denied_ = false;
    bool busy_ = false;
    qint64 queued_ = 0;
    std::function<void()> drained_;
    std::function<void(const QString&)> failure_;
};

// A horn that records each signal with the time of day it began. Without a sound output
// (`missing`) it records nothing and reports the failure, as the real horn does; one that is
// there again is reported at the next use, or at once by `outputsChanged`.
class FakeHorn : public Horn {
  public:
    explicit FakeHorn(const Clock& clock, Trace trace = {})
        : clock_(clock), trace_(std::move(trace)) {}

    // --- script ---
    bool missing = false;
    // The system says its outputs changed: the horn looks at `missing` now.
    void outputsChanged() { available(); }

    // --- record ---
    // `ms` is the length of a timed signal, 0 for one held until `stop`; a stop has on false.
    struct Event {
        bool on;
        int ms;
        QString time;
    };
    std::vector<Event> events;
    int volume = 100;
    bool sounding() const { return !events.empty() && events.back().on && events.back().ms == 0; }

    // --- Horn ---
    void prepare() override;
    void sound(int ms) override;
    void start() override;
    void stop() override;
    void setVolume(int percent) override { volume = percent; }
    void setFailureHandler(std::function<void(const QString&)> h) override {
        failure_ = std::move(h);
    }

  private:
    // False, after reporting the failure, when there is no sound output.
    bool available();
    void record(bool on, int ms, const QString& line);

    const Clock& clock_;
    Trace trace_;
    std::function<void(const QString&)> failure_;
    bool reportedMissing_ = false;
};

// Storage in memory. Everything written can be read back at once; `failWrites` makes every
// write fail with that reason (until it is cleared), `otherInstance` makes the state already
// claimed.
class FakeStorage : public Storage {
  public:
    // --- script ---
    QString failWrites;
    bool otherInstance = false;

    // --- record ---
    QVariantMap settings;
    std::optional<QByteArray> sports;
    std::optional<QByteArray> state;
    int stateWrites = 0;
    std::vector<std::pair<Aside, QByteArray>> asides;
    QHash<QString, QStringList> records;
    QString record;
    QHash<QString, QByteArray> files;
    std::optional<QByteArray> remoteKey;
    // The key's file has been opened to others.
    bool remoteKeyOpen = false;
    std::optional<QByteArray> brokerPassword;

    // --- Storage ---
    QVariantMap readSettings() override { return settings; }
    void writeSettings(const QVariantMap& values) override;
    std::optional<QByteArray> readSports() override { return sports; }
    void writeSports(const QByteArray& bytes) override;
    bool claimState() override { return !otherInstance; }
    std::optional<QByteArray> readState() override { return state; }
    void writeState(const QByteArray& bytes) override;
    QString setStateAside(Aside why) override;
    QString startRecord() override;
    bool continueRecord(const QString& name) override;
    void appendRecord(const QString& line) override;
    QStringList recordLines() override { return records.value(record); }
    std::optional<QByteArray> readRemoteKey() override { return remoteKey; }
    std::optional<QString> writeRemoteKey(const QByteArray& key) override;
    bool guardRemoteKey() override { return std::exchange(remoteKeyOpen, false); }
    std::optional<QByteArray> readBrokerPassword() override { return brokerPassword; }
    std::optional<QString> writeBrokerPassword(const QByteArray& password) override;
    std::optional<QString> writeFile(const QString& path, const QByteArray& bytes) override;
    QString fault(Kept what) override { return faults_[what]; }

  private:
    // Whether a write of `what` fails now; its fault follows.
    bool failed(Kept what);
    std::map<Kept, QString> faults_;
};

} // namespace ml
