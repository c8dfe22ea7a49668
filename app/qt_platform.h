#pragma once

// The platform interfaces over Qt: the time of day, message boxes and the desktop shell.

#include "app/precise_wake.h"
#include "platform/platform.h"

#include <QPointer>
#include <QWidget>

namespace ml::app {

class QtClock : public Clock {
  public:
    QString timeOfDay() const override;
    qint64 wallMs() const override;
    // The wake-up timer's milliseconds, so a count's turn is a moment it can be armed for.
    qint64 monotonicMs() const override { return PreciseWake::nowMs() - startMs_; }

  private:
    const qint64 startMs_ = PreciseWake::nowMs();
};

// Application-modal message boxes. While one waits for the operator the event loop runs on, so
// the match timers keep firing.
class QtDialogs : public Dialogs {
  public:
    QWidget* parent() const;
    // The window the boxes stand over when no window of the program has the focus.
    void setOwner(QWidget* owner) { owner_ = owner; }
    Answer messageBox(const QString& text, const QString& title, Icon icon, Buttons buttons,
                      Answer defaultAnswer = Answer::Ok) override;
    // A relative `suggested` name starts in the user's documents folder.
    QString saveFileName(const QString& title, const QString& suggested, const QString& filters,
                         QString& filter) override;

  private:
    QPointer<QWidget> owner_;
};

class QtShell : public Shell {
  public:
    void openUrl(const QString& url) override;
};

} // namespace ml::app
