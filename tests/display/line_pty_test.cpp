// marklight-display --text on one end of a socat pseudo-terminal pair while the program core
// writes a scripted match to the other; the pair goes away and comes back.

#include "serial/qt_serial_device.h"
#include "tests/support/desk.h"
#include "tests/support/pty.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ml::test {
namespace {

// Two linked pseudo-terminals at fixed paths, as `socat` makes them.
struct Link {
    explicit Link(const QString& dir) : a(dir + "/a"), b(dir + "/b") {}
    ~Link() { stop(); }
    bool start() {
        socat.start(QStringLiteral("socat"), {QStringLiteral("pty,raw,echo=0,link=") + a,
                                              QStringLiteral("pty,raw,echo=0,link=") + b});
        return waitFor([this] { return QFile::exists(a) && QFile::exists(b); }, 10000);
    }
    void stop() {
        socat.terminate();
        socat.waitForFinished();
    }
    QString a, b;
    QProcess socat;
};

struct Tool {
    // The tool speaks the language of `locale` (German where it names neither German nor English).
    explicit Tool(const QStringList& args, const QString& locale = QStringLiteral("C")) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("LANGUAGE"));
        env.insert(QStringLiteral("LC_ALL"), locale);
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(MARKLIGHT_DISPLAY_TOOL), args);
        process.waitForStarted();
    }
    ~Tool() {
        process.kill();
        process.waitForFinished();
    }
    // Waits until the output holds `text`; everything up to it is consumed.
    bool saw(const QString& text) {
        const bool found = waitFor(
            [&] {
                out += QString::fromUtf8(process.readAllStandardOutput());
                return out.contains(text);
            },
            10000);
        if (found)
            out = out.mid(out.indexOf(text) + text.size());
        return found;
    }
    QProcess process;
    QString out;
};

TEST(DisplayToolOverPty, PrintsTheMatchAsMarklightSendsItAndWaitsForTheLineToComeBack) {
    application();
    QTemporaryDir dir;
    Link link(dir.path());
    ASSERT_TRUE(link.start());
    Tool tool({QStringLiteral("--text"), link.b});

    qputenv("MARKLIGHT_PORTS", link.a.toLocal8Bit());
    test::BasicDesk<QtSerialDevice> desk;
    Program& p = desk.p;
    p.click(p.form.OpenOutput);
    ASSERT_TRUE(p.form.PortOpen);
    p.click(p.form.Displ);
    p.type(p.form.Pkt_l, QStringLiteral("3"));
    p.tick();
    EXPECT_TRUE(tool.saw("|Heim      Gegner| Helligkeit 1"));
    EXPECT_TRUE(tool.saw("| 3    20:00   0 |"));

    p.click(p.form.St_St);
    desk.clock.advance(1);
    p.tick();
    EXPECT_TRUE(tool.saw("| 3    19:59   0 |"));
    // The last minute shows seconds and tenths.
    desk.clock.passUntil(QStringLiteral("10:19:30"));
    p.wake();
    EXPECT_TRUE(tool.saw("| 3    30:00"));

    link.stop();
    EXPECT_TRUE(tool.saw("nicht mehr erreichbar"));
    if (p.form.PortOpen)
        p.click(p.form.OpenOutput);
    ASSERT_TRUE(link.start());
    EXPECT_TRUE(tool.saw(link.b + ": geöffnet"));
    p.click(p.form.OpenOutput);
    ASSERT_TRUE(p.form.PortOpen);
    p.click(p.form.br_high);
    p.tick();
    EXPECT_TRUE(tool.saw("Helligkeit 3"));
}

TEST(DisplayToolOnStandardInput, CountsSkippedBytesAndEndsWithTheInputInTheSystemsLanguage) {
    application();
    const struct {
        const char* locale;
        const char* skipped;
        const char* shown;
    } cases[] = {
        {"C", "übersprungen: 5 Bytes (insgesamt 5)", "|Gast            | Helligkeit 2"},
        {"en_GB.UTF-8", "skipped: 5 bytes (5 in all)", "|Gast            | brightness 2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale);
        Tool tool({QStringLiteral("--text"), QStringLiteral("-")}, QString::fromLatin1(c.locale));
        tool.process.write("noise\x02"
                           "12Gast    \n");
        tool.process.closeWriteChannel();
        EXPECT_TRUE(tool.saw(QString::fromUtf8(c.skipped)));
        EXPECT_TRUE(tool.saw(QString::fromUtf8(c.shown)));
        EXPECT_TRUE(waitFor([&] { return tool.process.state() == QProcess::NotRunning; }, 10000));
        EXPECT_EQ(tool.process.exitCode(), 0);
    }
}

} // namespace
} // namespace ml::test
