// The match that the crash test kills: the real program core over the real storage in FOLDER, on
// the real time of day, with the port and the message boxes faked (boxes get their default).
//
//   crash_match FOLDER SEED   resumes the match there (answering the question with its default,
//                             "Ja"), reports it, then plays on at random until it is killed
//
// Lines on standard output: "T <wall ms before the start>" once a fresh match has started its
// clock, "R <match>|<clock seconds>|<wall ms before the tick>|<wall ms after>" for a resumed match
// after its first tick, "S <match>" before every state written (so a state on disk was printed
// before).

#include "core/program.h"
#include "platform/fakes/fakes.h"
#include "platform/qt_storage.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QThread>
#include <QTime>

#include <cstdio>

namespace {

using namespace ml;

class WallClock : public Clock {
  public:
    WallClock() { sinceStart_.start(); }
    QString timeOfDay() const override {
        return QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
    }
    qint64 wallMs() const override { return QDateTime::currentMSecsSinceEpoch(); }
    qint64 monotonicMs() const override { return sinceStart_.elapsed(); }

  private:
    QElapsedTimer sinceStart_;
};

void say(const QString& line) {
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

// What must come back exactly: scores, names, penalties (the running and the waiting ones of the
// sport's lists, each player's one after the other), the players' marks and the team fouls,
// display mode.
QString match(const Form& f) {
    return QStringList{f.Pkt_l.text,
                       f.Pkt_r.text,
                       f.Text_l.text,
                       f.Text_r.text,
                       QString::number(f.penaltyL.running),
                       QString::number(f.penaltyL.endMin),
                       QString::number(f.penaltyL.endSec),
                       QString::number(f.penaltyR.running),
                       QString::number(f.penaltyR.endMin),
                       QString::number(f.penaltyR.endSec),
                       *f.fieldText(QStringLiteral("penaltiesL")),
                       *f.fieldText(QStringLiteral("penaltiesR")),
                       *f.fieldText(QStringLiteral("playersL")),
                       *f.fieldText(QStringLiteral("playersR")),
                       QString::number(f.FoulsL),
                       QString::number(f.FoulsMatchR),
                       QString::number(f.Displ.value()),
                       QString::number(f.Uhr.value()),
                       QString::number(f.ShText.value()),
                       QString::number(f.ClockRunning)}
        .join(QLatin1Char(' '));
}

// Says which match each state is before it is written, then waits until it is on disk.
class TellingStorage : public QtStorage {
  public:
    using QtStorage::QtStorage;
    void writeState(const QByteArray& state) override {
        if (form)
            say(QStringLiteral("S ") + match(*form));
        QtStorage::writeState(state);
        flush();
    }
    const Form* form = nullptr;
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    WallClock clock;
    FakeDialogs dialogs;
    FakeShell shell;
    FakeSerialDevice device;
    device.openable = {1};
    FakeHorn horn(clock);
    TellingStorage storage(args[1] + QStringLiteral("/config"), args[1] + QStringLiteral("/data"));
    Program p(clock, dialogs, shell, device, horn, storage);
    storage.form = &p.form;
    p.start();

    if (p.form.ClockRunning) {
        const qint64 before = clock.wallMs();
        p.tick();
        say(QStringLiteral("R %1|%2|%3|%4")
                .arg(match(p.form))
                .arg(static_cast<double>(p.form.StepMs) / 1000, 0, 'f', 3)
                .arg(before)
                .arg(clock.wallMs()));
    } else {
        // The first run: a club's ice hockey that counts team fouls, kept with its sports; three
        // penalties a side long enough to outlast the test (two run, the third waits), a double
        // minor of #7 behind them, the clock started once.
        SportRules club = p.match.catalog().find(QStringLiteral("eishockey"));
        club.id = QStringLiteral("eigen-eishockey");
        club.name = QStringLiteral("Eishockey mit Fouls");
        club.fouls = {5, QStringLiteral("Bonus"), 5};
        QString why;
        p.match.catalog().keep(club, why);
        p.sportsChanged();
        p.chooseSport(club.id);
        for (int i = 0; i < 3; ++i)
            for (auto [length, button] : {std::pair{&p.form.ValStrafeL, &p.form.StrafeL},
                                          {&p.form.ValStrafeR, &p.form.StrafeR}}) {
                p.type(*length, QStringLiteral("30.0"));
                p.click(*button);
            }
        p.type(p.form.ValStrafeL, QStringLiteral("2+2"));
        p.type(p.form.playerL, QStringLiteral("7"));
        p.click(p.form.StrafeL);
        p.click(p.form.OpenOutput);
        // Said once the running clock is on disk: a kill right after it finds a match to resume.
        const qint64 started = clock.wallMs();
        p.click(p.form.St_St);
        say(QStringLiteral("T %1").arg(started));
    }
    QRandomGenerator random(args[2].toUInt());
    Control* const clicks[] = {&p.form.up_l,  &p.form.up_r, &p.form.StrafeL, &p.form.StrafeR,
                               &p.form.Displ, &p.form.Uhr,  &p.form.ShText,  &p.form.s_change,
                               &p.form.up,    &p.form.down, &p.form.foulL,   &p.form.foulR};
    for (;;) {
        const int pick = random.bounded(16);
        if (pick < 12)
            p.click(*clicks[pick]);
        else if (pick == 12)
            p.type(p.form.Text_l, QStringLiteral("Heim%1").arg(random.bounded(100)));
        else if (pick == 13)
            p.type(p.form.Text_r, QStringLiteral("Gast%1").arg(random.bounded(100)));
        else if (pick == 14)
            p.type(random.bounded(2) ? p.form.playerL : p.form.playerR,
                   QString::number(random.bounded(1, 10)));
        p.tick();
        QThread::msleep(random.bounded(5));
    }
}
