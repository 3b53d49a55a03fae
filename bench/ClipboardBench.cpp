// The clipboard operations on a 600 MB document (about an hour of 44.1 kHz 16-bit stereo), each
// against memcpy of the bytes it moves (counter "vs_memcpy": the time memcpy needs for those
// bytes divided by the operation's time; 1/3 or more is the target; "vs_fresh_memcpy" the same
// against memcpy into memory not yet mapped). The clipboard is the whole
// document, in a file of its own temporary directory. "peak_x" is the peak resident memory during
// the operation divided by the document's size before it (the target for paste is below 2.2).
#include "clipboard/ClipboardCopy.h"
#include "clipboard/ClipboardPaste.h"
#include "clipboard/ClipboardReader.h"
#include "clipboard/DocumentCuts.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

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

/// Bytes per second of memcpy of a large block: into one already mapped, or (`fresh`) into one
/// not mapped yet, as growing a document, the undo copy of a delete and a mix buffer must do.
double measureMemcpyRate(bool fresh)
{
    constexpr std::size_t size = 256u << 20;
    std::vector<uint8_t> from(size, 1);
    SampleBuffer mapped = SampleBuffer::allocate(size);
    std::memset(mapped.data(), 2, size);
    double best = 1e30;
    for (int run = 0; run < 3; ++run) {
        SampleBuffer to = fresh ? SampleBuffer::allocate(size) : SampleBuffer();
        uint8_t* target = fresh ? to.data() : mapped.data();
        const auto start = Clock::now();
        std::memcpy(target, from.data(), size);
        benchmark::DoNotOptimize(target);
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return double(size) / best;
}

double memcpyRate()
{
    static const double rate = measureMemcpyRate(false);
    return rate;
}

double freshMemcpyRate()
{
    static const double rate = measureMemcpyRate(true);
    return rate;
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
    double seconds = 0;
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
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
        state.PauseTiming();
        // Memory beyond what was resident besides the document, against the document.
        peak = double(memoryFigure("VmHWM:") - (before - size)) / double(size);
        state.ResumeTiming();
    }
    const double perRun = seconds / double(state.iterations());
    state.counters["vs_memcpy"] = double(bytesMoved) / memcpyRate() / perRun;
    state.counters["vs_fresh_memcpy"] = double(bytesMoved) / freshMemcpyRate() / perRun;
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

BENCHMARK(BM_Copy)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Paste)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Mix)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Delete)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(std::filesystem::path(clipboardPath()).parent_path());
    return 0;
}
