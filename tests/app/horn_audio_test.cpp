// The real horn through a real sound server: a PulseAudio null sink started by the test, whose
// monitor is recorded. Each test runs in a process of its own (CTest), so each may point Qt
// Multimedia at a server of its choice before first use.

#include "app/qt_horn.h"
#include "tests/support/null_sink.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace {

using ml::app::QtHorn;
using ml::test::NullSink;

constexpr int kBlock = NullSink::kRate / 100; // 10 ms

double rms(const qint16* s, int n) {
    double sum = 0;
    for (int i = 0; i < n; ++i)
        sum += static_cast<double>(s[i]) * s[i];
    return std::sqrt(sum / n);
}

// Power of one frequency in the samples (Goertzel).
double power(const qint16* s, qsizetype n, double hz) {
    const double k = 2 * std::cos(2 * std::numbers::pi * hz / NullSink::kRate);
    double a = 0, b = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const double c = s[i] + k * a - b;
        b = a;
        a = c;
    }
    return a * a + b * b - k * a * b;
}

TEST(HornAudio, SoundsBothTonesForTheSignalsLength) {
    NullSink sink;
    if (!sink.ok())
        GTEST_SKIP() << "no sound server could be started: " << sink.error().toStdString();
    QtHorn horn;
    QString failure;
    horn.setFailureHandler([&](const QString& reason) { failure = reason; });
    horn.prepare();
    ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();
    ASSERT_TRUE(sink.startRecording());
    sink.recordAtLeast(NullSink::kRate / 5, 3000);

    const qsizetype from = sink.sampleCount();
    horn.sound(600);
    sink.recordAtLeast(from + NullSink::kRate * 3 / 2, 5000);
    ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();

    // The loud 10 ms blocks: one run of them, as long as the signal.
    const qint16* s = sink.samples();
    qsizetype first = -1, last = -1;
    int loudBlocks = 0;
    for (qsizetype b = from; b + kBlock <= sink.sampleCount(); b += kBlock) {
        if (rms(s + b, kBlock) < 0.2 * 32767)
            continue;
        if (first < 0)
            first = b;
        last = b;
        ++loudBlocks;
    }
    ASSERT_GE(first, 0) << "no tone recorded";
    EXPECT_EQ(loudBlocks, (last - first) / kBlock + 1) << "the tone broke off";
    EXPECT_NEAR(loudBlocks * 10, 600, 30);

    // Across 200-1000 Hz the two strongest frequencies are the horn's two tones.
    std::vector<std::pair<double, int>> spectrum;
    for (int hz = 200; hz <= 1000; hz += 25)
        spectrum.emplace_back(power(s + first, last - first, hz), hz);
    std::sort(spectrum.rbegin(), spectrum.rend());
    EXPECT_EQ(std::min(spectrum[0].second, spectrum[1].second), QtHorn::kLowHz);
    EXPECT_EQ(std::max(spectrum[0].second, spectrum[1].second), QtHorn::kHighHz);
    EXPECT_GT(spectrum[1].first, 100 * spectrum[2].first);
}

// Waits (running the event loop) until the horn has said what `done` wants.
bool sayUntil(const QStringList& said, const std::function<bool(const QStringList&)>& done,
              int ms) {
    const QDeadlineTimer deadline(ms);
    while (!done(said) && !deadline.hasExpired())
        NullSink::spin(10);
    return done(said);
}

TEST(HornAudio, LostServerIsSaidAtOnceAndUsedAgainWhenBack) {
    NullSink sink;
    if (!sink.ok())
        GTEST_SKIP() << "no sound server could be started: " << sink.error().toStdString();
    QtHorn horn;
    QStringList said;
    horn.setFailureHandler([&](const QString& reason) { said << reason; });
    horn.prepare();
    ASSERT_TRUE(sayUntil(
        said, [](auto& s) { return s == QStringList{QString()}; }, 3000));
    sink.stopServer();
    EXPECT_TRUE(sayUntil(
        said, [](auto& s) { return s.size() > 1; }, 1000))
        << "not at once";
    EXPECT_EQ(said.value(1), QStringLiteral("Audiogerät ausgefallen"));
    ASSERT_TRUE(sink.startServer());
    ASSERT_TRUE(sayUntil(
        said, [](auto& s) { return s.last().isEmpty(); }, 5000));
    ASSERT_TRUE(sink.startRecording());
    horn.sound(300);
    sink.recordAtLeast(NullSink::kRate, 5000);
    EXPECT_GT(rms(sink.samples(), static_cast<int>(sink.sampleCount())), 0.1 * 32767);
}

} // namespace

int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
