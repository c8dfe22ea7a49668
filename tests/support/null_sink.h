#pragma once

// A PulseAudio server of its own with one null sink, and a recorder of the sink's monitor: the
// sound output of the audio test and the horn benchmark. The server runs in a temporary folder
// (no session bus, no other client, also as root), and this process is pointed at it.

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <functional>

namespace ml::test {

class NullSink {
  public:
    static constexpr int kRate = 48000;

    // Starts the server; `error()` says why when it could not.
    NullSink() {
        for (const char* tool : {"pulseaudio", "pactl", "parec"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                error_ = QStringLiteral("%1 is not installed").arg(QString::fromLatin1(tool));
        if (!error_.isEmpty())
            return;
        if (!dir_.isValid()) {
            error_ = QStringLiteral("no temporary folder");
            return;
        }
        socket_ = dir_.filePath(QStringLiteral("native"));
        QFile conf(dir_.filePath(QStringLiteral("null.pa")));
        conf.open(QIODevice::WriteOnly);
        conf.write(QStringLiteral("load-module module-native-protocol-unix socket=%1 "
                                  "auth-anonymous=1\n"
                                  "load-module module-null-sink sink_name=horn rate=%2 "
                                  "channels=1\n"
                                  "set-default-sink horn\n")
                       .arg(socket_)
                       .arg(kRate)
                       .toUtf8());
        conf.close();

        if (!startServer()) {
            error_ = QStringLiteral("the PulseAudio server did not start (see %1)")
                         .arg(dir_.filePath(QStringLiteral("server.log")));
            dir_.setAutoRemove(false);
            return;
        }
        // The horn in this process, and the recorder, use this server only.
        qputenv("PULSE_SERVER", "unix:" + socket_.toUtf8());
    }

    ~NullSink() {
        stopRecording();
        stopServer();
    }

    // The server (again, on the same socket); true once a client sees the sink.
    bool startServer() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), dir_.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir_.path());
        env.insert(QStringLiteral("PULSE_RUNTIME_PATH"), dir_.filePath(QStringLiteral("rt")));
        server_.setProcessEnvironment(env);
        server_.setStandardErrorFile(dir_.filePath(QStringLiteral("server.log")),
                                     QIODevice::Append);
        // Should this process die, the server ends itself 10 s after its last client.
        server_.start(QStringLiteral("pulseaudio"),
                      {QStringLiteral("-n"), QStringLiteral("-F"),
                       dir_.filePath(QStringLiteral("null.pa")), QStringLiteral("--daemonize=no"),
                       QStringLiteral("--exit-idle-time=10"), QStringLiteral("--use-pid-file=no"),
                       QStringLiteral("--log-target=stderr")});
        const QDeadlineTimer deadline(5000);
        while (server_.state() != QProcess::NotRunning && !deadline.hasExpired()) {
            QThread::msleep(50);
            QProcess probe;
            probe.start(QStringLiteral("pactl"),
                        {QStringLiteral("--server=unix:") + socket_, QStringLiteral("list"),
                         QStringLiteral("short"), QStringLiteral("sinks")});
            if (probe.waitForFinished(2000) && probe.exitCode() == 0 &&
                probe.readAllStandardOutput().contains("horn"))
                return true;
        }
        return false;
    }

    // The server goes away, as a crashed one does.
    void stopServer() {
        if (server_.state() == QProcess::NotRunning)
            return;
        server_.kill();
        server_.waitForFinished(3000);
    }

    NullSink(const NullSink&) = delete;
    NullSink& operator=(const NullSink&) = delete;

    bool ok() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }

    // Records the sink's monitor from now on: 16-bit mono samples at `kRate`.
    bool startRecording() {
        recorder_.setProgram(QStringLiteral("parec"));
        recorder_.setArguments(
            {QStringLiteral("--device=horn.monitor"), QStringLiteral("--format=s16le"),
             QStringLiteral("--rate=%1").arg(kRate), QStringLiteral("--channels=1"),
             QStringLiteral("--raw"), QStringLiteral("--latency-msec=5")});
        QObject::connect(&recorder_, &QProcess::readyReadStandardOutput, [this] {
            pcm_ += recorder_.readAllStandardOutput();
            if (onChunk)
                onChunk();
        });
        recorder_.start();
        return recorder_.waitForStarted(3000);
    }

    void stopRecording() {
        if (recorder_.state() == QProcess::NotRunning)
            return;
        recorder_.terminate();
        recorder_.waitForFinished(2000);
    }

    // Runs the event loop for `ms` (the sink and the recorder work meanwhile).
    static void spin(int ms) {
        const QDeadlineTimer deadline(ms);
        while (!deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::msleep(1);
        }
    }

    // Runs the event loop until at least `samples` have been recorded (or `ms` passed).
    void recordAtLeast(qsizetype samples, int ms) {
        const QDeadlineTimer deadline(ms);
        while (pcm_.size() / 2 < samples && !deadline.hasExpired())
            spin(5);
    }

    const qint16* samples() const { return reinterpret_cast<const qint16*>(pcm_.constData()); }
    qsizetype sampleCount() const { return pcm_.size() / 2; }
    // Runs as each recorded chunk has arrived (the benchmark dates the chunks).
    std::function<void()> onChunk;

  private:
    QTemporaryDir dir_;
    QString socket_;
    QString error_;
    QProcess server_;
    QProcess recorder_;
    QByteArray pcm_;
};

} // namespace ml::test
