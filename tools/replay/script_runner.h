#pragma once

// Runs replay script lines against the real program core with the fake platform. What happens
// (message boxes, serial operations, web addresses, `show` results) goes to the print sink, one
// line each. The replay tool and the random operator test both drive the program through it.

#include "core/program.h"
#include "platform/fakes/fakes.h"
#include "web/remote_control.h"

#include <map>
#include <memory>

namespace ml {

class ScriptRunner {
  public:
    // `print` may be empty: then nothing is printed and the fakes keep no trace.
    explicit ScriptRunner(Trace print);

    // Runs one script line; false with `error` set when the line is wrong.
    bool run(const QString& line, QString& error);

    // The program once `start` has run, else null.
    Program* program() { return program_.get(); }
    FakeClock& clock() { return clock_; }
    FakeSerialDevice& device() { return device_; }
    FakeSerialDevice& secondDevice() { return device2_; }
    FakeHorn& horn() { return horn_; }

  private:
    bool deviceCommand(const QStringList& args, QString& error);
    bool secondLineCommand(Program& p, const QStringList& args, QString& error);
    bool settingCommand(Program& p, const QStringList& args, QString& error);
    bool show(Program& p, const QStringList& args, QString& error);
    bool remoteCommand(Program& p, const QString& rest, QString& error);
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
    // The remote control, once a remote is named; its connections by the remotes' numbers.
    std::unique_ptr<web::RemoteControl> remote_;
    std::map<int, int> remotes_;
    // A line run while the next box waits for its answer (`while-box`).
    QString boxLine_;
};

} // namespace ml
