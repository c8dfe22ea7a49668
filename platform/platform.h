#pragma once

// The seam between the program's core and the desktop: small interfaces, injected through
// constructors. The app implements them with Qt; tests and the replay tool use the fakes.

#include <QByteArray>
#include <QString>

#include <functional>

namespace ml {

// The computer's clock, and a clock of the time that really passes. The first may be set (by
// hand, by network time, at a change of daylight saving); the second only ever moves on, so the
// counts of the match measure with it.
class Clock {
  public:
    virtual ~Clock() = default;
    // The local time of day, "hh:mm:ss", 24-hour clock, two digits each.
    virtual QString timeOfDay() const = 0;
    // The computer's clock in milliseconds since the epoch; its seconds turn when the time of
    // day's do.
    virtual qint64 wallMs() const = 0;
    // Milliseconds of real time from an arbitrary start; no setting of the computer's clock
    // moves it.
    virtual qint64 monotonicMs() const = 0;

    // Milliseconds from now to the next whole second / tenth of the time of day (1..1000).
    // "hh:mm:ss" of a time of day given in milliseconds since midnight. Written digit by digit:
    // the tick asks for the time of day several times a step, and QTime's formatting through the
    // locale costs a microsecond each time.
    static QString timeText(qint64 msOfDay) {
        const int s = static_cast<int>(msOfDay / 1000 % 86400);
        const int parts[] = {s / 3600, s / 60 % 60, s % 60};
        QString text(8, QLatin1Char(':'));
        for (int i = 0; i < 3; ++i) {
            text[3 * i] = QLatin1Char(static_cast<char>('0' + parts[i] / 10));
            text[3 * i + 1] = QLatin1Char(static_cast<char>('0' + parts[i] % 10));
        }
        return text;
    }

    int msToNextSecond() const { return 1000 - static_cast<int>(msPast(1000)); }
    int msToNextTenth() const { return 100 - static_cast<int>(msPast(100)); }

  private:
    qint64 msPast(qint64 unit) const { return ((wallMs() % unit) + unit) % unit; }
};

enum class Icon { None, Critical };
enum class Buttons { Ok, OkCancel, YesNo };
enum class Answer { Ok, Cancel, Yes, No };

// Modal message boxes. The caller waits for the answer; the match tick keeps running.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // `defaultAnswer`: the button that Enter presses (Yes or No; OK or Cancel).
    virtual Answer messageBox(const QString& text, const QString& title, Icon icon, Buttons buttons,
                              Answer defaultAnswer = Answer::Ok) = 0;
    // The operator's choice of a file to write, starting at `suggested`; `filters` as the file
    // dialog takes them ("Text (*.txt);;CSV (*.csv)"), `filter` receives the one chosen. Empty
    // when the operator cancels.
    virtual QString saveFileName(const QString& title, const QString& suggested,
                                 const QString& filters, QString& filter) = 0;
};

// The desktop shell: opens a web address in the browser. Failures are not reported.
class Shell {
  public:
    virtual ~Shell() = default;
    virtual void openUrl(const QString& url) = 0;
};

// The serial port that drives the display line. Write only: nothing is ever read.
class SerialDevice {
  public:
    virtual ~SerialDevice() = default;
    // The next open uses port `n` (1..255). False when the device refuses the number.
    virtual bool setPortNumber(int n) = 0;
    virtual int portNumber() const = 0;
    // "9600,n,8,1" and the like; used by the next open.
    virtual void setSettings(const QString& settings) = 0;
    virtual bool open() = 0;
    // After a failed open: true when the device exists but the user may not open it (no
    // rights), false when it is missing, held by another program or refused the settings.
    virtual bool openDenied() const { return false; }
    // After a failed open: true when the device exists but another program holds it.
    virtual bool openBusy() const { return false; }
    // True when the close succeeded; the device is closed afterwards either way.
    virtual bool close() = 0;
    virtual bool isOpen() const = 0;
    // Queues the bytes for the line; false when the device refused them.
    virtual bool write(const QByteArray& bytes) = 0;
    // Bytes written but not yet on the line.
    virtual qint64 bytesQueued() const = 0;
    // Called (on the UI thread) when the queue has drained to nothing.
    virtual void setDrainedHandler(std::function<void()> handler) = 0;
    // Called (on the UI thread) when the open device fails: unplugged, write error.
    virtual void setFailureHandler(std::function<void(const QString& reason)> handler) = 0;
    // The device path or name behind port `n`, empty when there is none (shown to the operator).
    virtual QString deviceName(int n) const = 0;
    // The device itself behind port `n`, whatever path names it (on Unix the resolved path): two
    // ports with the same key are one device. Empty when there is none.
    virtual QString deviceKey(int n) const { return deviceName(n); }
};

// The horn: a loud tone through the computer's sound output, which clubs connect to the hall's
// loudspeakers. Sounding never blocks; a sound output that is missing or fails is reported
// through the failure handler and the match goes on without it.
class Horn {
  public:
    virtual ~Horn() = default;
    // Gets the sound output ready, so the first signal starts at once; reports a missing one.
    virtual void prepare() = 0;
    // Sounds for `ms` milliseconds, replacing whatever sounds.
    virtual void sound(int ms) = 0;
    // Sounds until `stop`, replacing whatever sounds (the operator holds the horn).
    virtual void start() = 0;
    virtual void stop() = 0;
    // 0 (silent) to 100 (full scale); applies to what sounds now and later.
    virtual void setVolume(int percent) = 0;
    // Called (on the UI thread) when there is no sound output or it fails.
    virtual void setFailureHandler(std::function<void(const QString& reason)> handler) = 0;
};

} // namespace ml
