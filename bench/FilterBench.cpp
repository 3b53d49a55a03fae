// Every filter over a 10-minute 44.1 kHz 16-bit stereo document held in memory, each against a
// memcpy of the same bytes measured in the same run (counter "vs_memcpy": memcpy time divided by
// the filter's time, so 0.5 means the filter takes twice as long as the copy). Filter times
// include the undo copy each run records.
#include "documents/UndoStore.h"
#include "filters/CrossFades.h"
#include "filters/Drawtone.h"
#include "filters/Fades.h"
#include "filters/PeakVolume.h"
#include "filters/Reverse.h"
#include "filters/Silence.h"
#include "filters/Soften.h"
#include "filters/Velocity.h"
#include "filters/Volume.h"
#include "filters/Zeroize.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

namespace {

constexpr uint32_t kDataSize = 10u * 60 * 44100 * 4;

using Clock = std::chrono::steady_clock;

/// A drawn curve of five pins over the whole file, rising and falling.
const std::vector<kx::CurvePin> kCurve = { { 0, 100 }, { 60, 30 }, { 150, 150 }, { 230, 50 }, { 300, 100 } };

const std::vector<uint8_t>& pristine()
{
    static const std::vector<uint8_t> bytes = [] {
        std::vector<uint8_t> b(kDataSize);
        auto* s = reinterpret_cast<int16_t*>(b.data());
        uint32_t noise = 1;
        for (uint32_t i = 0; i < kDataSize / 2; ++i) {
            noise = noise * 1664525u + 1013904223u;
            s[i] = int16_t(12000.0 * std::sin(double(i / 2) * 0.0627) + double(int32_t(noise >> 20) - 2048));
        }
        return b;
    }();
    return bytes;
}

kx::WaveDocument& document()
{
    static kx::WaveDocument doc = [] {
        kx::WaveDocument d;
        d.header.nChannels = 2;
        d.header.nSamplesPerSec = 44100;
        d.header.wBitsPerSample = 16;
        d.header.nBlockAlign = 4;
        d.header.nAvgBytesPerSec = 176400;
        return d;
    }();
    return doc;
}

void resetDocument()
{
    kx::WaveDocument& d = document();
    if (d.samples.size() != kDataSize && !d.samples.resize(kDataSize))
        std::abort();
    std::memcpy(d.samples.data(), pristine().data(), kDataSize);
    d.header.setDataSize(kDataSize);
    d.mark = {};
}

/// Seconds for one memcpy of the document's bytes into memory already mapped (best of five).
double memcpySeconds()
{
    static const double seconds = [] {
        std::vector<uint8_t> target(kDataSize, 1);
        double best = 1e9;
        for (int run = 0; run < 5; ++run) {
            const auto start = Clock::now();
            std::memcpy(target.data(), pristine().data(), kDataSize);
            benchmark::ClobberMemory();
            best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
        }
        return best;
    }();
    return seconds;
}

/// Times `filter` alone; the document is reset before each run when `reset` is set (filters that
/// change the length or converge to silence), outside the timing.
void runFilter(benchmark::State& state, const std::function<void(kx::WaveDocument&)>& filter, bool reset)
{
    resetDocument();
    memcpySeconds();
    // One untimed run first: the undo copy then reuses mapped memory, as from the second filter on.
    filter(document());
    resetDocument();
    double total = 0;
    for (auto _ : state) {
        if (reset)
            resetDocument();
        const auto start = Clock::now();
        filter(document());
        benchmark::ClobberMemory();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        total += seconds;
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kDataSize);
    state.counters["vs_memcpy"] = memcpySeconds() / (total / double(state.iterations()));
}

void BM_Memcpy(benchmark::State& state)
{
    std::vector<uint8_t> target(kDataSize, 1);
    for (auto _ : state) {
        const auto start = Clock::now();
        std::memcpy(target.data(), pristine().data(), kDataSize);
        benchmark::ClobberMemory();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kDataSize);
}

#define KX_FILTER_BENCH(name, reset, call)                                                                             \
    void BM_##name(benchmark::State& state)                                                                            \
    {                                                                                                                  \
        runFilter(                                                                                                     \
            state, [&](kx::WaveDocument& d) { call; }, reset);                                                         \
    }                                                                                                                  \
    BENCHMARK(BM_##name)->UseManualTime()->Unit(benchmark::kMillisecond)

KX_FILTER_BENCH(Volume, true, kx::changeVolume(d, 50));
KX_FILTER_BENCH(PeakVolume, true, kx::setMaxVolume(d));
KX_FILTER_BENCH(FadeIn, false, kx::fadeIn(d, 10));
KX_FILTER_BENCH(FadeOut, false, kx::fadeOut(d, 10));
KX_FILTER_BENCH(FadeChannels, false, kx::fadeChannels(d, kx::CrossFade::LeftToRight));
KX_FILTER_BENCH(DrawtoneVolume, false, kx::drawtoneVolume(d, kCurve, false));
KX_FILTER_BENCH(DrawtoneFadeChannels, false, kx::drawtoneFadeChannels(d, kCurve, false));
KX_FILTER_BENCH(Silence, false, (d.mark.markLength = kDataSize, kx::setSilence(d)));
KX_FILTER_BENCH(Zeroize, false, kx::zeroize(d, 30));
KX_FILTER_BENCH(Reverse, false, kx::reverse(d));
KX_FILTER_BENCH(Velocity200, true, kx::changeVelocity(d, { 200, false, 3 }));
KX_FILTER_BENCH(Velocity200Smooth, true, kx::changeVelocity(d, { 200, true, 3 }));
KX_FILTER_BENCH(Velocity50, true, kx::changeVelocity(d, { 50, false, 3 }));

void BM_Soften(benchmark::State& state)
{
    runFilter(
        state, [&](kx::WaveDocument& d) { kx::soften(d, uint32_t(state.range(0)) - 2); }, false);
}

} // namespace

BENCHMARK(BM_Memcpy)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Soften)->Arg(3)->Arg(10)->Arg(20)->ArgName("window")->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
