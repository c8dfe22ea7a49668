#include "app/qt_horn.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QCoreApplication>
#include <QIODevice>
#include <QMediaDevices>

#ifdef MARKLIGHT_PULSE
#include <pulse/pulseaudio.h>
#endif

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

namespace ml::app {

namespace {

// A short fade at both ends keeps the loudspeakers from clicking.
constexpr qint64 kAttackFrames = QtHorn::kSampleRate * 3 / 1000;
constexpr qint64 kReleaseFrames = QtHorn::kSampleRate * 10 / 1000;
// What the sound server holds ahead of the loudspeaker: this much later a held horn falls
// silent. Qt feeds the stream in 20 ms pieces and the stream starts only once most of this
// has arrived: it must hold several pieces (at 40 ms the stream never started).
constexpr int kBufferMs = 100;
#ifdef MARKLIGHT_PULSE
// A sound server that has gone away is looked for again this often.
constexpr int kRetryMs = 2000;
#else
// The stream stays open this much longer than the tone, so the server plays all it holds.
constexpr int kCloseAfterMs = kBufferMs + 200;
#endif
QString noDevice() {
    return QCoreApplication::translate("ml::Horn", "kein Audiogerät");
}

QString deviceFailed() {
    return QCoreApplication::translate("ml::Horn", "Audiogerät ausgefallen");
}

// One common period of both tones: the two tones repeat together every 1/100 s.
QByteArray makeCycle() {
    constexpr int frames = QtHorn::kSampleRate / std::gcd(QtHorn::kLowHz, QtHorn::kHighHz);
    QByteArray pcm(frames * 2, Qt::Uninitialized);
    auto* out = reinterpret_cast<qint16*>(pcm.data());
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / QtHorn::kSampleRate;
        // tanh of a sine is a square wave with rounded edges: loud, not harsh.
        const auto squareish = [t](int hz) {
            return std::tanh(3.0 * std::sin(2 * std::numbers::pi * hz * t)) / std::tanh(3.0);
        };
        const double v = 0.45 * squareish(QtHorn::kLowHz) + 0.45 * squareish(QtHorn::kHighHz);
        out[i] = static_cast<qint16>(std::lround(v * 32767));
    }
    return pcm;
}

} // namespace

// The tone as an endless stream: the cycle faded in, then held, then faded out and followed by
// silence.
class ToneSource : public QIODevice {
  public:
    explicit ToneSource(const QByteArray& cycle) : cycle_(cycle) {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    // From the beginning; `frames` of tone, or until `release` when negative.
    void restart(qint64 frames) {
        pos_ = 0;
        end_ = frames < 0 ? -1 : std::max(frames, kAttackFrames + kReleaseFrames);
    }
    void release() {
        if (end_ < 0 || end_ > pos_ + kReleaseFrames)
            end_ = pos_ + kReleaseFrames;
    }
    // The next `frames` samples, scaled by `volume`.
    void fill(qint16* out, qint64 frames, double volume) {
        const auto* cycle = reinterpret_cast<const qint16*>(cycle_.constData());
        const qint64 cycleFrames = cycle_.size() / 2;
        for (qint64 i = 0; i < frames; ++i, ++pos_) {
            double gain = volume;
            if (pos_ < kAttackFrames)
                gain *= static_cast<double>(pos_) / kAttackFrames;
            if (end_ >= 0)
                gain *= std::clamp(static_cast<double>(end_ - pos_) / kReleaseFrames, 0.0, 1.0);
            out[i] = static_cast<qint16>(std::lround(cycle[pos_ % cycleFrames] * gain));
        }
    }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return (1 << 20) + QIODevice::bytesAvailable(); }

  protected:
    qint64 readData(char* data, qint64 maxSize) override {
        fill(reinterpret_cast<qint16*>(data), maxSize / 2, 1);
        return maxSize / 2 * 2;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    const QByteArray& cycle_;
    qint64 pos_ = 0;
    qint64 end_ = 0;
};

void QtHorn::report(const QString& reason) {
    if (everReported_ && reason == reported_)
        return;
    everReported_ = true;
    reported_ = reason;
    if (failure_)
        failure_(reason);
}

#ifdef MARKLIGHT_PULSE

// The connection to the sound server and one playback stream on it, kept open and fed from the
// tone source (silence between signals) on the server library's own thread. The user-interface
// thread holds that thread's lock whenever it touches the connection, the stream or the source.
class QtHorn::Pulse {
  public:
    // `report` runs on the user-interface thread.
    Pulse(ToneSource& source, std::function<void(const QString&)> report)
        : source_(source), report_(std::move(report)), loop_(pa_threaded_mainloop_new()) {
        retry_.setSingleShot(true);
        QObject::connect(&retry_, &QTimer::timeout, [this] { connect(); });
        pa_threaded_mainloop_start(loop_);
    }
    ~Pulse() {
        retry_.stop();
        pa_threaded_mainloop_lock(loop_);
        disconnect();
        pa_threaded_mainloop_unlock(loop_);
        pa_threaded_mainloop_stop(loop_);
        pa_threaded_mainloop_free(loop_);
    }
    Pulse(const Pulse&) = delete;
    Pulse& operator=(const Pulse&) = delete;

