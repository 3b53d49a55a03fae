// Playback of a 600 MB document (44.1 kHz 16-bit stereo, about an hour): how long play() takes
// until the device holds its first bytes, and how much memory playback adds (counter
// "extra_rss_kb", measured while ten seconds of it play on the test device). The PortAudio case
// runs only when an output device is reachable (a sound server or a sound card).
#include "devices/OutputDevices.h"
#include "devices/Player.h"
#include "devices/PortAudioOutput.h"
#include "devices/TestDevice.h"

#include "ResidentMemory.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <unistd.h>

namespace {

constexpr uint32_t kDataSize = 600u * 1024 * 1024;

std::shared_ptr<kx::SharedDocument> bigDocument()
{
    static const std::shared_ptr<kx::SharedDocument> document = [] {
        kx::WaveDocument d;
        kx::PcmFormat { 16, 2, 44100 }.applyTo(d.header);
        d.header.setDataSize(kDataSize);
        d.samples = kx::SampleBuffer::allocate(kDataSize);
        // Touch every page, so the document's own memory is resident before anything is measured.
        for (uint32_t i = 0; i < kDataSize; i += 4096)
            d.samples.data()[i] = uint8_t(i >> 12);
        return std::make_shared<kx::SharedDocument>(std::move(d));
    }();
    return document;
}

void BM_PlayStartTestDevice(benchmark::State& state)
{
    auto document = bigDocument();
    auto device = kx::TestDevice::create();
    device->setRecording(false);
    kx::Player player(device->factory());
    for (auto _ : state) {
        if (!player.play(document, -1, false, nullptr).ok()) {
            state.SkipWithError("play failed");
            return;
        }
        device->advance(1024);
        state.PauseTiming();
        player.stop();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PlayStartTestDevice)->Unit(benchmark::kMillisecond);

void BM_PlaybackMemoryTestDevice(benchmark::State& state)
{
    auto document = bigDocument();
    auto device = kx::TestDevice::create();
    device->setRecording(false);
    long extra = 0;
    for (auto _ : state) {
        const long before = residentKilobytes();
        kx::Player player(device->factory());
        player.play(document, -1, false, nullptr);
        for (int i = 0; i < 10 * 100; ++i)
            device->advance(441); // ten seconds in 10 ms steps
        extra = std::max(extra, residentKilobytes() - before);
        player.stop();
    }
    state.counters["extra_rss_kb"] = double(extra);
}
BENCHMARK(BM_PlaybackMemoryTestDevice)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PlayStartPortAudio(benchmark::State& state)
{
    if (kx::outputdevices::names().empty()) {
        state.SkipWithError("no output device (start a sound server to measure this)");
        return;
    }
    auto document = bigDocument();
    kx::Player player(kx::PortAudioOutput::factory());
    for (auto _ : state) {
        const auto status = player.play(document, -1, false, nullptr);
        state.PauseTiming();
        if (!status.ok()) {
            state.SkipWithError(status.errorText.c_str());
            return;
        }
        player.stop();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PlayStartPortAudio)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

BENCHMARK_MAIN();
