// A seeded random operator over the whole program core with the fake platform: random clicks,
// typing, choices, faults of the line, ticks and tenths with the time of day moving on. Every
// action is a replay script line run through the same runner as marklight-replay, so a failure
// writes the script that reproduces it. After every action the program's invariants must hold.
//
// MARKLIGHT_RANDOM_ACTIONS (default 20000), MARKLIGHT_RANDOM_SEED (default 1) and
// MARKLIGHT_RANDOM_SEEDS (how many consecutive seeds, default 1) choose the run.

#include "tools/replay/script_runner.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstdlib>
#include <random>

namespace ml {
namespace {

long envNumber(const char* name, long fallback) {
    const char* v = std::getenv(name);
    return v ? std::strtol(v, nullptr, 10) : fallback;
}

const QStringList kTexts = {"",      "0",     "1",     "-1",     "20.0",  "0.5",   "7.1",
                            "-0",    "999",   "1000",  "-1000",  "99999", "1e9",   "1e308",
                            "abc",   " 12 ",  "+3",    "2.5",    ".5",    "5.",    "-",
                            "1.2.3", "$TIME", "$time", "§O4",    "Gäste", "ÄÖÜß€", "日本語",
                            "😀",     "\t",    "32767", "-32768", "600.5", "0.0001"};
const QStringList kDeviceFaults = {
    "device fail Gerät entfernt", "device writes refused", "device writes ok",
    "device close fails",         "device close ok",       "device line slow",
    "device line fast",           "device drain"};

class RandomOperator {
  public:
    explicit RandomOperator(unsigned seed) : rng_(seed), runner_({}) {
        for (const char* line : {"time 10:00:00", "ports 1,3", "start"})
            run(QString::fromUtf8(line));
        const Program& p = *runner_.program();
        for (const Control* c : p.form.controls()) {
            if (c->onClick && c->name != "HLProgr")
                clickable_ << c->name;
            if (c->kind == Kind::TextBox && c->name != "Text1" && c->name != "Text5")
                typable_ << c->name;
        }
        clickable_ << QStringLiteral("btnClose");
        clickable_.sort();
        typable_.sort();
    }

    // One random action; false with `why` set when an invariant broke.
    bool step(QString& why) {
        const Form& f = runner_.program()->form;
        const int what = pick(100);
        if (what < 30) {
            if (const int secs = pick(4)) {
                FakeClock later(runner_.clock().timeOfDay());
                later.advance(secs);
                run("time " + later.timeOfDay());
            }
            const bool pending = f.LogPending;
            const size_t writes = runner_.device().writes.size();
            run("tick");
            const bool logged = (pending && !f.LogPending) ||
                                (f.PortOpen && runner_.device().writes.size() > writes);
            if (logged && f.Text1.text.size() > 100000)
                return fail(why, "Text1 longer than 100000 after LogEvent");
        } else if (what < 45) {
            run(anyOf({"tenths", "boundary tenth", "boundary second", "run 37", "run 1250"}));
        } else if (what < 80) {
            if (pick(4) == 0)
                run("answer Cancel");
            // Operators open the port far more often than anything else breaks it.
            if (what < 70)
                run("click " + (!f.PortOpen && pick(3) == 0 ? QStringLiteral("OpenOutput")
                                                            : anyOf(clickable_)));
            else if (what < 75)
                sportAction();
            else
                run(QStringLiteral("click HLProgr %1").arg(1 + pick(16)));
        } else if (what < 95) {
            run("type " + anyOf(typable_) + " " + randomText());
        } else if (what < 97) {
            run(anyOf(kDeviceFaults));
        } else if (what < 98) {
            run("select Combo6 " + anyOf(f.Combo6.items));
        } else {
            run("focus " + anyOf({"Pkt_l", "Pkt_r", "D_Min", "D_Sec"}));
        }
        if (!error_.isEmpty())
            return fail(why, "script line refused: " + error_);
        return checkInvariants(why);
    }

    QString script() const { return script_.join('\n') + '\n'; }