    // Connects unless connected or on the way; the outcome is reported.
    void connect() {
        pa_threaded_mainloop_lock(loop_);
        const bool known = context_ != nullptr;
        bool started = true;
        if (!known) {
            context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "Marklight");
            pa_context_set_state_callback(context_, onContext, this);
            started = pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0;
            if (!started)
                disconnect();
        }
        pa_threaded_mainloop_unlock(loop_);
        if (!started)
            lost(noDevice());
    }

    // Runs `change` on the source and drops what the server still holds of the stream, so
    // that the change is heard at once.
    void change(const std::function<void()>& change, bool dropHeld) {
        pa_threaded_mainloop_lock(loop_);
        change();
        if (dropHeld && ready_)
            if (pa_operation* o = pa_stream_flush(stream_, nullptr, nullptr))
                pa_operation_unref(o);
        pa_threaded_mainloop_unlock(loop_);
    }

    void setVolume(double volume) {
        pa_threaded_mainloop_lock(loop_);
        volume_ = volume;
        pa_threaded_mainloop_unlock(loop_);
    }

  private:
    // On the server library's thread, its lock held.
    static void onContext(pa_context* c, void* data) {
        auto* self = static_cast<Pulse*>(data);
        switch (pa_context_get_state(c)) {
        case PA_CONTEXT_READY:
            self->openStream();
            break;
        case PA_CONTEXT_FAILED:
        case PA_CONTEXT_TERMINATED:
            self->post(self->everReady_ ? deviceFailed() : noDevice());
            break;
        default:
            break;
        }
    }
    static void onStream(pa_stream* s, void* data) {
        auto* self = static_cast<Pulse*>(data);
        switch (pa_stream_get_state(s)) {
        case PA_STREAM_READY:
            self->ready_ = self->everReady_ = true;
            self->post(QString());
            break;
        case PA_STREAM_FAILED:
        case PA_STREAM_TERMINATED:
            self->post(deviceFailed());
            break;
        default:
            break;
        }
    }
    static void onWrite(pa_stream* s, size_t bytes, void* data) {
        auto* self = static_cast<Pulse*>(data);
        void* buffer = nullptr;
        if (pa_stream_begin_write(s, &buffer, &bytes) < 0 || buffer == nullptr)
            return;
        const qint64 frames = static_cast<qint64>(bytes / 2);
        self->source_.fill(static_cast<qint16*>(buffer), frames, self->volume_);
        pa_stream_write(s, buffer, static_cast<size_t>(frames * 2), nullptr, 0, PA_SEEK_RELATIVE);
    }

    void openStream() {
        const pa_sample_spec format{PA_SAMPLE_S16NE, kSampleRate, 1};
        const auto held = static_cast<uint32_t>(kSampleRate * 2 * kBufferMs / 1000);
        const pa_buffer_attr attr{static_cast<uint32_t>(-1), held, static_cast<uint32_t>(-1),
                                  static_cast<uint32_t>(-1), static_cast<uint32_t>(-1)};
        stream_ = pa_stream_new(context_, "Hupe", &format, nullptr);
        if (stream_ == nullptr) {
            post(noDevice());
            return;
        }
        pa_stream_set_state_callback(stream_, onStream, this);
        pa_stream_set_write_callback(stream_, onWrite, this);
        if (pa_stream_connect_playback(stream_, nullptr, &attr, PA_STREAM_ADJUST_LATENCY, nullptr,
                                       nullptr) < 0)
            post(noDevice());
    }

    // Hands the state of the output to the user-interface thread; a failure of a connection
    // given up meanwhile is not reported.
    void post(const QString& reason) {
        QMetaObject::invokeMethod(
            &retry_,
            [this, reason, generation = generation_] {
                if (generation != generation_)
                    return;
                if (reason.isEmpty())
                    report_(reason);
                else
                    lost(reason);
            },
            Qt::QueuedConnection);
    }

    // On the user-interface thread: the connection is given up and looked for again.
    void lost(const QString& reason) {
        pa_threaded_mainloop_lock(loop_);
        disconnect();
        pa_threaded_mainloop_unlock(loop_);
        report_(reason);
        retry_.start(kRetryMs);
    }

