#pragma once

// Runs replay script lines against the real program core with the fake platform. What happens
// (message boxes, serial operations, web addresses, `show` results) goes to the print sink, one
// line each. The replay tool and the random operator test both drive the program through it.

#include "core/program.h"
#include "platform/fakes/fakes.h"
#include "web/remote_control.h"

#include <map>
#include <memory>
#include <optional>

namespace ml {

class ScriptRunner {
  public:
    // `print` may be empty: then nothing is printed and the fakes keep no trace.
    explicit ScriptRunner(Trace print);

    // Runs one script line; false with `error` set when the line is wrong.
    bool run(const QString& line, QString& error);

    struct Command;
    // One script line taken apart: its command, the rest of the line, the rest's words.
    struct Line {
        const Command& command;
        QString rest;
        QStringList args;
    };
    // A command of the script language: its name, what follows it (as the usage shows it),
    // whether it may stand before `start` (it sets up the fakes), and what runs it.
    struct Command {
        const char* name;
        const char* takes;
        bool beforeStart;
        bool (ScriptRunner::*run)(const Line& line, QString& error);
    };
    // The tool's usage: its arguments and every command, from the table of commands.
    static QString usage();

    // The program once `start` has run, else null.
    Program* program() { return program_.get(); }
    FakeClock& clock() { return clock_; }
    FakeSerialDevice& device() { return device_; }
    FakeSerialDevice& secondDevice() { return device2_; }
    FakeHorn& horn() { return horn_; }
    // Draws the report's PDF from the first `report` on; without it there is none.
    ReportPdf* pdf = nullptr;

  private:
    static const Command kCommands[];

    bool runStart(const Line& line, QString& error);
    bool runTime(const Line& line, QString& error);
    bool runClockSet(const Line& line, QString& error);
    bool runPorts(const Line& line, QString& error);
    bool runAnswer(const Line& line, QString& error);
    bool runDevice(const Line& line, QString& error);
    bool runAudio(const Line& line, QString& error);
    bool runLanguage(const Line& line, QString& error);
    bool runSteps(const Line& line, QString& error);
    bool runPassTime(const Line& line, QString& error);
    bool runClick(const Line& line, QString& error);
    bool runType(const Line& line, QString& error);
    bool runSelect(const Line& line, QString& error);
    bool runHold(const Line& line, QString& error);
    bool runSetting(const Line& line, QString& error);
    bool runSecondLine(const Line& line, QString& error);
    bool runFocus(const Line& line, QString& error);
    bool runKey(const Line& line, QString& error);
    bool runShow(const Line& line, QString& error);
    bool runRemote(const Line& line, QString& error);
    bool runWhileBox(const Line& line, QString& error);
    bool runSport(const Line& line, QString& error);
    bool runSportsFile(const Line& line, QString& error);
    bool runPenalty(const Line& line, QString& error);
    bool runTimeout(const Line& line, QString& error);
    bool runFoul(const Line& line, QString& error);
    bool runGoal(const Line& line, QString& error);
    bool runNumber(const Line& line, QString& error);
    bool runReport(const Line& line, QString& error);
    bool runNextPeriod(const Line& line, QString& error);
    // `show Period`, `show Record` (its last event), `show Penalties home|guest`,
    // `show Timeouts home|guest`, `show Fouls home|guest`.
    bool showSport(const Line& line, QString& error);
    void say(const QString& line) {
        if (print_)
            print_(line);
    }

    Trace print_;
    FakeClock clock_;
    FakeDialogs dialogs_;
    FakeShell shell_;
    FakeSerialDevice device_;
    FakeSerialDevice device2_;
    FakeHorn horn_;
    FakeStorage storage_;
    std::unique_ptr<Program> program_;
    // The translation file `language` wanted and did not find.
    QString languageMissing_;
    // The remote control, once a remote is named; its connections by the remotes' numbers.
    std::unique_ptr<web::RemoteControl> remote_;
    std::map<int, int> remotes_;
    // Each remote's challenge (counted, so that the output is the same every run), and the moment
    // (the fake clock's monotonic ms) the remote control asked to be woken for.
    std::map<int, QString> challenges_;
    int challengeCount_ = 0;
    std::optional<qint64> remoteDueAt_;
    // A line run while the next box waits for its answer (`while-box`).
    QString boxLine_;
};

} // namespace ml
