// A seeded random operator over the whole program core with the fake platform: random clicks,
// typing, choices, ticks and tenths with the time of day moving on. After every step the
// program's invariants must hold. A failure prints the replay script that reproduces it.
//
// MARKLIGHT_RANDOM_ACTIONS (default 20000) and MARKLIGHT_RANDOM_SEED (default 1) choose the run;
// MARKLIGHT_RANDOM_SEEDS runs that many consecutive seeds.

#include "core/program.h"
#include "platform/fakes/fakes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <cstdlib>
#include <random>

namespace ml {
namespace {

long envNumber(const char* name, long fallback) {
    const char* v = std::getenv(name);
    return v ? std::strtol(v, nullptr, 10) : fallback;
}

// Texts an operator might type, from harmless to hostile.
QString randomText(std::mt19937& rng) {
    static const QStringList fixed = {
        "",       "0",      "1",        "-1",     "20.0",     "0.5",
        "7.1",    "-0",     "999",      "1000",   "-1000",    "99999",
        "-99999", "1e9",    "1e308",    "-1e308", "abc",      " 12 ",
        "+3",     "2.5",    ".5",       "5.",     "-",        "+",
        ".",      "1.2.3",  "$TIME",    "$time",  "§O4     ", "Zeit:   §O4     ",
        "Heim",   "Gäste",  "ÄÖÜäöüß€", "日本語", "😀",        "\t",
        "32767",  "-32768", "546",      "600.5",  "0.0001"};
    std::uniform_int_distribution<int> pick(0, 9);
    const int kind = pick(rng);
    if (kind < 6)
        return fixed[std::uniform_int_distribution<int>(0, int(fixed.size()) - 1)(rng)];
    if (kind < 8)
        return QString::number(std::uniform_int_distribution<int>(-2000, 2000)(rng));
    // A long text of printable characters, some outside Windows-1252.
    const int len = std::uniform_int_distribution<int>(0, 200)(rng);
    QString s;
    for (int i = 0; i < len; ++i) {
        const int c = std::uniform_int_distribution<int>(0, 20)(rng);
        s += c == 0 ? QChar(0x4E2D) : c == 1 ? QChar(0x00E4) : QChar(0x20 + (i * 7 + c) % 95);
    }
    return s;
}

class RandomOperator {
  public:
    explicit RandomOperator(unsigned seed)
        : rng_(seed), program_(clock_, dialogs_, shell_, device_) {
        clock_.set(QStringLiteral("10:00:00"));
        device_.openable = {1, 3};
        script_ << "time 10:00:00"
                << "ports 1,3"
                << "start";
        program_.start();
        for (const QString& name : program_.handlers.click.keys())
            clickable_ << name;
        for (Control* c : program_.form.controls()) {
            if (c->kind == Kind::CheckBox)
                clickable_ << c->name;
            if (c->kind == Kind::TextBox && !c->name.startsWith("Text") && c->name != "Text_l" &&
                c->name != "Text_r")
                typable_ << c->name;
        }
        typable_ << "Text_l"
                 << "Text_r";
        clickable_.sort();
        typable_.sort();
    }

    // Runs one random action; false with `why` set when an invariant broke.
    bool step(QString& why) {
        const int what = std::uniform_int_distribution<int>(0, 99)(rng_);
        if (what < 30) {
            const int secs = std::uniform_int_distribution<int>(0, 3)(rng_);
            if (secs > 0) {
                clock_.advance(secs);
                script_ << "time " + clock_.timeOfDay();
            }
            const bool pending = program_.form.LogPending;
            const size_t writes = device_.writes.size();
            script_ << "tick";
            program_.tick();
            const bool logged = (pending && !program_.form.LogPending) ||
                                (program_.form.PortOpen && device_.writes.size() > writes);
            if (logged && program_.form.Text1.text.size() > 100000)
                return fail(why, "Text1 longer than 100000 after LogEvent");
        } else if (what < 45) {
            script_ << "tenths";
            program_.tenths();
        } else if (what < 75) {
            answerRandomly();
            // Operators open the port far more often than anything else breaks it.
            const QString name = !program_.form.PortOpen && pick(3) == 0
                                     ? QStringLiteral("OpenOutput")
                                     : clickable_[pick(clickable_.size())];
            script_ << "click " + name;
            program_.click(name);
        } else if (what < 80) {
            answerRandomly();
            const int index = 1 + pick(16);
            script_ << QStringLiteral("click HLProgr %1").arg(index);
            program_.click("HLProgr", index);
        } else if (what < 95) {
            const QString name = typable_[pick(typable_.size())];
            const QString text = randomText(rng_);
            script_ << "type " + name + " " + text;
            program_.type(name, text);
        } else if (what < 97) {
            deviceFault();
        } else if (what < 98) {
            const QStringList items = program_.form.Combo6.items;
            const QString entry = items[pick(items.size())];
            script_ << "select Combo6 " + entry;
            program_.select("Combo6", entry);
        } else {
            static const QStringList focusable = {"Pkt_l", "Pkt_r", "D_Min", "D_Sec"};
            const QString name = focusable[pick(focusable.size())];
            script_ << "focus " + name;
            program_.focus(name);
        }
        return checkInvariants(why);
    }

    QString script() const { return script_.join('\n') + '\n'; }

    // What the run reached, so that a run that never drives the line fails.
    long fieldTransmissions = 0;
    long programFrames = 0;
    long otherTransmissions = 0;

  private:
    int pick(qsizetype n) { return std::uniform_int_distribution<int>(0, int(n) - 1)(rng_); }

