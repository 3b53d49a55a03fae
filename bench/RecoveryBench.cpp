// The recovery copy of a 600 MB document (about an hour of 44.1 kHz 16-bit stereo), written by
// the background writer as the editor does, while a stand-in for the interface thread takes the
// document's lock exclusively every 5 ms as an edit on that thread would. Counters: "MB_per_s"
// of the copy, "ui_wait_max_ms" the longest the interface thread waited for the lock (the target
// is at most 16 ms). The copy goes to $KX_BENCH_DIR, else /tmp.
#include "documents/PcmFormat.h"
#include "documents/RecoveryWriter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

using namespace kx;
using Clock = std::chrono::steady_clock;

constexpr uint32_t kDocumentSize = 600u << 20;

std::shared_ptr<SharedDocument> makeDocument()
{
    WaveDocument document;
    PcmFormat { 16, 2, 44100 }.applyTo(document.header);
    document.samples = SampleBuffer::allocate(kDocumentSize);
    uint32_t noise = 1;
    for (uint32_t i = 0; i < kDocumentSize; i += 4) {
        noise = noise * 1664525u + 1013904223u;
        std::memcpy(document.samples.data() + i, &noise, 4);
    }
    document.header.setDataSize(kDocumentSize);
    document.info.saved = 0;
    return std::make_shared<SharedDocument>(std::move(document));
}

void BM_RecoveryCopy600MB(benchmark::State& state)
{
    const char* base = std::getenv("KX_BENCH_DIR");
    const std::filesystem::path directory
        = std::filesystem::path(base ? base : "/tmp") / ("kx-recovery-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(directory);
    const std::string path = (directory / "copy.kxr").string();
    const std::shared_ptr<SharedDocument> document = makeDocument();
    double worstWait = 0;
    for (auto _ : state) {
        std::atomic<bool> done = false;
        RecoveryWriter writer([&done](const std::string&, uint64_t, RecoveryWriteStatus) { done = true; });
        const auto start = Clock::now();
        writer.write(document, path, 1);
        while (!done) {
            const auto asked = Clock::now();
            {
                std::unique_lock lock(document->lock);
            }
            worstWait = std::max(worstWait, std::chrono::duration<double, std::milli>(Clock::now() - asked).count());
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    state.counters["MB_per_s"] = benchmark::Counter(
        double(kDocumentSize) / (1 << 20) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["ui_wait_max_ms"] = worstWait;
    std::filesystem::remove_all(directory);
}
BENCHMARK(BM_RecoveryCopy600MB)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