    // What the run reached, so that a run that never drives the line fails.
    long fieldTransmissions = 0;
    long programFrames = 0;
    long otherTransmissions = 0;

  private:
    int pick(qsizetype n) { return std::uniform_int_distribution<int>(0, int(n) - 1)(rng_); }
    QString anyOf(const QStringList& list) { return list[pick(list.size())]; }

    void run(const QString& line) {
        script_ << line;
        if (error_.isEmpty())
            runner_.run(line, error_);
    }

    // The commands of a sport's rules: a sport chosen (sometimes during the match, said yes to),
    // penalties with and without lengths and numbers (double minors among them), their ends,
    // timeouts, fouls, the next period, the clock's direction.
    void sportAction() {
        const QString side = pick(2) ? QStringLiteral("home") : QStringLiteral("guest");
        switch (pick(11)) {
        case 0:
            if (pick(2))
                run("answer Yes");
            run("sport " + anyOf({"frei", "handball", "eishockey", "floorball", "basketball",
                                  "futsal", "handball-jugend"}));
            break;
        case 1:
        case 2:
            run("penalty " + side +
                anyOf({"", " 2", " 5 7", " 10 99", " 0", " -1", " 100", " x", " 2 0", " 2 100",
                       " 2+2 7", " 2+2", " 4 9", " 2 7"}));
            break;
        case 3: {
            const Form& f = runner_.program()->form;
            const PenaltyList& list = side == QLatin1String("home") ? f.penaltiesL : f.penaltiesR;
            if (!list.empty())
                run(QStringLiteral("penalty-end %1 %2")
                        .arg(side)
                        .arg(list[size_t(pick(qsizetype(list.size())))].number));
            break;
        }
        case 4:
            run("timeout " + side);
            break;
        case 5:
        case 6:
            if (pick(3) == 0)
                run("answer Yes");
            run("foul " + side + anyOf({"", " 5", " 7", " x"}));
            break;
        case 7:
            run("click " + anyOf({"Mode_up", "Mode_down"}));
            break;
        default:
            if (pick(3) == 0)
                run("answer Yes");
            run("next-period");
        }
    }

    // Texts an operator might type, from harmless to hostile: fixed ones, whole numbers, and up
    // to 200 printable characters, some outside Windows-1252.
    QString randomText() {
        const int kind = pick(10);
        if (kind < 6)
            return anyOf(kTexts);
        if (kind < 8)
            return QString::number(pick(4001) - 2000);
        QString s;
        for (int i = pick(201); i > 0; --i) {
            const int c = pick(21);
            s += c == 0 ? QChar(0x4E2D) : c == 1 ? QChar(0x00E4) : QChar(0x20 + (i * 7 + c) % 95);
        }
        return s;
    }

    static bool fail(QString& why, const QString& message) {
        why = message;
        return false;
    }

    // Every transmission is a run of STX ... LF frames; four 12-byte frames addressed by digits
    // (the scoreboard, or two standing rows) are addressed 1 to 4 with a brightness digit 1 to 3.
    bool checkTransmissions(QString& why) {
        const std::vector<QByteArray>& writes = runner_.device().writes;
        for (; checkedWrites_ < writes.size(); ++checkedWrites_) {
            const QByteArray& t = writes[checkedWrites_];
            QList<QByteArray> frames;
            for (qsizetype start = 0, end = 0; start < t.size(); start = end + 1) {
                end = t.indexOf('\n', start);
                if (t[start] != '\x02' || end < 0)
                    return fail(why, "not a run of STX ... LF frames: " + t.toHex(' '));
                frames << t.mid(start, end - start + 1);
            }
            const bool fieldFrames =
                frames.size() == 4 && std::all_of(frames.begin(), frames.end(), [](auto& f) {
                    return f.size() == 12 && f[1] >= '0' && f[1] <= '9';
                });
            if (fieldFrames) {
                ++fieldTransmissions;
                for (int i = 0; i < 4; ++i)
                    if (frames[i][1] != char('1' + i) || frames[i][2] < '1' || frames[i][2] > '3')
                        return fail(why, "bad field frame address or brightness: " + t.toHex(' '));
            } else {
                ++(frames.size() == 1 && frames[0].size() == 12 ? programFrames
                                                                : otherTransmissions);
            }
        }
        return true;
    }