    // A fault of the serial line, or its repair.
    void deviceFault() {
        switch (pick(6)) {
        case 0:
            script_ << "device fail Gerät entfernt";
            device_.fail(QStringLiteral("Gerät entfernt"));
            break;
        case 1:
            device_.failWrite = !device_.failWrite;
            script_ << (device_.failWrite ? "device writes refused" : "device writes ok");
            break;
        case 2:
            device_.failClose = !device_.failClose;
            script_ << (device_.failClose ? "device close fails" : "device close ok");
            break;
        case 3:
            device_.holdWrites = !device_.holdWrites;
            script_ << (device_.holdWrites ? "device line slow" : "device line fast");
            break;
        default:
            script_ << "device drain";
            device_.drain();
        }
    }

    void answerRandomly() {
        if (std::uniform_int_distribution<int>(0, 3)(rng_) == 0) {
            dialogs_.answerNext(Answer::Cancel);
            script_ << "answer Cancel";
        }
    }

    static bool fail(QString& why, const QString& message) {
        why = message;
        return false;
    }

    bool checkTransmissions(QString& why) {
        for (; checkedWrites_ < device_.writes.size(); ++checkedWrites_) {
            const QByteArray& t = device_.writes[checkedWrites_];
            QList<QByteArray> frames;
            qsizetype start = 0;
            while (start < t.size()) {
                if (t[start] != '\x02')
                    return fail(why,
                                "transmission does not start a frame with STX: " + t.toHex(' '));
                const qsizetype end = t.indexOf('\n', start);
                if (end < 0)
                    return fail(why, "frame without LF: " + t.toHex(' '));
                frames << t.mid(start, end - start + 1);
                start = end + 1;
            }
            if (frames.isEmpty())
                return fail(why, "empty transmission");
            // Four 12-byte frames addressed by digits are field frames (scoreboard or two
            // standing rows); scroll frames carry a code byte where the address stands.
            const bool fieldFrames =
                frames.size() == 4 &&
                std::all_of(frames.begin(), frames.end(), [](const QByteArray& f) {
                    return f.size() == 12 && f[1] >= '0' && f[1] <= '9';
                });
            if (frames.size() == 4 && frames[0].size() == 12 && frames[0][1] == '1')
                ++fieldTransmissions;
            else if (frames.size() == 1 && frames[0].size() == 12)
                ++programFrames;
            else
                ++otherTransmissions;
            if (fieldFrames) {
                for (int i = 0; i < 4; ++i) {
                    if (frames[i][1] != char('1' + i))
                        return fail(why, "field frame out of address order: " + t.toHex(' '));
                    if (frames[i][2] < '1' || frames[i][2] > '3')
                        return fail(why, "brightness digit out of range: " + t.toHex(' '));
                }
            }
        }
        return true;
    }

    bool checkInvariants(QString& why) {
        const Form& f = program_.form;
        if (f.Uhr.ticked() + f.Prog.ticked() + f.ShText.ticked() > 1)
            return fail(why, "more than one of Akt. Zeit, Programm, freier Text ticked");
        if (int(f.ClockRunning) + int(f.TimeoutActive) + int(f.BreakActive) > 1)
            return fail(why, "more than one of clock, timeout and break runs");
        const auto one = [](std::initializer_list<const MenuItem*> group) {
            return std::count_if(group.begin(), group.end(),
                                 [](const MenuItem* m) { return m->checked; }) == 1;
        };
        if (!one({&f.Baud_1200, &f.Baud_2400, &f.Baud_4800, &f.Baud_9600}))
            return fail(why, "baud group has not exactly one check mark");
        if (!one({&f.br_low, &f.br_med, &f.br_high}))
            return fail(why, "brightness group has not exactly one check mark");
        if (!one({&f.Mode_up, &f.Mode_down}))
            return fail(why, "Zeit Modus group has not exactly one check mark");
        if (!one({&f.up, &f.down}))
            return fail(why, "Zählen group has not exactly one check mark");
        int programs = 0;
        for (int i = 1; i <= 16; ++i)
            programs += f.HLProgr[i]->checked;
        if (programs != 1)
            return fail(why, "program group has not exactly one check mark");
        return checkTransmissions(why);
    }

    std::mt19937 rng_;
    FakeClock clock_;
    FakeDialogs dialogs_;
    FakeShell shell_;
    FakeSerialDevice device_;
    Program program_;
    QStringList clickable_;
    QStringList typable_;
    QStringList script_;
    size_t checkedWrites_ = 0;
};

TEST(RandomOperator, KeepsEveryInvariantOverManyActions) {
    const long actions = envNumber("MARKLIGHT_RANDOM_ACTIONS", 20000);
    const long firstSeed = envNumber("MARKLIGHT_RANDOM_SEED", 1);
    const long seeds = envNumber("MARKLIGHT_RANDOM_SEEDS", 1);
    for (long seed = firstSeed; seed < firstSeed + seeds; ++seed) {
        RandomOperator op(static_cast<unsigned>(seed));
        for (long i = 0; i < actions; ++i) {
            QString why;
            if (!op.step(why)) {
                const QString path =
                    QDir::temp().filePath(QStringLiteral("random-operator-%1.replay").arg(seed));
                QFile file(path);
                if (file.open(QIODevice::WriteOnly))
                    file.write(op.script().toUtf8());
                ADD_FAILURE() << "seed " << seed << ", action " << i + 1 << ": "
                              << why.toStdString() << "\nReproduce with: marklight-replay "
                              << path.toStdString();
                return;
            }
        }
        if (actions >= 20000) {
            EXPECT_GT(op.fieldTransmissions, 0) << "seed " << seed;
            EXPECT_GT(op.programFrames, 0) << "seed " << seed;
            EXPECT_GT(op.otherTransmissions, 0) << "seed " << seed;
        }
    }
}

} // namespace
} // namespace ml
