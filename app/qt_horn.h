#pragma once

// The horn over Qt Multimedia: a two-tone signal made by the program at start-up, played
// through the default sound output with QAudioSink.

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
    void fail(const QString& reason);

    QAudioFormat format_;
    QByteArray cycle_;
    std::unique_ptr<QMediaDevices> devices_;
    std::unique_ptr<ToneSource> source_;
    std::unique_ptr<QAudioSink> sink_;
    // Closes the stream once the tone and what the sound server still holds have played.
    QTimer closer_;
    qreal volume_ = 1.0;
    std::function<void(const QString&)> failure_;
};

} // namespace ml::app
