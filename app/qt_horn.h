#pragma once

// The horn: a two-tone signal made by the program at start-up, played through the default sound
// output. On Linux it plays through the PulseAudio (or PipeWire) sound server with a connection
// of its own, which is kept open, so that a server that goes away is noticed at once and one
// that comes back is used again: Qt Multimedia 6.4 does neither (it gives up its connection for
// good and never says the outputs changed). Elsewhere it plays with Qt Multimedia's QAudioSink
// and watches QMediaDevices for outputs that come and go.

#include "platform/platform.h"

#include <QAudioFormat>
#include <QByteArray>
#include <QTimer>

#include <memory>

class QAudioSink;
class QMediaDevices;

namespace ml::app {

class ToneSource;

class QtHorn : public Horn {
  public:
    // The two tones sound together (a major third, like a car horn), each square-ish.
    static constexpr int kLowHz = 400;
    static constexpr int kHighHz = 500;
    static constexpr int kSampleRate = 48000;

    QtHorn();
    ~QtHorn() override;

    void prepare() override;
    void sound(int ms) override;
    void start() override;
    void stop() override;
    void setVolume(int percent) override;
    void setFailureHandler(std::function<void(const QString&)> handler) override {
        failure_ = std::move(handler);
    }

    // One period of the tone as 16-bit mono PCM at `kSampleRate` (the benchmark and tests).
    const QByteArray& cycle() const { return cycle_; }

  private:
    // Starts the tone afresh; it lasts `frames` samples, or until `stop` when negative.
    void play(qint64 frames);
    // Tells the program whether the output works: the reason it does not, or empty.
    void report(const QString& reason);

    QByteArray cycle_;
    std::unique_ptr<ToneSource> source_;
    qreal volume_ = 1.0;
    std::function<void(const QString&)> failure_;
    // The reason last reported; empty while the output works.
    QString reported_;
    bool everReported_ = false;

#ifdef MARKLIGHT_PULSE
    class Pulse;
    std::unique_ptr<Pulse> pulse_;
#else
    QAudioFormat format_;
    std::unique_ptr<QMediaDevices> devices_;
    std::unique_ptr<QAudioSink> sink_;
    // Closes the stream once the tone and what the sound server still holds have played.
    QTimer closer_;
#endif
};

} // namespace ml::app
