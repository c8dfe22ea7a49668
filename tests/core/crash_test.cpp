// A match killed with SIGKILL at random moments and resumed each time: the restart restores the
// scores, names, penalties and display mode of a state that was written whole, and the clock
// within a tenth of a second of one that ran on all along. MARKLIGHT_CRASH_KILLS sets the number of
// kills.

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Runs the helper and kills it `killAfterMs` after it has said `first`.
QStringList helper(const QStringList& args, int killAfterMs, const char* first) {
    QProcess p;
    p.start(QStringLiteral(CRASH_MATCH_PATH), args);
    EXPECT_TRUE(p.waitForStarted());
    QByteArray out;
    while (!('\n' + out).contains(QByteArray("\n") + first) && p.waitForReadyRead(10000))
        out += p.readAllStandardOutput();
    p.waitForFinished(killAfterMs);
    p.kill();
    p.waitForFinished(30000);
    out += p.readAllStandardOutput();
    return QString::fromUtf8(out).split(QLatin1Char('\n'));
}

TEST(CrashTest, KilledMatchResumesAsItWasWritten) {
    const int kills = qEnvironmentVariableIntValue("MARKLIGHT_CRASH_KILLS") > 0
                          ? qEnvironmentVariableIntValue("MARKLIGHT_CRASH_KILLS")
                          : 200;
    const quint32 seed = QRandomGenerator::global()->generate();
    SCOPED_TRACE(seed);
    QRandomGenerator random(seed);
    QTemporaryDir dir;
    qint64 clockStart = -1;
    // The states that may be on disk: the last two announced (the newer may not have been
    // written when the kill came).
    QStringList written;
    // Each run but the first resumes what the one before left; the last only reports it.
    for (int k = 0; k <= kills; ++k) {
        SCOPED_TRACE(k);
        const QStringList out =
            helper({dir.path(), QString::number(random.generate())},
                   k == kills ? 0 : random.bounded(5, 100), k == 0 ? "T " : "R ");
        QStringList now;
        int resumed = 0;
        for (const QString& line : out) {
            if (line.startsWith(QLatin1String("T ")))
                clockStart = line.mid(2).toLongLong();
            if (line.startsWith(QLatin1String("S ")))
                now.append(line.mid(2));
            if (!line.startsWith(QLatin1String("R ")))
                continue;
            const QStringList r = line.mid(2).split(QLatin1Char('|'));
            ASSERT_EQ(r.size(), 4);
            ASSERT_FALSE(written.isEmpty());
            EXPECT_TRUE(r[0] == written.last() ||
                        (written.size() > 1 && r[0] == written.at(written.size() - 2)))
                << r[0].toStdString() << " / " << written.last().toStdString();
            // Counting down from 20:00 since the clock started, give or take a tenth.
            const double value = r[1].toDouble();
            EXPECT_LE(value, 1200 - (r[2].toLongLong() - clockStart) / 1000.0 + 0.1);
            EXPECT_GE(value, 1200 - (r[3].toLongLong() - clockStart) / 1000.0 - 0.1);
            now.prepend(r[0]);
            ++resumed;
        }
        ASSERT_GT(clockStart, 0);
        ASSERT_EQ(resumed, k == 0 ? 0 : 1);
        written = now;
    }
}

} // namespace
