// The clipboard operations on a 600 MB document (about an hour of 44.1 kHz 16-bit stereo), each
// against memcpy of the bytes it moves, timed in the same run (counter "vs_memcpy": the time
// memcpy needs for those bytes divided by the operation's time, the fastest of the runs of each;
// 1/3 or more is the target; "vs_fresh_memcpy" the same against memcpy into memory not yet
// mapped). The clipboard is the whole document, in a file of its own temporary directory.
// "peak_x" is the highest peak resident memory during the operation divided by the document's
// size before it (the target for paste is below 2.2).
#include "clipboard/ClipboardCopy.h"
#include "clipboard/ClipboardPaste.h"
#include "clipboard/ClipboardReader.h"
#include "clipboard/DocumentCuts.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace kx;
using Clock = std::chrono::steady_clock;

constexpr uint32_t kDocumentSize = 600u << 20;

std::string clipboardPath()
{
    static const std::string path = [] {
        char pattern[] = "/tmp/kxclipbench-XXXXXX";
        const char* directory = ::mkdtemp(pattern);
        return std::string(directory ? directory : "/tmp") + "/KexCLIP.WAV";
    }();
    return path;
}

WaveDocument makeDocument()
{
    WaveDocument document;
    document.header.nChannels = 2;
    document.header.nSamplesPerSec = 44100;
    document.header.nBlockAlign = 4;
    document.header.wBitsPerSample = 16;
    document.header.nAvgBytesPerSec = 44100 * 4;
    document.samples = SampleBuffer::allocate(kDocumentSize);
    auto* samples = reinterpret_cast<int16_t*>(document.samples.data());
    uint32_t noise = 1;
    for (uint32_t i = 0; i < kDocumentSize / 2; ++i) {
        noise = noise * 1664525u + 1013904223u;
        samples[i] = int16_t(int32_t(noise >> 17) - 16384);
    }
    document.header.setDataSize(kDocumentSize);
    return document;
}

/// Seconds memcpy needs for `bytes` bytes, timed next to the operation so that both see the same
/// load: into a block already mapped, or (`fresh`) into one just taken from malloc and not yet
/// mapped (plain small pages, as any program gets them), as growing a document, the undo copy of
/// a delete and a mix buffer must do. The source is always mapped.
double memcpySeconds(uint64_t bytes, bool fresh)
{
    static std::vector<uint8_t> from;
    static std::vector<uint8_t> mapped;
    if (from.size() < bytes) {
        from.assign(bytes, 1);
        mapped.assign(bytes, 2);
    }
    std::unique_ptr<uint8_t, decltype(&std::free)> freshBlock(
        fresh ? static_cast<uint8_t*>(std::malloc(bytes)) : nullptr, &std::free);
    uint8_t* target = fresh ? freshBlock.get() : mapped.data();
    const auto start = Clock::now();
    std::memcpy(target, from.data(), bytes);
    benchmark::DoNotOptimize(target);
    benchmark::ClobberMemory();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

/// A "Vm..." line of /proc/self/status, in bytes.
uint64_t memoryFigure(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0)
            return std::stoull(line.substr(key.size())) * 1024;
    }
    return 0;
}

void resetPeakResident()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

/// Runs `operation` on a fresh document prepared by `prepare`, timing only the operation.
template <class Prepare, class Operation>
void measure(benchmark::State& state, uint64_t bytesMoved, Prepare prepare, Operation operation)
{
    // The fastest run of each, as other work on the machine can only slow a run down.
    double seconds = 1e30;
    double mappedSeconds = 1e30;
    double freshSeconds = 1e30;
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        WaveDocument document = makeDocument();
        prepare(document);
        const uint64_t before = memoryFigure("VmRSS:");
        const uint64_t size = document.header.dataSize;
        resetPeakResident();
        state.ResumeTiming();
        const auto start = Clock::now();
        operation(document);
        seconds = std::min(seconds, std::chrono::duration<double>(Clock::now() - start).count());
        state.PauseTiming();
        // Memory beyond what was resident besides the document, against the document.
        peak = std::max(peak, double(memoryFigure("VmHWM:") - (before - size)) / double(size));
        mappedSeconds = std::min(mappedSeconds, memcpySeconds(bytesMoved, false));
        freshSeconds = std::min(freshSeconds, memcpySeconds(bytesMoved, true));
        state.ResumeTiming();
    }
    state.counters["vs_memcpy"] = mappedSeconds / seconds;
    state.counters["vs_fresh_memcpy"] = freshSeconds / seconds;
    state.counters["peak_x"] = peak;
    state.counters["MB_moved"] = double(bytesMoved) / (1 << 20);
}

void writeWholeClipboard()
{
    const WaveDocument document = makeDocument();
    copyToClipboard(document, clipboardPath());
}

void BM_Copy(benchmark::State& state)
{
    measure(
        state, kDocumentSize, [](WaveDocument&) {},
        [](WaveDocument& d) { benchmark::DoNotOptimize(copyToClipboard(d, clipboardPath())); });
}

void BM_Paste(benchmark::State& state)
{
    writeWholeClipboard();
    // In the middle: half the document moves up, then the whole clipboard comes in.
    measure(
        state, kDocumentSize / 2 + kDocumentSize, [](WaveDocument& d) { d.mark.markStart = kDocumentSize / 2; },
        [](WaveDocument& d) {
            ClipboardReader reader;
            reader.open(clipboardPath());
            benchmark::DoNotOptimize(pasteClipboard(d, reader));
        });
}

void BM_Mix(benchmark::State& state)
{
    writeWholeClipboard();
    // The clipboard is read, then mixed into every sample.
    measure(
        state, 2ull * kDocumentSize, [](WaveDocument&) {},
        [](WaveDocument& d) {
            ClipboardReader reader;
            reader.open(clipboardPath());
            benchmark::DoNotOptimize(mixClipboard(d, reader, 1.5f));
        });
}

void BM_Delete(benchmark::State& state)
{
    // A third from the middle: it is copied for undo and the last third moves down.
    const uint32_t third = kDocumentSize / 3 / 4 * 4;
    measure(
        state, 2ull * third,
        [third](WaveDocument& d) {
            d.mark = { third, third, 0, 0, 0 };
        },
        [](WaveDocument& d) { benchmark::DoNotOptimize(eraseMark(d)); });
}

BENCHMARK(BM_Copy)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Paste)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Mix)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Delete)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(std::filesystem::path(clipboardPath()).parent_path());
    return 0;
}