    // The lock held.
    void disconnect() {
        ready_ = false;
        ++generation_;
        if (stream_ != nullptr) {
            pa_stream_set_state_callback(stream_, nullptr, nullptr);
            pa_stream_set_write_callback(stream_, nullptr, nullptr);
            pa_stream_disconnect(stream_);
            pa_stream_unref(stream_);
            stream_ = nullptr;
        }
        if (context_ != nullptr) {
            pa_context_set_state_callback(context_, nullptr, nullptr);
            pa_context_disconnect(context_);
            pa_context_unref(context_);
            context_ = nullptr;
        }
    }

    ToneSource& source_;
    std::function<void(const QString&)> report_;
    pa_threaded_mainloop* loop_;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    bool ready_ = false;
    bool everReady_ = false;
    double volume_ = 1;
    quint64 generation_ = 0;
    // Also the object through which the server library's thread reaches this one.
    QTimer retry_;
};

QtHorn::QtHorn()
    : cycle_(makeCycle()), source_(std::make_unique<ToneSource>(cycle_)),
      pulse_(std::make_unique<Pulse>(*source_, [this](const QString& r) { report(r); })) {}

QtHorn::~QtHorn() = default;

void QtHorn::prepare() {
    pulse_->connect();
}

void QtHorn::play(qint64 frames) {
    // A signal that falls while there is no output is lost; the output is looked for at once.
    if (!reported_.isEmpty())
        pulse_->connect();
    pulse_->change([this, frames] { source_->restart(frames); }, true);
}

void QtHorn::sound(int ms) {
    play(static_cast<qint64>(ms) * kSampleRate / 1000);
}

void QtHorn::start() {
    play(-1);
}

void QtHorn::stop() {
    pulse_->change([this] { source_->release(); }, false);
}

void QtHorn::setVolume(int percent) {
    // The operator hears loudness; the samples take a linear factor.
    volume_ = QAudio::convertVolume(std::clamp(percent, 0, 100) / 100.0,
                                    QAudio::LogarithmicVolumeScale, QAudio::LinearVolumeScale);
    pulse_->setVolume(volume_);
}

#else

QtHorn::QtHorn() : cycle_(makeCycle()), source_(std::make_unique<ToneSource>(cycle_)) {
    format_.setSampleRate(kSampleRate);
    format_.setChannelCount(1);
    format_.setSampleFormat(QAudioFormat::Int16);
    closer_.setSingleShot(true);
    QObject::connect(&closer_, &QTimer::timeout, [this] {
        if (sink_)
            sink_->stop();
    });
}

QtHorn::~QtHorn() {
    // The sink reads from the source until it stops.
    if (sink_)
        sink_->stop();
}

void QtHorn::prepare() {
    if (!devices_) {
        devices_ = std::make_unique<QMediaDevices>();
        // A device plugged in or out: said at once, and the next signal takes the new default.
        QObject::connect(devices_.get(), &QMediaDevices::audioOutputsChanged, [this] {
            if (sink_ && sink_->state() == QAudio::StoppedState)
                sink_.reset();
            prepare();
        });
    }
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        sink_.reset();
        report(noDevice());
        return;
    }
    if (!sink_) {
        sink_ = std::make_unique<QAudioSink>(device, format_);
        sink_->setVolume(volume_);
        QObject::connect(sink_.get(), &QAudioSink::stateChanged, [this](QAudio::State state) {
            if (state == QAudio::StoppedState && sink_->error() != QAudio::NoError &&
                sink_->error() != QAudio::UnderrunError)
                report(deviceFailed());
        });
    }
    report(QString());
}

void QtHorn::play(qint64 frames) {
    if (!sink_)
        prepare();
    if (!sink_)
        return;
    closer_.stop();
    // A new signal starts from its first sample, not behind what the server still holds.
    sink_->stop();
    source_->restart(frames);
    // Set at every start: the sink keeps the size the server granted last time, which shrinks.
    sink_->setBufferSize(kSampleRate * 2 * kBufferMs / 1000);
    sink_->start(source_.get());
    if (sink_->error() == QAudio::OpenError) {
        sink_.reset();
        report(QCoreApplication::translate("ml::Horn", "Audiogerät lässt sich nicht öffnen"));
    }
}

void QtHorn::sound(int ms) {
    play(static_cast<qint64>(ms) * kSampleRate / 1000);
    if (sink_)
        closer_.start(ms + kCloseAfterMs);
}

void QtHorn::start() {
    play(-1);
}

void QtHorn::stop() {
    source_->release();
    if (sink_ && sink_->state() != QAudio::StoppedState && !closer_.isActive())
        closer_.start(kCloseAfterMs);
}

void QtHorn::setVolume(int percent) {
    // The operator hears loudness; the sink takes a linear factor.
    volume_ = QAudio::convertVolume(std::clamp(percent, 0, 100) / 100.0,
                                    QAudio::LogarithmicVolumeScale, QAudio::LinearVolumeScale);
    if (sink_)
        sink_->setVolume(volume_);
}

#endif

} // namespace ml::app
