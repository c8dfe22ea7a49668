#include "app/qt_horn.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>

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
// The stream stays open this much longer than the tone, so the server plays all it holds.
constexpr int kCloseAfterMs = kBufferMs + 200;

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
// silence until the stream is closed.
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
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return (1 << 20) + QIODevice::bytesAvailable(); }

  protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 frames = maxSize / 2;
        auto* out = reinterpret_cast<qint16*>(data);
        const auto* cycle = reinterpret_cast<const qint16*>(cycle_.constData());
        const qint64 cycleFrames = cycle_.size() / 2;
        for (qint64 i = 0; i < frames; ++i, ++pos_) {
            double gain = 1;
            if (pos_ < kAttackFrames)
                gain = static_cast<double>(pos_) / kAttackFrames;
            if (end_ >= 0)
                gain = std::min(gain,
                                std::max(0.0, static_cast<double>(end_ - pos_) / kReleaseFrames));
            out[i] = static_cast<qint16>(std::lround(cycle[pos_ % cycleFrames] * gain));
        }
        return frames * 2;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    const QByteArray& cycle_;
    qint64 pos_ = 0;
    qint64 end_ = 0;
};

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
    if (!devices_)
        devices_ = std::make_unique<QMediaDevices>();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        sink_.reset();
        fail(QStringLiteral("kein Audiogerät"));
        return;
    }
    if (sink_)
        return;
    sink_ = std::make_unique<QAudioSink>(device, format_);
    sink_->setVolume(volume_);
    QObject::connect(sink_.get(), &QAudioSink::stateChanged, [this](QAudio::State state) {
        if (state == QAudio::StoppedState && sink_->error() != QAudio::NoError &&
            sink_->error() != QAudio::UnderrunError)
            fail(QStringLiteral("Audiogerät ausgefallen"));
    });
    // A device plugged in or out: the next signal takes the new default.
    QObject::connect(devices_.get(), &QMediaDevices::audioOutputsChanged, [this] {
        if (sink_ && sink_->state() == QAudio::StoppedState)
            sink_.reset();
    });
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
        fail(QStringLiteral("Audiogerät lässt sich nicht öffnen"));
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

void QtHorn::fail(const QString& reason) {
    if (failure_)
        failure_(reason);
}

} // namespace ml::app