    // Under a sport's rules: lists within their bounds, a player serving one penalty at a time, no
    // penalty waiting without a reason (its player's or its first part's penalty before it, or
    // the team at the rules' limit), a period in its break only while the break (or a timeout in
    // it) runs, fouls only where the rules count them.
    bool checkSport(QString& why) {
        Program& p = *runner_.program();
        const Form& f = p.form;
        const SportRules& rules = p.match.rules();
        if (rules.free())
            return f.penaltiesL.empty() && f.penaltiesR.empty() && f.PeriodNumber == 0
                       ? true
                       : fail(why, "penalty lists or a period without a sport's rules");
        const int limit = rules.penalties.maxRunning;
        for (const PenaltyList* list : {&f.penaltiesL, &f.penaltiesR}) {
            const auto shortBy = std::count_if(list->begin(), list->end(), [](auto& e) {
                return e.running && e.reducesTeam && e.coincidentWith == 0;
            });
            const auto reason = [&](const ListedPenalty& e) {
                const bool atLimit =
                    e.reducesTeam && e.coincidentWith == 0 && limit > 0 && shortBy >= limit;
                return atLimit || std::any_of(list->begin(), list->end(), [&e](auto& o) {
                           return o.id != e.id &&
                                  (o.id == e.after || (e.number != 0 && o.number == e.number));
                       });
            };
            const bool twice = std::any_of(list->begin(), list->end(), [&](auto& e) {
                return e.running && e.number != 0 &&
                       std::count_if(list->begin(), list->end(), [&e](auto& o) {
                           return o.running && o.number == e.number;
                       }) > 1;
            });
            if (list->size() > kMaxPenalties || (limit > 0 && shortBy > limit) || twice ||
                std::any_of(list->begin(), list->end(),
                            [&](auto& e) { return !e.running && !reason(e); }))
                return fail(why, "a penalty list beyond its bounds or waiting without a reason");
        }
        if (!rules.fouls.counted() && f.FoulsMatchL + f.FoulsMatchR > 0)
            return fail(why, "fouls counted under a sport that counts none");
        if (f.PeriodPhase == phase::kBreak && !f.BreakActive && !f.TimeoutActive)
            return fail(why, "a period in its break without a break");
        return f.PeriodNumber >= 1 || fail(why, "no period under a sport's rules");
    }

    bool checkInvariants(QString& why) {
        const Form& f = runner_.program()->form;
        if (!checkSport(why))
            return false;
        if (f.Uhr.ticked() + f.Prog.ticked() + f.ShText.ticked() > 1)
            return fail(why, "more than one of Akt. Zeit, Programm, freier Text ticked");
        if (int(f.ClockRunning) + int(f.TimeoutActive) + int(f.BreakActive) > 1)
            return fail(why, "more than one of clock, timeout and break runs");
        std::vector<const MenuItem*> programs;
        for (int i = 1; i <= 16; ++i)
            programs.push_back(&*f.HLProgr[i]);
        const std::vector<std::vector<const MenuItem*>> groups = {
            {&f.Baud_1200, &f.Baud_2400, &f.Baud_4800, &f.Baud_9600},
            {&f.br_low, &f.br_med, &f.br_high},
            {&f.Mode_up, &f.Mode_down},
            {&f.up, &f.down},
            programs};
        for (const auto& group : groups)
            if (std::count_if(group.begin(), group.end(), [](auto* m) { return m->checked; }) != 1)
                return fail(why, "menu group " + group.front()->name + " without exactly one mark");
        return checkTransmissions(why);
    }

    std::mt19937 rng_;
    ScriptRunner runner_;
    QStringList clickable_;
    QStringList typable_;
    QStringList script_;
    QString error_;
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
